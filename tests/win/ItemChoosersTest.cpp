// The item choosers and the document chooser as a user meets them: the real dialogs are run and a
// helper thread taps, types and presses as a user would, then the results are checked.
//
// With TL5_SHOTS naming a folder, each dialog also waits, once it is filled, for a photograph taken
// from outside (it leaves NAME.ready there and goes on when NAME.png appears).
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "StringIds.h"
#include "cardui/DocChooserRules.h"
#include "cardui/win/DocChooser.h"
#include "cardui/win/Strings.h"
#include "dialogs/ChooserRules.h"
#include "dialogs/win/ItemChoosers.h"
#include "model/BuiltInForm.h"
#include "model/CaseFold.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/FormatText.h"
#include "platform/Text.h"
#include "platform/pocketpc/DocList.h"
#include "platform/pocketpc/Shell.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/win/MainWindow.h"
#include "shell/win/Startup.h"
#include "tests/win/IconFixture.h"
#include "tests/win/InProcessAppSuite.h"
#include "tests/win/MainWindowTestDriver.h"

using tl5test::ControlText;
using tl5test::Press;
using tl5test::RemoveTree;
using tl5test::TypeInto;
using tl5test::UiScript;

namespace {

std::wstring S(uint32_t id) { return tl5win::Text(id); }

void WriteFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

BOOL CALLBACK FindUnpainted(HWND child, LPARAM found) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

// True when neither the window nor any of its visible children has anything left to paint.
bool FullyPainted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return false;
    bool unpainted = false;
    EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

// Waits until the photograph named `name` of `window` has been taken (only with TL5_SHOTS): once the
// window is in front and has painted itself. The dialogs run on the test's thread, so the waits pump
// when they run there.
void Shot(HWND window, const wchar_t* name, bool pump) {
    wchar_t folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"TL5_SHOTS", folder, MAX_PATH) || !folder[0]) return;
    const std::wstring base = std::wstring(folder) + L"\\" + name;
    const std::wstring png = base + L".png";
    auto wait = [pump](const std::function<bool()>& done, DWORD ms) {
        return pump ? tl5test::PumpUntil(done, ms) : tl5test::PollUntil(done, ms);
    };
    wait([window] { return GetForegroundWindow() == window; }, 5000);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    wait([window] { return FullyPainted(window); }, 5000);
    WriteFile(base + L".ready", {'1'});
    wait([&] { return Exists(png); }, 30000);
}

// Icons of one colour at 16 and 32 pixels.
std::vector<uint8_t> Icon(uint32_t rgb) { return iconfixture::MakeIcon({{16, rgb}, {32, rgb}}); }

std::vector<std::wstring> ListTexts(HWND list) {
    std::vector<std::wstring> texts;
    const int n = ListView_GetItemCount(list);
    for (int i = 0; i < n; ++i) {
        wchar_t text[256] = {};
        ListView_GetItemText(list, i, 0, text, 256);
        texts.push_back(text);
    }
    return texts;
}

// A tap at a point of a control (its client coordinates).
void TapAt(HWND control, POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(control, WM_LBUTTONUP, 0, where);
}

// A tap in the middle of list item `item`, scrolled into view first.
void TapItem(HWND list, int item) {
    ListView_EnsureVisible(list, item, FALSE);
    RECT r{};
    ListView_GetItemRect(list, item, &r, LVIR_LABEL);
    TapAt(list, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

// The colour at the centre of a control as it is on the screen (painted first).
COLORREF CentrePixel(HWND control) {
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT r{};
    GetClientRect(control, &r);
    HDC dc = GetDC(control);
    const COLORREF p = GetPixel(dc, r.right / 2, r.bottom / 2);
    ReleaseDC(control, dc);
    return p;
}
bool IsBlue(COLORREF p) { return p != CLR_INVALID && GetBValue(p) > 150 && GetRValue(p) < 80 && GetGValue(p) < 100; }

bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

// A parent for the document chooser that records the messages posted to it.
struct Posted {
    UINT message;
    WPARAM code;
};
std::vector<Posted>& PostedToParent() {
    static std::vector<Posted> posted;
    return posted;
}
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == DOC_CHOOSER_RESULT || message == WMU_IMPORT_TEXT) PostedToParent().push_back({message, wParam});
    return DefWindowProcW(window, message, wParam, lParam);
}

