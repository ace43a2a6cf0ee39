// Full-screen dialogs in the device screen, and small dialogs centred in it.
#include "platform/pocketpc/Shell.h"
#include "platform/pocketpc/ShellInternal.h"

namespace ppc {

namespace {

using internal::kFullScreenProp;
using internal::SetStyleBits;

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

}  // namespace ppc
