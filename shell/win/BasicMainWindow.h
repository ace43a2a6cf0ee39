// The private messages of the main window, and the plain main window the start-up uses until the
// full one (wallet tree, find bar, open flow) is attached through StartHooks().mainWindowProcedure:
// it paints the banner, shows menu bar 963, answers the hand-shake messages and closes.
#pragma once

#include <windows.h>

#include "platform/pocketpc/Shell.h"

namespace tl5 {

constexpr UINT WMU_FIND_NOW = 3025;
constexpr UINT WMU_WALLET_LIST_ACTION = 3026;
constexpr UINT WMU_CARD_CLOSED = 3027;
constexpr UINT WMU_DROP = 3028;
constexpr UINT WMU_OPEN_WALLET = 3029;
constexpr UINT WMU_SHOW_WALLET_LIST = 3030;
constexpr UINT WMU_WALLET_OPENED = 3031;
constexpr UINT WMU_ITEM_EDITED = 3032;
constexpr UINT WMU_IMPORT_EXCHANGE = 3124;
constexpr UINT WMU_IMPORT_TEXT = 3125;
constexpr UINT WMU_SYNC_START = 3524;
constexpr UINT WMU_SYNC_END = 3525;

constexpr UINT_PTR kTimerIdleCheck = 3001;
constexpr UINT_PTR kTimerSyncClose = 3002;

LRESULT CALLBACK BasicMainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Shows menu bar `id` on a window: kept when it is already shown, otherwise the current bar is
// destroyed and the new one created with its captions translated.
void BasicShowMenuBar(HWND window, UINT id);
UINT BasicMenuBarId();

// Height of the banner strip (23 logical pixels, 46 on a high-resolution screen).
int BannerHeight();

}  // namespace tl5
