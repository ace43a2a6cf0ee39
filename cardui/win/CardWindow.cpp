#include "cardui/win/CardWindow.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "StringIds.h"
#include "cardui/win/Activity.h"
#include "cardui/win/CardLookCommands.h"
#include "cardui/win/DialogBar.h"
#include "cardui/win/DialogHost.h"
#include "cardui/win/FieldEditors.h"
#include "dialogs/win/NoteEditors.h"
#include "dialogs/win/MediaDialogs.h"
#include "dialogs/win/PasswordGenerator.h"
#include "platform/SecureZero.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/ImageLists.h"
#include "cardui/win/ListUI.h"
#include "cardui/win/Strings.h"
#include "model/Card.h"
#include "model/CardSoundPlayer.h"
#include "platform/Text.h"
#include "platform/pocketpc/Shell.h"
#include "resources/messages.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

class CardWindow;
CardWindow* g_open = nullptr;  // the one card window

// The top-level windows the card window owns (a question box, a dialog it runs).
std::vector<HWND> OwnedWindows(HWND owner) {
    struct Search {
        HWND owner;
        std::vector<HWND> found;
    } search{owner, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (GetWindow(window, GW_OWNER) == s->owner) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class CardWindow : public Dialog {
public:
    explicit CardWindow(CardWindowParams& params) : Dialog(IDD_CARD), params_(params) {}
    ~CardWindow() override {
        if (g_open == this) g_open = nullptr;
    }

    bool Closing() const { return closing_; }
    CardWindowParams& Params() { return params_; }
    void CloseNow() { OnCloseRequest(); }

private:
    DialogFrameSpec Frame() override {
        DialogFrameSpec frame;
        frame.title = CardName();
        return frame;
    }

    std::wstring CardName() const {
        return params_.card ? tl5::ToWide(params_.card->Record().Name()) : std::wstring();
    }

    bool OnInit() override {
        g_open = this;
        params_.window = Window();
        params_.result = -1;
        HFONT font = AppFontCache().Font(kFont9);
        for (int id : {IDC_CARD_TEXT, IDC_CARD_DATE, IDC_CARD_TIME, IDC_CARD_DATETIME, IDC_CARD_CHOICE, IDC_CARD_CHECK})
            SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        tl5::CardMode mode = params_.initialMode;
        if (!HasPresenter(mode)) mode = tl5::CardMode::kView;
        RECT client;
        GetClientRect(Window(), &client);
        list_ = CreateListUi(Window(), params_, client, mode);
        SetUpEditors(Window(), list_);
        mode_ = mode;
        ShowWindow(list_, SW_SHOW);
        ApplyMode(params_.startAtName ? -1 : 0);
        player_.Clear();
        const tl5::CardSound& sound = params_.card->Sound();
        if (mode_ == tl5::CardMode::kView && sound.HasData() && sound.playWhenViewed) {
            if (player_.LoadFromBytes(true, sound.fileName, sound.bytes.data.data(), sound.bytes.Size())) player_.Play();
        }
        return false;
    }

    // Everything of a mode but the presenter switch's arguments: bar, menu bar, placement, focus.
    void ApplyMode(int startField) {
        if (bar_) DestroyWindow(bar_);
        bar_ = nullptr;
        HWND dialogBar = Item(IDC_DIALOG_BAR);
        if (mode_ == tl5::CardMode::kView) {
            const tl5::ItemRecord& record = params_.card->Record();
            if (record.HasCustomIcon()) {
                const std::vector<uint8_t> bytes = record.CustomIconBytes();
                SetDialogBarContent(dialogBar, CardName().c_str(), kDialogBarCustomIcon, nullptr, nullptr, bytes.data(),
                                    bytes.size());
            } else {
                SetDialogBarContent(dialogBar, CardName().c_str(), record.Icon() + kFirstStockImage, nullptr,
                                    StockIconList(IconSize()));
            }
            ShowWindow(dialogBar, SW_SHOW);
        } else if (mode_ == tl5::CardMode::kEdit) {
            ShowWindow(dialogBar, SW_HIDE);
        } else {
            const std::wstring name = CardName().substr(0, 127);
            const std::wstring caption = std::wstring(Text(IDS_FORM_DESIGN)) + L": " + name;
            SetDialogBarContent(dialogBar, caption.c_str(), IDI_TL_FORM, ProgramInstance());
            ShowWindow(dialogBar, SW_SHOW);
        }
        const UINT menuBar = mode_ == tl5::CardMode::kView ? IDMB_CARD_VIEW
                             : mode_ == tl5::CardMode::kEdit ? IDMB_CARD_EDIT
                                                             : IDMB_FORM_DESIGN;
        bar_ = CreateMenuBarById(Window(), menuBar);
        // A mode whose presenter is not available cannot be entered.
        if (bar_) SendMessageW(bar_, TB_ENABLEBUTTON, IDM_EDIT, HasPresenter(tl5::CardMode::kEdit) ? TRUE : FALSE);
        // The first time the text editor gains the focus in the new mode, the input panel comes up.
        sipOnFocus_ = mode_ != tl5::CardMode::kView;
        SendMessageW(list_, LUM_SETMODE, static_cast<WPARAM>(mode_), startField);
        Place();
        SetFocus(list_);
        InvalidateRect(Window(), nullptr, TRUE);
        if (mode_ == tl5::CardMode::kView) ppc::SHSipPreference(Window(), ppc::SIP_DOWN);
    }

    void SwitchMode(tl5::CardMode mode, int startField) {
        if (!HasPresenter(mode)) return;
        SendMessageW(list_, LUM_COMMIT, 0, 0);
        mode_ = mode;
        ApplyMode(startField);
    }

    // Edit mode takes the whole client area; the other modes leave the dialog bar above the list.
    void Place() {
        if (!list_) return;
        RECT client;
        GetClientRect(Window(), &client);
        HWND dialogBar = Item(IDC_DIALOG_BAR);
        int top = 0;
        if (mode_ != tl5::CardMode::kEdit && dialogBar) {
            FitDialogBar(dialogBar, Window());
            top = DialogBarHeight();
        }
        MoveWindow(list_, 0, top, client.right, client.bottom - top > 0 ? client.bottom - top : 0, TRUE);
    }

    void OnSize() override { Place(); }

    // Ends the window and tells the owner; `result` stays in the params for code that closed it.
    void Close(int result) {
        if (closing_) return;
        closing_ = true;
        player_.Clear();
        params_.result = result;
        if (params_.owner && params_.notifyMessage)
            PostMessageW(params_.owner, params_.notifyMessage, static_cast<WPARAM>(result), 0);
        End(result == kCardClosedDeleted ? 1 : result == kCardClosedUnchanged ? 0 : 1);
    }

    bool Changed() { return params_.card && params_.card->IsModified(); }

    void Done() {
        switch (mode_) {
        case tl5::CardMode::kView: Close(Changed() ? kCardClosedSaved : kCardClosedUnchanged); break;
        case tl5::CardMode::kEdit: SwitchMode(tl5::CardMode::kView, 0); break;
        case tl5::CardMode::kFormDesign: SwitchMode(tl5::CardMode::kEdit, -1); break;
        }
    }

    // Cancel and Escape: a changed card is only thrown away after a Yes.
    void Cancel() {
        if (Changed()) {
            questionOpen_ = true;
            const int answer = ShowMessage(Window(), IDS_DISCARD_CHANGES_Q, IDS_QUESTION, MB_YESNO | MB_ICONQUESTION);
            questionOpen_ = false;
            if (closing_ || answer != IDYES) return;
        }
        Close(kCardClosedUnchanged);
    }

    // The question is asked on this thread; a close request meanwhile answers it with No.
    void DeleteCard() {
        questionOpen_ = true;
        const int answer = ShowMessage(Window(), IDS_DELETE_CARD_Q, IDS_QUESTION, MB_YESNO | MB_ICONEXCLAMATION);
        questionOpen_ = false;
        if (closing_ || answer != IDYES) return;
        PostMessageW(Window(), CARD_DELETECONFIRMED, 1, 0);
    }

    // The wallet is closing: answer any question with No, close what the window owns, keep every
    // edit, and close.
    void OnCloseRequest() {
        if (closing_) return;
        for (HWND owned : OwnedWindows(Window())) {
            SendMessageW(owned, WM_COMMAND, IDNO, 0);
            if (IsWindow(owned) && IsWindowEnabled(owned)) SendMessageW(owned, WM_COMMAND, IDCANCEL, 0);
        }
        if (list_) SendMessageW(list_, LUM_COMMIT, 0, 0);
        Close(Changed() ? kCardClosedSaved : kCardClosedUnchanged);
    }

    bool OnCommand(int id, int code, HWND) override {
        // While a dialog of the card window is up, the window is disabled; a command posted to it
        // meanwhile would open a second dialog under the first.
        if (closing_ || !IsWindowEnabled(Window())) return true;
        if (id == IDC_CARD_TEXT && code == EN_SETFOCUS && sipOnFocus_) {
            sipOnFocus_ = false;
            ppc::SHSipPreference(Window(), ppc::SIP_UP);
        }
        switch (id) {
        case IDC_CARD_BROWSE:
            if (code == BN_CLICKED && mode_ == tl5::CardMode::kEdit && CurrentEditorKind() == tl5::kEditorText) BrowseText();
            return true;
        case IDOK:
        case IDM_DONE: Done(); return true;
        case IDCANCEL:
        case IDM_CANCEL: Cancel(); return true;
        case IDM_DELETE:
            if (mode_ == tl5::CardMode::kView && !questionOpen_) DeleteCard();
            return true;
        case IDM_EDIT:
            if (mode_ == tl5::CardMode::kView) SwitchMode(tl5::CardMode::kEdit, params_.selectedField);
            return true;
        case IDM_FORM_DESIGN:
            if (mode_ == tl5::CardMode::kEdit) SwitchMode(tl5::CardMode::kFormDesign, 0);
            return true;
        case IDM_GENERATE_PASSWORD:
            if (mode_ == tl5::CardMode::kEdit && EditingPassword()) GeneratePassword();
            return true;
        case IDM_TEXT_COLORS:
            if (mode_ == tl5::CardMode::kView) RunCardTextColors(Window(), params_.card);
            return true;
        case IDM_ICON:
            if (mode_ == tl5::CardMode::kView) RunCardIcon(Window(), params_.card);
            return true;
        case IDM_ATTACHMENTS:
        case IDM_BACKGROUND:
        case IDM_SOUND:
            if (mode_ == tl5::CardMode::kView) RunCardMediaCommand(Window(), *params_.card, id);
            return true;
        case IDM_EDIT_CUT:
        case IDM_EDIT_COPY:
        case IDM_EDIT_PASTE:
        case IDM_EDIT_CLEAR:
        case IDM_EDIT_SELECT_ALL:
            if (mode_ == tl5::CardMode::kEdit) EditorClipboardCommand(id);
            return true;
        default:
            if (list_) PostMessageW(list_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
            return true;
        }
    }

    // Edit mode on a password field.
    bool EditingPassword() const {
        const tl5::Field* field =
            params_.selectedField >= 0 ? params_.card->FieldAt(static_cast<size_t>(params_.selectedField)) : nullptr;
        return field && field->Type() == tl5::FT_PASSWORD && CurrentEditorKind() == tl5::kEditorText;
    }

    // The generator's password replaces the editor's text; it reaches the field when the row is left.
    void GeneratePassword() {
        std::u16string password;
        // A close request while the generator is up ends the card window: the result is not wanted then.
        if (!ShowPasswordGenerator(Window(), &password) || closing_) {
            tl5::SecureZero(password);
            return;
        }
        HWND edit = EditorControl(tl5::kEditorText);
        std::wstring wide(password.begin(), password.end());
        SetWindowTextW(edit, wide.c_str());
        SendMessageW(edit, EM_SETSEL, wide.size(), wide.size());
        SetFocus(edit);
        tl5::SecureZero(wide.data(), wide.size() * sizeof(wchar_t));
        tl5::SecureZero(password);
    }

    // The notes editor over the text editor's value; its result replaces the editor's text, which
    // reaches the field when the row is left.
    void BrowseText() {
        const tl5::Field* field =
            params_.selectedField >= 0 ? params_.card->FieldAt(static_cast<size_t>(params_.selectedField)) : nullptr;
        if (!field) return;
        HWND edit = EditorControl(tl5::kEditorText);
        tl5::EditorContent current = ReadEditor(tl5::kEditorText);
        const std::u16string caption = std::u16string(field->Name()).substr(0, 128);
        std::u16string text;
        const bool changed = ShowNotesEditor(Window(), caption, current.text, &text);
        tl5::SecureZero(current.text);
        if (closing_ || !IsWindow(edit)) {
            tl5::SecureZero(text);
            return;
        }
        if (changed) {
            std::wstring wide(text.begin(), text.end());
            SetWindowTextW(edit, wide.c_str());
            SendMessageW(edit, EM_SETSEL, wide.size(), wide.size());
            tl5::SecureZero(wide.data(), wide.size() * sizeof(wchar_t));
            tl5::SecureZero(text);
        }
        SetFocus(edit);
    }

    bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.CtlID != IDC_CARD_BROWSE) return false;
        DrawBrowseButton(item);
        return true;
    }

    void OnInitMenuPopup(HMENU menu) override {
        TranslateMenu(menu, nullptr);
        // Modes whose presenter is not available cannot be entered.
        EnableMenuItem(menu, IDM_EDIT, MF_BYCOMMAND | (HasPresenter(tl5::CardMode::kEdit) ? MF_ENABLED : MF_GRAYED));
        EnableMenuItem(menu, IDM_FORM_DESIGN,
                       MF_BYCOMMAND | (HasPresenter(tl5::CardMode::kFormDesign) ? MF_ENABLED : MF_GRAYED));
        if (mode_ == tl5::CardMode::kEdit) {
            const unsigned state = EditorClipboardState();
            const std::pair<int, unsigned> items[] = {{IDM_EDIT_CUT, 1}, {IDM_EDIT_COPY, 2}, {IDM_EDIT_PASTE, 4},
                                                      {IDM_EDIT_CLEAR, 8}, {IDM_EDIT_SELECT_ALL, 16}};
            for (const auto& [item, bit] : items)
                EnableMenuItem(menu, item, MF_BYCOMMAND | ((state & bit) ? MF_ENABLED : MF_GRAYED));
            EnableMenuItem(menu, IDM_GENERATE_PASSWORD, MF_BYCOMMAND | (EditingPassword() ? MF_ENABLED : MF_GRAYED));
        }
        if (mode_ == tl5::CardMode::kFormDesign) {
            const bool list = SendMessageW(list_, LUM_GETFIELDTYPE, 0, 0) == tl5::FT_LIST;
            EnableMenuItem(menu, IDM_EDIT_SELECTION_FIELD, MF_BYCOMMAND | (list ? MF_ENABLED : MF_GRAYED));
        }
    }

    bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT*) override {
        switch (message) {
        case CARD_DELETECONFIRMED:
            if (wParam && !closing_) Close(kCardClosedDeleted);
            return true;
        case CARD_CLOSEOPTIONS:
            // A close request always closes what the window owns: nothing may stay open over a
            // closed wallet.
            return true;
        case CARD_CLOSEREQUEST: OnCloseRequest(); return true;
        case LUM_REFRESH:
            if (list_) SendMessageW(list_, LUM_REFRESH, 0, 0);
            return true;
        default: return false;
        }
    }

    void OnDestroy() override {
        player_.Clear();
        if (list_) DestroyWindow(list_);
        list_ = nullptr;
        RestoreEditors();
        if (bar_) DestroyWindow(bar_);
        bar_ = nullptr;
        if (list_) DestroyWindow(list_);
        list_ = nullptr;
        params_.window = nullptr;
        if (g_open == this) g_open = nullptr;
    }

    CardWindowParams& params_;
    tl5::CardMode mode_ = tl5::CardMode::kView;
    HWND list_ = nullptr;
    HWND bar_ = nullptr;
    tl5::CardSoundPlayer player_;
    bool closing_ = false;
    bool questionOpen_ = false;
    bool sipOnFocus_ = false;
};

}  // namespace

void RunCardWindow(CardWindowParams& params) {
    if (!params.card || g_open) return;
    ppc::SHInitExtraControls();
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_DATE_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    CardWindow window(params);
    RunDialog(params.owner, window);
    params.window = nullptr;
}

HWND OpenCardWindow() { return g_open && !g_open->Closing() ? g_open->Window() : nullptr; }

CardWindowParams* OpenCardWindowParams() { return g_open && !g_open->Closing() ? &g_open->Params() : nullptr; }

void CloseCardWindowNow() {
    if (g_open && !g_open->Closing()) g_open->CloseNow();
}

}  // namespace tl5win
