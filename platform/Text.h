// Text conversions between UTF-8, UTF-16 and the platform's wide characters.
//
// The portable code keeps every text as UTF-16 (char16_t); this is the one place that converts.
#pragma once

#include <string>
#include <string_view>

namespace tl5 {

// UTF-8 to UTF-16. Invalid sequences become U+FFFD; never fails.
std::u16string Utf8ToUtf16(std::string_view utf8);

// UTF-16 to UTF-8. Unpaired surrogates become U+FFFD; never fails.
std::string Utf16ToUtf8(std::u16string_view utf16);

#ifdef _WIN32
// On Windows wchar_t is a UTF-16 code unit: these are plain copies.
inline std::wstring ToWide(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }
inline std::u16string FromWide(std::wstring_view s) { return std::u16string(s.begin(), s.end()); }
inline const wchar_t* AsWide(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }
inline const char16_t* AsU16(const wchar_t* s) { return reinterpret_cast<const char16_t*>(s); }
#endif

}  // namespace tl5
