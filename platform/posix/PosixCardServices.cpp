// Card media services on POSIX systems: file times from stat; no shell to open files with and no
// sound output (the command-line tool and the tests run here).
#include <sys/stat.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>

#include "platform/CardServices.h"
#include "platform/Text.h"

namespace tl5 {

bool FileLastWriteTime(const std::u16string& path, SystemTime* time) {
    struct stat st;
    if (::stat(Utf16ToUtf8(path).c_str(), &st) != 0) return false;
    struct tm tm;
    const time_t seconds = st.st_mtim.tv_sec;
    if (!::localtime_r(&seconds, &tm)) return false;
    time->year = static_cast<uint16_t>(tm.tm_year + 1900);
    time->month = static_cast<uint16_t>(tm.tm_mon + 1);
    time->dayOfWeek = static_cast<uint16_t>(tm.tm_wday);
    time->day = static_cast<uint16_t>(tm.tm_mday);
    time->hour = static_cast<uint16_t>(tm.tm_hour);
    time->minute = static_cast<uint16_t>(tm.tm_min);
    time->second = static_cast<uint16_t>(tm.tm_sec > 59 ? 59 : tm.tm_sec);
    time->milliseconds = static_cast<uint16_t>(st.st_mtim.tv_nsec / 1000000);
    return true;
}

bool RecordHandOver(std::u16string_view line) {
    const char* path = std::getenv("TL5_LAUNCH_LOG");
    if (!path || !*path) return false;
    if (std::FILE* file = std::fopen(path, "ab")) {
        const std::string text = Utf16ToUtf8(line) + "\n";
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    return true;
}

bool OsShellOpenFile(const std::u16string& path) {
    RecordHandOver(u"open " + path);
    return true;
}

bool PlaySoundFromMemory(const uint8_t*, size_t) { return false; }

bool StopSound() { return false; }

}  // namespace tl5
