#include "cardui/win/Activity.h"

namespace tl5win {

namespace {

SYSTEMTIME g_lastActivity{};

}  // namespace

void NoteActivity() { GetLocalTime(&g_lastActivity); }

SYSTEMTIME LastActivity() { return g_lastActivity; }

void SetLastActivityForTests(const SYSTEMTIME& time) { g_lastActivity = time; }

int64_t MinutesBetween(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    SYSTEMTIME x = a, y = b;
    x.wDayOfWeek = y.wDayOfWeek = 0;
    x.wSecond = y.wSecond = 0;
    x.wMilliseconds = y.wMilliseconds = 0;
    FILETIME fx{}, fy{};
    if (!SystemTimeToFileTime(&x, &fx) || !SystemTimeToFileTime(&y, &fy)) return 0;
    const int64_t ux = (static_cast<int64_t>(fx.dwHighDateTime) << 32) | fx.dwLowDateTime;
    const int64_t uy = (static_cast<int64_t>(fy.dwHighDateTime) << 32) | fy.dwLowDateTime;
    return (uy - ux) / 600000000LL;
}

}  // namespace tl5win
