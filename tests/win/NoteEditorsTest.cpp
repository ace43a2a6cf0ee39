// The notes editor and the selection list editor as a user meets them: the real dialogs are run and a
// helper thread types, presses keys and buttons, and picks menu commands; then what the caller got
// back is checked against what was typed.
//
// With TL5_SHOTS naming a folder, each dialog waits once it is filled for a photograph taken from
// outside (it leaves NAME.ready there and goes on when NAME.png appears).
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "StringIds.h"
#include "cardui/FontTable.h"
#include "cardui/Settings.h"
#include "cardui/win/Strings.h"
#include "dialogs/win/NoteEditors.h"
#include "model/Field.h"
#include "platform/pocketpc/Shell.h"
#include "resources/resource.h"
#include "tests/win/InProcessAppSuite.h"
#include "tests/win/MainWindowTestDriver.h"

using tl5test::ControlText;
using tl5test::PollUntil;
using tl5test::Press;
using tl5test::TypeInto;
using tl5test::UiScript;

namespace {

std::wstring S(uint32_t id) { return tl5win::Text(id); }
std::wstring W(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

// Waits for the photograph of the filled dialog (only with TL5_SHOTS).
void Shot(HWND window, const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"TL5_SHOTS", folder, MAX_PATH) || !folder[0]) return;
    const std::wstring base = std::wstring(folder) + L"\\" + name;
    PollUntil([window] { return GetForegroundWindow() == window; }, 5000);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    Sleep(500);  // painting, for the photograph only
    std::ofstream((base + L".ready").c_str()) << '1';
    const std::wstring png = base + L".png";
    PollUntil([&] { return GetFileAttributesW(png.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
}

// The whole text of a control, however long.
std::wstring FullText(HWND control) {
    const LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return text;
}

// A key pressed and released on a control, as the keyboard delivers it; the dialog's message loop
// translates the key-down into its character as it does for a real key.
void Key(HWND control, UINT vk) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, 0)) << 16;
    PostMessageW(control, WM_KEYDOWN, vk, scan | 1);
    PostMessageW(control, WM_KEYUP, vk, scan | 0xC0000001);
}

void Char(HWND control, wchar_t c) { PostMessageW(control, WM_CHAR, c, 1); }

// The point size of a control's font on this screen (0 when it has none).
int FontHeight(HWND control) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    if (!font || !GetObjectW(font, sizeof lf, &lf)) return 0;
    return lf.lfHeight;
}

int ExpectedHeight(int points) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return tl5::FontCharacterHeight(points * 10, dpi);
}

// The zoom command that carries the radio mark when the menu opens, or 0.
UINT MarkedZoom(HWND dialog) {
    HWND bar = ppc::SHFindMenuBar(dialog);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(bar, ppc::SHCMBM_GETSUBMENU, 0, IDM_MENU_BUTTON));
    if (!menu) return 0;
    SendMessageW(dialog, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    for (UINT id = IDM_ZOOM_75; id <= IDM_ZOOM_300; ++id) {
        if (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) return id;
    }
    return 0;
}

std::vector<std::wstring> ListTexts(HWND list) {
    std::vector<std::wstring> texts;
    const LRESULT n = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        texts.push_back(text);
    }
    return texts;
}

std::vector<std::wstring> Wide(const std::vector<std::u16string>& items) {
    std::vector<std::wstring> wide;
    for (const std::u16string& item : items) wide.push_back(W(item));
    return wide;
}

// A long note: lines of letters, digits and tabs, with CR LF line ends.
std::u16string LongNote(size_t length) {
    std::u16string text;
    for (size_t i = 0; text.size() < length; ++i) {
        if (i % 61 == 60) {
            text += u"\r\n";
        } else {
            text.push_back(i % 17 == 3 ? u'\t' : static_cast<char16_t>(u'a' + i % 26));
        }
    }
    text.resize(length);
    if (text.back() == u'\r') text.back() = u'x';
    return text;
}

tl5::Field ListField(size_t count) {
    tl5::Field field;
    field.SetType(tl5::FT_LIST);
    for (size_t i = 0; i < count; ++i)
        field.AddItem(u"item " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)));
    field.ClearChangeFlags();
    return field;
}

