// The wallet tree's rules and the command table on a small wallet held in memory: the tree after a
// fill, the flags of each kind of node, paste and drop, delete with its counts, menu preparation.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "cardui/Settings.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/MemoryFile.h"
#include "platform/Text.h"
#include "resources/StringTable.h"
#include "shell/CommandRules.h"
#include "shell/ExchangeCommandRules.h"
#include "shell/WalletGeneration.h"
#include "shell/WalletTreeRules.h"

using namespace tl5;

namespace {

const std::u16string kPath = u"/mem/tree.tl5";
const std::u16string kPassword = u"secret1";

std::u16string TableString(uint32_t id) {
    const char16_t* s = StringTableLookup(id);
    return s ? s : u"?";
}

// Bank { Amex, visa, Zeta { Pin } }, Home { alarm }, a top-level card Loose, My Forms { Login };
// visa is a favourite.
class WalletTree : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(wallet.Create(kPath, kPassword, u"", false), kCreateOk);
        ASSERT_EQ(wallet.Open(kPath, &kPassword, false), kOpenOk);
        myForms = wallet.MyFormsIndex();
        ASSERT_GE(myForms, 0);
        bank = AddFolder(u"Bank");
        home = AddFolder(u"Home");
        zeta = AddFolder(u"Zeta", IdOf(bank));
        visa = AddCard(u"visa", IdOf(bank));
        amex = AddCard(u"Amex", IdOf(bank));
        pin = AddCard(u"Pin", IdOf(zeta));
        alarm = AddCard(u"alarm", IdOf(home));
        loose = AddCard(u"Loose", ItemId());
        login = AddCard(u"Login", IdOf(myForms));
        ASSERT_TRUE(AddFavorite(wallet, IdOf(visa)));
        generation.Opened();
    }
    int AddFolder(const std::u16string& name, const ItemId& parent = ItemId()) {
        ItemRecord r;
        EXPECT_TRUE(NewFolder(wallet, parent, false, &r));
        r.SetName(name);
        const int i = wallet.AppendFolderRecord(&r, false);
        EXPECT_GE(i, 0);
        return i;
    }
    int AddCard(const std::u16string& name, const ItemId& parent) {
        std::unique_ptr<Card> card = NewEmptyCard(wallet, parent);
        card->Record().SetName(name);
        const int i = wallet.AppendCard(card.get(), false);
        EXPECT_GE(i, 0);
        return i;
    }
    ItemId IdOf(int index) { return wallet.ItemAt(static_cast<size_t>(index)).Id(); }
    uint32_t U(int index) { return static_cast<uint32_t>(index); }
    // Nodes as the tree shows them.
    TreeNode In(int index, int folder) { return {U(index), U(folder)}; }
    TreeNode Top(int index) { return {U(index), kTreeNoItem}; }
    TreeNode FavChild(int index) { return {U(index), kTreeIndexFavorites}; }
    TreeNode FindChild(int index) { return {U(index), kTreeIndexFindResults}; }
    TreeNode FavNode() { return {kTreeIndexFavorites, kTreeNoItem}; }
    TreeNode FindNode() { return {kTreeIndexFindResults, kTreeNoItem}; }

    // The plan as indented names, one node per line.
    std::string Render(const std::vector<TreeFillNode>& plan) {
        std::string out;
        std::vector<int> depth(plan.size(), 0);
        for (size_t i = 0; i < plan.size(); ++i) {
            if (plan[i].parent >= 0) {
                EXPECT_LT(plan[i].parent, static_cast<int>(i)) << "parent after child";
                depth[i] = depth[static_cast<size_t>(plan[i].parent)] + 1;
            }
            out += std::string(2 * static_cast<size_t>(depth[i]), ' ') + Utf16ToUtf8(plan[i].text) + "\n";
        }
        return out;
    }
    std::string Fill() { return Render(BuildFillPlan(wallet, TableString)); }
    uint64_t Gen() { return generation.Ticket(); }

    MemoryFileSystem fs;
    Wallet wallet{fs};
    WalletGeneration generation;
    int myForms = -1, bank = -1, home = -1, zeta = -1, visa = -1, amex = -1, pin = -1, alarm = -1, loose = -1, login = -1;
};

}  // namespace

TEST_F(WalletTree, FillShowsSpecialNodesFirstCardsBeforeFoldersAndMyFormsLast) {
    const std::string expected =
        "Favorites\n  visa\nLoose\nBank\n  Amex\n  visa\n  Zeta\n    Pin\nHome\n  alarm\nMy Forms\n  Login\n";
    EXPECT_EQ(Fill(), expected);

    const std::vector<TreeFillNode> plan = BuildFillPlan(wallet, TableString);
    EXPECT_EQ(plan[0].role, NodeRole::kFavoritesNode);
    EXPECT_TRUE(plan[0].hasChildren);
    EXPECT_EQ(plan[0].icon, 88);
    EXPECT_EQ(plan[1].role, NodeRole::kFavoritesChild);
    EXPECT_TRUE(plan[1].overlay);
    EXPECT_EQ(plan[1].treeIndex, U(visa));
    EXPECT_EQ(plan[2].role, NodeRole::kTopLevelCard);
    EXPECT_EQ(plan[3].role, NodeRole::kFolder);
    EXPECT_FALSE(plan[4].overlay);
    EXPECT_EQ(plan[10].role, NodeRole::kMyForms);
    EXPECT_EQ(plan[10].colour, ItemColour::kMyForms);
    EXPECT_EQ(plan[11].role, NodeRole::kFormCard);
    EXPECT_EQ(plan[11].colour, ItemColour::kCard);

    // Results of a find come first, labelled with the word; no favourites: no Favorites node.
    ASSERT_EQ(FindCards(wallet, u"visa", false), 1);
    ClearFavorites(wallet);
    EXPECT_EQ(Fill().substr(0, 40), "Find Results - 'visa'\n  visa\nLoose\nBank\n");
    EXPECT_TRUE(FavoritesNodePlan(wallet, TableString).empty());
    const std::vector<TreeFillNode> find = FindResultsNodePlan(wallet, TableString);
    ASSERT_EQ(find.size(), 2u);
    EXPECT_EQ(find[1].parent, 0);
}

