#include "dialogs/MediaRules.h"

#include <memory>

#include "StringIds.h"
#include "model/Card.h"
#include "platform/CardServices.h"
#include "platform/File.h"

namespace tl5 {

namespace {

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool ContainsNoCase(std::u16string_view text, std::u16string_view part) {
    if (part.size() > text.size()) return false;
    for (size_t i = 0; i + part.size() <= text.size(); ++i) {
        size_t j = 0;
        while (j < part.size() && Lower(text[i + j]) == part[j]) ++j;
        if (j == part.size()) return true;
    }
    return false;
}

// Extensions the shell would run, or hand to something that runs what is inside.
constexpr std::u16string_view kProgramTypes[] = {
    u"exe", u"com", u"bat", u"cmd", u"scr", u"pif", u"cpl", u"msi", u"msp", u"mst", u"lnk", u"url", u"js", u"jse",
    u"vbs", u"vbe", u"wsf", u"wsh", u"wsc", u"hta", u"ps1", u"psm1", u"reg", u"inf", u"scf", u"jar", u"msc",
    u"application", u"appref-ms", u"gadget", u"dll", u"sys", u"chm", u"shs", u"shb", u"sct", u"vb", u"ws", u"cab"};

}  // namespace

AttachmentButtons AttachmentButtonStates(size_t count, bool selected) {
    AttachmentButtons b;
    b.add = count < kMaxAttachments;
    b.remove = b.exportFile = b.open = selected;
    return b;
}

std::u16string AttachmentInfoLine(std::u16string_view format, std::u16string_view dateText,
                                  std::u16string_view sizeText) {
    return FormatChecked(format, u"%s, %s", {std::u16string(dateText), std::u16string(sizeText)});
}

OpenVerdict ClassifyAttachmentOpen(std::u16string_view fileName) {
    if (ContainsNoCase(fileName, u".wal") || ContainsNoCase(fileName, u".tl5")) return OpenVerdict::kRefusedWallet;
    // The shell drops trailing dots and spaces: "run.exe. " is run.exe.
    size_t end = fileName.size();
    while (end > 0 && (fileName[end - 1] == u'.' || fileName[end - 1] == u' ')) --end;
    const std::u16string_view name = fileName.substr(0, end);
    const size_t dot = name.find_last_of(u'.');
    // A name without a type runs nothing: the shell asks which program should show it.
    if (dot == std::u16string_view::npos) return OpenVerdict::kOpen;
    const std::u16string_view type = name.substr(dot + 1);
    for (std::u16string_view refused : kProgramTypes) {
        if (type.size() != refused.size()) continue;
        size_t i = 0;
        while (i < type.size() && Lower(type[i]) == refused[i]) ++i;
        if (i == type.size()) return OpenVerdict::kRefusedProgram;
    }
    return OpenVerdict::kOpen;
}

uint32_t ImagePositionNameId(int entry) {
    static constexpr uint32_t kNames[kImagePositionCount] = {
        IDS_POSITION_TOP_LEFT,    IDS_POSITION_TOP_CENTRE,    IDS_POSITION_TOP_RIGHT,    IDS_POSITION_MIDDLE_LEFT,
        IDS_POSITION_CENTRE,      IDS_POSITION_MIDDLE_RIGHT,  IDS_POSITION_BOTTOM_LEFT,  IDS_POSITION_BOTTOM_CENTRE,
        IDS_POSITION_BOTTOM_RIGHT, IDS_POSITION_TILED};
    return entry >= 0 && entry < kImagePositionCount ? kNames[entry] : 0;
}

int ImagePositionEntryOfCode(int code) { return code >= 1 && code <= kImagePositionCount ? code - 1 : 0; }

int ImagePositionCodeOfEntry(int entry) { return entry >= 0 && entry < kImagePositionCount ? entry + 1 : 1; }

std::u16string MediaExportName(std::u16string_view storedName, const SystemTime& date) {
    return AttachmentOutputName(storedName, date);
}

std::u16string NumberedName(std::u16string_view name, int n) {
    const size_t dot = name.find_last_of(u'.');
    // A leading dot ("._x") is part of the name, not an extension.
    const size_t cut = dot == std::u16string_view::npos || dot == 0 ? name.size() : dot;
    std::u16string out(name.substr(0, cut));
    out += u" (";
    for (char c : std::to_string(n)) out.push_back(static_cast<char16_t>(c));
    out += u")";
    out += name.substr(cut);
    return out;
}

namespace {

// Creates `path` (which must not exist) and writes all bytes; on any failure what was made is
// removed. kFileExists when the name is taken.
int WriteNewFile(FileSystem& fs, const std::u16string& path, const uint8_t* data, size_t size) {
    std::unique_ptr<File> file;
    const int opened = fs.Open(path, FileMode::CreateNew, FileShare::None, &file);
    if (opened != kFileOk) return opened;
    size_t put = 0;
    const bool complete = (size == 0 || file->WriteAt(0, data, size, &put)) && put == size && file->Flush();
    file.reset();
    if (complete) return kFileOk;
    fs.Remove(path);
    return kFileIoError;
}

constexpr int kMaxNumberedNames = 999;

}  // namespace

ExportOutcome ExportMediaFile(FileSystem& fs, const std::u16string& folder, const std::u16string& name,
                              const uint8_t* data, size_t size, ExportCollision collision) {
    ExportOutcome out;
    if (folder.empty()) {
        out.result = ExportResult::kNoFolder;
        return out;
    }
    const std::u16string base = folder + kPathSeparator;
    out.path = base + name;
    if (collision == ExportCollision::kFreeName) {
        for (int n = 1; n <= kMaxNumberedNames; ++n) {
            const std::u16string path = n == 1 ? out.path : base + NumberedName(name, n);
            if (fs.Exists(path)) continue;
            const int written = WriteNewFile(fs, path, data, size);
            if (written == kFileExists) continue;  // made by someone else meanwhile
            if (written != kFileOk) break;
            out.path = path;
            out.result = n == 1 ? ExportResult::kWritten : ExportResult::kWrittenOtherName;
            return out;
        }
        out.result = ExportResult::kFailed;
        return out;
    }
    // Replace: the bytes go to a temporary file beside the target, which takes the target's place
    // only when complete.
    for (int n = 1; n <= kMaxNumberedNames; ++n) {
        const std::u16string temporary = base + u"~" + NumberedName(name, n) + u".part";
        if (fs.Exists(temporary)) continue;
        const int written = WriteNewFile(fs, temporary, data, size);
        if (written == kFileExists) continue;
        if (written != kFileOk) break;
        if (fs.Rename(temporary, out.path) != kFileOk) {
            fs.Remove(temporary);
            break;
        }
        out.result = ExportResult::kWritten;
        return out;
    }
    out.result = ExportResult::kFailed;
    return out;
}

uint32_t ExportMessageId(ExportResult result) {
    switch (result) {
        case ExportResult::kWritten: return IDS_FILE_SAVED_TO;
        case ExportResult::kWrittenOtherName: return IDS_SAVED_UNDER_FREE_NAME;
        case ExportResult::kNoFolder:
        case ExportResult::kFailed: return IDS_EXPORT_FAILED;
    }
    return IDS_EXPORT_FAILED;
}

}  // namespace tl5
