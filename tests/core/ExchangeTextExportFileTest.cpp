#include "exchange/ExchangeNames.h"
#include "exchange/TextExportFile.h"
#include "platform/MemoryFile.h"
#include "platform/Text.h"
#include "tests/core/ExchangeTestFiles.h"

#include <gtest/gtest.h>

using namespace tl5;
using tl5::testing::FullDisk;

namespace {

std::shared_ptr<const CipherKey> Key() {
    auto key = std::make_shared<CipherKey>();
    uint8_t bytes[16] = {9, 8, 7};
    key->SetKey(bytes);
    return key;
}

Card MakeCard(const std::u16string& name) {
    ItemRecord record;
    record.SetKey(Key());
    record.CreateAsCard(ItemId());
    record.SetName(name);
    return Card(record);
}

// The file as UTF-8, after checking and dropping the byte order mark.
std::string Text(MemoryFileSystem& fs, const std::u16string& path) {
    const std::string bytes = fs.Contents(path);
    EXPECT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8)));
    }
    return Utf16ToUtf8(text);
}

void AddAttachment(Card& card, const std::u16string& name, const std::string& bytes) {
    Attachment a;
    a.SetFromBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), u"x", SystemTime());
    a.fileName = name;  // as stored, even when a damaged wallet holds a path there
    card.AddAttachment(std::move(a));
}

}  // namespace

TEST(ExchangeTextExportFile, StartFolderHeaderAndCardBlocks) {
    MemoryFileSystem fs;
    TextExportFile out(fs);
    ASSERT_TRUE(out.Create(u"x.txt"));
    SystemTime now;
    now.year = 2026;
    now.month = 12;
    now.day = 9;
    now.hour = 14;
    now.minute = 3;
    now.second = 59;
    out.WriteStart(u"home", u"/w/home.tl5", now);
    out.WriteFolderHeader({u"Top", u"Bank"});

    Card card = MakeCard(u"Visa");
    Field* f = card.AddField(FT_TEXT);
    f->SetName(u"Holder");
    f->SetValue(u"Ann \u00e9");
    card.AddField(FT_TEXT)->SetName(u"Empty");
    f = card.AddField(FT_PASSWORD);
    f->SetName(u"PIN");
    f->SetValue(u"4711");
    f = card.AddField(FT_YESNO);
    f->SetName(u"Active");
    f->SetYesNoState(1);
    f = card.AddField(FT_YESNO);
    f->SetName(u"Unknown");
    f->SetYesNoState(2);
    f = card.AddField(FT_DATE);
    f->SetName(u"Expires");
    f->SetDateTime(now);
    TextExportFile::CardOptions masked;
    out.WriteCard(card, masked);
    TextExportFile::CardOptions clear;
    clear.includeValues = true;
    out.WriteCard(card, clear);
    out.WriteCard(MakeCard(u"Blank"), masked);
    ASSERT_TRUE(out.Finish());

    const std::string rule = "----------------------------------------";
    const std::string expected =
        "Tessellock Pro 5 text export\r\nWallet: home\r\nFile: /w/home.tl5\r\nExported on: 2026-12-09  14:03\r\n\r\n\r\n"
        "\r\n" + rule + "\r\nFolder: Top > Bank\r\n" + rule + "\r\n" +
        rule + "\r\nVisa\r\n" + rule + "\r\nHolder: Ann \xc3\xa9\r\nPIN: ********\r\nActive: Yes\r\nExpires: 2026-12-09\r\n\r\n" +
        rule + "\r\nVisa\r\n" + rule + "\r\nHolder: Ann \xc3\xa9\r\nPIN: 4711\r\nActive: Yes\r\nExpires: 2026-12-09\r\n\r\n" +
        rule + "\r\nBlank\r\n" + rule + "\r\n(no data)\r\n";
    EXPECT_EQ(Text(fs, u"x.txt"), expected);
}

TEST(ExchangeTextExportFile, AttachmentFilesAreNumberedAndKeptInTheFolder) {
    MemoryFileSystem fs;
    TextExportFile out(fs);
    ASSERT_TRUE(out.Create(u"out/x.txt"));
    Card card = MakeCard(u"Docs");
    AddAttachment(card, u"scan.pdf", "PDF");
    AddAttachment(card, u"../../evil.txt", "EVIL");
    int number = 1;
    TextExportFile::CardOptions options;
    options.includeAttachments = true;
    options.exportFolder = u"out";
    options.attachmentNumber = &number;
    out.WriteCard(card, options);
    out.WriteCard(MakeCard(u"None"), options);
    ASSERT_TRUE(out.Finish());
    EXPECT_EQ(number, 3);
    EXPECT_EQ(fs.Contents(JoinPath(u"out", u"001_scan.pdf")), "PDF");
    EXPECT_EQ(fs.Contents(JoinPath(u"out", u"002_.._.._evil.txt")), "EVIL");
    const std::string text = Text(fs, u"out/x.txt");
    EXPECT_NE(text.find("(no data)\r\nAttachment: 001_scan.pdf\r\nAttachment: 002_.._.._evil.txt\r\n"), std::string::npos);
    EXPECT_NE(text.find("None\r\n----------------------------------------\r\n(no data)\r\n\r\n"), std::string::npos);
}


TEST(ExchangeTextExportFile, FailedWritesAreReportedAndThePartialFileRemoved) {
    FullDisk disk(100);
    TextExportFile out(disk);
    ASSERT_TRUE(out.Create(u"x.txt"));
    out.WriteStart(u"w", u"p", SystemTime());
    EXPECT_FALSE(out.Finish());
    EXPECT_FALSE(disk.mem.Exists(u"x.txt"));

    FullDisk roomy(1 << 20);
    TextExportFile ok(roomy);
    ASSERT_TRUE(ok.Create(u"x.txt"));
    ok.WriteStart(u"w", u"p", SystemTime());
    EXPECT_TRUE(ok.Finish());
    EXPECT_TRUE(roomy.mem.Exists(u"x.txt"));
}
