// The security options (template IDD_SECURITY_OPTIONS): the open wallet's auto-close period, the close
// when the session is locked or the computer sleeps, and the modern protection.
#pragma once

#include <windows.h>

#include "dialogs/SecurityRules.h"

namespace tl5win {

// Modal. Edits `options` only on Done (or IDOK) and returns true then; false on Cancel (or IDCANCEL).
bool ShowSecurityOptions(HWND parent, tl5::SecurityOptions* options);

// The open security options dialog, if any (tests).
HWND CurrentSecurityOptions();

}  // namespace tl5win
