#include "platform/FormatText.h"

namespace tl5 {

namespace {

// One "%..." of a format.
struct Conversion {
    enum Kind { Literal, Percent, Text, Number, Unknown } kind = Literal;
    size_t width = 0;         // bounded: digits beyond kMaxFormatWidth stop counting
    bool widthGiven = false;
    size_t last = 0;          // index of its last character
};

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// Whether what follows the % at `at` reads as a printf conversion this formatter does not fill:
// flags, width, precision and length, then a letter ("%x", "%-5d", "%ls", "%.2f").
bool LooksLikeOtherConversion(std::u16string_view format, size_t at) {
    size_t j = at + 1;
    while (j < format.size() && std::u16string_view(u"-+#0").find(format[j]) != std::u16string_view::npos) ++j;
    while (j < format.size() && IsDigit(format[j])) ++j;
    if (j < format.size() && format[j] == u'.') {
        ++j;
        while (j < format.size() && IsDigit(format[j])) ++j;
    }
    while (j < format.size() && std::u16string_view(u"hlLqjzt").find(format[j]) != std::u16string_view::npos) ++j;
    return j < format.size() && IsAsciiLetter(format[j]);
}

// Reads the conversion that starts with the % at `at`.
Conversion ReadConversion(std::u16string_view format, size_t at) {
    Conversion conv;
    conv.last = at;
    if (at + 1 >= format.size()) return conv;
    size_t j = at + 1;
    if (format[j] == u'%') {
        conv.kind = Conversion::Percent;
        conv.last = j;
        return conv;
    }
    if (format[j] == u'0') ++j;
    while (j < format.size() && IsDigit(format[j])) {
        if (conv.width <= kMaxFormatWidth) conv.width = conv.width * 10 + static_cast<size_t>(format[j] - u'0');
        conv.widthGiven = true;
        ++j;
    }
    if (j < format.size() && (format[j] == u's' || format[j] == u'd')) {
        conv.kind = format[j] == u's' ? Conversion::Text : Conversion::Number;
        conv.last = j;
        return conv;
    }
    conv.kind = LooksLikeOtherConversion(format, at) ? Conversion::Unknown : Conversion::Literal;
    return conv;
}

std::u16string NumberText(long long value, size_t width) {
    const bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(value)
                                            : static_cast<unsigned long long>(value);
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (width > kMaxFormatWidth) width = kMaxFormatWidth;
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
        if (c != u'%') {
            out.push_back(c);
            continue;
        }
        const Conversion conv = ReadConversion(format, i);
        switch (conv.kind) {
        case Conversion::Literal:
        case Conversion::Unknown:
            out.push_back(c);  // not a conversion we fill: keep the text as it stands
            continue;
        case Conversion::Percent:
            out.push_back(u'%');
            break;
        case Conversion::Text:
        case Conversion::Number:
            if (next != args.end()) {
                if (const auto* text = std::get_if<std::u16string>(&*next))
                    out += *text;
                else
                    out += NumberText(std::get<long long>(*next), conv.kind == Conversion::Number ? conv.width : 0);
                ++next;
            }
            break;
        }
        i = conv.last;
    }
    return out;
}

bool FormatMatches(std::u16string_view format, std::initializer_list<FormatArg> args) {
    auto next = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') continue;
        const Conversion conv = ReadConversion(format, i);
        switch (conv.kind) {
        case Conversion::Literal:
            continue;
        case Conversion::Percent:
            break;
        case Conversion::Unknown:
            return false;
        case Conversion::Text:
            if (conv.widthGiven || next == args.end() || !std::holds_alternative<std::u16string>(*next)) return false;
            ++next;
            break;
        case Conversion::Number:
            if (conv.width > kMaxFormatWidth || next == args.end() || !std::holds_alternative<long long>(*next))
                return false;
            ++next;
            break;
        }
        i = conv.last;
    }
    return true;
}

std::u16string FormatChecked(std::u16string_view format, std::u16string_view fallback,
                             std::initializer_list<FormatArg> args) {
    return FormatText(FormatMatches(format, args) ? format : fallback, args);
}

}  // namespace tl5
