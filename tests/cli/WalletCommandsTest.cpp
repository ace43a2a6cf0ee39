// tl5 create, info, passwd and check, run as a user would (password lines on standard input).
#include <gtest/gtest.h>

#include <cstring>

#include "Tl5Run.h"
#include "model/Card.h"
#include "model/LittleEndian.h"
#include "model/Wallet.h"
#include "platform/Text.h"
#include "resources/StringTable.h"

using namespace tl5;
using namespace tl5clitest;

namespace {

const uint8_t* U8(const std::string& s, size_t at) { return reinterpret_cast<const uint8_t*>(s.data()) + at; }

std::u16string DecryptSlot(const CipherKey& key, const std::string& s, size_t at, size_t n) {
    std::vector<uint8_t> plain(n);
    key.Decrypt(U8(s, at), n, plain.data());
    std::u16string text;
    for (size_t k = 0; k + 1 < n && (plain[k] | plain[k + 1]); k += 2) text.push_back(static_cast<char16_t>(LoadU16(&plain[k])));
    return text;
}

bool Guid(const std::string& s, size_t at, const char* guid) {
    uint8_t b[16];
    GuidToBytes(guid, b);
    return std::memcmp(U8(s, at), b, 16) == 0;
}

}  // namespace

TEST(Tl5Create, WritesEveryFixedByteOfANewWallet) {
    TempDir dir;
    const std::string path = (dir / "new.tl5").string();
    const Tl5Result r = RunTl5(dir, {"create", path, "--hint", "blue door", "--sample-folder"}, "pa55word\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string f = ReadFileText(path);
    ASSERT_EQ(f.size(), 4980u + 2 * 748u);

    EXPECT_EQ(f.substr(0, 64), std::string("Ostrova Works\xAE Tessellock\xAE File\r\nhttp://www.ostrovaworks.com\r\n\0\0", 64));
    EXPECT_EQ(f.substr(64, 12), std::string("(5.00a)\0WM\0\0", 12));

    // Header: marks, the 1, the key time stamp (also the last change), verifier and stored-key slot.
    EXPECT_TRUE(Guid(f, 76, "{5D42A212-031B-44D9-A2CA-DC16CAE4F927}"));
    EXPECT_TRUE(Guid(f, 76 + 3132, "{9038FB41-B592-47FC-825D-AF7493AC18AF}"));
    EXPECT_EQ(LoadU32(U8(f, 76 + 32)), 0u);
    EXPECT_EQ(LoadU32(U8(f, 76 + 36)), 1u);
    const SystemTime keyTime = LoadSystemTime(U8(f, 76 + 76));
    EXPECT_FALSE(keyTime.IsZero());
    EXPECT_TRUE(LoadSystemTime(U8(f, 76 + 16)) == keyTime);
    CipherKey headerKey;
    ASSERT_TRUE(DeriveHeaderKey(keyTime, &headerKey));
    uint8_t k[16], stored[16];
    ASSERT_TRUE(PasswordKeyMaterial(headerKey, u"pa55word", k));
    EXPECT_EQ(0, std::memcmp(U8(f, 76 + 40), k, 16));
    headerKey.Encrypt(k, 16, stored);
    EXPECT_EQ(0, std::memcmp(U8(f, 76 + 56), stored, 16));
    EXPECT_EQ(DecryptSlot(headerKey, f, 76 + 432, 512), u"blue door");
    EXPECT_EQ(DecryptSlot(headerKey, f, 76 + 2608, 128), StringTableLookup(20200));
    EXPECT_EQ(DecryptSlot(headerKey, f, 76 + 2736, 128), StringTableLookup(20201));
    EXPECT_EQ(DecryptSlot(headerKey, f, 76 + 2864, 128), StringTableLookup(20202));
    EXPECT_EQ(LoadI32(U8(f, 76 + 2992)), 88);
    EXPECT_EQ(LoadI32(U8(f, 76 + 2996)), 78);
    EXPECT_EQ(LoadI32(U8(f, 76 + 3000)), 128);
    for (const auto& [at, n] : std::vector<std::pair<size_t, size_t>>{{92, 16}, {112, 320}, {944, 1664}, {3004, 128}})
        for (size_t i = 0; i < n; ++i) ASSERT_EQ(f[76 + at + i], 0) << "header offset " << at + i;

    // Settings: the defaults of a new wallet, byte for byte.
    WalletSettings defaults;
    defaults.Initialize();
    EXPECT_EQ(0, std::memcmp(U8(f, 3224), defaults.Raw(), WalletSettings::kSize));
    EXPECT_TRUE(Guid(f, 3224, "{4E82F7C8-0D69-4411-9985-9EDC1420E9AB}"));
    EXPECT_EQ(LoadU32(U8(f, 3224 + 112)), 5u);

    // The sample folder, then My Forms, named under the RecordKey (= K).
    CipherKey recordKey;
    ASSERT_TRUE(recordKey.SetKey(k));
    EXPECT_TRUE(Guid(f, 4980, "{8B5D597B-58E8-48B9-A909-9A2EF5845A60}"));
    EXPECT_EQ(DecryptSlot(recordKey, f, 4980 + 100, 512), StringTableLookup(20510));
    EXPECT_EQ(LoadI32(U8(f, 4980 + 708)), 72);
    EXPECT_EQ(LoadI32(U8(f, 4980 + 624)), -1);
    const uint8_t myForms[16] = {0xFF, 0xFF, 0, 0, 0, 0, 0x11, 0x11, 0xFF, 0xFF, 0xFF, 0xFF, 0, 1, 2, 3};
    EXPECT_EQ(0, std::memcmp(U8(f, 5728), myForms, 16));
    EXPECT_EQ(DecryptSlot(recordKey, f, 5728 + 100, 512), StringTableLookup(20203));
    EXPECT_EQ(LoadI32(U8(f, 5728 + 708)), 55);
    EXPECT_EQ(LoadU32(U8(f, 5728 + 740)), 0u);
    for (size_t i = 0; i < 16; ++i) EXPECT_EQ(f[5728 + 32 + i], 0) << "My Forms has no parent";
}

TEST(Tl5Create, RefusalsNameTheirResultCode) {
    TempDir dir;
    const std::string path = (dir / "w.tl5").string();
    WriteFileText(path, "keep me");
    const struct { std::vector<std::string> args; std::string input; int status; const char* code; } cases[] = {
        {{"create", path}, "pa55word\n", 5, "result code 4"},                               // exists
        {{"create", (dir / "x.tl5").string()}, "ab\n", 2, "result code 3"},                 // too short
        {{"create", (dir / "x.tl5").string()}, std::string(24, 'p') + "\n", 2, "result code 3"},
        {{"create", (dir / "x.tl5").string()}, "", 2, ""},                                 // no password at all
        {{"create"}, "pa55word\n", 2, ""},
        {{"create", (dir / "x.tl5").string(), "--bogus"}, "pa55word\n", 2, ""},
    };
    for (const auto& c : cases) {
        const Tl5Result r = RunTl5(dir, c.args, c.input);
        EXPECT_EQ(r.status, c.status) << c.args.back() << ": " << r.err;
        EXPECT_NE(r.err.find(c.code), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadFileText(path), "keep me");
    EXPECT_FALSE(std::filesystem::exists(dir / "x.tl5"));
}

TEST(Tl5Info, NeedsThePasswordAndReportsTheBlocks) {
    TempDir dir;
    const std::string path = (dir / "w.tl5").string();
    ASSERT_EQ(RunTl5(dir, {"create", path, "--hint", "cat's name"}, "pa55word\n").status, 0);

    Tl5Result r = RunTl5(dir, {"info", path}, "wrong!\n");
    EXPECT_EQ(r.status, 4);
    EXPECT_NE(r.err.find("result code 10"), std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("cat's name"), std::string::npos) << "no hint before the password checks";

    r = RunTl5(dir, {"info", path, "--json"}, "pa55word\n");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* expected : {"\"wallet\": \"w\"", "\"version\": \"(5.00a)\"", "\"password_set\": true",
                                 "\"hint\": \"cat's name\"", "\"label\": \"Favorites\"", "\"auto_close_minutes\": 5",
                                 "\"favourites_count\": 0", "\"live\": 1", "\"tombstones\": 0", "\"text_size\": 9"})
        EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\n" << r.out;
    EXPECT_NE(r.out.find("\"created\": \"20"), std::string::npos) << r.out;

    WriteFileText(dir / "not.tl5", std::string(75, 'x'));
    r = RunTl5(dir, {"info", (dir / "not.tl5").string()}, "");
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("result code 7"), std::string::npos) << r.err;
    r = RunTl5(dir, {"info", (dir / "missing.tl5").string()}, "");
    EXPECT_EQ(r.status, 5);
}

