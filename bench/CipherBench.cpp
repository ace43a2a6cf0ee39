// Piece encryption with the cached key state against a key schedule per piece.
#include <cstdio>
#include <cstring>
#include <vector>

#include "Bench.h"
#include "model/CipherKey.h"
#include "model/Rc4.h"

namespace {

int RunCipherBench() {
    const uint8_t key[16] = {0x3a, 0x91, 0x07, 0xee, 0x55, 0x12, 0xc8, 0x6d, 0x20, 0x44, 0xf1, 0x9b, 0x7e, 0x03, 0xb6, 0x58};
    constexpr size_t kPieces = 10000, kPieceSize = 32;
    std::vector<uint8_t> plain(kPieces * kPieceSize), naive(plain.size()), cached(plain.size());
    for (size_t k = 0; k < plain.size(); ++k) plain[k] = static_cast<uint8_t>(k * 131 + 7);
    tl5::CipherKey cipher;
    cipher.SetKey(key);

    auto naiveRound = [&] {
        for (size_t p = 0; p < kPieces; ++p) {
            tl5::Rc4State st;
            tl5::Rc4Schedule(&st, key, 16);
            tl5::Rc4Crypt(&st, &plain[p * kPieceSize], &naive[p * kPieceSize], kPieceSize);
        }
    };
    auto cachedRound = [&] {
        for (size_t p = 0; p < kPieces; ++p) cipher.Encrypt(&plain[p * kPieceSize], kPieceSize, &cached[p * kPieceSize]);
    };
    // Repeat until each side has run long enough to time; keep the best round.
    auto best = [](auto&& round) {
        double bestTime = 1e9;
        for (int r = 0; r < 30; ++r) {
            const double t0 = BenchSeconds();
            round();
            const double t = BenchSeconds() - t0;
            if (t < bestTime) bestTime = t;
        }
        return bestTime;
    };
    const double tNaive = best(naiveRound);
    const double tCached = best(cachedRound);
    if (std::memcmp(naive.data(), cached.data(), naive.size()) != 0) {
        std::printf("   the cached key gives other bytes than a fresh schedule\n");
        return 1;
    }
    std::printf("   %zu pieces of %zu bytes: schedule per piece %.3f ms, cached state %.3f ms, %.1fx faster\n", kPieces,
                kPieceSize, tNaive * 1e3, tCached * 1e3, tNaive / tCached);
    return 0;
}

}  // namespace

TL5_BENCH("cipher", "piece encryption: cached key state vs a key schedule per piece", RunCipherBench);
