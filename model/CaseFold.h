// Letter case folding shared by find and the tree order: every text compared without regard to case is
// folded to lower case, one UTF-16 unit at a time, the same way on every platform.
#pragma once

#include <cstddef>
#include <string_view>

namespace tl5 {

// The lower-case form of a character: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic capitals;
// every other character is returned as it is.
inline char16_t FoldCase(char16_t c) {
    if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 0x20);
    if (c >= 0x100 && c <= 0x137) return static_cast<char16_t>(c | 1);
    if (c >= 0x139 && c <= 0x148) return (c & 1) ? static_cast<char16_t>(c + 1) : c;
    if (c >= 0x14A && c <= 0x177) return static_cast<char16_t>(c | 1);
    if (c == 0x178) return 0xFF;
    if (c >= 0x179 && c <= 0x17E) return (c & 1) ? static_cast<char16_t>(c + 1) : c;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return static_cast<char16_t>(c + 0x20);
    if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
    return c;
}

inline void FoldCaseInPlace(char16_t* s, size_t n) {
    for (size_t i = 0; i < n; ++i) s[i] = FoldCase(s[i]);
}

// Compares two texts without regard to case, like a case-insensitive string compare: negative, zero or
// positive.
inline int CompareNoCase(std::u16string_view a, std::u16string_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const char16_t x = FoldCase(a[i]);
        const char16_t y = FoldCase(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace tl5
