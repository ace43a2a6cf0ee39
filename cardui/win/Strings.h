// Texts by string identifier from the language module, message boxes built from them, the
// translation of menu captions, and the user's date, time and size texts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/LocalTime.h"

namespace tl5win {

// The module strings are loaded from (the language module, or the application itself when it holds
// its strings); null when none could be loaded.
void SetStringModule(HMODULE module);
HMODULE StringModule();

// The application's own module: dialogs, menus, menu bars, bitmaps, icons and accelerators.
void SetProgramInstance(HINSTANCE instance);
HINSTANCE ProgramInstance();

// The text of a string identifier (an IDS_ name of StringIds.h), never null: "*" when there is no
// string module, "?" when the module has no such string. The one lookup of user-interface texts on
// this side; the text stays valid for the life of the process.
const wchar_t* Text(UINT id);

// The same text for the portable rules that take their strings from a StringSource.
std::u16string TextU16(uint32_t id);

// A message box built from a text, a caption string (IDS_APP_NAME, IDS_ERROR or IDS_QUESTION) and the
// platform's icon and button flags; the standard result.
int ShowMessage(HWND owner, const std::wstring& text, UINT captionId, UINT flags);
int ShowMessage(HWND owner, UINT textId, UINT captionId, UINT flags);

// Creates the menu bar `menuBarId` (an IDMB_ resource) of the application module for a window and
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
// A byte count in the user's number format with its unit: "1,023B", "1.50K", "2.00M"; at most
// 32 characters.
std::wstring SizeText(uint32_t bytes);

// The display text of a date, time or date-and-time field in the user's pictures (the date, two
// spaces, the time); the program's own "yyyy-MM-dd HH:mm" texts for a value the system cannot
// format. Installed as the fields' formatter when the application starts.
std::u16string UserFieldDateTimeText(const tl5::SystemTime& time, uint16_t type);

}  // namespace tl5win
