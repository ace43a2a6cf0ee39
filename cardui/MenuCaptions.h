// The table that maps the English captions of the application's menus to the string identifiers of
// their translations in the language module.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tl5 {

struct MenuCaption {
    const char16_t* english;
    uint32_t stringId;
};

// The 66 entries in search order.
extern const MenuCaption MenuCaptionTable[];
extern const size_t MenuCaptionCount;

// The string identifier for a caption, compared without regard to case, the first match winning;
// 0 when the caption is not in the table.
uint32_t MenuCaptionStringId(std::u16string_view caption);

// True when a and b are equal ignoring the case of the letters A-Z.
bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);

// True when text ends with suffix, ignoring the case of the letters A-Z.
bool EndsWithIgnoringCase(std::u16string_view text, std::u16string_view suffix);

}  // namespace tl5
