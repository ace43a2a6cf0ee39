#include "platform/LocalTime.h"

#include <mutex>
#include <utility>

namespace tl5 {

namespace {
std::mutex& ClockMutex() {
    static std::mutex m;
    return m;
}
std::function<SystemTime()>& ClockSource() {
    static std::function<SystemTime()> source;
    return source;
}
}  // namespace

SystemTime LocalTimeNow() {
    std::function<SystemTime()> source;
    {
        std::lock_guard<std::mutex> lock(ClockMutex());
        source = ClockSource();
    }
    return source ? source() : OsLocalTimeNow();
}

void SetLocalTimeSourceForTests(std::function<SystemTime()> source) {
    std::lock_guard<std::mutex> lock(ClockMutex());
    ClockSource() = std::move(source);
}

}  // namespace tl5
