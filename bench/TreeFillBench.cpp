// The wallet tree's fill plan (shell/WalletTreeRules.h) on the benchmark wallets of 10,000 and 100,000
// cards: the median time of building the plan next to the median time of opening the same wallet, and
// their ratio, which stays flat when the fill is linear in the number of records.
//
// TL5_BENCH_SIZES=1000,10000 picks other sizes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Bench.h"
#include "WalletGenerator.h"
#include "model/Wallet.h"
#include "platform/Text.h"
#include "resources/StringTable.h"
#include "shell/WalletTreeRules.h"

namespace {

using namespace tl5;
using namespace tl5bench;

constexpr uint64_t kSeed = 20261210;

std::vector<int> Sizes() {
    std::vector<int> sizes;
    const char* env = std::getenv("TL5_BENCH_SIZES");
    std::string text = env && *env ? env : "10000,100000";
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find(',', at);
        if (end == std::string::npos) end = text.size();
        const int n = std::atoi(text.substr(at, end - at).c_str());
        if (n > 0) sizes.push_back(n);
        at = end + 1;
    }
    return sizes;
}

double Median(std::vector<double> t) {
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

int RunTreeFill() {
    std::printf("%-10s %12s %12s %8s %10s\n", "cards", "open ms", "fill ms", "fill/open", "nodes");
    for (int cards : Sizes()) {
        GeneratedWallet g;
        if (!EnsureGeneratedWallet(cards, kSeed, &g)) {
            std::printf("%d: cannot build the wallet\n", cards);
            return 1;
        }
        const std::u16string path = Utf8ToUtf16(g.path);
        const std::u16string password = kBenchPassword;
        const int rounds = cards >= 100000 ? 3 : 7;
        std::vector<double> open, fill;
        size_t nodes = 0;
        for (int r = 0; r < rounds; ++r) {
            Wallet w;
            double t0 = BenchSeconds();
            if (w.Open(path, &password, true) != kOpenOk) {
                std::printf("%d: cannot open\n", cards);
                return 1;
            }
            open.push_back(BenchSeconds() - t0);
            t0 = BenchSeconds();
            const std::vector<TreeFillNode> plan = BuildFillPlan(w, [](uint32_t id) {
                const char16_t* s = StringTableLookup(id);
                return std::u16string(s ? s : u"?");
            });
            fill.push_back(BenchSeconds() - t0);
            nodes = plan.size();
            w.Close(false);
        }
        const double o = Median(open), f = Median(fill);
        std::printf("%-10d %12.1f %12.1f %8.2f %10zu\n", cards, o * 1e3, f * 1e3, o > 0 ? f / o : 0.0, nodes);
        if (nodes < static_cast<size_t>(cards)) {
            std::printf("%d: the plan shows fewer nodes than cards\n", cards);
            return 1;
        }
    }
    return 0;
}

}  // namespace

TL5_BENCH("treefill", "wallet tree fill plan against opening the same wallet", RunTreeFill);
