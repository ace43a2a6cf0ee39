// The last user activity: every screen notes it at the top of each message it handles, and the idle
// close measures from it.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tl5win {

// Stores the current local time as the last activity time.
void NoteActivity();
// The local time of the last activity.
SYSTEMTIME LastActivity();
// Tests set an old time to see that a message counts as activity.
void SetLastActivityForTests(const SYSTEMTIME& time);

// Minute boundaries crossed from a to b (negative when b is earlier): both times lose their day of
// week, seconds and milliseconds, and the file-time difference is divided by one minute.
int64_t MinutesBetween(const SYSTEMTIME& a, const SYSTEMTIME& b);

}  // namespace tl5win
