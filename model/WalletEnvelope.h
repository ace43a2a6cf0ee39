// The modern protection of a wallet: the whole classic wallet file encrypted and authenticated in one
// envelope, so that someone who has a copy of the file learns nothing from it without the password.
//
// A protected wallet is still one ".tl5" file. It starts with a clear header of 72 bytes, followed by
// the classic wallet encrypted with AES-256-GCM and the 16-byte tag. The key is derived from the
// password (its UTF-16LE bytes, as the classic verifier takes them) with Argon2id; the cost, the salt
// and the nonce are in the header, and the whole header is authenticated as associated data.
//
//   offset  size  content
//   0       8     magic "TL5ENVLP"
//   8       2     format version, 1
//   10      2     header size, 72
//   12      1     key derivation: 1 = Argon2id
//   13      1     cipher: 1 = AES-256-GCM
//   14      2     zero
//   16      4     Argon2id memory in KiB
//   20      4     Argon2id passes
//   24      4     Argon2id lanes
//   28      4     zero
//   32      16    salt
//   48      12    nonce, drawn anew for every save
//   60      4     zero
//   64      8     length of the encrypted wallet
//   72      n     the classic wallet, encrypted
//   72+n    16    tag
//
// Integers are little-endian. The salt (and with it the key) stays while the password stays; a new
// password draws a new salt. A file whose length does not match its header, or whose header carries
// unknown algorithms or costs outside the bounds below, is damaged and is never decrypted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/ModernCrypto.h"
#include "platform/File.h"

namespace tl5 {

constexpr size_t kEnvelopeHeaderSize = 72;
constexpr size_t kEnvelopeSaltSize = 16;
constexpr uint16_t kEnvelopeVersion = 1;
constexpr size_t kEnvelopeOverhead = kEnvelopeHeaderSize + kAesGcmTagSize;
// Bounds a hostile header cannot go beyond: memory and time of the derivation, size of the wallet.
constexpr uint32_t kEnvelopeMinMemoryKiB = 8 * 1024;
constexpr uint32_t kEnvelopeMaxMemoryKiB = 1024 * 1024;
constexpr uint32_t kEnvelopeMaxPasses = 32;
constexpr uint32_t kEnvelopeMaxLanes = 8;
constexpr uint64_t kEnvelopeMaxPayload = uint64_t{1} << 30;

struct EnvelopeParams {
    uint32_t memoryKiB = 64 * 1024;
    uint32_t passes = 3;
    uint32_t lanes = 1;
};

// Which protection a wallet file has.
enum class WalletProtection {
    Classic,  // the classic format alone
    Modern,   // the envelope
};

// Results of the envelope reader and writer.
enum EnvelopeResult : int {
    kEnvelopeOk = 0,
    kEnvelopeNotEnvelope = 1,               // no envelope magic: a classic wallet, or no wallet at all
    kEnvelopeDamaged = 2,                   // the header is invalid or the length does not match it
    kEnvelopeUnsupported = 3,               // a later format version
    kEnvelopeWrongPasswordOrDamaged = 4,    // the tag does not match
    kEnvelopeNoMemory = 5,
    kEnvelopeCryptoFailed = 6,              // the library is missing or refused
    kEnvelopeCannotRead = 7,
    kEnvelopeCannotWrite = 8,
};

struct EnvelopeHeader {
    uint16_t version = kEnvelopeVersion;
    EnvelopeParams params;
    uint8_t salt[kEnvelopeSaltSize] = {};
    uint8_t nonce[kAesGcmNonceSize] = {};
    uint64_t payloadSize = 0;
};

// Bytes that are wiped when released or replaced; they never grow in place, so no copy is left behind.
class SecretBytes {
public:
    SecretBytes() = default;
    ~SecretBytes() { Clear(); }
    SecretBytes(SecretBytes&& other) noexcept;
    SecretBytes& operator=(SecretBytes&& other) noexcept;
    SecretBytes(const SecretBytes&) = delete;
    SecretBytes& operator=(const SecretBytes&) = delete;

    // Zero-filled buffer of this size (the old contents wiped); false when the memory cannot be had.
    bool Allocate(size_t size);
    // Keeps the first `size` bytes in a buffer of at least `capacity` bytes; new bytes are zero.
    bool Resize(size_t size, size_t capacity);
    void Clear();
    uint8_t* data() { return data_.get(); }
    const uint8_t* data() const { return data_.get(); }
    size_t size() const { return size_; }
    size_t capacity() const { return capacity_; }

private:
    std::unique_ptr<uint8_t[]> data_;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

// The key of one envelope: the derived 32 bytes with the cost and salt they came from.
struct EnvelopeKey {
    EnvelopeParams params;
    uint8_t salt[kEnvelopeSaltSize] = {};
    uint8_t key[kAesGcmKeySize] = {};
    bool set = false;

