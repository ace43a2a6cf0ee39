// In-memory files for tests and fuzzing, and a fault-injecting layer over any FileSystem.
//
// MemoryFileSystem keeps two images of every file: what was written, and what had been flushed when
// Flush last succeeded. Crash() drops everything not flushed (or keeps it, to model a crash in which
// the writes reached the disk), the way a power cut would. With SetNamesNeedFolderFlush(true) the
// names are treated the same way: a file created, removed or renamed since its folder was last
// flushed (FlushFolder) comes back as it was after a crash, as on a disk that writes folders lazily.
//
// FaultFileSystem numbers every operation that changes a file (write, set size, flush, remove,
// rename, folder flush) across all files opened through it. With FailAt the Nth one fails, and so
// does every later operation, as if the process had died there; with FailOnceAt only the Nth fails
// and the disk works again afterwards (a full disk that got some room back, a passing I/O error).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/File.h"
#include "platform/SecureZero.h"

namespace tl5 {

class MemoryFileSystem : public FileSystem {
public:
    int Open(const std::u16string& path, FileMode mode, FileShare share, std::unique_ptr<File>* file) override;
    bool Exists(const std::u16string& path) override;
    int Remove(const std::u16string& path) override;
    int Rename(const std::u16string& from, const std::u16string& to) override;
    bool FlushFolder(const std::u16string& path) override;

    // Names (creation, removal, rename) last only once their folder is flushed (see above). The names
    // there are when it is turned on count as flushed.
    void SetNamesNeedFolderFlush(bool on) {
        namesNeedFolderFlush_ = on;
        durableNames_ = files_;
    }
    // Direct access to a file's current bytes (empty when missing).
    std::string Contents(const std::u16string& path) const;
    void SetContents(const std::u16string& path, const std::string& bytes);  // also counts as flushed
    // Simulates a crash: every file falls back to its last flushed image unless keepUnflushed, and,
    // when names need folder flushes, the set of names falls back to the last flushed one. Close
    // every handle first (the crashed process is gone).
    void Crash(bool keepUnflushed);

    // A file's bytes are wiped when it goes away: in-memory journals and wallets hold secrets.
    struct Node {
        ~Node() {
            SecureZero(data);
            SecureZero(durable);
        }
        std::string data;
        std::string durable;
        int readers = 0;
        int writers = 0;
        int exclusive = 0;
    };

private:
    std::map<std::u16string, std::shared_ptr<Node>> files_;
    // The names as they are on the disk: what each folder held when it was last flushed.
    std::map<std::u16string, std::shared_ptr<Node>> durableNames_;
    bool namesNeedFolderFlush_ = false;
};

class FaultFileSystem : public FileSystem {
public:
    explicit FaultFileSystem(FileSystem& inner) : inner_(inner) {}

    // Fails the operation with this number (1-based; 0 never fails). A torn write puts half its bytes.
    void FailAt(long operation, bool tornWrite = false) {
        failAt_ = operation;
        torn_ = tornWrite;
        once_ = false;
        failed_ = false;
    }
    // Fails only the operation with this number; the ones after it work again.
    void FailOnceAt(long operation, bool tornWrite = false) {
        FailAt(operation, tornWrite);
        once_ = true;
    }
    // The disk works again after a failure made with FailAt (every later operation failed until now).
    void Heal() {
        failAt_ = 0;
        failed_ = false;
    }
    long Operations() const { return operations_; }
    bool Failed() const { return failed_; }

    int Open(const std::u16string& path, FileMode mode, FileShare share, std::unique_ptr<File>* file) override;
    bool Exists(const std::u16string& path) override;
    int Remove(const std::u16string& path) override;
    int Rename(const std::u16string& from, const std::u16string& to) override;
    bool FlushFolder(const std::u16string& path) override;

    // Counts one changing operation; false when it (or an earlier one) fails.
    bool Step(bool* tornNow);

private:
    FileSystem& inner_;
    long failAt_ = 0;
    long operations_ = 0;
    bool torn_ = false;
    bool once_ = false;
    bool failed_ = false;
};

}  // namespace tl5
