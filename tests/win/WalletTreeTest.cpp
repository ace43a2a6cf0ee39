// The wallet tree of the real main window, made in this process as the start-up makes it: a small
// wallet is opened through the password prompt, commands are posted as the menus and keys send them,
// and the wallet is read back with the core afterwards.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StringIds.h"
#include "cardui/Settings.h"
#include "cardui/win/Strings.h"
#include "model/ItemRecord.h"
#include "model/TreeOrder.h"
#include "model/Wallet.h"
#include "model/WalletCheck.h"
#include "model/WalletItems.h"
#include "platform/Text.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/WalletTreeRules.h"
#include "shell/win/MainWindow.h"
#include "shell/win/Startup.h"
#include "shell/win/WalletList.h"
#include "tests/core/WalletTestSupport.h"
#include "tests/win/InProcessAppSuite.h"
#include "tests/win/MainWindowTestDriver.h"

using tl5test::Press;
using tl5test::TypeInto;
using tl5test::UiScript;

using tl5test::Child;
using tl5test::Children;
using tl5test::TextOf;

namespace {

constexpr char16_t kPassword[] = u"tree-pw";

// The fixture wallet:
//   Zed (a top-level card), Bank { Visa, Amex, Cards { Pin } }, Home, My Forms; Visa is a favourite.
struct Ids {
    tl5::ItemId bank, cards, home, visa, amex, pin, zed;
};

tl5::ItemId AddFolder(tl5::Wallet& w, const tl5::ItemId& parent, const std::u16string& name) {
    tl5::ItemRecord record;
    tl5::NewFolder(w, parent, false, &record);
    record.SetName(name);
    const tl5::ItemId id = record.Id();
    EXPECT_GE(w.AppendFolderRecord(&record, false), 0);
    return id;
}

tl5::ItemId AddCard(tl5::Wallet& w, const tl5::ItemId& parent, const std::u16string& name) {
    tl5::Card card = tl5test::MakeCard(w, parent, name, {{u"Number", u"1234"}});
    const tl5::ItemId id = card.Record().Id();
    EXPECT_GE(w.AppendCard(&card, false), 0);
    return id;
}

Ids MakeFixtureWallet(const std::wstring& path) {
    Ids ids;
    tl5::Wallet w;
    const std::u16string password = kPassword;
    EXPECT_EQ(w.Create(tl5::FromWide(path), password, u"", false), 0);
    EXPECT_EQ(w.Open(tl5::FromWide(path), &password, false), 0);
    ids.bank = AddFolder(w, tl5::ItemId(), u"Bank");
    ids.cards = AddFolder(w, ids.bank, u"Cards");
    ids.home = AddFolder(w, tl5::ItemId(), u"Home");
    ids.visa = AddCard(w, ids.bank, u"Visa");
    ids.amex = AddCard(w, ids.bank, u"Amex");
    ids.pin = AddCard(w, ids.cards, u"Pin");
    ids.zed = AddCard(w, tl5::ItemId(), u"Zed");
    EXPECT_TRUE(tl5::AddFavorite(w, ids.visa));
    EXPECT_EQ(w.Close(true), 0);
    return ids;
}

class WalletTree : public tl5test::InProcessAppSuite<WalletTree> {
public:
    static constexpr const wchar_t* kAppName = L"tree";

protected:
    void SetUp() override {
        ASSERT_NE(main_, nullptr);
        tl5::AppSettings().passAutoOk = 1;
        tl5::AppSettings().exitMenu = 0;
        ASSERT_TRUE(tl5test::ShowWalletListAndWait(main_));
        path_ = app_->Document(L"Tree.tl5");
        DeleteFileW(path_.c_str());
        ids_ = MakeFixtureWallet(path_);
        OpenFixture(kPassword);
    }

    // Opens the fixture wallet through the password prompt (typing the right password accepts it).
    void OpenFixture(const std::u16string& password) {
        ASSERT_TRUE(tl5test::OpenWalletThroughPrompt(main_, path_, tl5::ToWide(password)));
    }

    static void Run(UiScript& script, const std::function<bool()>& done = [] { return true; }) {
        ASSERT_TRUE(script.Finish(60000)) << "the script did not finish";
        EXPECT_FALSE(script.Failed()) << script.Failure();
        EXPECT_TRUE(tl5test::PumpUntil(done, 10000));
    }

    // Until what the last command posted has been handled.
    static void Pump() { ASSERT_TRUE(tl5test::PumpUntilSettled()); }