TEST_F(WalletTree, FillLeavesOutDeletedOrphanedAndCyclicRecords) {
    ASSERT_EQ(DeleteItem(wallet, alarm), 1);
    AddCard(u"Stray", NewItemId());  // its folder does not exist
    // Bank moved under its own subfolder: neither can be reached from the top level any more.
    ASSERT_EQ(MoveItem(wallet, bank, zeta), 1);
    EXPECT_EQ(Fill(), "Favorites\n  visa\nLoose\nHome\nMy Forms\n  Login\n");
    EXPECT_TRUE(IsInsideFolder(wallet, pin, zeta));
    EXPECT_FALSE(IsInsideFolder(wallet, pin, home));  // the walk round the cycle ends
    EXPECT_EQ(ShownParentOf(wallet, alarm), -2);
    EXPECT_EQ(ShownParentOf(wallet, loose), -1);
    EXPECT_EQ(ShownParentOf(wallet, login), myForms);
}

TEST_F(WalletTree, RenamingTheFindResultsNodeStoresOnlyTheLabel) {
    ASSERT_EQ(FindCards(wallet, u"visa", false), 1);
    const std::vector<TreeFillNode> find = FindResultsNodePlan(wallet, TableString);
    ASSERT_FALSE(find.empty());
    EXPECT_EQ(find[0].text, u"Find Results - 'visa'");
    // The user edits the shown text; the suffix is not stored, so it is not doubled next time.
    EXPECT_EQ(RenameNode(wallet, FindNode(), u"Hits - 'visa'"), RenameResult::kLabelStored);
    EXPECT_EQ(wallet.Header().Label(2), u"Hits");
    EXPECT_EQ(FindResultsNodePlan(wallet, TableString)[0].text, u"Hits - 'visa'");

    EXPECT_EQ(RenameNode(wallet, FavNode(), u"Starred"), RenameResult::kLabelStored);
    EXPECT_EQ(FavoritesNodePlan(wallet, TableString)[0].text, u"Starred");
    EXPECT_EQ(RenameNode(wallet, FavChild(visa), u"x"), RenameResult::kRefused);
    EXPECT_EQ(RenameNode(wallet, In(visa, bank), u"Visa Gold"), RenameResult::kRecordRenamed);
    EXPECT_EQ(wallet.ItemAt(visa).Name(), u"Visa Gold");
    // Every item showing the card takes the new name from its record.
    EXPECT_EQ(NodeOf(wallet, FavChild(visa), TableString).text, u"Visa Gold");
    EXPECT_TRUE(NodeOf(wallet, FavChild(visa), TableString).overlay);
    EXPECT_EQ(NodeOf(wallet, FindNode(), TableString).text, u"Hits - 'visa'");
}

TEST(WalletTreeFlags, FlagsByKindParentAndClipboard) {
    struct Case { int kind, parent, q; uint32_t flags; } cases[] = {
        {0, 0, 0, 0x0082},
        {100, 0, 0, 0x0582}, {100, 0, 1, 0x05A2}, {100, 0, 2, 0x0582},
        {200, 0, 1, 0x0582}, {300, 0, 0, 0x0582},
        {2, 0, 0, 0x14CB}, {2, 2, 1, 0x14EB}, {2, 2, 2, 0x14EB},
        {3, 0, 0, 0x0481}, {3, 0, 1, 0x04A1}, {3, 0, 2, 0x0481},  // never New Folder in My Forms
        {1, 2, 0, 0x16DF}, {1, 2, 1, 0x16FF}, {1, 2, 2, 0x16FF},
        {1, 3, 0, 0x14D1}, {1, 3, 1, 0x14F1}, {1, 3, 2, 0x14D1},  // cards in My Forms: no New Folder
        {1, 100, 0, 0x0E92}, {1, 100, 1, 0x0EB2},
        {1, 200, 1, 0x0E86}, {1, 300, 0, 0x0E86},
        {1, 0, 0, 0x16DE}, {1, 0, 1, 0x16DE},  // a top-level card: cut, copy, drag and delete
    };
    for (const Case& c : cases)
        EXPECT_EQ(CommandFlags(c.kind, c.parent, c.q), c.flags) << c.kind << "/" << c.parent << "/" << c.q;
}

TEST_F(WalletTree, OneDeleteRuleForMenuAndKeys) {
    struct Case { TreeNode node; uint32_t caption; bool enabled; DeleteAction action; };
    const Case cases[] = {
        {Top(loose), 20725, true, DeleteAction::kDeleteCard},
        {In(visa, bank), 20725, true, DeleteAction::kDeleteCard},
        {In(login, myForms), 20725, true, DeleteAction::kDeleteCard},
        {Top(bank), 20725, true, DeleteAction::kDeleteFolder},
        {Top(myForms), 20725, false, DeleteAction::kMyFormsRefused},
        {FavNode(), 20726, true, DeleteAction::kClearFavorites},
        {FavChild(visa), 20727, true, DeleteAction::kRemoveFavorite},
        {FindChild(visa), 20727, true, DeleteAction::kRemoveFindResult},
        {TreeNode(), 20725, false, DeleteAction::kNothing},
    };
    for (const Case& c : cases) {
        const SelectionState s = DescribeSelection(wallet, c.node, TreeClipboard(), Gen());
        const MenuPreparation menu = PrepareMenu(true, 1, s);
        EXPECT_EQ(menu.deleteCaptionId, c.caption) << c.node.treeIndex;
        ASSERT_NE(FindUpdate(menu, IDM_DELETE), nullptr);
        EXPECT_EQ(FindUpdate(menu, IDM_DELETE)->change == MenuItemChange::kEnable, c.enabled) << c.node.treeIndex;
        // The key posts Delete, which asks the same rule as the menu.
        EXPECT_EQ(KeyActionOf(kKeyDelete, s.role, false, false), TreeKeyAction::kPostDelete);
        EXPECT_EQ(CommandAllowed(IDM_DELETE, s, true), c.enabled) << c.node.treeIndex;
        EXPECT_EQ(AbilitiesOf(s).deletion != DeleteKind::kNone, c.enabled);
        EXPECT_EQ(PlanDelete(wallet, c.node).action, c.action) << c.node.treeIndex;
    }
}

