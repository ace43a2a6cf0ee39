#include "cardui/win/Files.h"

namespace tl5win {

bool FileExists(const wchar_t* path) {
    if (!path || !*path) return false;
    HANDLE f = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    CloseHandle(f);
    return true;
}

uint64_t FileSizeOf(HANDLE file) {
    if (!HandleValid(file)) return 0;
    LARGE_INTEGER size{};
    return GetFileSizeEx(file, &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
}

bool HandleValid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

namespace {

bool WriteAll(HANDLE file, const void* data, DWORD size) {
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == size;
}

}  // namespace

bool WriteByteOrderMark(HANDLE file) {
    const unsigned char mark[2] = {0xFF, 0xFE};
    return HandleValid(file) && WriteAll(file, mark, 2);
}

bool WriteLine(HANDLE file, const wchar_t* text, int newlines) {
    if (!HandleValid(file)) return false;
    if (text && *text && !WriteAll(file, text, static_cast<DWORD>(lstrlenW(text) * sizeof(wchar_t)))) return false;
    for (int i = 0; i < newlines; ++i) {
        if (!WriteAll(file, L"\r\n", 2 * sizeof(wchar_t))) return false;
    }
    return true;
}

}  // namespace tl5win
