// Text export of the whole wallet, one folder with everything under it, or one card, in the order
// the wallet tree shows them. Cards are loaded one at a time and released after their block.
#pragma once

#include <string>

#include "exchange/ExchangeTexts.h"
#include "exchange/ExportRequest.h"

namespace tl5 {

class Wallet;

// At most this many ancestors are named in a folder's path line.
constexpr int kExportPathAncestors = 8;

struct TextExportSummary {
    std::u16string path;  // the text file written
    int folders = 0;
    int cards = 0;
    int attachments = 0;
};

// Runs one text export for request.items 0 (wallet), 1 (the folder with table index `selected`) or 2
// (the card with table index `selected`), into "<outputFolder>/<wallet name>" (the documents folder
// stands in for an empty output folder). True when the file was written whole; a failed export
// leaves no text file. The file's name is shortened when its path would pass 259 characters.
bool ExportText(Wallet& wallet, const ExportRequest& request, int selected, TextExportSummary* summary,
                const ExchangeTexts& texts = ExchangeTexts());

}  // namespace tl5
