#include "platform/FormatText.h"

namespace tl5 {

namespace {

std::u16string NumberText(long long value, size_t width) {
    const bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(value)
                                            : static_cast<unsigned long long>(value);
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    while (digits.size() + (negative ? 1 : 0) < width) digits.insert(digits.begin(), u'0');
    if (negative) digits.insert(digits.begin(), u'-');
    return digits;
}

}  // namespace

std::u16string FormatText(std::u16string_view format, std::initializer_list<FormatArg> args) {
    std::u16string out;
    auto next = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        const char16_t c = format[i];
        if (c != u'%' || i + 1 >= format.size()) {
            out.push_back(c);
            continue;
        }
        size_t j = i + 1;
        if (format[j] == u'%') {
            out.push_back(u'%');
            i = j;
            continue;
        }
        size_t width = 0;
        if (format[j] == u'0') ++j;
        while (j < format.size() && format[j] >= u'0' && format[j] <= u'9') {
            width = width * 10 + static_cast<size_t>(format[j] - u'0');
            ++j;
        }
        if (j >= format.size() || (format[j] != u's' && format[j] != u'd')) {
            out.push_back(c);  // not a conversion we know: keep the text as it stands
            continue;
        }
        if (next != args.end()) {
            if (const auto* text = std::get_if<std::u16string>(&*next))
                out += *text;
            else
                out += NumberText(std::get<long long>(*next), format[j] == u'd' ? width : 0);
            ++next;
        }
        i = j;
    }
    return out;
}

}  // namespace tl5
