#include "model/StoredBlock.h"

namespace tl5 {

int StoredBlock::ReadBytes(void* buffer, size_t size) {
    if (!file_) return kBlockNoFile;
    if (!buffer) return kBlockNoBuffer;
    size_t got = 0;
    if (!file_->Read(buffer, size, &got)) return kBlockIoFailed;
    if (got == 0 && size != 0) return kBlockEndOfFile;
    if (got != size) return kBlockShort;
    return kBlockOk;
}

int StoredBlock::WriteBytes(const void* buffer, size_t size) {
    if (!file_) return kBlockNoFile;
    if (!buffer) return kBlockNoBuffer;
    size_t put = 0;
    if (!file_->Write(buffer, size, &put)) return kBlockIoFailed;
    if (put != size) return kBlockShort;
    return kBlockOk;
}

}  // namespace tl5
