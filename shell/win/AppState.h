// The process-wide state of the application that the shell's windows read.
#pragma once

#include <windows.h>

namespace tl5win {

// Process-wide state that the rest of the shell reads.
struct AppState {
    HINSTANCE instance = nullptr;       // menus, menu bars, dialogs, icons, accelerators
    HMODULE resourceModule = nullptr;   // where strings come from
    HMODULE languageModule = nullptr;   // the loaded language module, freed at exit
    HWND mainWindow = nullptr;
    wchar_t pendingPath[260] = {};      // what WMU_OPEN_WALLET opens
};
AppState& App();

}  // namespace tl5win
