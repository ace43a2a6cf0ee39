// Card media services on Windows: file times, ShellExecute "open" and sndPlaySoundW from memory.
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include "platform/CardServices.h"
#include "platform/Text.h"
#include "platform/win32/Win32Time.h"

namespace tl5 {

bool FileLastWriteTime(const std::u16string& path, SystemTime* time) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(AsWide(path.c_str()), GetFileExInfoStandard, &data)) return false;
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &st)) return false;
    *time = FromSystemTime(st);
    return true;
}

bool RecordHandOver(std::u16string_view line) {
    wchar_t path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"TL5_LAUNCH_LOG", path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return true;  // asked for a record: never start the real program
    const std::string text = Utf16ToUtf8(line) + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return true;
}

bool OsShellOpenFile(const std::u16string& path) {
    if (RecordHandOver(u"open " + path)) return true;
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", AsWide(path.c_str()), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool PlaySoundFromMemory(const uint8_t* data, size_t size) {
    if (!data || size == 0) return false;
    return sndPlaySoundW(reinterpret_cast<LPCWSTR>(data), SND_ASYNC | SND_MEMORY) != FALSE;
}

bool StopSound() { return sndPlaySoundW(nullptr, SND_ASYNC | SND_MEMORY) != FALSE; }

}  // namespace tl5
