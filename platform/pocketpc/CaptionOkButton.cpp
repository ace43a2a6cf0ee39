// The caption's OK button (the caption's close box sends WM_COMMAND IDOK) and bringing a window to the front.
#include "platform/pocketpc/Shell.h"

#include <commctrl.h>

#include "platform/pocketpc/ShellInternal.h"

namespace ppc {

namespace {

using internal::kDoneButtonProp;
using internal::kFullScreenProp;
using internal::SetStyleBits;

constexpr UINT_PTR kCaptionOkSubclass = 0x7C01;

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

}  // namespace

namespace internal {

void SetStyleBits(HWND window, LONG_PTR add, LONG_PTR remove) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR updated = (style | add) & ~remove;
    if (updated != style) {
        SetWindowLongPtrW(window, GWL_STYLE, updated);
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

}  // namespace internal

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

}  // namespace ppc
