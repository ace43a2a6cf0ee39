// The card type chooser's rows, the icon picker's cells and choice, the folder properties view, and the
// document chooser's folders, filter and outcomes.
#include <gtest/gtest.h>

#include <map>

#include "cardui/DocChooserRules.h"
#include "dialogs/ChooserRules.h"
#include "model/BuiltInForm.h"
#include "model/CaseFold.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/MemoryFile.h"
#include "resources/StringTable.h"

using namespace tl5;

namespace {

const std::u16string kPath = u"/mem/choosers.tl5";
const std::u16string kPassword = u"secret1";

std::u16string TableString(uint32_t id) {
    const char16_t* s = StringTableLookup(id);
    return s ? s : u"?";
}

std::vector<uint8_t> IconResource(int number) {
    std::string bytes;
    const std::string path = std::string(TL5_SOURCE_DIR) + "/resources/icons/i" + std::to_string(number) + ".ico";
    EXPECT_TRUE(ReadWholeFile(OsFileSystem(), std::u16string(path.begin(), path.end()), &bytes, 1 << 20)) << path;
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

class Choosers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(wallet.Create(kPath, kPassword, u"", false), kCreateOk);
        ASSERT_EQ(wallet.Open(kPath, &kPassword, false), kOpenOk);
    }
    int AddCard(const std::u16string& name, const ItemId& parent, const std::vector<uint8_t>& icon = {}) {
        std::unique_ptr<Card> card = NewEmptyCard(wallet, parent);
        card->Record().SetName(name);
        if (!icon.empty()) {
            EXPECT_TRUE(card->Record().SetCustomIcon(icon.data(), icon.size()));
        }
        return wallet.AppendCard(card.get(), false);
    }
    ItemId MyFormsId() { return wallet.ItemAt(static_cast<size_t>(wallet.MyFormsIndex())).Id(); }

    MemoryFileSystem fs;
    Wallet wallet{fs};
};

}  // namespace

TEST_F(Choosers, MyFormsFormsComeFirstThenTheBuiltInFormsByName) {
    const int zz = AddCard(u"zzz Last", MyFormsId());
    AddCard(u"Alpha", MyFormsId());
    AddCard(u"Not a form", ItemId());
    const int gone = AddCard(u"Gone", MyFormsId());
    ASSERT_EQ(DeleteItem(wallet, gone), 1);

    const std::vector<FormRow> rows = CardTypeRows(wallet, TableString);
    ASSERT_EQ(rows.size(), 2u + kBuiltInFormCount);
    EXPECT_EQ(rows[0].name, u"Alpha");
    EXPECT_EQ(rows[1].name, u"zzz Last");  // sorts last by name, still before every built-in form
    EXPECT_TRUE(rows[1].emphasised);
    EXPECT_FALSE(rows[1].builtIn);
    EXPECT_EQ(rows[1].recordIndex, zz);
    for (size_t i = 2; i < rows.size(); ++i) {
        EXPECT_TRUE(rows[i].builtIn);
        EXPECT_FALSE(rows[i].emphasised);
        const BuiltInForm* f = BuiltInFormByNumber(rows[i].builtInNumber);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(rows[i].name, TableString(f->nameString));
        EXPECT_EQ(rows[i].icon, f->icon);
        if (i > 2) {
            EXPECT_LE(CompareNoCase(rows[i - 1].name, rows[i].name), 0) << i;
        }
    }

    const FormId zzForm = FormId::FromItemId(wallet.ItemAt(zz).Id());
    EXPECT_EQ(InitialFormRow(rows, zzForm), 1u);
    FormId builtIn7;
    ASSERT_TRUE(FormId::ForBuiltIn(7, &builtIn7));
    const size_t row7 = InitialFormRow(rows, builtIn7);
    FormChoice choice;
    ASSERT_TRUE(ChoiceOfRow(rows, row7, &choice));
    EXPECT_TRUE(choice.builtIn);
    EXPECT_EQ(choice.number, 7);
    EXPECT_TRUE(choice.form == builtIn7);
    EXPECT_EQ(InitialFormRow(rows, FormId::FromItemId(NewItemId())), 0u);  // unknown: the first row
    ASSERT_TRUE(ChoiceOfRow(rows, 9999, &choice));
    EXPECT_FALSE(choice.builtIn);
    EXPECT_EQ(CardTypeChooserTitle(1), 28900u);
    EXPECT_EQ(CardTypeChooserTitle(0), 28901u);
}

