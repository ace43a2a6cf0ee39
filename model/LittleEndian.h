// Little-endian reads and writes of integers in byte buffers (the byte order of every stored value).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tl5 {

inline uint16_t LoadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t LoadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t LoadI32(const uint8_t* p) { return static_cast<int32_t>(LoadU32(p)); }
inline void StoreU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void StoreU32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}
inline void StoreI32(uint8_t* p, int32_t v) { StoreU32(p, static_cast<uint32_t>(v)); }

// The index of the first NUL character (two zero bytes at an even offset) in UTF-16LE text of `chars`
// characters; `chars` when there is none. Four characters at a time: a word with a zero 16-bit lane
// has a NUL among them (the lanes are the characters in either byte order).
inline size_t FindNulChar(const void* text, size_t chars) {
    const uint8_t* p = static_cast<const uint8_t*>(text);
    size_t i = 0;
    for (; i + 4 <= chars; i += 4) {
        uint64_t v;
        std::memcpy(&v, p + 2 * i, 8);
        if (((v - 0x0001000100010001ull) & ~v & 0x8000800080008000ull) != 0) break;
    }
    for (; i < chars; ++i) {
        if (p[2 * i] == 0 && p[2 * i + 1] == 0) return i;
    }
    return chars;
}

}  // namespace tl5
