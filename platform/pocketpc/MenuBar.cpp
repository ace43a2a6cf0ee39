// Menu bars: a strip along the bottom of the device screen with a button per top-level item; the soft keys.
#include "platform/pocketpc/Shell.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace ppc {

namespace {

const wchar_t kMenuBarProp[] = L"ppc.MenuBar";
const wchar_t kMenuBarClass[] = L"ppc.MenuBar";
constexpr UINT_PTR kMenuBarOwnerSubclass = 0x7C02;
// Posted to a menu bar: press button wParam (by position).
constexpr UINT kPressButtonAt = WM_USER + 410;

struct MenuBarButton {
    UINT id = 0;
    std::wstring text;
    HMENU popup = nullptr;
    bool enabled = true;
    RECT rect{};
};

struct MenuBar {
    HWND owner = nullptr;
    HMENU menu = nullptr;
    bool ownsMenu = false;
    COLORREF background = CLR_INVALID;
    std::vector<MenuBarButton> buttons;
    int pressed = -1;
    int shrunk = 0;  // height taken from a full-screen owner
};

MenuBar* BarOf(HWND bar) { return reinterpret_cast<MenuBar*>(GetWindowLongPtrW(bar, GWLP_USERDATA)); }

MenuBarButton* ButtonById(MenuBar* data, UINT id) {
    if (!data) return nullptr;
    for (MenuBarButton& b : data->buttons) {
        if (b.id == id) return &b;
    }
    return nullptr;
}

void PlaceMenuBar(HWND bar) {
    MenuBar* data = BarOf(bar);
    if (!data || !IsWindow(data->owner)) return;
    // The bar lies along the bottom of the device screen whose top-left corner is the owner's client
    // origin.
    POINT origin{0, 0};
    ClientToScreen(data->owner, &origin);
    const RECT screen = DeviceScreenRect();
    const int width = screen.right - screen.left;
    const int height = MenuBarHeight();
    const int top = origin.y + (screen.bottom - screen.top) - height;
    SetWindowPos(bar, nullptr, origin.x, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(bar, &client);
    const int n = static_cast<int>(data->buttons.size());
    for (int i = 0; i < n; ++i) {
        RECT& r = data->buttons[i].rect;
        r.left = client.right * i / (n ? n : 1);
        r.right = client.right * (i + 1) / (n ? n : 1);
        r.top = 0;
        r.bottom = client.bottom;
    }
}

LRESULT CALLBACK MenuBarOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_WINDOWPOSCHANGED) {
        HWND bar = static_cast<HWND>(GetPropW(window, kMenuBarProp));
        if (bar && IsWindow(bar)) PlaceMenuBar(bar);
    } else if (message == WM_NCDESTROY) {
        RemovePropW(window, kMenuBarProp);
        RemoveWindowSubclass(window, MenuBarOwnerProc, kMenuBarOwnerSubclass);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void ActivateButton(HWND bar, MenuBar* data, size_t index) {
    if (index >= data->buttons.size()) return;
    MenuBarButton& b = data->buttons[index];
    if (!b.enabled) return;
    if (!b.popup) {
        PostMessageW(data->owner, WM_COMMAND, MAKEWPARAM(b.id, 0), 0);
        return;
    }
    data->pressed = static_cast<int>(index);
    InvalidateRect(bar, nullptr, FALSE);
    UpdateWindow(bar);
    RECT r = b.rect;
    MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&r), 2);
    const bool right = index + 1 == data->buttons.size() && data->buttons.size() > 1;
    UINT flags = TPM_BOTTOMALIGN | TPM_LEFTBUTTON | (right ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
    HWND owner = data->owner;
    ::SetForegroundWindow(owner);
    TrackPopupMenuEx(b.popup, flags, right ? r.right : r.left, r.top, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    if (IsWindow(bar)) {
        data->pressed = -1;
        InvalidateRect(bar, nullptr, FALSE);
    }
}

void PaintMenuBar(HWND bar, HDC dc) {
    MenuBar* data = BarOf(bar);
    RECT client{};
    GetClientRect(bar, &client);
    const COLORREF top = data && data->background != CLR_INVALID ? data->background : RGB(232, 238, 247);
    const COLORREF bottom = data && data->background != CLR_INVALID ? data->background : RGB(187, 203, 226);
    // Vertical gradient of the bar, then a dark line along its top edge.
    const int h = client.bottom > 0 ? client.bottom : 1;
    for (int y = 0; y < client.bottom; ++y) {
        const int r = GetRValue(top) + (GetRValue(bottom) - GetRValue(top)) * y / h;
        const int g = GetGValue(top) + (GetGValue(bottom) - GetGValue(top)) * y / h;
        const int b = GetBValue(top) + (GetBValue(bottom) - GetBValue(top)) * y / h;
        HBRUSH brush = CreateSolidBrush(RGB(r, g, b));
        RECT line{client.left, y, client.right, y + 1};
        FillRect(dc, &line, brush);
        DeleteObject(brush);
    }
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(59, 97, 156));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, client.left, 0, nullptr);
    LineTo(dc, client.right, 0);
    if (!data) {
        SelectObject(dc, oldPen);
        DeleteObject(pen);
        return;
    }
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < data->buttons.size(); ++i) {
        const MenuBarButton& b = data->buttons[i];
        RECT r = b.rect;
        if (static_cast<int>(i) == data->pressed) {
            RECT inner{r.left + 1, r.top + 1, r.right - 1, r.bottom};
            HBRUSH brush = CreateSolidBrush(RGB(59, 97, 156));
            FillRect(dc, &inner, brush);
            DeleteObject(brush);
            SetTextColor(dc, RGB(255, 255, 255));
        } else {
            SetTextColor(dc, b.enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT));
        }
        if (i > 0) {
            MoveToEx(dc, r.left, r.top + Scale(4), nullptr);
            LineTo(dc, r.left, r.bottom - Scale(4));
        }
        DrawTextW(dc, b.text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        if (b.popup) {
            // A small upward triangle after the caption marks a button that opens a menu.
            SIZE size{};
            GetTextExtentPoint32W(dc, b.text.c_str(), static_cast<int>(b.text.size()), &size);
            const int x = (r.left + r.right + size.cx) / 2 + Scale(4);
            const int y = (r.top + r.bottom) / 2 + Scale(2);
            const int half = Scale(3);
            const POINT tri[3] = {{x, y}, {x + 2 * half, y}, {x + half, y - half}};
            HBRUSH fill = CreateSolidBrush(GetTextColor(dc));
            HPEN edge = CreatePen(PS_SOLID, 1, GetTextColor(dc));
            HGDIOBJ oldBrush = SelectObject(dc, fill);
            HGDIOBJ oldEdge = SelectObject(dc, edge);
            Polygon(dc, tri, 3);
            SelectObject(dc, oldBrush);
            SelectObject(dc, oldEdge);
            DeleteObject(edge);
            DeleteObject(fill);
        }
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

LRESULT CALLBACK MenuBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    MenuBar* data = BarOf(bar);
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(bar, &ps);
        PaintMenuBar(bar, dc);
        EndPaint(bar, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        if (data) {
            const POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            for (size_t i = 0; i < data->buttons.size(); ++i) {
                if (PtInRect(&data->buttons[i].rect, pt)) {
                    ActivateButton(bar, data, i);
                    break;
                }
            }
        }
        return 0;
    case TB_BUTTONCOUNT:
        return data ? static_cast<LRESULT>(data->buttons.size()) : 0;
    case TB_ENABLEBUTTON:
        if (MenuBarButton* b = ButtonById(data, static_cast<UINT>(wParam))) {
            b->enabled = LOWORD(lParam) != 0;
            InvalidateRect(bar, nullptr, FALSE);
            return TRUE;
        }
        return FALSE;
    case TB_GETBUTTONINFOW:
    case TB_SETBUTTONINFOW: {
        MenuBarButton* b = ButtonById(data, static_cast<UINT>(wParam));
        auto* info = reinterpret_cast<TBBUTTONINFOW*>(lParam);
        if (!b || !info) return -1;
        if (message == TB_SETBUTTONINFOW) {
            if ((info->dwMask & TBIF_TEXT) && info->pszText) b->text = info->pszText;
            if (info->dwMask & TBIF_STATE) b->enabled = (info->fsState & TBSTATE_ENABLED) != 0;
            InvalidateRect(bar, nullptr, FALSE);
            return TRUE;
        }
        if ((info->dwMask & TBIF_TEXT) && info->pszText && info->cchText > 0) {
            lstrcpynW(info->pszText, b->text.c_str(), info->cchText);
        }
        if (info->dwMask & TBIF_STATE) info->fsState = b->enabled ? TBSTATE_ENABLED : 0;
        if (info->dwMask & TBIF_COMMAND) info->idCommand = static_cast<int>(b->id);
        for (size_t i = 0; i < data->buttons.size(); ++i) {
            if (&data->buttons[i] == b) return static_cast<LRESULT>(i);
        }
        return -1;
    }
    case SHCMBM_GETSUBMENU:
        if (MenuBarButton* b = ButtonById(data, static_cast<UINT>(lParam))) return reinterpret_cast<LRESULT>(b->popup);
        return 0;
    case SHCMBM_SETSUBMENU:
        if (MenuBarButton* b = ButtonById(data, static_cast<UINT>(wParam))) {
            HMENU old = b->popup;
            b->popup = reinterpret_cast<HMENU>(lParam);
            return reinterpret_cast<LRESULT>(old);
        }
        return 0;
    case SHCMBM_GETMENU:
        return data ? reinterpret_cast<LRESULT>(data->menu) : 0;
    case kPressButtonAt:
        if (data) ActivateButton(bar, data, static_cast<size_t>(wParam));
        return 0;
    case WM_NCDESTROY:
        if (data) {
            if (IsWindow(data->owner)) {
                if (GetPropW(data->owner, kMenuBarProp) == bar) RemovePropW(data->owner, kMenuBarProp);
                if (data->shrunk > 0 && IsFullScreenDialog(data->owner)) {
                    RECT r{};
                    GetWindowRect(data->owner, &r);
                    SetWindowPos(data->owner, nullptr, 0, 0, r.right - r.left, r.bottom - r.top + data->shrunk,
                                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                }
            }
            if (data->ownsMenu && data->menu) DestroyMenu(data->menu);
            delete data;
            SetWindowLongPtrW(bar, GWLP_USERDATA, 0);
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(bar, message, wParam, lParam);
}

bool RegisterMenuBarClass() {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSW wc{};
    wc.lpfnWndProc = MenuBarProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kMenuBarClass;
    registered = RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

}  // namespace

int MenuBarHeight() { return Scale(26); }

BOOL SHCreateMenuBar(SHMENUBARINFO* info) {
    if (!info || info->cbSize < sizeof(SHMENUBARINFO) || !IsWindow(info->hwndParent)) return FALSE;
    info->hwndMB = nullptr;
    if (!RegisterMenuBarClass()) return FALSE;
    auto* data = new MenuBar;
    data->owner = info->hwndParent;
    if (info->dwFlags & SHCMBF_COLORBK) data->background = info->clrBk;
    if (!(info->dwFlags & SHCMBF_EMPTYBAR)) {
        if (info->dwFlags & SHCMBF_HMENU) {
            data->menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(info->nToolBarId));
        } else {
            data->menu = LoadMenuW(info->hInstRes, MAKEINTRESOURCEW(info->nToolBarId));
            data->ownsMenu = true;
        }
        if (!data->menu) {
            delete data;
            return FALSE;
        }
        const int count = GetMenuItemCount(data->menu);
        for (int i = 0; i < count; ++i) {
            wchar_t text[128] = {};
            MENUITEMINFOW mii{};
            mii.cbSize = sizeof(mii);
            mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_STATE | MIIM_FTYPE;
            mii.dwTypeData = text;
            mii.cch = 128;
            if (!GetMenuItemInfoW(data->menu, static_cast<UINT>(i), TRUE, &mii)) continue;
            if (mii.fType & MFT_SEPARATOR) continue;
            MenuBarButton b;
            b.id = mii.wID;
            b.text = text;
            b.popup = mii.hSubMenu;
            b.enabled = !(mii.fState & MFS_DISABLED);
            data->buttons.push_back(b);
        }
    }
    HWND bar = ::CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kMenuBarClass, L"",
                                 WS_POPUP | WS_CLIPSIBLINGS, 0, 0, 0, 0, info->hwndParent, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    if (!bar) {
        if (data->ownsMenu) DestroyMenu(data->menu);
        delete data;
        return FALSE;
    }
    SetWindowLongPtrW(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
    SetPropW(info->hwndParent, kMenuBarProp, bar);
    SetWindowSubclass(info->hwndParent, MenuBarOwnerProc, kMenuBarOwnerSubclass, 0);
    PlaceMenuBar(bar);
    if (IsFullScreenDialog(info->hwndParent)) {
        RECT r{};
        GetWindowRect(info->hwndParent, &r);
        data->shrunk = MenuBarHeight();
        SetWindowPos(info->hwndParent, nullptr, 0, 0, r.right - r.left, r.bottom - r.top - data->shrunk,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!(info->dwFlags & SHCMBF_HIDDEN)) ShowWindow(bar, SW_SHOWNOACTIVATE);
    info->hwndMB = bar;
    return TRUE;
}

HWND SHFindMenuBar(HWND owner) {
    HWND bar = static_cast<HWND>(GetPropW(owner, kMenuBarProp));
    return bar && IsWindow(bar) ? bar : nullptr;
}

bool SetMenuBarButtonText(HWND menuBar, UINT command, const wchar_t* text) {
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT;
    info.pszText = const_cast<wchar_t*>(text ? text : L"");
    return SendMessageW(menuBar, TB_SETBUTTONINFOW, command, reinterpret_cast<LPARAM>(&info)) == TRUE;
}

bool GetMenuBarButtonText(HWND menuBar, UINT command, wchar_t* text, int size) {
    if (!text || size <= 0) return false;
    text[0] = L'\0';
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT;
    info.pszText = text;
    info.cchText = size;
    return SendMessageW(menuBar, TB_GETBUTTONINFOW, command, reinterpret_cast<LPARAM>(&info)) >= 0;
}

namespace {

thread_local HHOOK t_softKeyHook = nullptr;

LRESULT CALLBACK SoftKeyHook(int code, WPARAM wParam, LPARAM lParam) {
    // A key going down (bit 31 clear) without Alt, Ctrl or Shift.
    if (code == HC_ACTION && (wParam == VK_F1 || wParam == VK_F2) && !(lParam & 0x80000000) &&
        !(GetKeyState(VK_CONTROL) & 0x8000) && !(GetKeyState(VK_SHIFT) & 0x8000) && !(GetKeyState(VK_MENU) & 0x8000)) {
        if (HandleSoftKey(GetActiveWindow(), static_cast<UINT>(wParam))) return 1;
    }
    return CallNextHookEx(t_softKeyHook, code, wParam, lParam);
}

}  // namespace

void EnableSoftKeys(bool on) {
    if (on && !t_softKeyHook) {
        t_softKeyHook = SetWindowsHookExW(WH_KEYBOARD, SoftKeyHook, nullptr, GetCurrentThreadId());
    } else if (!on && t_softKeyHook) {
        UnhookWindowsHookEx(t_softKeyHook);
        t_softKeyHook = nullptr;
    }
}

bool HandleSoftKey(HWND window, UINT virtualKey) {
    HWND bar = window ? SHFindMenuBar(window) : nullptr;
    MenuBar* data = bar ? BarOf(bar) : nullptr;
    if (!data || data->buttons.empty()) return false;
    size_t index = 0;
    if (virtualKey == VK_F2) {
        if (data->buttons.size() < 2) return false;
        index = data->buttons.size() - 1;
    } else if (virtualKey != VK_F1) {
        return false;
    }
    // Posted: a menu opened from inside the keyboard hook would run its loop there.
    PostMessageW(bar, kPressButtonAt, index, 0);
    return true;
}

bool PressMenuBarButton(HWND menuBar, UINT command) {
    MenuBar* data = BarOf(menuBar);
    if (!data) return false;
    for (size_t i = 0; i < data->buttons.size(); ++i) {
        if (data->buttons[i].id == command) {
            ActivateButton(menuBar, data, i);
            return true;
        }
    }
    return false;
}

}  // namespace ppc
