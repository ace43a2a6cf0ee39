// Tap and hold: on a desktop, the right mouse button.
#include "platform/pocketpc/Shell.h"

#include <commctrl.h>

namespace ppc {

namespace {

constexpr UINT_PTR kTapAndHoldSubclass = 0x7C03;

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

}  // namespace

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

}  // namespace ppc
