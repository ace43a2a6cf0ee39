// Seeds of the icon reader: icon files with images of every depth the reader draws, 16 and 32 pixels
// high, written by a small icon writer.
#include <cstdint>
#include <vector>

#include "fuzz/FuzzSeeds.h"

namespace {

using Files = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

void Put(std::vector<uint8_t>& v, uint32_t x, int bytes) {
    for (int i = 0; i < bytes; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}

struct Image {
    int side;
    int bits;
    uint32_t compression;  // 0, or 3 (bit fields) for 16 and 32 bits
};

// One image: BITMAPINFOHEADER (height doubled), palette or masks, colour rows and the mask rows.
std::vector<uint8_t> ImageBytes(const Image& im) {
    std::vector<uint8_t> v;
    Put(v, 40, 4);
    Put(v, static_cast<uint32_t>(im.side), 4);
    Put(v, static_cast<uint32_t>(im.side * 2), 4);
    Put(v, 1, 2);
    Put(v, static_cast<uint32_t>(im.bits), 2);
    Put(v, im.compression, 4);
    for (int i = 0; i < 5; ++i) Put(v, 0, 4);
    if (im.bits <= 8) {
        for (uint32_t k = 0; k < (1u << im.bits); ++k) Put(v, (k * 0x010305u) & 0xFFFFFFu, 4);
    } else if (im.compression == 3) {
        if (im.bits == 16) {
            Put(v, 0xF800, 4), Put(v, 0x07E0, 4), Put(v, 0x001F, 4);
        } else {
            Put(v, 0xFF0000, 4), Put(v, 0x00FF00, 4), Put(v, 0x0000FF, 4);
        }
    }
    const size_t stride = ((static_cast<size_t>(im.side) * im.bits + 31) / 32) * 4;
    for (int y = 0; y < im.side; ++y)
        for (size_t x = 0; x < stride; ++x) v.push_back(static_cast<uint8_t>(x * 7 + y * 13 + (x % 4 == 3 ? 0x80 : 0)));
    const size_t maskStride = ((static_cast<size_t>(im.side) + 31) / 32) * 4;
    for (int y = 0; y < im.side; ++y)
        for (size_t x = 0; x < maskStride; ++x) v.push_back(static_cast<uint8_t>(y % 3 == 0 ? 0xF0 : 0x00));
    return v;
}

std::vector<uint8_t> IconFile(const std::vector<Image>& images) {
    std::vector<uint8_t> v;
    Put(v, 0, 2);
    Put(v, 1, 2);
    Put(v, static_cast<uint32_t>(images.size()), 2);
    std::vector<std::vector<uint8_t>> bodies;
    for (const Image& im : images) bodies.push_back(ImageBytes(im));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        v.push_back(static_cast<uint8_t>(images[i].side));
        v.push_back(static_cast<uint8_t>(images[i].side));
        v.push_back(images[i].bits <= 8 ? static_cast<uint8_t>(1u << images[i].bits) : 0);
        v.push_back(0);
        Put(v, 1, 2);
        Put(v, static_cast<uint32_t>(images[i].bits), 2);
        Put(v, static_cast<uint32_t>(bodies[i].size()), 4);
        Put(v, offset, 4);
        offset += static_cast<uint32_t>(bodies[i].size());
    }
    for (const auto& b : bodies) v.insert(v.end(), b.begin(), b.end());
    return v;
}

void WriteIconSeeds(Files& files) {
    files.push_back({"mono16", IconFile({{16, 1, 0}})});
    files.push_back({"depths16", IconFile({{16, 4, 0}, {16, 8, 0}, {16, 24, 0}, {16, 32, 0}})});
    files.push_back({"sizes", IconFile({{32, 8, 0}, {16, 4, 0}, {32, 32, 0}})});
    files.push_back({"bitfields", IconFile({{16, 16, 0}, {16, 16, 3}, {16, 32, 3}})});
}

}  // namespace

TL5_FUZZ_SEEDS("icon_fuzz", WriteIconSeeds);
