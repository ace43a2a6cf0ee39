// The key derivation and the authenticated cipher of protected wallets: Argon2id (RFC 9106) and
// AES-256-GCM, both from libgcrypt, so the Linux tool and the Windows application share one
// implementation. The library is initialised on first use.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tl5 {

constexpr size_t kAesGcmKeySize = 32;
constexpr size_t kAesGcmNonceSize = 12;
constexpr size_t kAesGcmTagSize = 16;

enum CryptoResult : int {
    kCryptoOk = 0,
    kCryptoUnavailable = 1,  // the library could not be initialised or lacks the algorithm
    kCryptoFailed = 2,       // the library refused the parameters or ran out of memory
    kCryptoBadTag = 3,       // authentication failed: wrong key, or the data or associated data changed
};

struct Argon2idInput {
    const void* password = nullptr;
    size_t passwordSize = 0;
    const void* salt = nullptr;
    size_t saltSize = 0;
    const void* secret = nullptr;  // optional (K in RFC 9106)
    size_t secretSize = 0;
    const void* associated = nullptr;  // optional (X in RFC 9106)
    size_t associatedSize = 0;
    uint32_t memoryKiB = 0;
    uint32_t passes = 0;
    uint32_t lanes = 0;
};

// Derives outSize bytes. The caller bounds the cost parameters; this only passes them on.
[[nodiscard]] int Argon2id(const Argon2idInput& in, uint8_t* out, size_t outSize);

// Encrypts size bytes from `in` to `out` (may be the same buffer) and writes the 16-byte tag.
[[nodiscard]] int AesGcmSeal(const uint8_t key[kAesGcmKeySize], const uint8_t nonce[kAesGcmNonceSize],
                             const void* associated, size_t associatedSize, const uint8_t* in, uint8_t* out,
                             size_t size, uint8_t tag[kAesGcmTagSize]);
// Decrypts and checks the tag. On any failure `out` is wiped, so nothing unauthenticated is left.
[[nodiscard]] int AesGcmOpen(const uint8_t key[kAesGcmKeySize], const uint8_t nonce[kAesGcmNonceSize],
                             const void* associated, size_t associatedSize, const uint8_t* in, uint8_t* out,
                             size_t size, const uint8_t tag[kAesGcmTagSize]);

}  // namespace tl5
