#include "cardui/win/ImageLists.h"

#include <array>
#include <cstring>
#include <new>
#include <vector>

#include "cardui/IconReader.h"
#include "model/Md5.h"

namespace tl5win {

// Built over the portable core: its names are used here as they stand.
using namespace tl5;
namespace {

constexpr int kOverlayFirstResource = 296;
constexpr int kOverlayCount = 4;
constexpr int kStockFirstResource = 300;
constexpr int kSingleIconResource = 227;
constexpr int kActionResources[] = {228, 229, 230, 214};   // web, e-mail, phone, attachment
constexpr int kGrowBy = 512;

using IconKey = std::array<uint8_t, Md5::kDigestSize>;

struct Lists {
    HINSTANCE instance = nullptr;
    bool instanceSet = false;
    HIMAGELIST stock[2] = {nullptr, nullptr};    // [0] small, [1] large
    HIMAGELIST action[2] = {nullptr, nullptr};
    HIMAGELIST single[2] = {nullptr, nullptr};
    std::vector<IconKey> customKeys;             // entry n is image 148 + n
};

Lists& State() {
    static Lists lists;
    return lists;
}

HINSTANCE ResourceInstance() {
    return State().instanceSet ? State().instance : GetModuleHandleW(nullptr);
}

int Slot(int size) { return size >= 32 ? 1 : 0; }
int PixelsOf(int slot) { return slot == 1 ? 32 : 16; }

// Adds an icon resource to a list; a missing resource is skipped. Returns the new image or -1.
int AddIconResource(HIMAGELIST list, int resource, int pixels) {
    HICON icon = static_cast<HICON>(
        LoadImageW(ResourceInstance(), MAKEINTRESOURCEW(resource), IMAGE_ICON, pixels, pixels, LR_DEFAULTCOLOR));
    if (icon == nullptr) return -1;
    const int image = ImageList_AddIcon(list, icon);
    DestroyIcon(icon);
    return image;
}

HIMAGELIST MakeList(int pixels, int initial) {
    return ImageList_Create(pixels, pixels, ILC_COLOR32 | ILC_MASK, initial, kGrowBy);
}

void DestroyPair(HIMAGELIST (&pair)[2]) {
    for (HIMAGELIST& list : pair) {
        if (list) ImageList_Destroy(list);
        list = nullptr;
    }
}

// An icon of the reader's chosen image: a 32-bit colour bitmap with alpha and the image's mask.
HICON MakeIcon(const IconReader& reader) {
    const int w = reader.Width();
    const int h = reader.Height();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;   // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP color = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (color == nullptr || bits == nullptr) {
        if (color) DeleteObject(color);
        return nullptr;
    }
    reader.DecodeBgra(static_cast<uint32_t*>(bits), static_cast<size_t>(w) * h);
    GdiFlush();

