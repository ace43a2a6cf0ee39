#include "exchange/ExchangeNames.h"

#include <cstdio>

#include "cardui/PathText.h"
#include "platform/DocumentsFolder.h"
#include "platform/ExchangeServices.h"
#include "resources/StringTable.h"

namespace tl5 {

namespace {

#ifdef _WIN32
constexpr char16_t kPathSeparator = u'\\';
#else
constexpr char16_t kPathSeparator = u'/';
#endif

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

size_t LastSeparator(std::u16string_view path) {
    for (size_t i = path.size(); i > 0; --i) {
        if (IsSeparator(path[i - 1])) return i - 1;
    }
    return std::u16string_view::npos;
}

std::u16string Ascii(const char* text) { return std::u16string(text, text + std::char_traits<char>::length(text)); }

}  // namespace

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
    std::u16string out(folder);
    if (!out.empty() && !IsSeparator(out.back())) out.push_back(kPathSeparator);
    out.append(name);
    return out;
}

std::u16string ExchangeFileName(std::u16string_view path) {
    const size_t at = LastSeparator(path);
    return std::u16string(at == std::u16string_view::npos ? path : path.substr(at + 1));
}

std::u16string ExchangeFolderOf(std::u16string_view path) {
    const size_t at = LastSeparator(path);
    return at == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, at));
}

std::u16string WalletNameOfPath(std::u16string_view path) {
    std::u16string name = ExchangeFileName(path);
    const size_t dot = name.rfind(u'.');
    if (dot != std::u16string::npos) name.resize(dot);
    return name;
}

std::u16string CleanedFileName(std::u16string_view name) {
    std::u16string out(name);
    CleanFileName(out);
    return out;
}

std::u16string DatedFileName(std::u16string_view name, const SystemTime& date, std::u16string_view extension) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "_%02d%02d%d", date.day, date.month, date.year);
    std::u16string out(name);
    out += Ascii(suffix);
    out.append(extension);
    return out;
}

std::u16string NumberedAttachmentName(int number, std::u16string_view fileName) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "%03d_", number);
    std::u16string out = Ascii(prefix);
    out.append(fileName);
    return out;
}

std::u16string FormatText(std::u16string_view format, std::initializer_list<std::u16string_view> texts,
                          std::initializer_list<long long> numbers) {
    std::u16string out;
    auto text = texts.begin();
    auto number = numbers.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        const char16_t c = format[i];
        if (c == u'%' && i + 1 < format.size()) {
            const char16_t n = format[i + 1];
            if (n == u's') {
                if (text != texts.end()) out.append(*text++);
                ++i;
                continue;
            }
            if (n == u'd') {
                if (number != numbers.end()) out += Ascii(std::to_string(*number++).c_str());
                ++i;
                continue;
            }
            if (n == u'%') {
                out.push_back(u'%');
                ++i;
                continue;
            }
        }
        out.push_back(c);
    }
    return out;
}

namespace {

std::function<bool(const std::u16string&)>& EnsureHook() {
    static std::function<bool(const std::u16string&)> hook;
    return hook;
}

std::function<std::u16string()>& DocumentsHook() {
    static std::function<std::u16string()> hook;
    return hook;
}

}  // namespace

bool EnsureOutputFolder(const std::u16string& path) {
    if (path.empty()) return false;
    return EnsureHook() ? EnsureHook()(path) : EnsureFolder(path);
}

std::u16string OutputDocumentsFolder() { return DocumentsHook() ? DocumentsHook()() : EnsureDocumentsFolder(); }

void SetOutputFolderHooksForTests(std::function<bool(const std::u16string&)> ensure,
                                  std::function<std::u16string()> documents) {
    EnsureHook() = std::move(ensure);
    DocumentsHook() = std::move(documents);
}

std::u16string ExchangeString(unsigned id) {
    const char16_t* text = StringTableLookup(id);
    return text != nullptr ? std::u16string(text) : std::u16string(u"?");
}

}  // namespace tl5
