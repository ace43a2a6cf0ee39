// What the main window's files share: the state the window keeps in itself, and the steps one file
// carries out for another. Not for other screens (they use MainWindow.h).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>

#include "cardui/win/CardWindow.h"
#include "exchange/ExchangeTexts.h"
#include "model/Card.h"

#include "platform/pocketpc/Shell.h"
#include "shell/AutoCloseRules.h"
#include "shell/WalletTreeRules.h"

namespace tl5win {

// A card open in the card window: the working copy, until the card window's result is carried out.
struct OpenCardState {
    std::unique_ptr<tl5::Card> card;
    CardWindowParams params;
    bool isNew = false;
    uint64_t ticket = 0;  // the wallet it belongs to
};

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
    // The auto-close guard (AutoClose.cpp): the idle timer and the watchdog run; an idle close has
    // begun (Exit is on its way); the window receives session lock notifications.
    bool guarded = false;
    bool idleClosing = false;
    bool sessionEvents = false;

    // ---- The wallet tree (WalletTree.cpp, TreeCommands.cpp) ----
    HWND tree = nullptr;
    tl5::TreeClipboard clipboard;   // cut, copy or drag: remembered by record id and generation
    HTREEITEM cutItem = nullptr;    // shown with the cut state
    bool renameAllowed = false;     // set by Rename; a label edit starts only then
    HWND renameEdit = nullptr;
    HMENU contextMenu = nullptr;    // the tap-and-hold menu while it is tracked
    // A drag in progress.
    bool dragging = false;
    HIMAGELIST dragImage = nullptr;
    POINT dragPoint{};              // the pointer, screen coordinates
    int dragTicks = 0;
    // The card in the card window (at most one).
    std::unique_ptr<OpenCardState> openCard;
    // The wallet an import's document chooser was started for (ExchangeCommands.cpp).
    uint64_t importTicket = 0;
};

// The state of a main window, or null for another window (or before WM_NCCREATE).
MainWindowState* StateOf(HWND window);

// ---- MainWindowBanner.cpp ----
void CreateBannerControls(HWND window);
void PaintBanner(const MainWindowState& s, HDC dc);
void DrawBannerButton(const MainWindowState& s, const DRAWITEMSTRUCT& item);

// ---- WalletTree.cpp ----
// Creates the tree control (once, with the banner).
void CreateWalletTree(MainWindowState& s);
// Rebuilds every tree item from the open wallet; empties the tree without one.
void FillWalletTree(MainWindowState& s);
void ClearWalletTree(MainWindowState& s);
void RebuildFavoritesNode(MainWindowState& s);
void RebuildFindResultsNode(MainWindowState& s, bool expand);
// The node of a tree item (its lParam and its parent's); the selection's with a null item.
tl5::TreeNode NodeOfItem(const MainWindowState& s, HTREEITEM item);
tl5::TreeNode SelectedNode(const MainWindowState& s);
tl5::SelectionState SelectionOf(const MainWindowState& s, HTREEITEM item = nullptr);
// The tree item showing the record at `index` outside the special nodes, or null.
HTREEITEM FindRecordItem(const MainWindowState& s, int index);
// Inserts the record's item under its folder's item (or refreshes it where it is), sorted; selects it.
HTREEITEM InsertOrRefreshRecord(MainWindowState& s, int index);
// Refreshes every item that shows the record (its folder item and its special-node children).
void RefreshRecordItems(MainWindowState& s, int index);
void SortChildrenOf(MainWindowState& s, HTREEITEM parent);
void ActivateItem(MainWindowState& s, HTREEITEM item);
LRESULT OnTreeNotify(MainWindowState& s, const NMHDR& header);
void OnDragMove(MainWindowState& s, POINT client);
void OnDragTimer(MainWindowState& s);
void OnDragEnd(MainWindowState& s, POINT client);
// A drop (WMU_DROP) and a finished rename (WMU_ITEM_EDITED) arrive by post: each carries the ticket
// of the wallet it was made for and does nothing when another wallet (or none) is open now.
void OnDrop(MainWindowState& s, uint64_t ticket, HTREEITEM target);
void OnItemEdited(MainWindowState& s, uint64_t ticket, int index);

