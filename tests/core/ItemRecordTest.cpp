// Identifiers, item records and the fixed blocks in memory: members, change flags and edge rules.
#include <gtest/gtest.h>

#include <cstring>

#include "WalletTestSupport.h"
#include "model/LittleEndian.h"

using namespace tl5;
using namespace tl5test;

namespace {

class Records : public FixedWorld {
protected:
    void SetUp() override {
        FixedWorld::SetUp();
        const uint8_t k[16] = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5, 6};
        auto key = std::make_shared<CipherKey>();
        key->SetKey(k);
        recordKey = key;
    }
    std::shared_ptr<const CipherKey> recordKey;
};

}  // namespace

TEST_F(Records, NewIdentifiersFollowTheLayoutAndNeverRepeat) {
    // A source that always gives the same number still yields a different identifier each time.
    // Two draws per identifier; the second identifier repeats the first one's draws once, then moves on.
    SetRandomSourceForTests([] {
        static uint32_t n = 0;
        ++n;
        return n <= 4 ? 0x11223344u : 0x55667788u + n;
    });
    const ItemId a = NewItemId();
    const ItemId b = NewItemId();
    EXPECT_EQ(LoadU32(a.bytes), 0x11223344u);
    EXPECT_EQ(LoadU16(a.bytes + 4), 3);
    EXPECT_EQ(a.bytes[8], 9);
    EXPECT_EQ(a.bytes[9], 12);
    EXPECT_EQ(LoadU16(a.bytes + 10), 2026);
    EXPECT_EQ(a.bytes[12], 14);
    EXPECT_EQ(a.bytes[13], 3);
    EXPECT_EQ(a.bytes[14], 5);
    EXPECT_EQ(a.bytes[15], 5);
    EXPECT_NE(a, b) << "the same draws as the last id are drawn again";
    EXPECT_EQ(LoadU32(b.bytes), 0x55667788u + 5);
    ItemId parsed;
    EXPECT_TRUE(ItemId::FromHex(a.ToHex(), &parsed));
    EXPECT_EQ(parsed, a);
    EXPECT_FALSE(ItemId::FromHex("xyz", &parsed));
    // Only the identifier of sixteen zero bytes is null; a single set bit, even the last, is an id.
    EXPECT_TRUE(ItemId{}.IsNull());
    ItemId last;
    last.bytes[15] = 1;
    EXPECT_FALSE(last.IsNull());
    EXPECT_FALSE(a.IsNull());
}

TEST_F(Records, FormIdsNameBuiltInFormsOrMyFormsCards) {
    int number = -1;
    EXPECT_TRUE(FormId().IsBuiltIn(&number));
    EXPECT_EQ(number, 0);
    FormId f;
    EXPECT_TRUE(FormId::ForBuiltIn(42, &f));
    EXPECT_TRUE(f.IsBuiltIn(&number));
    EXPECT_EQ(number, 42);
    EXPECT_FALSE(FormId::ForBuiltIn(43, &f));
    EXPECT_FALSE(FormId::ForBuiltIn(-1, &f));
    StoreU32(f.bytes, 43);
    EXPECT_FALSE(f.IsBuiltIn(nullptr));
    StoreU32(f.bytes, 1);
    f.bytes[15] = 1;
    EXPECT_FALSE(f.IsBuiltIn(nullptr));
}

TEST_F(Records, CreationSetsKindTimesAndTheMinusOne) {
    const struct { ItemKind kind; void (*make)(ItemRecord&, const ItemId&); } cases[] = {
        {kItemKindCard, [](ItemRecord& r, const ItemId& p) { r.CreateAsCard(p); }},
        {kItemKindFolder, [](ItemRecord& r, const ItemId& p) { r.CreateAsFolder(p); }},
        {kItemKindMyForms, [](ItemRecord& r, const ItemId&) { r.CreateAsMyFormsFolder(); }},
    };
    const ItemId parent = NewItemId();
    for (const auto& c : cases) {
        ItemRecord r;
        c.make(r, parent);
        EXPECT_EQ(r.Kind(), c.kind);
        EXPECT_EQ(ItemKindFromTypeId(r.Raw()), c.kind);
        EXPECT_EQ(r.ChangeFlags(), kRecordCreated);
        EXPECT_EQ(LoadI32(r.Raw() + 624), -1);
        EXPECT_TRUE(r.Created() == FixedTime());
        EXPECT_TRUE(r.Modified() == FixedTime());
        EXPECT_TRUE(r.DeletedAt().IsZero());
        EXPECT_EQ(r.IsTopLevel(), c.kind == kItemKindMyForms);
        EXPECT_EQ(r.IsFolderLike(), c.kind != kItemKindCard);
        EXPECT_TRUE(r.IsDirty());
    }
}

