// Services the main window and its screens share: strings and message boxes by number, the
// display scale, the fonts of the dialogs, and the common frame of the full-screen dialogs (the
// dialog bar's title, the menu bar, the caption's OK button, settings changes).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/pocketpc/Shell.h"

namespace tl5win {

// The application's module (dialog templates, menu bars, icons).
HINSTANCE AppInstance();

// A user-interface string by number ("*" without a language module, "?" for a missing string).
std::wstring Text(uint32_t id);

// A message box built from a text, a caption string number and the platform's flags.
int ShowMessage(HWND owner, const std::wstring& text, uint32_t captionId, UINT flags);

// True on a screen of 192 dots per inch or more, where every scaled pixel constant doubles.
bool HighResolution();
int Scaled(int pixels);

// Font cache entries the screens use (owned by the cache; never delete them).
constexpr int kFont9Bold = 7;
constexpr int kFont85Bold = 23;
constexpr int kFont85BoldUnderlined = 24;
HFONT DialogFont(int fontTableIndex);

// A dialog bar created in code (the wallet list's title bar) with its caption and icon.
HWND CreateTitleBar(HWND parent, const std::wstring& caption, int iconId);

// The common dialog frame: full screen with the caption's OK button, the dialog bar's title and
// icon, the menu bar, and one settings change so the layout follows the input panel.
struct DialogFrame {
    ppc::SHACTIVATEINFO activation{};
    HWND menuBar = nullptr;
};
void InitDialogFrame(HWND dialog, DialogFrame* frame, const std::wstring& title, int iconId, UINT menuBarId);
// WM_SETTINGCHANGE, WM_ACTIVATE (when `activation` is set) and WM_SIZE of a framed dialog.
void HandleDialogFrameMessage(HWND dialog, DialogFrame* frame, UINT message, WPARAM wParam, LPARAM lParam,
                              bool activation);

// Creates a menu bar from its resource for an owner; its captions come from the language module.
HWND CreateMenuBarFor(HWND owner, UINT menuBarId);

// Stores the current local time as the last activity time.
void NoteActivity();

// Starts the device's browser with the address as its whole command line; does not wait.
bool OpenWebPage(const wchar_t* address);

// The maker's home page, shown by About.
extern const wchar_t kHomePage[];

}  // namespace tl5win
