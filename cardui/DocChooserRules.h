// The document chooser apart from its window: the filter and its patterns, the folders it lists (the
// documents folder and the same folder on every storage card), the order of the documents, and the
// outcomes it posts to its caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "resources/messages.h"
#include "resources/resource.h"

namespace tl5 {

// Result messages: the card window and the media dialogs use DOC_CHOOSER_RESULT; the import of the
// main window names its own two.
constexpr uint32_t kDocChooserImportExchange = WMU_IMPORT_EXCHANGE;
constexpr uint32_t kDocChooserImportText = WMU_IMPORT_TEXT;

// Codes posted with the result message (wParam).
enum DocChooserCode : int {
    kDocChooserCancelled = 1,
    kDocChooserChosen = 3,  // a document, or None (then the path is empty)
};

// Menu bars: Done with a menu of None and Cancel, or Done and Cancel.
constexpr uint32_t kDocChooserMenuWithNone = IDMB_DONE_NONE_CANCEL;
constexpr uint32_t kDocChooserMenu = IDMB_DONE_CANCEL;
constexpr uint32_t kDocChooserNoneCommand = IDM_NONE;

constexpr size_t kDocTitleChars = 127;
constexpr size_t kDocPathChars = 259;
constexpr int kMaxStorageCards = 5;

// "description\0pattern\0\0", as the document list control takes its filter.
std::u16string DocumentFilter(std::u16string_view description, std::u16string_view pattern);
// The patterns of "*.jpg;*.bmp;*.gif" (empty parts dropped; an empty text gives "*.*").
std::vector<std::u16string> SplitPatterns(std::u16string_view pattern);
// Wildcard match (* any run, ? one character) of a file name, ignoring case.
bool MatchesPattern(std::u16string_view name, std::u16string_view pattern);
bool MatchesAnyPattern(std::u16string_view name, const std::vector<std::u16string>& patterns);

// What the platform tells the chooser about the device.
struct StorageCard {
    std::u16string path;  // "\Storage Card"
};
struct DocumentEntry {
    std::u16string name;
    std::u16string path;
    bool folder = false;
};
class DocumentPlaces {
public:
    virtual ~DocumentPlaces() = default;
    // The personal documents folder, empty when there is none.
    virtual std::u16string DocumentsFolder() = 0;
    virtual std::vector<StorageCard> StorageCards() = 0;
    // The entries of a folder (files and folders, not recursive); false when it cannot be listed.
    virtual bool List(const std::u16string& folder, std::vector<DocumentEntry>* entries) = 0;
};

// The folders the chooser lists: the documents folder, then on each storage card (at most 5) the
// folder with the documents folder's last name ("\Storage Card\My Documents"), each once.
std::vector<std::u16string> ChooserFolders(DocumentPlaces& places);

// The documents matching the patterns in those folders and in their direct subfolders, sorted by name
// ignoring case, then by path.
std::vector<DocumentEntry> ListDocuments(DocumentPlaces& places, const std::vector<std::u16string>& patterns);

// One run of the chooser: armed, shown, one outcome, the chosen path readable until the next arm.
class DocChooserState {
public:
    struct Post {
        uint32_t message = 0;
        int code = 0;
    };

    // Clears everything and stores the parameters.
    void Arm(uint32_t resultMessage, std::u16string_view pattern, std::u16string_view description,
             std::u16string_view title, uint32_t headerIcon, bool allowNone);
    // True when armed (the dialog may be created); an unarmed chooser shows nothing.
    bool CanShow() const { return armed_; }

    // Outcomes. Done with an empty selection counts as Cancel.
    Post Done(std::u16string_view selectedPath);
    Post Activated(std::u16string_view path);
    Post None();
    Post Cancel();

    // True and the path when a document was chosen; false when the path is empty.
    bool ChosenPath(std::u16string* path) const;

    uint32_t MenuBar() const { return allowNone_ ? kDocChooserMenuWithNone : kDocChooserMenu; }
    const std::u16string& Filter() const { return filter_; }
    const std::vector<std::u16string>& Patterns() const { return patterns_; }
    const std::u16string& Title() const { return title_; }
    uint32_t HeaderIcon() const { return icon_; }
    uint32_t ResultMessage() const { return message_; }
    bool AllowNone() const { return allowNone_; }

private:
    Post Finish(int code);

    bool armed_ = false;
    uint32_t message_ = 0;
    std::u16string filter_;
    std::vector<std::u16string> patterns_;
    std::u16string title_;
    uint32_t icon_ = 0;
    bool allowNone_ = false;
    std::u16string path_;
};

}  // namespace tl5
