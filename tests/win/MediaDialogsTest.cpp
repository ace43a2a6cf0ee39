// The attachments, background image and sound dialogs of the real application, driven from a helper
// thread as a user would (buttons, the document chooser, message boxes), on cards in memory; and the
// card window's commands end to end on a card of a real wallet, read back with the core afterwards.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "StringIds.h"
#include "cardui/Settings.h"
#include "cardui/win/CardWindow.h"
#include "cardui/win/Strings.h"
#include "dialogs/win/MediaDialogs.h"
#include "model/Card.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/LocalTime.h"
#include "platform/Text.h"
#include "platform/pocketpc/DocList.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "tests/core/WalletTestSupport.h"
#include "tests/win/InProcessAppSuite.h"
#include "tests/win/MainWindowTestDriver.h"
#include "tests/win/TestFiles.h"

using tl5test::PollUntil;
using tl5test::Press;
using tl5test::UiScript;
using tl5test::Bitmap;
using tl5test::DayStamp;
using tl5test::FileBytes;
using tl5test::Wave;
using tl5test::WriteFileBytes;

namespace {

std::wstring S(uint32_t id) { return tl5win::Text(id); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ToBytes(const tl5::MediaBytes& b) { return std::string(b.data.begin(), b.data.end()); }

void Attach(tl5::Card& card, const std::u16string& name, const std::string& bytes) {
    tl5::Attachment a;
    ASSERT_TRUE(a.SetFromBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), u"",
                               tl5::SystemTime{2026, 3, 0, 7, 0, 0, 0, 0}));
    a.fileName = name;  // as stored, without the cleaning a path gets
    ASSERT_GE(card.AddAttachment(std::move(a)), 0);
}

// Waits for the photograph of a dialog (only with TL5_SHOTS: a watcher outside takes NAME.png once
// NAME.ready appears).
void Shot(HWND window, const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"TL5_SHOTS", folder, MAX_PATH) || !folder[0]) return;
    const std::wstring base = std::wstring(folder) + L"\\" + name;
    PollUntil([window] { return GetForegroundWindow() == window; }, 5000);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500);  // painting, for the photograph only
    WriteFileBytes(base + L".ready", "1");
    const std::wstring png = base + L".png";
    PollUntil([&] { return Exists(png); }, 30000);
}

// In the open document chooser, selects the document whose file name is `name` and presses Done.
bool Choose(UiScript& s, const std::wstring& name) {
    HWND chooser = s.WaitDialog(IDC_DOCUMENT_LIST, "document chooser");
    if (!chooser) return false;
    HWND list = GetDlgItem(chooser, IDC_DOCUMENT_LIST);
    PollUntil([list] { return SendMessageW(list, ppc::DLM_GETITEMCOUNT, 0, 0) > 0; }, 5000);
    const int count = static_cast<int>(SendMessageW(list, ppc::DLM_GETITEMCOUNT, 0, 0));
    std::string seen;
    for (int i = 0; i < count; ++i) {
        SendMessageW(list, ppc::DLM_SETSELECT, static_cast<WPARAM>(i), 0);
        wchar_t path[MAX_PATH] = {};
        SendMessageW(list, ppc::DLM_GETSELPATHNAME, MAX_PATH, reinterpret_cast<LPARAM>(path));
        const std::wstring p = path;
        seen += tl5::Utf16ToUtf8(tl5::FromWide(p)) + "; ";
        if (p.size() >= name.size() + 1 && p.compare(p.size() - name.size() - 1, std::wstring::npos, L"\\" + name) == 0) {
            Press(chooser, IDM_DONE);
            return s.WaitGone(chooser);
        }
    }
    s.Fail("the chooser does not list the file; it lists " + seen);
    Press(chooser, IDM_CANCEL);
    s.WaitGone(chooser);
    return false;
}