TEST_F(Records, NamesAreEncryptedAndOnlyChangesMarkTheRecord) {
    ItemRecord r;
    r.SetKey(recordKey);
    r.CreateAsFolder(ItemId());
    r.ClearChangeFlags();
    EXPECT_TRUE(r.SetName(u""));
    EXPECT_EQ(r.ChangeFlags(), 0u) << "unchanged name";
    EXPECT_TRUE(r.SetName(u"Bank"));
    EXPECT_EQ(r.ChangeFlags(), kRecordNameChanged);
    EXPECT_EQ(r.Name(), u"Bank");
    EXPECT_NE(0, std::memcmp(r.Raw() + 100, "B\0a\0n\0k\0", 8)) << "not stored in clear";
    uint8_t expected[512] = {}, plain[512] = {'B', 0, 'a', 0, 'n', 0, 'k', 0};
    recordKey->Encrypt(plain, 512, expected);
    EXPECT_EQ(0, std::memcmp(r.Raw() + 100, expected, 512)) << "one 512-byte piece";
    r.ClearChangeFlags();
    r.SetName(u"Bank");
    EXPECT_EQ(r.ChangeFlags(), 0u);
    r.SetName(std::u16string(300, u'n'));
    EXPECT_EQ(r.Name().size(), 255u);
    r.SetName(u"");
    for (int k = 0; k < 512; ++k) ASSERT_EQ(r.Raw()[100 + k], 0) << "unnamed: all zero";
    ItemRecord keyless;
    keyless.CreateAsFolder(ItemId());
    EXPECT_FALSE(keyless.SetName(u"x"));
}

TEST_F(Records, ParentsIconsAndDeletion) {
    ItemRecord card, folder, myForms;
    card.CreateAsCard(NewItemId());
    folder.CreateAsFolder(NewItemId());
    myForms.CreateAsMyFormsFolder();
    EXPECT_FALSE(card.SetParent(ItemId())) << "only folders may go to the top level";
    EXPECT_FALSE(myForms.SetParent(ItemId()));
    EXPECT_TRUE(folder.SetParent(ItemId()));
    EXPECT_TRUE(folder.IsTopLevel());
    EXPECT_NE(folder.ChangeFlags() & kRecordParentChanged, 0u);

    card.ClearChangeFlags();
    card.SetIcon(0);
    EXPECT_EQ(card.ChangeFlags(), 0u) << "same icon index";
    card.SetIcon(12);
    EXPECT_EQ(card.ChangeFlags(), kRecordIconChanged);
    card.ClearChangeFlags();
    EXPECT_FALSE(card.SetCustomIcon(nullptr, 0));
    EXPECT_EQ(card.Icon(), 0);
    EXPECT_EQ(card.ChangeFlags(), kRecordIconChanged) << "marked in every case";
    const uint8_t four[4] = {1, 2, 3, 4};
    ASSERT_TRUE(card.SetCustomIcon(four, 4));
    EXPECT_EQ(card.CustomIconSize(), 8u);
    EXPECT_EQ(card.CustomIconPadding(), 4u);
    EXPECT_EQ(card.CustomIconBytes(), std::vector<uint8_t>(four, four + 4));
    card.SetIcon(3);
    EXPECT_FALSE(card.HasCustomIcon());
    EXPECT_EQ(card.CustomIconSize(), 0u);

    card.ClearChangeFlags();
    card.SetDeleted(true);
    EXPECT_TRUE(card.IsDeleted());
    EXPECT_TRUE(card.DeletedAt() == FixedTime());
    EXPECT_EQ(card.ChangeFlags(), kRecordDeleted);
    FormId form;
    FormId::ForBuiltIn(5, &form);
    card.SetDefaultForm(form);
    EXPECT_TRUE(card.DefaultForm() == form);
    EXPECT_NE(card.ChangeFlags() & kRecordDefaultFormChanged, 0u);
}

TEST_F(Records, CardCopiesGetANewIdAndKeepTheRest) {
    ItemRecord r;
    r.SetKey(recordKey);
    r.CreateAsCard(NewItemId());
    r.SetName(u"Original");
    r.SetIcon(17);
    r.ClearChangeFlags();
    const ItemId oldId = r.Id();
    const ItemId newParent = NewItemId();
    r.RecreateAsCardCopy(newParent);
    EXPECT_NE(r.Id(), oldId);
    EXPECT_EQ(r.Parent(), newParent);
    EXPECT_EQ(r.Name(), u"Original");
    EXPECT_EQ(r.Icon(), 17);
    EXPECT_EQ(r.ChangeFlags(), kRecordCreated);
}

