#include "model/WalletEnvelope.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "model/LittleEndian.h"
#include "platform/Random.h"
#include "platform/SecureZero.h"

namespace tl5 {

namespace {

constexpr uint8_t kMagic[8] = {'T', 'L', '5', 'E', 'N', 'V', 'L', 'P'};
constexpr uint8_t kKdfArgon2id = 1;
constexpr uint8_t kCipherAes256Gcm = 1;

void StoreU64(uint8_t* p, uint64_t v) {
    StoreU32(p, static_cast<uint32_t>(v));
    StoreU32(p + 4, static_cast<uint32_t>(v >> 32));
}
uint64_t LoadU64(const uint8_t* p) { return LoadU32(p) | (static_cast<uint64_t>(LoadU32(p + 4)) << 32); }

bool AllZero(const uint8_t* p, size_t n) {
    for (size_t k = 0; k < n; ++k)
        if (p[k]) return false;
    return true;
}

int CryptoToEnvelope(int rc) {
    switch (rc) {
        case kCryptoOk: return kEnvelopeOk;
        case kCryptoBadTag: return kEnvelopeWrongPasswordOrDamaged;
        default: return kEnvelopeCryptoFailed;
    }
}

}  // namespace

// ---- SecretBytes and EnvelopeKey -----------------------------------------------------------------

SecretBytes::SecretBytes(SecretBytes&& other) noexcept
    : data_(std::move(other.data_)), size_(other.size_), capacity_(other.capacity_) {
    other.size_ = other.capacity_ = 0;
}

SecretBytes& SecretBytes::operator=(SecretBytes&& other) noexcept {
    if (this != &other) {
        Clear();
        data_ = std::move(other.data_);
        size_ = other.size_;
        capacity_ = other.capacity_;
        other.size_ = other.capacity_ = 0;
    }
    return *this;
}

bool SecretBytes::Allocate(size_t size) {
    Clear();
    return Resize(size, size);
}

bool SecretBytes::Resize(size_t size, size_t capacity) {
    capacity = std::max(capacity, size);
    if (capacity <= capacity_) {
        if (size > size_) std::memset(data_.get() + size_, 0, size - size_);
        else if (size < size_) SecureZero(data_.get() + size, size_ - size);
        size_ = size;
        return true;
    }
    std::unique_ptr<uint8_t[]> bigger(new (std::nothrow) uint8_t[capacity == 0 ? 1 : capacity]);
    if (!bigger) return false;
    std::memset(bigger.get(), 0, capacity);
    if (size_) std::memcpy(bigger.get(), data_.get(), std::min(size, size_));
    Clear();
    data_ = std::move(bigger);
    size_ = size;
    capacity_ = capacity;
    return true;
}

void SecretBytes::Clear() {
    if (data_) SecureZero(data_.get(), capacity_);
    data_.reset();
    size_ = capacity_ = 0;
}

void EnvelopeKey::Clear() {
    SecureZero(key, sizeof key);
    SecureZero(salt, sizeof salt);
    params = EnvelopeParams();
    set = false;
}

void EnvelopeKey::CopyFrom(const EnvelopeKey& other) {
    params = other.params;
    std::memcpy(salt, other.salt, sizeof salt);
    std::memcpy(key, other.key, sizeof key);
    set = other.set;
}

// ---- Header --------------------------------------------------------------------------------------

bool HasEnvelopeMagic(const uint8_t* bytes, size_t size) {
    return bytes && size >= sizeof kMagic && std::memcmp(bytes, kMagic, sizeof kMagic) == 0;
}

bool ValidEnvelopeParams(const EnvelopeParams& p) {
    return p.lanes >= 1 && p.lanes <= kEnvelopeMaxLanes && p.passes >= 1 && p.passes <= kEnvelopeMaxPasses &&
           p.memoryKiB >= kEnvelopeMinMemoryKiB && p.memoryKiB <= kEnvelopeMaxMemoryKiB && p.memoryKiB >= 8 * p.lanes;
}

int ParseEnvelopeHeader(const uint8_t* bytes, size_t size, uint64_t fileSize, EnvelopeHeader* header) {
    if (!HasEnvelopeMagic(bytes, size)) return kEnvelopeNotEnvelope;
    if (size < kEnvelopeHeaderSize) return kEnvelopeDamaged;
    EnvelopeHeader h;
    h.version = LoadU16(bytes + 8);
    if (h.version == 0) return kEnvelopeDamaged;
    if (h.version > kEnvelopeVersion) return kEnvelopeUnsupported;
    if (LoadU16(bytes + 10) != kEnvelopeHeaderSize || bytes[12] != kKdfArgon2id || bytes[13] != kCipherAes256Gcm ||
        !AllZero(bytes + 14, 2) || !AllZero(bytes + 28, 4) || !AllZero(bytes + 60, 4))
        return kEnvelopeDamaged;
    h.params.memoryKiB = LoadU32(bytes + 16);
    h.params.passes = LoadU32(bytes + 20);
    h.params.lanes = LoadU32(bytes + 24);
    if (!ValidEnvelopeParams(h.params)) return kEnvelopeDamaged;
    std::memcpy(h.salt, bytes + 32, kEnvelopeSaltSize);
    std::memcpy(h.nonce, bytes + 48, kAesGcmNonceSize);
    h.payloadSize = LoadU64(bytes + 64);
    if (h.payloadSize > kEnvelopeMaxPayload || fileSize != kEnvelopeOverhead + h.payloadSize) return kEnvelopeDamaged;
    if (header) *header = h;
    return kEnvelopeOk;
}

void StoreEnvelopeHeader(const EnvelopeHeader& h, uint8_t out[kEnvelopeHeaderSize]) {
    std::memset(out, 0, kEnvelopeHeaderSize);
    std::memcpy(out, kMagic, sizeof kMagic);
    StoreU16(out + 8, h.version);
    StoreU16(out + 10, static_cast<uint16_t>(kEnvelopeHeaderSize));
    out[12] = kKdfArgon2id;
    out[13] = kCipherAes256Gcm;
    StoreU32(out + 16, h.params.memoryKiB);
    StoreU32(out + 20, h.params.passes);
    StoreU32(out + 24, h.params.lanes);
    std::memcpy(out + 32, h.salt, kEnvelopeSaltSize);
    std::memcpy(out + 48, h.nonce, kAesGcmNonceSize);
    StoreU64(out + 64, h.payloadSize);
}

// ---- Key, seal, open -----------------------------------------------------------------------------

int DeriveEnvelopeKey(std::u16string_view password, const EnvelopeParams& params, const uint8_t* salt,
                      EnvelopeKey* key) {
    key->Clear();
    if (!ValidEnvelopeParams(params)) return kEnvelopeDamaged;
    if (salt) std::memcpy(key->salt, salt, kEnvelopeSaltSize);
    else if (!OsRandomBytes(key->salt, kEnvelopeSaltSize)) return kEnvelopeCryptoFailed;
    SecretBytes bytes;  // the password's UTF-16LE bytes
    if (!bytes.Allocate(password.size() * 2)) return kEnvelopeNoMemory;
    for (size_t k = 0; k < password.size(); ++k) {
        bytes.data()[2 * k] = static_cast<uint8_t>(password[k]);
        bytes.data()[2 * k + 1] = static_cast<uint8_t>(password[k] >> 8);
    }
    Argon2idInput in;
    in.password = bytes.data();
    in.passwordSize = bytes.size();
    in.salt = key->salt;
    in.saltSize = kEnvelopeSaltSize;
    in.memoryKiB = params.memoryKiB;
    in.passes = params.passes;
    in.lanes = params.lanes;
    const int rc = Argon2id(in, key->key, sizeof key->key);
    if (rc != kCryptoOk) {
        key->Clear();
        return CryptoToEnvelope(rc);
    }
    key->params = params;
    key->set = true;
    return kEnvelopeOk;
}

int OpenEnvelope(const uint8_t* file, size_t size, const EnvelopeKey& key, SecretBytes* plain) {
    plain->Clear();
    EnvelopeHeader h;
    const int rc = ParseEnvelopeHeader(file, size, size, &h);
    if (rc != kEnvelopeOk) return rc;
    if (!key.set) return kEnvelopeCryptoFailed;
    // A key derived with other costs or another salt cannot be the right one.
    if (std::memcmp(h.salt, key.salt, kEnvelopeSaltSize) != 0 || h.params.memoryKiB != key.params.memoryKiB ||
        h.params.passes != key.params.passes || h.params.lanes != key.params.lanes)
        return kEnvelopeWrongPasswordOrDamaged;
    if (!plain->Allocate(static_cast<size_t>(h.payloadSize))) return kEnvelopeNoMemory;
    const int c = AesGcmOpen(key.key, h.nonce, file, kEnvelopeHeaderSize, file + kEnvelopeHeaderSize, plain->data(),
                             plain->size(), file + kEnvelopeHeaderSize + h.payloadSize);
    if (c != kCryptoOk) plain->Clear();
    return CryptoToEnvelope(c);
}

int SealEnvelope(const EnvelopeKey& key, const uint8_t* plain, size_t size, std::string* file) {
    SecureZero(*file);
    if (!key.set) return kEnvelopeCryptoFailed;
    if (size > kEnvelopeMaxPayload) return kEnvelopeNoMemory;
    EnvelopeHeader h;
    h.params = key.params;
    std::memcpy(h.salt, key.salt, kEnvelopeSaltSize);
    if (!OsRandomBytes(h.nonce, sizeof h.nonce)) return kEnvelopeCryptoFailed;
    h.payloadSize = size;
    try {
        file->resize(kEnvelopeOverhead + size);
    } catch (const std::bad_alloc&) {
        return kEnvelopeNoMemory;
    }
    uint8_t* out = reinterpret_cast<uint8_t*>(file->data());
    StoreEnvelopeHeader(h, out);
    const int c = AesGcmSeal(key.key, h.nonce, out, kEnvelopeHeaderSize, plain, out + kEnvelopeHeaderSize, size,
                             out + kEnvelopeHeaderSize + size);
    if (c != kCryptoOk) {
        SecureZero(*file);
        return kEnvelopeCryptoFailed;
    }
    return kEnvelopeOk;
}

// ---- Files ---------------------------------------------------------------------------------------

std::u16string EnvelopeTempPathFor(const std::u16string& path) { return path + u"-new"; }

int ProbeEnvelopeFile(FileSystem& fs, const std::u16string& path, WalletProtection* protection,
                      EnvelopeParams* params) {
    if (protection) *protection = WalletProtection::Classic;
    std::unique_ptr<File> file;
    if (fs.Open(path, FileMode::OpenReadOnly, FileShare::Read, &file) != kFileOk) return kEnvelopeCannotRead;
    uint8_t head[kEnvelopeHeaderSize];
    size_t got = 0;
    uint64_t size = 0;
    if (!file->GetSize(&size) || !file->ReadAt(0, head, sizeof head, &got)) return kEnvelopeCannotRead;
    if (!HasEnvelopeMagic(head, got)) return kEnvelopeNotEnvelope;
    if (protection) *protection = WalletProtection::Modern;
    EnvelopeHeader h;
    const int rc = ParseEnvelopeHeader(head, got, size, &h);
    if (rc == kEnvelopeOk && params) *params = h.params;
    return rc;
}

int ReadEnvelopeFile(FileSystem& fs, const std::u16string& path, std::u16string_view password, EnvelopeKey* key,
                     SecretBytes* plain) {
    key->Clear();
    plain->Clear();
    std::unique_ptr<File> file;
    if (fs.Open(path, FileMode::OpenReadOnly, FileShare::Read, &file) != kFileOk) return kEnvelopeCannotRead;
    uint64_t size = 0;
    uint8_t head[kEnvelopeHeaderSize];
    uint8_t tag[kAesGcmTagSize];
    size_t got = 0;
    if (!file->GetSize(&size) || !file->ReadAt(0, head, sizeof head, &got)) return kEnvelopeCannotRead;
    EnvelopeHeader h;
    int rc = ParseEnvelopeHeader(head, got, size, &h);  // bounds the size before anything is allocated
    if (rc != kEnvelopeOk) return rc;
    // The cipher text is read straight into the buffer it is decrypted in, so the wallet is held once.
    if (!plain->Allocate(static_cast<size_t>(h.payloadSize))) return kEnvelopeNoMemory;
    if (!file->ReadAt(kEnvelopeHeaderSize, plain->data(), plain->size(), &got) || got != plain->size() ||
        !file->ReadAt(kEnvelopeHeaderSize + h.payloadSize, tag, sizeof tag, &got) || got != sizeof tag) {
        plain->Clear();
        return kEnvelopeCannotRead;
    }
    file.reset();
    rc = DeriveEnvelopeKey(password, h.params, h.salt, key);
    if (rc == kEnvelopeOk) {
        // A change of the file between the reads shows as a wrong tag: the header is authenticated too.
        rc = CryptoToEnvelope(AesGcmOpen(key->key, h.nonce, head, sizeof head, plain->data(), plain->data(),
                                         plain->size(), tag));
    }
    if (rc != kEnvelopeOk) {
        key->Clear();
        plain->Clear();
    }
    return rc;
}

int ReplaceFileAtomically(FileSystem& fs, const std::u16string& path, const void* bytes, size_t size) {
    const std::u16string temp = EnvelopeTempPathFor(path);
    std::unique_ptr<File> file;
    if (fs.Open(temp, FileMode::CreateAlways, FileShare::None, &file) != kFileOk) return kEnvelopeCannotWrite;
    size_t put = 0;
    const bool written = file->WriteAt(0, bytes, size, &put) && put == size && file->Flush();
    file.reset();
    if (!written || fs.Rename(temp, path) != kFileOk) {
        fs.Remove(temp);
        return kEnvelopeCannotWrite;
    }
    // The new name must reach the disk before the save is reported done.
    return fs.FlushFolder(path) ? kEnvelopeOk : kEnvelopeCannotWrite;
}

int WriteEnvelopeFile(FileSystem& fs, const std::u16string& path, const EnvelopeKey& key, const uint8_t* plain,
                      size_t size) {
    std::string sealed;
    int rc = SealEnvelope(key, plain, size, &sealed);
    if (rc == kEnvelopeOk) rc = ReplaceFileAtomically(fs, path, sealed.data(), sealed.size());
    return rc;
}

std::string ProtectionText(WalletProtection protection, const EnvelopeParams& params) {
    if (protection == WalletProtection::Classic) return "classic";
    char memory[32], lanes[32] = "", text[128];
    if (params.memoryKiB % 1024 == 0) std::snprintf(memory, sizeof memory, "%u MiB", params.memoryKiB / 1024);
    else std::snprintf(memory, sizeof memory, "%u KiB", params.memoryKiB);
    if (params.lanes != 1) std::snprintf(lanes, sizeof lanes, "/%u lanes", params.lanes);
    std::snprintf(text, sizeof text, "modern, Argon2id %s/%u%s, AES-256-GCM", memory, params.passes, lanes);
    return text;
}

// ---- EnvelopeFile --------------------------------------------------------------------------------

EnvelopeFile::EnvelopeFile(FileSystem& fs, std::u16string path, SecretBytes plain, const EnvelopeKey& key,
                           bool writable)
    : fs_(fs), path_(std::move(path)), data_(std::move(plain)), writable_(writable) {
    key_.CopyFrom(key);
}

bool EnvelopeFile::ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) {
    *got = 0;
    if (offset >= data_.size()) return true;
    const size_t n = static_cast<size_t>(std::min<uint64_t>(size, data_.size() - offset));
    if (n) std::memcpy(buffer, data_.data() + offset, n);
    *got = n;
    return true;
}

