// The index of the wallet's tree: children in tree order, the top level, orphans, and a large
// generated table checked against a plain search of the table for every folder.
#include "model/TreeIndex.h"
#include "model/TreeOrder.h"
#include "model/Wallet.h"
#include "platform/MemoryFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tl5;

namespace {

const std::u16string kPath = u"/mem/tree.tl5";
const std::u16string kPassword = u"secret1";

// A wallet open read-only whose table the tests fill directly: nothing reaches the file.
class TreeIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(wallet.Create(kPath, kPassword, u"", false), kCreateOk);
        ASSERT_EQ(wallet.Open(kPath, &kPassword, true), kOpenOk);
        wallet.Items().clear();  // without the My Forms folder of a new wallet
    }
    uint32_t Add(ItemKind kind, const std::u16string& name, const ItemId& parent = ItemId()) {
        ItemRecord r;
        r.SetKey(wallet.RecordKey());
        if (kind == kItemKindCard) r.CreateAsCard(parent);
        if (kind == kItemKindFolder) r.CreateAsFolder(parent);
        if (kind == kItemKindMyForms) r.CreateAsMyFormsFolder();
        r.SetName(name);
        wallet.Items().push_back(std::move(r));
        return static_cast<uint32_t>(wallet.ItemCount() - 1);
    }
    ItemId IdOf(uint32_t index) const { return wallet.ItemAt(index).Id(); }
    static std::vector<uint32_t> List(std::span<const uint32_t> s) { return {s.begin(), s.end()}; }

    MemoryFileSystem fs;
    Wallet wallet{fs};
};

}  // namespace

TEST_F(TreeIndexTest, ChildrenInTreeOrderUnderEachParent) {
    const uint32_t myForms = Add(kItemKindMyForms, u"My Forms");
    const uint32_t bank = Add(kItemKindFolder, u"bank");
    const uint32_t visa = Add(kItemKindCard, u"Visa", IdOf(bank));
    const uint32_t accounts = Add(kItemKindFolder, u"Accounts", IdOf(bank));
    const uint32_t amex = Add(kItemKindCard, u"amex", IdOf(bank));
    const uint32_t savings = Add(kItemKindCard, u"Savings", IdOf(accounts));
    const uint32_t alpha = Add(kItemKindFolder, u"Alpha");
    const uint32_t note = Add(kItemKindCard, u"Note");
    const uint32_t form = Add(kItemKindCard, u"Gym", IdOf(myForms));
    const uint32_t gone = Add(kItemKindCard, u"A deleted card", IdOf(bank));
    wallet.ItemAt(gone).SetDeleted(true);

    TreeIndex tree;
    ASSERT_TRUE(tree.Build(wallet));
    EXPECT_EQ(tree.TableSize(), wallet.ItemCount());
    // Cards first, then folders, each by name without regard to case; My Forms last.
    EXPECT_EQ(List(tree.Top()), (std::vector<uint32_t>{note, alpha, bank, myForms}));
    EXPECT_EQ(List(tree.Children(bank)), (std::vector<uint32_t>{amex, visa, accounts}));
    EXPECT_EQ(List(tree.Children(accounts)), std::vector<uint32_t>{savings});
    EXPECT_EQ(List(tree.Children(myForms)), std::vector<uint32_t>{form});
    EXPECT_TRUE(tree.Children(alpha).empty());
    EXPECT_TRUE(tree.Children(visa).empty());
    EXPECT_TRUE(tree.Children(99).empty());
    EXPECT_EQ(List(tree.ChildrenOf(IdOf(bank))), List(tree.Children(bank)));
    EXPECT_EQ(List(tree.ChildrenOf(ItemId())), List(tree.Top()));
    EXPECT_TRUE(tree.ChildrenOf(IdOf(visa)).empty());

    EXPECT_EQ(tree.Parent(savings), static_cast<int>(accounts));
    EXPECT_EQ(tree.Parent(accounts), static_cast<int>(bank));
    EXPECT_EQ(tree.Parent(bank), -1);
    EXPECT_EQ(tree.Parent(gone), -1);
    EXPECT_EQ(tree.Parent(99), -1);
    EXPECT_EQ(tree.FolderIndexOf(IdOf(accounts)), static_cast<int>(accounts));
    EXPECT_EQ(tree.FolderIndexOf(IdOf(myForms)), static_cast<int>(myForms));
    EXPECT_EQ(tree.FolderIndexOf(IdOf(visa)), -1);
    EXPECT_FALSE(tree.IsLive(gone));
    EXPECT_TRUE(tree.Orphans().empty());

    // Built again after a change, the index follows the table.
    wallet.ItemAt(amex).SetParent(IdOf(accounts));
    ASSERT_TRUE(tree.Build(wallet));
    EXPECT_EQ(List(tree.Children(bank)), (std::vector<uint32_t>{visa, accounts}));
    EXPECT_EQ(List(tree.Children(accounts)), (std::vector<uint32_t>{amex, savings}));
}

