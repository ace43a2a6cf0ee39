// A test suite whose tests share one in-process application: made before the suite's first test and
// removed after its last. A suite derives as `class Mine : public InProcessAppSuite<Mine>` and names
// its private documents and settings with `static constexpr const wchar_t* kAppName`.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "shell/win/MainWindow.h"
#include "tests/win/InProcessApp.h"

namespace tl5test {

template <class Suite>
class InProcessAppSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        app_ = new InProcessApp;
        ASSERT_TRUE(app_->Start(Suite::kAppName)) << "cannot make the application's main window";
        main_ = app_->MainWindow();
    }

    static void TearDownTestSuite() {
        app_->Stop();
        delete app_;
        app_ = nullptr;
        main_ = nullptr;
    }

    static HWND Tree() { return tl5win::MainWindowTree(main_); }

    static inline InProcessApp* app_ = nullptr;
    static inline HWND main_ = nullptr;
};

}  // namespace tl5test
