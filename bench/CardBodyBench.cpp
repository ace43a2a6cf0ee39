// Card bodies: building and parsing 10,000 typical cards (nine fields each) in memory.
#include <cstdio>
#include <memory>
#include <string>

#include "Bench.h"
#include "model/CardBody.h"
#include "platform/Text.h"

namespace {

using namespace tl5;

int RunCardBodyBench() {
    auto key = std::make_shared<CipherKey>();
    const uint8_t k[16] = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 11, 12, 13, 14, 15, 16};
    key->SetKey(k);
    ItemRecord record;
    record.SetKey(key);
    record.CreateAsCard(ItemId());
    Card card(record);
    for (int f = 0; f < 8; ++f) {
        Field* field = card.AddField(f == 6 ? FT_PASSWORD : FT_TEXT);
        field->SetName(u"Field name " + Utf8ToUtf16(std::to_string(f)));
        field->SetValue(u"A value of ordinary length for field " + Utf8ToUtf16(std::to_string(f)));
    }
    card.AddField(FT_LIST)->SetItemsFromJoined(u"one^two^three");
    constexpr int kCards = 10000;
    std::vector<uint8_t> body;
    size_t bytes = 0;
    const double t0 = BenchSeconds();
    for (int i = 0; i < kCards; ++i) {
        if (BuildCardBody(card, *key, &body) != kCardOk) return 1;
        bytes += body.size();
    }
    const double tBuild = BenchSeconds() - t0;
    Card out(record);
    const double t1 = BenchSeconds();
    for (int i = 0; i < kCards; ++i) {
        if (ParseCardBody(out, body.data(), body.size(), *key) != kCardOk) return 1;
    }
    const double tParse = BenchSeconds() - t1;
    if (out.FieldCount() != 9 || out.FieldAt(0)->Value() != card.FieldAt(0)->Value()) return 1;
    std::printf("   %d bodies of %zu bytes: build %.1f ms (%.1f MB/s), parse %.1f ms (%.1f MB/s)\n", kCards, body.size(),
                tBuild * 1e3, bytes / tBuild / 1048576.0, tParse * 1e3, bytes / tParse / 1048576.0);
    return 0;
}

}  // namespace

TL5_BENCH("cardbody", "building and parsing 10,000 card bodies", RunCardBodyBench);
