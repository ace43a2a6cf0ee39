#include "dialogs/win/PasswordGenerator.h"

#include <commctrl.h>

#include <cmath>

#include "StringIds.h"
#include "cardui/PasswordGenerator.h"
#include "cardui/win/DialogControls.h"
#include "cardui/win/DialogHost.h"
#include "cardui/win/Strings.h"
#include "platform/SecureZero.h"
#include "platform/Text.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

HWND g_openGenerator = nullptr;

constexpr int kClassBoxes[] = {IDC_GEN_UPPER, IDC_GEN_LOWER, IDC_GEN_DIGITS, IDC_GEN_SYMBOLS};
constexpr unsigned kClassBits[] = {tl5::kClassUpper, tl5::kClassLower, tl5::kClassDigits, tl5::kClassSymbols};

class PasswordGeneratorDialog : public Dialog {
public:
    explicit PasswordGeneratorDialog(std::u16string* out) : Dialog(IDD_PASSWORD_GENERATOR), out_(out) {}
    ~PasswordGeneratorDialog() override { tl5::SecureZero(password_); }

private:
    DialogFrameSpec Frame() override { return {Text(IDS_GENERATE_PASSWORD), IDI_TL_PASSWORD, IDMB_DONE_CANCEL}; }

    bool OnInit() override {
        g_openGenerator = Window();
        SetWindowTextW(Item(IDC_GEN_LENGTH_LABEL), Text(IDS_GENERATOR_LENGTH));
        SetWindowTextW(Item(IDC_GEN_UPPER), Text(IDS_GENERATOR_UPPER));
        SetWindowTextW(Item(IDC_GEN_LOWER), Text(IDS_GENERATOR_LOWER));
        SetWindowTextW(Item(IDC_GEN_DIGITS), Text(IDS_GENERATOR_DIGITS));
        SetWindowTextW(Item(IDC_GEN_SYMBOLS), Text(IDS_GENERATOR_SYMBOLS));
        SetWindowTextW(Item(IDC_GEN_NO_LOOKALIKE), Text(IDS_GENERATOR_NO_LOOKALIKE));
        SetWindowTextW(Item(IDC_GEN_REGENERATE), Text(IDS_GENERATOR_REGENERATE));
        for (int id : {IDC_GEN_UPPER, IDC_GEN_LOWER, IDC_GEN_DIGITS, IDC_GEN_SYMBOLS, IDC_GEN_NO_LOOKALIKE,
                       IDC_GEN_PASSWORD, IDC_GEN_STRENGTH})
            StretchControl(Window(), id);

        // The password in a fixed-pitch bold face of the dialog's size, so that similar characters
        // stand apart.
        LOGFONTW face{};
        HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(Window(), WM_GETFONT, 0, 0));
        if (dialogFont && GetObjectW(dialogFont, sizeof face, &face)) {
            face.lfWeight = FW_BOLD;
            face.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
            lstrcpynW(face.lfFaceName, L"Courier New", LF_FACESIZE);
            passwordFont_ = CreateFontIndirectW(&face);
            if (passwordFont_)
                SendMessageW(Item(IDC_GEN_PASSWORD), WM_SETFONT, reinterpret_cast<WPARAM>(passwordFont_), FALSE);
        }

