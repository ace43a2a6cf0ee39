// ItemRecord: the 748-byte stored record of one folder, card or the My Forms folder.
//
// The object owns its stored bytes and reads every member straight from them, its custom icon bytes
// (with padding, as stored) and a shared reference to the wallet's RecordKey, which encrypts the name.
// Copies are deep except for the key reference; UseOwnKeyCopy() gives a record a key of its own.
//
// Layout (little-endian): 0 type identifier, 16 id, 32 parent, 48 change flags, 52 created, 68
// modified, 84 deleted-at, 100 name slot (512 bytes, encrypted as one piece; all zero when unnamed),
// 612 deleted, 616 zero, 624 the value -1, 628 default form, 644 zero, 708 icon index (-1 = custom),
// 712 custom icon size with padding, 716 padding count, 720 MD5 of the icon bytes, 736 zero, 740 body
// size, 744 zero. The custom icon bytes follow the record, then the body.
//
// The wallet file as a whole, with a worked example: docs/wallet-format.md.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/CipherKey.h"
#include "model/ItemId.h"
#include "model/StoredBlock.h"
#include "platform/LocalTime.h"

namespace tl5 {

class ItemRecord : public StoredBlock {
public:
    static constexpr size_t kSize = 748;
    static constexpr size_t kNameSlotSize = 512;
    static constexpr size_t kMaxNameLength = 255;
    // A custom icon larger than this is not held.
    static constexpr size_t kMaxCustomIconSize = 16u << 20;

    // Offsets of the members in the stored bytes.
    enum Offset : size_t {
        kOffType = 0, kOffId = 16, kOffParent = 32, kOffChangeFlags = 48, kOffCreated = 52, kOffModified = 68,
        kOffDeletedAt = 84, kOffName = 100, kOffDeleted = 612, kOffMinusOne = 624, kOffDefaultForm = 628,
        kOffIcon = 708, kOffIconSize = 712, kOffIconPadding = 716, kOffIconDigest = 720, kOffIconZero = 736,
        kOffBodySize = 740,
    };

    ItemRecord();
    ~ItemRecord() override;
    ItemRecord(const ItemRecord& other);
    ItemRecord& operator=(const ItemRecord& other);
    ItemRecord(ItemRecord&& other) noexcept;
    ItemRecord& operator=(ItemRecord&& other) noexcept;

    // The key that encrypts the name (the wallet's RecordKey).
    void SetKey(std::shared_ptr<const CipherKey> key) { key_ = std::move(key); }
    const CipherKey* Key() const { return key_.get(); }
    const std::shared_ptr<const CipherKey>& SharedKey() const { return key_; }
    // Replaces the shared reference by a private copy of the key.
    bool UseOwnKeyCopy();

    // Creation: new id, given parent, every other member reset, created and modified now, the -1
    // value set, change flags 1. A My Forms folder has no parent.
    void CreateAsCard(const ItemId& parent);
    void CreateAsFolder(const ItemId& parent);
    void CreateAsMyFormsFolder();
    // New card copy: new id, card type, given parent, created and modified now, the rest kept; flags 1.
    void RecreateAsCardCopy(const ItemId& parent);
    // Empties the object (kind none, no icon bytes); the key reference stays.
    void Reset();

    ItemKind Kind() const { return kind_; }
    bool IsFolderLike() const { return kind_ == kItemKindFolder || kind_ == kItemKindMyForms; }
    bool IsMyFormsFolder() const { return kind_ == kItemKindMyForms; }
    bool IsTopLevel() const { return Parent().IsNull(); }

    ItemId Id() const { return ItemId::FromBytes(raw_ + kOffId); }
    // Asks the processor to fetch the stored bytes that readers of the table look at (kind, id, name,
    // deleted flag, sizes), for a reader that goes through the table out of order and knows which
    // entry comes next.
    void Prefetch() const {
#if defined(__GNUC__)
        const size_t lines[] = {kOffType, kOffName, kOffName + 64, kOffDeleted, kOffIconSize};
        for (size_t at : lines) __builtin_prefetch(raw_ + at);
#endif
    }
    ItemId Parent() const { return ItemId::FromBytes(raw_ + kOffParent); }
    // Change flag 2. Clearing the parent is honoured only for folders (kind 2); false when refused.
    bool SetParent(const ItemId& parent);

