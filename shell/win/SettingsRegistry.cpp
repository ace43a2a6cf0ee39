#include "shell/win/SettingsRegistry.h"

#include "cardui/win/Registry.h"
#include "platform/Text.h"

namespace tl5win {

// Built over the portable core: its names are used here as they stand.
using namespace tl5;

namespace {

class RegistryKey : public SettingsKey {
public:
    explicit RegistryKey(HKEY key) : key_(key) {}
    ~RegistryKey() override { RegCloseKey(key_); }
    bool GetNumber(const char16_t* name, uint32_t* value) override {
        DWORD v = 0;
        if (!GetRegistryNumber(key_, AsWide(name), &v)) return false;
        *value = v;
        return true;
    }
    bool GetText(const char16_t* name, std::u16string* text) override {
        std::wstring w;
        if (!GetRegistryText(key_, AsWide(name), &w)) return false;
        *text = FromWide(w);
        return true;
    }
    bool SetNumber(const char16_t* name, uint32_t value) override { return SetRegistryNumber(key_, AsWide(name), value); }
    bool SetText(const char16_t* name, const std::u16string& text) override {
        return SetRegistryText(key_, AsWide(name), ToWide(text).c_str());
    }

private:
    HKEY key_;
};

bool SetDefaultValue(HKEY root, const std::wstring& path, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const bool ok = SetRegistryText(key, nullptr, value.c_str());
    RegCloseKey(key);
    return ok;
}

std::wstring ApplicationPath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(path, n) : std::wstring();
}

}  // namespace

std::unique_ptr<SettingsKey> OpenRegistrySettingsKey(const std::u16string& keyPath) {
    if (keyPath.empty()) return nullptr;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, ToWide(keyPath).c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<RegistryKey>(key);
}

bool RegisterFileTypes(HKEY classesRoot, const std::wstring& applicationPath) {
    if (!classesRoot || applicationPath.empty()) return false;
    bool any = false;
    for (const auto& chain : FileTypeRegistration(FromWide(applicationPath))) {
        for (const FileTypeKey& k : chain) {
            if (!SetDefaultValue(classesRoot, ToWide(k.path), ToWide(k.value))) break;
            any = true;
        }
    }
    return any;
}

HKEY OpenUserClassesRoot() {
    // Tests register into a key of their own: TL5_CLASSES_KEY names it under HKEY_CURRENT_USER.
    wchar_t redirect[256] = {};
    const DWORD n = GetEnvironmentVariableW(L"TL5_CLASSES_KEY", redirect, 256);
    if (n > 0 && n < 256) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, redirect, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS) {
            return nullptr;
        }
        return key;
    }
    HKEY probe = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, L".tl5", 0, nullptr, 0, KEY_WRITE, nullptr, &probe, nullptr) ==
        ERROR_SUCCESS) {
        RegCloseKey(probe);
        return HKEY_CLASSES_ROOT;
    }
    HKEY user = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &user,
                        nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return user;
}

void LoadAppSettings() {
    LoadSettings(AppSettings(), OpenRegistrySettingsKey, [] {
        HKEY classes = OpenUserClassesRoot();
        if (!classes) return;
        RegisterFileTypes(classes, ApplicationPath());
        if (classes != HKEY_CLASSES_ROOT) RegCloseKey(classes);
    });
}

void SaveAppSettings() { SaveSettings(AppSettings(), OpenRegistrySettingsKey); }

}  // namespace tl5win
