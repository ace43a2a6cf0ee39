// Realistic wallets for the benchmarks: cards in nested folders, 8 to 30 fields of every field type,
// one card in 20 with an attachment of 4 to 64 KiB, one in 100 with a custom icon. Names, values,
// sizes and identifiers follow from the seed; only the time stamps are those of the run.
//
// One word (kBenchFindWord) occurs in about one card in a hundred: in half of those in the card's
// name, in the other half in one field value. No other text contains it.
#pragma once

#include <cstdint>
#include <string>

namespace tl5bench {

constexpr const char16_t* kBenchFindWord = u"quenfrel";
constexpr const char16_t* kBenchPassword = u"bench-pass";

struct GeneratedWallet {
    std::string path;        // the wallet file
    uint64_t bytes = 0;      // its size
    int cards = 0;
    int folders = 0;         // without My Forms
    int attachments = 0;
    int wordCards = 0;       // cards that hold kBenchFindWord
    double buildSeconds = 0; // 0 when taken from the cache
};

// The folder that holds cached wallets: "bench-wallets" beside the tl5bench program (so under build/).
std::string BenchCacheFolder();

// Returns the wallet of `cards` cards for the seed, building it into the cache when it is not there
// yet. False when building failed.
bool EnsureGeneratedWallet(int cards, uint64_t seed, GeneratedWallet* out);

}  // namespace tl5bench
