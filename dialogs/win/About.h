// The About screen (template IDD_ABOUT): product, version, the maker's notice and web site.
#pragma once

#include <windows.h>

#include <string>

namespace tl5win {

// Modal; returns when the screen is closed. `protection` is the line that names the open wallet's
// protection (empty without a wallet).
void ShowAbout(HWND parent, const std::wstring& protection = std::wstring());

}  // namespace tl5win
