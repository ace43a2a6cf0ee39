// Menu items by command, and the preparation every menu gets before it opens.
#pragma once

#include <windows.h>

#include <string>

namespace tl5win {

// The caption of the item with this command (at most 127 characters); empty when there is none.
std::wstring MenuItemCaption(HMENU menu, UINT command);
void EnableMenuCommand(HMENU menu, UINT command, bool enabled);

// What every window does with a menu about to open (WM_INITMENUPOPUP), menu bar pop-ups and tap-and-hold
// menus alike: notes activity and removes Exit when the setting ExitMenu is 0.
void PrepareMenu(HMENU menu);

}  // namespace tl5win