    // Selects the item at the path of names (from the top level) and returns it.
    static HTREEITEM Select(std::initializer_list<std::wstring> names) {
        HTREEITEM item = nullptr;
        for (const std::wstring& name : names) {
            if (item) TreeView_Expand(Tree(), item, TVE_EXPAND);
            item = Child(Tree(), item, name);
            if (!item) return nullptr;
        }
        TreeView_SelectItem(Tree(), item);
        return item;
    }

    static void Command(int id) {
        SendMessageW(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        Pump();
    }

    // The wallet as the file holds it, after the application closed it.
    tl5::Wallet& Reopened() {
        EXPECT_TRUE(tl5test::ShowWalletListAndWait(main_));
        const std::u16string password = kPassword;
        EXPECT_EQ(check_.Open(tl5::FromWide(path_), &password, true), 0);
        return check_;
    }

    static int IndexOfName(tl5::Wallet& w, const std::u16string& name, int* count = nullptr) {
        int found = -1, n = 0;
        for (size_t i = 0; i < w.ItemCount(); ++i) {
            if (!w.ItemAt(i).IsDeleted() && w.ItemAt(i).Name() == name) {
                found = static_cast<int>(i);
                ++n;
            }
        }
        if (count) *count = n;
        return found;
    }

    void TearDown() override { check_.Close(false); }

    std::wstring path_;
    Ids ids_;
    tl5::Wallet check_;
};

}  // namespace

TEST_F(WalletTree, FillShowsTheWalletInTreeOrderWithItsFavorites) {
    const std::wstring favorites = tl5win::Text(IDS_FAVORITES);
    const std::wstring myForms = tl5win::Text(IDS_MY_FORMS);
    EXPECT_EQ(Children(Tree(), nullptr), (std::vector<std::wstring>{favorites, L"Zed", L"Bank", L"Home", myForms}));
    EXPECT_EQ(Children(Tree(), Child(Tree(), nullptr, favorites)), std::vector<std::wstring>{L"Visa"});
    EXPECT_EQ(Children(Tree(), Child(Tree(), nullptr, L"Bank")), (std::vector<std::wstring>{L"Amex", L"Visa", L"Cards"}));
    // A long tree scrolls (with a stylus too) and never sideways.
    EXPECT_FALSE(GetWindowLongPtrW(Tree(), GWL_STYLE) & TVS_NOSCROLL);
    EXPECT_TRUE(GetWindowLongPtrW(Tree(), GWL_STYLE) & TVS_NOHSCROLL);
}

TEST_F(WalletTree, CopyPastesTwiceAndACutFolderNeverGoesIntoItself) {
    ASSERT_TRUE(Select({L"Bank", L"Visa"}));
    Command(IDM_COPY);
    ASSERT_TRUE(Select({L"Home"}));
    Command(IDM_PASTE);
    Command(IDM_PASTE);
    EXPECT_EQ(Children(Tree(), Child(Tree(), nullptr, L"Home")), (std::vector<std::wstring>{L"Visa*", L"Visa*"}));

    ASSERT_TRUE(Select({L"Bank"}));
    Command(IDM_CUT);
    ASSERT_TRUE(Select({L"Bank", L"Cards"}));
    Command(IDM_PASTE);  // into its own subfolder: a beep, nothing moves
    EXPECT_EQ(Children(Tree(), nullptr).size(), 5u);

    tl5::Wallet& w = Reopened();
    int visas = 0;
    IndexOfName(w, u"Visa*", &visas);
    EXPECT_EQ(visas, 2);
    EXPECT_GE(IndexOfName(w, u"Visa"), 0);
    const int cards = IndexOfName(w, u"Cards");
    ASSERT_GE(cards, 0);
    EXPECT_EQ(w.ItemAt(static_cast<size_t>(cards)).Parent(), ids_.bank);
    EXPECT_TRUE(w.ItemAt(static_cast<size_t>(IndexOfName(w, u"Bank"))).Parent().IsNull());
}

TEST_F(WalletTree, DraggingACardOntoAnotherFolderMovesIt) {
    HTREEITEM amex = Select({L"Bank", L"Amex"});
    HTREEITEM home = Child(Tree(), nullptr, L"Home");
    ASSERT_TRUE(amex && home);
    NMTREEVIEWW begin{};
    begin.hdr.hwndFrom = Tree();
    begin.hdr.idFrom = IDC_TREE;
    begin.hdr.code = TVN_BEGINDRAGW;
    begin.itemNew.hItem = amex;
    begin.itemNew.mask = TVIF_HANDLE;
    SendMessageW(main_, WM_NOTIFY, IDC_TREE, reinterpret_cast<LPARAM>(&begin));
    RECT target{};
    TreeView_GetItemRect(Tree(), home, &target, TRUE);
    POINT drop{(target.left + target.right) / 2, (target.top + target.bottom) / 2};
    MapWindowPoints(Tree(), main_, &drop, 1);
    SendMessageW(main_, WM_MOUSEMOVE, 0, MAKELPARAM(drop.x, drop.y));
    SendMessageW(main_, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
    ASSERT_TRUE(tl5test::PumpUntil([&] { return Child(Tree(), Child(Tree(), nullptr, L"Home"), L"Amex") != nullptr; }, 5000));
    tl5::Wallet& w = Reopened();
    EXPECT_EQ(w.ItemAt(static_cast<size_t>(IndexOfName(w, u"Amex"))).Parent(), ids_.home);
}

TEST_F(WalletTree, DeletingAFolderAsksWithItsCountsAndRemovesEverythingOnYes) {
    for (int answer : {IDNO, IDYES}) {
        ASSERT_TRUE(Select({L"Bank"}));
        UiScript script(GetCurrentThreadId());
        script.Start([&](UiScript& s) { s.AnswerMessage(answer, "delete question"); });
        PostMessageW(main_, WM_COMMAND, IDM_DELETE, 0);
        Run(script);
        const auto seen = script.Messages();
        ASSERT_EQ(seen.size(), 1u);
        // Bank and Cards are the two folders; Visa, Amex and Pin the three cards.
        EXPECT_NE(seen[0].text.find(L"2"), std::wstring::npos) << tl5::Utf16ToUtf8(tl5::FromWide(seen[0].text));
        EXPECT_NE(seen[0].text.find(L"3"), std::wstring::npos);
        EXPECT_EQ(Child(Tree(), nullptr, L"Bank") != nullptr, answer == IDNO);
    }
    // The favourite went with its folder.
    EXPECT_EQ(Child(Tree(), nullptr, tl5win::Text(IDS_FAVORITES)), nullptr);
    tl5::Wallet& w = Reopened();
    for (const char16_t* name : {u"Bank", u"Cards", u"Visa", u"Amex", u"Pin"}) EXPECT_LT(IndexOfName(w, name), 0) << tl5::Utf16ToUtf8(name);
    EXPECT_EQ(w.Settings().FavoriteCount(), 0);
    EXPECT_GE(IndexOfName(w, u"Zed"), 0);
}

TEST_F(WalletTree, ASyncCloseWhileTheDeleteQuestionIsOpenDeletesNothing) {
    ASSERT_TRUE(Select({L"Bank"}));
    UiScript script(GetCurrentThreadId());
    script.Start([&](UiScript& s) {
        HWND box = s.Wait([&] { return tl5test::FindMessageBox(s.UiThread()); }, "delete question");
        if (!box) return;
        // The synchronisation closes the wallet under the open question; then the user says Yes.
        PostMessageW(main_, WMU_SYNC_START, 0, 0);
        s.Wait([] { return tl5win::AppWallet().IsOpen() ? HWND(nullptr) : main_; }, "the close");
        s.AnswerMessage(IDYES, "delete question");
    });
    PostMessageW(main_, WM_COMMAND, IDM_DELETE, 0);
    Run(script, [] { return !tl5win::AppWallet().IsOpen(); });
    const std::u16string password = kPassword;
    ASSERT_EQ(check_.Open(tl5::FromWide(path_), &password, true), 0);
    for (const char16_t* name : {u"Bank", u"Cards", u"Visa", u"Amex", u"Pin"}) EXPECT_GE(IndexOfName(check_, name), 0) << tl5::Utf16ToUtf8(name);
    tl5::WalletCheckReport report;
    tl5::CheckWalletRecords(*check_.FileHandle(), *check_.RecordKey(), &report);
    EXPECT_TRUE(report.problems.empty());
}

TEST_F(WalletTree, FavoritesListACardOnceAndRemoveLeavesItInItsFolder) {
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(Select({L"Bank", L"Amex"}));
        Command(IDM_ADD_TO_FAVORITES);
    }
    HTREEITEM favorites = Child(Tree(), nullptr, tl5win::Text(IDS_FAVORITES));
    EXPECT_EQ(Children(Tree(), favorites), (std::vector<std::wstring>{L"Amex", L"Visa"}));
    TreeView_SelectItem(Tree(), Child(Tree(), favorites, L"Amex"));
    UiScript script(GetCurrentThreadId());
    script.Start([&](UiScript& s) { s.AnswerMessage(IDYES, "remove question"); });
    PostMessageW(main_, WM_COMMAND, IDM_REMOVE, 0);
    Run(script);
    EXPECT_EQ(Children(Tree(), Child(Tree(), nullptr, tl5win::Text(IDS_FAVORITES))), std::vector<std::wstring>{L"Visa"});
    tl5::Wallet& w = Reopened();
    EXPECT_GE(IndexOfName(w, u"Amex"), 0);
    EXPECT_FALSE(tl5::IsFavorite(w, ids_.amex));
    EXPECT_TRUE(tl5::IsFavorite(w, ids_.visa));
}

TEST_F(WalletTree, MenusFollowTheSelection) {
    struct Case {
        std::vector<std::wstring> path;
        uint32_t deleteCaption;
    } cases[] = {
        {{L"Bank", L"Visa"}, IDS_MENU_DELETE},
        {{tl5win::Text(IDS_FAVORITES)}, IDS_MENU_CLEAR},
        {{tl5win::Text(IDS_FAVORITES), L"Visa"}, IDS_MENU_REMOVE},
    };
    for (const Case& c : cases) {
        HTREEITEM item = nullptr;
        for (const std::wstring& name : c.path) {
            if (item) TreeView_Expand(Tree(), item, TVE_EXPAND);
            item = Child(Tree(), item, name);
        }
        ASSERT_TRUE(item);
        TreeView_SelectItem(Tree(), item);
        HMENU menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, IDM_DELETE, L"Delete");
        AppendMenuW(menu, MF_STRING, IDM_EXIT, L"Exit");
        SendMessageW(main_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
        wchar_t caption[64] = {};
        GetMenuStringW(menu, IDM_DELETE, caption, 64, MF_BYCOMMAND);
        EXPECT_STREQ(caption, tl5win::Text(c.deleteCaption));
        EXPECT_EQ(GetMenuState(menu, IDM_EXIT, MF_BYCOMMAND), static_cast<UINT>(-1)) << "ExitMenu is 0";
        DestroyMenu(menu);
    }
}

TEST_F(WalletTree, RenameThenOkRenamesTheRecordEverywhereItIsShown) {
    ASSERT_TRUE(Select({L"Bank", L"Visa"}));
    Command(IDM_RENAME);
    HWND edit = TreeView_GetEditControl(Tree());
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"Visa Gold");
    Command(IDOK);
    ASSERT_TRUE(tl5test::PumpUntil([&] { return Child(Tree(), Child(Tree(), nullptr, L"Bank"), L"Visa Gold") != nullptr; }, 5000));
    EXPECT_EQ(Children(Tree(), Child(Tree(), nullptr, tl5win::Text(IDS_FAVORITES))), std::vector<std::wstring>{L"Visa Gold"});
    tl5::Wallet& w = Reopened();
    EXPECT_GE(IndexOfName(w, u"Visa Gold"), 0);
}

