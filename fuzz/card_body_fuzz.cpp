// Card bodies: any bytes are parsed into a card or refused as damaged; a parsed card writes out again
// and reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "model/CardBody.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto key = std::make_shared<tl5::CipherKey>();
    const uint8_t bytes[16] = {0x5e, 0xed, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    key->SetKey(bytes);
    tl5::ItemRecord record;
    record.SetKey(key);
    record.CreateAsCard(tl5::ItemId());
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
