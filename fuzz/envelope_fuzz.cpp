// The envelope reader of protected wallets: the clear header of any file, the probe of the open flow,
// and the decryption with the seeds' key (derived once: a per-input Argon2 would make fuzzing crawl,
// and a header's costs are bounded by the parser). Whatever the bytes, nothing is opened that does not
// authenticate, nothing unauthenticated is left in the output, and the file is never changed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/EnvelopeFuzzKey.h"
#include "model/Wallet.h"
#include "model/WalletEnvelope.h"
#include "platform/MemoryFile.h"

namespace {
const std::u16string kPath = u"/mem/fuzz.tl5";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tl5::EnvelopeKey* key = [] {
        auto* k = new tl5::EnvelopeKey();
        if (!tl5fuzz::DeriveEnvelopeSeedKey(k)) std::abort();
        return k;
    }();
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    tl5::EnvelopeHeader header;
    const int parsed = tl5::ParseEnvelopeHeader(data, size, size, &header);
    if (parsed == tl5::kEnvelopeOk) {
        if (!tl5::ValidEnvelopeParams(header.params) || header.payloadSize + tl5::kEnvelopeOverhead != size) std::abort();
    }

    // The open flow's probe without a password never derives a key and never opens a protected wallet.
    tl5::MemoryFileSystem fs;
    fs.SetContents(kPath, bytes);
    {
        tl5::Wallet probe(fs);
        const int rc = probe.Probe(kPath, nullptr);
        if (tl5::HasEnvelopeMagic(data, size) && rc == tl5::kOpenOk) std::abort();
        tl5::WalletProtection protection;
        tl5::EnvelopeParams params;
        (void)tl5::ProbeEnvelopeFile(fs, kPath, &protection, &params);
        if ((protection == tl5::WalletProtection::Modern) != tl5::HasEnvelopeMagic(data, size)) std::abort();
    }

    tl5::SecretBytes plain;
    const int opened = tl5::OpenEnvelope(data, size, *key, &plain);
    if (opened == tl5::kEnvelopeOk) {
        if (parsed != tl5::kEnvelopeOk || plain.size() != header.payloadSize) std::abort();
        // An authentic envelope hands its wallet to the classic open, as the wallet does.
        tl5::MemoryFileSystem inner;
        inner.SetContents(kPath, std::string(reinterpret_cast<const char*>(plain.data()), plain.size()));
        tl5::Wallet w(inner);
        w.Open(kPath, &tl5fuzz::kEnvelopePassword, true);
        w.Close(false);
    } else if (plain.size() != 0) {
        std::abort();
    }
    if (fs.Contents(kPath) != bytes) std::abort();
    return 0;
}
