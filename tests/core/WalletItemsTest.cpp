// Item operations, find, favourites and the shared tree order on a wallet held in memory.
#include "model/BuiltInForm.h"
#include "model/Sha256.h"
#include "model/TreeOrder.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/MemoryFile.h"
#include "platform/Text.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tl5;

namespace {

const std::u16string kPath = u"/mem/items.tl5";
const std::u16string kPassword = u"secret1";

class WalletItems : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(wallet.Create(kPath, kPassword, u"", false), kCreateOk);
        ASSERT_EQ(wallet.Open(kPath, &kPassword, false), kOpenOk);
    }
    void Reopen() {
        ASSERT_EQ(wallet.Close(true), kCloseOk);
        ASSERT_EQ(wallet.Open(kPath, &kPassword, false), kOpenOk);
    }
    int AddFolder(const std::u16string& name, const ItemId& parent = ItemId()) {
        ItemRecord r;
        EXPECT_TRUE(NewFolder(wallet, parent, false, &r));
        r.SetName(name);
        return wallet.AppendFolderRecord(&r, false);
    }
    // A card with a text field "Note" holding the value, under the folder.
    int AddCard(const std::u16string& name, const ItemId& parent, const std::u16string& value = u"") {
        std::unique_ptr<Card> card = NewEmptyCard(wallet, parent);
        card->Record().SetName(name);
        Field* f = card->AddField(FT_TEXT);
        f->SetName(u"Note");
        f->SetValue(value);
        return wallet.AppendCard(card.get(), false);
    }
    ItemId IdOf(int index) { return wallet.ItemAt(static_cast<size_t>(index)).Id(); }
    std::u16string NameOf(int index) { return wallet.ItemAt(static_cast<size_t>(index)).Name(); }

    MemoryFileSystem fs;
    Wallet wallet{fs};
};

}  // namespace

TEST_F(WalletItems, LookupsAndKinds) {
    const int folder = AddFolder(u"Bank");
    const int card = AddCard(u"Visa", IdOf(folder));
    const int myForms = wallet.MyFormsIndex();
    ASSERT_GE(myForms, 0);
    EXPECT_EQ(MyFormsFolder(wallet), &wallet.ItemAt(myForms));
    EXPECT_EQ(KindOfIndex(wallet, card), 1);
    EXPECT_EQ(KindOfIndex(wallet, folder), 2);
    EXPECT_EQ(KindOfIndex(wallet, myForms), 3);
    EXPECT_EQ(KindOfIndex(wallet, 0x10000000), 100);
    EXPECT_EQ(KindOfIndex(wallet, 0x20000000), 200);
    EXPECT_EQ(KindOfIndex(wallet, 0x40000000), 300);
    EXPECT_EQ(KindOfIndex(wallet, 9999), 0);
    EXPECT_EQ(ParentFolderIndexOf(wallet, card), folder);
    EXPECT_EQ(ParentFolderIndexOf(wallet, folder), -1);
    EXPECT_EQ(ParentEntryOf(wallet, card), &wallet.ItemAt(folder));
    int index = -2;
    EXPECT_NE(RecordOfId(wallet, IdOf(card), &index), nullptr);
    EXPECT_EQ(index, card);
    EXPECT_EQ(RecordOfId(wallet, ItemId(), &index), nullptr);

    ItemRecord copy;
    EXPECT_TRUE(CopyOfFolder(wallet, IdOf(folder), &copy));
    EXPECT_EQ(copy.Name(), u"Bank");
    EXPECT_FALSE(CopyOfFolder(wallet, IdOf(card), &copy));
}

