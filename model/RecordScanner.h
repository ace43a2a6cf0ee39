// Walks the item records of a wallet file from offset 4980 with large buffered reads (one read per
// buffer, not one per record). Every size taken from the file is checked against the file's length
// before it is used.
//
// The wallet file as a whole, with a worked example: docs/wallet-format.md.
#pragma once

#include <cstdint>
#include <vector>

#include "model/ItemRecord.h"
#include "platform/File.h"

namespace tl5 {

class RecordScanner {
public:
    static constexpr size_t kBufferSize = 256 * 1024;

    // Scans [start, file size) of the file; the size is taken once.
    RecordScanner(File& file, uint64_t start);

    // The next record. kBlockOk with *record filled (its icon bytes too when wantIcon), kBlockEndOfFile
    // at the clean end of the sequence, kBlockShort when the record or its custom icon runs past the
    // end of the file, kBlockInvalid for an unknown type identifier, kBlockIoFailed when reading fails,
    // kBlockNoBuffer when memory runs out.
    int Next(ItemRecord* record, bool wantIcon);

    // Of the record last returned: its offset, its length without the body (748 + icon bytes), and
    // where its body starts. BodyFits() is false when the body runs past the end of the file.
    uint64_t RecordOffset() const { return recordOffset_; }
    uint64_t RecordLength() const { return bodyOffset_ - recordOffset_; }
    uint64_t BodyOffset() const { return bodyOffset_; }
    uint32_t BodySize() const { return bodySize_; }
    bool BodyFits() const { return bodySize_ <= fileSize_ - bodyOffset_; }
    uint64_t FileSize() const { return fileSize_; }

    // The body bytes of the record last returned (only when BodyFits()). kBlockOk, kBlockIoFailed,
    // kBlockShort or kBlockNoBuffer.
    int ReadBody(std::vector<uint8_t>* body);

private:
    // Makes [at, at + size) available in the buffer when it fits; returns a pointer or nullptr.
    const uint8_t* Window(uint64_t at, size_t size, int* rc);

    File& file_;
    uint64_t fileSize_ = 0;
    uint64_t next_;
    uint64_t recordOffset_ = 0;
    uint64_t bodyOffset_ = 0;
    uint32_t bodySize_ = 0;
    bool sizeKnown_ = false;
    std::vector<uint8_t> buffer_;
    uint64_t bufferStart_ = 0;
    size_t bufferLength_ = 0;
};

}  // namespace tl5
