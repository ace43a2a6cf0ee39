#include "platform/File.h"

#include <new>

namespace tl5 {

bool ReadWholeFile(FileSystem& fs, const std::u16string& path, std::string* bytes, uint64_t maxSize) {
    bytes->clear();
    std::unique_ptr<File> file;
    if (fs.Open(path, FileMode::OpenReadOnly, FileShare::Read, &file) != kFileOk) return false;
    uint64_t size = 0;
    if (!file->GetSize(&size) || size > maxSize) return false;
    try {
        bytes->resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    size_t got = 0;
    if (!file->ReadAt(0, bytes->data(), bytes->size(), &got) || got != bytes->size()) {
        bytes->clear();
        return false;
    }
    return true;
}

}  // namespace tl5