    // Monochrome bitmap rows are padded to 16 bits, top-down; a set bit is transparent.
    const size_t stride = ((static_cast<size_t>(w) + 15) / 16) * 2;
    std::vector<uint8_t> maskBits;
    try {
        maskBits.assign(stride * static_cast<size_t>(h), 0);
    } catch (const std::bad_alloc&) {
        DeleteObject(color);
        return nullptr;
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if ((reader.PixelBgra(x, y) >> 24) == 0) maskBits[stride * y + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
    }
    HBITMAP mask = CreateBitmap(w, h, 1, 1, maskBits.data());
    if (mask == nullptr) {
        DeleteObject(color);
        return nullptr;
    }
    ICONINFO ii{};
    ii.fIcon = TRUE;
    ii.hbmMask = mask;
    ii.hbmColor = color;
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(mask);
    DeleteObject(color);
    return icon;
}

}  // namespace

void SetIconResourceInstance(HINSTANCE instance) {
    if (State().instanceSet && State().instance == instance) return;
    DestroyIconImageLists();
    State().instance = instance;
    State().instanceSet = true;
}

HIMAGELIST StockIconList(int size) {
    Lists& s = State();
    const int slot = Slot(size);
    if (s.stock[slot]) return s.stock[slot];
    const int pixels = PixelsOf(slot);
    HIMAGELIST list = MakeList(pixels, kFirstCustomImage);
    if (list == nullptr) return nullptr;
    for (int i = 0; i < kOverlayCount; ++i) {
        const int image = AddIconResource(list, kOverlayFirstResource + i, pixels);
        if (image >= 0) ImageList_SetOverlayImage(list, image, i + 1);
    }
    for (int k = 0; k < kStockIconCount; ++k) AddIconResource(list, kStockFirstResource + k, pixels);
    s.stock[slot] = list;
    return list;
}

HIMAGELIST ActionIconList(int size) {
    Lists& s = State();
    const int slot = Slot(size);
    if (s.action[slot]) return s.action[slot];
    HIMAGELIST list = MakeList(PixelsOf(slot), 4);
    if (list == nullptr) return nullptr;
    for (int resource : kActionResources) AddIconResource(list, resource, PixelsOf(slot));
    s.action[slot] = list;
    return list;
}

HIMAGELIST SingleIconList(int size) {
    Lists& s = State();
    const int slot = Slot(size);
    if (s.single[slot]) return s.single[slot];
    HIMAGELIST list = MakeList(PixelsOf(slot), 1);
    if (list == nullptr) return nullptr;
    AddIconResource(list, kSingleIconResource, PixelsOf(slot));
    s.single[slot] = list;
    return list;
}

int TotalIconCount() { return kStockIconCount + static_cast<int>(State().customKeys.size()); }

int CustomIconIndex(const uint8_t* data, size_t size) {
    if (data == nullptr || size == 0) return -1;
    Lists& s = State();
    IconKey key{};
    Md5Digest(data, size, key.data());
    for (size_t n = 0; n < s.customKeys.size(); ++n) {
        if (s.customKeys[n] == key) return kFirstCustomImage + static_cast<int>(n);
    }
    if (s.customKeys.size() >= static_cast<size_t>(kMaxCustomIcons)) return -1;

    HIMAGELIST smallList = StockIconList(16);
    HIMAGELIST largeList = StockIconList(32);
    if (smallList == nullptr || largeList == nullptr) return -1;
    HICON smallIcon = nullptr;
    HICON largeIcon = nullptr;
    int result = -1;
    if (ReadIcon(data, size, 16, 24, true, &smallIcon) == kIconOk &&
        ReadIcon(data, size, 32, 24, true, &largeIcon) == kIconOk) {
        const int expected = kFirstCustomImage + static_cast<int>(s.customKeys.size());
        const int a = ImageList_AddIcon(smallList, smallIcon);
        const int b = ImageList_AddIcon(largeList, largeIcon);
        if (a == expected && b == expected) {
            try {
                s.customKeys.push_back(key);
                result = expected;
            } catch (const std::bad_alloc&) {
            }
        }
        if (result < 0) {   // keep both lists as they were
            if (a >= 0) ImageList_Remove(smallList, a);
            if (b >= 0) ImageList_Remove(largeList, b);
        }
    }
    if (smallIcon) DestroyIcon(smallIcon);
    if (largeIcon) DestroyIcon(largeIcon);
    return result;
}

void DestroyIconImageLists() {
    Lists& s = State();
    DestroyPair(s.stock);
    DestroyPair(s.action);
    DestroyPair(s.single);
    s.customKeys.clear();
}

int ReadIcon(const uint8_t* data, size_t size, int height, int bitCount, bool allowOtherDepth, HICON* icon) {
    if (icon == nullptr) return kIconMissingInput;
    *icon = nullptr;
    IconReader reader;
    const int code = reader.Read(data, size, height, bitCount, allowOtherDepth);
    if (code != kIconOk) return code;
    *icon = MakeIcon(reader);
    return *icon ? kIconOk : kIconBadBitmap;
}

int ReadIconFile(const wchar_t* path, int height, int bitCount, bool allowOtherDepth, HICON* icon) {
    if (icon) *icon = nullptr;
    if (path == nullptr || icon == nullptr || wcslen(path) <= 4) return kIconMissingInput;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kIconCannotRead;
    LARGE_INTEGER length{};
    int code = kIconCannotRead;
    if (GetFileSizeEx(file, &length)) {
        constexpr LONGLONG kLimit = 4 * 1024 * 1024;
        if (length.QuadPart > kLimit) {
            code = kIconBeyondData;
        } else {
            std::vector<uint8_t> bytes;
            try {
                bytes.resize(static_cast<size_t>(length.QuadPart));
            } catch (const std::bad_alloc&) {
                CloseHandle(file);
                return kIconBeyondData;
            }
            DWORD read = 0;
            const bool ok = bytes.empty() ||
                            (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                             read == bytes.size());
            if (ok) code = ReadIcon(bytes.empty() ? nullptr : bytes.data(), bytes.size(), height, bitCount,
                                    allowOtherDepth, icon);
        }
    }
    CloseHandle(file);
    return code;
}

}  // namespace tl5win
