// Damaged and hostile files: every reader gives its result code for each class of damage, never
// reads or allocates past what the file holds, and a failed open leaves the wallet's bytes alone.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ExchangeLegacyWriter.h"
#include "cardui/IconReader.h"
#include "WalletTestSupport.h"
#include "exchange/FormDefinitions.h"
#include "exchange/LegacyWallet.h"
#include "model/CardBody.h"
#include "model/LittleEndian.h"
#include "model/RecordScanner.h"
#include "model/WalletCheck.h"
#include "model/WalletItems.h"
#include "model/WalletJournal.h"

using namespace tl5;
using namespace tl5test;

namespace {

// One stored record of the fixture wallet: where it starts, where its icon bytes and body start and
// end.
struct Stored {
    uint64_t offset, iconAt, bodyAt, end;
    ItemKind kind;
};

class DamagedFiles : public FixedWorld {
protected:
    void SetUp() override {
        FixedWorld::SetUp();
        // A folder, a card with fields under it, a folder with a custom icon, a deleted card and the
        // My Forms folder.
        Wallet w(fs);
        ASSERT_EQ(w.Create(kPath, kPassword, u"", true), kCreateOk);
        ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
        const ItemId top = w.ItemAt(0).Id();
        Card card = MakeCard(w, top, u"Bank", {{u"Account", u"12345678"}, {u"PIN", u"0000"}});
        cardId = card.Record().Id();
        ASSERT_GE(w.AppendCard(&card, true), 0);
        ItemRecord iconic;
        iconic.SetKey(w.RecordKey());
        iconic.CreateAsFolder(top);
        iconic.SetName(u"Pictures");
        const uint8_t icon[] = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32};
        ASSERT_TRUE(iconic.SetCustomIcon(icon, sizeof icon));
        ASSERT_GE(w.AppendFolderRecord(&iconic, true), 0);
        Card gone = MakeCard(w, top, u"Old", {{u"Note", u"gone"}});
        ASSERT_GE(w.AppendCard(&gone, true), 0);
        ASSERT_EQ(w.MarkDeletedInFile(gone.Record().Id()), 1);
        ASSERT_EQ(w.Close(true), kCloseOk);
        good = fs.Contents(kPath);

        // Where each record lies.
        std::unique_ptr<File> file;
        ASSERT_EQ(fs.Open(kPath, FileMode::OpenReadOnly, FileShare::Read, &file), kFileOk);
        RecordScanner scanner(*file, kFirstRecordOffset);
        ItemRecord r;
        while (scanner.Next(&r, false) == kBlockOk) {
            records.push_back({scanner.RecordOffset(), scanner.RecordOffset() + ItemRecord::kSize, scanner.BodyOffset(),
                               scanner.BodyOffset() + scanner.BodySize(), r.Kind()});
        }
        ASSERT_EQ(records.size(), 5u);
        ASSERT_EQ(records.back().end, good.size());
    }

    // Opens the bytes for work; the result code, with the bytes on disk checked to be unchanged after
    // the open and a close that saves what it may.
    int OpenBytes(const std::string& bytes, size_t* items = nullptr) {
        fs.SetContents(kOther, bytes);
        Wallet w(fs);
        const int rc = w.Open(kOther, &kPassword, false);
        if (items) *items = w.ItemCount();
        w.Close(true);
        EXPECT_EQ(fs.Contents(kOther), bytes) << "the open changed the file (result " << rc << ")";
        return rc;
    }

    static std::string WithWord(std::string s, size_t at, uint32_t v) {
        uint8_t b[4];
        StoreU32(b, v);
        s.replace(at, 4, reinterpret_cast<const char*>(b), 4);
        return s;
    }

    const Stored& CardRecord() const {
        for (const Stored& s : records)
            if (s.kind == kItemKindCard && s.end > s.bodyAt) return s;
        return records.front();
    }

