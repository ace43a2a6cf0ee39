// Files for the wallet core: positional reads and writes, size, truncation and flushing, behind an
// interface so that an in-memory file or a fault-injecting file can take the place of a real one.
//
// Every File also keeps a current position; Read and Write work there and move it forward. Blocks
// and records of a wallet share that position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tl5 {

class File {
public:
    virtual ~File() = default;

    // Reads up to size bytes at offset; *got receives the count (0 at or past the end). False when the
    // call itself fails.
    virtual bool ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) = 0;
    // Writes size bytes at offset (extending the file as needed); *put receives the count written.
    virtual bool WriteAt(uint64_t offset, const void* buffer, size_t size, size_t* put) = 0;
    virtual bool GetSize(uint64_t* size) = 0;
    // Sets the end of the file (shortens or extends with zero bytes).
    virtual bool SetSize(uint64_t size) = 0;
    // Makes everything written so far durable.
    virtual bool Flush() = 0;

    uint64_t Tell() const { return position_; }
    void Seek(uint64_t position) { position_ = position; }
    void Skip(uint64_t count) { position_ += count; }
    bool SeekToEnd() {
        uint64_t size = 0;
        if (!GetSize(&size)) return false;
        position_ = size;
        return true;
    }
    // At the current position, moving it forward by the count transferred.
    bool Read(void* buffer, size_t size, size_t* got) {
        size_t n = 0;
        const bool ok = ReadAt(position_, buffer, size, &n);
        position_ += n;
        if (got) *got = n;
        return ok;
    }
    bool Write(const void* buffer, size_t size, size_t* put) {
        size_t n = 0;
        const bool ok = WriteAt(position_, buffer, size, &n);
        position_ += n;
        if (put) *put = n;
        return ok;
    }

private:
    uint64_t position_ = 0;
};

enum class FileMode {
    CreateNew,      // read and write; fails when the file exists
    CreateAlways,   // read and write; an existing file is emptied
    OpenReadWrite,  // existing file, read and write
    OpenReadOnly,   // existing file, read only
};

enum class FileShare {
    None,  // nobody else may open the file
    Read,  // others may read, not write
};

// Results of FileSystem operations.
enum FileResult : int {
    kFileOk = 0,
    kFileNotFound = 1,
    kFileExists = 2,
    kFileSharingViolation = 3,
    kFileAccessDenied = 4,
    kFileIoError = 5,
};

// Opening, probing and removing files by path. The operating system's file system is OsFileSystem();
// tests plug in a MemoryFileSystem or a FaultFileSystem (platform/MemoryFile.h).
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual int Open(const std::u16string& path, FileMode mode, FileShare share, std::unique_ptr<File>* file) = 0;
    virtual bool Exists(const std::u16string& path) = 0;
    virtual int Remove(const std::u16string& path) = 0;

    // Moves a file to a new name in the same folder, replacing a file of that name (the way a
    // finished temporary file takes the place of the file it rewrites). Neither may be open.
    virtual int Rename(const std::u16string& from, const std::u16string& to) {
        (void)from;
        (void)to;
        return kFileIoError;
    }
    // Makes the names in the folder that holds `path` durable: a file created, removed or renamed
    // there survives a power cut once this succeeds.
    virtual bool FlushFolder(const std::u16string& path) {
        (void)path;
        return true;
    }
};

FileSystem& OsFileSystem();

// Reads a whole file (at most maxSize bytes; larger files fail). False when it cannot be read.
bool ReadWholeFile(FileSystem& fs, const std::u16string& path, std::string* bytes, uint64_t maxSize);

}  // namespace tl5
