#include "shell/WalletListRules.h"

#include "model/Wallet.h"
#include "platform/FormatText.h"
#include "platform/PathText.h"

namespace tl5 {

namespace {

char16_t LowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

}  // namespace

bool IsLegacyWalletPath(std::u16string_view path) {
    if (path.size() < kMinWalletPathLength) return false;
    const size_t dot = path.rfind(u'.');
    if (dot == std::u16string_view::npos) return false;
    const std::u16string_view ext = path.substr(dot);
    static constexpr char16_t kWal[] = u".wal";
    if (ext.size() != 4) return false;
    for (size_t i = 0; i < 4; ++i)
        if (LowerAscii(ext[i]) != kWal[i]) return false;
    return true;
}

std::u16string FixSavedWalletPath(std::u16string_view path) {
    std::u16string fixed(path);
    if (fixed.size() >= 2 && fixed[0] == u'\\' && fixed[1] == u'\\') fixed.erase(0, 1);
    if (!fixed.empty() && fixed.back() == u'.') fixed += u"tl5";
    return fixed;
}

std::u16string ProbeFailureText(const StringSource& strings, std::u16string_view displayName, int result) {
    return FormatText(u"%s\n%s\n(%02d)",
                      {strings(IDS_OPEN_WALLET_FAILED), std::u16string(displayName), static_cast<long long>(result)});
}

std::u16string OpenFailureText(const StringSource& strings, std::u16string_view displayName, int code) {
    uint32_t reason = IDS_FILE_ERROR;
    if (code == kOpenNotAWallet) reason = IDS_NOT_A_WALLET_FILE;
    else if (code == kOpenWrongPassword) reason = IDS_WRONG_PASSWORD;
    else if (code == kOpenNoMemory) reason = IDS_NOT_ENOUGH_MEMORY;
    else if (code == kOpenWrongPasswordOrDamaged) reason = IDS_WRONG_PASSWORD_OR_DAMAGED;
    else if (code == kOpenDamaged) reason = IDS_DAMAGED_FILE;
    return FormatText(u"%s\n%s\n(%s:%d)", {strings(IDS_OPEN_WALLET_FAILED), std::u16string(displayName),
                                             strings(reason), static_cast<long long>(code)});
}

ConversionReport ConversionResultReport(const StringSource& strings, int result, std::u16string_view legacyPath,
                                        std::u16string_view newPath, std::u16string_view appFolder) {
    ConversionReport report;
    report.icon = 0x10;
    const std::u16string description =
        FormatText(strings(IDS_FILE_AND_FOLDER), {FileNameOf(legacyPath), FolderOf(legacyPath)});
    switch (result) {
    case 0:
        report.success = true;
        report.icon = 0x40;
        report.text = FormatText(strings(IDS_CONVERTED_AS), {FileNameOf(newPath)});
        break;
    case 2:
        report.text = FormatText(u"%s\n%s", {strings(IDS_CONVERT_WRONG_PASSWORD), description});
        break;
    case 4:
        report.text = FormatText(u"%s\n%s", {strings(IDS_CONVERT_FAILED), description});
        break;
    case 7:
        report.text = FormatText(u"%s%s", {strings(IDS_CONVERT_NAME_EXISTS), description});
        break;
    case 8:
        // No text was ever given to this result; an empty message box tells the user nothing.
        report.text = FormatText(u"%s\n%s", {strings(kConversionCreateFailedText), description});
        break;
    case 9:
        report.text = FormatText(u"%s%s", {strings(IDS_CONVERT_NO_FOLDERS), description});
        report.icon = 0x40;
        break;
    case 10: {
        std::u16string format = strings(IDS_CONVERT_TCD_MISSING);
        if (format.empty())
            format = u"Could not find associated custom form (*.tcd) definition file for conversion.\n\n"
                     u"Please copy to the %s folder and try again.";
        report.text = FormatText(format, {std::u16string(appFolder)});
        break;
    }
    default:
        report.text = FormatText(u"%s%s\n%s: %02d",
                                 {strings(IDS_CONVERT_FAILED), description, strings(IDS_ERROR),
                                  static_cast<long long>(result)});
        break;
    }
    return report;
}

}  // namespace tl5
