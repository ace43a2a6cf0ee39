#include "cardui/FontTable.h"

namespace tl5 {

namespace {
constexpr FontTableEntry P(int tenths, int weight, bool underline) {
    return {FontSource::Points, tenths, weight, underline};
}
}  // namespace

const FontTableEntry FontTable[kFontTableSize] = {
    P(80, 400, false),  P(90, 400, false),  P(100, 400, false), P(110, 400, false),  // 0-3
    P(120, 400, false), P(160, 400, false),                                          // 4-5
    P(80, 700, false),  P(90, 700, false),  P(100, 700, false), P(110, 700, false),  // 6-9
    P(120, 700, false), P(160, 700, false),                                          // 10-11
    P(80, 400, true),   P(90, 400, true),   P(100, 400, true),  P(110, 400, true),   // 12-15
    P(120, 400, true),  P(160, 400, true),                                           // 16-17
    P(100, 700, false),                                                              // 18
    {FontSource::DefaultHeight, 0, 400, false},                                      // 19
    {FontSource::SystemFont, 0, 0, false},                                           // 20
    {FontSource::SystemFontBold, 0, 700, false},                                     // 21
    P(85, 400, false),  P(85, 700, false),  P(85, 700, true),                        // 22-24
    P(70, 400, false),  P(70, 700, false),                                           // 25-26
    P(80, 700, true),                                                                // 27
};

int FontEntryForSizeCode(int sizeCode, bool bold, bool largeFonts) {
    if (sizeCode == 0) return largeFonts ? (bold ? 11 : 5) : (bold ? 9 : 3);
    if (sizeCode < 8) return bold ? 26 : 25;
    if (sizeCode > 12) return bold ? 11 : 5;
    const int regular = sizeCode - 8;  // 8..12 -> entries 0..4
    return bold ? regular + 6 : regular;
}

int FontCharacterHeight(int tenthsOfPoints, int dpi) {
    // points * dpi / 72, with the tenths: (tenths * dpi) / 720, rounded to nearest.
    return -((tenthsOfPoints * dpi + 360) / 720);
}

}  // namespace tl5
