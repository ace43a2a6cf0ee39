#include "dialogs/win/PasswordDialogs.h"

#include <memory>

#include "StringIds.h"
#include "cardui/Settings.h"
#include "cardui/win/DialogHost.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/Strings.h"
#include "dialogs/PasswordRules.h"
#include "dialogs/win/PinPad.h"
#include "platform/SecureZero.h"
#include "platform/Text.h"
#include "resources/messages.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

// The password dialog on the screen, if any: only one is open at a time.
HWND g_openDialog = nullptr;

// The text of a box, at most `limit` characters; the caller wipes it.
std::u16string ReadBox(HWND box, size_t limit) {
    wchar_t buffer[256] = {};
    const int n = GetWindowTextW(box, buffer, static_cast<int>(limit + 1));
    std::u16string text(tl5::AsU16(buffer), n > 0 ? static_cast<size_t>(n) : 0);
    tl5::SecureZero(buffer, sizeof(buffer));
    return text;
}

void CopyOut(wchar_t* out, size_t size, std::u16string_view text) {
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    for (size_t i = 0; i < n; ++i) out[i] = static_cast<wchar_t>(text[i]);
    out[n] = 0;
}

void SetCompletionDisabled() {
    ppc::SIPINFO info{};
    info.cbSize = sizeof(info);
    if (!ppc::SHSipInfo(ppc::SPI_GETSIPINFO, 0, &info, 0)) return;
    info.fdwFlags |= ppc::SIPF_DISABLECOMPLETION;
    ppc::SHSipInfo(ppc::SPI_SETSIPINFO, 0, &info, 0);
}

HBRUSH BlueOnWhite(HDC dc) {
    SetTextColor(dc, RGB(0, 0, 255));
    SetBkColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, OPAQUE);
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

// ---- New password -------------------------------------------------------------------------------

class NewPasswordDialog : public Dialog {
public:
    NewPasswordDialog(NewPasswordMode mode, wchar_t* password, wchar_t* hint, bool* modern)
        : Dialog(IDD_NEW_PASSWORD), mode_(mode), password_(password), hint_(hint), modern_(modern) {}

private:
    bool Changing() const { return mode_ == NewPasswordMode::ChangePassword; }

    DialogFrameSpec Frame() override {
        return {Text(Changing() ? IDS_CHANGE_PASSWORD : IDS_NEW_WALLET), IDI_TL_APP, IDMB_DONE_CANCEL};
    }

    bool OnInit() override {
        g_openDialog = Window();
        SetWindowTextW(Item(IDC_PASSWORD_LABEL), Text(Changing() ? IDS_NEW_PASSWORD : IDS_PASSWORD_FOR_NEW_WALLET));
        SetWindowTextW(Item(IDC_PASSWORD_AGAIN_LABEL), Text(IDS_AGAIN_TO_CONFIRM));
        SetWindowTextW(Item(IDC_HINT_LABEL), Text(IDS_PASSWORD_HINT_OPTIONAL));
        SetWindowTextW(Item(IDC_ADVICE), Text(IDS_CHOOSE_PASSWORD_TIP));
        SetWindowTextW(Item(IDC_MODERN_PROTECTION), Text(IDS_MODERN_PROTECTION));
        // The protection is chosen when a wallet is made; a password change keeps the wallet's own.
        ShowWindow(Item(IDC_MODERN_PROTECTION), Changing() || !modern_ ? SW_HIDE : SW_SHOW);
        SendMessageW(Item(IDC_PASSWORD), EM_LIMITTEXT, tl5::kPasswordBoxLimit, 0);
        SendMessageW(Item(IDC_PASSWORD_AGAIN), EM_LIMITTEXT, tl5::kPasswordBoxLimit, 0);
        SendMessageW(Item(IDC_HINT), EM_LIMITTEXT, tl5::kHintLimit, 0);
        SetTimer(Window(), TIMER_NEW_PASSWORD, 1000, nullptr);
        PostMessageW(Window(), WMU_DIALOG_REFRESH, 0, 0);
        return true;
    }

    // Once the dialog is up: the focus and the input panel.
    void OnRefresh() override {
        SetFocus(Item(IDC_PASSWORD));
        ppc::SHSipPreference(Window(), ppc::SIP_UP);
    }

    void OnTimer(UINT_PTR id) override {
        if (id == TIMER_NEW_PASSWORD && countdown_.Tick()) PostMessageW(Window(), WM_COMMAND, IDCANCEL, 0);
    }

    HBRUSH OnControlColor(UINT message, HDC dc, HWND control) override {
        return message == WM_CTLCOLORSTATIC && control == Item(IDC_ADVICE) ? BlueOnWhite(dc) : nullptr;
    }