TEST_F(WalletTree, MenuPreparation) {
    const SelectionState card = DescribeSelection(wallet, In(visa, bank), TreeClipboard(), Gen());
    // ExitMenu 0: Exit goes, whatever is selected and with or without a wallet.
    for (bool open : {true, false}) {
        const MenuPreparation p = PrepareMenu(open, 0, card);
        ASSERT_NE(FindUpdate(p, IDM_EXIT), nullptr);
        EXPECT_EQ(FindUpdate(p, IDM_EXIT)->change, MenuItemChange::kRemove);
        EXPECT_EQ(FindUpdate(PrepareMenu(open, 1, card), IDM_EXIT), nullptr);
    }
    // Without a wallet only New Card and New Folder are touched.
    const MenuPreparation closed = PrepareMenu(false, 1, card);
    EXPECT_EQ(closed.items.size(), 2u);
    EXPECT_EQ(FindUpdate(closed, IDM_NEW_CARD)->change, MenuItemChange::kDisable);
    EXPECT_EQ(FindUpdate(closed, IDM_NEW_FOLDER)->change, MenuItemChange::kDisable);
    EXPECT_EQ(closed.deleteCaptionId, 0u);

    struct Case { TreeNode node; bool newCard, newFolder, properties, copy, paste; } cases[] = {
        {TreeNode(), false, true, false, false, false},
        {FavNode(), false, true, true, false, false},
        {FindNode(), false, true, true, false, false},
        {Top(myForms), true, false, true, false, false},
        {In(login, myForms), true, false, true, true, false},
        {Top(bank), true, true, true, false, false},
        {In(visa, bank), true, true, true, true, false},
        {FavChild(visa), false, true, true, true, false},
    };
    for (const Case& c : cases) {
        const MenuPreparation p = PrepareMenu(true, 1, DescribeSelection(wallet, c.node, TreeClipboard(), Gen()));
        auto on = [&p](uint32_t id) { return FindUpdate(p, id) && FindUpdate(p, id)->change == MenuItemChange::kEnable; };
        EXPECT_EQ(on(IDM_NEW_CARD), c.newCard) << c.node.treeIndex;
        EXPECT_EQ(on(IDM_NEW_FOLDER), c.newFolder) << c.node.treeIndex;
        EXPECT_EQ(on(IDM_PROPERTIES), c.properties) << c.node.treeIndex;
        EXPECT_EQ(on(IDM_COPY), c.copy) << c.node.treeIndex;
        EXPECT_EQ(on(IDM_PASTE), c.paste) << c.node.treeIndex;
    }
    // With a card copied, Paste is offered on a folder and on a card in it, not on a card in Find results.
    const TreeClipboard clip = ClipboardFor(wallet, In(amex, bank), kClipCopy, Gen());
    EXPECT_TRUE(CommandAllowed(IDM_PASTE, DescribeSelection(wallet, Top(home), clip, Gen()), true));
    EXPECT_TRUE(CommandAllowed(IDM_PASTE, DescribeSelection(wallet, In(alarm, home), clip, Gen()), true));
    EXPECT_FALSE(CommandAllowed(IDM_PASTE, DescribeSelection(wallet, FindChild(visa), clip, Gen()), true));
    // Commands that arrive with no wallet open do nothing; Exit and Help still work.
    EXPECT_FALSE(CommandAllowed(IDM_NEW_FOLDER, DescribeSelection(wallet, TreeNode(), TreeClipboard(), Gen()), false));
    EXPECT_TRUE(CommandAllowed(IDM_EXIT, SelectionState(), false));
    EXPECT_TRUE(CommandAllowed(IDM_HELP, SelectionState(), false));
    EXPECT_FALSE(CommandAllowed(4242, SelectionState(), true));
}

TEST(CommandTable, EveryCommandOnceWithItsHandler) {
    std::map<uint32_t, int> seen;
    for (size_t i = 0; i < CommandTableSize(); ++i) ++seen[CommandTable()[i].id];
    for (const auto& [id, n] : seen) EXPECT_EQ(n, 1) << id;
    for (uint32_t id : {1u, 2u, 802u, 804u, 805u, 807u, 808u, 809u, 810u, 821u, 822u, 823u, 824u, 825u, 827u, 828u,
                        829u, 830u, 831u, 832u, 833u, 834u, 857u, 859u, 860u, 861u, 875u, 876u, 1001u, 1002u, 1003u,
                        1004u, 1005u})
        EXPECT_NE(FindCommand(id), nullptr) << id;
    EXPECT_EQ(FindCommand(IDM_REMOVE)->handler, CommandHandler::kRemove);
    EXPECT_EQ(FindCommand(IDM_HELP)->handler, CommandHandler::kHelp);
    EXPECT_FALSE(CancelsPendingCut(IDM_PASTE));
    EXPECT_TRUE(CancelsPendingCut(IDM_NEW_FOLDER));
    EXPECT_EQ(HelpCommandLine(kHelpPage), u"file:tlpro5en.htm");
}

