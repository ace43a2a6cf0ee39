// The notes editor's zoom steps and change decision, and the selection list editor's operations on
// its list and on the field it edits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/NoteRules.h"
#include "model/Field.h"
#include "resources/resource.h"

using namespace tl5;

namespace {

using Items = std::vector<std::u16string>;

Field ListField(const Items& items) {
    Field field;
    field.SetType(FT_LIST);
    for (const std::u16string& item : items) EXPECT_TRUE(field.AddItem(item));
    field.ClearChangeFlags();
    return field;
}

Items Numbered(size_t count) {
    Items items;
    for (size_t i = 0; i < count; ++i)
        items.push_back(u"item " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)));
    return items;
}

}  // namespace

TEST(NoteZoom, StoredValueSelectsMenuItemAndFontSizeOthersAreHundredPercent) {
    struct Case {
        uint32_t stored;
        uint32_t zoom;
        int item;
        int points;
    };
    const Case cases[] = {
        {0, 0, IDM_ZOOM_75, 8},   {1, 1, IDM_ZOOM_100, 9}, {2, 2, IDM_ZOOM_150, 11}, {3, 3, IDM_ZOOM_200, 13},
        {4, 4, IDM_ZOOM_300, 16}, {5, 1, IDM_ZOOM_100, 9}, {9, 1, IDM_ZOOM_100, 9},  {0xFFFFFFFFu, 1, IDM_ZOOM_100, 9},
    };
    for (const Case& c : cases) {
        const NoteZoomStep step = NoteZoomFor(c.stored);
        EXPECT_EQ(step.zoom, c.zoom) << c.stored;
        EXPECT_EQ(step.menuItem, c.item) << c.stored;
        EXPECT_EQ(step.points, c.points) << c.stored;
    }
    // Each zoom command stores the value whose step it is.
    for (uint32_t zoom = 0; zoom < kNoteZoomSteps; ++zoom) {
        uint32_t chosen = 99;
        ASSERT_TRUE(NoteZoomOfCommand(NoteZoomFor(zoom).menuItem, &chosen));
        EXPECT_EQ(chosen, zoom);
    }
    uint32_t untouched = 7;
    EXPECT_FALSE(NoteZoomOfCommand(IDM_DONE, &untouched));
    EXPECT_FALSE(NoteZoomOfCommand(IDM_INSERT_DATE, &untouched));
    EXPECT_EQ(untouched, 7u);
}

TEST(NoteText, ChangedWhenMarkedModifiedOrLengthDiffers) {
    EXPECT_FALSE(NoteTextChanged(false, 40000, 40000));  // opened, scrolled, selected: no change
    EXPECT_TRUE(NoteTextChanged(true, 40000, 40000));    // a character typed and deleted again
    EXPECT_TRUE(NoteTextChanged(false, 40000, 30000));   // cut short behind the box's back
    EXPECT_TRUE(NoteTextChanged(false, 0, 1));
}

TEST(ListEditorRules, AddTakesTheTextWithCaretAsSpaceAndRefusesEmptyAndTheHundredTwentyNinth) {
    Items items;
    EXPECT_EQ(AddListItem(items, u"a^b"), ListAddResult::added);
    EXPECT_EQ(AddListItem(items, u""), ListAddResult::empty);
    EXPECT_EQ(AddListItem(items, u"^^"), ListAddResult::added);
    EXPECT_EQ(items, (Items{u"a b", u"  "}));

    // A longer text than the box takes is cut to 127 characters.
    EXPECT_EQ(AddListItem(items, std::u16string(200, u'x')), ListAddResult::added);
    EXPECT_EQ(items.back(), std::u16string(kListItemMaxChars, u'x'));

    Items full = Numbered(kMaxChoiceItems);
    const Items before = full;
    EXPECT_EQ(AddListItem(full, u"one too many"), ListAddResult::full);
    EXPECT_EQ(full, before);
    full.pop_back();
    EXPECT_EQ(AddListItem(full, u"last"), ListAddResult::added);
    EXPECT_EQ(full.size(), kMaxChoiceItems);
}

