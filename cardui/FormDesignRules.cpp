#include "cardui/FormDesignRules.h"

#include <string>

#include "StringIds.h"
#include "model/Card.h"
#include "model/Field.h"

namespace tl5 {

const std::vector<OfferedType>& OfferedFieldTypes() {
    static const std::vector<OfferedType> types = {
        {IDS_TYPE_TEXT, FT_TEXT},         {IDS_TYPE_TEXT_CAPFIRST, FT_TEXT_CAPFIRST},
        {IDS_TYPE_TEXT_CAPWORDS, FT_TEXT_CAPWORDS}, {IDS_TYPE_LINK, FT_LINK},
        {IDS_TYPE_URL, FT_URL},           {IDS_TYPE_EMAIL, FT_EMAIL},
        {IDS_TYPE_PHONE, FT_PHONE},       {IDS_TYPE_PASSWORD, FT_PASSWORD},
        {IDS_TYPE_DATE, FT_DATE},         {IDS_TYPE_TIME, FT_TIME},
        {IDS_TYPE_DATETIME, FT_DATETIME}, {IDS_TYPE_CHOICE, FT_CHOICE},
        {IDS_TYPE_LIST, FT_LIST},         {IDS_TYPE_YESNO, FT_YESNO},
    };
    return types;
}

int OfferedTypePosition(uint16_t type) {
    const std::vector<OfferedType>& types = OfferedFieldTypes();
    for (size_t i = 0; i < types.size(); ++i)
        if (types[i].type == type) return static_cast<int>(i);
    return -1;
}

int NextDesignRow(int current, int rowCount) { return current + 1 < rowCount ? current + 1 : current; }

int PreviousDesignRow(int current) { return current > 0 ? current - 1 : current; }

int DesignRowAtOffset(int rowCount, int rowHeight, int gap, int y) {
    long long bottom = 0;
    for (int row = 0; row < rowCount; ++row) {
        bottom += rowHeight + (row % 2 == 1 ? gap : 0);
        if (bottom >= y) return row;
    }
    return 0;
}

bool SetOfferedType(Field& field, int position) {
    const std::vector<OfferedType>& types = OfferedFieldTypes();
    if (position < 0 || static_cast<size_t>(position) >= types.size()) return false;
    const uint16_t type = types[static_cast<size_t>(position)].type;
    if (field.Type() == type) return false;
    field.SetType(type);
    return true;
}

DesignOutcome RunDesignCommand(Card& card, DesignCommand command, int currentRow, const std::u16string& newName) {
    DesignOutcome out;
    const int fields = static_cast<int>(card.FieldCount());
    const int f = FieldOfDesignRow(currentRow);
    out.row = currentRow;
    const bool valid = f >= 0 && f < fields;
    switch (command) {
    case kAddField: {
        Field* added = card.AddField(FT_TEXT_CAPFIRST);
        if (!added) {
            out.row = fields > 0 ? 2 * (fields - 1) : -1;  // full: the last field's name row
            return out;
        }
        added->SetName(newName);
        out.changed = true;
        out.row = 2 * fields;
        out.selectName = true;
        return out;
    }
    case kDeleteField:
        if (!valid) return out;
        out.changed = card.DeleteField(static_cast<size_t>(f));
        if (card.FieldCount() == 0) {
            out.row = -1;
        } else if (currentRow >= DesignRowCount(card.FieldCount())) {
            out.row = DesignRowCount(card.FieldCount()) - 1;
        }
        return out;
    case kFieldUp:
        if (!valid || currentRow <= 1) return out;
        out.changed = card.MoveFieldUp(static_cast<size_t>(f));
        out.row = currentRow - 2 < 0 ? 0 : currentRow - 2;
        return out;
    case kFieldDown:
        if (!valid) return out;
        if (f + 1 < fields) out.changed = card.MoveFieldDown(static_cast<size_t>(f));
        out.row = currentRow + 2 < DesignRowCount(card.FieldCount()) ? currentRow + 2 : DesignRowCount(card.FieldCount()) - 1;
        return out;
    case kFieldTop:
        if (!valid) return out;
        out.changed = f > 0 && card.MoveFieldToTop(static_cast<size_t>(f));
        out.row = 0;
        return out;
    case kFieldBottom:
        if (!valid) return out;
        out.changed = f + 1 < fields && card.MoveFieldToBottom(static_cast<size_t>(f));
        out.row = DesignRowCount(card.FieldCount()) - 1;
        return out;
    case kCopyField:
        if (!valid) return out;
        if (!card.DuplicateField(static_cast<size_t>(f))) return out;
        out.changed = true;
        out.row = currentRow + 1;
        return out;
    }
    return out;
}

}  // namespace tl5
