#include "cardui/win/Picture.h"

#include <objbase.h>
#include <wincodec.h>

namespace tl5win {
namespace {

template <typename T>
void Release(T*& p) {
    if (p) p->Release();
    p = nullptr;
}

// Keeps COM initialised on this thread for the life of one decode.
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT result_;
};

}  // namespace

HBITMAP LoadPicture(int kind, const uint8_t* data, size_t size) {
    if (kind < kPictureBmp || kind > kPictureIco || data == nullptr || size == 0 || size > 0xFFFFFFFFu) {
        return nullptr;
    }
    ComScope com;
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    HBITMAP bitmap = nullptr;
    UINT width = 0;
    UINT height = 0;

    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&factory));
    if (SUCCEEDED(hr)) hr = factory->CreateStream(&stream);
    if (SUCCEEDED(hr)) hr = stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size));
    if (SUCCEEDED(hr)) hr = factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder);
    if (SUCCEEDED(hr)) hr = decoder->GetFrame(0, &frame);
    if (SUCCEEDED(hr)) hr = frame->GetSize(&width, &height);
    if (SUCCEEDED(hr) && (width == 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
                          static_cast<long long>(width) * height > kMaxPicturePixels)) {
        hr = E_FAIL;
    }
    if (SUCCEEDED(hr)) hr = factory->CreateFormatConverter(&converter);
    if (SUCCEEDED(hr)) {
        hr = converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom);
    }
    if (SUCCEEDED(hr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = static_cast<LONG>(width);
        info.bmiHeader.biHeight = -static_cast<LONG>(height);
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const UINT stride = width * 4;
        if (bitmap == nullptr || bits == nullptr) {
            hr = E_OUTOFMEMORY;
        } else {
            hr = converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits));
            if (SUCCEEDED(hr)) {
                // Blend onto white, so the bitmap draws as the picture looks on a white card.
                uint8_t* p = static_cast<uint8_t*>(bits);
                const size_t count = static_cast<size_t>(width) * height;
                for (size_t i = 0; i < count; ++i, p += 4) {
                    const unsigned a = p[3];
                    if (a != 255) {
                        for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>((p[c] * a + 255 * (255 - a)) / 255);
                        p[3] = 255;
                    }
                }
                GdiFlush();
            }
        }
    }
    if (FAILED(hr) && bitmap) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    Release(converter);
    Release(frame);
    Release(decoder);
    Release(stream);
    Release(factory);
    return bitmap;
}

}  // namespace tl5win
