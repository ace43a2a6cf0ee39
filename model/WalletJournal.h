// The rollback journal that makes every save of a wallet atomic.
//
// Before the first byte of existing wallet content is overwritten, or the file is shortened, the
// journal beside the wallet ("<wallet path>-journal") receives the wallet's length and the bytes about
// to change, and is flushed together with its folder (so that its name, too, survives a power cut).
// Then the wallet is changed and flushed, and the journal is removed and the folder flushed again: that
// removal reaching the disk is the moment the save takes effect. A save that only appends still writes a journal with the
// original length. Opening a wallet that has a journal beside it first puts those bytes back and
// restores the length, so the wallet is exactly as before the interrupted save. A journal that is not
// complete (its check digest does not match) was never acted on: it is simply removed.
//
// Layout: "TL5JRNL1", original length (8 bytes), range offset (8), range length (8), the range's bytes,
// then the MD5 digest of everything before it. Integers little-endian.
//
// The wallet file as a whole, with a worked example: docs/wallet-format.md.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/File.h"

namespace tl5 {

std::u16string JournalPathFor(const std::u16string& walletPath);

// Byte counts of the saves since the counters were last reset (for measurements).
struct SaveCounters {
    uint64_t walletBytes = 0;   // bytes written to the wallet (including moved bytes)
    uint64_t journalBytes = 0;  // bytes written to journals
    uint64_t saves = 0;
};

class WalletJournal {
public:
    WalletJournal(FileSystem& fs, const std::u16string& walletPath) : fs_(fs), path_(JournalPathFor(walletPath)) {}
    ~WalletJournal();

    // Writes and flushes the journal: the wallet's current length and the bytes of [offset, offset +
    // length) (cut to the file's end). False when the journal cannot be written; none is left then.
    bool Begin(File& wallet, uint64_t offset, uint64_t length, SaveCounters* counters);
    // The save is complete and flushed: remove the journal and make the removal durable.
    enum CommitResult {
        kCommitDone = 0,       // the save lasts
        kCommitFailed = 1,     // the journal is still there (and active): the caller rolls back
        kCommitUncertain = 2,  // removed, but the folder could not be flushed: a power cut may still
                               // bring the journal back and undo the save
    };
    [[nodiscard]] int Commit();
    // Puts the saved bytes back into the wallet, restores its length, flushes and removes the journal.
    bool Rollback(File& wallet);
    bool Active() const { return active_; }

    // Recovery at open: when a journal exists beside the wallet, roll the wallet back (or drop an
    // incomplete journal). kFileOk when there was nothing to do or recovery succeeded.
    static int Recover(FileSystem& fs, const std::u16string& walletPath);
    // The same for a wallet the caller holds open; `journalPath` is the journal's own path.
    static int RecoverInto(FileSystem& fs, const std::u16string& journalPath, File& wallet);

private:
    FileSystem& fs_;
    std::u16string path_;
    std::unique_ptr<File> file_;
    bool active_ = false;
};

}  // namespace tl5
