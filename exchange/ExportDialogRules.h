// The export dialog and the text import's questions apart from their windows: which items and
// formats the dialog offers, what its two boxes say, how a storage location is named, the request
// Done builds, and the order of the questions a text import asks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "StringIds.h"
#include "exchange/ExportRequest.h"
#include "platform/FormatText.h"

namespace tl5 {

// An entry of the item or the format list: its text and the value it stands for.
struct ExportChoice {
    uint32_t stringId = 0;
    int value = 0;
    friend bool operator==(const ExportChoice&, const ExportChoice&) = default;
};

// The item list for a context: the whole wallet always; the selected folder with a folder (or any
// other item) selected; the card as text and as a form file with a card selected.
std::vector<ExportChoice> ExportItemChoices(int context);

// The format list and the two boxes for the chosen item value.
struct ExportFormatView {
    std::vector<ExportChoice> formats;
    uint32_t firstBoxText = 0;  // values in the form file, or passwords in clear text
    uint32_t secondBoxText = IDS_ATTACHMENTS;
    bool secondBoxShown = true;  // attachments travel only with a text export
};
ExportFormatView ExportFormatFor(int items);

// How a storage location reads in the "Output to" list: "<fixed or removable card> (<volume>)" for a
// named location, the main memory's name otherwise.
struct ExportLocationFacts {
    bool named = false;
    bool onFixedCard = false;
    std::u16string volumeName;
};
std::u16string ExportLocationText(const ExportLocationFacts& facts, const StringSource& strings);

// What Done makes of the dialog's state: the item and format values of the selected entries (0 when
// none), the boxes, and the chosen location's folder. False (the dialog ends as cancelled) when no
// location is chosen. The second box counts only while it is shown.
struct ExportDialogState {
    int itemValue = -1;  // -1: nothing selected
    int formatValue = -1;
    bool firstBox = false;
    bool secondBox = false;
    bool secondBoxShown = true;
    const std::u16string* location = nullptr;  // the chosen location's folder, or null
};
[[nodiscard]] bool FinishExportRequest(const ExportDialogState& state, ExportRequest* request);

// ---- The questions of a text import -----------------------------------------------------------------

// One import asks row by row; once, at the fifth of more than nine data rows, it offers to take all
// remaining rows at once. The window side shows each question and reports the answer; the flow says
// what to do next.
class TextImportQuestions {
public:
    enum class Step : int {
        kAskRow,      // show the row's preview (Yes imports it, No skips it, Cancel stops)
        kOfferRest,   // offer the `remaining` rows at once (Yes all, No go on asking, Cancel stops)
        kImportRest,  // import data rows `row` to the end without asking
        kFinished,
    };
    enum class Answer : int { kYes, kNo, kCancel };
    enum class Action : int { kNothing, kImportRow, kStop };

    explicit TextImportQuestions(uint32_t dataRows) : rows_(dataRows) {}

    Step Next() const;
    // The data row (0-based) of the question or of the first row to import at once.
    uint32_t Row() const { return row_; }
    // Rows not yet processed, the number the offer names.
    uint32_t Remaining() const { return rows_ - row_; }

    // The user's answer to the question Next() named; what to do with the row.
    Action Answered(Answer answer);
    // The rows taken at once are imported (or the import failed): the flow is over.
    void RestDone() { finished_ = true; }

private:
    uint32_t rows_ = 0;
    uint32_t row_ = 0;
    bool offered_ = false;
    bool all_ = false;
    bool finished_ = false;
};

}  // namespace tl5
