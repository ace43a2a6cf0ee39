#include "model/WalletProtection.h"

#include "model/Wallet.h"
#include "platform/MemoryFile.h"
#include "platform/SecureZero.h"

namespace tl5 {

int OpenResultFromEnvelope(int envelopeResult) {
    switch (envelopeResult) {
        case kEnvelopeOk: return kOpenOk;
        case kEnvelopeWrongPasswordOrDamaged: return kOpenWrongPasswordOrDamaged;
        case kEnvelopeUnsupported: return kOpenBadVersion;
        case kEnvelopeNoMemory: return kOpenNoMemory;
        case kEnvelopeDamaged: return kOpenDamaged;
        default: return kOpenCannotOpen;
    }
}

int CheckWalletPassword(FileSystem& fs, const std::u16string& path, std::u16string_view password) {
    std::u16string given(password);
    Wallet wallet(fs);
    const int rc = wallet.Probe(path, &given);
    SecureZero(given);
    return rc;
}

int CreateProtectedWallet(FileSystem& fs, const std::u16string& path, std::u16string_view password,
                          std::u16string_view hint, bool sampleFolder, const EnvelopeParams& params) {
    std::string plain;
    int rc = kCreateOk;
    {
        MemoryFileSystem memory;  // the classic wallet exists only here
        Wallet classic(memory);
        rc = classic.Create(path, password, hint, sampleFolder);
        if (rc != kCreateOk) return rc;
        plain = memory.Contents(path);
    }
    if (fs.Exists(path)) {
        SecureZero(plain);
        return kCreateExists;
    }
    EnvelopeKey key;
    std::string sealed;
    const bool ok = DeriveEnvelopeKey(password, params, nullptr, &key) == kEnvelopeOk &&
                    SealEnvelope(key, reinterpret_cast<const uint8_t*>(plain.data()), plain.size(), &sealed) == kEnvelopeOk;
    SecureZero(plain);
    if (!ok) return kCreateHeaderInitFailed;
    // As a classic create: the name is taken exclusively, and a file that could not be completed is
    // removed again.
    std::unique_ptr<File> file;
    rc = fs.Open(path, FileMode::CreateNew, FileShare::None, &file);
    if (rc == kFileExists) return kCreateExists;
    if (rc != kFileOk) return kCreateCannotCreate;
    size_t put = 0;
    const bool written = file->WriteAt(0, sealed.data(), sealed.size(), &put) && put == sealed.size() && file->Flush();
    file.reset();
    if (!written || !fs.FlushFolder(path)) {
        fs.Remove(path);
        return kCreateCannotCreate;
    }
    return kCreateOk;
}

int ProtectWallet(FileSystem& fs, const std::u16string& path, std::u16string_view password,
                  const EnvelopeParams& params, int* openResult) {
    *openResult = kOpenOk;
    WalletProtection protection = WalletProtection::Classic;
    (void)ProbeEnvelopeFile(fs, path, &protection, nullptr);
    if (protection == WalletProtection::Modern) return kProtectAlready;
    {
        // The probe checks the password and rolls back an interrupted save first.
        Wallet wallet(fs);
        const std::u16string given(password);
        *openResult = wallet.Probe(path, &given);
        if (*openResult != kOpenOk) return kProtectCannotOpen;
        if (!wallet.Header().IsPasswordSet()) return kProtectNoPassword;
    }
    std::string plain;
    if (!ReadWholeFile(fs, path, &plain, kEnvelopeMaxPayload)) {
        *openResult = kOpenCannotOpen;
        return kProtectCannotOpen;
    }
    EnvelopeKey key;
    int rc = DeriveEnvelopeKey(password, params, nullptr, &key);
    if (rc == kEnvelopeOk) rc = WriteEnvelopeFile(fs, path, key, reinterpret_cast<const uint8_t*>(plain.data()), plain.size());
    SecureZero(plain);
    if (rc == kEnvelopeOk) return kProtectOk;
    return rc == kEnvelopeCannotWrite ? kProtectCannotWrite : kProtectFailed;
}

int UnprotectWallet(FileSystem& fs, const std::u16string& path, std::u16string_view password, int* openResult) {
    *openResult = kOpenOk;
    WalletProtection protection = WalletProtection::Classic;
    const int probed = ProbeEnvelopeFile(fs, path, &protection, nullptr);
    if (protection == WalletProtection::Classic) {
        if (probed == kEnvelopeCannotRead) {
            *openResult = kOpenCannotOpen;
            return kProtectCannotOpen;
        }
        return kProtectNotProtected;
    }
    EnvelopeKey key;
    SecretBytes plain;
    *openResult = OpenResultFromEnvelope(ReadEnvelopeFile(fs, path, password, &key, &plain));
    if (*openResult != kOpenOk) return kProtectCannotOpen;
    {
        // The classic wallet inside must open with the same password before it replaces the envelope.
        MemoryFileSystem memory;
        std::string copy(reinterpret_cast<const char*>(plain.data()), plain.size());
        memory.SetContents(path, copy);
        SecureZero(copy);
        Wallet classic(memory);
        const std::u16string given(password);
        *openResult = classic.Probe(path, &given);
        if (*openResult != kOpenOk) return kProtectCannotOpen;
    }
    const int rc = ReplaceFileAtomically(fs, path, plain.data(), plain.size());
    return rc == kEnvelopeOk ? kProtectOk : kProtectCannotWrite;
}

}  // namespace tl5