int ListIndexOf(HWND list, const std::wstring& text) {
    return static_cast<int>(SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
}

// Starts a script; when it fails, the dialogs it left open are cancelled so the one under test returns.
void StartScript(UiScript& script, std::function<void(UiScript&)> body) {
    script.Start([body](UiScript& s) {
        body(s);
        if (!s.Failed()) return;
        for (int round = 0; round < 20; ++round) {
            std::vector<HWND> open;
            for (HWND w : tl5test::ThreadWindows(s.UiThread())) {
                wchar_t cls[16] = {};
                GetClassNameW(w, cls, 16);
                if (lstrcmpW(cls, L"#32770") != 0) continue;
                PostMessageW(w, WM_COMMAND, IDM_CANCEL, 0);
                PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
                open.push_back(w);
            }
            if (open.empty()) return;
            PollUntil([&] { return std::none_of(open.begin(), open.end(), [](HWND w) { return IsWindow(w) && IsWindowVisible(w); }); }, 2000);
        }
    });
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

class MediaDialogs : public tl5test::InProcessAppSuite<MediaDialogs> {
public:
    static constexpr const wchar_t* kAppName = L"media";

protected:
    void SetUp() override {
        ASSERT_NE(main_, nullptr);
        log_ = app_->Document(L"launch.log");
        DeleteFileW(log_.c_str());
        SetEnvironmentVariableW(L"TL5_LAUNCH_LOG", log_.c_str());
    }
    void TearDown() override { SetEnvironmentVariableW(L"TL5_LAUNCH_LOG", nullptr); }

    std::vector<std::string> LogLines() const {
        std::ifstream in(log_.c_str());
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    static void Finish(UiScript& script) {
        ASSERT_TRUE(script.Finish(60000)) << "the script did not finish";
        EXPECT_FALSE(script.Failed()) << script.Failure();
    }

    static std::wstring Doc(const std::wstring& name) { return app_->Document(name); }

    std::wstring log_;
};

}  // namespace

TEST_F(MediaDialogs, AttachmentsExportInsideTheFolderRefuseProgramsAndStopAtTen) {
    tl5::Card card;
    Attach(card, u"..\\evil.txt", "escaped?");
    Attach(card, u"run.exe", "MZ program");
    Attach(card, u"home.tl5", "a wallet");
    for (int i = 3; i < 9; ++i) Attach(card, u"file" + tl5::FromWide(std::to_wstring(i)) + u".txt", "x");
    card.SetModified(false);
    const std::string added = std::string("added bytes\0with a NUL", 22);
    WriteFileBytes(Doc(L"added.bin"), added);
    const std::wstring day = DayStamp();
    const std::wstring exported = Doc(day + L"evil.txt");
    DeleteFileW(exported.c_str());

    bool addEnabledAtNine = false, addEnabledAtTen = true, exportEnabledEmpty = true;
    std::wstring info;
    UiScript script(GetCurrentThreadId());
    StartScript(script, [&](UiScript& s) {
        HWND dialog = s.WaitDialog(IDC_ATTACH_LIST, "attachments");
        if (!dialog) return;
        HWND list = GetDlgItem(dialog, IDC_ATTACH_LIST);
        PollUntil([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 9; }, 5000);
        addEnabledAtNine = Enabled(dialog, IDC_ATTACH_ADD);
        info = tl5test::ControlText(dialog, IDC_ATTACH_INFO);
        Shot(dialog, L"attachments");
        // Export of a stored name that points out of the folder.
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(ListIndexOf(list, L"..\\evil.txt")), 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ATTACH_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        Press(dialog, IDC_ATTACH_EXPORT);
        s.AnswerMessage(IDOK, "exported");
        // Open of a program and of a wallet: refused.
        for (const wchar_t* name : {L"run.exe", L"home.tl5"}) {
            SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(ListIndexOf(list, name)), 0);
            Press(dialog, IDC_ATTACH_OPEN);
            s.AnswerMessage(IDOK, "refused");
        }
        // Open of a document: handed over.
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(ListIndexOf(list, L"file3.txt")), 0);
        Press(dialog, IDC_ATTACH_OPEN);
        // The tenth file, and then Add is off.
        Press(dialog, IDC_ATTACH_ADD);
        if (!Choose(s, L"added.bin")) return;
        PollUntil([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 10; }, 5000);
        addEnabledAtTen = Enabled(dialog, IDC_ATTACH_ADD);
        // Remove everything: the other buttons go off with the selection.
        for (int i = 0; i < 10; ++i) Press(dialog, IDC_ATTACH_REMOVE);
        PollUntil([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 0; }, 5000);
        exportEnabledEmpty = Enabled(dialog, IDC_ATTACH_EXPORT) || Enabled(dialog, IDC_ATTACH_OPEN);
        Press(dialog, IDM_DONE);
        s.WaitGone(dialog);
    });
    // Removing all ten is done on a copy of the result below: keep what was added first.
    EXPECT_TRUE(tl5win::ShowAttachmentsDialog(main_, card));
    Finish(script);
    TL5_SKIP_IF_DAY_CHANGED(day);

    EXPECT_TRUE(addEnabledAtNine);
    EXPECT_FALSE(addEnabledAtTen);
    EXPECT_FALSE(exportEnabledEmpty);
    EXPECT_NE(info.find(L", "), std::wstring::npos) << info;  // date, size
    EXPECT_EQ(FileBytes(exported), "escaped?");
    EXPECT_FALSE(Exists(app_->Documents() + L"\\..\\" + day + L"evil.txt"));
    const auto seen = script.Messages();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].text, S(IDS_FILE_SAVED_TO) + std::wstring(L"\n") + exported);
    EXPECT_EQ(seen[1].text.rfind(S(IDS_OPEN_REFUSED_PROGRAM), 0), 0u) << seen[1].text;
    EXPECT_EQ(seen[2].text.rfind(S(IDS_OPEN_REFUSED_WALLET), 0), 0u) << seen[2].text;
    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 1u);  // only the document was opened
    EXPECT_NE(lines[0].find(tl5::Utf16ToUtf8(tl5::FromWide(day)) + "file3.txt"), std::string::npos);
    EXPECT_EQ(card.AttachmentCount(), 0u);
    EXPECT_TRUE(card.IsModified());
}

