// The process: command line and hand-shakes, the single instance, the language module, the main
// window and the message loop.
//
// Several copies can run side by side for tests: the environment variable TL5_INSTANCE_TAG, when
// set, is appended to the mutex name and the main window class name, and TL5_SETTINGS_KEY replaces
// the settings key path under HKEY_CURRENT_USER (see also TL5_CLASSES_KEY in SettingsRegistry.h).
#pragma once

#include <windows.h>

#include <string>

namespace tl5 {

// Process-wide state that the rest of the shell reads.
struct AppState {
    HINSTANCE instance = nullptr;       // menus, menu bars, dialogs, icons, accelerators
    HMODULE resourceModule = nullptr;   // where strings come from
    HMODULE languageModule = nullptr;   // the loaded language module, freed at exit
    HWND mainWindow = nullptr;
    wchar_t pendingPath[260] = {};      // what WMU_OPEN_WALLET opens
    SYSTEMTIME lastActivity{};          // local time of the last user action
    // The suspend watchdog (cleared at start).
    HANDLE watchdogThread = nullptr;
    DWORD watchdogThreadId = 0;
    volatile LONG watchdogKeepRunning = 0;
    volatile LONG watchdogRunning = 0;
    // Screen resolution and the scale table: scale[axis][n] = (n * ppi + 48) / 96 for n = 1..12
    // (axis 0 horizontal, 1 vertical); minusOne[axis] = -scale[axis][1].
    int pixelsPerInchX = 96;
    int pixelsPerInchY = 96;
    int scale[2][13] = {};
    int minusOne[2] = {};
};
AppState& App();

// Stores the current local time as the last activity time.
void NoteActivity();

// Measures the screen once and fills the scale table.
void MeasureScreen();

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

// The points where the later screens attach to the start-up. Every entry may stay null; the start-up
// then uses the plain main window of BasicMainWindow.h. Set them before RunApplication (WinMain).
struct StartupHooks {
    // Window procedure of the main window class.
    WNDPROC mainWindowProcedure = nullptr;
    // Shows a menu bar on the main window (keeping the current one when it is the same).
    void (*showMenuBar)(HWND window, UINT id) = nullptr;
    // Creates the wallet tree, the banner font's users and the find bar (after menu bar 963).
    void (*createContents)(HWND window) = nullptr;
    // Sets up the wallet list screen before the main window exists.
    void (*setUpWalletList)(HINSTANCE instance, HMODULE strings) = nullptr;
};
StartupHooks& StartHooks();

// Registers the main window class "Ostrov Tessellock Pro 2005" (tagged, see above).
bool RegisterMainWindowClass(HINSTANCE instance);

// Steps of the start that need the instance: controls, settings, language module, window classes,
// main window with menu bar 963. False when the process must end (no language module, no window).
bool LoadResourcesAndCreateMainWindow(HINSTANCE instance);

// The whole life of the process for a command line (without the program's own path); the exit code.
int RunApplication(HINSTANCE instance, const wchar_t* commandLine);

}  // namespace tl5
