// Text export, text import and form sharing against real wallets in memory.
#include "exchange/ExchangeNames.h"
#include "exchange/FormExchange.h"
#include "exchange/TextExport.h"
#include "exchange/TextImport.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/MemoryFile.h"
#include "platform/PathText.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

using namespace tl5;

namespace {

const std::u16string kPassword = u"secret-1";

class ExchangeWallet : public ::testing::Test {
protected:
    void SetUp() override {
        SetOutputFolderHooksForTests([](const std::u16string&) { return true; }, [] { return std::u16string(u"/docs"); });
        ASSERT_EQ(Wallet(fs).Create(u"/w/home.tl5", kPassword, u"", false), kCreateOk);
        ASSERT_EQ(wallet.Open(u"/w/home.tl5", &kPassword, false), kOpenOk);
    }
    void TearDown() override {
        wallet.Close(true);
        SetOutputFolderHooksForTests(nullptr, nullptr);
    }

    int Folder(const std::u16string& name, int parent = -1) {
        ItemRecord r;
        EXPECT_TRUE(NewFolder(wallet, parent < 0 ? ItemId() : wallet.ItemAt(parent).Id(), false, &r));
        r.SetName(name);
        return wallet.AppendFolderRecord(&r, false);
    }
    int CardIn(int folder, const std::u16string& name, const std::vector<std::pair<uint16_t, std::u16string>>& fields,
               const std::vector<std::pair<std::u16string, std::string>>& attachments = {}) {
        std::unique_ptr<Card> card = NewEmptyCard(wallet, wallet.ItemAt(folder).Id());
        card->Record().SetName(name);
        for (const auto& [type, value] : fields) {
            Field* f = card->AddField(type);
            f->SetName(type == FT_PASSWORD ? u"PIN" : u"Note");
            f->SetValue(value);
        }
        for (const auto& [file, bytes] : attachments) {
            Attachment a;
            a.SetFromBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), file, SystemTime());
            card->AddAttachment(std::move(a));
        }
        return wallet.AppendCard(card.get(), false);
    }
    std::string Text(const std::u16string& path) {
        const std::string bytes = fs.Contents(path);
        std::u16string text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text.push_back(static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8)));
        }
        return Utf16ToUtf8(text);
    }

    MemoryFileSystem fs;
    Wallet wallet{fs};
};

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST_F(ExchangeWallet, WholeWalletInTreeOrderWithAttachmentsNumberedFromOne) {
    const int bank = Folder(u"bank");
    const int archive = Folder(u"Archive");
    const int inner = Folder(u"Old", archive);
    const int visa = CardIn(bank, u"Visa", {{FT_PASSWORD, u"4711"}}, {{u"a.pdf", "A"}, {u"b.pdf", "B"}});
    CardIn(bank, u"amex", {{FT_TEXT, u"hello"}});
    CardIn(inner, u"Letter", {}, {{u"c.txt", "C"}});
    ASSERT_TRUE(AddFavorite(wallet, wallet.ItemAt(visa).Id()));
    ASSERT_EQ(FindCards(wallet, u"Visa", false), 1);

    ExportRequest request;
    request.outputFolder = u"/out";
    request.includeAttachments = true;
    TextExportSummary summary;
    ASSERT_TRUE(ExportText(wallet, request, -1, &summary));
    SystemTime now = LocalTimeNow();
    EXPECT_EQ(summary.path, JoinPath(JoinPath(u"/out", u"home"), DatedFileName(u"home", now, u".txt")));
    EXPECT_EQ(summary.cards, 3);
    EXPECT_EQ(summary.attachments, 3);
    const std::string text = Text(summary.path);
    // Folders by name without case, cards before folders, My Forms last; each card once.
    const size_t a = text.find("Folder: Archive\r\n");
    const size_t old = text.find("Folder: Archive > Old\r\n");
    const size_t letter = text.find("\r\nLetter\r\n");
    const size_t b = text.find("Folder: bank\r\n");
    const size_t amex = text.find("\r\namex\r\n");
    const size_t v = text.find("\r\nVisa\r\n");
    const size_t forms = text.find("Folder: My Forms\r\n");
    ASSERT_NE(forms, std::string::npos);
    EXPECT_LT(a, old);
    EXPECT_LT(old, letter);
    EXPECT_LT(letter, b);
    EXPECT_LT(b, amex);
    EXPECT_LT(amex, v);
    EXPECT_LT(v, forms);
    EXPECT_EQ(Count(text, "\r\nVisa\r\n"), 1u);
    EXPECT_NE(text.find("PIN: ********\r\n"), std::string::npos);
    EXPECT_NE(text.find("Attachment: 001_c.txt\r\n"), std::string::npos);
    EXPECT_NE(text.find("Attachment: 002_a.pdf\r\nAttachment: 003_b.pdf\r\n"), std::string::npos);
    EXPECT_EQ(fs.Contents(JoinPath(JoinPath(u"/out", u"home"), u"003_b.pdf")), "B");
}

