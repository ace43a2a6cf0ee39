// The shared icon image lists and icons made from icon data.
//
// Stock lists (small 16 x 16 and large 32 x 32, masked): icon resources 296 to 299 as images 0 to 3
// (also overlay images 1 to 4), then the 144 stock icons, resources 300 to 443, as images 4 to 147:
// stock icon k is image k + 4. Custom icons taken from wallet data follow from image 148 on, in
// both lists at once, registered by the MD5 digest of their data so the same icon is added once.
// Single lists: icon resource 227 only. Action lists: 228 (web address), 229 (e-mail), 230 (phone)
// and 214 (attachment) as images 0 to 3.
//
// The lists are made on first use from the icon resource module and live until
// DestroyIconImageLists() (at exit, or when a wallet closes), which also empties the register.
// User-interface thread only.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <cstdint>

namespace tl5win {

constexpr int kStockIconCount = 144;
constexpr int kFirstStockImage = 4;
constexpr int kFirstCustomImage = kFirstStockImage + kStockIconCount;   // 148
constexpr int kMaxCustomIcons = 512;

// Images of the action lists.
enum ActionIcon : int { kActionIconWeb = 0, kActionIconMail = 1, kActionIconPhone = 2, kActionIconAttachment = 3 };

// The module the icon resources are loaded from (the application's own module unless set). Changing
// it destroys lists already made.
void SetIconResourceInstance(HINSTANCE instance);

// The lists by pixel size: 32 gives the large list, anything else the small one. Null when the
// list cannot be made.
HIMAGELIST StockIconList(int size);
HIMAGELIST ActionIconList(int size);
HIMAGELIST SingleIconList(int size);

// The image of stock icon k, the number of stock icons, and stock plus custom icons.
constexpr int StockIconImage(int k) { return k + kFirstStockImage; }
constexpr int StockIconCount() { return kStockIconCount; }
int TotalIconCount();

// The image index of a custom icon: its place in the register when its data was added before;
// otherwise 16- and 32-pixel images are read from the data (24-bit preferred, other depths allowed)
// and added to both stock lists. -1 when the data cannot be read (the lists stay unchanged) or when
// the register already holds 512 icons.
int CustomIconIndex(const uint8_t* data, size_t size);

// Destroys every list and empties the custom icon register.
void DestroyIconImageLists();

// Reads an icon from icon data: the image of the wanted height and bit count (see IconReader),
// made into an icon of that size. Returns an IconReadCode; on success *icon is the caller's to
// destroy.
int ReadIcon(const uint8_t* data, size_t size, int height, int bitCount, bool allowOtherDepth, HICON* icon);

// The same from an icon file. A path of 4 characters or fewer gives code 4, a file that cannot be
// opened or read code 1; a file larger than 4 MB is not read (code 2).
int ReadIconFile(const wchar_t* path, int height, int bitCount, bool allowOtherDepth, HICON* icon);

}  // namespace tl5win
