// Where the exchange steps take their words and dates from. tl5 leaves both empty: the built-in
// English table and ISO dates (yyyy-MM-dd). The application passes the language module's lookup and
// the user's locale dates, so that the questions, the folder names and the file headers read as the
// rest of its screens.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "platform/FormatText.h"
#include "platform/LocalTime.h"

namespace tl5 {

struct ExchangeTexts {
    StringSource strings;                                        // empty: the built-in table
    std::function<std::u16string(const SystemTime&)> shortDate;  // empty: yyyy-MM-dd
    std::function<std::u16string(const SystemTime&)> dateTime;   // empty: yyyy-MM-dd HH:mm

    std::u16string Text(uint32_t id) const;
    std::u16string Date(const SystemTime& time) const;
    std::u16string DateTime(const SystemTime& time) const;
    // The string `id` used as a format. A translated text whose conversions do not fit the arguments
    // (a wrong or extra specifier) is replaced by the built-in English text, so a broken translation
    // can neither crash nor mis-fill the message.
    std::u16string Format(uint32_t id, std::initializer_list<FormatArg> args) const;
};

}  // namespace tl5
