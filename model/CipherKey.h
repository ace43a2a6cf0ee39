// CipherKey: a 16-byte RC4 key with its precomputed state.
//
// Every encrypted piece (one name, one value, one file) starts the keystream afresh, so a piece can be
// decrypted on its own and the same key XORs every piece with the same keystream prefix. The key keeps
// the scheduled state and the first bytes of that keystream, so a piece costs only the XOR (plus the
// generator for bytes past the cached prefix) and never a new key schedule; the output is byte for byte
// the same as scheduling the key anew for every piece.
//
// Also here: the HeaderKey derivation from the key time stamp, the key material K(P) of a password,
// and the password length rules.
//
// The wallet file as a whole, with a worked example: docs/wallet-format.md.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/Rc4.h"
#include "platform/LocalTime.h"

namespace tl5 {

class CipherKey {
public:
    static constexpr size_t kKeySize = 16;
    // Bytes of keystream kept ready; names and header slots (at most 512 bytes) fit.
    static constexpr size_t kPrefixSize = 1024;

    CipherKey() = default;
    ~CipherKey() { Clear(); }
    CipherKey(const CipherKey& other);
    CipherKey& operator=(const CipherKey& other);

    // keyed = 0; key, state and keystream zeroed.
    void Clear();
    // Stores the key and builds the state; a null key clears the context and fails.
    bool SetKey(const uint8_t* key);
    // The key is the MD5 digest of the first 16 bytes of the UTF-16LE text (its first 8 characters).
    // Refused, leaving the context unchanged, for a null text or one shorter than 8 characters.
    bool SetKeyFromText(const char16_t* text);
    bool SetKeyFromText(std::u16string_view text);

    bool IsKeyed() const { return keyed_ != 0; }
    const uint8_t* Key() const { return key_; }

    // XOR with the keystream started afresh; src and dst may be the same. False (nothing written) when
    // the context is not keyed.
    bool Encrypt(const void* src, size_t size, void* dst) const;
    bool Decrypt(const void* src, size_t size, void* dst) const { return Encrypt(src, size, dst); }
    // Bytes [from, from + size) of a piece on their own: XOR with that part of the keystream, which
    // must lie within its first kPrefixSize bytes (false, nothing written, otherwise).
    bool DecryptPart(const void* src, size_t from, size_t size, void* dst) const;

private:
    uint32_t keyed_ = 0;
    uint8_t key_[kKeySize] = {};
    Rc4State scheduled_;         // the state right after the key schedule
    Rc4State afterPrefix_;       // the state after kPrefixSize bytes of keystream
    uint8_t prefix_[kPrefixSize] = {};
};

// Password rules: 3 to 24 characters to check or change, 3 to 23 for a new wallet.
constexpr size_t kPasswordMinLength = 3;
constexpr size_t kPasswordMaxLength = 24;
constexpr size_t kNewWalletPasswordMaxLength = 23;
bool IsValidPassword(std::u16string_view password);
bool IsValidNewWalletPassword(std::u16string_view password);

// Constants of the HeaderKey derivation.
constexpr int kHeaderKeyC1 = 17;
constexpr int kHeaderKeyC2 = 29;
constexpr int kHeaderKeyC3 = 43;

// The eight bytes hashed into the HeaderKey, and the key itself.
void HeaderKeySeed(const SystemTime& keyTime, uint8_t seed[8]);
bool DeriveHeaderKey(const SystemTime& keyTime, CipherKey* headerKey);

// K(P): MD5 of the password's UTF-16LE bytes, encrypted under the HeaderKey. False when the HeaderKey
// is not keyed.
bool PasswordKeyMaterial(const CipherKey& headerKey, std::u16string_view password, uint8_t out[CipherKey::kKeySize]);

}  // namespace tl5
