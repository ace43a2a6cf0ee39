#include "cardui/win/DocChooser.h"

#include <memory>

#include "cardui/DocChooserRules.h"
#include "cardui/win/DialogBar.h"
#include "cardui/win/DialogHost.h"
#include "platform/Text.h"
#include "platform/pocketpc/DocList.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

std::u16string U16(const wchar_t* s) { return tl5::FromWide(s ? s : L""); }

class DocChooserScreen : public Dialog {
public:
    DocChooserScreen(HWND parent, tl5::DocChooserState& state)
        : Dialog(IDD_DOCUMENT_CHOOSER), parent_(parent), state_(state) {}

    // Cancels the run from outside (a new arm while it is still up).
    void CancelFromOutside() { Finish(state_.Cancel()); }

private:
    DialogFrameSpec Frame() override {
        // The empty template has no bar: the title bar is made in code (OnInit).
        return {tl5::ToWide(state_.Title()), 0, state_.MenuBar(), true, true};
    }

    bool OnInit() override {
        titleBar_ = CreateTitleBar(Window(), tl5::ToWide(state_.Title()), static_cast<int>(state_.HeaderIcon()));
        filter_ = tl5::ToWide(state_.Filter());
        list_ = ppc::CreateDocumentList(Window(), filter_.c_str(), IDC_DOCUMENT_LIST);
        Layout();
        SetFocus(list_);
        return false;  // the focus is placed
    }

    void OnSize() override { Layout(); }

    bool OnNotify(const NMHDR& header, LRESULT* result) override {
        if (header.idFrom != IDC_DOCUMENT_LIST) return false;
        if (header.code == ppc::DLN_ITEMACTIVATED) {
            Finish(state_.Activated(tl5::FromWide(reinterpret_cast<const ppc::DLNHDR&>(header).pszPath)));
        } else if (header.code == ppc::DLN_LAYOUTCHANGED) {
            Layout();
        }
        *result = 0;
        return true;
    }

    bool OnCommand(int id, int, HWND) override {
        switch (id) {
            case IDOK:
            case IDM_DONE: Finish(state_.Done(tl5::FromWide(SelectedPath()))); return true;
            case IDM_NONE:
                if (state_.AllowNone()) Finish(state_.None());
                return true;
            case IDCANCEL:
            case IDM_CANCEL: Finish(state_.Cancel()); return true;
            default: return false;
        }
    }

    void OnDestroy() override {
        if (list_) DestroyWindow(list_);
        list_ = nullptr;
        titleBar_ = nullptr;
    }

    void Layout() { FitTitleBarAndBody(Window(), titleBar_, list_); }

    std::wstring SelectedPath() const {
        wchar_t path[MAX_PATH] = {};
        if (list_) SendMessageW(list_, ppc::DLM_GETSELPATHNAME, MAX_PATH, reinterpret_cast<LPARAM>(path));
        return path;
    }

    // Posts the outcome (once: the state posts nothing after the first) and goes away.
    void Finish(const tl5::DocChooserState::Post& post) {
        const HWND parent = parent_;
        if (post.message && IsWindow(parent)) PostMessageW(parent, post.message, static_cast<WPARAM>(post.code), 0);
        End(0);
    }

    HWND parent_;
    tl5::DocChooserState& state_;
    std::wstring filter_;
    HWND titleBar_ = nullptr;
    HWND list_ = nullptr;
};

// The one chooser of the process: its rules and its screen (kept until the next show, so that no
// screen object is freed while one of its own handlers runs).
struct DocChooser {
    tl5::DocChooserState state;
    std::unique_ptr<DocChooserScreen> screen;
};

DocChooser& Chooser() {
    static DocChooser chooser;
    return chooser;
}

}  // namespace

void ArmDocChooser(UINT resultMessage, const wchar_t* pattern, const wchar_t* description, const wchar_t* title,
                   int headerIcon, bool allowNone) {
    DocChooser& c = Chooser();
    if (c.screen && c.screen->Window()) c.screen->CancelFromOutside();
    c.state.Arm(resultMessage, U16(pattern), U16(description), U16(title), static_cast<uint32_t>(headerIcon),
                allowNone);
}

bool ShowDocChooser(HWND parent) {
    DocChooser& c = Chooser();
    if (!c.state.CanShow() || (c.screen && c.screen->Window())) return false;
    c.screen = std::make_unique<DocChooserScreen>(parent, c.state);
    if (!CreateModelessDialog(parent, *c.screen)) {
        c.screen.reset();
        return false;
    }
    return true;
}

bool DocChooserChosenPath(std::wstring* path) {
    std::u16string chosen;
    if (!Chooser().state.ChosenPath(&chosen)) return false;
    if (path) *path = tl5::ToWide(chosen);
    return true;
}

HWND DocChooserWindow() {
    const DocChooser& c = Chooser();
    return c.screen ? c.screen->Window() : nullptr;
}

}  // namespace tl5win
