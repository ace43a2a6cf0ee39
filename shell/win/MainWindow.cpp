// The main window's procedure (one line per message) and its command table.
#include "shell/win/MainWindow.h"

#include <wtsapi32.h>

#include "cardui/win/Activity.h"
#include "cardui/win/Menus.h"
#include "cardui/win/Strings.h"
#include "model/Wallet.h"
#include "platform/pocketpc/Shell.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/WalletGeneration.h"
#include "shell/win/MainWindowInternal.h"
#include "shell/win/AppState.h"
#include "shell/win/WalletList.h"

namespace tl5win {

namespace {

// The help page shown by the help viewer, beside the program.
constexpr wchar_t kHelpFile[] = L"tlpro5en.htm";

// ---- Messages ------------------------------------------------------------------------------------

LRESULT OnNcCreate(HWND window) {
    auto* s = new MainWindowState;
    s->window = window;
    s->activation.cbSize = 12;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
    return TRUE;
}

LRESULT OnNcDestroy(HWND window, MainWindowState* s) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete s;
    return 0;
}

LRESULT OnDestroy(MainWindowState& s) {
    StopGuard(s);
    RestoreFindBox(s);
    UnregisterSessionEvents(s);
    if (s.menuBar && IsWindow(s.menuBar)) DestroyWindow(s.menuBar);
    s.menuBar = nullptr;
    s.menuBarId = 0;
    PostQuitMessage(0);
    return 0;
}

LRESULT OnSize(MainWindowState& s) {
    if (WalletListIsShown()) {
        SetFocus(WalletListWindow());
    } else {
        HWND focus = GetFocus();
        HWND tree = MainWindowTree(s.window);
        if (focus != GetDlgItem(s.window, IDC_FIND_EDIT) && focus != tree) SetFocus(tree);
    }
    MainWindowLayout(s.window);
    return 0;
}

LRESULT OnActivate(MainWindowState& s, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WA_INACTIVE) return 0;
    CheckIdle(s, LastActivity());
    if (!WalletListIsShown()) SetFocus(MainWindowTree(s.window));
    ppc::SHHandleWMActivate(s.window, wParam, lParam, &s.activation, 0);
    return 0;
}

LRESULT OnPaint(MainWindowState& s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(s.window, &ps);
    PaintBanner(s, dc);
    EndPaint(s.window, &ps);
    return 0;
}

LRESULT OnClose(MainWindowState& s) {
    StopGuard(s);
    BeforeWalletCloses(s);
    AppWallet().Close(true);
    tl5::AppWalletGeneration().Closed();
    SendMessageW(s.window, WM_ACTIVATE, WA_INACTIVE, 0);
    PostQuitMessage(0);
    return 0;
}

LRESULT OnSettingChange(MainWindowState& s, WPARAM wParam, LPARAM lParam) {
    ppc::SHHandleWMSettingChange(s.window, wParam, lParam, &s.activation);
    return 0;
}

LRESULT OnDrawItem(MainWindowState& s, const DRAWITEMSTRUCT* item) {
    if (item && item->CtlType == ODT_BUTTON) DrawBannerButton(s, *item);
    return TRUE;
}

LRESULT OnNotify(MainWindowState& s, const NMHDR* header) {
    // A repaint of the tree is no user activity; every other notification is.
    if (!header || header->code != NM_CUSTOMDRAW) NoteActivity();
    return header && header->hwndFrom == s.tree ? OnTreeNotify(s, *header) : 0;
}

LRESULT OnHelp(MainWindowState&) {
    wchar_t commandLine[MAX_PATH + 8] = {};
    swprintf(commandLine, MAX_PATH + 8, L"file:%s", kHelpFile);
    ppc::StartDeviceProgram(L"peghelp.exe", commandLine);
    return 0;
}

LRESULT OnCommand(MainWindowState& s, int id, int code, HWND control) {
    RunMainWindowCommand(s, id, code, control);
    return 0;
}

LRESULT OnTimer(MainWindowState& s, UINT_PTR id) {
    if (id == TIMER_DRAG_SCROLL) OnDragTimer(s);
    if (id == TIMER_IDLE_CHECK) CheckIdle(s, LastActivity());
    if (id == TIMER_SYNC_CLOSE) {
        KillTimer(s.window, TIMER_SYNC_CLOSE);
        PostMessageW(s.window, WMU_SHOW_WALLET_LIST, 0, 0);
    }
    return 0;
}

LRESULT OnInitMenuPopup(MainWindowState& s, HMENU menu) {
    PrepareMainWindowMenu(s, menu);
    return 0;
}

LRESULT OnMouseMove(MainWindowState& s, LPARAM point) {
    OnDragMove(s, POINT{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))});
    return 0;
}

LRESULT OnButtonUp(MainWindowState& s, LPARAM point) {
    OnDragEnd(s, POINT{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))});
    return 0;
}

LRESULT OnDropPosted(MainWindowState& s, WPARAM ticket, LPARAM target) {
    OnDrop(s, static_cast<uint64_t>(ticket), reinterpret_cast<HTREEITEM>(target));
    return 0;
}

LRESULT OnItemEditedPosted(MainWindowState& s, WPARAM index, LPARAM ticket) {
    OnItemEdited(s, static_cast<uint64_t>(ticket), static_cast<int>(index));
    return 0;
}

LRESULT OnCardClosedPosted(MainWindowState& s, WPARAM result) {
    NoteActivity();
    OnCardClosed(s, result);
    return 0;
}

