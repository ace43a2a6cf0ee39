// UTF-8 to UTF-16 and back: every input converts without reading outside it, and a valid round trip
// is stable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view in(reinterpret_cast<const char*>(data), size);
    const std::u16string wide = tl5::Utf8ToUtf16(in);
    const std::string back = tl5::Utf16ToUtf8(wide);
    if (tl5::Utf8ToUtf16(back) != wide) std::abort();
    return 0;
}
