// The two password dialogs: choosing a new password (template IDD_NEW_PASSWORD) and typing the
// password of a wallet with the PIN pad (template IDD_PASSWORD_ENTRY). Neither touches a wallet file; a wallet to match against
// is given as a PasswordMatcher.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tl5win {

enum class NewPasswordMode { NewWallet, ChangePassword };

// Sizes of the output buffers the callers give.
constexpr size_t kPasswordBufferSize = 32;
constexpr size_t kHintBufferSize = 256;

// The wallet a typed password is matched against.
class PasswordMatcher {
public:
    virtual ~PasswordMatcher() = default;
    // True when the wallet accepts the password.
    virtual bool Matches(std::u16string_view password) = 0;
    // False when matching is too slow to try at every key the user types.
    virtual bool CheapToMatch() { return true; }
    // The wallet's password hint (empty when it has none).
    virtual std::u16string Hint() = 0;
};

// Asks for a new password, again to confirm it, and an optional hint. Both outputs are emptied at
// the start and filled only when the user confirms. `password` holds kPasswordBufferSize and `hint`
// kHintBufferSize characters. False on Cancel or time-out.
// For a new wallet the dialog also offers the modern protection (off at first): `modern`, when given,
// receives the user's choice.
bool ShowNewPasswordDialog(HWND parent, NewPasswordMode mode, wchar_t* password, wchar_t* hint,
                           bool* modern = nullptr);

// Asks for a password. With a wallet only a password it accepts is returned; without one any
// non-empty entry is. `name` (may be null) is shown in the title. False on Cancel, time-out and
// an empty entry.
bool ShowPasswordEntryDialog(HWND parent, const wchar_t* name, wchar_t* password, PasswordMatcher* wallet);

// The open password dialog, if any (tests and dismissing dialogs).
HWND CurrentPasswordDialog();

}  // namespace tl5win
