// The card editor's rules that need no window: its rows (the card name, then a label and a value row
// per field), moving between them, which editor a field type takes and how it capitalises, which entry
// of a choice list shows a value, and what storing an editor's content does to a field - nothing at all
// when the content is what was loaded, so that moving through a card never changes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/LocalTime.h"

namespace tl5 {

class Field;

enum EditorKind : int {
    kEditorNone = -1,
    kEditorName = 0,      // the capitalising edit: the card name
    kEditorText = 1,      // the capitalising edit for text-like fields
    kEditorDate = 2,
    kEditorTime = 3,
    kEditorDateTime = 4,
    kEditorChoice = 5,    // the drop-down combo box
    kEditorYesNo = 6,     // the three-state check box
};

// The editor of a field type; kEditorNone for a type without one (its row can be selected, nothing opens).
EditorKind EditorKindOf(uint16_t fieldType);

// Rows: 0 the name label, 1 the card name, 2 + 2i field i's name, 3 + 2i its value.
int EditorRowCount(size_t fieldCount);
// The field of a row: -1 for rows 0 and 1.
int FieldOfEditorRow(int row);
// The row editing starts at: the value row of field `startField` when there is one, else the card name.
int StartEditorRow(int startField, int rowCount);
// Next: the next value row; past the last one back to the card name.
int NextEditorRow(int current, int rowCount);
// Previous: the value row before; the card name row stays.
int PreviousEditorRow(int current);
// The value row under `y` pixels from the top of the rows (a label selects the value below it); the card
// name row when y lies below the last row.
int EditorRowAtOffset(const std::vector<int>& heights, int y);

enum class Capitalise : int { kNone, kFirstLetter, kEveryWord };
// The card name row and FT_TEXT_CAPWORDS capitalise every word, FT_TEXT_CAPFIRST the first letter.
Capitalise CapitalisationOf(int row, uint16_t fieldType);

// The entry of the choice editor that shows a value: the list is the empty choice followed by the
// items. 0 for an empty value, 1 + i for the last item equal to the value ignoring case, -1 when the
// value is none of them (it is shown as the edit text).
int ChoiceEntryFor(const std::vector<std::u16string>& items, std::u16string_view value);

// What an editor held when it was loaded and holds now.
struct EditorContent {
    std::u16string text;     // text editors and the choice editor's edit text
    int choiceEntry = -1;    // the choice editor's selected entry (-1: typed text)
    int checkState = 2;      // yes/no: 0 no, 1 yes, 2 not set
    bool dateSet = false;    // pickers: the "none" box checked
    SystemTime time;         // pickers: the picked date and time

    bool SameAs(const EditorContent& other, EditorKind kind) const;
};

// Stores an editor's content into a field. Nothing changes when the content is the one loaded (so a
// choice keeps its letter case, an unset yes/no stays unset, a date keeps its seconds). True when the
// field changed.
bool StoreEditorContent(Field& field, EditorKind kind, const EditorContent& loaded, const EditorContent& now);

}  // namespace tl5
