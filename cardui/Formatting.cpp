#include "cardui/Formatting.h"

#include <cstdio>

namespace tl5 {

namespace {

std::u16string Ascii(const char* text) {
    std::u16string out;
    for (; *text; ++text) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(*text)));
    return out;
}

}  // namespace

std::u16string FixShortDatePicture(std::u16string picture) {
    if (picture.find(u"yyyy") != std::u16string::npos) return picture;
    const size_t at = picture.find(u"yy");
    if (at != std::u16string::npos) picture.replace(at, 2, u"yyyy");
    return picture;
}

std::u16string FixTimePicture(std::u16string picture, const std::u16string& separator) {
    if (separator.empty()) return picture;
    size_t at = picture.find(separator + u"ss");
    if (at != std::u16string::npos) {
        picture.erase(at, separator.size() + 2);
        return picture;
    }
    at = picture.find(separator + u"s");
    if (at != std::u16string::npos) picture.erase(at, separator.size() + 1);
    return picture;
}

SizeTextParts SplitSizeText(uint32_t bytes) {
    // The products are taken in 64 bits: n * 100 does not fit 32 bits from 42 MB on.
    const uint64_t n = bytes;
    char buffer[32];
    if (n < 1024) {
        std::snprintf(buffer, sizeof buffer, "%u", static_cast<unsigned>(n));
        return {Ascii(buffer), u"B"};
    }
    if (n < 1024ull * 1024) {
        std::snprintf(buffer, sizeof buffer, "%u.%02u", static_cast<unsigned>(n / 1024),
                      static_cast<unsigned>((n * 100 / 1024) % 100));
        return {Ascii(buffer), u"K"};
    }
    uint64_t unit = 1024ull * 1024 * 1024;
    const char16_t* suffix = u"G";
    if (n < unit) {
        unit = 1024ull * 1024;
        suffix = u"M";
    }
    const unsigned whole = static_cast<unsigned>(n / unit);
    const unsigned hundredths = static_cast<unsigned>((n * 100 / unit) % 100);
    if (hundredths == 0) {
        std::snprintf(buffer, sizeof buffer, "%u", whole);
    } else {
        std::snprintf(buffer, sizeof buffer, "%u.%02u", whole, hundredths);
    }
    return {Ascii(buffer), suffix};
}

}  // namespace tl5