TEST_F(TreeIndexTest, OrphansAreListedApartInTableOrder) {
    const uint32_t folder = Add(kItemKindFolder, u"Folder");
    const uint32_t card = Add(kItemKindCard, u"Card", IdOf(folder));
    const uint32_t deletedFolder = Add(kItemKindFolder, u"Deleted");
    wallet.ItemAt(deletedFolder).SetDeleted(true);
    ItemId missing;
    ASSERT_TRUE(ItemId::FromHex("00112233445566778899aabbccddeeff", &missing));
    const uint32_t lost = Add(kItemKindCard, u"Lost", missing);
    const uint32_t underCard = Add(kItemKindCard, u"Under a card", IdOf(card));
    const uint32_t underDeleted = Add(kItemKindFolder, u"Under a deleted folder", IdOf(deletedFolder));
    const uint32_t inOrphan = Add(kItemKindCard, u"In an orphan folder", IdOf(underDeleted));
    const uint32_t self = Add(kItemKindFolder, u"Its own parent");
    wallet.ItemAt(self).SetParent(IdOf(self));
    // Two folders inside each other: out of reach of the top level, and not orphans either.
    const uint32_t loopA = Add(kItemKindFolder, u"Loop A");
    const uint32_t loopB = Add(kItemKindFolder, u"Loop B", IdOf(loopA));
    wallet.ItemAt(loopA).SetParent(IdOf(loopB));

    TreeIndex tree;
    ASSERT_TRUE(tree.Build(wallet));
    EXPECT_EQ(List(tree.Orphans()), (std::vector<uint32_t>{lost, underCard, underDeleted, self}));
    EXPECT_EQ(List(tree.Top()), std::vector<uint32_t>{folder});
    for (uint32_t orphan : tree.Orphans()) {
        EXPECT_TRUE(tree.IsOrphan(orphan)) << orphan;
        EXPECT_EQ(tree.Parent(orphan), -1) << orphan;
    }
    EXPECT_FALSE(tree.IsOrphan(folder));
    EXPECT_FALSE(tree.IsOrphan(card));
    EXPECT_FALSE(tree.IsOrphan(deletedFolder));
    // An orphan folder keeps its own children.
    EXPECT_EQ(List(tree.Children(underDeleted)), std::vector<uint32_t>{inOrphan});
    EXPECT_EQ(tree.Parent(inOrphan), static_cast<int>(underDeleted));
    EXPECT_TRUE(tree.Children(self).empty());
    EXPECT_EQ(List(tree.Children(loopA)), std::vector<uint32_t>{loopB});
    EXPECT_EQ(List(tree.Children(loopB)), std::vector<uint32_t>{loopA});
    EXPECT_FALSE(tree.IsOrphan(loopA));
    EXPECT_FALSE(tree.IsOrphan(loopB));
}

// A generated table (a deep chain of folders, wide folders, cards with equal names, deleted cards and
// orphans): every live item is placed exactly once, under the parent a plain search finds, and each
// group is in the order SortByTreeOrder gives it.
TEST_F(TreeIndexTest, AGeneratedWalletMatchesAPlainSearch) {
    uint32_t seed = 7;
    auto next = [&seed] {  // a fixed sequence, so that a failure can be repeated
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    std::vector<uint32_t> folders;
    uint32_t chain = Add(kItemKindFolder, u"chain");
    folders.push_back(chain);
    for (int depth = 0; depth < 300; ++depth) {  // deeper than any recursion would like
        chain =
            Add(kItemKindFolder, u"level " + std::u16string(1, static_cast<char16_t>(u'a' + depth % 26)), IdOf(chain));
        folders.push_back(chain);
    }
    ItemId missing;
    ASSERT_TRUE(ItemId::FromHex("ffeeddccbbaa99887766554433221100", &missing));
    for (int i = 0; i < 2500; ++i) {
        const uint32_t r = next();
        const ItemId parent = r % 23 == 0 ? missing : r % 11 == 0 ? ItemId() : IdOf(folders[r % folders.size()]);
        const ItemKind kind = r % 5 == 0 ? kItemKindFolder : kItemKindCard;
        const uint32_t index =
            Add(kind, u"item " + std::u16string(1, static_cast<char16_t>(u'A' + (r >> 7) % 40)), parent);
        if (kind == kItemKindFolder) folders.push_back(index);
        if (kind == kItemKindCard && r % 31 == 0) wallet.ItemAt(index).SetDeleted(true);
    }

    TreeIndex tree;
    ASSERT_TRUE(tree.Build(wallet));
    const size_t n = wallet.ItemCount();
    std::vector<int> placed(n, 0);
    size_t live = 0;
    auto check = [&](std::span<const uint32_t> got, const ItemId& parent, bool top) {
        std::vector<uint32_t> expected;
        for (size_t i = 0; i < n; ++i) {
            const ItemRecord& r = wallet.ItemAt(i);
            if (!r.IsDeleted() && r.Parent() == parent && (top || r.Id() != parent))
                expected.push_back(static_cast<uint32_t>(i));
        }
        SortByTreeOrder(wallet, &expected);
        EXPECT_EQ(List(got), expected);
        for (uint32_t i : got) ++placed[i];
    };
    check(tree.Top(), ItemId(), true);
    for (size_t i = 0; i < n; ++i) {
        const ItemRecord& r = wallet.ItemAt(i);
        if (r.IsDeleted()) continue;
        ++live;
        if (r.IsFolderLike()) check(tree.Children(static_cast<uint32_t>(i)), r.Id(), false);
    }
    for (uint32_t i : tree.Orphans()) {
        ++placed[i];
        EXPECT_EQ(wallet.ItemAt(i).Parent(), missing);  // the only kind of orphan generated
    }
    size_t placedOnce = 0;
    for (size_t i = 0; i < n; ++i) {
        EXPECT_EQ(placed[i], wallet.ItemAt(i).IsDeleted() ? 0 : 1) << i;
        placedOnce += placed[i] == 1;
    }
    EXPECT_EQ(placedOnce, live);
    EXPECT_GT(tree.Orphans().size(), 0u);
}
