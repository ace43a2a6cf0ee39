// The display options and the card window's Text/Colors and Icon commands, driven in the real
// windows: the wallet and the registry are read back afterwards.
#include <windows.h>
// windows.h first: the headers below build on it.
#include <colordlg.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "cardui/Settings.h"
#include "cardui/win/CardWindow.h"
#include "cardui/win/DialogBar.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/ImageLists.h"
#include "dialogs/DisplayRules.h"
#include "dialogs/win/DisplayOptions.h"
#include "model/Card.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/Text.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/win/AppState.h"
#include "shell/win/MainWindow.h"
#include "shell/win/Startup.h"
#include "shell/win/WalletList.h"
#include "tests/core/WalletTestSupport.h"
#include "tests/win/AppProcess.h"
#include "tests/win/AppTestSupport.h"
#include "tests/win/InProcessAppSuite.h"
#include "tests/win/MainWindowTestDriver.h"
#include "tests/win/TestFiles.h"

using tl5test::Child;
using tl5test::Press;
using tl5test::TypeInto;
using tl5test::UiScript;
using tl5test::FileBytes;

namespace {

constexpr char16_t kPassword[] = u"display-pw";

// A wallet with a folder Net holding the card Web. Its card view defaults use 11 points, unlike the
// registry's card size; the word at settings offset 136, which no dialog shows, holds a mark.
void MakeWallet(const std::wstring& path) {
    tl5::Wallet w;
    const std::u16string password = kPassword;
    ASSERT_EQ(w.Create(tl5::FromWide(path), password, u"", false), 0);
    ASSERT_EQ(w.Open(tl5::FromWide(path), &password, false), 0);
    tl5::ItemRecord folder;
    tl5::NewFolder(w, tl5::ItemId(), false, &folder);
    folder.SetName(u"Net");
    const tl5::ItemId net = folder.Id();
    ASSERT_GE(w.AppendFolderRecord(&folder, false), 0);
    tl5::Card web = tl5test::MakeCard(w, net, u"Web", {});
    tl5::Field* f = web.AddField(tl5::FT_TEXT);
    f->SetName(u"Site");
    f->SetValue(u"www.example.com");
    ASSERT_GE(w.AppendCard(&web, false), 0);
    w.Settings().SetCardHeadDefault(tl5::CardHead::kTextSize, 11);
    ASSERT_EQ(w.Close(true), 0);
}

// A visible top-level window of another process holding a control with this id, or null.
HWND ProcessDialogWith(DWORD pid, int controlId) {
    struct Search {
        DWORD pid;
        int id;
        HWND found;
    } search{pid, controlId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->pid && IsWindowVisible(window) && GetDlgItem(window, s->id)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

// Picks a colour in the colour chooser opened by a swatch: its red, green and blue boxes, then OK.
void PickColourIn(UiScript& s, HWND dialog, int swatch, int red, int green, int blue) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(swatch, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, swatch)));
    HWND chooser = s.WaitDialog(COLOR_RED, "colour chooser");
    if (!chooser) return;
    TypeInto(chooser, COLOR_RED, std::to_wstring(red));
    TypeInto(chooser, COLOR_GREEN, std::to_wstring(green));
    TypeInto(chooser, COLOR_BLUE, std::to_wstring(blue));
    Press(chooser, IDOK);
    s.WaitGone(chooser);
}

int Selection(HWND dialog, int id) {
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, id), CB_GETCURSEL, 0, 0));
}
void Select(HWND dialog, int id, int entry) { SendMessageW(GetDlgItem(dialog, id), CB_SETCURSEL, entry, 0); }

class DisplayOptionsTest : public tl5test::InProcessAppSuite<DisplayOptionsTest> {
public:
    static constexpr const wchar_t* kAppName = L"display";

protected:
    void SetUp() override {
        ASSERT_NE(main_, nullptr);
        tl5::AppSettings().passAutoOk = 1;
        ASSERT_TRUE(tl5test::ShowWalletListAndWait(main_));
        path_ = app_->Document(L"Display.tl5");
        DeleteFileW(path_.c_str());
        MakeWallet(path_);
        ASSERT_TRUE(tl5test::OpenWalletThroughPrompt(main_, path_, tl5::ToWide(kPassword)));
    }

    void TearDown() override { check_.Close(false); }

