// Starts the real application and drives its main window from outside.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win/AppProcess.h"

TEST(AppStart, MainWindowHasItsClassAndTitleAndClosesCleanly) {
    AppProcess app;
    ASSERT_TRUE(app.Start(L"")) << "could not start " << APP_EXE_NAME;
    HWND main = app.WaitForWindow(L"Ostrov Tessellock Pro 2005", 20000);
    ASSERT_NE(main, nullptr) << "main window did not appear";

    wchar_t title[128] = {};
    GetWindowTextW(main, title, 128);
    EXPECT_STREQ(title, L"Tessellock Pro 5");
    EXPECT_TRUE(IsWindowVisible(main));

    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right - client.left, 240);
    EXPECT_EQ(client.bottom - client.top, 320);

    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD code = 0;
    ASSERT_TRUE(app.WaitForExit(20000, &code));
    EXPECT_EQ(code, 0u);
}
