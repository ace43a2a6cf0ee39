// The one formatter of user-interface messages: a small printf over UTF-16 texts whose formats
// come from the string table, and so from translations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace tl5 {

// Looks up a string by identifier: the language module in the application, the built-in table
// elsewhere. Rules that build messages take their texts through one.
using StringSource = std::function<std::u16string(uint32_t id)>;

// An argument of a message: a text or a number.
using FormatArg = std::variant<std::u16string, long long>;

// Widest zero padding a format may ask for ("%064d"); wider widths pad to this.
constexpr size_t kMaxFormatWidth = 64;

// Fills a format: %s takes a text, %d a number, %0Nd a number padded with zeros to N digits, %% is
// a percent sign. Arguments are taken in order; a missing argument gives an empty text, a text
// given for %d is inserted as it stands, and a conversion it does not know stays as written.
std::u16string FormatText(std::u16string_view format, std::initializer_list<FormatArg> args);

// True when the format fits the arguments: each conversion has an argument of its own kind, in
// order (a text for %s, a number for %d and %0Nd with N up to kMaxFormatWidth), and the format holds
// no other conversion (%x, %u, %ls, %5s ...). A format may leave trailing arguments unused.
[[nodiscard]] bool FormatMatches(std::u16string_view format, std::initializer_list<FormatArg> args);

// FormatText of `format` when it fits the arguments, otherwise of `fallback`: the program's own
// wording of the message, so that a translated string with a wrong conversion can neither
// mis-fill nor lose the message.
std::u16string FormatChecked(std::u16string_view format, std::u16string_view fallback,
                             std::initializer_list<FormatArg> args);

}  // namespace tl5