class EditorTest : public tl5test::InProcessAppSuite<EditorTest> {
public:
    static constexpr const wchar_t* kAppName = L"note-editors";

protected:
    struct NotesRun {
        bool changed = false;
        std::u16string out = u"untouched";
    };

    // Runs the notes editor on `text` with `body` acting on it, which ends with the dialog gone.
    static NotesRun RunNotes(const std::u16string& text,
                             const std::function<void(UiScript&, HWND dialog, HWND box)>& body) {
        NotesRun run;
        UiScript script(GetCurrentThreadId());
        script.Start([&](UiScript& s) {
            HWND dialog = s.WaitDialog(IDC_NOTES_TEXT, "notes editor");
            if (!dialog) return;
            body(s, dialog, GetDlgItem(dialog, IDC_NOTES_TEXT));
            s.WaitGone(dialog);
        });
        run.changed = tl5win::ShowNotesEditor(app_->MainWindow(), u"Notes", text, &run.out);
        EXPECT_TRUE(script.Finish(120000)) << "the script did not finish";
        EXPECT_FALSE(script.Failed()) << script.Failure();
        return run;
    }

    static bool RunList(tl5::Field* field, const std::function<void(UiScript&, HWND dialog)>& body,
                        std::vector<tl5test::SeenMessage>* messages = nullptr) {
        UiScript script(GetCurrentThreadId());
        script.Start([&](UiScript& s) {
            HWND dialog = s.WaitDialog(IDC_LIST_MOVE_DOWN, "list editor");
            if (!dialog) return;
            body(s, dialog);
            s.WaitGone(dialog);
        });
        const bool done = tl5win::ShowListEditor(app_->MainWindow(), field);
        EXPECT_TRUE(script.Finish(120000)) << "the script did not finish";
        EXPECT_FALSE(script.Failed()) << script.Failure();
        if (messages) *messages = script.Messages();
        return done;
    }

};

class NotesEditor : public EditorTest {};
class ListEditor : public EditorTest {};

}  // namespace

TEST_F(NotesEditor, KeepsAFortyThousandCharacterNoteAndReportsOnlyRealChanges) {
    const std::u16string note = LongNote(40000);

    // Opened, looked at (selected all, scrolled to the top) and Done: no change, nothing handed back.
    std::wstring shown;
    bool caretAtEnd = false;
    NotesRun looked = RunNotes(note, [&](UiScript& s, HWND dialog, HWND box) {
        shown = FullText(box);
        DWORD start = 0, end = 0;
        SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        caretAtEnd = start == 40000 && end == 40000;
        SendMessageW(box, EM_SETSEL, 0, -1);
        SendMessageW(box, WM_VSCROLL, SB_TOP, 0);
        s.Settle();
        Press(dialog, IDM_DONE);
    });
    EXPECT_EQ(shown.size(), 40000u);
    EXPECT_TRUE(shown == W(note)) << "the box does not hold the note as it was";
    EXPECT_TRUE(caretAtEnd);
    EXPECT_FALSE(looked.changed);
    EXPECT_EQ(looked.out, u"untouched");

    // One character typed at the end: the whole note comes back with it.
    NotesRun typed = RunNotes(note, [&](UiScript& s, HWND dialog, HWND box) {
        Char(box, L'!');
        s.Settle();
        Press(dialog, IDM_DONE);
    });
    EXPECT_TRUE(typed.changed);
    EXPECT_TRUE(typed.out == note + u"!") << "length " << typed.out.size();

    // Typed and rubbed out again: still a change (the box was modified), and the text is the note.
    NotesRun undone = RunNotes(note, [&](UiScript& s, HWND dialog, HWND box) {
        Char(box, L'!');
        Key(box, VK_BACK);
        s.Settle();
        Press(dialog, IDM_OK);
    });
    EXPECT_TRUE(undone.changed);
    EXPECT_TRUE(undone.out == note) << "length " << undone.out.size();

    // Cancel after typing hands nothing back.
    NotesRun cancelled = RunNotes(note, [&](UiScript& s, HWND dialog, HWND box) {
        Char(box, L'!');
        s.Settle();
        Press(dialog, IDM_CANCEL);
    });
    EXPECT_FALSE(cancelled.changed);
    EXPECT_EQ(cancelled.out, u"untouched");
}