TEST_F(MediaDialogs, ImageUndecodableKeepsTheOldPositionAndMatchReachTheCard) {
    tl5::Card card;
    const std::string old = Bitmap(4, 0x00FF00, 0x00FF00);
    ASSERT_TRUE(card.MutableImage().SetFromBytes(reinterpret_cast<const uint8_t*>(old.data()), old.size(), u"old.bmp", 0));
    card.MutableImage().position = 2;
    card.SetModified(false);
    WriteFileBytes(Doc(L"broken.bmp"), "BM this is not a picture");
    const std::string fresh = Bitmap(16, 0x2040C0, 0xA01010);
    WriteFileBytes(Doc(L"fresh.bmp"), fresh);

    std::wstring nameAfterBroken;
    UiScript script(GetCurrentThreadId());
    StartScript(script, [&](UiScript& s) {
        HWND dialog = s.WaitDialog(IDC_IMAGE_PREVIEW, "background image");
        if (!dialog) return;
        PollUntil([&] { return tl5test::ControlText(dialog, IDC_IMAGE_FILE) == L"old.bmp"; }, 5000);
        Press(dialog, IDC_IMAGE_SELECT);
        if (!Choose(s, L"broken.bmp")) return;
        s.AnswerMessage(IDOK, "unreadable picture");
        nameAfterBroken = tl5test::ControlText(dialog, IDC_IMAGE_FILE);
        Press(dialog, IDC_IMAGE_SELECT);
        if (!Choose(s, L"fresh.bmp")) return;
        PollUntil([&] { return tl5test::ControlText(dialog, IDC_IMAGE_FILE) == L"fresh.bmp"; }, 5000);
        SendMessageW(GetDlgItem(dialog, IDC_IMAGE_POSITION), CB_SETCURSEL, 8, 0);  // bottom right
        Press(dialog, IDC_IMAGE_MATCH);
        Shot(dialog, L"background-image");
        Press(dialog, IDM_DONE);
        s.WaitGone(dialog);
    });
    EXPECT_TRUE(tl5win::ShowImageDialog(main_, card));
    Finish(script);

    EXPECT_EQ(nameAfterBroken, L"old.bmp");
    const auto seen = script.Messages();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, S(IDS_IMAGE_FILE_UNREADABLE));
    EXPECT_EQ(card.Image().position, 9);
    EXPECT_EQ(card.Image().fileName, u"fresh.bmp");
    EXPECT_EQ(card.Image().format, tl5::kImageBmp);
    EXPECT_EQ(ToBytes(card.Image().bytes), fresh);
    // The top-left pixel 0xA01010 (red 0xA0) as a COLORREF.
    EXPECT_EQ(card.Head().words[tl5::CardHead::kBackgroundColour], static_cast<uint32_t>(RGB(0xA0, 0x10, 0x10)));
    EXPECT_TRUE(card.IsModified());

    // An undecodable file on a card without a picture, then Done: still nothing; and Done on an
    // unchanged picture changes nothing.
    card.SetModified(false);
    UiScript again(GetCurrentThreadId());
    StartScript(again, [&](UiScript& s) {
        HWND dialog = s.WaitDialog(IDC_IMAGE_PREVIEW, "background image");
        if (!dialog) return;
        PollUntil([&] { return tl5test::ControlText(dialog, IDC_IMAGE_FILE) == L"fresh.bmp"; }, 5000);
        Press(dialog, IDM_DONE);
        s.WaitGone(dialog);
    });
    EXPECT_TRUE(tl5win::ShowImageDialog(main_, card));
    Finish(again);
    EXPECT_FALSE(card.IsModified());
}