TEST_F(ExchangeWallet, FolderAndCardExports) {
    int parent = Folder(u"L0");
    std::vector<int> chain{parent};
    for (int i = 1; i <= 9; ++i) chain.push_back(Folder(u"L" + std::u16string(1, char16_t(u'0' + i)), chain.back()));
    const int deep = chain.back();
    const int card = CardIn(deep, u"A/B: card", {{FT_PASSWORD, u"4711"}}, {{u"a.pdf", "A"}, {u"b.pdf", "B"}});

    ExportRequest request;
    request.outputFolder = u"/out";
    request.items = kExportFolder;
    request.includeAttachments = true;
    TextExportSummary summary;
    ASSERT_TRUE(ExportText(wallet, request, chain[7], &summary));
    std::string text = Text(summary.path);
    EXPECT_EQ(summary.folders, 3);
    // A folder nine levels deep names its eight nearest ancestors.
    EXPECT_NE(text.find("Folder: L1 > L2 > L3 > L4 > L5 > L6 > L7 > L8 > L9\r\n"), std::string::npos);
    EXPECT_NE(text.find("Attachment: 001_a.pdf"), std::string::npos);
    EXPECT_EQ(text.find("L0 > L1 > L2 > L3 > L4 > L5 > L6 > L7 > L8 > L9"), std::string::npos);
    EXPECT_NE(text.find("Folder: L0 > L1 > L2 > L3 > L4 > L5 > L6 > L7\r\n"), std::string::npos);

    request.items = kExportCard;
    request.includeValues = true;
    ASSERT_TRUE(ExportText(wallet, request, card, &summary));
    EXPECT_EQ(FileNameOf(summary.path), DatedFileName(u"A_B_ card", LocalTimeNow(), u".txt"));
    text = Text(summary.path);
    EXPECT_NE(text.find("PIN: 4711\r\n"), std::string::npos);
    EXPECT_NE(text.find("Attachment: 000_a.pdf\r\nAttachment: 001_b.pdf\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Folder:"), std::string::npos);

    // Exporting again the same day replaces the file.
    ASSERT_TRUE(ExportText(wallet, request, card, &summary));
    EXPECT_EQ(Count(Text(summary.path), "Attachment: 000_a.pdf"), 1u);
    // A card index is not a folder.
    request.items = kExportFolder;
    EXPECT_FALSE(ExportText(wallet, request, card, &summary));
}

