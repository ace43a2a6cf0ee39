#include "platform/pocketpc/Shell.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cwctype>
#include <string>
#include <vector>

#include "platform/pocketpc/DeviceScreen.h"

namespace ppc {

namespace {

const wchar_t kFullScreenProp[] = L"ppc.FullScreen";
const wchar_t kDoneButtonProp[] = L"ppc.DoneButton";
const wchar_t kMenuBarProp[] = L"ppc.MenuBar";
const wchar_t kMenuBarClass[] = L"ppc.MenuBar";
constexpr UINT_PTR kCaptionOkSubclass = 0x7C01;
constexpr UINT_PTR kMenuBarOwnerSubclass = 0x7C02;
constexpr UINT_PTR kTapAndHoldSubclass = 0x7C03;
// Posted to a menu bar: press button wParam (by position).
constexpr UINT kPressButtonAt = WM_USER + 410;

int Scaled(int n) { return DeviceDpi() >= 192 ? 2 * n : n; }

// ---- Caption's OK button ------------------------------------------------------------------------

LRESULT CALLBACK CaptionOkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE && GetPropW(window, kDoneButtonProp)) {
        // A click on the close box carries the pointer position; Alt+F4 carries 0 or -1 and closes.
        if (lParam != 0 && lParam != -1) {
            SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
            return 0;
        }
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kDoneButtonProp);
        RemovePropW(window, kFullScreenProp);
        RemoveWindowSubclass(window, CaptionOkProc, kCaptionOkSubclass);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void SetStyleBits(HWND window, LONG_PTR add, LONG_PTR remove) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR updated = (style | add) & ~remove;
    if (updated != style) {
        SetWindowLongPtrW(window, GWL_STYLE, updated);
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

// ---- Input panel --------------------------------------------------------------------------------

struct InputPanel {
    bool shown = false;
    DWORD flags = SIPF_DOCKED;
};
InputPanel& Panel() {
    static InputPanel panel;
    return panel;
}

BOOL CALLBACK AnnounceToWindow(HWND window, LPARAM) {
    SendMessageW(window, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
    return TRUE;
}

void SetPanelShown(bool shown) {
    InputPanel& p = Panel();
    if (p.shown == shown) return;
    p.shown = shown;
    p.flags = shown ? (p.flags | SIPF_ON) : (p.flags & ~SIPF_ON);
    EnumThreadWindows(GetCurrentThreadId(), AnnounceToWindow, 0);
}

// ---- Menu bar -----------------------------------------------------------------------------------

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
            MoveToEx(dc, r.left, r.top + Scaled(4), nullptr);
            LineTo(dc, r.left, r.bottom - Scaled(4));
        }
        DrawTextW(dc, b.text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        if (b.popup) {
            // A small upward triangle after the caption marks a button that opens a menu.
            SIZE size{};
            GetTextExtentPoint32W(dc, b.text.c_str(), static_cast<int>(b.text.size()), &size);
            const int x = (r.left + r.right + size.cx) / 2 + Scaled(4);
            const int y = (r.top + r.bottom) / 2 + Scaled(2);
            const int half = Scaled(3);
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

// ---- Capitalising edit ----------------------------------------------------------------------------

WNDPROC g_editProc = nullptr;
const wchar_t kCapModeProp[] = L"ppc.CapMode";
// Mode bits kept in a window property: 1 capitalising off, 2 every word.
constexpr UINT_PTR kCapOff = 1;
constexpr UINT_PTR kCapAllWords = 2;

LRESULT CALLBACK CapEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    UINT_PTR mode = reinterpret_cast<UINT_PTR>(GetPropW(edit, kCapModeProp));
    switch (message) {
    case CEM_UPCASEALLWORDS:
        mode = wParam ? (mode | kCapAllWords) : (mode & ~kCapAllWords);
        SetPropW(edit, kCapModeProp, reinterpret_cast<HANDLE>(mode));
        return TRUE;
    case CEM_ENABLEUPCASE:
        mode = wParam ? (mode & ~kCapOff) : (mode | kCapOff);
        SetPropW(edit, kCapModeProp, reinterpret_cast<HANDLE>(mode));
        return TRUE;
    case WM_CHAR:
        if (!(mode & kCapOff) && IsCharLowerW(static_cast<wchar_t>(wParam))) {
            DWORD start = 0;
            SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
            const int length = GetWindowTextLengthW(edit);
            std::wstring text(static_cast<size_t>(length) + 1, L'\0');
            GetWindowTextW(edit, text.data(), length + 1);
            text.resize(static_cast<size_t>(length));
            bool capital;
            if (mode & kCapAllWords) {
                capital = start == 0 || start > text.size() || iswspace(text[start - 1]);
            } else {
                capital = true;
                for (DWORD i = 0; i < start && i < text.size(); ++i) {
                    if (!iswspace(text[i])) {
                        capital = false;
                        break;
                    }
                }
            }
            if (capital) wParam = reinterpret_cast<WPARAM>(CharUpperW(reinterpret_cast<LPWSTR>(wParam)));
        }
        break;
    case WM_NCDESTROY:
        RemovePropW(edit, kCapModeProp);
        break;
    default:
        break;
    }
    return CallWindowProcW(g_editProc, edit, message, wParam, lParam);
}

// ---- Tap and hold ---------------------------------------------------------------------------------

LRESULT CALLBACK TapAndHoldProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
    case WM_RBUTTONDOWN: {
        NMRGINFO nm{};
        nm.hdr.hwndFrom = control;
        nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
        nm.hdr.code = GN_CONTEXTMENU;
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        wchar_t cls[64] = {};
        GetClassNameW(control, cls, 64);
        if (lstrcmpiW(cls, WC_TREEVIEWW) == 0) {
            TVHITTESTINFO hit{};
            hit.pt = pt;
            nm.dwItemSpec = reinterpret_cast<DWORD_PTR>(TreeView_HitTest(control, &hit));
        }
        ClientToScreen(control, &pt);
        nm.ptAction = pt;
        SendMessageW(GetParent(control), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
        return 0;
    }
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(control, TapAndHoldProc, kTapAndHoldSubclass);
        break;
    default:
        break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

// ---- Flash cards ----------------------------------------------------------------------------------

struct FlashCardFind {
    std::vector<std::wstring> drives;
    size_t next = 0;
};

bool FillFlashCard(FlashCardFind* find, WIN32_FIND_DATAW* data) {
    if (find->next >= find->drives.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return false;
    }
    const std::wstring& drive = find->drives[find->next++];
    *data = WIN32_FIND_DATAW{};
    data->dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY;
    lstrcpynW(data->cFileName, drive.c_str(), MAX_PATH);
    return true;
}

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n < MAX_PATH ? n : 0);
    const size_t slash = folder.find_last_of(L"\\/");
    folder.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return folder;
}

bool HasControlCharacters(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c < 0x20 || c == 0x7F) return true;
    }
    return false;
}