bool EnvelopeFile::Grow(uint64_t size) {
    if (size > kEnvelopeMaxPayload) return false;
    if (size <= data_.size()) return true;
    size_t capacity = data_.capacity();
    if (size > capacity) capacity = static_cast<size_t>(std::max<uint64_t>(size, capacity + capacity / 2 + 4096));
    return data_.Resize(static_cast<size_t>(size), capacity);
}

bool EnvelopeFile::WriteAt(uint64_t offset, const void* buffer, size_t size, size_t* put) {
    *put = 0;
    if (!writable_ || offset + size < offset || !Grow(offset + size)) return false;
    if (size) std::memcpy(data_.data() + offset, buffer, size);
    *put = size;
    dirty_ = true;
    return true;
}

bool EnvelopeFile::GetSize(uint64_t* size) {
    *size = data_.size();
    return true;
}

bool EnvelopeFile::SetSize(uint64_t size) {
    if (!writable_) return false;
    if (size > data_.size()) {
        if (!Grow(size)) return false;
    } else if (!data_.Resize(static_cast<size_t>(size), data_.capacity())) {
        return false;
    }
    dirty_ = true;
    return true;
}

bool EnvelopeFile::Flush() {
    if (!dirty_) return true;
    if (!writable_) return false;
    if (WriteEnvelopeFile(fs_, path_, key_, data_.data(), data_.size()) != kEnvelopeOk) return false;
    dirty_ = false;
    return true;
}

}  // namespace tl5
