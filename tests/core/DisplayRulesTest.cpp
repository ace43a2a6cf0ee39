// The display options and the card display dialog: the size lists, the flags, and that the choices
// written back change only what the user changed.
#include <gtest/gtest.h>

#include <cstring>

#include "cardui/Settings.h"
#include "dialogs/DisplayRules.h"
#include "model/WalletBlocks.h"

namespace tl5 {
namespace {

TEST(DisplayRules, StoredSizesSelectTheirEntryAndEntriesGiveTheirSize) {
    struct Case {
        int32_t stored;
        int entry;
    };
    const Case cases[] = {{-3, 2}, {0, 2}, {1, 0}, {8, 0}, {9, 1}, {10, 2}, {11, 2}, {12, 2}, {13, 1}, {72, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(TextSizeEntry(c.stored), c.entry) << c.stored;
        // Regular and bold halves of the tree list.
        EXPECT_EQ(TreeFontEntry(c.stored, false), c.entry) << c.stored;
        EXPECT_EQ(TreeFontEntry(c.stored, true), c.entry + 3) << c.stored;
    }
    const uint32_t sizes[] = {8, 8, 9, 11, 8};  // entries -1, 0, 1, 2, 3
    for (int entry = -1; entry <= 3; ++entry) EXPECT_EQ(TextSizeOfEntry(entry), sizes[entry + 1]) << entry;

    const TreeFont tree[] = {{8, false}, {8, false}, {9, false}, {11, false}, {8, true}, {9, true}, {11, true}};
    for (int entry = -1; entry <= 5; ++entry) EXPECT_EQ(TreeFontOfEntry(entry), tree[entry + 1]) << entry;
}

TEST(DisplayRules, AnUntouchedListOrBoxKeepsTheStoredValue) {
    // A size the list cannot show survives a visit; choosing another entry stores that entry's size.
    EXPECT_EQ(ChosenTextSize(TextSizeEntry(10), 10), 10u);
    EXPECT_EQ(ChosenTextSize(TextSizeEntry(0), 0), 0u);
    EXPECT_EQ(ChosenTextSize(1, 10), 9u);
    EXPECT_EQ(ChosenTextSize(2, 9), 11u);
    EXPECT_EQ(ChosenTextSize(-1, 9), 8u);
    // Flags: a non-zero word is "yes" and stays as it was while the box says yes.
    EXPECT_EQ(ChosenFlag(2, true), 2u);
    EXPECT_EQ(ChosenFlag(2, false), 0u);
    EXPECT_EQ(ChosenFlag(0, true), 1u);
    EXPECT_EQ(ChosenFlag(0, false), 0u);
}

TEST(DisplayRules, CustomColoursStartAsListedColumnByColumn) {
    EXPECT_EQ(kStartCustomColours[0], 0x00E9FEEFu);   // 239, 254, 233
    EXPECT_EQ(kStartCustomColours[3], 0x0066FFCCu);   // 204, 255, 102
    EXPECT_EQ(kStartCustomColours[4], 0x00CCCC33u);   // 51, 204, 204
    EXPECT_EQ(kStartCustomColours[9], 0x00996600u);   // 0, 102, 153
    EXPECT_EQ(kStartCustomColours[15], 0x000033FFu);  // 255, 51, 0
}

CardHead OddHead() {
    CardHead head = CardHead::Defaults();
    for (size_t i = 0; i < CardHead::kWords; ++i) head.words[i] = 0xA0000000u + static_cast<uint32_t>(i);
    head.words[CardHead::kTextSize] = 10;
    head.words[CardHead::kNamesBold] = 2;
    head.words[CardHead::kDataBold] = 0;
    head.words[CardHead::kShowPasswords] = 7;
    head.words[CardHead::kBackgroundColour] = kNoColour;
    return head;
}

TEST(DisplayRules, CardDisplayDoneWithoutAChangeGivesTheSameHead) {
    for (const CardHead& head : {CardHead::Defaults(), OddHead()}) {
        const CardHead after = ApplyCardDisplayChoices(head, CardDisplayChoicesOf(head));
        EXPECT_TRUE(after == head);
    }
}

TEST(DisplayRules, CardDisplayWritesTheChoicesAndNothingElse) {
    const CardHead head = OddHead();
    CardDisplayChoices c = CardDisplayChoicesOf(head);
    c.sizeEntry = 1;
    c.namesBold = false;
    c.dataBold = true;
    c.alwaysShowPasswords = false;
    c.backgroundColour = ColourOf(1, 2, 3);
    c.nameColour = ColourOf(4, 5, 6);
    c.dataColour = ColourOf(7, 8, 9);
    const CardHead after = ApplyCardDisplayChoices(head, c);
    CardHead expected = head;
    expected.words[CardHead::kTextSize] = 9;
    expected.words[CardHead::kNamesBold] = 0;
    expected.words[CardHead::kDataBold] = 1;
    expected.words[CardHead::kShowPasswords] = 0;
    expected.words[CardHead::kBackgroundColour] = 0x030201;
    expected.words[CardHead::kNameColour] = 0x060504;
    expected.words[CardHead::kDataColour] = 0x090807;
    for (size_t i = 0; i < CardHead::kWords; ++i) EXPECT_EQ(after.words[i], expected.words[i]) << "word " << i;
}

class DisplayOptionsRules : public ::testing::Test {
protected:
    void SetUp() override {
        wallet_.Initialize();
        wallet_.ClearChangeFlags();
        // The card view defaults of this wallet differ from the registry's card size.
        wallet_.SetCardHeadDefault(CardHead::kTextSize, 11);
        wallet_.SetCardHeadDefault(0, 0x12345678);
        std::memcpy(before_, wallet_.Raw(), WalletSettings::kSize);
        settings_.fontCard = 8;
        settings_.fontMain = 10;
        settings_.fontMainStyle = 6;  // bits other than bold belong to no one here
    }

    // A block that was never written since SetUp.
    bool Unchanged() const { return std::memcmp(before_, wallet_.Raw(), WalletSettings::kSize) == 0; }

    WalletSettings wallet_;
    Settings settings_;
    uint8_t before_[WalletSettings::kSize];
};

TEST_F(DisplayOptionsRules, ShowsThisWalletsCardSizeAndDoneWithoutAChangeLeavesTheWalletAlone) {
    const DisplayChoices c = DisplayChoicesOf(wallet_, settings_);
    EXPECT_EQ(c.card.sizeEntry, 2) << "the wallet's 11 points, not the registry's 8";
    EXPECT_EQ(c.treeEntry, 2) << "a tree font of 10 points shows as 11";
    EXPECT_EQ(c.folderColour, 0x00FF0000u);
    EXPECT_EQ(c.card.dataColour, 0x00800000u);

    const DisplayApplied applied = ApplyDisplayChoices(c, &wallet_, &settings_);
    EXPECT_FALSE(applied.walletChanged);
    EXPECT_TRUE(Unchanged());
    EXPECT_EQ(settings_.fontCard, 8u) << "FontCard is not shown: it stays";
    // The tree font is stored as the entry shows it.
    EXPECT_EQ(settings_.fontMain, 11u);
    EXPECT_EQ(settings_.fontMainStyle, 6u);
    EXPECT_TRUE(applied.treeFontChanged);
}

TEST_F(DisplayOptionsRules, ChangesReachTheWalletTheRegistryAndNothingElse) {
    DisplayChoices c = DisplayChoicesOf(wallet_, settings_);
    c.treeEntry = 5;
    c.card.sizeEntry = 1;
    c.card.namesBold = true;
    c.folderColour = ColourOf(10, 20, 30);
    c.card.dataColour = kNoColour;
    const DisplayApplied applied = ApplyDisplayChoices(c, &wallet_, &settings_);
    EXPECT_TRUE(applied.walletChanged);
    EXPECT_TRUE(applied.treeFontChanged);
    EXPECT_EQ(settings_.fontMain, 11u);
    EXPECT_EQ(settings_.fontMainStyle, 7u);
    EXPECT_EQ(settings_.fontCard, 9u);
    EXPECT_EQ(wallet_.CardHeadDefault(CardHead::kTextSize), 9u);
    EXPECT_EQ(wallet_.CardHeadDefault(CardHead::kNamesBold), 1u);
    EXPECT_EQ(wallet_.CardHeadDefault(CardHead::kDataColour), kNoColour);
    EXPECT_EQ(wallet_.FolderColour(), 0x001E140Au);
    // Every other byte of the block, but the time stamp of the change, is as it was: the words of the
    // defaults the dialog does not show, the card colour, the word at 136 and the favourites.
    for (size_t i = 0; i < WalletSettings::kSize; ++i) {
        if (i >= 16 && i < 32) continue;  // last change
        const bool written = i == 36 + 4 * CardHead::kTextSize || i == 36 + 4 * CardHead::kNamesBold ||
                             (i >= 36 + 4 * CardHead::kDataColour && i < 40 + 4 * CardHead::kDataColour) ||
                             (i >= 124 && i < 128);
        if (!written) {
            EXPECT_EQ(wallet_.Raw()[i], before_[i]) << "byte " << i;
        }
    }
}

}  // namespace
}  // namespace tl5
