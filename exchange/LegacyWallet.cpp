#include "exchange/LegacyWallet.h"

#include <cstring>
#include <new>

#include "model/LittleEndian.h"
#include "model/Md5.h"
#include "model/Rc4.h"
#include "platform/CodePage.h"
#include "platform/SecureZero.h"

namespace tl5 {

namespace {

constexpr size_t kCustomFormsOffset = 124;
constexpr size_t kDefinitionNameOffset = 128;
constexpr size_t kDefinitionNameBytes = 520;
constexpr size_t kSaltOffset = 752;
constexpr size_t kVerifierOffset = 816;

std::u16string SlotText(const uint8_t* p, size_t bytes) {
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes; i += 2) {
        const char16_t c = static_cast<char16_t>(p[i] | (p[i + 1] << 8));
        if (c == 0) break;
        text.push_back(c);
    }
    return text;
}

}  // namespace

std::string LegacyIdentificationText() {
    std::string text = "Ostrova Works\xAE Tessellock\xAE File\r\nhttp://www.ostrovaworks.com\r\n\r\n";
    text.resize(64, '\0');
    return text;
}

int ReadLegacyHeader(File& file, LegacyHeader* header) {
    constexpr int kNotLegacy = 4;
    uint64_t size = 0;
    if (!file.GetSize(&size) || size < kLegacyHeaderSize) return kNotLegacy;
    uint8_t bytes[kLegacyHeaderSize];
    size_t got = 0;
    if (!file.ReadAt(0, bytes, sizeof bytes, &got) || got != sizeof bytes) return kNotLegacy;
    const std::string ident = LegacyIdentificationText();
    if (std::memcmp(bytes, ident.data(), kLegacyIdentificationCompared) != 0) return kNotLegacy;
    if (LoadU32(bytes + 76) != kLegacyFirstMark || LoadU32(bytes + 840) != kLegacySecondMark) return kNotLegacy;
    if (header != nullptr) {
        header->customFormsInUse = LoadU32(bytes + kCustomFormsOffset) != 0;
        header->definitionFileName = SlotText(bytes + kDefinitionNameOffset, kDefinitionNameBytes);
        std::memcpy(header->salt, bytes + kSaltOffset, 8);
        std::memcpy(header->verifier, bytes + kVerifierOffset, 16);
    }
    return 0;
}

bool LegacyRecordKey(const LegacyHeader& header, const std::u16string& password, uint8_t key[16]) {
    if (password.empty()) return false;
    // The password in the device code page, at most 63 bytes, with its terminating zero.
    uint8_t material[8 + 64] = {};
    std::memcpy(material, header.salt, 8);
    size_t n = 0;
    for (; n < password.size() && n < 63; ++n) Utf16ToCodePage1252(password[n], &material[8 + n]);
    material[8 + n] = 0;
    ++n;
    uint8_t d[16];
    Md5Digest(material, 8 + n, d);
    static constexpr int kOrder[16] = {12, 9, 11, 3, 7, 2, 10, 1, 5, 14, 4, 15, 13, 8, 0, 6};
    uint8_t k[16];
    for (int i = 0; i < 16; ++i) k[i] = d[kOrder[i]];
    uint8_t check[16];
    Rc4State state;
    Rc4Schedule(&state, k, 16);
    Rc4Crypt(&state, header.verifier, check, 16);
    const bool right = std::memcmp(check, d, 16) == 0;
    if (right) std::memcpy(key, k, 16);
    SecureZero(material, sizeof material);
    SecureZero(d, sizeof d);
    SecureZero(k, sizeof k);
    SecureZero(check, sizeof check);
    SecureZero(&state, sizeof state);
    return right;
}

