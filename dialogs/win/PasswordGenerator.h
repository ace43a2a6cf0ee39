// The password generator screen (template IDD_PASSWORD_GENERATOR), opened by the card editor's
// Generate command on a password field.
#pragma once

#include <windows.h>

#include <string>

namespace tl5win {

// Modal. On Done, true with the shown password in *password (its old content wiped first); on Cancel
// false, and *password is not touched.
bool ShowPasswordGenerator(HWND owner, std::u16string* password);

// The open generator, if any (tests).
HWND CurrentPasswordGenerator();

}  // namespace tl5win
