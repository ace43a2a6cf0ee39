// Files, random numbers, local time and the documents folder on Windows.
#include <windows.h>
#include <bcrypt.h>
#include <shlobj.h>

#include "platform/DocumentsFolder.h"
#include "platform/File.h"
#include "platform/LocalTime.h"
#include "platform/Random.h"
#include "platform/Text.h"
#include "platform/win32/Win32Time.h"

namespace tl5 {

namespace {

class Win32File : public File {
public:
    explicit Win32File(HANDLE h) : h_(h) {}
    ~Win32File() override { CloseHandle(h_); }

    bool ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) override {
        *got = 0;
        char* p = static_cast<char*>(buffer);
        while (*got < size) {
            OVERLAPPED ov = {};
            const uint64_t at = offset + *got;
            ov.Offset = static_cast<DWORD>(at);
            ov.OffsetHigh = static_cast<DWORD>(at >> 32);
            const size_t left = size - *got;
            const DWORD ask = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
            DWORD n = 0;
            if (!ReadFile(h_, p + *got, ask, &n, &ov)) {
                if (GetLastError() == ERROR_HANDLE_EOF) break;
                return false;
            }
            if (n == 0) break;
            *got += n;
        }
        return true;
    }
    bool WriteAt(uint64_t offset, const void* buffer, size_t size, size_t* put) override {
        *put = 0;
        const char* p = static_cast<const char*>(buffer);
        while (*put < size) {
            OVERLAPPED ov = {};
            const uint64_t at = offset + *put;
            ov.Offset = static_cast<DWORD>(at);
            ov.OffsetHigh = static_cast<DWORD>(at >> 32);
            const size_t left = size - *put;
            const DWORD ask = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
            DWORD n = 0;
            if (!WriteFile(h_, p + *put, ask, &n, &ov) || n == 0) return false;
            *put += n;
        }
        return true;
    }
    bool GetSize(uint64_t* size) override {
        LARGE_INTEGER li;
        if (!GetFileSizeEx(h_, &li)) return false;
        *size = static_cast<uint64_t>(li.QuadPart);
        return true;
    }
    bool SetSize(uint64_t size) override {
        LARGE_INTEGER li;
        li.QuadPart = static_cast<LONGLONG>(size);
        return SetFilePointerEx(h_, li, nullptr, FILE_BEGIN) && SetEndOfFile(h_);
    }
    bool Flush() override { return FlushFileBuffers(h_) != 0; }

private:
    HANDLE h_;
};

class Win32FileSystem : public FileSystem {
public:
    int Open(const std::u16string& path, FileMode mode, FileShare share, std::unique_ptr<File>* file) override {
        file->reset();
        DWORD access = GENERIC_READ | GENERIC_WRITE;
        DWORD disposition = OPEN_EXISTING;
        switch (mode) {
            case FileMode::CreateNew: disposition = CREATE_NEW; break;
            case FileMode::CreateAlways: disposition = CREATE_ALWAYS; break;
            case FileMode::OpenReadWrite: disposition = OPEN_EXISTING; break;
            case FileMode::OpenReadOnly: access = GENERIC_READ; break;
        }
        const DWORD shareMode = share == FileShare::Read ? FILE_SHARE_READ : 0;
        const std::wstring p = ToWide(path);
        HANDLE h = CreateFileW(p.c_str(), access, shareMode, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            switch (GetLastError()) {
                case ERROR_FILE_NOT_FOUND:
                case ERROR_PATH_NOT_FOUND: return kFileNotFound;
                case ERROR_FILE_EXISTS:
                case ERROR_ALREADY_EXISTS: return kFileExists;
                case ERROR_SHARING_VIOLATION:
                case ERROR_LOCK_VIOLATION: return kFileSharingViolation;
                case ERROR_ACCESS_DENIED:
                case ERROR_WRITE_PROTECT: return kFileAccessDenied;
                default: return kFileIoError;
            }
        }
        file->reset(new Win32File(h));
        return kFileOk;
    }
    bool Exists(const std::u16string& path) override {
        return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    int Remove(const std::u16string& path) override {
        if (DeleteFileW(ToWide(path).c_str())) return kFileOk;
        const DWORD e = GetLastError();
        return (e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND) ? kFileNotFound : kFileIoError;
    }
    // Write-through: the move is on the disk when the call returns.
    int Rename(const std::u16string& from, const std::u16string& to) override {
        if (MoveFileExW(ToWide(from).c_str(), ToWide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return kFileOk;
        switch (GetLastError()) {
            case ERROR_FILE_NOT_FOUND:
            case ERROR_PATH_NOT_FOUND: return kFileNotFound;
            case ERROR_SHARING_VIOLATION:
            case ERROR_LOCK_VIOLATION: return kFileSharingViolation;
            case ERROR_ACCESS_DENIED:
            case ERROR_WRITE_PROTECT: return kFileAccessDenied;
            default: return kFileIoError;
        }
    }
    // A folder opened as a directory handle is flushed like a file: the file system writes out its
    // entries (files created, removed or renamed in it). File systems that cannot flush a directory
    // handle refuse the call as unsupported; they commit names with the file's own flush (NTFS logs a
    // new file's entry with its metadata), so that is no failure of ours.
    bool FlushFolder(const std::u16string& path) override {
        std::wstring folder = ToWide(path);
        const size_t slash = folder.find_last_of(L"\\/");
        if (slash == std::wstring::npos) folder = L".";
        else folder.resize(slash == 0 || (slash == 2 && folder[1] == L':') ? slash + 1 : slash);
        HANDLE h = CreateFileW(folder.c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) return Unsupported(GetLastError());
        const bool ok = FlushFileBuffers(h) != 0;
        const DWORD e = ok ? ERROR_SUCCESS : GetLastError();
        CloseHandle(h);
        return ok || Unsupported(e);
    }

private:
    static bool Unsupported(DWORD e) {
        return e == ERROR_INVALID_FUNCTION || e == ERROR_NOT_SUPPORTED || e == ERROR_ACCESS_DENIED ||
               e == ERROR_INVALID_PARAMETER;
    }
};

}  // namespace

FileSystem& OsFileSystem() {
    static Win32FileSystem fs;
    return fs;
}

bool OsRandomBytes(void* buffer, size_t size) {
    while (size > 0) {
        const ULONG n = size > 0x10000000 ? 0x10000000 : static_cast<ULONG>(size);
        if (BCryptGenRandom(nullptr, static_cast<PUCHAR>(buffer), n, BCRYPT_USE_SYSTEM_PREFERRED_RNG) != 0)
            return false;
        buffer = static_cast<char*>(buffer) + n;
        size -= n;
    }
    return true;
}

SystemTime OsLocalTimeNow() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return FromSystemTime(st);
}

std::u16string DocumentsFolder() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"TL5_DOCUMENTS", buffer, MAX_PATH);
    if (n > 0 && n < MAX_PATH) return FromWide(buffer);
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, buffer))) return std::u16string();
    return FromWide(buffer);
}

bool SetProcessEnvironment(const char* name, const std::u16string& value) {
    // Both the C runtime's copy (getenv) and the process block (GetEnvironmentVariable) are updated.
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    const std::wstring wideValue = ToWide(value);
    if (_wputenv_s(wideName.c_str(), wideValue.c_str()) != 0) return false;
    return SetEnvironmentVariableW(wideName.c_str(), value.empty() ? nullptr : wideValue.c_str()) != FALSE;
}

std::u16string EnsureDocumentsFolder() {
    const std::u16string folder = DocumentsFolder();
    if (folder.empty()) return folder;
    const std::wstring p = ToWide(folder);
    const DWORD attributes = GetFileAttributesW(p.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? folder : std::u16string();
    if (!CreateDirectoryW(p.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return std::u16string();
    return folder;
}

}  // namespace tl5