TEST(Tl5Passwd, ChangesPasswordAndHintButNotTheData) {
    TempDir dir;
    const std::string path = (dir / "w.tl5").string();
    ASSERT_EQ(RunTl5(dir, {"create", path, "--sample-folder", "--hint", "old"}, "pa55word\n").status, 0);
    EXPECT_EQ(RunTl5(dir, {"passwd", path}, "not it\nnewpassword\nnew hint\n").status, 4);
    Tl5Result r = RunTl5(dir, {"passwd", path}, "pa55word\nxy\n");
    EXPECT_EQ(r.status, 2) << r.err;
    const std::string longest(24, 'L');
    r = RunTl5(dir, {"passwd", path}, "pa55word\n" + longest + "\nnew hint\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(RunTl5(dir, {"info", path}, "pa55word\n").status, 4);
    r = RunTl5(dir, {"info", path, "--json"}, longest + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"hint\": \"new hint\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"live\": 2"), std::string::npos) << r.out;
    // Names written under the first password still read.
    Wallet w;
    const std::u16string newPassword = Utf8ToUtf16(longest);
    ASSERT_EQ(w.Open(Utf8ToUtf16(path), &newPassword, true), kOpenOk);
    EXPECT_EQ(w.ItemAt(0).Name(), StringTableLookup(20510));
}

