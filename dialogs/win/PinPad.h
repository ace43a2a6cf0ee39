// The PIN pad of the password entry: thirteen owner-drawn keys in three colours.
#pragma once

#include <windows.h>

namespace tl5win {

// Key identifiers: digits 1400 + n, Back, Clear and OK.
constexpr int kPinDigit0 = 1400;
constexpr int kPinBack = 1410;
constexpr int kPinClear = 1411;
constexpr int kPinOk = 1412;

constexpr bool IsPinPadKey(int id) { return id >= kPinDigit0 && id <= kPinOk; }
constexpr bool IsPinDigit(int id) { return id >= kPinDigit0 && id <= kPinDigit0 + 9; }

// The three key brushes: digits, the editing keys (Clear and Back), and OK.
class PinPadBrushes {
public:
    PinPadBrushes();
    ~PinPadBrushes();
    PinPadBrushes(const PinPadBrushes&) = delete;
    PinPadBrushes& operator=(const PinPadBrushes&) = delete;

    HBRUSH ForKey(int id) const;
    static COLORREF ColorOfKey(int id);

private:
    HBRUSH digits_;
    HBRUSH editing_;
    HBRUSH ok_;
};

// Draws a key: its colour, a white caption in the key's font, a darker frame, pressed look and
// focus rectangle.
void DrawPinPadKey(const DRAWITEMSTRUCT& item, const PinPadBrushes& brushes);

// Inserts a digit at the caret of the entry box, replacing a selection, and gives it the focus.
void PinPadInsertDigit(HWND entry, int digit);

// Deletes as the Backspace key would: the entry box gets the focus and a synthesised key press.
void PinPadBackspace(HWND entry);

}  // namespace tl5win
