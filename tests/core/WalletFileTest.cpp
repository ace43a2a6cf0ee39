// The wallet file: every fixed byte of a new wallet, and how damaged or foreign files are refused.
#include <gtest/gtest.h>

#include <cstring>

#include "WalletTestSupport.h"
#include "model/LittleEndian.h"
#include "model/Md5.h"
#include "resources/StringTable.h"

using namespace tl5;
using namespace tl5test;

namespace {

class WalletFile : public FixedWorld {
protected:
    std::string NewWallet(bool sample, std::u16string hint = u"") {
        Wallet w(fs);
        EXPECT_EQ(w.Create(kPath, kPassword, hint, sample), kCreateOk);
        return fs.Contents(kPath);
    }
    int OpenBytes(const std::string& bytes, const std::u16string* password = &kPassword) {
        fs.SetContents(u"/mem/x.tl5", bytes);
        Wallet w(fs);
        return w.Open(u"/mem/x.tl5", password, false);
    }
    MemoryFileSystem fs;
};

const uint8_t* U8(const std::string& s, size_t at) { return reinterpret_cast<const uint8_t*>(s.data()) + at; }

bool AllZero(const std::string& s, size_t at, size_t n) {
    for (size_t k = 0; k < n; ++k)
        if (s[at + k] != 0) return false;
    return true;
}

std::u16string DecryptSlot(const CipherKey& key, const std::string& s, size_t at, size_t n) {
    std::vector<uint8_t> plain(n);
    key.Decrypt(U8(s, at), n, plain.data());
    std::u16string text;
    for (size_t k = 0; k + 1 < n; k += 2) {
        const char16_t c = static_cast<char16_t>(LoadU16(plain.data() + k));
        if (!c) break;
        text.push_back(c);
    }
    // Everything after the terminator is zero.
    for (size_t k = 2 * text.size(); k < n; ++k) EXPECT_EQ(plain[k], 0) << "slot at " << at;
    return text;
}

void ExpectGuid(const std::string& s, size_t at, const char* guid) {
    uint8_t b[16];
    GuidToBytes(guid, b);
    EXPECT_EQ(0, std::memcmp(U8(s, at), b, 16)) << "mark at " << at;
}

void ExpectTime(const std::string& s, size_t at, const SystemTime& t) {
    EXPECT_TRUE(LoadSystemTime(U8(s, at)) == t) << "time at " << at;
}

}  // namespace

