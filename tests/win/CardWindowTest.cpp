// The card window of the real application, made in this process as the start-up makes it: a card is
// opened from the wallet tree with Return, a helper thread acts on the card window while the
// user-interface thread runs it, and the wallet is read back with the core afterwards.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "StringIds.h"
#include "cardui/CardViewRules.h"
#include "cardui/Settings.h"
#include "cardui/win/CardEditor.h"
#include "cardui/win/CardView.h"
#include "cardui/win/FieldEditors.h"
#include "cardui/win/FormDesigner.h"
#include "cardui/FormDesignRules.h"
#include "cardui/win/CardWindow.h"
#include "cardui/win/Activity.h"
#include "cardui/win/Clipboard.h"
#include "cardui/win/DialogHost.h"
#include "cardui/win/DialogBar.h"
#include "cardui/win/ListUI.h"
#include "cardui/win/Strings.h"
#include "model/Card.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/Text.h"
#include "resources/messages.h"
#include "platform/pocketpc/Shell.h"
#include "resources/resource.h"
#include "shell/win/MainWindow.h"
#include "shell/win/Startup.h"
#include "shell/win/WalletList.h"
#include "tests/core/WalletTestSupport.h"
#include "tests/win/InProcessAppSuite.h"
#include "tests/win/MainWindowTestDriver.h"
#include "tests/win/TestFiles.h"

using tl5test::UiScript;

using tl5test::Child;
using tl5test::Children;
using tl5test::TextOf;
using tl5test::FileBytes;

namespace {

constexpr char16_t kPassword[] = u"card-pw";
constexpr char16_t kSecret[] = u"s3cret! pass";

tl5::Field* Add(tl5::Card& card, uint16_t type, const std::u16string& name, const std::u16string& value) {
    tl5::Field* f = card.AddField(type);
    f->SetName(name);
    f->SetValue(value);
    return f;
}

void Attach(tl5::Card& card, size_t slot, const std::u16string& name, const std::string& bytes) {
    tl5::Attachment a;
    a.SetFromBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), name, tl5::SystemTime{2026, 12, 4, 10, 0, 0, 0, 0});
    card.SetAttachment(slot, std::move(a));
}

// The fixture: Web (every kind of row), Big (255 fields and 10 attachments), in a folder; Web is a
// favourite.
void MakeFixtureWallet(const std::wstring& path) {
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
    Add(web, tl5::FT_URL, u"Site", u"www.Example.com/Login");
    Add(web, tl5::FT_EMAIL, u"Mail", u"me@example.com");
    Add(web, tl5::FT_TEXT, u"Empty", u"");
    Add(web, tl5::FT_PHONE, u"Phone", u"(555) 123-4567");
    Add(web, tl5::FT_LINK, u"Link", u"  WWW.Example.ORG/x");
    Add(web, tl5::FT_PASSWORD, u"Password", kSecret);
    Add(web, tl5::FT_TEXT, u"", u"plain words");
    Attach(web, 2, u"notes.txt", "attached notes");
    // A small picture behind the rows, and a sound that plays when the card is viewed (where there is
    // no sound output it fails quietly).
    const std::string bmp = tl5test::Bitmap(2, 0xD08020, 0xD08020);
    web.MutableImage().SetFromBytes(reinterpret_cast<const uint8_t*>(bmp.data()), bmp.size(), u"dot.bmp", 0);
    web.MutableImage().position = 5;
    const std::string wav = tl5test::Wave(800);
    web.MutableSound().SetFromBytes(reinterpret_cast<const uint8_t*>(wav.data()), wav.size(), u"chime.wav");
    web.MutableSound().playWhenViewed = 1;
    const tl5::ItemId webId = web.Record().Id();
    ASSERT_GE(w.AppendCard(&web, false), 0);
    ASSERT_TRUE(tl5::AddFavorite(w, webId));

    // Every kind of editor, with values a careless visit would change: an unset yes/no, a choice in
    // another letter case than its item, a date with seconds, an empty time, a very long note.
    tl5::Card edit = tl5test::MakeCard(w, net, u"Edit", {});
    Add(edit, tl5::FT_TEXT, u"Note", u"short");
    Add(edit, tl5::FT_YESNO, u"Done?", u"");
    tl5::Field* choice = Add(edit, tl5::FT_CHOICE, u"Card", u"");
    choice->ClearItems();
    choice->AddItem(u"Visa");
    choice->AddItem(u"Amex");
    choice->SetValue(u"visa");
    tl5::Field* date = Add(edit, tl5::FT_DATE, u"Expires", u"");
    date->SetDateTime(tl5::SystemTime{2029, 8, 0, 31, 0, 0, 17, 0});
    Add(edit, tl5::FT_TIME, u"At", u"");
    Add(edit, tl5::FT_TEXT, u"Long", std::u16string(40000, u'x') + u"end");
    Add(edit, tl5::FT_PASSWORD, u"Password", kSecret);
    ASSERT_GE(w.AppendCard(&edit, false), 0);

    tl5::Card big = tl5test::MakeCard(w, net, u"Big", {});
    for (int i = 0; i < 255; ++i) {
        std::u16string value = u"value " + tl5::FromWide(std::to_wstring(i));
        if (i % 17 == 0) value += u" that is long enough to wrap over more than one line of the card view's rows";
        Add(big, tl5::FT_TEXT, u"Field " + tl5::FromWide(std::to_wstring(i)), value);
    }
    for (size_t slot = 0; slot < 10; ++slot) Attach(big, slot, u"file" + tl5::FromWide(std::to_wstring(slot)) + u".txt", "x");
    ASSERT_GE(w.AppendCard(&big, false), 0);
    ASSERT_EQ(w.Close(true), 0);
}

