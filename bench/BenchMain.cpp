#include <cstdio>
#include <cstring>

#include "Bench.h"

std::vector<BenchEntry>& BenchEntries() {
    static std::vector<BenchEntry> entries;
    return entries;
}

int main(int argc, char** argv) {
    int failures = 0, ran = 0;
    for (const BenchEntry& e : BenchEntries()) {
        bool wanted = argc < 2;
        for (int k = 1; k < argc; ++k) wanted = wanted || std::strcmp(argv[k], e.name) == 0;
        if (!wanted) continue;
        std::printf("== %s: %s\n", e.name, e.summary);
        std::fflush(stdout);
        ++ran;
        if (e.run() != 0) {
            ++failures;
            std::printf("   FAILED\n");
        }
    }
    if (ran == 0) {
        std::printf("benchmarks:\n");
        for (const BenchEntry& e : BenchEntries()) std::printf("  %-20s %s\n", e.name, e.summary);
        return argc < 2 ? 0 : 2;
    }
    return failures ? 1 : 0;
}
