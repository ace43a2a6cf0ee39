#include <gtest/gtest.h>

#include "dialogs/PasswordRules.h"

using namespace tl5;

TEST(PasswordRules, NewPasswordChecksRunInOrder) {
    struct Case {
        std::u16string password, confirmation;
        bool accepted;
        uint32_t message, icon;
    } cases[] = {
        {u"", u"", false, 27003, kIconStop},
        {u"", u"abc", false, 27003, kIconStop},          // empty wins over different lengths
        {u"ab", u"abc", false, 27004, kIconExclamation},  // different lengths win over too short
        {u"ab", u"ab", false, 27007, kIconStop},
        {u"abc", u"abd", false, 27004, kIconExclamation},
        {u"Abc", u"abc", false, 27004, kIconExclamation}, // case-sensitive
        {u"abc", u"abc", true, 0, 0},
        {u"\u00e9t\u00e9!", u"\u00e9t\u00e9!", true, 0, 0},
    };
    for (const Case& c : cases) {
        const NewPasswordCheck r = CheckNewPassword(c.password, c.confirmation);
        EXPECT_EQ(r.accepted, c.accepted);
        EXPECT_EQ(r.messageId, c.message);
        EXPECT_EQ(r.icon, c.icon);
    }
}

TEST(PasswordRules, TwentyFourTypedCharactersAreReadAsTwentyThree) {
    const std::u16string typed = u"abcdefghijklmnopqrstuvwx";  // 24
    ASSERT_EQ(typed.size(), kPasswordBoxLimit);
    const std::u16string_view read = ReadLimited(typed, kPasswordReadLimit);
    EXPECT_EQ(read, u"abcdefghijklmnopqrstuvw");
    // Both boxes are cut alike, so a confirmation that differs only in the 24th character passes.
    EXPECT_TRUE(CheckNewPassword(read, ReadLimited(u"abcdefghijklmnopqrstuvwZ", kPasswordReadLimit)).accepted);
    EXPECT_EQ(ReadLimited(u"ab", kPasswordReadLimit), u"ab");
}

TEST(PasswordRules, CountdownExpiresOnceAfterItsPeriodAndRestarts) {
    IdleCountdown countdown;
    for (int i = 1; i < kPasswordIdleSeconds; ++i) ASSERT_FALSE(countdown.Tick()) << i;
    EXPECT_TRUE(countdown.Tick());
    EXPECT_FALSE(countdown.Tick());  // a late tick after expiry does not fire again
    countdown.Restart();
    EXPECT_EQ(countdown.SecondsLeft(), kPasswordIdleSeconds);
    for (int i = 0; i < 60; ++i) countdown.Tick();
    countdown.Restart();  // a rejected attempt
    for (int i = 1; i < kPasswordIdleSeconds; ++i) ASSERT_FALSE(countdown.Tick());
    EXPECT_TRUE(countdown.Tick());
}

TEST(PasswordRules, HintIsOfferedAtTheFifthRejectionOnly) {
    EntryAttempts attempts;
    for (int i = 1; i <= 4; ++i) EXPECT_FALSE(attempts.Reject()) << i;
    EXPECT_TRUE(attempts.Reject());
    EXPECT_TRUE(attempts.HintOffered());
    for (int i = 6; i <= 9; ++i) EXPECT_FALSE(attempts.Reject()) << i;
    EXPECT_EQ(attempts.Failures(), 9);
}
