// Test-only file systems for exchange tests: a memory disk that takes only so many bytes per file.
#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "platform/MemoryFile.h"

namespace tl5::testing {

// Files whose name ends with `suffix` take at most `room` bytes; a write beyond fails (short).
class FullDisk : public FileSystem {
public:
    FullDisk(size_t room, std::u16string suffix = u"") : room_(room), suffix_(std::move(suffix)) {}
    int Open(const std::u16string& path, FileMode mode, FileShare share, std::unique_ptr<File>* file) override {
        std::unique_ptr<File> inner;
        const int rc = mem.Open(path, mode, share, &inner);
        if (rc != kFileOk) return rc;
        const bool limited = path.size() >= suffix_.size() && path.compare(path.size() - suffix_.size(), suffix_.size(), suffix_) == 0;
        *file = std::make_unique<Limited>(std::move(inner), limited ? room_ : SIZE_MAX);
        return rc;
    }
    bool Exists(const std::u16string& path) override { return mem.Exists(path); }
    int Remove(const std::u16string& path) override { return mem.Remove(path); }
    int Rename(const std::u16string& from, const std::u16string& to) override { return mem.Rename(from, to); }
    bool FlushFolder(const std::u16string& path) override { return mem.FlushFolder(path); }
    MemoryFileSystem mem;

private:
    class Limited : public File {
    public:
        Limited(std::unique_ptr<File> inner, size_t room) : inner_(std::move(inner)), room_(room) {}
        bool ReadAt(uint64_t o, void* b, size_t s, size_t* g) override { return inner_->ReadAt(o, b, s, g); }
        bool WriteAt(uint64_t o, const void* b, size_t s, size_t* p) override {
            const size_t n = o >= room_ ? 0 : static_cast<size_t>(std::min<uint64_t>(s, room_ - o));
            size_t put = 0;
            inner_->WriteAt(o, b, n, &put);
            if (p) *p = put;
            return n == s;
        }
        bool GetSize(uint64_t* s) override { return inner_->GetSize(s); }
        bool SetSize(uint64_t s) override { return inner_->SetSize(s); }
        bool Flush() override { return inner_->Flush(); }

    private:
        std::unique_ptr<File> inner_;
        size_t room_;
    };
    size_t room_;
    std::u16string suffix_;
};

}  // namespace tl5::testing
