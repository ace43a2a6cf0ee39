// Text import: a tab-separated table (a spreadsheet saved as text) becomes cards. The first row
// names the columns ("CardName" or "Card Name" first); every further row becomes one card with
// capitalised-text fields, in a new folder named with today's date.
//
// The questions (one row at a time, or all remaining rows at once) belong to the caller; this is
// the reading, the checks, the previews and the making of folder and cards, the same for the
// application and for tl5.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "exchange/ExchangeTexts.h"
#include "exchange/TextTable.h"
#include "model/Card.h"

namespace tl5 {

class FileSystem;
class Wallet;

// Results of opening an import.
enum TextImportResult : int {
    kTextImportOk = 0,
    kTextImportUnreadable = 1,  // the file cannot be read as a text table (message 22070)
    kTextImportBadTable = 2,    // no header, too few columns, no data row, or rows of mixed lengths (22071)
};

enum TextImportString : uint32_t {
    kStrImportFolderName = 22041,
    kStrImportUnreadable = 22070,
    kStrImportBadTable = 22071,
    kStrImportPreview = 22072,
    kStrImportMoreColumns = 22073,   // format, one number
    kStrImportAllRemaining = 22074,  // format, one number
    kStrImportDone = 22075,          // format, one number
    kStrCardNameColumn = 20518,
};

constexpr int32_t kImportFolderIcon = 72;
constexpr int32_t kImportCardIcon = 50;
constexpr size_t kImportPreviewMax = 2048;

class TextImport {
public:
    // Reads and checks the table. Nothing is created yet.
    int Open(FileSystem& fs, const std::u16string& path);
    // The same from a table already read (for tests and callers that read it themselves).
    int OpenTable(TextTable&& table);

    // Data rows: 1 to rows - 1, without a last row whose first cell is empty.
    uint32_t DataRowCount() const { return dataRows_; }
    uint32_t Columns() const { return table_.Columns(); }
    const TextTable& Table() const { return table_; }
    // The row number of data row i (0-based): i + 1.
    static uint32_t RowOfDataRow(uint32_t i) { return i + 1; }

    // The text shown when asking about a row: string 22072, two line feeds, then "name: value" lines
    // (at most five columns, then string 22073 with the number of the others), at most 2048
    // characters.
    std::u16string Preview(uint32_t row, const ExchangeTexts& texts = ExchangeTexts()) const;
    // True once, at the fifth data row or later, when there are more than nine data rows: the
    // moment to offer importing all remaining rows at once.
    bool OfferAllAt(uint32_t dataRowIndex) const;

    // Fills a card (which has a record and the card view defaults) from a row: the first cell as its
    // name, icon 50, one FT_TEXT_CAPFIRST field per further column named by the header cell.
    bool FillCard(uint32_t row, Card& card) const;

    // The name of the new folder: string 22041, a space and today's short date (at most 64 characters
    // of date).
    static std::u16string FolderName(const SystemTime& today, const ExchangeTexts& texts = ExchangeTexts());

    // Imports one row into the open wallet: before the first imported row the dated top-level folder
    // is created and saved. The new card's table index, or -1 when a save failed (what was imported
    // before stays, as after a Cancel).
    int ImportRow(Wallet& wallet, uint32_t row, const SystemTime& today, const ExchangeTexts& texts = ExchangeTexts());
    // Imports every data row ("Yes to all") in one save, with the dated folder unless rows imported
    // before made it: all rows or none. The number imported, or -1 when the save failed (nothing of
    // this call is then in the wallet).
    int ImportAll(Wallet& wallet, const SystemTime& today, const ExchangeTexts& texts = ExchangeTexts());
    // Imports the data rows from data row `first` (0-based) on, as ImportAll does: one save, all or
    // none. The number imported in all, or -1 when the save failed.
    int ImportFrom(Wallet& wallet, uint32_t first, const SystemTime& today,
                   const ExchangeTexts& texts = ExchangeTexts());
    int ImportedCount() const { return imported_; }
    // Table index of the folder made by this import, or -1 before the first row.
    int FolderIndex() const { return folderIndex_; }

    void Clear();

private:
    int Check();
    TextTable table_;
    uint32_t dataRows_ = 0;
    int imported_ = 0;
    int folderIndex_ = -1;
    ItemId folderId_;
};

}  // namespace tl5