TEST_F(NotesEditor, TabKeyPutsOneTabIntoTheTextAndKeepsTheFocus) {
    std::wstring afterKey, afterChar;
    bool focusKept = false;
    NotesRun run = RunNotes(u"ab", [&](UiScript& s, HWND dialog, HWND box) {
        Key(box, VK_TAB);
        s.Settle();
        afterKey = FullText(box);
        s.OnUiThread([&] { focusKept = GetFocus() == box; });
        // A tab character on its own (an input panel that sends characters only) is one tab too.
        Char(box, L'\t');
        Char(box, L'c');
        s.Settle();
        afterChar = FullText(box);
        Shot(dialog, L"notes-editor");
        Press(dialog, IDM_DONE);
    });
    EXPECT_EQ(afterKey, L"ab\t");
    EXPECT_TRUE(focusKept) << "Tab moved the focus out of the text";
    EXPECT_EQ(afterChar, L"ab\t\tc");
    EXPECT_TRUE(run.changed);
    EXPECT_EQ(run.out, u"ab\t\tc");
}

TEST_F(NotesEditor, ZoomChangesTheFontAtOnceAndIsUsedAgainNextTime) {
    tl5::AppSettings().noteZoom = 9;  // the default: 100%
    int openHeight = 0, zoomedHeight = 0;
    UINT markAtOpen = 0, markAfter = 0;
    uint32_t stored = 0;
    RunNotes(u"zoom", [&](UiScript& s, HWND dialog, HWND box) {
        openHeight = FontHeight(box);
        markAtOpen = MarkedZoom(dialog);
        Press(dialog, IDM_ZOOM_200);
        s.Settle();
        zoomedHeight = FontHeight(box);
        markAfter = MarkedZoom(dialog);
        s.OnUiThread([&] { stored = tl5::AppSettings().noteZoom; });
        Press(dialog, IDM_CANCEL);
    });
    EXPECT_EQ(openHeight, ExpectedHeight(9));
    EXPECT_EQ(markAtOpen, static_cast<UINT>(IDM_ZOOM_100));
    EXPECT_EQ(stored, 3u);
    EXPECT_EQ(zoomedHeight, ExpectedHeight(13));
    EXPECT_EQ(markAfter, static_cast<UINT>(IDM_ZOOM_200));

    int reopenedHeight = 0;
    UINT reopenedMark = 0;
    RunNotes(u"again", [&](UiScript&, HWND dialog, HWND box) {
        reopenedHeight = FontHeight(box);
        reopenedMark = MarkedZoom(dialog);
        Press(dialog, IDM_DONE);
    });
    EXPECT_EQ(reopenedHeight, ExpectedHeight(13));
    EXPECT_EQ(reopenedMark, static_cast<UINT>(IDM_ZOOM_200));
    tl5::AppSettings().noteZoom = 9;
}

