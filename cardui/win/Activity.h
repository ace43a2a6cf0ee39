// The last user activity: every screen notes it at the top of each message it handles, and the idle
// close measures from it.
//
// The stamp is a reading of a monotonic millisecond clock that keeps counting while the computer
// sleeps (the boot clock), so a wall clock set back or forward changes nothing. It is atomic: the
// watchdog thread reads it while the user-interface thread writes it.
#pragma once

#include <cstdint>

namespace tl5win {

// Stores the boot clock's reading as the last activity.
void NoteActivity();
// The boot clock's reading at the last activity.
uint64_t LastActivity();
// Tests set an old stamp to see that a message counts as activity.
void SetLastActivityForTests(uint64_t stamp);

// Milliseconds since start, counting while the computer sleeps.
uint64_t BootClockMs();
// Milliseconds since start, standing still while the computer sleeps.
uint64_t RunningClockMs();

// Test seam: both clocks read from the given functions (null: the system's again). Thread safe.
using ClockFunction = uint64_t (*)();
void SetClocksForTests(ClockFunction boot, ClockFunction running);

}  // namespace tl5win
