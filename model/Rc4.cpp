#include "model/Rc4.h"

namespace tl5 {

void Rc4Schedule(Rc4State* st, const uint8_t* key, size_t keySize) {
    for (uint32_t k = 0; k < 256; ++k) st->s[k] = static_cast<uint8_t>(k);
    uint32_t j = 0;
    for (uint32_t k = 0; k < 256; ++k) {
        j = (j + st->s[k] + key[k % keySize]) & 0xFF;
        const uint8_t t = st->s[k];
        st->s[k] = st->s[j];
        st->s[j] = t;
    }
    st->i = 0;
    st->j = 0;
}

void Rc4Crypt(Rc4State* st, const uint8_t* src, uint8_t* dst, size_t size) {
    uint32_t i = st->i, j = st->j;
    uint8_t* s = st->s;
    for (size_t n = 0; n < size; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        const uint8_t t = s[i];
        s[i] = s[j];
        s[j] = t;
        dst[n] = src[n] ^ s[(s[i] + s[j]) & 0xFF];
    }
    st->i = i;
    st->j = j;
}

void Rc4Keystream(Rc4State* st, uint8_t* out, size_t size) {
    for (size_t n = 0; n < size; ++n) out[n] = 0;
    Rc4Crypt(st, out, out, size);
}

}  // namespace tl5