TEST_F(ListEditor, AddMoveAndDeleteEditTheListAndDoneStoresItInTheField) {
    tl5::Field field = ListField(0);
    ASSERT_TRUE(field.AddItem(u"one"));
    ASSERT_TRUE(field.AddItem(u"two"));
    ASSERT_TRUE(field.AddItem(u"three"));
    field.ClearChangeFlags();

    std::vector<std::wstring> atStart, afterAdd, afterNoSelectionDelete, afterUp, afterTopUp, afterDown, afterDelete;
    std::wstring boxAfterAdd, title;
    int selectedAfterUp = -2, selectedAfterDelete = -2;
    const bool done = RunList(&field, [&](UiScript& s, HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_LIST_ITEMS);
        wchar_t caption[128] = {};
        GetWindowTextW(dialog, caption, 128);
        title = caption;
        atStart = ListTexts(list);

        TypeInto(dialog, IDC_LIST_TEXT, L"a^b");
        Press(dialog, IDC_LIST_ADD);
        s.Settle();
        afterAdd = ListTexts(list);
        boxAfterAdd = ControlText(dialog, IDC_LIST_TEXT);
        Press(dialog, IDC_LIST_ADD);  // an empty box adds nothing
        s.Settle();

        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        Press(dialog, IDC_LIST_DELETE);
        s.Settle();
        afterNoSelectionDelete = ListTexts(list);
        Shot(dialog, L"list-editor");

        SendMessageW(list, LB_SETCURSEL, 3, 0);  // "a b"
        Press(dialog, IDC_LIST_MOVE_UP);
        s.Settle();
        afterUp = ListTexts(list);
        selectedAfterUp = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
        for (int i = 0; i < 4; ++i) Press(dialog, IDC_LIST_MOVE_UP);  // twice to the top, then nothing
        s.Settle();
        afterTopUp = ListTexts(list);
        SendMessageW(list, LB_SETCURSEL, 3, 0);  // "three", the last
        Press(dialog, IDC_LIST_MOVE_DOWN);
        s.Settle();
        SendMessageW(list, LB_SETCURSEL, 1, 0);  // "one"
        Press(dialog, IDC_LIST_MOVE_DOWN);
        s.Settle();
        afterDown = ListTexts(list);

        SendMessageW(list, LB_SETCURSEL, 2, 0);  // "one"
        Press(dialog, IDC_LIST_DELETE);
        s.Settle();
        afterDelete = ListTexts(list);
        selectedAfterDelete = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
        Press(dialog, IDM_DONE);
    });

    EXPECT_EQ(title, S(IDS_SELECTION_LIST));
    EXPECT_EQ(atStart, (std::vector<std::wstring>{L"one", L"two", L"three"}));
    EXPECT_EQ(afterAdd, (std::vector<std::wstring>{L"one", L"two", L"three", L"a b"}));
    EXPECT_EQ(boxAfterAdd, L"");
    EXPECT_EQ(afterNoSelectionDelete, afterAdd) << "Delete without a selection removed an item";
    EXPECT_EQ(afterUp, (std::vector<std::wstring>{L"one", L"two", L"a b", L"three"}));
    EXPECT_EQ(selectedAfterUp, 2);
    EXPECT_EQ(afterTopUp, (std::vector<std::wstring>{L"a b", L"one", L"two", L"three"}));
    EXPECT_EQ(afterDown, (std::vector<std::wstring>{L"a b", L"two", L"one", L"three"}));
    EXPECT_EQ(afterDelete, (std::vector<std::wstring>{L"a b", L"two", L"three"}));
    EXPECT_EQ(selectedAfterDelete, 1);

    EXPECT_TRUE(done);
    EXPECT_EQ(Wide(field.Items()), (std::vector<std::wstring>{L"a b", L"two", L"three"}));
    EXPECT_NE(field.ChangeFlags() & tl5::kFieldItemsChanged, 0u);
}

TEST_F(ListEditor, TheHundredTwentyNinthAddIsRefusedWithAMessageAndCancelKeepsTheField) {
    tl5::Field field = ListField(127);
    const std::vector<std::u16string> before = field.Items();

    size_t countAfterLast = 0, countAfterRefused = 0;
    std::wstring boxAfterRefused;
    std::vector<tl5test::SeenMessage> messages;
    const bool done = RunList(
        &field,
        [&](UiScript& s, HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_LIST_ITEMS);
            TypeInto(dialog, IDC_LIST_TEXT, L"the 128th");
            Press(dialog, IDC_LIST_ADD);
            s.Settle();
            countAfterLast = ListTexts(list).size();
            TypeInto(dialog, IDC_LIST_TEXT, L"the 129th");
            Press(dialog, IDC_LIST_ADD);
            s.AnswerMessage(IDOK, "the list is full");
            countAfterRefused = ListTexts(list).size();
            boxAfterRefused = ControlText(dialog, IDC_LIST_TEXT);
            Press(dialog, IDM_CANCEL);
        },
        &messages);

    EXPECT_EQ(countAfterLast, 128u);
    EXPECT_EQ(countAfterRefused, 128u);
    EXPECT_EQ(boxAfterRefused, L"the 129th") << "the refused text should stay in the box";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, S(IDS_LIST_FULL));
    EXPECT_FALSE(done);
    EXPECT_EQ(field.Items(), before);
    EXPECT_EQ(field.ChangeFlags(), 0u);

    // Done without a change reports Done and leaves the field untouched.
    const bool unchanged = RunList(&field, [](UiScript&, HWND dialog) { Press(dialog, IDM_DONE); });
    EXPECT_TRUE(unchanged);
    EXPECT_EQ(field.Items(), before);
    EXPECT_EQ(field.ChangeFlags(), 0u);
}
