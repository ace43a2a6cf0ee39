// Find, the auto-close guard and the security options on the real main window, made in this process
// as the start-up makes it. The clocks of the idle test are replaced through the test seam, so that
// minutes of idleness and a sleep of the computer take no time; one test runs the real program in real
// time.
#include <windows.h>
#include <commctrl.h>
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include "StringIds.h"
#include "cardui/Settings.h"
#include "cardui/win/Activity.h"
#include "cardui/win/CardWindow.h"
#include "cardui/win/Strings.h"
#include "dialogs/win/SecurityOptions.h"
#include "model/Wallet.h"
#include "model/WalletCheck.h"
#include "model/WalletEnvelope.h"
#include "model/WalletItems.h"
#include "model/WalletProtection.h"
#include "platform/Text.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/AutoCloseRules.h"
#include "shell/WalletTreeRules.h"
#include "shell/win/MainWindow.h"
#include "shell/win/Startup.h"
#include "shell/win/WalletList.h"
#include "tests/core/WalletTestSupport.h"
#include "tests/win/AppProcess.h"
#include "tests/win/AppTestSupport.h"
#include "tests/win/InProcessAppSuite.h"
#include "tests/win/MainWindowTestDriver.h"

using tl5test::Press;
using tl5test::TypeInto;
using tl5test::UiScript;

using tl5test::Child;
using tl5test::Children;
using tl5test::TextOf;

