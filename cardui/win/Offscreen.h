// Painting without flicker: draw into a bitmap the size of the area, then copy it to the screen in one
// transfer when the canvas goes.
#pragma once

#include <windows.h>

namespace tl5win {

class OffscreenCanvas {
public:
    OffscreenCanvas(HDC screen, int width, int height) : screen_(screen), width_(width), height_(height) {
        if (width <= 0 || height <= 0) return;
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = dc_ ? CreateCompatibleBitmap(screen, width, height) : nullptr;
        if (bitmap_) {
            old_ = SelectObject(dc_, bitmap_);
        } else if (dc_) {
            DeleteDC(dc_);
            dc_ = nullptr;
        }
    }
    ~OffscreenCanvas() {
        if (!dc_) return;
        BitBlt(screen_, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY);
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

    // Null when the canvas could not be made (nothing is drawn then).
    HDC Dc() const { return dc_; }

private:
    HDC screen_;
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

}  // namespace tl5win
