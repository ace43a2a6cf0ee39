// Files, random numbers, local time and the documents folder on POSIX systems.
#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/DocumentsFolder.h"
#include "platform/File.h"
#include "platform/LocalTime.h"
#include "platform/Random.h"
#include "platform/Text.h"

namespace tl5 {

namespace {

class PosixFile : public File {
public:
    explicit PosixFile(int fd) : fd_(fd) {}
    ~PosixFile() override { ::close(fd_); }

    bool ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) override {
        *got = 0;
        char* p = static_cast<char*>(buffer);
        while (*got < size) {
            const ssize_t n = ::pread(fd_, p + *got, size - *got, static_cast<off_t>(offset + *got));
            if (n < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            if (n == 0) break;
            *got += static_cast<size_t>(n);
        }
        return true;
    }
    bool WriteAt(uint64_t offset, const void* buffer, size_t size, size_t* put) override {
        *put = 0;
        const char* p = static_cast<const char*>(buffer);
        while (*put < size) {
            const ssize_t n = ::pwrite(fd_, p + *put, size - *put, static_cast<off_t>(offset + *put));
            if (n < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            if (n == 0) return false;
            *put += static_cast<size_t>(n);
        }
        return true;
    }
    bool GetSize(uint64_t* size) override {
        struct stat st;
        if (::fstat(fd_, &st) != 0) return false;
        *size = static_cast<uint64_t>(st.st_size);
        return true;
    }
    bool SetSize(uint64_t size) override { return ::ftruncate(fd_, static_cast<off_t>(size)) == 0; }
    bool Flush() override { return ::fsync(fd_) == 0; }

private:
    int fd_;
};

class PosixFileSystem : public FileSystem {
public:
    int Open(const std::u16string& path, FileMode mode, FileShare share, std::unique_ptr<File>* file) override {
        file->reset();
        const std::string p = Utf16ToUtf8(path);
        int flags = O_CLOEXEC;
        switch (mode) {
            case FileMode::CreateNew: flags |= O_RDWR | O_CREAT | O_EXCL; break;
            case FileMode::CreateAlways: flags |= O_RDWR | O_CREAT; break;
            case FileMode::OpenReadWrite: flags |= O_RDWR; break;
            case FileMode::OpenReadOnly: flags |= O_RDONLY; break;
        }
        const int fd = ::open(p.c_str(), flags, 0600);
        if (fd < 0) {
            if (errno == ENOENT) return kFileNotFound;
            if (errno == EEXIST) return kFileExists;
            if (errno == EACCES || errno == EPERM || errno == EROFS) return kFileAccessDenied;
            return kFileIoError;
        }
        // Sharing: writers and exclusive openers take an exclusive lock, readers a shared one, so that
        // others may read a wallet open for work but not write it (advisory, between cooperating programs).
        const bool exclusive = mode != FileMode::OpenReadOnly || share == FileShare::None;
        if (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
            ::close(fd);
            return kFileSharingViolation;
        }
        if (mode == FileMode::CreateAlways && ::ftruncate(fd, 0) != 0) {
            ::close(fd);
            return kFileIoError;
        }
        file->reset(new PosixFile(fd));
        return kFileOk;
    }
    bool Exists(const std::u16string& path) override {
        struct stat st;
        return ::stat(Utf16ToUtf8(path).c_str(), &st) == 0;
    }
    int Remove(const std::u16string& path) override {
        if (::unlink(Utf16ToUtf8(path).c_str()) == 0) return kFileOk;
        return errno == ENOENT ? kFileNotFound : kFileIoError;
    }
    int Rename(const std::u16string& from, const std::u16string& to) override {
        if (::rename(Utf16ToUtf8(from).c_str(), Utf16ToUtf8(to).c_str()) == 0) return kFileOk;
        if (errno == ENOENT) return kFileNotFound;
        if (errno == EACCES || errno == EPERM || errno == EROFS) return kFileAccessDenied;
        return kFileIoError;
    }
    bool FlushFolder(const std::u16string& path) override {
        std::string folder = Utf16ToUtf8(path);
        const size_t slash = folder.rfind('/');
        folder = slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : folder.substr(0, slash);
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return false;
        const bool ok = ::fsync(fd) == 0;
        ::close(fd);
        return ok;
    }
};

}  // namespace

FileSystem& OsFileSystem() {
    static PosixFileSystem fs;
    return fs;
}

bool OsRandomBytes(void* buffer, size_t size) {
    char* p = static_cast<char*>(buffer);
    while (size > 0) {
        const ssize_t n = ::getrandom(p, size, 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

SystemTime OsLocalTimeNow() {
    struct timespec ts;
    ::clock_gettime(CLOCK_REALTIME, &ts);
    struct tm tm;
    ::localtime_r(&ts.tv_sec, &tm);
    SystemTime t;
    t.year = static_cast<uint16_t>(tm.tm_year + 1900);
    t.month = static_cast<uint16_t>(tm.tm_mon + 1);
    t.dayOfWeek = static_cast<uint16_t>(tm.tm_wday);
    t.day = static_cast<uint16_t>(tm.tm_mday);
    t.hour = static_cast<uint16_t>(tm.tm_hour);
    t.minute = static_cast<uint16_t>(tm.tm_min);
    t.second = static_cast<uint16_t>(tm.tm_sec > 59 ? 59 : tm.tm_sec);
    t.milliseconds = static_cast<uint16_t>(ts.tv_nsec / 1000000);
    return t;
}

std::u16string DocumentsFolder() {
    const char* override = std::getenv("TL5_DOCUMENTS");
    if (override && *override) return Utf8ToUtf16(override);
    const char* home = std::getenv("HOME");
    if (!home || !*home) return std::u16string();
    return Utf8ToUtf16(std::string(home) + "/Documents");
}

bool SetProcessEnvironment(const char* name, const std::u16string& value) {
    if (value.empty()) return ::unsetenv(name) == 0;
    return ::setenv(name, Utf16ToUtf8(value).c_str(), 1) == 0;
}

std::u16string EnsureDocumentsFolder() {
    const std::u16string folder = DocumentsFolder();
    if (folder.empty()) return folder;
    const std::string p = Utf16ToUtf8(folder);
    struct stat st;
    if (::stat(p.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? folder : std::u16string();
    if (::mkdir(p.c_str(), 0700) != 0 && errno != EEXIST) return std::u16string();
    return folder;
}

}  // namespace tl5
