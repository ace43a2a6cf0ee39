#include "dialogs/win/PasswordDialogs.h"

#include <memory>

#include "dialogs/PasswordRules.h"
#include "dialogs/win/PinPad.h"
#include "platform/FormatText.h"
#include "platform/SecureZero.h"
#include "platform/Text.h"
#include "shell/Settings.h"
#include "shell/win/MainWindowFrame.h"

namespace tl5win {

namespace {

constexpr int kBar = 1059;
constexpr int kFirstBox = 1519;
constexpr int kSecondBox = 1520;
constexpr int kHintBox = 1522;
constexpr int kFirstLabel = 1527;
constexpr int kSecondLabel = 1529;
constexpr int kHintLabel = 1530;
constexpr int kAdvice = 1124;
constexpr int kDone = 814;
constexpr int kCancel = 809;
constexpr UINT kPasswordMenuBar = 969;
constexpr int kHeaderIcon = 200;

// Only one password dialog is open at a time; its state lives here for the run.
struct NewPasswordState {
    NewPasswordMode mode = NewPasswordMode::NewWallet;
    wchar_t* password = nullptr;
    wchar_t* hint = nullptr;
    tl5::IdleCountdown countdown;
    bool completionSwitched = false;
    DialogFrame frame;
};

struct EntryState {
    std::wstring name;
    wchar_t* password = nullptr;
    PasswordMatcher* wallet = nullptr;
    tl5::IdleCountdown countdown;
    tl5::EntryAttempts attempts;
    std::unique_ptr<PinPadBrushes> brushes;
    DialogFrame frame;
};

NewPasswordState* g_newPassword = nullptr;
EntryState* g_entry = nullptr;
HWND g_dialog = nullptr;

// The text of a box, at most `limit` characters; the caller wipes it.
std::u16string ReadBox(HWND dialog, int id, size_t limit) {
    wchar_t buffer[256] = {};
    const int n = GetDlgItemTextW(dialog, id, buffer, static_cast<int>(limit + 1));
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

// ---- New password -------------------------------------------------------------------------------

void ConfirmNewPassword(HWND dialog, NewPasswordState& s) {
    std::u16string first = ReadBox(dialog, kFirstBox, tl5::kPasswordReadLimit);
    std::u16string second = ReadBox(dialog, kSecondBox, tl5::kPasswordReadLimit);
    std::u16string hint = ReadBox(dialog, kHintBox, tl5::kHintLimit);
    const tl5::NewPasswordCheck check = tl5::CheckNewPassword(first, second);
    if (check.accepted) {
        CopyOut(s.password, kPasswordBufferSize, first);
        CopyOut(s.hint, kHintBufferSize, hint);
    }
    tl5::SecureZero(first);
    tl5::SecureZero(second);
    tl5::SecureZero(hint);
    if (check.accepted) {
        EndDialog(dialog, TRUE);
        return;
    }
    ShowMessage(dialog, Text(check.messageId), 20500, check.icon);
    s.countdown.Restart();
}

INT_PTR CALLBACK NewPasswordProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    NoteActivity();
    NewPasswordState* s = g_newPassword;
    if (!s) return FALSE;
    switch (message) {
    case WM_INITDIALOG: {
        g_dialog = dialog;
        const bool change = s->mode == NewPasswordMode::ChangePassword;
        InitDialogFrame(dialog, &s->frame, Text(change ? 26000 : 26001), kHeaderIcon, kPasswordMenuBar);
        SetDlgItemTextW(dialog, kFirstLabel, Text(change ? 26005 : 26007).c_str());
        SetDlgItemTextW(dialog, kSecondLabel, Text(26004).c_str());
        SetDlgItemTextW(dialog, kHintLabel, Text(26008).c_str());
        SetDlgItemTextW(dialog, kAdvice, Text(26011).c_str());
        SendDlgItemMessageW(dialog, kFirstBox, EM_LIMITTEXT, tl5::kPasswordBoxLimit, 0);
        SendDlgItemMessageW(dialog, kSecondBox, EM_LIMITTEXT, tl5::kPasswordBoxLimit, 0);
        SendDlgItemMessageW(dialog, kHintBox, EM_LIMITTEXT, tl5::kHintLimit, 0);
        SetTimer(dialog, kNewPasswordTimer, 1000, nullptr);
        PostMessageW(dialog, kPasswordDialogReady, 0, 0);
        return TRUE;
    }
    case kPasswordDialogReady:
        SetFocus(GetDlgItem(dialog, kFirstBox));
        ppc::SHSipPreference(dialog, ppc::SIP_UP);
        return TRUE;
    case WM_TIMER:
        if (wParam == kNewPasswordTimer && s->countdown.Tick()) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, kAdvice)) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(0, 0, 255));
            SetBkColor(dc, RGB(255, 255, 255));
            SetBkMode(dc, OPAQUE);
            return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
        }
        return FALSE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if ((id == kFirstBox || id == kSecondBox) && code == EN_SETFOCUS && !s->completionSwitched) {
            ppc::SIPINFO info{};
            info.cbSize = sizeof(info);
            if (ppc::SHSipInfo(ppc::SPI_GETSIPINFO, 0, &info, 0)) {
                if (!(info.fdwFlags & ppc::SIPF_DISABLECOMPLETION)) s->completionSwitched = true;
                info.fdwFlags |= ppc::SIPF_DISABLECOMPLETION;
                ppc::SHSipInfo(ppc::SPI_SETSIPINFO, 0, &info, 0);
            }
            return TRUE;
        }
        if (id == kDone || id == IDOK) {
            ConfirmNewPassword(dialog, *s);
            return TRUE;
        }
        if (id == kCancel || id == IDCANCEL) {
            EndDialog(dialog, FALSE);
            return TRUE;
        }
        return FALSE;
    }
    case WM_DESTROY:
        KillTimer(dialog, kNewPasswordTimer);
        SetCompletionDisabled();
        ppc::SHSipPreference(dialog, ppc::SIP_FORCEDOWN);
        ppc::SHSipPreference(dialog, ppc::SIP_UP);
        ppc::SHSipPreference(dialog, ppc::SIP_DOWN);
        // The boxes held the password: wipe them before the controls go.
        SetDlgItemTextW(dialog, kFirstBox, L"");
        SetDlgItemTextW(dialog, kSecondBox, L"");
        g_dialog = nullptr;
        return FALSE;
    case WM_SETTINGCHANGE:
    case WM_SIZE:
        HandleDialogFrameMessage(dialog, &s->frame, message, wParam, lParam, false);
        return FALSE;
    default:
        return FALSE;
    }
}

