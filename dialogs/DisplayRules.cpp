#include "dialogs/DisplayRules.h"

#include "cardui/Settings.h"
#include "model/WalletBlocks.h"

namespace tl5 {

int TextSizeEntry(int32_t stored) {
    if (stored >= 1 && stored <= 8) return 0;
    if (stored == 9 || stored > 12) return 1;
    return 2;
}

uint32_t TextSizeOfEntry(int entry) {
    if (entry < 0 || entry >= static_cast<int>(kTextSizes.size())) return kTextSizes[0];
    return kTextSizes[static_cast<size_t>(entry)];
}

uint32_t ChosenTextSize(int entry, uint32_t stored) {
    if (entry == TextSizeEntry(static_cast<int32_t>(stored))) return stored;
    return TextSizeOfEntry(entry);
}

int TreeFontEntry(int32_t size, bool bold) { return TextSizeEntry(size) + (bold ? 3 : 0); }

TreeFont TreeFontOfEntry(int entry) {
    const bool bold = entry > 2;
    switch (entry) {
        case 2:
        case 5: return {11, bold};
        case 1:
        case 4: return {9, bold};
        default: return {8, bold};
    }
}

uint32_t ChosenFlag(uint32_t stored, bool checked) {
    if ((stored != 0) == checked) return stored;
    return checked ? 1 : 0;
}

CardDisplayChoices CardDisplayChoicesOf(const CardHead& head) {
    CardDisplayChoices c;
    c.sizeEntry = TextSizeEntry(static_cast<int32_t>(head.words[CardHead::kTextSize]));
    c.namesBold = head.words[CardHead::kNamesBold] != 0;
    c.dataBold = head.words[CardHead::kDataBold] != 0;
    c.alwaysShowPasswords = head.words[CardHead::kShowPasswords] != 0;
    c.backgroundColour = head.words[CardHead::kBackgroundColour];
    c.nameColour = head.words[CardHead::kNameColour];
    c.dataColour = head.words[CardHead::kDataColour];
    return c;
}

CardHead ApplyCardDisplayChoices(const CardHead& head, const CardDisplayChoices& c) {
    CardHead out = head;
    uint32_t* w = out.words;
    w[CardHead::kTextSize] = ChosenTextSize(c.sizeEntry, head.words[CardHead::kTextSize]);
    w[CardHead::kNamesBold] = ChosenFlag(head.words[CardHead::kNamesBold], c.namesBold);
    w[CardHead::kDataBold] = ChosenFlag(head.words[CardHead::kDataBold], c.dataBold);
    w[CardHead::kShowPasswords] = ChosenFlag(head.words[CardHead::kShowPasswords], c.alwaysShowPasswords);
    w[CardHead::kBackgroundColour] = c.backgroundColour;
    w[CardHead::kNameColour] = c.nameColour;
    w[CardHead::kDataColour] = c.dataColour;
    return out;
}

DisplayChoices DisplayChoicesOf(const WalletSettings& wallet, const Settings& settings) {
    DisplayChoices c;
    c.treeEntry = TreeFontEntry(static_cast<int32_t>(settings.MainFontSize()), settings.MainFontBold());
    c.card = CardDisplayChoicesOf(CardHead::FromBytes(wallet.CardHeadDefaults()));
    c.folderColour = wallet.FolderColour();
    c.cardColour = wallet.CardColour();
    return c;
}

DisplayApplied ApplyDisplayChoices(const DisplayChoices& c, WalletSettings* wallet, Settings* settings) {
    DisplayApplied applied;
    const TreeFont before{settings->MainFontSize(), settings->MainFontBold()};
    const TreeFont tree = TreeFontOfEntry(c.treeEntry);
    settings->SetMainFontSize(tree.size);
    settings->SetMainFontBold(tree.bold);
    applied.treeFontChanged = !(before == tree);

    const CardHead defaults = CardHead::FromBytes(wallet->CardHeadDefaults());
    const CardHead after = ApplyCardDisplayChoices(defaults, c.card);
    for (size_t word = 0; word < CardHead::kWords; ++word) {
        if (after.words[word] == defaults.words[word]) continue;
        wallet->SetCardHeadDefault(static_cast<int>(word), after.words[word]);
        applied.walletChanged = true;
    }
    const uint32_t size = after.words[CardHead::kTextSize];
    if (size != defaults.words[CardHead::kTextSize]) settings->SetCardFontSize(size);
    if (wallet->FolderColour() != c.folderColour) {
        wallet->SetFolderColour(c.folderColour);
        applied.walletChanged = true;
    }
    if (wallet->CardColour() != c.cardColour) {
        wallet->SetCardColour(c.cardColour);
        applied.walletChanged = true;
    }
    return applied;
}

}  // namespace tl5
