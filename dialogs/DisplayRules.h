// The rules of the display options and the card display dialog: the text size lists and which entry
// a stored size selects, the colour chooser's starting custom colours, and how the dialogs' choices
// are read from and written back to the wallet's settings, the application's settings and a card's
// head. A value the user did not change is written back exactly as it was stored.
#pragma once

#include <array>
#include <cstdint>

#include "StringIds.h"
#include "model/Card.h"

namespace tl5 {

class WalletSettings;
struct Settings;

constexpr uint32_t ColourOf(uint32_t red, uint32_t green, uint32_t blue) { return red | (green << 8) | (blue << 16); }

// A colour that is not set: its swatch is white with a focus frame.
constexpr uint32_t kNoColour = 0xFFFFFFFFu;

// The colour chooser's custom colours at the start of the process, entries 1 to 16, four to a line.
// clang-format off
inline constexpr std::array<uint32_t, 16> kStartCustomColours{{
    ColourOf(239, 254, 233), ColourOf(222, 223, 222), ColourOf(204, 204, 255), ColourOf(204, 255, 102),
    ColourOf(51, 204, 204),  ColourOf(255, 204, 102), ColourOf(102, 255, 51),  ColourOf(102, 255, 255),
    ColourOf(255, 80, 80),   ColourOf(0, 102, 153),   ColourOf(102, 0, 204),   ColourOf(0, 0, 153),
    ColourOf(0, 102, 0),     ColourOf(255, 51, 204),  ColourOf(0, 51, 0),      ColourOf(255, 51, 0),
}};
// clang-format on

// ---- Text sizes ----------------------------------------------------------------------------------

// The three text size choices: their sizes in points and their texts.
inline constexpr std::array<uint32_t, 3> kTextSizes{{8, 9, 11}};
inline constexpr std::array<uint32_t, 3> kTextSizeStrings{{IDS_TEXT_SIZE_8, IDS_TEXT_SIZE_9, IDS_TEXT_SIZE_11}};

// The entry a stored size selects: 0 for 1 to 8, 1 for 9 and above 12, 2 otherwise (0 or less, 10 to 12).
int TextSizeEntry(int32_t stored);
// The size of an entry; 8 for none (or anything out of range).
uint32_t TextSizeOfEntry(int entry);
// The size "Done" stores: the stored size when `entry` is still the one it selected (so a size the
// list cannot show, such as 10, survives a visit), otherwise the entry's size.
uint32_t ChosenTextSize(int entry, uint32_t stored);

// The wallet tree font list: 8, 9 and 11 points regular, then the same bold.
inline constexpr std::array<uint32_t, 6> kTreeFontStrings{{IDS_TEXT_SIZE_8, IDS_TEXT_SIZE_9, IDS_TEXT_SIZE_11,
                                                           IDS_TEXT_SIZE_8_BOLD, IDS_TEXT_SIZE_9_BOLD,
                                                           IDS_TEXT_SIZE_11_BOLD}};
struct TreeFont {
    uint32_t size;
    bool bold;
    friend bool operator==(const TreeFont&, const TreeFont&) = default;
};
int TreeFontEntry(int32_t size, bool bold);
// Entry above 2: bold; entries 0 and 3 (and none): 8 points, 2 and 5: 11, otherwise 9.
TreeFont TreeFontOfEntry(int entry);

// A yes/no word of a head: the stored word when the box still shows it (any non-zero word is "yes"),
// otherwise 1 or 0.
uint32_t ChosenFlag(uint32_t stored, bool checked);

// ---- Card display ---------------------------------------------------------------------------------

// What the card display dialog shows of a card's head.
struct CardDisplayChoices {
    int sizeEntry = -1;
    bool namesBold = false;
    bool dataBold = false;
    bool alwaysShowPasswords = false;
    uint32_t backgroundColour = 0;
    uint32_t nameColour = 0;
    uint32_t dataColour = 0;
};

CardDisplayChoices CardDisplayChoicesOf(const CardHead& head);
// The head with the choices written into it; every word the dialog does not show, and every value
// the user left as it was, stays as it was stored.
CardHead ApplyCardDisplayChoices(const CardHead& head, const CardDisplayChoices& choices);

// ---- Display options ------------------------------------------------------------------------------

struct DisplayChoices {
    int treeEntry = -1;       // the wallet tree font
    CardDisplayChoices card;  // the wallet's card view defaults; always-display is not shown and stays
    uint32_t folderColour = 0;
    uint32_t cardColour = 0;
};

// The choices the dialog starts with: the tree font from the application's settings, everything else
// from this wallet's settings (its card view defaults and its tree colours).
DisplayChoices DisplayChoicesOf(const WalletSettings& wallet, const Settings& settings);

struct DisplayApplied {
    bool walletChanged = false;  // the wallet's settings block took a new value (and is dirty)
    bool treeFontChanged = false;
};

// Writes the choices back. The tree font always takes the chosen entry's size and bold bit (the
// other bits of `FontMainStyle` stay). A wallet value is only written when it differs, so a visit
// without changes leaves the block as it was. `FontCard` follows the card size when the user chose
// a new one.
DisplayApplied ApplyDisplayChoices(const DisplayChoices& choices, WalletSettings* wallet, Settings* settings);

}  // namespace tl5
