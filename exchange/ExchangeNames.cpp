#include "exchange/ExchangeNames.h"

#include <cstdio>

#include "platform/DocumentsFolder.h"
#include "platform/ExchangeServices.h"
#include "platform/PathText.h"
#include "resources/StringTable.h"

namespace tl5 {

namespace {

std::u16string Ascii(const char* text) { return std::u16string(text, text + std::char_traits<char>::length(text)); }

}  // namespace

std::u16string DatedFileName(std::u16string_view name, const SystemTime& date, std::u16string_view extension) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "_%02d%02d%d", date.day, date.month, date.year);
    std::u16string out(name);
    out += Ascii(suffix);
    out.append(extension);
    return out;
}

std::u16string FittedExportFileName(std::u16string_view folder, std::u16string_view name, const SystemTime& date,
                                    std::u16string_view extension) {
    std::u16string clean = CleanedFileName(name);
    for (char16_t& c : clean) {
        if (c < 0x20 || c == 0x7f) c = u'_';
    }
    const size_t fixed = JoinPath(folder, DatedFileName(u"", date, extension)).size();
    if (fixed + 1 > kMaxExportPath) return std::u16string();
    const size_t room = kMaxExportPath - fixed;
    if (clean.size() > room) {
        size_t cut = room;
        // Never split a surrogate pair.
        if (cut > 0 && clean[cut - 1] >= 0xD800 && clean[cut - 1] <= 0xDBFF) --cut;
        clean.resize(cut);
    }
    return DatedFileName(clean, date, extension);
}

std::u16string NumberedAttachmentName(int number, std::u16string_view fileName) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "%03d_", number);
    std::u16string out = Ascii(prefix);
    out.append(fileName);
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