std::wstring ClipboardText() {
    std::wstring text;
    for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(10);
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void SetClipboardText(const std::wstring& text) {
    for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(10);
    EmptyClipboard();
    HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(global), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(global);
    SetClipboardData(CF_UNICODETEXT, global);
    CloseClipboard();
}

// Waits on the script's thread for a condition that the user-interface thread brings about.
bool WaitFor(const std::function<bool()>& done, DWORD ms = 10000) {
    for (DWORD waited = 0; waited < ms; waited += 10) {
        if (done()) return true;
        Sleep(10);
    }
    return done();
}

// The index of the value row of a field name in the open card view, -1 when absent.
int ValueRowOf(const std::u16string& name) {
    const std::vector<tl5::ViewRow>* rows = tl5win::CardViewRows();
    if (!rows) return -1;
    for (size_t i = 0; i + 1 < rows->size(); i += 2)
        if ((*rows)[i].text == name) return static_cast<int>(i + 1);
    return -1;
}

class CardWindowTest : public tl5test::InProcessAppSuite<CardWindowTest> {
public:
    static constexpr const wchar_t* kAppName = L"card";

protected:
    void SetUp() override {
        ASSERT_NE(main_, nullptr);
        tl5::AppSettings().passAutoOk = 1;
        tl5::AppSettings().clipboardClearSeconds = 30;
        ASSERT_TRUE(tl5test::ShowWalletListAndWait(main_));
        path_ = app_->Document(L"Cards.tl5");
        DeleteFileW(path_.c_str());
        MakeFixtureWallet(path_);
        log_ = app_->Document(L"launch.log");
        DeleteFileW(log_.c_str());
        SetEnvironmentVariableW(L"TL5_LAUNCH_LOG", log_.c_str());

        ASSERT_TRUE(tl5test::OpenWalletThroughPrompt(main_, path_, tl5::ToWide(kPassword)));
    }

    void TearDown() override {
        SetEnvironmentVariableW(L"TL5_LAUNCH_LOG", nullptr);
        check_.Close(false);
    }

    // Opens a card of the folder Net with Return in the tree; `body` runs on the script's thread
    // while the card window is up and must close it.
    void OpenCard(const std::wstring& name, const std::function<void(UiScript&, HWND card)>& body) {
        HTREEITEM net = Child(Tree(), nullptr, L"Net");
        ASSERT_TRUE(net);
        TreeView_Expand(Tree(), net, TVE_EXPAND);
        HTREEITEM item = Child(Tree(), net, name);
        ASSERT_TRUE(item);
        TreeView_SelectItem(Tree(), item);
        UiScript script(GetCurrentThreadId());
        script.Start([&](UiScript& s) {
            HWND card = s.WaitDialog(IDC_CARD_LIST, "card window");
            if (!card) return;
            body(s, card);
            if (IsWindow(card) && !s.WaitGone(card, 5000)) {
                s.Fail("the card window stayed open");
                // Closed all the same (keeping its edits), so that the test ends instead of hanging.
                PostMessageW(card, CARD_CLOSEREQUEST, 0, 0);
                s.WaitGone(card);
            }
        });
        PostMessageW(Tree(), WM_KEYDOWN, VK_RETURN, 0);  // the tree reports it to the main window
        ASSERT_TRUE(script.Finish(60000)) << "the script did not finish";
        EXPECT_FALSE(script.Failed()) << script.Failure();
        // The card window's result arrives by post.
        tl5test::PumpUntil([] { return false; }, 100);
    }

    static HWND ListUi(HWND card) { return GetDlgItem(card, IDC_CARD_LIST); }

    tl5::Wallet& Reopened() {
        EXPECT_TRUE(tl5test::ShowWalletListAndWait(main_));
        const std::u16string password = kPassword;
        EXPECT_EQ(check_.Open(tl5::FromWide(path_), &password, true), 0);
        return check_;
    }

    std::vector<std::string> LogLines() const {
        std::ifstream in(tl5::Utf16ToUtf8(tl5::FromWide(app_->Document(L"launch.log"))).c_str());
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(in, line)) lines.push_back(line);
        return lines;
    }

    std::wstring path_;
    std::wstring log_;
    tl5::Wallet check_;
};

}  // namespace

