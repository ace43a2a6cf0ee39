// What the modern protection costs: the generated wallet of 10,000 cards (TL5_BENCH_SIZES picks others)
// opened and saved as a classic wallet and in its envelope, side by side in one run, with the key
// derivation (Argon2id at the default 64 MiB and 3 passes) timed on its own. The save is one changed
// card, as the application saves it: for the classic wallet the journaled in-place save, for the
// protected one the whole wallet encrypted into a temporary file, flushed and renamed over the old one.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "Bench.h"
#include "WalletGenerator.h"
#include "model/Card.h"
#include "model/Wallet.h"
#include "model/WalletProtection.h"
#include "platform/Text.h"

namespace {

using namespace tl5;
using namespace tl5bench;

constexpr uint64_t kSeed = 20261210;  // the wallets of the wallets benchmark

double Median(std::vector<double> t) {
    std::sort(t.begin(), t.end());
    return t.empty() ? 0 : t[t.size() / 2];
}

template <typename F>
double Seconds(F&& f) {
    const double t0 = BenchSeconds();
    f();
    return BenchSeconds() - t0;
}

struct Figures {
    double open = 0, save = 0;
    double derive = 0, rest = 0;  // protected only: the key derivation, and the open without it
    bool ok = false;
};

// Opens for work `rounds` times, then saves a changed card `rounds` times on one open wallet. For a
// protected wallet each round first derives the key from the file's own salt and costs, so that the
// open can be split into the derivation and the rest round by round (the machine's speed drifts).
Figures Measure(const std::u16string& path, int rounds, size_t expectItems, bool sealed) {
    const std::u16string password = kBenchPassword;
    Figures f;
    std::vector<double> opens, saves, derives, rests;
    for (int r = 0; r < rounds; ++r) {
        if (sealed) {
            EnvelopeKey key;
            SecretBytes plain;
            // The whole reader (derivation and decryption), then the derivation alone.
            if (ReadEnvelopeFile(OsFileSystem(), path, password, &key, &plain) != kEnvelopeOk) return f;
            uint8_t salt[kEnvelopeSaltSize];
            std::memcpy(salt, key.salt, sizeof salt);
            const EnvelopeParams params = key.params;
            int rc = kEnvelopeOk;
            derives.push_back(Seconds([&] { rc = DeriveEnvelopeKey(password, params, salt, &key); }));
            if (rc != kEnvelopeOk) return f;
        }
        Wallet w;
        size_t loaded = 0;
        opens.push_back(Seconds([&] {
            if (w.Open(path, &password, false) == kOpenOk) loaded = w.ItemCount();
        }));
        if (loaded != expectItems) return f;
        if (sealed) rests.push_back(opens.back() - derives.back());
    }
    Wallet w;
    if (w.Open(path, &password, false) != kOpenOk) return f;
    std::vector<ItemId> cards;
    for (const ItemRecord& r : w.Items())
        if (r.Kind() == kItemKindCard) cards.push_back(r.Id());
    for (int r = 0; r < rounds && !cards.empty(); ++r) {
        // A card from the middle of the file, loaded and changed before the clock starts.
        std::unique_ptr<Card> card = w.LoadCard(cards[cards.size() / 2 + static_cast<size_t>(r)]);
        if (!card || card->FieldCount() == 0) return f;
        card->FieldAt(0)->SetValue(u"changed " + Utf8ToUtf16(std::to_string(r)));
        int index = -1;
        saves.push_back(Seconds([&] { index = w.ReplaceCard(card.get(), false); }));
        if (index < 0) return f;
    }
    w.Close(false);
    f.open = Median(opens);
    f.save = Median(saves);
    f.derive = Median(derives);
    f.rest = Median(rests);
    f.ok = true;
    return f;
}

int RunProtectedBench() {
    std::vector<int> sizes;
    if (const char* env = std::getenv("TL5_BENCH_SIZES")) {
        for (const char* p = env; *p;) {
            const int n = std::atoi(p);
            if (n > 0) sizes.push_back(n);
            while (*p && *p != ',') ++p;
            if (*p == ',') ++p;
        }
    }
    if (sizes.empty()) sizes.push_back(10000);
    const char* roundsEnv = std::getenv("TL5_BENCH_ROUNDS");
    const int rounds = roundsEnv && std::atoi(roundsEnv) > 0 ? std::atoi(roundsEnv) : 5;
    const EnvelopeParams params;  // what tl5 protect and create --protect use

    std::vector<double> kdf;
    for (int r = 0; r < rounds; ++r) {
        EnvelopeKey key;
        int rc = kEnvelopeOk;
        kdf.push_back(Seconds([&] { rc = DeriveEnvelopeKey(kBenchPassword, params, nullptr, &key); }));
        if (rc != kEnvelopeOk) {
            std::printf("   key derivation failed (%d)\n", rc);
            return 1;
        }
    }
    const double derive = Median(kdf);
    std::printf("   key derivation (%s): %.1f ms\n", ProtectionText(WalletProtection::Modern, params).c_str(),
                derive * 1e3);

    int failures = 0;
    for (int cards : sizes) {
        GeneratedWallet g;
        if (!EnsureGeneratedWallet(cards, kSeed, &g)) {
            std::printf("   building the wallet of %d cards failed\n", cards);
            return 1;
        }
        const std::string classic = BenchCacheFolder() + "/classic-" + std::to_string(cards) + ".tl5";
        const std::string sealed = BenchCacheFolder() + "/protected-" + std::to_string(cards) + ".tl5";
        std::error_code ec;
        std::filesystem::copy_file(g.path, classic, std::filesystem::copy_options::overwrite_existing, ec);
        if (!ec) std::filesystem::copy_file(g.path, sealed, std::filesystem::copy_options::overwrite_existing, ec);
        int openResult = 0;
        if (ec || ProtectWallet(OsFileSystem(), Utf8ToUtf16(sealed), kBenchPassword, params, &openResult) != kProtectOk) {
            std::printf("   preparing the copies of %d cards failed\n", cards);
            return 1;
        }
        const size_t items = static_cast<size_t>(g.cards + g.folders + 1);
        const Figures c = Measure(Utf8ToUtf16(classic), rounds, items, false);
        const Figures p = Measure(Utf8ToUtf16(sealed), rounds, items, true);
        std::filesystem::remove(classic, ec);
        std::filesystem::remove(sealed, ec);
        if (!c.ok || !p.ok) {
            std::printf("   %d cards: %s failed\n", cards, c.ok ? "protected" : "classic");
            ++failures;
            continue;
        }
        std::printf("-- %d cards, %.1f MB (median of %d rounds)\n", cards, g.bytes / 1048576.0, rounds);
        std::printf("   %-30s classic %9.2f ms   protected %9.2f ms   of which key derivation %7.2f ms, "
                    "the rest %8.2f ms (%.2fx classic)\n",
                    "open for work", c.open * 1e3, p.open * 1e3, p.derive * 1e3, p.rest * 1e3,
                    c.open > 0 ? p.rest / c.open : 0.0);
        std::printf("   %-30s classic %9.2f ms   protected %9.2f ms   (%.1fx; no key derivation: the key is kept "
                    "while the wallet is open)\n",
                    "save one changed card", c.save * 1e3, p.save * 1e3, c.save > 0 ? p.save / c.save : 0.0);
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

TL5_BENCH("protected", "classic against protected wallets: open, save, key derivation", RunProtectedBench);