bool EqualsNoCase(LPCWSTR a, LPCWSTR b) { return lstrcmpiW(a, b) == 0; }

// The program's file name without folders ("\Windows\iexplore.exe" -> "iexplore.exe").
std::wstring ProgramName(LPCWSTR program) {
    std::wstring p = program ? program : L"";
    const size_t slash = p.find_last_of(L"\\/");
    return slash == std::wstring::npos ? p : p.substr(slash + 1);
}

}  // namespace

// ---- Dialogs in the device screen ----------------------------------------------------------------

namespace {

thread_local HHOOK t_placementHook = nullptr;

LRESULT CALLBACK PlacementHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        wchar_t cls[16] = {};
        GetClassNameW(window, cls, 16);
        if (lstrcmpW(cls, L"#32770") == 0 && !IsFullScreenDialog(window) && !GetPropW(window, L"ppc.Placed")) {
            SetPropW(window, L"ppc.Placed", reinterpret_cast<HANDLE>(1));
            const RECT screen = DeviceScreenRect();
            RECT r{};
            GetWindowRect(window, &r);
            const int w = r.right - r.left, h = r.bottom - r.top;
            int x = screen.left + ((screen.right - screen.left) - w) / 2;
            int y = screen.top + ((screen.bottom - screen.top) - h) / 2;
            RECT work{};
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
            if (x < work.left) x = work.left;
            if (y < work.top) y = work.top;
            SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    } else if (code == HCBT_DESTROYWND) {
        RemovePropW(reinterpret_cast<HWND>(wParam), L"ppc.Placed");
    }
    return CallNextHookEx(t_placementHook, code, wParam, lParam);
}

}  // namespace

void PlaceDialogsInDeviceScreen(bool on) {
    if (on && !t_placementHook) {
        t_placementHook = SetWindowsHookExW(WH_CBT, PlacementHook, nullptr, GetCurrentThreadId());
    } else if (!on && t_placementHook) {
        UnhookWindowsHookEx(t_placementHook);
        t_placementHook = nullptr;
    }
}

// ---- Dialogs and the OK button -------------------------------------------------------------------

