// The rules of the notes editor and the selection list editor, apart from their windows: the zoom
// steps of the notes editor and when its text counts as changed, and what the list editor's buttons
// do to the list and how the list goes back into a field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Field.h"

namespace tl5 {

// ---- Notes editor ----------------------------------------------------------------------------------

struct NoteZoomStep {
    uint32_t zoom;  // the NoteZoom value
    int menuItem;   // the zoom command that carries the radio mark
    int points;     // the editor's font size (regular weight)
};

constexpr uint32_t kNoteZoomSteps = 5;

// The step of a stored NoteZoom: 0-4 as they are; any other value (the default 9 included) is 100%.
NoteZoomStep NoteZoomFor(uint32_t noteZoom);
// The NoteZoom a zoom command selects; false for any other command.
bool NoteZoomOfCommand(int command, uint32_t* zoom);

// Whether the notes editor's text counts as changed: the box was marked modified (typing a character
// and deleting it again still counts), or its length differs from the incoming text's.
bool NoteTextChanged(bool modified, size_t incomingLength, size_t currentLength);

// ---- Selection list editor -------------------------------------------------------------------------

// The longest item the text box takes.
constexpr size_t kListItemMaxChars = 127;

enum class ListAddResult {
    added,  // appended at the end
    empty,  // nothing to add: the list is unchanged
    full,   // the list already holds kMaxChoiceItems items: refused, the list is unchanged
};

// Appends `text` (at most kListItemMaxChars characters are taken; "^" becomes a space).
[[nodiscard]] ListAddResult AddListItem(std::vector<std::u16string>& items, std::u16string_view text);

// "Delete": removes the selected item; the new selection is the item before it, or the first when
// there is none before it (-1 when the list is now empty). With no selection (-1 or out of range)
// nothing happens and -1 is returned.
int DeleteListItem(std::vector<std::u16string>& items, int selected);

// "Move up" (delta -1) and "Move down" (delta +1): the selected item swaps places with its
// neighbour and stays selected; the new selection. At the first or last place, or with no
// selection, nothing happens and the selection is returned as it was.
int MoveListItem(std::vector<std::u16string>& items, int selected, int delta);

// The items a field's list starts with: its choice items in order.
std::vector<std::u16string> ListItemsOfField(const Field& field);

// "Done": the field's items become the list's items in order (the field drops empty items and stops
// at 128). A list equal to the field's items leaves the field untouched, change bits included; true
// when the field was changed.
bool StoreListIntoField(const std::vector<std::u16string>& items, Field* field);

// Wipes the texts of a list and empties it.
void WipeListItems(std::vector<std::u16string>& items);

}  // namespace tl5
