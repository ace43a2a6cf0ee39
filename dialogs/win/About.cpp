#include "dialogs/win/About.h"

#include "cardui/win/Utilities.h"
#include "shell/win/MainWindowFrame.h"

namespace tl5win {

namespace {

constexpr int kTitle = 1311;
constexpr int kVersion = 1111;
constexpr int kCopyright = 1312;
constexpr int kLink = 1110;
constexpr int kInvitation = 1112;
constexpr int kDone = 814;
constexpr int kCancel = 809;
constexpr int kWebSite = 815;
constexpr UINT kAboutMenuBar = 968;

DialogFrame g_frame;

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    NoteActivity();
    switch (message) {
    case WM_INITDIALOG: {
        InitDialogFrame(dialog, &g_frame, Text(20020), 200, kAboutMenuBar);
        HFONT bold = DialogFont(kFont85Bold);
        for (int id : {kTitle, kVersion, kCopyright, kInvitation})
            SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(bold), FALSE);
        SendDlgItemMessageW(dialog, kLink, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(kFont85BoldUnderlined)), FALSE);
        for (int id : {kTitle, kVersion, kCopyright, kLink, kInvitation}) tl5::StretchControl(dialog, id);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        if (id != kVersion && id != kLink) return FALSE;
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 255));
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == GetDlgItem(dialog, kLink)) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == kWebSite || (id == kLink && HIWORD(wParam) == STN_CLICKED)) {
            OpenWebPage(kHomePage);
            return TRUE;
        }
        if (id == kDone || id == kCancel || id == IDOK || id == IDCANCEL) {
            EndDialog(dialog, id);
            return TRUE;
        }
        return FALSE;
    }
    case WM_SETTINGCHANGE:
    case WM_SIZE:
        HandleDialogFrameMessage(dialog, &g_frame, message, wParam, lParam, false);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

void ShowAbout(HWND parent) {
    DialogBoxParamW(AppInstance(), MAKEINTRESOURCEW(kAboutDialog), parent, AboutProc, 0);
}

}  // namespace tl5win
