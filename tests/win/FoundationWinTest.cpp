// Settings in the real registry, the font cache and the shared utilities on Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include <string>
#include <vector>

#include "StringIds.h"
#include "resources/resource.h"
#include "cardui/FontTable.h"
#include "cardui/win/FontCache.h"
#include "platform/pocketpc/DeviceScreen.h"
#include "cardui/win/Activity.h"
#include "cardui/win/DialogControls.h"
#include "cardui/win/DocumentLocations.h"
#include "cardui/win/Files.h"
#include "cardui/win/Menus.h"
#include "cardui/win/Registry.h"
#include "platform/Text.h"
#include "cardui/Settings.h"
#include "shell/win/SettingsRegistry.h"

using namespace tl5;
using namespace tl5win;

namespace {

class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = L"Software\\TL5Tests\\reg" + std::to_wstring(GetCurrentProcessId());
        path_ = root_ + L"\\Settings";
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str()); }
    std::wstring root_, path_;
};

}  // namespace

TEST_F(RegistryKeyTest, SettingsRoundTripAndReadOnlyValuesSurviveASave) {
    Settings first;
    first.keyPath = FromWide(path_);
    int registrations = 0;
    LoadSettings(first, OpenRegistrySettingsKey, [&] { ++registrations; });
    EXPECT_EQ(registrations, 1);
    first.SetMainFontSize(12);
    first.SetMainFontBold(true);
    first.noteZoom = 3;
    first.SetLastWallet(u"C:\\Wallets\\Home.tl5");
    SaveSettings(first, OpenRegistrySettingsKey);

    // Values set by hand that the application only reads.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ | KEY_WRITE, &key), ERROR_SUCCESS);
    EXPECT_TRUE(SetRegistryNumber(key, L"Color.BarStart", 0x00112233));
    EXPECT_TRUE(SetRegistryNumber(key, L"ExitMenu", 1));
    EXPECT_TRUE(SetRegistryNumber(key, L"LangPref", 0x0407));
    EXPECT_TRUE(SetRegistryNumber(key, L"ClearType", 0));

    Settings second;
    second.keyPath = FromWide(path_);
    LoadSettings(second, OpenRegistrySettingsKey, [&] { ++registrations; });
    EXPECT_EQ(registrations, 1) << "Setup = 6 was stored";
    EXPECT_EQ(second.count, 1u);
    EXPECT_EQ(second.MainFontSize(), 12u);
    EXPECT_TRUE(second.MainFontBold());
    EXPECT_EQ(second.noteZoom, 3u);
    EXPECT_EQ(second.LastWallet(), u"C:\\Wallets\\Home.tl5");
    EXPECT_EQ(second.colorBarStart, 0x00112233u);
    EXPECT_EQ(second.exitMenu, 1u);
    EXPECT_EQ(second.langPref, 0x0407u);

    // The reset word, then a normal exit: defaults written, read-only values untouched.
    second.ApplyDefaults();
    SaveSettings(second, OpenRegistrySettingsKey);
    DWORD value = 0;
    EXPECT_TRUE(GetRegistryNumber(key, L"Count", &value));
    EXPECT_EQ(value, 1u);
    EXPECT_TRUE(GetRegistryNumber(key, L"FontMain", &value));
    EXPECT_EQ(value, 9u);
    EXPECT_TRUE(GetRegistryNumber(key, L"Version", &value));
    EXPECT_EQ(value, 500u);
    EXPECT_TRUE(GetRegistryNumber(key, L"Setup", &value));
    EXPECT_EQ(value, 6u);
    EXPECT_TRUE(GetRegistryNumber(key, L"Color.BarStart", &value));
    EXPECT_EQ(value, 0x00112233u);
    EXPECT_TRUE(GetRegistryNumber(key, L"ExitMenu", &value));
    EXPECT_EQ(value, 1u);
    EXPECT_TRUE(GetRegistryNumber(key, L"ClearType", &value));
    EXPECT_EQ(value, 0u);
    std::wstring mru = L"x";
    EXPECT_TRUE(GetRegistryText(key, L"MRU", &mru));
    EXPECT_EQ(mru, L"");
    EXPECT_FALSE(GetRegistryNumber(key, L"Pass.AutoOK", &value)) << "never written";

    // A text of 255 characters is read, one of 256 is not; a number of the wrong type is not a number.
    EXPECT_TRUE(SetRegistryText(key, L"MRU", std::wstring(255, L'a').c_str()));
    EXPECT_TRUE(GetRegistryText(key, L"MRU", &mru));
    EXPECT_EQ(mru.size(), 255u);
    EXPECT_TRUE(SetRegistryText(key, L"MRU", std::wstring(256, L'b').c_str()));
    EXPECT_FALSE(GetRegistryText(key, L"MRU", &mru));
    EXPECT_EQ(mru.size(), 255u);
    EXPECT_TRUE(SetRegistryText(key, L"FontMain", L"12"));
    EXPECT_FALSE(GetRegistryNumber(key, L"FontMain", &value));
    RegCloseKey(key);
}

