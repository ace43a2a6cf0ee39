#include "dialogs/win/PinPad.h"

namespace tl5win {

PinPadBrushes::PinPadBrushes()
    : digits_(CreateSolidBrush(ColorOfKey(IDC_PIN_0))),
      editing_(CreateSolidBrush(ColorOfKey(IDC_PIN_CLEAR))),
      ok_(CreateSolidBrush(ColorOfKey(IDC_PIN_OK))) {}

PinPadBrushes::~PinPadBrushes() {
    DeleteObject(digits_);
    DeleteObject(editing_);
    DeleteObject(ok_);
}

COLORREF PinPadBrushes::ColorOfKey(int id) {
    if (id == IDC_PIN_OK) return RGB(0, 128, 0);
    if (id == IDC_PIN_CLEAR || id == IDC_PIN_BACK) return RGB(255, 56, 56);
    return RGB(0, 48, 206);
}

HBRUSH PinPadBrushes::ForKey(int id) const {
    if (id == IDC_PIN_OK) return ok_;
    if (id == IDC_PIN_CLEAR || id == IDC_PIN_BACK) return editing_;
    return digits_;
}

void DrawPinPadKey(const DRAWITEMSTRUCT& item, const PinPadBrushes& brushes) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const COLORREF color = PinPadBrushes::ColorOfKey(static_cast<int>(item.CtlID));
    // A dark frame around the key; the face moves by a pixel while pressed.
    HBRUSH frame = CreateSolidBrush(RGB(GetRValue(color) / 2, GetGValue(color) / 2, GetBValue(color) / 2));
    FillRect(dc, &r, frame);
    DeleteObject(frame);
    RECT face = r;
    InflateRect(&face, -1, -1);
    if (pressed) OffsetRect(&face, 1, 1);
    FillRect(dc, &face, brushes.ForKey(static_cast<int>(item.CtlID)));

    wchar_t caption[32] = {};
    GetWindowTextW(item.hwndItem, caption, 32);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextW(dc, caption, -1, &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (old) SelectObject(dc, old);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = face;
        InflateRect(&focus, -2, -2);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &focus);
    }
}

void PinPadInsertDigit(HWND entry, int digit) {
    const wchar_t text[2] = {static_cast<wchar_t>(L'0' + digit), 0};
    SendMessageW(entry, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
    SetFocus(entry);
}

void PinPadBackspace(HWND entry) {
    SetFocus(entry);
    // A silent key press and release, queued for the box as a hardware Backspace would be; the
    // message loop translates the press into the character the box deletes with.
    const LPARAM down = 1 | (static_cast<LPARAM>(MapVirtualKeyW(VK_BACK, MAPVK_VK_TO_VSC)) << 16);
    PostMessageW(entry, WM_KEYDOWN, VK_BACK, down);
    PostMessageW(entry, WM_KEYUP, VK_BACK, down | (static_cast<LPARAM>(3) << 30));
}

}  // namespace tl5win