TEST_F(WalletTree, NewFolderWithNothingSelectedIsATopLevelFolderWithTheFolderIcon) {
    TreeView_SelectItem(Tree(), nullptr);
    UiScript script(GetCurrentThreadId());
    script.Start([&](UiScript& s) {
        HWND dialog = s.WaitDialog(IDC_FOLDER_NAME, "folder properties");
        if (!dialog) return;
        if (SendDlgItemMessageW(dialog, IDC_FOLDER_MAIN_LEVEL, BM_GETCHECK, 0, 0) != BST_CHECKED)
            s.Fail("main level is not ticked for a folder made at the top level");
        TypeInto(dialog, IDC_FOLDER_NAME, L"Travel");
        Press(dialog, IDM_DONE);
        s.WaitGone(dialog);
    });
    PostMessageW(main_, WM_COMMAND, IDM_NEW_FOLDER, 0);
    Run(script, [] { return Child(Tree(), nullptr, L"Travel") != nullptr; });
    tl5::Wallet& w = Reopened();
    const int travel = IndexOfName(w, u"Travel");
    ASSERT_GE(travel, 0);
    EXPECT_TRUE(w.ItemAt(static_cast<size_t>(travel)).IsTopLevel());
    EXPECT_EQ(w.ItemAt(static_cast<size_t>(travel)).Icon(), tl5::kNewFolderIcon);
}