    std::vector<std::string> CheckProblems(const std::string& bytes) {
        fs.SetContents(kOther, bytes);
        Wallet w(fs);
        std::vector<std::string> out;
        if (w.Probe(kOther, &kPassword) != kOpenOk) return {"cannot probe"};
        WalletCheckReport report;
        CheckWalletRecords(*w.FileHandle(), *w.RecordKey(), &report);
        for (const WalletProblem& p : report.problems) out.push_back(std::to_string(p.offset) + ": " + p.what);
        return out;
    }

    static bool Mentions(const std::vector<std::string>& problems, const std::string& text) {
        for (const std::string& p : problems)
            if (p.find(text) != std::string::npos) return true;
        return false;
    }

    const std::u16string kOther = u"/mem/damaged.tl5";
    MemoryFileSystem fs;
    std::string good;
    std::vector<Stored> records;
    ItemId cardId;
};

TEST_F(DamagedFiles, TruncatedAtEveryRecordBoundaryAndInsideEveryPart) {
    // The fixed blocks.
    const struct { size_t cut; int code; } fixed[] = {
        {0, kOpenNotAWallet}, {40, kOpenNotAWallet}, {75, kOpenNotAWallet}, {76, kOpenBadHeader},
        {1000, kOpenBadHeader}, {3223, kOpenBadHeader}, {3224, kOpenBadSettings}, {4979, kOpenBadSettings},
    };
    for (const auto& c : fixed) EXPECT_EQ(OpenBytes(good.substr(0, c.cut)), c.code) << "cut at " << c.cut;

    // At a record boundary the file is a shorter sequence of whole records (nothing shows the loss);
    // anywhere inside a record, its icon bytes or its body it is damage.
    size_t liveBefore = 0;
    for (const Stored& s : records) {
        size_t items = 99;
        EXPECT_EQ(OpenBytes(good.substr(0, s.offset), &items), kOpenOk) << "cut before the record at " << s.offset;
        EXPECT_EQ(items, liveBefore);
        for (uint64_t cut : {s.offset + 1, s.offset + ItemRecord::kOffBodySize, s.iconAt - 1}) {
            EXPECT_EQ(OpenBytes(good.substr(0, cut)), kOpenBadRecord) << "cut inside the record at " << cut;
        }
        if (s.bodyAt > s.iconAt) {
            EXPECT_EQ(OpenBytes(good.substr(0, s.bodyAt - 1)), kOpenBadRecord) << "cut in an icon";
        }
        if (s.end > s.bodyAt) {
            EXPECT_EQ(OpenBytes(good.substr(0, s.bodyAt + 1)), kOpenBadRecord) << "cut in a body";
            EXPECT_EQ(OpenBytes(good.substr(0, s.end - 1)), kOpenBadRecord) << "cut one byte short of a body";
        }
        Wallet probe(fs);
        fs.SetContents(kOther, good.substr(0, s.end));
        ASSERT_EQ(probe.Probe(kOther, &kPassword), kOpenOk);
        liveBefore = 0;
        ItemRecord r;
        RecordScanner scanner(*probe.FileHandle(), kFirstRecordOffset);
        while (scanner.Next(&r, false) == kBlockOk) liveBefore += r.IsDeleted() ? 0 : 1;
    }
    size_t items = 0;
    EXPECT_EQ(OpenBytes(good, &items), kOpenOk);
    EXPECT_EQ(items, 4u);

    // The check names the damaged record by its offset instead of stopping silently.
    const Stored& card = CardRecord();
    const std::vector<std::string> problems = CheckProblems(good.substr(0, card.bodyAt + 10));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].rfind(std::to_string(card.offset) + ": the body (", 0), 0u) << problems[0];
}

