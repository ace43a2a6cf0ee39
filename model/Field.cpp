#include "model/Field.h"

#include <cstdio>
#include <utility>

#include "platform/SecureZero.h"
#include "resources/StringTable.h"

namespace tl5 {

namespace {

const char16_t* ModelText(uint32_t id) {
    const char16_t* text = StringTableLookup(id);
    return text ? text : u"?";
}

// The number with at least `width` digits (zeros in front).
void AppendDigits(std::u16string& out, unsigned value, int width) {
    char16_t buf[12];
    int n = 0;
    do {
        buf[n++] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n < width) buf[n++] = u'0';
    while (n > 0) out.push_back(buf[--n]);
}

// "2026-12-09", "14:03" or "2026-12-09  14:03", written digit by digit: an export formats one for
// every date field of every card.
std::u16string DefaultFormatter(const SystemTime& t, uint16_t type) {
    std::u16string out;
    out.reserve(17);
    if (type != FT_TIME) {
        AppendDigits(out, t.year, 4);
        out.push_back(u'-');
        AppendDigits(out, t.month, 2);
        out.push_back(u'-');
        AppendDigits(out, t.day, 2);
        if (type == FT_DATE) return out;
        out += u"  ";
    }
    AppendDigits(out, t.hour, 2);
    out.push_back(u':');
    AppendDigits(out, t.minute, 2);
    return out;
}

DateTimeFormatter g_formatter = nullptr;

const std::u16string kEmpty;

// Yes/no: 1 for "1", 0 for "0", 2 otherwise.
int YesNoOf(std::u16string_view value) { return value == u"1" ? 1 : value == u"0" ? 0 : 2; }

}  // namespace

bool IsKnownFieldType(uint16_t type) { return type == 1 || (type >= 3 && type <= 13) || type == 15 || type == 16; }

void SetDateTimeFormatter(DateTimeFormatter formatter) { g_formatter = formatter; }

std::u16string IsoFieldDateTimeText(const SystemTime& time, uint16_t type) {
    return time.IsZero() ? std::u16string() : DefaultFormatter(time, type);
}

std::u16string FormatFieldDateTime(const SystemTime& time, uint16_t type) {
    if (time.IsZero()) return std::u16string();
    return g_formatter ? g_formatter(time, type) : DefaultFormatter(time, type);
}

Field::~Field() { Wipe(); }

Field::Field(const Field& other)
    : type_(other.type_),
      name_(other.name_),
      value_(other.value_),
      dateTime_(other.dateTime_),
      items_(other.items_),
      nameColour_(other.nameColour_),
      dataColour_(other.dataColour_),
      changes_(other.changes_) {}

Field& Field::operator=(const Field& other) {
    if (this != &other) {
        Wipe();
        type_ = other.type_;
        name_ = other.name_;
        value_ = other.value_;
        dateTime_ = other.dateTime_;
        items_ = other.items_;
        nameColour_ = other.nameColour_;
        dataColour_ = other.dataColour_;
        changes_ = other.changes_;
    }
    return *this;
}

Field::Field(Field&& other) noexcept
    : type_(other.type_),
      name_(std::move(other.name_)),
      value_(std::move(other.value_)),
      dateTime_(other.dateTime_),
      items_(std::move(other.items_)),
      nameColour_(other.nameColour_),
      dataColour_(other.dataColour_),
      changes_(other.changes_) {
    other.name_.clear();
    other.value_.clear();
    other.items_.clear();
}

Field& Field::operator=(Field&& other) noexcept {
    if (this != &other) {
        Wipe();
        type_ = other.type_;
        name_ = std::move(other.name_);
        value_ = std::move(other.value_);
        dateTime_ = other.dateTime_;
        items_ = std::move(other.items_);
        nameColour_ = other.nameColour_;
        dataColour_ = other.dataColour_;
        changes_ = other.changes_;
        other.name_.clear();
        other.value_.clear();
        other.items_.clear();
    }
    return *this;
}

void Field::Wipe() {
    SecureZero(name_);
    SecureZero(value_);
    for (std::u16string& item : items_) SecureZero(item);
    items_.clear();
    dateTime_ = SystemTime();
}

void Field::ResetForLoad() {
    // The name and value buffers stay with the field and are wiped when it is destroyed (or before the
    // reader makes them grow); the items are given back now, so they are wiped now.
    name_.clear();
    value_.clear();
    for (std::u16string& item : items_) SecureZero(item);
    items_.clear();
    dateTime_ = SystemTime();
    type_ = FT_TEXT;
    nameColour_ = -1;
    dataColour_ = -1;
    changes_ = kFieldCreated;
}

void Field::SetType(uint16_t type) {
    if (type == type_) return;
    if (!IsDateTimeType(type_) && IsDateTimeType(type)) {
        if (!value_.empty()) {
            SecureZero(value_);
            changes_ |= kFieldValueChanged;
        }
        if (!dateTime_.IsZero()) {
            dateTime_ = SystemTime();
            changes_ |= kFieldDateTimeChanged;
        }
    }
    type_ = type;
    changes_ |= kFieldTypeChanged;
    if (type == FT_CHOICE) {
        ClearItems();
        AddItem(ModelText(kStringYes));
        AddItem(ModelText(kStringNo));
    }
}

void Field::SetName(std::u16string_view name) {
    if (name == name_) return;
    SecureZero(name_);
    name_.assign(name);
    changes_ |= kFieldNameChanged;
}

void Field::SetValue(std::u16string_view value) {
    if (value.empty() && !dateTime_.IsZero()) {
        dateTime_ = SystemTime();
        changes_ |= kFieldDateTimeChanged;
    }
    if (value == value_) return;
    SecureZero(value_);
    value_.assign(value);
    changes_ |= kFieldValueChanged;
}

bool Field::SetDateTime(const SystemTime& time) {
    if (!IsDateTimeType(type_)) return false;
    if (!value_.empty()) {
        SecureZero(value_);
        changes_ |= kFieldValueChanged;
    }
    dateTime_ = time;
    changes_ |= kFieldDateTimeChanged;
    return true;
}

const std::u16string& Field::ItemAt(size_t index) const {
    return index < ItemCount() ? items_[index] : kEmpty;
}

bool Field::AddItem(std::u16string_view item) {
    if (item.empty() || items_.size() >= kMaxChoiceItems) return false;
    std::u16string copy(item);
    for (char16_t& c : copy) {
        if (c == kChoiceSeparator) c = u' ';
    }
    items_.push_back(std::move(copy));
    changes_ |= kFieldItemsChanged;
    return true;
}

void Field::ClearItems() {
    if (items_.empty()) return;
    for (std::u16string& item : items_) SecureZero(item);
    items_.clear();
    changes_ |= kFieldItemsChanged;
}

void Field::SetItemsFromJoined(std::u16string_view joined) {
    ClearItems();
    size_t start = 0;
    while (start <= joined.size()) {
        size_t end = joined.find(kChoiceSeparator, start);
        if (end == std::u16string_view::npos) end = joined.size();
        if (end > start && items_.size() < kMaxChoiceItems) {
            items_.emplace_back(joined.substr(start, end - start));
            changes_ |= kFieldItemsChanged;
        }
        start = end + 1;
    }
}

std::u16string Field::JoinedItems() const {
    std::u16string joined;
    size_t total = 0;
    for (const std::u16string& item : items_) total += item.size() + 1;
    joined.reserve(total);
    for (const std::u16string& item : items_) {
        if (item.empty()) continue;
        if (!joined.empty()) joined.push_back(kChoiceSeparator);
        joined += item;
    }
    return joined;
}

int Field::YesNoState() const { return YesNoOf(value_); }

void Field::SetYesNoState(int state) { SetValue(state == 1 ? u"1" : state == 0 ? u"0" : u"2"); }

std::u16string_view Field::DisplayText(std::u16string* scratch) const {
    return DisplayTextOf(type_, dateTime_, value_, scratch);
}

std::u16string_view Field::DisplayTextOf(uint16_t type, const SystemTime& dateTime, std::u16string_view value,
                                         std::u16string* scratch) {
    if (ShowsValueAsIs(type)) return value;
    if (IsDateTimeType(type)) {
        *scratch = FormatFieldDateTime(dateTime, type);
        return *scratch;
    }
    const int state = YesNoOf(value);  // FT_YESNO
    if (state == 2) return std::u16string_view();
    return ModelText(state == 1 ? kStringYes : kStringNo);
}

void Field::LoadRaw(uint16_t type, int32_t nameColour, int32_t dataColour, const SystemTime& dateTime) {
    type_ = type;
    nameColour_ = nameColour;
    dataColour_ = dataColour;
    dateTime_ = dateTime;
}

}  // namespace tl5
