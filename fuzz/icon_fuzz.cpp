// Icon data: the header, the directory and the chosen image of any bytes are read in place without
// leaving the data; a chosen image decodes pixel by pixel within its stated size.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "cardui/IconReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Copied so that a read past the end is caught even for the last byte.
    const std::vector<uint8_t> copy(data, data + size);
    const uint8_t* bytes = copy.empty() ? nullptr : copy.data();
    tl5::IconReader reader;
    // The heights the application asks for and each entry's own height; any depth, fixed depths and
    // the fallback rule for another depth.
    std::vector<int> heights = {16, 32};
    if (reader.Read(bytes, size, 16, 0, true) != tl5::kIconNotAnIcon) {
        if (reader.EntryCount() < 0 || reader.EntryCount() > tl5::IconReader::kMaxEntries) std::abort();
        for (int i = 0; i < reader.EntryCount(); ++i) {
            if (reader.EntryAt(i).height < -1) std::abort();
            if (std::find(heights.begin(), heights.end(), reader.EntryAt(i).height) == heights.end())
                heights.push_back(reader.EntryAt(i).height);
        }
    }
    std::vector<int> decoded;
    for (int height : heights) {
        for (int depth : {0, 4, 8, 32}) {
            for (bool other : {false, true}) {
                const int rc = reader.Read(bytes, size, height, depth, other);
                if (rc != tl5::kIconOk) continue;
                const int w = reader.Width(), h = reader.Height();
                if (w <= 0 || h <= 0 || w > tl5::IconReader::kMaxSide || h > tl5::IconReader::kMaxSide) std::abort();
                if (reader.ChosenEntry() < 0 || reader.ChosenEntry() >= reader.EntryCount()) std::abort();
                if (std::find(decoded.begin(), decoded.end(), reader.ChosenEntry()) != decoded.end()) continue;
                decoded.push_back(reader.ChosenEntry());
                std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
                if (!reader.DecodeBgra(pixels.data(), pixels.size())) std::abort();
                if (reader.DecodeBgra(pixels.data(), pixels.size() - 1)) std::abort();
                reader.PixelBgra(-1, h);
                reader.MaskBit(w, 0);
            }
        }
    }
    return 0;
}
