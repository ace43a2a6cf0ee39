#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cardui/FormDesignRules.h"
#include "model/Card.h"
#include "model/Field.h"

using namespace tl5;

namespace {

Card CardWith(const std::vector<std::u16string>& names) {
    Card card;
    for (const std::u16string& name : names) card.AddField(FT_TEXT)->SetName(name);
    return card;
}

std::vector<std::u16string> Names(const Card& card) {
    std::vector<std::u16string> names;
    for (const Field& f : card.Fields()) names.push_back(f.Name());
    return names;
}

}  // namespace

TEST(FormDesignRules, CommandsChangeTheListAndSelectTheRightRow) {
    struct Case {
        const char* what;
        DesignCommand command;
        int row;
        std::vector<std::u16string> names;
        int selected;
    };
    const std::vector<Case> cases = {
        {"add at the end, its name selected", kAddField, 1, {u"A", u"B", u"C", u"New"}, 6},
        {"delete keeps the row", kDeleteField, 2, {u"A", u"C"}, 2},
        {"delete the last field's type row", kDeleteField, 5, {u"A", u"B"}, 3},
        {"up from the first field does nothing", kFieldUp, 1, {u"A", u"B", u"C"}, 1},
        {"up", kFieldUp, 4, {u"A", u"C", u"B"}, 2},
        {"down", kFieldDown, 0, {u"B", u"A", u"C"}, 2},
        {"down on the last field only moves to its type row", kFieldDown, 4, {u"A", u"B", u"C"}, 5},
        {"to the top", kFieldTop, 5, {u"C", u"A", u"B"}, 0},
        {"to the bottom", kFieldBottom, 0, {u"B", u"C", u"A"}, 5},
        {"copy from a name row selects its type row", kCopyField, 0, {u"A", u"A", u"B", u"C"}, 1},
        {"copy from a type row selects the copy's name", kCopyField, 3, {u"A", u"B", u"B", u"C"}, 4},
    };
    for (const Case& c : cases) {
        Card card = CardWith({u"A", u"B", u"C"});
        const DesignOutcome out = RunDesignCommand(card, c.command, c.row, u"New");
        EXPECT_EQ(Names(card), c.names) << c.what;
        EXPECT_EQ(out.row, c.selected) << c.what;
    }
    Card one = CardWith({u"Only"});
    EXPECT_EQ(RunDesignCommand(one, kDeleteField, 0, u"").row, -1);  // no rows left: no editor
    EXPECT_EQ(one.FieldCount(), 0u);
    Card full;
    for (int i = 0; i < 255; ++i) full.AddField(FT_TEXT);
    const DesignOutcome out = RunDesignCommand(full, kAddField, 0, u"New");
    EXPECT_FALSE(out.changed);
    EXPECT_EQ(full.FieldCount(), 255u);
    EXPECT_EQ(out.row, 2 * 254);
}

TEST(FormDesignRules, RetypingToTheSameTypeKeepsTheChoices) {
    Field choice;
    choice.SetType(FT_CHOICE);
    choice.ClearItems();
    choice.AddItem(u"Red");
    choice.AddItem(u"Blue");
    EXPECT_FALSE(SetOfferedType(choice, OfferedTypePosition(FT_CHOICE)));
    EXPECT_EQ(choice.ItemCount(), 2u);
    EXPECT_TRUE(SetOfferedType(choice, OfferedTypePosition(FT_DATE)));
    EXPECT_EQ(choice.Type(), FT_DATE);
    EXPECT_EQ(OfferedFieldTypes().size(), 14u);
    EXPECT_EQ(OfferedTypePosition(2), -1);
    // Rows of 10 pixels with a 3-pixel gap after each type row.
    EXPECT_EQ(DesignRowAtOffset(4, 10, 3, 0), 0);
    EXPECT_EQ(DesignRowAtOffset(4, 10, 3, 23), 1);
    EXPECT_EQ(DesignRowAtOffset(4, 10, 3, 24), 2);
    EXPECT_EQ(DesignRowAtOffset(4, 10, 3, 47), 0);
    EXPECT_EQ(NextDesignRow(3, 4), 3);
    EXPECT_EQ(PreviousDesignRow(0), 0);
}