    // Opens the card Web with Return in the tree; `body` runs on the script's thread while the card
    // window is up and must close it.
    void OpenWeb(const std::function<void(UiScript&, HWND card)>& body) {
        HTREEITEM net = Child(Tree(), nullptr, L"Net");
        ASSERT_TRUE(net);
        TreeView_Expand(Tree(), net, TVE_EXPAND);
        HTREEITEM item = Child(Tree(), net, L"Web");
        ASSERT_TRUE(item);
        TreeView_SelectItem(Tree(), item);
        UiScript script(GetCurrentThreadId());
        script.Start([&](UiScript& s) {
            HWND card = s.WaitDialog(IDC_CARD_LIST, "card window");
            if (!card) return;
            body(s, card);
            if (IsWindow(card) && !s.WaitGone(card, 5000)) {
                s.Fail("the card window stayed open");
                PostMessageW(card, CARD_CLOSEREQUEST, 0, 0);
                s.WaitGone(card);
            }
        });
        PostMessageW(Tree(), WM_KEYDOWN, VK_RETURN, 0);
        ASSERT_TRUE(script.Finish(60000)) << "the script did not finish";
        EXPECT_FALSE(script.Failed()) << script.Failure();
        tl5test::PumpUntilSettled();
    }

    tl5::Wallet& Reopened() {
        EXPECT_TRUE(tl5test::ShowWalletListAndWait(main_));
        const std::u16string password = kPassword;
        EXPECT_EQ(check_.Open(tl5::FromWide(path_), &password, true), 0);
        return check_;
    }

    std::unique_ptr<tl5::Card> WebCard(tl5::Wallet& w) {
        for (size_t i = 0; i < w.ItemCount(); ++i)
            if (!w.ItemAt(i).IsDeleted() && w.ItemAt(i).Name() == u"Web") return w.LoadCard(i);
        return nullptr;
    }

    std::wstring path_;
    tl5::Wallet check_;
};

TEST_F(DisplayOptionsTest, CardColoursSizeAndAColourReachTheCardsHead) {
    int shownSize = -2;
    bool dataBoldShown = true;
    OpenWeb([&](UiScript& s, HWND card) {
        Press(card, IDM_TEXT_COLORS);
        HWND dialog = s.WaitDialog(IDC_ALWAYS_DISPLAY, "card display");
        if (!dialog) return;
        shownSize = Selection(dialog, IDC_CARD_SIZE);
        dataBoldShown = IsDlgButtonChecked(dialog, IDC_FIELD_DATA_BOLD) == BST_CHECKED;
        Select(dialog, IDC_CARD_SIZE, 2);
        CheckDlgButton(dialog, IDC_FIELD_DATA_BOLD, BST_CHECKED);
        PickColourIn(s, dialog, IDC_BACKGROUND_COLOUR, 12, 34, 56);
        Press(dialog, IDM_DONE);
        s.WaitGone(dialog);
        s.Settle();
        Press(card, IDM_DONE);
    });
    EXPECT_EQ(shownSize, 1) << "a new card of a wallet made with 9 points";
    EXPECT_FALSE(dataBoldShown);
    tl5::Wallet& w = Reopened();
    std::unique_ptr<tl5::Card> card = WebCard(w);
    ASSERT_TRUE(card);
    const tl5::CardHead& head = card->Head();
    EXPECT_EQ(head.words[tl5::CardHead::kTextSize], 11u);
    EXPECT_EQ(head.words[tl5::CardHead::kDataBold], 1u);
    EXPECT_EQ(head.words[tl5::CardHead::kBackgroundColour], tl5::ColourOf(12, 34, 56));
    // The rest of the head is as the card was made.
    tl5::CardHead expected = tl5::CardHead::Defaults();
    expected.words[tl5::CardHead::kTextSize] = 11;
    expected.words[tl5::CardHead::kDataBold] = 1;
    expected.words[tl5::CardHead::kBackgroundColour] = tl5::ColourOf(12, 34, 56);
    for (size_t i = 0; i < tl5::CardHead::kWords; ++i) EXPECT_EQ(head.words[i], expected.words[i]) << "word " << i;
}

