// Small operations on open files that the screens share. They keep no state.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tl5win {

// True when the file can be opened for reading with read sharing (closed again at once).
bool FileExists(const wchar_t* path);
// The size of an open file; 0 for an invalid handle.
uint64_t FileSizeOf(HANDLE file);
// False for 0 and INVALID_HANDLE_VALUE.
bool HandleValid(HANDLE handle);
// Writes FF FE.
bool WriteByteOrderMark(HANDLE file);
// Writes the text without terminator, then `newlines` times CR LF.
bool WriteLine(HANDLE file, const wchar_t* text, int newlines);

}  // namespace tl5win