TEST_F(CardWindowTest, ReturnOpensTheCardInViewModeAndDoneLeavesTheFileAsItWas) {
    // The application shows field dates in the user's pictures.
    const tl5::SystemTime expires{2029, 8, 0, 31, 0, 0, 17, 0};
    EXPECT_EQ(tl5::FormatFieldDateTime(expires, tl5::FT_DATE), tl5win::UserFieldDateTimeText(expires, tl5::FT_DATE));
    const std::string before = FileBytes(path_);
    std::wstring caption, listClass, childClass;
    std::vector<std::u16string> texts;
    std::vector<int> kinds;
    std::u16string passwordShown;
    int selected = -1;
    OpenCard(L"Web", [&](UiScript& s, HWND card) {
        char16_t name[64] = {};
        GetClassNameW(ListUi(card), reinterpret_cast<wchar_t*>(name), 64);
        listClass = tl5::ToWide(name);
        GetClassNameW(GetWindow(ListUi(card), GW_CHILD), reinterpret_cast<wchar_t*>(name), 64);
        childClass = tl5::ToWide(name);
        if (const tl5win::DialogBarContent* bar = tl5win::GetDialogBarContent(GetDlgItem(card, IDC_DIALOG_BAR)))
            caption = bar->caption;
        if (const auto* rows = tl5win::CardViewRows()) {
            for (const tl5::ViewRow& row : *rows) {
                texts.push_back(row.text);
                kinds.push_back(row.kind);
            }
            const int password = ValueRowOf(u"Password");
            if (password >= 0) passwordShown = std::u16string(tl5::RowDisplayText((*rows)[password], false, false));
        }
        selected = tl5win::CardViewSelection();
        // A chooser result this window did not ask for changes nothing (the picture stays).
        SendMessageW(card, DOC_CHOOSER_RESULT, 3, 0);
        tl5test::Press(card, IDM_DONE);
        (void)s;
    });
    EXPECT_EQ(listClass, L"OW_LISTUI_CE_2.1");
    EXPECT_EQ(childClass, L"OW_VIRTUAL_LIST_CE_2.1");
    EXPECT_EQ(caption, L"Web");
    // Names and values in field order (the empty field has no rows, a nameless one shows "*"), then
    // the attachment.
    const std::vector<std::u16string> want = {u"Site", u"www.Example.com/Login", u"Mail", u"me@example.com", u"Phone",
                                              u"(555) 123-4567", u"Link", u"  WWW.Example.ORG/x", u"Password", kSecret,
                                              u"*", u"plain words", tl5win::TextU16(IDS_ATTACHMENT), u"notes.txt"};
    EXPECT_EQ(texts, want);
    ASSERT_EQ(kinds.size(), want.size());
    EXPECT_EQ(kinds.back(), tl5::kRowAttachment);
    EXPECT_EQ(passwordShown, tl5::kPasswordMask);
    EXPECT_EQ(selected, 1);  // the first value row
    // Done on an unchanged card rewrites nothing (nor did the chooser result clear the picture).
    EXPECT_EQ(FileBytes(path_), before);
    EXPECT_EQ(tl5win::OpenCardWindow(), nullptr);
}

TEST_F(CardWindowTest, RowsHandTheirValuesOverAndAnAttachmentIsWrittenAndOpened) {
    OpenCard(L"Web", [&](UiScript&, HWND card) {
        for (const char16_t* name : {u"Site", u"Mail", u"Phone", u"Link"}) {
            tl5win::CardViewSelect(ValueRowOf(name));
            SendMessageW(ListUi(card), WM_KEYDOWN, VK_RETURN, 0);
        }
        // A tap on the selected row activates it: the attachment is the last row.
        const int last = static_cast<int>(tl5win::CardViewRows()->size()) - 1;
        tl5win::CardViewSelect(last);
        SendMessageW(ListUi(card), LUM_NEXTROW, 0, 0);  // stays on the last row
        SendMessageW(ListUi(card), WM_KEYDOWN, VK_RETURN, 0);
        tl5test::Press(card, IDM_DONE);
    });
    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "play chime.wav");  // the card's sound, as the card opened
    EXPECT_EQ(lines[1], "iexplore.exe www.Example.com/Login");  // a web field goes as stored
    EXPECT_EQ(lines[2], "tmail.exe -to \"me@example.com\"");
    EXPECT_EQ(lines[3], "dial (555) 123-4567");
    EXPECT_EQ(lines[4], "iexplore.exe www.example.org/x");  // a link: classified, trimmed, lower case
    const std::string open = "open " + tl5::Utf16ToUtf8(tl5::FromWide(app_->Documents())) + "\\";
    ASSERT_EQ(lines[5].compare(0, open.size(), open), 0) << lines[5];
    const std::string written = lines[5].substr(5);
    EXPECT_NE(written.find("_notes.txt"), std::string::npos);
    EXPECT_EQ(FileBytes(tl5::ToWide(tl5::Utf8ToUtf16(written))), "attached notes");
}

TEST_F(CardWindowTest, CopyTextCopiesTheRealPasswordAndTheClipboardForgetsItOnlyIfStillOurs) {
    tl5::AppSettings().clipboardClearSeconds = 1;
    std::wstring copied, afterClear, kept;
    bool cleared = false, forgotten = false;
    OpenCard(L"Web", [&](UiScript&, HWND card) {
        tl5win::CardViewSelect(ValueRowOf(u"Password") - 1);  // the name row above is not selected
        SendMessageW(ListUi(card), LUM_NEXTROW, 0, 0);       // the password row
        SendMessageW(card, WM_COMMAND, IDM_COPY_TEXT, 0);
        WaitFor([&] { return ClipboardText() == tl5::ToWide(kSecret); }, 5000);
        copied = ClipboardText();
        cleared = WaitFor([] { return ClipboardText().empty(); }, 10000);
        afterClear = ClipboardText();

        // Copied again, then the user copies something else: that stays.
        SendMessageW(card, WM_COMMAND, IDM_COPY_TEXT, 0);
        WaitFor([&] { return ClipboardText() == tl5::ToWide(kSecret); }, 5000);
        SetClipboardText(L"something else");
        forgotten = WaitFor([] { return !tl5win::SecretClipboardPending(); }, 10000);
        kept = ClipboardText();
        tl5test::Press(card, IDM_DONE);
    });
    EXPECT_EQ(copied, tl5::ToWide(kSecret));  // the value, not the mask
    EXPECT_TRUE(cleared);
    EXPECT_EQ(afterClear, L"");
    EXPECT_TRUE(forgotten);
    EXPECT_EQ(kept, L"something else");
}

