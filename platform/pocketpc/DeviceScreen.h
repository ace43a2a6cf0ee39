// The emulated handheld screen.
//
// The application lives inside one portrait device screen: 240 by 320 logical pixels at 96 dots per
// inch, 480 by 640 at 192 and above. On a desktop that screen is a rectangle whose top-left corner is
// the work area's top-left corner; the main window's client area covers it exactly (its caption plays
// the handheld's navigation bar), and full-screen dialogs and the menu bar are placed inside it.
#pragma once

#include <windows.h>

namespace ppc {

// Logical size of the device screen at 96 dots per inch.
constexpr int kDeviceWidth = 240;
constexpr int kDeviceHeight = 320;

// Dots per inch of the screen the device runs on (96 or more).
int DeviceDpi();

// True on a screen of 192 dots per inch or more (measured once): every scaled pixel constant doubles.
bool IsHighResolution();
// A pixel constant of the 96-dpi device on this screen: 2n at high resolution, otherwise n. The one
// scaling rule of the program.
int Scale(int n);

// The device screen in desktop coordinates: its size follows DeviceDpi() (doubled at 192).
RECT DeviceScreenRect();

// GetSystemMetrics for the device: SM_CXSCREEN and SM_CYSCREEN report the device screen;
// every other index is passed through.
int DeviceSystemMetrics(int index);

// Places a top-level window so that its client area covers the device screen.
void FitWindowToDeviceScreen(HWND window);

}  // namespace ppc
