#include "shell/WalletListRules.h"

namespace tl5 {

namespace {

std::u16string NumberText(long long value, size_t width) {
    const bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(value)
                                            : static_cast<unsigned long long>(value);
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    while (digits.size() + (negative ? 1 : 0) < width) digits.insert(digits.begin(), u'0');
    if (negative) digits.insert(digits.begin(), u'-');
    return digits;
}

char16_t LowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

}  // namespace

std::u16string FormatText(std::u16string_view format, std::initializer_list<FormatArg> args) {
    std::u16string out;
    auto next = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        const char16_t c = format[i];
        if (c != u'%' || i + 1 >= format.size()) {
            out.push_back(c);
            continue;
        }
        size_t j = i + 1;
        if (format[j] == u'%') {
            out.push_back(u'%');
            i = j;
            continue;
        }
        size_t width = 0;
        if (format[j] == u'0') ++j;
        while (j < format.size() && format[j] >= u'0' && format[j] <= u'9') {
            width = width * 10 + static_cast<size_t>(format[j] - u'0');
            ++j;
        }
        if (j >= format.size() || (format[j] != u's' && format[j] != u'd')) {
            out.push_back(c);  // not a conversion we know: keep the text as it stands
            continue;
        }
        if (next != args.end()) {
            if (const auto* text = std::get_if<std::u16string>(&*next))
                out += *text;
            else
                out += NumberText(std::get<long long>(*next), format[j] == u'd' ? width : 0);
            ++next;
        }
        i = j;
    }
    return out;
}

std::u16string ShownFileName(std::u16string_view path) {
    const size_t slash = path.rfind(u'\\');
    return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

std::u16string ShownFolder(std::u16string_view path) {
    const size_t slash = path.rfind(u'\\');
    return slash == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, slash));
}

std::u16string WalletDisplayName(std::u16string_view path) {
    std::u16string name = ShownFileName(path);
    const size_t dot = name.rfind(u'.');
    if (dot != std::u16string::npos) name.resize(dot);
    return name;
}

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
    return FormatText(u"%s\n%s\n(%02d)", {strings(23016), std::u16string(displayName), static_cast<long long>(result)});
}

std::u16string OpenFailureText(const StringSource& strings, std::u16string_view displayName, int code) {
    uint32_t reason = 23015;
    if (code == 7) reason = 23013;
    else if (code == 10) reason = 23014;
    else if (code == 12) reason = 23002;
    return FormatText(u"%s\n%s\n(%s:%d)",
                      {strings(23016), std::u16string(displayName), strings(reason), static_cast<long long>(code)});
}

ConversionReport ConversionResultReport(const StringSource& strings, int result, std::u16string_view legacyPath,
                                        std::u16string_view newPath, std::u16string_view appFolder) {
    ConversionReport report;
    report.icon = 0x10;
    const std::u16string description = FormatText(strings(22013), {ShownFileName(legacyPath), ShownFolder(legacyPath)});
    switch (result) {
    case 0:
        report.success = true;
        report.icon = 0x40;
        report.text = FormatText(strings(22019), {ShownFileName(newPath)});
        break;
    case 2:
        report.text = FormatText(u"%s\n%s", {strings(22014), description});
        break;
    case 4:
        report.text = FormatText(u"%s\n%s", {strings(22015), description});
        break;
    case 7:
        report.text = FormatText(u"%s%s", {strings(22017), description});
        break;
    case 8:
        // No text was ever given to this result; an empty message box tells the user nothing.
        report.text = FormatText(u"%s\n%s", {strings(kConversionCreateFailedText), description});
        break;
    case 9:
        report.text = FormatText(u"%s%s", {strings(22018), description});
        report.icon = 0x40;
        break;
    case 10: {
        std::u16string format = strings(22022);
        if (format.empty())
            format = u"Could not find associated custom form (*.tcd) definition file for conversion.\n\n"
                     u"Please copy to the %s folder and try again.";
        report.text = FormatText(format, {std::u16string(appFolder)});
        break;
    }
    default:
        report.text = FormatText(u"%s%s\n%s: %02d",
                                 {strings(22015), description, strings(20500), static_cast<long long>(result)});
        break;
    }
    return report;
}

}  // namespace tl5