TEST_F(WalletFile, NewWalletHasEveryFixedByte) {
    const std::string f = NewWallet(true, u"my hint");
    ASSERT_EQ(f.size(), 4980u + 2 * 748u);

    // FileSignature.
    const char sig[] = "Ostrova Works\xAE Tessellock\xAE File\r\nhttp://www.ostrovaworks.com\r\n";
    EXPECT_EQ(f.substr(0, 62), std::string(sig, 62));
    EXPECT_TRUE(AllZero(f, 62, 2));
    EXPECT_EQ(f.substr(64, 8), std::string("(5.00a)\0", 8));
    EXPECT_EQ(f.substr(72, 4), std::string("WM\0\0", 4));

    // WalletHeader at 76.
    const size_t h = 76;
    ExpectGuid(f, h + 0, "{5D42A212-031B-44D9-A2CA-DC16CAE4F927}");
    ExpectGuid(f, h + 3132, "{9038FB41-B592-47FC-825D-AF7493AC18AF}");
    ExpectTime(f, h + 16, FixedTime());
    EXPECT_EQ(LoadU32(U8(f, h + 32)), 0u);
    EXPECT_EQ(LoadU32(U8(f, h + 36)), 1u);
    ExpectTime(f, h + 76, FixedTime());
    CipherKey headerKey;
    ASSERT_TRUE(DeriveHeaderKey(FixedTime(), &headerKey));
    uint8_t k[16], slot[16];
    ASSERT_TRUE(PasswordKeyMaterial(headerKey, kPassword, k));
    EXPECT_EQ(0, std::memcmp(U8(f, h + 40), k, 16)) << "verifier is K(P)";
    headerKey.Encrypt(k, 16, slot);
    EXPECT_EQ(0, std::memcmp(U8(f, h + 56), slot, 16)) << "stored-key slot is K encrypted under the HeaderKey";
    EXPECT_TRUE(AllZero(f, h + 92, 16));
    EXPECT_TRUE(AllZero(f, h + 112, 320));
    EXPECT_EQ(DecryptSlot(headerKey, f, h + 432, 512), u"my hint");
    EXPECT_TRUE(AllZero(f, h + 944, 1664));
    EXPECT_EQ(DecryptSlot(headerKey, f, h + 2608, 128), StringTableLookup(20200));
    EXPECT_EQ(DecryptSlot(headerKey, f, h + 2736, 128), StringTableLookup(20201));
    EXPECT_EQ(DecryptSlot(headerKey, f, h + 2864, 128), StringTableLookup(20202));
    EXPECT_EQ(LoadI32(U8(f, h + 2992)), 88);   // node 1
    EXPECT_EQ(LoadI32(U8(f, h + 2996)), 78);   // node 3
    EXPECT_EQ(LoadI32(U8(f, h + 3000)), 128);  // node 2
    EXPECT_TRUE(AllZero(f, h + 3004, 128));

    // WalletSettings at 3224.
    const size_t s = 3224;
    ExpectGuid(f, s + 0, "{4E82F7C8-0D69-4411-9985-9EDC1420E9AB}");
    ExpectGuid(f, s + 1740, "{68B001AA-550F-4ECE-9D3B-EA3814C6E6EE}");
    EXPECT_TRUE(AllZero(f, s + 16, 20));  // last change and change flags
    const uint32_t head[16] = {0, 0x00FFFFFF, 0x00800000, 0x00FFFFFF, 0, 0x00FFFFFF, 0x00FF0000, 9,
                               0, 0, 0, 9, 0, 0, 0, 0};
    for (int w = 0; w < 16; ++w) EXPECT_EQ(LoadU32(U8(f, s + 36 + 4 * w)), head[w]) << "card head word " << w;
    const struct { size_t at; uint32_t value; } words[] = {{100, 5}, {104, 5}, {108, 0}, {112, 5}, {116, 0},
                                                            {120, 0}, {124, 0x00FF0000}, {128, 0}, {132, 0}, {136, 0}};
    for (const auto& w : words) EXPECT_EQ(LoadU32(U8(f, s + w.at)), w.value) << "settings offset " << w.at;
    EXPECT_TRUE(AllZero(f, s + 140, 1740 - 140));

    // Records: the sample folder, then My Forms.
    CipherKey recordKey;
    ASSERT_TRUE(recordKey.SetKey(k));
    const struct { const char* type; uint32_t nameId; int32_t icon; bool parentless; } records[] = {
        {"{8B5D597B-58E8-48B9-A909-9A2EF5845A60}", 20510, 72, true},
        {nullptr, 20203, 55, true},
    };
    for (int n = 0; n < 2; ++n) {
        const size_t r = 4980 + 748 * n;
        if (records[n].type) {
            ExpectGuid(f, r, records[n].type);
        } else {
            const uint8_t myForms[16] = {0xFF, 0xFF, 0, 0, 0, 0, 0x11, 0x11, 0xFF, 0xFF, 0xFF, 0xFF, 0, 1, 2, 3};
            EXPECT_EQ(0, std::memcmp(U8(f, r), myForms, 16));
        }
        EXPECT_EQ(LoadU16(U8(f, r + 16 + 4)), 3) << "identifier tag";
        EXPECT_EQ(U8(f, r + 16)[8], 9);  // day
        EXPECT_EQ(U8(f, r + 16)[9], 12);  // month
        EXPECT_EQ(LoadU16(U8(f, r + 16 + 10)), 2026);
        EXPECT_EQ(U8(f, r + 16)[14], 5);
        EXPECT_EQ(U8(f, r + 16)[15], 5);
        EXPECT_TRUE(AllZero(f, r + 32, 16)) << "top level";
        EXPECT_NE(LoadU32(U8(f, r + 48)) & 1, 0u) << "created flag";
        ExpectTime(f, r + 52, FixedTime());
        ExpectTime(f, r + 68, FixedTime());
        EXPECT_TRUE(AllZero(f, r + 84, 16));
        EXPECT_EQ(DecryptSlot(recordKey, f, r + 100, 512), StringTableLookup(records[n].nameId));
        EXPECT_EQ(LoadU32(U8(f, r + 612)), 0u);
        EXPECT_TRUE(AllZero(f, r + 616, 8));
        EXPECT_EQ(LoadI32(U8(f, r + 624)), -1);
        EXPECT_TRUE(AllZero(f, r + 628, 80));
        EXPECT_EQ(LoadI32(U8(f, r + 708)), records[n].icon);
        EXPECT_TRUE(AllZero(f, r + 712, 36)) << "no custom icon, body size 0";
    }
}

TEST_F(WalletFile, NewWalletOpensWithItsRecordsAndKeys) {
    NewWallet(false);
    Wallet w(fs);
    ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
    ASSERT_EQ(w.ItemCount(), 1u);  // My Forms only
    EXPECT_TRUE(w.ItemAt(0).IsMyFormsFolder());
    EXPECT_EQ(w.ItemAt(0).Name(), StringTableLookup(20203));
    EXPECT_EQ(w.MyFormsIndex(), 0);
    EXPECT_FALSE(w.Header().HasHint());
    EXPECT_EQ(w.Name(), u"test");
}

