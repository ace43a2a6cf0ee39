// MD5, RC4 and CipherKey: published test vectors, the fresh-keystream rule and the password key.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "model/CipherKey.h"
#include "model/Md5.h"
#include "model/Rc4.h"

using namespace tl5;

namespace {

std::string Hex(const uint8_t* p, size_t n) {
    static const char* d = "0123456789abcdef";
    std::string s;
    for (size_t k = 0; k < n; ++k) {
        s += d[p[k] >> 4];
        s += d[p[k] & 15];
    }
    return s;
}

std::vector<uint8_t> Naive(const uint8_t* key, const std::vector<uint8_t>& data) {
    Rc4State st;
    Rc4Schedule(&st, key, 16);
    std::vector<uint8_t> out(data.size());
    Rc4Crypt(&st, data.data(), out.data(), data.size());
    return out;
}

const uint8_t kKey[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

}  // namespace

TEST(Md5, Rfc1321Suite) {
    const struct { const char* in; const char* out; } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases) {
        uint8_t d[16];
        Md5Digest(c.in, std::strlen(c.in), d);
        EXPECT_EQ(Hex(d, 16), c.out) << c.in;
        // The same digest when fed in uneven pieces (block boundaries inside updates).
        Md5 md5;
        for (size_t k = 0; k < std::strlen(c.in); k += 7) md5.Update(c.in + k, std::min<size_t>(7, std::strlen(c.in) - k));
        md5.Final(d);
        EXPECT_EQ(Hex(d, 16), c.out) << c.in;
    }
}

TEST(Rc4, Rfc6229KeystreamFor16ByteKey) {
    const struct { size_t offset; const char* hex; } cases[] = {
        {0, "9ac7cc9a609d1ef7b2932899cde41b97"},    {16, "5248c4959014126a6e8a84f11d1a9e1c"},
        {240, "065902e4b620f6cc36c8589f66432f2b"},  {256, "d39d566bc6bce3010768151549f3873f"},
        {496, "b6d1e6c4a5e4771cad79538df295fb11"},  {512, "c68c1d5c559a974123df1dbc52a43b89"},
        {752, "c5ecf88de897fd57fed301701b82a259"},  {768, "eccbe13de1fcc91c11a0b26c0bc8fa4d"},
        {1008, "e7a72574f8782ae26aabcf9ebcd66065"}, {1024, "bdf0324e6083dcc6d3cedd3ca8c53c16"},
        {1520, "b40110c4190b5622a96116b0017ed297"}, {1536, "ffa0b514647ec04f6306b892ae661181"},
        {2032, "d03d1bc03cd33d70dff9fa5d71963ebd"}, {2048, "8a44126411eaa78bd51e8d87a8879bf5"},
        {3056, "fabeb76028ade2d0e48722e46c4615a3"}, {3072, "c05d88abd50357f935a63c59ee537623"},
        {4080, "ff38265c1642c1abe8d3c2fe5e572bf8"}, {4096, "a36a4c301ae8ac13610ccbc12256cacc"},
    };
    std::vector<uint8_t> zero(4112, 0), stream(4112);
    Rc4State st;
    Rc4Schedule(&st, kKey, 16);
    Rc4Keystream(&st, stream.data(), stream.size());
    // The cached key must give the same keystream, inside and past its cached prefix.
    CipherKey key;
    ASSERT_TRUE(key.SetKey(kKey));
    std::vector<uint8_t> cached(4112);
    ASSERT_TRUE(key.Encrypt(zero.data(), zero.size(), cached.data()));
    for (const auto& c : cases) {
        EXPECT_EQ(Hex(stream.data() + c.offset, 16), c.hex) << c.offset;
        EXPECT_EQ(Hex(cached.data() + c.offset, 16), c.hex) << c.offset;
    }
}

TEST(CipherKey, EveryPieceRestartsTheKeystreamAndMatchesANewSchedule) {
    CipherKey key;
    ASSERT_TRUE(key.SetKey(kKey));
    for (size_t size : {0u, 1u, 31u, 512u, 1023u, 1024u, 1025u, 5000u}) {
        std::vector<uint8_t> data(size);
        for (size_t k = 0; k < size; ++k) data[k] = static_cast<uint8_t>(k * 7 + 3);
        std::vector<uint8_t> out(size), again(size);
        ASSERT_TRUE(key.Encrypt(data.data(), size, out.data()));
        EXPECT_EQ(out, Naive(kKey, data)) << size;
        ASSERT_TRUE(key.Encrypt(out.data(), size, again.data()));  // twice gives the start back
        EXPECT_EQ(again, data) << size;
        std::vector<uint8_t> inPlace = data;  // same buffer for source and destination
        ASSERT_TRUE(key.Decrypt(inPlace.data(), size, inPlace.data()));
        EXPECT_EQ(inPlace, out) << size;
    }
}