BOOL SHInitDialog(SHINITDLGINFO* info) {
    if (!info || !(info->dwMask & SHIDIM_FLAGS) || !IsWindow(info->hDlg)) return FALSE;
    HWND dialog = info->hDlg;
    if (info->dwFlags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR)) {
        // The caption plays the navigation bar, as for the main window.
        SetStyleBits(dialog, WS_CAPTION, WS_THICKFRAME);
        SetPropW(dialog, kFullScreenProp, reinterpret_cast<HANDLE>(1));
        FitWindowToDeviceScreen(dialog);
    }
    if (info->dwFlags & SHIDIF_DONEBUTTON) SHDoneButton(dialog, SHDB_SHOW);
    if (info->dwFlags & SHIDIF_SIPDOWN) SHSipPreference(dialog, SIP_DOWN);
    return TRUE;
}

bool IsFullScreenDialog(HWND window) { return GetPropW(window, kFullScreenProp) != nullptr; }

HWND CreateCaptionOkWindow(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    const bool okButton = (exStyle & WS_EX_CAPTIONOKBTN) != 0;
    HWND window = ::CreateWindowExW(exStyle & ~WS_EX_CAPTIONOKBTN, className, windowName, style, x, y, width, height,
                                    parent, menu, instance, param);
    if (window && okButton) SHDoneButton(window, SHDB_SHOW);
    return window;
}

BOOL SHDoneButton(HWND window, DWORD state) {
    if (!IsWindow(window)) return FALSE;
    if (state == SHDB_SHOW) {
        SetWindowSubclass(window, CaptionOkProc, kCaptionOkSubclass, 0);
        SetPropW(window, kDoneButtonProp, reinterpret_cast<HANDLE>(1));
        SetStyleBits(window, WS_SYSMENU, 0);
        return TRUE;
    }
    if (state == SHDB_HIDE) {
        RemovePropW(window, kDoneButtonProp);
        SetStyleBits(window, 0, WS_SYSMENU);
        return TRUE;
    }
    return FALSE;
}

bool HasDoneButton(HWND window) {
    return GetPropW(window, kDoneButtonProp) != nullptr && (GetWindowLongPtrW(window, GWL_STYLE) & WS_SYSMENU);
}

BOOL SetForegroundWindow(HWND window) {
    const UINT_PTR raw = reinterpret_cast<UINT_PTR>(window);
    const bool withPopups = (raw & 1) != 0;
    HWND target = reinterpret_cast<HWND>(raw & ~static_cast<UINT_PTR>(1));
    if (!IsWindow(target)) return FALSE;
    if (IsIconic(target)) ShowWindow(target, SW_RESTORE);
    if (withPopups) {
        HWND popup = GetLastActivePopup(target);
        if (popup && IsWindowVisible(popup)) target = popup;
    }
    return ::SetForegroundWindow(target);
}

// ---- Menu bars -----------------------------------------------------------------------------------

int MenuBarHeight() { return Scaled(26); }

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

// ---- Activation and settings change ----------------------------------------------------------------

BOOL SHHandleWMSettingChange(HWND, WPARAM wParam, LPARAM, SHACTIVATEINFO* info) {
    if (info && info->cbSize < 12) return FALSE;
    if (wParam == SPI_SETSIPINFO && info) info->fSipUp = Panel().shown ? 1 : 0;
    return TRUE;
}

BOOL SHHandleWMActivate(HWND window, WPARAM wParam, LPARAM, SHACTIVATEINFO* info, DWORD) {
    if (!info || info->cbSize < 12) return FALSE;
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        info->hwndLastFocus = (focus && (focus == window || IsChild(window, focus))) ? focus : nullptr;
        info->fSipOnDeactivation = Panel().shown ? 1 : 0;
        info->fActive = 0;
        info->fReserved |= 1;  // a deactivation was seen
    } else {
        info->fActive = 1;
        // The window gets back the input panel it had when it lost the activation (only when it was
        // told about that loss).
        if (info->fReserved & 1) {
            SetPanelShown(info->fSipOnDeactivation != 0);
            info->fReserved &= ~1u;
        }
        info->fSipUp = Panel().shown ? 1 : 0;
    }
    return TRUE;
}

BOOL SHInputDialog(HWND, UINT, WPARAM) { return FALSE; }

// ---- Input panel ------------------------------------------------------------------------------------

BOOL SHSipPreference(HWND, SIPSTATE state) {
    switch (state) {
    case SIP_UP:
        SetPanelShown(true);
        return TRUE;
    case SIP_DOWN:
    case SIP_FORCEDOWN:
        SetPanelShown(false);
        return TRUE;
    case SIP_UNCHANGED:
    case SIP_INPUTDIALOG:
        return TRUE;
    }
    return FALSE;
}