TEST_F(DamagedFiles, LengthsPastTheEndAndHugeSizesAreRefusedUnread) {
    const Stored& card = CardRecord();
    const Stored& last = records.back();
    const struct { const char* what; std::string bytes; int code; } cases[] = {
        {"body size 2^31", WithWord(good, card.offset + ItemRecord::kOffBodySize, 0x80000000u), kOpenBadRecord},
        {"body size 2^32 - 1", WithWord(good, card.offset + ItemRecord::kOffBodySize, 0xFFFFFFFFu), kOpenBadRecord},
        {"body one byte past the end", WithWord(good, last.offset + ItemRecord::kOffBodySize,
                                                static_cast<uint32_t>(last.end - last.bodyAt + 1)), kOpenBadRecord},
        {"tombstone with a body of 2^31", WithWord(good, last.offset + ItemRecord::kOffBodySize, 0x80000000u), kOpenBadRecord},
        {"icon size 2^31", WithWord(good, card.offset + ItemRecord::kOffIconSize, 0x80000000u), kOpenBadRecord},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OpenBytes(c.bytes), c.code) << c.what;
        EXPECT_FALSE(CheckProblems(c.bytes).empty()) << c.what;
    }

    // A card whose body size swallows the records after it but still ends inside the file: the wallet
    // opens (the body is taken at its word) and the card reads as damaged rather than crashing.
    const std::string swallowing =
        WithWord(good, card.offset + ItemRecord::kOffBodySize, static_cast<uint32_t>(good.size() - card.bodyAt));
    fs.SetContents(kOther, swallowing);
    Wallet w(fs);
    ASSERT_EQ(w.Open(kOther, &kPassword, true), kOpenOk);
    const int index = w.IndexOf(cardId);
    ASSERT_GE(index, 0);
    EXPECT_EQ(w.LoadCard(static_cast<size_t>(index)), nullptr);
    // Find stops at the first field that matches, before the damage; a text only past it is not found.
    EXPECT_EQ(FindCards(w, u"12345", false), 1);
    EXPECT_EQ(FindCards(w, u"nowhere", false), 0);
    EXPECT_TRUE(Mentions(CheckProblems(swallowing), "the card body is damaged (result code 8)"));
}

// The card's body with one word changed, put back into the wallet.
std::string PatchBody(const std::string& wallet, uint64_t bodyAt, size_t at, uint32_t v) {
    std::string s = wallet;
    uint8_t b[4];
    StoreU32(b, v);
    s.replace(bodyAt + at, 4, reinterpret_cast<const char*>(b), 4);
    return s;
}

