// The dialog bar: the title strip across the top of every dialog (window class "OWDlgBar", control
// 1059 in the dialog templates, or created in code), and the gradient fills it shares with the main
// window's banner.
//
// A bar paints a vertical gradient from the bar start colour to the bar end colour, an icon at the
// left and a caption in the bar font and text colour. What it shows is its `DialogBarContent`,
// attached to the bar window and owned by it; a bar without content paints as a plain white window.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "resources/resource.h"

namespace tl5win {

// Control identifier of the bar in the dialog templates.
constexpr int kDialogBarControlId = IDC_DIALOG_BAR;
// Icon value that stands for a custom icon built from icon data.
constexpr int kDialogBarCustomIcon = -1;

// What one bar shows. Owned by the bar window (its user data); freed when the bar is destroyed.
struct DialogBarContent {
    int icon = 0;                      // icon resource, image list index, or -1 for a custom icon
    HINSTANCE instance = nullptr;      // where the icon resource is loaded from
    HIMAGELIST imageList = nullptr;    // when set, `icon` is an index into it
    std::wstring caption;
    HICON customSmall = nullptr;       // 16-pixel custom icon (icon -1 only)
    HICON customLarge = nullptr;       // 32-pixel custom icon (icon -1 only)
};

// Registers the "OWDlgBar" class for `instance` (class style CS_HREDRAW | CS_VREDRAW, white
// background), or unregisters it when `unregister` is true. A class that is already registered
// counts as success.
bool RegisterDialogBarClass(HINSTANCE instance, bool unregister = false);

// The height and font of every bar, set once by the main window at its first layout. Until then the
// height is 23 (scaled) pixels and the font the platform's dialog font.
void SetDialogBarGlobals(int height, HFONT font);
int DialogBarHeight();
HFONT DialogBarFont();

// The bar colours (the settings Color.BarStart, Color.BarEnd and Color.BarText).
void SetDialogBarColors(COLORREF start, COLORREF end, COLORREF text);
COLORREF DialogBarStartColor();
COLORREF DialogBarEndColor();
COLORREF DialogBarTextColor();

// Creates a bar in `parent` at `position`, as wide as the parent window plus one pixel and as high
// as the bar height, registering the class first when needed. `style` is added to WS_CHILD.
HWND CreateDialogBar(HWND parent, const wchar_t* caption, DWORD style, POINT position, HINSTANCE instance);

// A bar made in code at the top of `parent` (for a screen whose template has none), with its caption
// and icon, under the control id of the templates' bars.
HWND CreateTitleBar(HWND parent, const std::wstring& caption, int iconId);

// Lays out a screen made of a title bar made in code and one control under it (a document list): the
// bar across the top, the control filling the rest of the client area. Either may be null.
void FitTitleBarAndBody(HWND screen, HWND titleBar, HWND body);

// Replaces what the bar shows. With `icon` -1 and icon data, 16- and 32-pixel icons are read from
// the data (24-bit preferred, other depths allowed); data that cannot be read leaves the bar
// without an icon. The caption also becomes the bar's window text. Returns false for a window that
// is not a bar of ours, or when memory runs out.
bool SetDialogBarContent(HWND bar, const wchar_t* caption, int icon, HINSTANCE instance,
                         HIMAGELIST imageList = nullptr, const uint8_t* iconData = nullptr,
                         size_t iconDataSize = 0);

// The content a bar shows, or null.
const DialogBarContent* GetDialogBarContent(HWND bar);

// Moves the bar to (0, 0) with the dialog's client width plus one pixel and the bar height.
void FitDialogBar(HWND bar, HWND dialog);

// Fills `rect` with a gradient in one-pixel bands: rows from top to bottom when `vertical`,
// columns from left to right otherwise.
void FillGradient(HDC dc, const RECT& rect, COLORREF start, COLORREF end, bool vertical);

// Fills the rows of `rect` with a vertical gradient scaled to the height of `reference`: row k of
// the rectangle (counted from its own top) gets band k of the reference's height.
void FillGradientPart(HDC dc, const RECT& rect, COLORREF start, COLORREF end, const RECT& reference);

}  // namespace tl5win
