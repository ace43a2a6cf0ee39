#include "cardui/win/DialogBar.h"

#include <new>

#include "cardui/Gradient.h"
#include "cardui/IconReader.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/ImageLists.h"
#include "cardui/win/Strings.h"
#include "platform/pocketpc/DeviceScreen.h"

namespace tl5win {

// Built over the portable core: its names are used here as they stand.
using namespace tl5;
namespace {

const wchar_t kDialogBarClass[] = L"OWDlgBar";

struct BarGlobals {
    int height = 0;
    HFONT font = nullptr;
    COLORREF start = 0x00FEECDD;
    COLORREF end = 0x00E2A981;
    COLORREF text = 0x00000000;
};

BarGlobals& Globals() {
    static BarGlobals globals;
    return globals;
}

LRESULT CALLBACK DialogBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam);

// True for a window of our bar class (also when someone has subclassed it).
bool IsBar(HWND window) {
    return window != nullptr &&
           reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC)) == DialogBarProc;
}

DialogBarContent* ContentOf(HWND bar) {
    return reinterpret_cast<DialogBarContent*>(GetWindowLongPtrW(bar, GWLP_USERDATA));
}

void FreeContent(DialogBarContent* content) {
    if (content == nullptr) return;
    if (content->customSmall) DestroyIcon(content->customSmall);
    if (content->customLarge) DestroyIcon(content->customLarge);
    delete content;
}

