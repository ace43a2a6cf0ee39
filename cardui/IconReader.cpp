#include "cardui/IconReader.h"

namespace tl5 {
namespace {

constexpr size_t kFileHeaderSize = 6;
constexpr size_t kDirectoryEntrySize = 16;
constexpr size_t kInfoHeaderSize = 40;     // BITMAPINFOHEADER
constexpr uint32_t kCompressionRgb = 0;
constexpr uint32_t kCompressionBitfields = 3;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
int32_t I32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }

// The image offset of directory entry i and the size of its header, when a whole header of at least
// 40 bytes lies inside the data; otherwise false. A compressed image (it starts with a signature
// instead of a header size) fails here as well.
bool LocateHeader(const uint8_t* data, size_t size, int i, size_t* offset, size_t* headerSize) {
    const uint8_t* entry = data + kFileHeaderSize + kDirectoryEntrySize * static_cast<size_t>(i);
    const size_t off = U32(entry + 12);
    if (off > size || size - off < kInfoHeaderSize) return false;
    const size_t hs = U32(data + off);
    if (hs < kInfoHeaderSize || hs > size - off) return false;
    *offset = off;
    *headerSize = hs;
    return true;
}

bool IsSupportedDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// A channel picked out by a bit mask, scaled to 0..255.
uint32_t MaskedChannel(uint32_t value, uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1u) == 0) ++shift;
    const uint32_t top = mask >> shift;
    return ((value & mask) >> shift) * 255u / top;
}

}  // namespace

// Choosing an image when none has both the wanted height and depth: the images of the wanted height
// are walked in directory order keeping the smallest depth seen so far (starting above 98) with its
// image, and the largest depth seen (starting at 0) with a candidate. An image shallower than the
// smallest so far becomes the smallest; otherwise, when it is deeper than the largest so far, it
// becomes the largest and the candidate. The candidate wins, else the smallest-depth image. So 4-bit
// then 8-bit gives the 8-bit image, while 8-bit then 4-bit gives the 4-bit one: stored wallets and
// their icons have always been drawn this way.
int IconReader::Read(const uint8_t* data, size_t size, int wantedHeight, int wantedBitCount,
                     bool allowOtherDepth) {
    *this = IconReader();
    if (data == nullptr || size == 0) return kIconMissingInput;
    if (size < kFileHeaderSize) return kIconNotAnIcon;
    if (U16(data) != 0 || U16(data + 2) != 1) return kIconNotAnIcon;
    const int count = U16(data + 4);
    if (count == 0) return kIconNoImage;
    const int listed = count < kMaxEntries ? count : kMaxEntries;
    if (kFileHeaderSize + kDirectoryEntrySize * static_cast<size_t>(listed) > size) return kIconBeyondData;

    for (int i = 0; i < listed; ++i) {
        size_t off = 0;
        size_t hs = 0;
        Entry& e = entries_[i];
        if (!LocateHeader(data, size, i, &off, &hs)) continue;
        const int32_t headerHeight = I32(data + off + 8);
        if (headerHeight <= 0) continue;   // top-down or empty: not an icon image
        e.height = headerHeight / 2;
        e.bitCount = U16(data + off + 14);
    }
    entryCount_ = listed;

    for (int i = 0; i < listed && chosen_ < 0; ++i) {
        if (entries_[i].height == wantedHeight &&
            (wantedBitCount == 0 || entries_[i].bitCount == wantedBitCount)) {
            chosen_ = i;
        }
    }
    if (chosen_ < 0 && allowOtherDepth) {
        int smallest = 99;
        int smallestImage = -1;
        int largest = 0;
        int candidate = -1;
        for (int i = 0; i < listed; ++i) {
            if (entries_[i].height != wantedHeight) continue;
            const int depth = entries_[i].bitCount;
            if (depth < smallest) {
                smallest = depth;
                smallestImage = i;
            } else if (depth > largest) {
                largest = depth;
                candidate = i;
            }
        }
        chosen_ = candidate >= 0 ? candidate : smallestImage;
    }
    if (chosen_ < 0) return kIconNoSuchHeight;

    // Describe the chosen image, checking that every part of it lies inside the data.
    size_t off = 0;
    size_t hs = 0;
    // An entry whose header cannot be read has height -1 and is no image: asking for height -1 must
    // not choose it.
    if (!LocateHeader(data, size, chosen_, &off, &hs)) {
        chosen_ = -1;
        return kIconNoSuchHeight;
    }
    const uint8_t* header = data + off;
    const int32_t width = I32(header + 4);
    const int32_t height = I32(header + 8) / 2;
    const int bits = U16(header + 14);
    const uint32_t compression = U32(header + 16);
    const uint32_t colorsUsed = U32(header + 32);
    if (width <= 0 || width > kMaxSide || height <= 0 || height > kMaxSide) return kIconBadBitmap;
    if (!IsSupportedDepth(bits)) return kIconBadBitmap;
    if (compression != kCompressionRgb &&
        !(compression == kCompressionBitfields && (bits == 16 || bits == 32))) {
        return kIconBadBitmap;
    }

    size_t pos = off + hs;
    if (bits <= 8) {
        const uint32_t entries = colorsUsed != 0 ? colorsUsed : (1u << bits);
        if (entries > 256) return kIconBadBitmap;
        if (static_cast<size_t>(entries) * 4 > size - pos) return kIconBeyondData;
        palette_ = data + pos;
        paletteCount_ = entries;
        pos += static_cast<size_t>(entries) * 4;
    } else if (compression == kCompressionBitfields) {
        // The three masks sit inside a larger header, or right after a plain one.
        const uint8_t* m = nullptr;
        if (hs >= kInfoHeaderSize + 12) {
            m = header + kInfoHeaderSize;
        } else {
            if (size - pos < 12) return kIconBeyondData;
            m = data + pos;
            pos += 12;
        }
        masks_[0] = U32(m);
        masks_[1] = U32(m + 4);
        masks_[2] = U32(m + 8);
    } else if (bits == 16) {
        masks_[0] = 0x7C00;
        masks_[1] = 0x03E0;
        masks_[2] = 0x001F;
    } else {
        masks_[0] = 0xFF0000;
        masks_[1] = 0x00FF00;
        masks_[2] = 0x0000FF;
    }

    colorStride_ = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    const size_t colorBytes = colorStride_ * static_cast<size_t>(height);
    if (colorBytes > size - pos) return kIconBeyondData;
    colorBits_ = data + pos;
    pos += colorBytes;

    maskStride_ = ((static_cast<size_t>(width) + 31) / 32) * 4;
    const size_t maskBytes = maskStride_ * static_cast<size_t>(height);
    if (maskBytes > size - pos) return kIconBeyondData;
    maskBits_ = data + pos;

    width_ = width;
    height_ = height;
    bitCount_ = bits;
    if (bits == 32) {
        for (int row = 0; row < height && !useAlpha_; ++row) {
            const uint8_t* p = colorBits_ + colorStride_ * static_cast<size_t>(row);
            for (int x = 0; x < width; ++x) {
                if (p[4 * x + 3] != 0) {
                    useAlpha_ = true;
                    break;
                }
            }
        }
    }
    return kIconOk;
}

