// The main window: the banner strip with the find bar, the wallet tree and the menu bar, the life
// of the open wallet (opening, reporting failures, closing to the wallet list, the synchronisation
// hand-shake) and the routing of the private messages (resources/messages.h).
//
// Its files: MainWindow.cpp (the window procedure, one line per message, and the command table),
// MainWindowBanner.cpp (the banner, its buttons and the find bar's place), WalletFlow.cpp (opening a
// wallet, closing it to the wallet list, the wallet list's choices). The window keeps its state in
// itself (MainWindowState, MainWindowInternal.h).
#pragma once

#include <windows.h>

namespace tl5 {
class Wallet;
}

namespace tl5win {

// The one wallet of the process, open or closed.
tl5::Wallet& AppWallet();

// The window procedure of the class "Ostrov Tessellock Pro 2005".
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creates the banner controls and the tree, and lays them out (once, at start-up).
void MainWindowCreateContents(HWND window);

// The open flow: probe, password, load; failures are reported and lead back to the wallet list.
void MainWindowOpenWallet(HWND window, const wchar_t* path);

// Creates a wallet file with a password, a hint and the sample folder, in the classic format or in the
// modern protection; the create result code.
int MainWindowCreateWallet(const wchar_t* path, const wchar_t* password, const wchar_t* hint, bool modern = false);

// Shows menu bar `id` (an IDMB_ resource), keeping the current one when it is the same; the id of
// the bar shown (0 when none).
void MainWindowShowMenuBar(HWND window, UINT id);
UINT MainWindowMenuBarId(HWND window);

// Shows or hides the find bar (the find itself belongs to find), or shows it again as it was set.
void MainWindowSetFindBarShown(HWND window, bool shown);
bool MainWindowFindBarShown(HWND window);
void MainWindowReapplyFindBar(HWND window);

// Places the banner controls and the tree.
void MainWindowLayout(HWND window);

// Builds every item of the wallet tree again from the open wallet (after a change of the tree's font,
// and for the benchmark of the fill).
void MainWindowFillTree(HWND window);

// The tree control of the main window.
HWND MainWindowTree(HWND window);

// The auto-close guard: the idle timer runs for the open wallet; the watchdog thread runs.
bool MainWindowGuarded(HWND window);
bool WatchdogRunning();

}  // namespace tl5win
