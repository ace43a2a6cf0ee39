#include "platform/CodePage.h"

namespace tl5 {

namespace {

// Bytes 0x80-0x9F; the rest of the code page equals Latin-1.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

}  // namespace

char16_t CodePage1252ToUtf16(uint8_t byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHigh[byte - 0x80];
    return static_cast<char16_t>(byte);
}

std::u16string CodePage1252ToUtf16(const uint8_t* bytes, size_t count) {
    std::u16string out;
    if (bytes == nullptr) return out;
    out.resize(count);
    for (size_t i = 0; i < count; ++i) out[i] = CodePage1252ToUtf16(bytes[i]);
    return out;
}

std::u16string CodePage1252ToUtf16(std::string_view bytes) {
    return CodePage1252ToUtf16(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

bool Utf16ToCodePage1252(char16_t ch, uint8_t* byte) {
    uint8_t b = '?';
    bool ok = false;
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
        b = static_cast<uint8_t>(ch);
        ok = true;
    } else {
        for (int i = 0; i < 32; ++i) {
            if (kHigh[i] == ch) {
                b = static_cast<uint8_t>(0x80 + i);
                ok = true;
                break;
            }
        }
    }
    if (byte != nullptr) *byte = b;
    return ok;
}

std::string Utf16ToCodePage1252(std::u16string_view text, bool* lossy) {
    std::string out;
    out.resize(text.size());
    bool replaced = false;
    for (size_t i = 0; i < text.size(); ++i) {
        uint8_t b = 0;
        if (!Utf16ToCodePage1252(text[i], &b)) replaced = true;
        out[i] = static_cast<char>(b);
    }
    if (lossy != nullptr) *lossy = replaced;
    return out;
}

}  // namespace tl5
