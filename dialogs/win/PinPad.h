// The PIN pad of the password entry: thirteen owner-drawn keys in three colours.
#pragma once

#include <windows.h>

#include "resources/resource.h"

namespace tl5win {

// The keys are the controls IDC_PIN_0 to IDC_PIN_9 (digit n is IDC_PIN_0 + n), IDC_PIN_BACK,
// IDC_PIN_CLEAR and IDC_PIN_OK.
constexpr bool IsPinPadKey(int id) { return id >= IDC_PIN_0 && id <= IDC_PIN_OK; }
constexpr bool IsPinDigit(int id) { return id >= IDC_PIN_0 && id <= IDC_PIN_9; }

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
