#include "exchange/FormExchange.h"

#include <new>

#include "exchange/ExchangeNames.h"
#include "model/Field.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/File.h"
#include "platform/PathText.h"

namespace tl5 {

int ExportFormFile(Wallet& wallet, int cardIndex, const ExportRequest& request, std::u16string_view author,
                   std::u16string_view description, std::u16string* folder, std::u16string* path) {
    if (!wallet.IsOpen() || cardIndex < 0 || static_cast<size_t>(cardIndex) >= wallet.ItemCount() ||
        wallet.ItemAt(cardIndex).Kind() != kItemKindCard || wallet.ItemAt(cardIndex).IsDeleted()) {
        return kFormExportCannotLoad;
    }
    try {
        std::unique_ptr<Card> card = wallet.LoadCard(static_cast<size_t>(cardIndex));
        if (!card) return kFormExportCannotLoad;
        std::u16string dir = request.outputFolder;
        if (dir.empty()) {
            dir = OutputDocumentsFolder();
            if (dir.empty()) return kFormExportCannotWrite;
        } else if (!EnsureOutputFolder(dir)) {
            return kFormExportCannotWrite;
        }
        const std::u16string name =
            FittedExportFileName(dir, card->Record().Name(), LocalTimeNow(), kFormFileExtension);
        if (name.empty()) return kFormExportCannotWrite;
        const std::u16string target = JoinPath(dir, name);
        if (folder) *folder = dir;
        if (path) *path = target;
        std::unique_ptr<File> file;
        FileSystem& fs = wallet.Files();
        if (fs.Open(target, FileMode::CreateAlways, FileShare::Read, &file) != kFileOk) return kFormExportCannotWrite;
        const int written = WriteFormFile(*card, file.get(), request.includeValues, author, description);
        const bool flushed = written == kFormFileWritten && file->Flush();
        file.reset();
        if (!flushed) {
            fs.Remove(target);
            return kFormExportCannotWrite;
        }
        return kFormExportOk;
    } catch (const std::bad_alloc&) {
        return kFormExportCannotWrite;
    }
}

bool ReadFormFileForImport(Wallet& wallet, const std::u16string& path, Card* card, FormFileHeader* header) {
    if (!wallet.IsOpen() || path.empty() || card == nullptr) return false;
    std::unique_ptr<File> file;
    if (wallet.Files().Open(path, FileMode::OpenReadOnly, FileShare::Read, &file) != kFileOk) return false;
    return ReadFormFile(*card, *file, header, wallet.RecordKey());
}

std::u16string FormImportConfirmation(std::u16string_view cardName, const FormFileHeader& header,
                                      const ExchangeTexts& texts) {
    std::u16string text = texts.Text(kStrFormImportQuestion) + u"\n\n";
    if (!cardName.empty()) {
        text += texts.Text(kStrFormImportName) + u" ";
        if (cardName.size() > kFormImportNameShown) {
            size_t cut = kFormImportNameShown;
            // A surrogate pair is kept whole or left out.
            if (cardName[cut - 1] >= 0xD800 && cardName[cut - 1] <= 0xDBFF) --cut;
            text += cardName.substr(0, cut);
            text += u"...";
        } else {
            text += cardName;
        }
        text += u"\n";
    }
    if (!header.description.empty()) text += texts.Text(kStrFormImportDescription) + u" " + header.description + u"\n";
    if (!header.author.empty()) text += texts.Text(kStrFormImportAuthor) + u" " + header.author + u"\n";
    text += texts.Text(kStrFormImportDate) + u" " +
            (header.written.IsZero() ? std::u16string() : texts.Date(header.written));
    return text;
}

int AddFormToMyForms(Wallet& wallet, Card* card) {
    if (!wallet.IsOpen() || card == nullptr || !card->HasRecord()) return -1;
    const ItemRecord* myForms = MyFormsFolder(wallet);
    if (myForms == nullptr) return -1;
    card->Record().RecreateAsCardCopy(myForms->Id());
    card->Record().SetKey(wallet.RecordKey());
    return wallet.AppendCard(card, true);
}

}  // namespace tl5
