// Field: one typed entry of a card (name, value, date/time, choice items, colours), and the limits and
// field type codes shared by the card model.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/LocalTime.h"

namespace tl5 {

enum FieldType : uint16_t {
    FT_TEXT = 1,
    FT_URL = 3,
    FT_LINK = 4,
    FT_EMAIL = 5,
    FT_PHONE = 6,
    FT_PASSWORD = 7,
    FT_DATE = 8,
    FT_TIME = 9,
    FT_DATETIME = 10,
    FT_CHOICE = 11,
    FT_LIST = 12,
    FT_YESNO = 13,
    FT_TEXT_CAPFIRST = 15,
    FT_TEXT_CAPWORDS = 16,
};

// Limits of a card.
constexpr size_t kMaxFields = 255;
constexpr size_t kMaxChoiceItems = 128;
constexpr size_t kMaxAttachments = 10;
constexpr size_t kMaxFavourites = 32;

// The separator of choice items in their stored form.
constexpr char16_t kChoiceSeparator = u'^';

// String identifiers the fields use: the two default choice items, which are also the yes/no texts.
constexpr uint32_t kStringYes = 20204;
constexpr uint32_t kStringNo = 20205;

// Change bits of a field (kept in memory only).
enum FieldChange : uint32_t {
    kFieldCreated = 1,
    kFieldTypeChanged = 2,
    kFieldNameChanged = 16,
    kFieldDateTimeChanged = 32,
    kFieldValueChanged = 64,
    kFieldItemsChanged = 512,
};

// True for the date and time types 8-10.
inline bool IsDateTimeType(uint16_t type) { return type >= FT_DATE && type <= FT_DATETIME; }
// True for the two types with choice items (11 and 12).
inline bool HasChoiceItems(uint16_t type) { return type == FT_CHOICE || type == FT_LIST; }
// The types whose shown text is the value as it stands: all but the date/time and yes/no types.
inline bool ShowsValueAsIs(uint16_t type) { return !IsDateTimeType(type) && type != FT_YESNO; }
// True for the 14 codes the system creates (1, 3-13, 15, 16).
bool IsKnownFieldType(uint16_t type);

// How dates and times are shown. The default is ISO 8601 ("2026-12-09", "14:05", "2026-12-09  14:05");
// the application installs one that follows the user's date and time pictures.
using DateTimeFormatter = std::u16string (*)(const SystemTime& time, uint16_t type);
void SetDateTimeFormatter(DateTimeFormatter formatter);  // nullptr restores the default
// The program's own texts, whatever formatter is installed: "2026-12-09", "14:03", "2026-12-09  14:03".
std::u16string IsoFieldDateTimeText(const SystemTime& time, uint16_t type);
std::u16string FormatFieldDateTime(const SystemTime& time, uint16_t type);

class Field {
public:
    Field() = default;  // type 1, no name, no value, colours -1, change flag "created"
    ~Field();
    Field(const Field& other);
    Field& operator=(const Field& other);
    Field(Field&& other) noexcept;
    Field& operator=(Field&& other) noexcept;

    uint16_t Type() const { return type_; }
    // Entering 8-10 from another type drops the value and the date/time; becoming type 11 resets the
    // items to the two defaults (strings 20204 and 20205).
    void SetType(uint16_t type);

    // An empty name or value means "none".
    const std::u16string& Name() const { return name_; }
    void SetName(std::u16string_view name);
    const std::u16string& Value() const { return value_; }
    // Setting no value (an empty one) also clears the date/time.
    void SetValue(std::u16string_view value);
    void ClearValue() { SetValue(std::u16string_view()); }

    const SystemTime& DateTime() const { return dateTime_; }
    // Types 8-10 only (false otherwise); drops the value text.
    bool SetDateTime(const SystemTime& time);

    // Choice items: counted only for types 11 and 12.
    size_t ItemCount() const { return HasChoiceItems(type_) ? items_.size() : 0; }
    const std::u16string& ItemAt(size_t index) const;  // empty beyond the count
    const std::vector<std::u16string>& Items() const { return items_; }
    // "^" becomes a space; an empty item or a 129th item is refused.
    bool AddItem(std::u16string_view item);
    void ClearItems();
    // Replaces the items by the non-empty parts of a "^"-joined text (at most 128).
    void SetItemsFromJoined(std::u16string_view joined);
    // The items joined by "^" (no separator after the last).
    std::u16string JoinedItems() const;

    int32_t NameColour() const { return nameColour_; }
    int32_t DataColour() const { return dataColour_; }

    // Yes/no: 1 for "1", 0 for "0", 2 otherwise; setting writes "1", "0" or "2".
    int YesNoState() const;
    void SetYesNoState(int state);

    // The text shown for the value: the formatted date/time for 8-10, the yes/no text (or nothing) for
    // 13, else the value. The view points into the field or into scratch, which must outlive it.
    std::u16string_view DisplayText(std::u16string* scratch) const;
    // The same for a field of the type with that date/time and value, held elsewhere.
    static std::u16string_view DisplayTextOf(uint16_t type, const SystemTime& dateTime, std::u16string_view value,
                                             std::u16string* scratch);

    uint32_t ChangeFlags() const { return changes_; }
    void ClearChangeFlags() { changes_ = 0; }

    // Direct setters for the card body reader: no rules applied, no change bits. ResetForLoad wipes
    // the field back to a new one's state but keeps the string buffers, so that a reader filling the
    // same fields card after card allocates nothing.
    void ResetForLoad();
    void LoadRaw(uint16_t type, int32_t nameColour, int32_t dataColour, const SystemTime& dateTime);
    std::u16string& MutableName() { return name_; }
    std::u16string& MutableValue() { return value_; }

private:
    void Wipe();

    uint16_t type_ = FT_TEXT;
    std::u16string name_;
    std::u16string value_;
    SystemTime dateTime_;
    std::vector<std::u16string> items_;
    int32_t nameColour_ = -1;
    int32_t dataColour_ = -1;
    uint32_t changes_ = kFieldCreated;
};

}  // namespace tl5
