#include "model/Wallet.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "model/Card.h"
#include "model/CardBody.h"
#include "model/RecordScanner.h"
#include "model/WalletProtection.h"
#include "platform/MemoryFile.h"
#include "platform/PathText.h"
#include "platform/SecureZero.h"
#include "resources/StringTable.h"

namespace tl5 {

namespace {
constexpr size_t kMoveBlock = 32768;
constexpr size_t kInitialTableCapacity = 4096;
constexpr size_t kTableGrowth = 1024;

std::u16string StringOrEmpty(uint32_t id) {
    const char16_t* s = StringTableLookup(id);
    return s ? std::u16string(s) : std::u16string();
}
}  // namespace

// One atomic save: the journal protects the range about to be overwritten (nothing for an append), the
// wallet is changed and flushed, the journal removed. Destroyed without Finish, the save is rolled back.
class Wallet::Save {
public:
    explicit Save(Wallet& wallet) : wallet_(wallet), journal_(wallet.JournalFiles(), wallet.path_) {}
    ~Save() {
        if (journal_.Active()) RollBack();
    }
    bool Begin(uint64_t offset, uint64_t length) {
        if (wallet_.savesRefused_) return false;
        if (!wallet_.journalEnabled_) return true;
        return journal_.Begin(*wallet_.file_, offset, length, &wallet_.counters_);
    }
    bool Finish() {
        ++wallet_.counters_.saves;
        // A protected wallet reaches its file only through the flush, journal or not.
        if (!wallet_.journalEnabled_) return !wallet_.envelope_ || wallet_.file_->Flush();
        if (!wallet_.file_->Flush()) return false;  // the destructor rolls back
        // Removing the journal is what makes the save take effect; if it stays, the next open rolls
        // the save back, so it must not be reported as done.
        switch (journal_.Commit()) {
            case WalletJournal::kCommitDone: return true;
            case WalletJournal::kCommitFailed: RollBack(); return false;
            default:
                // The file holds the save but a power cut could still undo it: not reported as done,
                // and no further save until the wallet is opened again (which settles it either way).
                wallet_.savesRefused_ = true;
                return false;
        }
    }

private:
    // A rollback that fails (the disk is still failing) leaves the journal beside the wallet; the
    // wallet puts it back before it next reads or saves an item.
    void RollBack() {
        if (!journal_.Rollback(*wallet_.file_)) wallet_.journalLeftover_ = true;
    }

