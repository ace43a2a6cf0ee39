// The stored blocks of a wallet file: FileSignature, WalletHeader, WalletSettings and ItemRecord share
// this base and its seven operations (read, write, skip, attach to a file, mark changed, change flags,
// clear change flags).
//
// A block reads and writes at its file's current position; every caller positions the file first.
//
// The wallet file as a whole, with a worked example: docs/wallet-format.md.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/File.h"

namespace tl5 {

// Results of the block and record reads and writes.
enum BlockResult : int {
    kBlockOk = 0,
    kBlockIoFailed = 1,     // the read or write call failed
    kBlockNoBuffer = 2,     // no buffer given (or a block not ready to be written)
    kBlockShort = 3,        // fewer bytes transferred than asked
    kBlockEndOfFile = 4,    // no bytes read (end of file)
    kBlockNoFile = 5,       // no file is attached
    kBlockInvalid = 6,      // bad marks, unknown type identifier, or a record not prepared for writing
};

class StoredBlock {
public:
    explicit StoredBlock(size_t storedSize) : storedSize_(storedSize) {}
    virtual ~StoredBlock() = default;
    StoredBlock(const StoredBlock&) = default;
    StoredBlock& operator=(const StoredBlock&) = default;

    virtual int Read() = 0;
    virtual int Write() = 0;
    virtual int Skip() = 0;
    void AttachFile(File* file) { file_ = file; }
    virtual void MarkChanged(uint32_t bits) = 0;
    virtual uint32_t ChangeFlags() const = 0;
    virtual void ClearChangeFlags() = 0;

    File* AttachedFile() const { return file_; }
    size_t StoredSize() const { return storedSize_; }
    bool IsValid() const { return valid_; }
    bool IsDirty() const { return dirty_; }
    void SetDirty(bool dirty) { dirty_ = dirty; }

protected:
    // Reads or writes exactly size bytes at the file's position, moving it forward.
    int ReadBytes(void* buffer, size_t size);
    int WriteBytes(const void* buffer, size_t size);

    File* file_ = nullptr;
    size_t storedSize_;
    bool valid_ = false;
    bool dirty_ = false;
};

}  // namespace tl5
