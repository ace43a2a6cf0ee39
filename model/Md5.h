// MD5 message digest (RFC 1321).
#pragma once

#include <cstddef>
#include <cstdint>

namespace tl5 {

class Md5 {
public:
    static constexpr size_t kDigestSize = 16;

    Md5();
    ~Md5();
    void Update(const void* data, size_t size);
    void Final(uint8_t digest[kDigestSize]);  // the object must be reset before reuse
    void Reset();

private:
    void Transform(const uint8_t block[64]);
    uint32_t state_[4];
    uint64_t bitCount_;
    uint8_t buffer_[64];
};

// The digest of one buffer.
void Md5Digest(const void* data, size_t size, uint8_t digest[Md5::kDigestSize]);

}  // namespace tl5
