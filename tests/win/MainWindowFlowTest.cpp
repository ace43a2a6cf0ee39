// The life of a wallet in the real main window: made from the wallet list, opened with its password,
// refused, cancelled, converted from a legacy file, and closed by the synchronisation hand-shake.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "cardui/win/Activity.h"
#include "cardui/win/Strings.h"
#include "model/Wallet.h"
#include "model/WalletEnvelope.h"
#include "platform/File.h"
#include "platform/Text.h"
#include "platform/pocketpc/DocList.h"
#include "cardui/Settings.h"
#include "shell/WalletListRules.h"
#include "StringIds.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/win/MainWindow.h"
#include "shell/win/Startup.h"
#include "shell/win/WalletList.h"
#include "tests/core/ExchangeLegacyWriter.h"
#include "tests/win/InProcessAppSuite.h"
#include "tests/win/MainWindowTestDriver.h"

using tl5test::Press;
using tl5test::RemoveTree;
using tl5test::TypeInto;
using tl5test::UiScript;

namespace {

std::wstring S(uint32_t id) { return tl5win::Text(id); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class MainWindowFlow : public tl5test::InProcessAppSuite<MainWindowFlow> {
public:
    static constexpr const wchar_t* kAppName = L"mainwindow";

protected:
    static void SetUpTestSuite() {
        InProcessAppSuite::SetUpTestSuite();
        docs_ = new std::wstring(app_->Documents());
    }

    void SetUp() override {
        ASSERT_NE(main_, nullptr);
        tl5::AppSettings().passAutoOk = 1;
        // Every test starts at the wallet list with an empty documents folder.
        ShowList();
        RemoveTree(*docs_);
        CreateDirectoryW(docs_->c_str(), nullptr);
        RefreshList();
    }

    static std::wstring Doc(const std::wstring& name) { return *docs_ + L"\\" + name; }
    static DWORD Ui() { return GetCurrentThreadId(); }

    static void ShowList() {
        PostMessageW(main_, WMU_SHOW_WALLET_LIST, 0, 0);
        ASSERT_TRUE(tl5test::PumpUntil([] { return tl5win::WalletListIsShown() && !tl5win::AppWallet().IsOpen(); }, 10000));
    }

    static HWND DocumentList() { return GetDlgItem(tl5win::WalletListWindow(), IDC_DOCUMENT_LIST); }

    static void RefreshList() {
        SendMessageW(DocumentList(), ppc::DLM_REFRESH, 0, 0);
        SendMessageW(DocumentList(), ppc::DLM_SETSELECT, 0, 0);
    }

    static void MakeWallet(const std::wstring& path, const std::u16string& password, const std::u16string& hint) {
        tl5::Wallet wallet;
        ASSERT_EQ(wallet.Create(tl5::FromWide(path), password, hint, true), 0);
    }

    static void OpenPath(const std::wstring& path) {
        lstrcpynW(tl5win::App().pendingPath, path.c_str(), 260);
        PostMessageW(main_, WMU_OPEN_WALLET, 0, 0);
    }

    // Runs the script while this thread pumps, until it ends and `done` holds.
    static void Run(UiScript& script, const std::function<bool()>& done = [] { return true; }) {
        ASSERT_TRUE(script.Finish(60000)) << "the script did not finish";
        EXPECT_FALSE(script.Failed()) << script.Failure();
        EXPECT_TRUE(tl5test::PumpUntil(done, 10000));
    }

    static std::wstring* docs_;
};

std::wstring* MainWindowFlow::docs_ = nullptr;

TEST_F(MainWindowFlow, NewWalletFromTheListIsCreatedWithItsCheckedPasswordAndOpened) {
    const std::wstring path = Doc(L"Home.tl5");
    // 24 characters typed: the wallet keeps the first 23.
    const std::wstring typed = L"abcdefghijklmnopqrstuvwx";
    UiScript script(Ui());
    script.Start([&](UiScript& s) {
        // New: the save dialog names the file.
        HWND save = s.Wait([&] {
            for (HWND w : tl5test::ThreadWindows(s.UiThread()))
                if (GetDlgItem(w, 0x47c) || GetDlgItem(w, 0x480)) return w;
            return HWND(nullptr);
        }, "save dialog");
        if (!save) return;
        const int nameBox = GetDlgItem(save, 0x47c) ? 0x47c : 0x480;
        TypeInto(save, nameBox, path);
        Press(save, IDOK);
        HWND dialog = s.WaitDialog(IDC_HINT, "new password dialog");
        if (!dialog) return;
        // Different confirmation, then a password too short: each refused, the dialog stays.
        TypeInto(dialog, IDC_PASSWORD, L"secret");
        TypeInto(dialog, IDC_PASSWORD_AGAIN, L"secreT");
        Press(dialog, IDM_DONE);
        s.AnswerMessage(IDOK, "mismatch message");
        TypeInto(dialog, IDC_PASSWORD, L"ab");
        TypeInto(dialog, IDC_PASSWORD_AGAIN, L"ab");
        Press(dialog, IDM_DONE);
        s.AnswerMessage(IDOK, "short password message");
        if (!IsWindow(dialog)) s.Fail("the new password dialog closed after a refused password");
        TypeInto(dialog, IDC_PASSWORD, typed);
        TypeInto(dialog, IDC_PASSWORD_AGAIN, typed);
        TypeInto(dialog, IDC_HINT, L"the alphabet");
        Press(dialog, IDM_DONE);
        s.WaitGone(dialog);
        // The new wallet opens at once: its password is asked for.
        HWND entry = s.WaitDialog(IDC_PIN_OK, "password entry");
        if (!entry) return;
        TypeInto(entry, IDC_PASSWORD, typed);  // 24 characters never match by themselves...
        if (!s.Settle()) return;
        if (!IsWindow(entry) || !IsWindowVisible(entry)) s.Fail("24 typed characters were accepted without OK");
        Press(entry, IDC_PIN_OK);  // ...but OK reads the first 23
        s.WaitGone(entry);
    });
    PostMessageW(tl5win::WalletListWindow(), WM_COMMAND, IDM_NEW_WALLET, 0);
    Run(script, [] { return tl5win::AppWallet().IsOpen() && !tl5win::WalletListIsShown(); });

    const auto seen = script.Messages();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, S(IDS_PASSWORDS_DIFFER));
    EXPECT_EQ(seen[0].caption, S(IDS_ERROR));
    EXPECT_EQ(seen[1].text, S(IDS_PASSWORD_TOO_SHORT));
    EXPECT_TRUE(Exists(path));
    EXPECT_EQ(tl5win::AppWallet().Name(), u"Home");
    EXPECT_EQ(tl5win::MainWindowMenuBarId(main_), IDMB_MAIN);
    EXPECT_EQ(tl5::AppSettings().LastWallet(), tl5::FromWide(path));
    // The file holds the 23-character password and the hint.
    tl5win::AppWallet().Close(true);
    tl5::Wallet check;
    const std::u16string stored = tl5::FromWide(typed.substr(0, 23));
    EXPECT_EQ(check.Probe(tl5::FromWide(path), &stored), 0);
    EXPECT_EQ(check.Header().Hint(), u"the alphabet");
    check.Close(false);
}

TEST_F(MainWindowFlow, NewWalletWithTheModernProtectionOpensWithItsPassword) {
    const std::wstring path = Doc(L"Sealed.tl5");
    UiScript script(Ui());
    script.Start([&](UiScript& s) {
        HWND save = s.Wait([&] {
            for (HWND w : tl5test::ThreadWindows(s.UiThread()))
                if (GetDlgItem(w, 0x47c) || GetDlgItem(w, 0x480)) return w;
            return HWND(nullptr);
        }, "save dialog");
        if (!save) return;
        TypeInto(save, GetDlgItem(save, 0x47c) ? 0x47c : 0x480, path);
        Press(save, IDOK);
        HWND dialog = s.WaitDialog(IDC_MODERN_PROTECTION, "new password dialog");
        if (!dialog) return;
        if (!IsWindowVisible(GetDlgItem(dialog, IDC_MODERN_PROTECTION))) s.Fail("no protection choice for a new wallet");
        TypeInto(dialog, IDC_PASSWORD, L"sealed-pw");
        TypeInto(dialog, IDC_PASSWORD_AGAIN, L"sealed-pw");
        SendDlgItemMessageW(dialog, IDC_MODERN_PROTECTION, BM_SETCHECK, BST_CHECKED, 0);
        Press(dialog, IDM_DONE);
        s.WaitGone(dialog);
        // A protected wallet is checked only when the user confirms: typing alone does not open it.
        HWND entry = s.WaitDialog(IDC_PIN_OK, "password entry");
        if (!entry) return;
        TypeInto(entry, IDC_PASSWORD, L"sealed-pw");
        Press(entry, IDC_PIN_OK);
        s.WaitGone(entry);
    });
    PostMessageW(tl5win::WalletListWindow(), WM_COMMAND, IDM_NEW_WALLET, 0);
    Run(script, [] { return tl5win::AppWallet().IsOpen() && !tl5win::WalletListIsShown(); });
    EXPECT_EQ(tl5win::AppWallet().Protection(), tl5::WalletProtection::Modern);
    tl5win::AppWallet().Close(true);
    tl5::WalletProtection protection = tl5::WalletProtection::Classic;
    tl5::EnvelopeParams params;
    ASSERT_EQ(tl5::ProbeEnvelopeFile(tl5::OsFileSystem(), tl5::FromWide(path), &protection, &params), tl5::kEnvelopeOk);
    EXPECT_EQ(protection, tl5::WalletProtection::Modern);
}

TEST_F(MainWindowFlow, NewPasswordLeftAloneForTwoMinutesCreatesNothing) {
    const std::wstring path = Doc(L"Abandoned.tl5");
    UiScript script(Ui());
    script.Start([&](UiScript& s) {
        HWND save = s.Wait([&] {
            for (HWND w : tl5test::ThreadWindows(s.UiThread()))
                if (GetDlgItem(w, 0x47c) || GetDlgItem(w, 0x480)) return w;
            return HWND(nullptr);
        }, "save dialog");
        if (!save) return;
        TypeInto(save, GetDlgItem(save, 0x47c) ? 0x47c : 0x480, path);
        Press(save, IDOK);
        HWND dialog = s.WaitDialog(IDC_HINT, "new password dialog");
        if (!dialog) return;
        // The seconds are the ticks sent here: the dialog's own clock must not add one.
        s.OnUiThread([&] { KillTimer(dialog, TIMER_NEW_PASSWORD); });
        TypeInto(dialog, IDC_PASSWORD, L"half typed");
        for (int i = 0; i < 119; ++i) SendMessageW(dialog, WM_TIMER, TIMER_NEW_PASSWORD, 0);
        if (!s.Settle()) return;
        if (!IsWindow(dialog) || !IsWindowVisible(dialog)) {
            s.Fail("gave up before two minutes");
            return;
        }
        SendMessageW(dialog, WM_TIMER, TIMER_NEW_PASSWORD, 0);
        s.WaitGone(dialog);
    });
    PostMessageW(tl5win::WalletListWindow(), WM_COMMAND, IDM_NEW_WALLET, 0);
    Run(script, [] { return tl5win::WalletListIsShown(); });
    EXPECT_FALSE(Exists(path));
    EXPECT_FALSE(tl5win::AppWallet().IsOpen());
    EXPECT_TRUE(script.Messages().empty());
}

TEST_F(MainWindowFlow, WrongPasswordsAreRefusedAndTheHintComesAfterTheFifth) {
    const std::wstring path = Doc(L"Guarded.tl5");
    MakeWallet(path, u"right-one", u"not the left one");
    UiScript script(Ui());
    script.Start([&](UiScript& s) {
        HWND entry = s.WaitDialog(IDC_PIN_OK, "password entry");
        if (!entry) return;
        for (int attempt = 1; attempt <= 6 && !s.Failed(); ++attempt) {
            TypeInto(entry, IDC_PASSWORD, L"wrong" + std::to_wstring(attempt));
            Press(entry, IDC_PIN_OK);
            s.AnswerMessage(IDOK, "wrong password message");
            if (attempt == 5) s.AnswerMessage(IDOK, "hint");
            if (tl5test::ControlText(entry, IDC_PASSWORD) != L"") s.Fail("the entry was not emptied");
        }
        TypeInto(entry, IDC_PASSWORD, L"right-one");
        s.WaitGone(entry);
    });
    OpenPath(path);
    Run(script, [] { return tl5win::AppWallet().IsOpen(); });
    const auto seen = script.Messages();
    ASSERT_EQ(seen.size(), 7u);
    for (size_t i : {0, 1, 2, 3, 4, 6}) {
        EXPECT_EQ(seen[i].text, S(IDS_PASSWORD_WRONG)) << i;
        EXPECT_EQ(seen[i].caption, S(IDS_PASSWORD)) << i;
    }
    EXPECT_EQ(seen[5].text, S(IDS_PASSWORD_HINT) + L"\n\nnot the left one");
    EXPECT_EQ(tl5win::AppWallet().Name(), u"Guarded");
}

TEST_F(MainWindowFlow, AutomaticAcceptanceClosesOnTheLastRightKeyAndBackDeletesOne) {
    const std::wstring path = Doc(L"Pin.tl5");
    MakeWallet(path, u"2468", u"");
    UiScript script(Ui());
    script.Start([&](UiScript& s) {
        HWND entry = s.WaitDialog(IDC_PIN_OK, "password entry");
        if (!entry) return;
        auto waitText = [&](const std::wstring& want) {
            for (int i = 0; i < 200 && tl5test::ControlText(entry, IDC_PASSWORD) != want; ++i) Sleep(10);
            const std::wstring got = tl5test::ControlText(entry, IDC_PASSWORD);
            if (got != want) s.Fail("entry text was " + tl5::Utf16ToUtf8(tl5::FromWide(got)));
        };
        // The keys wear their colours: digits blue, Clear and Back red, OK green.
        const struct { int id; COLORREF color; } keys[] = {
            {IDC_PIN_1, RGB(0, 48, 206)}, {IDC_PIN_0, RGB(0, 48, 206)}, {IDC_PIN_CLEAR, RGB(255, 56, 56)},
            {IDC_PIN_BACK, RGB(255, 56, 56)}, {IDC_PIN_OK, RGB(0, 128, 0)}};
        for (const auto& key : keys) {
            // Read from the screen, so the key may not be painted yet when the dialog has just appeared.
            HWND button = GetDlgItem(entry, key.id);
            COLORREF seen = CLR_INVALID;
            for (int i = 0; i < 200 && seen != key.color; ++i) {
                if (i > 0) Sleep(10);
                HDC dc = GetDC(button);
                seen = GetPixel(dc, 3, 3);
                ReleaseDC(button, dc);
            }
            if (seen != key.color) s.Fail("key " + std::to_string(key.id) + " has the wrong colour");
        }
        for (int digit : {2, 4, 6, 9}) Press(entry, IDC_PIN_0 + digit);
        waitText(L"2469");
        Press(entry, IDC_PIN_BACK);
        waitText(L"246");
        if (!IsWindow(entry)) s.Fail("closed before the password was complete");
        Press(entry, IDC_PIN_8);
        s.WaitGone(entry);
    });
    OpenPath(path);
    Run(script, [] { return tl5win::AppWallet().IsOpen(); });
    EXPECT_TRUE(script.Messages().empty());
}

TEST_F(MainWindowFlow, WithoutAutomaticAcceptanceOnlyOkAccepts) {
    const std::wstring path = Doc(L"Manual.tl5");
    MakeWallet(path, u"manual", u"");
    tl5::AppSettings().passAutoOk = 0;
    UiScript script(Ui());
    script.Start([&](UiScript& s) {
        HWND entry = s.WaitDialog(IDC_PIN_OK, "password entry");
        if (!entry) return;
        TypeInto(entry, IDC_PASSWORD, L"manual");
        if (!s.Settle()) return;
        if (!IsWindow(entry) || !IsWindowVisible(entry)) s.Fail("accepted without OK");
        Press(entry, IDM_DONE);
        s.WaitGone(entry);
    });
    OpenPath(path);
    Run(script, [] { return tl5win::AppWallet().IsOpen(); });
}

TEST_F(MainWindowFlow, CancelledPasswordGoesBackToTheListWithoutAMessage) {
    const std::wstring path = Doc(L"Kept.tl5");
    MakeWallet(path, u"kept-pw", u"");
    UiScript script(Ui());
    script.Start([&](UiScript& s) {
        HWND entry = s.WaitDialog(IDC_PIN_OK, "password entry");
        if (!entry) return;
        Press(entry, IDM_CANCEL);
        s.WaitGone(entry);
    });
    // Opened from the list: tap the document.
    RefreshList();
    PostMessageW(tl5win::WalletListWindow(), WM_COMMAND, IDM_OPEN, 0);
    Run(script, [] { return tl5win::WalletListIsShown(); });
    EXPECT_FALSE(tl5win::AppWallet().IsOpen());
    EXPECT_TRUE(script.Messages().empty());
}

TEST_F(MainWindowFlow, FilesThatAreNotWalletsAreReportedWithTheirTwoDigitCode) {
    struct Case {
        std::wstring name;
        std::string bytes;
        int code;
    } cases[] = {
        {L"Short.tl5", std::string(40, 'x'), 7},  // shorter than the signature
        {L"Text.tl5", std::string(8000, 'y'), 7},  // long enough, wrong signature
    };
    for (const Case& c : cases) {
        const std::wstring path = Doc(c.name);
        std::ofstream(tl5::Utf16ToUtf8(tl5::FromWide(path)), std::ios::binary) << c.bytes;
        UiScript script(Ui());
        script.Start([&](UiScript& s) { s.AnswerMessage(IDOK, "failure message"); });
        OpenPath(path);
        Run(script, [] { return tl5win::WalletListIsShown(); });
        const auto seen = script.Messages();
        ASSERT_EQ(seen.size(), 1u);
        const std::wstring name = c.name.substr(0, c.name.size() - 4);
        wchar_t code[8];
        swprintf(code, 8, L"(%02d)", c.code);
        EXPECT_EQ(seen[0].text, S(IDS_OPEN_WALLET_FAILED) + L"\n" + name + L"\n" + code);
        EXPECT_EQ(seen[0].caption, S(IDS_ERROR));
        EXPECT_FALSE(tl5win::AppWallet().IsOpen());
    }
}

TEST_F(MainWindowFlow, AWalletWhoseRecordsAreDamagedIsReportedWithTheReasonAndCode) {
    const std::wstring path = Doc(L"Damaged.tl5");
    MakeWallet(path, u"damaged-pw", u"");
    // The password checks, but loading the items meets a record that cannot be read.
    std::ofstream(tl5::Utf16ToUtf8(tl5::FromWide(path)), std::ios::binary | std::ios::app) << std::string(300, 'A');
    UiScript script(Ui());
    script.Start([&](UiScript& s) {
        HWND entry = s.WaitDialog(IDC_PIN_OK, "password entry");
        if (!entry) return;
        TypeInto(entry, IDC_PASSWORD, L"damaged-pw");
        s.WaitGone(entry);
        s.AnswerMessage(IDOK, "load failure");
    });
    OpenPath(path);
    Run(script, [] { return tl5win::WalletListIsShown(); });
    EXPECT_FALSE(tl5win::AppWallet().IsOpen());
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].text, S(IDS_OPEN_WALLET_FAILED) + L"\nDamaged\n(" + S(IDS_FILE_ERROR) + L":3)");
    EXPECT_EQ(script.Messages()[0].caption, S(IDS_ERROR));
}