namespace {

constexpr char16_t kPassword[] = u"guard-pw";
// The offset of the auto-close minutes in a classic wallet file (the settings block at 3224, +112).
constexpr long kAutoCloseOffset = 3224 + 112;

std::atomic<uint64_t> g_boot{0};
std::atomic<uint64_t> g_running{0};
uint64_t FakeBoot() { return g_boot.load(); }
uint64_t FakeRunning() { return g_running.load(); }

// Idle time passes while the computer is awake: both clocks go on.
void Pass(uint64_t ms) {
    g_boot += ms;
    g_running += ms;
}
// The computer sleeps: only the boot clock goes on.
void Sleeps(uint64_t ms) { g_boot += ms; }

// Bank { Visa (number 4111), Amex (number 3782) }, Home { Alarm (code 4111) }; the period as given
// (written into the file, so that any value can be stored).
void MakeWallet(const std::wstring& path, uint32_t period) {
    tl5::Wallet w;
    const std::u16string password = kPassword;
    ASSERT_EQ(w.Create(tl5::FromWide(path), password, u"", false), 0);
    ASSERT_EQ(w.Open(tl5::FromWide(path), &password, false), 0);
    auto folder = [&](const std::u16string& name) {
        tl5::ItemRecord record;
        tl5::NewFolder(w, tl5::ItemId(), false, &record);
        record.SetName(name);
        const tl5::ItemId id = record.Id();
        EXPECT_GE(w.AppendFolderRecord(&record, false), 0);
        return id;
    };
    auto card = [&](const tl5::ItemId& parent, const std::u16string& name, const std::u16string& number) {
        tl5::Card c = tl5test::MakeCard(w, parent, name, {{u"Number", number}});
        EXPECT_GE(w.AppendCard(&c, false), 0);
    };
    const tl5::ItemId bank = folder(u"Bank"), home = folder(u"Home");
    card(bank, u"Visa", u"4111");
    card(bank, u"Amex", u"3782");
    card(home, u"Alarm", u"4111");
    ASSERT_EQ(w.Close(true), 0);
    std::fstream file(tl5::Utf16ToUtf8(tl5::FromWide(path)), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(kAutoCloseOffset);
    const unsigned char bytes[4] = {static_cast<unsigned char>(period), 0, 0, 0};
    file.write(reinterpret_cast<const char*>(bytes), 4);
}

// What `tl5 check` and `tl5 info` read: the problems of the records and the stored period.
struct FileState {
    bool opens = false;
    size_t problems = 0;
    uint32_t period = 0;
};

FileState ReadBack(const std::wstring& path) {
    FileState state;
    tl5::Wallet w;
    const std::u16string password = kPassword;
    if (w.Probe(tl5::FromWide(path), &password) != 0) return state;
    state.opens = true;
    state.period = w.Settings().AutoCloseMinutes();
    tl5::WalletCheckReport report;
    tl5::CheckWalletRecords(*w.FileHandle(), *w.RecordKey(), &report);
    state.problems = report.problems.size();
    w.Close(false);
    return state;
}

// The live card of a name with its first field's value; empty when there is none.
std::u16string CardValue(const std::wstring& path, const std::u16string& name) {
    tl5::Wallet w;
    const std::u16string password = kPassword;
    if (w.Open(tl5::FromWide(path), &password, true) != 0) return u"(no wallet)";
    std::u16string value;
    for (size_t i = 0; i < w.ItemCount(); ++i) {
        if (w.ItemAt(i).IsDeleted() || w.ItemAt(i).Name() != name) continue;
        std::unique_ptr<tl5::Card> card = w.LoadCard(i);
        if (card && card->FieldCount() > 0) value = card->FieldAt(0)->Value();
    }
    w.Close(false);
    return value;
}

class FindAndAutoClose : public tl5test::InProcessAppSuite<FindAndAutoClose> {
public:
    static constexpr const wchar_t* kAppName = L"guard";

protected:
    static void TearDownTestSuite() {
        tl5win::SetClocksForTests(nullptr, nullptr);
        InProcessAppSuite::TearDownTestSuite();
    }

    void SetUp() override {
        ASSERT_NE(main_, nullptr);
        g_boot = 50000000;
        g_running = 40000000;
        tl5win::SetClocksForTests(FakeBoot, FakeRunning);
        tl5::AppSettings().passAutoOk = 1;
        tl5::AppSettings().closeOnLock = 1;
        ASSERT_TRUE(tl5test::ShowWalletListAndWait(main_));
        path_ = app_->Document(L"Guard.tl5");
        DeleteFileW(path_.c_str());
    }

    void TearDown() override { MSG quit{}; PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE); }

    void Open(uint32_t period) {
        MakeWallet(path_, period);
        ASSERT_TRUE(tl5test::OpenWalletThroughPrompt(main_, path_, tl5::ToWide(kPassword)));
        Pump();
    }

    static void Run(UiScript& script, const std::function<bool()>& done = [] { return true; }) {
        ASSERT_TRUE(script.Finish(60000)) << "the script did not finish";
        EXPECT_FALSE(script.Failed()) << script.Failure();
        EXPECT_TRUE(tl5test::PumpUntil(done, 10000));
    }

    static void Pump(DWORD ms = 50) { tl5test::PumpUntil([] { return false; }, ms); }
    static bool Closed() { return !tl5win::AppWallet().IsOpen(); }
    // One tick of the idle timer, as the timer sends it.
    static void Tick() {
        SendMessageW(main_, WM_TIMER, TIMER_IDLE_CHECK, 0);
        Pump();
    }

    // From a helper thread while a modal window is up: the period passes since the activity stamp,
    // and the idle test runs against that stamp (as after a sleep), so that the modal window's own
    // messages meanwhile cannot count as activity.
    static void IdleFor(uint64_t ms) {
        const uint64_t stamp = tl5win::LastActivity();
        Pass(ms);
        PostMessageW(main_, WMU_CHECK_IDLE, static_cast<WPARAM>(stamp & 0xFFFFFFFFu), static_cast<LPARAM>(stamp >> 32));
    }

    // Go with a text in the find box; the script answers the message box that comes, if one does.
    std::vector<tl5test::SeenMessage> Find(const std::wstring& text, bool expectMessage) {
        SetWindowTextW(GetDlgItem(main_, IDC_FIND_EDIT), text.c_str());
        UiScript script(GetCurrentThreadId());
        if (expectMessage) script.Start([](UiScript& s) { s.AnswerMessage(IDOK, "find message"); });
        PostMessageW(main_, WM_COMMAND, IDM_GO, 0);
        if (expectMessage) Run(script);
        Pump(200);
        return script.Messages();
    }

    std::wstring path_;
};

}  // namespace

