// Seeds of the card body reader: bodies of cards with every field type and with media, written by the
// body writer.
#include <memory>

#include "fuzz/FuzzSeeds.h"
#include "model/CardBody.h"

namespace {

using Files = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

void WriteCardBodySeeds(Files& files) {
    auto key = std::make_shared<tl5::CipherKey>();
    const uint8_t bytes[16] = {0x5e, 0xed, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    key->SetKey(bytes);
    tl5::ItemRecord record;
    record.SetKey(key);
    record.CreateAsCard(tl5::ItemId());
    tl5::Card card(record);
    std::vector<uint8_t> body;
    tl5::BuildCardBody(card, *key, &body);
    files.push_back({"empty", body});
    const uint16_t types[] = {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16};
    for (uint16_t type : types) {
        tl5::Field* f = card.AddField(type);
        f->SetName(u"name");
        if (tl5::IsDateTimeType(type)) {
            tl5::SystemTime t;
            t.year = 2026;
            t.month = 12;
            t.day = 9;
            f->SetDateTime(t);
        } else {
            f->SetValue(u"value");
        }
        if (type == 12) f->SetItemsFromJoined(u"a^bc^def");
    }
    tl5::BuildCardBody(card, *key, &body);
    files.push_back({"fields", body});
    const uint8_t data[] = {'B', 'M', 1, 2, 3, 4, 5};
    tl5::CardImage image;
    image.SetFromBytes(data, sizeof data, u"back.bmp", 0);
    card.SetImage(image);
    tl5::CardSound sound;
    sound.SetFromBytes(data, sizeof data, u"ding.wav");
    card.SetSound(sound);
    tl5::Attachment a;
    a.SetFromBytes(data, sizeof data, u"file.txt", tl5::SystemTime());
    card.AddAttachment(a);
    card.AddAttachment(a);
    tl5::BuildCardBody(card, *key, &body);
    files.push_back({"media", body});
}

}  // namespace

TL5_FUZZ_SEEDS("card_body_fuzz", WriteCardBodySeeds);