TEST_F(MainWindowFlow, LegacyWalletIsConvertedThenOpened) {
    tl5::testing::LegacyWalletWriter writer(u"old-secret");
    writer.AddFolder(1, u"Bank");
    tl5::testing::LegacyCardDraft card;
    card.key = 1;
    card.folderKey = 1;
    card.name = u"Savings";
    writer.AddCard(card);
    const std::wstring legacy = Doc(L"Old.wal");
    std::ofstream(tl5::Utf16ToUtf8(tl5::FromWide(legacy)), std::ios::binary) << writer.Bytes();
    RefreshList();

    UiScript script(Ui());
    script.Start([&](UiScript& s) {
        s.AnswerMessage(IDYES, "conversion question");
        HWND entry = s.WaitDialog(IDC_PIN_OK, "legacy password");
        if (!entry) return;
        TypeInto(entry, IDC_PASSWORD, L"old-secret");  // no wallet to match: only OK accepts
        Press(entry, IDC_PIN_OK);
        s.WaitGone(entry);
        s.AnswerMessage(IDOK, "conversion report");
        HWND open = s.WaitDialog(IDC_PIN_OK, "password of the new wallet");
        if (!open) return;
        TypeInto(open, IDC_PASSWORD, L"old-secret");
        s.WaitGone(open);
    });
    PostMessageW(tl5win::WalletListWindow(), WM_COMMAND, IDM_OPEN, 0);
    Run(script, [] { return tl5win::AppWallet().IsOpen(); });
    const auto seen = script.Messages();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, S(IDS_CONVERT_LEGACY_Q));
    EXPECT_EQ(seen[1].caption, S(IDS_APP_NAME));
    EXPECT_NE(seen[1].text.find(L"Old.tl5"), std::wstring::npos);
    EXPECT_TRUE(Exists(Doc(L"Old.tl5")));
    EXPECT_EQ(tl5win::AppWallet().Name(), u"Old");
    bool found = false;
    for (size_t i = 0; i < tl5win::AppWallet().ItemCount(); ++i)
        found = found || tl5win::AppWallet().ItemAt(i).Name() == u"Savings";
    EXPECT_TRUE(found);
}

