// The notes editor (template IDD_NOTES_EDITOR), which edits a long text in a box filling the screen,
// and the selection list editor (template IDD_LIST_EDITOR), which edits the items of a selection list
// field. Both are modal and work on copies until Done.
#pragma once

#include <windows.h>

#include <string>

namespace tl5 {
class Field;
}

namespace tl5win {

// Edits `textIn` under the title `caption` (at most 128 characters are shown). True when the text was
// changed, with the whole new text in *textOut (its old content wiped first); false when nothing was
// changed or on Cancel, and *textOut is not touched.
bool ShowNotesEditor(HWND parent, const std::u16string& caption, const std::u16string& textIn, std::u16string* textOut);

// Edits the choice items of `field`. True on Done: the field's items are then the list's items in
// order (a list equal to the field's items leaves the field untouched); false on Cancel.
bool ShowListEditor(HWND parent, tl5::Field* field);

}  // namespace tl5win