TEST_F(WalletTree, PasteAndDropRules) {
    ASSERT_EQ(FindCards(wallet, u"Pin", false), 1);
    const uint64_t g = Gen();
    struct Case { const char* what; TransferPlan plan; TransferResult result; TransferAction action; uint32_t dest; };
    const Case cases[] = {
        // Copy: onto a folder, a card in a folder, My Forms, Favorites; folders are never copied.
        {"copy onto folder", PlanPaste(wallet, Top(home), ClipboardFor(wallet, In(visa, bank), kClipCopy, g), g),
         TransferResult::kOk, TransferAction::kCopyCard, U(home)},
        {"copy onto card", PlanPaste(wallet, In(alarm, home), ClipboardFor(wallet, In(visa, bank), kClipCopy, g), g),
         TransferResult::kOk, TransferAction::kCopyCard, U(home)},
        {"copy onto favourites child", PlanPaste(wallet, FavChild(visa), ClipboardFor(wallet, In(amex, bank), kClipCopy, g), g),
         TransferResult::kOk, TransferAction::kAddFavorite, kTreeIndexFavorites},
        {"copy onto find child", PlanPaste(wallet, FindChild(pin), ClipboardFor(wallet, In(amex, bank), kClipCopy, g), g),
         TransferResult::kRefused, TransferAction::kNone, kTreeNoItem},
        // Cut: into its own subfolder changes nothing; into itself neither.
        {"cut folder into own subfolder", PlanPaste(wallet, In(zeta, bank), ClipboardFor(wallet, Top(bank), kClipCut, g), g),
         TransferResult::kBeep, TransferAction::kNone, kTreeNoItem},
        {"cut folder into a card of its subfolder", PlanPaste(wallet, In(pin, zeta), ClipboardFor(wallet, Top(bank), kClipCut, g), g),
         TransferResult::kBeep, TransferAction::kNone, kTreeNoItem},
        {"cut folder onto itself", PlanPaste(wallet, Top(bank), ClipboardFor(wallet, Top(bank), kClipCut, g), g),
         TransferResult::kBeep, TransferAction::kNone, kTreeNoItem},
        {"cut folder into another", PlanPaste(wallet, Top(home), ClipboardFor(wallet, In(zeta, bank), kClipCut, g), g),
         TransferResult::kOk, TransferAction::kMove, U(home)},
        {"cut folder onto My Forms", PlanPaste(wallet, Top(myForms), ClipboardFor(wallet, In(zeta, bank), kClipCut, g), g),
         TransferResult::kFolderRefused, TransferAction::kNone, kTreeNoItem},
        {"cut card into My Forms", PlanPaste(wallet, Top(myForms), ClipboardFor(wallet, In(visa, bank), kClipCut, g), g),
         TransferResult::kOk, TransferAction::kMove, U(myForms)},
        {"stale clipboard", PlanPaste(wallet, Top(home), ClipboardFor(wallet, In(visa, bank), kClipCopy, g - 1), g),
         TransferResult::kRefused, TransferAction::kNone, kTreeNoItem},
        // Drop.
        {"card onto another folder", PlanDrop(wallet, Top(home), In(visa, bank)),
         TransferResult::kOk, TransferAction::kMove, U(home)},
        {"card onto a card in another folder", PlanDrop(wallet, In(alarm, home), In(visa, bank)),
         TransferResult::kOk, TransferAction::kMove, U(home)},
        {"card onto a card of its folder", PlanDrop(wallet, In(amex, bank), In(visa, bank)),
         TransferResult::kRefused, TransferAction::kNone, kTreeNoItem},
        {"card onto its own folder", PlanDrop(wallet, Top(bank), In(visa, bank)),
         TransferResult::kRefused, TransferAction::kNone, kTreeNoItem},
        {"card onto My Forms", PlanDrop(wallet, Top(myForms), In(visa, bank)),
         TransferResult::kOk, TransferAction::kSaveToMyForms, U(myForms)},
        {"card onto Favorites", PlanDrop(wallet, FavNode(), In(amex, bank)),
         TransferResult::kOk, TransferAction::kAddFavorite, kTreeIndexFavorites},
        {"card onto a Favorites child", PlanDrop(wallet, FavChild(visa), In(alarm, home)),
         TransferResult::kOk, TransferAction::kAddFavorite, kTreeIndexFavorites},
        {"card onto a Find results child", PlanDrop(wallet, FindChild(pin), In(alarm, home)),
         TransferResult::kRefused, TransferAction::kNone, kTreeNoItem},
        {"folder onto My Forms", PlanDrop(wallet, Top(myForms), Top(home)),
         TransferResult::kFolderRefused, TransferAction::kNone, kTreeNoItem},
        {"folder onto a form", PlanDrop(wallet, In(login, myForms), Top(home)),
         TransferResult::kFolderRefused, TransferAction::kNone, kTreeNoItem},
        {"folder onto Favorites", PlanDrop(wallet, FavNode(), Top(home)),
         TransferResult::kFolderRefused, TransferAction::kNone, kTreeNoItem},
        {"folder onto a Favorites child", PlanDrop(wallet, FavChild(visa), Top(home)),
         TransferResult::kFolderRefused, TransferAction::kNone, kTreeNoItem},
        {"folder into its own subfolder", PlanDrop(wallet, In(zeta, bank), Top(bank)),
         TransferResult::kRefused, TransferAction::kNone, kTreeNoItem},  // its tree child
        {"folder into a deeper subfolder", PlanDrop(wallet, In(pin, zeta), Top(bank)),
         TransferResult::kBeep, TransferAction::kNone, kTreeNoItem},
        {"folder into another folder", PlanDrop(wallet, Top(home), Top(bank)),
         TransferResult::kOk, TransferAction::kMove, U(home)},
        {"a Favorites child is not dragged", PlanDrop(wallet, Top(home), FavChild(visa)),
         TransferResult::kRefused, TransferAction::kNone, kTreeNoItem},
        {"a top-level card is dragged", PlanDrop(wallet, Top(home), Top(loose)),
         TransferResult::kOk, TransferAction::kMove, U(home)},
        {"nothing under the pointer", PlanDrop(wallet, TreeNode(), In(visa, bank)),
         TransferResult::kRefused, TransferAction::kNone, kTreeNoItem},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.plan.result, c.result) << c.what;
        if (c.result == TransferResult::kOk) {
            EXPECT_EQ(c.plan.action, c.action) << c.what;
            EXPECT_EQ(c.plan.destination, c.dest) << c.what;
        }
    }
}

