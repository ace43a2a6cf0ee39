// Wallet saving on a damaged file: any file that opens with the seed password is changed the way a
// user changes a wallet (a rename in place, a changed card moved to the end, a card deleted, a new
// folder, changed settings saved at close). Nothing crashes or hangs, and a wallet that passed the
// check before the saves still passes it after them and opens with every change in place.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/Card.h"
#include "model/Wallet.h"
#include "model/WalletCheck.h"
#include "platform/MemoryFile.h"

namespace {

const std::u16string kPath = u"/mem/fuzz.tl5";
const std::u16string kPassword = u"fuzz pass";  // the password of the seed wallets

bool PassesCheck(tl5::FileSystem& fs) {
    tl5::Wallet w(fs);
    if (w.Probe(kPath, &kPassword) != tl5::kOpenOk) return false;
    tl5::WalletCheckReport report;
    tl5::CheckWalletRecords(*w.FileHandle(), *w.RecordKey(), &report);
    return report.problems.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tl5::MemoryFileSystem fs;
    fs.SetContents(kPath, bytes);
    const bool soundBefore = PassesCheck(fs);
    // Which items the changes pick: from the input's last byte, so the fuzzer steers it too.
    const size_t pick = size ? data[size - 1] : 0;
    tl5::ItemId renamed, changed, deleted, added;
    bool closed = false;
    bool periodSet = false;
    {
        tl5::Wallet w(fs);
        const int rc = w.Open(kPath, &kPassword, false);
        if (rc != tl5::kOpenOk) {
            if (soundBefore) std::abort();  // a wallet that passes the check opens
            return 0;
        }
        const size_t n = w.ItemCount();
        size_t cards = 0;
        for (size_t k = 0; k < n; ++k) cards += w.ItemAt(k).Kind() == tl5::kItemKindCard;
        if (n > 0) {
            tl5::ItemRecord r = w.ItemAt((pick + 1) % n);
            r.SetName(u"Renamed by the fuzzer");
            if (w.RewriteRecordInPlace(r) == 1) renamed = r.Id();
        }
        // A card changed and saved (moved to the end), and another one deleted.
        size_t seen = 0;
        for (size_t k = 0; k < n && cards > 0; ++k) {
            const tl5::ItemRecord& r = w.ItemAt(k);
            if (r.Kind() != tl5::kItemKindCard || r.IsDeleted()) continue;
            const size_t which = seen++;
            if (which == pick % cards && changed.IsNull()) {
                std::unique_ptr<tl5::Card> card = w.LoadCard(r.Id());
                if (!card) continue;
                if (tl5::Field* f = card->AddField(1)) {
                    f->SetName(u"added");
                    f->SetValue(u"by the fuzzer");
                }
                const tl5::ItemId id = r.Id();
                if (w.ReplaceCard(card.get(), false) >= 0) changed = id;
            } else if (which == (pick / 2 + 1) % cards && deleted.IsNull() && r.Id() != changed && r.Id() != renamed) {
                const tl5::ItemId id = r.Id();
                if (w.MarkDeletedInFile(id) == 1) deleted = id;
            }
        }
        tl5::ItemRecord folder;
        folder.SetKey(w.RecordKey());
        folder.CreateAsFolder(tl5::ItemId());
        folder.SetName(u"Added by the fuzzer");
        if (w.AppendFolderRecord(&folder, true) >= 0) added = folder.Id();
        // Only the periods the dialog offers are taken; another one leaves the stored period alone.
        periodSet = w.Settings().SetAutoCloseMinutes(static_cast<uint32_t>(pick % 60));
        closed = w.Close(true) == tl5::kCloseOk;
    }
    if (fs.Exists(tl5::JournalPathFor(kPath))) std::abort();  // every save finished or rolled back
    if (!soundBefore) return 0;
    if (!PassesCheck(fs)) std::abort();
    tl5::Wallet w(fs);
    if (w.Open(kPath, &kPassword, true) != tl5::kOpenOk) std::abort();
    auto has = [&](const tl5::ItemId& id) { return w.IndexOf(id) >= 0; };
    if (!renamed.IsNull() && (!has(renamed) || w.ItemAt(w.IndexOf(renamed)).Name() != u"Renamed by the fuzzer"))
        std::abort();
    if (!changed.IsNull() && !has(changed)) std::abort();
    if (!deleted.IsNull() && has(deleted)) std::abort();
    if (!added.IsNull() && !has(added)) std::abort();
    if (closed && periodSet && w.Settings().AutoCloseMinutes() != pick % 60) std::abort();
    return 0;
}