TEST_F(RegistryKeyTest, FileTypesRegisterUnderTheGivenClassesKey) {
    HKEY classes = nullptr;
    const std::wstring classesPath = root_ + L"\\Classes";
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, classesPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &classes,
                              nullptr), ERROR_SUCCESS);
    EXPECT_TRUE(RegisterFileTypes(classes, L"C:\\Program Files\\TL5\\ostrovtlpro5ppc.exe"));
    auto value = [&](const wchar_t* sub) {
        wchar_t text[512] = {};
        DWORD size = sizeof(text);
        RegGetValueW(classes, sub, nullptr, RRF_RT_REG_SZ, nullptr, text, &size);
        return std::wstring(text);
    };
    EXPECT_EQ(value(L".tl5"), L"TessellockPro5Document");
    EXPECT_EQ(value(L"TessellockPro5Document"), L"Tessellock Pro 5 Wallet");
    EXPECT_EQ(value(L"TessellockPro5Document\\DefaultIcon"), L"C:\\Program Files\\TL5\\ostrovtlpro5ppc.exe,-201");
    EXPECT_EQ(value(L"TessellockPro5Document\\Shell\\Open\\Command"),
              L"\"C:\\Program Files\\TL5\\ostrovtlpro5ppc.exe\" %1");
    EXPECT_EQ(value(L".tlx"), L"TessellockPro5Form");
    EXPECT_EQ(value(L"TessellockPro5Form\\DefaultIcon"), L"C:\\Program Files\\TL5\\ostrovtlpro5ppc.exe,-203");
    EXPECT_FALSE(RegisterFileTypes(classes, L""));
    RegCloseKey(classes);
}

TEST(FontCache, EntriesAreMadeOnceWithTheirSizesAndWeights) {
    FontCache cache;
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(cache.Font(28), nullptr);
    EXPECT_EQ(cache.Font(-1), nullptr);
    for (int i = 0; i < kFontTableSize; ++i) {
        HFONT f = cache.Font(i);
        ASSERT_NE(f, nullptr) << i;
        EXPECT_EQ(cache.Font(i), f) << "the same handle again";
        LOGFONTW lf{};
        GetObjectW(f, sizeof(lf), &lf);
        const FontTableEntry& e = FontTable[i];
        if (e.source == FontSource::Points) {
            EXPECT_EQ(lf.lfHeight, FontCharacterHeight(e.tenthsOfPoints, dpi)) << i;
            EXPECT_EQ(lf.lfWeight, e.weight) << i;
            EXPECT_EQ(lf.lfUnderline != 0, e.underline) << i;
            EXPECT_STREQ(lf.lfFaceName, cache.FaceName()) << i;
        }
        EXPECT_FALSE(lf.lfItalic);
        EXPECT_EQ(lf.lfQuality, CLEARTYPE_QUALITY) << i;
    }
    LOGFONTW bold{};
    GetObjectW(cache.Font(21), sizeof(bold), &bold);
    EXPECT_EQ(bold.lfWeight, 700);
    EXPECT_EQ(cache.FontForSize(10, false), cache.Font(2));
    EXPECT_EQ(cache.FontForSize(10, true), cache.Font(8));
    EXPECT_EQ(cache.FontForSize(-1, false), cache.Font(25));

    // ClearType applies to fonts made afterwards.
    cache.ReleaseAll();
    cache.SetClearType(false);
    LOGFONTW plain{};
    GetObjectW(cache.Font(3), sizeof(plain), &plain);
    EXPECT_NE(plain.lfQuality, CLEARTYPE_QUALITY);

    HDC screen = GetDC(nullptr);
    HGDIOBJ before = GetCurrentObject(screen, OBJ_FONT);
    const int line = cache.LineHeight(12, screen);
    EXPECT_EQ(GetCurrentObject(screen, OBJ_FONT), before) << "the old font is selected back";
    SelectObject(screen, cache.FontForSize(12, false));
    TEXTMETRICW tm{};
    GetTextMetricsW(screen, &tm);
    SelectObject(screen, before);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(line, tm.tmHeight + ppc::Scale(2));
    EXPECT_EQ(cache.LineHeight(12, nullptr), ppc::Scale(12));
}

