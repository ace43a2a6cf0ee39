#include "exchange/TextImport.h"

#include "exchange/ExchangeNames.h"
#include "model/Field.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/FormatText.h"

namespace tl5 {

namespace {

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i], y = b[i];
        if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
        if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
        if (x != y) return false;
    }
    return true;
}

}  // namespace

void TextImport::Clear() {
    table_.Clear();
    dataRows_ = 0;
    imported_ = 0;
    folderIndex_ = -1;
    folderId_ = ItemId();
}

int TextImport::Open(FileSystem& fs, const std::u16string& path) {
    Clear();
    if (table_.Read(fs, path) != kTextTableOk) return kTextImportUnreadable;
    return Check();
}

int TextImport::OpenTable(TextTable&& table) {
    Clear();
    table_ = std::move(table);
    if (!table_.Loaded()) return kTextImportUnreadable;
    return Check();
}

int TextImport::Check() {
    const std::u16string_view head = table_.Cell(0, 0);
    const uint32_t n = table_.Columns();
    const uint32_t r = table_.Rows();
    // A card holds at most 255 fields: more columns would lose values. Rows of another length than
    // the header would shift values into the wrong fields.
    const bool ok = (EqualsNoCase(head, u"CardName") || EqualsNoCase(head, u"Card Name")) && n >= 2 && r >= 2 &&
                    n - 1 <= kMaxFields && !table_.Ragged();
    if (!ok) {
        Clear();
        return kTextImportBadTable;
    }
    dataRows_ = r - 1;
    if (table_.Cell(0, r - 1).empty()) --dataRows_;
    // A header followed by nothing but an empty line: there is no card to make.
    if (dataRows_ == 0) {
        Clear();
        return kTextImportBadTable;
    }
    return kTextImportOk;
}

std::u16string TextImport::Preview(uint32_t row, const ExchangeTexts& texts) const {
    std::u16string text = texts.Text(kStrImportPreview);
    text += u"\n\n";
    const uint32_t n = table_.Columns();
    const uint32_t listed = n > 5 ? 5 : n;
    for (uint32_t c = 0; c < listed; ++c) {
        text += c == 0 ? texts.Text(kStrCardNameColumn) : std::u16string(table_.Cell(c, 0));
        text += u": ";
        text += table_.Cell(c, row);
        text += u"\n";
        if (text.size() >= kImportPreviewMax) break;
    }
    if (n > 5) text += texts.Format(kStrImportMoreColumns, {static_cast<long long>(n - 5)});
    if (text.size() > kImportPreviewMax) text.resize(kImportPreviewMax);
    return text;
}

bool TextImport::OfferAllAt(uint32_t dataRowIndex) const { return dataRowIndex == 4 && dataRows_ > 9; }

bool TextImport::FillCard(uint32_t row, Card& card) const {
    if (!card.HasRecord() || row == 0 || row >= table_.Rows()) return false;
    card.Record().SetName(table_.Cell(0, row));
    card.Record().SetIcon(kImportCardIcon);
    for (uint32_t c = 1; c < table_.Columns(); ++c) {
        Field* field = card.AddField(FT_TEXT_CAPFIRST);
        if (field == nullptr) return false;
        field->SetName(table_.Cell(c, 0));
        field->SetValue(table_.Cell(c, row));
    }
    return true;
}

std::u16string TextImport::FolderName(const SystemTime& today, const ExchangeTexts& texts) {
    std::u16string date = texts.Date(today);
    if (date.size() > 64) date.resize(64);
    return FormatText(u"%s %s", {texts.Text(kStrImportFolderName), date});
}

int TextImport::ImportRow(Wallet& wallet, uint32_t row, const SystemTime& today, const ExchangeTexts& texts) {
    if (!wallet.IsOpen() || row == 0 || row > dataRows_) return -1;
    if (folderIndex_ < 0) {
        ItemRecord folder;
        if (!NewFolder(wallet, ItemId(), false, &folder)) return -1;
        folder.SetName(FolderName(today, texts));
        folder.SetIcon(kImportFolderIcon);
        const int index = wallet.AppendFolderRecord(&folder, true);
        if (index < 0) return -1;
        folderIndex_ = index;
        folderId_ = folder.Id();
    }
    std::unique_ptr<Card> card = NewEmptyCard(wallet, folderId_);
    if (!card || !FillCard(row, *card)) return -1;
    const int index = wallet.AppendCard(card.get(), false);
    if (index < 0) return -1;
    ++imported_;
    return index;
}

int TextImport::ImportAll(Wallet& wallet, const SystemTime& today, const ExchangeTexts& texts) {
    return ImportFrom(wallet, 0, today, texts);
}

int TextImport::ImportFrom(Wallet& wallet, uint32_t first, const SystemTime& today, const ExchangeTexts& texts) {
    if (!wallet.IsOpen()) return -1;
    if (first >= dataRows_) return imported_;
    // One save for the folder and every card: two flushes in all instead of two per card, and the
    // whole import or nothing.
    std::vector<ItemRecord> folders;
    std::vector<Card> cards;
    ItemId folderId = folderId_;
    try {
        if (folderIndex_ < 0) {
            ItemRecord folder;
            if (!NewFolder(wallet, ItemId(), false, &folder)) return -1;
            folder.SetName(FolderName(today, texts));
            folder.SetIcon(kImportFolderIcon);
            folderId = folder.Id();
            folders.push_back(std::move(folder));
        }
        cards.reserve(dataRows_ - first);
        for (uint32_t i = first; i < dataRows_; ++i) {
            std::unique_ptr<Card> card = NewEmptyCard(wallet, folderId);
            if (!card || !FillCard(RowOfDataRow(i), *card)) return -1;
            cards.push_back(std::move(*card));
        }
    } catch (const std::bad_alloc&) {
        return -1;
    }
    if (wallet.AppendItems(&folders, &cards) < 0) return -1;
    if (folderIndex_ < 0) {
        folderIndex_ = wallet.IndexOf(folderId);
        folderId_ = folderId;
    }
    imported_ += static_cast<int>(cards.size());
    return imported_;
}

}  // namespace tl5