TEST_F(Choosers, CustomIconCellsAreIdentifiedByTheirData) {
    const std::vector<uint8_t> a = IconResource(200), b = IconResource(201);
    AddCard(u"one", ItemId(), b);
    AddCard(u"two", ItemId(), a);
    AddCard(u"three", ItemId(), b);  // the same icon again: one cell
    const std::vector<IconCell> cells = IconPickerCells(wallet);
    ASSERT_EQ(cells.size(), 144u + 2u);
    EXPECT_FALSE(cells[143].custom);
    EXPECT_EQ(cells[143].stockIcon, 143);
    ASSERT_TRUE(cells[144].custom);
    EXPECT_EQ(*cells[144].bytes, b);
    EXPECT_EQ(*cells[145].bytes, a);

    // The tap on a custom cell chooses that icon's data: stored on another item, it is that icon.
    ItemRecord folder;
    ASSERT_TRUE(NewFolder(wallet, ItemId(), false, &folder));
    folder.SetIcon(72);
    IconPickerState picker(folder);
    picker.SelectCell(cells[145]);
    IconChoice choice;
    ASSERT_TRUE(picker.Done(&choice));
    EXPECT_EQ(choice.icon, -1);
    ASSERT_TRUE(ApplyIconChoice(&folder, choice));
    EXPECT_EQ(folder.CustomIconBytes(), a);

    // The icon the item already has is no change, custom or stock.
    IconPickerState again(folder);
    again.SelectCell(cells[145]);
    EXPECT_FALSE(again.Done(&choice));
    again.SelectCell(cells[144]);
    EXPECT_TRUE(again.Done(&choice));
    IconPickerState stock(72, {});
    stock.SelectCell(cells[72]);
    EXPECT_FALSE(stock.Done(&choice));
}

TEST_F(Choosers, AnImportedIconIsReadOnceAndAStockTapReplacesIt) {
    const std::vector<uint8_t> a = IconResource(202);
    auto file = [&](const std::u16string& path, const std::string& bytes) {
        std::unique_ptr<File> f;
        ASSERT_EQ(fs.Open(path, FileMode::CreateAlways, FileShare::None, &f), 0);
        size_t put = 0;
        ASSERT_TRUE(f->WriteAt(0, bytes.data(), bytes.size(), &put));
    };
    file(u"/mem/mine.ico", std::string(a.begin(), a.end()));
    file(u"/mem/text.ico", "not an icon at all");

    IconPickerState picker(5, {});
    EXPECT_EQ(picker.Import(fs, u"/mem/missing.ico"), IconImportResult::kCannotRead);
    EXPECT_EQ(picker.Import(fs, u"/mem/text.ico"), IconImportResult::kNotAnIcon);
    EXPECT_EQ(picker.NewIcon().icon, 5);
    ASSERT_EQ(picker.Import(fs, u"/mem/mine.ico"), IconImportResult::kOk);
    ASSERT_EQ(fs.Remove(u"/mem/mine.ico"), 0);  // the data was taken at import: the file is not needed again
    IconChoice choice;
    ASSERT_TRUE(picker.Done(&choice));
    EXPECT_EQ(choice.customBytes, a);

    IconCell stock;
    stock.stockIcon = 9;
    picker.SelectCell(stock);
    ASSERT_TRUE(picker.Done(&choice));
    EXPECT_EQ(choice.icon, 9);
    EXPECT_TRUE(choice.customBytes.empty());
    picker.ForgetImport();
    EXPECT_FALSE(picker.Done(&choice));
}

TEST(IconGrid, LayoutAndHitTest) {
    // 240 pixels, a 13-pixel scroll bar, 22-pixel cells: 227 usable, 10 columns of 22 + 0 extra, the last 29.
    const IconGridLayout g = LayoutIconGrid(240, 13, 22, 150);
    EXPECT_EQ(g.columns, 10);
    EXPECT_EQ(g.columnWidth, 22);
    EXPECT_EQ(g.lastColumnWidth, 29);
    EXPECT_EQ(g.rows, 15);
    EXPECT_EQ(IconCellAt(g, 14, 9, 150), 149);
    EXPECT_EQ(IconCellAt(g, 14, 9, 146), -1);  // beyond the last icon
    EXPECT_EQ(IconCellAt(g, 15, 0, 150), -1);
    EXPECT_EQ(IconColumnAt(g, 0), 0);
    EXPECT_EQ(IconColumnAt(g, 21), 0);
    EXPECT_EQ(IconColumnAt(g, 22), 1);
    EXPECT_EQ(IconColumnAt(g, 226), 9);
    EXPECT_EQ(IconColumnAt(g, 227), -1);
    // 480 pixels at double scale: 44-pixel cells, 467 usable: 10 columns of 44 + 2, the last takes what is left.
    const IconGridLayout w = LayoutIconGrid(480, 13, 44, 144);
    EXPECT_EQ(w.columns, 10);
    EXPECT_EQ(w.columnWidth, 46);
    EXPECT_EQ(w.lastColumnWidth, 467 - 9 * 46);
    const IconGridLayout narrow = LayoutIconGrid(20, 13, 22, 5);
    EXPECT_EQ(narrow.columns, 1);
    EXPECT_EQ(narrow.rows, 5);
}