TEST(Tl5Check, ReportsDamageWithItsOffset) {
    TempDir dir;
    const std::string path = (dir / "w.tl5").string();
    const std::u16string password = u"pa55word";
    uint64_t bodyOffset = 0;
    {
        Wallet w;
        ASSERT_EQ(w.Create(Utf8ToUtf16(path), password, u"", true), kCreateOk);
        ASSERT_EQ(w.Open(Utf8ToUtf16(path), &password, false), kOpenOk);
        ItemRecord r;
        r.SetKey(w.RecordKey());
        r.CreateAsCard(w.ItemAt(0).Id());
        r.SetName(u"Card");
        Card card(r);
        card.AddField(1)->SetValue(u"value");
        ASSERT_GE(w.AppendCard(&card, false), 0);
        ItemRecord found;
        uint64_t length = 0;
        ASSERT_TRUE(w.FindRecordInFile(r.Id(), &found, &bodyOffset, &length));
        bodyOffset += length;
        w.Close(true);
    }
    Tl5Result r = RunTl5(dir, {"check", path}, "pa55word\n");
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("3 live records, 0 tombstones: all is well"), std::string::npos) << r.out;

    const std::string good = ReadFileText(path);
    struct Case { const char* what; std::string bytes; std::string expected; };
    std::string chunkPastEnd = good;
    StoreU32(reinterpret_cast<uint8_t*>(chunkPastEnd.data()) + bodyOffset + 64 + 8, 0x7FFFFFFF);
    std::string orphan = good;
    std::memset(orphan.data() + 4980 + 32, 0x5A, 16);  // the folder gets a parent that does not exist
    const Case cases[] = {
        {"chunk length past the body", chunkPastEnd, "offset " + std::to_string(bodyOffset) + ": the card body is damaged"},
        {"file cut inside the body", good.substr(0, good.size() - 3), "runs past the end of the file"},
        {"file cut inside a record", good.substr(0, 4980 + 748 + 100), "offset 5728: the file ends inside"},
        {"orphan", orphan, "offset 4980: the parent"},
    };
    for (const Case& c : cases) {
        WriteFileText(path, c.bytes);
        r = RunTl5(dir, {"check", path}, "pa55word\n");
        EXPECT_EQ(r.status, 1) << c.what;
        EXPECT_NE(r.out.find(c.expected), std::string::npos) << c.what << "\n" << r.out;
    }
}

