#include "model/ModernCrypto.h"

#include <gcrypt.h>

#include "platform/SecureZero.h"

namespace tl5 {

namespace {

// 1.10 is the first release with Argon2.
bool LibraryReady() {
    static const bool ready = [] {
        if (!gcry_check_version("1.10.0")) return false;
        // No secure memory pool: keys live in our own buffers, which are wiped when released.
        gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
        gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
        return true;
    }();
    return ready;
}

class GcmHandle {
public:
    GcmHandle() {
        if (gcry_cipher_open(&h_, GCRY_CIPHER_AES256, GCRY_CIPHER_MODE_GCM, 0) != 0) h_ = nullptr;
    }
    ~GcmHandle() {
        if (h_) gcry_cipher_close(h_);  // the library wipes its key schedule here
    }
    GcmHandle(const GcmHandle&) = delete;
    GcmHandle& operator=(const GcmHandle&) = delete;
    gcry_cipher_hd_t get() const { return h_; }

    bool Start(const uint8_t* key, const uint8_t* nonce, const void* associated, size_t associatedSize) {
        return h_ && gcry_cipher_setkey(h_, key, kAesGcmKeySize) == 0 &&
               gcry_cipher_setiv(h_, nonce, kAesGcmNonceSize) == 0 &&
               (associatedSize == 0 || gcry_cipher_authenticate(h_, associated, associatedSize) == 0);
    }

private:
    gcry_cipher_hd_t h_ = nullptr;
};

}  // namespace

int Argon2id(const Argon2idInput& in, uint8_t* out, size_t outSize) {
    if (!LibraryReady()) return kCryptoUnavailable;
    if (!out || outSize == 0 || (!in.password && in.passwordSize) || !in.salt) return kCryptoFailed;
    unsigned long params[4] = {static_cast<unsigned long>(outSize), in.passes, in.memoryKiB, in.lanes};
    gcry_kdf_hd_t hd = nullptr;
    if (gcry_kdf_open(&hd, GCRY_KDF_ARGON2, GCRY_KDF_ARGON2ID, params, 4, in.password, in.passwordSize, in.salt,
                      in.saltSize, in.secret, in.secretSize, in.associated, in.associatedSize) != 0)
        return kCryptoFailed;
    const bool ok = gcry_kdf_compute(hd, nullptr) == 0 && gcry_kdf_final(hd, outSize, out) == 0;
    gcry_kdf_close(hd);
    if (!ok) SecureZero(out, outSize);
    return ok ? kCryptoOk : kCryptoFailed;
}

int AesGcmSeal(const uint8_t key[kAesGcmKeySize], const uint8_t nonce[kAesGcmNonceSize], const void* associated,
               size_t associatedSize, const uint8_t* in, uint8_t* out, size_t size, uint8_t tag[kAesGcmTagSize]) {
    if (!LibraryReady()) return kCryptoUnavailable;
    GcmHandle h;
    if (!h.Start(key, nonce, associated, associatedSize)) return kCryptoFailed;
    gcry_cipher_final(h.get());
    if (size && gcry_cipher_encrypt(h.get(), out, size, in, size) != 0) return kCryptoFailed;
    if (gcry_cipher_gettag(h.get(), tag, kAesGcmTagSize) != 0) return kCryptoFailed;
    return kCryptoOk;
}

int AesGcmOpen(const uint8_t key[kAesGcmKeySize], const uint8_t nonce[kAesGcmNonceSize], const void* associated,
               size_t associatedSize, const uint8_t* in, uint8_t* out, size_t size, const uint8_t tag[kAesGcmTagSize]) {
    if (!LibraryReady()) return kCryptoUnavailable;
    GcmHandle h;
    if (!h.Start(key, nonce, associated, associatedSize)) return kCryptoFailed;
    gcry_cipher_final(h.get());
    if (size && gcry_cipher_decrypt(h.get(), out, size, in, size) != 0) {
        SecureZero(out, size);
        return kCryptoFailed;
    }
    const gcry_error_t e = gcry_cipher_checktag(h.get(), tag, kAesGcmTagSize);
    if (e != 0) {
        SecureZero(out, size);
        return gcry_err_code(e) == GPG_ERR_CHECKSUM ? kCryptoBadTag : kCryptoFailed;
    }
    return kCryptoOk;
}

}  // namespace tl5