TEST_F(WalletTree, CopyPastedTwiceGivesTwoCardsAndADropMovesForGood) {
    const uint64_t g = Gen();
    const TreeClipboard clip = ClipboardFor(wallet, In(visa, bank), kClipCopy, g);
    std::vector<int> made;
    for (int i = 0; i < 2; ++i) {
        const TransferOutcome out = CarryOutTransfer(wallet, PlanPaste(wallet, Top(home), clip, g));
        ASSERT_EQ(out.result, TransferResult::kOk);
        made.push_back(out.index);
    }
    EXPECT_NE(made[0], made[1]);
    for (int i : made) {
        EXPECT_EQ(wallet.ItemAt(i).Name(), u"visa*");
        EXPECT_EQ(wallet.ItemAt(i).Parent(), IdOf(home));
    }
    EXPECT_EQ(wallet.ItemAt(visa).Parent(), IdOf(bank));  // the copied card stays

    // Cut a folder and paste it into its own subfolder: nothing changes.
    const TreeClipboard cut = ClipboardFor(wallet, Top(bank), kClipCut, g);
    EXPECT_EQ(CarryOutTransfer(wallet, PlanPaste(wallet, In(zeta, bank), cut, g)).result, TransferResult::kBeep);
    EXPECT_TRUE(wallet.ItemAt(bank).IsTopLevel());

    // A drop moves the card; the move is in the file.
    EXPECT_EQ(CarryOutTransfer(wallet, PlanDrop(wallet, Top(home), In(amex, bank))).index, amex);
    const ItemId amexId = IdOf(amex), homeId = IdOf(home);
    ASSERT_EQ(wallet.Close(true), kCloseOk);
    ASSERT_EQ(wallet.Open(kPath, &kPassword, false), kOpenOk);
    EXPECT_EQ(wallet.ItemAt(wallet.IndexOf(amexId)).Parent(), homeId);

    // Dropping on My Forms saves a form and leaves the card; dropping on Favorites twice lists it once.
    const int before = FavoriteCount(wallet);
    const int alarmAt = wallet.IndexOf(IdOf(alarm));
    const TransferOutcome form = CarryOutTransfer(wallet, PlanDrop(wallet, Top(wallet.MyFormsIndex()), In(alarmAt, home)));
    ASSERT_EQ(form.result, TransferResult::kOk);
    EXPECT_EQ(wallet.ItemAt(form.index).Parent(), IdOf(wallet.MyFormsIndex()));
    EXPECT_EQ(wallet.ItemAt(alarmAt).Parent(), homeId);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(CarryOutTransfer(wallet, PlanDrop(wallet, FavNode(), In(alarmAt, home))).result, TransferResult::kOk);
    EXPECT_EQ(FavoriteCount(wallet), before + 1);
    EXPECT_EQ(AddNodeToFavorites(wallet, In(alarmAt, home)), FavoriteResult::kAlreadyThere);
}

TEST_F(WalletTree, AFailedWalletOperationReportsFailureAndAddsNothing) {
    ASSERT_EQ(wallet.Close(true), kCloseOk);
    ASSERT_EQ(wallet.Open(kPath, &kPassword, true), kOpenOk);  // read-only: every write fails
    const size_t count = wallet.ItemCount();
    const uint64_t g = Gen();
    for (TransferPlan plan : {PlanPaste(wallet, Top(home), ClipboardFor(wallet, In(visa, bank), kClipCopy, g), g),
                              PlanDrop(wallet, Top(home), In(visa, bank)), PlanDrop(wallet, Top(myForms), In(visa, bank))}) {
        ASSERT_EQ(plan.result, TransferResult::kOk);
        const TransferOutcome out = CarryOutTransfer(wallet, plan);
        EXPECT_EQ(out.result, TransferResult::kFailed);
        EXPECT_EQ(out.index, -1);
        EXPECT_NE(TransferFailureMessage(out.action), 0u);
    }
    EXPECT_EQ(wallet.ItemCount(), count);
    EXPECT_EQ(wallet.ItemAt(visa).Parent(), IdOf(bank));
    EXPECT_EQ(SaveNodeToMyForms(wallet, In(visa, bank)), -1);
    const DeletePlan plan = PlanDelete(wallet, Top(bank));
    EXPECT_EQ(CarryOutDelete(wallet, plan, Top(bank)).result, DeleteResult::kFailed);
}

TEST_F(WalletTree, DeletingAFolderAsksWithItsCountsAndRemovesEverythingBelowIt) {
    // Bank holds the subfolder Zeta and the cards visa, Amex and (in Zeta) Pin.
    const DeletePlan plan = PlanDelete(wallet, Top(bank));
    EXPECT_EQ(plan.folders, 2);
    EXPECT_EQ(plan.cards, 3);
    EXPECT_TRUE(plan.rebuildFavorites);
    EXPECT_TRUE(plan.rebuildFindResults);
    ASSERT_EQ(plan.records.size(), 5u);
    EXPECT_EQ(plan.records.back(), bank);  // children first
    const auto pinAt = std::find(plan.records.begin(), plan.records.end(), pin);
    const auto zetaAt = std::find(plan.records.begin(), plan.records.end(), zeta);
    EXPECT_LT(pinAt, zetaAt);
    auto strings = [](uint32_t id) -> std::u16string {
        return id == kStringDeleteFolderQuestion ? u"Delete %d folders and %d cards?" : u"?";
    };
    EXPECT_EQ(DeleteQuestionText(plan, u"Bank", strings), u"Delete 2 folders and 3 cards?\n\n(Bank)");
    EXPECT_EQ(DeleteQuestionText(PlanDelete(wallet, FavNode()), u"Favorites", strings), u"");  // no question

    // A "No" is simply not carrying it out; "Yes":
    const DeleteOutcome out = CarryOutDelete(wallet, plan, Top(bank));
    EXPECT_EQ(out.result, DeleteResult::kDone);
    EXPECT_EQ(out.deleted, 5);
    for (int i : {bank, zeta, visa, amex, pin}) EXPECT_TRUE(wallet.ItemAt(i).IsDeleted()) << i;
    EXPECT_EQ(FavoriteCount(wallet), 0);  // visa was a favourite
    EXPECT_EQ(Fill(), "Loose\nHome\n  alarm\nMy Forms\n  Login\n");
}

