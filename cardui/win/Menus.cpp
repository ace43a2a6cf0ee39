#include "cardui/win/Menus.h"

#include "cardui/Settings.h"
#include "cardui/win/Activity.h"
#include "resources/resource.h"

namespace tl5win {

std::wstring MenuItemCaption(HMENU menu, UINT command) {
    wchar_t caption[128] = {};
    if (!menu || GetMenuStringW(menu, command, caption, 128, MF_BYCOMMAND) <= 0) return std::wstring();
    return caption;
}

void EnableMenuCommand(HMENU menu, UINT command, bool enabled) {
    if (menu) EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void PrepareMenu(HMENU menu) {
    NoteActivity();
    if (menu && tl5::AppSettings().exitMenu == 0) DeleteMenu(menu, IDM_EXIT, MF_BYCOMMAND);
}

}  // namespace tl5win