TEST_F(Choosers, FolderPropertiesViews) {
    // Label-only mode for a special node: only the name box, titled with the node's prompt.
    ASSERT_TRUE(SetNodeLabel(wallet, 1, u"Starred", -1));
    auto strings = [](uint32_t id) -> std::u16string {
        if (id == kStringNodePropertiesTitle) return u"Rename %s";
        return TableString(id);
    };
    FolderPropertiesRequest special = SpecialNodePropertiesRequest(wallet, 1, strings);
    EXPECT_EQ(special.promptId, 20200u);
    EXPECT_EQ(special.nodeIcon, 88);
    FolderPropertiesView v = FolderPropertiesViewOf(special, nullptr, &wallet, strings);
    EXPECT_EQ(v.title, u"Rename Favorites");
    EXPECT_EQ(v.nameText, u"Starred");
    EXPECT_FALSE(v.showIcon || v.showDefaultForm || v.showLevel);
    EXPECT_EQ(v.maxNameChars, 63u);
    FolderPropertiesDone(&special, nullptr, std::u16string(100, u'x'), true);
    EXPECT_EQ(special.label.size(), 63u);
    EXPECT_EQ(SpecialNodePropertiesRequest(wallet, 2, strings).label, u"Find Results");  // the default

    // A new folder: title and name box both "New Folder", the level box ticked at the top level.
    ItemRecord folder;
    ASSERT_TRUE(NewFolder(wallet, ItemId(), false, &folder));
    FolderPropertiesRequest fresh;
    fresh.newFolder = true;
    fresh.mainLevel = true;
    v = FolderPropertiesViewOf(fresh, &folder, &wallet, strings);
    EXPECT_EQ(v.title, u"New Folder");
    EXPECT_EQ(v.nameText, u"New Folder");
    EXPECT_TRUE(v.showLevel && v.levelTicked && v.showIcon && v.showDefaultForm);
    FolderPropertiesDone(&fresh, &folder, u"Cars", false);
    EXPECT_EQ(folder.Name(), u"Cars");
    EXPECT_FALSE(fresh.mainLevel);

    // A default form that no longer exists shows no name.
    folder.SetDefaultForm(FormId::FromItemId(NewItemId()));
    FolderPropertiesRequest edit;
    v = FolderPropertiesViewOf(edit, &folder, &wallet, strings);
    EXPECT_EQ(v.title, u"Folder Properties");
    EXPECT_EQ(v.nameText, u"Cars");
    EXPECT_EQ(v.defaultFormName, u"");
    FormId builtIn3;
    ASSERT_TRUE(FormId::ForBuiltIn(3, &builtIn3));
    folder.SetDefaultForm(builtIn3);
    EXPECT_EQ(FolderPropertiesViewOf(edit, &folder, &wallet, strings).defaultFormName,
              TableString(BuiltInFormByNumber(3)->nameString));
}

namespace {

class FakePlaces : public DocumentPlaces {
public:
    std::u16string documents = u"\\My Documents";
    std::vector<StorageCard> cards;
    std::map<std::u16string, std::vector<DocumentEntry>> folders;

    std::u16string DocumentsFolder() override { return documents; }
    std::vector<StorageCard> StorageCards() override { return cards; }
    bool List(const std::u16string& folder, std::vector<DocumentEntry>* entries) override {
        auto it = folders.find(folder);
        if (it == folders.end()) return false;
        *entries = it->second;
        return true;
    }
};

DocumentEntry FileIn(const std::u16string& folder, const std::u16string& name, bool isFolder = false) {
    return {name, folder + u"\\" + name, isFolder};
}

}  // namespace

