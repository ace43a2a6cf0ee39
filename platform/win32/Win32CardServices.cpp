// Card media services on Windows: file times, ShellExecute "open" and sndPlaySoundW from memory.
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include "platform/CardServices.h"
#include "platform/Text.h"

namespace tl5 {

bool FileLastWriteTime(const std::u16string& path, SystemTime* time) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(AsWide(path.c_str()), GetFileExInfoStandard, &data)) return false;
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &st)) return false;
    time->year = st.wYear;
    time->month = st.wMonth;
    time->dayOfWeek = st.wDayOfWeek;
    time->day = st.wDay;
    time->hour = st.wHour;
    time->minute = st.wMinute;
    time->second = st.wSecond;
    time->milliseconds = st.wMilliseconds;
    return true;
}

bool OsShellOpenFile(const std::u16string& path) {
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", AsWide(path.c_str()), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool PlaySoundFromMemory(const uint8_t* data, size_t size) {
    if (!data || size == 0) return false;
    return sndPlaySoundW(reinterpret_cast<LPCWSTR>(data), SND_ASYNC | SND_MEMORY) != FALSE;
}

bool StopSound() { return sndPlaySoundW(nullptr, SND_ASYNC | SND_MEMORY) != FALSE; }

}  // namespace tl5
