// The shared fonts of the application (`FontCache`). Pixel constants scale with ppc::Scale
// (platform/pocketpc/DeviceScreen.h).
#pragma once

#include <windows.h>

namespace tl5win {

class FontCache {
public:
    FontCache();
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // The font of a `FontTable` entry, created on first request and owned by the cache; null for an
    // index outside 0..27.
    HFONT Font(int index);
    // The font a text size code selects (regular or bold).
    HFONT FontForSize(int sizeCode, bool bold);
    // Pixel height of a text line in the regular font of a size code: cell height + 2 (scaled); the
    // size code itself, scaled, when no font can be had.
    int LineHeight(int sizeCode, HDC dc);
    // Deletes every font and empties the slots.
    void ReleaseAll();
    // Fonts created from now on use ClearType quality or not.
    void SetClearType(bool on) { clearType_ = on; }
    bool ClearType() const { return clearType_; }

    // The system font the entries are made from.
    const wchar_t* FaceName() const { return face_; }
    int SystemCharacterHeight() const { return systemHeight_; }
    bool SystemFontBold() const { return systemBold_; }

    // The system's large-font accessibility setting (HKCU\ControlPanel\Accessibility "FontSize" = 2).
    static bool LargeFonts();

private:
    HFONT slots_[28] = {};
    bool clearType_ = true;
    wchar_t face_[32] = {};
    int systemHeight_ = 0;
    bool systemBold_ = false;
};

// The cache of this process.
FontCache& AppFontCache();

// Font table entries the screens use (owned by the cache; never delete them).
constexpr int kFont9 = 1;
constexpr int kFont9Bold = 7;
constexpr int kFont85Bold = 23;
constexpr int kFont85BoldUnderlined = 24;

// Pixel size of the icons of the image lists and the dialog bar: 32 on a high-resolution screen, 16.
int IconSize();

}  // namespace tl5win
