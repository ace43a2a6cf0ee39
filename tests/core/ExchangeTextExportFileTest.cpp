#include "exchange/TextExportFile.h"
#include "model/CardBody.h"
#include "model/LittleEndian.h"
#include "platform/MemoryFile.h"
#include "platform/PathText.h"
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

// The export without attachments writes each card straight from its stored body; what it writes must
// be what the loaded card writes, for every kind of field, for damaged bodies and across buffer flushes.
TEST(ExchangeTextExportFile, StoredCardWritesWhatTheLoadedCardWrites) {
    const auto key = Key();
    Card card = MakeCard(u"Every field \u00e9");
    const uint16_t types[] = {FT_TEXT, FT_URL, FT_LINK, FT_EMAIL, FT_PHONE, FT_PASSWORD, FT_DATE, FT_TIME, FT_DATETIME,
                              FT_CHOICE, FT_LIST, FT_YESNO, FT_TEXT_CAPFIRST, FT_TEXT_CAPWORDS, 2, 14};
    SystemTime when;
    when.year = 2027;
    when.month = 3;
    when.day = 4;
    when.hour = 5;
    when.minute = 6;
    int n = 0;
    for (uint16_t type : types) {
        Field* f = card.AddField(type);
        f->SetName(u"Name " + Utf8ToUtf16(std::to_string(n++)));
        if (IsDateTimeType(type)) {
            f->SetDateTime(when);
        } else {
            f->SetValue(type == FT_YESNO ? u"1" : u"value \U0001F511 " + Utf8ToUtf16(std::to_string(n)));
        }
    }
    card.FieldAt(9)->AddItem(u"one");
    card.AddField(FT_DATE)->SetName(u"No date");
    card.AddField(FT_YESNO)->SetYesNoState(0);
    card.AddField(FT_YESNO)->SetYesNoState(2);
    card.AddField(FT_PASSWORD)->SetName(u"Empty PIN");
    card.AddField(FT_TEXT)->SetValue(u"no name");
    card.AddField(FT_TEXT)->SetName(u"no value");
    card.AddField(FT_TEXT)->SetValue(std::u16string(u"cut") + u'\0' + u"hidden");
    card.AddField(FT_PASSWORD)->SetValue(std::u16string(u"") + u'\0' + u"hidden");
    card.AddField(FT_TEXT)->SetValue(std::u16string(20000, u'L'));  // longer than half the buffer
    AddAttachment(card, u"scan.pdf", "PDF");
    // A card holds at most 255 fields; a stored body may have more chunks, which are passed over.
    Card crowded = MakeCard(u"300 fields");
    for (int i = 0; i < 255; ++i) crowded.AddField(FT_TEXT)->SetValue(Utf8ToUtf16(std::to_string(i)));
    std::vector<uint8_t> crowdedBody;
    ASSERT_EQ(BuildCardBody(crowded, *key, &crowdedBody), kCardOk);
    for (int i = 255; i < 300; ++i) {
        Field extra;
        extra.SetValue(Utf8ToUtf16(std::to_string(i)));
        std::vector<uint8_t> data;
        ASSERT_TRUE(SerializeField(extra, *key, &data));
        uint8_t header[kChunkHeaderSize] = {};
        StoreU32(header + 4, kChunkField);
        StoreU32(header + 8, static_cast<uint32_t>(data.size()));
        crowdedBody.insert(crowdedBody.end(), header, header + kChunkHeaderSize);
        crowdedBody.insert(crowdedBody.end(), data.begin(), data.end());
    }

    for (const Card* source : {&card, &crowded}) {
        std::vector<uint8_t> body = crowdedBody;
        if (source == &card) {
            ASSERT_EQ(BuildCardBody(card, *key, &body), kCardOk);
        }
        for (const bool values : {false, true}) {
            // Each body written many times over, so that the buffer is flushed in every place.
            auto write = [&](const std::vector<uint8_t>& bytes, bool stored, bool* ok) {
                MemoryFileSystem fs;
                TextExportFile out(fs);
                EXPECT_TRUE(out.Create(u"x.txt"));
                TextExportFile::CardOptions options;
                options.includeValues = values;
                for (int copy = 0; copy < 7; ++copy) {
                    if (stored) {
                        *ok = out.WriteStoredCard(source->Record().Name(), bytes.data(), bytes.size(), *key, values);
                    } else {
                        Card read(source->Record());
                        *ok = ParseCardBody(read, bytes.data(), bytes.size(), *key, false) == kCardOk;
                        if (*ok) out.WriteCard(read, options);
                    }
                }
                EXPECT_TRUE(out.Finish());
                return fs.Contents(u"x.txt");
            };
            bool loadedOk = false, storedOk = false;
            const std::string expected = write(body, false, &loadedOk);
            ASSERT_TRUE(loadedOk);
            EXPECT_EQ(write(body, true, &storedOk), expected) << values;
            EXPECT_TRUE(storedOk);
            if (source == &card) {
                // Not two empty files alike: the lines are there, cut at a NUL, passwords masked or not.
                MemoryFileSystem view;
                view.SetContents(u"v.txt", expected);
                const std::string text = Text(view, u"v.txt");
                EXPECT_NE(text.find(Utf16ToUtf8(u"Name 0: value \U0001F511 1\r\n")), std::string::npos);
                EXPECT_NE(text.find("Name 6: 2027-03-04\r\n"), std::string::npos);
                EXPECT_NE(text.find("Name 11: Yes\r\n"), std::string::npos);
                EXPECT_NE(text.find(": cut\r\n"), std::string::npos);
                EXPECT_EQ(text.find("hidden"), std::string::npos);
                EXPECT_EQ(text.find("Name 5: ********\r\n") != std::string::npos, !values);
                EXPECT_EQ(text.find("no value"), std::string::npos);
            } else {
                MemoryFileSystem view;
                view.SetContents(u"v.txt", expected);
                const std::string text = Text(view, u"v.txt");
                EXPECT_NE(text.find(": 254\r\n"), std::string::npos);
                EXPECT_EQ(text.find(": 255\r\n"), std::string::npos);
            }
            // Damaged bodies: cut short at many places, and a chunk length or a piece size made too
            // large; both ways refuse the same bodies and write the same for the others.
            std::vector<std::vector<uint8_t>> damaged;
            for (size_t cut = 0; cut < body.size(); cut += 1 + cut / 7) {
                damaged.emplace_back(body.begin(), body.begin() + static_cast<long>(cut));
            }
            for (size_t at : {CardHead::kSize + 8, CardHead::kSize + 12 + 16, CardHead::kSize + 12 + 40}) {
                damaged.push_back(body);
                StoreU32(damaged.back().data() + at, 0x7FFFFFF0);
            }
            for (const auto& bytes : damaged) {
                const std::string a = write(bytes, false, &loadedOk);
                const std::string b = write(bytes, true, &storedOk);
                EXPECT_EQ(storedOk, loadedOk) << bytes.size();
                EXPECT_EQ(b, a) << bytes.size();
            }
        }
    }
}
