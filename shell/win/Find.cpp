// Find: the find box's own keys, find mode, and the search with its Find results node.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "StringIds.h"
#include "cardui/Settings.h"
#include "cardui/win/Strings.h"
#include "model/TreeOrder.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/Text.h"
#include "platform/pocketpc/Shell.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/FindRules.h"
#include "shell/WalletGeneration.h"
#include "shell/win/MainWindow.h"
#include "shell/win/MainWindowInternal.h"

namespace tl5win {

namespace {

constexpr UINT_PTR kFindBoxSubclass = 1;

HWND FindBox(const MainWindowState& s) { return GetDlgItem(s.window, IDC_FIND_EDIT); }

LRESULT CALLBACK FindBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    HWND window = reinterpret_cast<HWND>(data);
    switch (message) {
    case WM_SETFOCUS: {
        const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
        ppc::SHSipPreference(window, ppc::SIP_UP);
        const int length = GetWindowTextLengthW(box);
        SendMessageW(box, EM_SETSEL, length, length);
        return result;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            ppc::SHSipPreference(window, ppc::SIP_DOWN);
            PostMessageW(window, WMU_FIND_NOW, 0, 0);
            return 0;
        }
        if (wParam == VK_DOWN) {
            ppc::SHSipPreference(window, ppc::SIP_DOWN);
            SetFocus(MainWindowTree(window));
            return 0;
        }
        break;
    case WM_CHAR:
        // The Enter key's character would only beep in a one-line box.
        if (wParam == L'\r' || wParam == L'\n') return 0;
        break;
    case WM_NCDESTROY: RemoveWindowSubclass(box, FindBoxProc, kFindBoxSubclass); break;
    default: break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

HTREEITEM FindResultsItem(const MainWindowState& s) {
    for (HTREEITEM item = TreeView_GetRoot(s.tree); item; item = TreeView_GetNextSibling(s.tree, item))
        if (NodeOfItem(s, item).treeIndex == tl5::kTreeIndexFindResults) return item;
    return nullptr;
}

// Nothing found or a text too short: the message, then the find bar stays up for another try.
void AskAgain(MainWindowState& s, UINT messageId) {
    const uint64_t ticket = tl5::AppWalletGeneration().Ticket();
    ShowMessage(s.window, messageId, IDS_APP_NAME, MB_ICONINFORMATION);
    // The message's loop runs timers: an idle close may have closed the wallet meanwhile.
    if (!tl5::AppWalletGeneration().IsCurrent(ticket)) return;
    EnterFindMode(s);
    ppc::SHSipPreference(s.window, ppc::SIP_UP);
}

}  // namespace

void SubclassFindBox(MainWindowState& s) {
    HWND box = FindBox(s);
    if (!box) return;
    SendMessageW(box, EM_LIMITTEXT, tl5::kFindBoxLimit, 0);
    SetWindowSubclass(box, FindBoxProc, kFindBoxSubclass, reinterpret_cast<DWORD_PTR>(s.window));
}

void RestoreFindBox(MainWindowState& s) {
    if (HWND box = FindBox(s)) RemoveWindowSubclass(box, FindBoxProc, kFindBoxSubclass);
}

void EnterFindMode(MainWindowState& s) {
    MainWindowSetFindBarShown(s.window, true);
    MainWindowShowMenuBar(s.window, IDMB_FIND);
    SetFocus(FindBox(s));
}

void LeaveFindMode(MainWindowState& s) {
    MainWindowSetFindBarShown(s.window, false);
    MainWindowShowMenuBar(s.window, IDMB_MAIN);
    SetFocus(s.tree);
    ppc::SHSipPreference(s.window, ppc::SIP_DOWN);
}

void FindNow(MainWindowState& s) {
    // A find posted by the box may arrive after the wallet closed.
    if (!tl5::AppWalletGeneration().IsOpen() || !AppWallet().IsOpen()) return;
    const int length = GetWindowTextLengthW(FindBox(s));
    std::wstring box(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(FindBox(s), box.data(), length + 1);
    box.resize(wcsnlen(box.c_str(), box.size()));
    const tl5::FindInput input = tl5::ClassifyFindInput(tl5::FromWide(box));
    switch (input.action) {
    case tl5::FindInputAction::kTooShort: AskAgain(s, IDS_FIND_TOO_SHORT); return;
    case tl5::FindInputAction::kReset:
        // The settings go back to their defaults (written at exit); the find bar is left as it is.
        tl5::AppSettings().ApplyDefaults();
        MessageBeep(MB_ICONQUESTION);
        return;
    case tl5::FindInputAction::kSearch: break;
    }
    if (input.shortened) SetWindowTextW(FindBox(s), tl5::ToWide(input.text).c_str());
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const int found = tl5::FindCards(AppWallet(), input.text, false);
    SetCursor(previous);
    RebuildFindResultsNode(s, true);
    if (found > 0) {
        HTREEITEM node = FindResultsItem(s);
        if (!node) return;
        TreeView_SelectItem(s.tree, node);
        TreeView_EnsureVisible(s.tree, node);
        // The tree taking the focus ends find mode.
        SetFocus(s.tree);
        MainWindowSetFindBarShown(s.window, false);
        MainWindowShowMenuBar(s.window, IDMB_MAIN);
        return;
    }
    AskAgain(s, IDS_FIND_NOTHING);
}

}  // namespace tl5win
