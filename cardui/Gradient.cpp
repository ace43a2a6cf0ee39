#include "cardui/Gradient.h"

#include <algorithm>
#include <new>

namespace tl5 {
namespace {

int Channel(int from, int to, int k, int n) {
    // 64-bit product: k and n are pixel counts, the difference at most 255 in size.
    const long long value = from + static_cast<long long>(to - from) * k / n;
    const int low = std::min(from, to);
    const int high = std::max(from, to);
    return static_cast<int>(std::clamp<long long>(value, low, high));
}

}  // namespace

ColorRef GradientBandColor(ColorRef start, ColorRef end, int k, int n) {
    if (n <= 0) return start;
    if (k < 0) k = 0;
    return MakeColorRef(Channel(ColorRed(start), ColorRed(end), k, n),
                        Channel(ColorGreen(start), ColorGreen(end), k, n),
                        Channel(ColorBlue(start), ColorBlue(end), k, n));
}

std::vector<GradientBand> GradientBands(const GradientRect& rect, ColorRef start, ColorRef end,
                                        bool vertical) {
    std::vector<GradientBand> bands;
    if (rect.right <= rect.left || rect.bottom <= rect.top) return bands;
    const int n = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    try {
        bands.reserve(static_cast<size_t>(n));
    } catch (const std::bad_alloc&) {
        return bands;
    }
    for (int k = 0; k < n; ++k) {
        GradientBand band;
        band.rect = rect;
        if (vertical) {
            band.rect.top = rect.top + k;
            band.rect.bottom = band.rect.top + 1;
        } else {
            band.rect.left = rect.left + k;
            band.rect.right = band.rect.left + 1;
        }
        band.color = GradientBandColor(start, end, k, n);
        bands.push_back(band);
    }
    return bands;
}

std::vector<GradientBand> GradientPartBands(const GradientRect& rect, ColorRef start, ColorRef end,
                                            const GradientRect& reference) {
    std::vector<GradientBand> bands;
    const int n = reference.bottom - reference.top;
    if (n <= 0 || rect.right <= rect.left || rect.bottom <= rect.top) return bands;
    const int rows = rect.bottom - rect.top;
    try {
        bands.reserve(static_cast<size_t>(rows));
    } catch (const std::bad_alloc&) {
        return bands;
    }
    for (int k = 0; k < rows; ++k) {
        GradientBand band;
        band.rect = rect;
        band.rect.top = rect.top + k;
        band.rect.bottom = band.rect.top + 1;
        band.color = GradientBandColor(start, end, k, n);
        bands.push_back(band);
    }
    return bands;
}

}  // namespace tl5
