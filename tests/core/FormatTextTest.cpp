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
    EXPECT_EQ(FormatText(u"%s and %s", {u"one"}), u"one and ");  // a missing argument is empty
    EXPECT_EQ(FormatText(u"%s %s", {u"only"}), u"only ");
    EXPECT_EQ(FormatText(u"50% off %x", {}), u"50% off %x");     // unknown conversions stay
    EXPECT_EQ(FormatText(u"100%", {}), u"100%");
}