// ---- Password entry -----------------------------------------------------------------------------

void AcceptEntry(HWND dialog, EntryState& s) {
    std::u16string typed = ReadBox(dialog, kFirstBox, tl5::kPasswordReadLimit);
    if (typed.empty()) {
        EndDialog(dialog, FALSE);
        return;
    }
    if (!s.wallet || s.wallet->Matches(typed)) {
        CopyOut(s.password, kPasswordBufferSize, typed);
        tl5::SecureZero(typed);
        EndDialog(dialog, TRUE);
        return;
    }
    tl5::SecureZero(typed);
    const bool offerHint = s.attempts.Reject();
    ShowMessage(dialog, Text(27006), 20503, MB_ICONEXCLAMATION);
    if (offerHint) {
        std::u16string hint = s.wallet->Hint();
        if (!hint.empty()) {
            const std::u16string text = tl5::FormatText(u"%s\n\n%s", {tl5::FromWide(Text(26009)), hint});
            ShowMessage(dialog, std::wstring(tl5::AsWide(text.c_str())), 20503, MB_ICONINFORMATION);
        }
    }
    SetDlgItemTextW(dialog, kFirstBox, L"");
    SetFocus(GetDlgItem(dialog, kFirstBox));
    s.countdown.Restart();
}

// With automatic acceptance, the right password closes the dialog as soon as it is typed.
void CheckAutoAccept(HWND dialog, EntryState& s) {
    if (!s.wallet || !tl5::AppSettings().passAutoOk) return;
    std::u16string typed = ReadBox(dialog, kFirstBox, tl5::kAutoAcceptReadLimit);
    if (!typed.empty() && s.wallet->Matches(typed)) {
        CopyOut(s.password, kPasswordBufferSize, typed);
        tl5::SecureZero(typed);
        EndDialog(dialog, TRUE);
        return;
    }
    tl5::SecureZero(typed);
}