TEST_F(FindAndAutoClose, FindShowsTheMatchesUnderTheFindResultsNodeAndRefusesShortTexts) {
    Open(0);
    SendMessageW(main_, WM_COMMAND, IDM_FIND, 0);
    EXPECT_TRUE(tl5win::MainWindowFindBarShown(main_));
    EXPECT_EQ(tl5win::MainWindowMenuBarId(main_), static_cast<UINT>(IDMB_FIND));

    // Too short (blanks do not count): the message, and the bar stays for another try.
    for (const wchar_t* text : {L"x", L"  x  "}) {
        const std::vector<tl5test::SeenMessage> seen = Find(text, true);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text, tl5win::Text(IDS_FIND_TOO_SHORT));
        EXPECT_TRUE(tl5win::MainWindowFindBarShown(main_));
        EXPECT_EQ(tl5win::MainWindowMenuBarId(main_), static_cast<UINT>(IDMB_FIND));
    }

    // Nothing found: the message and no Find results node.
    std::vector<tl5test::SeenMessage> seen = Find(L"zzzz", true);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, tl5win::Text(IDS_FIND_NOTHING));
    EXPECT_EQ(Children(Tree(), nullptr), (std::vector<std::wstring>{L"Bank", L"Home", L"My Forms"}));

    // A match, typed with blanks around it and sent with Enter in the box: the node at the top,
    // selected and expanded, with the cards the core finds; find mode ends.
    SetWindowTextW(GetDlgItem(main_, IDC_FIND_EDIT), L" 4111 ");
    SendMessageW(GetDlgItem(main_, IDC_FIND_EDIT), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(tl5test::PumpUntil([] { return TreeView_GetCount(Tree()) > 0 && Children(Tree(), nullptr).size() == 4; }, 5000));
    HTREEITEM node = TreeView_GetRoot(Tree());
    const std::wstring label = tl5::ToWide(tl5::SpecialNodeLabel(tl5win::AppWallet(), 2, tl5win::TextU16));
    EXPECT_EQ(TextOf(Tree(), node), label + L" - '4111'");
    EXPECT_EQ(TreeView_GetSelection(Tree()), node);
    EXPECT_TRUE(TreeView_GetItemState(Tree(), node, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_FALSE(tl5win::MainWindowFindBarShown(main_));
    EXPECT_EQ(tl5win::MainWindowMenuBarId(main_), static_cast<UINT>(IDMB_MAIN));
    std::vector<std::wstring> shown = Children(Tree(), node);
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"Alarm", L"Visa"}));

    // The reset word in capitals: the settings go back to their defaults, the tree stays.
    tl5::AppSettings().fontMain = 11;
    seen = Find(L"::FRESH", false);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(tl5::AppSettings().fontMain, 9u);
    EXPECT_EQ(TextOf(Tree(), TreeView_GetRoot(Tree())), label + L" - '4111'");
    tl5::AppSettings().passAutoOk = 1;

    // A find posted after the wallet closed does nothing (no message box comes).
    PostMessageW(main_, WMU_SHOW_WALLET_LIST, 0, 0);
    ASSERT_TRUE(tl5test::PumpUntil(Closed, 10000));
    // The same cards as the core's find (tl5 find) on the file.
    tl5::Wallet core;
    const std::u16string password = kPassword;
    ASSERT_EQ(core.Open(tl5::FromWide(path_), &password, true), 0);
    const int count = tl5::FindCards(core, u"4111", false);
    std::vector<std::wstring> expected;
    for (int i = 0; i < count; ++i) expected.push_back(tl5::ToWide(tl5::FindResultRecord(core, i)->Name()));
    core.Close(false);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
    SetWindowTextW(GetDlgItem(main_, IDC_FIND_EDIT), L"x");
    PostMessageW(main_, WMU_FIND_NOW, 0, 0);
    Pump(300);
    EXPECT_EQ(tl5test::FindMessageBox(GetCurrentThreadId()), nullptr);
}

TEST_F(FindAndAutoClose, IdleTimeIsCountedOnTheBootClockFromTheLastActivity) {
    Open(1);
    EXPECT_TRUE(tl5win::MainWindowGuarded(main_));
    EXPECT_TRUE(tl5win::WatchdogRunning());
    // One millisecond short of the period: the tick leaves the wallet open, however the wall clock
    // stands (nothing reads it).
    Pass(tl5::kMillisecondsPerMinute - 1);
    Tick();
    EXPECT_FALSE(Closed());
    // Activity starts the period again.
    SendMessageW(main_, WM_COMMAND, IDC_EXPAND_COLLAPSE, 0);
    Pass(tl5::kMillisecondsPerMinute - 1);
    Tick();
    EXPECT_FALSE(Closed());
    Pass(1);
    Tick();
    EXPECT_TRUE(tl5test::PumpUntil(Closed, 5000));
    EXPECT_FALSE(tl5win::WatchdogRunning());
    const FileState file = ReadBack(path_);
    EXPECT_TRUE(file.opens);
    EXPECT_EQ(file.problems, 0u);
    EXPECT_EQ(file.period, 1u);
}