TEST_F(MainWindowFlow, PasswordEntryGivesUpAfterTwoMinutesCountedFromTheLastRefusal) {
    const std::wstring path = Doc(L"Idle.tl5");
    MakeWallet(path, u"idle-pw", u"");  // no hint: refusals show only the message
    UiScript script(Ui());
    script.Start([&](UiScript& s) {
        HWND entry = s.WaitDialog(IDC_PIN_OK, "password entry");
        if (!entry) return;
        // The seconds are the ticks sent here: the dialog's own clock must not add one.
        s.OnUiThread([&] { KillTimer(entry, TIMER_PASSWORD_ENTRY); });
        auto ticks = [&](int n) {
            for (int i = 0; i < n; ++i) SendMessageW(entry, WM_TIMER, TIMER_PASSWORD_ENTRY, 0);
        };
        ticks(100);
        TypeInto(entry, IDC_PASSWORD, L"typing does not count");
        ticks(10);
        TypeInto(entry, IDC_PASSWORD, L"nope");
        Press(entry, IDC_PIN_OK);
        s.AnswerMessage(IDOK, "wrong password");
        ticks(119);  // a refusal starts the two minutes again
        if (!s.Settle()) return;
        if (!IsWindow(entry) || !IsWindowVisible(entry)) {
            s.Fail("closed before two minutes after the refusal");
            return;
        }
        ticks(1);
        s.WaitGone(entry);
    });
    OpenPath(path);
    Run(script, [] { return tl5win::WalletListIsShown(); });
    EXPECT_FALSE(tl5win::AppWallet().IsOpen());
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].text, S(IDS_PASSWORD_WRONG));
}

