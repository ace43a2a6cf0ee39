// The tl5bench program: each benchmark registers itself with TL5_BENCH and prints its own figures.
// `tl5bench` runs them all; `tl5bench NAME...` runs the named ones.
#pragma once

#include <chrono>
#include <string>
#include <vector>

struct BenchEntry {
    const char* name;
    const char* summary;
    int (*run)();  // 0 when the benchmark ran and its checks held
};

std::vector<BenchEntry>& BenchEntries();

struct BenchRegistrar {
    explicit BenchRegistrar(const BenchEntry& e) { BenchEntries().push_back(e); }
};

#define TL5_BENCH_CONCAT2(a, b) a##b
#define TL5_BENCH_CONCAT(a, b) TL5_BENCH_CONCAT2(a, b)
#define TL5_BENCH(name, summary, function) \
    static const BenchRegistrar TL5_BENCH_CONCAT(tl5BenchRegistrar_, __LINE__)({name, summary, function})

// Seconds since an arbitrary start, for timing.
inline double BenchSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}