    Wallet& wallet_;
    WalletJournal journal_;
};

bool Wallet::SettleLeftoverJournal() {
    if (!journalLeftover_) return true;
    if (!file_ || WalletJournal::RecoverInto(fs_, JournalPathFor(path_), *file_) != kFileOk) return false;
    journalLeftover_ = false;
    return true;
}

Wallet::Wallet(FileSystem& fs) : fs_(fs) {}

Wallet::~Wallet() { Reset(); }

void Wallet::Reset() {
    envelope_ = nullptr;
    file_.reset();  // a protected wallet's decrypted image is wiped here
    journalFs_.reset();
    SecureZero(envelopeVerifier_, sizeof envelopeVerifier_);
    items_.clear();
    offsets_.Clear();
    indexes_.Clear();
    path_.clear();
    open_ = false;
    readOnly_ = false;
    savesRefused_ = false;
    journalLeftover_ = false;
    signature_.Reset();
    header_.Reset();
    settings_.Reset();
    findResults_.clear();
    findText_.clear();
}

std::u16string Wallet::Name() const { return NameFromPath(path_); }

std::u16string Wallet::NameFromPath(const std::u16string& path) { return FileTitleOf(path); }

int Wallet::IndexOf(const ItemId& id) const {
    const size_t* hint = indexes_.Find(id);
    if (hint && *hint < items_.size() && items_[*hint].Id() == id) return static_cast<int>(*hint);
    for (size_t k = 0; k < items_.size(); ++k)
        if (items_[k].Id() == id) return static_cast<int>(k);
    return -1;
}

int Wallet::MyFormsIndex() const {
    for (size_t k = 0; k < items_.size(); ++k)
        if (items_[k].IsMyFormsFolder()) return static_cast<int>(k);
    return -1;
}

// ---- Create ------------------------------------------------------------------------------------

int Wallet::Create(const std::u16string& path, std::u16string_view password, std::u16string_view hint,
                   bool sampleFolder, WalletProtection protection, const EnvelopeParams& params) {
    Reset();
    if (protection == WalletProtection::Modern)
        return lastError_ = CreateProtectedWallet(fs_, path, password, hint, sampleFolder, params);
    if (path.size() < kMinPathLength || path.size() > kMaxPathLength) return lastError_ = kCreateBadPath;
    if (password.empty()) return lastError_ = kCreateNoPassword;
    if (!IsValidNewWalletPassword(password)) return lastError_ = kCreateBadPassword;
    if (fs_.Exists(path)) return lastError_ = kCreateExists;
    // A journal without its wallet belongs to nothing; it must not be applied to the new file.
    const std::u16string journal = JournalPathFor(path);
    if (fs_.Exists(journal) && fs_.Remove(journal) != kFileOk) return lastError_ = kCreateCannotCreate;
    const int rc = fs_.Open(path, FileMode::CreateNew, FileShare::None, &file_);
    if (rc == kFileExists) return lastError_ = kCreateExists;
    if (rc != kFileOk) return lastError_ = kCreateCannotCreate;

    // A wallet that could not be completed is removed again, so that the name stays free.
    auto fail = [&](int code) {
        file_.reset();
        fs_.Remove(path);
        Reset();
        return lastError_ = code;
    };
    signature_.Initialize();
    if (!header_.Initialize(password, hint)) return fail(kCreateHeaderInitFailed);
    settings_.Initialize();
    signature_.AttachFile(file_.get());
    header_.AttachFile(file_.get());
    settings_.AttachFile(file_.get());
    // The signature goes last: until the whole wallet is on disk the file is not a wallet, so a crash
    // in the middle of a create never leaves one that opens without its My Forms folder.
    file_->Seek(kWalletHeaderOffset);
    if (header_.Write() != kBlockOk) return fail(kCreateHeaderFailed);
    if (settings_.Write() != kBlockOk) return fail(kCreateSettingsFailed);
    counters_.walletBytes += kFirstRecordOffset;

    path_ = path;
    open_ = true;
    readOnly_ = false;
    const bool journaling = journalEnabled_;
    journalEnabled_ = false;  // a new file has nothing to protect: a failure removes it
    bool ok = true;
    if (sampleFolder) {
        ItemRecord folder;
        folder.SetKey(header_.RecordKey());
        folder.CreateAsFolder(ItemId());
        ok = folder.SetName(StringOrEmpty(kSampleFolderNameId));
        folder.SetIcon(kSampleFolderIcon);
        ok = ok && AppendFolderRecord(&folder, false) >= 0;
    }
    if (ok) {
        ItemRecord myForms;
        myForms.SetKey(header_.RecordKey());
        myForms.CreateAsMyFormsFolder();
        ok = myForms.SetName(StringOrEmpty(kMyFormsNameId));
        myForms.SetIcon(kMyFormsIcon);
        ok = ok && AppendFolderRecord(&myForms, false) >= 0;
    }
    journalEnabled_ = journaling;
    if (!ok || !file_->Flush()) return fail(kCreateCannotCreate);
    file_->Seek(kFileSignatureOffset);
    // The new name must be on the disk as well, or a power cut takes the whole wallet away.
    if (signature_.Write() != kBlockOk || !file_->Flush() || !fs_.FlushFolder(path))
        return fail(kCreateSignatureFailed);
    Reset();
    return lastError_ = kCreateOk;
}

// ---- Probe and open ----------------------------------------------------------------------------

int Wallet::OpenFile(const std::u16string& path, bool probe, bool readOnly, const std::u16string* password) {
    if (path.size() < kMinPathLength || path.size() > kMaxPathLength) return kOpenBadPath;
    // A protected wallet is never touched by a journal: its saves replace the whole file.
    WalletProtection protection = WalletProtection::Classic;
    const int probed = ProbeEnvelopeFile(fs_, path, &protection, nullptr);
    if (protection == WalletProtection::Modern) {
        if (probed == kEnvelopeUnsupported) return kOpenBadVersion;
        if (probed != kEnvelopeOk) return probed == kEnvelopeCannotRead ? kOpenCannotOpen : kOpenDamaged;
        return OpenEnvelope(path, !probe && !readOnly, password);
    }
    // An interrupted save is undone before anything else reads the file.
    if (WalletJournal::Recover(fs_, path) != kFileOk) return kOpenCannotOpen;
    const FileMode mode = (probe || readOnly) ? FileMode::OpenReadOnly : FileMode::OpenReadWrite;
    if (fs_.Open(path, mode, FileShare::Read, &file_) != kFileOk) return kOpenCannotOpen;
    path_ = path;
    return kOpenOk;
}

int Wallet::OpenEnvelope(const std::u16string& path, bool writable, const std::u16string* password) {
    if (!password) return kOpenWrongPassword;
    EnvelopeKey key;
    SecretBytes plain;
    const int rc = OpenResultFromEnvelope(ReadEnvelopeFile(fs_, path, *password, &key, &plain));
    if (rc != kOpenOk) return rc;
    std::unique_ptr<FileSystem> journals(new (std::nothrow) MemoryFileSystem());
    std::unique_ptr<EnvelopeFile> file(new (std::nothrow) EnvelopeFile(fs_, path, std::move(plain), key, writable));
    if (!journals || !file) return kOpenNoMemory;
    journalFs_ = std::move(journals);
    envelope_ = file.get();
    file_ = std::move(file);
    path_ = path;
    return kOpenOk;
}

int Wallet::ReadFixedBlocks(const std::u16string* password) {
    uint64_t size = 0;
    if (!file_->GetSize(&size) || size < FileSignature::kSize) return kOpenNotAWallet;
    signature_.AttachFile(file_.get());
    header_.AttachFile(file_.get());
    settings_.AttachFile(file_.get());
    file_->Seek(kFileSignatureOffset);
    if (signature_.Read() != kBlockOk || !signature_.IsValid()) return kOpenNotAWallet;
    if (!signature_.IsVersionAccepted()) return kOpenBadVersion;
    if (header_.Read() != kBlockOk) return kOpenBadHeader;
    if (header_.IsPasswordSet() && (!password || !header_.CheckPassword(*password))) return kOpenWrongPassword;
    if (settings_.Read() != kBlockOk) return kOpenBadSettings;
    if (envelope_) std::memcpy(envelopeVerifier_, header_.Raw() + WalletHeader::kOffVerifier, sizeof envelopeVerifier_);
    return kOpenOk;
}

bool Wallet::ChangePassword(std::u16string_view password) {
    if (!open_ || readOnly_ || !IsValidPassword(password)) return false;
    if (envelope_) {
        EnvelopeKey key;
        if (DeriveEnvelopeKey(password, envelope_->Key().params, nullptr, &key) != kEnvelopeOk) return false;
        if (!header_.SetPassword(password)) return false;
        envelope_->Rekey(key);
        std::memcpy(envelopeVerifier_, header_.Raw() + WalletHeader::kOffVerifier, sizeof envelopeVerifier_);
        return true;
    }
    return header_.SetPassword(password);
}

int Wallet::Probe(const std::u16string& path, const std::u16string* password) {
    Reset();
    int rc = OpenFile(path, true, true, password);
    if (rc == kOpenOk) rc = ReadFixedBlocks(password);
    if (rc != kOpenOk) {
        Reset();
        return lastError_ = rc;
    }
    open_ = true;
    readOnly_ = true;
    return lastError_ = kOpenOk;
}

int Wallet::Open(const std::u16string& path, const std::u16string* password, bool readOnly) {
    Reset();
    int rc = OpenFile(path, false, readOnly, password);
    if (rc == kOpenOk) rc = ReadFixedBlocks(password);
    if (rc != kOpenOk) {
        Reset();
        return lastError_ = rc;
    }
    open_ = true;
    readOnly_ = readOnly;
    return lastError_ = LoadItems();  // on an error the wallet stays open with what was loaded
}

int Wallet::LoadItems() {
    // The records are gathered in blocks of kTableGrowth entries, which never move, and then moved
    // once into a table of the right capacity, each block released as soon as it is empty. Growing the
    // table as the records come would move every record again at each step (quadratic in the number
    // of items) and hold the old and the new table at once.
    std::vector<std::vector<ItemRecord>> blocks;
    std::vector<std::vector<uint64_t>> blockOffsets;  // where each record lies, beside it
    size_t count = 0;
    int result = kOpenOk;
    RecordScanner scanner(*file_, kFirstRecordOffset);
    const std::shared_ptr<const CipherKey> key = header_.RecordKey();
    for (;;) {
        ItemRecord record;
        const int rc = scanner.Next(&record, true);
        if (rc == kBlockEndOfFile) break;
        if (rc == kBlockNoBuffer) {
            result = kOpenNoMemory;
            break;
        }
        // A body that runs past the end of the file means the file was cut short.
        if (rc != kBlockOk || !scanner.BodyFits()) {
            result = kOpenBadRecord;
            break;
        }
        if (record.IsDeleted()) continue;
        record.SetKey(key);
        record.AttachFile(file_.get());
        try {
            if (blocks.empty() || blocks.back().size() == kTableGrowth) {
                blocks.emplace_back();
                blocks.back().reserve(kTableGrowth);
                blockOffsets.emplace_back();
                blockOffsets.back().reserve(kTableGrowth);
            }
            blocks.back().push_back(std::move(record));  // within the block's capacity
            blockOffsets.back().push_back(scanner.RecordOffset());
            ++count;
        } catch (const std::bad_alloc&) {
            result = kOpenNoMemory;
            break;
        }
    }
    // On an error the records loaded so far stay in the table.
    try {
        items_.reserve(std::max(kInitialTableCapacity, items_.size() + count));
    } catch (const std::bad_alloc&) {
        return kOpenNoMemory;
    }
    // The hints are sized once: growing them step by step would free ever larger arrays while the
    // records are loaded, and the allocator would then keep the record blocks in memory it cannot
    // give back (the peak of an open would be twice the table).
    offsets_.Reserve(offsets_.Size() + count);
    indexes_.Reserve(items_.size() + count);
    for (size_t b = 0; b < blocks.size(); ++b) {
        for (size_t k = 0; k < blocks[b].size(); ++k) {
            items_.push_back(std::move(blocks[b][k]));  // within the capacity
            NoteOffset(items_.back().Id(), blockOffsets[b][k]);
            NoteIndex(items_.back().Id(), items_.size() - 1);
        }
        std::vector<ItemRecord>().swap(blocks[b]);
        std::vector<uint64_t>().swap(blockOffsets[b]);
    }
    return result;
}

// ---- Close and the fixed blocks ----------------------------------------------------------------

int Wallet::Close(bool save) {
    if (!save) {
        Reset();
        return lastError_ = kCloseOk;
    }
    if (!open_) return lastError_ = kCloseNotOpen;
    if (readOnly_) {
        Reset();
        return lastError_ = kCloseReadOnly;
    }
    const int rc = SaveFixedBlocks();
    Reset();
    return lastError_ = rc;
}

int Wallet::SaveFixedBlocks() {
    if (!open_ || !file_) return kCloseNotOpen;
    if (readOnly_) return kCloseReadOnly;
    if (!signature_.IsDirty() && !header_.IsDirty() && !settings_.IsDirty()) return kCloseOk;
    // A protected wallet whose verifier no longer goes with the envelope's key would open with neither
    // password: ChangePassword changes both, anything else is refused.
    if (envelope_ && std::memcmp(envelopeVerifier_, header_.Raw() + WalletHeader::kOffVerifier,
                                 sizeof envelopeVerifier_) != 0) {
        Reset();
        return lastError_ = kCloseHeaderFailed;
    }
    if (!SettleLeftoverJournal()) {
        Reset();
        return lastError_ = kCloseSignatureFailed;
    }
    int rc = kCloseOk;
    {
        Save save(*this);
        if (!save.Begin(0, kFirstRecordOffset)) {
            rc = signature_.IsDirty() ? kCloseSignatureFailed
                 : header_.IsDirty()  ? kCloseHeaderFailed
                                      : kCloseSettingsFailed;
        } else {
            file_->Seek(kFileSignatureOffset);
            const struct {
                StoredBlock* block;
                int failure;
            } blocks[] = {{&signature_, kCloseSignatureFailed},
                          {&header_, kCloseHeaderFailed},
                          {&settings_, kCloseSettingsFailed}};
            for (const auto& b : blocks) {
                b.block->AttachFile(file_.get());
                if (b.block->IsDirty()) {
                    if (b.block->Write() != kBlockOk) {
                        rc = b.failure;
                        break;
                    }
                    counters_.walletBytes += b.block->StoredSize();
                } else {
                    b.block->Skip();
                }
            }
            if (rc == kCloseOk && !save.Finish()) rc = kCloseSettingsFailed;
        }
    }
    if (rc != kCloseOk) Reset();
    return lastError_ = rc;
}

// ---- Records in the file -----------------------------------------------------------------------

bool Wallet::Locate(const ItemId& id, bool preferLive, ItemRecord* record, uint64_t* offset, uint64_t* length,
                    uint32_t* bodySize) {
    if (!file_) return false;
    // The live record is at its remembered offset when the hint holds; the file is read only otherwise.
    if (preferLive && LocateByHint(id, false, record, offset, length, bodySize)) return true;
    RecordScanner scanner(*file_, kFirstRecordOffset);
    ItemRecord r;
    bool found = false;
    uint64_t at = 0, len = 0;
    uint32_t body = 0;
    for (;;) {
        if (scanner.Next(&r, false) != kBlockOk) break;
        if (r.Id() != id || !scanner.BodyFits()) continue;
        if (!found || (preferLive && !r.IsDeleted())) {
            found = true;
            at = scanner.RecordOffset();
            len = scanner.RecordLength();
            body = scanner.BodySize();
            if (record) *record = r;
        }
        if (!preferLive || !r.IsDeleted()) break;
    }
    if (!found) return false;
    // The icon bytes belong to the record; read them now.
    if (record && record->CustomIconSize()) {
        std::vector<uint8_t> icon;
        try {
            icon.resize(record->CustomIconSize());
        } catch (const std::bad_alloc&) {
            return false;
        }
        size_t got = 0;
        if (!file_->ReadAt(at + ItemRecord::kSize, icon.data(), icon.size(), &got) || got != icon.size()) return false;
        record->AdoptIconBytes(std::move(icon));
    }
    if (offset) *offset = at;
    if (length) *length = len;
    if (bodySize) *bodySize = body;
    return true;
}

bool Wallet::FindRecordInFile(const ItemId& id, ItemRecord* record, uint64_t* offset, uint64_t* length) {
    uint64_t at = 0, len = 0;
    ItemRecord found;
    if (!Locate(id, false, &found, &at, &len, nullptr)) return false;
    found.SetKey(header_.RecordKey());
    found.AttachFile(file_.get());
    file_->Seek(at);
    if (record) *record = std::move(found);
    if (offset) *offset = at;
    if (length) *length = len;
    return true;
}

// ---- Offset and index hints ---------------------------------------------------------------------

void Wallet::NoteOffset(const ItemId& id, uint64_t offset) {
    offsets_.Set(id, offset);  // hints are optional: without one a record is found by scanning
}

void Wallet::NoteIndex(const ItemId& id, size_t index) {
    indexes_.Add(id, index);  // the first index of an id stays; without a hint the table is searched
}

void Wallet::ShiftOffsets(uint64_t from, uint64_t to) {
    const uint64_t by = from - to;
    offsets_.Update([&](const ItemId&, uint64_t& offset) {
        if (offset >= from) {
            offset -= by;
            return true;
        }
        return offset < to;  // within [to, from): its bytes were cut out
    });
}

// The live record with the id at its remembered offset, after reading it there: the record, its
// offset, its length without the body and its body size. False (and the hint dropped) when the bytes
// there are not that live record.
bool Wallet::LocateByHint(const ItemId& id, bool liveCardsOnly, ItemRecord* record, uint64_t* offset,
                          uint64_t* length, uint32_t* bodySize) {
    const uint64_t* hint = offsets_.Find(id);
    if (!hint || !file_) return false;
    const uint64_t at = *hint;
    uint64_t size = 0;
    uint8_t bytes[ItemRecord::kSize];
    size_t got = 0;
    if (!file_->GetSize(&size) || at < kFirstRecordOffset || at > size || size - at < ItemRecord::kSize ||
        !file_->ReadAt(at, bytes, sizeof bytes, &got) || got != sizeof bytes) {
        offsets_.Erase(id);
        return false;
    }
    ItemRecord r;
    if (r.Parse(bytes) != kBlockOk || r.Id() != id || r.IsDeleted() ||
        (liveCardsOnly && r.Kind() != kItemKindCard)) {
        offsets_.Erase(id);
        return false;
    }
    const uint64_t len = ItemRecord::kSize + r.CustomIconSize();
    const uint32_t body = r.BodySize();
    if (r.CustomIconSize() > size - at - ItemRecord::kSize || body > size - at - len) {
        offsets_.Erase(id);
        return false;
    }
    if (record) {
        if (r.CustomIconSize()) {
            std::vector<uint8_t> icon;
            try {
                icon.resize(r.CustomIconSize());
            } catch (const std::bad_alloc&) {
                return false;
            }
            if (!file_->ReadAt(at + ItemRecord::kSize, icon.data(), icon.size(), &got) || got != icon.size())
                return false;
            r.AdoptIconBytes(std::move(icon));
        }
        *record = std::move(r);
    }
    if (offset) *offset = at;
    if (length) *length = len;
    if (bodySize) *bodySize = body;
    return true;
}

bool Wallet::MoveDown(uint64_t from, uint64_t to) {
    uint64_t size = 0;
    if (!file_->GetSize(&size) || from < to || from > size) return false;
    std::vector<uint8_t> block;
    try {
        block.resize(kMoveBlock);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (uint64_t done = 0; from + done < size;) {
        const size_t n = static_cast<size_t>(size - from - done < kMoveBlock ? size - from - done : kMoveBlock);
        size_t got = 0, put = 0;
        if (!file_->ReadAt(from + done, block.data(), n, &got) || got != n) return false;
        if (!file_->WriteAt(to + done, block.data(), n, &put) || put != n) return false;
        counters_.walletBytes += n;
        done += n;
    }
    if (!file_->SetSize(to + (size - from))) return false;
    ShiftOffsets(from, to);
    return true;
}

int Wallet::CutLocked(const ItemId& id, bool preferLive, bool* found) {
    uint64_t at = 0, len = 0;
    uint32_t body = 0;
    *found = false;
    if (!Locate(id, preferLive, nullptr, &at, &len, &body)) return kBlockOk;
    *found = true;
    return MoveDown(at + len + body, at) ? kBlockOk : kBlockIoFailed;
}

int Wallet::CutRecord(const ItemId& id) {
    if (!open_ || readOnly_ || !file_) return -1;
    if (!SettleLeftoverJournal()) return -1;
    uint64_t at = 0, size = 0;
    if (!Locate(id, false, nullptr, &at, nullptr, nullptr)) return 0;
    if (!file_->GetSize(&size)) return -1;
    Save save(*this);
    if (!save.Begin(at, size - at)) return -1;
    bool found = false;
    if (CutLocked(id, false, &found) != kBlockOk || !save.Finish()) return -1;
    return found ? 1 : 0;
}

int Wallet::MarkDeletedInFile(const ItemId& id) {
    if (!open_ || readOnly_ || !file_) return -1;
    if (!SettleLeftoverJournal()) return -1;
    ItemRecord record;
    uint64_t at = 0, len = 0, size = 0;
    uint32_t body = 0;
    if (!Locate(id, true, &record, &at, &len, &body)) return 0;
    if (!file_->GetSize(&size)) return -1;
    ForgetOffset(id);  // a tombstone is not a live record
    Save save(*this);
    if (!save.Begin(at, size - at)) return -1;
    record.SetKey(header_.RecordKey());
    record.SetBodySize(0);
    record.SetDeleted(true);
    record.AttachFile(file_.get());
    file_->Seek(at);
    if (record.Write() != kBlockOk) return -1;
    counters_.walletBytes += record.StoredLength();
    if (body != 0 && !MoveDown(at + len + body, at + len)) return -1;
    if (!save.Finish()) return -1;
    const int index = IndexOf(id);
    if (index >= 0) {
        ItemRecord& entry = items_[static_cast<size_t>(index)];
        const std::shared_ptr<const CipherKey> key = entry.SharedKey();
        entry = record;
        entry.SetKey(key);
    }
    return 1;
}

int Wallet::RewriteRecordInPlace(const ItemRecord& record) {
    if (!open_ || readOnly_ || !file_) return -1;
    if (!SettleLeftoverJournal()) return -1;
    uint64_t at = 0, len = 0;
    uint32_t body = 0;
    const ItemId id = record.Id();
    // The live record with the id (deleted ones are passed over).
    bool found = LocateByHint(id, false, nullptr, &at, &len, &body);
    RecordScanner scanner(*file_, kFirstRecordOffset);
    ItemRecord r;
    while (!found) {
        if (scanner.Next(&r, false) != kBlockOk) break;
        if (r.Id() == id && !r.IsDeleted()) {
            at = scanner.RecordOffset();
            len = scanner.RecordLength();
            body = scanner.BodySize();
            found = true;
            break;
        }
    }
    if (!found) return 0;
    ItemRecord copy = record;
    const uint64_t iconLength = (copy.Icon() == -1 && !copy.StoredIconBytes().empty()) ? copy.StoredIconBytes().size() : 0;
    // Writing a record of another length would overwrite its neighbour: refused.
    if (ItemRecord::kSize + iconLength != len || copy.BodySize() != body) return 0;
    Save save(*this);
    if (!save.Begin(at, len)) return -1;
    copy.AttachFile(file_.get());
    file_->Seek(at);
    if (copy.Write() != kBlockOk) return -1;
    counters_.walletBytes += len;
    if (!save.Finish()) return -1;
    return 1;
}

// ---- Appending items ---------------------------------------------------------------------------

int Wallet::WriteRecordAtEnd(ItemRecord* record) {
    uint64_t at = 0;
    if (!file_->GetSize(&at) || !file_->SeekToEnd()) return kBlockIoFailed;
    record->SetBodySize(0);
    record->AttachFile(file_.get());
    const int rc = record->Write();
    if (rc == kBlockOk) {
        counters_.walletBytes += record->StoredLength();
        NoteOffset(record->Id(), at);
    }
    return rc;
}

int Wallet::PutIntoTable(ItemRecord* record, bool keep) {
    try {
        ItemRecord copy = keep ? *record : std::move(*record);
        if (!keep) record->Reset();
        copy.SetKey(header_.RecordKey());
        copy.AttachFile(file_.get());
        const int index = IndexOf(copy.Id());
        if (index >= 0) {
            items_[static_cast<size_t>(index)] = std::move(copy);
            return index;
        }
        if (items_.size() == items_.capacity())
            items_.reserve(items_.capacity() < kInitialTableCapacity ? kInitialTableCapacity
                                                                      : items_.capacity() + kTableGrowth);
        items_.push_back(std::move(copy));
        NoteIndex(items_.back().Id(), items_.size() - 1);
        return static_cast<int>(items_.size() - 1);
    } catch (const std::bad_alloc&) {
        if (!keep) record->Reset();
        return -1;
    }
}

int Wallet::AppendFolderRecord(ItemRecord* record, bool keep) {
    if (!open_ || readOnly_ || !file_ || !record) return -1;
    if (!SettleLeftoverJournal()) return -1;
    Save save(*this);
    if (!save.Begin(0, 0)) return -1;
    if (WriteRecordAtEnd(record) != kBlockOk || !save.Finish()) return -1;
    return PutIntoTable(record, keep);
}

int Wallet::ReplaceFolderRecord(ItemRecord* record, bool keep) {
    if (!open_ || readOnly_ || !file_ || !record) return -1;
    if (!SettleLeftoverJournal()) return -1;
    uint64_t at = 0, size = 0;
    if (!file_->GetSize(&size)) return -1;
    if (!Locate(record->Id(), true, nullptr, &at, nullptr, nullptr)) at = size;
    Save save(*this);
    if (!save.Begin(at, size - at)) return -1;
    bool found = false;
    if (CutLocked(record->Id(), true, &found) != kBlockOk) return -1;
    if (WriteRecordAtEnd(record) != kBlockOk || !save.Finish()) return -1;
    return PutIntoTable(record, keep);
}

// ---- Cards -----------------------------------------------------------------------------------

int Wallet::WriteCardAtEnd(Card* card) {
    const std::shared_ptr<const CipherKey> key = header_.RecordKey();
    uint64_t at = 0;
    if (!key || !key->IsKeyed() || !file_->GetSize(&at) || !file_->SeekToEnd()) return kBlockIoFailed;
    if (!card->Record().Key()) card->Record().SetKey(key);
    const int rc = WriteCard(*card, *file_, *key);
    if (rc == kCardOk) {
        counters_.walletBytes += card->Record().StoredLength() + card->Record().BodySize();
        NoteOffset(card->Record().Id(), at);
    }
    return rc;
}

int Wallet::AppendCard(Card* card, bool keep) {
    if (!open_ || readOnly_ || !file_ || !card || !card->HasRecord()) return -1;
    if (!SettleLeftoverJournal()) return -1;
    Save save(*this);
    if (!save.Begin(0, 0)) return -1;
    if (WriteCardAtEnd(card) != kCardOk || !save.Finish()) return -1;
    const int index = PutIntoTable(&card->Record(), true);
    if (!keep) card->Clear();
    return index;
}

int Wallet::AppendItems(std::vector<ItemRecord>* folders, std::vector<Card>* cards) {
    if (!open_ || readOnly_ || !file_ || !folders || !cards) return -1;
    if (!SettleLeftoverJournal()) return -1;
    for (Card& card : *cards)
        if (!card.HasRecord()) return -1;
    const size_t count = folders->size() + cards->size();
    try {
        // Room in the table first: once the save has taken effect, every item must reach the table.
        if (items_.capacity() - items_.size() < count) items_.reserve(items_.size() + count + kTableGrowth);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    bool ok = true;
    {
        Save save(*this);
        ok = save.Begin(0, 0);
        for (size_t k = 0; ok && k < folders->size(); ++k) ok = WriteRecordAtEnd(&(*folders)[k]) == kBlockOk;
        for (size_t k = 0; ok && k < cards->size(); ++k) ok = WriteCardAtEnd(&(*cards)[k]) == kCardOk;
        ok = ok && save.Finish();
    }
    if (!ok) {
        for (const ItemRecord& r : *folders) ForgetOffset(r.Id());
        for (const Card& c : *cards) ForgetOffset(c.Record().Id());
        return -1;
    }
    for (ItemRecord& r : *folders) PutIntoTable(&r, true);
    for (Card& c : *cards) PutIntoTable(&c.Record(), true);
    return static_cast<int>(count);
}

int Wallet::ReplaceCard(Card* card, bool keep) {
    if (!open_ || readOnly_ || !file_ || !card || !card->HasRecord()) return -1;
    if (!SettleLeftoverJournal()) return -1;
    uint64_t at = 0, size = 0;
    if (!file_->GetSize(&size)) return -1;
    const ItemId id = card->Record().Id();
    if (!Locate(id, true, nullptr, &at, nullptr, nullptr)) at = size;
    Save save(*this);
    if (!save.Begin(at, size - at)) return -1;
    bool found = false;
    if (CutLocked(id, true, &found) != kBlockOk) return -1;
    if (WriteCardAtEnd(card) != kCardOk || !save.Finish()) return -1;
    const int index = PutIntoTable(&card->Record(), true);
    if (!keep) card->Clear();
    return index;
}

std::unique_ptr<Card> Wallet::LoadCard(const ItemId& id, bool withMedia) {
    if (!open_ || !file_) return nullptr;
    if (!SettleLeftoverJournal()) return nullptr;
    const std::shared_ptr<const CipherKey> key = header_.RecordKey();
    try {
        ItemRecord record;
        uint64_t at = 0, len = 0;
        uint32_t bodySize = 0;
        if (LocateByHint(id, true, &record, &at, &len, &bodySize)) {
            std::vector<uint8_t> body(bodySize);
            size_t got = 0;
            if (!file_->ReadAt(at + len, body.data(), body.size(), &got) || got != body.size()) return nullptr;
            record.SetKey(key);
            record.AttachFile(file_.get());
            auto card = std::make_unique<Card>(record);
            const int rc = ParseCardBody(*card, body.data(), body.size(), *key, withMedia);
            SecureZero(body);
            if (rc != kCardOk) return nullptr;
            return card;
        }
        RecordScanner scanner(*file_, kFirstRecordOffset);
        for (;;) {
            if (scanner.Next(&record, true) != kBlockOk) return nullptr;
            if (record.Id() != id || record.IsDeleted() || record.Kind() != kItemKindCard) continue;
            std::vector<uint8_t> body;
            if (scanner.ReadBody(&body) != kBlockOk) return nullptr;
            record.SetKey(key);
            record.AttachFile(file_.get());
            auto card = std::make_unique<Card>(record);
            const int rc = ParseCardBody(*card, body.data(), body.size(), *key, withMedia);
            SecureZero(body);
            if (rc != kCardOk) return nullptr;
            return card;
        }
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<Card> Wallet::LoadCard(size_t index, bool withMedia) {
    if (index >= items_.size()) return nullptr;
    return LoadCard(items_[index].Id(), withMedia);
}

namespace {
// What a reader without media reads of a body at first (bodies up to this size are read whole).
constexpr size_t kFirstBodyRead = 16 * 1024;
}  // namespace

int Wallet::ReadStoredCard(size_t index, bool withMedia, std::vector<uint8_t>* buffer, size_t* bodyAt,
                           size_t* bodyLength) {
    if (!open_ || !file_ || !buffer || !bodyAt || !bodyLength || index >= items_.size()) return kCardNoRecord;
    if (!SettleLeftoverJournal()) return kCardIoFailed;
    const ItemRecord& entry = items_[index];
    if (entry.IsDeleted() || entry.Kind() != kItemKindCard) return kCardNoRecord;
    try {
        const uint64_t* hint = offsets_.Find(entry.Id());
        if (hint) {
            const uint64_t at = *hint;
            // The table entry's sizes were checked against the file when it was loaded. Without media,
            // a long body is read in part first: an attachment (or image or sound) at its end is then
            // not read at all.
            const size_t head = static_cast<size_t>(entry.StoredLength());
            const size_t bodySize = entry.BodySize();
            const size_t have = withMedia || bodySize <= kFirstBodyRead ? bodySize : kFirstBodyRead;
            // The buffer only grows: shrinking and growing it from card to card would fill the new
            // part with zeros every time.
            if (buffer->size() < head + have) buffer->resize(head + have);
            size_t got = 0;
            ItemRecord r;
            if (file_->ReadAt(at, buffer->data(), head + have, &got) && got == head + have &&
                r.Parse(buffer->data()) == kBlockOk && r.Id() == entry.Id() && !r.IsDeleted() &&
                r.Kind() == kItemKindCard && r.StoredLength() == head && r.BodySize() == bodySize) {
                size_t length = BodyPrefixWithoutTrailingMedia(buffer->data() + head, have, bodySize);
                if (length == 0) {
                    if (buffer->size() < head + bodySize) buffer->resize(head + bodySize);
                    if (!file_->ReadAt(at + head + have, buffer->data() + head + have, bodySize - have,
                                       &got) ||
                        got != bodySize - have) {
                        return kCardIoFailed;
                    }
                    length = bodySize;
                }
                *bodyAt = head;
                *bodyLength = length;
                return kCardOk;
            }
            offsets_.Erase(entry.Id());
        }
        // No good hint: the first live card with the id, scanning from the first record.
        RecordScanner scanner(*file_, kFirstRecordOffset);
        ItemRecord r;
        for (;;) {
            if (scanner.Next(&r, false) != kBlockOk) return kCardIoFailed;
            if (r.Id() != entry.Id() || r.IsDeleted() || r.Kind() != kItemKindCard) continue;
            if (scanner.ReadBody(buffer) != kBlockOk) return kCardIoFailed;
            *bodyAt = 0;
            *bodyLength = buffer->size();
            return kCardOk;
        }
    } catch (const std::bad_alloc&) {
        return kCardNoMemory;
    }
}

int Wallet::LoadCardInto(size_t index, Card* card, bool withMedia, std::vector<uint8_t>* buffer) {
    if (!card) return kCardNoRecord;
    size_t at = 0, length = 0;
    const int rc = ReadStoredCard(index, withMedia, buffer, &at, &length);
    if (rc != kCardOk) return rc;
    try {
        card->Record() = items_[index];
    } catch (const std::bad_alloc&) {
        return kCardNoMemory;
    }
    return ParseCardBody(*card, buffer->data() + at, length, *header_.RecordKey(), withMedia);
}

}  // namespace tl5
