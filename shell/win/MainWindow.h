// The main window: the banner strip with the find bar, the wallet tree and the menu bar, the life
// of the open wallet (opening, reporting failures, closing to the wallet list, the synchronisation
// hand-shake) and the routing of the private messages.
#pragma once

#include <windows.h>

namespace tl5 {
class Wallet;
}

namespace tl5win {

constexpr UINT kMainMenuBar = 963;
constexpr UINT kFindMenuBar = 967;

// Controls of the banner and the tree.
constexpr int kFindToggle = 1001;
constexpr int kFindEdit = 1002;
constexpr int kFindNow = 1003;
constexpr int kFindClear = 1004;
constexpr int kExpandCollapse = 1005;
constexpr int kTreeControl = 1006;

// Timers of the main window.
constexpr UINT_PTR kDragScrollTimer = 3000;
constexpr UINT_PTR kIdleTimer = 3001;
constexpr UINT_PTR kSyncTimer = 3002;

// Help file shown by the help viewer.
extern const wchar_t kHelpFile[];

// The one wallet of the process, open or closed.
tl5::Wallet& AppWallet();

// Attaches the main window to the start-up: its window procedure, menu bars, contents, the wallet
// list's setup and the legacy conversion. Called before the start.
void InstallMainWindow();

// Creates the banner controls and the tree, and lays them out.
void MainWindowCreateContents(HWND window);

// The window procedure of the class "Ostrov Tessellock Pro 2005".
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The open flow: probe, password, load; failures are reported and lead back to the wallet list.
void MainWindowOpenWallet(HWND window, const wchar_t* path);

// Creates a wallet file with a password, a hint and the sample folder; the create result code.
int MainWindowCreateWallet(const wchar_t* path, const wchar_t* password, const wchar_t* hint);

// Shows menu bar `id`, keeping the current one when it is the same.
void MainWindowShowMenuBar(HWND window, UINT id);
UINT MainWindowMenuBarId();

// Shows or hides the find bar as it was last set (the find bar itself belongs to find).
void MainWindowReapplyFindBar(HWND window);
void MainWindowSetFindBarShown(HWND window, bool shown);
bool MainWindowFindBarShown();

// Places the banner controls and the tree.
void MainWindowLayout(HWND window);

// The parts of the main window that other screens fill in: a command table, the tree, the idle
// check and its watchdog. Every member may be left null.
struct MainWindowParts {
    // WM_COMMAND (command id, notification code, control); true when handled.
    bool (*command)(HWND window, int id, int code, HWND control) = nullptr;
    // WM_INITMENUPOPUP (the menu about to open).
    void (*initMenuPopup)(HWND window, HMENU menu, LPARAM position) = nullptr;
    // WM_NOTIFY from the tree; its result.
    LRESULT (*treeNotify)(HWND window, NMHDR* header) = nullptr;
    // Fill the tree for the freshly opened wallet, or empty it.
    void (*fillTree)(HWND tree) = nullptr;
    void (*clearTree)(HWND tree) = nullptr;
    // Timer 3000 while a drag runs; mouse moves and the button release of a drag.
    void (*dragTimer)(HWND window) = nullptr;
    void (*mouseMove)(HWND window, WPARAM keys, LPARAM point) = nullptr;
    void (*buttonUp)(HWND window, WPARAM keys, LPARAM point) = nullptr;
    // The idle check (timer 3001 and activation), the watchdog thread.
    void (*idleCheck)(HWND window) = nullptr;
    void (*startWatchdog)(HWND window) = nullptr;
    void (*stopWatchdog)() = nullptr;
    // Run the find (WMU_FIND_NOW), a closed card, a drop, an edited item, imports.
    void (*findNow)(HWND window) = nullptr;
    void (*cardClosed)(HWND window, WPARAM result) = nullptr;
    LRESULT (*drop)(HWND window, LPARAM target) = nullptr;
    void (*itemEdited)(HWND window, WPARAM item) = nullptr;
    void (*importExchange)(HWND window, WPARAM result) = nullptr;
    void (*importText)(HWND window, WPARAM result) = nullptr;
};
MainWindowParts& MainWindowHooks();

// The tree control of the main window.
HWND MainWindowTree(HWND window);

}  // namespace tl5win