TEST_F(FindAndAutoClose, APeriodOfNeverRunsNoGuard) {
    Open(0);
    EXPECT_FALSE(tl5win::MainWindowGuarded(main_));
    EXPECT_FALSE(tl5win::WatchdogRunning());
    Pass(600 * tl5::kMillisecondsPerMinute);
    Tick();
    EXPECT_FALSE(Closed());
}

TEST_F(FindAndAutoClose, TheWatchdogClosesAtOnceAfterASleepLongerThanThePeriod) {
    struct Case {
        uint32_t period;
        uint64_t sleep;
        bool closes;
    };
    for (const Case& c : {Case{10, 5 * tl5::kMillisecondsPerMinute, false},
                          Case{5, 6 * tl5::kMillisecondsPerMinute, true}}) {
        SetUp();
        Open(c.period);
        // Only the watchdog may close it: the timer is stopped.
        KillTimer(main_, TIMER_IDLE_CHECK);
        // A repaint after the wake counts as activity, but the watchdog tests against the stamp it
        // took before the sleep.
        Sleeps(c.sleep);
        tl5win::NoteActivity();
        const bool closed = tl5test::PumpUntil(Closed, 5000);
        EXPECT_EQ(closed, c.closes) << "period " << c.period;
        EXPECT_EQ(tl5win::WatchdogRunning(), !c.closes);
    }
}

TEST_F(FindAndAutoClose, ASessionLockOrSuspendClosesUnlessTheSettingIsOff) {
    struct Case {
        UINT message;
        WPARAM event;
        uint32_t closeOnLock;
        bool closes;
    };
    for (const Case& c : {Case{WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1, true},
                          Case{WM_POWERBROADCAST, PBT_APMSUSPEND, 1, true},
                          Case{WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0, false},
                          Case{WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 1, false}}) {
        SetUp();
        tl5::AppSettings().closeOnLock = c.closeOnLock;
        Open(5);
        SendMessageW(main_, c.message, c.event, 0);
        EXPECT_EQ(tl5test::PumpUntil(Closed, c.closes ? 5000 : 300), c.closes) << c.message << "/" << c.event;
    }
    tl5::AppSettings().closeOnLock = 1;
}

TEST_F(FindAndAutoClose, SecurityCancelledKeepsTheGuardAndDoneKeepsAPeriodTheListLacks) {
    Open(15);
    // Cancel: the wallet still closes on time.
    std::wstring shown;
    UiScript cancel(GetCurrentThreadId());
    cancel.Start([&](UiScript& s) {
        HWND dialog = s.WaitDialog(IDC_AUTO_CLOSE_PERIOD, "security options");
        if (!dialog) return;
        HWND list = GetDlgItem(dialog, IDC_AUTO_CLOSE_PERIOD);
        const LRESULT selected = SendMessageW(list, CB_GETCURSEL, 0, 0);
        wchar_t text[64] = {};
        SendMessageW(list, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text));
        shown = text;
        Press(dialog, IDM_CANCEL);
        s.WaitGone(dialog);
    });
    PostMessageW(main_, WM_COMMAND, IDM_SECURITY, 0);
    Run(cancel);
    EXPECT_EQ(shown, L"15 minutes");
    EXPECT_TRUE(tl5win::MainWindowGuarded(main_));

    // Done without a change keeps 15 and the guard.
    UiScript done(GetCurrentThreadId());
    done.Start([&](UiScript& s) {
        HWND dialog = s.WaitDialog(IDC_AUTO_CLOSE_PERIOD, "security options");
        if (!dialog) return;
        Press(dialog, IDM_DONE);
        s.WaitGone(dialog);
    });
    PostMessageW(main_, WM_COMMAND, IDM_SECURITY, 0);
    Run(done);
    EXPECT_TRUE(tl5win::MainWindowGuarded(main_));
    Pass(15 * tl5::kMillisecondsPerMinute - 1);
    Tick();
    EXPECT_FALSE(Closed());
    Pass(1);
    Tick();
    EXPECT_TRUE(tl5test::PumpUntil(Closed, 5000));
    EXPECT_EQ(ReadBack(path_).period, 15u);
}

