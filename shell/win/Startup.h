// The process: command line and hand-shakes, the single instance, the language module, the main
// window and the message loop.
//
// Several copies can run side by side for tests: the environment variable TL5_INSTANCE_TAG, when
// set, is appended to the mutex name and the main window class name, and TL5_SETTINGS_KEY replaces
// the settings key path under HKEY_CURRENT_USER (see also TL5_CLASSES_KEY in SettingsRegistry.h).
#pragma once

#include <windows.h>

#include <string>

#include "shell/win/AppState.h"

namespace tl5win {


// "Ostrov Tessellock Pro 2005" and "owtlpro5.mtx", each followed by TL5_INSTANCE_TAG when set.
const wchar_t* MainWindowClassName();
const wchar_t* InstanceMutexName();

// Creates (and keeps) the single-instance mutex; when it already existed, the running instance's
// main window, otherwise null.
HWND FindRunningInstance();

// Loads the language module "ostrovtlpro5ppc.exe.%04x.mui" from `folder`: first the language in the
// low 16 bits of `langPref` (when not 0), then the user's UI language (or the system's, or the
// user's default language), then 0x0409. *chosen receives the language loaded. Null when none loads.
HMODULE LoadLanguageModule(const std::wstring& folder, DWORD langPref, LANGID* chosen);

// Registers the main window class "Ostrov Tessellock Pro 2005" (tagged, see above).
bool RegisterMainWindowClass(HINSTANCE instance);

// Steps of the start that need the instance: controls, settings, language module, window classes,
// main window with menu bar 963. False when the process must end (no language module, no window).
bool LoadResourcesAndCreateMainWindow(HINSTANCE instance);

// The whole life of the process for a command line (without the program's own path); the exit code.
int RunApplication(HINSTANCE instance, const wchar_t* commandLine);

}  // namespace tl5win