TEST_F(CardWindowTest, AFullCardOpensAndScrollsToItsLastRow) {
    size_t rows = 0;
    int selected = -1, position = 0;
    tl5::ScrollState state;
    OpenCard(L"Big", [&](UiScript&, HWND card) {
        rows = tl5win::CardViewRows()->size();
        for (int i = 0; i < 300; ++i) SendMessageW(ListUi(card), WM_KEYDOWN, VK_DOWN, 0);
        selected = tl5win::CardViewSelection();
        state = tl5win::ReadScrollState(tl5win::CurrentVirtualList());
        SendMessageW(tl5win::CurrentVirtualList(), WM_VSCROLL, SB_TOP, 0);
        SendMessageW(tl5win::CurrentVirtualList(), WM_VSCROLL, SB_LINEDOWN, 0);
        SendMessageW(tl5win::CurrentVirtualList(), WM_VSCROLL, SB_LINEUP, 0);
        position = tl5win::ReadScrollState(tl5win::CurrentVirtualList()).position;
        tl5test::Press(card, IDM_DONE);
    });
    EXPECT_EQ(rows, 530u);
    EXPECT_EQ(selected, 529);
    // The last row is in view: the list scrolled to its end.
    EXPECT_TRUE(state.Scrolls());
    EXPECT_GE(state.position + state.page, state.maximum);  // the last row's bottom is on screen
    EXPECT_EQ(position, 0);
}

TEST_F(CardWindowTest, DeleteCardWithYesRemovesTheCardAndItsFavorite) {
    std::wstring question;
    OpenCard(L"Web", [&](UiScript& s, HWND card) {
        PostMessageW(card, WM_COMMAND, IDM_DELETE, 0);
        question = s.AnswerMessage(IDYES, "delete question").text;
    });
    EXPECT_EQ(question, tl5win::Text(IDS_DELETE_CARD_Q));
    EXPECT_TRUE(tl5test::PumpUntil([] { return !Child(Tree(), Child(Tree(), nullptr, L"Net"), L"Web"); }, 5000));
    tl5::Wallet& w = Reopened();
    bool found = false;
    for (size_t i = 0; i < w.ItemCount(); ++i) found = found || (!w.ItemAt(i).IsDeleted() && w.ItemAt(i).Name() == u"Web");
    EXPECT_FALSE(found);
    EXPECT_EQ(tl5::FavoriteCount(w), 0);
}

TEST_F(CardWindowTest, EscapeOnAChangedCardAsksAndNoKeepsTheWindow) {
    std::wstring question;
    bool stillOpen = false;
    OpenCard(L"Web", [&](UiScript& s, HWND card) {
        tl5win::OpenCardWindowParams()->card->SetModified(true);
        PostMessageW(ListUi(card), WM_KEYDOWN, VK_ESCAPE, 0);
        question = s.AnswerMessage(IDNO, "discard question").text;
        stillOpen = WaitFor([&] { return IsWindow(card) && tl5win::OpenCardWindow() == card; }, 2000);
        PostMessageW(card, WM_COMMAND, IDM_CANCEL, 0);
        s.AnswerMessage(IDYES, "discard question");
    });
    EXPECT_EQ(question, tl5win::Text(IDS_DISCARD_CHANGES_Q));
    EXPECT_TRUE(stillOpen);
}

// The wallet closes while the card window is open and a question is up: the question goes, the
// window closes, the change is kept, nothing is deleted, and the wallet passes the check.
TEST_F(CardWindowTest, AWalletCloseUnderAnOpenCardKeepsItsChangeAndDeletesNothing) {
    OpenCard(L"Web", [&](UiScript& s, HWND card) {
        tl5::Card* c = tl5win::OpenCardWindowParams()->card;
        c->FieldAt(1)->SetValue(u"changed@example.com");
        tl5win::CardViewSelect(ValueRowOf(u"Password"));
        SendMessageW(card, WM_COMMAND, IDM_COPY_TEXT, 0);
        WaitFor([&] { return ClipboardText() == tl5::ToWide(kSecret); }, 5000);
        PostMessageW(card, WM_COMMAND, IDM_DELETE, 0);
        if (!s.Wait([&] { return tl5test::FindMessageBox(s.UiThread()); }, "delete question")) return;
        PostMessageW(main_, WMU_SHOW_WALLET_LIST, 0, 0);  // as an idle close or a synchronisation does
    });
    EXPECT_TRUE(tl5test::PumpUntil([] { return !tl5win::AppWallet().IsOpen(); }, 10000));
    EXPECT_EQ(tl5win::OpenCardWindow(), nullptr);
    EXPECT_EQ(ClipboardText(), L"");  // the copied password left with the wallet
    const std::u16string password = kPassword;
    ASSERT_EQ(check_.Open(tl5::FromWide(path_), &password, true), 0);
    int web = -1;
    for (size_t i = 0; i < check_.ItemCount(); ++i)
        if (!check_.ItemAt(i).IsDeleted() && check_.ItemAt(i).Name() == u"Web") web = static_cast<int>(i);
    ASSERT_GE(web, 0);
    std::unique_ptr<tl5::Card> card = check_.LoadCard(static_cast<size_t>(web));
    ASSERT_TRUE(card);
    EXPECT_EQ(card->FieldAt(1)->Value(), u"changed@example.com");
    EXPECT_TRUE(card->Image().HasData());
    EXPECT_EQ(tl5::FavoriteCount(check_), 1);
}