// Starts a script; when it fails, the dialogs it left open are cancelled so the one under test returns.
void StartScript(UiScript& script, std::function<void(UiScript&)> body) {
    script.Start([body](UiScript& s) {
        body(s);
        if (!s.Failed()) return;
        for (int round = 0; round < 20; ++round) {
            std::vector<HWND> cancelled;
            for (HWND w : tl5test::ThreadWindows(s.UiThread())) {
                wchar_t cls[16] = {};
                GetClassNameW(w, cls, 16);
                if (lstrcmpW(cls, L"#32770") != 0) continue;
                PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
                cancelled.push_back(w);
            }
            if (cancelled.empty()) return;
            // Until they are gone; one that stays (a dialog under another) is cancelled again next round.
            tl5test::PollUntil([&] {
                return std::none_of(cancelled.begin(), cancelled.end(), [](HWND w) { return IsWindow(w) && IsWindowVisible(w); });
            }, 2000);
        }
    });
}

class ItemChoosers : public tl5test::InProcessAppSuite<ItemChoosers> {
public:
    static constexpr const wchar_t* kAppName = L"choosers";

protected:
    static void SetUpTestSuite() {
        InProcessAppSuite::SetUpTestSuite();
        docs_ = new std::wstring(app_->Documents());
    }

    void SetUp() override {
        ASSERT_NE(main_, nullptr);
        const std::u16string path = tl5::FromWide(*docs_ + L"\\Choosers.tl5");
        DeleteFileW(tl5::ToWide(path).c_str());
        ASSERT_EQ(wallet_.Create(path, kPassword, u"", false), tl5::kCreateOk);
        ASSERT_EQ(wallet_.Open(path, &kPassword, false), tl5::kOpenOk);
    }

    void TearDown() override { wallet_.Close(false); }

    int AddCard(const std::u16string& name, const tl5::ItemId& parent, const std::vector<uint8_t>& icon = {}) {
        std::unique_ptr<tl5::Card> card = tl5::NewEmptyCard(wallet_, parent);
        card->Record().SetName(name);
        if (!icon.empty()) {
            EXPECT_TRUE(card->Record().SetCustomIcon(icon.data(), icon.size()));
        }
        return wallet_.AppendCard(card.get(), false);
    }
    tl5::ItemId MyFormsId() { return wallet_.ItemAt(static_cast<size_t>(wallet_.MyFormsIndex())).Id(); }

    static DWORD Ui() { return GetCurrentThreadId(); }
    static void Finish(UiScript& script) {
        ASSERT_TRUE(script.Finish(60000)) << "the script did not finish";
        EXPECT_FALSE(script.Failed()) << script.Failure();
    }

    // Taps cell `n` of the icon picker's grid (row-major, as many columns as the grid has).
    static void TapCell(HWND picker, int n) {
        HWND grid = GetDlgItem(picker, IDC_ICON_GRID);
        const int columns = Header_GetItemCount(ListView_GetHeader(grid));
        ASSERT_GT(columns, 0);
        const int row = n / columns, column = n % columns;
        ListView_EnsureVisible(grid, row, FALSE);
        RECT r{};
        ListView_GetItemRect(grid, row, &r, LVIR_BOUNDS);
        int x = r.left;
        for (int k = 0; k < column; ++k) x += ListView_GetColumnWidth(grid, k);
        TapAt(grid, POINT{x + ListView_GetColumnWidth(grid, column) / 2, (r.top + r.bottom) / 2});
    }

    static inline const std::u16string kPassword = u"secret1";
    static std::wstring* docs_;
    tl5::Wallet wallet_;
};

std::wstring* ItemChoosers::docs_ = nullptr;

