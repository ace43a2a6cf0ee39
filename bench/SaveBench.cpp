// What atomic saving costs: the same saves with the rollback journal and in place without it, on a
// wallet of 2,000 cards in a temporary folder. Also how long opening that wallet takes.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "Bench.h"
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
};

// Runs the saves on a fresh copy of the wallet.
template <typename Saves>
Measure Run(const std::filesystem::path& master, const std::filesystem::path& copy, bool journal, Saves&& saves) {
    std::filesystem::copy_file(master, copy, std::filesystem::copy_options::overwrite_existing);
    Wallet w;
    Measure m;
    if (w.Open(Utf8ToUtf16(copy.string()), &kPassword, false) != kOpenOk) return m;
    w.SetJournalEnabled(journal);
    w.Counters() = SaveCounters();
    const double t0 = BenchSeconds();
    saves(w);
    w.Close(true);
    m.seconds = BenchSeconds() - t0;
    m.counters = w.Counters();
    return m;
}

void Report(const char* what, const Measure& plain, const Measure& atomic) {
    std::printf("   %-34s in place: %8.1f ms %10llu bytes | journal: %8.1f ms %10llu + %10llu journal bytes\n", what,
                plain.seconds * 1e3, static_cast<unsigned long long>(plain.counters.walletBytes), atomic.seconds * 1e3,
                static_cast<unsigned long long>(atomic.counters.walletBytes),
                static_cast<unsigned long long>(atomic.counters.journalBytes));
}

int RunSaveBench() {
    char tmpl[] = "/tmp/tl5bench-XXXXXX";
    if (!::mkdtemp(tmpl)) return 1;
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
    std::printf("   wallet of %d cards, %llu bytes\n", kCards,
                static_cast<unsigned long long>(std::filesystem::file_size(master)));

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
        const ItemId folder = w.ItemAt(0).Id();
        for (int n = 0; n < kSaves; ++n) {
            Card c = NewCard(w, folder, 100000 + n);
            w.AppendCard(&c, false);
        }
    };
    auto replaceMiddle = [&](Wallet& w) {
        for (int n = 0; n < kSaves; ++n) {
            auto card = w.LoadCard(ids[kCards / 2 + n]);
            if (!card) return;
            card->FieldAt(0)->SetValue(u"changed");
            w.ReplaceCard(card.get(), false);
        }
    };
    auto renameInPlace = [&](Wallet& w) {
        for (int n = 0; n < kSaves; ++n) {
            ItemRecord& r = w.ItemAt(static_cast<size_t>(w.IndexOf(ids[n * 7])));
            r.SetName(u"Renamed");
            w.RewriteRecordInPlace(r);
        }
    };
    auto deleteMiddle = [&](Wallet& w) {
        for (int n = 0; n < kSaves; ++n) w.MarkDeletedInFile(ids[kCards / 3 + n]);
    };
    const struct { const char* what; std::function<void(Wallet&)> saves; } cases[] = {
        {"50 new cards appended", appendCards},
        {"50 cards changed in the middle", replaceMiddle},
        {"50 renames in place", renameInPlace},
        {"50 cards deleted in the middle", deleteMiddle},
    };
    for (const auto& c : cases) {
        const Measure plain = Run(master, copy, false, c.saves);
        const Measure atomic = Run(master, copy, true, c.saves);
        Report(c.what, plain, atomic);
    }
    std::filesystem::remove_all(dir);
    return 0;
}

}  // namespace

TL5_BENCH("save", "saving with the rollback journal against in place, and opening a wallet", RunSaveBench);
