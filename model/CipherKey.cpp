#include "model/CipherKey.h"

#include <cstring>

#include "model/Md5.h"
#include "platform/SecureZero.h"

namespace tl5 {

CipherKey::CipherKey(const CipherKey& other) { *this = other; }

CipherKey& CipherKey::operator=(const CipherKey& other) {
    if (this != &other) {
        keyed_ = other.keyed_;
        std::memcpy(key_, other.key_, sizeof key_);
        scheduled_ = other.scheduled_;
        afterPrefix_ = other.afterPrefix_;
        std::memcpy(prefix_, other.prefix_, sizeof prefix_);
    }
    return *this;
}

void CipherKey::Clear() {
    keyed_ = 0;
    SecureZero(key_, sizeof key_);
    SecureZero(&scheduled_, sizeof scheduled_);
    SecureZero(&afterPrefix_, sizeof afterPrefix_);
    SecureZero(prefix_, sizeof prefix_);
}

bool CipherKey::SetKey(const uint8_t* key) {
    if (!key) {
        Clear();
        return false;
    }
    if (key != key_) std::memcpy(key_, key, kKeySize);
    Rc4Schedule(&scheduled_, key_, kKeySize);
    afterPrefix_ = scheduled_;
    Rc4Keystream(&afterPrefix_, prefix_, kPrefixSize);
    keyed_ = 1;
    return true;
}

bool CipherKey::SetKeyFromText(const char16_t* text) {
    if (!text) return false;
    return SetKeyFromText(std::u16string_view(text));
}

bool CipherKey::SetKeyFromText(std::u16string_view text) {
    if (text.size() < 8) return false;
    uint8_t bytes[16];
    for (size_t k = 0; k < 8; ++k) {
        bytes[2 * k] = static_cast<uint8_t>(text[k]);
        bytes[2 * k + 1] = static_cast<uint8_t>(text[k] >> 8);
    }
    uint8_t digest[16];
    Md5Digest(bytes, sizeof bytes, digest);
    const bool ok = SetKey(digest);
    SecureZero(bytes, sizeof bytes);
    SecureZero(digest, sizeof digest);
    return ok;
}

namespace {

// out = in XOR keystream, eight bytes at a time (in and out are the same buffer or do not overlap).
void XorBytes(const uint8_t* in, const uint8_t* keystream, size_t size, uint8_t* out) {
    size_t n = 0;
    for (; n + 8 <= size; n += 8) {
        uint64_t a, k;
        std::memcpy(&a, in + n, 8);
        std::memcpy(&k, keystream + n, 8);
        a ^= k;
        std::memcpy(out + n, &a, 8);
    }
    for (; n < size; ++n) out[n] = in[n] ^ keystream[n];
}

}  // namespace

bool CipherKey::DecryptPart(const void* src, size_t from, size_t size, void* dst) const {
    if (!keyed_ || from > kPrefixSize || size > kPrefixSize - from) return false;
    XorBytes(static_cast<const uint8_t*>(src), prefix_ + from, size, static_cast<uint8_t*>(dst));
    return true;
}

bool CipherKey::Encrypt(const void* src, size_t size, void* dst) const {
    if (!keyed_) return false;
    const uint8_t* in = static_cast<const uint8_t*>(src);
    uint8_t* out = static_cast<uint8_t*>(dst);
    const size_t head = size < kPrefixSize ? size : kPrefixSize;
    XorBytes(in, prefix_, head, out);
    if (size > kPrefixSize) {
        Rc4State state = afterPrefix_;
        Rc4Crypt(&state, in + kPrefixSize, out + kPrefixSize, size - kPrefixSize);
        SecureZero(&state, sizeof state);
    }
    return true;
}

bool IsValidPassword(std::u16string_view password) {
    return password.size() >= kPasswordMinLength && password.size() <= kPasswordMaxLength;
}

bool IsValidNewWalletPassword(std::u16string_view password) {
    return password.size() >= kPasswordMinLength && password.size() <= kNewWalletPasswordMaxLength;
}

void HeaderKeySeed(const SystemTime& t, uint8_t seed[8]) {
    seed[0] = static_cast<uint8_t>(t.day + kHeaderKeyC1);
    seed[1] = static_cast<uint8_t>(t.second + t.day);
    seed[2] = static_cast<uint8_t>(t.dayOfWeek + t.second);
    seed[3] = static_cast<uint8_t>(t.minute + t.second);
    seed[4] = static_cast<uint8_t>(t.year);
    seed[5] = static_cast<uint8_t>(t.month - t.day + kHeaderKeyC2);
    seed[6] = static_cast<uint8_t>(t.minute + t.dayOfWeek);
    seed[7] = static_cast<uint8_t>(t.second + kHeaderKeyC3);
}

bool DeriveHeaderKey(const SystemTime& keyTime, CipherKey* headerKey) {
    uint8_t seed[8];
    HeaderKeySeed(keyTime, seed);
    uint8_t digest[16];
    Md5Digest(seed, sizeof seed, digest);
    const bool ok = headerKey->SetKey(digest);
    SecureZero(seed, sizeof seed);
    SecureZero(digest, sizeof digest);
    return ok;
}

bool PasswordKeyMaterial(const CipherKey& headerKey, std::u16string_view password, uint8_t out[CipherKey::kKeySize]) {
    if (!headerKey.IsKeyed()) return false;
    Md5 md5;
    for (char16_t c : password) {
        const uint8_t b[2] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8)};
        md5.Update(b, 2);
    }
    uint8_t digest[16];
    md5.Final(digest);
    headerKey.Encrypt(digest, sizeof digest, out);
    SecureZero(digest, sizeof digest);
    return true;
}

}  // namespace tl5
