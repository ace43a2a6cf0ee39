#include "cardui/CardEditorRules.h"

#include "model/CaseFold.h"
#include "model/Field.h"
#include "platform/SecureZero.h"

namespace tl5 {

EditorKind EditorKindOf(uint16_t type) {
    // Codes 2 and 14 are never made by the system; a wallet that holds them gets them edited as text.
    switch (type) {
    case FT_TEXT:
    case 2:
    case FT_URL:
    case FT_LINK:
    case FT_EMAIL:
    case FT_PHONE:
    case FT_PASSWORD:
    case 14:
    case FT_TEXT_CAPFIRST:
    case FT_TEXT_CAPWORDS: return kEditorText;
    case FT_DATE: return kEditorDate;
    case FT_TIME: return kEditorTime;
    case FT_DATETIME: return kEditorDateTime;
    case FT_CHOICE:
    case FT_LIST: return kEditorChoice;
    case FT_YESNO: return kEditorYesNo;
    default: return kEditorNone;
    }
}

int EditorRowCount(size_t fieldCount) { return static_cast<int>(2 * (fieldCount + 1)); }

int FieldOfEditorRow(int row) { return row < 2 ? -1 : (row - 2) / 2; }

int StartEditorRow(int startField, int rowCount) {
    if (startField >= 0 && 2 * startField + 3 < rowCount) return 2 * startField + 3;
    return 1;
}

int NextEditorRow(int current, int rowCount) {
    int next = current + 1;
    if (next % 2 == 0) ++next;
    return next >= rowCount ? 1 : next;
}

int PreviousEditorRow(int current) {
    if (current <= 1) return 1;
    int previous = current - 1;
    if (previous % 2 == 0) --previous;
    return previous < 1 ? 1 : previous;
}

int EditorRowAtOffset(const std::vector<int>& heights, int y) {
    long long bottom = 0;
    for (size_t row = 0; row < heights.size(); ++row) {
        bottom += heights[row];
        if (row % 2 == 1 && bottom >= y) return static_cast<int>(row);
    }
    return 1;
}

Capitalise CapitalisationOf(int row, uint16_t type) {
    if (row <= 2) return Capitalise::kEveryWord;
    if (type == FT_TEXT_CAPWORDS) return Capitalise::kEveryWord;
    if (type == FT_TEXT_CAPFIRST) return Capitalise::kFirstLetter;
    return Capitalise::kNone;
}


int ChoiceEntryFor(const std::vector<std::u16string>& items, std::u16string_view value) {
    if (value.empty()) return 0;
    int found = -1;
    for (size_t i = 0; i < items.size(); ++i)
        if (CompareNoCase(items[i], value) == 0) found = static_cast<int>(i) + 1;
    return found;
}

bool EditorContent::SameAs(const EditorContent& other, EditorKind kind) const {
    switch (kind) {
    case kEditorName:
    case kEditorText: return text == other.text;
    case kEditorChoice: return choiceEntry == other.choiceEntry && text == other.text;
    case kEditorYesNo: return checkState == other.checkState;
    case kEditorDate:
        return dateSet == other.dateSet &&
               (!dateSet || (time.year == other.time.year && time.month == other.time.month && time.day == other.time.day));
    case kEditorTime:
        return dateSet == other.dateSet && (!dateSet || (time.hour == other.time.hour && time.minute == other.time.minute));
    case kEditorDateTime:
        return dateSet == other.dateSet &&
               (!dateSet || (time.year == other.time.year && time.month == other.time.month && time.day == other.time.day &&
                             time.hour == other.time.hour && time.minute == other.time.minute));
    case kEditorNone: return true;
    }
    return true;
}

bool StoreEditorContent(Field& field, EditorKind kind, const EditorContent& loaded, const EditorContent& now) {
    if (now.SameAs(loaded, kind)) return false;
    std::u16string oldValue = field.Value();
    const SystemTime oldTime = field.DateTime();
    switch (kind) {
    case kEditorName:
    case kEditorText: field.SetValue(now.text); break;
    case kEditorChoice:
        if (now.choiceEntry == 0) {
            field.ClearValue();
        } else {
            field.SetValue(now.text);
        }
        break;
    case kEditorYesNo: field.SetYesNoState(now.checkState); break;
    case kEditorDate:
    case kEditorTime:
    case kEditorDateTime: {
        if (!now.dateSet) {
            field.ClearValue();
            break;
        }
        SystemTime t = now.time;
        t.milliseconds = 0;
        if (kind == kEditorDate) t.hour = t.minute = t.second = 0;
        if (kind == kEditorTime || kind == kEditorDateTime) t.second = 0;
        if (!(t == field.DateTime())) field.SetDateTime(t);
        break;
    }
    case kEditorNone: return false;
    }
    const bool changed = field.Value() != oldValue || !(field.DateTime() == oldTime);
    SecureZero(oldValue);
    return changed;
}

}  // namespace tl5
