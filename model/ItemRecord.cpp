#include "model/ItemRecord.h"

#include <cstring>
#include <new>

#include "model/LittleEndian.h"
#include "model/Md5.h"
#include "platform/SecureZero.h"

namespace tl5 {

SystemTime LoadSystemTime(const uint8_t* p) {
    SystemTime t;
    t.year = LoadU16(p);
    t.month = LoadU16(p + 2);
    t.dayOfWeek = LoadU16(p + 4);
    t.day = LoadU16(p + 6);
    t.hour = LoadU16(p + 8);
    t.minute = LoadU16(p + 10);
    t.second = LoadU16(p + 12);
    t.milliseconds = LoadU16(p + 14);
    return t;
}

void StoreSystemTime(uint8_t* p, const SystemTime& t) {
    StoreU16(p, t.year);
    StoreU16(p + 2, t.month);
    StoreU16(p + 4, t.dayOfWeek);
    StoreU16(p + 6, t.day);
    StoreU16(p + 8, t.hour);
    StoreU16(p + 10, t.minute);
    StoreU16(p + 12, t.second);
    StoreU16(p + 14, t.milliseconds);
}

ItemRecord::ItemRecord() : StoredBlock(kSize) { std::memset(raw_, 0, sizeof raw_); }

ItemRecord::~ItemRecord() = default;

ItemRecord::ItemRecord(const ItemRecord& other) : StoredBlock(other) {
    std::memcpy(raw_, other.raw_, sizeof raw_);
    kind_ = other.kind_;
    iconBytes_ = other.iconBytes_;
    key_ = other.key_;
}

ItemRecord& ItemRecord::operator=(const ItemRecord& other) {
    if (this != &other) {
        StoredBlock::operator=(other);
        std::memcpy(raw_, other.raw_, sizeof raw_);
        kind_ = other.kind_;
        iconBytes_ = other.iconBytes_;
        key_ = other.key_;
    }
    return *this;
}

ItemRecord::ItemRecord(ItemRecord&& other) noexcept : StoredBlock(other) {
    std::memcpy(raw_, other.raw_, sizeof raw_);
    kind_ = other.kind_;
    iconBytes_ = std::move(other.iconBytes_);
    key_ = std::move(other.key_);
}

ItemRecord& ItemRecord::operator=(ItemRecord&& other) noexcept {
    if (this != &other) {
        StoredBlock::operator=(other);
        std::memcpy(raw_, other.raw_, sizeof raw_);
        kind_ = other.kind_;
        iconBytes_ = std::move(other.iconBytes_);
        key_ = std::move(other.key_);
    }
    return *this;
}

bool ItemRecord::UseOwnKeyCopy() {
    if (!key_) return true;
    try {
        key_ = std::make_shared<const CipherKey>(*key_);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void ItemRecord::Reset() {
    std::memset(raw_, 0, sizeof raw_);
    kind_ = kItemKindNone;
    iconBytes_.clear();
    valid_ = false;
    dirty_ = false;
}

void ItemRecord::CreateAs(ItemKind kind, const ItemId& parent) {
    Reset();
    kind_ = kind;
    std::memcpy(raw_ + kOffType, ItemKindTypeId(kind), 16);
    const ItemId id = NewItemId();
    std::memcpy(raw_ + kOffId, id.bytes, 16);
    std::memcpy(raw_ + kOffParent, parent.bytes, 16);
    const SystemTime now = LocalTimeNow();
    StoreTime(kOffCreated, now);
    StoreTime(kOffModified, now);
    StoreI32(raw_ + kOffMinusOne, -1);
    StoreU32(raw_ + kOffChangeFlags, kRecordCreated);
    valid_ = true;
    dirty_ = true;
}

void ItemRecord::CreateAsCard(const ItemId& parent) { CreateAs(kItemKindCard, parent); }
void ItemRecord::CreateAsFolder(const ItemId& parent) { CreateAs(kItemKindFolder, parent); }
void ItemRecord::CreateAsMyFormsFolder() { CreateAs(kItemKindMyForms, ItemId()); }

void ItemRecord::RecreateAsCardCopy(const ItemId& parent) {
    kind_ = kItemKindCard;
    std::memcpy(raw_ + kOffType, ItemKindTypeId(kItemKindCard), 16);
    const ItemId id = NewItemId();
    std::memcpy(raw_ + kOffId, id.bytes, 16);
    std::memcpy(raw_ + kOffParent, parent.bytes, 16);
    const SystemTime now = LocalTimeNow();
    StoreTime(kOffCreated, now);
    StoreTime(kOffModified, now);
    StoreU32(raw_ + kOffChangeFlags, LoadU32(raw_ + kOffChangeFlags) | kRecordCreated);
    valid_ = true;
    dirty_ = true;
}

bool ItemRecord::SetParent(const ItemId& parent) {
    if (parent.IsNull() && kind_ != kItemKindFolder) return false;
    std::memcpy(raw_ + kOffParent, parent.bytes, 16);
    MarkChanged(kRecordParentChanged);
    return true;
}

std::u16string ItemRecord::Name() const {
    const uint8_t* slot = raw_ + kOffName;
    bool empty = true;
    for (size_t k = 0; k < kNameSlotSize && empty; ++k) empty = slot[k] == 0;
    if (empty || !key_ || !key_->IsKeyed()) return std::u16string();
    // Decrypted a block at a time up to the first NUL: most names are short.
    constexpr size_t kBlock = 64;
    static_assert(kNameSlotSize % kBlock == 0);
    uint8_t plain[kBlock];
    char16_t text[kNameSlotSize / 2];
    size_t length = 0;
    for (size_t at = 0; at < kNameSlotSize; at += kBlock) {
        key_->DecryptPart(slot + at, at, kBlock, plain);
        const size_t chars = FindNulChar(plain, kBlock / 2);
        for (size_t k = 0; k < chars; ++k) text[length++] = static_cast<char16_t>(plain[2 * k] | (plain[2 * k + 1] << 8));
        if (chars < kBlock / 2) break;
    }
    std::u16string name(text, length);
    SecureZero(plain, sizeof plain);
    SecureZero(text, length * sizeof(char16_t));
    return name;
}

bool ItemRecord::SetName(std::u16string_view name) {
    if (name.size() > kMaxNameLength) name = name.substr(0, kMaxNameLength);
    std::u16string current = Name();
    const bool same = current == name;
    SecureZero(current);
    if (same) return true;
    uint8_t* slot = raw_ + kOffName;
    if (name.empty()) {
        std::memset(slot, 0, kNameSlotSize);
    } else {
        if (!key_ || !key_->IsKeyed()) return false;
        uint8_t plain[kNameSlotSize] = {};
        for (size_t k = 0; k < name.size(); ++k) StoreU16(plain + 2 * k, static_cast<uint16_t>(name[k]));
        key_->Encrypt(plain, kNameSlotSize, slot);
        SecureZero(plain, sizeof plain);
    }
    MarkChanged(kRecordNameChanged);
    return true;
}

int32_t ItemRecord::Icon() const { return LoadI32(raw_ + kOffIcon); }
uint32_t ItemRecord::CustomIconSize() const { return LoadU32(raw_ + kOffIconSize); }
uint32_t ItemRecord::CustomIconPadding() const { return LoadU32(raw_ + kOffIconPadding); }

void ItemRecord::DropCustomIcon() {
    iconBytes_.clear();
    StoreI32(raw_ + kOffIcon, 0);
    StoreU32(raw_ + kOffIconSize, 0);
    StoreU32(raw_ + kOffIconPadding, 0);
}

void ItemRecord::SetIcon(int32_t icon) {
    const bool differs = Icon() != icon;
    iconBytes_.clear();
    StoreI32(raw_ + kOffIcon, icon);
    StoreU32(raw_ + kOffIconSize, 0);
    StoreU32(raw_ + kOffIconPadding, 0);
    std::memset(raw_ + kOffIconDigest, 0, 16);
    if (differs) MarkChanged(kRecordIconChanged);
}

bool ItemRecord::SetCustomIcon(const uint8_t* bytes, size_t size) {
    iconBytes_.clear();
    StoreI32(raw_ + kOffIcon, 0);
    StoreU32(raw_ + kOffIconSize, 0);
    StoreU32(raw_ + kOffIconPadding, 0);
    std::memset(raw_ + kOffIconDigest, 0, 16);
    bool ok = false;
    if (bytes && size > 0 && size <= kMaxCustomIconSize) {
        const size_t padding = 4 - (size % 4);
        try {
            iconBytes_.assign(size + padding, 0);
            std::memcpy(iconBytes_.data(), bytes, size);
            StoreI32(raw_ + kOffIcon, -1);
            StoreU32(raw_ + kOffIconSize, static_cast<uint32_t>(size + padding));
            StoreU32(raw_ + kOffIconPadding, static_cast<uint32_t>(padding));
            Md5Digest(bytes, size, raw_ + kOffIconDigest);
            ok = true;
        } catch (const std::bad_alloc&) {
            iconBytes_.clear();
        }
    }
    MarkChanged(kRecordIconChanged);
    return ok;
}

bool ItemRecord::SetCustomIconFromFile(FileSystem& fs, const std::u16string& path) {
    std::string bytes;
    if (!ReadWholeFile(fs, path, &bytes, kMaxCustomIconSize)) bytes.clear();
    return SetCustomIcon(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::vector<uint8_t> ItemRecord::CustomIconBytes() const {
    if (Icon() != -1 || iconBytes_.empty()) return {};
    uint32_t padding = CustomIconPadding();
    if (padding > iconBytes_.size()) padding = static_cast<uint32_t>(iconBytes_.size());
    try {
        return std::vector<uint8_t>(iconBytes_.begin(), iconBytes_.end() - padding);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

void ItemRecord::SetDefaultForm(const FormId& form) {
    std::memcpy(raw_ + kOffDefaultForm, form.bytes, 16);
    MarkChanged(kRecordDefaultFormChanged);
}

bool ItemRecord::IsDeleted() const { return LoadU32(raw_ + kOffDeleted) != 0; }

void ItemRecord::SetDeleted(bool deleted) {
    StoreU32(raw_ + kOffDeleted, deleted ? 1 : 0);
    if (deleted) StoreTime(kOffDeletedAt, LocalTimeNow());
    MarkChanged(kRecordDeleted);
}

uint32_t ItemRecord::BodySize() const { return LoadU32(raw_ + kOffBodySize); }
void ItemRecord::SetBodySize(uint32_t size) { StoreU32(raw_ + kOffBodySize, size); }

SystemTime ItemRecord::LoadTime(size_t offset) const { return LoadSystemTime(raw_ + offset); }
void ItemRecord::StoreTime(size_t offset, const SystemTime& t) { StoreSystemTime(raw_ + offset, t); }

int ItemRecord::Parse(const uint8_t* bytes) {
    std::memcpy(raw_, bytes, kSize);
    iconBytes_.clear();
    dirty_ = false;
    kind_ = ItemKindFromTypeId(raw_ + kOffType);
    valid_ = kind_ != kItemKindNone;
    return valid_ ? kBlockOk : kBlockInvalid;
}

int ItemRecord::Read() {
    uint8_t bytes[kSize];
    valid_ = false;
    int rc = ReadBytes(bytes, kSize);
    if (rc != kBlockOk) return rc;
    rc = Parse(bytes);
    if (rc != kBlockOk) return rc;
    const uint32_t iconSize = CustomIconSize();
    if (iconSize == 0) return kBlockOk;
    // The size comes from the file: never trust it beyond what the file holds.
    uint64_t fileSize = 0;
    if (!file_->GetSize(&fileSize)) return kBlockIoFailed;
    if (file_->Tell() > fileSize || iconSize > fileSize - file_->Tell()) {
        valid_ = false;
        return kBlockShort;
    }
    std::vector<uint8_t> icon;
    try {
        icon.resize(iconSize);
    } catch (const std::bad_alloc&) {
        file_->Skip(iconSize);  // memory cannot be had: move past the bytes
        DropCustomIcon();
        return kBlockOk;
    }
    rc = ReadBytes(icon.data(), iconSize);
    if (rc != kBlockOk) {
        DropCustomIcon();
        valid_ = false;
        return rc == kBlockEndOfFile ? kBlockShort : rc;
    }
    iconBytes_ = std::move(icon);
    return kBlockOk;
}

void ItemRecord::NormaliseIcon() {
    if (Icon() != -1 || iconBytes_.empty()) {
        if (Icon() == -1) StoreI32(raw_ + kOffIcon, 0);
        iconBytes_.clear();
        StoreU32(raw_ + kOffIconSize, 0);
        StoreU32(raw_ + kOffIconPadding, 0);
        std::memset(raw_ + kOffIconDigest, 0, 16);
        StoreU32(raw_ + kOffIconZero, 0);
    } else {
        StoreU32(raw_ + kOffIconSize, static_cast<uint32_t>(iconBytes_.size()));
    }
}

int ItemRecord::Write() {
    if (kind_ == kItemKindNone) return kBlockInvalid;
    NormaliseIcon();
    if (ChangeFlags() == 0) {
        StoreU32(raw_ + kOffChangeFlags, kRecordCreated);
        StoreTime(kOffModified, LocalTimeNow());
    }
    int rc = WriteBytes(raw_, kSize);
    if (rc != kBlockOk) return rc;
    if (!iconBytes_.empty()) rc = WriteBytes(iconBytes_.data(), iconBytes_.size());
    return rc;
}

void ItemRecord::MarkChanged(uint32_t bits) {
    StoreU32(raw_ + kOffChangeFlags, LoadU32(raw_ + kOffChangeFlags) | bits);
    StoreTime(kOffModified, LocalTimeNow());
    dirty_ = true;
}

uint32_t ItemRecord::ChangeFlags() const { return LoadU32(raw_ + kOffChangeFlags); }

void ItemRecord::ClearChangeFlags() {
    StoreU32(raw_ + kOffChangeFlags, 0);
    StoreTime(kOffModified, LocalTimeNow());
    dirty_ = false;
}

}  // namespace tl5
