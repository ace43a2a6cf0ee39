// Protected wallets: the key derivation and cipher against published vectors, and the envelope around
// the classic file (round trip, wrong password, damage, password change, protect and unprotect).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "WalletTestSupport.h"
#include "model/LittleEndian.h"
#include "model/ModernCrypto.h"
#include "model/WalletCheck.h"
#include "model/WalletEnvelope.h"
#include "model/WalletJournal.h"
#include "model/WalletProtection.h"

using namespace tl5;
using namespace tl5test;

namespace {

std::vector<uint8_t> FromHex(const char* hex) {
    std::vector<uint8_t> out;
    for (size_t k = 0; hex[k] && hex[k + 1]; k += 2) out.push_back(static_cast<uint8_t>(std::stoi(std::string(hex + k, 2), nullptr, 16)));
    return out;
}

std::string Hex(const uint8_t* p, size_t n) {
    static const char* d = "0123456789abcdef";
    std::string s;
    for (size_t k = 0; k < n; ++k) {
        s += d[p[k] >> 4];
        s += d[p[k] & 15];
    }
    return s;
}

// Cheap costs keep the many opens of these tests fast; the format and code path are the same.
EnvelopeParams TestParams() {
    EnvelopeParams p;
    p.memoryKiB = kEnvelopeMinMemoryKiB;
    p.passes = 1;
    return p;
}

}  // namespace

// ---- The primitives ------------------------------------------------------------------------------

TEST(ModernCrypto, Argon2idMatchesRfc9106) {
    // RFC 9106, section 5.3.
    const std::vector<uint8_t> password(32, 0x01), salt(16, 0x02), secret(8, 0x03), associated(12, 0x04);
    Argon2idInput in;
    in.password = password.data();
    in.passwordSize = password.size();
    in.salt = salt.data();
    in.saltSize = salt.size();
    in.secret = secret.data();
    in.secretSize = secret.size();
    in.associated = associated.data();
    in.associatedSize = associated.size();
    in.memoryKiB = 32;
    in.passes = 3;
    in.lanes = 4;
    uint8_t tag[32];
    ASSERT_EQ(Argon2id(in, tag, sizeof tag), kCryptoOk);
    EXPECT_EQ(Hex(tag, sizeof tag), "0d640df58d78766c08c037a34a8b53c9d01ef0452d75b65eb52520e96b01e659");
}

TEST(ModernCrypto, AesGcmMatchesPublishedVectorAndRefusesAnyChange) {
    // The GCM specification's test case 16 (AES-256, 96-bit IV, associated data).
    const auto key = FromHex("feffe9928665731c6d6a8f9467308308feffe9928665731c6d6a8f9467308308");
    const auto plain = FromHex(
        "d9313225f88406e5a55909c5aff5269a86a7a9531534f7da2e4c303d8a318a721c3c0c95956809532fcf0e2449a6b525"
        "b16aedf5aa0de657ba637b39");
    const auto aad = FromHex("feedfacedeadbeeffeedfacedeadbeefabaddad2");
    const auto iv = FromHex("cafebabefacedbaddecaf888");
    std::vector<uint8_t> cipher(plain.size());
    uint8_t tag[16];
    ASSERT_EQ(AesGcmSeal(key.data(), iv.data(), aad.data(), aad.size(), plain.data(), cipher.data(), plain.size(), tag),
              kCryptoOk);
    EXPECT_EQ(Hex(cipher.data(), cipher.size()),
              "522dc1f099567d07f47f37a32a84427d643a8cdcbfe5c0c97598a2bd2555d1aa8cb08e48590dbb3da7b08b1056828838"
              "c5f61e6393ba7a0abcc9f662");
    EXPECT_EQ(Hex(tag, 16), "76fc6ece0f4e1768cddf8853bb2d551b");

    std::vector<uint8_t> back(plain.size());
    ASSERT_EQ(AesGcmOpen(key.data(), iv.data(), aad.data(), aad.size(), cipher.data(), back.data(), back.size(), tag),
              kCryptoOk);
    EXPECT_EQ(back, plain);
    // A change to the cipher text, the associated data or the tag is refused, and nothing decrypted is left.
    for (int which = 0; which < 3; ++which) {
        auto c = cipher;
        auto a = aad;
        uint8_t t[16];
        std::memcpy(t, tag, 16);
        (which == 0 ? c[5] : which == 1 ? a[0] : t[15]) ^= 0x01;
        std::vector<uint8_t> out(plain.size(), 0xAA);
        EXPECT_EQ(AesGcmOpen(key.data(), iv.data(), a.data(), a.size(), c.data(), out.data(), out.size(), t), kCryptoBadTag)
            << which;
        EXPECT_EQ(out, std::vector<uint8_t>(plain.size(), 0)) << which;
    }
}

