#include "platform/Random.h"

#include <cstdlib>
#include <memory>
#include <mutex>
#include <utility>

namespace tl5 {

namespace {
std::mutex& RandomMutex() {
    static std::mutex m;
    return m;
}
std::function<uint32_t()>& RandomSource() {
    static std::function<uint32_t()> source;
    return source;
}
}  // namespace

uint32_t Random32() {
    std::function<uint32_t()> source;
    {
        std::lock_guard<std::mutex> lock(RandomMutex());
        source = RandomSource();
    }
    if (source) return source();
    uint32_t value = 0;
    if (!OsRandomBytes(&value, sizeof value)) std::abort();  // no safe fallback for a broken generator
    return value;
}

void SetRandomSourceForTests(std::function<uint32_t()> source) {
    std::lock_guard<std::mutex> lock(RandomMutex());
    RandomSource() = std::move(source);
}

void SeedRandomForTests(uint64_t seed) {
    // splitmix64: small, deterministic and well distributed.
    auto state = std::make_shared<uint64_t>(seed);
    SetRandomSourceForTests([state]() {
        uint64_t z = (*state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<uint32_t>((z ^ (z >> 31)) >> 16);
    });
}

}  // namespace tl5