TEST_F(DamagedFiles, PiecePaddingLargerThanItsSizeAndZeroLengthChunks) {
    const Stored& card = CardRecord();
    // Body: the 64-byte head, then chunks of a 12-byte header (type at 4, length at 8); a field chunk
    // starts with its 72-byte header: name piece size at 16, padding at 20.
    const size_t chunk = CardHead::kSize;
    const size_t field = chunk + kChunkHeaderSize;
    const uint32_t nameSize = LoadU32(reinterpret_cast<const uint8_t*>(good.data()) + card.bodyAt + field + 16);
    ASSERT_GT(nameSize, 0u);
    const struct { const char* what; std::string bytes; int loadCode; } cases[] = {
        {"name padding larger than its size", PatchBody(good, card.bodyAt, field + 20, nameSize + 4), kCardBodyDamaged},
        {"name padding 2^32 - 1", PatchBody(good, card.bodyAt, field + 20, 0xFFFFFFFFu), kCardBodyDamaged},
        {"name size past the chunk", PatchBody(good, card.bodyAt, field + 16, 0x7FFFFFF0u), kCardBodyDamaged},
        {"field chunk of zero length", PatchBody(good, card.bodyAt, chunk + 8, 0), kCardBodyDamaged},
        {"chunk length past the body", PatchBody(good, card.bodyAt, chunk + 8, 0x80000000u), kCardBodyDamaged},
    };
    for (const auto& c : cases) {
        std::string body = c.bytes.substr(card.bodyAt, card.end - card.bodyAt);
        fs.SetContents(kOther, c.bytes);
        Wallet w(fs);
        ASSERT_EQ(w.Open(kOther, &kPassword, true), kOpenOk) << c.what;  // records are sound; the body is not
        Card parsed(w.ItemAt(static_cast<size_t>(w.IndexOf(cardId))));
        EXPECT_EQ(ParseCardBody(parsed, reinterpret_cast<const uint8_t*>(body.data()), body.size(), *w.RecordKey()),
                  c.loadCode) << c.what;
        EXPECT_EQ(w.LoadCard(cardId), nullptr) << c.what;
        EXPECT_EQ(FindCards(w, u"nowhere", true), 0) << c.what;
        EXPECT_TRUE(Mentions(CheckProblems(c.bytes), "the card body is damaged (result code 8)")) << c.what;
    }

    // A chunk of an unknown type and zero length is read past: the fields after it are all there.
    std::vector<uint8_t> body(good.begin() + static_cast<long>(card.bodyAt), good.begin() + static_cast<long>(card.end));
    std::vector<uint8_t> empty(kChunkHeaderSize, 0);
    StoreU32(empty.data() + 4, 77);
    body.insert(body.begin() + chunk, empty.begin(), empty.end());
    body.insert(body.end(), empty.begin(), empty.end());
    fs.SetContents(kOther, good);
    Wallet w(fs);
    ASSERT_EQ(w.Open(kOther, &kPassword, true), kOpenOk);
    Card parsed(w.ItemAt(static_cast<size_t>(w.IndexOf(cardId))));
    ASSERT_EQ(ParseCardBody(parsed, body.data(), body.size(), *w.RecordKey()), kCardOk);
    ASSERT_EQ(parsed.FieldCount(), 2u);
    EXPECT_EQ(parsed.FieldAt(1)->Value(), u"0000");

    // Custom icon padding larger than the icon: the record still opens, the icon bytes come back
    // empty instead of underflowing, and the check reports the padding.
    const Stored* iconic = nullptr;
    for (const Stored& s : records)
        if (s.bodyAt > s.iconAt) iconic = &s;
    ASSERT_NE(iconic, nullptr);
    const uint32_t iconSize = static_cast<uint32_t>(iconic->bodyAt - iconic->iconAt);
    const std::string padded = WithWord(good, iconic->offset + ItemRecord::kOffIconPadding, iconSize + 8);
    fs.SetContents(kOther, padded);
    Wallet v(fs);
    ASSERT_EQ(v.Open(kOther, &kPassword, true), kOpenOk);
    bool seen = false;
    for (size_t k = 0; k < v.ItemCount(); ++k) {
        if (v.ItemAt(k).Icon() != -1) continue;
        seen = true;
        EXPECT_TRUE(v.ItemAt(k).CustomIconBytes().empty());
    }
    EXPECT_TRUE(seen);
    EXPECT_TRUE(Mentions(CheckProblems(padded), "custom icon padding " + std::to_string(iconSize + 8)));
}

TEST_F(DamagedFiles, CardWithAnEmptyBodyReadsAsDamaged) {
    // A live card record whose body size is 0: nothing to copy, and the card cannot be read.
    const Stored& card = CardRecord();
    std::string s = good;
    s.erase(card.bodyAt, card.end - card.bodyAt);
    s = WithWord(s, card.offset + ItemRecord::kOffBodySize, 0);
    fs.SetContents(kOther, s);
    Wallet w(fs);
    ASSERT_EQ(w.Open(kOther, &kPassword, true), kOpenOk);
    EXPECT_EQ(w.LoadCard(cardId), nullptr);
    EXPECT_EQ(FindCards(w, u"12345", false), 0);
    EXPECT_TRUE(Mentions(CheckProblems(s), "card body of 0 bytes is shorter than its head"));
}