    // The decrypted name (empty when unnamed or when there is no key).
    std::u16string Name() const;
    // At most 255 characters are kept. Does nothing when unchanged; else change flag 4. False when
    // there is no key to encrypt with.
    bool SetName(std::u16string_view name);

    int32_t Icon() const;
    // Drops any custom icon bytes; change flag 16 when the index differs.
    void SetIcon(int32_t icon);
    // Icon -1, padded bytes, MD5 of the unpadded bytes. Empty or unholdable bytes leave icon 0 and no
    // custom icon (false). Change flag 16 in every case.
    bool SetCustomIcon(const uint8_t* bytes, size_t size);
    bool SetCustomIconFromFile(FileSystem& fs, const std::u16string& path);
    bool HasCustomIcon() const { return Icon() == -1 && !iconBytes_.empty(); }
    // The icon bytes without padding, and as stored (with padding).
    std::vector<uint8_t> CustomIconBytes() const;
    const std::vector<uint8_t>& StoredIconBytes() const { return iconBytes_; }
    uint32_t CustomIconSize() const;     // stored size, padding included
    uint32_t CustomIconPadding() const;

    FormId DefaultForm() const { return FormId::FromBytes(raw_ + kOffDefaultForm); }
    void SetDefaultForm(const FormId& form);  // change flag 64

    bool IsDeleted() const;
    void SetDeleted(bool deleted);  // 1 stamps deleted-at; change flag 8

    uint32_t BodySize() const;
    void SetBodySize(uint32_t size);

    SystemTime Created() const { return LoadTime(kOffCreated); }
    SystemTime Modified() const { return LoadTime(kOffModified); }
    SystemTime DeletedAt() const { return LoadTime(kOffDeletedAt); }

    // The stored bytes and the record's length in the file without its body (748 + custom icon).
    const uint8_t* Raw() const { return raw_; }
    uint64_t StoredLength() const { return kSize + CustomIconSize(); }

    // Takes 748 stored bytes: matches the type identifier (kBlockInvalid when it is unknown) and sets
    // the kind; the icon bytes are dropped (see AdoptIconBytes). Marks the record valid and clean.
    int Parse(const uint8_t* bytes);
    // Hands over the custom icon bytes read after the record (exactly CustomIconSize() bytes).
    void AdoptIconBytes(std::vector<uint8_t>&& bytes) { iconBytes_ = std::move(bytes); }
    // Sets icon index, icon size and padding to 0 (used when the icon bytes cannot be read).
    void DropCustomIcon();

    // Stored block operations.
    // Read: 748 bytes, the type identifier, then the custom icon bytes (refused with kBlockShort when the
    // size runs past the end of the file). The body is left to the caller.
    int Read() override;
    // Normalises the icon members (no bytes held: icon 0), sets change flag 1 when no flag is set, and
    // writes the record and its icon bytes. kBlockInvalid when the record has no kind.
    int Write() override;
    int Skip() override { return kBlockOk; }
    void MarkChanged(uint32_t bits) override;
    uint32_t ChangeFlags() const override;
    void ClearChangeFlags() override;

private:
    void CreateAs(ItemKind kind, const ItemId& parent);
    SystemTime LoadTime(size_t offset) const;
    void StoreTime(size_t offset, const SystemTime& t);
    void NormaliseIcon();

    uint8_t raw_[kSize];
    ItemKind kind_ = kItemKindNone;
    std::vector<uint8_t> iconBytes_;  // as stored, padding included
    std::shared_ptr<const CipherKey> key_;
};

// Time stamps as stored: eight little-endian 16-bit values.
SystemTime LoadSystemTime(const uint8_t* p);
void StoreSystemTime(uint8_t* p, const SystemTime& t);

}  // namespace tl5
