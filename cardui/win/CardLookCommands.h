// The card window's commands that change how the card looks: Text/Colors (the card display dialog)
// and Icon (the icon picker). Each runs its dialog over the card window and, when the user changed
// something, writes it into the card (marked modified), shows it and returns true. Nothing is touched
// when the card window started closing while the dialog was up (the wallet closed meanwhile).
#pragma once

#include <windows.h>

namespace tl5 {
class Card;
}

namespace tl5win {

bool RunCardTextColors(HWND cardWindow, tl5::Card* card);
bool RunCardIcon(HWND cardWindow, tl5::Card* card);

}  // namespace tl5win
