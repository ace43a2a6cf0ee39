// The writer of text exports: a UTF-16LE file with a byte order mark whose lines end with CR LF,
// the file start, card blocks and folder headers. The walk over the wallet is in TextExport.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/ExchangeTexts.h"
#include "model/Card.h"
#include "model/CardBody.h"
#include "model/CipherKey.h"
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
    void WriteStart(std::u16string_view walletName, std::u16string_view walletPath, const SystemTime& now,
                    const ExchangeTexts& texts = ExchangeTexts());
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
    // The block WriteCard writes for the card that ParseCardBody reads from a stored body without
    // media (so no attachment lines), written straight from the body: names and values are decrypted
    // into the output with no Field in between. `name` is the card's name. False, with nothing
    // written, when the body reader would refuse the body.
    bool WriteStoredCard(std::u16string_view name, const uint8_t* body, size_t size, const CipherKey& key,
                         bool includeValues);

private:
    void Append(std::u16string_view text);
    void FlushBuffer();
    // A field's line, unless it shows nothing (then *anyField is left alone).
    void WriteFieldLine(const Field& field, bool includeValues, bool* anyField);
    // Decrypts a text piece of a field chunk onto the end of the buffer, which has room for it, and
    // cuts it at its first NUL.
    void AppendDecrypted(const uint8_t* chunk, size_t offset, uint32_t size, uint32_t padding, const CipherKey& key);
    // Wipes and drops what was buffered from `mark` on.
    void DropFrom(size_t mark);

    FileSystem& fs_;
    std::unique_ptr<File> file_;
    std::u16string path_;
    std::vector<uint8_t> buffer_;  // a fixed size once created
    size_t used_ = 0;
    bool failed_ = false;
    // Texts every card block uses, loaded once.
    std::u16string rule_;
    std::u16string noData_;
    std::u16string attachmentFormat_;
    // Plain text on its way out: a field of a stored card that goes the long way, a formatted date.
    Field scratchField_;
    std::u16string scratchText_;
    std::u16string scratchValue_;
    // The field chunks of the stored card being written.
    struct StoredField {
        const uint8_t* data;
        size_t size;
        FieldChunkLayout layout;
    };
    std::vector<StoredField> layouts_;
};

}  // namespace tl5
