// What the parts of our handheld shell layer share among themselves (not for the screens).
#pragma once

#include <windows.h>

namespace ppc::internal {

// Window properties: the window was made full-screen by SHInitDialog; it shows the caption's OK button.
inline constexpr wchar_t kFullScreenProp[] = L"ppc.FullScreen";
inline constexpr wchar_t kDoneButtonProp[] = L"ppc.DoneButton";

// Adds and removes window style bits, redrawing the frame when they changed.
void SetStyleBits(HWND window, LONG_PTR add, LONG_PTR remove);

// Shows or hides the input panel and tells the thread's windows (WM_SETTINGCHANGE, SPI_SETSIPINFO).
void SetInputPanelShown(bool shown);

}  // namespace ppc::internal
