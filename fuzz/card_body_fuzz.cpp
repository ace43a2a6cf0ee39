// Card bodies: any bytes are parsed into a card or refused as damaged; a parsed card writes out again
// and reads back the same. The readers that need no media agree with the full reader: a body read in
// part without its trailing attachment, and the text export written straight from the stored body.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "exchange/TextExportFile.h"
#include "model/CardBody.h"
#include "platform/MemoryFile.h"

namespace {

// The export's card block for the body, through a loaded card or straight from the bytes; "refused"
// when the card is left out.
std::string ExportBlock(const uint8_t* data, size_t size, const tl5::ItemRecord& record, const tl5::CipherKey& key,
                        bool stored) {
    tl5::MemoryFileSystem fs;
    tl5::TextExportFile out(fs);
    if (!out.Create(u"x.txt")) std::abort();
    if (stored) {
        if (!out.WriteStoredCard(u"card", data, size, key, false)) return "refused";
    } else {
        tl5::Card card(record);
        if (tl5::ParseCardBody(card, data, size, key, false) != tl5::kCardOk) return "refused";
        card.Record().SetName(u"card");
        out.WriteCard(card, tl5::TextExportFile::CardOptions());
    }
    if (!out.Finish()) std::abort();
    return fs.Contents(u"x.txt");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto key = std::make_shared<tl5::CipherKey>();
    const uint8_t bytes[16] = {0x5e, 0xed, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    key->SetKey(bytes);
    tl5::ItemRecord record;
    record.SetKey(key);
    record.CreateAsCard(tl5::ItemId());
    if (ExportBlock(data, size, record, *key, true) != ExportBlock(data, size, record, *key, false)) std::abort();
    if (size > 0) {
        // A prefix of the body, as a reader without media reads a long body first.
        const size_t have = size * (data[size - 1] % 8 + 1) / 9;
        std::vector<uint8_t> prefix(data, data + have);
        const size_t cut = tl5::BodyPrefixWithoutTrailingMedia(prefix.data(), have, size);
        if (cut != 0 && cut != size) {
            if (cut > have) std::abort();
            if (ExportBlock(prefix.data(), cut, record, *key, false) != ExportBlock(data, size, record, *key, false))
                std::abort();
        }
    }

    tl5::Card card(record);
    const int rc = tl5::ParseCardBody(card, data, size, *key);
    if (rc != tl5::kCardOk) return 0;
    if (card.FieldCount() > tl5::kMaxFields || card.AttachmentCount() > tl5::kMaxAttachments) std::abort();
    std::vector<uint8_t> again;
    if (tl5::BuildCardBody(card, *key, &again) != tl5::kCardOk) std::abort();
    tl5::Card back(record);
    if (tl5::ParseCardBody(back, again.data(), again.size(), *key) != tl5::kCardOk) std::abort();
    if (back.FieldCount() != card.FieldCount()) std::abort();
    for (size_t i = 0; i < card.FieldCount(); ++i) {
        const tl5::Field& a = *card.FieldAt(i);
        const tl5::Field& b = *back.FieldAt(i);
        if (a.Type() != b.Type() || a.Name() != b.Name() || a.Value() != b.Value() || !(a.DateTime() == b.DateTime()))
            std::abort();
        if (a.ItemCount() != b.ItemCount()) std::abort();
    }
    return 0;
}
