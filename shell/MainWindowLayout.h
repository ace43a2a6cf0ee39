// Where the main window puts its banner strip, the find bar buttons and the tree: plain arithmetic
// over the screen width, kept apart from the window so it can be checked anywhere.
#pragma once

#include <string_view>

namespace tl5 {

struct LayoutRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct MainWindowLayout {
    LayoutRect findToggle;      // 1001
    LayoutRect findEdit;        // 1002
    LayoutRect findNow;         // 1003
    LayoutRect clear;           // 1004
    LayoutRect expandCollapse;  // 1005
    bool showFindNow = false;
    bool showClear = false;
    bool showExpandCollapse = true;
    int bannerHeight = 0;
    LayoutRect tree;
    // Right and bottom inclusive as the banner is painted: (left, top) to (right, bottom).
    int bannerTextLeft = 0, bannerTextTop = 0, bannerTextRight = 0, bannerTextBottom = 0;
    int bannerRight = 0, bannerBottom = 0;
};

// True when the find text holds a character other than a blank.
bool FindTextHasContent(std::u16string_view text);

// Lays out the banner for a screen `screenWidth` pixels wide and a client area of the given size.
// `highResolution` doubles the pixel constants; `textOffset` is the scaled gap (3 or 6) between the
// find toggle and the banner text.
MainWindowLayout ComputeMainWindowLayout(int screenWidth, int clientWidth, int clientHeight, bool highResolution,
                                         bool findBarShown, std::u16string_view findText);

}  // namespace tl5