uint32_t IconReader::RawColor(int x, int row) const {
    const uint8_t* line = colorBits_ + colorStride_ * static_cast<size_t>(row);
    switch (bitCount_) {
    case 1:
    case 4:
    case 8: {
        const size_t bitPos = static_cast<size_t>(x) * bitCount_;
        const int shift = 8 - bitCount_ - static_cast<int>(bitPos % 8);
        const uint32_t index = (line[bitPos / 8] >> shift) & ((1u << bitCount_) - 1);
        if (index >= paletteCount_) return 0;
        const uint8_t* q = palette_ + 4 * static_cast<size_t>(index);
        return static_cast<uint32_t>(q[0]) | (static_cast<uint32_t>(q[1]) << 8) |
               (static_cast<uint32_t>(q[2]) << 16);
    }
    case 16: {
        const uint32_t v = U16(line + 2 * static_cast<size_t>(x));
        return MaskedChannel(v, masks_[2]) | (MaskedChannel(v, masks_[1]) << 8) |
               (MaskedChannel(v, masks_[0]) << 16);
    }
    case 24: {
        const uint8_t* q = line + 3 * static_cast<size_t>(x);
        return static_cast<uint32_t>(q[0]) | (static_cast<uint32_t>(q[1]) << 8) |
               (static_cast<uint32_t>(q[2]) << 16);
    }
    default: {   // 32
        const uint32_t v = U32(line + 4 * static_cast<size_t>(x));
        return MaskedChannel(v, masks_[2]) | (MaskedChannel(v, masks_[1]) << 8) |
               (MaskedChannel(v, masks_[0]) << 16) | (v & 0xFF000000u);
    }
    }
}

bool IconReader::MaskBit(int x, int y) const {
    if (maskBits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    const uint8_t* line = maskBits_ + maskStride_ * static_cast<size_t>(height_ - 1 - y);
    return ((line[x / 8] >> (7 - x % 8)) & 1) != 0;
}

uint32_t IconReader::PixelBgra(int x, int y) const {
    if (colorBits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    const uint32_t c = RawColor(x, height_ - 1 - y);
    const uint32_t alpha = useAlpha_ ? (c >> 24) : (MaskBit(x, y) ? 0u : 255u);
    if (alpha == 0) return 0;
    return (c & 0x00FFFFFFu) | (alpha << 24);
}

bool IconReader::DecodeBgra(uint32_t* out, size_t pixelCount) const {
    if (out == nullptr || colorBits_ == nullptr) return false;
    if (pixelCount < static_cast<size_t>(width_) * static_cast<size_t>(height_)) return false;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) out[static_cast<size_t>(y) * width_ + x] = PixelBgra(x, y);
    }
    return true;
}

}  // namespace tl5
