#include "platform/pocketpc/DeviceScreen.h"

namespace ppc {

int DeviceDpi() {
    HDC dc = GetDC(nullptr);
    int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return dpi < 96 ? 96 : dpi;
}

bool IsHighResolution() {
    static const bool high = DeviceDpi() >= 192;
    return high;
}

int Scale(int n) { return IsHighResolution() ? 2 * n : n; }

RECT DeviceScreenRect() {
    const int factor = DeviceDpi() >= 192 ? 2 : 1;
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) work = RECT{0, 0, 0, 0};
    RECT r{};
    r.left = work.left;
    r.top = work.top + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME);
    r.right = r.left + kDeviceWidth * factor;
    r.bottom = r.top + kDeviceHeight * factor;
    return r;
}

int DeviceSystemMetrics(int index) {
    const RECT r = DeviceScreenRect();
    switch (index) {
    case SM_CXSCREEN: return r.right - r.left;
    case SM_CYSCREEN: return r.bottom - r.top;
    default: return GetSystemMetrics(index);
    }
}

void FitWindowToDeviceScreen(HWND window) {
    RECT r = DeviceScreenRect();
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    AdjustWindowRectEx(&r, style, GetMenu(window) != nullptr, exStyle);
    // Keep the frame on the desktop: shift down and right when the caption would leave it.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if (r.left < work.left) OffsetRect(&r, work.left - r.left, 0);
    if (r.top < work.top) OffsetRect(&r, 0, work.top - r.top);
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ppc