TEST(FontCache, SizeCodeZeroFollowsTheLargeFontSetting) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"ControlPanel\\Accessibility", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr), ERROR_SUCCESS);
    DWORD old = 0;
    const bool hadValue = GetRegistryNumber(key, L"FontSize", &old);
    FontCache cache;
    SetRegistryNumber(key, L"FontSize", 2);
    EXPECT_TRUE(FontCache::LargeFonts());
    EXPECT_EQ(cache.FontForSize(0, false), cache.Font(5));
    EXPECT_EQ(cache.FontForSize(0, true), cache.Font(11));
    SetRegistryNumber(key, L"FontSize", 1);
    EXPECT_EQ(cache.FontForSize(0, false), cache.Font(3));
    if (hadValue) {
        SetRegistryNumber(key, L"FontSize", old);
    } else {
        RegDeleteValueW(key, L"FontSize");
    }
    RegCloseKey(key);
}

namespace {

std::wstring TempFile(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + name + std::to_wstring(GetCurrentProcessId());
}

std::vector<unsigned char> ReadAll(HANDLE f) {
    std::vector<unsigned char> data(static_cast<size_t>(FileSizeOf(f)));
    SetFilePointer(f, 0, nullptr, FILE_BEGIN);
    DWORD got = 0;
    if (!data.empty()) ReadFile(f, data.data(), static_cast<DWORD>(data.size()), &got, nullptr);
    return data;
}

}  // namespace

TEST(Utilities, FileHelpersWriteAMarkAndLines) {
    const std::wstring path = TempFile(L"tl5-lines");
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_TRUE(HandleValid(f));
    const std::vector<unsigned char> data(20000, 0x5A);
    DWORD put = 0;
    ASSERT_TRUE(WriteFile(f, data.data(), static_cast<DWORD>(data.size()), &put, nullptr));
    EXPECT_EQ(FileSizeOf(f), 20000u);

    SetFilePointer(f, 0, nullptr, FILE_END);
    ASSERT_TRUE(WriteByteOrderMark(f));
    ASSERT_TRUE(WriteLine(f, L"ab", 2));
    std::vector<unsigned char> all = ReadAll(f);
    const std::vector<unsigned char> tail(all.end() - 14, all.end());
    EXPECT_EQ(tail, (std::vector<unsigned char>{0xFF, 0xFE, 'a', 0, 'b', 0, '\r', 0, '\n', 0, '\r', 0, '\n', 0}));
    CloseHandle(f);
    EXPECT_FALSE(HandleValid(nullptr));
    EXPECT_FALSE(HandleValid(INVALID_HANDLE_VALUE));
    EXPECT_EQ(FileSizeOf(INVALID_HANDLE_VALUE), 0u);
    EXPECT_FALSE(FileExists(path.c_str()));
    EXPECT_FALSE(FileExists(L""));
}

namespace {
std::atomic<uint64_t> g_fakeBoot{0};
uint64_t FakeBoot() { return g_fakeBoot.load(); }
}  // namespace

TEST(Utilities, ActivityIsStampedFromTheBootClock) {
    // The stamp follows the clock seam, never the wall clock.
    g_fakeBoot = 123456789;
    SetClocksForTests(FakeBoot, FakeBoot);
    NoteActivity();
    EXPECT_EQ(LastActivity(), 123456789u);
    g_fakeBoot = 5;  // a clock that went back cannot move the stamp with it until the next activity
    EXPECT_EQ(LastActivity(), 123456789u);
    SetClocksForTests(nullptr, nullptr);
    // The system's clocks: the boot clock never runs behind the clock that stands still in sleep.
    const uint64_t running = RunningClockMs();
    EXPECT_GE(BootClockMs() + 1000, running);
    NoteActivity();
    EXPECT_NE(LastActivity(), 123456789u);
}

TEST(Utilities, DocumentLocationsFromTheDocumentsFolderAndTheCards) {
    DocumentLocation r[6];
    // Documents on the fixed store, two cards.
    int n = BuildDocumentLocations(L"\\My Documents", FILE_ATTRIBUTE_DIRECTORY,
                                   {{L"Storage Card", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY},
                                    {L"\\Built-in", FILE_ATTRIBUTE_DIRECTORY}},
                                   r, 6);
    ASSERT_EQ(n, 3);
    EXPECT_STREQ(r[0].path, L"\\My Documents");
    EXPECT_FALSE(r[0].named);
    EXPECT_STREQ(r[1].path, L"\\Storage Card\\My Documents");
    EXPECT_STREQ(r[1].volumeName, L"Storage Card");
    EXPECT_TRUE(r[1].onRemovable);
    EXPECT_STREQ(r[2].path, L"\\Built-in\\My Documents");
    EXPECT_TRUE(r[2].onFixedCard);
    // Documents on a card: that card is not listed twice; the limit holds.
    n = BuildDocumentLocations(L"\\Built-in\\Docs", FILE_ATTRIBUTE_DIRECTORY,
                               {{L"\\Built-in", FILE_ATTRIBUTE_DIRECTORY}, {L"E:", FILE_ATTRIBUTE_TEMPORARY}}, r, 6);
    ASSERT_EQ(n, 2);
    EXPECT_TRUE(r[0].onFixedCard);
    EXPECT_STREQ(r[0].volumeName, L"Built-in");
    EXPECT_STREQ(r[1].path, L"E:\\Docs");
    EXPECT_STREQ(r[1].volumeName, L"E:");
    EXPECT_EQ(BuildDocumentLocations(L"\\Docs", FILE_ATTRIBUTE_DIRECTORY, {{L"A:", 0}, {L"B:", 0}}, r, 2), 2);
    // Documents on removable storage are named after their parent.
    n = BuildDocumentLocations(L"\\SD\\Docs", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY, {}, r, 6);
    ASSERT_EQ(n, 1);
    EXPECT_TRUE(r[0].onRemovable);
    EXPECT_STREQ(r[0].volumeName, L"\\SD");
    EXPECT_EQ(BuildDocumentLocations(L"", FILE_ATTRIBUTE_DIRECTORY, {}, r, 6), 0);
    EXPECT_GE(DocumentLocations(nullptr, r, 6), 1) << "the real documents folder";
}