TEST_F(WalletTree, RemoveAndClearOnTheSpecialNodes) {
    ASSERT_EQ(FindCards(wallet, u"visa", false), 1);
    DeletePlan remove = PlanDelete(wallet, FavChild(visa));
    EXPECT_EQ(remove.questionId, kStringRemoveQuestion);
    EXPECT_EQ(CarryOutDelete(wallet, remove, FavChild(visa)).result, DeleteResult::kDone);
    EXPECT_EQ(FavoriteCount(wallet), 0);
    EXPECT_FALSE(wallet.ItemAt(visa).IsDeleted());  // the card stays in its folder
    EXPECT_EQ(CarryOutDelete(wallet, PlanDelete(wallet, FindChild(visa)), FindChild(visa)).result, DeleteResult::kDone);
    EXPECT_EQ(FindResultCount(wallet), 0);

    ASSERT_TRUE(AddFavorite(wallet, IdOf(amex)));
    EXPECT_EQ(PlanDelete(wallet, FavNode()).questionId, 0u);
    EXPECT_EQ(CarryOutDelete(wallet, PlanDelete(wallet, FavNode()), FavNode()).result, DeleteResult::kDone);
    EXPECT_EQ(FavoriteCount(wallet), 0);
    const DeletePlan myFormsPlan = PlanDelete(wallet, Top(myForms));
    EXPECT_EQ(myFormsPlan.messageId, kStringMyFormsNotDeleted);
    EXPECT_EQ(CarryOutDelete(wallet, myFormsPlan, Top(myForms)).result, DeleteResult::kNothingToDo);
    EXPECT_FALSE(wallet.ItemAt(myForms).IsDeleted());
}

TEST_F(WalletTree, NewFolderAndNewCardTargets) {
    // Nothing selected: a top-level folder with icon 72.
    const NewItemTarget top = NewFolderTarget(wallet, TreeNode());
    ASSERT_EQ(top.result, NewItemResult::kOk);
    EXPECT_TRUE(top.topLevel);
    ItemRecord folder;
    ASSERT_TRUE(PrepareNewFolder(wallet, top, &folder));
    EXPECT_EQ(folder.Icon(), kNewFolderIcon);
    folder.SetName(u"Travel");
    const int travel = StoreFolder(wallet, &folder, true, true);
    ASSERT_GE(travel, 0);
    EXPECT_TRUE(wallet.ItemAt(travel).IsTopLevel());
    EXPECT_EQ(wallet.ItemAt(travel).Icon(), 72);

    // Never inside My Forms, from the folder or from a form in it.
    EXPECT_EQ(NewFolderTarget(wallet, Top(myForms)).result, NewItemResult::kNothing);
    EXPECT_EQ(NewFolderTarget(wallet, In(login, myForms)).result, NewItemResult::kNothing);
    EXPECT_FALSE(CommandAllowed(IDM_NEW_FOLDER, DescribeSelection(wallet, In(login, myForms), TreeClipboard(), Gen()), true));
    ItemRecord inside;
    ASSERT_TRUE(NewFolder(wallet, IdOf(myForms), false, &inside));
    EXPECT_EQ(StoreFolder(wallet, &inside, false, true), -1);

    const NewItemTarget sub = NewFolderTarget(wallet, In(visa, bank));
    EXPECT_EQ(sub.folder, bank);
    EXPECT_FALSE(sub.topLevel);
    EXPECT_EQ(NewFolderTarget(wallet, FavChild(visa)).folder, -1);

    EXPECT_EQ(NewCardTarget(wallet, In(visa, bank)).folder, bank);
    EXPECT_EQ(NewCardTarget(wallet, Top(myForms)).folder, myForms);
    EXPECT_EQ(NewCardTarget(wallet, FavChild(visa)).result, NewItemResult::kBeep);
    EXPECT_EQ(NewCardTarget(wallet, FindChild(visa)).result, NewItemResult::kBeep);
    EXPECT_EQ(NewCardTarget(wallet, TreeNode()).result, NewItemResult::kNothing);

    // Properties moving a folder to the top level, and refusing to put it inside itself.
    ItemRecord zetaCopy;
    ASSERT_TRUE(CopyOfFolder(wallet, IdOf(zeta), &zetaCopy));
    ItemRecord bankCopy = zetaCopy;
    EXPECT_GE(StoreFolder(wallet, &zetaCopy, true, false), 0);
    EXPECT_TRUE(wallet.ItemAt(wallet.IndexOf(IdOf(zeta))).IsTopLevel());
    ASSERT_TRUE(CopyOfFolder(wallet, IdOf(bank), &bankCopy));
    ASSERT_TRUE(bankCopy.SetParent(IdOf(travel)));
    EXPECT_GE(StoreFolder(wallet, &bankCopy, false, false), 0);
    ItemRecord travelCopy;
    ASSERT_TRUE(CopyOfFolder(wallet, IdOf(travel), &travelCopy));
    ASSERT_TRUE(travelCopy.SetParent(IdOf(bank)));
    EXPECT_EQ(StoreFolder(wallet, &travelCopy, false, false), -1);  // Travel inside Bank inside Travel
}

