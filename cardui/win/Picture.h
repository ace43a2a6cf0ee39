// Decoding stored pictures (card background images, imported icons) into bitmaps.
//
// The picture is decoded in memory by the platform's imaging component; it is never written to a
// file, since the bytes come from a decrypted card.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace tl5win {

enum PictureKind : int { kPictureBmp = 1, kPictureJpeg = 2, kPictureGif = 3, kPictureIco = 4 };

// Pictures larger than this are refused rather than decoded (the device screen is 480 x 640 at most).
constexpr int kMaxPictureSide = 4096;
constexpr long long kMaxPicturePixels = 16LL * 1024 * 1024;

// Decodes the first frame of a picture of the given kind into a 32-bit top-down bitmap; pixels the
// picture leaves transparent become white. Null when the kind is unknown, the data cannot be
// decoded, or the picture is larger than the limits above. The caller owns the bitmap.
HBITMAP LoadPicture(int kind, const uint8_t* data, size_t size);

}  // namespace tl5win
