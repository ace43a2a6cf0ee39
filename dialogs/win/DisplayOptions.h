// The display options (template IDD_DISPLAY_OPTIONS: the wallet tree's font and colours and the card
// view defaults of new cards), the card display dialog (IDD_CARD_DISPLAY: one card's text size,
// colours, bold flags and password display) and the colour chooser their swatches open. Their rules
// are in dialogs/DisplayRules.h; the callers store the results.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dialogs/DisplayRules.h"

namespace tl5win {

// Modal. Edits `choices` on "Done" (also IDOK and IDCANCEL) and returns true then; false on "Cancel".
bool ShowDisplayOptions(HWND parent, tl5::DisplayChoices* choices);

// Modal. True only when the dialog ended with "Done" (also IDOK and IDCANCEL) and the head differs
// from what it was; then `head` holds the new head. False on "Cancel" or when nothing changed (then
// `head` is untouched).
bool ShowCardDisplay(HWND parent, tl5::CardHead* head);

// The colour chooser with `*colour` as its start; true and the answer in `*colour` when the user
// confirmed it. Its 16 custom colours are shared by every run in this process.
bool PickColour(HWND owner, uint32_t* colour);

// The custom colours of the colour chooser now (tests).
const COLORREF* ColourChooserCustomColours();

}  // namespace tl5win