TEST_F(DamagedFiles, HostileJournalIsRefusedBeforeTheWalletIsTouched) {
    // A journal with a correct digest (anyone can compute one) but numbers no save writes: a range far
    // past the wallet, or an original length larger than the wallet and the range together.
    auto journal = [](uint64_t original, uint64_t offset, const std::string& range) {
        std::string j = "TL5JRNL1";
        for (uint64_t v : {original, offset, static_cast<uint64_t>(range.size())})
            for (int i = 0; i < 8; ++i) j.push_back(static_cast<char>(v >> (8 * i)));
        j += range;
        uint8_t digest[16];
        Md5Digest(j.data(), j.size(), digest);
        return j + std::string(reinterpret_cast<const char*>(digest), 16);
    };
    const uint64_t n = good.size();
    const struct { const char* what; std::string bytes; bool refused; } cases[] = {
        {"range a terabyte in", journal(n, uint64_t(1) << 40, "xyz"), true},
        {"original length of a terabyte", journal(uint64_t(1) << 40, 0, ""), true},
        {"range past the original length", journal(100, 90, std::string(20, 'x')), true},
        {"offset near 2^64", journal(n, ~uint64_t(0) - 1, "xyz"), true},
        {"a real append", journal(n - 748, n - 748, ""), false},
    };
    for (const auto& c : cases) {
        fs.SetContents(kOther, good);
        fs.SetContents(JournalPathFor(kOther), c.bytes);
        Wallet w(fs);
        const int rc = w.Open(kOther, &kPassword, true);
        if (c.refused) {
            EXPECT_EQ(rc, kOpenCannotOpen) << c.what;
            EXPECT_EQ(fs.Contents(kOther), good) << c.what;
            EXPECT_TRUE(fs.Exists(JournalPathFor(kOther))) << c.what;  // kept for whoever looks into it
        } else {
            EXPECT_EQ(rc, kOpenOk) << c.what;
            EXPECT_EQ(fs.Contents(kOther), good.substr(0, n - 748)) << c.what;
            EXPECT_FALSE(fs.Exists(JournalPathFor(kOther))) << c.what;
        }
        fs.Remove(JournalPathFor(kOther));
    }
}

TEST(DamagedIconData, EntriesWhoseImagesCannotBeReadAreNeverChosen) {
    // Two entries: the first points far past the data, the second at a header that is cut short.
    std::vector<uint8_t> icon = {0, 0, 1, 0, 2, 0};
    for (uint32_t offset : {0x7FFFFFF0u, 38u}) {
        std::vector<uint8_t> entry(16, 0);
        StoreU32(entry.data() + 12, offset);
        icon.insert(icon.end(), entry.begin(), entry.end());
    }
    icon.resize(60, 0);
    IconReader reader;
    // Such entries have height -1; asking for that height finds no image instead of reading one.
    for (int height : {-1, 0, 16}) {
        EXPECT_EQ(reader.Read(icon.data(), icon.size(), height, 0, true), kIconNoSuchHeight) << height;
        EXPECT_EQ(reader.ChosenEntry(), -1);
        EXPECT_FALSE(reader.DecodeBgra(nullptr, 0));
    }
    EXPECT_EQ(reader.EntryAt(0).height, -1);
    EXPECT_EQ(reader.EntryAt(1).height, -1);
    // A directory that lists more entries than the data holds.
    icon[4] = 20;
    EXPECT_EQ(reader.Read(icon.data(), icon.size(), 16, 0, true), kIconBeyondData);
}

