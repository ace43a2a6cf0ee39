// The wallet list screen: a modeless full-screen dialog over the main window listing the wallet
// files (and legacy wallet files) in the user's documents. The user's choice goes to the owner as a
// notify message with an action (1 quit, 2 create at the chosen path, 3 open the chosen path), after
// which the screen destroys itself.
#pragma once

#include <windows.h>

namespace tl5win {

// Stores the values and builds the filter list (the text of IDS_WALLETS_TITLE, the pattern); once,
// at start-up.
void WalletListSetup(UINT notifyMessage, const wchar_t* filterPattern, const wchar_t* titleText, int iconId);

// Creates the screen over `owner`; false when the setup has not been done.
bool WalletListShow(HWND owner);

// True when the screen exists and is visible.
bool WalletListIsShown();
HWND WalletListWindow();

// Copies the chosen path (260 characters) when it is not empty; returns whether it was.
bool WalletListTakeChosenPath(wchar_t* buffer);

// True when New chose the name of an existing file: that file is to be deleted when (and only when)
// the new wallet is about to be created. Taking the answer clears it.
bool WalletListTakeChosenPathReplaces();

// The conversion of a legacy wallet: (legacy path, password, new path out of 260 characters, owner)
// to a result code. The real conversion unless a test replaces it.
using LegacyConverter = int (*)(const wchar_t* legacyPath, const wchar_t* password, wchar_t* newPath, HWND owner);
void SetLegacyConverter(LegacyConverter converter);

}  // namespace tl5win