INT_PTR CALLBACK EntryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    NoteActivity();
    EntryState* s = g_entry;
    if (!s) return FALSE;
    switch (message) {
    case WM_INITDIALOG: {
        g_dialog = dialog;
        SendDlgItemMessageW(dialog, kFirstBox, EM_LIMITTEXT, tl5::kPasswordBoxLimit, 0);
        std::wstring title = Text(26003);
        if (!s->name.empty()) {
            const std::u16string t = tl5::FormatText(u"%s (%s)", {tl5::FromWide(title), tl5::FromWide(s->name)});
            title.assign(tl5::AsWide(t.c_str()));
        }
        InitDialogFrame(dialog, &s->frame, title, kHeaderIcon, kPasswordMenuBar);
        SetDlgItemTextW(dialog, kAdvice, Text(26010).c_str());
        SetDlgItemTextW(dialog, kPinClear, Text(26015).c_str());
        SetDlgItemTextW(dialog, kPinBack, Text(26016).c_str());
        s->brushes = std::make_unique<PinPadBrushes>();
        HFONT keyFont = DialogFont(kFont9Bold);
        for (int id = kPinDigit0; id <= kPinOk; ++id)
            SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(keyFont), FALSE);
        SetTimer(dialog, kEntryTimer, 1000, nullptr);
        PostMessageW(dialog, kPasswordDialogReady, 0, 0);
        return TRUE;
    }
    case kPasswordDialogReady: {
        SetFocus(GetDlgItem(dialog, kFirstBox));
        ppc::SIPINFO info{};
        info.cbSize = sizeof(info);
        if (ppc::SHSipInfo(ppc::SPI_GETSIPINFO, 0, &info, 0)) {
            info.fdwFlags &= ~ppc::SIPF_DISABLECOMPLETION;
            ppc::SHSipInfo(ppc::SPI_SETSIPINFO, 0, &info, 0);
        }
        ppc::SHSipPreference(dialog, ppc::SIP_FORCEDOWN);
        // In landscape the keypad is the only input shown.
        if (ppc::DeviceSystemMetrics(SM_CYSCREEN) > ppc::DeviceSystemMetrics(SM_CXSCREEN))
            ppc::SHSipPreference(dialog, ppc::SIP_UP);
        return TRUE;
    }
    case WM_TIMER:
        if (wParam == kEntryTimer && s->countdown.Tick()) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_CTLCOLORBTN: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        if (!IsPinPadKey(id) || !s->brushes) return FALSE;
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, PinPadBrushes::ColorOfKey(id));
        SetBkMode(dc, OPAQUE);
        return reinterpret_cast<INT_PTR>(s->brushes->ForKey(id));
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!item || !IsPinPadKey(static_cast<int>(item->CtlID)) || !s->brushes) return FALSE;
        DrawPinPadKey(*item, *s->brushes);
        return TRUE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        HWND entry = GetDlgItem(dialog, kFirstBox);
        if (id == kFirstBox) {
            if (code == EN_CHANGE) CheckAutoAccept(dialog, *s);
            return TRUE;
        }
        if (IsPinDigit(id)) {
            PinPadInsertDigit(entry, id - kPinDigit0);
            return TRUE;
        }
        switch (id) {
        case kPinClear:
            SetWindowTextW(entry, L"");
            SetFocus(entry);
            return TRUE;
        case kPinBack:
            PinPadBackspace(entry);
            return TRUE;
        case kPinOk:
        case kDone:
        case IDOK:
            AcceptEntry(dialog, *s);
            return TRUE;
        case kCancel:
        case IDCANCEL:
            EndDialog(dialog, FALSE);
            return TRUE;
        default:
            return FALSE;
        }
    }
    case WM_DESTROY:
        KillTimer(dialog, kEntryTimer);
        SetDlgItemTextW(dialog, kFirstBox, L"");
        s->brushes.reset();
        SetCompletionDisabled();
        g_dialog = nullptr;
        return FALSE;
    case WM_SETTINGCHANGE:
    case WM_SIZE:
        HandleDialogFrameMessage(dialog, &s->frame, message, wParam, lParam, false);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

bool ShowNewPasswordDialog(HWND parent, NewPasswordMode mode, wchar_t* password, wchar_t* hint) {
    if (password) password[0] = 0;
    if (hint) hint[0] = 0;
    if (!password || !hint || g_dialog) return false;
    NewPasswordState state;
    state.mode = mode;
    state.password = password;
    state.hint = hint;
    g_newPassword = &state;
    const INT_PTR result =
        DialogBoxParamW(AppInstance(), MAKEINTRESOURCEW(kNewPasswordDialog), parent, NewPasswordProc, 0);
    g_newPassword = nullptr;
    return result == TRUE;
}

bool ShowPasswordEntryDialog(HWND parent, const wchar_t* name, wchar_t* password, PasswordMatcher* wallet) {
    if (password) password[0] = 0;
    if (!password || g_dialog) return false;
    EntryState state;
    state.name = name ? name : L"";
    state.password = password;
    state.wallet = wallet;
    g_entry = &state;
    const INT_PTR result = DialogBoxParamW(AppInstance(), MAKEINTRESOURCEW(kPasswordEntryDialog), parent, EntryProc, 0);
    g_entry = nullptr;
    return result == TRUE;
}

HWND CurrentPasswordDialog() { return g_dialog; }

}  // namespace tl5win
