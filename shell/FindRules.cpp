#include "shell/FindRules.h"

namespace tl5 {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u00A0' || c == u'\u3000'; }

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

}  // namespace

FindInput ClassifyFindInput(std::u16string_view boxText) {
    FindInput input;
    size_t begin = 0, end = boxText.size();
    while (begin < end && IsBlank(boxText[begin])) ++begin;
    while (end > begin && IsBlank(boxText[end - 1])) --end;
    std::u16string_view text = boxText.substr(begin, end - begin);
    if (text.size() < kFindMinLength) return input;
    if (EqualsIgnoringCase(text, kFindResetWord)) {
        input.action = FindInputAction::kReset;
        return input;
    }
    input.shortened = boxText.size() > kFindBoxLimit;
    if (text.size() > kFindBoxLimit) {
        text = text.substr(0, kFindBoxLimit);
        // Cutting may leave blanks at the new end.
        while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
        if (text.size() < kFindMinLength) return input;
    }
    input.action = FindInputAction::kSearch;
    input.text = std::u16string(text);
    return input;
}

}  // namespace tl5