TEST_F(FindAndAutoClose, SecurityStoresAChosenPeriodAndTheLockSetting) {
    Open(5);
    UiScript script(GetCurrentThreadId());
    script.Start([&](UiScript& s) {
        HWND dialog = s.WaitDialog(IDC_AUTO_CLOSE_PERIOD, "security options");
        if (!dialog) return;
        SendMessageW(GetDlgItem(dialog, IDC_AUTO_CLOSE_PERIOD), CB_SETCURSEL, 0, 0);  // Never
        SendMessageW(GetDlgItem(dialog, IDC_CLOSE_ON_LOCK), BM_SETCHECK, BST_UNCHECKED, 0);
        Press(dialog, IDM_DONE);
        s.WaitGone(dialog);
    });
    PostMessageW(main_, WM_COMMAND, IDM_SECURITY, 0);
    Run(script);
    EXPECT_FALSE(tl5win::MainWindowGuarded(main_));
    EXPECT_FALSE(tl5win::WatchdogRunning());
    EXPECT_EQ(tl5::AppSettings().closeOnLock, 0u);
    tl5::AppSettings().closeOnLock = 1;
    PostMessageW(main_, WMU_SHOW_WALLET_LIST, 0, 0);
    ASSERT_TRUE(tl5test::PumpUntil(Closed, 10000));
    EXPECT_EQ(ReadBack(path_).period, 0u);
}

TEST_F(FindAndAutoClose, TheModernProtectionBoxProtectsTheOpenWalletWithItsPassword) {
    Open(5);
    for (bool modern : {true, false}) {
        UiScript script(GetCurrentThreadId());
        script.Start([&](UiScript& s) {
            HWND dialog = s.WaitDialog(IDC_AUTO_CLOSE_PERIOD, "security options");
            if (!dialog) return;
            SendMessageW(GetDlgItem(dialog, IDC_MODERN_PROTECTION), BM_SETCHECK, modern ? BST_CHECKED : BST_UNCHECKED, 0);
            Press(dialog, IDM_DONE);
            HWND entry = s.WaitDialog(IDC_PIN_OK, "password entry");
            if (entry) TypeInto(entry, IDC_PASSWORD, tl5::ToWide(kPassword));
        });
        PostMessageW(main_, WM_COMMAND, IDM_SECURITY, 0);
        Run(script, [&] {
            return tl5win::AppWallet().IsOpen() &&
                   (tl5win::AppWallet().Protection() == tl5::WalletProtection::Modern) == modern;
        });
        EXPECT_EQ(tl5win::AppWallet().Protection() == tl5::WalletProtection::Modern, modern);
        EXPECT_TRUE(tl5win::MainWindowGuarded(main_));
        EXPECT_GT(TreeView_GetCount(Tree()), 0u);
        tl5::WalletProtection onDisk = tl5::WalletProtection::Classic;
        tl5::EnvelopeParams params;
        const bool modernOnDisk = tl5::ProbeEnvelopeFile(tl5::OsFileSystem(), tl5::FromWide(path_), &onDisk, &params) ==
                                      tl5::kEnvelopeOk &&
                                  onDisk == tl5::WalletProtection::Modern;
        EXPECT_EQ(modernOnDisk, modern);
    }
    PostMessageW(main_, WMU_SHOW_WALLET_LIST, 0, 0);
    ASSERT_TRUE(tl5test::PumpUntil(Closed, 10000));
    EXPECT_EQ(CardValue(path_, u"Visa"), u"4111");
}

