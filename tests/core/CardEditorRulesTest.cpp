#include <gtest/gtest.h>

#include <vector>

#include "cardui/CardEditorRules.h"
#include "model/Field.h"

using namespace tl5;

TEST(CardEditorRules, RowsMoveForwardWithWrapAndBackWithoutIt) {
    const int rows = EditorRowCount(3);  // name label, name, and three fields
    EXPECT_EQ(rows, 8);
    struct Step {
        int from, next, previous;
    };
    for (const Step& s : std::vector<Step>{{1, 3, 1}, {3, 5, 1}, {5, 7, 3}, {7, 1, 5}, {2, 3, 1}, {4, 5, 3}})
        EXPECT_EQ(NextEditorRow(s.from, rows), s.next) << s.from;
    for (const Step& s : std::vector<Step>{{1, 3, 1}, {3, 5, 1}, {5, 7, 3}, {7, 1, 5}})
        EXPECT_EQ(PreviousEditorRow(s.from), s.previous) << s.from;
    EXPECT_EQ(FieldOfEditorRow(1), -1);
    EXPECT_EQ(FieldOfEditorRow(2), 0);
    EXPECT_EQ(FieldOfEditorRow(7), 2);
    EXPECT_EQ(StartEditorRow(-1, rows), 1);
    EXPECT_EQ(StartEditorRow(2, rows), 7);
    EXPECT_EQ(StartEditorRow(3, rows), 1);  // no such field
    // A tap on a label selects the value below it; below the last row, the card name.
    const std::vector<int> heights = {10, 20, 10, 20, 10, 20};
    EXPECT_EQ(EditorRowAtOffset(heights, 5), 1);
    EXPECT_EQ(EditorRowAtOffset(heights, 35), 3);
    EXPECT_EQ(EditorRowAtOffset(heights, 90), 5);
    EXPECT_EQ(EditorRowAtOffset(heights, 91), 1);
}

TEST(CardEditorRules, EditorKindsAndCapitalisation) {
    EXPECT_EQ(EditorKindOf(FT_PASSWORD), kEditorText);  // passwords are edited in clear
    EXPECT_EQ(EditorKindOf(FT_TEXT_CAPWORDS), kEditorText);
    EXPECT_EQ(EditorKindOf(FT_DATETIME), kEditorDateTime);
    EXPECT_EQ(EditorKindOf(FT_LIST), kEditorChoice);
    EXPECT_EQ(EditorKindOf(FT_YESNO), kEditorYesNo);
    EXPECT_EQ(EditorKindOf(99), kEditorNone);
    EXPECT_EQ(CapitalisationOf(1, FT_TEXT), Capitalise::kEveryWord);  // the card name
    EXPECT_EQ(CapitalisationOf(5, FT_TEXT_CAPWORDS), Capitalise::kEveryWord);
    EXPECT_EQ(CapitalisationOf(5, FT_TEXT_CAPFIRST), Capitalise::kFirstLetter);
    EXPECT_EQ(CapitalisationOf(5, FT_TEXT), Capitalise::kNone);
}

TEST(CardEditorRules, ChoiceEntries) {
    const std::vector<std::u16string> items = {u"Visa", u"Amex", u"VISA"};
    EXPECT_EQ(ChoiceEntryFor(items, u""), 0);
    EXPECT_EQ(ChoiceEntryFor(items, u"amex"), 2);
    EXPECT_EQ(ChoiceEntryFor(items, u"visa"), 3);  // the last match
    EXPECT_EQ(ChoiceEntryFor(items, u"Diners"), -1);
}

// A visit that changes nothing stores nothing: no change bits, no rewritten value.
TEST(CardEditorRules, StoringUnchangedContentLeavesTheFieldAlone) {
    Field yesNo;
    yesNo.SetType(FT_YESNO);
    yesNo.ClearChangeFlags();
    EditorContent unset;
    unset.checkState = 2;
    EXPECT_FALSE(StoreEditorContent(yesNo, kEditorYesNo, unset, unset));
    EXPECT_EQ(yesNo.Value(), u"");
    EXPECT_EQ(yesNo.ChangeFlags(), 0u);
    EditorContent ticked = unset;
    ticked.checkState = 1;
    EXPECT_TRUE(StoreEditorContent(yesNo, kEditorYesNo, unset, ticked));
    EXPECT_EQ(yesNo.YesNoState(), 1);

    Field choice;
    choice.SetType(FT_CHOICE);
    choice.SetValue(u"visa");
    choice.ClearChangeFlags();
    EditorContent shown;
    shown.choiceEntry = 1;
    shown.text = u"Visa";  // the combo box shows the item's letter case
    EXPECT_FALSE(StoreEditorContent(choice, kEditorChoice, shown, shown));
    EXPECT_EQ(choice.Value(), u"visa");
    EditorContent none = shown;
    none.choiceEntry = 0;
    EXPECT_TRUE(StoreEditorContent(choice, kEditorChoice, shown, none));
    EXPECT_EQ(choice.Value(), u"");

    Field date;
    date.SetType(FT_DATE);
    const SystemTime stored{2029, 8, 5, 31, 0, 0, 17, 0};
    date.SetDateTime(stored);
    date.ClearChangeFlags();
    EditorContent picked;
    picked.dateSet = true;
    picked.time = stored;
    EditorContent same = picked;
    same.time.second = 42;  // a picker's own seconds do not count for a date
    EXPECT_FALSE(StoreEditorContent(date, kEditorDate, picked, same));
    EXPECT_EQ(date.DateTime(), stored);
    EditorContent later = picked;
    later.time.day = 30;
    EXPECT_TRUE(StoreEditorContent(date, kEditorDate, picked, later));
    EXPECT_EQ(date.DateTime().day, 30);
    EditorContent cleared = picked;
    cleared.dateSet = false;
    EXPECT_TRUE(StoreEditorContent(date, kEditorDate, later, cleared));
    EXPECT_TRUE(date.DateTime().IsZero());
}