TEST(Utilities, DialogControlsAndMenus) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST, 7, 5, 100, 100, parent,
                                 reinterpret_cast<HMENU>(5), nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(AddChoice(parent, 5, IDS_MENU_CANCEL, 11), 0);
    EXPECT_EQ(AddChoice(parent, 5, IDS_MENU_OK, 22), 1);
    EXPECT_EQ(ChosenData(parent, 5, -1), -1);
    SelectChoice(parent, 5, 22);
    EXPECT_EQ(ChosenData(parent, 5, -1), 22);
    SelectChoice(parent, 5, 99);  // not there: the first entry
    EXPECT_EQ(ChosenData(parent, 5, -1), 11);
    StretchControl(parent, 5);
    RECT client{}, r{};
    GetClientRect(parent, &client);
    GetWindowRect(combo, &r);
    EXPECT_EQ(r.right - r.left, client.right - 2 * 7 + 1);

    HWND edit = CreateWindowExW(0, L"EDIT", L"hello", WS_CHILD, 0, 0, 50, 20, parent, nullptr, nullptr, nullptr);
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    SendMessageW(edit, EM_SETSEL, 0, 0);
    EXPECT_EQ(EditClipboardState(edit), kCanSelectAll);
    SendMessageW(edit, EM_SETSEL, 1, 3);
    EXPECT_EQ(EditClipboardState(edit), kCanCut | kCanCopy | kCanClear | kCanSelectAll);
    EditClipboardCommand(edit, kCanCopy);
    EXPECT_TRUE(EditClipboardState(edit) & kCanPaste);
    EditClipboardCommand(edit, kCanSelectAll);
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, 5u);

    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, IDM_EXIT, L"Exit");
    EXPECT_EQ(MenuItemCaption(menu, IDM_EXIT), L"Exit");
    EXPECT_EQ(MenuItemCaption(menu, IDM_NEW_WALLET), L"");
    EnableMenuCommand(menu, IDM_EXIT, false);
    EXPECT_TRUE(GetMenuState(menu, IDM_EXIT, MF_BYCOMMAND) & MF_GRAYED);
    DestroyMenu(menu);
    DestroyWindow(parent);
}

namespace {

std::vector<HWND>* g_cancelled = nullptr;

LRESULT CALLBACK CancellableProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        if (g_cancelled) g_cancelled->push_back(window);
        DestroyWindow(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

TEST(Utilities, DismissDialogsCancelsTheChainDownToTheMainWindow) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = CancellableProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"tl5.Cancellable";
    RegisterClassW(&wc);
    std::vector<HWND> cancelled;
    g_cancelled = &cancelled;
    auto make = [&](HWND owner, DWORD exStyle) {
        return CreateWindowExW(exStyle, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, owner, nullptr,
                               wc.hInstance, nullptr);
    };
    HWND main = make(nullptr, 0);
    HWND first = make(main, 0);
    HWND second = make(first, 0);
    HWND bar = make(main, WS_EX_NOACTIVATE);  // a menu bar: never taken for a dialog
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(bar, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DismissDialogs(main);
    EXPECT_EQ(cancelled, (std::vector<HWND>{second, first}));
    EXPECT_TRUE(IsWindow(main));
    EXPECT_TRUE(IsWindow(bar));
    // With nothing over the main window, nothing is cancelled.
    cancelled.clear();
    DestroyWindow(bar);
    DismissDialogs(main);
    EXPECT_TRUE(cancelled.empty());
    EXPECT_TRUE(IsWindow(main));
    g_cancelled = nullptr;
    DestroyWindow(main);
}
