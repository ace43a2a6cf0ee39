// Decoding stored pictures in memory.
#include "cardui/win/Picture.h"
#include "tests/win/IconFixture.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <wincodec.h>

#include <cstring>
#include <vector>

using namespace tl5win;

namespace {

// The size and one pixel (as COLORREF) of a decoded picture.
struct Decoded {
    int width = 0;
    int height = 0;
    DIBSECTION dib{};
    COLORREF At(int x, int y) const {
        const auto* row = static_cast<const uint8_t*>(dib.dsBm.bmBits) + static_cast<size_t>(y) * dib.dsBm.bmWidthBytes;
        return RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    }
};

bool Decode(HBITMAP bitmap, Decoded* out) {
    if (bitmap == nullptr) return false;
    if (GetObjectW(bitmap, sizeof(out->dib), &out->dib) != sizeof(DIBSECTION)) return false;
    out->width = out->dib.dsBm.bmWidth;
    out->height = out->dib.dsBm.bmHeight;
    return out->dib.dsBm.bmBits != nullptr;
}

// A 3 x 2 24-bit BMP: top row red, green, blue; bottom row white, black, grey.
std::vector<uint8_t> SmallBmp() {
    const uint8_t rows[2][12] = {
        {255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0},   // bottom row first, padded to 12 bytes
        {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0},
    };
    std::vector<uint8_t> file(54, 0);
    file[0] = 'B';
    file[1] = 'M';
    iconfixture::Put32(file, 2, 54 + 24);
    iconfixture::Put32(file, 10, 54);
    iconfixture::Put32(file, 14, 40);
    iconfixture::Put32(file, 18, 3);
    iconfixture::Put32(file, 22, 2);
    iconfixture::Put16(file, 26, 1);
    iconfixture::Put16(file, 28, 24);
    iconfixture::Put32(file, 34, 24);
    for (const auto& row : rows) file.insert(file.end(), row, row + 12);
    return file;
}

// A 1 x 1 GIF whose one pixel is palette entry 0, red.
std::vector<uint8_t> TinyGif() {
    const uint8_t gif[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0,
                           ',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0, ';'};
    return std::vector<uint8_t>(gif, gif + sizeof(gif));
}

// An 8 x 8 JPEG of one colour, made with the platform's encoder.
std::vector<uint8_t> SolidJpeg(BYTE r, BYTE g, BYTE b) {
    std::vector<uint8_t> out;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&factory));
    if (SUCCEEDED(hr)) hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (SUCCEEDED(hr)) hr = factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder);
    if (SUCCEEDED(hr)) hr = encoder->Initialize(stream, WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(&frame, nullptr);
    if (SUCCEEDED(hr)) hr = frame->Initialize(nullptr);
    if (SUCCEEDED(hr)) hr = frame->SetSize(8, 8);
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
    std::vector<BYTE> pixels(8 * 8 * 3);
    for (size_t i = 0; i < pixels.size(); i += 3) {
        pixels[i] = b;
        pixels[i + 1] = g;
        pixels[i + 2] = r;
    }
    if (SUCCEEDED(hr) && IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
        hr = frame->WritePixels(8, 24, static_cast<UINT>(pixels.size()), pixels.data());
    }
    if (SUCCEEDED(hr)) hr = frame->Commit();
    if (SUCCEEDED(hr)) hr = encoder->Commit();
    HGLOBAL memory = nullptr;
    if (SUCCEEDED(hr)) hr = GetHGlobalFromStream(stream, &memory);
    STATSTG stat{};
    if (SUCCEEDED(hr)) hr = stream->Stat(&stat, STATFLAG_NONAME);
    if (SUCCEEDED(hr)) {
        const auto* p = static_cast<const uint8_t*>(GlobalLock(memory));
        out.assign(p, p + stat.cbSize.QuadPart);
        GlobalUnlock(memory);
    }
    if (frame) frame->Release();
    if (encoder) encoder->Release();
    if (stream) stream->Release();
    if (factory) factory->Release();
    CoUninitialize();
    return out;
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

TEST(Picture, DecodesBmpGifIcoAndJpegFromMemory) {
    const std::vector<uint8_t> bmp = SmallBmp();
    Decoded d;
    HBITMAP bitmap = LoadPicture(kPictureBmp, bmp.data(), bmp.size());
    ASSERT_TRUE(Decode(bitmap, &d));
    EXPECT_EQ(d.width, 3);
    EXPECT_EQ(d.height, 2);
    EXPECT_EQ(d.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(d.At(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(d.At(2, 0), RGB(0, 0, 255));
    EXPECT_EQ(d.At(2, 1), RGB(128, 128, 128));
    DeleteObject(bitmap);

    const std::vector<uint8_t> gif = TinyGif();
    bitmap = LoadPicture(kPictureGif, gif.data(), gif.size());
    ASSERT_TRUE(Decode(bitmap, &d));
    EXPECT_EQ(d.width, 1);
    EXPECT_EQ(d.At(0, 0), RGB(255, 0, 0));
    DeleteObject(bitmap);

    // An icon: its transparent corner comes out white.
    const std::vector<uint8_t> ico = iconfixture::MakeIcon({{32, 0x2040F0}});
    bitmap = LoadPicture(kPictureIco, ico.data(), ico.size());
    ASSERT_TRUE(Decode(bitmap, &d));
    EXPECT_EQ(d.width, 32);
    EXPECT_EQ(d.At(10, 10), RGB(0x20, 0x40, 0xF0));
    EXPECT_EQ(d.At(0, 0), RGB(255, 255, 255));
    DeleteObject(bitmap);

    const std::vector<uint8_t> jpeg = SolidJpeg(200, 100, 50);
    ASSERT_FALSE(jpeg.empty()) << "the platform's encoder made no JPEG";
    bitmap = LoadPicture(kPictureJpeg, jpeg.data(), jpeg.size());
    ASSERT_TRUE(Decode(bitmap, &d));
    EXPECT_EQ(d.width, 8);
    EXPECT_TRUE(Near(d.At(4, 4), RGB(200, 100, 50), 8));
    DeleteObject(bitmap);
}

TEST(Picture, RefusesUnknownKindsDamagedAndOversizedPictures) {
    const std::vector<uint8_t> bmp = SmallBmp();
    EXPECT_EQ(LoadPicture(0, bmp.data(), bmp.size()), nullptr);
    EXPECT_EQ(LoadPicture(5, bmp.data(), bmp.size()), nullptr);
    EXPECT_EQ(LoadPicture(kPictureBmp, nullptr, 0), nullptr);
    EXPECT_EQ(LoadPicture(kPictureBmp, bmp.data(), 0), nullptr);
    const std::vector<uint8_t> garbage(500, 0x33);
    EXPECT_EQ(LoadPicture(kPictureJpeg, garbage.data(), garbage.size()), nullptr);

    // A header that claims 100000 x 100000 pixels is refused before anything that size is made.
    std::vector<uint8_t> huge = bmp;
    iconfixture::Put32(huge, 18, 100000);
    iconfixture::Put32(huge, 22, 100000);
    EXPECT_EQ(LoadPicture(kPictureBmp, huge.data(), huge.size()), nullptr);

    // Every truncation of a good picture fails cleanly or decodes; none crashes.
    const std::vector<uint8_t> gif = TinyGif();
    for (size_t n = 1; n < gif.size(); ++n) {
        std::vector<uint8_t> cut(gif.begin(), gif.begin() + static_cast<std::ptrdiff_t>(n));
        HBITMAP bitmap = LoadPicture(kPictureGif, cut.data(), cut.size());
        if (bitmap) DeleteObject(bitmap);
    }
}

}  // namespace