LRESULT OnControlColor(HDC dc) {
    SetTextColor(dc, 0x00FF0000);
    SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

LRESULT OnWalletListAction(MainWindowState& s, WPARAM action) {
    NoteActivity();
    HandleWalletListAction(s, action);
    return 0;
}

LRESULT OnOpenWallet(MainWindowState& s) {
    const std::wstring path = App().pendingPath;
    MainWindowOpenWallet(s.window, path.c_str());
    return 0;
}

LRESULT OnShowWalletList(MainWindowState& s) {
    CloseToWalletList(s);
    return 0;
}

LRESULT OnWalletOpened(MainWindowState& s, WPARAM opened) {
    if (opened == 1) WalletOpened(s);
    return 0;
}

LRESULT OnSyncStart(MainWindowState& s) {
    SetTimer(s.window, TIMER_SYNC_CLOSE, 1000, nullptr);
    MessageBeep(MB_ICONASTERISK);
    Sleep(100);
    MessageBeep(MB_ICONQUESTION);
    return 0;
}

LRESULT OnFindNow(MainWindowState& s) {
    FindNow(s);
    return 0;
}

LRESULT OnCheckIdle(MainWindowState& s, WPARAM low, LPARAM high) {
    CheckIdle(s, (static_cast<uint64_t>(static_cast<uint32_t>(high)) << 32) | static_cast<uint32_t>(low));
    return 0;
}

LRESULT OnSessionChange(MainWindowState& s, WPARAM event) {
    OnSessionEvent(s, event == WTS_SESSION_LOCK ? tl5::SessionEvent::kLock : tl5::SessionEvent::kOther);
    return 0;
}

LRESULT OnPowerBroadcast(MainWindowState& s, WPARAM event) {
    OnSessionEvent(s, event == PBT_APMSUSPEND ? tl5::SessionEvent::kSuspend : tl5::SessionEvent::kOther);
    return TRUE;
}

LRESULT OnSyncEnd(MainWindowState&) {
    MessageBeep(MB_ICONASTERISK);
    return 0;
}

}  // namespace

MainWindowState* StateOf(HWND window) {
    return window ? reinterpret_cast<MainWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA)) : nullptr;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindowState* s = StateOf(window);
    if (message == WM_NCCREATE) OnNcCreate(window);
    if (!s) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_NCDESTROY: return OnNcDestroy(window, s);
    case WM_DESTROY: return OnDestroy(*s);
    case WM_SIZE: return OnSize(*s);
    case WM_ACTIVATE: return OnActivate(*s, wParam, lParam);
    case WM_PAINT: return OnPaint(*s);
    case WM_CLOSE: return OnClose(*s);
    case WM_SETTINGCHANGE: return OnSettingChange(*s, wParam, lParam);
    case WM_DRAWITEM: return OnDrawItem(*s, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_NOTIFY: return OnNotify(*s, reinterpret_cast<const NMHDR*>(lParam));
    case WM_HELP: return OnHelp(*s);
    case WM_COMMAND: return OnCommand(*s, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_TIMER: return OnTimer(*s, wParam);
    case WM_INITMENUPOPUP: return OnInitMenuPopup(*s, reinterpret_cast<HMENU>(wParam));
    case WM_MOUSEMOVE: return OnMouseMove(*s, lParam);
    case WM_LBUTTONUP: return OnButtonUp(*s, lParam);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC: return OnControlColor(reinterpret_cast<HDC>(wParam));
    case WMU_WALLET_LIST_ACTION: return OnWalletListAction(*s, wParam);
    case WMU_OPEN_WALLET: return OnOpenWallet(*s);
    case WMU_SHOW_WALLET_LIST: return OnShowWalletList(*s);
    case WMU_WALLET_OPENED: return OnWalletOpened(*s, wParam);
    case WMU_SYNC_START: return OnSyncStart(*s);
    case WMU_SYNC_END: return OnSyncEnd(*s);
    case WMU_DROP: return OnDropPosted(*s, wParam, lParam);
    case WMU_ITEM_EDITED: return OnItemEditedPosted(*s, wParam, lParam);
    case WMU_CARD_CLOSED: return OnCardClosedPosted(*s, wParam);
    case WMU_FIND_NOW: return OnFindNow(*s);
    case WMU_CHECK_IDLE: return OnCheckIdle(*s, wParam, lParam);
    case WM_WTSSESSION_CHANGE: return OnSessionChange(*s, wParam);
    case WM_POWERBROADCAST: return OnPowerBroadcast(*s, wParam);
    case WMU_IMPORT_EXCHANGE: return OnImportExchange(*s, wParam), 0;
    case WMU_IMPORT_TEXT: return OnImportText(*s, wParam), 0;
    case WMU_SHELL_IGNORED_1:
    case WMU_SHELL_IGNORED_2: return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

tl5::Wallet& AppWallet() {
    static tl5::Wallet wallet;
    return wallet;
}

UINT MainWindowMenuBarId(HWND window) {
    const MainWindowState* s = StateOf(window);
    return s && s->menuBar && IsWindow(s->menuBar) ? s->menuBarId : 0;
}

void MainWindowShowMenuBar(HWND window, UINT id) {
    MainWindowState* s = StateOf(window);
    if (!s) return;
    if (s->menuBar && s->menuBarId == id && IsWindow(s->menuBar)) return;
    if (s->menuBar && IsWindow(s->menuBar)) DestroyWindow(s->menuBar);
    if (HWND stale = ppc::SHFindMenuBar(window)) DestroyWindow(stale);
    s->menuBar = CreateMenuBarById(window, id);
    s->menuBarId = s->menuBar ? id : 0;
}

}  // namespace tl5win
