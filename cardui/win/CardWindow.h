// The card window: one full-screen modal dialog that shows a card (view mode), edits it (edit mode)
// and redesigns its fields (form design). Its content is the list UI control (ListUI.h), which holds
// the virtual list and the presenter of the current mode.
//
// When the window closes it posts its owner the notify message with a result (wParam):
//   kCardClosedUnchanged  Cancel, Escape after the question, or Done on an unchanged card;
//   kCardClosedSaved      Done on a changed card, or a close request on a changed card;
//   kCardClosedDeleted    the user confirmed Delete Card.
// The same result is left in the params, so that code closing the window itself (the wallet is
// about to close) can act on it at once instead of waiting for the post.
#pragma once

#include <windows.h>

#include "cardui/CardViewRules.h"

namespace tl5 {
class Card;
}

namespace tl5win {

constexpr int kCardClosedUnchanged = 0;
constexpr int kCardClosedSaved = 3;
constexpr int kCardClosedDeleted = 4;

struct CardWindowParams {
    tl5::Card* card = nullptr;        // borrowed; the caller owns it
    HWND owner = nullptr;             // receives the notify message
    UINT notifyMessage = 0;
    tl5::CardMode initialMode = tl5::CardMode::kView;
    bool startAtName = false;         // edit mode: start at the card name row, not the first field
    HWND window = nullptr;            // the card window while it is open
    int selectedField = -1;           // the field of the row last selected in view mode
    int result = -1;                  // the closing result, once closed (-1 while open)
};

// Runs the card window on the params (modal; returns when it closed). The initial mode falls back to
// view mode when that mode's presenter is not available.
void RunCardWindow(CardWindowParams& params);

// The card window open now, or null; and its params (tests).
HWND OpenCardWindow();
CardWindowParams* OpenCardWindowParams();

// Asks an open card window to commit what is being edited and close (answering or closing any
// question it shows). Sent, so that on return the window has closed and params.result holds its
// result. Nothing happens when no card window is open.
void CloseCardWindowNow();

}  // namespace tl5win
