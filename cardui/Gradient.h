// Gradient fills: the band arithmetic shared by the dialog bars and the main window's banner.
//
// A gradient is painted as one-pixel bands, rows from top to bottom (vertical) or columns from left
// to right. Band k of n gets, for each of red, green and blue separately,
//     start + (end - start) * k / n
// with the division truncating toward zero, so the end colour itself is never reached. The drawing
// itself (one solid brush per band) lives on the Win32 side; everything here is plain arithmetic.
#pragma once

#include <cstdint>
#include <vector>

namespace tl5 {

// A colour as 0x00BBGGRR.
using ColorRef = uint32_t;

constexpr ColorRef MakeColorRef(int red, int green, int blue) {
    return static_cast<ColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int ColorRed(ColorRef c) { return static_cast<int>(c & 0xFF); }
constexpr int ColorGreen(ColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int ColorBlue(ColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }

// A rectangle in pixels, right and bottom exclusive.
struct GradientRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// One band to fill with a solid colour.
struct GradientBand {
    GradientRect rect;
    ColorRef color = 0;
};

// The colour of band k of n. A band index at or past n (only possible for the partial variant with
// a reference shorter than the rectangle) is held to the range between the two colours, and n <= 0
// gives the start colour.
ColorRef GradientBandColor(ColorRef start, ColorRef end, int k, int n);

// The bands of a gradient over `rect`; vertical runs from top (start) to bottom, otherwise from
// left (start) to right. An empty rectangle gives no bands.
std::vector<GradientBand> GradientBands(const GradientRect& rect, ColorRef start, ColorRef end,
                                        bool vertical);

// The rows of a vertical gradient over `rect`, scaled to the height of `reference`: row k (counted
// from the rectangle's own top) gets band k of n = the reference height. A reference without
// height gives no bands (there is no gradient to take a part of).
std::vector<GradientBand> GradientPartBands(const GradientRect& rect, ColorRef start, ColorRef end,
                                            const GradientRect& reference);

}  // namespace tl5
