// The password generator as a user meets it: the real dialog is run and a helper thread changes the
// length (typing and the arrow key), the classes and the look-alike option, regenerates, and presses
// Done or Cancel; the returned password is checked against what the dialog showed and what was asked.
//
// With TL5_SHOTS naming a folder, the dialog waits once it is filled for a photograph taken from
// outside (it leaves password-generator.ready there and goes on when password-generator.png appears).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <string>

#include "StringIds.h"
#include "cardui/win/Strings.h"
#include "dialogs/win/PasswordGenerator.h"
#include "resources/resource.h"
#include "tests/win/InProcessAppSuite.h"
#include "tests/win/MainWindowTestDriver.h"

using tl5test::ControlText;
using tl5test::Press;
using tl5test::TypeInto;
using tl5test::UiScript;

namespace {

std::wstring S(uint32_t id) { return tl5win::Text(id); }

bool WaitFor(const std::function<bool()>& done, DWORD ms = 10000) {
    for (DWORD waited = 0; !done(); waited += 20) {
        if (waited >= ms) return false;
        Sleep(20);
    }
    return true;
}

bool Checked(HWND dialog, int id) { return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

// A tap on a check box: it toggles and tells the dialog, as a click does.
void Tap(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Waits for the photograph of the filled dialog (only with TL5_SHOTS).
void Shot(HWND window, const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"TL5_SHOTS", folder, MAX_PATH) || !folder[0]) return;
    const std::wstring base = std::wstring(folder) + L"\\" + name;
    WaitFor([window] { return GetForegroundWindow() == window; }, 5000);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    Sleep(500);  // painting, for the photograph only
    std::ofstream((base + L".ready").c_str()) << '1';
    const std::wstring png = base + L".png";
    WaitFor([&] { return GetFileAttributesW(png.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
}

}  // namespace

class PasswordGenerator : public tl5test::InProcessAppSuite<PasswordGenerator> {
public:
    static constexpr const wchar_t* kAppName = L"generator";
};

TEST_F(PasswordGenerator, LengthAndClassesChosenInTheDialogMakeThePasswordDoneReturns) {
    HWND main = app_->MainWindow();
    ASSERT_NE(main, nullptr);
    std::wstring firstShown, firstStrength, title, noClassLine, afterOptions, regenerated, finalShown, finalStrength;
    bool defaultsChecked = false;
    UiScript script(GetCurrentThreadId());
    script.Start([&](UiScript& s) {
        HWND dialog = s.WaitDialog(IDC_GEN_PASSWORD, "password generator");
        if (!dialog) return;
        wchar_t caption[128] = {};
        GetWindowTextW(dialog, caption, 128);
        title = caption;
        firstShown = ControlText(dialog, IDC_GEN_PASSWORD);
        firstStrength = ControlText(dialog, IDC_GEN_STRENGTH);
        defaultsChecked = ControlText(dialog, IDC_GEN_LENGTH) == L"20" && Checked(dialog, IDC_GEN_UPPER) &&
                          Checked(dialog, IDC_GEN_LOWER) && Checked(dialog, IDC_GEN_DIGITS) &&
                          Checked(dialog, IDC_GEN_SYMBOLS) && !Checked(dialog, IDC_GEN_NO_LOOKALIKE);
        Shot(dialog, L"password-generator");

        // No class at all: no password, the reason instead of the strength, and Done refuses.
        for (int id : {IDC_GEN_UPPER, IDC_GEN_LOWER, IDC_GEN_DIGITS, IDC_GEN_SYMBOLS}) Tap(dialog, id);
        noClassLine = ControlText(dialog, IDC_GEN_STRENGTH);
        if (!ControlText(dialog, IDC_GEN_PASSWORD).empty()) s.Fail("a password without any class");
        Press(dialog, IDM_DONE);
        s.AnswerMessage(IDOK, "no class chosen");

        // Twelve typed, one more with the up arrow; lower case and digits without look-alikes.
        TypeInto(dialog, IDC_GEN_LENGTH, L"12");
        HWND length = GetDlgItem(dialog, IDC_GEN_LENGTH);
        PostMessageW(length, WM_KEYDOWN, VK_UP, 1);
        PostMessageW(length, WM_KEYUP, VK_UP, 0xC0000001);
        if (!WaitFor([&] { return ControlText(dialog, IDC_GEN_LENGTH) == L"13"; }))
            s.Fail("the up arrow did not make the length 13");
        Tap(dialog, IDC_GEN_LOWER);
        Tap(dialog, IDC_GEN_DIGITS);
        Tap(dialog, IDC_GEN_NO_LOOKALIKE);
        afterOptions = ControlText(dialog, IDC_GEN_PASSWORD);
        SendMessageW(GetDlgItem(dialog, IDC_GEN_REGENERATE), BM_CLICK, 0, 0);
        regenerated = ControlText(dialog, IDC_GEN_PASSWORD);
        finalShown = regenerated;
        finalStrength = ControlText(dialog, IDC_GEN_STRENGTH);
        Press(dialog, IDM_DONE);
        s.WaitGone(dialog);
    });
    std::u16string password = u"the field's old value";
    const bool done = tl5win::ShowPasswordGenerator(main, &password);
    ASSERT_TRUE(script.Finish(60000)) << "the script did not finish";
    EXPECT_FALSE(script.Failed()) << script.Failure();

    EXPECT_EQ(title, S(IDS_GENERATE_PASSWORD));
    EXPECT_TRUE(defaultsChecked);
    EXPECT_EQ(firstShown.size(), 20u);
    EXPECT_EQ(firstStrength, L"Strength: 129 bits");  // 20 * log2(90)
    EXPECT_EQ(noClassLine, S(IDS_GENERATOR_NO_CLASS));
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].text, S(IDS_GENERATOR_NO_CLASS));
    EXPECT_EQ(afterOptions.size(), 13u);
    EXPECT_NE(regenerated, afterOptions) << "Regenerate drew the same password";
    EXPECT_EQ(finalStrength, L"Strength: 65 bits");  // 13 * log2(24 + 8)

    ASSERT_TRUE(done);
    EXPECT_EQ(std::wstring(password.begin(), password.end()), finalShown);
    ASSERT_EQ(password.size(), 13u);
    const auto has = [&](auto test) { return std::any_of(password.begin(), password.end(), test); };
    EXPECT_TRUE(has([](char16_t c) { return c >= u'a' && c <= u'z'; })) << "no lower case";
    EXPECT_TRUE(has([](char16_t c) { return c >= u'0' && c <= u'9'; })) << "no digit";
    EXPECT_FALSE(has([](char16_t c) { return (c >= u'A' && c <= u'Z') || !(c < 0x7F && std::isalnum(c)); }))
        << "a character of a class not chosen";
    EXPECT_EQ(std::u16string(password).find_first_of(u"0Oo1lI"), std::u16string::npos) << "a look-alike";

    // Cancel gives nothing back and leaves the caller's text alone.
    UiScript cancel(GetCurrentThreadId());
    cancel.Start([](UiScript& s) {
        HWND dialog = s.WaitDialog(IDC_GEN_PASSWORD, "password generator");
        if (!dialog) return;
        Press(dialog, IDM_CANCEL);
        s.WaitGone(dialog);
    });
    std::u16string kept = u"unchanged";
    EXPECT_FALSE(tl5win::ShowPasswordGenerator(main, &kept));
    ASSERT_TRUE(cancel.Finish(60000));
    EXPECT_FALSE(cancel.Failed()) << cancel.Failure();
    EXPECT_EQ(kept, u"unchanged");
}
