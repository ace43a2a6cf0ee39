// SHA-256 (FIPS 180-4), for fingerprints of attached files and media in reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tl5 {

class Sha256 {
public:
    static constexpr size_t kDigestSize = 32;
    Sha256() { Reset(); }
    void Reset();
    void Update(const void* data, size_t size);
    void Final(uint8_t digest[kDigestSize]);

private:
    void Block(const uint8_t* p);
    uint32_t state_[8];
    uint64_t length_ = 0;
    uint8_t buffer_[64];
    size_t used_ = 0;
};

// 64 lower-case hex digits of the digest of the bytes.
std::string Sha256Hex(const void* data, size_t size);

}  // namespace tl5
