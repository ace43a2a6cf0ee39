// What atomic saving costs: the same saves with the rollback journal and in place without it, on a
// wallet of 2,000 cards in a folder beside the program (the build folder's disk: a memory file system
// would hide what the flushes cost). Each case runs TL5_BENCH_ROUNDS times (3 by default) on a fresh
// copy and its median is shown; a save that fails fails the benchmark. Also how long opening that
// wallet takes.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "Bench.h"
#include "WalletGenerator.h"
#include "model/Card.h"
#include "model/Wallet.h"
#include "platform/Text.h"

namespace {

using namespace tl5;

const std::u16string kPassword = u"benchmark";

Card NewCard(Wallet& w, const ItemId& parent, int n) {
    ItemRecord r;
    r.SetKey(w.RecordKey());
    r.CreateAsCard(parent);
    r.SetName(u"Card " + Utf8ToUtf16(std::to_string(n)));
    Card card(r);
    for (int f = 0; f < 8; ++f) {
        Field* field = card.AddField(1);
        field->SetName(u"Field " + Utf8ToUtf16(std::to_string(f)));
        field->SetValue(u"Some value of moderate length for field " + Utf8ToUtf16(std::to_string(f)));
    }
    return card;
}

struct Measure {
    double seconds = 0;
    SaveCounters counters;
    int failed = 0;  // saves that reported a failure (and a wallet that would not open counts as all)
};

// Runs the saves on a fresh copy of the wallet, `rounds` times; the median time. Each save function
// returns the number of its saves that failed.
template <typename Saves>
Measure Run(const std::filesystem::path& master, const std::filesystem::path& copy, bool journal, int rounds,
            Saves&& saves) {
    Measure m;
    std::vector<double> times;
    for (int r = 0; r < rounds; ++r) {
        std::filesystem::copy_file(master, copy, std::filesystem::copy_options::overwrite_existing);
        Wallet w;
        if (w.Open(Utf8ToUtf16(copy.string()), &kPassword, false) != kOpenOk) {
            ++m.failed;
            continue;
        }
        w.SetJournalEnabled(journal);
        w.Counters() = SaveCounters();
        const double t0 = BenchSeconds();
        m.failed += saves(w);
        if (w.Close(true) != kCloseOk) ++m.failed;
        times.push_back(BenchSeconds() - t0);
        m.counters = w.Counters();
    }
    if (!times.empty()) {
        std::sort(times.begin(), times.end());
        m.seconds = times[times.size() / 2];
    }
    return m;
}

void Report(const char* what, const Measure& plain, const Measure& atomic) {
    std::printf("   %-34s in place: %8.1f ms %10llu bytes | journal: %8.1f ms %10llu + %10llu journal bytes\n", what,
                plain.seconds * 1e3, static_cast<unsigned long long>(plain.counters.walletBytes), atomic.seconds * 1e3,
                static_cast<unsigned long long>(atomic.counters.walletBytes),
                static_cast<unsigned long long>(atomic.counters.journalBytes));
    if (plain.failed || atomic.failed)
        std::printf("   %-34s FAILED saves: %d in place, %d with the journal\n", "", plain.failed, atomic.failed);
}

int RunSaveBench() {
    const char* roundsEnv = std::getenv("TL5_BENCH_ROUNDS");
    const int rounds = roundsEnv && std::atoi(roundsEnv) > 0 ? std::atoi(roundsEnv) : 3;
    std::error_code ec;
    std::filesystem::create_directories(tl5bench::BenchCacheFolder(), ec);
    std::string tmpl = tl5bench::BenchCacheFolder() + "/save-XXXXXX";
    if (!::mkdtemp(tmpl.data())) return 1;
    const std::filesystem::path dir = tmpl;
    const std::filesystem::path master = dir / "master.tl5", copy = dir / "copy.tl5";
    constexpr int kCards = 2000;
    std::vector<ItemId> ids;
    {
        Wallet w;
        if (w.Create(Utf8ToUtf16(master.string()), kPassword, u"", true) != kCreateOk) return 1;
        if (w.Open(Utf8ToUtf16(master.string()), &kPassword, false) != kOpenOk) return 1;
        w.SetJournalEnabled(false);
        const ItemId folder = w.ItemAt(0).Id();
        for (int n = 0; n < kCards; ++n) {
            Card c = NewCard(w, folder, n);
            ids.push_back(c.Record().Id());
            if (w.AppendCard(&c, false) < 0) return 1;
        }
        w.Close(true);
    }
    std::printf("   wallet of %d cards, %llu bytes, in %s; medians of %d rounds\n", kCards,
                static_cast<unsigned long long>(std::filesystem::file_size(master)), dir.parent_path().c_str(), rounds);

    // Opening: every record read with buffered reads.
    {
        double best = 1e9;
        for (int r = 0; r < 5; ++r) {
            Wallet w;
            const double t0 = BenchSeconds();
            if (w.Open(Utf8ToUtf16(master.string()), &kPassword, true) != kOpenOk || w.ItemCount() != kCards + 2) return 1;
            best = std::min(best, BenchSeconds() - t0);
        }
        std::printf("   open (all records into the table): %.2f ms\n", best * 1e3);
    }

    constexpr int kSaves = 50;
    auto appendCards = [&](Wallet& w) {
        int failed = 0;
        const ItemId folder = w.ItemAt(0).Id();
        for (int n = 0; n < kSaves; ++n) {
            Card c = NewCard(w, folder, 100000 + n);
            failed += w.AppendCard(&c, false) < 0;
        }
        return failed;
    };
    auto replaceMiddle = [&](Wallet& w) {
        int failed = 0;
        for (int n = 0; n < kSaves; ++n) {
            auto card = w.LoadCard(ids[kCards / 2 + n]);
            if (!card) {
                ++failed;
                continue;
            }
            card->FieldAt(0)->SetValue(u"changed");
            failed += w.ReplaceCard(card.get(), false) < 0;
        }
        return failed;
    };
    auto renameInPlace = [&](Wallet& w) {
        int failed = 0;
        for (int n = 0; n < kSaves; ++n) {
            ItemRecord& r = w.ItemAt(static_cast<size_t>(w.IndexOf(ids[n * 7])));
            r.SetName(u"Renamed");
            failed += w.RewriteRecordInPlace(r) != 1;
        }
        return failed;
    };
    auto deleteMiddle = [&](Wallet& w) {
        int failed = 0;
        for (int n = 0; n < kSaves; ++n) failed += w.MarkDeletedInFile(ids[kCards / 3 + n]) != 1;
        return failed;
    };
    const struct { const char* what; std::function<int(Wallet&)> saves; } cases[] = {
        {"50 new cards appended", appendCards},
        {"50 cards changed in the middle", replaceMiddle},
        {"50 renames in place", renameInPlace},
        {"50 cards deleted in the middle", deleteMiddle},
    };
    int failed = 0;
    for (const auto& c : cases) {
        const Measure plain = Run(master, copy, false, rounds, c.saves);
        const Measure atomic = Run(master, copy, true, rounds, c.saves);
        Report(c.what, plain, atomic);
        failed += plain.failed + atomic.failed;
    }
    std::filesystem::remove_all(dir);
    return failed ? 1 : 0;
}

}  // namespace

TL5_BENCH("save", "saving with the rollback journal against in place, and opening a wallet", RunSaveBench);