TEST_F(WalletItems, NewCardsFromBuiltInAndMyForms) {
    const int folder = AddFolder(u"F");
    FormId form19;
    ASSERT_TRUE(FormId::ForBuiltIn(19, &form19));
    std::unique_ptr<Card> card = NewCardFromForm(wallet, IdOf(folder), form19);
    ASSERT_NE(card, nullptr);
    const BuiltInForm* f = BuiltInFormByNumber(19);
    EXPECT_EQ(card->Record().Icon(), f->icon);
    EXPECT_EQ(card->Record().Name(), StringTableLookup(kStringNewCardName));
    ASSERT_EQ(card->FieldCount(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(card->FieldAt(i)->Name(), StringTableLookup(f->fields[i].labelString));
    EXPECT_EQ(card->Head(), CardHead::FromBytes(wallet.Settings().CardHeadDefaults()));

    FormId form10;
    FormId::ForBuiltIn(10, &form10);
    card = NewCardFromForm(wallet, IdOf(folder), form10);
    EXPECT_EQ(card->FieldAt(1)->Type(), FT_PASSWORD);  // the PIN template

    FormId missing;
    missing.bytes[0] = 43;  // number 43 is no built-in form, nor any card
    EXPECT_EQ(NewCardFromForm(wallet, IdOf(folder), missing), nullptr);
    std::u16string name;
    EXPECT_FALSE(FormName(wallet, missing, &name));
    EXPECT_TRUE(FormName(wallet, form19, &name));
    EXPECT_EQ(name, StringTableLookup(f->nameString));

    // A form in My Forms carries its values; the new card is named "<form>*".
    const int myForms = wallet.MyFormsIndex();
    const int formCard = AddCard(u"Club", IdOf(myForms), u"member 7");
    const FormId myForm = FormId::FromItemId(IdOf(formCard));
    EXPECT_TRUE(FormName(wallet, myForm, &name));
    EXPECT_EQ(name, u"Club");
    card = NewCardFromForm(wallet, IdOf(folder), myForm);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->Record().Name(), u"Club*");
    EXPECT_EQ(card->Record().Parent(), IdOf(folder));
    EXPECT_NE(card->Record().Id(), IdOf(formCard));
    EXPECT_EQ(card->FieldAt(0)->Value(), u"member 7");
    // A card outside My Forms is not a form.
    const int plain = AddCard(u"Plain", IdOf(folder));
    EXPECT_EQ(NewCardFromForm(wallet, IdOf(folder), FormId::FromItemId(IdOf(plain))), nullptr);
}

TEST_F(WalletItems, RenameMoveCopySaveAsFormAndDeleteReachTheFile) {
    const int a = AddFolder(u"A");
    const int b = AddFolder(u"B");
    const std::u16string longName(255, u'x');
    const int card = AddCard(longName, IdOf(a), u"value");
    std::unique_ptr<Card> withDate = NewEmptyCard(wallet, IdOf(a));
    withDate->Record().SetName(u"Dated");
    Field* d = withDate->AddField(FT_DATE);
    SystemTime t;
    t.year = 2026;
    t.month = 2;
    t.day = 3;
    d->SetDateTime(t);
    withDate->AddField(FT_LIST)->AddItem(u"kept item");
    const int dated = wallet.AppendCard(withDate.get(), false);

    EXPECT_EQ(RenameItem(wallet, a, u"Accounts"), 1);
    EXPECT_EQ(MoveItem(wallet, b, a), 1);
    const int copy = CopyCard(wallet, card, b);
    ASSERT_GE(copy, 0);
    EXPECT_EQ(NameOf(copy), std::u16string(254, u'x') + u"*");
    EXPECT_EQ(CopyCard(wallet, card, card), -1);  // a card is no destination
    EXPECT_EQ(CopyCard(wallet, a, b), -1);        // a folder is not copied
    const int form = SaveToMyForms(wallet, dated);
    ASSERT_GE(form, 0);
    EXPECT_EQ(NameOf(form), u"Dated");
    ASSERT_EQ(FavoriteCount(wallet), 0);
    EXPECT_TRUE(AddFavorite(wallet, IdOf(card)));
    EXPECT_TRUE(AddFavorite(wallet, IdOf(copy)));
    const ItemId deletedId = IdOf(card);
    EXPECT_EQ(DeleteItem(wallet, card), 1);
    EXPECT_EQ(FavoriteCount(wallet), 1);  // gone from the favourites
    EXPECT_EQ(FavoriteAt(wallet, 0), IdOf(copy));
    EXPECT_TRUE(wallet.ItemAt(card).IsDeleted());
    std::u16string name;
    EXPECT_FALSE(FormName(wallet, FormId::FromItemId(deletedId), &name));

    Reopen();
    EXPECT_EQ(RecordOfId(wallet, deletedId, nullptr), nullptr);
    int ai = -1, bi = -1;
    for (size_t k = 0; k < wallet.ItemCount(); ++k) {
        if (NameOf(k) == u"Accounts") ai = static_cast<int>(k);
        if (NameOf(k) == u"B") bi = static_cast<int>(k);
    }
    ASSERT_GE(ai, 0);
    ASSERT_GE(bi, 0);
    EXPECT_EQ(ParentFolderIndexOf(wallet, bi), ai);
    EXPECT_EQ(FavoriteCount(wallet), 1);
    int formIndex = -1;
    for (size_t k = 0; k < wallet.ItemCount(); ++k) {
        if (NameOf(k) == u"Dated" && ParentFolderIndexOf(wallet, k) == wallet.MyFormsIndex()) formIndex = static_cast<int>(k);
    }
    ASSERT_GE(formIndex, 0);
    std::unique_ptr<Card> loaded = wallet.LoadCard(static_cast<size_t>(formIndex));
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->FieldCount(), 2u);
    EXPECT_TRUE(loaded->FieldAt(0)->DateTime().IsZero());  // no values, no dates
    EXPECT_EQ(loaded->FieldAt(0)->Type(), FT_DATE);
    EXPECT_EQ(loaded->FieldAt(1)->ItemAt(0), u"kept item");  // items stay
}

