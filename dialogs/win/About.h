// The About screen (template IDD_ABOUT): product, version, the maker's notice and web site.
#pragma once

#include <windows.h>

namespace tl5win {

// Modal; returns when the screen is closed.
void ShowAbout(HWND parent);

}  // namespace tl5win
