#include "cardui/win/CardPicture.h"

#include "cardui/win/Picture.h"
#include "platform/File.h"
#include "platform/SecureZero.h"
#include "platform/Text.h"

namespace tl5win {

void CardPicture::DropComposition() {
    if (composed_) DeleteObject(composed_);
    composed_ = nullptr;
    composedMode_ = -1;
}

void CardPicture::Clear() {
    DropComposition();
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = nullptr;
    width_ = height_ = 0;
    position_ = 0;
    format_ = 0;
    fileName_.clear();
    bytes_.Release();
}

bool CardPicture::LoadFromBytes(int position, int format, const std::wstring& fileName, const uint8_t* data,
                                size_t size) {
    Clear();
    position_ = position;
    format_ = format;
    fileName_ = fileName;
    if (data && size) bytes_.data.assign(data, data + size);
    bitmap_ = LoadPicture(format, data, size);
    if (!bitmap_) return false;
    BITMAP info{};
    GetObjectW(bitmap_, sizeof(info), &info);
    width_ = info.bmWidth;
    height_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    return true;
}

bool CardPicture::LoadFromFile(const std::wstring& path, int position) {
    Clear();
    std::string bytes;
    const std::u16string path16 = tl5::FromWide(path);
    if (!tl5::ReadWholeFile(tl5::OsFileSystem(), path16, &bytes, tl5::kMaxMediaFileSize) || bytes.empty()) return false;
    const bool decoded = LoadFromBytes(position, tl5::ImageFormatOfPath(path16),
                                       tl5::ToWide(tl5::MediaFileNameOfPath(path16)),
                                       reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    tl5::SecureZero(bytes);
    return decoded;
}

COLORREF CardPicture::TopLeftColour() const {
    if (!bitmap_) return RGB(255, 255, 255);
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return RGB(255, 255, 255);
    HGDIOBJ old = SelectObject(dc, bitmap_);
    const COLORREF colour = GetPixel(dc, 0, 0);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour == CLR_INVALID ? RGB(255, 255, 255) : colour;
}

HBITMAP CardPicture::Compose(HDC dc, int position, int width, int height, int mode, COLORREF background) {
    if (!bitmap_ || position < 1 || position > 10 || width <= 0 || height <= 0) return nullptr;
    if (composed_ && composedPosition_ == position && composedMode_ == mode &&
        (mode != 1 || (composedWidth_ == width && composedHeight_ == height))) {
        return composed_;
    }
    DropComposition();
    if (mode == 0 && position != 10) {
        width = width_;
        height = height_;
    }
    HDC target = CreateCompatibleDC(dc);
    HDC source = CreateCompatibleDC(dc);
    HBITMAP image = CreateCompatibleBitmap(dc, width, height);
    if (!target || !source || !image) {
        if (image) DeleteObject(image);
        if (target) DeleteDC(target);
        if (source) DeleteDC(source);
        return nullptr;
    }
    HGDIOBJ oldTarget = SelectObject(target, image);
    HGDIOBJ oldSource = SelectObject(source, bitmap_);
    RECT all{0, 0, width, height};
    if (position == 10) {
        HBRUSH pattern = CreatePatternBrush(bitmap_);
        FillRect(target, &all, pattern);
        DeleteObject(pattern);
    } else {
        HBRUSH fill = CreateSolidBrush(background);
        FillRect(target, &all, fill);
        DeleteObject(fill);
        const int column = (position - 1) % 3;  // 0 left, 1 centre, 2 right
        const int row = (position - 1) / 3;     // 0 top, 1 middle, 2 bottom
        int x = column == 0 ? 0 : column == 1 ? (width - width_) / 2 : width - width_;
        int y = row == 0 ? 0 : row == 1 ? (height - height_) / 2 : height - height_;
        if (x < 0) x = 0;
        if (y < 0) y = 0;
        BitBlt(target, x, y, width_, height_, source, 0, 0, SRCCOPY);
    }
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
    DeleteDC(source);
    DeleteDC(target);
    composed_ = image;
    composedPosition_ = position;
    composedWidth_ = width;
    composedHeight_ = height;
    composedMode_ = mode;
    return composed_;
}

}  // namespace tl5win