TEST_F(WalletItems, OperationsOnBadIndexesFail) {
    EXPECT_EQ(RenameItem(wallet, -1, u"x"), 0);
    EXPECT_EQ(RenameItem(wallet, 999, u"x"), 0);
    EXPECT_EQ(MoveItem(wallet, 0, 999), 0);
    EXPECT_EQ(CopyCard(wallet, 999, 0), -1);
    EXPECT_EQ(SaveToMyForms(wallet, 999), -1);
    EXPECT_EQ(DeleteItem(wallet, 999), 0);
    EXPECT_EQ(ParentFolderIndexOf(wallet, 999), -1);
}

TEST_F(WalletItems, Favourites) {
    const int folder = AddFolder(u"F");
    std::vector<ItemId> ids;
    for (int i = 0; i < 33; ++i) ids.push_back(IdOf(AddCard(u"c" + Utf8ToUtf16(std::to_string(i)), IdOf(folder))));
    for (int i = 0; i < 32; ++i) ASSERT_TRUE(AddFavorite(wallet, ids[i]));
    EXPECT_FALSE(AddFavorite(wallet, ids[32]));  // a 33rd
    EXPECT_FALSE(AddFavorite(wallet, ids[0]));   // no duplicates
    EXPECT_TRUE(RemoveFavorite(wallet, ids[31]));
    EXPECT_EQ(FavoriteCount(wallet), 31);
    EXPECT_TRUE(RemoveFavorite(wallet, ids[0]));
    EXPECT_EQ(FavoriteAt(wallet, 0), ids[1]);  // later ones move down
    EXPECT_FALSE(RemoveFavorite(wallet, ids[0]));
    EXPECT_TRUE(IsFavorite(wallet, ids[5]));
    ClearFavorites(wallet);
    EXPECT_EQ(FavoriteCount(wallet), 0);
    EXPECT_EQ(FavoriteAt(wallet, 0), ItemId());
}

