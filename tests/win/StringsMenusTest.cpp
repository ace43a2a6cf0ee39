// Strings from the language module, the choice of that module, and the translation of menus and
// menu bars through their English captions.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cardui/MenuCaptions.h"
#include "cardui/win/Strings.h"
#include "StringIds.h"
#include "model/Field.h"
#include "platform/Text.h"
#include "platform/win32/Win32Time.h"
#include "platform/pocketpc/Shell.h"
#include "resources/resource.h"
#include "shell/win/Startup.h"
#include "tests/win/AppProcess.h"

namespace {

std::wstring TempFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + name + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\";
}

const std::wstring kEnglishModule = AppProcess::BinaryFolder() + L"ostrovtlpro5ppc.exe.0409.mui";

// A copy of the English module with some strings replaced (a stand-in for another language).
std::wstring MakeTranslatedModule(const std::wstring& path, const std::map<UINT, std::wstring>& replace) {
    if (!CopyFileW(kEnglishModule.c_str(), path.c_str(), FALSE)) return L"";
    HMODULE source = LoadLibraryExW(kEnglishModule.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!source) return L"";
    std::map<UINT, std::vector<WORD>> blocks;
    for (const auto& [id, text] : replace) {
        const UINT block = id / 16 + 1;
        if (blocks.count(block)) continue;
        // Rebuild the whole block of 16 counted strings.
        std::vector<WORD> data;
        for (UINT i = 0; i < 16; ++i) {
            const UINT sid = (block - 1) * 16 + i;
            std::wstring s;
            auto it = replace.find(sid);
            if (it != replace.end()) {
                s = it->second;
            } else {
                const wchar_t* p = nullptr;
                const int n = LoadStringW(source, sid, reinterpret_cast<LPWSTR>(&p), 0);
                if (n > 0) s.assign(p, static_cast<size_t>(n));
            }
            data.push_back(static_cast<WORD>(s.size()));
            data.insert(data.end(), s.begin(), s.end());
        }
        blocks[block] = data;
    }
    FreeLibrary(source);
    HANDLE update = BeginUpdateResourceW(path.c_str(), FALSE);
    if (!update) return L"";
    for (auto& [block, data] : blocks) {
        UpdateResourceW(update, RT_STRING, MAKEINTRESOURCEW(block), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                        data.data(), static_cast<DWORD>(data.size() * sizeof(WORD)));
    }
    return EndUpdateResourceW(update, FALSE) ? path : L"";
}

class StringsAndMenus : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = LoadLibraryExW((AppProcess::BinaryFolder() + APP_EXE_NAME).c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(program_, nullptr);
        tl5win::SetProgramInstance(program_);
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"tl5.StringsTest";
        RegisterClassW(&wc);
        owner_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    }
    void TearDown() override {
        DestroyWindow(owner_);
        tl5win::SetStringModule(nullptr);
        tl5win::SetProgramInstance(nullptr);
        for (HMODULE m : loaded_) FreeLibrary(m);
        FreeLibrary(program_);
        for (const std::wstring& f : files_) DeleteFileW(f.c_str());
        for (const std::wstring& d : folders_) RemoveDirectoryW(d.c_str());
    }
    HMODULE Load(const std::wstring& path) {
        HMODULE m = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (m) loaded_.push_back(m);
        return m;
    }

    HMODULE program_ = nullptr;
    HWND owner_ = nullptr;
    std::vector<HMODULE> loaded_;
    std::vector<std::wstring> files_, folders_;
};

std::wstring ButtonText(HWND bar, UINT command) {
    wchar_t text[128] = {};
    ppc::GetMenuBarButtonText(bar, command, text, 128);
    return text;
}

std::wstring ItemText(HMENU menu, UINT command) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, command, text, 128, MF_BYCOMMAND);
    return text;
}

}  // namespace

TEST_F(StringsAndMenus, LoadStringFallsBackToStarAndQuestionMark) {
    tl5win::SetStringModule(nullptr);
    EXPECT_STREQ(tl5win::Text(IDS_APP_NAME), L"*");
    HMODULE english = Load(kEnglishModule);
    ASSERT_NE(english, nullptr);
    tl5win::SetStringModule(english);
    EXPECT_STREQ(tl5win::Text(IDS_APP_NAME), L"Tessellock Pro 5");
    EXPECT_STREQ(tl5win::Text(IDS_MENU_EXIT), L"Exit");
    EXPECT_STREQ(tl5win::Text(65000), L"?");
    // The same identifier gives the same stable text.
    EXPECT_EQ(tl5win::Text(IDS_APP_NAME), tl5win::Text(IDS_APP_NAME));

    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 10, 10, owner_, reinterpret_cast<HMENU>(9), nullptr,
                                nullptr);
    SetDlgItemTextW(owner_, 9, tl5win::Text(IDS_MENU_CANCEL));
    wchar_t text[32] = {};
    GetWindowTextW(edit, text, 32);
    EXPECT_STREQ(text, L"Cancel");
}

