// The rules of the item choosers, apart from their windows: the rows of the card type chooser, the
// cells of the icon picker and the icon chosen there, and what the folder properties dialog shows
// (with its label-only mode for the special tree nodes).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "StringIds.h"
#include "model/ItemId.h"
#include "platform/FormatText.h"

namespace tl5 {

class FileSystem;
class ItemRecord;
class Wallet;

// ---- Card type chooser -----------------------------------------------------------------------------

constexpr size_t kFormRowNameChars = 127;
// Text colour of a My Forms row that is not selected (drawn bold): RGB(0, 0, 192) as 0x00BBGGRR.
constexpr uint32_t kMyFormsRowColour = 0x00C00000;
// Titles: variant 1 (a new card) and variant 0 (the default form of a folder).
constexpr uint32_t kStringChooserNewCard = IDS_NEW_CARD_TITLE;
constexpr uint32_t kStringChooserDefaultForm = IDS_DEFAULT_CARD_FORM_TITLE;
uint32_t CardTypeChooserTitle(int variant);

struct FormRow {
    bool builtIn = false;
    FormId form;
    std::u16string name;      // at most 127 characters
    int32_t icon = 0;         // stock icon number; -1: the form card's custom icon
    int builtInNumber = -1;   // 0-42 for a built-in form
    int recordIndex = -1;     // table index of a My Forms form (for its custom icon)
    bool emphasised = false;  // a My Forms form: dark blue, bold
};

// Every live card in the wallet's My Forms folder, then the 43 built-in forms (names from the string
// source); each group sorted by name without regard to case, so every My Forms form comes first.
std::vector<FormRow> CardTypeRows(const Wallet& wallet, const StringSource& strings);
// The row whose form is `form`, or 0 when none is.
size_t InitialFormRow(const std::vector<FormRow>& rows, const FormId& form);

struct FormChoice {
    FormId form;
    bool builtIn = false;
    int number = -1;
};
// The choice of "Done" with row `selected` (the first row when it is out of range). False without rows.
bool ChoiceOfRow(const std::vector<FormRow>& rows, size_t selected, FormChoice* choice);

// ---- Icon picker -----------------------------------------------------------------------------------

constexpr int kPickerStockIcons = 144;
// Custom icon cells are drawn on light yellow, RGB(255, 255, 206).
constexpr uint32_t kCustomIconCellColour = 0x00CEFFFF;
constexpr uint32_t kIconGridLineColour = 0x00C0C0C0;

using IconDigest = std::array<uint8_t, 16>;

// One cell of the grid: a stock icon, or a custom icon identified by its data (and its MD5 digest),
// never by its place in the grid, which changes from wallet to wallet and session to session.
struct IconCell {
    bool custom = false;
    int32_t stockIcon = -1;
    IconDigest digest{};
    std::shared_ptr<const std::vector<uint8_t>> bytes;  // custom icon data (without padding)
};

// The 144 stock icons, then every distinct custom icon of the wallet's live records, in table order.
std::vector<IconCell> IconPickerCells(const Wallet& wallet);

struct IconGridLayout {
    int columns = 0;
    int columnWidth = 0;      // every column but the last
    int lastColumnWidth = 0;
    int rows = 0;
};
// Cell size c, usable width = client width - scroll bar width, n = usable / c columns, each column
// c + (usable - n * c) / n, the last takes what is left; rows = ceiling(count / n).
IconGridLayout LayoutIconGrid(int clientWidth, int scrollBarWidth, int cellSize, int iconCount);
// The cell number at row and column, or -1 beyond the last icon or outside the grid.
int IconCellAt(const IconGridLayout& layout, int row, int column, int iconCount);
// The column under x (pixels from the grid's left edge), or -1.
int IconColumnAt(const IconGridLayout& layout, int x);

// What the picker gives back: a stock icon number, or -1 with the custom icon's data.
struct IconChoice {
    int32_t icon = 0;
    std::vector<uint8_t> customBytes;
};

enum class IconImportResult : int {
    kOk,
    kCannotRead,  // missing, unreadable or larger than 4 MB
    kNotAnIcon,   // no 16- and 32-pixel image can be read from it
};

// The working state of one run of the picker.
class IconPickerState {
public:
    // The item's current icon (its custom data when it is -1).
    IconPickerState(int32_t currentIcon, std::vector<uint8_t> currentBytes);
    explicit IconPickerState(const ItemRecord& record);

    // A tap on a cell makes its icon the new icon.
    void SelectCell(const IconCell& cell);
    // "Import Icon" with a chosen file: read once, here; the data is what will be stored.
    IconImportResult Import(FileSystem& fs, const std::u16string& path);
    // The chooser's None: forgets an imported icon (the new icon goes back to the current one).
    void ForgetImport();

    const IconChoice& NewIcon() const { return new_; }
    // "Done": true and the choice when the new icon differs from the current one.
    bool Done(IconChoice* choice) const;

private:
    IconChoice current_;
    IconChoice new_;
};

// Stores a choice on a record: the stock number, or the custom data. False when the data cannot be held.
bool ApplyIconChoice(ItemRecord* record, const IconChoice& choice);

constexpr uint64_t kMaxIconFileSize = 4u << 20;
// Reads and checks an icon file (16- and 32-pixel images readable, 24-bit preferred).
IconImportResult ReadIconFileBytes(FileSystem& fs, const std::u16string& path, std::vector<uint8_t>* bytes);

// ---- Folder properties ----------------------------------------------------------------------------

constexpr uint32_t kStringFolderPropertiesTitle = IDS_FOLDER_PROPERTIES;
constexpr uint32_t kStringNodePropertiesTitle = IDS_RENAME_ITEM;  // a format filled with the node's prompt
constexpr uint32_t kStringNewFolder = IDS_NEW_FOLDER_TITLE;
constexpr size_t kMaxFolderNameChars = 255;
constexpr size_t kMaxNodeLabelChars = 63;

// The prompt string of special node 1-3 (IDS_FAVORITES, IDS_FIND_RESULTS, IDS_QUICK_LIST).
uint32_t SpecialNodePromptId(int node);

struct FolderPropertiesRequest {
    bool newFolder = false;
    bool mainLevel = false;        // in and out
    bool offerMainLevel = true;
    bool specialNode = false;      // label-only mode
    int node = 0;                  // 1-3 in label-only mode
    uint32_t promptId = 0;
    std::u16string label;          // at most 63 characters
    int32_t nodeIcon = 0;
};

// The request for a special node: its prompt, its label as stored (or its default) and its icon.
FolderPropertiesRequest SpecialNodePropertiesRequest(const Wallet& wallet, int node, const StringSource& strings);

struct FolderPropertiesView {
    std::u16string title;
    std::u16string nameText;
    size_t maxNameChars = kMaxFolderNameChars;
    bool showIcon = true;
    bool showDefaultForm = true;
    bool showLevel = true;
    bool levelTicked = false;
    std::u16string defaultFormName;  // empty when none or when the form no longer exists
};

// What the dialog shows for the request and the folder record (may be null in label-only mode).
FolderPropertiesView FolderPropertiesViewOf(const FolderPropertiesRequest& request, const ItemRecord* folder,
                                            const Wallet* wallet, const StringSource& strings);

// "Done": in label-only mode the label becomes the box's text (63 characters); otherwise the folder's
// name does (255 characters, empty accepted) and the level takes the box's state when offered.
void FolderPropertiesDone(FolderPropertiesRequest* request, ItemRecord* folder, std::u16string_view boxText,
                          bool levelTicked);

}  // namespace tl5
