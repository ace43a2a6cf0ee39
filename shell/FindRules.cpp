#include "shell/FindRules.h"

#include "model/CaseFold.h"

namespace tl5 {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u00A0' || c == u'\u3000'; }

}  // namespace

FindInput ClassifyFindInput(std::u16string_view boxText) {
    FindInput input;
    size_t begin = 0, end = boxText.size();
    while (begin < end && IsBlank(boxText[begin])) ++begin;
    while (end > begin && IsBlank(boxText[end - 1])) --end;
    std::u16string_view text = boxText.substr(begin, end - begin);
    if (text.size() < kFindMinLength) return input;
    if (CompareNoCase(text, kFindResetWord) == 0) {
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
