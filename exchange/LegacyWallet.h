// Legacy wallets (".wal") of the earlier product generation, read only: the header check, the
// password check with its record key, the folder and card records and the tag lists of card data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/File.h"

namespace tl5 {

constexpr size_t kLegacyHeaderSize = 844;
constexpr size_t kLegacyRecordSize = 252;
constexpr uint32_t kLegacyFirstMark = 0xB8161967;
constexpr uint32_t kLegacySecondMark = 0xB1281966;
constexpr uint32_t kLegacyFolderMark = 0x404F4F40;
constexpr uint32_t kLegacyCardMark = 0x26F4F426;

// Tags of the entries of a card's data block (besides the keys of form fields).
enum LegacyTag : uint32_t {
    kLegacyTagNotes = 400,
    kLegacyTagImage = 450,
    kLegacyTagImageFormat = 451,
    kLegacyTagImageName = 452,
    kLegacyTagSound = 460,
    kLegacyTagSoundName = 461,
};

// The identification text at the start of a legacy file, as stored (Windows-1252), 64 bytes with
// the zero bytes that follow it. Only its first 40 bytes are compared when reading.
std::string LegacyIdentificationText();
constexpr size_t kLegacyIdentificationCompared = 40;

struct LegacyHeader {
    bool customFormsInUse = false;
    std::u16string definitionFileName;  // without folder
    uint8_t salt[8] = {};
    uint8_t verifier[16] = {};
};

// Checks the 844-byte header of an open file: size, identification text and both marks. 0 when it
// is a legacy wallet, 4 otherwise (the conversion's "not a legacy wallet").
int ReadLegacyHeader(File& file, LegacyHeader* header);

// The legacy record key of a password, or false when the password is wrong (or empty). The key is
// the salted MD5 digest of the password in the device code page, reordered.
bool LegacyRecordKey(const LegacyHeader& header, const std::u16string& password, uint8_t key[16]);

struct LegacyFolder {
    int32_t key = 0;
    int32_t defaultFormKey = 0;
    int32_t icon = 0;
    std::u16string name;
};

struct LegacyCard {
    int32_t key = 0;
    bool encrypted = false;
    int32_t folderKey = 0;
    int32_t formKey = 0;
    int32_t icon = 0;
    uint32_t textColour = 0;
    uint32_t backgroundColour = 0;
    uint32_t dataLength = 0;
    uint16_t imageWord = 0;
    uint8_t boldFlags = 0;   // bit 0 field data bold, bit 1 field names bold
    uint8_t soundFlags = 0;  // bit 0 the card has a sound
    std::u16string name;
    uint64_t dataOffset = 0;  // where the data block starts in the file
};

struct LegacyRecords {
    std::vector<LegacyFolder> folders;
    std::vector<LegacyCard> cards;
};

// Reads the record sequence after the header, in file order, until the end of the file or a
// record with an unknown mark. A folder or card record cut off by the end of the file, or a card
// whose data block runs past the end, is damage: 4 and no records. 0 otherwise.
int ReadLegacyRecords(File& file, LegacyRecords* records);

// Reads a card's data block and decrypts it under the legacy record key when the record says so.
// False when it cannot be read whole.
bool ReadLegacyCardData(File& file, const LegacyCard& card, const uint8_t key[16], std::string* data);

// Lookup of one tag in a data block (the first entry carrying it). An entry of length 0, or one
// whose bytes run past the block, counts as absent.
class LegacyTagList {
public:
    LegacyTagList(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    // The entry's bytes, or false when absent.
    bool Find(uint32_t tag, const uint8_t** bytes, size_t* length) const;
    // A UTF-16 text up to its NUL (or the entry's end); empty when absent.
    std::u16string Text(uint32_t tag) const;
    // A 32-bit value from an entry of at least 4 bytes.
    bool Value(uint32_t tag, uint32_t* value) const;

private:
    const uint8_t* data_;
    size_t size_;
};

}  // namespace tl5
