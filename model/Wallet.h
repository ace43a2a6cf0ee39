// Wallet: the one open wallet document, its lifecycle (create, probe, open, close) and the saving of
// items into its file.
//
// Every save is atomic: the rollback journal (model/WalletJournal.h) keeps the bytes a save is about to
// overwrite, so a save cut short by a crash or a failed write leaves the wallet as it was before it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/IdHints.h"
#include "model/ItemRecord.h"
#include "model/WalletBlocks.h"
#include "model/WalletEnvelope.h"
#include "model/WalletJournal.h"
#include "platform/File.h"

namespace tl5 {

class Card;

enum CreateResult : int {
    kCreateOk = 0,
    kCreateBadPath = 1,         // missing, shorter than 6 or longer than 259 characters
    kCreateNoPassword = 2,
    kCreateBadPassword = 3,     // shorter than 3 or longer than 23 characters
    kCreateExists = 4,
    kCreateCannotCreate = 5,
    kCreateSignatureFailed = 6,
    kCreateHeaderFailed = 7,
    kCreateSettingsFailed = 8,
    kCreateHeaderInitFailed = 9,
};

enum OpenResult : int {
    kOpenOk = 0,
    kOpenBadPath = 1,
    kOpenCannotOpen = 2,
    kOpenBadRecord = 3,
    kOpenBadHeader = 4,
    kOpenBadSettings = 5,
    kOpenNotAWallet = 7,
    kOpenBadVersion = 8,
    kOpenWrongPassword = 10,
    kOpenNoMemory = 12,
    // Protected wallets: the envelope's tag does not match (the cryptography cannot tell these apart),
    // and an envelope whose clear header is invalid or does not match the file's length.
    kOpenWrongPasswordOrDamaged = 13,
    kOpenDamaged = 14,
};

enum CloseResult : int {
    kCloseOk = 0,
    kCloseNotOpen = 1,
    kCloseSignatureFailed = 2,
    kCloseHeaderFailed = 3,
    kCloseSettingsFailed = 4,
    kCloseReadOnly = 6,
};

constexpr size_t kMaxPathLength = 259;
constexpr size_t kMinPathLength = 6;
constexpr int kMaxFindResults = 48;
constexpr size_t kMaxFindTextLength = 127;

// Icon and name string of the folders a new wallet gets.
constexpr int32_t kSampleFolderIcon = 72;
constexpr uint32_t kSampleFolderNameId = 20510;
constexpr int32_t kMyFormsIcon = 55;
constexpr uint32_t kMyFormsNameId = 20203;

class Wallet {
public:
    explicit Wallet(FileSystem& fs = OsFileSystem());
    ~Wallet();
    Wallet(const Wallet&) = delete;
    Wallet& operator=(const Wallet&) = delete;

    // ---- Lifecycle -------------------------------------------------------------------------------
    // Creates a new wallet file (left closed). Password 3 to 23 characters; an empty hint is none.
    // With the modern protection the new wallet is written in its envelope (model/WalletEnvelope.h).
    int Create(const std::u16string& path, std::u16string_view password, std::u16string_view hint,
               bool sampleFolder, WalletProtection protection = WalletProtection::Classic,
               const EnvelopeParams& params = EnvelopeParams());
    // Reads the fixed blocks and checks the password (nullptr: none given); stays open read-only
    // without items. A leftover journal is rolled back first. A protected wallet always needs the
    // password: without one the probe gives kOpenWrongPassword (or kOpenDamaged for a bad envelope).
    int Probe(const std::u16string& path, const std::u16string* password);
    // As Probe, then loads every live item record into the ItemTable.
    int Open(const std::u16string& path, const std::u16string* password, bool readOnly);
    int Close(bool save);
    // Writes the dirty fixed blocks: 0, or 2, 3, 4 for the block whose write failed (the wallet is
    // then reset).
    int SaveFixedBlocks();

