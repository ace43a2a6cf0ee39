#include "exchange/FormFile.h"

#include <cstring>
#include <new>
#include <vector>

#include "model/CardBody.h"
#include "model/ItemRecord.h"
#include "model/LittleEndian.h"
#include "platform/SecureZero.h"

namespace tl5 {

namespace {

constexpr char kFormText[] = "Ostrova Works\xAE Tessellock\xAE Pro Form";
constexpr size_t kOffVersion = 64;
constexpr size_t kOffDescription = 68;
constexpr size_t kDescriptionSlot = 256;
constexpr size_t kOffAuthor = 324;
constexpr size_t kAuthorSlot = 128;
constexpr size_t kOffWritten = 452;

void StoreText(uint8_t* slot, size_t slotBytes, std::u16string_view text, size_t maxChars) {
    std::memset(slot, 0, slotBytes);
    const size_t n = std::min(text.size(), maxChars);
    for (size_t i = 0; i < n; ++i) StoreU16(slot + 2 * i, static_cast<uint16_t>(text[i]));
}

std::u16string LoadText(const uint8_t* slot, size_t slotBytes, size_t maxChars) {
    std::u16string text;
    for (size_t i = 0; i + 1 < slotBytes && text.size() < maxChars; i += 2) {
        const char16_t c = static_cast<char16_t>(LoadU16(slot + i));
        if (c == 0) break;
        text.push_back(c);
    }
    return text;
}

// The record's stored bytes with the identity (id, parent, default form) and the name slot zeroed,
// parsed into a new record that keeps the icon bytes and uses the given key.
bool StripRecord(const ItemRecord& source, const std::shared_ptr<const CipherKey>& key, ItemRecord* out) {
    uint8_t raw[ItemRecord::kSize];
    std::memcpy(raw, source.Raw(), sizeof raw);
    std::memset(raw + ItemRecord::kOffId, 0, 16);
    std::memset(raw + ItemRecord::kOffParent, 0, 16);
    std::memset(raw + ItemRecord::kOffDefaultForm, 0, 16);
    std::memset(raw + ItemRecord::kOffName, 0, ItemRecord::kNameSlotSize);
    ItemRecord stripped;
    const int parsed = stripped.Parse(raw);
    SecureZero(raw, sizeof raw);
    if (parsed != kBlockOk) return false;
    stripped.AdoptIconBytes(std::vector<uint8_t>(source.StoredIconBytes()));
    stripped.SetKey(key);
    *out = std::move(stripped);
    return true;
}

}  // namespace

void FormFileHeader::Store(uint8_t* out) const {
    std::memset(out, 0, kFormFileHeaderSize);
    std::memcpy(out, kFormText, sizeof kFormText - 1);
    StoreU32(out + kOffVersion, version);
    StoreText(out + kOffDescription, kDescriptionSlot, description, kFormDescriptionMax);
    StoreText(out + kOffAuthor, kAuthorSlot, author, kFormAuthorMax);
    StoreSystemTime(out + kOffWritten, written);
}

bool FormFileHeader::Parse(const uint8_t* bytes) {
    // The text and its NUL must match exactly.
    if (std::memcmp(bytes, kFormText, sizeof kFormText) != 0) return false;
    version = LoadU32(bytes + kOffVersion);
    if (version != kFormFileVersion) return false;
    description = LoadText(bytes + kOffDescription, kDescriptionSlot, kFormDescriptionMax);
    author = LoadText(bytes + kOffAuthor, kAuthorSlot, kFormAuthorMax);
    written = LoadSystemTime(bytes + kOffWritten);
    return true;
}

std::shared_ptr<const CipherKey> FormFileKey() {
    auto key = std::make_shared<CipherKey>();
    key->SetKeyFromText(u"larkspiny");
    return key;
}

int WriteFormFile(Card& card, File* file, bool keepValues, std::u16string_view author,
                  std::u16string_view description) {
    if (file == nullptr || !card.HasRecord()) return kFormFileNoCardOrFile;
    try {
        const std::shared_ptr<const CipherKey> formKey = FormFileKey();
        std::u16string name = card.Record().Name();
        ItemRecord record;
        if (!StripRecord(card.Record(), formKey, &record)) {
            SecureZero(name);
            return kFormFileNoCardOrFile;
        }
        record.SetName(name);
        SecureZero(name);
        record.AttachFile(file);
        card.Record() = std::move(record);
        if (!keepValues) {
            for (Field& field : card.Fields()) field.ClearValue();
            for (size_t slot = 0; slot < kMaxAttachments; ++slot) card.ClearAttachment(slot);
        }
        FormFileHeader header;
        header.description = std::u16string(description.substr(0, kFormDescriptionMax));
        header.author = std::u16string(author.substr(0, kFormAuthorMax));
        header.written = LocalTimeNow();
        uint8_t bytes[kFormFileHeaderSize];
        header.Store(bytes);
        file->Seek(0);
        size_t put = 0;
        if (!file->Write(bytes, sizeof bytes, &put) || put != sizeof bytes) return kFormFileHeaderFailed;
        return WriteCard(card, *file, *formKey);
    } catch (const std::bad_alloc&) {
        return kCardNoMemory;
    }
}

bool ReadFormFile(Card& card, File& file, FormFileHeader* header, const std::shared_ptr<const CipherKey>& recordKey) {
    card.Clear();
    try {
        uint8_t bytes[kFormFileHeaderSize];
        size_t got = 0;
        file.Seek(0);
        if (!file.Read(bytes, sizeof bytes, &got) || got != sizeof bytes) return false;
        FormFileHeader read;
        if (!read.Parse(bytes)) return false;
        const std::shared_ptr<const CipherKey> formKey = FormFileKey();
        ItemRecord record;
        record.SetKey(formKey);
        record.AttachFile(&file);
        if (record.Read() != kBlockOk) return false;
        std::u16string name = record.Name();
        ItemRecord rekeyed;
        if (!StripRecord(record, recordKey, &rekeyed)) {
            SecureZero(name);
            return false;
        }
        rekeyed.SetBodySize(record.BodySize());
        rekeyed.SetName(name);
        SecureZero(name);
        card.Record() = std::move(rekeyed);
        if (ReadCardBody(card, file, *formKey) != kCardOk) {
            card.Clear();
            return false;
        }
        if (header != nullptr) *header = std::move(read);
        return true;
    } catch (const std::bad_alloc&) {
        card.Clear();
        return false;
    }
}

}  // namespace tl5
