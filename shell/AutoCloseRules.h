// When an open wallet closes by itself: the idle decision and the watchdog's sleep detection.
//
// Idleness is measured on a monotonic millisecond count that keeps running while the computer sleeps
// (the "boot clock"), never on the wall clock: a clock set back or forward changes nothing, and with a
// period of P minutes the wallet closes between P and P plus one idle timer tick after the last
// activity. The watchdog compares the boot clock with a clock that stands still while the computer
// sleeps (the "running clock"): when the boot clock has gone on much further, the computer slept, and
// the idle test runs at once instead of waiting for the next tick.
#pragma once

#include <cstdint>

namespace tl5 {

// The idle timer's interval, and the watchdog's look at the clocks.
constexpr uint32_t kIdleTimerMs = 10000;
constexpr uint32_t kWatchdogIntervalMs = 1200;
// The boot clock must run ahead of the running clock by more than this before a sleep is assumed
// (the two clocks differ by a little in any case, and a busy machine may wake a thread late).
constexpr uint64_t kSleepThresholdMs = 5000;

constexpr uint64_t kMillisecondsPerMinute = 60000;

// The guard of an open wallet: off without a wallet or with a period of 0.
constexpr bool Guarded(bool walletOpen, uint32_t periodMinutes) { return walletOpen && periodMinutes != 0; }

// True when a wallet with the period (minutes, 0 = never) has been idle long enough: `now` and
// `lastActivity` are boot clock readings. A reading before the activity (a clock that cannot go back,
// so only a bad stamp) counts as no idle time.
bool IdleExpired(uint64_t nowMs, uint64_t lastActivityMs, uint32_t periodMinutes);

// Milliseconds until the idle test can first succeed (0 when it would now); UINT64_MAX for period 0.
uint64_t IdleRemainingMs(uint64_t nowMs, uint64_t lastActivityMs, uint32_t periodMinutes);

// The interval of the idle timer's next tick with `remainingMs` left of the period: the usual
// interval, or just past the end of the period when that is sooner (never below 100 ms).
uint32_t NextIdleTickMs(uint64_t remainingMs);

// One look of the watchdog: how far each clock went since the previous look.
bool SleepDetected(uint64_t bootDeltaMs, uint64_t runningDeltaMs);

// Session events that close a guarded wallet at once (with the CloseOnLock setting on).
enum class SessionEvent : int { kLock, kSuspend, kOther };
bool ClosesOnSessionEvent(SessionEvent event, bool walletOpen, uint32_t periodMinutes, bool closeOnLock);

}  // namespace tl5