    bool IsOpen() const { return open_; }
    bool IsReadOnly() const { return readOnly_; }
    const std::u16string& Path() const { return path_; }
    // The file name without directory and extension.
    std::u16string Name() const;
    // The file title of a path (FileTitleOf): its file name without the last extension.
    static std::u16string NameFromPath(const std::u16string& path);
    int LastError() const { return lastError_; }
    // The protection of the open wallet, and the envelope's costs when it is the modern one.
    WalletProtection Protection() const { return envelope_ ? WalletProtection::Modern : WalletProtection::Classic; }
    EnvelopeParams ProtectionParams() const { return envelope_ ? envelope_->Key().params : EnvelopeParams(); }
    // Changes the password (3 to 24 characters) of the open wallet. For a protected wallet the envelope
    // takes a key from the new password (new salt) as well; the change reaches the file at close with
    // save. False when the password is invalid or the key cannot be derived (nothing changed then).
    // Setting the header's password directly on a protected wallet makes its close refuse to save.
    bool ChangePassword(std::u16string_view password);

    // ---- Blocks and keys -------------------------------------------------------------------------
    FileSignature& Signature() { return signature_; }
    WalletHeader& Header() { return header_; }
    WalletSettings& Settings() { return settings_; }
    const WalletHeader& Header() const { return header_; }
    const WalletSettings& Settings() const { return settings_; }
    // The RecordKey, for records and cards made by callers.
    std::shared_ptr<const CipherKey> RecordKey() const { return header_.RecordKey(); }

    // ---- ItemTable -------------------------------------------------------------------------------
    size_t ItemCount() const { return items_.size(); }
    ItemRecord& ItemAt(size_t index) { return items_[index]; }
    const ItemRecord& ItemAt(size_t index) const { return items_[index]; }
    // Index of the entry with the id, or -1.
    int IndexOf(const ItemId& id) const;
    // Index of the My Forms folder (the first kind-3 record), or -1.
    int MyFormsIndex() const;
    std::vector<ItemRecord>& Items() { return items_; }

    // Find results (filled by the find operation): ItemTable indexes and the search text.
    std::vector<int>& FindResults() { return findResults_; }
    std::u16string& FindText() { return findText_; }

    // ---- Saving items ----------------------------------------------------------------------------
    // Appends the record at the end of the file (body size 0) and puts a copy into the ItemTable
    // (replacing an entry with the same id). The table index, or -1 when the write failed (the file is
    // then as it was). Unless keep, the caller's record is released (emptied) whenever it was written.
    int AppendFolderRecord(ItemRecord* record, bool keep);
    int AppendCard(Card* card, bool keep);
    // Appends the folder records, then the cards, in one atomic save: all of them or none. Each goes
    // into the ItemTable as with AppendFolderRecord and AppendCard (the caller's objects are kept).
    // The number appended, or -1 when the save failed (file and table as they were).
    int AppendItems(std::vector<ItemRecord>* folders, std::vector<Card>* cards);
    // Cuts the record with the same id out of the file (the live one, when a tombstone with the id comes
    // first), then appends; one atomic save.
    int ReplaceFolderRecord(ItemRecord* record, bool keep);
    int ReplaceCard(Card* card, bool keep);
    // Writes the record over the live record with its id. 1 written; 0 not found, or refused because its
    // stored length (record, icon and body) differs from the one in the file; -1 when the write failed.
    int RewriteRecordInPlace(const ItemRecord& record);
    // Removes the record with the id (its icon bytes and body) from the file. 1 cut, 0 not found, -1 error.
    int CutRecord(const ItemId& id);
    // Rewrites the record (the live one with the id, when there is one) as a tombstone (deleted, body size
    // 0) and removes its body from the file; the ItemTable entry, if any, takes the tombstone's members.
    // 1 done, 0 not found, -1 error.
    int MarkDeletedInFile(const ItemId& id);
    // The first record in file order with the id (live or deleted). Its offset and stored length (748
    // plus icon bytes); the file is positioned at its start. False when not found.
    bool FindRecordInFile(const ItemId& id, ItemRecord* record, uint64_t* offset, uint64_t* length);

