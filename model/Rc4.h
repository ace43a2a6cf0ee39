// The RC4 stream cipher.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tl5 {

struct Rc4State {
    uint32_t i = 0;
    uint32_t j = 0;
    uint8_t s[256] = {};
};

// Runs the key schedule for a key of 1 to 256 bytes.
void Rc4Schedule(Rc4State* state, const uint8_t* key, size_t keySize);
// XORs size bytes of keystream into dst (src and dst may be the same buffer), advancing the state.
void Rc4Crypt(Rc4State* state, const uint8_t* src, uint8_t* dst, size_t size);
// Writes size bytes of raw keystream, advancing the state.
void Rc4Keystream(Rc4State* state, uint8_t* out, size_t size);

}  // namespace tl5