TEST_F(WalletItems, HeaderAndSettingsAccessors) {
    std::u16string text;
    EXPECT_FALSE(GetHint(wallet, &text));
    EXPECT_TRUE(SetHint(wallet, u"the usual"));
    int32_t icon = 0;
    EXPECT_TRUE(SetNodeLabel(wallet, 3, u"Archive", -1));
    EXPECT_TRUE(GetNodeLabel(wallet, 3, &text, &icon));
    EXPECT_EQ(text, u"Archive");
    EXPECT_EQ(icon, 78);  // -1 keeps the icon
    EXPECT_TRUE(SetNodeLabel(wallet, 1, u"Starred", 12));
    EXPECT_FALSE(GetNodeLabel(wallet, 4, &text, &icon));
    SetAutoCloseMinutes(wallet, 30);
    Reopen();
    EXPECT_TRUE(GetHint(wallet, &text));
    EXPECT_EQ(text, u"the usual");
    EXPECT_TRUE(GetNodeLabel(wallet, 1, &text, &icon));
    EXPECT_EQ(text, u"Starred");
    EXPECT_EQ(icon, 12);
    EXPECT_EQ(GetAutoCloseMinutes(wallet), 30u);
    EXPECT_FALSE(GetCloseOnSwitch(wallet));
}

TEST_F(WalletItems, FindSearchesNamesValuesAndOptionallyFieldNames) {
    const int folder = AddFolder(u"Folder with KEYWORD");  // folders are never results
    const int byName = AddCard(u"My Keyword card", IdOf(folder));
    const int byValue = AddCard(u"Other", IdOf(folder), u"contains kEyWoRd inside");
    std::unique_ptr<Card> fieldName = NewEmptyCard(wallet, IdOf(folder));
    fieldName->Record().SetName(u"Third");
    fieldName->AddField(FT_TEXT)->SetName(u"Keyword label");
    const int byFieldName = wallet.AppendCard(fieldName.get(), false);
    std::unique_ptr<Card> dated = NewEmptyCard(wallet, IdOf(folder));
    dated->Record().SetName(u"Dated");
    SystemTime t;
    t.year = 2031;
    t.month = 7;
    t.day = 4;
    dated->AddField(FT_DATE)->SetDateTime(t);
    dated->AddField(FT_YESNO)->SetYesNoState(1);
    const int byDate = wallet.AppendCard(dated.get(), false);
    const int form = AddCard(u"keyword form", IdOf(wallet.MyFormsIndex()));
    const int gone = AddCard(u"keyword deleted", IdOf(folder));
    ASSERT_EQ(DeleteItem(wallet, gone), 1);

    EXPECT_EQ(FindCards(wallet, u"  keyword  ", false), 3);
    EXPECT_EQ(wallet.FindResults(), (std::vector<int>{byName, byValue, form}));
    EXPECT_EQ(wallet.FindText(), u"  keyword  ");
    EXPECT_EQ(FindCards(wallet, u"KEYWORD", true), 4);
    EXPECT_EQ(FindResultIndex(wallet, 2), byFieldName);
    EXPECT_EQ(FindResultRecord(wallet, 0), &wallet.ItemAt(byName));
    EXPECT_EQ(FindCards(wallet, u"2031-07", false), 1);  // dates as shown
    EXPECT_EQ(FindResultIndex(wallet, 0), byDate);
    EXPECT_EQ(FindCards(wallet, StringTableLookup(kStringYes), false), 1);

    EXPECT_EQ(FindCards(wallet, u"k", false), 0);  // one letter finds nothing
    EXPECT_EQ(FindCards(wallet, u"      ", false), 0);
    EXPECT_EQ(FindCards(wallet, u"nowhere to be found", false), 0);
    EXPECT_EQ(wallet.FindText(), StringTableLookup(kStringYes));  // a search without results keeps the last text
    EXPECT_EQ(FindCards(wallet, u"keyword", true), 4);
    EXPECT_TRUE(RemoveFindResult(wallet, byValue));
    EXPECT_EQ(FindResultCount(wallet), 3);
    EXPECT_EQ(FindResultIndex(wallet, 1), byFieldName);  // the gap is closed
    ClearFindResults(wallet);
    EXPECT_EQ(FindResultCount(wallet), 0);
}

TEST_F(WalletItems, FindStopsAt48InFileOrder) {
    const int folder = AddFolder(u"F");
    std::vector<int> cards;
    for (int i = 0; i < 60; ++i) cards.push_back(AddCard(u"card", IdOf(folder), u"needle " + Utf8ToUtf16(std::to_string(i))));
    ASSERT_EQ(FindCards(wallet, u"needle", false), 48);
    EXPECT_EQ(wallet.FindResults(), std::vector<int>(cards.begin(), cards.begin() + 48));
}

