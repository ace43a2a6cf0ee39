// Local time stamps.
//
// A time stamp is eight unsigned 16-bit values (year, month, day of week, day, hour, minute, second,
// milliseconds), taken in local time. The all-zero value means "not set".
#pragma once

#include <cstdint>
#include <functional>

namespace tl5 {

struct SystemTime {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfWeek = 0;  // 0 = Sunday
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;

    bool IsZero() const {
        return (year | month | dayOfWeek | day | hour | minute | second | milliseconds) == 0;
    }
    friend bool operator==(const SystemTime&, const SystemTime&) = default;
};

// The current local time (like GetLocalTime on Windows).
SystemTime LocalTimeNow();

// Tests may replace the clock; an empty function restores the system clock.
void SetLocalTimeSourceForTests(std::function<SystemTime()> source);

// The operating system's local time; implemented per platform.
SystemTime OsLocalTimeNow();

}  // namespace tl5
