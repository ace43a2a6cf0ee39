#include "platform/FormatText.h"

#include <gtest/gtest.h>

#include <string>

using namespace tl5;

TEST(FormatText, FillsTextsAndPaddedNumbersInOrder) {
    EXPECT_EQ(FormatText(u"%s\n%s\n(%02d)", {u"a", u"b", 7LL}), u"a\nb\n(07)");
    EXPECT_EQ(FormatText(u"(%s:%d)", {u"x", 10LL}), u"(x:10)");
    EXPECT_EQ(FormatText(u"%s of %d (%s) 100%%", {u"a", 7LL, u"b"}), u"a of 7 (b) 100%");
    EXPECT_EQ(FormatText(u"%02d|%02d|%d%%", {123LL, -3LL, 5LL}), u"123|-3|5%");
    EXPECT_EQ(FormatText(u"%03d_%s", {7, u"scan.pdf"}), u"007_scan.pdf");  // any integer is a number
    EXPECT_EQ(FormatText(u"%d", {-9223372036854775807LL - 1}), u"-9223372036854775808");
    EXPECT_EQ(FormatText(u"%s and %s", {u"one"}), u"one and ");  // a missing argument is empty
    EXPECT_EQ(FormatText(u"%s %s", {u"only"}), u"only ");
    EXPECT_EQ(FormatText(u"50% off %x", {}), u"50% off %x");     // unknown conversions stay
    EXPECT_EQ(FormatText(u"100%", {}), u"100%");
}

TEST(FormatText, AHugeWidthIsBounded) {
    // A translated "%99999999999999999999d" must neither overflow the width nor allocate for it.
    const std::u16string padded = FormatText(u"[%99999999999999999999d]", {5LL});
    EXPECT_EQ(padded.size(), kMaxFormatWidth + 2);
    EXPECT_EQ(padded.substr(padded.size() - 3), u"05]");
    EXPECT_EQ(FormatText(u"%064d", {5LL}).size(), kMaxFormatWidth);
}

TEST(FormatText, MatchesOnlyWhenEveryConversionHasItsKindOfArgument) {
    struct Case { const char16_t* format; bool matches; };
    const Case withTextAndNumber[] = {  // arguments: a text, then a number
        {u"%s: %d", true},
        {u"%s: %05d cards, 100%%", true},
        {u"%s", true},                    // a translation may leave the number out
        {u"no conversion at all", true},
        {u"50% off", true},               // a lone percent sign is text
        {u"%d: %s", false},               // wrong kind (order swapped)
        {u"%s %s", false},                // wrong kind
        {u"%s: %d %d", false},            // more conversions than arguments
        {u"%s: %u", false},               // conversions this formatter does not fill
        {u"%s: %ld", false},
        {u"%ls: %d", false},
        {u"%s: %-5d", false},
        {u"%s: %.2f", false},
        {u"%5s: %d", false},              // no width for texts
        {u"%s: %065d", false},            // wider than the bound
    };
    for (const Case& c : withTextAndNumber) {
        const std::u16string format = c.format;
        EXPECT_EQ(FormatMatches(format, {u"Cards", 3LL}), c.matches) << std::string(format.begin(), format.end());
    }
}

TEST(FormatText, CheckedFormatsFallBackToTheProgramsOwnWording) {
    const char16_t* fallback = u"%d cards were imported.";
    EXPECT_EQ(FormatChecked(u"%d Karten importiert.", fallback, {12LL}), u"12 Karten importiert.");
    EXPECT_EQ(FormatChecked(u"%s Karten importiert.", fallback, {12LL}), u"12 cards were imported.");
    EXPECT_EQ(FormatChecked(u"%d Karten in %d Ordnern.", fallback, {12LL}), u"12 cards were imported.");
    EXPECT_EQ(FormatChecked(u"Fertig.", fallback, {12LL}), u"Fertig.");
}
