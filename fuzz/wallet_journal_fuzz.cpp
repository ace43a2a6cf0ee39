// Rollback journals found beside a wallet at open: any journal is either dropped as incomplete or
// rolled back, and the wallet never grows beyond what the journal and the wallet hold together.
//
// The input is the journal's original length (8 bytes), range offset (8) and range bytes; the
// target adds the mark, the range length and the check digest, so that the fuzzer reaches the
// rollback itself (a hostile journal can carry a correct digest as easily). The input as it stands is
// tried as a whole journal as well.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "model/Md5.h"
#include "model/Wallet.h"
#include "model/WalletJournal.h"
#include "platform/MemoryFile.h"

namespace {

const std::u16string kPath = u"/mem/fuzz.tl5";

std::string Wallet() { return std::string(8192, '\x5a'); }

void Try(const std::string& journal) {
    tl5::MemoryFileSystem fs;
    const std::string wallet = Wallet();
    fs.SetContents(kPath, wallet);
    fs.SetContents(tl5::JournalPathFor(kPath), journal);
    tl5::WalletJournal::Recover(fs, kPath);
    const std::string after = fs.Contents(kPath);
    if (after.size() > wallet.size() + journal.size()) std::abort();
    // Opening goes through the same recovery and must not crash either.
    fs.SetContents(tl5::JournalPathFor(kPath), journal);
    fs.SetContents(kPath, wallet);
    tl5::Wallet w(fs);
    w.Open(kPath, nullptr, true);
}

void Put64(char* p, uint64_t v) {
    for (int i = 0; i < 8; ++i) p[i] = static_cast<char>(v >> (8 * i));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Try(std::string(reinterpret_cast<const char*>(data), size));
    if (size < 16) return 0;
    std::string journal(32, '\0');
    std::memcpy(&journal[0], "TL5JRNL1", 8);
    std::memcpy(&journal[8], data, 16);
    Put64(&journal[24], size - 16);
    journal.append(reinterpret_cast<const char*>(data) + 16, size - 16);
    uint8_t digest[16];
    tl5::Md5Digest(journal.data(), journal.size(), digest);
    journal.append(reinterpret_cast<const char*>(digest), 16);
    Try(journal);
    return 0;
}
