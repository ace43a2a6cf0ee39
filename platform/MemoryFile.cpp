#include "platform/MemoryFile.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace tl5 {

namespace {

class MemoryFile : public File {
public:
    MemoryFile(std::shared_ptr<MemoryFileSystem::Node> node, bool writable, bool exclusive)
        : node_(std::move(node)), writable_(writable), exclusive_(exclusive) {
        if (exclusive_) ++node_->exclusive;
        if (writable_) ++node_->writers; else ++node_->readers;
    }
    ~MemoryFile() override {
        if (exclusive_) --node_->exclusive;
        if (writable_) --node_->writers; else --node_->readers;
    }

    bool ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) override {
        *got = 0;
        if (offset >= node_->data.size()) return true;
        const size_t n = static_cast<size_t>(std::min<uint64_t>(size, node_->data.size() - offset));
        if (n) std::memcpy(buffer, node_->data.data() + offset, n);
        *got = n;
        return true;
    }
    bool WriteAt(uint64_t offset, const void* buffer, size_t size, size_t* put) override {
        *put = 0;
        if (!writable_) return false;
        try {
            if (offset + size > node_->data.size()) node_->data.resize(static_cast<size_t>(offset + size));
        } catch (const std::bad_alloc&) {
            return false;
        }
        if (size) std::memcpy(node_->data.data() + offset, buffer, size);
        *put = size;
        return true;
    }
    bool GetSize(uint64_t* size) override {
        *size = node_->data.size();
        return true;
    }
    bool SetSize(uint64_t size) override {
        if (!writable_) return false;
        try {
            node_->data.resize(static_cast<size_t>(size));
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }
    bool Flush() override {
        if (writable_) node_->durable = node_->data;
        return true;
    }

private:
    std::shared_ptr<MemoryFileSystem::Node> node_;
    bool writable_;
    bool exclusive_;
};

class FaultFile : public File {
public:
    FaultFile(FaultFileSystem& fs, std::unique_ptr<File> inner) : fs_(fs), inner_(std::move(inner)) {}

    bool ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) override {
        *got = 0;
        if (fs_.Failed()) return false;
        return inner_->ReadAt(offset, buffer, size, got);
    }
    bool WriteAt(uint64_t offset, const void* buffer, size_t size, size_t* put) override {
        *put = 0;
        bool torn = false;
        if (!fs_.Step(&torn)) {
            if (torn && size > 1) inner_->WriteAt(offset, buffer, size / 2, put);
            return false;
        }
        return inner_->WriteAt(offset, buffer, size, put);
    }
    bool GetSize(uint64_t* size) override {
        if (fs_.Failed()) return false;
        return inner_->GetSize(size);
    }
    bool SetSize(uint64_t size) override { return fs_.Step(nullptr) && inner_->SetSize(size); }
    bool Flush() override { return fs_.Step(nullptr) && inner_->Flush(); }

private:
    FaultFileSystem& fs_;
    std::unique_ptr<File> inner_;
};

}  // namespace

int MemoryFileSystem::Open(const std::u16string& path, FileMode mode, FileShare share, std::unique_ptr<File>* file) {
    file->reset();
    auto it = files_.find(path);
    const bool exists = it != files_.end();
    if (mode == FileMode::CreateNew && exists) return kFileExists;
    if ((mode == FileMode::OpenReadWrite || mode == FileMode::OpenReadOnly) && !exists) return kFileNotFound;
    const bool writable = mode != FileMode::OpenReadOnly;
    const bool exclusive = share == FileShare::None;
    std::shared_ptr<Node> node;
    if (exists) {
        node = it->second;
        const int open = node->readers + node->writers;
        // Readers share with readers; a writer or an exclusive opener shares with nobody.
        if (node->exclusive > 0 || (open > 0 && (exclusive || writable || node->writers > 0)))
            return kFileSharingViolation;
    } else {
        node = std::make_shared<Node>();
        files_[path] = node;
    }
    if (mode == FileMode::CreateAlways) node->data.clear();
    file->reset(new MemoryFile(node, writable, exclusive));
    return kFileOk;
}

bool MemoryFileSystem::Exists(const std::u16string& path) { return files_.count(path) != 0; }

int MemoryFileSystem::Remove(const std::u16string& path) {
    auto it = files_.find(path);
    if (it == files_.end()) return kFileNotFound;
    if (it->second->readers + it->second->writers > 0) return kFileSharingViolation;
    files_.erase(it);
    return kFileOk;
}

int MemoryFileSystem::Rename(const std::u16string& from, const std::u16string& to) {
    auto it = files_.find(from);
    if (it == files_.end()) return kFileNotFound;
    if (it->second->readers + it->second->writers > 0) return kFileSharingViolation;
    if (from == to) return kFileOk;
    auto target = files_.find(to);
    if (target != files_.end() && target->second->readers + target->second->writers > 0) return kFileSharingViolation;
    std::shared_ptr<Node> node = it->second;
    files_.erase(it);
    files_[to] = std::move(node);
    return kFileOk;
}

namespace {
std::u16string FolderOf(const std::u16string& path) {
    const size_t slash = path.find_last_of(u"\\/");
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash + 1);
}
}  // namespace

bool MemoryFileSystem::FlushFolder(const std::u16string& path) {
    const std::u16string folder = FolderOf(path);
    for (auto it = durableNames_.begin(); it != durableNames_.end();)
        it = FolderOf(it->first) == folder ? durableNames_.erase(it) : std::next(it);
    for (const auto& [name, node] : files_)
        if (FolderOf(name) == folder) durableNames_[name] = node;
    return true;
}

std::string MemoryFileSystem::Contents(const std::u16string& path) const {
    auto it = files_.find(path);
    return it == files_.end() ? std::string() : it->second->data;
}

void MemoryFileSystem::SetContents(const std::u16string& path, const std::string& bytes) {
    auto& node = files_[path];
    if (!node) node = std::make_shared<Node>();
    node->data = bytes;
    node->durable = bytes;
    durableNames_[path] = node;
}

void MemoryFileSystem::Crash(bool keepUnflushed) {
    if (namesNeedFolderFlush_) files_ = durableNames_; else durableNames_ = files_;
    for (auto& [path, node] : files_) {
        if (keepUnflushed) node->durable = node->data; else node->data = node->durable;
    }
}

bool FaultFileSystem::Step(bool* tornNow) {
    if (tornNow) *tornNow = false;
    if (failed_) return false;
    ++operations_;
    if (failAt_ != 0 && operations_ == failAt_) {
        failed_ = !once_;
        if (tornNow) *tornNow = torn_;
        return false;
    }
    return true;
}

int FaultFileSystem::Open(const std::u16string& path, FileMode mode, FileShare share, std::unique_ptr<File>* file) {
    file->reset();
    if (failed_) return kFileIoError;
    std::unique_ptr<File> inner;
    const int rc = inner_.Open(path, mode, share, &inner);
    if (rc != kFileOk) return rc;
    file->reset(new FaultFile(*this, std::move(inner)));
    return kFileOk;
}

bool FaultFileSystem::Exists(const std::u16string& path) { return !failed_ && inner_.Exists(path); }

int FaultFileSystem::Rename(const std::u16string& from, const std::u16string& to) {
    if (!Step(nullptr)) return kFileIoError;
    return inner_.Rename(from, to);
}

bool FaultFileSystem::FlushFolder(const std::u16string& path) { return Step(nullptr) && inner_.FlushFolder(path); }

int FaultFileSystem::Remove(const std::u16string& path) {
    if (!Step(nullptr)) return kFileIoError;
    return inner_.Remove(path);
}

}  // namespace tl5
