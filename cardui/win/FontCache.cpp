#include "cardui/win/FontCache.h"

#include "cardui/FontTable.h"
#include "platform/pocketpc/DeviceScreen.h"

namespace tl5win {

// Built over the portable core: its names are used here as they stand.
using namespace tl5;

namespace {

// The platform's system font. On a desktop the font of dialogs and controls plays the handheld's
// system font (the desktop's SYSTEM_FONT is an old bitmap face).
LOGFONTW SystemLogFont() {
    LOGFONTW lf{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    return lf;
}

int VerticalDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

FontCache::FontCache() {
    const LOGFONTW lf = SystemLogFont();
    lstrcpynW(face_, lf.lfFaceName, 32);
    systemHeight_ = lf.lfHeight;
    systemBold_ = lf.lfWeight >= FW_BOLD;
}

FontCache::~FontCache() { ReleaseAll(); }

HFONT FontCache::Font(int index) {
    if (index < 0 || index >= kFontTableSize) return nullptr;
    if (slots_[index]) return slots_[index];
    const FontTableEntry& entry = FontTable[index];
    LOGFONTW lf{};
    if (entry.source == FontSource::SystemFont || entry.source == FontSource::SystemFontBold) {
        lf = SystemLogFont();
        if (entry.source == FontSource::SystemFontBold) lf.lfWeight = FW_BOLD;
    } else {
        lstrcpynW(lf.lfFaceName, face_, LF_FACESIZE);
        lf.lfHeight = entry.source == FontSource::Points ? FontCharacterHeight(entry.tenthsOfPoints, VerticalDpi()) : 0;
        lf.lfWeight = entry.weight;
        lf.lfItalic = FALSE;
        lf.lfUnderline = entry.underline ? TRUE : FALSE;
        lf.lfCharSet = DEFAULT_CHARSET;
    }
    if (clearType_) lf.lfQuality = CLEARTYPE_QUALITY;
    slots_[index] = CreateFontIndirectW(&lf);
    return slots_[index];
}

HFONT FontCache::FontForSize(int sizeCode, bool bold) { return Font(FontEntryForSizeCode(sizeCode, bold, LargeFonts())); }

int FontCache::LineHeight(int sizeCode, HDC dc) {
    HFONT font = FontForSize(sizeCode, false);
    if (!font || !dc) return ppc::Scale(sizeCode);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    const BOOL ok = GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    if (!ok) return ppc::Scale(sizeCode);
    return tm.tmHeight + ppc::Scale(2);
}

void FontCache::ReleaseAll() {
    for (HFONT& f : slots_) {
        if (f) DeleteObject(f);
        f = nullptr;
    }
}

bool FontCache::LargeFonts() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"ControlPanel\\Accessibility", 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    DWORD value = 0, size = sizeof(value), type = 0;
    const bool large = RegQueryValueExW(key, L"FontSize", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
                           ERROR_SUCCESS &&
                       type == REG_DWORD && value == 2;
    RegCloseKey(key);
    return large;
}

FontCache& AppFontCache() {
    static FontCache cache;
    return cache;
}

int IconSize() { return ppc::Scale(16); }

}  // namespace tl5win
