#include "shell/win/BasicMainWindow.h"

#include "cardui/Gradient.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/Strings.h"
#include "resources/resource.h"
#include "shell/Settings.h"
#include "shell/win/Startup.h"

namespace tl5 {

namespace {

HWND g_menuBar = nullptr;
UINT g_menuBarId = 0;
ppc::SHACTIVATEINFO g_activation{};

constexpr COLORREF kBannerLine = 0x009C613B;

void PaintBanner(HWND window, HDC dc) {
    const Settings& s = AppSettings();
    const int width = ppc::DeviceSystemMetrics(SM_CXSCREEN);
    const int b = BannerHeight();
    for (const GradientBand& band :
         GradientBands(GradientRect{0, 0, width, b}, s.colorBarStart, s.colorBarEnd, true)) {
        HBRUSH brush = CreateSolidBrush(band.color);
        RECT r{band.rect.left, band.rect.top, band.rect.right, band.rect.bottom};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
    HBRUSH line = CreateSolidBrush(kBannerLine);
    RECT r{0, b, width, b + 1};
    FillRect(dc, &r, line);
    DeleteObject(line);
    (void)window;
}

void CloseAndQuit(HWND window) {
    SendMessageW(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    KillTimer(window, kTimerIdleCheck);
    PostQuitMessage(0);
}

}  // namespace

int BannerHeight() { return Scale(23); }

UINT BasicMenuBarId() { return g_menuBar && IsWindow(g_menuBar) ? g_menuBarId : 0; }

void BasicShowMenuBar(HWND window, UINT id) {
    if (id == g_menuBarId && g_menuBar && IsWindow(g_menuBar)) return;
    if (g_menuBar && IsWindow(g_menuBar)) DestroyWindow(g_menuBar);
    g_menuBar = CreateMenuBarById(window, id);
    g_menuBarId = g_menuBar ? id : 0;
}

LRESULT CALLBACK BasicMainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        g_activation = ppc::SHACTIVATEINFO{};
        g_activation.cbSize = 12;
        return 0;
    case WM_DESTROY:
        KillTimer(window, kTimerIdleCheck);
        if (g_menuBar && IsWindow(g_menuBar)) DestroyWindow(g_menuBar);
        g_menuBar = nullptr;
        g_menuBarId = 0;
        PostQuitMessage(0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) ppc::SHHandleWMActivate(window, wParam, lParam, &g_activation, 0);
        return 0;
    case WM_SETTINGCHANGE:
        ppc::SHHandleWMSettingChange(window, wParam, lParam, &g_activation);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        PaintBanner(window, dc);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_CLOSE:
        CloseAndQuit(window);
        return 0;
    case WM_COMMAND:
        NoteActivity();
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
        case IDM_WALLETS:
            PostMessageW(window, WMU_SHOW_WALLET_LIST, 0, 0);
            return 0;
        case IDM_EXIT:
            SendMessageW(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
            SendMessageW(window, WM_CLOSE, 0, 0);
            return 0;
        default:
            return 0;
        }
    case WM_INITMENUPOPUP: {
        NoteActivity();
        HMENU menu = reinterpret_cast<HMENU>(wParam);
        if (AppSettings().exitMenu == 0) DeleteMenu(menu, IDM_EXIT, MF_BYCOMMAND);
        TranslateMenu(menu, nullptr);
        return 0;
    }
    case WM_TIMER:
        if (wParam == kTimerSyncClose) {
            KillTimer(window, kTimerSyncClose);
            PostMessageW(window, WMU_SHOW_WALLET_LIST, 0, 0);
        }
        return 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(wParam), 0x00FF0000);
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WMU_OPEN_WALLET:
    case WMU_SHOW_WALLET_LIST:
    case WMU_SYNC_START:
        SetTimer(window, kTimerSyncClose, 1000, nullptr);
        MessageBeep(0x40);
        Sleep(100);
        MessageBeep(0x20);
        return 0;
    case WMU_SYNC_END:
        MessageBeep(0x40);
        return 0;
    case 1023:
    case 3224:
        return 0;
    case WMU_FIND_NOW:
    case WMU_WALLET_LIST_ACTION:
    case WMU_CARD_CLOSED:
    case WMU_DROP:
    case WMU_WALLET_OPENED:
    case WMU_ITEM_EDITED:
    case WMU_IMPORT_EXCHANGE:
    case WMU_IMPORT_TEXT:
        return 0;  // the full main window handles these
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace tl5
