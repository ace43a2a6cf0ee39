#include "platform/SecureZero.h"

namespace tl5 {

void SecureZero(void* data, size_t size) {
    volatile unsigned char* p = static_cast<volatile unsigned char*>(data);
    while (size--) *p++ = 0;
    // Keep the stores: nothing after this point may assume the buffer's old contents are dead.
    __asm__ __volatile__("" : : "r"(data) : "memory");
}

}  // namespace tl5