// The idle close while a card is being edited keeps the edit; while the tree's delete question is up it
// answers No and deletes nothing. Both leave a wallet that passes the check.
TEST_F(FindAndAutoClose, TheIdleCloseKeepsAnEditAndAnswersAQuestionWithNo) {
    Open(1);
    HTREEITEM bank = Child(Tree(), nullptr, L"Bank");
    ASSERT_TRUE(bank);
    TreeView_Expand(Tree(), bank, TVE_EXPAND);
    TreeView_SelectItem(Tree(), Child(Tree(), bank, L"Visa"));
    UiScript edit(GetCurrentThreadId());
    edit.Start([&](UiScript& s) {
        HWND card = s.WaitDialog(IDC_CARD_LIST, "card window");
        if (!card) return;
        tl5win::OpenCardWindowParams()->card->FieldAt(0)->SetValue(u"4999");
        IdleFor(tl5::kMillisecondsPerMinute);
        if (!s.WaitGone(card)) s.Fail("the card window stayed open");
    });
    PostMessageW(Tree(), WM_KEYDOWN, VK_RETURN, 0);
    Run(edit, Closed);
    EXPECT_EQ(tl5win::OpenCardWindow(), nullptr);
    FileState file = ReadBack(path_);
    EXPECT_TRUE(file.opens);
    EXPECT_EQ(file.problems, 0u);
    EXPECT_EQ(CardValue(path_, u"Visa"), u"4999");

    // The delete question.
    SetUp();
    Open(1);
    bank = Child(Tree(), nullptr, L"Bank");
    TreeView_Expand(Tree(), bank, TVE_EXPAND);
    TreeView_SelectItem(Tree(), Child(Tree(), bank, L"Amex"));
    UiScript question(GetCurrentThreadId());
    question.Start([&](UiScript& s) {
        HWND box = s.Wait([&] { return tl5test::FindMessageBox(s.UiThread()); }, "delete question");
        if (!box) return;
        IdleFor(tl5::kMillisecondsPerMinute);
        if (!s.WaitGone(box)) s.Fail("the question stayed open");
    });
    PostMessageW(main_, WM_COMMAND, IDM_DELETE, 0);
    Run(question, Closed);
    file = ReadBack(path_);
    EXPECT_TRUE(file.opens);
    EXPECT_EQ(file.problems, 0u);
    EXPECT_EQ(CardValue(path_, u"Amex"), u"3782");
}

namespace {

struct PinFind {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindPasswordEntry(HWND window, LPARAM param) {
    auto* state = reinterpret_cast<PinFind*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == state->pid && IsWindowVisible(window) && GetDlgItem(window, IDC_PIN_OK)) {
        state->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

class AutoCloseInRealTime : public IsolatedAppTest {};

// The real program with a period of one minute and no input: it ends between 60 and 75 seconds after
// the password was given, and leaves the wallet sound with the period stored.
TEST_F(AutoCloseInRealTime, APeriodOfOneMinuteEndsTheProgramWithinSeventyFiveSeconds) {
    SeedSettings();
    const std::wstring folder = tl5test::PrivateTempFolder(L"realtime");
    tl5test::RemoveTree(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\Minute.tl5";
    MakeWallet(path, 1);
    AppProcess app;
    ASSERT_TRUE(app.Start(path));  // the line is the path as it stands
    PinFind find{app.ProcessId(), nullptr};
    ASSERT_TRUE(tl5test::PumpUntil([&] {
        find.found = nullptr;
        EnumWindows(FindPasswordEntry, reinterpret_cast<LPARAM>(&find));
        return find.found != nullptr;
    }, 30000)) << "no password entry";
    const ULONGLONG given = GetTickCount64();
    SendMessageW(GetDlgItem(find.found, IDC_PASSWORD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"guard-pw"));
    HWND main = app.WaitForWindow(MainClass().c_str(), 20000);
    ASSERT_TRUE(main);
    ASSERT_TRUE(tl5test::PumpUntil([&] { return TreeView_GetCount(GetDlgItem(main, IDC_TREE)) > 0; }, 20000))
        << "the wallet did not open";
    DWORD code = 0;
    ASSERT_TRUE(app.WaitForExit(90000, &code)) << "the program did not end";
    const double seconds = static_cast<double>(GetTickCount64() - given) / 1000.0;
    std::printf("idle close after %.1f s\n", seconds);
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 75.0);
    const FileState file = ReadBack(path);
    EXPECT_TRUE(file.opens);
    EXPECT_EQ(file.problems, 0u);
    EXPECT_EQ(file.period, 1u);
    tl5test::RemoveTree(folder);
}