BOOL SHSipInfo(UINT action, UINT, void* info, UINT) {
    auto* sip = static_cast<SIPINFO*>(info);
    if (!sip || sip->cbSize < sizeof(SIPINFO)) return FALSE;
    if (action == SPI_GETSIPINFO) {
        const RECT screen = DeviceScreenRect();
        sip->fdwFlags = Panel().flags;
        sip->rcSipRect = RECT{screen.left, screen.bottom - InputPanelHeight(), screen.right, screen.bottom};
        sip->rcVisibleDesktop = screen;
        if (Panel().shown) sip->rcVisibleDesktop.bottom = sip->rcSipRect.top;
        sip->dwImDataSize = 0;
        sip->pvImData = nullptr;
        return TRUE;
    }
    if (action == SPI_SETSIPINFO) {
        const bool shown = (sip->fdwFlags & SIPF_ON) != 0;
        Panel().flags = (sip->fdwFlags & ~SIPF_ON) | (Panel().shown ? SIPF_ON : 0);
        SetPanelShown(shown);
        return TRUE;
    }
    return FALSE;
}

bool InputPanelShown() { return Panel().shown; }
DWORD InputPanelFlags() { return Panel().flags; }
int InputPanelHeight() { return Scaled(80); }

// ---- Extra controls ---------------------------------------------------------------------------------

BOOL SHInitExtraControls() {
    WNDCLASSW existing{};
    if (GetClassInfoW(GetModuleHandleW(nullptr), WC_CAPEDIT, &existing)) return TRUE;
    WNDCLASSW edit{};
    if (!GetClassInfoW(nullptr, L"EDIT", &edit)) return FALSE;
    g_editProc = edit.lpfnWndProc;
    edit.lpfnWndProc = CapEditProc;
    edit.hInstance = GetModuleHandleW(nullptr);
    edit.lpszClassName = WC_CAPEDIT;
    return RegisterClassW(&edit) != 0 ? TRUE : FALSE;
}

// ---- Tap and hold -----------------------------------------------------------------------------------

DWORD SHRecognizeGesture(SHRGINFO* info) {
    if (!info || info->cbSize < sizeof(SHRGINFO)) return 0;
    if (!(GetKeyState(VK_RBUTTON) & 0x8000)) return 0;
    if ((info->dwFlags & SHRG_NOTIFYPARENT) && IsWindow(info->hwndClient)) {
        NMRGINFO nm{};
        nm.hdr.hwndFrom = info->hwndClient;
        nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(info->hwndClient));
        nm.hdr.code = GN_CONTEXTMENU;
        nm.ptAction = info->ptDown;
        SendMessageW(GetParent(info->hwndClient), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
    }
    return GN_CONTEXTMENU;
}

void EnableTapAndHold(HWND control) {
    if (IsWindow(control)) SetWindowSubclass(control, TapAndHoldProc, kTapAndHoldSubclass, 0);
}

// ---- Telephony and device programs ------------------------------------------------------------------

LONG tapiRequestMakeCall(LPCWSTR destAddress, LPCWSTR, LPCWSTR, LPCWSTR) {
    if (!destAddress || !*destAddress) return TAPIERR_INVALDESTADDRESS;
    std::wstring number;
    for (const wchar_t* p = destAddress; *p; ++p) {
        const wchar_t c = *p;
        if ((c >= L'0' && c <= L'9') || c == L'+' || c == L'*' || c == L'#' || c == L',' || c == L'p' || c == L'P' ||
            c == L'w' || c == L'W') {
            number.push_back(c);
        } else if (c == L' ' || c == L'-' || c == L'(' || c == L')' || c == L'.' || c == L'/') {
            continue;  // formatting only
        } else {
            return TAPIERR_INVALDESTADDRESS;
        }
    }
    if (number.empty()) return TAPIERR_INVALDESTADDRESS;
    const std::wstring uri = L"tel:" + number;
    const INT_PTR r = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", uri.c_str(), nullptr, nullptr,
                                                              SW_SHOWNORMAL));
    return r > 32 ? 0 : TAPIERR_NOREQUESTRECIPIENT;
}

