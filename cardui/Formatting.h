// Date, time and size pictures shared by the dialogs and editors.
//
// These are the portable halves: the picture fixes and the arithmetic of size texts. The Win32 side
// (cardui/win/Strings.h) reads the user's pictures and number format and applies them.
#pragma once

#include <cstdint>
#include <string>

namespace tl5 {

// The user's short date picture with a four-digit year: when it has no "yyyy" but has "yy", the
// first "yy" becomes "yyyy" (M/d/yy -> M/d/yyyy). Other pictures are returned unchanged.
std::u16string FixShortDatePicture(std::u16string picture);

// The user's time picture without seconds: the separator followed by "ss" is removed, or else the
// separator followed by "s"; otherwise the picture is unchanged (h:mm:ss tt -> h:mm tt).
std::u16string FixTimePicture(std::u16string picture, const std::u16string& separator);

// A byte count split for display: `number` is the plain decimal text ("1023", "1.50", "2") that the
// user's number format then dresses, `unit` the suffix ("B", "K", "M" or "G"). Units are 1024;
// hundredths are truncated; a whole number of megabytes or gigabytes has no fraction.
struct SizeTextParts {
    std::u16string number;
    std::u16string unit;
};
SizeTextParts SplitSizeText(uint32_t bytes);

}  // namespace tl5
