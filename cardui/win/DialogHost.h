// The one way a screen is built: a dialog is a class derived from `Dialog` that keeps its own state
// and handles typed messages; the host runs its template, applies the common frame and dispatches.
//
//     class AboutDialog : public Dialog {
//     public:
//         AboutDialog() : Dialog(IDD_ABOUT) {}
//     private:
//         DialogFrameSpec Frame() override { return {Text(IDS_ABOUT), IDI_TL_APP, IDMB_ABOUT}; }
//         bool OnInit() override { ... return true; }
//         bool OnCommand(int id, int code, HWND control) override { ... }
//     };
//     AboutDialog about;
//     RunDialog(parent, about);
//
// What the host does for every dialog:
//   - WM_INITDIALOG: the frame (full screen with the caption's OK button, the dialog bar's title and
//     icon, the menu bar, the application's icon in the caption, one settings change so the layout
//     follows the input panel), then OnInit;
//   - every message but its own timers and painting: notes activity first;
//   - WM_SETTINGCHANGE, WM_ACTIVATE (when the frame asks for it) and WM_SIZE: the frame's part, then
//     the handler where there is one;
//   - WM_INITMENUPOPUP: menu preparation (PrepareMenu), then OnInitMenuPopup;
//   - everything else goes to the typed handler of its message, or to the default processing.
//
// The Dialog object must outlive its window: a modal one lives on the caller's stack for the run, a
// modeless one is owned by whoever created it. No handler runs after the window is gone.
#pragma once

#include <windows.h>

#include <string>

#include "platform/pocketpc/Shell.h"

namespace tl5win {

// The common frame of a dialog, applied at WM_INITDIALOG.
struct DialogFrameSpec {
    std::wstring title;          // the dialog bar's title and the window text
    int icon = 0;                // the dialog bar's icon resource (0: none)
    UINT menuBar = 0;            // the menu bar resource (0: none)
    bool fullScreen = true;      // full screen with the caption's OK button
    bool handleActivation = false;  // WM_ACTIVATE goes to SHHandleWMActivate
};

class Dialog {
public:
    explicit Dialog(UINT templateId) : templateId_(templateId) {}
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    UINT TemplateId() const { return templateId_; }
    // The dialog window while it exists, otherwise null.
    HWND Window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    HWND MenuBar() const { return menuBar_; }

    // Closes the dialog: the result of RunDialog for a modal one; a modeless one is destroyed.
    void End(INT_PTR result);

protected:
    virtual DialogFrameSpec Frame() = 0;
    // After the frame. True lets the system place the focus; false when the handler placed it.
    virtual bool OnInit() { return true; }
    // WM_COMMAND; true when handled.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual void OnTimer(UINT_PTR /*id*/) {}
    // WM_DRAWITEM of an owner-drawn control; true when drawn.
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    // WM_NOTIFY; true when handled, with the result in *result.
    virtual bool OnNotify(const NMHDR& /*header*/, LRESULT* /*result*/) { return false; }
    // WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLOREDIT: the brush, or null for the default colours.
    virtual HBRUSH OnControlColor(UINT /*message*/, HDC /*dc*/, HWND /*control*/) { return nullptr; }
    // WM_SETCURSOR over a control; true when the cursor was set.
    virtual bool OnSetCursor(HWND /*over*/) { return false; }
    // After the menu preparation of a menu about to open.
    virtual void OnInitMenuPopup(HMENU /*menu*/) {}
    // WMU_DIALOG_REFRESH, which a dialog posts itself to update its controls once it is up.
    virtual void OnRefresh() {}
    // DOC_CHOOSER_RESULT: the document chooser's outcome (DocChooserCode) for the dialog that showed it.
    virtual void OnDocumentChooserResult(int /*code*/) {}
    // After the frame's own handling of a size change.
    virtual void OnSize() {}
    // WM_DESTROY, while the controls still exist.
    virtual void OnDestroy() {}
    // A message no typed handler above takes (a screen's private messages); true when handled, with
    // the result in *result.
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT* /*result*/) { return false; }

private:
    friend INT_PTR CALLBACK DialogHostProc(HWND, UINT, WPARAM, LPARAM);
    friend INT_PTR RunDialog(HWND, Dialog&);
    friend HWND CreateModelessDialog(HWND, Dialog&);

    void ApplyFrame();
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    HWND window_ = nullptr;
    HWND menuBar_ = nullptr;
    bool modal_ = true;
    bool handleActivation_ = false;
    ppc::SHACTIVATEINFO activation_{};
};

// Runs a modal dialog from its template; the value given to End (-1 when it could not be made).
INT_PTR RunDialog(HWND parent, Dialog& dialog);

// Creates and shows a modeless dialog; its window, or null. The owner's message loop runs it.
HWND CreateModelessDialog(HWND owner, Dialog& dialog);

}  // namespace tl5win
