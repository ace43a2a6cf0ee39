// The one formatter of user-interface messages: a small printf over UTF-16 texts whose formats
// come from the string table, and so from translations.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace tl5 {

// An argument of a message: a text or a number.
using FormatArg = std::variant<std::u16string, long long>;

// Fills a format: %s takes a text, %d a number, %0Nd a number padded with zeros to N digits, %% is
// a percent sign. Arguments are taken in order; a missing argument gives an empty text, a text
// given for %d is inserted as it stands, and a conversion it does not know stays as written.
std::u16string FormatText(std::u16string_view format, std::initializer_list<FormatArg> args);

}  // namespace tl5
