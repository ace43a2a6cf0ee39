// The rules behind the export dialog, the text import's questions, the words and dates the exchange
// steps take from their caller, and the names of exported files.
#include "exchange/ExchangeNames.h"
#include "exchange/ExchangeTexts.h"
#include "exchange/ExportDialogRules.h"
#include "exchange/FormExchange.h"
#include "exchange/TextImport.h"
#include "platform/PathText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace tl5;

namespace {

std::u16string English(uint32_t id) { return ExchangeString(id); }

}  // namespace

TEST(ExportDialogRules, ItemsFormatsAndBoxesFollowTheSelection) {
    using V = std::vector<ExportChoice>;
    EXPECT_EQ(ExportItemChoices(kExportContextNothing), (V{{IDS_ENTIRE_WALLET, kExportWallet}}));
    EXPECT_EQ(ExportItemChoices(kExportContextOther),
              (V{{IDS_ENTIRE_WALLET, kExportWallet}, {IDS_SELECTED_FOLDER, kExportFolder}}));
    EXPECT_EQ(ExportItemChoices(kExportContextCard), (V{{IDS_ENTIRE_WALLET, kExportWallet},
                                                        {IDS_SELECTED_CARD, kExportCard},
                                                        {IDS_SELECTED_CARD_AS_FORM, kExportCardAsForm}}));

    const ExportFormatView form = ExportFormatFor(kExportCardAsForm);
    EXPECT_EQ(form.formats, (V{{IDS_FORM_FILE_TLX, kExportFormatForm}}));
    EXPECT_EQ(form.firstBoxText, static_cast<uint32_t>(IDS_FIELD_VALUES));
    EXPECT_FALSE(form.secondBoxShown);
    for (int items : {kExportWallet, kExportFolder, kExportCard}) {
        const ExportFormatView text = ExportFormatFor(items);
        EXPECT_EQ(text.formats, (V{{IDS_TEXT_FILE_TXT, kExportFormatText}})) << items;
        EXPECT_EQ(text.firstBoxText, static_cast<uint32_t>(IDS_PASSWORDS_IN_CLEAR_TEXT)) << items;
        EXPECT_TRUE(text.secondBoxShown) << items;
    }
}

TEST(ExportDialogRules, DoneBuildsTheRequestOnlyWithALocation) {
    const std::u16string folder = u"\\My Documents";
    ExportDialogState state;
    state.itemValue = kExportCardAsForm;
    state.formatValue = kExportFormatForm;
    state.firstBox = true;
    state.secondBox = true;  // ticked while it showed, then hidden: attachments do not travel
    state.secondBoxShown = false;
    state.location = &folder;
    ExportRequest request;
    ASSERT_TRUE(FinishExportRequest(state, &request));
    EXPECT_EQ(request.items, kExportCardAsForm);
    EXPECT_EQ(request.format, kExportFormatForm);
    EXPECT_TRUE(request.includeValues);
    EXPECT_FALSE(request.includeAttachments);
    EXPECT_EQ(request.outputFolder, folder);

    ExportDialogState none;  // nothing selected anywhere: Done acts as Cancel
    EXPECT_FALSE(FinishExportRequest(none, &request));
    EXPECT_EQ(request.items, kExportWallet);
    EXPECT_EQ(request.format, kExportFormatText);
}

TEST(ExportDialogRules, LocationTexts) {
    EXPECT_EQ(ExportLocationText({false, false, u""}, English), u"Main memory");
    EXPECT_EQ(ExportLocationText({true, false, u"SD Card"}, English), u"Storage card (SD Card)");
    EXPECT_EQ(ExportLocationText({true, true, u"iPAQ File Store"}, English), u"Built-in storage (iPAQ File Store)");
}

TEST(TextImportQuestions, AsksRowByRowAndOffersTheRestOnce) {
    using Step = TextImportQuestions::Step;
    using A = TextImportQuestions::Answer;
    using Act = TextImportQuestions::Action;
    // Twelve rows: four questions, then the offer naming 8 rows; Yes takes them from the fifth on.
    TextImportQuestions all(12);
    const A firstAnswers[] = {A::kYes, A::kNo, A::kYes, A::kYes};
    for (uint32_t i = 0; i < 4; ++i) {
        ASSERT_EQ(all.Next(), Step::kAskRow) << i;
        EXPECT_EQ(all.Row(), i);
        EXPECT_EQ(all.Answered(firstAnswers[i]), firstAnswers[i] == A::kYes ? Act::kImportRow : Act::kNothing);
    }
    ASSERT_EQ(all.Next(), Step::kOfferRest);
    EXPECT_EQ(all.Remaining(), 8u);
    EXPECT_EQ(all.Answered(A::kYes), Act::kNothing);
    ASSERT_EQ(all.Next(), Step::kImportRest);
    EXPECT_EQ(all.Row(), 4u);
    all.RestDone();
    EXPECT_EQ(all.Next(), Step::kFinished);

    // No to the offer: the questions go on to the last row and the offer never comes back.
    TextImportQuestions each(12);
    std::vector<Step> steps;
    int imported = 0;
    while (each.Next() != Step::kFinished) {
        steps.push_back(each.Next());
        if (each.Answered(each.Next() == Step::kOfferRest ? A::kNo : A::kYes) == Act::kImportRow) ++imported;
    }
    EXPECT_EQ(imported, 12);
    ASSERT_EQ(steps.size(), 13u);
    EXPECT_EQ(std::count(steps.begin(), steps.end(), Step::kOfferRest), 1);
    EXPECT_EQ(steps[4], Step::kOfferRest);

    // Cancel at the offer or at a row stops at once; nine rows are never offered at once.
    TextImportQuestions cancelOffer(10);
    for (int i = 0; i < 4; ++i) (void)cancelOffer.Answered(A::kYes);
    ASSERT_EQ(cancelOffer.Next(), Step::kOfferRest);
    EXPECT_EQ(cancelOffer.Answered(A::kCancel), Act::kStop);
    EXPECT_EQ(cancelOffer.Next(), Step::kFinished);
    TextImportQuestions nine(9);
    int asked = 0;
    while (nine.Next() == Step::kAskRow) {
        ++asked;
        if (asked == 7) {
            EXPECT_EQ(nine.Answered(A::kCancel), Act::kStop);
        } else {
            (void)nine.Answered(A::kNo);
        }
    }
    EXPECT_EQ(asked, 7);
    EXPECT_EQ(nine.Next(), Step::kFinished);
}

