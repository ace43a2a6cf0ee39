// What the main window's files share: the state the window keeps in itself, and the steps one file
// carries out for another. Not for other screens (they use MainWindow.h).
#pragma once

#include <windows.h>

#include "platform/pocketpc/Shell.h"

namespace tl5win {

// The main window's state, made at WM_NCCREATE and kept in the window (GWLP_USERDATA) until
// WM_NCDESTROY.
struct MainWindowState {
    HWND window = nullptr;
    HWND menuBar = nullptr;
    UINT menuBarId = 0;
    ppc::SHACTIVATEINFO activation{};
    bool findBarShown = false;
    int bannerHeight = 0;
    RECT banner{};
    RECT bannerText{};
    // An open flow is running (its password prompt may be up); a close asked for meanwhile waits
    // for it to end.
    bool opening = false;
    bool closeAfterOpening = false;
};

// The state of a main window, or null for another window (or before WM_NCCREATE).
MainWindowState* StateOf(HWND window);

// ---- MainWindowBanner.cpp ----
void CreateBannerControls(HWND window);
void PaintBanner(const MainWindowState& s, HDC dc);
void DrawBannerButton(const MainWindowState& s, const DRAWITEMSTRUCT& item);

// ---- WalletFlow.cpp ----
// Closes the wallet (saving it) and shows the wallet list; waits for a running open flow first.
void CloseToWalletList(MainWindowState& s);
// The open flow's last step, posted (WMU_WALLET_OPENED): menu bar, focus, first tree item.
void WalletOpened(MainWindowState& s);
// The wallet list's choice (WMU_WALLET_LIST_ACTION): quit, create a wallet, or open one.
void HandleWalletListAction(MainWindowState& s, WPARAM action);

}  // namespace tl5win