TEST_F(StringsAndMenus, MenuBarsAreTranslatedThroughTheirEnglishCaptions) {
    const std::wstring folder = TempFolder(L"tl5-lang");
    folders_.push_back(folder);
    files_.push_back(folder + L"xx.mui");
    const std::wstring path = MakeTranslatedModule(folder + L"xx.mui",
                                                   {{IDS_MENU_FIND, L"Suchen"}, {IDS_MENU_MENU, L"Men\u00fc"}, {IDS_MENU_COPY, L"Kopieren"},
                                                    {IDS_MENU_EDIT, L"Bearbeiten"}, {IDS_MENU_EXIT, L""}, {IDS_MENU_COPY_TEXT, L"Text kopieren"}});
    ASSERT_FALSE(path.empty());
    HMODULE german = Load(path);
    ASSERT_NE(german, nullptr);
    tl5win::SetStringModule(german);

    HWND bar = tl5win::CreateMenuBarById(owner_, IDMB_MAIN);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(ButtonText(bar, IDM_FIND), L"Suchen");
    EXPECT_EQ(ButtonText(bar, IDM_MENU_BUTTON), L"Men\u00fc");
    HMENU popup = reinterpret_cast<HMENU>(SendMessageW(bar, ppc::SHCMBM_GETSUBMENU, 0, IDM_MENU_BUTTON));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(ItemText(popup, IDM_COPY), L"Kopieren") << "items of sub-menus are translated";
    EXPECT_EQ(ItemText(popup, IDM_NEW_CARD), L"New Card");
    EXPECT_EQ(ItemText(popup, IDM_EXIT), L"Exit") << "an empty translation keeps the English caption";
    wchar_t edit[64] = {};
    GetMenuStringW(popup, 4, edit, 64, MF_BYPOSITION);
    EXPECT_STREQ(edit, L"Bearbeiten");
    DestroyWindow(bar);

    // A pop-up menu translated when it opens: case is ignored, unknown captions stay.
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, L"Copy Text");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, 2, L"75%");
    AppendMenuW(menu, MF_STRING, 3, L"copy");
    tl5win::TranslateMenu(menu, nullptr);
    EXPECT_EQ(ItemText(menu, 1), L"Text kopieren");
    EXPECT_EQ(ItemText(menu, 2), L"75%");
    EXPECT_EQ(ItemText(menu, 3), L"Kopieren");
    DestroyMenu(menu);
}

TEST_F(StringsAndMenus, EveryMenuBarHasItsButtonsAndTranslatableCaptions) {
    struct Bar { UINT id; std::vector<UINT> buttons; };
    const Bar bars[] = {
        {IDMB_CARD_EDIT, {IDM_DONE, IDM_MENU_BUTTON}},
        {IDMB_DONE, {IDM_DONE}},
        {IDMB_CARD_VIEW, {IDM_EDIT, IDM_MENU_BUTTON}},
        {IDMB_FORM_DESIGN, {IDM_DONE, IDM_MENU_BUTTON}},
        {IDMB_DONE_NONE_CANCEL, {IDM_DONE, IDM_MENU_BUTTON}},
        {IDMB_NOTES, {IDM_DONE, IDM_MENU_BUTTON}},
        {IDMB_MAIN, {IDM_FIND, IDM_MENU_BUTTON}},
        {IDMB_WALLET_LIST, {IDC_MB_LEFT_NEW, IDM_MENU_BUTTON}},
        {IDMB_FIND, {IDM_GO, IDM_CANCEL}},
        {IDMB_ABOUT, {IDM_DONE, IDM_WEB_SITE}},
        {IDMB_DONE_CANCEL, {IDM_DONE, IDM_CANCEL}},
        {IDMB_CANCEL, {IDM_CANCEL}},
    };
    HMODULE english = Load(kEnglishModule);
    tl5win::SetStringModule(english);
    for (const Bar& b : bars) {
        HWND bar = tl5win::CreateMenuBarById(owner_, b.id);
        ASSERT_NE(bar, nullptr) << b.id;
        EXPECT_EQ(static_cast<size_t>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0)), b.buttons.size()) << b.id;
        for (UINT command : b.buttons) EXPECT_FALSE(ButtonText(bar, command).empty()) << b.id << " " << command;
        // Every caption below the bar has a translation, except the zoom percentages.
        std::vector<HMENU> pending{reinterpret_cast<HMENU>(SendMessageW(bar, ppc::SHCMBM_GETMENU, 0, 0))};
        while (!pending.empty()) {
            HMENU m = pending.back();
            pending.pop_back();
            for (int i = 0; i < GetMenuItemCount(m); ++i) {
                wchar_t caption[128] = {};
                GetMenuStringW(m, static_cast<UINT>(i), caption, 128, MF_BYPOSITION);
                if (HMENU sub = GetSubMenu(m, i)) pending.push_back(sub);
                const std::wstring c = caption;
                if (c.empty() || c.back() == L'%' || c == L"Zoom") continue;
                EXPECT_NE(tl5::MenuCaptionStringId(tl5::FromWide(c)), 0u) << b.id << ": " << std::string(c.begin(), c.end());
            }
        }
        DestroyWindow(bar);
    }
}