    // ---- Cards -----------------------------------------------------------------------------------
    // The first live card with the id, read with its body; null when not found or unreadable. Without
    // media, the image, sound and attachment bytes are not decrypted (the card holds none).
    std::unique_ptr<Card> LoadCard(const ItemId& id, bool withMedia = true);
    std::unique_ptr<Card> LoadCard(size_t index, bool withMedia = true);
    // For readers that go through many cards: the live card at the table index as stored, its record
    // and body bytes read into *buffer (reused from card to card), the body at *bodyAt and *bodyLength
    // bytes long. They come with one read at the record's remembered offset once the bytes there are
    // checked to be that record, otherwise by a scan as LoadCard does. Without media, a body whose
    // last chunk is an image, sound or attachment may be cut as BodyPrefixWithoutTrailingMedia cuts it.
    // The bytes are as stored (encrypted); the buffer may be longer than the card. A card code (kCardOk
    // when read).
    int ReadStoredCard(size_t index, bool withMedia, std::vector<uint8_t>* buffer, size_t* bodyAt,
                       size_t* bodyLength);
    // The same card read into *card, whose fields are filled again in place; its record is the table
    // entry. A card code (kCardOk when loaded).
    int LoadCardInto(size_t index, Card* card, bool withMedia, std::vector<uint8_t>* buffer);

    // ---- Saving policy and measurements ----------------------------------------------------------
    // With the journal off, saves change the file in place without protection (for measurements only).
    void SetJournalEnabled(bool enabled) { journalEnabled_ = enabled; }
    SaveCounters& Counters() { return counters_; }
    FileSystem& Files() { return fs_; }
    File* FileHandle() { return file_.get(); }

private:
    class Save;
    void Reset();
    int ReadFixedBlocks(const std::u16string* password);
    int OpenFile(const std::u16string& path, bool probe, bool readOnly, const std::u16string* password);
    int OpenEnvelope(const std::u16string& path, bool writable, const std::u16string* password);
    // Journals of a protected wallet stay in memory: they hold decrypted bytes, and the envelope's own
    // save (temporary file and rename) already makes each save atomic on disk.
    FileSystem& JournalFiles() { return journalFs_ ? *journalFs_ : fs_; }
    int LoadItems();
    int PutIntoTable(ItemRecord* record, bool keep);
    // The first record with the id in file order; with preferLive, the first live one when there is one.
    bool Locate(const ItemId& id, bool preferLive, ItemRecord* record, uint64_t* offset, uint64_t* length,
                uint32_t* bodySize);
    bool MoveDown(uint64_t from, uint64_t to);  // moves [from, EOF) to `to` and cuts the file there
    int WriteRecordAtEnd(ItemRecord* record);
    int WriteCardAtEnd(Card* card);
    int CutLocked(const ItemId& id, bool preferLive, bool* found);
    // Where live records lie in the file, as last seen. Only a hint: a record is taken from its hinted
    // offset after the bytes there were read and found to be the live record with that id; otherwise the
    // file is scanned from the first record as before.
    void NoteOffset(const ItemId& id, uint64_t offset);
    void ForgetOffset(const ItemId& id) { offsets_.Erase(id); }
    void ShiftOffsets(uint64_t from, uint64_t to);  // after [from, EOF) moved down to `to`
    bool LocateByHint(const ItemId& id, bool liveCardsOnly, ItemRecord* record, uint64_t* offset, uint64_t* length,
                      uint32_t* bodySize);

    FileSystem& fs_;
    std::unique_ptr<File> file_;
    EnvelopeFile* envelope_ = nullptr;  // file_, when the wallet is protected
    std::unique_ptr<FileSystem> journalFs_;
    uint8_t envelopeVerifier_[16] = {};  // the verifier that goes with the envelope's key
    std::u16string path_;
    bool open_ = false;
    bool readOnly_ = false;
    int lastError_ = 0;
    FileSignature signature_;
    WalletHeader header_;
    WalletSettings settings_;
    std::vector<ItemRecord> items_;
    IdHints<uint64_t> offsets_;
    // The first table index of each id, as a hint checked against the table before it is used.
    IdHints<size_t> indexes_;
    void NoteIndex(const ItemId& id, size_t index);
    std::vector<int> findResults_;
    std::u16string findText_;
    bool journalEnabled_ = true;
    bool savesRefused_ = false;  // a save whose outcome the disk left open: reopen first
    bool journalLeftover_ = false;  // a failed save's rollback failed too: its journal is still there
    bool SettleLeftoverJournal();
    SaveCounters counters_;
};

}  // namespace tl5
