#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/ExchangeServices.h"
#include "platform/Text.h"

namespace tl5 {

namespace {

bool IsFolder(const std::string& p) {
    struct stat st;
    return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

bool EnsureFolder(const std::u16string& path) {
    if (path.empty()) return false;
    const std::string p = Utf16ToUtf8(path);
    if (IsFolder(p)) return true;
    // Make every missing parent, then the folder itself.
    for (size_t at = p.find('/', 1); at != std::string::npos; at = p.find('/', at + 1)) {
        const std::string parent = p.substr(0, at);
        if (!IsFolder(parent) && ::mkdir(parent.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    if (::mkdir(p.c_str(), 0700) != 0 && errno != EEXIST) return false;
    return IsFolder(p);
}

std::u16string ProgramFolder() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return std::u16string();
    std::string p(buffer, static_cast<size_t>(n));
    const size_t slash = p.rfind('/');
    if (slash == std::string::npos) return std::u16string();
    return Utf8ToUtf16(p.substr(0, slash + 1));
}

std::u16string LegacyRegisteredFolder() { return std::u16string(); }

}  // namespace tl5
