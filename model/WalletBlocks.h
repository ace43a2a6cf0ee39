// The three fixed blocks at the start of a wallet file: FileSignature (76 bytes at offset 0),
// WalletHeader (3148 bytes at 76) and WalletSettings (1756 bytes at 3224). Item records follow at 4980.
//
// The wallet file as a whole, with a worked example: docs/wallet-format.md.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/CipherKey.h"
#include "model/ItemId.h"
#include "model/StoredBlock.h"
#include "platform/LocalTime.h"

namespace tl5 {

constexpr uint64_t kFileSignatureOffset = 0;
constexpr uint64_t kWalletHeaderOffset = 76;
constexpr uint64_t kWalletSettingsOffset = 3224;
constexpr uint64_t kFirstRecordOffset = 4980;

// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" into the stored GUID layout (first three groups
// little-endian, the last eight bytes as written).
void GuidToBytes(const char* text, uint8_t out[16]);

// The signature text (62 single-byte characters and the NUL).
extern const char kSignatureText[];
constexpr size_t kSignatureTextLength = 62;
extern const char kSignatureVersion[];  // "(5.00a)"

class FileSignature : public StoredBlock {
public:
    static constexpr size_t kSize = 76;
    FileSignature() : StoredBlock(kSize) { Reset(); }

    void Reset();
    // Text, version, "WM"; valid and dirty.
    void Initialize();
    // Read: the signature text must match for the block to be valid; a mismatch is not a read error.
    int Read() override;
    // Refused with kBlockNoBuffer unless valid; stores "WM" at 72 first.
    int Write() override;
    int Skip() override;
    void MarkChanged(uint32_t) override {}
    uint32_t ChangeFlags() const override { return 0; }
    void ClearChangeFlags() override {}

    // True when the version text (at offset 64) contains "5.".
    bool IsVersionAccepted() const;
    std::string VersionText() const;
    const uint8_t* Raw() const { return raw_; }

private:
    uint8_t raw_[kSize];
};

class WalletHeader : public StoredBlock {
public:
    static constexpr size_t kSize = 3148;
    static constexpr size_t kHintSlotSize = 512;
    static constexpr size_t kMaxHintLength = 255;
    static constexpr size_t kLabelSlotSize = 128;
    static constexpr size_t kMaxLabelLength = 63;
    enum Offset : size_t {
        kOffBeginMark = 0, kOffLastChange = 16, kOffChangeFlags = 32, kOffOne = 36, kOffVerifier = 40,
        kOffStoredKey = 56, kOffRandom1 = 72, kOffKeyTime = 76, kOffRandom2 = 108, kOffHint = 432,
        kOffLabel1 = 2608, kOffLabel2 = 2736, kOffLabel3 = 2864, kOffIcon1 = 2992, kOffIcon3 = 2996,
        kOffIcon2 = 3000, kOffEndMark = 3132,
    };

    WalletHeader();
    ~WalletHeader() override;
    WalletHeader(const WalletHeader&) = delete;
    WalletHeader& operator=(const WalletHeader&) = delete;

    // Empties the block and clears both keys (records still referring to the old RecordKey see it cleared).
    void Reset();
    // A new header for a new wallet with this password (3 to 23 characters; false otherwise) and hint
    // (empty: none). The key time stamp and the last change are now; labels and icons take their defaults.
    bool Initialize(std::u16string_view password, std::u16string_view hint);

    // Read: both marks must be present (kBlockInvalid otherwise); derives the HeaderKey and the RecordKey.
    int Read() override;
    // Draws the two pseudo-random words, writes; clean when the write succeeded.
    int Write() override;
    int Skip() override;
    void MarkChanged(uint32_t bits) override;
    uint32_t ChangeFlags() const override;
    void ClearChangeFlags() override;

    const CipherKey& HeaderKey() const { return headerKey_; }
    // The RecordKey, shared with the item records of the open wallet.
    const std::shared_ptr<CipherKey>& RecordKey() const { return recordKey_; }

    bool IsPasswordSet() const;
    // True exactly when K(P) equals the stored verifier; false for an invalid password or no HeaderKey.
    bool CheckPassword(std::u16string_view password) const;
    // Changes the verifier only (the RecordKey stays); change flag 1. False for an invalid password.
    bool SetPassword(std::u16string_view password);

    bool HasHint() const;
    std::u16string Hint() const;
    // Empty hint: an all-zero slot. Change flag 2. False when there is no HeaderKey.
    bool SetHint(std::u16string_view hint);

    // Special node 1-3: label (empty when unset) and icon index. Setting marks change flag 16.
    std::u16string Label(int node) const;
    bool SetLabel(int node, std::u16string_view label);
    int32_t NodeIcon(int node) const;
    void SetNodeIcon(int node, int32_t icon);

    SystemTime KeyTime() const;
    SystemTime LastChange() const;
    const uint8_t* Raw() const { return raw_; }

private:
    bool SetSlot(size_t offset, size_t size, size_t maxChars, std::u16string_view text);
    std::u16string GetSlot(size_t offset, size_t size) const;
    static size_t LabelOffset(int node);
    static size_t IconOffset(int node);

    uint8_t raw_[kSize];
    CipherKey headerKey_;
    std::shared_ptr<CipherKey> recordKey_;
};

class WalletSettings : public StoredBlock {
public:
    static constexpr size_t kSize = 1756;
    static constexpr int kMaxFavorites = 32;
    enum Offset : size_t {
        kOffBeginMark = 0, kOffLastChange = 16, kOffChangeFlags = 32, kOffCardHead = 36, kOffCloseOnSwitch = 108,
        kOffAutoClose = 112, kOffFolderColour = 124, kOffCardColour = 128, kOffFavorites = 300, kOffEndMark = 1740,
    };

    WalletSettings() : StoredBlock(kSize) { Reset(); }
    void Reset();
    // Defaults of a new wallet; valid and dirty.
    void Initialize();

    int Read() override;
    int Write() override;
    int Skip() override;
    void MarkChanged(uint32_t bits) override;
    uint32_t ChangeFlags() const override;
    void ClearChangeFlags() override;

    // Card view defaults: the 16 words of the CardHead copied into every new card.
    uint32_t CardHeadDefault(int word) const;
    void SetCardHeadDefault(int word, uint32_t value);
    const uint8_t* CardHeadDefaults() const { return raw_ + kOffCardHead; }

    uint32_t AutoCloseMinutes() const;
    // 0, 1, 5, 10, 30 or 60 (other values are refused); change flag 0x10000.
    bool SetAutoCloseMinutes(uint32_t minutes);
    bool CloseOnSwitch() const;
    void SetCloseOnSwitch(bool close);  // change flag 0x10000
    uint32_t FolderColour() const;
    uint32_t CardColour() const;
    void SetFolderColour(uint32_t colour);
    void SetCardColour(uint32_t colour);

    // Favourites: used slots first, no duplicates, at most 32.
    int FavoriteCount() const;
    ItemId FavoriteAt(int index) const;
    bool IsFavorite(const ItemId& id) const;
    bool AddFavorite(const ItemId& id);     // false when full, null or already present
    bool RemoveFavorite(const ItemId& id);  // false when absent

    SystemTime LastChange() const;
    const uint8_t* Raw() const { return raw_; }

private:
    uint8_t raw_[kSize];
};

}  // namespace tl5