    EnvelopeKey() = default;
    ~EnvelopeKey() { Clear(); }
    EnvelopeKey(const EnvelopeKey&) = delete;
    EnvelopeKey& operator=(const EnvelopeKey&) = delete;
    void Clear();
    void CopyFrom(const EnvelopeKey& other);
};

// True when the bytes start with the envelope magic.
bool HasEnvelopeMagic(const uint8_t* bytes, size_t size);
// Parses and checks the header against the whole file's size.
[[nodiscard]] int ParseEnvelopeHeader(const uint8_t* bytes, size_t size, uint64_t fileSize, EnvelopeHeader* header);
void StoreEnvelopeHeader(const EnvelopeHeader& header, uint8_t out[kEnvelopeHeaderSize]);
bool ValidEnvelopeParams(const EnvelopeParams& params);

// Derives the key with Argon2id. A null salt draws a new one.
[[nodiscard]] int DeriveEnvelopeKey(std::u16string_view password, const EnvelopeParams& params,
                                    const uint8_t* salt, EnvelopeKey* key);
// Decrypts a whole envelope file (already in memory) into *plain.
[[nodiscard]] int OpenEnvelope(const uint8_t* file, size_t size, const EnvelopeKey& key, SecretBytes* plain);
// Encrypts the plain wallet into a whole envelope file, with a fresh nonce.
[[nodiscard]] int SealEnvelope(const EnvelopeKey& key, const uint8_t* plain, size_t size, std::string* file);

// ---- Files ---------------------------------------------------------------------------------------
// What protection the file at the path has, from its first bytes and without a password. kEnvelopeOk
// with *params filled for an intact envelope header; kEnvelopeNotEnvelope for anything else.
[[nodiscard]] int ProbeEnvelopeFile(FileSystem& fs, const std::u16string& path, WalletProtection* protection,
                                    EnvelopeParams* params);
// Reads and decrypts the envelope at the path with the password. The key is returned for later saves.
[[nodiscard]] int ReadEnvelopeFile(FileSystem& fs, const std::u16string& path, std::u16string_view password,
                                   EnvelopeKey* key, SecretBytes* plain);
// Encrypts the plain wallet into "<path>-new" beside it, flushes it, renames it over the path and
// flushes the folder: at every moment the path holds the old or the new wallet. On failure the
// temporary file is removed and the path is untouched.
[[nodiscard]] int WriteEnvelopeFile(FileSystem& fs, const std::u16string& path, const EnvelopeKey& key,
                                    const uint8_t* plain, size_t size);
// Writes bytes the same way (temporary file, flush, rename, folder flush): how unprotect puts the
// classic wallet back.
[[nodiscard]] int ReplaceFileAtomically(FileSystem& fs, const std::u16string& path, const void* bytes, size_t size);
std::u16string EnvelopeTempPathFor(const std::u16string& path);

// "classic" or "modern, Argon2id 64 MiB/3, AES-256-GCM".
std::string ProtectionText(WalletProtection protection, const EnvelopeParams& params);

// The decrypted classic wallet of an open protected wallet, kept in memory as the wallet's file. Reads
// and writes go to memory; Flush seals the whole image into the envelope file (WriteEnvelopeFile).
// Nothing decrypted ever reaches the disk. The memory is wiped when released.
class EnvelopeFile : public File {
public:
    EnvelopeFile(FileSystem& fs, std::u16string path, SecretBytes plain, const EnvelopeKey& key, bool writable);
    ~EnvelopeFile() override = default;

    bool ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) override;
    bool WriteAt(uint64_t offset, const void* buffer, size_t size, size_t* put) override;
    bool GetSize(uint64_t* size) override;
    bool SetSize(uint64_t size) override;
    bool Flush() override;

    const EnvelopeKey& Key() const { return key_; }
    // A new key (new password) for the following saves; the file on disk changes at the next Flush.
    void Rekey(const EnvelopeKey& key) {
        key_.CopyFrom(key);
        dirty_ = true;
    }

private:
    bool Grow(uint64_t size);

    FileSystem& fs_;
    std::u16string path_;
    SecretBytes data_;
    EnvelopeKey key_;
    bool writable_;
    bool dirty_ = false;
};

}  // namespace tl5
