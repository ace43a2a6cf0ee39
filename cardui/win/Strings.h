// Texts by string identifier from the language module, message boxes built from them, the
// translation of menu captions, and the user's date, time and size texts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tl5 {

// The module strings are loaded from (the language module, or the application itself when it holds
// its strings); null when none could be loaded.
void SetStringModule(HMODULE module);
HMODULE StringModule();

// The application's own module: dialogs, menus, menu bars, bitmaps, icons and accelerators.
void SetProgramInstance(HINSTANCE instance);
HINSTANCE ProgramInstance();

// The text of a string identifier, never null: "*" when there is no string module, "?" when the
// module has no such string. The text stays valid for the life of the process.
const wchar_t* LoadStringById(UINT id);

// MessageBoxW with both texts loaded by identifier; the standard result.
int MessageBoxById(HWND owner, UINT textId, UINT captionId, UINT flags);

// The control's window text becomes the loaded string.
void SetControlText(HWND dialog, int controlId, UINT stringId);

// Creates the menu bar `menuBarId` (950 to 987) of the application module for a window and
// translates its captions; the menu bar window, or null.
HWND CreateMenuBarById(HWND window, UINT menuBarId);

// Replaces the captions of a menu and all its submenus by their translations (MenuCaptionTable); a
// caption whose translation is empty or missing stays English.
// With a menu bar window, the top-level items name the bar's buttons instead: "Menu" the button of
// command 819, any other item the button of its own command.
void TranslateMenu(HMENU menu, HWND menuBar);

// The user's short date picture with a four-digit year.
std::wstring ShortDateFormat();
// The user's time picture without seconds.
std::wstring TimeFormat();
// A byte count in the user's number format with its unit: "1,023.00B", "1.50K", "2.00M"; at most
// 32 characters.
std::wstring SizeText(uint32_t bytes);

}  // namespace tl5