TEST_F(CardWindowTest, DoneOnAChangedCardWritesItBackOnce) {
    OpenCard(L"Web", [&](UiScript&, HWND card) {
        tl5win::OpenCardWindowParams()->card->FieldAt(0)->SetValue(u"www.example.net");
        tl5test::Press(card, IDM_DONE);
    });
    // The tree still shows the card once in its folder and once under Favorites.
    EXPECT_TRUE(Child(Tree(), Child(Tree(), nullptr, L"Net"), L"Web"));
    tl5::Wallet& w = Reopened();
    int found = 0;
    std::unique_ptr<tl5::Card> card;
    for (size_t i = 0; i < w.ItemCount(); ++i) {
        if (w.ItemAt(i).IsDeleted() || w.ItemAt(i).Name() != u"Web") continue;
        ++found;
        card = w.LoadCard(i);
    }
    EXPECT_EQ(found, 1);
    ASSERT_TRUE(card);
    EXPECT_EQ(card->FieldAt(0)->Value(), u"www.example.net");
    EXPECT_EQ(tl5::FavoriteCount(w), 1);
}

// The editor control that has the keys now (the combo box's own edit field for a choice).
HWND KeyTarget() {
    HWND control = tl5win::EditorControl(tl5win::CurrentEditorKind());
    if (tl5win::CurrentEditorKind() == tl5::kEditorChoice) control = GetWindow(control, GW_CHILD);
    return control;
}

TEST_F(CardWindowTest, TabbingThroughEveryEditorAndDoneChangesNothing) {
    const std::string before = FileBytes(path_);
    std::vector<int> rows;
    OpenCard(L"Edit", [&](UiScript&, HWND card) {
        tl5test::Press(card, IDM_EDIT);
        if (!WaitFor([] { return tl5win::CardEditorRow() == 3; })) return;  // field 0's value row
        for (int i = 0; i < 9; ++i) {
            const int row = tl5win::CardEditorRow();
            rows.push_back(row);
            SendMessageW(KeyTarget(), WM_KEYDOWN, VK_TAB, 0);
            if (!WaitFor([&] { return tl5win::CardEditorRow() != row; }, 5000)) break;
        }
        tl5test::Press(card, IDM_DONE);  // to view mode
        WaitFor([] { return tl5win::CardViewRows() != nullptr; });
        tl5test::Press(card, IDM_DONE);  // closed
    });
    // Edit mode started at the field selected in view mode (the first), then every value row in turn,
    // and from the last back to the card name.
    EXPECT_EQ(rows, (std::vector<int>{3, 5, 7, 9, 11, 13, 15, 1, 3}));
    EXPECT_EQ(FileBytes(path_), before);
}

TEST_F(CardWindowTest, AnEditedValueIsStoredAndCancelAsksFirst) {
    std::wstring question;
    bool stillOpen = false;
    OpenCard(L"Edit", [&](UiScript& s, HWND card) {
        tl5test::Press(card, IDM_EDIT);
        WaitFor([] { return tl5win::CardEditorRow() == 3; });
        SetWindowTextW(KeyTarget(), L"a new note");
        SendMessageW(KeyTarget(), WM_KEYDOWN, VK_RETURN, 0);  // Return moves on and stores
        WaitFor([] { return tl5win::CardEditorRow() == 5; });
        // Cancel now asks; No keeps the window and the change.
        PostMessageW(card, WM_COMMAND, IDM_CANCEL, 0);
        question = s.AnswerMessage(IDNO, "discard question").text;
        stillOpen = WaitFor([&] { return tl5win::OpenCardWindow() == card; }, 2000);
        tl5test::Press(card, IDM_DONE);
        WaitFor([] { return tl5win::CardViewRows() != nullptr; });
        tl5test::Press(card, IDM_DONE);
    });
    EXPECT_EQ(question, tl5win::Text(IDS_DISCARD_CHANGES_Q));
    EXPECT_TRUE(stillOpen);
    tl5::Wallet& w = Reopened();
    std::unique_ptr<tl5::Card> card;
    for (size_t i = 0; i < w.ItemCount(); ++i)
        if (!w.ItemAt(i).IsDeleted() && w.ItemAt(i).Name() == u"Edit") card = w.LoadCard(i);
    ASSERT_TRUE(card);
    EXPECT_EQ(card->FieldAt(0)->Value(), u"a new note");
    EXPECT_EQ(card->FieldAt(2)->Value(), u"visa");  // the choice kept its letter case
    EXPECT_EQ(card->FieldAt(5)->Value().size(), 40003u);
}