    bool OnCommand(int id, int code, HWND) override {
        if ((id == IDC_PASSWORD || id == IDC_PASSWORD_AGAIN) && code == EN_SETFOCUS && !completionSwitched_) {
            ppc::SIPINFO info{};
            info.cbSize = sizeof(info);
            if (ppc::SHSipInfo(ppc::SPI_GETSIPINFO, 0, &info, 0)) {
                if (!(info.fdwFlags & ppc::SIPF_DISABLECOMPLETION)) completionSwitched_ = true;
                info.fdwFlags |= ppc::SIPF_DISABLECOMPLETION;
                ppc::SHSipInfo(ppc::SPI_SETSIPINFO, 0, &info, 0);
            }
            return true;
        }
        switch (id) {
        case IDM_DONE:
        case IDOK: Confirm(); return true;
        case IDM_CANCEL:
        case IDCANCEL: End(FALSE); return true;
        default: return false;
        }
    }

    void OnDestroy() override {
        KillTimer(Window(), TIMER_NEW_PASSWORD);
        SetCompletionDisabled();
        ppc::SHSipPreference(Window(), ppc::SIP_FORCEDOWN);
        ppc::SHSipPreference(Window(), ppc::SIP_UP);
        ppc::SHSipPreference(Window(), ppc::SIP_DOWN);
        // The boxes held the password: wipe them before the controls go.
        SetWindowTextW(Item(IDC_PASSWORD), L"");
        SetWindowTextW(Item(IDC_PASSWORD_AGAIN), L"");
        g_openDialog = nullptr;
    }

    void Confirm() {
        std::u16string first = ReadBox(Item(IDC_PASSWORD), tl5::kPasswordReadLimit);
        std::u16string second = ReadBox(Item(IDC_PASSWORD_AGAIN), tl5::kPasswordReadLimit);
        std::u16string hint = ReadBox(Item(IDC_HINT), tl5::kHintLimit);
        const tl5::NewPasswordCheck check = tl5::CheckNewPassword(first, second);
        if (check.accepted) {
            CopyOut(password_, kPasswordBufferSize, first);
            CopyOut(hint_, kHintBufferSize, hint);
            if (modern_) *modern_ = SendMessageW(Item(IDC_MODERN_PROTECTION), BM_GETCHECK, 0, 0) == BST_CHECKED;
        }
        tl5::SecureZero(first);
        tl5::SecureZero(second);
        tl5::SecureZero(hint);
        if (check.accepted) {
            End(TRUE);
            return;
        }
        ShowMessage(Window(), check.messageId, IDS_ERROR, check.icon);
        countdown_.Restart();
    }

    NewPasswordMode mode_;
    wchar_t* password_;
    wchar_t* hint_;
    bool* modern_;
    tl5::IdleCountdown countdown_;
    bool completionSwitched_ = false;
};

// ---- Password entry -----------------------------------------------------------------------------

class PasswordEntryDialog : public Dialog {
public:
    PasswordEntryDialog(const wchar_t* name, wchar_t* password, PasswordMatcher* wallet)
        : Dialog(IDD_PASSWORD_ENTRY), name_(name ? name : L""), password_(password), wallet_(wallet) {}

private:
    DialogFrameSpec Frame() override {
        std::wstring title = Text(IDS_ENTER_PASSWORD);
        if (!name_.empty()) title += L" (" + name_ + L")";
        return {title, IDI_TL_APP, IDMB_DONE_CANCEL};
    }