// ---- The envelope around a wallet ----------------------------------------------------------------

namespace {

class WalletEnvelope : public FixedWorld {
protected:
    // A classic wallet with a folder, two cards (one with a long value) and My Forms.
    void SetUp() override {
        FixedWorld::SetUp();
        Wallet w(fs);
        ASSERT_EQ(w.Create(kPath, kPassword, u"hint", true), kCreateOk);
        ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
        folder = w.ItemAt(0).Id();
        Card a = MakeCard(w, folder, u"Bank", {{u"Account", u"12345678"}, {u"PIN", u"0000"}});
        Card c = MakeCard(w, ItemId(), u"Door", {{u"Code", std::u16string(3000, u'7')}});
        cardA = a.Record().Id();
        ASSERT_GE(w.AppendCard(&a, false), 0);
        ASSERT_GE(w.AppendCard(&c, false), 0);
        ASSERT_EQ(w.Close(true), kCloseOk);
        classic = fs.Contents(kPath);
        classicView = Snapshot(fs, kPath, kPassword);
        ASSERT_EQ(classicView.rfind("open=0", 0), 0u) << classicView;
    }

    void Protect() {
        int openResult = -1;
        ASSERT_EQ(ProtectWallet(fs, kPath, kPassword, TestParams(), &openResult), kProtectOk) << openResult;
    }

    MemoryFileSystem fs;
    ItemId folder, cardA;
    std::string classic, classicView;
};

}  // namespace

TEST_F(WalletEnvelope, ProtectHidesEverythingAndUnprotectGivesBackTheSameFile) {
    Protect();
    const std::string sealed = fs.Contents(kPath);
    EXPECT_EQ(sealed.size(), classic.size() + kEnvelopeOverhead);
    EXPECT_EQ(sealed.compare(0, 8, "TL5ENVLP"), 0);
    // Not a byte run of the classic file shows through: neither the signature nor any 16 bytes of it.
    for (size_t at = 0; at + 16 <= classic.size(); at += 16)
        ASSERT_EQ(sealed.find(classic.substr(at, 16)), std::string::npos) << "classic bytes at " << at;
    EXPECT_FALSE(fs.Exists(EnvelopeTempPathFor(kPath)));

    EXPECT_EQ(Snapshot(fs, kPath, kPassword), classicView);
    Wallet w(fs);
    ASSERT_EQ(w.Probe(kPath, &kPassword), kOpenOk);
    EXPECT_EQ(w.Protection(), WalletProtection::Modern);
    EXPECT_EQ(ProtectionText(w.Protection(), w.ProtectionParams()), "modern, Argon2id 8 MiB/1, AES-256-GCM");
    EXPECT_EQ(ProtectionText(WalletProtection::Modern, EnvelopeParams()), "modern, Argon2id 64 MiB/3, AES-256-GCM");
    w.Close(false);

    int openResult = -1;
    EXPECT_EQ(ProtectWallet(fs, kPath, kPassword, TestParams(), &openResult), kProtectAlready);
    ASSERT_EQ(UnprotectWallet(fs, kPath, kPassword, &openResult), kProtectOk);
    EXPECT_EQ(fs.Contents(kPath), classic);
    EXPECT_EQ(UnprotectWallet(fs, kPath, kPassword, &openResult), kProtectNotProtected);
    Wallet check(fs);
    ASSERT_EQ(check.Open(kPath, &kPassword, true), kOpenOk);
    WalletCheckReport report;
    CheckWalletRecords(*check.FileHandle(), *check.RecordKey(), &report);
    EXPECT_TRUE(report.problems.empty());
    EXPECT_EQ(report.liveRecords, 4u);
}

TEST_F(WalletEnvelope, WrongPasswordIsRefusedAndChangesNothing) {
    Protect();
    const std::string sealed = fs.Contents(kPath);
    const std::u16string wrong = u"correct horsf";
    Wallet w(fs);
    EXPECT_EQ(w.Probe(kPath, nullptr), kOpenWrongPassword);  // the shell then asks for the password
    EXPECT_EQ(w.Open(kPath, &wrong, false), kOpenWrongPasswordOrDamaged);
    EXPECT_FALSE(w.IsOpen());
    // What the password dialog asks, for both kinds of wallet.
    EXPECT_EQ(CheckWalletPassword(fs, kPath, wrong), kOpenWrongPasswordOrDamaged);
    EXPECT_EQ(CheckWalletPassword(fs, kPath, kPassword), kOpenOk);
    int openResult = -1;
    EXPECT_EQ(UnprotectWallet(fs, kPath, wrong, &openResult), kProtectCannotOpen);
    EXPECT_EQ(openResult, kOpenWrongPasswordOrDamaged);
    EXPECT_EQ(fs.Contents(kPath), sealed);
    // A classic wallet protects nothing with a password that does not check.
    fs.SetContents(kPath, classic);
    EXPECT_EQ(CheckWalletPassword(fs, kPath, wrong), kOpenWrongPassword);
    EXPECT_EQ(CheckWalletPassword(fs, kPath, kPassword), kOpenOk);
    EXPECT_EQ(ProtectWallet(fs, kPath, wrong, TestParams(), &openResult), kProtectCannotOpen);
    EXPECT_EQ(openResult, kOpenWrongPassword);
    EXPECT_EQ(fs.Contents(kPath), classic);
}

