#include "cardui/win/DialogHost.h"

#include "cardui/win/Activity.h"
#include "cardui/win/DialogBar.h"
#include "cardui/win/Menus.h"
#include "cardui/win/Strings.h"
#include "resources/messages.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

Dialog* DialogOf(HWND window) { return reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER)); }

// A dialog procedure's way of returning a value other than TRUE or FALSE.
INT_PTR Answer(HWND window, LRESULT result) {
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK DialogHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* dialog = DialogOf(window);
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        if (dialog) dialog->window_ = window;
    }
    if (!dialog) return FALSE;
    // A dialog's own timers and painting are not the user's doing: they never keep a wallet open.
    if (message != WM_TIMER && message != WM_PAINT && message != WM_NCPAINT && message != WM_ERASEBKGND) NoteActivity();
    const INT_PTR result = dialog->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        dialog->window_ = nullptr;
        dialog->menuBar_ = nullptr;
    }
    return result;
}

void Dialog::ApplyFrame() {
    const DialogFrameSpec frame = Frame();
    handleActivation_ = frame.handleActivation;
    activation_ = ppc::SHACTIVATEINFO{};
    activation_.cbSize = 12;
    if (frame.fullScreen) {
        ppc::SHINITDLGINFO init{ppc::SHIDIM_FLAGS, window_, ppc::SHIDIF_DONEBUTTON | ppc::SHIDIF_SIZEDLGFULLSCREEN};
        ppc::SHInitDialog(&init);
    }
    // The caption shows the application's icon, not the system's default window icon.
    HICON icon = LoadIconW(ProgramInstance(), MAKEINTRESOURCEW(IDI_TL_APP));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    if (!frame.title.empty()) SetWindowTextW(window_, frame.title.c_str());
    HWND bar = Item(kDialogBarControlId);
    if (bar) SetDialogBarContent(bar, frame.title.c_str(), frame.icon, ProgramInstance());
    menuBar_ = frame.menuBar ? CreateMenuBarById(window_, frame.menuBar) : nullptr;
    if (bar) FitDialogBar(bar, window_);
    ppc::SHHandleWMSettingChange(window_, ppc::SPI_SETSIPINFO, 0, &activation_);
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: ApplyFrame(); return OnInit() ? TRUE : FALSE;
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_TIMER: OnTimer(wParam); return TRUE;
    case WM_DRAWITEM: return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_NOTIFY: {
        LRESULT result = 0;
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam), &result) ? Answer(window_, result) : FALSE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        return reinterpret_cast<INT_PTR>(OnControlColor(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_SETCURSOR: return OnSetCursor(reinterpret_cast<HWND>(wParam)) ? Answer(window_, TRUE) : FALSE;
    case WM_INITMENUPOPUP: PrepareMenu(reinterpret_cast<HMENU>(wParam)); OnInitMenuPopup(reinterpret_cast<HMENU>(wParam)); return TRUE;
    case WMU_DIALOG_REFRESH: OnRefresh(); return TRUE;
    case DOC_CHOOSER_RESULT: OnDocumentChooserResult(static_cast<int>(wParam)); return TRUE;
    case WM_SETTINGCHANGE: ppc::SHHandleWMSettingChange(window_, wParam, lParam, &activation_); return FALSE;
    case WM_ACTIVATE:
        if (handleActivation_) ppc::SHHandleWMActivate(window_, wParam, lParam, &activation_, 0);
        return FALSE;
    case WM_SIZE:
        if (HWND bar = Item(kDialogBarControlId)) FitDialogBar(bar, window_);
        OnSize();
        return FALSE;
    case WM_DESTROY: OnDestroy(); return FALSE;
    default: {
        LRESULT result = 0;
        return OnMessage(message, wParam, lParam, &result) ? Answer(window_, result) : FALSE;
    }
    }
}

void Dialog::End(INT_PTR result) {
    if (!window_) return;
    if (modal_) {
        EndDialog(window_, result);
    } else {
        DestroyWindow(window_);
    }
}

INT_PTR RunDialog(HWND parent, Dialog& dialog) {
    // The templates name the bar class: it must exist before any dialog is made.
    RegisterDialogBarClass(ProgramInstance());
    dialog.modal_ = true;
    return DialogBoxParamW(ProgramInstance(), MAKEINTRESOURCEW(dialog.TemplateId()), parent, DialogHostProc,
                           reinterpret_cast<LPARAM>(&dialog));
}

HWND CreateModelessDialog(HWND owner, Dialog& dialog) {
    RegisterDialogBarClass(ProgramInstance());
    dialog.modal_ = false;
    HWND window = CreateDialogParamW(ProgramInstance(), MAKEINTRESOURCEW(dialog.TemplateId()), owner, DialogHostProc,
                                     reinterpret_cast<LPARAM>(&dialog));
    if (window) ShowWindow(window, SW_SHOW);
    return window;
}

}  // namespace tl5win