TEST_F(ItemChoosers, CardTypeChooserListsMyFormsFirstThenTheBuiltInFormsAndOneTapChooses) {
    const int alpha = AddCard(u"Alpha", MyFormsId(), Icon(0xC03030));
    AddCard(u"zzz Last form", MyFormsId());
    AddCard(u"Not a form", tl5::ItemId());
    const tl5::FormId alphaForm = tl5::FormId::FromItemId(wallet_.ItemAt(static_cast<size_t>(alpha)).Id());

    // The built-in names as the list must show them: sorted without regard to case.
    std::vector<std::wstring> builtIn;
    for (int n = 0; n < tl5::kBuiltInFormCount; ++n) builtIn.push_back(S(tl5::BuiltInFormByNumber(n)->nameString));
    std::stable_sort(builtIn.begin(), builtIn.end(), [](const std::wstring& a, const std::wstring& b) {
        return tl5::CompareNoCase(tl5::FromWide(a), tl5::FromWide(b)) < 0;
    });
    auto numberNamed = [](const std::wstring& name) {
        for (int n = 0; n < tl5::kBuiltInFormCount; ++n)
            if (S(tl5::BuiltInFormByNumber(n)->nameString) == name) return n;
        return -1;
    };

    struct Case {
        const char* what;
        int tapRow;  // -1: Cancel
        int variant;
    };
    for (const Case& c : {Case{"a built-in form", 20, 1}, Case{"a My Forms form", 0, 0}, Case{"cancelled", -1, 1}}) {
        SCOPED_TRACE(c.what);
        tl5::FormChoice choice;
        ASSERT_TRUE(tl5::FormId::ForBuiltIn(7, &choice.form));
        const tl5::FormChoice before = choice;
        std::vector<std::wstring> texts;
        std::wstring title, selected, tapped;
        int blueInMyForm = 0, blueInBuiltIn = 0;
        UiScript script(Ui());
        StartScript(script, [&](UiScript& s) {
            HWND dialog = s.WaitDialog(IDC_FORM_LIST, "card type chooser");
            if (!dialog) return;
            HWND list = GetDlgItem(dialog, IDC_FORM_LIST);
            texts = ListTexts(list);
            const int sel = ListView_GetNextItem(list, -1, LVNI_SELECTED);
            if (sel >= 0) selected = texts[static_cast<size_t>(sel)];
            wchar_t caption[128] = {};
            GetWindowTextW(dialog, caption, 128);
            title = caption;
            // A My Forms form that is not selected is drawn in dark blue; a built-in form is not.
            ListView_EnsureVisible(list, 0, FALSE);
            auto countBlue = [&] {
                RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                RECT rows{};
                ListView_GetItemRect(list, 0, &rows, LVIR_LABEL);
                const int h = rows.bottom - rows.top;
                blueInMyForm = blueInBuiltIn = 0;
                HDC screen = GetDC(list);
                for (int row : {0, 2})
                    for (int y = rows.top + row * h; y < rows.bottom + row * h; ++y)
                        for (int x = rows.left; x < rows.right; ++x)
                            if (IsBlue(GetPixel(screen, x, y))) ++(row == 0 ? blueInMyForm : blueInBuiltIn);
                ReleaseDC(list, screen);
                return blueInMyForm > 0;
            };
            tl5test::PollUntil(countBlue, 5000);
            if (c.tapRow == 0) Shot(dialog, L"card-type-chooser", false);
            if (c.tapRow < 0) {
                Press(dialog, IDM_CANCEL);
            } else {
                tapped = texts[static_cast<size_t>(c.tapRow)];
                TapItem(list, c.tapRow);
            }
            s.WaitGone(dialog);
        });
        const bool chosen = tl5win::ShowCardTypeChooser(main_, wallet_, &choice, c.variant);
        Finish(script);

        ASSERT_EQ(texts.size(), 2u + tl5::kBuiltInFormCount);
        EXPECT_EQ(texts[0], L"Alpha");
        EXPECT_EQ(texts[1], L"zzz Last form");  // last by name, still before every built-in form
        EXPECT_EQ(std::vector<std::wstring>(texts.begin() + 2, texts.end()), builtIn);
        EXPECT_EQ(selected, S(tl5::BuiltInFormByNumber(7)->nameString));  // the incoming form
        EXPECT_EQ(title, S(c.variant == 1 ? IDS_NEW_CARD_TITLE : IDS_DEFAULT_CARD_FORM_TITLE));
        EXPECT_GT(blueInMyForm, 0);
        EXPECT_EQ(blueInBuiltIn, 0);
        if (c.tapRow < 0) {
            EXPECT_FALSE(chosen);
            EXPECT_TRUE(choice.form == before.form);
            EXPECT_EQ(choice.number, before.number);
        } else if (c.tapRow == 0) {
            EXPECT_TRUE(chosen);
            EXPECT_FALSE(choice.builtIn);
            EXPECT_TRUE(choice.form == alphaForm);
        } else {
            EXPECT_TRUE(chosen);
            EXPECT_TRUE(choice.builtIn);
            EXPECT_EQ(choice.number, numberNamed(tapped));
            tl5::FormId expected;
            ASSERT_TRUE(tl5::FormId::ForBuiltIn(choice.number, &expected));
            EXPECT_TRUE(choice.form == expected);
        }
    }
}

