#include "cardui/FontTable.h"
#include "cardui/Formatting.h"
#include "cardui/MenuCaptions.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace tl5;

TEST(Pictures, ShortDateGetsAFourDigitYearOnce) {
    struct Case { std::u16string in, out; };
    const Case cases[] = {
        {u"M/d/yy", u"M/d/yyyy"},
        {u"dd.MM.yy", u"dd.MM.yyyy"},
        {u"yyyy-MM-dd", u"yyyy-MM-dd"},   // already four digits
        {u"yy/MM/dd yy", u"yyyy/MM/dd yy"}, // only the first "yy"
        {u"d MMMM", u"d MMMM"},
    };
    for (const Case& c : cases) EXPECT_EQ(FixShortDatePicture(c.in), c.out);
}

TEST(Pictures, TimeLosesItsSecondsWithTheSeparator) {
    struct Case { std::u16string in, sep, out; };
    const Case cases[] = {
        {u"h:mm:ss tt", u":", u"h:mm tt"},
        {u"HH:mm:ss", u":", u"HH:mm"},
        {u"H.mm.s", u".", u"H.mm"},       // single "s"
        {u"h:mm tt", u":", u"h:mm tt"},   // no seconds: unchanged
        {u"HH:mm:ss", u".", u"HH:mm:ss"}, // seconds not after this separator
    };
    for (const Case& c : cases) EXPECT_EQ(FixTimePicture(c.in, c.sep), c.out);
}

TEST(SizeText, UnitsOf1024WithTruncatedHundredths) {
    struct Case { uint32_t bytes; std::u16string number, unit; };
    const Case cases[] = {
        {0, u"0", u"B"},
        {1023, u"1023", u"B"},
        {1024, u"1.00", u"K"},
        {1536, u"1.50", u"K"},
        {2047, u"1.99", u"K"},                 // 1.999 truncated
        {2u * 1024 * 1024, u"2", u"M"},         // whole megabytes have no fraction
        {1024u * 1024 + 1024u * 1024 / 4, u"1.25", u"M"},
        {1000u * 1048576u + 367002u, u"1000.35", u"M"},  // n * 100 needs more than 32 bits
        {3u * 1024 * 1024 * 1024 + 512u * 1024 * 1024, u"3.50", u"G"},
        {0xFFFFFFFFu, u"3.99", u"G"},
    };
    for (const Case& c : cases) {
        const SizeTextParts p = SplitSizeText(c.bytes);
        EXPECT_EQ(p.number, c.number) << c.bytes;
        EXPECT_EQ(p.unit, c.unit) << c.bytes;
    }
}

TEST(MenuCaptions, LookupIgnoresCaseAndTakesTheFirstMatch) {
    EXPECT_EQ(MenuCaptionCount, 66u);
    EXPECT_EQ(MenuCaptionStringId(u"Copy Text"), 20750u);
    EXPECT_EQ(MenuCaptionStringId(u"copy"), 20723u);
    EXPECT_EQ(MenuCaptionStringId(u"Menu"), 20703u);
    EXPECT_EQ(MenuCaptionStringId(u"SAVE TO MY FORMS"), 20769u);
    EXPECT_EQ(MenuCaptionStringId(u"75%"), 0u);
    EXPECT_EQ(MenuCaptionStringId(u"Copy "), 0u);
    EXPECT_EQ(MenuCaptionStringId(u""), 0u);
    // Every caption has its text in the language module, and no caption is shadowed by an earlier one.
    std::set<uint32_t> ids;
    for (size_t i = 0; i < MenuCaptionCount; ++i) {
        EXPECT_NE(StringTableLookup(MenuCaptionTable[i].stringId), nullptr) << MenuCaptionTable[i].stringId;
        EXPECT_EQ(MenuCaptionStringId(MenuCaptionTable[i].english), MenuCaptionTable[i].stringId);
        ids.insert(MenuCaptionTable[i].stringId);
    }
    EXPECT_EQ(ids.size(), MenuCaptionCount);
}

TEST(Fonts, SizeCodesSelectTheirEntries) {
    struct Case { int code; bool bold; bool large; int entry; };
    const Case cases[] = {
        {10, false, false, 2}, {10, true, false, 8},
        {8, false, false, 0},  {12, true, false, 10},
        {0, false, false, 3},  {0, true, false, 9},   // 11 points without large fonts
        {0, false, true, 5},   {0, true, true, 11},   // 16 points with them
        {-1, false, false, 25}, {7, true, false, 26}, {1, false, true, 25},
        {13, false, false, 5}, {200, true, false, 11},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FontEntryForSizeCode(c.code, c.bold, c.large), c.entry) << c.code << c.bold << c.large;
    }
    EXPECT_EQ(FontTable[2].tenthsOfPoints, 100);
    EXPECT_EQ(FontTable[8].weight, 700);
    EXPECT_EQ(FontTable[25].tenthsOfPoints, 70);
    EXPECT_TRUE(FontTable[24].underline);
    EXPECT_EQ(FontTable[24].tenthsOfPoints, 85);
    EXPECT_EQ(FontTable[20].source, FontSource::SystemFont);
    EXPECT_EQ(FontTable[19].source, FontSource::DefaultHeight);
}

TEST(Fonts, HeightsAndScaling) {
    EXPECT_EQ(FontCharacterHeight(90, 96), -12);
    EXPECT_EQ(FontCharacterHeight(80, 96), -11);   // 10.67 rounds to 11
    EXPECT_EQ(FontCharacterHeight(85, 192), -23);  // 22.67
    EXPECT_EQ(FontCharacterHeight(160, 192), -43); // 42.67
    EXPECT_FALSE(IsHighResolutionDpi(191));
    EXPECT_TRUE(IsHighResolutionDpi(192));
    EXPECT_EQ(ScaleForDpi(20, 96), 20);
    EXPECT_EQ(ScaleForDpi(20, 192), 40);
    EXPECT_EQ(UnitsToPixels(1, 96), 1);
    EXPECT_EQ(UnitsToPixels(12, 120), 15);
    EXPECT_EQ(UnitsToPixels(1, 144), 2);  // 1.5 rounds half up
}