TEST_F(WalletFile, CreateRefusals) {
    Wallet w(fs);
    EXPECT_EQ(w.Create(u"a.tl5", kPassword, u"", false), kCreateBadPath);
    EXPECT_EQ(w.Create(u"/" + std::u16string(259, u'x'), kPassword, u"", false), kCreateBadPath);
    EXPECT_EQ(w.Create(kPath, u"", u"", false), kCreateNoPassword);
    EXPECT_EQ(w.Create(kPath, u"ab", u"", false), kCreateBadPassword);
    EXPECT_EQ(w.Create(kPath, std::u16string(24, u'p'), u"", false), kCreateBadPassword);
    EXPECT_FALSE(fs.Exists(kPath));
    ASSERT_EQ(w.Create(kPath, std::u16string(23, u'p'), u"", false), kCreateOk);
    // Over an existing file: refused, the file untouched.
    fs.SetContents(u"/mem/other.tl5", "precious");
    EXPECT_EQ(w.Create(u"/mem/other.tl5", kPassword, u"", false), kCreateExists);
    EXPECT_EQ(fs.Contents(u"/mem/other.tl5"), "precious");
}

TEST_F(WalletFile, FailedCreateLeavesNoFileBehind) {
    // Every write of a create failing in turn, then a power cut that loses what was not flushed, names
    // included: never a half-made wallet under the name, and a create reported done survives.
    for (long n = 1;; ++n) {
        MemoryFileSystem mem;
        mem.SetNamesNeedFolderFlush(true);
        FaultFileSystem faulty(mem);
        faulty.FailAt(n);
        int rc = kCreateOk;
        {
            Wallet w(faulty);
            rc = w.Create(kPath, kPassword, u"", true);
        }
        mem.Crash(false);
        if (!faulty.Failed()) {
            EXPECT_EQ(rc, kCreateOk);
            Wallet after(mem);
            ASSERT_EQ(after.Open(kPath, &kPassword, true), kOpenOk) << "a created wallet lasts";
            EXPECT_EQ(after.ItemCount(), 2u);
            break;
        }
        // A crash leaves the file behind (its removal fails too); it must not open as a wallet unless
        // it is complete.
        if (mem.Exists(kPath)) {
            Wallet probe(mem);
            const int opened = probe.Open(kPath, &kPassword, true);
            if (opened == kOpenOk) EXPECT_EQ(probe.ItemCount(), 2u) << n;
            else EXPECT_EQ(opened, kOpenNotAWallet) << n;
        }
    }
}

TEST_F(WalletFile, DamagedFixedBlocksGiveTheirCodes) {
    const std::string good = NewWallet(true);
    auto with = [&](size_t at, const std::string& bytes) {
        std::string s = good;
        s.replace(at, bytes.size(), bytes);
        return s;
    };
    const struct { const char* what; std::string bytes; int code; } cases[] = {
        {"75 bytes", good.substr(0, 75), kOpenNotAWallet},
        {"empty", std::string(), kOpenNotAWallet},
        {"signature only", good.substr(0, 76), kOpenBadHeader},
        {"other signature", with(10, "x"), kOpenNotAWallet},
        {"later 5.x version", with(64, "(5.10b)"), kOpenOk},
        {"version 4", with(64, "(4.00a)"), kOpenBadVersion},
        {"5. at the very end", with(64, "xxxxx5."), kOpenOk},
        {"header begin mark", with(76, "x"), kOpenBadHeader},
        {"header end mark", with(76 + 3140, "x"), kOpenBadHeader},
        {"header cut short", good.substr(0, 3000), kOpenBadHeader},
        {"settings begin mark", with(3224 + 3, "x"), kOpenBadSettings},
        {"settings end mark", with(3224 + 1750, "x"), kOpenBadSettings},
        {"settings cut short", good.substr(0, 4000), kOpenBadSettings},
        {"no records at all", good.substr(0, 4980), kOpenOk},
        {"record cut short", good.substr(0, 4980 + 748 + 700), kOpenBadRecord},
        {"unknown type identifier", with(4980, "XXXX"), kOpenBadRecord},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OpenBytes(c.bytes), c.code) << c.what;
    }
}

TEST_F(WalletFile, HostileRecordSizesAreCheckedAgainstTheFile) {
    const std::string good = NewWallet(false);
    auto withWord = [&](size_t at, uint32_t v) {
        std::string s = good;
        uint8_t b[4];
        StoreU32(b, v);
        s.replace(at, 4, reinterpret_cast<char*>(b), 4);
        return s;
    };
    const size_t r = 4980;
    const struct { const char* what; std::string bytes; int code; } cases[] = {
        {"icon size past the end", withWord(r + 712, 0x7FFFFFFF), kOpenBadRecord},
        {"icon size one byte past the end", withWord(r + 712, 1), kOpenBadRecord},
        {"body past the end", withWord(r + 740, 0xFFFFFFFF), kOpenBadRecord},
        {"body one byte past the end", withWord(r + 740, 1), kOpenBadRecord},
    };
    for (const auto& c : cases) EXPECT_EQ(OpenBytes(c.bytes), c.code) << c.what;
}

