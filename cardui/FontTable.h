// The fixed set of fonts the application draws with, the text size codes that select them, and the
// scaling of pixel constants on high-resolution screens.
#pragma once

#include <cstdint>

namespace tl5 {

constexpr int kFontTableSize = 28;

// How an entry gets its face and height.
enum class FontSource : uint8_t {
    Points,        // the system font's face at `tenthsOfPoints`
    DefaultHeight, // the system font's face at the platform's default height (0)
    SystemFont,    // the stock system font as it is
    SystemFontBold // the stock system font in weight 700
};

struct FontTableEntry {
    FontSource source;
    int tenthsOfPoints;  // 85 for 8.5 points; 0 unless source is Points
    int weight;          // 400 or 700 (for SystemFont: the system font's own weight)
    bool underline;
};

// `FontTable`: the 28 entries by index.
extern const FontTableEntry FontTable[kFontTableSize];

// `FontSizeCode`: the entry that a text size code selects. `largeFonts` is the system's large-font
// accessibility setting (16 instead of 11 points for code 0).
int FontEntryForSizeCode(int sizeCode, bool bold, bool largeFonts);

// Character height of a font of the given size on a screen of `dpi` vertical dots per inch, negated
// as a request for the character height (not the cell height); rounded to the nearest pixel.
int FontCharacterHeight(int tenthsOfPoints, int dpi);

// High-resolution screens (192 horizontal dots per inch and more) double every scaled pixel constant.
constexpr bool IsHighResolutionDpi(int dpi) { return dpi >= 192; }
constexpr int ScaleForDpi(int n, int dpi) { return IsHighResolutionDpi(dpi) ? 2 * n : n; }

// n device-independent units (96 per inch) in pixels, rounded half up: (n * dpi + 48) / 96.
constexpr int UnitsToPixels(int n, int dpi) { return (n * dpi + 48) / 96; }

}  // namespace tl5