TEST_F(StringsAndMenus, LanguageModuleIsChosenInOrderFromTheProgramFolder) {
    const std::wstring folder = TempFolder(L"tl5-langs");
    ASSERT_TRUE(CopyFileW(kEnglishModule.c_str(), (folder + L"ostrovtlpro5ppc.exe.0407.mui").c_str(), FALSE));
    LANGID chosen = 0;
    HMODULE m = tl5win::LoadLanguageModule(folder, 0x00120407, &chosen);  // only the low 16 bits count
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(chosen, 0x0407);
    FreeLibrary(m);

    // A preference without a module falls through to the user's language, then to 0x0409.
    chosen = 0;
    m = tl5win::LoadLanguageModule(folder, 0x040C, &chosen);
    EXPECT_EQ(m, nullptr) << "neither the user's language nor English is in the folder";
    ASSERT_TRUE(CopyFileW(kEnglishModule.c_str(), (folder + L"ostrovtlpro5ppc.exe.0409.mui").c_str(), FALSE));
    m = tl5win::LoadLanguageModule(folder, 0x040C, &chosen);
    ASSERT_NE(m, nullptr);
    const LANGID ui = GetUserDefaultUILanguage();
    EXPECT_TRUE(chosen == 0x0409 || chosen == ui) << chosen;
    FreeLibrary(m);
    DeleteFileW((folder + L"ostrovtlpro5ppc.exe.0407.mui").c_str());
    DeleteFileW((folder + L"ostrovtlpro5ppc.exe.0409.mui").c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST_F(StringsAndMenus, UserPicturesAndSizeTexts) {
    const std::wstring date = tl5win::ShortDateFormat();
    EXPECT_NE(date.find(L"yyyy"), std::wstring::npos) << std::string(date.begin(), date.end());
    const std::wstring time = tl5win::TimeFormat();
    EXPECT_EQ(time.find(L's'), std::wstring::npos) << std::string(time.begin(), time.end());
    EXPECT_FALSE(time.empty());
    struct Case { uint32_t bytes; const wchar_t* digits; wchar_t unit; };
    const Case cases[] = {{1023, L"1023", L'B'}, {1536, L"150", L'K'}, {2u * 1024 * 1024, L"2", L'M'},
                          {3584u * 1024 * 1024, L"350", L'G'}};
    for (const Case& c : cases) {
        const std::wstring text = tl5win::SizeText(c.bytes);
        EXPECT_LE(text.size(), 32u);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.back(), c.unit);
        std::wstring digits;
        for (wchar_t ch : text) {
            if (ch >= L'0' && ch <= L'9') digits.push_back(ch);
        }
        // The number format may add decimals ("2.00"); the significant digits come first.
        EXPECT_EQ(digits.substr(0, wcslen(c.digits)), c.digits) << std::string(text.begin(), text.end());
    }
    // A count of bytes is whole in any locale.
    EXPECT_TRUE(tl5win::SizeText(14) == L"14B");

    // Field dates and times in the user's pictures; a value the system cannot format keeps the
    // program's own text instead of turning empty.
    const tl5::SystemTime t{2029, 8, 0, 31, 17, 5, 9, 0};
    SYSTEMTIME st = tl5::ToSystemTime(t);
    wchar_t d[80] = {}, c[80] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, 0, &st, date.c_str(), d, 80);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, time.c_str(), c, 80);
    EXPECT_EQ(tl5win::UserFieldDateTimeText(t, tl5::FT_DATE), tl5::FromWide(d));
    EXPECT_EQ(tl5win::UserFieldDateTimeText(t, tl5::FT_TIME), tl5::FromWide(c));
    EXPECT_EQ(tl5win::UserFieldDateTimeText(t, tl5::FT_DATETIME), tl5::FromWide(d) + u"  " + tl5::FromWide(c));
    EXPECT_NE(std::wstring(d).find(L"2029"), std::wstring::npos);
    const tl5::SystemTime bad{2029, 13, 0, 40, 0, 0, 0, 0};
    EXPECT_EQ(tl5win::UserFieldDateTimeText(bad, tl5::FT_DATE), u"2029-13-40");
}
