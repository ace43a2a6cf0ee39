#include "tests/win/InProcessApp.h"

#include "cardui/win/ImageLists.h"
#include "model/Wallet.h"
#include "shell/win/MainWindow.h"
#include "shell/win/Startup.h"
#include "shell/win/WalletList.h"

namespace tl5test {

std::wstring PrivateTempFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"tl5-" + name + L"-" + std::to_wstring(GetCurrentProcessId());
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

bool InProcessApp::Start(const wchar_t* name) {
    docs_ = PrivateTempFolder(name);
    RemoveTree(docs_);
    CreateDirectoryW(docs_.c_str(), nullptr);
    SetEnvironmentVariableW(L"TL5_DOCUMENTS", docs_.c_str());
    settingsKey_ = std::wstring(L"Software\\Tessellock Tests\\") + name + L" " + std::to_wstring(GetCurrentProcessId());
    SetEnvironmentVariableW(L"TL5_SETTINGS_KEY", settingsKey_.c_str());
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring exe(self);
    exe.resize(exe.rfind(L'\\') + 1);
    exe += APP_EXE_NAME;
    module_ = LoadLibraryExW(exe.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (!module_ || !tl5win::LoadResourcesAndCreateMainWindow(module_)) return false;
    main_ = tl5win::App().mainWindow;
    return main_ != nullptr;
}

void InProcessApp::Stop() {
    tl5win::AppWallet().Close(false);
    if (HWND list = tl5win::WalletListWindow()) DestroyWindow(list);
    if (main_) DestroyWindow(main_);
    main_ = nullptr;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    // As the application does at its end: the icon lists go, with the custom icons the run added.
    tl5win::DestroyIconImageLists();
    RemoveTree(docs_);
    RegDeleteTreeW(HKEY_CURRENT_USER, settingsKey_.c_str());
}

}  // namespace tl5test