    bool OnInit() override {
        g_openDialog = Window();
        SendMessageW(Item(IDC_PASSWORD), EM_LIMITTEXT, tl5::kPasswordBoxLimit, 0);
        SetWindowTextW(Item(IDC_ADVICE), Text(IDS_PINPAD_TIP));
        SetWindowTextW(Item(IDC_PIN_CLEAR), Text(IDS_CLEAR));
        SetWindowTextW(Item(IDC_PIN_BACK), Text(IDS_BACK));
        brushes_ = std::make_unique<PinPadBrushes>();
        HFONT keyFont = AppFontCache().Font(kFont9Bold);
        for (int id = IDC_PIN_0; id <= IDC_PIN_OK; ++id)
            SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(keyFont), FALSE);
        SetTimer(Window(), TIMER_PASSWORD_ENTRY, 1000, nullptr);
        PostMessageW(Window(), WMU_DIALOG_REFRESH, 0, 0);
        return true;
    }

    // Once the dialog is up: the focus, word completion back on, and the input panel.
    void OnRefresh() override {
        SetFocus(Item(IDC_PASSWORD));
        ppc::SIPINFO info{};
        info.cbSize = sizeof(info);
        if (ppc::SHSipInfo(ppc::SPI_GETSIPINFO, 0, &info, 0)) {
            info.fdwFlags &= ~ppc::SIPF_DISABLECOMPLETION;
            ppc::SHSipInfo(ppc::SPI_SETSIPINFO, 0, &info, 0);
        }
        ppc::SHSipPreference(Window(), ppc::SIP_FORCEDOWN);
        // In landscape the keypad is the only input shown.
        if (ppc::DeviceSystemMetrics(SM_CYSCREEN) > ppc::DeviceSystemMetrics(SM_CXSCREEN))
            ppc::SHSipPreference(Window(), ppc::SIP_UP);
    }

    void OnTimer(UINT_PTR id) override {
        if (id == TIMER_PASSWORD_ENTRY && countdown_.Tick()) PostMessageW(Window(), WM_COMMAND, IDCANCEL, 0);
    }

    HBRUSH OnControlColor(UINT message, HDC dc, HWND control) override {
        const int id = GetDlgCtrlID(control);
        if (message != WM_CTLCOLORBTN || !IsPinPadKey(id) || !brushes_) return nullptr;
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, PinPadBrushes::ColorOfKey(id));
        SetBkMode(dc, OPAQUE);
        return brushes_->ForKey(id);
    }

    bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
        if (!IsPinPadKey(static_cast<int>(item.CtlID)) || !brushes_) return false;
        DrawPinPadKey(item, *brushes_);
        return true;
    }

    bool OnCommand(int id, int code, HWND) override {
        HWND entry = Item(IDC_PASSWORD);
        if (id == IDC_PASSWORD) {
            if (code == EN_CHANGE) CheckAutoAccept();
            return true;
        }
        if (IsPinDigit(id)) {
            PinPadInsertDigit(entry, id - IDC_PIN_0);
            return true;
        }
        switch (id) {
        case IDC_PIN_CLEAR:
            SetWindowTextW(entry, L"");
            SetFocus(entry);
            return true;
        case IDC_PIN_BACK: PinPadBackspace(entry); return true;
        case IDC_PIN_OK:
        case IDM_DONE:
        case IDOK: Accept(); return true;
        case IDM_CANCEL:
        case IDCANCEL: End(FALSE); return true;
        default: return false;
        }
    }

    void OnDestroy() override {
        KillTimer(Window(), TIMER_PASSWORD_ENTRY);
        SetWindowTextW(Item(IDC_PASSWORD), L"");
        brushes_.reset();
        SetCompletionDisabled();
        g_openDialog = nullptr;
    }

    void Accept() {
        std::u16string typed = ReadBox(Item(IDC_PASSWORD), tl5::kPasswordReadLimit);
        if (typed.empty()) {
            End(FALSE);
            return;
        }
        if (!wallet_ || wallet_->Matches(typed)) {
            CopyOut(password_, kPasswordBufferSize, typed);
            tl5::SecureZero(typed);
            End(TRUE);
            return;
        }
        tl5::SecureZero(typed);
        const bool offerHint = attempts_.Reject();
        ShowMessage(Window(), IDS_PASSWORD_WRONG, IDS_PASSWORD, MB_ICONEXCLAMATION);
        if (offerHint) {
            const std::u16string hint = wallet_->Hint();
            if (!hint.empty()) {
                const std::wstring text = std::wstring(Text(IDS_PASSWORD_HINT)) + L"\n\n" + tl5::ToWide(hint);
                ShowMessage(Window(), text, IDS_PASSWORD, MB_ICONINFORMATION);
            }
        }
        SetWindowTextW(Item(IDC_PASSWORD), L"");
        SetFocus(Item(IDC_PASSWORD));
        countdown_.Restart();
    }

    // With automatic acceptance, the right password closes the dialog as soon as it is typed.
    void CheckAutoAccept() {
        if (!wallet_ || !wallet_->CheapToMatch() || !tl5::AppSettings().passAutoOk) return;
        std::u16string typed = ReadBox(Item(IDC_PASSWORD), tl5::kAutoAcceptReadLimit);
        if (!typed.empty() && wallet_->Matches(typed)) {
            CopyOut(password_, kPasswordBufferSize, typed);
            tl5::SecureZero(typed);
            End(TRUE);
            return;
        }
        tl5::SecureZero(typed);
    }

    std::wstring name_;
    wchar_t* password_;
    PasswordMatcher* wallet_;
    tl5::IdleCountdown countdown_;
    tl5::EntryAttempts attempts_;
    std::unique_ptr<PinPadBrushes> brushes_;
};

}  // namespace

bool ShowNewPasswordDialog(HWND parent, NewPasswordMode mode, wchar_t* password, wchar_t* hint, bool* modern) {
    if (password) password[0] = 0;
    if (hint) hint[0] = 0;
    if (modern) *modern = false;
    if (!password || !hint || g_openDialog) return false;
    NewPasswordDialog dialog(mode, password, hint, modern);
    return RunDialog(parent, dialog) == TRUE;
}

bool ShowPasswordEntryDialog(HWND parent, const wchar_t* name, wchar_t* password, PasswordMatcher* wallet) {
    if (password) password[0] = 0;
    if (!password || g_openDialog) return false;
    PasswordEntryDialog dialog(name, password, wallet);
    return RunDialog(parent, dialog) == TRUE;
}

HWND CurrentPasswordDialog() { return g_openDialog; }

}  // namespace tl5win
