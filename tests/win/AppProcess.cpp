#include "tests/win/AppProcess.h"

namespace {

struct FindState {
    DWORD pid;
    const wchar_t* className;
    HWND found;
    const wchar_t* caption = nullptr;
};

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM param) {
    auto* state = reinterpret_cast<FindState*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != state->pid) return TRUE;
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    if (lstrcmpW(name, state->className) != 0) return TRUE;
    if (state->caption) {
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        if (lstrcmpW(text, state->caption) != 0) return TRUE;
    }
    state->found = window;
    return FALSE;
}

}  // namespace

AppProcess::~AppProcess() {
    if (info_.hProcess) {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

std::wstring AppProcess::BinaryFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder;
}

bool AppProcess::Start(const std::wstring& arguments) { return StartExe(BinaryFolder() + APP_EXE_NAME, arguments); }

HWND AppProcess::WaitForDialog(const wchar_t* caption, DWORD ms) const {
    const DWORD start = GetTickCount();
    for (;;) {
        FindState state{info_.dwProcessId, L"#32770", nullptr, caption};
        EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&state));
        if (state.found) return state.found;
        if (GetTickCount() - start > ms) return nullptr;
        if (WaitForSingleObject(info_.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
    }
}

bool AppProcess::StartExe(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          BinaryFolder().c_str(), &si, &info_) != FALSE;
}

HWND AppProcess::WaitForWindow(const wchar_t* className, DWORD ms) const {
    const DWORD start = GetTickCount();
    for (;;) {
        FindState state{info_.dwProcessId, className, nullptr, nullptr};
        EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&state));
        if (state.found) return state.found;
        if (GetTickCount() - start > ms) return nullptr;
        if (WaitForSingleObject(info_.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
    }
}

bool AppProcess::WaitForExit(DWORD ms, DWORD* exitCode) {
    if (WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(info_.hProcess, exitCode) != FALSE;
}