TEST_F(WalletEnvelope, EveryDamageIsRefusedWithoutChangingTheFile) {
    Protect();
    const std::string sealed = fs.Contents(kPath);
    // One flipped bit in every header byte and the tag, and across the encrypted wallet; then files cut
    // short or grown.
    std::vector<std::string> damaged;
    for (size_t at = 0; at < sealed.size(); at += at < kEnvelopeHeaderSize || at + 32 >= sealed.size() ? 1 : 211) {
        std::string d = sealed;
        d[at] = static_cast<char>(d[at] ^ (1 << (at % 8)));
        damaged.push_back(d);
    }
    for (size_t cut : {size_t{0}, size_t{7}, size_t{8}, kEnvelopeHeaderSize - 1, kEnvelopeHeaderSize, sealed.size() - 1})
        damaged.push_back(sealed.substr(0, cut));
    damaged.push_back(sealed + '\0');
    for (const std::string& d : damaged) {
        fs.SetContents(kPath, d);
        Wallet w(fs);
        const int probe = w.Probe(kPath, nullptr);
        const int open = w.Open(kPath, &kPassword, false);
        const bool headerIntact = d.size() >= 8 && d.compare(0, 8, "TL5ENVLP") == 0;
        // A damaged header is "damaged" already without a password; past it, only the tag can tell.
        EXPECT_TRUE(open == kOpenWrongPasswordOrDamaged || open == kOpenDamaged || open == kOpenBadVersion ||
                    (!headerIntact && open == kOpenNotAWallet))
            << "size " << d.size() << ": open " << open;
        if (probe == kOpenDamaged) {
            EXPECT_EQ(open, kOpenDamaged);
        }
        EXPECT_FALSE(w.IsOpen());
        EXPECT_EQ(fs.Contents(kPath), d);
        EXPECT_FALSE(fs.Exists(EnvelopeTempPathFor(kPath)));
    }
    // A later format version is told apart from damage.
    std::string later = sealed;
    later[8] = 2;
    fs.SetContents(kPath, later);
    Wallet w(fs);
    EXPECT_EQ(w.Probe(kPath, nullptr), kOpenBadVersion);
    // A header asking for more memory than the bounds allow is damaged, and nothing is allocated for it.
    std::string greedy = sealed;
    StoreU32(reinterpret_cast<uint8_t*>(greedy.data()) + 16, 0xFFFFFFFFu);
    fs.SetContents(kPath, greedy);
    EXPECT_EQ(w.Probe(kPath, &kPassword), kOpenDamaged);
}

TEST_F(WalletEnvelope, SavesReachTheFileOnlyEncryptedAndLeaveNoJournal) {
    Protect();
    {
        Wallet w(fs);
        ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
        Card b = MakeCard(w, folder, u"Mail", {{u"Address", u"someone@example.com"}});
        ASSERT_GE(w.AppendCard(&b, false), 0);
        auto a = w.LoadCard(cardA);
        ASSERT_TRUE(a);
        a->FieldAt(1)->SetValue(u"4321");
        ASSERT_GE(w.ReplaceCard(a.get(), false), 0);
        EXPECT_FALSE(fs.Exists(JournalPathFor(kPath)));
        const std::string sealed = fs.Contents(kPath);
        EXPECT_EQ(sealed.compare(0, 8, "TL5ENVLP"), 0);
        EXPECT_EQ(sealed.find("Ostrova"), std::string::npos);
        w.Header().SetHint(u"another hint");
        ASSERT_EQ(w.Close(true), kCloseOk);
    }
    const std::string view = Snapshot(fs, kPath, kPassword);
    EXPECT_NE(view.find("name=Mail"), std::string::npos) << view;
    EXPECT_NE(view.find("PIN=4321"), std::string::npos) << view;
    EXPECT_NE(view.find("hint=another hint"), std::string::npos) << view;
}

