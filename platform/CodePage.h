// The single-byte code page of the device (Windows-1252), both ways.
//
// The same table is used on every platform, so a text file or a legacy wallet reads alike on the
// handheld, on the desktop build and in the command-line tool.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tl5 {

// One byte of Windows-1252 as a UTF-16 code unit. The five bytes that the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same value,
// as the system conversion does, so every byte converts and converts back.
char16_t CodePage1252ToUtf16(uint8_t byte);

// Bytes of Windows-1252 to UTF-16, one character per byte. Never fails.
std::u16string CodePage1252ToUtf16(const uint8_t* bytes, size_t count);
std::u16string CodePage1252ToUtf16(std::string_view bytes);

// One UTF-16 code unit to Windows-1252; false (and '?') when the character has no byte.
bool Utf16ToCodePage1252(char16_t ch, uint8_t* byte);

// UTF-16 to Windows-1252, one byte per code unit; characters without a byte become '?'.
// `lossy` (optional) reports whether any character was replaced.
std::string Utf16ToCodePage1252(std::u16string_view text, bool* lossy = nullptr);

}  // namespace tl5
