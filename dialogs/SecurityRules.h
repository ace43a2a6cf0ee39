// The security options dialog's rules: the auto-close periods it offers, which entry a stored period
// selects, and what "Done" stores.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "StringIds.h"
#include "platform/FormatText.h"

namespace tl5 {

struct AutoClosePeriod {
    uint32_t minutes;   // 0: never
    uint32_t stringId;  // its text in the list
};

// The periods of the list, in the order shown.
inline constexpr std::array<AutoClosePeriod, 6> kAutoClosePeriods{{
    {0, IDS_PERIOD_NEVER},
    {1, IDS_PERIOD_1_MINUTE},
    {5, IDS_PERIOD_5_MINUTES},
    {10, IDS_PERIOD_10_MINUTES},
    {30, IDS_PERIOD_30_MINUTES},
    {60, IDS_PERIOD_60_MINUTES},
}};

struct AutoCloseEntry {
    uint32_t minutes;
    std::u16string text;
};

// The entries of the list for a wallet whose stored period is `stored`: the six periods, and after
// them the stored period itself when it is none of them (a wallet set elsewhere, for example to 15
// minutes), so that confirming the dialog keeps it.
std::vector<AutoCloseEntry> AutoCloseEntries(uint32_t stored, const StringSource& strings);
// The entry the stored period selects.
int AutoCloseSelection(const std::vector<AutoCloseEntry>& entries, uint32_t stored);
// The period "Done" stores: the selected entry's, or the stored one when nothing is selected.
uint32_t AutoClosePeriodOf(const std::vector<AutoCloseEntry>& entries, int selected, uint32_t stored);

// The values the dialog edits.
struct SecurityOptions {
    uint32_t autoCloseMinutes = 0;
    bool closeOnSwitch = false;  // passes through: its box stays hidden
    bool closeOnLock = true;     // the CloseOnLock setting
    bool modernProtection = false;
    std::u16string protectionLine;  // which protection the wallet has, shown under the box
};

}  // namespace tl5
