// The find box's input rules, the idle decision with the watchdog's sleep detection, and the security
// dialog's list of periods.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "dialogs/SecurityRules.h"
#include "resources/StringTable.h"
#include "shell/AutoCloseRules.h"
#include "shell/FindRules.h"

using namespace tl5;

namespace {

std::u16string TableString(uint32_t id) {
    const char16_t* s = StringTableLookup(id);
    return s ? s : u"?";
}

constexpr uint64_t kMinute = kMillisecondsPerMinute;

}  // namespace

TEST(FindRules, InputIsTrimmedBeforeTheLengthRuleAndTheResetWord) {
    struct Case {
        std::u16string box;
        FindInputAction action;
        std::u16string text;
    };
    const Case cases[] = {
        {u"", FindInputAction::kTooShort, u""},
        {u"x", FindInputAction::kTooShort, u""},
        {u"  x  ", FindInputAction::kTooShort, u""},   // blanks do not make up the length
        {u"    ", FindInputAction::kTooShort, u""},
        {u"\tab\u00A0", FindInputAction::kSearch, u"ab"},
        {u" visa card ", FindInputAction::kSearch, u"visa card"},  // inner blanks stay
        {u"::fresh", FindInputAction::kReset, u""},
        {u"::FRESH", FindInputAction::kReset, u""},
        {u"  ::Fresh ", FindInputAction::kReset, u""},
        {u"::freshen", FindInputAction::kSearch, u"::freshen"},
    };
    for (const Case& c : cases) {
        const FindInput input = ClassifyFindInput(c.box);
        EXPECT_EQ(input.action, c.action) << std::string(c.box.begin(), c.box.end());
        EXPECT_EQ(input.text, c.text) << std::string(c.box.begin(), c.box.end());
        EXPECT_FALSE(input.shortened);
    }
}

TEST(FindRules, ALongTextIsCutToTheBoxLimit) {
    const std::u16string fifty(50, u'a');
    FindInput input = ClassifyFindInput(fifty);
    EXPECT_EQ(input.action, FindInputAction::kSearch);
    EXPECT_EQ(input.text, std::u16string(kFindBoxLimit, u'a'));
    EXPECT_TRUE(input.shortened);

    // A cut that ends in blanks loses them; one that leaves a single letter is too short.
    input = ClassifyFindInput(u"ab" + std::u16string(46, u' ') + u"cd");
    EXPECT_EQ(input.action, FindInputAction::kSearch);
    EXPECT_EQ(input.text, u"ab");
    input = ClassifyFindInput(u"a" + std::u16string(47, u' ') + u"bc");
    EXPECT_EQ(input.action, FindInputAction::kTooShort);

    // Exactly at the limit nothing is cut.
    input = ClassifyFindInput(std::u16string(kFindBoxLimit, u'z'));
    EXPECT_FALSE(input.shortened);
    EXPECT_EQ(input.text.size(), kFindBoxLimit);
}

TEST(AutoCloseRules, ClosesBetweenThePeriodAndOneTickAfterTheLastActivity) {
    const uint64_t activity = 10000000;
    struct Case {
        uint64_t now;
        uint32_t period;
        bool expired;
    };
    const Case cases[] = {
        {activity, 1, false},
        {activity + kMinute - 1, 1, false},  // one millisecond short: the old minute-boundary count closed here
        {activity + kMinute, 1, true},
        {activity + 4 * kMinute + 59999, 5, false},
        {activity + 5 * kMinute, 5, true},
        {activity + 600 * kMinute, 0, false},  // 0 is never
        {activity - 3600000, 1, false},        // a reading before the activity is no idle time
        {activity + 61 * kMinute, 60, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IdleExpired(c.now, activity, c.period), c.expired) << c.now - activity << " ms, period " << c.period;
    }
    // The timer ticks every kIdleTimerMs: the first tick at or after the period closes, so the close
    // comes no later than one tick after it.
    uint64_t closedAt = 0;
    for (uint64_t t = activity + 3000; !closedAt; t += kIdleTimerMs)
        if (IdleExpired(t, activity, 1)) closedAt = t;
    EXPECT_GE(closedAt - activity, kMinute);
    EXPECT_LT(closedAt - activity, kMinute + kIdleTimerMs);
    EXPECT_EQ(IdleRemainingMs(activity + 20000, activity, 1), 40000u);

    // A tick that comes a little early (the remaining time is short) is followed by one just past the
    // period's end, not by a whole interval.
    EXPECT_EQ(NextIdleTickMs(40000), kIdleTimerMs);
    EXPECT_EQ(NextIdleTickMs(3000), 3020u);
    EXPECT_EQ(NextIdleTickMs(5), 100u);
}

