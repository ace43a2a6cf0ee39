#include "model/WalletJournal.h"

#include <cstring>
#include <new>
#include <vector>

#include "model/LittleEndian.h"
#include "model/Md5.h"

namespace tl5 {

namespace {

constexpr char kMagic[8] = {'T', 'L', '5', 'J', 'R', 'N', 'L', '1'};
constexpr size_t kHeaderSize = 32;
constexpr size_t kCopyBlock = 32768;

void StoreU64(uint8_t* p, uint64_t v) {
    StoreU32(p, static_cast<uint32_t>(v));
    StoreU32(p + 4, static_cast<uint32_t>(v >> 32));
}
uint64_t LoadU64(const uint8_t* p) { return LoadU32(p) | (static_cast<uint64_t>(LoadU32(p + 4)) << 32); }

bool WriteAll(File& f, uint64_t at, const void* data, size_t size) {
    size_t put = 0;
    return f.WriteAt(at, data, size, &put) && put == size;
}
bool ReadAll(File& f, uint64_t at, void* data, size_t size) {
    size_t got = 0;
    return f.ReadAt(at, data, size, &got) && got == size;
}

}  // namespace

std::u16string JournalPathFor(const std::u16string& walletPath) { return walletPath + u"-journal"; }

WalletJournal::~WalletJournal() { file_.reset(); }

bool WalletJournal::Begin(File& wallet, uint64_t offset, uint64_t length, SaveCounters* counters) {
    active_ = false;
    uint64_t size = 0;
    if (!wallet.GetSize(&size)) return false;
    if (offset > size) offset = size;
    if (length > size - offset) length = size - offset;
    int rc = fs_.Open(path_, FileMode::CreateNew, FileShare::None, &file_);
    if (rc == kFileExists) {
        // A journal left by a save whose rollback failed: the wallet must first go back to what it
        // was before that save (writing over the journal would lose the bytes it keeps).
        if (RecoverInto(fs_, path_, wallet) != kFileOk) return false;
        rc = fs_.Open(path_, FileMode::CreateNew, FileShare::None, &file_);
    }
    if (rc != kFileOk) {
        file_.reset();
        return false;
    }
    bool ok = true;
    Md5 md5;
    uint8_t header[kHeaderSize];
    std::memcpy(header, kMagic, 8);
    StoreU64(header + 8, size);
    StoreU64(header + 16, offset);
    StoreU64(header + 24, length);
    md5.Update(header, kHeaderSize);
    ok = WriteAll(*file_, 0, header, kHeaderSize);
    uint64_t at = kHeaderSize;
    try {
        std::vector<uint8_t> block(length < kCopyBlock ? static_cast<size_t>(length) : kCopyBlock);
        for (uint64_t done = 0; ok && done < length;) {
            const size_t n = static_cast<size_t>(length - done < block.size() ? length - done : block.size());
            ok = ReadAll(wallet, offset + done, block.data(), n) && WriteAll(*file_, at, block.data(), n);
            md5.Update(block.data(), n);
            done += n;
            at += n;
        }
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    uint8_t digest[16];
    md5.Final(digest);
    // The journal's name must be on the disk too before the wallet is touched: a journal whose
    // bytes were flushed but whose folder entry was lost in a power cut would protect nothing.
    ok = ok && WriteAll(*file_, at, digest, 16) && file_->Flush() && fs_.FlushFolder(path_);
    if (counters) counters->journalBytes += at + 16;
    if (!ok) {
        file_.reset();
        fs_.Remove(path_);
        return false;
    }
    active_ = true;
    return true;
}

int WalletJournal::Commit() {
    file_.reset();
    if (fs_.Remove(path_) != kFileOk) return kCommitFailed;  // still active: the caller rolls back
    active_ = false;
    // The removal takes effect only once the folder is on the disk; until then a power cut brings the
    // journal back and the next open undoes the save. One more try when the first flush fails.
    if (fs_.FlushFolder(path_) || fs_.FlushFolder(path_)) return kCommitDone;
    return kCommitUncertain;
}

bool WalletJournal::Rollback(File& wallet) {
    if (!active_) return true;
    file_.reset();
    active_ = false;
    // The same path as recovery at open, so both are tested together.
    std::unique_ptr<File> journal;
    if (fs_.Open(path_, FileMode::OpenReadOnly, FileShare::None, &journal) != kFileOk) return false;
    uint64_t journalSize = 0;
    uint8_t header[kHeaderSize];
    if (!journal->GetSize(&journalSize) || journalSize < kHeaderSize + 16 || !ReadAll(*journal, 0, header, kHeaderSize))
        return false;
    const uint64_t originalSize = LoadU64(header + 8);
    const uint64_t offset = LoadU64(header + 16);
    const uint64_t length = LoadU64(header + 24);
    // The numbers come from a file: the range must lie inside the journal and inside the original
    // length, and every byte of the original length lies either in the wallet now or in the range
    // (a save that shortened the wallet kept everything from the range's start to the old end).
    // Anything else was not written by a save; it is refused before the wallet is touched (the journal
    // stays), so a damaged journal can neither scribble far into the wallet nor make it huge.
    uint64_t walletSize = 0;
    if (!wallet.GetSize(&walletSize) || length > journalSize - kHeaderSize - 16 || offset > originalSize ||
        length > originalSize - offset ||
        (originalSize > walletSize && (offset > walletSize || originalSize != offset + length)))
        return false;
    bool ok = true;
    std::vector<uint8_t> block;
    try {
        block.resize(kCopyBlock);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (uint64_t done = 0; ok && done < length;) {
        const size_t n = static_cast<size_t>(length - done < kCopyBlock ? length - done : kCopyBlock);
        ok = ReadAll(*journal, kHeaderSize + done, block.data(), n) && WriteAll(wallet, offset + done, block.data(), n);
        done += n;
    }
    ok = ok && wallet.SetSize(originalSize) && wallet.Flush();
    journal.reset();
    if (!ok) return false;  // the journal stays for the next open
    if (fs_.Remove(path_) != kFileOk) return false;
    // Not flushing the folder here is safe: a journal that comes back after a power cut puts the same
    // bytes back again, and the next save's journal flushes the folder before the wallet changes.
    (void)fs_.FlushFolder(path_);
    return true;
}

int WalletJournal::Recover(FileSystem& fs, const std::u16string& walletPath) {
    if (!fs.Exists(JournalPathFor(walletPath))) return kFileOk;
    std::unique_ptr<File> wallet;
    const int rc = fs.Open(walletPath, FileMode::OpenReadWrite, FileShare::None, &wallet);
    if (rc != kFileOk) return rc;
    return RecoverInto(fs, JournalPathFor(walletPath), *wallet);
}

int WalletJournal::RecoverInto(FileSystem& fs, const std::u16string& path, File& wallet) {
    if (!fs.Exists(path)) return kFileOk;
    std::unique_ptr<File> journal;
    int rc = fs.Open(path, FileMode::OpenReadOnly, FileShare::None, &journal);
    if (rc != kFileOk) return rc;
    // Check the journal is complete: header, range bytes and digest.
    uint64_t journalSize = 0;
    uint8_t header[kHeaderSize];
    bool complete = journal->GetSize(&journalSize) && journalSize >= kHeaderSize + 16 &&
                    ReadAll(*journal, 0, header, kHeaderSize) && std::memcmp(header, kMagic, 8) == 0;
    uint64_t length = complete ? LoadU64(header + 24) : 0;
    if (complete && length != journalSize - kHeaderSize - 16) complete = false;
    if (complete) {
        Md5 md5;
        md5.Update(header, kHeaderSize);
        std::vector<uint8_t> block;
        try {
            block.resize(kCopyBlock);
        } catch (const std::bad_alloc&) {
            return kFileIoError;
        }
        for (uint64_t done = 0; complete && done < length;) {
            const size_t n = static_cast<size_t>(length - done < kCopyBlock ? length - done : kCopyBlock);
            complete = ReadAll(*journal, kHeaderSize + done, block.data(), n);
            md5.Update(block.data(), n);
            done += n;
        }
        uint8_t digest[16], stored[16];
        md5.Final(digest);
        complete = complete && ReadAll(*journal, kHeaderSize + length, stored, 16) && std::memcmp(digest, stored, 16) == 0;
    }
    journal.reset();
    if (!complete) {
        // Never finished, so the wallet was never touched.
        return fs.Remove(path) == kFileOk ? kFileOk : kFileIoError;
    }
    WalletJournal j(fs, std::u16string());
    j.path_ = path;
    j.active_ = true;
    return j.Rollback(wallet) ? kFileOk : kFileIoError;
}

}  // namespace tl5
