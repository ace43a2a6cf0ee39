// A running copy of the application for tests that drive it from another process.
#pragma once

#include <windows.h>

#include <string>

class AppProcess {
public:
    AppProcess() = default;
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;
    ~AppProcess();

    // The folder of the running test program, where the exe and its language module are built.
    static std::wstring BinaryFolder();

    // Starts the exe with the given command line arguments.
    bool Start(const std::wstring& arguments);

    // The first top-level window of the given class owned by this process, waiting up to `ms`.
    HWND WaitForWindow(const wchar_t* className, DWORD ms) const;

    // The first top-level dialog box (class "#32770") of this process with the given caption.
    HWND WaitForDialog(const wchar_t* caption, DWORD ms) const;

    // Starts the exe found at `exePath` instead of the one beside the tests.
    bool StartExe(const std::wstring& exePath, const std::wstring& arguments);

    // Waits for the process to end and reads its exit code.
    bool WaitForExit(DWORD ms, DWORD* exitCode);

    HANDLE Process() const { return info_.hProcess; }
    DWORD ProcessId() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_{};
};