TEST_F(Records, CopiesCanKeepTheirOwnKeyAfterTheWalletCloses) {
    auto key = std::make_shared<CipherKey>(*recordKey);
    ItemRecord r;
    r.SetKey(key);
    r.CreateAsFolder(ItemId());
    r.SetName(u"Mine");
    ItemRecord shared = r, own = r;
    ASSERT_TRUE(own.UseOwnKeyCopy());
    key->Clear();  // the wallet clears its RecordKey at close
    EXPECT_EQ(shared.Name(), u"");
    EXPECT_EQ(own.Name(), u"Mine");
}

TEST_F(Records, StoredBlockResultCodes) {
    MemoryFileSystem fs;
    fs.SetContents(u"/f", std::string(100, 'x'));
    std::unique_ptr<File> f;
    ASSERT_EQ(fs.Open(u"/f", FileMode::OpenReadWrite, FileShare::None, &f), kFileOk);
    ItemRecord r;
    EXPECT_EQ(r.Read(), kBlockNoFile);
    EXPECT_EQ(r.Write(), kBlockInvalid) << "a record with no kind is not written";
    r.AttachFile(f.get());
    f->Seek(0);
    EXPECT_EQ(r.Read(), kBlockShort);
    f->Seek(100);
    EXPECT_EQ(r.Read(), kBlockEndOfFile);
    FileSignature sig;
    sig.AttachFile(f.get());
    EXPECT_EQ(sig.Write(), kBlockNoBuffer) << "not valid yet";
    f->Seek(0);
    EXPECT_EQ(sig.Read(), kBlockOk);
    EXPECT_FALSE(sig.IsValid()) << "a mismatch is not a read error";
    WalletHeader header;
    header.AttachFile(f.get());
    f->Seek(0);
    EXPECT_EQ(header.Read(), kBlockShort);
    fs.SetContents(u"/big", std::string(4000, 'x'));
    std::unique_ptr<File> big;
    ASSERT_EQ(fs.Open(u"/big", FileMode::OpenReadOnly, FileShare::Read, &big), kFileOk);
    header.AttachFile(big.get());
    EXPECT_EQ(header.Read(), kBlockInvalid) << "no marks";
    EXPECT_FALSE(header.IsValid());
    r.AttachFile(big.get());
    big->Seek(0);
    EXPECT_EQ(r.Read(), kBlockInvalid) << "unknown type identifier";
}

TEST_F(Records, HeaderSlotsAndSettingsRules) {
    WalletHeader h;
    ASSERT_TRUE(h.Initialize(kPassword, std::u16string(300, u'h')));
    EXPECT_EQ(h.Hint().size(), 255u);
    EXPECT_TRUE(h.SetLabel(2, std::u16string(70, u'L')));
    EXPECT_EQ(h.Label(2).size(), 63u);
    h.SetNodeIcon(2, 5);
    h.SetNodeIcon(3, 6);
    EXPECT_EQ(LoadI32(h.Raw() + 3000), 5) << "node 2's icon follows node 3's";
    EXPECT_EQ(LoadI32(h.Raw() + 2996), 6);
    EXPECT_EQ(h.ChangeFlags(), kHeaderSpecialNodeChanged);
    ASSERT_TRUE(h.SetHint(u""));
    EXPECT_FALSE(h.HasHint());
    EXPECT_FALSE(h.Initialize(std::u16string(24, u'x'), u"")) << "a new wallet takes 23 characters at most";

    WalletSettings s;
    s.Initialize();
    s.ClearChangeFlags();
    EXPECT_FALSE(s.SetAutoCloseMinutes(7));
    EXPECT_TRUE(s.SetAutoCloseMinutes(60));
    EXPECT_EQ(s.ChangeFlags(), kSettingsSecurityChanged);
    std::vector<ItemId> ids;
    for (int k = 0; k < 33; ++k) ids.push_back(NewItemId());
    for (int k = 0; k < 32; ++k) ASSERT_TRUE(s.AddFavorite(ids[k]));
    EXPECT_FALSE(s.AddFavorite(ids[32])) << "32 at most";
    EXPECT_TRUE(s.RemoveFavorite(ids[0]));
    EXPECT_FALSE(s.AddFavorite(ids[5])) << "no duplicates";
    EXPECT_FALSE(s.AddFavorite(ItemId()));
    EXPECT_EQ(s.FavoriteCount(), 31);
    EXPECT_EQ(s.FavoriteAt(0), ids[1]) << "used slots stay first, in the order added";
    EXPECT_TRUE(s.AddFavorite(ids[32]));
    EXPECT_EQ(s.FavoriteAt(31), ids[32]);
    EXPECT_NE(s.ChangeFlags() & kSettingsFavoritesChanged, 0u);
}