TEST_F(WalletTree, ActivationKeysPopupsAndColours) {
    EXPECT_EQ(ActivationOf(wallet, In(visa, bank)), ActivateAction::kOpenCardView);
    EXPECT_EQ(ActivationOf(wallet, In(login, myForms)), ActivateAction::kOpenCardEdit);
    EXPECT_EQ(ActivationOf(wallet, Top(bank)), ActivateAction::kToggle);
    EXPECT_EQ(ActivationOf(wallet, FavNode()), ActivateAction::kToggle);
    EXPECT_EQ(ActivationOf(wallet, TreeNode()), ActivateAction::kNothing);
    ASSERT_TRUE(AddFavorite(wallet, IdOf(login)));
    EXPECT_EQ(ActivationOf(wallet, FavChild(login)), ActivateAction::kOpenCardEdit);  // still a form

    EXPECT_EQ(KeyActionOf(kKeyReturn, NodeRole::kCard, false, false), TreeKeyAction::kActivate);
    EXPECT_EQ(KeyActionOf(kKeyLeft, NodeRole::kFolder, false, true), TreeKeyAction::kCollapse);
    EXPECT_EQ(KeyActionOf(kKeyLeft, NodeRole::kCard, false, true), TreeKeyAction::kNone);
    EXPECT_EQ(KeyActionOf(kKeyRight, NodeRole::kFavoritesNode, false, false), TreeKeyAction::kExpand);
    EXPECT_EQ(KeyActionOf(kKeyUp, NodeRole::kFolder, true, false), TreeKeyAction::kOpenFindBar);
    EXPECT_EQ(KeyActionOf(kKeyUp, NodeRole::kFolder, false, false), TreeKeyAction::kNone);

    EXPECT_EQ(PopupMenuFor(NodeRole::kNothing), 959u);
    EXPECT_EQ(PopupMenuFor(NodeRole::kFavoritesChild), 976u);
    EXPECT_EQ(PopupMenuFor(NodeRole::kFormCard), 972u);
    EXPECT_EQ(PopupMenuFor(NodeRole::kTopLevelCard), 957u);

    Settings settings;
    wallet.Settings().SetCardColour(0x00112233);
    EXPECT_EQ(ItemColourValue(wallet, settings, ColourOfRole(NodeRole::kFavoritesChild)), 0x00112233u);
    EXPECT_EQ(ItemColourValue(wallet, settings, ColourOfRole(NodeRole::kFolder)), wallet.Settings().FolderColour());
    EXPECT_EQ(ItemColourValue(wallet, settings, ColourOfRole(NodeRole::kMyForms)), settings.colorFolderForms);
    EXPECT_EQ(ItemColourValue(wallet, settings, ColourOfRole(NodeRole::kFindResultsNode)), settings.colorFolderSpecial);
    EXPECT_EQ(StockImageOf(72), 76);
    EXPECT_EQ(StockImageOf(-1), -1);
}

TEST_F(WalletTree, AGenerationTicketAndTheClipboardDoNotOutliveTheWallet) {
    const uint64_t ticket = generation.Ticket();
    const TreeClipboard clip = ClipboardFor(wallet, In(visa, bank), kClipCut, ticket);
    EXPECT_TRUE(generation.IsCurrent(ticket));
    EXPECT_TRUE(ClipboardValid(wallet, clip, generation.Ticket()));
    generation.Closed();
    EXPECT_FALSE(generation.IsCurrent(ticket));
    EXPECT_EQ(generation.Ticket(), 0u);
    generation.Opened();  // the same file opened again is another generation
    EXPECT_FALSE(generation.IsCurrent(ticket));
    EXPECT_FALSE(ClipboardValid(wallet, clip, generation.Ticket()));
    EXPECT_EQ(DescribeSelection(wallet, Top(home), clip, generation.Ticket()).clipboardKind, 0);

    // Within one generation a record that changed identity at the index is not taken either.
    TreeClipboard moved = ClipboardFor(wallet, In(visa, bank), kClipCopy, generation.Ticket());
    moved.id = IdOf(amex);
    EXPECT_FALSE(ClipboardValid(wallet, moved, generation.Ticket()));
}

TEST_F(WalletTree, ClosedCardViewResults) {
    std::unique_ptr<Card> fresh = NewEmptyCard(wallet, IdOf(home));
    fresh->Record().SetName(u"Gate");
    const CardClosedOutcome added = StoreClosedCard(wallet, kCardClosedSaved, fresh.get(), true);
    ASSERT_EQ(added.result, CardClosedResult::kAdded);
    EXPECT_EQ(wallet.ItemAt(added.index).Name(), u"Gate");

    std::unique_ptr<Card> copy = wallet.LoadCard(static_cast<size_t>(visa));
    ASSERT_TRUE(copy);
    copy->Record().SetName(u"visa 2");
    const CardClosedOutcome replaced = StoreClosedCard(wallet, kCardClosedSaved, copy.get(), false);
    EXPECT_EQ(replaced.result, CardClosedResult::kReplaced);
    EXPECT_TRUE(replaced.rebuildSpecialNodes);
    EXPECT_EQ(wallet.ItemAt(wallet.IndexOf(IdOf(visa))).Name(), u"visa 2");

    std::unique_ptr<Card> gone = wallet.LoadCard(static_cast<size_t>(alarm));
    ASSERT_TRUE(gone);
    EXPECT_EQ(StoreClosedCard(wallet, kCardClosedDeleted, gone.get(), false).result, CardClosedResult::kDeleted);
    EXPECT_TRUE(wallet.ItemAt(alarm).IsDeleted());
    std::unique_ptr<Card> kept = wallet.LoadCard(static_cast<size_t>(amex));
    EXPECT_EQ(StoreClosedCard(wallet, 2, kept.get(), false).result, CardClosedResult::kNothing);
}