TEST_F(WalletTree, PropertiesAndTheIconPickerChangeAFoldersIcon) {
    ASSERT_TRUE(Select({L"Home"}));
    UiScript script(GetCurrentThreadId());
    script.Start([&](UiScript& s) {
        HWND dialog = s.WaitDialog(IDC_FOLDER_NAME, "folder properties");
        if (!dialog) return;
        Press(dialog, IDC_FOLDER_ICON);
        HWND picker = s.WaitDialog(IDC_ICON_GRID, "icon picker");
        if (!picker) return;
        // A tap on the grid's fourth cell of the first row: stock icon 3.
        HWND grid = GetDlgItem(picker, IDC_ICON_GRID);
        RECT r{};
        ListView_GetItemRect(grid, 0, &r, LVIR_BOUNDS);
        int x = r.left;
        for (int k = 0; k < 3; ++k) x += ListView_GetColumnWidth(grid, k);
        const LPARAM at = MAKELPARAM(x + ListView_GetColumnWidth(grid, 3) / 2, (r.top + r.bottom) / 2);
        PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(grid, WM_LBUTTONUP, 0, at);
        Press(picker, IDM_DONE);  // posted after the tap, so handled after it
        s.WaitGone(picker);
        Press(dialog, IDM_DONE);
        s.WaitGone(dialog);
    });
    PostMessageW(main_, WM_COMMAND, IDM_PROPERTIES, 0);
    Run(script);
    tl5::Wallet& w = Reopened();
    EXPECT_EQ(w.ItemAt(static_cast<size_t>(IndexOfName(w, u"Home"))).Icon(), 3);
}

