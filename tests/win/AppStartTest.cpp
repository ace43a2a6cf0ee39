// Starts the real application and drives it from outside.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win/AppProcess.h"
#include "tests/win/AppTestSupport.h"

namespace {

RECT ClientOnScreen(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct OwnedFind {
    HWND owner;
    HWND found;
};

// A visible menu bar of the main window or of a screen over it (the wallet list has its own bar).
BOOL CALLBACK FindOwnedMenuBar(HWND window, LPARAM param) {
    auto* state = reinterpret_cast<OwnedFind*>(param);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    HWND owner = GetWindow(window, GW_OWNER);
    const bool ours = owner == state->owner || (owner && GetWindow(owner, GW_OWNER) == state->owner);
    if (ours && IsWindowVisible(window) && lstrcmpW(name, L"ppc.MenuBar") == 0) {
        state->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM param) {
    auto* state = reinterpret_cast<OwnedFind*>(param);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (GetWindow(window, GW_OWNER) == state->owner && lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(window)) {
        state->found = window;
        return FALSE;
    }
    return TRUE;
}

// Static texts of a dialog, joined.
std::wstring DialogText(HWND dialog) {
    std::wstring all;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[1024] = {};
        GetWindowTextW(child, text, 1024);
        all += text;
        all += L"|";
    }
    return all;
}

// Whether any visible dialog of the process shows the welcome text. Other screens (the wallet list,
// messages) carry the same caption, so the welcome is told apart by its text.
struct WelcomeFind {
    DWORD pid;
    bool found;
};

BOOL CALLBACK FindWelcome(HWND window, LPARAM param) {
    auto* state = reinterpret_cast<WelcomeFind*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (pid == state->pid && lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(window) &&
        DialogText(window).find(L"Welcome to Tessellock Pro 5.") != std::wstring::npos) {
        state->found = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

class AppStart : public IsolatedAppTest {};

TEST_F(AppStart, MainWindowWithItsMenuBarInsideTheDeviceScreenAndACleanExit) {
    SeedSettings(4);
    AppProcess app;
    ASSERT_TRUE(app.Start(L"")) << "could not start " << APP_EXE_NAME;
    HWND main = app.WaitForWindow(MainClass().c_str(), 20000);
    ASSERT_NE(main, nullptr) << "main window did not appear";

    // The window exists a moment before it is shown.
    for (int i = 0; i < 200 && !IsWindowVisible(main); ++i) Sleep(50);
    EXPECT_TRUE(IsWindowVisible(main));
    wchar_t title[128] = {};
    GetWindowTextW(main, title, 128);
    EXPECT_STREQ(title, L"Tessellock Pro 5");

    // Without a wallet to open, the first screen is the wallet list over the main window: its menu
    // bar lies along the bottom of the device screen and its client area is the rest of it.
    OwnedFind screen{main, nullptr};
    for (int i = 0; i < 200 && !screen.found; ++i) {
        EnumWindows(FindOwnedDialog, reinterpret_cast<LPARAM>(&screen));
        if (!screen.found) Sleep(50);
    }
    ASSERT_NE(screen.found, nullptr) << "wallet list missing";
    // The welcome would have come before the wallet list.
    WelcomeFind welcome{app.ProcessId(), false};
    EnumWindows(FindWelcome, reinterpret_cast<LPARAM>(&welcome));
    EXPECT_FALSE(welcome.found) << "no welcome after the first run";
    OwnedFind bar{screen.found, nullptr};
    for (int i = 0; i < 100 && !bar.found; ++i) {
        EnumWindows(FindOwnedMenuBar, reinterpret_cast<LPARAM>(&bar));
        if (!bar.found) Sleep(50);
    }
    ASSERT_NE(bar.found, nullptr) << "menu bar of the wallet list missing";
    EXPECT_TRUE(IsWindowVisible(bar.found));
    const RECT client = ClientOnScreen(screen.found);
    RECT barRect{};
    GetWindowRect(bar.found, &barRect);
    EXPECT_EQ(client.right - client.left, 240);
    EXPECT_EQ(barRect.right - barRect.left, 240);
    EXPECT_EQ(barRect.left, client.left);
    EXPECT_EQ(barRect.bottom - client.top, 320);
    EXPECT_EQ(client.bottom, barRect.top);

    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD code = 99;
    ASSERT_TRUE(app.WaitForExit(20000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(Number(L"Count"), 5);
    EXPECT_EQ(Number(L"Version"), 500);
}

TEST_F(AppStart, FirstRunWelcomesRegistersTheFileTypesAndCountsOneExit) {
    AppProcess app;
    ASSERT_TRUE(app.Start(L""));
    HWND welcome = app.WaitForDialog(L"Tessellock Pro 5", 20000);
    ASSERT_NE(welcome, nullptr) << "welcome message missing";
    EXPECT_NE(DialogText(welcome).find(L"Welcome to Tessellock Pro 5."), std::wstring::npos) << DialogText(welcome);
    EXPECT_EQ(Number(L"Setup"), 6);
    EXPECT_EQ(ClassValue(L".tl5"), L"TessellockPro5Document");
    EXPECT_EQ(ClassValue(L".tlx"), L"TessellockPro5Form");
    EXPECT_EQ(ClassValue(L"TessellockPro5Form"), L"Tessellock Pro 5 Form Layout");
    const std::wstring command = ClassValue(L"TessellockPro5Document\\Shell\\Open\\Command");
    EXPECT_EQ(command.substr(0, 1), L"\"");
    EXPECT_NE(command.find(L"ostrovtlpro5ppc.exe\" %1"), std::wstring::npos) << command;
    EXPECT_NE(ClassValue(L"TessellockPro5Document\\DefaultIcon").find(L".exe,-201"), std::wstring::npos);
    EXPECT_EQ(Number(L"Count"), -1) << "nothing is saved before the normal end";

    PostMessageW(welcome, WM_COMMAND, IDOK, 0);
    HWND main = app.WaitForWindow(MainClass().c_str(), 20000);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD code = 99;
    ASSERT_TRUE(app.WaitForExit(20000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(Number(L"Count"), 1);
    EXPECT_EQ(Number(L"Version"), 500);
}

TEST_F(AppStart, InfoBitShowsTheWelcomeAtEveryStart) {
    SeedSettings(9);
    SetNumber(L"Info", 1);
    AppProcess app;
    ASSERT_TRUE(app.Start(L""));
    HWND welcome = app.WaitForDialog(L"Tessellock Pro 5", 20000);
    ASSERT_NE(welcome, nullptr);
    PostMessageW(welcome, WM_COMMAND, IDOK, 0);
    HWND main = app.WaitForWindow(MainClass().c_str(), 20000);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD code = 99;
    ASSERT_TRUE(app.WaitForExit(20000, &code));
    EXPECT_EQ(Number(L"Count"), 10);
    EXPECT_EQ(Number(L"Info"), 1);
}

TEST_F(AppStart, WithoutALanguageModuleItSaysSoAndEndsWithoutSaving) {
    // The exe alone in a folder of its own: no language module beside it.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"tl5-nolang" + tag_;
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring exe = folder + L"\\" + APP_EXE_NAME;
    ASSERT_TRUE(CopyFileW((AppProcess::BinaryFolder() + APP_EXE_NAME).c_str(), exe.c_str(), FALSE));
    {
        AppProcess app;
        ASSERT_TRUE(app.StartExe(exe, L""));
        HWND box = app.WaitForDialog(L"Tessellock Pro 2005", 20000);
        ASSERT_NE(box, nullptr);
        EXPECT_NE(DialogText(box).find(L"Failed to load resources.  Please re-install."), std::wstring::npos)
            << DialogText(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        DWORD code = 99;
        ASSERT_TRUE(app.WaitForExit(20000, &code));
        EXPECT_EQ(code, 0u);
    }
    EXPECT_EQ(Number(L"Count"), -1);
    EXPECT_EQ(Number(L"Version"), -1);
    DeleteFileW(exe.c_str());
    RemoveDirectoryW(folder.c_str());
}