TEST_F(CardWindowTest, GenerateFillsAPasswordFieldInEditMode) {
    std::wstring shown;
    OpenCard(L"Edit", [&](UiScript& s, HWND card) {
        tl5test::Press(card, IDM_EDIT);
        WaitFor([] { return tl5win::CardEditorRow() == 3; });
        // The password field is the seventh: its value row is 15.
        for (int i = 0; i < 6; ++i) {
            const int row = tl5win::CardEditorRow();
            SendMessageW(KeyTarget(), WM_KEYDOWN, VK_TAB, 0);
            WaitFor([&] { return tl5win::CardEditorRow() != row; }, 5000);
        }
        if (tl5win::CardEditorRow() != 15) s.Fail("not on the password row");
        PostMessageW(card, WM_COMMAND, IDM_GENERATE_PASSWORD, 0);
        HWND generator = s.WaitDialog(IDC_GEN_PASSWORD, "password generator");
        if (!generator) return;
        shown = tl5test::ControlText(generator, IDC_GEN_PASSWORD);
        tl5test::Press(generator, IDM_DONE);
        s.WaitGone(generator);
        WaitFor([&] { return tl5test::ControlText(card, IDC_CARD_TEXT) == shown; }, 5000);
        tl5test::Press(card, IDM_DONE);
        WaitFor([] { return tl5win::CardViewRows() != nullptr; });
        tl5test::Press(card, IDM_DONE);
    });
    ASSERT_EQ(shown.size(), 20u);
    tl5::Wallet& w = Reopened();
    std::unique_ptr<tl5::Card> card;
    for (size_t i = 0; i < w.ItemCount(); ++i)
        if (!w.ItemAt(i).IsDeleted() && w.ItemAt(i).Name() == u"Edit") card = w.LoadCard(i);
    ASSERT_TRUE(card);
    EXPECT_EQ(tl5::ToWide(card->FieldAt(6)->Value()), shown);
}

// New Card in a folder: the chooser's form, the card window in edit mode at the card's name; Done,
// Done puts it into the folder. Cancel on a new card adds nothing.
TEST_F(CardWindowTest, NewCardIsSavedByDoneAndForgottenByCancel) {
    auto newCard = [&](const std::wstring& name, bool keep) {
        HTREEITEM net = Child(Tree(), nullptr, L"Net");
        ASSERT_TRUE(net);
        TreeView_SelectItem(Tree(), net);
        int startRow = -1;
        UiScript script(GetCurrentThreadId());
        script.Start([&](UiScript& s) {
            HWND chooser = s.WaitDialog(IDC_FORM_LIST, "card type chooser");
            if (!chooser) return;
            tl5test::Press(chooser, IDM_DONE);
            HWND card = s.WaitDialog(IDC_CARD_LIST, "card window");
            if (!card) return;
            WaitFor([] { return tl5win::CardEditorRow() == 1; });
            startRow = tl5win::CardEditorRow();
            SetWindowTextW(KeyTarget(), name.c_str());
            if (keep) {
                tl5test::Press(card, IDM_DONE);
                WaitFor([] { return tl5win::CardViewRows() != nullptr; });
                tl5test::Press(card, IDM_DONE);
            } else {
                PostMessageW(card, WM_COMMAND, IDM_CANCEL, 0);
                s.AnswerMessage(IDYES, "discard question");
            }
            if (!s.WaitGone(card, 10000)) {
                s.Fail("the card window stayed open");
                PostMessageW(card, CARD_CLOSEREQUEST, 0, 0);
                s.WaitGone(card);
            }
        });
        PostMessageW(main_, WM_COMMAND, IDM_NEW_CARD, 0);
        ASSERT_TRUE(script.Finish(60000));
        EXPECT_FALSE(script.Failed()) << script.Failure();
        EXPECT_EQ(startRow, 1) << "a new card opens at its name";
        tl5test::PumpUntil([] { return false; }, 100);
    };
    newCard(L"Fresh card", true);
    newCard(L"Thrown away", false);
    EXPECT_TRUE(tl5test::PumpUntil([] { return Child(Tree(), Child(Tree(), nullptr, L"Net"), L"Fresh card") != nullptr; }, 5000));
    tl5::Wallet& w = Reopened();
    int fresh = -1, thrown = -1, net = -1;
    for (size_t i = 0; i < w.ItemCount(); ++i) {
        if (w.ItemAt(i).IsDeleted()) continue;
        if (w.ItemAt(i).Name() == u"Fresh card") fresh = static_cast<int>(i);
        if (w.ItemAt(i).Name() == u"Thrown away") thrown = static_cast<int>(i);
        if (w.ItemAt(i).Name() == u"Net") net = static_cast<int>(i);
    }
    ASSERT_GE(fresh, 0);
    EXPECT_LT(thrown, 0);
    EXPECT_EQ(w.ItemAt(static_cast<size_t>(fresh)).Parent(), w.ItemAt(static_cast<size_t>(net)).Id());
    std::unique_ptr<tl5::Card> card = w.LoadCard(static_cast<size_t>(fresh));
    ASSERT_TRUE(card);
    EXPECT_GT(card->FieldCount(), 0u);  // the form's fields
}