TEST_F(DisplayOptionsTest, DoneWithoutAChangeAndCancelRewriteNothing) {
    const std::string before = FileBytes(path_);
    for (int command : {IDM_DONE, IDM_CANCEL}) {
        OpenWeb([&](UiScript& s, HWND card) {
            Press(card, IDM_TEXT_COLORS);
            HWND dialog = s.WaitDialog(IDC_ALWAYS_DISPLAY, "card display");
            if (!dialog) return;
            if (command == IDM_CANCEL) {
                Select(dialog, IDC_CARD_SIZE, 0);
                CheckDlgButton(dialog, IDC_ALWAYS_DISPLAY, BST_CHECKED);
            } else {
                // A colour chooser left with Cancel keeps the colour.
                HWND swatch = GetDlgItem(dialog, IDC_FIELD_NAME_COLOUR);
                PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FIELD_NAME_COLOUR, BN_CLICKED),
                             reinterpret_cast<LPARAM>(swatch));
                HWND chooser = s.WaitDialog(COLOR_RED, "colour chooser");
                if (chooser) {
                    TypeInto(chooser, COLOR_RED, L"200");
                    Press(chooser, IDCANCEL);
                    s.WaitGone(chooser);
                }
            }
            Press(dialog, command);
            s.WaitGone(dialog);
            s.Settle();
            Press(card, IDM_DONE);
        });
        EXPECT_EQ(FileBytes(path_), before) << (command == IDM_DONE ? "Done" : "Cancel");
    }
}

// The wallet closes (an idle close, a synchronisation) while the card display is up: the dialog and
// the card window go, and what the dialog held reaches neither the card nor the file.
TEST_F(DisplayOptionsTest, AWalletCloseUnderTheCardDisplayLeavesTheCardAlone) {
    OpenWeb([&](UiScript& s, HWND card) {
        Press(card, IDM_TEXT_COLORS);
        HWND dialog = s.WaitDialog(IDC_ALWAYS_DISPLAY, "card display");
        if (!dialog) return;
        Select(dialog, IDC_CARD_SIZE, 0);
        CheckDlgButton(dialog, IDC_ALWAYS_DISPLAY, BST_CHECKED);
        PostMessageW(main_, WMU_SHOW_WALLET_LIST, 0, 0);
        s.WaitGone(dialog);
    });
    EXPECT_TRUE(tl5test::PumpUntil([] { return !tl5win::AppWallet().IsOpen(); }, 10000));
    EXPECT_EQ(tl5win::OpenCardWindow(), nullptr);
    const std::u16string password = kPassword;
    ASSERT_EQ(check_.Open(tl5::FromWide(path_), &password, true), 0);
    std::unique_ptr<tl5::Card> card = WebCard(check_);
    ASSERT_TRUE(card);
    EXPECT_TRUE(card->Head() == tl5::CardHead::Defaults());
}

TEST_F(DisplayOptionsTest, IconCommandStoresTheChosenStockIconAndShowsItInTheBar) {
    int barIcon = -1;
    OpenWeb([&](UiScript& s, HWND card) {
        Press(card, IDM_ICON);
        HWND picker = s.WaitDialog(IDC_ICON_GRID, "icon picker");
        if (!picker) return;
        // The cell of stock icon 30: a tap in its row and column.
        HWND grid = GetDlgItem(picker, IDC_ICON_GRID);
        const int columns = Header_GetItemCount(ListView_GetHeader(grid));
        if (columns <= 0) return s.Fail("the grid has no columns");
        const int row = 30 / columns, column = 30 % columns;
        ListView_EnsureVisible(grid, row, FALSE);
        RECT r{};
        ListView_GetItemRect(grid, row, &r, LVIR_BOUNDS);
        int x = r.left;
        for (int k = 0; k < column; ++k) x += ListView_GetColumnWidth(grid, k);
        const LPARAM at = MAKELPARAM(x + ListView_GetColumnWidth(grid, column) / 2, (r.top + r.bottom) / 2);
        PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(grid, WM_LBUTTONUP, 0, at);
        s.Settle();
        Press(picker, IDM_DONE);
        s.WaitGone(picker);
        s.Settle();
        if (const tl5win::DialogBarContent* bar = tl5win::GetDialogBarContent(GetDlgItem(card, IDC_DIALOG_BAR)))
            barIcon = bar->icon;
        Press(card, IDM_DONE);
    });
    EXPECT_EQ(barIcon, tl5win::StockIconImage(30));
    tl5::Wallet& w = Reopened();
    std::unique_ptr<tl5::Card> card = WebCard(w);
    ASSERT_TRUE(card);
    EXPECT_EQ(card->Record().Icon(), 30);
}