TEST(CipherKey, PartOfAPieceDecryptsAsThatPartOfTheWholePiece) {
    CipherKey key;
    ASSERT_TRUE(key.SetKey(kKey));
    std::vector<uint8_t> data(1024);
    for (size_t k = 0; k < data.size(); ++k) data[k] = static_cast<uint8_t>(k * 13 + 5);
    const std::vector<uint8_t> whole = Naive(kKey, data);
    const struct { size_t from, size; bool ok; } cases[] = {
        {0, 64, true}, {64, 64, true}, {7, 9, true}, {960, 64, true}, {1024, 0, true}, {1000, 25, false}, {1025, 0, false},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> out(c.size + 1, 0xEE);
        const uint8_t* src = whole.data() + (c.from < whole.size() ? c.from : 0);
        EXPECT_EQ(key.DecryptPart(src, c.from, c.size, out.data()), c.ok) << c.from;
        if (c.ok) {
            EXPECT_TRUE(std::equal(out.begin(), out.begin() + static_cast<long>(c.size), data.begin() + static_cast<long>(c.from)))
                << c.from;
        } else {
            EXPECT_EQ(out, std::vector<uint8_t>(c.size + 1, 0xEE)) << c.from;  // nothing written
        }
    }
}

TEST(CipherKey, UnkeyedRefusesAndWritesNothing) {
    CipherKey key;
    uint8_t in[4] = {1, 2, 3, 4}, out[4] = {9, 9, 9, 9};
    EXPECT_FALSE(key.Encrypt(in, 4, out));
    EXPECT_EQ(out[0], 9);
    ASSERT_TRUE(key.SetKey(kKey));
    EXPECT_FALSE(key.SetKey(nullptr));  // a null key clears the context
    EXPECT_FALSE(key.IsKeyed());
    EXPECT_FALSE(key.Encrypt(in, 4, out));
    for (uint8_t b : std::vector<uint8_t>(key.Key(), key.Key() + 16)) EXPECT_EQ(b, 0);
}

TEST(CipherKey, CopiesCarryTheKeyAndClearingZeroesIt) {
    CipherKey a;
    ASSERT_TRUE(a.SetKey(kKey));
    CipherKey b = a;
    a.Clear();
    uint8_t in[8] = {}, out[8];
    ASSERT_TRUE(b.Encrypt(in, 8, out));
    EXPECT_EQ(Hex(out, 8), "9ac7cc9a609d1ef7");
    EXPECT_FALSE(a.IsKeyed());
}

TEST(CipherKey, KeyFromTextUsesTheFirstEightCharacters) {
    CipherKey a, b, c;
    EXPECT_FALSE(a.SetKeyFromText(u"1234567"));
    EXPECT_FALSE(a.SetKeyFromText(static_cast<const char16_t*>(nullptr)));
    EXPECT_FALSE(a.IsKeyed());
    ASSERT_TRUE(a.SetKeyFromText(u"abcdefghXYZ"));
    ASSERT_TRUE(b.SetKeyFromText(u"abcdefgh"));
    ASSERT_TRUE(c.SetKeyFromText(u"abcdefgX"));
    EXPECT_EQ(Hex(a.Key(), 16), Hex(b.Key(), 16));
    EXPECT_NE(Hex(a.Key(), 16), Hex(c.Key(), 16));
    const uint8_t le[16] = {'a', 0, 'b', 0, 'c', 0, 'd', 0, 'e', 0, 'f', 0, 'g', 0, 'h', 0};
    uint8_t digest[16];
    Md5Digest(le, 16, digest);
    EXPECT_EQ(Hex(a.Key(), 16), Hex(digest, 16));
}

TEST(CipherKey, HeaderKeySeedFollowsTheTimeStamp) {
    SystemTime t;
    t.year = 2026; t.month = 12; t.dayOfWeek = 3; t.day = 9; t.hour = 14; t.minute = 3; t.second = 5;
    uint8_t seed[8];
    HeaderKeySeed(t, seed);
    const uint8_t expected[8] = {9 + 17, 5 + 9, 3 + 5, 3 + 5, static_cast<uint8_t>(2026 & 0xFF),
                                 static_cast<uint8_t>(12 - 9 + 29), 3 + 3, 5 + 43};
    EXPECT_EQ(Hex(seed, 8), Hex(expected, 8));
    // Sums wrap to 8 bits (month - day may be negative).
    t.month = 1; t.day = 31;
    HeaderKeySeed(t, seed);
    EXPECT_EQ(seed[5], static_cast<uint8_t>(1 - 31 + 29));
    CipherKey key;
    ASSERT_TRUE(DeriveHeaderKey(t, &key));
    uint8_t digest[16];
    Md5Digest(seed, 8, digest);
    EXPECT_EQ(Hex(key.Key(), 16), Hex(digest, 16));
}

TEST(CipherKey, PasswordRulesAndKeyMaterial) {
    EXPECT_FALSE(IsValidPassword(u"ab"));
    EXPECT_TRUE(IsValidPassword(u"abc"));
    EXPECT_TRUE(IsValidPassword(std::u16string(24, u'x')));
    EXPECT_FALSE(IsValidPassword(std::u16string(25, u'x')));
    EXPECT_TRUE(IsValidNewWalletPassword(std::u16string(23, u'x')));
    EXPECT_FALSE(IsValidNewWalletPassword(std::u16string(24, u'x')));

    CipherKey header;
    uint8_t k[16];
    EXPECT_FALSE(PasswordKeyMaterial(header, u"secret", k));
    ASSERT_TRUE(header.SetKey(kKey));
    ASSERT_TRUE(PasswordKeyMaterial(header, u"p\u00e9w", k));
    const uint8_t le[6] = {'p', 0, 0xE9, 0, 'w', 0};
    uint8_t digest[16], expected[16];
    Md5Digest(le, 6, digest);
    header.Encrypt(digest, 16, expected);
    EXPECT_EQ(Hex(k, 16), Hex(expected, 16));
}
