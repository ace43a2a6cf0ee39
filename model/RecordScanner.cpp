#include "model/RecordScanner.h"

#include <cstring>
#include <new>

namespace tl5 {

RecordScanner::RecordScanner(File& file, uint64_t start) : file_(file), next_(start) {
    sizeKnown_ = file_.GetSize(&fileSize_);
}

const uint8_t* RecordScanner::Window(uint64_t at, size_t size, int* rc) {
    *rc = kBlockOk;
    if (at >= bufferStart_ && at - bufferStart_ + size <= bufferLength_) return buffer_.data() + (at - bufferStart_);
    if (size > kBufferSize) return nullptr;
    const uint64_t left = fileSize_ - at;
    const size_t want = static_cast<size_t>(left < kBufferSize ? left : kBufferSize);
    try {
        if (buffer_.size() < want) buffer_.resize(want);
    } catch (const std::bad_alloc&) {
        *rc = kBlockNoBuffer;
        return nullptr;
    }
    size_t got = 0;
    bufferLength_ = 0;
    if (!file_.ReadAt(at, buffer_.data(), want, &got)) {
        *rc = kBlockIoFailed;
        return nullptr;
    }
    bufferStart_ = at;
    bufferLength_ = got;
    if (got < size) {
        *rc = kBlockShort;
        return nullptr;
    }
    return buffer_.data();
}

int RecordScanner::Next(ItemRecord* record, bool wantIcon) {
    if (!sizeKnown_) return kBlockIoFailed;
    if (next_ >= fileSize_) return kBlockEndOfFile;
    recordOffset_ = next_;
    bodySize_ = 0;
    bodyOffset_ = next_;
    if (fileSize_ - next_ < ItemRecord::kSize) return kBlockShort;
    int rc;
    const uint8_t* p = Window(next_, ItemRecord::kSize, &rc);
    if (!p) return rc;
    rc = record->Parse(p);
    if (rc != kBlockOk) return rc;
    uint64_t at = next_ + ItemRecord::kSize;
    const uint32_t iconSize = record->CustomIconSize();
    if (iconSize > fileSize_ - at) return kBlockShort;
    if (iconSize != 0 && wantIcon) {
        std::vector<uint8_t> icon;
        try {
            icon.resize(iconSize);
        } catch (const std::bad_alloc&) {
            return kBlockNoBuffer;
        }
        const uint8_t* q = Window(at, iconSize, &rc);
        if (q) {
            std::memcpy(icon.data(), q, iconSize);
        } else {
            if (rc != kBlockOk) return rc;
            size_t got = 0;
            if (!file_.ReadAt(at, icon.data(), iconSize, &got)) return kBlockIoFailed;
            if (got != iconSize) return kBlockShort;
        }
        record->AdoptIconBytes(std::move(icon));
    }
    at += iconSize;
    bodyOffset_ = at;
    bodySize_ = record->BodySize();
    next_ = at + bodySize_;
    return kBlockOk;
}

int RecordScanner::ReadBody(std::vector<uint8_t>* body) {
    body->clear();
    if (!BodyFits()) return kBlockShort;
    if (bodySize_ == 0) return kBlockOk;  // nothing to copy (and no buffer to copy into)
    try {
        body->resize(bodySize_);
    } catch (const std::bad_alloc&) {
        return kBlockNoBuffer;
    }
    int rc;
    const uint8_t* p = Window(bodyOffset_, bodySize_, &rc);
    if (p) {
        std::memcpy(body->data(), p, bodySize_);
        return kBlockOk;
    }
    if (rc != kBlockOk) return rc;
    size_t got = 0;
    if (!file_.ReadAt(bodyOffset_, body->data(), bodySize_, &got)) return kBlockIoFailed;
    return got == bodySize_ ? kBlockOk : kBlockShort;
}

}  // namespace tl5
