// The find bar's input rules: what the text in the find box asks for before anything is searched.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tl5 {

// Typed into the find box, this word (in any case) puts the settings back to their defaults.
inline constexpr char16_t kFindResetWord[] = u"::fresh";
// The find box holds at most this many characters; a longer text is cut to it.
constexpr size_t kFindBoxLimit = 48;
// A shorter text (after trimming) is refused.
constexpr size_t kFindMinLength = 2;

enum class FindInputAction : int {
    kTooShort,  // fewer than kFindMinLength characters once the blanks around it are gone
    kReset,     // the reset word
    kSearch,    // search for `text`
};

struct FindInput {
    FindInputAction action = FindInputAction::kTooShort;
    std::u16string text;     // the text to search for: trimmed, at most kFindBoxLimit characters
    bool shortened = false;  // the box held more than kFindBoxLimit characters; `text` goes back into it
};

// Blanks (spaces, tabs, no-break spaces) before and after the text go first; then the length rule,
// the reset word and the box limit.
FindInput ClassifyFindInput(std::u16string_view boxText);

}  // namespace tl5
