// Find over a wallet of 10,000 cards against reading the file: the search must stay within 4x of
// opening the wallet (reading every record) and is also shown against reading the file's bytes.
#include <cstdio>
#include <filesystem>
#include <string>

#include "Bench.h"
#include "model/Card.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/File.h"
#include "platform/Text.h"

namespace {

using namespace tl5;

constexpr int kCards = 10000;

std::u16string Num(int n) { return Utf8ToUtf16(std::to_string(n)); }

bool BuildWallet(const std::u16string& path, const std::u16string& password) {
    Wallet w;
    if (w.Create(path, password, u"", false) != kCreateOk) return false;
    if (w.Open(path, &password, false) != kOpenOk) return false;
    w.SetJournalEnabled(false);  // building only; the timed part reads
    ItemRecord folder;
    NewFolder(w, ItemId(), false, &folder);
    folder.SetName(u"Accounts");
    const ItemId folderId = folder.Id();
    if (w.AppendFolderRecord(&folder, false) < 0) return false;
    for (int i = 0; i < kCards; ++i) {
        std::unique_ptr<Card> card = NewEmptyCard(w, folderId);
        card->Record().SetName(u"Account number " + Num(i));
        const char16_t* names[] = {u"Bank", u"Account holder", u"Account number", u"Sort code", u"Web address",
                                   u"User name", u"Password", u"Notes"};
        const uint16_t types[] = {FT_TEXT, FT_TEXT, FT_TEXT, FT_TEXT, FT_URL, FT_TEXT, FT_PASSWORD, FT_TEXT};
        for (int f = 0; f < 8; ++f) {
            Field* field = card->AddField(types[f]);
            field->SetName(names[f]);
            field->SetValue(u"Value of " + std::u16string(names[f]) + u" for card " + Num(i) +
                            u" with some ordinary words in it");
        }
        Field* date = card->AddField(FT_DATE);
        date->SetName(u"Opened on");
        SystemTime t;
        t.year = static_cast<uint16_t>(1990 + i % 30);
        t.month = static_cast<uint16_t>(1 + i % 12);
        t.day = static_cast<uint16_t>(1 + i % 28);
        date->SetDateTime(t);
        if (w.AppendCard(card.get(), false) < 0) return false;
    }
    return w.Close(true) == kCloseOk;
}

template <typename F>
double Best(int rounds, F&& f) {
    double best = 1e9;
    for (int r = 0; r < rounds; ++r) {
        const double t0 = BenchSeconds();
        f();
        const double t = BenchSeconds() - t0;
        if (t < best) best = t;
    }
    return best;
}

int RunFindBench() {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tl5-find-bench";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::u16string path = Utf8ToUtf16((dir / "bench.tl5").string());
    const std::u16string password = u"bench-pass";
    const double tBuild0 = BenchSeconds();
    if (!BuildWallet(path, password)) {
        std::printf("   building the wallet failed\n");
        return 1;
    }
    const double tBuild = BenchSeconds() - tBuild0;
    const uint64_t size = std::filesystem::file_size(dir / "bench.tl5");

    std::string bytes;
    const double tRead = Best(5, [&] { ReadWholeFile(OsFileSystem(), path, &bytes, 1ull << 32); });
    const double tOpen = Best(5, [&] {
        Wallet w;
        w.Open(path, &password, true);
        w.Close(false);
    });
    Wallet w;
    if (w.Open(path, &password, true) != kOpenOk) return 1;
    int none = -1, some = -1, names = -1;
    const double tNone = Best(5, [&] { none = FindCards(w, u"no such text anywhere", false); });
    const double tNames = Best(5, [&] { names = FindCards(w, u"no such text anywhere", true); });
    const double tSome = Best(5, [&] { some = FindCards(w, u"CARD 9999 WITH", false); });
    w.Close(false);
    std::filesystem::remove_all(dir);

    std::printf("   %d cards, %.1f MB, built in %.2f s\n", kCards, size / 1048576.0, tBuild);
    std::printf("   read the file %.1f ms, open (all records) %.1f ms\n", tRead * 1e3, tOpen * 1e3);
    std::printf("   find, no match (every body) %.1f ms = %.2fx open, %.2fx read\n", tNone * 1e3, tNone / tOpen,
                tNone / tRead);
    std::printf("   find with field names, no match %.1f ms = %.2fx open\n", tNames * 1e3, tNames / tOpen);
    std::printf("   find, one match near the end %.1f ms (%d result)\n", tSome * 1e3, some);
    if (none != 0 || names != 0 || some != 1) {
        std::printf("   unexpected result counts %d %d %d\n", none, names, some);
        return 1;
    }
    if (tNone > 4 * tOpen) {
        std::printf("   find is slower than 4x opening the wallet\n");
        return 1;
    }
    return 0;
}

}  // namespace

TL5_BENCH("find", "find over 10,000 cards against opening the wallet", RunFindBench);