void PaintBar(HWND bar, HDC dc, const DialogBarContent& content) {
    RECT client{};
    GetClientRect(bar, &client);
    const int height = DialogBarHeight();
    // The gradient leaves the bar's last row to the white background.
    const RECT band{0, 0, client.right, height - 1};
    FillGradient(dc, band, Globals().start, Globals().end, true);

    const int size = IconSize();
    const int margin = (height - size) / 2;
    bool drewIcon = false;
    if (content.icon == kDialogBarCustomIcon) {
        HICON icon = size >= 32 ? content.customLarge : content.customSmall;
        if (icon) drewIcon = DrawIconEx(dc, margin, margin, icon, size, size, 0, nullptr, DI_NORMAL) != FALSE;
    } else if (content.imageList) {
        if (content.icon >= 0 && content.icon < ImageList_GetImageCount(content.imageList)) {
            drewIcon = ImageList_Draw(content.imageList, content.icon, dc, margin, margin, ILD_TRANSPARENT) != FALSE;
        }
    } else if (content.icon > 0) {
        HICON icon = static_cast<HICON>(LoadImageW(content.instance, MAKEINTRESOURCEW(content.icon), IMAGE_ICON,
                                                   size, size, LR_DEFAULTCOLOR));
        if (icon) {
            drewIcon = DrawIconEx(dc, margin, margin, icon, size, size, 0, nullptr, DI_NORMAL) != FALSE;
            DestroyIcon(icon);
        }
    }

    RECT text{drewIcon ? size + margin + ppc::Scale(5) : ppc::Scale(5), 0, client.right - ppc::Scale(5), height - 1};
    if (text.right <= text.left || content.caption.empty()) return;
    HGDIOBJ oldFont = SelectObject(dc, DialogBarFont());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, Globals().text);
    // One line, centred in the bar and clipped at the caption's right end.
    DrawTextW(dc, content.caption.c_str(), static_cast<int>(content.caption.size()), &text,
              DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK DialogBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        const DialogBarContent* content = ContentOf(bar);
        if (content == nullptr) break;   // a bar without content paints as a plain window
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(bar, &ps);
        if (dc) PaintBar(bar, dc, *content);
        EndPaint(bar, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        RECT client{};
        GetClientRect(bar, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        if (const DialogBarContent* content = ContentOf(bar)) PaintBar(bar, dc, *content);
        return 0;
    }
    case WM_DESTROY:
        FreeContent(ContentOf(bar));
        SetWindowLongPtrW(bar, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(bar, message, wParam, lParam);
}

// Applies a band list from the gradient arithmetic with one solid brush per band.
template <typename Bands>
void FillBands(HDC dc, const Bands& bands) {
    for (const GradientBand& b : bands) {
        HBRUSH brush = CreateSolidBrush(b.color);
        if (brush == nullptr) continue;
        const RECT r{b.rect.left, b.rect.top, b.rect.right, b.rect.bottom};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
}

}  // namespace

bool RegisterDialogBarClass(HINSTANCE instance, bool unregister) {
    if (unregister) return UnregisterClassW(kDialogBarClass, instance) != FALSE;
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, kDialogBarClass, &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DialogBarProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kDialogBarClass;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void SetDialogBarGlobals(int height, HFONT font) {
    Globals().height = height;
    Globals().font = font;
}

int DialogBarHeight() { return Globals().height > 0 ? Globals().height : ppc::Scale(23); }

HFONT DialogBarFont() {
    return Globals().font ? Globals().font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void SetDialogBarColors(COLORREF start, COLORREF end, COLORREF text) {
    Globals().start = start;
    Globals().end = end;
    Globals().text = text;
}
COLORREF DialogBarStartColor() { return Globals().start; }
COLORREF DialogBarEndColor() { return Globals().end; }
COLORREF DialogBarTextColor() { return Globals().text; }

HWND CreateDialogBar(HWND parent, const wchar_t* caption, DWORD style, POINT position, HINSTANCE instance) {
    if (!RegisterDialogBarClass(instance)) return nullptr;
    RECT window{};
    if (parent) GetWindowRect(parent, &window);
    return CreateWindowExW(0, kDialogBarClass, caption ? caption : L"", WS_CHILD | style, position.x, position.y,
                           window.right - window.left + 1, DialogBarHeight(), parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kDialogBarControlId)), instance, nullptr);
}

bool SetDialogBarContent(HWND bar, const wchar_t* caption, int icon, HINSTANCE instance, HIMAGELIST imageList,
                         const uint8_t* iconData, size_t iconDataSize) {
    if (!IsBar(bar)) return false;
    DialogBarContent* content = new (std::nothrow) DialogBarContent;
    if (content == nullptr) return false;
    try {
        content->caption = caption ? caption : L"";
    } catch (const std::bad_alloc&) {
        delete content;
        return false;
    }
    content->icon = icon;
    content->instance = instance;
    content->imageList = imageList;
    if (icon == kDialogBarCustomIcon && iconData != nullptr && iconDataSize > 0) {
        HICON smallIcon = nullptr;
        HICON largeIcon = nullptr;
        if (ReadIcon(iconData, iconDataSize, 16, 24, true, &smallIcon) == kIconOk &&
            ReadIcon(iconData, iconDataSize, 32, 24, true, &largeIcon) == kIconOk) {
            content->customSmall = smallIcon;
            content->customLarge = largeIcon;
        } else {
            if (smallIcon) DestroyIcon(smallIcon);
            if (largeIcon) DestroyIcon(largeIcon);
        }
    }
    FreeContent(ContentOf(bar));
    SetWindowLongPtrW(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(content));
    SetWindowTextW(bar, content->caption.c_str());
    InvalidateRect(bar, nullptr, TRUE);
    return true;
}

const DialogBarContent* GetDialogBarContent(HWND bar) { return IsBar(bar) ? ContentOf(bar) : nullptr; }

void FitDialogBar(HWND bar, HWND dialog) {
    if (bar == nullptr || dialog == nullptr) return;
    RECT client{};
    GetClientRect(dialog, &client);
    MoveWindow(bar, 0, 0, client.right - client.left + 1, DialogBarHeight(), TRUE);
}

void FillGradient(HDC dc, const RECT& rect, COLORREF start, COLORREF end, bool vertical) {
    FillBands(dc, GradientBands(GradientRect{rect.left, rect.top, rect.right, rect.bottom}, start, end, vertical));
}

void FillGradientPart(HDC dc, const RECT& rect, COLORREF start, COLORREF end, const RECT& reference) {
    FillBands(dc, GradientPartBands(GradientRect{rect.left, rect.top, rect.right, rect.bottom}, start, end,
                                    GradientRect{reference.left, reference.top, reference.right, reference.bottom}));
}

HWND CreateTitleBar(HWND parent, const std::wstring& caption, int iconId) {
    HWND bar = CreateDialogBar(parent, caption.c_str(), WS_VISIBLE, POINT{0, 0}, ProgramInstance());
    if (bar) {
        SetWindowLongPtrW(bar, GWLP_ID, kDialogBarControlId);
        SetDialogBarContent(bar, caption.c_str(), iconId, ProgramInstance());
    }
    return bar;
}

void FitTitleBarAndBody(HWND screen, HWND titleBar, HWND body) {
    RECT client{};
    GetClientRect(screen, &client);
    int barHeight = 0;
    if (titleBar) {
        FitDialogBar(titleBar, screen);
        barHeight = DialogBarHeight();
    }
    if (body) MoveWindow(body, 0, barHeight, client.right, client.bottom - barHeight, TRUE);
}

}  // namespace tl5win
