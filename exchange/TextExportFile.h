// The writer of text exports: a UTF-16LE file with a byte order mark whose lines end with CR LF,
// the file start, card blocks and folder headers. The walk over the wallet is in TextExport.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/Card.h"
#include "platform/File.h"
#include "platform/LocalTime.h"

namespace tl5 {

// String identifiers of the texts an export writes.
enum TextExportString : uint32_t {
    kStrFolder = 20516,
    kStrBlockRule = 22138,
    kStrExportTitle = 22142,
    kStrExportWallet = 22143,   // format, one text: the wallet's name
    kStrExportFile = 22144,     // format, one text: the wallet file's path
    kStrExportDate = 22145,     // format, one text: date and time
    kStrNoData = 22149,
    kStrAttachmentLine = 22150, // format, one text: the attachment file's name
};

// The text written instead of a password unless values are included.
constexpr std::u16string_view kMaskedValue = u"********";

class TextExportFile {
public:
    explicit TextExportFile(FileSystem& fs) : fs_(fs) {}
    ~TextExportFile();

    // Creates (or replaces) the file, shared for reading, and writes the byte order mark.
    bool Create(const std::u16string& path);
    // The text, then `lineEnds` times CR LF.
    void Line(std::u16string_view text, int lineEnds = 1);
    // Writes what is buffered and closes the file; false when any write failed (the partial file is
    // then removed).
    bool Finish();
    bool Failed() const { return failed_; }
    const std::u16string& Path() const { return path_; }

    // The four heading lines and two empty lines.
    void WriteStart(std::u16string_view walletName, std::u16string_view walletPath, const SystemTime& now);
    // A folder header: an empty line, the rule, "Folder: a > b > name" and the rule. `path` holds the
    // names from the outermost ancestor down to the folder itself.
    void WriteFolderHeader(const std::vector<std::u16string>& path);

    struct CardOptions {
        bool includeValues = false;
        bool includeAttachments = false;
        std::u16string exportFolder;  // where attachment files go
        int* attachmentNumber = nullptr;  // running number, raised for every file written
    };
    // One card block: rule, name, rule, the field lines (or the no-data line) and the attachment
    // lines. Attachment files that cannot be written whole get no line and no number.
    void WriteCard(const Card& card, const CardOptions& options);

private:
    void Append(std::u16string_view text);
    void FlushBuffer();

    FileSystem& fs_;
    std::unique_ptr<File> file_;
    std::u16string path_;
    std::string buffer_;
    bool failed_ = false;
    // Texts every card block uses, loaded once.
    std::u16string rule_;
    std::u16string noData_;
    std::u16string attachmentFormat_;
};

}  // namespace tl5
