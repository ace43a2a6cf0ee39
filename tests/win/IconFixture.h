// Hand-made icon files and a drawing surface for the Windows-side icon, bar and picture tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace iconfixture {

// One 24-bit image of an icon file: a solid colour (0x00RRGGBB) with the top-left pixel transparent.
struct Image {
    int side;
    uint32_t rgb;
};

inline void Put16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = static_cast<uint8_t>(x);
    v[at + 1] = static_cast<uint8_t>(x >> 8);
}
inline void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}

// An icon file with the given images in directory order.
inline std::vector<uint8_t> MakeIcon(const std::vector<Image>& images) {
    std::vector<uint8_t> file(6 + 16 * images.size(), 0);
    Put16(file, 2, 1);
    Put16(file, 4, static_cast<uint32_t>(images.size()));
    for (size_t i = 0; i < images.size(); ++i) {
        const int s = images[i].side;
        const size_t stride = ((static_cast<size_t>(s) * 24 + 31) / 32) * 4;
        const size_t maskStride = ((static_cast<size_t>(s) + 31) / 32) * 4;
        std::vector<uint8_t> img(40 + stride * s + maskStride * s, 0);
        Put32(img, 0, 40);
        Put32(img, 4, static_cast<uint32_t>(s));
        Put32(img, 8, static_cast<uint32_t>(2 * s));
        Put16(img, 12, 1);
        Put16(img, 14, 24);
        for (int row = 0; row < s; ++row) {
            for (int x = 0; x < s; ++x) {
                const size_t at = 40 + stride * row + 3 * static_cast<size_t>(x);
                img[at] = static_cast<uint8_t>(images[i].rgb);
                img[at + 1] = static_cast<uint8_t>(images[i].rgb >> 8);
                img[at + 2] = static_cast<uint8_t>(images[i].rgb >> 16);
            }
        }
        // Rows are bottom-up: the top row is the last one; its first pixel is transparent.
        img[40 + stride * s + maskStride * (s - 1)] = 0x80;
        const size_t entry = 6 + 16 * i;
        file[entry] = static_cast<uint8_t>(s);
        file[entry + 1] = static_cast<uint8_t>(s);
        Put16(file, entry + 4, 1);
        Put16(file, entry + 6, 24);
        Put32(file, entry + 8, static_cast<uint32_t>(img.size()));
        Put32(file, entry + 12, static_cast<uint32_t>(file.size()));
        file.insert(file.end(), img.begin(), img.end());
    }
    return file;
}

// A 32-bit top-down memory surface filled with one colour; pixels read back as COLORREF.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        HBRUSH brush = CreateSolidBrush(fill);
        RECT r{0, 0, width, height};
        FillRect(dc_, &r, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const uint32_t p = bits_[static_cast<size_t>(y) * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Sum over the square (x, y, side) of the absolute channel differences to another canvas.
    long Difference(const Canvas& other, int x, int y, int side) const {
        long sum = 0;
        for (int j = y; j < y + side; ++j) {
            for (int i = x; i < x + side; ++i) {
                const COLORREF a = At(i, j);
                const COLORREF b = other.At(i, j);
                sum += labs(long(GetRValue(a)) - GetRValue(b)) + labs(long(GetGValue(a)) - GetGValue(b)) +
                       labs(long(GetBValue(a)) - GetBValue(b));
            }
        }
        return sum;
    }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* bits_ = nullptr;
};

}  // namespace iconfixture
