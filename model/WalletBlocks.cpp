#include "model/WalletBlocks.h"

#include <cstring>
#include <new>

#include "model/ItemRecord.h"
#include "model/LittleEndian.h"
#include "platform/Random.h"
#include "platform/SecureZero.h"
#include "resources/StringTable.h"

namespace tl5 {

const char kSignatureText[] =
    "Ostrova Works\xAE Tessellock\xAE File\r\n"
    "http://www.ostrovaworks.com\r\n";
const char kSignatureVersion[] = "(5.00a)";

static_assert(sizeof(kSignatureText) == kSignatureTextLength + 1, "the signature text is 62 bytes");

namespace {

constexpr const char* kHeaderBeginMark = "{5D42A212-031B-44D9-A2CA-DC16CAE4F927}";
constexpr const char* kHeaderEndMark = "{9038FB41-B592-47FC-825D-AF7493AC18AF}";
constexpr const char* kSettingsBeginMark = "{4E82F7C8-0D69-4411-9985-9EDC1420E9AB}";
constexpr const char* kSettingsEndMark = "{68B001AA-550F-4ECE-9D3B-EA3814C6E6EE}";

bool HasMark(const uint8_t* at, const char* guid) {
    uint8_t mark[16];
    GuidToBytes(guid, mark);
    return std::memcmp(at, mark, 16) == 0;
}

void PutMark(uint8_t* at, const char* guid) { GuidToBytes(guid, at); }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

}  // namespace

void GuidToBytes(const char* text, uint8_t out[16]) {
    uint8_t b[16];
    int n = 0;
    for (const char* p = text; *p && n < 32; ++p) {
        if (*p == '{' || *p == '}' || *p == '-') continue;
        if (n % 2 == 0) b[n / 2] = static_cast<uint8_t>(HexDigit(*p) << 4);
        else b[n / 2] = static_cast<uint8_t>(b[n / 2] | HexDigit(*p));
        ++n;
    }
    const int order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    for (int k = 0; k < 16; ++k) out[k] = b[order[k]];
}

// ---- FileSignature -------------------------------------------------------------------------------

void FileSignature::Reset() {
    std::memset(raw_, 0, sizeof raw_);
    valid_ = false;
    dirty_ = true;  // a new signature still has to be written
}

void FileSignature::Initialize() {
    Reset();
    std::memcpy(raw_, kSignatureText, kSignatureTextLength);
    std::memcpy(raw_ + 64, kSignatureVersion, 7);
    raw_[72] = 'W';
    raw_[73] = 'M';
    valid_ = true;
}

int FileSignature::Read() {
    valid_ = false;
    const int rc = ReadBytes(raw_, kSize);
    if (rc != kBlockOk) return rc;
    dirty_ = false;
    // The NUL-terminated text at offset 0 must equal the signature text exactly.
    valid_ = std::memcmp(raw_, kSignatureText, kSignatureTextLength + 1) == 0;
    return kBlockOk;
}

int FileSignature::Write() {
    if (!valid_) return kBlockNoBuffer;
    raw_[72] = 'W';
    raw_[73] = 'M';
    raw_[74] = 0;
    raw_[75] = 0;
    const int rc = WriteBytes(raw_, kSize);
    if (rc == kBlockOk) dirty_ = false;
    return rc;
}

int FileSignature::Skip() {
    if (!file_) return kBlockNoFile;
    file_->Skip(kSize);
    return kBlockOk;
}

bool FileSignature::IsVersionAccepted() const {
    for (size_t k = 64; k + 1 < 72 && raw_[k]; ++k)
        if (raw_[k] == '5' && raw_[k + 1] == '.') return true;
    return false;
}

std::string FileSignature::VersionText() const {
    std::string s;
    for (size_t k = 64; k < 72 && raw_[k]; ++k) s.push_back(static_cast<char>(raw_[k]));
    return s;
}

// ---- WalletHeader --------------------------------------------------------------------------------

WalletHeader::WalletHeader() : StoredBlock(kSize) {
    std::memset(raw_, 0, sizeof raw_);
    recordKey_ = std::make_shared<CipherKey>();
}

WalletHeader::~WalletHeader() {
    headerKey_.Clear();
    if (recordKey_) recordKey_->Clear();
    SecureZero(raw_, sizeof raw_);
}

void WalletHeader::Reset() {
    SecureZero(raw_, sizeof raw_);
    headerKey_.Clear();
    if (recordKey_) recordKey_->Clear();
    try {
        recordKey_ = std::make_shared<CipherKey>();
    } catch (const std::bad_alloc&) {
        // keep the cleared object
    }
    valid_ = false;
    dirty_ = false;
}

bool WalletHeader::Initialize(std::u16string_view password, std::u16string_view hint) {
    Reset();
    if (!IsValidNewWalletPassword(password)) return false;
    PutMark(raw_ + kOffBeginMark, kHeaderBeginMark);
    PutMark(raw_ + kOffEndMark, kHeaderEndMark);
    const SystemTime now = LocalTimeNow();
    StoreSystemTime(raw_ + kOffLastChange, now);
    StoreSystemTime(raw_ + kOffKeyTime, now);
    StoreU32(raw_ + kOffOne, 1);
    if (!DeriveHeaderKey(now, &headerKey_)) return false;
    uint8_t k[16];
    if (!PasswordKeyMaterial(headerKey_, password, k)) return false;
    std::memcpy(raw_ + kOffVerifier, k, 16);
    headerKey_.Encrypt(k, 16, raw_ + kOffStoredKey);
    const bool keyed = recordKey_->SetKey(k);
    SecureZero(k, sizeof k);
    if (!keyed) return false;
    SetSlot(kOffHint, kHintSlotSize, kMaxHintLength, hint);
    for (int node = 1; node <= kSpecialNodeCount; ++node) {
        const char16_t* label = StringTableLookup(SpecialNodeDefaultLabelId(node));
        SetSlot(LabelOffset(node), kLabelSlotSize, kMaxLabelLength, label ? label : u"");
        StoreI32(raw_ + IconOffset(node), SpecialNodeDefaultIcon(node));
    }
    valid_ = true;
    dirty_ = true;
    return true;
}

int WalletHeader::Read() {
    valid_ = false;
    headerKey_.Clear();
    recordKey_->Clear();
    const int rc = ReadBytes(raw_, kSize);
    if (rc != kBlockOk) return rc;
    if (!HasMark(raw_ + kOffBeginMark, kHeaderBeginMark) || !HasMark(raw_ + kOffEndMark, kHeaderEndMark))
        return kBlockInvalid;
    if (!DeriveHeaderKey(KeyTime(), &headerKey_)) return kBlockInvalid;
    uint8_t k[16];
    headerKey_.Decrypt(raw_ + kOffStoredKey, 16, k);
    recordKey_->SetKey(k);
    SecureZero(k, sizeof k);
    valid_ = true;
    dirty_ = false;
    return kBlockOk;
}

int WalletHeader::Write() {
    StoreU32(raw_ + kOffRandom1, Random32());
    StoreU32(raw_ + kOffRandom2, Random32());
    const int rc = WriteBytes(raw_, kSize);
    if (rc == kBlockOk) dirty_ = false;
    return rc;
}

int WalletHeader::Skip() {
    if (!file_) return kBlockNoFile;
    file_->Skip(kSize);
    return kBlockOk;
}

void WalletHeader::MarkChanged(uint32_t bits) {
    StoreU32(raw_ + kOffChangeFlags, LoadU32(raw_ + kOffChangeFlags) | bits);
    StoreSystemTime(raw_ + kOffLastChange, LocalTimeNow());
    dirty_ = true;
}

uint32_t WalletHeader::ChangeFlags() const { return LoadU32(raw_ + kOffChangeFlags); }

void WalletHeader::ClearChangeFlags() {
    StoreU32(raw_ + kOffChangeFlags, 0);
    dirty_ = true;
}

bool WalletHeader::IsPasswordSet() const {
    for (size_t k = 0; k < 16; ++k)
        if (raw_[kOffVerifier + k]) return true;
    return false;
}

bool WalletHeader::CheckPassword(std::u16string_view password) const {
    if (!headerKey_.IsKeyed() || !IsValidPassword(password)) return false;
    uint8_t k[16];
    if (!PasswordKeyMaterial(headerKey_, password, k)) return false;
    uint8_t diff = 0;
    for (size_t n = 0; n < 16; ++n) diff = static_cast<uint8_t>(diff | (k[n] ^ raw_[kOffVerifier + n]));
    SecureZero(k, sizeof k);
    return diff == 0;
}

bool WalletHeader::SetPassword(std::u16string_view password) {
    if (!IsValidPassword(password)) return false;
    uint8_t k[16];
    if (!PasswordKeyMaterial(headerKey_, password, k)) return false;
    std::memcpy(raw_ + kOffVerifier, k, 16);
    SecureZero(k, sizeof k);
    MarkChanged(kHeaderPasswordChanged);
    return true;
}

bool WalletHeader::SetSlot(size_t offset, size_t size, size_t maxChars, std::u16string_view text) {
    if (text.size() > maxChars) text = text.substr(0, maxChars);
    uint8_t* slot = raw_ + offset;
    if (text.empty()) {
        std::memset(slot, 0, size);
        return true;
    }
    if (!headerKey_.IsKeyed()) return false;
    uint8_t plain[kHintSlotSize] = {};
    for (size_t k = 0; k < text.size(); ++k) StoreU16(plain + 2 * k, static_cast<uint16_t>(text[k]));
    headerKey_.Encrypt(plain, size, slot);
    SecureZero(plain, sizeof plain);
    return true;
}

std::u16string WalletHeader::GetSlot(size_t offset, size_t size) const {
    const uint8_t* slot = raw_ + offset;
    bool empty = true;
    for (size_t k = 0; k < size && empty; ++k) empty = slot[k] == 0;
    if (empty || !headerKey_.IsKeyed()) return std::u16string();
    uint8_t plain[kHintSlotSize];
    headerKey_.Decrypt(slot, size, plain);
    std::u16string text;
    for (size_t k = 0; k + 1 < size; k += 2) {
        const char16_t c = static_cast<char16_t>(LoadU16(plain + k));
        if (!c) break;
        text.push_back(c);
    }
    SecureZero(plain, sizeof plain);
    return text;
}

bool WalletHeader::HasHint() const {
    for (size_t k = 0; k < kHintSlotSize; ++k)
        if (raw_[kOffHint + k]) return true;
    return false;
}

std::u16string WalletHeader::Hint() const { return GetSlot(kOffHint, kHintSlotSize); }

bool WalletHeader::SetHint(std::u16string_view hint) {
    if (!SetSlot(kOffHint, kHintSlotSize, kMaxHintLength, hint)) return false;
    MarkChanged(kHeaderHintChanged);
    return true;
}

size_t WalletHeader::LabelOffset(int node) {
    return node == 1 ? kOffLabel1 : node == 2 ? kOffLabel2 : kOffLabel3;
}

size_t WalletHeader::IconOffset(int node) {
    return node == 1 ? kOffIcon1 : node == 2 ? kOffIcon2 : kOffIcon3;
}

std::u16string WalletHeader::Label(int node) const {
    if (node < 1 || node > kSpecialNodeCount) return std::u16string();
    return GetSlot(LabelOffset(node), kLabelSlotSize);
}

bool WalletHeader::SetLabel(int node, std::u16string_view label) {
    if (node < 1 || node > kSpecialNodeCount) return false;
    if (!SetSlot(LabelOffset(node), kLabelSlotSize, kMaxLabelLength, label)) return false;
    MarkChanged(kHeaderSpecialNodeChanged);
    return true;
}

int32_t WalletHeader::NodeIcon(int node) const {
    if (node < 1 || node > kSpecialNodeCount) return 0;
    return LoadI32(raw_ + IconOffset(node));
}

void WalletHeader::SetNodeIcon(int node, int32_t icon) {
    if (node < 1 || node > kSpecialNodeCount) return;
    StoreI32(raw_ + IconOffset(node), icon);
    MarkChanged(kHeaderSpecialNodeChanged);
}

SystemTime WalletHeader::KeyTime() const { return LoadSystemTime(raw_ + kOffKeyTime); }
SystemTime WalletHeader::LastChange() const { return LoadSystemTime(raw_ + kOffLastChange); }

// ---- WalletSettings ------------------------------------------------------------------------------

void WalletSettings::Reset() {
    std::memset(raw_, 0, sizeof raw_);
    valid_ = false;
    dirty_ = false;
}

void WalletSettings::Initialize() {
    Reset();
    PutMark(raw_ + kOffBeginMark, kSettingsBeginMark);
    PutMark(raw_ + kOffEndMark, kSettingsEndMark);
    static const uint32_t kCardHead[16] = {0, 0x00FFFFFF, 0x00800000, 0x00FFFFFF, 0, 0x00FFFFFF, 0x00FF0000, 9,
                                           0, 0,          0,          9,          0, 0,          0,          0};
    for (int w = 0; w < 16; ++w) StoreU32(raw_ + kOffCardHead + 4 * w, kCardHead[w]);
    StoreU32(raw_ + 100, 5);
    StoreU32(raw_ + 104, 5);
    StoreU32(raw_ + kOffAutoClose, 5);
    StoreU32(raw_ + kOffFolderColour, 0x00FF0000);
    valid_ = true;
    dirty_ = true;
}

int WalletSettings::Read() {
    dirty_ = false;
    valid_ = false;
    const int rc = ReadBytes(raw_, kSize);
    if (rc != kBlockOk) return rc;
    if (!HasMark(raw_ + kOffBeginMark, kSettingsBeginMark) || !HasMark(raw_ + kOffEndMark, kSettingsEndMark))
        return kBlockInvalid;
    valid_ = true;
    return kBlockOk;
}

int WalletSettings::Write() {
    const int rc = WriteBytes(raw_, kSize);
    if (rc == kBlockOk) dirty_ = false;
    return rc;
}

int WalletSettings::Skip() {
    if (!file_) return kBlockNoFile;
    file_->Skip(kSize);
    return kBlockOk;
}

void WalletSettings::MarkChanged(uint32_t bits) {
    StoreU32(raw_ + kOffChangeFlags, LoadU32(raw_ + kOffChangeFlags) | bits);
    StoreSystemTime(raw_ + kOffLastChange, LocalTimeNow());
    dirty_ = true;
}

uint32_t WalletSettings::ChangeFlags() const { return LoadU32(raw_ + kOffChangeFlags); }

void WalletSettings::ClearChangeFlags() {
    StoreU32(raw_ + kOffChangeFlags, 0);
    dirty_ = true;
}

uint32_t WalletSettings::CardHeadDefault(int word) const {
    return word >= 0 && word < 16 ? LoadU32(raw_ + kOffCardHead + 4 * word) : 0;
}

void WalletSettings::SetCardHeadDefault(int word, uint32_t value) {
    if (word < 0 || word >= 16) return;
    StoreU32(raw_ + kOffCardHead + 4 * word, value);
    MarkChanged(0);
}

uint32_t WalletSettings::AutoCloseMinutes() const { return LoadU32(raw_ + kOffAutoClose); }

bool WalletSettings::SetAutoCloseMinutes(uint32_t minutes) {
    switch (minutes) {
        case 0: case 1: case 5: case 10: case 30: case 60: break;
        default: return false;
    }
    StoreU32(raw_ + kOffAutoClose, minutes);
    MarkChanged(kSettingsSecurityChanged);
    return true;
}

bool WalletSettings::CloseOnSwitch() const { return LoadU32(raw_ + kOffCloseOnSwitch) != 0; }

void WalletSettings::SetCloseOnSwitch(bool close) {
    StoreU32(raw_ + kOffCloseOnSwitch, close ? 1 : 0);
    MarkChanged(kSettingsSecurityChanged);
}

uint32_t WalletSettings::FolderColour() const { return LoadU32(raw_ + kOffFolderColour); }
uint32_t WalletSettings::CardColour() const { return LoadU32(raw_ + kOffCardColour); }
void WalletSettings::SetFolderColour(uint32_t colour) {
    StoreU32(raw_ + kOffFolderColour, colour);
    MarkChanged(0);
}
void WalletSettings::SetCardColour(uint32_t colour) {
    StoreU32(raw_ + kOffCardColour, colour);
    MarkChanged(0);
}

int WalletSettings::FavoriteCount() const {
    int n = 0;
    while (n < kMaxFavorites && !FavoriteAt(n).IsNull()) ++n;
    return n;
}

ItemId WalletSettings::FavoriteAt(int index) const {
    if (index < 0 || index >= kMaxFavorites) return ItemId();
    return ItemId::FromBytes(raw_ + kOffFavorites + 16 * index);
}

bool WalletSettings::IsFavorite(const ItemId& id) const {
    if (id.IsNull()) return false;
    const int n = FavoriteCount();
    for (int k = 0; k < n; ++k)
        if (FavoriteAt(k) == id) return true;
    return false;
}

bool WalletSettings::AddFavorite(const ItemId& id) {
    const int n = FavoriteCount();
    if (id.IsNull() || n >= kMaxFavorites || IsFavorite(id)) return false;
    std::memcpy(raw_ + kOffFavorites + 16 * n, id.bytes, 16);
    MarkChanged(kSettingsFavoritesChanged);
    return true;
}

bool WalletSettings::RemoveFavorite(const ItemId& id) {
    const int n = FavoriteCount();
    for (int k = 0; k < n; ++k) {
        if (FavoriteAt(k) == id) {
            uint8_t* base = raw_ + kOffFavorites;
            std::memmove(base + 16 * k, base + 16 * (k + 1), 16 * (n - k - 1));
            std::memset(base + 16 * (n - 1), 0, 16);
            MarkChanged(kSettingsFavoritesChanged);
            return true;
        }
    }
    return false;
}

SystemTime WalletSettings::LastChange() const { return LoadSystemTime(raw_ + kOffLastChange); }

}  // namespace tl5