TEST_F(DisplayOptionsTest, DisplayShowsThisWalletsCardSizeAndRebuildsTheTreeFont) {
    tl5::Settings& settings = tl5::AppSettings();
    settings.fontMain = 9;
    settings.fontMainStyle = 0;
    settings.fontCard = 8;  // the registry's card size differs from this wallet's 11 points
    int treeShown = -2, cardShown = -2;
    UiScript script(GetCurrentThreadId());
    script.Start([&](UiScript& s) {
        HWND dialog = s.WaitDialog(IDC_TREE_FONT, "display options");
        if (!dialog) return;
        treeShown = Selection(dialog, IDC_TREE_FONT);
        cardShown = Selection(dialog, IDC_CARD_SIZE);
        Select(dialog, IDC_TREE_FONT, 5);  // 11 points, bold
        PickColourIn(s, dialog, IDC_FOLDER_COLOUR, 10, 20, 30);
        Press(dialog, IDM_DONE);
        s.WaitGone(dialog);
    });
    PostMessageW(main_, WM_COMMAND, MAKEWPARAM(IDM_DISPLAY, 0), 0);
    ASSERT_TRUE(script.Finish(60000));
    EXPECT_FALSE(script.Failed()) << script.Failure();
    tl5test::PumpUntilSettled();

    EXPECT_EQ(treeShown, 1);
    EXPECT_EQ(cardShown, 2) << "the wallet's own card size, not the registry's";
    EXPECT_EQ(settings.fontMain, 11u);
    EXPECT_EQ(settings.fontMainStyle & 1u, 1u);
    EXPECT_EQ(settings.fontCard, 8u) << "the card size was not changed";
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Tree(), WM_GETFONT, 0, 0)),
              tl5win::AppFontCache().FontForSize(11, true));

    tl5::Wallet& w = Reopened();
    EXPECT_EQ(w.Settings().FolderColour(), tl5::ColourOf(10, 20, 30));
    EXPECT_EQ(w.Settings().CardHeadDefault(tl5::CardHead::kTextSize), 11u);
    EXPECT_EQ(w.Settings().CardColour(), 0u);
    settings.fontMain = 9;
    settings.fontMainStyle = 0;
    settings.fontCard = 9;
}

// The real program: the tree font chosen in the display options is in the registry after Exit.
class DisplayExit : public IsolatedAppTest {};

TEST_F(DisplayExit, TreeFontElevenBoldIsSavedAtExit) {
    SeedSettings(3);
    const std::wstring folder = tl5test::PrivateTempFolder(L"display-exit");
    tl5test::RemoveTree(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    SetEnvironmentVariableW(L"TL5_DOCUMENTS", folder.c_str());
    const std::wstring path = folder + L"\\Exit.tl5";
    DeleteFileW(path.c_str());
    MakeWallet(path);
    ASSERT_FALSE(HasFatalFailure());
    AppProcess app;
    ASSERT_TRUE(app.Start(path));  // the line is the path as it stands
    const DWORD pid = app.ProcessId();
    auto waitFor = [](const std::function<bool()>& done, DWORD ms) { return tl5test::PollUntil(done, ms, 20); };

    HWND entry = nullptr;
    ASSERT_TRUE(waitFor([&] { return (entry = ProcessDialogWith(pid, IDC_PIN_OK)) != nullptr; }, 30000))
        << "the password entry did not appear";
    SendWithin(entry, WM_NULL, 0, 0);
    const std::wstring password = tl5::ToWide(kPassword);
    SendWithin(GetDlgItem(entry, IDC_PASSWORD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(password.c_str()));
    if (IsWindow(entry) && IsWindowVisible(entry)) PostMessageW(entry, WM_COMMAND, MAKEWPARAM(IDM_DONE, 0), 0);
    HWND main = app.WaitForWindow(MainClass().c_str(), 20000);
    ASSERT_NE(main, nullptr);
    HWND tree = GetDlgItem(main, IDC_TREE);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(entry) && SendWithin(tree, TVM_GETCOUNT, 0, 0) > 0; }, 30000))
        << "the wallet did not open";

    PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_DISPLAY, 0), 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(waitFor([&] { return (dialog = ProcessDialogWith(pid, IDC_TREE_FONT)) != nullptr; }, 20000));
    SendWithin(dialog, WM_NULL, 0, 0);
    SendWithin(GetDlgItem(dialog, IDC_TREE_FONT), CB_SETCURSEL, 5, 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDM_DONE, 0), 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(dialog); }, 20000));

    PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
    DWORD code = 99;
    ASSERT_TRUE(app.WaitForExit(30000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(Number(L"FontMain"), 11);
    ASSERT_GE(Number(L"FontMainStyle"), 0);
    EXPECT_EQ(Number(L"FontMainStyle") & 1, 1);
    SetEnvironmentVariableW(L"TL5_DOCUMENTS", nullptr);
    tl5test::RemoveTree(folder);
}

}  // namespace