TEST_F(ExchangeWallet, TextImportMakesADatedFolderOfCards) {
    TextImport import;
    TextTable table;
    ASSERT_EQ(table.ParseText(u"CardName\tUser\tPassword\r\nMail\tann\tx1\r\nBank\tbob\t\r\n"), kTextTableOk);
    ASSERT_EQ(import.OpenTable(std::move(table)), kTextImportOk);
    const size_t before = wallet.ItemCount();
    SystemTime day;
    day.year = 2026;
    day.month = 12;
    day.day = 9;
    ASSERT_EQ(import.ImportAll(wallet, day), 2);
    ASSERT_EQ(wallet.ItemCount(), before + 3);
    const ItemRecord& folder = wallet.ItemAt(import.FolderIndex());
    EXPECT_EQ(folder.Name(), u"Imported cards 2026-12-09");
    EXPECT_EQ(folder.Icon(), kImportFolderIcon);
    EXPECT_TRUE(folder.IsTopLevel());
    std::unique_ptr<Card> mail = wallet.LoadCard(before + 1);
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->Record().Name(), u"Mail");
    EXPECT_EQ(mail->Record().Parent(), folder.Id());
    EXPECT_EQ(mail->Record().Icon(), kImportCardIcon);
    ASSERT_EQ(mail->FieldCount(), 2u);
    EXPECT_EQ(mail->FieldAt(1)->Value(), u"x1");
    EXPECT_EQ(mail->FieldAt(1)->Type(), FT_TEXT_CAPFIRST);
}

TEST_F(ExchangeWallet, ImportingAllRowsIsOneSaveOfAllOrNothing) {
    wallet.Close(true);
    const std::string base = fs.Contents(u"/w/home.tl5");
    std::u16string text = u"CardName\tUser\r\n";
    for (int i = 0; i < 30; ++i) text += u"Card " + Utf8ToUtf16(std::to_string(i)) + u"\tuser\r\n";
    SystemTime day;
    day.year = 2026;
    day.month = 12;
    day.day = 9;
    long operations = 0;
    {
        MemoryFileSystem mem;
        mem.SetContents(u"/w/home.tl5", base);
        FaultFileSystem counting(mem);
        Wallet w(counting);
        ASSERT_EQ(w.Open(u"/w/home.tl5", &kPassword, false), kOpenOk);
        const long opened = counting.Operations();
        TextImport import;
        TextTable table;
        ASSERT_EQ(table.ParseText(text), kTextTableOk);
        ASSERT_EQ(import.OpenTable(std::move(table)), kTextImportOk);
        ASSERT_EQ(import.ImportAll(w, day), 30);
        operations = counting.Operations() - opened;
        EXPECT_EQ(w.Counters().saves, 1u) << "one journaled save, not one per card";
    }
    // Killed at every step: after recovery the wallet has all 31 new items or none of them.
    for (long n = 1; n <= operations; ++n) {
        MemoryFileSystem mem;
        mem.SetContents(u"/w/home.tl5", base);
        mem.SetNamesNeedFolderFlush(true);
        bool reported = false;
        {
            FaultFileSystem faulty(mem);
            Wallet w(faulty);
            ASSERT_EQ(w.Open(u"/w/home.tl5", &kPassword, false), kOpenOk);
            faulty.FailAt(faulty.Operations() + n);
            TextImport import;
            TextTable table;
            ASSERT_EQ(table.ParseText(text), kTextTableOk);
            ASSERT_EQ(import.OpenTable(std::move(table)), kTextImportOk);
            reported = import.ImportAll(w, day) == 30;
            if (!reported) {
                EXPECT_EQ(w.ItemCount(), 1u) << n;
            }
        }
        mem.Crash(false);
        Wallet w(mem);
        ASSERT_EQ(w.Open(u"/w/home.tl5", &kPassword, true), kOpenOk) << n;
        EXPECT_EQ(w.ItemCount(), reported ? 32u : 1u) << n;
    }
}

