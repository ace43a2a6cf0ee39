// The banner strip of the main window: its gradient, the open wallet's name, the find bar's
// buttons and box, and the place of the tree under it.
#include <windows.h>
#include <commctrl.h>

#include "cardui/Settings.h"
#include "cardui/win/DialogBar.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/Strings.h"
#include "model/Wallet.h"
#include "platform/Text.h"
#include "platform/pocketpc/DeviceScreen.h"
#include "resources/resource.h"
#include "shell/MainWindowLayout.h"
#include "shell/win/MainWindow.h"
#include "shell/win/MainWindowInternal.h"

namespace tl5win {

namespace {

// The line under the banner: red 59, green 97, blue 156.
constexpr COLORREF kBannerLine = 0x009C613B;
// A pressed banner button: a light gradient inside a dark frame.
constexpr COLORREF kPressedStart = 0x00CCF4FF;
constexpr COLORREF kPressedEnd = 0x0091D0FF;

int IconOfBannerButton(UINT id) {
    switch (id) {
    case IDC_FIND_TOGGLE: return IDI_TL_FIND;
    case IDC_FIND_NOW: return IDI_TL_FIND_NOW;
    case IDC_FIND_CLEAR: return IDI_TL_CLEAR;
    case IDC_EXPAND_COLLAPSE: return IDI_TL_EXPAND;
    default: return 0;
    }
}

}  // namespace

void CreateBannerControls(HWND window) {
    HINSTANCE instance = ProgramInstance();
    for (int id : {IDC_FIND_TOGGLE, IDC_FIND_NOW, IDC_FIND_CLEAR, IDC_EXPAND_COLLAPSE}) {
        CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | BS_OWNERDRAW | (id == IDC_FIND_TOGGLE ? WS_VISIBLE : 0), 0, 0, 1,
                        1, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    }
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, 0, 0, 1, 1, window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FIND_EDIT)), instance, nullptr);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(AppFontCache().Font(kFont9Bold)), FALSE);
}

void PaintBanner(const MainWindowState& s, HDC dc) {
    const tl5::Settings& settings = tl5::AppSettings();
    const int w = ppc::DeviceSystemMetrics(SM_CXSCREEN);
    FillGradient(dc, s.banner, settings.colorBarStart, settings.colorBarEnd, true);
    // The dark line closes the banner off against the tree; it takes the banner's last row, where
    // the tree cannot cover it.
    HBRUSH line = CreateSolidBrush(kBannerLine);
    RECT lineRect{0, s.banner.bottom, w, s.banner.bottom + 1};
    FillRect(dc, &lineRect, line);
    DeleteObject(line);
    if (!s.findBarShown && AppWallet().IsOpen()) {
        const std::wstring name = tl5::ToWide(AppWallet().Name());
        HGDIOBJ old = SelectObject(dc, AppFontCache().Font(kFont9Bold));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, settings.colorBarText);
        RECT text = s.bannerText;
        DrawTextW(dc, name.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(dc, old);
    }
}

void DrawBannerButton(const MainWindowState& s, const DRAWITEMSTRUCT& item) {
    const tl5::Settings& settings = tl5::AppSettings();
    RECT r = item.rcItem;
    if (item.itemState & ODS_SELECTED) {
        FillRect(item.hDC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        RECT inner{r.left + 1, r.top + 1, r.right - ppc::Scale(2), r.bottom - ppc::Scale(2)};
        FillGradient(item.hDC, inner, kPressedStart, kPressedEnd, true);
    } else {
        // The part of the banner gradient under the button, so that it blends in.
        RECT inWindow = r;
        MapWindowPoints(item.hwndItem, s.window, reinterpret_cast<POINT*>(&inWindow), 2);
        RECT reference = s.banner;
        OffsetRect(&reference, -inWindow.left, -inWindow.top);
        FillGradientPart(item.hDC, r, settings.colorBarStart, settings.colorBarEnd, reference);
    }
    const int icon = IconOfBannerButton(item.CtlID);
    if (!icon) return;
    const int size = ppc::Scale(16);
    HICON handle = static_cast<HICON>(
        LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(icon), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (handle) {
        DrawIconEx(item.hDC, ppc::Scale(2), ppc::Scale(2), handle, size, size, 0, nullptr, DI_NORMAL);
        DestroyIcon(handle);
    }
}

void MainWindowCreateContents(HWND window) {
    CreateBannerControls(window);
    if (MainWindowState* s = StateOf(window)) {
        CreateWalletTree(*s);
        SubclassFindBox(*s);
        RegisterSessionEvents(*s);
    }
    MainWindowLayout(window);
}

HWND MainWindowTree(HWND window) { return GetDlgItem(window, IDC_TREE); }

bool MainWindowFindBarShown(HWND window) {
    const MainWindowState* s = StateOf(window);
    return s && s->findBarShown;
}

void MainWindowSetFindBarShown(HWND window, bool shown) {
    if (MainWindowState* s = StateOf(window)) s->findBarShown = shown;
    MainWindowReapplyFindBar(window);
}

void MainWindowReapplyFindBar(HWND window) {
    MainWindowState* s = StateOf(window);
    if (!s) return;
    ShowWindow(GetDlgItem(window, IDC_FIND_EDIT), s->findBarShown ? SW_SHOW : SW_HIDE);
    MainWindowLayout(window);
    InvalidateRect(window, &s->banner, TRUE);
}

void MainWindowLayout(HWND window) {
    MainWindowState* s = StateOf(window);
    if (!s) return;
    RECT client{};
    GetClientRect(window, &client);
    wchar_t find[128] = {};
    GetWindowTextW(GetDlgItem(window, IDC_FIND_EDIT), find, 128);
    const tl5::MainWindowLayout l =
        tl5::ComputeMainWindowLayout(ppc::DeviceSystemMetrics(SM_CXSCREEN), client.right, client.bottom,
                                     ppc::IsHighResolution(), s->findBarShown, tl5::FromWide(find));
    auto place = [&](int id, const tl5::LayoutRect& r, bool visible) {
        HWND control = GetDlgItem(window, id);
        if (!control) return;
        SetWindowPos(control, nullptr, r.left, r.top, r.width, r.height,
                     SWP_NOZORDER | SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    };
    place(IDC_FIND_TOGGLE, l.findToggle, true);
    place(IDC_FIND_NOW, l.findNow, l.showFindNow);
    place(IDC_FIND_CLEAR, l.clear, l.showClear);
    place(IDC_EXPAND_COLLAPSE, l.expandCollapse, l.showExpandCollapse);
    place(IDC_FIND_EDIT, l.findEdit, s->findBarShown);
    place(IDC_TREE, l.tree, true);
    if (s->bannerHeight == 0) {
        s->bannerHeight = l.bannerHeight;
        SetDialogBarGlobals(l.bannerHeight, AppFontCache().Font(kFont9Bold));
    }
    s->banner = RECT{0, 0, l.bannerRight, l.bannerBottom};
    s->bannerText = RECT{l.bannerTextLeft, l.bannerTextTop, l.bannerTextRight, l.bannerTextBottom};
}

}  // namespace tl5win
