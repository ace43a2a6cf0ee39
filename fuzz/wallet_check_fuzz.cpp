// The wallet check (tl5 check) on a whole file: any file that opens with the seed password is walked
// record by record and every problem is reported; nothing crashes, hangs or changes the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/Wallet.h"
#include "model/WalletCheck.h"
#include "platform/MemoryFile.h"

namespace {
const std::u16string kPath = u"/mem/fuzz.tl5";
const std::u16string kPassword = u"fuzz pass";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Protected wallets are the envelope target's: opening one here would run Argon2 at whatever cost a
    // mutated header names, seconds per input.
    if (tl5::HasEnvelopeMagic(data, size)) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tl5::MemoryFileSystem fs;
    fs.SetContents(kPath, bytes);
    tl5::Wallet w(fs);
    if (w.Probe(kPath, &kPassword) != tl5::kOpenOk) return 0;
    tl5::WalletCheckReport report;
    tl5::CheckWalletRecords(*w.FileHandle(), *w.RecordKey(), &report);
    // Each record is at least 748 bytes: the counts cannot exceed what the file holds.
    if ((report.liveRecords + report.tombstones) * tl5::ItemRecord::kSize > size) std::abort();
    for (const tl5::WalletProblem& p : report.problems)
        if (p.offset > size || p.what.empty()) std::abort();
    w.Close(false);
    if (fs.Contents(kPath) != bytes) std::abort();
    return 0;
}