TEST_F(MediaDialogs, SoundIsStoredWithItsFlagPlaysAndASecondExportTakesAFreeName) {
    tl5::Card card;
    const std::string wave = Wave(400);
    WriteFileBytes(Doc(L"tone.wav"), wave);
    const std::wstring day = DayStamp();
    const std::wstring first = Doc(day + L"tone.wav"), second = Doc(day + L"tone (2).wav");
    DeleteFileW(first.c_str());
    DeleteFileW(second.c_str());

    bool enabledBefore = true;
    UiScript script(GetCurrentThreadId());
    StartScript(script, [&](UiScript& s) {
        HWND dialog = s.WaitDialog(IDC_SOUND_PLAY_WHEN_VIEWED, "sound");
        if (!dialog) return;
        PollUntil([&] { return !Enabled(dialog, IDC_SOUND_PLAY); }, 5000);
        enabledBefore = Enabled(dialog, IDC_SOUND_PLAY) || Enabled(dialog, IDC_SOUND_EXPORT);
        Press(dialog, IDC_SOUND_SELECT);
        if (!Choose(s, L"tone.wav")) return;
        PollUntil([&] { return tl5test::ControlText(dialog, IDC_SOUND_FILE) == L"tone.wav"; }, 5000);
        Shot(dialog, L"sound");
        Press(dialog, IDC_SOUND_PLAY);
        Press(dialog, IDC_SOUND_EXPORT);
        s.AnswerMessage(IDOK, "exported");
        Press(dialog, IDC_SOUND_EXPORT);
        s.AnswerMessage(IDOK, "exported again");
        Press(dialog, IDM_DONE);
        s.WaitGone(dialog);
    });
    EXPECT_TRUE(tl5win::ShowSoundDialog(main_, card));
    Finish(script);
    TL5_SKIP_IF_DAY_CHANGED(day);

    EXPECT_FALSE(enabledBefore);
    EXPECT_EQ(card.Sound().fileName, u"tone.wav");
    EXPECT_EQ(card.Sound().playWhenViewed, 1);
    EXPECT_EQ(ToBytes(card.Sound().bytes), wave);
    EXPECT_EQ(FileBytes(first), wave);
    EXPECT_EQ(FileBytes(second), wave);
    const auto seen = script.Messages();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, S(IDS_FILE_SAVED_TO) + std::wstring(L"\n") + first);
    EXPECT_EQ(seen[1].text, S(IDS_SAVED_UNDER_FREE_NAME) + std::wstring(L"\n") + second);
    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "play tone.wav");
}

