// Wallet open: the fixed blocks, the password check and the record walk of any file, then every live
// card read with its body and a find over the bodies. Opening never changes the file, never allocates
// more than the file holds (beyond the item table's fixed start), and a failed open leaves nothing open.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/Card.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/MemoryFile.h"

namespace {
const std::u16string kPath = u"/mem/fuzz.tl5";
// The password of the seed wallets (fuzz/seeds/WalletSeeds.cpp).
const std::u16string kPassword = u"fuzz pass";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Protected wallets are the envelope target's: opening one here would run Argon2 at whatever cost a
    // mutated header names, seconds per input.
    if (tl5::HasEnvelopeMagic(data, size)) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tl5::MemoryFileSystem fs;
    fs.SetContents(kPath, bytes);
    {
        tl5::Wallet probe(fs);
        probe.Probe(kPath, nullptr);  // without a password: only a wallet without one opens
    }
    tl5::Wallet w(fs);
    const int rc = w.Open(kPath, &kPassword, true);
    if (rc != tl5::kOpenOk && rc != tl5::kOpenBadRecord && rc != tl5::kOpenNoMemory) {
        if (w.IsOpen() || w.ItemCount() != 0) std::abort();
    }
    if (w.ItemCount() * tl5::ItemRecord::kSize > size) std::abort();
    for (size_t k = 0; k < w.ItemCount(); ++k) {
        const tl5::ItemRecord& r = w.ItemAt(k);
        r.Name();
        if (r.CustomIconBytes().size() > size) std::abort();
        if (r.Kind() != tl5::kItemKindCard) continue;
        std::unique_ptr<tl5::Card> card = w.LoadCard(k);
        if (card && card->FieldCount() * 2 > size) std::abort();
    }
    // Find reads every card body again, in its own way.
    if (w.IsOpen()) {
        tl5::FindCards(w, u"va", true);
        if (tl5::FindResultCount(w) > static_cast<int>(w.ItemCount())) std::abort();
    }
    w.Close(false);
    // A read-only open and a close without saving leave the bytes as they were.
    if (fs.Contents(kPath) != bytes) std::abort();
    return 0;
}