TEST(DamagedLegacyFiles, TagListsWhoseLengthsOverlapOrRunPastTheBlock) {
    auto entry = [](uint32_t tag, const std::string& bytes, uint32_t length) {
        return tl5::testing::LegacyU32(tag) + tl5::testing::LegacyU32(length) + bytes;
    };
    const std::string notes = tl5::testing::LegacyText(u"hello");
    // Entry 2's stated length covers entry 400 and more: 400 is inside 2's bytes and must not be found,
    // and no entry after it either.
    const std::string overlapping = entry(2, "ab", 2 + 8 + static_cast<uint32_t>(notes.size())) + entry(400, notes, 0x7FFFFFFF);
    const std::string pastEnd = entry(1, "abcd", 4) + entry(400, notes, static_cast<uint32_t>(notes.size()) + 1);
    const std::string nested = entry(1, entry(400, notes, static_cast<uint32_t>(notes.size())), 8 + static_cast<uint32_t>(notes.size())) +
                               entry(400, tl5::testing::LegacyText(u"outer"), 12);
    const std::string huge = entry(400, notes, 0xFFFFFFF8u);
    const struct { const char* what; std::string block; std::u16string notes; bool entry2; } cases[] = {
        {"a length covering the next entry", overlapping, u"", true},
        {"the last entry one byte past the block", pastEnd, u"", false},
        {"an entry inside another entry", nested, u"outer", false},
        {"a length near 2^32", huge, u"", false},
    };
    for (const auto& c : cases) {
        LegacyTagList tags(reinterpret_cast<const uint8_t*>(c.block.data()), c.block.size());
        EXPECT_EQ(tags.Text(kLegacyTagNotes), c.notes) << c.what;
        const uint8_t* bytes = nullptr;
        size_t length = 0;
        EXPECT_EQ(tags.Find(2, &bytes, &length), c.entry2) << c.what;
        if (c.entry2) {
            EXPECT_GE(bytes, reinterpret_cast<const uint8_t*>(c.block.data()));
            EXPECT_LE(bytes + length, reinterpret_cast<const uint8_t*>(c.block.data()) + c.block.size()) << c.what;
        }
    }

    // A card record whose data block runs past the end of the file: no records at all (code 4).
    tl5::testing::LegacyWalletWriter writer(u"pw");
    writer.AddFolder(1, u"Folder");
    tl5::testing::LegacyCardDraft card;
    card.name = u"Card";
    card.tags = {{400, notes}};
    card.dataLengthOverride = 0x7FFFFFFF;
    writer.AddCard(card);
    MemoryFileSystem fs;
    fs.SetContents(u"/mem/old.wal", writer.Bytes());
    std::unique_ptr<File> file;
    ASSERT_EQ(fs.Open(u"/mem/old.wal", FileMode::OpenReadOnly, FileShare::Read, &file), kFileOk);
    LegacyRecords records;
    EXPECT_EQ(ReadLegacyRecords(*file, &records), 4);
    EXPECT_TRUE(records.cards.empty() && records.folders.empty());
}

TEST(DamagedDefinitionFiles, OneEnormousLine) {
    const std::string header = "<OstrovaWorksTessellockCustomForms.1>\r\n";
    const std::string big(2u << 20, '7');
    const struct { const char* what; std::string bytes; int error; int line; } cases[] = {
        {"a file of one line without the header", big + "\r\n", kCustomFormsNoHeader, 0},
        {"an enormous key line", header + "<MyForm>\r\nName\r\n" + big + "\r\n1\r\n", kCustomFormsBadKey, 4},
        {"an enormous icon line", header + "<MyForm>\r\nName\r\n1000\r\n" + big + "\r\n", kCustomFormsBadIcon, 5},
        {"an enormous field line", header + "<MyForm>\r\nName\r\n1000\r\n1\r\n" + big + "\r\n<EndForm>\r\n",
         kCustomFormsNoKeyword, 6},
    };
    for (const auto& c : cases) {
        CustomFormDefinitions defs;
        EXPECT_FALSE(ParseCustomFormDefinitions(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size(), defs))
            << c.what;
        EXPECT_EQ(defs.error, c.error) << c.what;
        EXPECT_EQ(defs.errorLine, c.line) << c.what;
        EXPECT_TRUE(defs.forms.empty()) << c.what;
    }
    // An enormous name is cut to 63 characters, not refused.
    const std::string named = header + "<MyForm>\r\n" + big + "\r\n1000\r\n1\r\n1001 TLF_DEFAULT Field\r\n<EndForm>\r\n";
    CustomFormDefinitions defs;
    ASSERT_TRUE(ParseCustomFormDefinitions(reinterpret_cast<const uint8_t*>(named.data()), named.size(), defs));
    ASSERT_EQ(defs.forms.size(), 1u);
    EXPECT_EQ(defs.forms[0].name.size(), 63u);

    // Through the file system a file larger than the cap is not read at all.
    MemoryFileSystem fs;
    fs.SetContents(u"/mem/forms.tcd", header + std::string(kCustomFormMaxFileSize, ';'));
    EXPECT_FALSE(LoadCustomFormDefinitions(fs, u"/mem/forms.tcd", defs));
    EXPECT_EQ(defs.error, kCustomFormsCannotOpen);
}

}  // namespace