TEST(ExchangeTexts, TranslationsAndDatesComeFromTheCaller) {
    SystemTime day;
    day.year = 2005;
    day.month = 3;
    day.day = 17;
    // tl5's defaults: the built-in texts and ISO dates.
    const ExchangeTexts builtIn;
    EXPECT_EQ(TextImport::FolderName(day, builtIn), u"Imported cards 2005-03-17");
    EXPECT_EQ(builtIn.Format(IDS_CARDS_IMPORTED, {12}), u"12 cards were imported.");

    // The application's: a language module and the user's date picture.
    ExchangeTexts app;
    app.strings = [](uint32_t id) -> std::u16string {
        switch (id) {
            case IDS_IMPORTED_CARDS: return u"Importierte Karten";
            case IDS_CARDS_IMPORTED: return u"%d Karten importiert.";
            case IDS_IMPORT_REMAINING_Q: return u"Die restlichen %s Karten?";  // a broken translation
            case IDS_MORE_COLUMNS: return u"(%d %d)";                          // one conversion too many
            case IDS_ADD_FORM_Q: return u"Formular hinzufügen?";
            default: return ExchangeString(id);
        }
    };
    app.shortDate = [](const SystemTime& t) {
        return FormatText(u"%02d.%02d.%d", {static_cast<long long>(t.day), static_cast<long long>(t.month),
                                            static_cast<long long>(t.year)});
    };
    EXPECT_EQ(TextImport::FolderName(day, app), u"Importierte Karten 17.03.2005");
    EXPECT_EQ(app.Format(IDS_CARDS_IMPORTED, {12}), u"12 Karten importiert.");
    EXPECT_EQ(app.Format(IDS_IMPORT_REMAINING_Q, {8}), u"Import the remaining 8 cards without asking for each?");
    EXPECT_EQ(app.Format(IDS_MORE_COLUMNS, {2}), u"(and 2 more columns)");

    FormFileHeader header;
    header.written = day;
    EXPECT_EQ(FormImportConfirmation(u"Visa", header, app),
              u"Formular hinzufügen?\n\nForm: Visa\nExported on: 17.03.2005");
    // A name cut after 28 characters never splits a surrogate pair.
    const std::u16string pair = u"\U0001F512";
    const std::u16string name = std::u16string(27, u'n') + pair + u"tail";
    const std::u16string text = FormImportConfirmation(name, header, app);
    EXPECT_NE(text.find(u"Form: " + std::u16string(27, u'n') + u"...\n"), std::u16string::npos)
        << "cut before the pair";
}

TEST(ExchangeNames, ExportFileNamesStayWithinThePathLimit) {
    SystemTime day;
    day.year = 2005;
    day.month = 3;
    day.day = 17;
    struct Case {
        const char* what;
        std::u16string folder;
        std::u16string name;
        std::u16string expected;
    };
    const std::u16string longFolder = u"C:\\" + std::u16string(200, u'f');
    const std::u16string longName(300, u'x');
    const Case cases[] = {
        {"plain", u"C:\\Docs", u"Visa", u"Visa_17032005.tlx"},
        {"reserved and control characters", u"C:\\Docs", u"a/b\tc\r\nd\x7f:e", u"a_b_c__d__e_17032005.tlx"},
        {"long name cut", longFolder, longName,
         std::u16string(kMaxExportPath - longFolder.size() - 1 - 13, u'x') + u"_17032005.tlx"},
        {"folder leaves no room", u"C:\\" + std::u16string(250, u'f'), u"Visa", u""},
    };
    for (const Case& c : cases) {
        const std::u16string name = FittedExportFileName(c.folder, c.name, day, kFormFileExtension);
        EXPECT_EQ(name, c.expected) << c.what;
        if (!name.empty()) {
            EXPECT_LE(JoinPath(c.folder, name).size(), kMaxExportPath) << c.what;
        }
    }
}
