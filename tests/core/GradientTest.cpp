#include "cardui/Gradient.h"

#include <gtest/gtest.h>

using namespace tl5;

TEST(Gradient, BlackToWhiteNeverReachesTheEndColour) {
    const ColorRef black = MakeColorRef(0, 0, 0);
    const ColorRef white = MakeColorRef(255, 255, 255);
    const auto bands = GradientBands(GradientRect{0, 0, 10, 256}, black, white, true);
    ASSERT_EQ(bands.size(), 256u);
    EXPECT_EQ(bands[0].color, MakeColorRef(0, 0, 0));
    EXPECT_EQ(bands[1].color, MakeColorRef(0, 0, 0));    // 255 * 1 / 256 = 0
    EXPECT_EQ(bands[2].color, MakeColorRef(1, 1, 1));    // 510 / 256 = 1
    EXPECT_EQ(bands[128].color, MakeColorRef(127, 127, 127));
    EXPECT_EQ(bands[255].color, MakeColorRef(254, 254, 254));
    for (int k = 0; k < 256; ++k) {
        EXPECT_EQ(bands[k].rect.top, k);
        EXPECT_EQ(bands[k].rect.bottom, k + 1);
        EXPECT_EQ(bands[k].rect.left, 0);
        EXPECT_EQ(bands[k].rect.right, 10);
    }
}

TEST(Gradient, ChannelsAreSeparateAndFallingOnesTruncateTowardZero) {
    // Red falls 10 -> 0, green rises 0 -> 10, blue falls 200 -> 100, over 3 columns.
    const ColorRef start = MakeColorRef(10, 0, 200);
    const ColorRef end = MakeColorRef(0, 10, 100);
    const auto bands = GradientBands(GradientRect{5, 7, 8, 9}, start, end, false);
    ASSERT_EQ(bands.size(), 3u);
    // k = 1: red 10 + (-10 * 1) / 3 = 10 - 3 = 7 (a floor would give 6); green 3; blue 200 - 33.
    EXPECT_EQ(bands[0].color, start);
    EXPECT_EQ(bands[1].color, MakeColorRef(7, 3, 167));
    EXPECT_EQ(bands[2].color, MakeColorRef(4, 6, 134));
    EXPECT_EQ(bands[1].rect.left, 6);
    EXPECT_EQ(bands[1].rect.right, 7);
    EXPECT_EQ(bands[1].rect.top, 7);
    EXPECT_EQ(bands[1].rect.bottom, 9);
}

TEST(Gradient, DefaultBarColoursFirstAndLastRows) {
    // The bar's default colours over a 26-pixel bar (the rectangle stops one row short: 25 bands).
    const ColorRef start = 0x00FEECDD;
    const ColorRef end = 0x00E2A981;
    const auto bands = GradientBands(GradientRect{0, 0, 240, 25}, start, end, true);
    ASSERT_EQ(bands.size(), 25u);
    EXPECT_EQ(bands[0].color, start);
    // red 221 + (129 - 221) * 24 / 25 = 221 - 88 = 133; green 236 - 64 = 172; blue 254 - 26 = 228.
    EXPECT_EQ(bands[24].color, MakeColorRef(133, 172, 228));
}

TEST(Gradient, EmptyRectanglesPaintNothing) {
    EXPECT_TRUE(GradientBands(GradientRect{0, 0, 0, 10}, 0, 0xFFFFFF, true).empty());
    EXPECT_TRUE(GradientBands(GradientRect{0, 10, 10, 10}, 0, 0xFFFFFF, false).empty());
    EXPECT_TRUE(GradientBands(GradientRect{10, 10, 5, 20}, 0, 0xFFFFFF, true).empty());
}

TEST(Gradient, PartCountsFromItsOwnTopOverTheReferenceHeight) {
    const ColorRef black = 0;
    const ColorRef white = MakeColorRef(255, 255, 255);
    // A 4-row part of a 100-row reference: rows k = 0..3 of n = 100.
    const auto part = GradientPartBands(GradientRect{20, 30, 40, 34}, black, white,
                                        GradientRect{0, 0, 240, 100});
    ASSERT_EQ(part.size(), 4u);
    EXPECT_EQ(part[0].color, 0u);
    EXPECT_EQ(part[3].color, MakeColorRef(7, 7, 7));    // 255 * 3 / 100
    EXPECT_EQ(part[3].rect.top, 33);
    EXPECT_EQ(part[3].rect.left, 20);
    EXPECT_EQ(part[3].rect.right, 40);
}

TEST(Gradient, PartWithShortOrEmptyReferenceStaysInRange) {
    const ColorRef start = MakeColorRef(200, 0, 50);
    const ColorRef end = MakeColorRef(100, 250, 50);
    // A reference without height has no gradient to take a part of (no division by zero).
    EXPECT_TRUE(GradientPartBands(GradientRect{0, 0, 10, 10}, start, end, GradientRect{0, 5, 10, 5}).empty());
    // Rows past the reference height keep the end colour instead of running past it.
    const auto part = GradientPartBands(GradientRect{0, 0, 10, 8}, start, end, GradientRect{0, 0, 10, 4});
    ASSERT_EQ(part.size(), 8u);
    EXPECT_EQ(part[3].color, MakeColorRef(125, 187, 50));
    for (size_t k = 4; k < part.size(); ++k) EXPECT_EQ(part[k].color, end) << k;
}