TEST_F(WalletTree, AboutNamesTheProtectionOfTheOpenWallet) {
    UiScript script(GetCurrentThreadId());
    std::wstring line;
    script.Start([&](UiScript& s) {
        HWND about = s.WaitDialog(IDC_ABOUT_PROTECTION, "About");
        if (!about) return;
        line = tl5test::ControlText(about, IDC_ABOUT_PROTECTION);
        Press(about, IDM_DONE);
        s.WaitGone(about);
    });
    PostMessageW(main_, WM_COMMAND, IDM_ABOUT, 0);
    Run(script);
    EXPECT_NE(line.find(L"classic"), std::wstring::npos) << tl5::Utf16ToUtf8(tl5::FromWide(line));
}

TEST_F(WalletTree, ChangePasswordReopensTheWalletWithTheNewPasswordOnly) {
    UiScript script(GetCurrentThreadId());
    script.Start([&](UiScript& s) {
        HWND current = s.WaitDialog(IDC_PIN_OK, "current password");
        if (!current) return;
        TypeInto(current, IDC_PASSWORD, tl5::ToWide(kPassword));
        s.WaitGone(current);
        HWND chosen = s.WaitDialog(IDC_HINT, "new password");
        if (!chosen) return;
        TypeInto(chosen, IDC_PASSWORD, L"fresh-pw");
        TypeInto(chosen, IDC_PASSWORD_AGAIN, L"fresh-pw");
        Press(chosen, IDM_DONE);
        s.WaitGone(chosen);
        s.AnswerMessage(IDOK, "password changed");
        HWND again = s.WaitDialog(IDC_PIN_OK, "password of the reopened wallet");
        if (!again) return;
        TypeInto(again, IDC_PASSWORD, tl5::ToWide(kPassword));  // the old one no longer opens it
        if (!s.Settle()) return;
        if (!IsWindow(again) || !IsWindowVisible(again)) s.Fail("the old password was accepted");
        TypeInto(again, IDC_PASSWORD, L"fresh-pw");
        s.WaitGone(again);
    });
    PostMessageW(main_, WM_COMMAND, IDM_CHANGE_PASSWORD, 0);
    Run(script, [] { return tl5win::AppWallet().IsOpen() && TreeView_GetCount(Tree()) > 0; });
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].text, tl5win::Text(IDS_PASSWORD_CHANGED));
    PostMessageW(main_, WMU_SHOW_WALLET_LIST, 0, 0);
    ASSERT_TRUE(tl5test::PumpUntil([] { return !tl5win::AppWallet().IsOpen(); }, 10000));
    const std::u16string fresh = u"fresh-pw", old = kPassword;
    tl5::Wallet probe;
    EXPECT_EQ(probe.Probe(tl5::FromWide(path_), &old), tl5::kOpenWrongPassword);
    EXPECT_EQ(probe.Probe(tl5::FromWide(path_), &fresh), tl5::kOpenOk);
    probe.Close(false);
}
