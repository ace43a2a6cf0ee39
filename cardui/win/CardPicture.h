// CardPicture: a card's background image, decoded once, composed for the card view at one of ten
// positions over the card's background colour (codes 1-9: corners, edges and centre; 10: tiled).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/CardMedia.h"

namespace tl5win {

class CardPicture {
public:
    CardPicture() = default;
    ~CardPicture() { Clear(); }
    CardPicture(const CardPicture&) = delete;
    CardPicture& operator=(const CardPicture&) = delete;

    void Clear();
    // Keeps a copy of the bytes and decodes them (format 1 BMP, 2 JPEG, 3 GIF). False when they cannot
    // be decoded; the picture then draws nothing and does not count as loaded.
    bool LoadFromBytes(int position, int format, const std::wstring& fileName, const uint8_t* data, size_t size);
    // Reads the whole file (at most tl5::kMaxMediaFileSize bytes); the name is the part after the last
    // backslash, the format comes from its extension. False when it cannot be read or decoded.
    bool LoadFromFile(const std::wstring& path, int position);
    bool IsLoaded() const { return bitmap_ != nullptr; }
    int Position() const { return position_; }
    int Format() const { return format_; }
    const std::wstring& FileName() const { return fileName_; }
    const tl5::MediaBytes& Bytes() const { return bytes_; }
    HBITMAP Bitmap() const { return bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The colour of the picture's top-left pixel (white when nothing is loaded).
    COLORREF TopLeftColour() const;

    // The picture composed for an area of width x height: mode 1 places it at its position over
    // `background` (cut at the right and bottom when larger than the area), mode 0 gives the bitmap at
    // its own size; position 10 tiles it. Owned by the picture (cached until the next load, clear, or
    // a request for another position, mode or size); null when nothing is loaded or the position is
    // not 1-10.
    HBITMAP Compose(HDC dc, int position, int width, int height, int mode, COLORREF background);

private:
    void DropComposition();

    HBITMAP bitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int position_ = 0;
    int format_ = 0;
    std::wstring fileName_;
    tl5::MediaBytes bytes_;
    HBITMAP composed_ = nullptr;
    int composedPosition_ = 0;
    int composedWidth_ = 0;
    int composedHeight_ = 0;
    int composedMode_ = -1;
};

}  // namespace tl5win