TEST_F(WalletEnvelope, PasswordChangeTakesTheEnvelopeAlong) {
    Protect();
    const std::u16string next = u"battery staple";
    {
        // Setting only the verifier would leave a wallet no password opens: the close refuses it.
        Wallet w(fs);
        ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
        ASSERT_TRUE(w.Header().SetPassword(next));
        EXPECT_EQ(w.Close(true), kCloseHeaderFailed);
        EXPECT_EQ(Snapshot(fs, kPath, kPassword), classicView);
    }
    {
        Wallet w(fs);
        ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
        const std::string before = fs.Contents(kPath);
        ASSERT_TRUE(w.ChangePassword(next));
        ASSERT_EQ(w.Close(true), kCloseOk);
        EXPECT_NE(fs.Contents(kPath).substr(32, 16), before.substr(32, 16)) << "a new password draws a new salt";
    }
    Wallet w(fs);
    EXPECT_EQ(w.Open(kPath, &kPassword, true), kOpenWrongPasswordOrDamaged);
    ASSERT_EQ(w.Open(kPath, &next, true), kOpenOk);
    EXPECT_EQ(w.ItemCount(), 4u);
}

TEST_F(WalletEnvelope, CreateWithProtectionWritesOnlyTheEnvelope) {
    const std::u16string path = u"/mem/new.tl5";
    Wallet w(fs);
    ASSERT_EQ(w.Create(path, kPassword, u"", true, WalletProtection::Modern, TestParams()), kCreateOk);
    EXPECT_EQ(fs.Contents(path).compare(0, 8, "TL5ENVLP"), 0);
    WalletProtection protection = WalletProtection::Classic;
    EnvelopeParams params;
    EXPECT_EQ(ProbeEnvelopeFile(fs, path, &protection, &params), kEnvelopeOk);
    EXPECT_EQ(protection, WalletProtection::Modern);
    EXPECT_EQ(params.memoryKiB, kEnvelopeMinMemoryKiB);
    ASSERT_EQ(w.Open(path, &kPassword, false), kOpenOk);
    EXPECT_EQ(w.ItemCount(), 2u);  // the sample folder and My Forms
    w.Close(false);
    // Over an existing file: refused, the file untouched (as for a classic wallet).
    EXPECT_EQ(w.Create(kPath, kPassword, u"", false, WalletProtection::Modern, TestParams()), kCreateExists);
    EXPECT_EQ(fs.Contents(kPath), classic);
    EXPECT_EQ(w.Create(u"/mem/short.tl5", u"ab", u"", false, WalletProtection::Modern, TestParams()), kCreateBadPassword);
    EXPECT_FALSE(fs.Exists(u"/mem/short.tl5"));
}

TEST_F(WalletEnvelope, InterruptedProtectAndUnprotectLeaveTheOldOrTheNewFile) {
    // Every changing operation of the conversion fails in turn, with and without the writes reaching
    // the disk: the path holds the whole old file or the whole new one.
    for (bool protect : {true, false}) {
        MemoryFileSystem start;
        start.SetContents(kPath, classic);
        int openResult = -1;
        if (!protect) {
            ASSERT_EQ(ProtectWallet(start, kPath, kPassword, TestParams(), &openResult), kProtectOk);
        }
        const std::string old = start.Contents(kPath);
        long operations = 0;
        {
            MemoryFileSystem clean;
            clean.SetContents(kPath, old);
            FaultFileSystem counting(clean);
            ASSERT_EQ(protect ? ProtectWallet(counting, kPath, kPassword, TestParams(), &openResult)
                              : UnprotectWallet(counting, kPath, kPassword, &openResult),
                      kProtectOk);
            operations = counting.Operations();
        }
        ASSERT_GT(operations, 0);
        for (long n = 1; n <= operations; ++n) {
            for (bool keep : {false, true}) {
                MemoryFileSystem mem;
                mem.SetContents(kPath, old);
                int rc = -1;
                {
                    FaultFileSystem faulty(mem);
                    faulty.FailAt(n, true);
                    rc = protect ? ProtectWallet(faulty, kPath, kPassword, TestParams(), &openResult)
                                 : UnprotectWallet(faulty, kPath, kPassword, &openResult);
                }
                mem.Crash(keep);
                const std::string now = mem.Contents(kPath);
                const bool isOld = now == old;
                EXPECT_TRUE(isOld || Snapshot(mem, kPath, kPassword) == classicView)
                    << (protect ? "protect" : "unprotect") << " failing at " << n;
                if (rc == kProtectOk) {
                    EXPECT_FALSE(isOld) << "reported done at " << n;
                }
            }
        }
    }
}