TEST(Tl5Ls, ListsLiveItemsInTreeOrder) {
    TempDir dir;
    const std::string path = (dir / "w.tl5").string();
    const std::u16string password = u"pa55word";
    {
        Wallet w;
        ASSERT_EQ(w.Create(Utf8ToUtf16(path), password, u"", false), kCreateOk);
        ASSERT_EQ(w.Open(Utf8ToUtf16(path), &password, false), kOpenOk);
        auto folder = [&](const ItemId& parent, const std::u16string& name) {
            ItemRecord r;
            r.SetKey(w.RecordKey());
            r.CreateAsFolder(parent);
            r.SetName(name);
            const ItemId id = r.Id();
            EXPECT_GE(w.AppendFolderRecord(&r, false), 0);
            return id;
        };
        auto card = [&](const ItemId& parent, const std::u16string& name) {
            ItemRecord r;
            r.SetKey(w.RecordKey());
            r.CreateAsCard(parent);
            r.SetName(name);
            Card c(r);
            const ItemId id = r.Id();
            EXPECT_GE(w.AppendCard(&c, false), 0);
            return id;
        };
        const ItemId work = folder(ItemId(), u"work");
        folder(ItemId(), u"Banking");
        card(ItemId(), u"zebra");
        card(work, u"b card");
        folder(work, u"A sub");
        card(work, u"A card");
        const ItemId gone = card(ItemId(), u"deleted one");
        ASSERT_EQ(w.MarkDeletedInFile(gone), 1);
        w.Close(true);
    }
    Tl5Result r = RunTl5(dir, {"ls", path}, "pa55word\n");
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> names;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) names.push_back(line.substr(0, line.find_last_not_of(' ', line.rfind(' ')) + 1));
    const std::vector<std::string> expected = {"zebra", "Banking/", "work/", "  A card", "  b card", "  A sub/", "My Forms/"};
    EXPECT_EQ(names, expected) << r.out;

    r = RunTl5(dir, {"ls", path, "--json"}, "pa55word\n");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* s : {"\"path\": \"work/A sub\"", "\"kind\": \"my_forms\"", "\"depth\": 1", "\"parent\": null"})
        EXPECT_NE(r.out.find(s), std::string::npos) << s << "\n" << r.out;
    EXPECT_EQ(r.out.find("deleted one"), std::string::npos);
}

// Items out of reach of the top level (a missing parent, a parent that is a card, and what lies in an
// orphan folder) come after the tree, at the top level, in file order.
TEST(Tl5Ls, ItemsOutOfReachComeAfterTheTree) {
    TempDir dir;
    const std::string path = (dir / "w.tl5").string();
    const std::u16string password = u"pa55word";
    {
        Wallet w;
        ASSERT_EQ(w.Create(Utf8ToUtf16(path), password, u"", false), kCreateOk);
        ASSERT_EQ(w.Open(Utf8ToUtf16(path), &password, false), kOpenOk);
        auto add = [&](bool isFolder, const ItemId& parent, const std::u16string& name) {
            ItemRecord r;
            r.SetKey(w.RecordKey());
            if (isFolder) r.CreateAsFolder(parent); else r.CreateAsCard(parent);
            r.SetName(name);
            const ItemId id = r.Id();
            if (isFolder) {
                EXPECT_GE(w.AppendFolderRecord(&r, false), 0);
            } else {
                Card c(r);
                EXPECT_GE(w.AppendCard(&c, false), 0);
            }
            return id;
        };
        ItemId missing;
        ASSERT_TRUE(ItemId::FromHex("00112233445566778899aabbccddeeff", &missing));
        const ItemId home = add(true, ItemId(), u"home");
        const ItemId lostFolder = add(true, missing, u"lost folder");
        const ItemId note = add(false, home, u"note");
        add(false, lostFolder, u"inside");
        add(false, note, u"under a card");
        w.Close(true);
    }
    const Tl5Result r = RunTl5(dir, {"ls", path}, "pa55word\n");
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> names;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) names.push_back(line.substr(0, line.find_last_not_of(' ', line.rfind(' ')) + 1));
    const std::vector<std::string> expected = {"home/", "  note", "My Forms/", "lost folder/", "inside", "under a card"};
    EXPECT_EQ(names, expected) << r.out;
}