// ---- TreeCommands.cpp ----
// Carries out a command of the main window; false when the id is not one of its commands.
bool RunMainWindowCommand(MainWindowState& s, int id, int code, HWND control);
// Menu preparation of the menu bar's pop-ups and the tree pop-ups.
void PrepareMainWindowMenu(MainWindowState& s, HMENU menu);
// Opens a working copy in the card window (edit mode for new cards and cards of My Forms); returns
// when the window has closed. Its result arrives as WMU_CARD_CLOSED.
void OpenCard(MainWindowState& s, std::unique_ptr<tl5::Card> card, bool isNew, bool edit);
// A card window's result (WMU_CARD_CLOSED).
void OnCardClosed(MainWindowState& s, WPARAM result);
// Before the wallet closes: an open card window commits and closes, and its result is carried out
// at once; a secret copied to the clipboard is removed.
void BeforeWalletCloses(MainWindowState& s);

// ---- ExchangeCommands.cpp ----
// Export (the export dialog, then the text or the form file export), Import (form files with My Forms
// or a form selected, otherwise a question and a text file) and Import Form (the import forms dialog).
void RunExportCommand(MainWindowState& s, const tl5::SelectionState& selection);
void RunImportCommand(MainWindowState& s, const tl5::SelectionState& selection);
void RunImportFormCommand(MainWindowState& s);
// The document chooser's file for the import (WMU_IMPORT_EXCHANGE, WMU_IMPORT_TEXT); wParam its code.
void OnImportExchange(MainWindowState& s, WPARAM code);
void OnImportText(MainWindowState& s, WPARAM code);
// The language module's texts and the user's dates, for the exchange steps.
tl5::ExchangeTexts AppExchangeTexts();

// ---- AutoClose.cpp ----
// Starts the idle timer and the watchdog when the open wallet has an auto-close period (and stops
// them otherwise); StopGuard stops both.
void StartGuard(MainWindowState& s);
void StopGuard(MainWindowState& s);
// The idle test against an activity stamp: closes the wallet when the period has passed since.
void CheckIdle(MainWindowState& s, uint64_t reference);
// Closes the pop-ups from the top down (keeping a card window's edits) and posts Exit.
void CloseIdleWallet(MainWindowState& s);
// A session lock or a suspend: closes a guarded wallet when the CloseOnLock setting is on.
void OnSessionEvent(MainWindowState& s, tl5::SessionEvent event);
void RegisterSessionEvents(MainWindowState& s);
void UnregisterSessionEvents(MainWindowState& s);

// ---- Find.cpp ----
// The find box's own handling of focus, Enter and Down; taken back when the window is destroyed.
void SubclassFindBox(MainWindowState& s);
void RestoreFindBox(MainWindowState& s);
// Find now (Go, the find-now button, WMU_FIND_NOW).
void FindNow(MainWindowState& s);
void EnterFindMode(MainWindowState& s);
void LeaveFindMode(MainWindowState& s);

// ---- WalletFlow.cpp ----
// Closes the wallet (saving it) and shows the wallet list; waits for a running open flow first.
void CloseToWalletList(MainWindowState& s);
// Turns the open wallet's modern protection on or off with its password (wiped afterwards): the
// wallet is saved and closed, its file rewritten, and it is opened again.
void ChangeWalletProtection(MainWindowState& s, bool modern, std::u16string& password);
// The open flow's last step, posted (WMU_WALLET_OPENED): menu bar, focus, first tree item.
void WalletOpened(MainWindowState& s);
// The wallet list's choice (WMU_WALLET_LIST_ACTION): quit, create a wallet, or open one.
void HandleWalletListAction(MainWindowState& s, WPARAM action);

}  // namespace tl5win