        const tl5::PasswordOptions defaults;
        SendMessageW(Item(IDC_GEN_LENGTH), EM_LIMITTEXT, 3, 0);
        SendMessageW(Item(IDC_GEN_LENGTH_SPIN), UDM_SETRANGE32, tl5::kGeneratedLengthMin, tl5::kGeneratedLengthMax);
        SendMessageW(Item(IDC_GEN_LENGTH_SPIN), UDM_SETPOS32, 0, defaults.length);
        SetDlgItemInt(Window(), IDC_GEN_LENGTH, static_cast<UINT>(defaults.length), FALSE);
        for (size_t k = 0; k < 4; ++k) SetCheck(Window(), kClassBoxes[k], (defaults.classes & kClassBits[k]) != 0);
        SetCheck(Window(), IDC_GEN_NO_LOOKALIKE, defaults.noLookalike);
        ready_ = true;
        Regenerate();
        return true;
    }

    // The options as the controls show them; a length box without a number reads as 0 (refused).
    tl5::PasswordOptions Options() const {
        tl5::PasswordOptions options;
        BOOL number = FALSE;
        const UINT length = GetDlgItemInt(Window(), IDC_GEN_LENGTH, &number, FALSE);
        options.length = number && length <= 999 ? static_cast<int>(length) : 0;
        options.classes = 0;
        for (size_t k = 0; k < 4; ++k)
            if (GetCheck(Window(), kClassBoxes[k])) options.classes |= kClassBits[k];
        options.noLookalike = GetCheck(Window(), IDC_GEN_NO_LOOKALIKE);
        return options;
    }

    // A new password for the options, or the reason there can be none; the strength line follows.
    void Regenerate() {
        const tl5::PasswordOptions options = Options();
        result_ = tl5::GeneratePassword(options, &password_);
        SetWindowTextW(Item(IDC_GEN_PASSWORD), tl5::AsWide(password_.c_str()));
        std::u16string line;
        if (result_ == tl5::GenerateResult::ok) {
            const long long bits = static_cast<long long>(std::floor(tl5::PasswordStrengthBits(options)));
            line = tl5::FormatChecked(TextU16(IDS_GENERATOR_STRENGTH), u"Strength: %d bits", {bits});
            message_.clear();
        } else {
            message_ = tl5::GenerateResultText(result_, options, TextU16);
            line = message_;
        }
        SetWindowTextW(Item(IDC_GEN_STRENGTH), tl5::AsWide(line.c_str()));
    }

    HBRUSH OnControlColor(UINT message, HDC dc, HWND control) override {
        // The read-only password box looks like a field to copy from, not a disabled one.
        if (message != WM_CTLCOLORSTATIC || control != Item(IDC_GEN_PASSWORD)) return nullptr;
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return GetSysColorBrush(COLOR_WINDOW);
    }

    bool OnCommand(int id, int code, HWND) override {
        switch (id) {
            case IDC_GEN_LENGTH:
                if (code == EN_CHANGE && ready_) Regenerate();
                return true;
            case IDC_GEN_UPPER:
            case IDC_GEN_LOWER:
            case IDC_GEN_DIGITS:
            case IDC_GEN_SYMBOLS:
            case IDC_GEN_NO_LOOKALIKE:
            case IDC_GEN_REGENERATE:
                if (code == BN_CLICKED && ready_) Regenerate();
                return true;
            case IDM_DONE:
            case IDOK: Accept(); return true;
            case IDM_CANCEL:
            case IDCANCEL: End(FALSE); return true;
            default: return false;
        }
    }

    void Accept() {
        if (result_ != tl5::GenerateResult::ok) {
            ShowMessage(Window(), tl5::ToWide(message_), IDS_ERROR, MB_ICONEXCLAMATION | MB_OK);
            return;
        }
        tl5::SecureZero(*out_);
        out_->assign(password_);
        End(TRUE);
    }

    void OnDestroy() override {
        SetWindowTextW(Item(IDC_GEN_PASSWORD), L"");
        tl5::SecureZero(password_);
        if (passwordFont_) DeleteObject(passwordFont_);
        passwordFont_ = nullptr;
        g_openGenerator = nullptr;
    }

    std::u16string* out_;
    std::u16string password_;
    std::u16string message_;
    tl5::GenerateResult result_ = tl5::GenerateResult::noClass;
    HFONT passwordFont_ = nullptr;
    bool ready_ = false;
};

}  // namespace

bool ShowPasswordGenerator(HWND owner, std::u16string* password) {
    if (!password || g_openGenerator) return false;
    PasswordGeneratorDialog dialog(password);
    return RunDialog(owner, dialog) == TRUE;
}

HWND CurrentPasswordGenerator() { return g_openGenerator; }

}  // namespace tl5win
