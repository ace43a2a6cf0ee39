#include "exchange/LegacyWallet.h"
#include "platform/MemoryFile.h"
#include "tests/core/ExchangeLegacyWriter.h"

#include <gtest/gtest.h>

using namespace tl5;
using namespace tl5::testing;

namespace {

std::unique_ptr<File> MemFile(MemoryFileSystem& fs, const std::string& bytes) {
    fs.SetContents(u"legacy.wal", bytes);
    std::unique_ptr<File> f;
    EXPECT_EQ(fs.Open(u"legacy.wal", FileMode::OpenReadOnly, FileShare::Read, &f), kFileOk);
    return f;
}

}  // namespace

TEST(ExchangeLegacyWallet, HeaderCheckComparesFortyBytesAndBothMarks) {
    LegacyWalletWriter w(u"secret", true, u"forms.tcd");
    const std::string good = w.Bytes();
    struct Case { const char* what; std::string bytes; int expected; };
    std::string laterText = good;
    laterText[40] = 'X';   // inside the web address, past the compared bytes
    laterText[63] = 'Y';
    std::string address = good;
    address[39] = '-';     // the last compared byte ("http://")
    std::string firstMark = good;
    firstMark[76] ^= 1;
    std::string secondMark = good;
    secondMark[843] ^= 0x80;
    const Case cases[] = {
        {"good", good, 0},
        {"differs after byte 39", laterText, 0},
        {"differs at byte 39", address, 4},
        {"first mark", firstMark, 4},
        {"second mark", secondMark, 4},
        {"843 bytes", good.substr(0, 843), 4},
        {"empty", "", 4},
    };
    for (const Case& c : cases) {
        MemoryFileSystem fs;
        auto f = MemFile(fs, c.bytes);
        LegacyHeader h;
        EXPECT_EQ(ReadLegacyHeader(*f, &h), c.expected) << c.what;
        if (c.expected == 0) {
            EXPECT_TRUE(h.customFormsInUse);
            EXPECT_EQ(h.definitionFileName, u"forms.tcd");
        }
    }
}

TEST(ExchangeLegacyWallet, PasswordCheckIsExactAndGivesTheRecordKey) {
    LegacyWalletWriter w(u"Caf\u00e9Pass");
    MemoryFileSystem fs;
    auto f = MemFile(fs, w.Bytes());
    LegacyHeader h;
    ASSERT_EQ(ReadLegacyHeader(*f, &h), 0);
    uint8_t key[16] = {};
    EXPECT_FALSE(LegacyRecordKey(h, u"cafÉpass", key));
    EXPECT_FALSE(LegacyRecordKey(h, u"caf\u00e9pass", key));  // letter case differs
    EXPECT_FALSE(LegacyRecordKey(h, u"", key));
    ASSERT_TRUE(LegacyRecordKey(h, u"Caf\u00e9Pass", key));
    EXPECT_EQ(0, std::memcmp(key, w.Key(), 16));
}

