#include "cardui/win/DialogControls.h"

#include "cardui/win/Strings.h"

#include <windowsx.h>

namespace tl5win {

void SetControlsFont(HWND dialog, const int* ids, int count, HFONT font) {
    for (int i = 0; ids && i < count; ++i) {
        SendDlgItemMessageW(dialog, ids[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void SetCheck(HWND dialog, int id, bool checked) {
    SendDlgItemMessageW(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool GetCheck(HWND dialog, int id) { return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

int AddChoice(HWND dialog, int id, UINT stringId, LPARAM data) {
    const LRESULT index = SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0,
                                              reinterpret_cast<LPARAM>(Text(stringId)));
    if (index >= 0) SendDlgItemMessageW(dialog, id, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
    return static_cast<int>(index);
}

void SelectChoice(HWND dialog, int id, LPARAM data) {
    const LRESULT count = SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0);
    WPARAM chosen = 0;
    for (LRESULT i = 0; i < count && i <= 200; ++i) {
        if (SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data) {
            chosen = static_cast<WPARAM>(i);
            break;
        }
    }
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, chosen, 0);
}

LPARAM ChosenData(HWND dialog, int id, LPARAM fallback) {
    const LRESULT selected = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    if (selected < 0) return fallback;
    return SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
}

void StretchControl(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return;
    RECT client{}, r{};
    GetClientRect(dialog, &client);
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    const int width = client.right - 2 * r.left + 1;
    SetWindowPos(control, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int EditClipboardState(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const bool canPaste = IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT) ||
                          IsClipboardFormatAvailable(CF_OEMTEXT);
    int state = start != end ? (kCanCut | kCanCopy | kCanClear) : 0;
    if (canPaste) state |= kCanPaste;
    if (GetWindowTextLengthW(edit) > 0) state |= kCanSelectAll;
    return state;
}

void EditClipboardCommand(HWND edit, int bit) {
    switch (bit) {
    case kCanCut: SendMessageW(edit, WM_CUT, 0, 0); break;
    case kCanCopy: SendMessageW(edit, WM_COPY, 0, 0); break;
    case kCanPaste: SendMessageW(edit, WM_PASTE, 0, 0); break;
    case kCanClear: SendMessageW(edit, WM_CLEAR, 0, 0); break;
    case kCanSelectAll: SendMessageW(edit, EM_SETSEL, 0, -1); break;
    default: break;
    }
}

namespace {

struct FirstDialog {
    DWORD thread;
    HWND found;
};

BOOL CALLBACK FindFirstDialog(HWND window, LPARAM param) {
    auto* state = reinterpret_cast<FirstDialog*>(param);
    if (GetWindowThreadProcessId(window, nullptr) != state->thread) return TRUE;
    if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_NOACTIVATE) return TRUE;
    state->found = window;
    return FALSE;
}

}  // namespace

void DismissDialogs(HWND mainWindow) {
    if (!IsWindow(mainWindow)) return;
    FirstDialog state{GetWindowThreadProcessId(mainWindow, nullptr), nullptr};
    EnumWindows(FindFirstDialog, reinterpret_cast<LPARAM>(&state));
    HWND window = state.found;
    // Each step climbs to the owner, so a chain of owned dialogs ends at the main window; the step
    // limit keeps an ownership loop from spinning.
    for (int steps = 0; window && IsWindow(window) && window != mainWindow && steps < 64; ++steps) {
        HWND owner = GetWindow(window, GW_OWNER);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        window = owner;
    }
}

}  // namespace tl5win