namespace {
std::atomic<uint64_t> g_clock{0};
uint64_t FakeClock() { return g_clock.load(); }

class ProbeDialog : public tl5win::Dialog {
public:
    ProbeDialog() : Dialog(IDD_ABOUT) {}

private:
    tl5win::DialogFrameSpec Frame() override { return {L"probe", 0, 0, false}; }
};
}  // namespace

// A dialog's own timer (a countdown, say) is not the user's doing and never keeps a wallet open; a
// command is.
TEST_F(CardWindowTest, ADialogsTimerIsNoActivity) {
    ProbeDialog probe;
    HWND dialog = tl5win::CreateModelessDialog(main_, probe);
    ASSERT_TRUE(dialog);
    g_clock = 5000;
    tl5win::SetClocksForTests(FakeClock, FakeClock);
    tl5win::SetLastActivityForTests(1000);
    SendMessageW(dialog, WM_TIMER, 1, 0);
    EXPECT_EQ(tl5win::LastActivity(), 1000u);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDM_NONE, 0), 0);
    EXPECT_EQ(tl5win::LastActivity(), 5000u);
    tl5win::SetClocksForTests(nullptr, nullptr);
    DestroyWindow(dialog);
}

// Form design: Add (renamed), Up twice, Delete another field, retype a field to a date, Done three
// times. Order, names and types as expected, and no neighbour changed.
TEST_F(CardWindowTest, FormDesignCommandsChangeOnlyTheFieldsTheyAreFor) {
    OpenCard(L"Edit", [&](UiScript& s, HWND card) {
        tl5test::Press(card, IDM_EDIT);
        WaitFor([] { return tl5win::CardEditorRow() == 3; });
        tl5test::Press(card, IDM_FORM_DESIGN);
        if (!WaitFor([] { return tl5win::FormDesignerRow() == 0; })) return s.Fail("no form design");
        auto command = [&](int id, int expectRow) {
            tl5test::Press(card, id);
            if (!WaitFor([&] { return tl5win::FormDesignerRow() == expectRow; }, 5000))
                s.Fail("command " + std::to_string(id) + " did not reach row " + std::to_string(expectRow));
        };
        command(IDM_ADD_FIELD, 14);
        SetWindowTextW(KeyTarget(), L"Added");
        command(IDM_FIELD_UP, 12);
        command(IDM_FIELD_UP, 10);
        for (int row = 10; row > 0; --row) {
            PostMessageW(GetDlgItem(card, IDC_CARD_LIST), LUM_PREVROW, 0, 0);
            WaitFor([&] { return tl5win::FormDesignerRow() == row - 1; }, 5000);
        }
        tl5test::Press(card, IDM_DELETE_FIELD);
        WaitFor([] { return tl5win::OpenCardWindowParams()->card->FieldCount() == 7; }, 5000);
        PostMessageW(GetDlgItem(card, IDC_CARD_LIST), LUM_NEXTROW, 0, 0);
        WaitFor([] { return tl5win::FormDesignerRow() == 1; }, 5000);
        SendMessageW(tl5win::EditorControl(tl5::kEditorChoice), CB_SETCURSEL, tl5::OfferedTypePosition(tl5::FT_DATE), 0);
        PostMessageW(GetDlgItem(card, IDC_CARD_LIST), LUM_NEXTROW, 0, 0);
        WaitFor([] { return tl5win::FormDesignerRow() == 2; }, 5000);
        tl5test::Press(card, IDM_DONE);  // to edit mode
        WaitFor([] { return tl5win::CardEditorRow() == 1; });
        tl5test::Press(card, IDM_DONE);  // to view mode
        WaitFor([] { return tl5win::CardViewRows() != nullptr; });
        tl5test::Press(card, IDM_DONE);  // closed, saved
    });
    tl5::Wallet& w = Reopened();
    std::unique_ptr<tl5::Card> card;
    for (size_t i = 0; i < w.ItemCount(); ++i)
        if (!w.ItemAt(i).IsDeleted() && w.ItemAt(i).Name() == u"Edit") card = w.LoadCard(i);
    ASSERT_TRUE(card);
    std::vector<std::u16string> names;
    for (const tl5::Field& f : card->Fields()) names.push_back(f.Name());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Done?", u"Card", u"Expires", u"At", u"Added", u"Long", u"Password"}));
    ASSERT_EQ(card->FieldCount(), 7u);
    EXPECT_EQ(card->FieldAt(0)->Type(), tl5::FT_DATE);
    EXPECT_EQ(card->FieldAt(1)->Type(), tl5::FT_CHOICE);
    EXPECT_EQ(card->FieldAt(1)->ItemCount(), 2u);
    EXPECT_EQ(card->FieldAt(1)->Value(), u"visa");
    EXPECT_EQ(card->FieldAt(4)->Type(), tl5::FT_TEXT_CAPFIRST);
    EXPECT_EQ(card->FieldAt(5)->Value().size(), 40003u);
    EXPECT_EQ(card->FieldAt(6)->Value(), kSecret);
}

