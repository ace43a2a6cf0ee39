// The card window's rules that need no window: the rows of the card view, the classification of a
// link's text, the choice of hand-over for an activated row, moving the selection, and the scroll
// arithmetic of the virtual list. The Win32 side (cardui/win) draws and lays out; everything it
// decides it asks here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tl5 {

class Card;

// The card window's modes.
enum class CardMode : int { kView = 0, kEdit = 1, kFormDesign = 2 };

// ---- Rows of the card view -------------------------------------------------------------------------

enum RowKind : int32_t { kRowFieldName = 2, kRowFieldValue = 3, kRowAttachment = 4 };

// The actions of a value row (name rows carry none).
enum RowAction : uint32_t {
    kRowPassword = 0x8,         // masked unless selected or the card always shows passwords
    kRowIndent = 0x1000,        // the text starts a little further right
    kRowWeb = 0x10000,          // tapping opens the browser
    kRowPhone = 0x20000,        // tapping dials
    kRowAttachmentAction = 0x40000,  // tapping opens the attachment (the row kind is kRowAttachment)
    kRowEmail = 0x80000,        // tapping starts a message
    kRowDetect = 0x200000,      // the kind of address is decided from the text
    kRowActionIcons = 0x3F0000  // any of these: the row carries an action icon
};

struct ViewRow {
    RowKind kind = kRowFieldName;
    uint32_t actions = 0;
    std::u16string text;
    int fieldIndex = -1;       // -1 for attachment rows
    int attachmentIndex = -1;  // -1 for field rows
    int height = 0;            // pixels, set by the layout

    bool IsName() const { return kind == kRowFieldName; }
    bool HasActionIcon() const { return (actions & kRowActionIcons) != 0; }
};

// The action bits of a value row of a field of this type (every value row is indented).
uint32_t ValueRowActions(uint16_t fieldType);

// The rows of a card in view mode: a name row ("*" for a nameless field) and a value row for every
// field whose shown value is not empty, in field order; then a name row with the attachment label and
// a row with the file name for every attachment slot in use, in slot order. Name and value rows
// alternate strictly. There is no limit on the number of rows: a full card (255 fields and 10
// attachments) gives 530.
std::vector<ViewRow> BuildViewRows(const Card& card, std::u16string_view attachmentLabel);

// Overwrites the rows' texts before they are released (they hold the card's secrets).
void WipeViewRows(std::vector<ViewRow>* rows);

// What a row shows: ten asterisks for a password row that is not selected, unless the card always
// shows passwords; otherwise its text.
inline constexpr char16_t kPasswordMask[] = u"**********";
std::u16string_view RowDisplayText(const ViewRow& row, bool selected, bool alwaysShowPasswords);

// ---- Addresses ---------------------------------------------------------------------------------------

enum class AddressClass : int { kNone = 0, kPhone = 1, kWeb = 2, kEmail = 3 };

// The longest text handed to another program (characters).
constexpr size_t kMaxHandOverText = 255;

// Classifies a link's text: the first 1023 characters without leading spaces are a phone number when
// at least 60% of them are digits, an e-mail address when they hold an "@" with a "." after it, a web
// address when they hold more than one "." or "www.", "http" or "ftp" (in any case). The cleaned text
// is the text without the leading spaces (lower case for a web address); it may be longer than
// kMaxHandOverText, the caller decides what to do then.
AddressClass ClassifyAddress(std::u16string_view text, std::u16string* cleaned);

// The action icon of a row: 0 web, 1 e-mail, 2 phone, 3 attachment; a detect row takes the icon of its
// text's class. -1 when the row shows no icon.
int ActionIconIndex(const ViewRow& row);

// ---- Activation ----------------------------------------------------------------------------------------

enum class HandOverKind : int {
    kNothing,     // empty list, no selection, a name row, an empty text
    kMail,        // program "tmail.exe", command line -to "ADDRESS"
    kPhone,       // dial `text`
    kWeb,         // program "iexplore.exe", command line = the address
    kAttachment,  // open the attachment in `attachment`
    kCopy,        // copy `text` to the clipboard
    kRefused,     // the address is too long (or holds a quote) to hand over whole: nothing is started
};

struct HandOver {
    HandOverKind kind = HandOverKind::kNothing;
    std::u16string program;      // kMail, kWeb
    std::u16string commandLine;  // kMail, kWeb
    std::u16string text;         // kPhone: the number; kCopy: the text to copy
    int attachment = -1;         // kAttachment: the slot
};

// What activating the row does. A detect row is classified first (a link with leading spaces is passed
// on without them, a web link in lower case); an address row whose text is longer than
// kMaxHandOverText is refused rather than cut, since a cut address is another address.
HandOver PlanActivation(const ViewRow& row);

// True when a copy of this row's text is a secret the clipboard must not keep: a password row.
bool IsSecretCopy(const ViewRow& row);

// ---- Selection -----------------------------------------------------------------------------------------

// The row selected after a layout: the first row that is not a name row (the last row when there is
// none); 0 for an empty list.
int FirstSelectableRow(const std::vector<ViewRow>& rows);
// Next: past name rows, stopping at the last row; unchanged when the last row is selected.
int NextSelectableRow(const std::vector<ViewRow>& rows, int selected);
// Previous: back past name rows; row 0 when that is reached; unchanged when row 0 is selected.
int PreviousSelectableRow(const std::vector<ViewRow>& rows, int selected);
// The row under a tap at `y` pixels from the top of the row stack: the first row that is not a name
// row whose bottom is at or below y; 0 when y lies below the last row.
int RowAtOffset(const std::vector<ViewRow>& rows, int y);
// Sum of the heights of the rows above `index`.
int RowTop(const std::vector<ViewRow>& rows, int index);
int TotalHeight(const std::vector<ViewRow>& rows);

// ---- Scrolling -----------------------------------------------------------------------------------------

// The scroll bar of the virtual list, in pixels.
struct ScrollState {
    int minimum = 0;
    int maximum = 0;
    int page = 0;
    int position = 0;

    bool Scrolls() const { return minimum != maximum; }
};

// The range of a list of rows `total` pixels tall in a client area `client` pixels tall: 0 .. total
// with a page of the client height, or 0 .. 0 (no scroll bar) when everything fits.
ScrollState ScrollRangeFor(int total, int client, int position);

// The position a scroll-bar code asks for (SB_LINEUP 0 ... SB_BOTTOM 7, thumb codes 4 and 5 with the
// 32-bit track position), clamped to 0 .. maximum - page + 1 as the scroll bar does; -1 when nothing
// changes. A line up near the top goes to 0.
int ScrollTarget(int code, int trackPosition, const ScrollState& state, int lineStep);

// Making a row visible in the card view: the position becomes the row's top when it starts above the
// view, or top + height - page when it ends below it; unchanged when the list does not scroll.
int ViewPositionShowing(const ScrollState& state, int rowTop, int rowHeight);
// The same for the card editor and the form designer, which keep the row above in view too.
int EditorPositionShowing(const ScrollState& state, int rowTop, int rowHeight);

}  // namespace tl5
