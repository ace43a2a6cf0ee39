// Form design's rules that need no window: the field types offered and their captions, the rows (a
// name row and a type row per field), moving between them, and the commands on the card's field list,
// each with the row selected afterwards.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tl5 {

class Card;
class Field;

struct OfferedType {
    uint32_t caption;  // string id
    uint16_t type;     // field type code
};
// The types in the order the type list shows them.
const std::vector<OfferedType>& OfferedFieldTypes();
// The position of a type in that list, -1 when it is not offered.
int OfferedTypePosition(uint16_t type);

// Rows: 2i the name of field i, 2i + 1 its type.
inline int DesignRowCount(size_t fields) { return static_cast<int>(2 * fields); }
inline int FieldOfDesignRow(int row) { return row < 0 ? -1 : row / 2; }
// Next: the row below, none past the last; previous: the row above, none before row 0.
int NextDesignRow(int current, int rowCount);
int PreviousDesignRow(int current);
// The row under `y` pixels from the top (rows of `rowHeight`, type rows followed by `gap`); row 0 when
// y lies below the last row.
int DesignRowAtOffset(int rowCount, int rowHeight, int gap, int y);

// Changes a field's type from the type list; nothing at all when the type is the one it has (a choice
// field keeps its items). True when the type changed.
bool SetOfferedType(Field& field, int position);

enum DesignCommand : int { kAddField, kDeleteField, kFieldUp, kFieldDown, kFieldTop, kFieldBottom, kCopyField };
struct DesignOutcome {
    bool changed = false;  // the field list changed
    int row = 0;           // the row to select, -1 when the card has no fields left
    bool selectName = false;  // a new field: its whole name is selected so typing replaces it
};
// Carries out a command for the selected row on the card's fields. Add names the new field `newName`.
DesignOutcome RunDesignCommand(Card& card, DesignCommand command, int currentRow, const std::u16string& newName);

}  // namespace tl5