TEST_F(ExchangeWallet, RefusedTextImportLeavesTheWalletAsItWas) {
    wallet.Close(true);
    const std::string before = fs.Contents(u"/w/home.tl5");
    ASSERT_EQ(wallet.Open(u"/w/home.tl5", &kPassword, false), kOpenOk);
    fs.SetContents(u"/in/mixed.txt", "CardName\tUser\r\nMail\tann\textra\r\n");
    TextImport import;
    EXPECT_EQ(import.Open(fs, u"/in/mixed.txt"), kTextImportBadTable);
    EXPECT_EQ(import.ImportAll(wallet, LocalTimeNow()), 0);
    wallet.Close(true);
    EXPECT_EQ(fs.Contents(u"/w/home.tl5"), before);
    ASSERT_EQ(wallet.Open(u"/w/home.tl5", &kPassword, false), kOpenOk);
}

TEST_F(ExchangeWallet, FormFileCarriesACardIntoAnotherWalletsMyForms) {
    const int folder = Folder(u"Bank");
    const int card = CardIn(folder, u"Visa: gold", {{FT_PASSWORD, u"4711"}, {FT_TEXT, u"note"}});
    ExportRequest request;
    request.includeValues = true;
    std::u16string dir, path;
    ASSERT_EQ(ExportFormFile(wallet, card, request, u"Ann", u"A card", &dir, &path), kFormExportOk);
    EXPECT_EQ(dir, u"/docs");  // no output folder: the documents folder
    EXPECT_EQ(FileNameOf(path), DatedFileName(u"Visa_ gold", LocalTimeNow(), u".tlx"));
    request.includeValues = false;
    request.outputFolder = u"/out";
    std::u16string bare;
    ASSERT_EQ(ExportFormFile(wallet, card, request, u"", u"", &dir, &bare), kFormExportOk);
    EXPECT_EQ(ExportFormFile(wallet, folder, request, u"", u"", &dir, &bare), kFormExportCannotLoad);

    ASSERT_EQ(Wallet(fs).Create(u"/w/other.tl5", u"other-pw", u"", false), kCreateOk);
    Wallet other(fs);
    const std::u16string otherPw = u"other-pw";
    ASSERT_EQ(other.Open(u"/w/other.tl5", &otherPw, false), kOpenOk);
    Card read;
    FormFileHeader header;
    ASSERT_TRUE(ReadFormFileForImport(other, path, &read, &header));
    EXPECT_EQ(FormImportConfirmation(read.Record().Name(), header),
              u"Add this form to My Forms?\n\nForm: Visa: gold\nDescription: A card\nAuthor: Ann\nExported on: " +
                  FormatFieldDateTime(header.written, FT_DATE));
    const int added = AddFormToMyForms(other, &read);
    ASSERT_GE(added, 0);
    EXPECT_EQ(other.ItemAt(added).Parent(), MyFormsFolder(other)->Id());
    EXPECT_FALSE(other.ItemAt(added).Id().IsNull());
    std::unique_ptr<Card> back = other.LoadCard(static_cast<size_t>(added));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Record().Name(), u"Visa: gold");
    ASSERT_EQ(back->FieldCount(), 2u);
    EXPECT_EQ(back->FieldAt(0)->Value(), u"4711");

    Card empty;
    ASSERT_TRUE(ReadFormFileForImport(other, bare, &empty, &header));
    EXPECT_TRUE(empty.FieldAt(0)->Value().empty());
    EXPECT_FALSE(ReadFormFileForImport(other, u"/nowhere.tlx", &empty, &header));
    other.Close(true);
}

TEST(ExchangeFormConfirmation, NameIsCutAfter28Characters) {
    FormFileHeader header;
    const std::u16string n28(28, u'n');
    EXPECT_EQ(FormImportConfirmation(n28, header).find(u"Form: " + n28 + u"\n"), 28u);
    const std::u16string text = FormImportConfirmation(n28 + u"x", header);
    EXPECT_NE(text.find(u"Form: " + n28 + u"...\n"), std::u16string::npos);
    EXPECT_EQ(text.find(u"Description"), std::u16string::npos);
    EXPECT_EQ(text.find(u"Author"), std::u16string::npos);
}
