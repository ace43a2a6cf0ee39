// make_fuzz_seeds OUT_DIR: writes the seed corpus of every fuzz target into OUT_DIR/<target>/.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "fuzz/FuzzSeeds.h"

std::vector<FuzzSeedWriter>& FuzzSeedWriters() {
    static std::vector<FuzzSeedWriter> writers;
    return writers;
}

namespace {
int failures = 0;
}  // namespace

void FuzzSeedFailed(const char* target, const char* what) {
    std::fprintf(stderr, "make_fuzz_seeds: %s: %s\n", target, what);
    ++failures;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds OUT_DIR\n");
        return 2;
    }
    namespace fs = std::filesystem;
    for (const FuzzSeedWriter& w : FuzzSeedWriters()) {
        std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
        w.write(files);
        const fs::path dir = fs::path(argv[1]) / w.target;
        std::error_code ec;
        fs::create_directories(dir, ec);
        for (const auto& [name, bytes] : files) {
            std::ofstream out(dir / name, std::ios::binary);
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            if (!out) {
                std::fprintf(stderr, "make_fuzz_seeds: cannot write %s\n", (dir / name).string().c_str());
                return 1;
            }
        }
        // A target without seeds would be fuzzed from nothing while looking fine: that is a failure.
        if (files.empty()) FuzzSeedFailed(w.target, "no seed written");
        std::printf("%s: %zu seeds\n", w.target, files.size());
    }
    return failures ? 1 : 0;
}
