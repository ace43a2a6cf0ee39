// The application made inside a test process as the start-up makes it: its resources (dialogs, menu
// bars, icons) from the exe beside the test program, the documents folder and the settings in private
// places of this process, and the main window. Tests then drive its windows with messages.
#pragma once

#include <windows.h>

#include <string>

namespace tl5test {

// A folder of this process under the temporary folder, named after `name`.
std::wstring PrivateTempFolder(const wchar_t* name);
// Removes a folder with everything in it.
void RemoveTree(const std::wstring& folder);

class InProcessApp {
public:
    // Makes the documents folder and the settings key of this run, loads the application's module and
    // makes the main window. False when the module cannot be loaded or the window not made.
    bool Start(const wchar_t* name);
    // Closes the wallet without saving, destroys the windows and the icon lists, and removes the folder
    // and the settings.
    void Stop();

    const std::wstring& Documents() const { return docs_; }
    std::wstring Document(const std::wstring& name) const { return docs_ + L"\\" + name; }
    HWND MainWindow() const { return main_; }

private:
    std::wstring docs_;
    std::wstring settingsKey_;
    HMODULE module_ = nullptr;
    HWND main_ = nullptr;
};

}  // namespace tl5test
