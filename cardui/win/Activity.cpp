#include "cardui/win/Activity.h"

#include <windows.h>

#include <atomic>

namespace tl5win {

namespace {

std::atomic<uint64_t> g_lastActivity{0};
std::atomic<ClockFunction> g_bootClock{nullptr};
std::atomic<ClockFunction> g_runningClock{nullptr};

}  // namespace

uint64_t BootClockMs() {
    if (ClockFunction clock = g_bootClock.load()) return clock();
    return GetTickCount64();
}

uint64_t RunningClockMs() {
    if (ClockFunction clock = g_runningClock.load()) return clock();
    // 100-nanosecond units of the interrupt time without the time spent asleep.
    ULONGLONG unbiased = 0;
    if (QueryUnbiasedInterruptTime(&unbiased)) return unbiased / 10000;
    return GetTickCount64();
}

void NoteActivity() { g_lastActivity.store(BootClockMs()); }

uint64_t LastActivity() { return g_lastActivity.load(); }

void SetLastActivityForTests(uint64_t stamp) { g_lastActivity.store(stamp); }

void SetClocksForTests(ClockFunction boot, ClockFunction running) {
    g_bootClock.store(boot);
    g_runningClock.store(running);
}

}  // namespace tl5win