TEST_F(MainWindowFlow, ClosingTheMainWindowSavesTheOpenWallet) {
    const std::wstring path = Doc(L"Closing.tl5");
    MakeWallet(path, u"close-pw", u"");
    UiScript script(Ui());
    script.Start([&](UiScript& s) {
        HWND entry = s.WaitDialog(IDC_PIN_OK, "password entry");
        if (entry) TypeInto(entry, IDC_PASSWORD, L"close-pw");
    });
    OpenPath(path);
    Run(script, [] { return tl5win::AppWallet().IsOpen(); });
    ASSERT_TRUE(tl5win::AppWallet().Settings().SetAutoCloseMinutes(5));
    SendMessageW(main_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(tl5win::AppWallet().IsOpen());
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "no quit message";
    tl5::Wallet check;
    const std::u16string password = u"close-pw";
    ASSERT_EQ(check.Probe(tl5::FromWide(path), &password), 0);
    EXPECT_EQ(check.Settings().AutoCloseMinutes(), 5u);
    check.Close(false);
}

TEST_F(MainWindowFlow, ExitLeavesTheMenusWhenTheSettingSaysSo) {
    // The wallet list's menus and the main window's pop-ups go through the same preparation, which
    // also notes activity.
    for (HWND owner : {tl5win::WalletListWindow(), main_}) {
        for (uint32_t exitMenu : {0u, 1u}) {
            tl5::AppSettings().exitMenu = exitMenu;
            HMENU menu = CreatePopupMenu();
            AppendMenuW(menu, MF_STRING, IDM_NEW_WALLET, L"New");
            AppendMenuW(menu, MF_STRING, IDM_EXIT, L"Exit");
            tl5win::SetLastActivityForTests(0);
            SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
            EXPECT_EQ(GetMenuState(menu, IDM_EXIT, MF_BYCOMMAND) != static_cast<UINT>(-1), exitMenu != 0);
            EXPECT_NE(GetMenuState(menu, IDM_NEW_WALLET, MF_BYCOMMAND), static_cast<UINT>(-1));
            EXPECT_NE(tl5win::LastActivity(), 0u) << "opening a menu is activity";
            DestroyMenu(menu);
        }
    }
    tl5::AppSettings().exitMenu = 0;
}

TEST_F(MainWindowFlow, AboutOpensFromTheListWithItsTitleAndCloses) {
    UiScript script(Ui());
    script.Start([&](UiScript& s) {
        HWND about = s.WaitDialog(IDC_ABOUT_TITLE, "About");
        if (!about) return;
        wchar_t title[128] = {};
        GetWindowTextW(about, title, 128);
        if (title != S(IDS_ABOUT)) s.Fail("About has the wrong title");
        if (tl5test::ControlText(about, IDC_ABOUT_VERSION) != L"Version 5.03") s.Fail("About shows no version");
        // The caption carries the application's icon, not the system's default one.
        if (!SendMessageW(about, WM_GETICON, ICON_SMALL, 0)) s.Fail("About has no caption icon");
        Press(about, IDM_DONE);
        s.WaitGone(about);
    });
    PostMessageW(tl5win::WalletListWindow(), WM_COMMAND, IDM_ABOUT, 0);
    Run(script);
    EXPECT_TRUE(tl5win::WalletListIsShown());
}

TEST_F(MainWindowFlow, SyncStartClosesTheWalletAfterASecondWithItsChangesSaved) {
    const std::wstring path = Doc(L"Synced.tl5");
    MakeWallet(path, u"sync-pw", u"");
    UiScript script(Ui());
    script.Start([&](UiScript& s) {
        HWND entry = s.WaitDialog(IDC_PIN_OK, "password entry");
        if (entry) TypeInto(entry, IDC_PASSWORD, L"sync-pw");
    });
    OpenPath(path);
    Run(script, [] { return tl5win::AppWallet().IsOpen(); });
    ASSERT_TRUE(tl5win::AppWallet().Settings().SetAutoCloseMinutes(30));

    const ULONGLONG start = GetTickCount64();
    PostMessageW(main_, WMU_SYNC_START, 0, 0);
    ASSERT_TRUE(tl5test::PumpUntil([] { return !tl5win::AppWallet().IsOpen(); }, 5000));
    EXPECT_GE(GetTickCount64() - start, 900u);
    EXPECT_TRUE(tl5test::PumpUntil([] { return tl5win::WalletListIsShown(); }, 5000));

    tl5::Wallet check;
    const std::u16string password = u"sync-pw";
    ASSERT_EQ(check.Probe(tl5::FromWide(path), &password), 0);
    EXPECT_EQ(check.Settings().AutoCloseMinutes(), 30u);
    check.Close(false);

    // The end of the synchronisation only beeps: the wallet stays closed.
    PostMessageW(main_, WMU_SYNC_END, 0, 0);
    ASSERT_TRUE(tl5test::PumpUntilSettled());
    EXPECT_FALSE(tl5win::AppWallet().IsOpen());
}

TEST_F(MainWindowFlow, SyncStartDuringThePasswordPromptCancelsItAndLeavesTheWalletClosed) {
    const std::wstring path = Doc(L"Docked.tl5");
    MakeWallet(path, u"docked-pw", u"");
    HWND prompt = nullptr;
    UiScript script(Ui());
    script.Start([&](UiScript& s) {
        prompt = s.WaitDialog(IDC_PIN_OK, "password entry");
        if (!prompt) return;
        PostMessageW(GetWindow(prompt, GW_OWNER), WMU_SYNC_START, 0, 0);
        s.WaitGone(prompt, 5000);
    });
    OpenPath(path);
    Run(script, [] { return tl5win::WalletListIsShown(); });
    EXPECT_FALSE(tl5win::AppWallet().IsOpen());
    // Whatever the cancelled open still had queued has run: the list stays and nothing opens.
    ASSERT_TRUE(tl5test::PumpUntilSettled());
    EXPECT_TRUE(tl5win::WalletListIsShown());
    EXPECT_FALSE(tl5win::AppWallet().IsOpen());
}

TEST_F(MainWindowFlow, DeleteAsksAndTheListForgetsTheFile) {
    MakeWallet(Doc(L"Alpha.tl5"), u"alpha-pw", u"");
    MakeWallet(Doc(L"Beta.tl5"), u"beta-pw", u"");
    RefreshList();
    ASSERT_EQ(SendMessageW(DocumentList(), ppc::DLM_GETITEMCOUNT, 0, 0), 2);
    for (int answer : {IDNO, IDYES}) {
        UiScript script(Ui());
        script.Start([&](UiScript& s) { s.AnswerMessage(answer, "delete question"); });
        PostMessageW(tl5win::WalletListWindow(), WM_COMMAND, IDM_DELETE, 0);
        Run(script);
        ASSERT_TRUE(tl5test::PumpUntilSettled());
        const auto seen = script.Messages();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_NE(seen[0].text.find(Doc(L"Alpha.tl5")), std::wstring::npos);
    }
    EXPECT_FALSE(Exists(Doc(L"Alpha.tl5")));
    EXPECT_TRUE(Exists(Doc(L"Beta.tl5")));
    EXPECT_EQ(SendMessageW(DocumentList(), ppc::DLM_GETITEMCOUNT, 0, 0), 1);
}

TEST_F(MainWindowFlow, ReplacingAWalletKeepsTheOldOneUntilTheNewPasswordIsGiven) {
    const std::wstring path = Doc(L"Twice.tl5");
    MakeWallet(path, u"first-pw", u"");
    for (bool confirm : {false, true}) {
        UiScript script(Ui());
        script.Start([&](UiScript& s) {
            HWND save = s.Wait([&] {
                for (HWND w : tl5test::ThreadWindows(s.UiThread()))
                    if (GetDlgItem(w, 0x47c) || GetDlgItem(w, 0x480)) return w;
                return HWND(nullptr);
            }, "save dialog");
            if (!save) return;
            TypeInto(save, GetDlgItem(save, 0x47c) ? 0x47c : 0x480, path);
            Press(save, IDOK);
            s.AnswerMessage(IDYES, "overwrite question");
            HWND dialog = s.WaitDialog(IDC_HINT, "new password dialog");
            if (!dialog) return;
            if (!confirm) {
                Press(dialog, IDM_CANCEL);
                s.WaitGone(dialog);
                return;
            }
            TypeInto(dialog, IDC_PASSWORD, L"second-pw");
            TypeInto(dialog, IDC_PASSWORD_AGAIN, L"second-pw");
            Press(dialog, IDM_DONE);
            s.WaitGone(dialog);
            HWND entry = s.WaitDialog(IDC_PIN_OK, "password entry");
            if (entry) TypeInto(entry, IDC_PASSWORD, L"second-pw");
        });
        PostMessageW(tl5win::WalletListWindow(), WM_COMMAND, IDM_NEW_WALLET, 0);
        if (!confirm) {
            Run(script, [] { return tl5win::WalletListIsShown(); });
            // Cancelling the password leaves the old wallet where it was.
            tl5::Wallet check;
            const std::u16string old = u"first-pw";
            EXPECT_EQ(check.Probe(tl5::FromWide(path), &old), 0);
            check.Close(false);
        } else {
            Run(script, [] { return tl5win::AppWallet().IsOpen(); });
            tl5win::AppWallet().Close(true);
            tl5::Wallet check;
            const std::u16string now = u"second-pw";
            EXPECT_EQ(check.Probe(tl5::FromWide(path), &now), 0);
            check.Close(false);
            ShowList();
        }
    }
}

}  // namespace