TEST_F(ItemChoosers, FolderPropertiesEditNameIconAndLevelOnlyOnDone) {
    AddCard(u"red", tl5::ItemId(), Icon(0xE02020));
    AddCard(u"green", tl5::ItemId(), Icon(0x20C020));
    const std::vector<tl5::IconCell> cells = tl5::IconPickerCells(wallet_);
    ASSERT_EQ(cells.size(), 146u);

    for (bool done : {false, true}) {
        SCOPED_TRACE(done ? "Done" : "Cancel");
        tl5::ItemRecord folder;
        ASSERT_TRUE(tl5::NewFolder(wallet_, tl5::ItemId(), false, &folder));
        folder.SetName(u"Banking");
        folder.SetIcon(72);
        tl5::FolderPropertiesRequest request;
        request.offerMainLevel = true;
        std::wstring name, title;
        bool iconShown = false, formShown = false, levelShown = false;
        UiScript script(Ui());
        StartScript(script, [&](UiScript& s) {
            HWND dialog = s.WaitDialog(IDC_FOLDER_NAME, "folder properties");
            if (!dialog) return;
            name = ControlText(dialog, IDC_FOLDER_NAME);
            wchar_t caption[128] = {};
            GetWindowTextW(dialog, caption, 128);
            title = caption;
            iconShown = Visible(dialog, IDC_FOLDER_ICON);
            formShown = Visible(dialog, IDC_FOLDER_FORM_CHOOSE);
            levelShown = Visible(dialog, IDC_FOLDER_MAIN_LEVEL);
            TypeInto(dialog, IDC_FOLDER_NAME, L"Bank & Cards");
            PostMessageW(GetDlgItem(dialog, IDC_FOLDER_MAIN_LEVEL), BM_SETCHECK, BST_CHECKED, 0);
            // The icon through the picker: the second custom icon.
            Press(dialog, IDC_FOLDER_ICON);
            HWND picker = s.WaitDialog(IDC_ICON_GRID, "icon picker");
            if (!picker) return;
            TapCell(picker, 145);
            Press(picker, IDM_DONE);
            s.WaitGone(picker);
            if (done) Shot(dialog, L"folder-properties", false);
            Press(dialog, done ? IDM_DONE : IDM_CANCEL);
            s.WaitGone(dialog);
        });
        const bool result = tl5win::ShowFolderProperties(main_, wallet_, &request, &folder);
        Finish(script);

        EXPECT_EQ(result, done);
        EXPECT_EQ(name, L"Banking");
        EXPECT_EQ(title, S(IDS_FOLDER_PROPERTIES));
        EXPECT_TRUE(iconShown);
        EXPECT_TRUE(formShown);
        EXPECT_TRUE(levelShown);
        if (done) {
            EXPECT_EQ(folder.Name(), u"Bank & Cards");
            ASSERT_TRUE(folder.HasCustomIcon());
            EXPECT_EQ(folder.CustomIconBytes(), *cells[145].bytes);
            EXPECT_TRUE(request.mainLevel);
        } else {
            // Cancel leaves the caller's copy as it was, icon included.
            EXPECT_EQ(folder.Name(), u"Banking");
            EXPECT_EQ(folder.Icon(), 72);
            EXPECT_FALSE(request.mainLevel);
        }
    }
}

