// Reading icons in the standard icon file layout.
//
// An icon file is a 6-byte header (reserved 0, type 1, image count), a directory of 16-byte entries
// (each with the size and offset of one image), and the images. Each image is a BITMAPINFOHEADER, a
// palette for depths up to 8, the colour bits (rows bottom-up, each padded to 4 bytes) and a 1-bit
// transparency mask of the same size. The header's height counts both bitmaps, so the image is half
// as high as it says.
//
// The reader picks one image by height and depth and describes it in place: it never allocates and
// never reads outside the data it was given; every offset and length is checked first. Damaged
// input gives a result code, never a crash. Drawing the icon (making platform bitmaps) is the
// caller's business; DecodeBgra() and MaskBit() give the pixels in a plain form.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tl5 {

// Results of reading an icon.
enum IconReadCode : int {
    kIconOk = 0,
    kIconCannotRead = 1,      // the file could not be opened or read
    kIconBeyondData = 2,      // out of memory, or the chosen image (or the directory) lies beyond the data
    kIconNoSuchHeight = 3,    // no image of the wanted height
    kIconMissingInput = 4,    // missing data or output, or a path of 4 characters or fewer
    kIconNotAnIcon = 5,       // reserved field not 0 or type not 1 (or too short for the header)
    kIconNoImage = 6,         // the icon holds no image
    kIconBadBitmap = 7,       // the chosen image cannot be made into bitmaps (depth, compression, size)
};

class IconReader {
public:
    // Only the first 20 directory entries are looked at.
    static constexpr int kMaxEntries = 20;
    // Images wider or taller than this are not drawn (the layout's own limit).
    static constexpr int kMaxSide = 256;

    // What the directory scan learned about one entry. An entry whose header cannot be read (it lies
    // beyond the data, is not a BITMAPINFOHEADER, or holds a compressed image) has height -1.
    struct Entry {
        int height = -1;      // header height / 2
        int bitCount = 0;
    };

    // Reads `data` and chooses an image: the first one with the wanted height and bit count (any
    // bit count when `wantedBitCount` is 0); otherwise, when `allowOtherDepth`, one of the wanted
    // height by the depth rule described in IconReader.cpp. Returns an IconReadCode. After success
    // the accessors below describe the chosen image; `data` must stay alive while they are used.
    int Read(const uint8_t* data, size_t size, int wantedHeight, int wantedBitCount, bool allowOtherDepth);

    int EntryCount() const { return entryCount_; }
    const Entry& EntryAt(int index) const { return entries_[index]; }

    // The chosen image (valid after a successful Read).
    int ChosenEntry() const { return chosen_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitCount() const { return bitCount_; }

    // The colour of pixel (x, y), y counted from the top, as 0xAARRGGBB with straight alpha: the
    // image's own alpha for a 32-bit image that has any, otherwise 255 or (where the mask marks the
    // pixel transparent) 0. Fully transparent pixels read as 0.
    uint32_t PixelBgra(int x, int y) const;

    // True when the mask marks pixel (x, y) (y from the top) as transparent.
    bool MaskBit(int x, int y) const;

    // Writes Width() * Height() pixels, rows top-down, as PixelBgra() gives them. Returns false when
    // `pixelCount` is too small or nothing was read.
    bool DecodeBgra(uint32_t* out, size_t pixelCount) const;

private:
    uint32_t RawColor(int x, int row) const;  // row counted bottom-up, alpha in the top byte

    Entry entries_[kMaxEntries];
    int entryCount_ = 0;
    int chosen_ = -1;

    int width_ = 0;
    int height_ = 0;
    int bitCount_ = 0;
    const uint8_t* palette_ = nullptr;
    uint32_t paletteCount_ = 0;
    uint32_t masks_[3] = {0, 0, 0};   // red, green, blue for depths 16 and 32
    const uint8_t* colorBits_ = nullptr;
    size_t colorStride_ = 0;
    const uint8_t* maskBits_ = nullptr;
    size_t maskStride_ = 0;
    bool useAlpha_ = false;
};

}  // namespace tl5
