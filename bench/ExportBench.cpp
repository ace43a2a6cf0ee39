// Text export of a wallet of 10,000 cards against reading the file: the export (with the wallet
// open) must stay within 5x of reading every record and card body of the file.
#include <cstdio>
#include <filesystem>
#include <string>

#include "Bench.h"
#include "exchange/TextExport.h"
#include "model/Card.h"
#include "model/CardBody.h"
#include "model/RecordScanner.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/File.h"
#include "platform/Text.h"

namespace {

using namespace tl5;

constexpr int kCards = 10000;
constexpr int kFolders = 20;

std::u16string Num(int n) { return Utf8ToUtf16(std::to_string(n)); }

bool BuildWallet(const std::u16string& path, const std::u16string& password) {
    Wallet w;
    if (w.Create(path, password, u"", false) != kCreateOk) return false;
    if (w.Open(path, &password, false) != kOpenOk) return false;
    w.SetJournalEnabled(false);  // building only
    std::vector<ItemId> folders;
    for (int f = 0; f < kFolders; ++f) {
        ItemRecord folder;
        NewFolder(w, ItemId(), false, &folder);
        folder.SetName(u"Folder " + Num(f));
        folders.push_back(folder.Id());
        if (w.AppendFolderRecord(&folder, false) < 0) return false;
    }
    const char16_t* names[] = {u"Bank", u"Account holder", u"Account number", u"Sort code", u"Web address",
                               u"User name", u"Password", u"Notes"};
    const uint16_t types[] = {FT_TEXT, FT_TEXT, FT_TEXT, FT_TEXT, FT_URL, FT_TEXT, FT_PASSWORD, FT_TEXT};
    for (int i = 0; i < kCards; ++i) {
        std::unique_ptr<Card> card = NewEmptyCard(w, folders[i % kFolders]);
        card->Record().SetName(u"Account " + Num(i));
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

int RunExportBench() {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tl5-export-bench";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::u16string path = Utf8ToUtf16((dir / "bench.tl5").string());
    const std::u16string password = u"bench-pass";
    if (!BuildWallet(path, password)) {
        std::printf("   building the wallet failed\n");
        return 1;
    }
    const uint64_t size = std::filesystem::file_size(dir / "bench.tl5");

    Wallet wallet;
    if (wallet.Open(path, &password, true) != kOpenOk) return 1;

    // Reading the file: every record and every card body, decrypted into cards.
    int readCards = 0;
    const double tRead = Best(5, [&] {
        readCards = 0;
        RecordScanner scanner(*wallet.FileHandle(), 4980);
        ItemRecord r;
        std::vector<uint8_t> body;
        while (scanner.Next(&r, false) == kBlockOk) {
            if (r.Kind() != kItemKindCard || r.IsDeleted()) continue;
            if (scanner.ReadBody(&body) != kBlockOk) continue;
            r.SetKey(wallet.RecordKey());
            Card card(r);
            if (ParseCardBody(card, body.data(), body.size(), *wallet.RecordKey()) == kCardOk) ++readCards;
        }
    });
    // Reading the file's bytes alone, for scale.
    const double tBytes = Best(5, [&] {
        std::string bytes;
        ReadWholeFile(OsFileSystem(), path, &bytes, 1ull << 32);
    });

    ExportRequest request;
    request.outputFolder = Utf8ToUtf16((dir / "out").string());
    TextExportSummary summary;
    bool ok = true;
    const double tExport = Best(5, [&] { ok = ok && ExportText(wallet, request, -1, &summary); });
    wallet.Close(false);
    const uint64_t textSize = ok ? std::filesystem::file_size(std::filesystem::path(Utf16ToUtf8(summary.path))) : 0;
    const double ratio = tExport / tRead;
    std::printf("   wallet %d cards in %d folders, %.1f MB; text file %.1f MB\n", kCards, kFolders, size / 1e6,
                textSize / 1e6);
    std::printf("   read every record and body: %.1f ms (%d cards); read the bytes only: %.1f ms\n", tRead * 1e3,
                readCards, tBytes * 1e3);
    std::printf("   text export: %.1f ms (%d cards) = %.2fx reading the file (limit 5x)\n", tExport * 1e3, summary.cards,
                ratio);
    std::filesystem::remove_all(dir);
    return ok && summary.cards == kCards && readCards == kCards && ratio <= 5.0 ? 0 : 1;
}

}  // namespace

TL5_BENCH("export", "text export of 10,000 cards within 5x of reading the file", RunExportBench);
