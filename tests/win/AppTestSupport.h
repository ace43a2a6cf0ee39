// A private copy of the application's world for one test: its own instance tag (mutex and window
// class), settings key and file-type key, all under HKEY_CURRENT_USER\Software\TL5Tests, removed
// afterwards. The environment variables reach the application started by the test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

class IsolatedAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int serial = 0;
        tag_ = L"-t" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
        root_ = L"Software\\TL5Tests\\" + tag_.substr(1);
        settingsKey_ = root_ + L"\\Settings";
        classesKey_ = root_ + L"\\Classes";
        SetEnvironmentVariableW(L"TL5_INSTANCE_TAG", tag_.c_str());
        SetEnvironmentVariableW(L"TL5_SETTINGS_KEY", settingsKey_.c_str());
        SetEnvironmentVariableW(L"TL5_CLASSES_KEY", classesKey_.c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"TL5_INSTANCE_TAG", nullptr);
        SetEnvironmentVariableW(L"TL5_SETTINGS_KEY", nullptr);
        SetEnvironmentVariableW(L"TL5_CLASSES_KEY", nullptr);
        RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
    }

    std::wstring MainClass() const { return L"Ostrov Tessellock Pro 2005" + tag_; }
    std::wstring MutexName() const { return L"owtlpro5.mtx" + tag_; }

    // Settings as a later run finds them: not the first run, file types registered.
    void SeedSettings(DWORD count = 1) {
        SetNumber(L"Count", count);
        SetNumber(L"Setup", 6);
    }
    void SetNumber(const wchar_t* name, DWORD value) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, settingsKey_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                  nullptr), ERROR_SUCCESS);
        RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
        RegCloseKey(key);
    }
    void SetText(const wchar_t* name, const std::wstring& text) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, settingsKey_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                  nullptr), ERROR_SUCCESS);
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    // A number of the settings key; -1 when it is missing.
    long long Number(const wchar_t* name) const {
        DWORD value = 0, size = sizeof(value);
        if (RegGetValueW(HKEY_CURRENT_USER, settingsKey_.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
            ERROR_SUCCESS) {
            return -1;
        }
        return value;
    }
    // The default value of a key below the file-type key; empty when missing.
    std::wstring ClassValue(const std::wstring& subKey) const {
        wchar_t text[512] = {};
        DWORD size = sizeof(text);
        const std::wstring path = classesKey_ + L"\\" + subKey;
        if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &size) !=
            ERROR_SUCCESS) {
            return L"";
        }
        return text;
    }

    std::wstring tag_, root_, settingsKey_, classesKey_;
};
