// The attachments, background image and sound dialogs of the card window, and opening an attached
// file. Each dialog edits the card window's working copy of the card; none writes the wallet file.
// Their rules are in dialogs/MediaRules.h.
#pragma once

#include <windows.h>

#include <cstddef>

namespace tl5 {
class Card;
}

namespace tl5win {

// The attachments: Add (through the document chooser), Remove, Export, Open. Changes act on the card
// at once. True once shown.
bool ShowAttachmentsDialog(HWND parent, tl5::Card& card);

// The background image: Select, Remove, Match Background, Export, the position and the preview. The
// card changes only on Done (true); Cancel gives false.
bool ShowImageDialog(HWND parent, tl5::Card& card);

// The sound: Select, Remove, Play, Export and "Play when card is viewed". The card changes only on
// Done (true); Cancel gives false.
bool ShowSoundDialog(HWND parent, tl5::Card& card);

// The card window's Attachments, Background and Sound commands: runs the dialog, then has the card
// window rebuild its rows.
void RunCardMediaCommand(HWND cardWindow, tl5::Card& card, int command);

// Opens an attached file: refused with a message when it would run a program or is a wallet file;
// otherwise written to the documents folder (replacing a file of that name once complete) and handed
// to the shell. A failed write is reported.
void OpenAttachmentFile(HWND owner, const tl5::Card& card, size_t slot);

}  // namespace tl5win