TEST_F(WalletItems, TreeOrder) {
    const int myForms = wallet.MyFormsIndex();
    const int zeta = AddFolder(u"zeta");
    const int alpha = AddFolder(u"Alpha");
    const int cardB = AddCard(u"b card", ItemId());
    const int cardA = AddCard(u"A card", ItemId());
    std::vector<uint32_t> order = {static_cast<uint32_t>(myForms), static_cast<uint32_t>(zeta), kTreeIndexFavorites,
                                   static_cast<uint32_t>(alpha), static_cast<uint32_t>(cardB), kTreeIndexFindResults,
                                   static_cast<uint32_t>(cardA)};
    SortByTreeOrder(wallet, &order);
    const std::vector<uint32_t> expected = {kTreeIndexFindResults, kTreeIndexFavorites, static_cast<uint32_t>(cardA),
                                            static_cast<uint32_t>(cardB), static_cast<uint32_t>(alpha),
                                            static_cast<uint32_t>(zeta), static_cast<uint32_t>(myForms)};
    EXPECT_EQ(order, expected);
    EXPECT_LT(CompareTreeIndexes(wallet, cardA, cardB), 0);
    EXPECT_GT(CompareTreeIndexes(wallet, myForms, zeta), 0);

    // Names are compared over their first 64 characters only, without regard to case.
    TreeOrderKey x{kRankCard, std::u16string(64, u'a') + u"zzz"};
    TreeOrderKey y{kRankCard, std::u16string(64, u'A') + u"aaa"};
    EXPECT_EQ(CompareTreeOrder(x, y), 0);
    TreeOrderKey e1{kRankCard, u"\u00c9cole"}, e2{kRankCard, u"\u00e9cole"};
    EXPECT_EQ(CompareTreeOrder(e1, e2), 0);
}

TEST(Sha256, KnownDigests) {
    EXPECT_EQ(Sha256Hex("", 0), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex("abc", 3), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    const std::string two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
    EXPECT_EQ(Sha256Hex(two.data(), two.size()), "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    const std::string million(1000000, 'a');
    EXPECT_EQ(Sha256Hex(million.data(), million.size()),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(WalletItemsFaults, AFailedWriteLeavesTheItemAsItWas) {
    MemoryFileSystem memory;
    const std::u16string path = u"/mem/fault.tl5";
    const std::u16string password = u"secret1";
    int card = -1, folder = -1;
    {
        Wallet w(memory);
        ASSERT_EQ(w.Create(path, password, u"", false), kCreateOk);
        ASSERT_EQ(w.Open(path, &password, false), kOpenOk);
        ItemRecord f;
        NewFolder(w, ItemId(), false, &f);
        f.SetName(u"F");
        folder = w.AppendFolderRecord(&f, false);
        std::unique_ptr<Card> c = NewEmptyCard(w, w.ItemAt(folder).Id());
        c->Record().SetName(u"C");
        card = w.AppendCard(c.get(), false);
        ASSERT_TRUE(AddFavorite(w, w.ItemAt(card).Id()));
        ASSERT_EQ(w.Close(true), kCloseOk);
    }
    for (long failAt = 1; failAt <= 3; ++failAt) {
        FaultFileSystem faulty(memory);
        Wallet w(faulty);
        ASSERT_EQ(w.Open(path, &password, false), kOpenOk);
        faulty.FailAt(faulty.Operations() + failAt);
        ASSERT_EQ(FindCards(w, u"C", false), 0);  // one letter: nothing
        EXPECT_EQ(DeleteItem(w, card), 0) << failAt;
        EXPECT_FALSE(w.ItemAt(card).IsDeleted());
        EXPECT_TRUE(IsFavorite(w, w.ItemAt(card).Id()));
        EXPECT_EQ(RenameItem(w, folder, u"Renamed"), 0);
        EXPECT_EQ(w.ItemAt(folder).Name(), u"F");  // the table keeps the name the file has
        w.Close(false);
    }
}