TEST(ListEditorRules, DeleteRemovesTheSelectedItemAndSelectsTheOneBefore) {
    struct Case {
        Items items;
        int selected;
        Items after;
        int selectedAfter;
    };
    const Case cases[] = {
        {{u"a", u"b", u"c"}, -1, {u"a", u"b", u"c"}, -1},  // nothing selected: nothing happens
        {{u"a", u"b", u"c"}, 3, {u"a", u"b", u"c"}, -1},   // a stale selection beyond the end
        {{u"a", u"b", u"c"}, 1, {u"a", u"c"}, 0},
        {{u"a", u"b", u"c"}, 2, {u"a", u"b"}, 1},
        {{u"a", u"b", u"c"}, 0, {u"b", u"c"}, 0},  // no item before: the first
        {{u"a"}, 0, {}, -1},
        {{}, 0, {}, -1},
    };
    for (const Case& c : cases) {
        Items items = c.items;
        EXPECT_EQ(DeleteListItem(items, c.selected), c.selectedAfter) << c.items.size() << "/" << c.selected;
        EXPECT_EQ(items, c.after) << c.items.size() << "/" << c.selected;
    }
}

TEST(ListEditorRules, MoveSwapsWithTheNeighbourAndKeepsTheItemSelected) {
    struct Case {
        int selected;
        int delta;
        Items after;
        int selectedAfter;
    };
    const Case cases[] = {
        {1, -1, {u"b", u"a", u"c"}, 0},   {1, +1, {u"a", u"c", u"b"}, 2},
        {0, -1, {u"a", u"b", u"c"}, 0},  // up on the first
        {2, +1, {u"a", u"b", u"c"}, 2},  // down on the last
        {-1, +1, {u"a", u"b", u"c"}, -1}, {-1, -1, {u"a", u"b", u"c"}, -1},
    };
    for (const Case& c : cases) {
        Items items{u"a", u"b", u"c"};
        EXPECT_EQ(MoveListItem(items, c.selected, c.delta), c.selectedAfter) << c.selected << " " << c.delta;
        EXPECT_EQ(items, c.after) << c.selected << " " << c.delta;
    }
}

TEST(ListEditorRules, StoreReplacesTheFieldsItemsAndLeavesAnEqualListAlone) {
    Field field = ListField({u"red", u"green"});
    EXPECT_EQ(ListItemsOfField(field), (Items{u"red", u"green"}));

    // Done without a change touches nothing, so the card is not marked changed.
    EXPECT_FALSE(StoreListIntoField({u"red", u"green"}, &field));
    EXPECT_EQ(field.ChangeFlags(), 0u);

    EXPECT_TRUE(StoreListIntoField({u"green", u"", u"a^b"}, &field));
    EXPECT_EQ(field.Items(), (Items{u"green", u"a b"}));
    EXPECT_NE(field.ChangeFlags() & kFieldItemsChanged, 0u);

    // Order matters; an emptied list empties the field.
    field.ClearChangeFlags();
    EXPECT_TRUE(StoreListIntoField({u"a b", u"green"}, &field));
    EXPECT_EQ(field.Items(), (Items{u"a b", u"green"}));
    EXPECT_TRUE(StoreListIntoField({}, &field));
    EXPECT_EQ(field.ItemCount(), 0u);

    // More than the field holds: the first 128 are kept, and storing them again changes nothing.
    const Items many = Numbered(kMaxChoiceItems + 2);
    EXPECT_TRUE(StoreListIntoField(many, &field));
    ASSERT_EQ(field.ItemCount(), kMaxChoiceItems);
    EXPECT_EQ(field.ItemAt(kMaxChoiceItems - 1), many[kMaxChoiceItems - 1]);
    field.ClearChangeFlags();
    EXPECT_FALSE(StoreListIntoField(many, &field));
    EXPECT_EQ(field.ChangeFlags(), 0u);

    EXPECT_FALSE(StoreListIntoField({u"x"}, nullptr));
}
