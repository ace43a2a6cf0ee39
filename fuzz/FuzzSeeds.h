// Seed corpora for the fuzz targets, written by our own writers.
//
// Each fuzz/seeds/*.cpp registers a function that writes the valid files of one target into a folder;
// make_fuzz_seeds runs them all: make_fuzz_seeds OUT_DIR creates OUT_DIR/<target>/ for every target.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FuzzSeedWriter {
    const char* target;  // name of the fuzz target, e.g. "text_fuzz"
    // Fills `files` with (file name, bytes) pairs.
    void (*write)(std::vector<std::pair<std::string, std::vector<uint8_t>>>& files);
};

std::vector<FuzzSeedWriter>& FuzzSeedWriters();

// A writer that could not make a seed it should have says so here: make_fuzz_seeds then fails.
void FuzzSeedFailed(const char* target, const char* what);

struct FuzzSeedRegistrar {
    explicit FuzzSeedRegistrar(const FuzzSeedWriter& w) { FuzzSeedWriters().push_back(w); }
};

#define TL5_SEED_CONCAT2(a, b) a##b
#define TL5_SEED_CONCAT(a, b) TL5_SEED_CONCAT2(a, b)
#define TL5_FUZZ_SEEDS(target, function) \
    static const FuzzSeedRegistrar TL5_SEED_CONCAT(tl5SeedRegistrar_, __LINE__)({target, function})