// The browse button of a text field opens the notes editor on the editor's whole text, and its result
// comes back into the editor; in form design, Edit Selection Field opens the list editor on the field
// just made a selection list. Both results reach the wallet with Done.
TEST_F(CardWindowTest, BrowseAndEditSelectionFieldOpenTheirEditorsOnTheSelectedField) {
    const std::wstring longText = std::wstring(40000, L'y') + L"end2";
    size_t shownInNotes = 0;
    std::wstring notesTitle, backInEditor;
    bool panelUpInEditMode = false;
    OpenCard(L"Edit", [&](UiScript& s, HWND card) {
        tl5test::Press(card, IDM_EDIT);
        WaitFor([] { return tl5win::CardEditorRow() == 3; });
        ppc::SIPINFO sip{};
        sip.cbSize = sizeof(sip);
        panelUpInEditMode = ppc::SHSipInfo(ppc::SPI_GETSIPINFO, 0, &sip, 0) && (sip.fdwFlags & ppc::SIPF_ON);
        // On the card's name (no field) the button does nothing: the rows below stay reachable.
        PostMessageW(ListUi(card), LUM_PREVROW, 0, 0);
        if (!WaitFor([] { return tl5win::CardEditorRow() == 1; }, 5000)) return s.Fail("not on the name row");
        tl5test::Press(card, IDC_CARD_BROWSE);
        // "Long" is the sixth field: its value row is 13.
        while (tl5win::CardEditorRow() < 13) {
            const int row = tl5win::CardEditorRow();
            SendMessageW(KeyTarget(), WM_KEYDOWN, VK_TAB, 0);
            if (!WaitFor([&] { return tl5win::CardEditorRow() != row; }, 5000)) return s.Fail("stuck in edit mode");
        }
        tl5test::Press(card, IDC_CARD_BROWSE);
        HWND notes = s.WaitDialog(IDC_NOTES_TEXT, "notes editor");
        if (!notes) return;
        shownInNotes = static_cast<size_t>(GetWindowTextLengthW(GetDlgItem(notes, IDC_NOTES_TEXT)));
        wchar_t title[64] = {};
        GetWindowTextW(notes, title, 64);
        notesTitle = title;
        SetDlgItemTextW(notes, IDC_NOTES_TEXT, longText.c_str());
        tl5test::Press(notes, IDM_DONE);
        s.WaitGone(notes);
        WaitFor([&] { return GetWindowTextLengthW(GetDlgItem(card, IDC_CARD_TEXT)) == static_cast<int>(longText.size()); }, 5000);
        HWND editor = GetDlgItem(card, IDC_CARD_TEXT);
        backInEditor.resize(static_cast<size_t>(GetWindowTextLengthW(editor)) + 1);
        backInEditor.resize(static_cast<size_t>(GetWindowTextW(editor, backInEditor.data(), static_cast<int>(backInEditor.size()))));

        tl5test::Press(card, IDM_FORM_DESIGN);
        if (!WaitFor([] { return tl5win::FormDesignerRow() == 0; })) return s.Fail("no form design");
        // The type row of the third field ("Card") becomes a selection list.
        for (int row = 1; row <= 5; ++row) {
            PostMessageW(ListUi(card), LUM_NEXTROW, 0, 0);
            WaitFor([&] { return tl5win::FormDesignerRow() == row; }, 5000);
        }
        SendMessageW(tl5win::EditorControl(tl5::kEditorChoice), CB_SETCURSEL, tl5::OfferedTypePosition(tl5::FT_LIST), 0);
        if (SendMessageW(ListUi(card), LUM_GETFIELDTYPE, 0, 0) != tl5::FT_LIST) s.Fail("the picked type does not count");
        tl5test::Press(card, IDM_EDIT_SELECTION_FIELD);
        HWND list = s.WaitDialog(IDC_LIST_ITEMS, "list editor");
        if (!list) return;
        SetDlgItemTextW(list, IDC_LIST_TEXT, L"a^b");
        tl5test::Press(list, IDC_LIST_ADD);
        WaitFor([&] { return SendDlgItemMessageW(list, IDC_LIST_ITEMS, LB_GETCOUNT, 0, 0) == 3; }, 5000);
        tl5test::Press(list, IDM_DONE);
        s.WaitGone(list);
        tl5test::Press(card, IDM_DONE);  // to edit mode
        WaitFor([] { return tl5win::CardEditorRow() == 1; });
        tl5test::Press(card, IDM_DONE);  // to view mode
        WaitFor([] { return tl5win::CardViewRows() != nullptr; });
        tl5test::Press(card, IDM_DONE);  // closed, saved
    });
    EXPECT_TRUE(panelUpInEditMode);  // raised when the text editor first got the focus
    EXPECT_EQ(notesTitle, L"Long");  // the field's name, and the only notes editor that opened
    EXPECT_EQ(shownInNotes, 40003u);
    EXPECT_TRUE(backInEditor == longText);
    tl5::Wallet& w = Reopened();
    std::unique_ptr<tl5::Card> card;
    for (size_t i = 0; i < w.ItemCount(); ++i)
        if (!w.ItemAt(i).IsDeleted() && w.ItemAt(i).Name() == u"Edit") card = w.LoadCard(i);
    ASSERT_TRUE(card);
    EXPECT_TRUE(card->FieldAt(5)->Value() == tl5::FromWide(longText));
    const tl5::Field* list = card->FieldAt(2);
    ASSERT_EQ(list->Type(), tl5::FT_LIST);
    std::vector<std::u16string> items;
    for (size_t i = 0; i < list->ItemCount(); ++i) items.push_back(list->ItemAt(i));
    EXPECT_EQ(items, (std::vector<std::u16string>{u"Visa", u"Amex", u"a b"}));
}