TEST_F(WalletFile, PasswordIsCheckedBeforeAnythingOpens) {
    NewWallet(false);
    Wallet w(fs);
    EXPECT_EQ(w.Probe(kPath, nullptr), kOpenWrongPassword);
    EXPECT_FALSE(w.IsOpen());
    const std::u16string wrong = u"wrong password", tooShort = u"ab";
    EXPECT_EQ(w.Open(kPath, &wrong, false), kOpenWrongPassword);
    EXPECT_EQ(w.Open(kPath, &tooShort, false), kOpenWrongPassword);
    EXPECT_FALSE(w.IsOpen());
    ASSERT_EQ(w.Probe(kPath, &kPassword), kOpenOk);
    EXPECT_TRUE(w.IsOpen());
    EXPECT_TRUE(w.IsReadOnly());
    EXPECT_EQ(w.ItemCount(), 0u);
    EXPECT_EQ(w.Close(true), kCloseReadOnly);
    EXPECT_EQ(w.Close(true), kCloseNotOpen);

    // A wallet whose verifier is all zero opens without any password.
    std::string bytes = fs.Contents(kPath);
    std::memset(bytes.data() + 76 + 40, 0, 16);
    EXPECT_EQ(OpenBytes(bytes, nullptr), kOpenOk);
}

TEST_F(WalletFile, PasswordChangeKeepsTheRecordKey) {
    NewWallet(true, u"old hint");
    const std::u16string newPassword(24, u'n');  // 24 characters: allowed when changing
    {
        Wallet w(fs);
        ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
        EXPECT_TRUE(w.Header().CheckPassword(kPassword));
        EXPECT_FALSE(w.Header().SetPassword(std::u16string(25, u'n')));
        ASSERT_TRUE(w.Header().SetPassword(newPassword));
        ASSERT_TRUE(w.Header().SetHint(u"new hint"));
        EXPECT_EQ(w.Header().ChangeFlags(), kHeaderPasswordChanged | kHeaderHintChanged);
        ASSERT_EQ(w.Close(true), kCloseOk);
    }
    Wallet w(fs);
    EXPECT_EQ(w.Open(kPath, &kPassword, false), kOpenWrongPassword);
    ASSERT_EQ(w.Open(kPath, &newPassword, false), kOpenOk);
    ASSERT_EQ(w.ItemCount(), 2u);
    EXPECT_EQ(w.ItemAt(0).Name(), StringTableLookup(20510));  // written under the old password
    EXPECT_EQ(w.Header().Hint(), u"new hint");
}

TEST_F(WalletFile, ReadOnlyOpenWritesNothing) {
    NewWallet(true);
    const std::string before = fs.Contents(kPath);
    Wallet w(fs);
    ASSERT_EQ(w.Open(kPath, &kPassword, true), kOpenOk);
    w.Header().SetLabel(1, u"Changed");
    ItemRecord r;
    r.SetKey(w.RecordKey());
    r.CreateAsFolder(ItemId());
    EXPECT_EQ(w.AppendFolderRecord(&r, true), -1);
    EXPECT_EQ(w.Close(true), kCloseReadOnly);
    EXPECT_EQ(fs.Contents(kPath), before);
}

TEST_F(WalletFile, OpenForWorkSharesReadingOnly) {
    NewWallet(false);
    Wallet worker(fs), reader(fs);
    ASSERT_EQ(worker.Open(kPath, &kPassword, false), kOpenOk);
    EXPECT_EQ(reader.Probe(kPath, &kPassword), kOpenCannotOpen);  // writer holds it
    worker.Close(false);
    ASSERT_EQ(reader.Probe(kPath, &kPassword), kOpenOk);
    Wallet second(fs);
    EXPECT_EQ(second.Probe(kPath, &kPassword), kOpenOk);  // readers share
    EXPECT_EQ(worker.Open(kPath, &kPassword, false), kOpenCannotOpen);
}

TEST(WalletName, FromPath) {
    const struct { std::u16string path; std::u16string name; } cases[] = {
        {u"\\My Documents\\Bank.tl5", u"Bank"},
        {u"/home/u/my.wallet.tl5", u"my.wallet"},
        {u"noext_wallet", u"noext_wallet"},
        {u"C:\\dir.x\\plain", u"plain"}};
    for (const auto& c : cases) EXPECT_EQ(Wallet::NameFromPath(c.path), c.name) << Utf16ToUtf8(c.path);
}
