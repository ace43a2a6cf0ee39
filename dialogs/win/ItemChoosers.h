// The three modal dialogs that choose what an item looks like and what it is made from: the card type
// chooser (template IDD_CARD_TYPE_CHOOSER), the folder properties (IDD_FOLDER_PROPERTIES, also the
// label-only rename of the special tree nodes) and the icon picker (IDD_ICON_PICKER). They edit what
// they are given; the callers store the results in the wallet. Their rules are in dialogs/ChooserRules.h.
#pragma once

#include <windows.h>

#include "dialogs/ChooserRules.h"

namespace tl5 {
class ItemRecord;
class Wallet;
}  // namespace tl5

namespace tl5win {

// The forms of the wallet's My Forms folder (dark blue, bold) and then the 43 built-in forms; one tap
// on a form, or "Done", chooses it. `choice` comes in with the form to select first (none matching:
// the first row) and goes out with the chosen one. `titleVariant` 1 titles it for a new card, 0 for
// the default form of a folder. True on a choice, false on "Cancel" (then `choice` is unchanged).
bool ShowCardTypeChooser(HWND parent, tl5::Wallet& wallet, tl5::FormChoice* choice, int titleVariant = 1);

// The folder properties of `folder` (a record copy: its name, icon and default form are edited, and
// only on "Done"), or, with `request->specialNode`, the label of a special node in `request->label`
// (then `folder` may be null and only the name box is shown). `request->mainLevel` takes the check
// box's state when it is offered. True on "Done".
bool ShowFolderProperties(HWND parent, tl5::Wallet& wallet, tl5::FolderPropertiesRequest* request,
                          tl5::ItemRecord* folder);

// The icon picker: `choice` comes in as the item's icon (a stock number, or -1 with the custom icon's
// data) and, when the user chose a different icon, goes out as that icon: a stock number, or -1 with
// the data of the custom icon tapped or imported (never a place in the grid). True on such a change.
bool ShowIconPicker(HWND parent, tl5::Wallet& wallet, tl5::IconChoice* choice);

}  // namespace tl5win
