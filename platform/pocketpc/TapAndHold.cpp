// Tap and hold: on a desktop, the right mouse button.
#include "platform/pocketpc/Shell.h"

#include <commctrl.h>

#include <unordered_map>

namespace ppc {

namespace {

// The controls' own procedures, kept in this process. (The common controls' subclass chain keeps
// its state in a window property, which costs a round trip to the window server on some systems
// for every message: a tree taking ten thousand items spent most of its time there.)
std::unordered_map<HWND, WNDPROC>& OriginalProcs() {
    static std::unordered_map<HWND, WNDPROC> procs;
    return procs;
}

LRESULT CALLBACK TapAndHoldProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto found = OriginalProcs().find(control);
    const WNDPROC original = found != OriginalProcs().end() ? found->second : nullptr;
    if (!original) return DefWindowProcW(control, message, wParam, lParam);
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
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        OriginalProcs().erase(control);
        break;
    default:
        break;
    }
    return CallWindowProcW(original, control, message, wParam, lParam);
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
    if (!IsWindow(control) || OriginalProcs().count(control)) return;
    const auto original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TapAndHoldProc)));
    if (original) OriginalProcs()[control] = original;
}

}  // namespace ppc
