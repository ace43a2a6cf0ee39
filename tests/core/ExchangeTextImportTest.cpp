#include "exchange/TextImport.h"
#include "model/Field.h"

#include <gtest/gtest.h>

using namespace tl5;

namespace {

int OpenText(TextImport& import, const std::u16string& text) {
    TextTable table;
    table.ParseText(text);
    return import.OpenTable(std::move(table));
}

Card EmptyCard() {
    auto key = std::make_shared<CipherKey>();
    uint8_t bytes[16] = {1};
    key->SetKey(bytes);
    ItemRecord record;
    record.SetKey(key);
    record.CreateAsCard(ItemId());
    return Card(record);
}

}  // namespace

TEST(ExchangeTextImport, HeaderAndShapeChecks) {
    struct Case { const char* what; std::u16string text; int result; uint32_t dataRows; };
    const Case cases[] = {
        {"CardName", u"CardName\tUser\r\nMail\tann\r\n", kTextImportOk, 1},
        {"Card Name in any case", u"card name\tUser\r\nMail\tann", kTextImportOk, 1},
        {"quoted header", u"\"CARDNAME\"\tUser\r\nMail\tann\r\nBank\tbob\r\n", kTextImportOk, 2},
        {"last row kept when its first cell is set", u"CardName\tUser\r\nMail\tann\r\nBank\t", kTextImportOk, 2},
        {"other header", u"Name\tUser\r\nMail\tann\r\n", kTextImportBadTable, 0},
        {"one column", u"CardName\r\nMail\r\n", kTextImportBadTable, 0},
        {"one row", u"CardName\tUser", kTextImportBadTable, 0},
        {"mixed row lengths", u"CardName\tUser\tPass\r\nMail\tann\r\nBank\tbob\tx\r\n", kTextImportBadTable, 0},
        // The last row is dropped as empty, and then nothing is left to import.
        {"header and a line break only", u"CardName\tUser\r\n", kTextImportBadTable, 0},
    };
    for (const Case& c : cases) {
        TextImport import;
        EXPECT_EQ(OpenText(import, c.text), c.result) << c.what;
        EXPECT_EQ(import.DataRowCount(), c.dataRows) << c.what;
    }
    TextImport import;
    // More value columns than a card has fields.
    std::u16string wide = u"CardName";
    for (int i = 0; i < 256; ++i) wide += u"\tF";
    wide += u"\r\nx";
    for (int i = 0; i < 256; ++i) wide += u"\tv";
    EXPECT_EQ(OpenText(import, wide), kTextImportBadTable);
    TextTable unread;
    EXPECT_EQ(import.OpenTable(std::move(unread)), kTextImportUnreadable);
}

TEST(ExchangeTextImport, PreviewListsFiveColumnsAndStaysWithinItsBuffer) {
    TextImport import;
    ASSERT_EQ(OpenText(import, u"CardName\tA\tB\tC\tD\tE\tF\r\nRow\t1\t2\t3\t4\t5\t6\r\n"), kTextImportOk);
    EXPECT_EQ(import.Preview(1), u"Import this card?\n\nCard Name: Row\nA: 1\nB: 2\nC: 3\nD: 4\n(and 2 more columns)");
    ASSERT_EQ(OpenText(import, u"CardName\tA\r\nRow\t" + std::u16string(5000, u'x') + u"\r\n"), kTextImportOk);
    EXPECT_EQ(import.Preview(1).size(), kImportPreviewMax);
}

TEST(ExchangeTextImport, OfferAllOnceAtTheFifthOfMoreThanNineRows) {
    std::u16string text = u"CardName\tA\r\n";
    for (int i = 0; i < 12; ++i) text += u"r\tv\r\n";
    TextImport import;
    ASSERT_EQ(OpenText(import, text), kTextImportOk);
    ASSERT_EQ(import.DataRowCount(), 12u);
    for (uint32_t i = 0; i < 12; ++i) EXPECT_EQ(import.OfferAllAt(i), i == 4) << i;
    std::u16string nine = u"CardName\tA\r\n";
    for (int i = 0; i < 9; ++i) nine += u"r\tv\r\n";
    ASSERT_EQ(OpenText(import, nine), kTextImportOk);
    for (uint32_t i = 0; i < 9; ++i) EXPECT_FALSE(import.OfferAllAt(i));
}

TEST(ExchangeTextImport, FillsACardFromARow) {
    TextImport import;
    ASSERT_EQ(OpenText(import, u"CardName\tUser\tPassword\r\n\"Mail\"\tann\t\r\n"), kTextImportOk);
    Card card = EmptyCard();
    ASSERT_TRUE(import.FillCard(1, card));
    EXPECT_EQ(card.Record().Name(), u"Mail");
    EXPECT_EQ(card.Record().Icon(), kImportCardIcon);
    ASSERT_EQ(card.FieldCount(), 2u);
    EXPECT_EQ(card.FieldAt(0)->Type(), FT_TEXT_CAPFIRST);
    EXPECT_EQ(card.FieldAt(0)->Name(), u"User");
    EXPECT_EQ(card.FieldAt(0)->Value(), u"ann");
    EXPECT_EQ(card.FieldAt(1)->Name(), u"Password");
    EXPECT_TRUE(card.FieldAt(1)->Value().empty());
    Card noRecord;
    EXPECT_FALSE(import.FillCard(1, noRecord));

    SystemTime day;
    day.year = 2026;
    day.month = 12;
    day.day = 9;
    EXPECT_EQ(TextImport::FolderName(day), u"Imported cards 2026-12-09");
}
