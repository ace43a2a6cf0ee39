#include "shell/MainWindowLayout.h"

namespace tl5 {

bool FindTextHasContent(std::u16string_view text) {
    for (char16_t c : text)
        if (c != u' ') return true;
    return false;
}

MainWindowLayout ComputeMainWindowLayout(int screenWidth, int clientWidth, int clientHeight, bool highResolution,
                                         bool findBarShown, std::u16string_view findText) {
    const int m = highResolution ? 4 : 2;   // margin
    const int t = highResolution ? 2 : 1;   // top offset
    const int b = highResolution ? 40 : 20; // button size
    const int e = highResolution ? 3 : 2;   // edit top
    const int h = highResolution ? 36 : 18; // edit height
    const int w = screenWidth;
    MainWindowLayout l;
    l.findToggle = {m, t, b, b};
    l.findNow = {w - m - b, t, b, b};
    l.expandCollapse = {w - m - b, t, b, b};
    l.clear = {w - 2 * (m + b), t, b, b};

    const bool searching = findBarShown && FindTextHasContent(findText);
    int right;
    if (searching) {
        right = w - 2 * (m + b) - m;
        l.showClear = l.showFindNow = true;
        l.showExpandCollapse = false;
    } else {
        l.showClear = l.showFindNow = false;
        l.showExpandCollapse = true;
        right = findBarShown ? w - m : w - m - b - m;
    }
    l.findEdit = {2 * m + b, e, right - (2 * m + b), h};

    l.bannerHeight = t + m + b;
    l.tree = {0, l.bannerHeight, clientWidth + 1, clientHeight - l.bannerHeight + 1};
    l.bannerTextLeft = 2 * m + b + (highResolution ? 6 : 3);
    l.bannerTextTop = e;
    l.bannerTextRight = w - 2 * m - b;
    l.bannerTextBottom = e + h - 1;
    l.bannerRight = w;
    l.bannerBottom = l.bannerHeight - 1;
    return l;
}

}  // namespace tl5
