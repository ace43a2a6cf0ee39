#include "shell/win/MainWindow.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "cardui/win/FontCache.h"
#include "cardui/win/ImageLists.h"
#include "dialogs/win/About.h"
#include "exchange/LegacyConversion.h"
#include "dialogs/win/PasswordDialogs.h"
#include "model/Wallet.h"
#include "model/WalletBlocks.h"
#include "platform/File.h"
#include "platform/PathText.h"
#include "platform/SecureZero.h"
#include "platform/Text.h"
#include "platform/pocketpc/DeviceScreen.h"
#include "shell/MainWindowLayout.h"
#include "shell/Settings.h"
#include "shell/WalletListRules.h"
#include "cardui/win/DialogBar.h"
#include "shell/win/BasicMainWindow.h"
#include "shell/win/MainWindowFrame.h"
#include "shell/win/Startup.h"
#include "shell/win/WalletList.h"

namespace tl5win {

const wchar_t kHelpFile[] = L"tlpro5en.htm";

namespace {

// Icons of the banner buttons.
constexpr int kIconFind = 217;
constexpr int kIconClear = 218;
constexpr int kIconExpand = 219;
constexpr int kIconFindNow = 220;
// The line under the banner: red 59, green 97, blue 156.
constexpr COLORREF kBannerLine = 0x009C613B;
// A pressed banner button: a light gradient inside a dark frame.
constexpr COLORREF kPressedStart = 0x00CCF4FF;
constexpr COLORREF kPressedEnd = 0x0091D0FF;

struct MainWindowState {
    HWND menuBar = nullptr;
    UINT menuBarId = 0;
    HMENU contextMenu = nullptr;
    ppc::SHACTIVATEINFO activation{};
    bool findBarShown = false;
    int bannerHeight = 0;
    RECT banner{};
    RECT bannerText{};
    WNDPROC findEditProc = nullptr;
    // An open flow is running (its password prompt may be up); a close asked for meanwhile waits
    // for it to end.
    bool opening = false;
    bool closeAfterOpening = false;
};

MainWindowState& State() {
    static MainWindowState state;
    return state;
}

std::wstring Wide(const std::u16string& s) { return tl5::ToWide(s); }

HWND Control(HWND window, int id) { return GetDlgItem(window, id); }

// The password of a wallet file, checked against its header as the probe read it. The probe of a
// protected wallet without a password leaves the wallet object closed, so the header is read once
// more here and kept for the dialog's run.
class HeaderMatcher : public PasswordMatcher {
public:
    explicit HeaderMatcher(const std::u16string& path) {
        std::unique_ptr<tl5::File> file;
        if (tl5::OsFileSystem().Open(path, tl5::FileMode::OpenReadOnly, tl5::FileShare::Read, &file) != 0) return;
        tl5::FileSignature signature;
        signature.AttachFile(file.get());
        header_.AttachFile(file.get());
        file->Seek(tl5::kFileSignatureOffset);
        ready_ = signature.Read() == tl5::kBlockOk && signature.IsValid() && header_.Read() == tl5::kBlockOk;
        header_.AttachFile(nullptr);
    }
    bool Matches(std::u16string_view password) override {
        return ready_ && header_.IsPasswordSet() && header_.CheckPassword(password);
    }
    std::u16string Hint() override { return ready_ ? header_.Hint() : std::u16string(); }

private:
    tl5::WalletHeader header_;
    bool ready_ = false;
};

void CreateBannerControls(HWND window);

void ClearTree(HWND window) {
    HWND tree = MainWindowTree(window);
    if (MainWindowHooks().clearTree)
        MainWindowHooks().clearTree(tree);
    else if (tree)
        TreeView_DeleteAllItems(tree);
}

void StopWatchdog() {
    if (MainWindowHooks().stopWatchdog) MainWindowHooks().stopWatchdog();
}

int DefaultLegacyConverter(const wchar_t* legacyPath, const wchar_t* password, wchar_t* newPath, HWND) {
    std::u16string converted;
    std::u16string secret = tl5::FromWide(password ? password : L"");
    const int result =
        tl5::ConvertLegacyWallet(tl5::OsFileSystem(), tl5::FromWide(legacyPath ? legacyPath : L""), secret, &converted);
    tl5::SecureZero(secret);
    if (newPath) lstrcpynW(newPath, Wide(converted).c_str(), MAX_PATH);
    return result;
}

void SetUpWalletList(HINSTANCE instance, HMODULE strings) {
    WalletListSetup(tl5::WMU_WALLET_LIST_ACTION, L"*.wal;*.tl5", Text(25001).c_str(), instance, strings, 200);
}

void CreateContents(HWND window) {
    CreateBannerControls(window);
    MainWindowLayout(window);
}

}  // namespace

void MainWindowCreateContents(HWND window) { CreateContents(window); }

void InstallMainWindow() {
    tl5::StartupHooks& hooks = tl5::StartHooks();
    hooks.mainWindowProcedure = MainWindowProc;
    hooks.showMenuBar = MainWindowShowMenuBar;
    hooks.createContents = CreateContents;
    hooks.setUpWalletList = SetUpWalletList;
    SetLegacyConverter(DefaultLegacyConverter);
}

namespace {

void CreateBannerControls(HWND window) {
    HINSTANCE instance = AppInstance();
    for (int id : {kFindToggle, kFindNow, kFindClear, kExpandCollapse}) {
        CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | BS_OWNERDRAW | (id == kFindToggle ? WS_VISIBLE : 0), 0, 0, 1,
                        1, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    }
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, 0, 0, 1, 1, window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFindEdit)), instance, nullptr);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(kFont9Bold)), FALSE);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    CreateWindowExW(0, WC_TREEVIEWW, L"",
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                        TVS_SHOWSELALWAYS,
                    0, 0, 1, 1, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTreeControl)), instance,
                    nullptr);
}