TEST(DocChooser, FiltersAndPatterns) {
    const std::u16string filter = DocumentFilter(u"Pictures", u"*.jpg;*.bmp");
    EXPECT_EQ(filter, std::u16string(u"Pictures\0*.jpg;*.bmp\0\0", 22));
    EXPECT_EQ(SplitPatterns(u"*.jpg; *.bmp;;*.gif"), (std::vector<std::u16string>{u"*.jpg", u"*.bmp", u"*.gif"}));
    EXPECT_EQ(SplitPatterns(u""), std::vector<std::u16string>{u"*.*"});
    struct Case { const char16_t* name; const char16_t* pattern; bool match; } cases[] = {
        {u"Photo.JPG", u"*.jpg", true}, {u"photo.jpeg", u"*.jpg", false}, {u"README", u"*.*", true},
        {u"a.tlx", u"*.tlx", true}, {u"a.tlx.txt", u"*.tlx", false}, {u"x.wav", u"?.wav", true},
        {u"xy.wav", u"?.wav", false}, {u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", u"*a*a*a*a*a*a*c", false},
    };
    for (const Case& c : cases) EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.match);
}

TEST(DocChooser, ListsTheDocumentsFolderAndTheSameFolderOnEachCard) {
    FakePlaces places;
    places.cards = {{u"Storage Card"}, {u"\\SD Card\\"}, {u"\\Storage Card"}};
    EXPECT_EQ(ChooserFolders(places), (std::vector<std::u16string>{u"\\My Documents", u"\\Storage Card\\My Documents",
                                                                   u"\\SD Card\\My Documents"}));
    places.folders[u"\\My Documents"] = {FileIn(u"\\My Documents", u"b.ico"), FileIn(u"\\My Documents", u"notes.txt"),
                                         FileIn(u"\\My Documents", u"Icons", true)};
    places.folders[u"\\My Documents\\Icons"] = {FileIn(u"\\My Documents\\Icons", u"A.ICO")};
    places.folders[u"\\SD Card\\My Documents"] = {FileIn(u"\\SD Card\\My Documents", u"a.ico")};
    const std::vector<DocumentEntry> found = ListDocuments(places, SplitPatterns(u"*.ico"));
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].path, u"\\My Documents\\Icons\\A.ICO");
    EXPECT_EQ(found[1].path, u"\\SD Card\\My Documents\\a.ico");
    EXPECT_EQ(found[2].name, u"b.ico");
}

TEST(DocChooser, Outcomes) {
    DocChooserState chooser;
    EXPECT_FALSE(chooser.CanShow());
    EXPECT_EQ(chooser.Done(u"\\x").message, 0u);  // an unarmed chooser posts nothing

    chooser.Arm(DOC_CHOOSER_RESULT, u"*.wav", u"Sounds", u"Choose a sound", 225, true);
    EXPECT_TRUE(chooser.CanShow());
    EXPECT_EQ(chooser.MenuBar(), kDocChooserMenuWithNone);
    DocChooserState::Post post = chooser.Done(u"\\My Documents\\ring.wav");
    EXPECT_EQ(post.message, DOC_CHOOSER_RESULT);
    EXPECT_EQ(post.code, kDocChooserChosen);
    std::u16string path;
    ASSERT_TRUE(chooser.ChosenPath(&path));
    EXPECT_EQ(path, u"\\My Documents\\ring.wav");
    EXPECT_EQ(chooser.Cancel().message, 0u);  // one outcome per run
    EXPECT_TRUE(chooser.ChosenPath(&path));

    chooser.Arm(DOC_CHOOSER_RESULT, u"*.wav", u"Sounds", u"Choose a sound", 225, true);
    EXPECT_FALSE(chooser.ChosenPath(&path));  // arming clears the last path
    EXPECT_EQ(chooser.Done(u"").code, kDocChooserCancelled);  // Done with nothing selected

    chooser.Arm(DOC_CHOOSER_RESULT, u"*.jpg", u"Pictures", u"Background", 224, true);
    post = chooser.None();
    EXPECT_EQ(post.code, kDocChooserChosen);
    EXPECT_FALSE(chooser.ChosenPath(&path));  // None: chosen with an empty path

    chooser.Arm(kDocChooserImportText, u"*.txt", u"Text", std::u16string(200, u't'), 231, false);
    EXPECT_EQ(chooser.MenuBar(), kDocChooserMenu);
    EXPECT_EQ(chooser.Title().size(), kDocTitleChars);
    EXPECT_EQ(chooser.None().message, 0u);  // no None without allow none
    post = chooser.Activated(u"\\My Documents\\list.txt");
    EXPECT_EQ(post.message, kDocChooserImportText);
    EXPECT_EQ(post.code, kDocChooserChosen);
}