TEST_F(ItemChoosers, FolderPropertiesOfASpecialNodeShowOnlyTheLabel) {
    tl5::FolderPropertiesRequest request = tl5::SpecialNodePropertiesRequest(wallet_, 1, tl5win::TextU16);
    std::wstring name, title;
    bool nameShown = false, others = true;
    UiScript script(Ui());
    StartScript(script, [&](UiScript& s) {
        HWND dialog = s.WaitDialog(IDC_FOLDER_NAME, "folder properties");
        if (!dialog) return;
        name = ControlText(dialog, IDC_FOLDER_NAME);
        wchar_t caption[128] = {};
        GetWindowTextW(dialog, caption, 128);
        title = caption;
        nameShown = Visible(dialog, IDC_FOLDER_NAME);
        others = false;
        for (int id : {IDC_FOLDER_ICON, IDC_FOLDER_ICON_LABEL, IDC_FOLDER_FORM_LABEL, IDC_FOLDER_FORM_NAME,
                       IDC_FOLDER_FORM_CHOOSE, IDC_FOLDER_MAIN_LEVEL})
            others = others || Visible(dialog, id);
        TypeInto(dialog, IDC_FOLDER_NAME, L"Starred cards");
        Shot(dialog, L"folder-properties-label-only", false);
        Press(dialog, IDM_DONE);
        s.WaitGone(dialog);
    });
    EXPECT_TRUE(tl5win::ShowFolderProperties(main_, wallet_, &request, nullptr));
    Finish(script);
    EXPECT_EQ(name, S(IDS_FAVORITES));
    EXPECT_EQ(title, tl5::ToWide(tl5::FormatText(tl5win::TextU16(IDS_RENAME_ITEM), {tl5win::TextU16(IDS_FAVORITES)})));
    EXPECT_TRUE(nameShown);
    EXPECT_FALSE(others);
    EXPECT_EQ(request.label, u"Starred cards");
}

