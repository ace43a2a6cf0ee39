// The input panel (a recorded state; no panel is drawn on a desktop), activation and settings changes.
#include "platform/pocketpc/Shell.h"
#include "platform/pocketpc/ShellInternal.h"

namespace ppc {

namespace {

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

}  // namespace

namespace internal {

void SetInputPanelShown(bool shown) {
    InputPanel& p = Panel();
    if (p.shown == shown) return;
    p.shown = shown;
    p.flags = shown ? (p.flags | SIPF_ON) : (p.flags & ~SIPF_ON);
    EnumThreadWindows(GetCurrentThreadId(), AnnounceToWindow, 0);
}

}  // namespace internal

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
            internal::SetInputPanelShown(info->fSipOnDeactivation != 0);
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
        internal::SetInputPanelShown(true);
        return TRUE;
    case SIP_DOWN:
    case SIP_FORCEDOWN:
        internal::SetInputPanelShown(false);
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
        internal::SetInputPanelShown(shown);
        return TRUE;
    }
    return FALSE;
}

bool InputPanelShown() { return Panel().shown; }
DWORD InputPanelFlags() { return Panel().flags; }
int InputPanelHeight() { return Scale(80); }

}  // namespace ppc