// The card window's commands on a card of a wallet: the sound plays as the card opens, the picture
// sits at the bottom right of the view, and an attachment added through the window reaches the file.
TEST_F(MediaDialogs, CardWindowPlaysShowsAndStoresWhatTheDialogsMade) {
    const std::wstring path = Doc(L"Media.tl5");
    DeleteFileW(path.c_str());
    const std::u16string password = u"media-pw";
    const std::string picture = Bitmap(8, 0xC02080, 0xC02080);
    const std::string wave = Wave(400);
    tl5::ItemId id;
    {
        tl5::Wallet w;
        ASSERT_EQ(w.Create(tl5::FromWide(path), password, u"", false), 0);
        ASSERT_EQ(w.Open(tl5::FromWide(path), &password, false), 0);
        tl5::Card card = tl5test::MakeCard(w, tl5::ItemId(), u"Pic", {});
        ASSERT_TRUE(card.MutableImage().SetFromBytes(reinterpret_cast<const uint8_t*>(picture.data()), picture.size(), u"dot.bmp", 0));
        card.MutableImage().position = 9;
        ASSERT_TRUE(card.MutableSound().SetFromBytes(reinterpret_cast<const uint8_t*>(wave.data()), wave.size(), u"chime.wav"));
        card.MutableSound().playWhenViewed = 1;
        card.Head().words[tl5::CardHead::kBackgroundColour] = RGB(255, 255, 255);
        id = card.Record().Id();
        ASSERT_GE(w.AppendCard(&card, false), 0);
        ASSERT_EQ(w.Close(true), 0);
    }
    const std::string added = "contract text";
    WriteFileBytes(Doc(L"contract.txt"), added);

    tl5::Wallet w;
    ASSERT_EQ(w.Open(tl5::FromWide(path), &password, false), 0);
    std::unique_ptr<tl5::Card> card = w.LoadCard(id);
    ASSERT_TRUE(card);

    COLORREF corner = CLR_INVALID, opposite = CLR_INVALID;
    tl5win::CardWindowParams params;
    params.card = card.get();
    UiScript script(GetCurrentThreadId());
    StartScript(script, [&](UiScript& s) {
        HWND window = s.WaitDialog(IDC_CARD_LIST, "card window");
        if (!window) return;
        HWND list = GetDlgItem(window, IDC_CARD_LIST);
        Shot(window, L"card-with-picture");
        s.OnUiThread([&] {
            RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            RECT r{};
            GetClientRect(list, &r);
            HDC dc = GetDC(list);
            corner = GetPixel(dc, r.right - 3, r.bottom - 3);
            opposite = GetPixel(dc, 3, r.bottom - 3);
            ReleaseDC(list, dc);
        });
        PostMessageW(window, WM_COMMAND, IDM_ATTACHMENTS, 0);
        HWND dialog = s.WaitDialog(IDC_ATTACH_LIST, "attachments");
        if (!dialog) return;
        Press(dialog, IDC_ATTACH_ADD);
        if (!Choose(s, L"contract.txt")) return;
        PollUntil([&] { return SendMessageW(GetDlgItem(dialog, IDC_ATTACH_LIST), LB_GETCOUNT, 0, 0) == 1; }, 5000);
        Press(dialog, IDM_DONE);
        s.WaitGone(dialog);
        Press(window, IDM_DONE);
        s.WaitGone(window);
    });
    tl5win::RunCardWindow(params);
    Finish(script);

    EXPECT_EQ(params.result, tl5win::kCardClosedSaved);
    EXPECT_EQ(corner, RGB(0xC0, 0x20, 0x80));
    EXPECT_EQ(opposite, RGB(255, 255, 255));
    const std::vector<std::string> lines = LogLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "play chime.wav");

    ASSERT_GE(w.ReplaceCard(card.get(), false), 0);
    ASSERT_EQ(w.Close(true), 0);
    tl5::Wallet check;
    ASSERT_EQ(check.Open(tl5::FromWide(path), &password, true), 0);
    std::unique_ptr<tl5::Card> stored = check.LoadCard(id);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->AttachmentCount(), 1u);
    EXPECT_EQ(stored->AttachmentAt(0).fileName, u"contract.txt");
    EXPECT_EQ(ToBytes(stored->AttachmentAt(0).bytes), added);
    EXPECT_EQ(stored->Image().position, 9);
    check.Close(false);
}
