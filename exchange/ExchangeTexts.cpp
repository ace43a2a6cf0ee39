#include "exchange/ExchangeTexts.h"

#include "exchange/ExchangeNames.h"
#include "model/Field.h"

namespace tl5 {

std::u16string ExchangeTexts::Text(uint32_t id) const {
    if (strings) return strings(id);
    return ExchangeString(id);
}

std::u16string ExchangeTexts::Date(const SystemTime& time) const {
    return shortDate ? shortDate(time) : FormatFieldDateTime(time, FT_DATE);
}

std::u16string ExchangeTexts::DateTime(const SystemTime& time) const {
    return dateTime ? dateTime(time) : FormatFieldDateTime(time, FT_DATETIME);
}

std::u16string ExchangeTexts::Format(uint32_t id, std::initializer_list<FormatArg> args) const {
    return FormatChecked(Text(id), ExchangeString(id), args);
}

}  // namespace tl5
