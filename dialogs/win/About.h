// The About screen (template 101): product, version, the maker's notice and web site.
#pragma once

#include <windows.h>

namespace tl5win {

constexpr int kAboutDialog = 101;

// Modal; returns when the screen is closed.
void ShowAbout(HWND parent);

}  // namespace tl5win