TEST_F(ItemChoosers, IconPickerStoresTheBytesOfTheIconTappedOrImported) {
    const std::vector<uint8_t> red = Icon(0xE02020), green = Icon(0x20C020), blue = Icon(0x2040E0);
    AddCard(u"green", tl5::ItemId(), green);
    AddCard(u"red", tl5::ItemId(), red);
    AddCard(u"green again", tl5::ItemId(), green);
    const std::wstring imported = *docs_ + L"\\Imported.ico";
    const std::wstring notAnIcon = *docs_ + L"\\Broken.ico";

    struct Case {
        const char* what;
        int tapCell;  // -1: no tap
        const std::wstring* importFile;
        bool expectChange;
        int expectIcon;
        const std::vector<uint8_t>* expectBytes;
        bool expectMessage;
    };
    const Case cases[] = {
        {"custom cell", 145, nullptr, true, -1, &red, false},
        {"imported file", -1, &imported, true, -1, &blue, false},
        {"stock cell", 30, nullptr, true, 30, nullptr, false},
        {"the icon it has", 10, nullptr, false, 10, nullptr, false},
        {"a file that is no icon", -1, &notAnIcon, false, 10, nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(imported, blue);
        WriteFile(notAnIcon, {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'c', 'o', 'n'});
        tl5::IconChoice choice;
        choice.icon = 10;
        int rows = 0, listed = 0;
        UiScript script(Ui());
        StartScript(script, [&](UiScript& s) {
            HWND picker = s.WaitDialog(IDC_ICON_GRID, "icon picker");
            if (!picker) return;
            rows = ListView_GetItemCount(GetDlgItem(picker, IDC_ICON_GRID)) *
                   Header_GetItemCount(ListView_GetHeader(GetDlgItem(picker, IDC_ICON_GRID)));
            if (c.tapCell >= 0) TapCell(picker, c.tapCell);
            if (c.importFile) {
                Press(picker, IDC_IMPORT_ICON);
                HWND chooser = s.WaitDialog(IDC_DOCUMENT_LIST, "document chooser");
                if (!chooser) return;
                HWND list = GetDlgItem(chooser, IDC_DOCUMENT_LIST);
                listed = static_cast<int>(SendMessageW(list, ppc::DLM_GETITEMCOUNT, 0, 0));
                // The documents are sorted by name: Broken, Imported.
                SendMessageW(list, ppc::DLM_SETSELECT, c.importFile == &imported ? 1 : 0, 0);
                Press(chooser, IDM_DONE);
                s.WaitGone(chooser);
                // The picker takes the outcome after the chooser has gone: the refusal, or the new
                // icon's preview showing the imported (blue) icon.
                if (c.expectMessage) {
                    s.AnswerMessage(IDOK, "icon refused");
                } else if (!tl5test::PollUntil([&] { return IsBlue(CentrePixel(GetDlgItem(picker, IDC_NEW_ICON_LARGE))); }, 10000)) {
                    s.Fail("the imported icon is not shown as the new icon");
                }
                // Read once, at the import: the file is not needed afterwards.
                DeleteFileW(c.importFile->c_str());
            }
            if (c.tapCell == 145) Shot(picker, L"icon-picker", false);
            Press(picker, IDM_DONE);
            s.WaitGone(picker);
        });
        const bool changed = tl5win::ShowIconPicker(main_, wallet_, &choice);
        Finish(script);

        EXPECT_GE(rows, 146);  // 144 stock icons and the two custom ones
        if (c.importFile) {
            EXPECT_EQ(listed, 2);
        }
        EXPECT_EQ(changed, c.expectChange);
        EXPECT_EQ(choice.icon, c.expectIcon);
        if (c.expectBytes) {
            EXPECT_EQ(choice.customBytes, *c.expectBytes);
        } else {
            EXPECT_TRUE(choice.customBytes.empty());
        }
        const auto seen = script.Messages();
        ASSERT_EQ(seen.size(), c.expectMessage ? 1u : 0u);
        if (c.expectMessage) {
            EXPECT_EQ(seen[0].text, S(IDS_ICON_FILE_NOT_ICON));
        }
    }
}

TEST_F(ItemChoosers, DocumentChooserListsTheMatchingDocumentsAndPostsOneOutcome) {
    const std::wstring folder = *docs_ + L"\\Files";
    RemoveTree(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    SetEnvironmentVariableW(L"TL5_DOCUMENTS", folder.c_str());
    CreateDirectoryW((folder + L"\\Inner").c_str(), nullptr);
    WriteFile(folder + L"\\beta.TXT", {'b'});
    WriteFile(folder + L"\\alpha.ico", {'a'});
    WriteFile(folder + L"\\Inner\\gamma.txt", {'g'});
    WriteFile(folder + L"\\delta.bin", {'d'});
    WriteFile(folder + L"\\epsilon.txt.bak", {'e'});

    WNDCLASSW wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"tl5.ChooserTestParent";
    RegisterClassW(&wc);
    HWND parent =
        CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(parent, nullptr);

    enum Action { kDoneSelected, kDoneNothing, kNone, kCancel, kTap };
    struct Case {
        const char* what;
        Action action;
        bool allowNone;
        UINT message;
        int code;
        std::wstring path;
    };
    const Case cases[] = {
        {"Done with a document", kDoneSelected, true, DOC_CHOOSER_RESULT, tl5::kDocChooserChosen,
         folder + L"\\beta.TXT"},
        {"Done with nothing selected", kDoneNothing, false, DOC_CHOOSER_RESULT, tl5::kDocChooserCancelled, L""},
        {"None", kNone, true, DOC_CHOOSER_RESULT, tl5::kDocChooserChosen, L""},
        {"Cancel", kCancel, false, WMU_IMPORT_TEXT, tl5::kDocChooserCancelled, L""},
        {"a tapped document", kTap, false, WMU_IMPORT_TEXT, tl5::kDocChooserChosen, folder + L"\\Inner\\gamma.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PostedToParent().clear();
        const size_t windowsBefore = tl5test::ThreadWindows(GetCurrentThreadId()).size();
        tl5win::ArmDocChooser(c.message, L"*.txt;*.ico", L"Some files", L"Pick a file", IDI_TL_NOTES, c.allowNone);
        ASSERT_TRUE(tl5win::ShowDocChooser(parent));
        HWND chooser = tl5win::DocChooserWindow();
        ASSERT_NE(chooser, nullptr);
        HWND list = GetDlgItem(chooser, IDC_DOCUMENT_LIST);
        EXPECT_EQ(SendMessageW(list, ppc::DLM_GETITEMCOUNT, 0, 0), 3);  // alpha.ico, beta.TXT, Inner\gamma.txt
        wchar_t caption[128] = {};
        GetWindowTextW(chooser, caption, 128);
        EXPECT_STREQ(caption, L"Pick a file");
        // Menu bar: Done and a menu of None and Cancel, or Done and Cancel.
        HWND bar = ppc::SHFindMenuBar(chooser);
        wchar_t button[64] = {};
        EXPECT_EQ(ppc::GetMenuBarButtonText(bar, IDM_CANCEL, button, 64), !c.allowNone);
        EXPECT_TRUE(ppc::GetMenuBarButtonText(bar, IDM_DONE, button, 64));
        if (c.action == kNone) Shot(chooser, L"doc-chooser", true);
        HWND inner = FindWindowExW(list, nullptr, WC_LISTVIEWW, nullptr);
        switch (c.action) {
            case kDoneSelected:
                SendMessageW(list, ppc::DLM_SETSELECT, 1, 0);
                Press(chooser, IDM_DONE);
                break;
            case kDoneNothing:
                ListView_SetItemState(inner, -1, 0, LVIS_SELECTED);
                Press(chooser, IDM_DONE);
                break;
            case kNone: Press(chooser, IDM_NONE); break;
            case kCancel: Press(chooser, IDM_CANCEL); break;
            case kTap: TapItem(inner, 2); break;
        }
        ASSERT_TRUE(tl5test::PumpUntil([&] { return !PostedToParent().empty() && !IsWindow(chooser); }, 10000));
        ASSERT_TRUE(tl5test::PumpUntilSettled());  // nothing more may come
        ASSERT_EQ(PostedToParent().size(), 1u);
        EXPECT_EQ(PostedToParent()[0].message, c.message);
        EXPECT_EQ(PostedToParent()[0].code, static_cast<WPARAM>(c.code));
        std::wstring path;
        EXPECT_EQ(tl5win::DocChooserChosenPath(&path), !c.path.empty());
        EXPECT_EQ(path, c.path);
        // Nothing of the chooser stays on the screen (its menu bar included).
        EXPECT_EQ(tl5test::ThreadWindows(GetCurrentThreadId()).size(), windowsBefore);
        // One outcome per arm: not shown again until armed again.
        EXPECT_FALSE(tl5win::ShowDocChooser(parent));
    }

    // Armed again while on the screen: the earlier run is cancelled first, its parent told.
    PostedToParent().clear();
    tl5win::ArmDocChooser(DOC_CHOOSER_RESULT, L"*.txt", L"Text", L"First", IDI_TL_NOTES, false);
    ASSERT_TRUE(tl5win::ShowDocChooser(parent));
    HWND first = tl5win::DocChooserWindow();
    tl5win::ArmDocChooser(WMU_IMPORT_TEXT, L"*.txt", L"Text", L"Second", IDI_TL_NOTES, false);
    EXPECT_FALSE(IsWindow(first));
    ASSERT_TRUE(tl5test::PumpUntil([] { return !PostedToParent().empty(); }, 5000));
    EXPECT_EQ(PostedToParent()[0].message, DOC_CHOOSER_RESULT);
    EXPECT_EQ(PostedToParent()[0].code, static_cast<WPARAM>(tl5::kDocChooserCancelled));
    ASSERT_TRUE(tl5win::ShowDocChooser(parent));
    Press(tl5win::DocChooserWindow(), IDM_CANCEL);
    ASSERT_TRUE(tl5test::PumpUntil([] { return PostedToParent().size() == 2; }, 5000));
    EXPECT_EQ(PostedToParent()[1].message, WMU_IMPORT_TEXT);

    DestroyWindow(parent);
    SetEnvironmentVariableW(L"TL5_DOCUMENTS", docs_->c_str());
}

}  // namespace
