// What a row of the card view does when activated, and Copy Text.
//
// Hand-overs go to the device's programs through platform/pocketpc (mail, browser, telephone) and to
// the shell for attachments. With the environment variable TL5_LAUNCH_LOG naming a file, each
// hand-over is appended to that file as one line instead of being started:
//   tmail.exe -to "ADDRESS"     iexplore.exe ADDRESS     dial NUMBER     open PATH
#pragma once

#include <windows.h>

#include <string_view>

#include "cardui/CardViewRules.h"

namespace tl5 {
class Card;
}

namespace tl5win {

// Carries out an activation planned by tl5::PlanActivation. A copy of a secret row is marked and
// cleared from the clipboard later (Clipboard.h). Failures are not reported, as on the device.
void RunHandOver(const tl5::HandOver& plan, const tl5::Card* card, HWND parent, bool secret);

// Copy Text: the row's real text (never the mask) to the clipboard.
void CopyRowText(const tl5::ViewRow& row, HWND owner);

}  // namespace tl5win