TEST(WalletTreeStrings, EveryStringTheRulesNameIsInTheTable) {
    const uint32_t ids[] = {
        kStringDelete, kStringClear, kStringRemove, kStringFolderNotAllowed, kStringRemoveQuestion,
        kStringDeleteFormQuestion, kStringDeleteCardQuestion, kStringDeleteFolderQuestion, kStringMyFormsNotDeleted,
        kStringPasswordChanged, kStringAppCaption, kStringCopyFailed, kStringMoveFailed, kStringSaveFormFailed,
        kStringCardSaveFailed, kStringDeleteFailed, kStringFolderSaveFailed, kStringRenameFailed, kStringFavoritesFull,
        20200, 20201, 20202, 28600, 28601, 28602, 28603, 28700, 28701, 28702, 28703, 28704, 28705, 28706, 28900, 28901,
        25014, 25015,
    };
    for (uint32_t id : ids) EXPECT_NE(StringTableLookup(id), nullptr) << id;
    // The folder question takes the two counts, in this order.
    const DeletePlan plan = [] {
        DeletePlan p;
        p.action = DeleteAction::kDeleteFolder;
        p.questionId = kStringDeleteFolderQuestion;
        p.folders = 4;
        p.cards = 7;
        return p;
    }();
    const std::u16string text = DeleteQuestionText(plan, u"Bank", TableString);
    EXPECT_NE(text.find(u"Folders: 4"), std::u16string::npos) << Utf16ToUtf8(text);
    EXPECT_NE(text.find(u"Cards: 7"), std::u16string::npos);
    EXPECT_EQ(text.substr(text.size() - 8), u"\n\n(Bank)");
}

// A tree control as a model: children lists that take a node first or last. The insertion order must
// rebuild the plan exactly, make every parent before its children, and make every parent before any
// node inserted as a first child (so that a control scanning its items finds parents at once).
TEST(WalletTreeInsertOrder, RebuildsThePlanWithParentsMadeFirst) {
    struct Case {
        const char* what;
        std::vector<int> parents;  // the plan: each node's parent position
    };
    const std::vector<Case> cases = {
        {"empty", {}},
        {"top level only", {-1, -1, -1}},
        {"cards then folders", {-1, 0, 0, 0, -1, 4, 4, 6, 6, -1}},
        {"an empty folder after a full one", {-1, 0, 0, 2, 0}},
        {"an empty folder before a full one", {-1, 0, 0, 0, 3}},
        {"special node with children", {-1, 0, 0, -1, -1, 4}},
        {"deep", {-1, 0, 1, 2, 3, 3, 2, 1, 0}},
    };
    for (const Case& c : cases) {
        std::vector<TreeFillNode> plan(c.parents.size());
        for (size_t i = 0; i < plan.size(); ++i) plan[i].parent = c.parents[i];
        const std::vector<TreeInsertStep> steps = TreeInsertOrder(plan);
        ASSERT_EQ(steps.size(), plan.size()) << c.what;
        std::vector<std::vector<int>> children(plan.size() + 1);  // the last list is the top level
        std::vector<int> made(plan.size(), -1);
        int firstStepAt = static_cast<int>(steps.size());
        for (size_t k = 0; k < steps.size(); ++k) {
            const TreeInsertStep& step = steps[k];
            const int parent = plan[static_cast<size_t>(step.node)].parent;
            if (parent >= 0) {
                EXPECT_GE(made[static_cast<size_t>(parent)], 0) << c.what << ": a child before its parent";
            }
            std::vector<int>& list = children[parent >= 0 ? static_cast<size_t>(parent) : plan.size()];
            if (step.first) {
                list.insert(list.begin(), step.node);
                firstStepAt = std::min(firstStepAt, static_cast<int>(k));
            } else {
                list.push_back(step.node);
                EXPECT_LT(static_cast<int>(k), firstStepAt) << c.what << ": appends come before the first-child inserts";
            }
            made[static_cast<size_t>(step.node)] = static_cast<int>(k);
        }
        // Pre-order of the model equals the plan.
        std::vector<int> order;
        std::function<void(size_t)> walk = [&](size_t list) {
            for (int node : children[list]) {
                order.push_back(node);
                walk(static_cast<size_t>(node));
            }
        };
        walk(plan.size());
        std::vector<int> expected(plan.size());
        for (size_t i = 0; i < plan.size(); ++i) expected[i] = static_cast<int>(i);
        EXPECT_EQ(order, expected) << c.what;
    }
}

TEST_F(WalletTree, ExportAndImportFollowTheSelection) {
    struct Case {
        TreeNode node;
        int context;
        int card;
        int folder;
        ImportRoute route;
    };
    const int none = -1;
    const Case cases[] = {
        {In(visa, bank), 1, visa, none, ImportRoute::kTextFile},
        {Top(loose), 1, loose, none, ImportRoute::kTextFile},
        // A card shown under Favorites or Find results is the same card.
        {FavChild(visa), 1, visa, none, ImportRoute::kTextFile},
        {FindChild(visa), 1, visa, none, ImportRoute::kTextFile},
        {In(login, myForms), 1, login, none, ImportRoute::kFormFile},
        {Top(myForms), 2, none, myForms, ImportRoute::kFormFile},
        {Top(bank), 2, none, bank, ImportRoute::kTextFile},
        {FavNode(), 2, none, none, ImportRoute::kTextFile},
        {TreeNode(), 0, none, none, ImportRoute::kTextFile},
    };
    for (const Case& c : cases) {
        const SelectionState s = DescribeSelection(wallet, c.node, TreeClipboard(), Gen());
        EXPECT_EQ(ExportContextOf(s), c.context) << c.node.treeIndex;
        EXPECT_EQ(ExportCardIndex(wallet, s), c.card) << c.node.treeIndex;
        EXPECT_EQ(ExportFolderIndex(wallet, s), c.folder) << c.node.treeIndex;
        EXPECT_EQ(ImportRouteFor(s), c.route) << c.node.treeIndex;
    }
}
