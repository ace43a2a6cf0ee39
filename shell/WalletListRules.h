// The text rules of the wallet list and of opening a wallet, apart from the windows: which files
// are legacy wallets, the names the save dialog gives back, and the wording of the failure and
// conversion reports. Strings are passed in by the caller (they come from the language
// module on the device and from the built-in table elsewhere).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "StringIds.h"
#include "platform/FormatText.h"

namespace tl5 {

// Actions the wallet list reports with WMU_WALLET_LIST_ACTION.
constexpr uint32_t kWalletListQuit = 1;
constexpr uint32_t kWalletListCreate = 2;
constexpr uint32_t kWalletListOpen = 3;

// Shortest path the wallet functions accept.
constexpr size_t kMinWalletPathLength = 6;

// A legacy wallet path has at least 6 characters and ends, from its last full stop, in ".wal"
// in any letter case.
bool IsLegacyWalletPath(std::u16string_view path);

// The path the save dialog gave back, made usable: a leading double backslash loses its first
// backslash, and a name ending in a full stop gets the extension "tl5".
std::u16string FixSavedWalletPath(std::u16string_view path);


// The message shown when the probe of a wallet file fails: IDS_OPEN_WALLET_FAILED, the display name
// and the result as two digits in brackets.
std::u16string ProbeFailureText(const StringSource& strings, std::u16string_view displayName, int result);

// The message shown when opening a wallet for work fails with `code`: IDS_OPEN_WALLET_FAILED, the
// display name and, in brackets, the reason (IDS_NOT_A_WALLET_FILE, IDS_WRONG_PASSWORD,
// IDS_NOT_ENOUGH_MEMORY, otherwise IDS_FILE_ERROR) with the code.
std::u16string OpenFailureText(const StringSource& strings, std::u16string_view displayName, int code);

// The report of a legacy conversion.
struct ConversionReport {
    bool success = false;
    std::u16string text;
    uint32_t icon = 0;  // message box icon flag
};

// The string shown for conversion result 8 (the new wallet could not be created or opened).
constexpr uint32_t kConversionCreateFailedText = IDS_CONVERT_CREATE_FAILED;

// Builds the report of conversion result `result` for the legacy file `legacyPath`; `newPath` is
// the path of the new wallet, `appFolder` the application's folder (named when the custom form
// definitions are missing).
ConversionReport ConversionResultReport(const StringSource& strings, int result, std::u16string_view legacyPath,
                                        std::u16string_view newPath, std::u16string_view appFolder);

}  // namespace tl5
