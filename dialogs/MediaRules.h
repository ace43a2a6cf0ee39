// The rules of the attachments, background image and sound dialogs, apart from their windows: the
// attachment list's buttons and information line, the position list, what "Done" of the image
// dialog does to the card, which attached files may be opened, and how a file is written out to the
// documents folder without overwriting by surprise or leaving half a file behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FormatText.h"
#include "platform/LocalTime.h"

namespace tl5 {

class FileSystem;

// ---- Attachments -----------------------------------------------------------------------------------

struct AttachmentButtons {
    bool add = false;     // a slot is free
    bool remove = false;  // these three: an attachment is selected
    bool exportFile = false;
    bool open = false;
};

// The buttons of the attachments dialog for a card with `count` attachments (of 10).
AttachmentButtons AttachmentButtonStates(size_t count, bool selected);

// The information line of a selected attachment: the format (a string that takes the date and the
// size, in that order) filled with the two texts; the program's own wording when a translated
// format does not fit.
std::u16string AttachmentInfoLine(std::u16string_view format, std::u16string_view dateText,
                                  std::u16string_view sizeText);

// Whether an attached file may be handed to the shell to open. Files that would run (programs,
// scripts, installers, shortcuts and the like) and wallet files are refused; the name is judged as
// the shell would see it (trailing dots and spaces dropped, any letter case).
enum class OpenVerdict { kOpen, kRefusedProgram, kRefusedWallet };
OpenVerdict ClassifyAttachmentOpen(std::u16string_view fileName);

// ---- Background image ------------------------------------------------------------------------------

constexpr int kImagePositionCount = 10;

// The string naming the position list's entry 0-9 (codes 1-10), 0 outside.
uint32_t ImagePositionNameId(int entry);
// The list entry that shows a stored position code: code - 1, entry 0 for a code outside 1-10.
int ImagePositionEntryOfCode(int code);
// The code stored for a list entry: entry + 1, code 1 when no entry is selected (or it is outside).
int ImagePositionCodeOfEntry(int entry);

// What the image dialog holds between its start and "Done": whether a decoded picture is loaded,
// and whether "Match Background" is to take its colour.
class ImageDialogState {
public:
    // Start: the card's picture was decoded (or there is none).
    void Start(bool cardPictureDecoded) {
        loaded_ = cardPictureDecoded;
        match_ = false;
    }
    // A chosen file decoded: it takes the place of the picture; an earlier Match stays in force. A
    // file that did not decode changes nothing (the old picture is kept).
    void Selected(bool decoded) {
        if (decoded) loaded_ = true;
    }
    // The chooser's None, and Remove Image: no picture, no match.
    void Removed() {
        loaded_ = false;
        match_ = false;
    }
    // Match Background (only with a picture to match).
    void Matched() {
        if (loaded_) match_ = true;
    }
    bool Loaded() const { return loaded_; }
    bool Matching() const { return match_; }

private:
    bool loaded_ = false;
    bool match_ = false;
};

// ---- Writing files out -----------------------------------------------------------------------------

// The name a stored file leaves under: "YYYYMMDD_" and the file name cleaned so that it names a file
// in the documents folder itself (no folder part, no character a file name cannot hold).
std::u16string MediaExportName(std::u16string_view storedName, const SystemTime& date);

// The n-th alternative of a name (n >= 2): " (n)" before the extension ("a.bmp" -> "a (2).bmp").
std::u16string NumberedName(std::u16string_view name, int n);

enum class ExportResult {
    kWritten,            // under the name asked for
    kWrittenOtherName,   // the name was taken: written under a free numbered name
    kNoFolder,           // the documents folder cannot be found or made
    kFailed,             // not written (or not completely); nothing is left behind
};

struct ExportOutcome {
    ExportResult result = ExportResult::kFailed;
    std::u16string path;  // the file written, or the one that could not be
};

// How an existing file of the same name is treated.
enum class ExportCollision {
    kReplace,   // replaced, but only once the new file is complete (an attachment's Export and Open)
    kFreeName,  // never replaced: the next free numbered name is used (the image and the sound)
};

// Writes the bytes to `folder` + separator + `name`. A write that fails or comes out short removes
// what it wrote; a replaced file stays as it was until the new one is complete.
[[nodiscard]] ExportOutcome ExportMediaFile(FileSystem& fs, const std::u16string& folder, const std::u16string& name,
                                            const uint8_t* data, size_t size, ExportCollision collision);

// The message after an export: string ids of the line above the path, or 0 for none.
uint32_t ExportMessageId(ExportResult result);

}  // namespace tl5
