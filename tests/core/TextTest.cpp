#include "platform/SecureZero.h"
#include "platform/Text.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

using namespace tl5;

TEST(Text, RoundTripsEveryPlane) {
    const std::u16string text = u"Wallet \u00e9\u20ac \U0001F511 end";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(Utf16ToUtf8(u"\u00e9"), "\xc3\xa9");
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F511"), "\xf0\x9f\x94\x91");
}

TEST(Text, DamagedInputBecomesReplacementCharacters) {
    struct Case { std::string in; std::u16string out; };
    const Case cases[] = {
        {"a\xff" "b", u"a\uFFFDb"},          // byte that starts nothing
        {"a\xc3", u"a\uFFFD"},                // truncated sequence at the end
        {"\xc0\xaf", u"\uFFFD"},               // overlong form of '/'
        {"\xed\xa0\x80z", u"\uFFFDz"},         // encoded surrogate
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToUtf16(c.in), c.out) << c.in;
    }
    std::u16string lone = u"x";
    lone.push_back(char16_t(0xD800));
    EXPECT_EQ(Utf16ToUtf8(lone), "x\xef\xbf\xbd");
}

TEST(Text, SecureZeroClearsAndEmpties) {
    std::u16string secret = u"hunter22";
    char16_t* raw = secret.data();
    SecureZero(secret);
    EXPECT_TRUE(secret.empty());
    EXPECT_EQ(raw[0], u'\0');
}

TEST(StringTable, LookupFindsTextsAndRejectsUnknownIds) {
    ASSERT_GT(StringTableCount(), 0u);
    for (size_t i = 0; i < StringTableCount(); ++i) {
        ASSERT_NE(StringTableLookup(StringTableIdAt(i)), nullptr);
        if (i > 0) {
            EXPECT_LT(StringTableIdAt(i - 1), StringTableIdAt(i));
        }
    }
    EXPECT_EQ(StringTableLookup(0), nullptr);
    EXPECT_EQ(StringTableLookup(65535), nullptr);
}
