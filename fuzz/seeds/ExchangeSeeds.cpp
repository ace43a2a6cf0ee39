// Seeds of the exchange readers: text tables, definition files, legacy wallets and form files,
// written by the same writers the tests use.
#include <memory>

#include "exchange/FormFile.h"
#include "fuzz/FuzzSeeds.h"
#include "platform/CodePage.h"
#include "platform/MemoryFile.h"
#include "tests/core/ExchangeLegacyWriter.h"

namespace {

using Files = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

std::string Wide(const std::u16string& text, bool bom) {
    std::string out = bom ? "\xFF\xFE" : "";
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

void WriteTextTableSeeds(Files& files) {
    const std::u16string sheet = u"CardName\tUser\tPass\r\nMail\t\"ann\"\tx\u20ac\r\nBank\tbob\t\r\n";
    files.push_back({"utf16", Bytes(Wide(sheet, true))});
    files.push_back({"cp1252", Bytes(tl5::Utf16ToCodePage1252(sheet))});
    files.push_back({"ragged", Bytes("CardName\tA\rx\ty\tz\r\n\"")});
}

const char kDefinitions[] =
    "<OstrovaWorksTessellockCustomForms.1>\r\n; comment\r\n<MyForm>\r\nLocker\r\n1001\r\n7\r\n"
    "2 TLF_PIN Combination\r\n3 TLF_DEFAULT Where ; note\r\n4 TLF_TEL Phone\r\n<EndForm>\r\n";

void WriteDefinitionSeeds(Files& files) {
    files.push_back({"single-byte", Bytes(kDefinitions)});
    std::u16string wide;
    for (const char* p = kDefinitions; *p; ++p) wide.push_back(static_cast<unsigned char>(*p));
    files.push_back({"utf16", Bytes(Wide(wide, false))});
}

void WriteLegacySeeds(Files& files) {
    tl5::testing::LegacyWalletWriter w(u"pw", true, u"forms.tcd");
    w.AddFolder(1, u"Folder");
    tl5::testing::LegacyCardDraft c;
    c.name = u"Card";
    c.imageWord = 1;
    c.soundFlags = 1;
    c.tags = {{2, tl5::testing::LegacyText(u"value")}, {400, tl5::testing::LegacyText(u"notes")},
              {451, tl5::testing::LegacyU32(1)}, {450, "BM"}, {460, "RIFF"}};
    w.AddCard(c);
    c.encrypt = false;
    w.AddCard(c);
    files.push_back({"wallet", Bytes(w.Bytes())});
}

void WriteFormFileSeeds(Files& files) {
    auto key = std::make_shared<tl5::CipherKey>();
    const uint8_t bytes[16] = {7, 7, 7};
    key->SetKey(bytes);
    tl5::ItemRecord record;
    record.SetKey(key);
    record.CreateAsCard(tl5::ItemId());
    record.SetName(u"Form");
    tl5::Card card(record);
    tl5::Field* f = card.AddField(tl5::FT_LIST);
    f->SetName(u"Kind");
    f->AddItem(u"A");
    card.AddField(tl5::FT_PASSWORD)->SetValue(u"secret");
    tl5::MemoryFileSystem fs;
    std::unique_ptr<tl5::File> file;
    fs.Open(u"f.tlx", tl5::FileMode::CreateAlways, tl5::FileShare::Read, &file);
    tl5::WriteFormFile(card, file.get(), true, u"Ann", u"A form");
    file.reset();
    files.push_back({"form", Bytes(fs.Contents(u"f.tlx"))});
}

}  // namespace

TL5_FUZZ_SEEDS("text_table_fuzz", WriteTextTableSeeds);
TL5_FUZZ_SEEDS("form_definitions_fuzz", WriteDefinitionSeeds);
TL5_FUZZ_SEEDS("legacy_wallet_fuzz", WriteLegacySeeds);
TL5_FUZZ_SEEDS("form_file_fuzz", WriteFormFileSeeds);