TEST(AutoCloseRules, SleepIsTheBootClockRunningAheadOfTheRunningClock) {
    struct Case {
        uint64_t boot, running;
        bool slept;
    };
    const Case cases[] = {
        {1200, 1200, false},
        {1250, 1200, false},                       // the clocks drift a little
        {1200 + kSleepThresholdMs, 1200, false},   // a late wake of a busy thread
        {1201 + kSleepThresholdMs, 1200, true},
        {5 * kMinute, 1200, true},                 // five minutes asleep
        {1200, 5 * kMinute, false},                // a running clock ahead is no sleep
    };
    for (const Case& c : cases) EXPECT_EQ(SleepDetected(c.boot, c.running), c.slept) << c.boot << "/" << c.running;
}

TEST(AutoCloseRules, SessionLockAndSuspendCloseOnlyAGuardedWalletWithTheSettingOn) {
    EXPECT_TRUE(ClosesOnSessionEvent(SessionEvent::kLock, true, 5, true));
    EXPECT_TRUE(ClosesOnSessionEvent(SessionEvent::kSuspend, true, 1, true));
    EXPECT_FALSE(ClosesOnSessionEvent(SessionEvent::kLock, true, 5, false));   // CloseOnLock 0
    EXPECT_FALSE(ClosesOnSessionEvent(SessionEvent::kLock, true, 0, true));    // period never
    EXPECT_FALSE(ClosesOnSessionEvent(SessionEvent::kSuspend, false, 5, true));  // no wallet
    EXPECT_FALSE(ClosesOnSessionEvent(SessionEvent::kOther, true, 5, true));
}

TEST(SecurityRules, TheListSelectsTheStoredPeriodAndKeepsOneItDoesNotOffer) {
    const std::vector<AutoCloseEntry> usual = AutoCloseEntries(10, TableString);
    ASSERT_EQ(usual.size(), 6u);
    const uint32_t order[] = {0, 1, 5, 10, 30, 60};
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(usual[i].minutes, order[i]);
    EXPECT_EQ(usual[0].text, TableString(IDS_PERIOD_NEVER));
    EXPECT_EQ(usual[1].text, u"1 minute");
    EXPECT_EQ(AutoCloseSelection(usual, 10), 3);
    EXPECT_EQ(AutoClosePeriodOf(usual, 3, 10), 10u);
    EXPECT_EQ(AutoClosePeriodOf(usual, 0, 10), 0u);  // the user chose Never

    // 15 minutes (set elsewhere) gets an entry of its own, selected; Done keeps it.
    const std::vector<AutoCloseEntry> odd = AutoCloseEntries(15, TableString);
    ASSERT_EQ(odd.size(), 7u);
    EXPECT_EQ(odd[6].text, u"15 minutes");
    const int selected = AutoCloseSelection(odd, 15);
    EXPECT_EQ(selected, 6);
    EXPECT_EQ(AutoClosePeriodOf(odd, selected, 15), 15u);
    EXPECT_EQ(AutoClosePeriodOf(odd, 2, 15), 5u);   // unless the user picks another
    EXPECT_EQ(AutoClosePeriodOf(odd, -1, 15), 15u); // nothing selected keeps it too
}
