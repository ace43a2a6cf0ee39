// The command-line hand-shakes and the single instance, with real processes. The test itself plays
// the running instance (it holds the mutex and owns a window of the main class) so it can see what
// a second process sends it.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/win/AppProcess.h"
#include "tests/win/AppTestSupport.h"

namespace {

std::vector<UINT>* g_received = nullptr;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER && g_received) g_received->push_back(message);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

class SingleInstance : public IsolatedAppTest {
protected:
    void SetUp() override {
        IsolatedAppTest::SetUp();
        SeedSettings();
        g_received = &received_;
    }
    void TearDown() override {
        if (window_) DestroyWindow(window_);
        if (mutex_) CloseHandle(mutex_);
        UnregisterClassW(MainClass().c_str(), GetModuleHandleW(nullptr));
        g_received = nullptr;
        IsolatedAppTest::TearDown();
    }

    // Becomes "the running instance".
    void PretendToRun() {
        mutex_ = CreateMutexW(nullptr, TRUE, MutexName().c_str());
        ASSERT_NE(mutex_, nullptr);
        className_ = MainClass();
        WNDCLASSW wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = className_.c_str();
        ASSERT_NE(RegisterClassW(&wc), 0);
        window_ = CreateWindowExW(0, className_.c_str(), L"running", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 100,
                                  100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
    }

    // Runs the application with a command line to its end, pumping this thread's messages meanwhile.
    DWORD RunToEnd(const std::wstring& arguments) {
        AppProcess app;
        EXPECT_TRUE(app.Start(arguments));
        DWORD code = 99;
        for (int i = 0; i < 400; ++i) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            if (app.WaitForExit(50, &code)) break;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        EXPECT_EQ(app.WaitForWindow(MainClass().c_str(), 0), nullptr) << "a second instance made a main window";
        return code;
    }

    std::wstring className_;
    HANDLE mutex_ = nullptr;
    HWND window_ = nullptr;
    std::vector<UINT> received_;
};

TEST_F(SingleInstance, HandShakesArePostedToTheRunningInstance) {
    PretendToRun();
    EXPECT_EQ(RunToEnd(L"SYNC_START"), 0u);
    EXPECT_EQ(received_, std::vector<UINT>{3524u});
    received_.clear();
    EXPECT_EQ(RunToEnd(L"C:\\whatever sync_end"), 0u);
    EXPECT_EQ(received_, std::vector<UINT>{3525u});
    received_.clear();
    // A form file ends the process at once; the running instance hears nothing.
    EXPECT_EQ(RunToEnd(L"C:\\Forms\\CARD.TLX"), 0u);
    EXPECT_TRUE(received_.empty());
}

TEST_F(SingleInstance, ASecondStartBringsTheFirstToTheFrontAndKeepsItsWallet) {
    PretendToRun();
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    EXPECT_EQ(RunToEnd(L"C:\\Wallets\\Personal.tl5"), 0u);
    EXPECT_TRUE(received_.empty()) << "the path is not passed on";
    EXPECT_EQ(GetForegroundWindow(), window_);
    DestroyWindow(other);
}

TEST_F(SingleInstance, HandShakesWithoutARunningInstanceStartNothing) {
    for (const wchar_t* line : {L"SYNC_START", L"SYNC_END", L"form.tlx"}) {
        EXPECT_EQ(RunToEnd(line), 0u) << line;
    }
    EXPECT_EQ(Number(L"Count"), 1) << "a hand-shake saves no settings";
}

TEST_F(SingleInstance, TwoRealInstances) {
    AppProcess first;
    ASSERT_TRUE(first.Start(L""));
    HWND main = first.WaitForWindow(MainClass().c_str(), 20000);
    ASSERT_NE(main, nullptr);
    {
        AppProcess second;
        ASSERT_TRUE(second.Start(L"C:\\Wallets\\Other.tl5"));
        DWORD code = 99;
        ASSERT_TRUE(second.WaitForExit(20000, &code));
        EXPECT_EQ(code, 0u);
        EXPECT_EQ(second.WaitForWindow(MainClass().c_str(), 0), nullptr);
    }
    {
        AppProcess sync;
        ASSERT_TRUE(sync.Start(L"SYNC_END"));
        DWORD code = 99;
        ASSERT_TRUE(sync.WaitForExit(20000, &code));
        EXPECT_EQ(code, 0u);
    }
    DWORD still = 0;
    EXPECT_FALSE(first.WaitForExit(0, &still)) << "the first instance keeps running";
    EXPECT_TRUE(IsWindow(main));
    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD code = 99;
    ASSERT_TRUE(first.WaitForExit(20000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(Number(L"Count"), 2) << "only the first instance saved";
}