int ReadLegacyRecords(File& file, LegacyRecords* records) {
    constexpr int kDamaged = 4;
    records->folders.clear();
    records->cards.clear();
    uint64_t size = 0;
    if (!file.GetSize(&size)) return kDamaged;
    try {
        uint64_t at = kLegacyHeaderSize;
        while (at < size) {
            uint8_t r[kLegacyRecordSize];
            size_t got = 0;
            if (!file.ReadAt(at, r, sizeof r, &got)) return kDamaged;
            if (got < 4) break;
            const uint32_t mark = LoadU32(r);
            if (mark != kLegacyFolderMark && mark != kLegacyCardMark) break;
            if (got < sizeof r) {  // a record cut off by the end of the file
                records->folders.clear();
                records->cards.clear();
                return kDamaged;
            }
            at += kLegacyRecordSize;
            if (mark == kLegacyFolderMark) {
                LegacyFolder f;
                f.key = LoadI32(r + 4);
                f.defaultFormKey = LoadI32(r + 28);
                f.icon = LoadI32(r + 32);
                f.name = SlotText(r + 36, kLegacyRecordSize - 36);
                records->folders.push_back(std::move(f));
            } else {
                LegacyCard c;
                c.key = LoadI32(r + 4);
                c.encrypted = LoadU32(r + 24) == 1;
                c.folderKey = LoadI32(r + 28);
                c.formKey = LoadI32(r + 32);
                c.icon = LoadI32(r + 36);
                c.textColour = LoadU32(r + 48);
                c.backgroundColour = LoadU32(r + 52);
                c.dataLength = LoadU32(r + 68);
                c.imageWord = LoadU16(r + 72);
                c.boldFlags = r[74];
                c.soundFlags = r[75];
                c.name = SlotText(r + 76, kLegacyRecordSize - 76);
                c.dataOffset = at;
                if (c.dataLength > size - at) {  // the data block runs past the end of the file
                    records->folders.clear();
                    records->cards.clear();
                    return kDamaged;
                }
                at += c.dataLength;
                records->cards.push_back(std::move(c));
            }
        }
        return 0;
    } catch (const std::bad_alloc&) {
        records->folders.clear();
        records->cards.clear();
        return kDamaged;
    }
}

bool ReadLegacyCardData(File& file, const LegacyCard& card, const uint8_t key[16], std::string* data) {
    data->clear();
    if (card.dataLength == 0) return true;
    uint64_t size = 0;
    if (!file.GetSize(&size) || card.dataOffset > size || card.dataLength > size - card.dataOffset) return false;
    try {
        data->resize(card.dataLength);
    } catch (const std::bad_alloc&) {
        return false;
    }
    size_t got = 0;
    if (!file.ReadAt(card.dataOffset, data->data(), data->size(), &got) || got != data->size()) {
        data->clear();
        return false;
    }
    if (card.encrypted) {
        Rc4State state;
        Rc4Schedule(&state, key, 16);
        uint8_t* p = reinterpret_cast<uint8_t*>(data->data());
        Rc4Crypt(&state, p, p, data->size());
        SecureZero(&state, sizeof state);
    }
    return true;
}

bool LegacyTagList::Find(uint32_t tag, const uint8_t** bytes, size_t* length) const {
    size_t p = 0;
    while (size_ > 8 && p < size_ - 8) {
        const uint32_t t = LoadU32(data_ + p);
        const uint32_t len = LoadU32(data_ + p + 4);
        if (len > size_ - p - 8) return false;  // runs past the block
        if (t == tag) {
            if (len == 0) return false;
            *bytes = data_ + p + 8;
            *length = len;
            return true;
        }
        p += 8 + static_cast<size_t>(len);
    }
    return false;
}

std::u16string LegacyTagList::Text(uint32_t tag) const {
    const uint8_t* p = nullptr;
    size_t n = 0;
    if (!Find(tag, &p, &n)) return {};
    return SlotText(p, n);
}

bool LegacyTagList::Value(uint32_t tag, uint32_t* value) const {
    const uint8_t* p = nullptr;
    size_t n = 0;
    if (!Find(tag, &p, &n) || n < 4) return false;
    *value = LoadU32(p);
    return true;
}

}  // namespace tl5