void PaintBanner(HWND, HDC dc) {
    MainWindowState& s = State();
    const tl5::Settings& settings = tl5::AppSettings();
    const int w = ppc::DeviceSystemMetrics(SM_CXSCREEN);
    tl5::FillGradient(dc, s.banner, settings.colorBarStart, settings.colorBarEnd, true);
    // The dark line closes the banner off against the tree; it takes the banner's last row, where
    // the tree cannot cover it.
    HBRUSH line = CreateSolidBrush(kBannerLine);
    RECT lineRect{0, s.banner.bottom, w, s.banner.bottom + 1};
    FillRect(dc, &lineRect, line);
    DeleteObject(line);
    if (!s.findBarShown && AppWallet().IsOpen()) {
        const std::wstring name = Wide(AppWallet().Name());
        HGDIOBJ old = SelectObject(dc, DialogFont(kFont9Bold));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, settings.colorBarText);
        RECT text = s.bannerText;
        DrawTextW(dc, name.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(dc, old);
    }
}

void DrawBannerButton(HWND window, const DRAWITEMSTRUCT& item) {
    MainWindowState& s = State();
    const tl5::Settings& settings = tl5::AppSettings();
    RECT r = item.rcItem;
    if (item.itemState & ODS_SELECTED) {
        FillRect(item.hDC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        RECT inner{r.left + 1, r.top + 1, r.right - Scaled(2), r.bottom - Scaled(2)};
        tl5::FillGradient(item.hDC, inner, kPressedStart, kPressedEnd, true);
    } else {
        // The part of the banner gradient under the button, so that it blends in.
        RECT inWindow = r;
        MapWindowPoints(item.hwndItem, window, reinterpret_cast<POINT*>(&inWindow), 2);
        RECT reference = s.banner;
        OffsetRect(&reference, -inWindow.left, -inWindow.top);
        tl5::FillGradientPart(item.hDC, r, settings.colorBarStart, settings.colorBarEnd, reference);
    }
    int icon = 0;
    switch (item.CtlID) {
    case kFindToggle: icon = kIconFind; break;
    case kFindNow: icon = kIconFindNow; break;
    case kFindClear: icon = kIconClear; break;
    case kExpandCollapse: icon = kIconExpand; break;
    default: break;
    }
    if (!icon) return;
    const int size = Scaled(16);
    HICON handle =
        static_cast<HICON>(LoadImageW(AppInstance(), MAKEINTRESOURCEW(icon), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (handle) {
        DrawIconEx(item.hDC, Scaled(2), Scaled(2), handle, size, size, 0, nullptr, DI_NORMAL);
        DestroyIcon(handle);
    }
}

void CloseToWalletList(HWND window) {
    MainWindowState& s = State();
    if (s.opening) {
        // The synchronisation (or another close) came while a wallet was being opened: the prompt
        // gives up, and the open flow closes again once it has ended.
        s.closeAfterOpening = true;
        if (HWND prompt = CurrentPasswordDialog()) PostMessageW(prompt, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    SetForegroundWindow(window);
    if (s.contextMenu) {
        DestroyMenu(s.contextMenu);
        s.contextMenu = nullptr;
    }
    KillTimer(window, kIdleTimer);
    StopWatchdog();
    SendMessageW(window, WM_CANCELMODE, 0, 0);
    SendMessageW(window, WM_LBUTTONDOWN, 0, MAKELPARAM(0, 100));
    if (s.menuBar) DestroyWindow(s.menuBar);
    s.menuBar = nullptr;
    s.menuBarId = 0;
    ClearTree(window);
    AppWallet().Close(true);
    InvalidateRect(window, &s.banner, TRUE);
    ppc::SHDoneButton(window, ppc::SHDB_HIDE);
    WalletListShow(window);
}

void WalletOpened(HWND window) {
    ppc::SHSipPreference(window, ppc::SIP_DOWN);
    MainWindowSetFindBarShown(window, false);
    MainWindowShowMenuBar(window, kMainMenuBar);
    HWND tree = MainWindowTree(window);
    SetFocus(tree);
    if (tree) {
        HTREEITEM first = TreeView_GetRoot(tree);
        if (first) TreeView_SelectItem(tree, first);
    }
    InvalidateRect(window, nullptr, TRUE);
}

// The commands this window carries out itself until the command table takes them over.
void DefaultCommand(HWND window, int id) {
    switch (id) {
    case IDOK:
        PostMessageW(window, tl5::WMU_SHOW_WALLET_LIST, 0, 0);
        break;
    case 802:  // Exit
        SendMessageW(window, WM_CLOSE, 0, 0);
        break;
    case 808:  // About
        ShowAbout(window);
        break;
    case kFindToggle:
        MainWindowSetFindBarShown(window, !State().findBarShown);
        break;
    default:
        break;
    }
}

LRESULT PrivateMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindowParts& parts = MainWindowHooks();
    switch (message) {
    case tl5::WMU_FIND_NOW:
        if (parts.findNow) parts.findNow(window);
        return 0;
    case tl5::WMU_WALLET_LIST_ACTION:
        NoteActivity();
        HandleWalletListAction(window, wParam);
        return 0;
    case tl5::WMU_CARD_CLOSED:
        NoteActivity();
        if (parts.cardClosed) parts.cardClosed(window, wParam);
        return 0;
    case tl5::WMU_DROP:
        return parts.drop ? parts.drop(window, lParam) : 0;
    case tl5::WMU_OPEN_WALLET: {
        const std::wstring path = tl5::App().pendingPath;
        MainWindowOpenWallet(window, path.c_str());
        return 0;
    }
    case tl5::WMU_SHOW_WALLET_LIST:
        CloseToWalletList(window);
        return 0;
    case tl5::WMU_WALLET_OPENED:
        if (wParam == 1) WalletOpened(window);
        return 0;
    case tl5::WMU_ITEM_EDITED:
        if (parts.itemEdited) parts.itemEdited(window, wParam);
        return 0;
    case tl5::WMU_IMPORT_EXCHANGE:
        if (parts.importExchange) parts.importExchange(window, wParam);
        return 0;
    case tl5::WMU_IMPORT_TEXT:
        if (parts.importText) parts.importText(window, wParam);
        return 0;
    case tl5::WMU_SYNC_START:
        SetTimer(window, kSyncTimer, 1000, nullptr);
        MessageBeep(0x40);
        Sleep(100);
        MessageBeep(0x20);
        return 0;
    case tl5::WMU_SYNC_END:
        MessageBeep(0x40);
        return 0;
    default:
        return 0;
    }
}

}  // namespace

tl5::Wallet& AppWallet() {
    static tl5::Wallet wallet;
    return wallet;
}

MainWindowParts& MainWindowHooks() {
    static MainWindowParts parts;
    return parts;
}

HWND MainWindowTree(HWND window) { return Control(window, kTreeControl); }

UINT MainWindowMenuBarId() { return State().menuBar ? State().menuBarId : 0; }

void MainWindowShowMenuBar(HWND window, UINT id) {
    MainWindowState& s = State();
    if (!s.menuBar) {
        // Start-up may have made the first one.
        HWND existing = ppc::SHFindMenuBar(window);
        if (existing && id == kMainMenuBar && s.menuBarId == 0) {
            s.menuBar = existing;
            s.menuBarId = id;
        }
    }
    if (s.menuBar && s.menuBarId == id && IsWindow(s.menuBar)) return;
    if (s.menuBar && IsWindow(s.menuBar)) DestroyWindow(s.menuBar);
    if (HWND stale = ppc::SHFindMenuBar(window)) DestroyWindow(stale);
    s.menuBar = CreateMenuBarFor(window, id);
    s.menuBarId = s.menuBar ? id : 0;
}

bool MainWindowFindBarShown() { return State().findBarShown; }

void MainWindowSetFindBarShown(HWND window, bool shown) {
    State().findBarShown = shown;
    MainWindowReapplyFindBar(window);
}

void MainWindowReapplyFindBar(HWND window) {
    ShowWindow(Control(window, kFindEdit), State().findBarShown ? SW_SHOW : SW_HIDE);
    MainWindowLayout(window);
    InvalidateRect(window, &State().banner, TRUE);
}

void MainWindowLayout(HWND window) {
    MainWindowState& s = State();
    RECT client{};
    GetClientRect(window, &client);
    wchar_t find[128] = {};
    GetWindowTextW(Control(window, kFindEdit), find, 128);
    const tl5::MainWindowLayout l =
        tl5::ComputeMainWindowLayout(ppc::DeviceSystemMetrics(SM_CXSCREEN), client.right, client.bottom,
                                     HighResolution(), s.findBarShown, tl5::FromWide(find));
    auto place = [&](int id, const tl5::LayoutRect& r, bool visible) {
        HWND control = Control(window, id);
        if (!control) return;
        SetWindowPos(control, nullptr, r.left, r.top, r.width, r.height,
                     SWP_NOZORDER | SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    };
    place(kFindToggle, l.findToggle, true);
    place(kFindNow, l.findNow, l.showFindNow);
    place(kFindClear, l.clear, l.showClear);
    place(kExpandCollapse, l.expandCollapse, l.showExpandCollapse);
    place(kFindEdit, l.findEdit, s.findBarShown);
    place(kTreeControl, l.tree, true);
    if (s.bannerHeight == 0) {
        s.bannerHeight = l.bannerHeight;
        tl5::SetDialogBarGlobals(l.bannerHeight, DialogFont(kFont9Bold));
    }
    s.banner = RECT{0, 0, l.bannerRight, l.bannerBottom};
    s.bannerText = RECT{l.bannerTextLeft, l.bannerTextTop, l.bannerTextRight, l.bannerTextBottom};
}

int MainWindowCreateWallet(const wchar_t* path, const wchar_t* password, const wchar_t* hint) {
    if (!path || !password) return 1;
    std::u16string secret = tl5::FromWide(password);
    const int result = AppWallet().Create(tl5::FromWide(path), secret, tl5::FromWide(hint ? hint : L""), true);
    tl5::SecureZero(secret);
    return result;
}

namespace {
void OpenWalletFlow(HWND window, const wchar_t* pathText);
}

void MainWindowOpenWallet(HWND window, const wchar_t* pathText) {
    MainWindowState& s = State();
    if (s.opening) return;
    s.opening = true;
    s.closeAfterOpening = false;
    OpenWalletFlow(window, pathText);
    s.opening = false;
    if (s.closeAfterOpening) {
        s.closeAfterOpening = false;
        PostMessageW(window, tl5::WMU_SHOW_WALLET_LIST, 0, 0);
    }
}

namespace {

void OpenWalletFlow(HWND window, const wchar_t* pathText) {
    MainWindowParts& parts = MainWindowHooks();
    KillTimer(window, kIdleTimer);
    StopWatchdog();
    NoteActivity();
    const std::u16string path = tl5::FromWide(pathText ? pathText : L"");
    const std::wstring name = Wide(tl5::FileTitleOf(path));

    ClearTree(window);
    tl5::Wallet& wallet = AppWallet();
    wallet.Close(true);

    const int probe = wallet.Probe(path, nullptr);
    wchar_t password[kPasswordBufferSize] = {};
    if (probe == tl5::kOpenWrongPassword) {
        HeaderMatcher matcher(path);
        if (!ShowPasswordEntryDialog(window, name.c_str(), password, &matcher)) {
            wallet.Close(false);
            PostMessageW(window, tl5::WMU_SHOW_WALLET_LIST, 0, 0);
            return;
        }
    } else if (probe != tl5::kOpenOk) {
        const std::u16string text =
            tl5::ProbeFailureText([](uint32_t id) { return tl5::FromWide(Text(id)); }, tl5::FromWide(name), probe);
        ShowMessage(window, Wide(text), 20500, MB_ICONSTOP);
        PostMessageW(window, tl5::WMU_SHOW_WALLET_LIST, 0, 0);
        return;
    }
    // A wallet that needs no password (the probe succeeded without one) simply opens.
    wallet.Close(false);
    // Custom icons of the previous wallet go with its image lists; the tree gets fresh ones.
    tl5::DestroyIconImageLists();
    if (HWND tree = MainWindowTree(window))
        TreeView_SetImageList(tree, tl5::StockIconList(HighResolution() ? 32 : 16), TVSIL_NORMAL);

    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    std::u16string secret = tl5::FromWide(password);
    tl5::SecureZero(password, sizeof(password));
    const int opened = wallet.Open(path, probe == tl5::kOpenOk ? nullptr : &secret, false);
    tl5::SecureZero(secret);
    SetCursor(previous);

    if (opened == tl5::kOpenOk) {
        if (wallet.Settings().AutoCloseMinutes() != 0) {
            NoteActivity();
            SetTimer(window, kIdleTimer, 10000, nullptr);
            if (parts.startWatchdog) parts.startWatchdog(window);
        }
        tl5::AppSettings().SetLastWallet(path.c_str());
        if (parts.fillTree) parts.fillTree(MainWindowTree(window));
        PostMessageW(window, tl5::WMU_WALLET_OPENED, 1, 0);
        return;
    }
    wallet.Close(false);
    const std::u16string text =
        tl5::OpenFailureText([](uint32_t id) { return tl5::FromWide(Text(id)); }, tl5::FromWide(name), opened);
    ShowMessage(window, Wide(text), 20500, MB_ICONSTOP);
    PostMessageW(window, tl5::WMU_SHOW_WALLET_LIST, 0, 0);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindowState& s = State();
    MainWindowParts& parts = MainWindowHooks();
    switch (message) {
    case WM_CREATE:
        s.activation = ppc::SHACTIVATEINFO{};
        s.activation.cbSize = 12;
        return 0;
    case WM_DESTROY:
        KillTimer(window, kIdleTimer);
        if (s.findEditProc) {
            SetWindowLongPtrW(Control(window, kFindEdit), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s.findEditProc));
            s.findEditProc = nullptr;
        }
        if (s.menuBar && IsWindow(s.menuBar)) DestroyWindow(s.menuBar);
        s.menuBar = nullptr;
        s.menuBarId = 0;
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        if (WalletListIsShown()) {
            SetFocus(WalletListWindow());
        } else {
            HWND focus = GetFocus();
            if (focus != Control(window, kFindEdit) && focus != MainWindowTree(window)) SetFocus(MainWindowTree(window));
        }
        MainWindowLayout(window);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            if (parts.idleCheck) parts.idleCheck(window);
            if (!WalletListIsShown()) SetFocus(MainWindowTree(window));
            ppc::SHHandleWMActivate(window, wParam, lParam, &s.activation, 0);
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        PaintBanner(window, dc);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_CLOSE:
        AppWallet().Close(true);
        SendMessageW(window, WM_ACTIVATE, WA_INACTIVE, 0);
        KillTimer(window, kIdleTimer);
        PostQuitMessage(0);
        return 0;
    case WM_SETTINGCHANGE:
        ppc::SHHandleWMSettingChange(window, wParam, lParam, &s.activation);
        return 0;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->CtlType == ODT_BUTTON) DrawBannerButton(window, *item);
        return TRUE;
    }
    case WM_NOTIFY: {
        NoteActivity();
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header && header->hwndFrom == MainWindowTree(window) && parts.treeNotify)
            return parts.treeNotify(window, header);
        return 0;
    }
    case WM_HELP: {
        wchar_t commandLine[MAX_PATH + 8] = {};
        swprintf(commandLine, MAX_PATH + 8, L"file:%s", kHelpFile);
        ppc::StartDeviceProgram(L"peghelp.exe", commandLine);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kFindEdit && HIWORD(wParam) == EN_CHANGE) MainWindowLayout(window);
        if (parts.command && parts.command(window, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
            return 0;
        DefaultCommand(window, LOWORD(wParam));
        return 0;
    case WM_TIMER:
        switch (wParam) {
        case kDragScrollTimer:
            if (parts.dragTimer)
                parts.dragTimer(window);
            else
                KillTimer(window, kDragScrollTimer);
            break;
        case kIdleTimer:
            if (parts.idleCheck) parts.idleCheck(window);
            break;
        case kSyncTimer:
            KillTimer(window, kSyncTimer);
            PostMessageW(window, tl5::WMU_SHOW_WALLET_LIST, 0, 0);
            break;
        default:
            break;
        }
        return 0;
    case WM_INITMENUPOPUP:
        if (parts.initMenuPopup) parts.initMenuPopup(window, reinterpret_cast<HMENU>(wParam), lParam);
        return 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, 0x00FF0000);
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case WM_MOUSEMOVE:
        if (parts.mouseMove) parts.mouseMove(window, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        if (parts.buttonUp) parts.buttonUp(window, wParam, lParam);
        return 0;
    case WM_EXITMENULOOP:
        if (wParam) s.contextMenu = nullptr;
        return 0;
    case 1023:
    case 3224:
        return 0;
    default:
        if (message >= tl5::WMU_FIND_NOW && message <= tl5::WMU_SYNC_END) return PrivateMessage(window, message, wParam, lParam);
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace tl5win