TEST(ExchangeLegacyWallet, ReadsRecordsDataBlocksAndTags) {
    LegacyWalletWriter w(u"pw1");
    w.AddFolder(7, u"Banking", 503, 44);
    LegacyCardDraft c;
    c.key = 9;
    c.folderKey = 7;
    c.name = u"Visa";
    c.boldFlags = 3;
    c.tags = {{2, LegacyText(u"1234")}, {0, ""}, {kLegacyTagImageFormat, LegacyU32(3)}, {kLegacyTagNotes, LegacyText(u"a note")}};
    w.AddCard(c);
    LegacyCardDraft plain = c;
    plain.key = 10;
    plain.encrypt = false;
    plain.tags = {{5, LegacyText(u"clear")}};
    w.AddCard(plain);
    w.AddRaw(std::string(300, '\x11'));  // anything after a record with an unknown mark is not read
    w.AddFolder(8, u"Never read");

    MemoryFileSystem fs;
    auto f = MemFile(fs, w.Bytes());
    LegacyRecords records;
    ASSERT_EQ(ReadLegacyRecords(*f, &records), 0);
    ASSERT_EQ(records.folders.size(), 1u);
    EXPECT_EQ(records.folders[0].name, u"Banking");
    EXPECT_EQ(records.folders[0].defaultFormKey, 503);
    EXPECT_EQ(records.folders[0].icon, 44);
    ASSERT_EQ(records.cards.size(), 2u);
    EXPECT_EQ(records.cards[0].name, u"Visa");
    EXPECT_EQ(records.cards[0].boldFlags, 3);
    EXPECT_TRUE(records.cards[0].encrypted);

    std::string data;
    ASSERT_TRUE(ReadLegacyCardData(*f, records.cards[0], w.Key(), &data));
    LegacyTagList tags(reinterpret_cast<const uint8_t*>(data.data()), data.size());
    EXPECT_EQ(tags.Text(2), u"1234");
    EXPECT_EQ(tags.Text(0), u"");  // length 0 counts as absent
    uint32_t format = 0;
    EXPECT_TRUE(tags.Value(kLegacyTagImageFormat, &format));
    EXPECT_EQ(format, 3u);
    EXPECT_EQ(tags.Text(kLegacyTagNotes), u"a note");
    EXPECT_EQ(tags.Text(kLegacyTagSound), u"");

    ASSERT_TRUE(ReadLegacyCardData(*f, records.cards[1], w.Key(), &data));
    LegacyTagList clear(reinterpret_cast<const uint8_t*>(data.data()), data.size());
    EXPECT_EQ(clear.Text(5), u"clear");
}

TEST(ExchangeLegacyWallet, TagListNeverReadsOutsideTheBlock) {
    struct Case { const char* what; std::string block; uint32_t tag; bool found; };
    const Case cases[] = {
        {"entry longer than the block", LegacyU32(2) + LegacyU32(100) + "ab", 2, false},
        {"huge length", LegacyU32(3) + LegacyU32(0xFFFFFFFF) + "abcd", 3, false},
        {"head only", LegacyU32(4) + LegacyU32(0), 4, false},
        {"partial head", LegacyU32(4) + "\x01", 4, false},
        {"after a long entry", LegacyU32(1) + LegacyU32(0xFFFFFFF0) + LegacyU32(6) + LegacyU32(2) + "ok", 6, false},
        {"second entry", LegacyU32(1) + LegacyU32(2) + "xx" + LegacyU32(6) + LegacyU32(4) + LegacyText(u"o", false) + "!!", 6, true},
    };
    for (const Case& c : cases) {
        LegacyTagList t(reinterpret_cast<const uint8_t*>(c.block.data()), c.block.size());
        const uint8_t* p = nullptr;
        size_t n = 0;
        EXPECT_EQ(t.Find(c.tag, &p, &n), c.found) << c.what;
    }
    // A text without a NUL ends with its entry.
    const std::string block = LegacyU32(9) + LegacyU32(4) + LegacyText(u"hi", false) + LegacyU32(0) + LegacyU32(0);
    EXPECT_EQ(LegacyTagList(reinterpret_cast<const uint8_t*>(block.data()), block.size()).Text(9), u"hi");
}

TEST(ExchangeLegacyWallet, TruncatedRecordsAreDamage) {
    LegacyWalletWriter w(u"pw1");
    w.AddFolder(1, u"F");
    LegacyCardDraft c;
    c.name = u"Runs past the end";
    c.tags = {{2, LegacyText(u"value")}};
    c.dataLengthOverride = 5000;
    w.AddCard(c);
    MemoryFileSystem fs;
    LegacyRecords records;
    auto f = MemFile(fs, w.Bytes());
    EXPECT_EQ(ReadLegacyRecords(*f, &records), 4);
    EXPECT_TRUE(records.folders.empty());

    LegacyWalletWriter cut(u"pw1");
    cut.AddFolder(1, u"F");
    cut.AddFolder(2, u"G");
    std::string bytes = cut.Bytes();
    bytes.resize(bytes.size() - 10);  // the second folder record loses its end
    auto g = MemFile(fs, bytes);
    EXPECT_EQ(ReadLegacyRecords(*g, &records), 4);
}
