#include "platform/SecureZero.h"

#include <cstring>

namespace tl5 {

void SecureZero(void* data, size_t size) {
    if (size == 0) return;
    // A plain memset, which runs word by word, then a barrier that claims to read the buffer: the
    // compiler must keep the stores because, as far as it knows, the barrier looks at the zeros.
    std::memset(data, 0, size);
    __asm__ __volatile__("" : : "r"(data) : "memory");
}

}  // namespace tl5
