#include "dialogs/SecurityRules.h"

namespace tl5 {

std::vector<AutoCloseEntry> AutoCloseEntries(uint32_t stored, const StringSource& strings) {
    std::vector<AutoCloseEntry> entries;
    bool listed = false;
    for (const AutoClosePeriod& period : kAutoClosePeriods) {
        entries.push_back({period.minutes, strings ? strings(period.stringId) : std::u16string()});
        listed = listed || period.minutes == stored;
    }
    if (!listed) {
        const std::u16string format = strings ? strings(IDS_PERIOD_MINUTES) : std::u16string();
        entries.push_back({stored, FormatChecked(format, u"%d minutes", {static_cast<long long>(stored)})});
    }
    return entries;
}

int AutoCloseSelection(const std::vector<AutoCloseEntry>& entries, uint32_t stored) {
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].minutes == stored) return static_cast<int>(i);
    return 0;
}

uint32_t AutoClosePeriodOf(const std::vector<AutoCloseEntry>& entries, int selected, uint32_t stored) {
    if (selected < 0 || static_cast<size_t>(selected) >= entries.size()) return stored;
    return entries[static_cast<size_t>(selected)].minutes;
}

}  // namespace tl5
