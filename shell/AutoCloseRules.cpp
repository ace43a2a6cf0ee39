#include "shell/AutoCloseRules.h"

#include <limits>

namespace tl5 {

uint64_t IdleRemainingMs(uint64_t nowMs, uint64_t lastActivityMs, uint32_t periodMinutes) {
    if (periodMinutes == 0) return std::numeric_limits<uint64_t>::max();
    const uint64_t period = static_cast<uint64_t>(periodMinutes) * kMillisecondsPerMinute;
    const uint64_t idle = nowMs > lastActivityMs ? nowMs - lastActivityMs : 0;
    return idle >= period ? 0 : period - idle;
}

bool IdleExpired(uint64_t nowMs, uint64_t lastActivityMs, uint32_t periodMinutes) {
    return IdleRemainingMs(nowMs, lastActivityMs, periodMinutes) == 0;
}

uint32_t NextIdleTickMs(uint64_t remainingMs) {
    const uint64_t next = remainingMs + 20;
    if (next >= kIdleTimerMs) return kIdleTimerMs;
    return next < 100 ? 100 : static_cast<uint32_t>(next);
}

bool SleepDetected(uint64_t bootDeltaMs, uint64_t runningDeltaMs) {
    return bootDeltaMs > runningDeltaMs && bootDeltaMs - runningDeltaMs > kSleepThresholdMs;
}

bool ClosesOnSessionEvent(SessionEvent event, bool walletOpen, uint32_t periodMinutes, bool closeOnLock) {
    return event != SessionEvent::kOther && closeOnLock && Guarded(walletOpen, periodMinutes);
}

}  // namespace tl5
