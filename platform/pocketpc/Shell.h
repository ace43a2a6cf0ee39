// Our layer for the handheld shell library, over desktop Win32.
//
// The screens call the handheld's shell functions by their usual names; here they live in the
// namespace ppc so they never clash with the real SDK's declarations. Each one does on a desktop
// what the handheld does:
//   - full-screen dialogs cover the device screen (DeviceScreen.h) with their client area;
//   - the caption's OK button is the caption's close box: a click on it sends WM_COMMAND IDOK, while
//     Alt+F4 still closes the window the desktop way;
//   - a menu bar is a strip at the bottom of the device screen with one button per top-level item of
//     a menu bar resource; a plain item sends its command to the owner, a pop-up item opens its menu;
//   - the input panel is a recorded state (shown or not) with no panel drawn; changes reach the
//     application's windows as WM_SETTINGCHANGE with SPI_SETSIPINFO, as on the device;
//   - tap-and-hold is the right mouse button;
//   - the device's mail program, browser and help viewer are handed to the desktop's defaults.
#pragma once

#include <windows.h>

#include "platform/pocketpc/DeviceScreen.h"

namespace ppc {

// ---- Full-screen dialogs ----------------------------------------------------------------------

constexpr DWORD SHIDIM_FLAGS = 0x0001;
constexpr DWORD SHIDIF_DONEBUTTON = 0x0001;
constexpr DWORD SHIDIF_SIZEDLG = 0x0002;
constexpr DWORD SHIDIF_SIZEDLGFULLSCREEN = 0x0004;
constexpr DWORD SHIDIF_SIPDOWN = 0x0008;
constexpr DWORD SHIDIF_FULLSCREENNOMENUBAR = 0x0010;
constexpr DWORD SHIDIF_EMPTYMENU = 0x0020;

struct SHINITDLGINFO {
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
};

// Sizes the dialog (any of the size flags: its client area covers the device screen), gives it the
// caption's OK button (SHIDIF_DONEBUTTON) and lowers the input panel (SHIDIF_SIPDOWN).
BOOL SHInitDialog(SHINITDLGINFO* info);

// True when SHInitDialog made the window full-screen (its menu bar then takes room from it).
bool IsFullScreenDialog(HWND window);

// Message boxes and other small dialogs of the calling thread appear centred in the device screen,
// as on the handheld, instead of in the middle of the desktop (full-screen dialogs are left alone).
// Installed once per thread; safe to call again; false removes it.
void PlaceDialogsInDeviceScreen(bool on = true);

// ---- The caption's OK button ------------------------------------------------------------------

// Extended window style of a window with the caption's OK button. ppc::CreateCaptionOkWindow turns it
// into the desktop emulation; the real CreateWindowExW must never see it.
constexpr DWORD WS_EX_CAPTIONOKBTN = 0x80000000;

// CreateWindowExW that understands WS_EX_CAPTIONOKBTN (named apart so that it never competes with the
// real CreateWindowExW in overload resolution).
HWND CreateCaptionOkWindow(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);

constexpr DWORD SHDB_SHOW = 0x0001;
constexpr DWORD SHDB_HIDE = 0x0002;

// Shows or hides the caption's OK button of a top-level window.
BOOL SHDoneButton(HWND window, DWORD state);

// True when the window currently shows the caption's OK button.
bool HasDoneButton(HWND window);

// ---- Bringing a window to the front -----------------------------------------------------------

// SetForegroundWindow as the handheld has it: a handle with its lowest bit set asks for the window
// together with its owned pop-ups (the last active one comes to the front). On a desktop the bit is
// stripped before the handle is used, and a minimised window is restored.
BOOL SetForegroundWindow(HWND window);

// ---- Menu bars --------------------------------------------------------------------------------

constexpr DWORD SHCMBF_EMPTYBAR = 0x0001;
constexpr DWORD SHCMBF_HIDDEN = 0x0002;
constexpr DWORD SHCMBF_HIDESIPBUTTON = 0x0004;
constexpr DWORD SHCMBF_COLORBK = 0x0008;
constexpr DWORD SHCMBF_HMENU = 0x0010;

struct SHMENUBARINFO {
    DWORD cbSize;
    HWND hwndParent;
    DWORD dwFlags;
    UINT nToolBarId;   // the menu bar resource (a menu resource of the same id), or an HMENU with SHCMBF_HMENU
    HINSTANCE hInstRes;
    int nBmpId;
    int cBmpImages;
    HWND hwndMB;       // receives the menu bar window
    COLORREF clrBk;
};

// Creates the menu bar of an owner from a menu bar resource: a MENUEX resource whose top-level items
// are the buttons, left to right. A command item becomes a button that sends WM_COMMAND (its id) to
// the owner; a pop-up item becomes a button that opens its menu (WM_INITMENUPOPUP and the chosen
// command go to the owner); the pop-up's own id (819 for "Menu") names its button. When the owner is
// a full-screen dialog it is shortened by the bar's height.
BOOL SHCreateMenuBar(SHMENUBARINFO* info);

// The messages a menu bar answers (besides TB_GETBUTTONINFOW / TB_SETBUTTONINFOW with TBIF_TEXT and
// TBIF_STATE, TB_ENABLEBUTTON and TB_BUTTONCOUNT, addressed by command id).
constexpr UINT SHCMBM_SETSUBMENU = WM_USER + 400;  // wParam button id, lParam menu; answers the old menu
constexpr UINT SHCMBM_GETSUBMENU = WM_USER + 401;  // lParam button id; answers the button's menu
constexpr UINT SHCMBM_GETMENU = WM_USER + 402;     // answers the whole menu of the bar

// The menu bar of an owner, or null.
HWND SHFindMenuBar(HWND owner);

// Height of a menu bar in pixels (26 logical pixels, scaled).
int MenuBarHeight();

// Button texts by command id; false when the bar has no such button.
bool SetMenuBarButtonText(HWND menuBar, UINT command, const wchar_t* text);
bool GetMenuBarButtonText(HWND menuBar, UINT command, wchar_t* text, int size);

// The handheld's two soft keys are F1 (left button) and F2 (right button) of the active window's
// menu bar. EnableSoftKeys installs that for the calling thread (once; false removes it);
// HandleSoftKey does one key for a window and says whether it had a bar button to press.
void EnableSoftKeys(bool on = true);
bool HandleSoftKey(HWND window, UINT virtualKey);

// Clicks a button as a tap would (tests and keyboard handling): a command button sends its command,
// a menu button opens its menu. False when there is no such button.
bool PressMenuBarButton(HWND menuBar, UINT command);

// ---- Activation and settings change -----------------------------------------------------------

struct SHACTIVATEINFO {
    DWORD cbSize;
    HWND hwndLastFocus;
    UINT fSipUp : 1;
    UINT fSipOnDeactivation : 1;
    UINT fActive : 1;
    UINT fReserved : 29;
};

constexpr UINT SPI_SETSIPINFO = 224;
constexpr UINT SPI_GETSIPINFO = 225;

// Keeps the activation record in step with the input panel (SPI_SETSIPINFO). Always TRUE.
BOOL SHHandleWMSettingChange(HWND window, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info);

// On deactivation remembers the focus and the input panel state; on activation restores both.
BOOL SHHandleWMActivate(HWND window, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info, DWORD flags);

// The shell's input-dialog handling: keeps nothing on a desktop; answers FALSE (not handled).
BOOL SHInputDialog(HWND window, UINT message, WPARAM wParam);

// ---- The input panel --------------------------------------------------------------------------

enum SIPSTATE { SIP_UP = 0, SIP_DOWN = 1, SIP_FORCEDOWN = 2, SIP_UNCHANGED = 3, SIP_INPUTDIALOG = 4 };

constexpr DWORD SIPF_OFF = 0x00000000;
constexpr DWORD SIPF_ON = 0x00000001;
constexpr DWORD SIPF_DOCKED = 0x00000002;
constexpr DWORD SIPF_LOCKED = 0x00000004;
constexpr DWORD SIPF_DISABLECOMPLETION = 0x08000000;

struct SIPINFO {
    DWORD cbSize;
    DWORD fdwFlags;
    RECT rcVisibleDesktop;
    RECT rcSipRect;
    DWORD dwImDataSize;
    void* pvImData;
};

// Raises or lowers the input panel; a change is announced to the thread's top-level windows.
BOOL SHSipPreference(HWND window, SIPSTATE state);

// SPI_GETSIPINFO fills a SIPINFO (cbSize must be set); SPI_SETSIPINFO stores its flags (SIPF_ON shows
// the panel). Other actions fail.
BOOL SHSipInfo(UINT action, UINT param, void* info, UINT winIni);

// The recorded panel state, for tests and layout: shown, and the flags last stored.
bool InputPanelShown();
DWORD InputPanelFlags();
// Height the panel would take at the bottom of the device screen (80 logical pixels, scaled).
int InputPanelHeight();

// ---- Extra controls ---------------------------------------------------------------------------

// The capitalising edit control: an EDIT that capitalises, while typing, the first letter of its
// text (the default) or of every word (CEM_UPCASEALLWORDS with TRUE); CEM_ENABLEUPCASE with FALSE
// turns capitalising off.
constexpr wchar_t WC_CAPEDIT[] = L"CAPEDIT";
constexpr UINT CEM_UPCASEALLWORDS = WM_USER + 1;
constexpr UINT CEM_ENABLEUPCASE = WM_USER + 2;

// Registers the shell's extra controls (the capitalising edit). Safe to call more than once.
BOOL SHInitExtraControls();

// ---- Tap and hold -----------------------------------------------------------------------------

constexpr UINT GN_CONTEXTMENU = 1000;
constexpr DWORD SHRG_RETURNCMD = 0x00000001;
constexpr DWORD SHRG_NOTIFYPARENT = 0x00000002;
constexpr DWORD SHRG_LONGDELAY = 0x00000008;

struct SHRGINFO {
    DWORD cbSize;
    HWND hwndClient;
    POINT ptDown;
    DWORD dwFlags;
};

struct NMRGINFO {
    NMHDR hdr;
    POINT ptAction;
    DWORD_PTR dwItemSpec;  // the item under the point (a tree item for a tree view)
};

// The handheld asks this on a pen-down whether the pen is held. On a desktop the gesture is the
// right button: GN_CONTEXTMENU when the right button is down, else 0. With SHRG_NOTIFYPARENT the
// parent also gets WM_NOTIFY with an NMRGINFO (code GN_CONTEXTMENU).
DWORD SHRecognizeGesture(SHRGINFO* info);

// Makes a right click on a control send its parent the handheld's tap-and-hold notification:
// WM_NOTIFY, code GN_CONTEXTMENU, with an NMRGINFO whose point is in screen coordinates (for a tree
// view the control's own right-click handling is replaced; dwItemSpec is the tree item there).
void EnableTapAndHold(HWND control);

// ---- Telephony and device programs ------------------------------------------------------------

constexpr LONG TAPIERR_NOREQUESTRECIPIENT = -2;
constexpr LONG TAPIERR_INVALDESTADDRESS = -4;

// Asks the desktop's handler of "tel:" addresses to call the number; 0 on success, else a negative
// TAPIERR_ code (an empty or unsafe number is TAPIERR_INVALDESTADDRESS).
LONG tapiRequestMakeCall(LPCWSTR destAddress, LPCWSTR appName, LPCWSTR calledParty, LPCWSTR comment);

// Starts one of the device's programs with its command line, as the handheld does with
// CreateProcessW; the desktop gets the equivalent through its defaults (ShellExecute):
//   "iexplore.exe" ADDRESS        -> ADDRESS with the default browser
//   "tmail.exe" -to "ADDRESS"     -> mailto:ADDRESS with the default mail program
//   "peghelp.exe" file:NAME       -> the help file NAME beside the application
// Any other program is started with CreateProcessW as it is. True when it was started.
bool StartDeviceProgram(LPCWSTR program, LPCWSTR commandLine);

// The ShellExecute target that StartDeviceProgram uses for a device program, or an empty result
// (false) when the program is not one of the three. Exposed for tests.
bool DesktopTargetForDeviceProgram(LPCWSTR program, LPCWSTR commandLine, wchar_t* target, int size);

// ---- Storage cards ----------------------------------------------------------------------------

// Storage cards are the desktop's removable drives. The found data carries the card's name ("E:")
// and FILE_ATTRIBUTE_TEMPORARY, as the handheld marks removable storage.
HANDLE FindFirstFlashCard(WIN32_FIND_DATAW* data);
BOOL FindNextFlashCard(HANDLE find, WIN32_FIND_DATAW* data);
BOOL FindCloseFlashCard(HANDLE find);

}  // namespace ppc
