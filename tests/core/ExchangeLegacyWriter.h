// Test-only writer of legacy wallets (".wal"), built from the layout the reader expects, so tests
// can make small legacy files of every shape. Not part of the product: the product only reads them.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "exchange/LegacyWallet.h"
#include "model/LittleEndian.h"
#include "model/Md5.h"
#include "model/Rc4.h"
#include "platform/CodePage.h"

namespace tl5::testing {

struct LegacyTagEntry {
    uint32_t tag;
    std::string bytes;
};

inline std::string LegacyText(const std::u16string& text, bool terminate = true) {
    std::string out;
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    if (terminate) out.append(2, '\0');
    return out;
}

inline std::string LegacyU32(uint32_t v) {
    std::string out(4, '\0');
    StoreU32(reinterpret_cast<uint8_t*>(out.data()), v);
    return out;
}

struct LegacyCardDraft {
    int32_t key = 1;
    int32_t folderKey = 1;
    int32_t formKey = 500;
    int32_t icon = 3;
    uint32_t textColour = 0x00112233;
    uint32_t backgroundColour = 0x00445566;
    uint16_t imageWord = 0;
    uint8_t boldFlags = 0;
    uint8_t soundFlags = 0;
    std::u16string name;
    bool encrypt = true;
    std::vector<LegacyTagEntry> tags;
    int32_t dataLengthOverride = -1;  // to make a data block that runs past the end
};

class LegacyWalletWriter {
public:
    explicit LegacyWalletWriter(const std::u16string& password, bool customForms = false,
                                const std::u16string& definitionFile = u"") {
        header_.assign(kLegacyHeaderSize, '\0');
        uint8_t* h = reinterpret_cast<uint8_t*>(header_.data());
        const std::string ident = LegacyIdentificationText();
        std::memcpy(h, ident.data(), ident.size());
        StoreU32(h + 76, kLegacyFirstMark);
        StoreU32(h + 124, customForms ? 1 : 0);
        const std::string name = LegacyText(definitionFile, false);
        std::memcpy(h + 128, name.data(), std::min<size_t>(name.size(), 518));
        for (int i = 0; i < 8; ++i) h[752 + i] = static_cast<uint8_t>(0x31 * i + 7);
        StoreU32(h + 840, kLegacySecondMark);
        // Verifier: RC4 under the reordered digest of the digest itself.
        std::string material(reinterpret_cast<const char*>(h + 752), 8);
        material += Utf16ToCodePage1252(password.substr(0, 63));
        material.push_back('\0');
        uint8_t d[16];
        Md5Digest(material.data(), material.size(), d);
        static constexpr int kOrder[16] = {12, 9, 11, 3, 7, 2, 10, 1, 5, 14, 4, 15, 13, 8, 0, 6};
        for (int i = 0; i < 16; ++i) key_[i] = d[kOrder[i]];
        Rc4State s;
        Rc4Schedule(&s, key_, 16);
        Rc4Crypt(&s, d, h + 816, 16);
    }

    std::string& Header() { return header_; }

    void AddFolder(int32_t key, const std::u16string& name, int32_t defaultFormKey = 500, int32_t icon = 72) {
        std::string r(kLegacyRecordSize, '\0');
        uint8_t* p = reinterpret_cast<uint8_t*>(r.data());
        StoreU32(p, kLegacyFolderMark);
        StoreI32(p + 4, key);
        StoreI32(p + 28, defaultFormKey);
        StoreI32(p + 32, icon);
        const std::string n = LegacyText(name, false);
        std::memcpy(p + 36, n.data(), std::min<size_t>(n.size(), kLegacyRecordSize - 36));
        body_ += r;
    }

    void AddCard(const LegacyCardDraft& c) {
        std::string data;
        for (const LegacyTagEntry& e : c.tags) data += LegacyU32(e.tag) + LegacyU32(static_cast<uint32_t>(e.bytes.size())) + e.bytes;
        if (c.encrypt && !data.empty()) {
            Rc4State s;
            Rc4Schedule(&s, key_, 16);
            uint8_t* p = reinterpret_cast<uint8_t*>(data.data());
            Rc4Crypt(&s, p, p, data.size());
        }
        std::string r(kLegacyRecordSize, '\0');
        uint8_t* p = reinterpret_cast<uint8_t*>(r.data());
        StoreU32(p, kLegacyCardMark);
        StoreI32(p + 4, c.key);
        StoreU32(p + 24, c.encrypt ? 1 : 0);
        StoreI32(p + 28, c.folderKey);
        StoreI32(p + 32, c.formKey);
        StoreI32(p + 36, c.icon);
        StoreU32(p + 48, c.textColour);
        StoreU32(p + 52, c.backgroundColour);
        StoreU32(p + 68, c.dataLengthOverride >= 0 ? static_cast<uint32_t>(c.dataLengthOverride)
                                                   : static_cast<uint32_t>(data.size()));
        StoreU16(p + 72, c.imageWord);
        p[74] = c.boldFlags;
        p[75] = c.soundFlags;
        const std::string n = LegacyText(c.name, false);
        std::memcpy(p + 76, n.data(), std::min<size_t>(n.size(), kLegacyRecordSize - 76));
        body_ += r + data;
    }

    void AddRaw(const std::string& bytes) { body_ += bytes; }

    std::string Bytes() const { return header_ + body_; }
    const uint8_t* Key() const { return key_; }

private:
    std::string header_;
    std::string body_;
    uint8_t key_[16] = {};
};

}  // namespace tl5::testing
