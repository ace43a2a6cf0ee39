#include "tests/win/TestFiles.h"

#include <windows.h>

#include <cwchar>

#include "platform/LocalTime.h"

namespace tl5test {

namespace {

void Put16(std::string& s, uint16_t v) { s.append({static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}); }
void Put32(std::string& s, uint32_t v) {
    Put16(s, static_cast<uint16_t>(v & 0xFFFF));
    Put16(s, static_cast<uint16_t>(v >> 16));
}

}  // namespace

std::string Bitmap(int size, uint32_t rgb, uint32_t corner) {
    const int stride = (size * 3 + 3) & ~3;
    std::string b = "BM";
    Put32(b, static_cast<uint32_t>(54 + stride * size));
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, static_cast<uint32_t>(size));
    Put32(b, static_cast<uint32_t>(size));
    Put16(b, 1);
    Put16(b, 24);
    for (int i = 0; i < 6; ++i) Put32(b, 0);
    for (int row = size - 1; row >= 0; --row) {  // bottom-up: the last row written is the top
        std::string line;
        for (int x = 0; x < size; ++x) {
            const uint32_t c = (row == 0 && x == 0) ? corner : rgb;
            line.push_back(static_cast<char>(c & 0xFF));
            line.push_back(static_cast<char>((c >> 8) & 0xFF));
            line.push_back(static_cast<char>((c >> 16) & 0xFF));
        }
        line.resize(static_cast<size_t>(stride), '\0');
        b += line;
    }
    return b;
}

std::string Wave(uint32_t samples) {
    std::string w = "RIFF";
    Put32(w, 36 + samples);
    w += "WAVEfmt ";
    Put32(w, 16);
    Put16(w, 1);
    Put16(w, 1);
    Put32(w, 8000);
    Put32(w, 8000);
    Put16(w, 1);
    Put16(w, 8);
    w += "data";
    Put32(w, samples);
    w.append(samples, '\x80');
    return w;
}

std::string FileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::wstring DayStamp() {
    const tl5::SystemTime now = tl5::LocalTimeNow();
    wchar_t text[16];
    swprintf(text, 16, L"%04u%02u%02u_", now.year, now.month, now.day);
    return text;
}

}  // namespace tl5test
