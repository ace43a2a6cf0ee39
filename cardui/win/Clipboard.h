// The clipboard for card values. Text goes on as CF_UNICODETEXT and CF_TEXT. A secret (a password or
// PIN) is also marked so that clipboard history and cloud clipboard tools leave it alone, and it is
// removed again after Clipboard.ClearSeconds (default 30; 0 keeps it), when the wallet closes and at
// exit - each time only when the clipboard still holds what we put there.
#pragma once

#include <windows.h>

#include <string_view>

namespace tl5win {

// Puts the text on the clipboard; false when the clipboard could not be opened (nothing changed).
bool CopyTextToClipboard(HWND owner, std::u16string_view text, bool secret);

// Removes a secret we put on the clipboard, if it is still there; forgets it either way.
void ClearSecretFromClipboard();

// True while a secret of ours waits to be cleared (tests).
bool SecretClipboardPending();

}  // namespace tl5win