bool DesktopTargetForDeviceProgram(LPCWSTR program, LPCWSTR commandLine, wchar_t* target, int size) {
    if (!target || size <= 0) return false;
    target[0] = L'\0';
    const std::wstring name = ProgramName(program);
    std::wstring line = commandLine ? commandLine : L"";
    while (!line.empty() && line.front() == L' ') line.erase(0, 1);
    while (!line.empty() && line.back() == L' ') line.pop_back();
    if (HasControlCharacters(line)) return false;
    std::wstring result;
    if (EqualsNoCase(name.c_str(), L"iexplore.exe")) {
        // Only web addresses: anything else handed to the desktop could start a program.
        if (line.empty() || line.find(L'"') != std::wstring::npos) return false;
        const size_t colon = line.find(L"://");
        if (colon == std::wstring::npos) {
            if (line.find(L':') != std::wstring::npos && line.find(L':') < line.find(L'.')) return false;
            result = L"http://" + line;
        } else {
            const std::wstring scheme = line.substr(0, colon);
            if (!EqualsNoCase(scheme.c_str(), L"http") && !EqualsNoCase(scheme.c_str(), L"https") &&
                !EqualsNoCase(scheme.c_str(), L"ftp")) {
                return false;
            }
            result = line;
        }
    } else if (EqualsNoCase(name.c_str(), L"tmail.exe")) {
        // -to "ADDRESS"
        if (line.compare(0, 3, L"-to") != 0) return false;
        std::wstring address = line.substr(3);
        while (!address.empty() && address.front() == L' ') address.erase(0, 1);
        if (address.size() >= 2 && address.front() == L'"' && address.back() == L'"') {
            address = address.substr(1, address.size() - 2);
        }
        if (address.empty() || address.find(L'"') != std::wstring::npos) return false;
        result = L"mailto:" + address;
    } else if (EqualsNoCase(name.c_str(), L"peghelp.exe")) {
        // file:NAME: the help file beside the application, never another folder.
        if (line.compare(0, 5, L"file:") != 0) return false;
        std::wstring file = line.substr(5);
        const size_t slash = file.find_last_of(L"\\/:");
        if (slash != std::wstring::npos) file = file.substr(slash + 1);
        const size_t dot = file.find_last_of(L'.');
        if (file.empty() || dot == std::wstring::npos) return false;
        const std::wstring ext = file.substr(dot);
        if (!EqualsNoCase(ext.c_str(), L".htm") && !EqualsNoCase(ext.c_str(), L".html")) return false;
        result = ExeFolder() + file;
    } else {
        return false;
    }
    if (static_cast<int>(result.size()) >= size) return false;
    lstrcpynW(target, result.c_str(), size);
    return true;
}

bool StartDeviceProgram(LPCWSTR program, LPCWSTR commandLine) {
    const std::wstring name = ProgramName(program);
    if (EqualsNoCase(name.c_str(), L"iexplore.exe") || EqualsNoCase(name.c_str(), L"tmail.exe") ||
        EqualsNoCase(name.c_str(), L"peghelp.exe")) {
        wchar_t target[2048];
        if (!DesktopTargetForDeviceProgram(program, commandLine, target, 2048)) return false;
        const INT_PTR r = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", target, nullptr, nullptr,
                                                                  SW_SHOWNORMAL));
        return r > 32;
    }
    if (!program) return false;
    std::wstring line = L"\"" + std::wstring(program) + L"\"";
    if (commandLine && *commandLine) line += L" " + std::wstring(commandLine);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(program, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

// ---- Storage cards ---------------------------------------------------------------------------------

HANDLE FindFirstFlashCard(WIN32_FIND_DATAW* data) {
    if (!data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    auto* find = new FlashCardFind;
    wchar_t drives[512] = {};
    const DWORD n = GetLogicalDriveStringsW(511, drives);
    for (const wchar_t* d = drives; n && n < 512 && *d; d += lstrlenW(d) + 1) {
        if (GetDriveTypeW(d) == DRIVE_REMOVABLE) {
            std::wstring name(d);
            while (!name.empty() && name.back() == L'\\') name.pop_back();
            find->drives.push_back(name);
        }
    }
    if (!FillFlashCard(find, data)) {
        delete find;
        return INVALID_HANDLE_VALUE;
    }
    return reinterpret_cast<HANDLE>(find);
}

BOOL FindNextFlashCard(HANDLE find, WIN32_FIND_DATAW* data) {
    if (!find || find == INVALID_HANDLE_VALUE || !data) return FALSE;
    return FillFlashCard(reinterpret_cast<FlashCardFind*>(find), data) ? TRUE : FALSE;
}

BOOL FindCloseFlashCard(HANDLE find) {
    if (!find || find == INVALID_HANDLE_VALUE) return FALSE;
    delete reinterpret_cast<FlashCardFind*>(find);
    return TRUE;
}

}  // namespace ppc
