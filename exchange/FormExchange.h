// Form sharing: writing a wallet card to a form file in an output folder, and adding the card of a
// form file to a wallet's My Forms folder. The dialogs and questions around them are the caller's.
#pragma once

#include <memory>
#include <string>

#include "exchange/ExchangeTexts.h"
#include "exchange/ExportRequest.h"
#include "exchange/FormFile.h"
#include "model/Card.h"

namespace tl5 {

class Wallet;

enum FormExportResult : int {
    kFormExportOk = 0,
    kFormExportCannotLoad = 1,   // the card cannot be loaded (string 23017)
    kFormExportCannotWrite = 2,  // the folder or the file cannot be made, or the write failed (23017)
};

enum FormExchangeString : uint32_t {
    kStrFormExported = 22020,        // format: folder, file name
    kStrFormImportQuestion = 22025,
    kStrFormImportName = 22026,
    kStrFormImportDescription = 22027,
    kStrFormImportAuthor = 22028,
    kStrFormImportDate = 22029,
    kStrFormExportFailed = 23017,
};

// Writes the card with table index `cardIndex` to "<folder>/<clean name>_DDMMYYYY.tlx" (the name
// shortened when the path would pass 259 characters), where the
// folder is request.outputFolder (created when missing) or else the documents folder. Values stay
// in the file only with request.includeValues. The folder and the path written are returned. A
// failed write leaves no file.
int ExportFormFile(Wallet& wallet, int cardIndex, const ExportRequest& request, std::u16string_view author,
                   std::u16string_view description, std::u16string* folder, std::u16string* path);

// Reads a form file for the open wallet: the card (name under the wallet's record key) and the
// header. False, with nothing changed, when the file cannot be opened or is not a form file.
bool ReadFormFileForImport(Wallet& wallet, const std::u16string& path, Card* card, FormFileHeader* header);

// How much of a form's name the confirmation shows before "...".
constexpr size_t kFormImportNameShown = 28;

// The confirmation text shown before an import: the question, then the form's name (28 characters
// and "..." when longer), description and author when present, and the export date.
std::u16string FormImportConfirmation(std::u16string_view cardName, const FormFileHeader& header,
                                      const ExchangeTexts& texts = ExchangeTexts());

// Gives the card a new identity under the My Forms folder and saves it. The new table index, or -1
// when the wallet has no My Forms folder or the save failed (the wallet is then as it was).
int AddFormToMyForms(Wallet& wallet, Card* card);

}  // namespace tl5
