#include <gtest/gtest.h>

#include <map>

#include "StringIds.h"
#include "shell/MainWindowLayout.h"
#include "shell/WalletListRules.h"

using namespace tl5;

namespace {

// Strings as a test language module would give them: each names its own id and format.
std::u16string FakeString(uint32_t id) {
    static const std::map<uint32_t, std::u16string> table = {
        {IDS_OPEN_WALLET_FAILED, u"Cannot open"},
        {IDS_NOT_A_WALLET_FILE, u"not a wallet"},
        {IDS_WRONG_PASSWORD, u"wrong password"},
        {IDS_WRONG_PASSWORD_OR_DAMAGED, u"wrong password or damaged"},
        {IDS_DAMAGED_FILE, u"damaged"},
        {IDS_NOT_ENOUGH_MEMORY, u"out of memory"},
        {IDS_FILE_ERROR, u"error"},
        {IDS_FILE_AND_FOLDER, u"[%s in %s]"},
        {IDS_CONVERT_WRONG_PASSWORD, u"bad password"},
        {IDS_CONVERT_FAILED, u"failed"},
        {IDS_CONVERT_NAME_EXISTS, u"exists "},
        {IDS_CONVERT_NO_FOLDERS, u"empty "},
        {IDS_CONVERTED_AS, u"made %s"},
        {IDS_ERROR, u"Error"},
        {IDS_CONVERT_CREATE_FAILED, u"cannot create"},
    };
    auto it = table.find(id);
    return it == table.end() ? std::u16string() : it->second;
}

}  // namespace

TEST(WalletListRules, LegacyPaths) {
    struct Case { std::u16string path; bool legacy; } cases[] = {
        {u"\\a.wal", true}, {u"\\A.WaL", true}, {u"x.wal", false} /* 5 characters */,
        {u"\\a.tl5", false}, {u"\\a.wall", false}, {u"\\a.wal\\b", false}, {u"\\abcwal", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsLegacyWalletPath(c.path), c.legacy) << std::string(c.path.begin(), c.path.end());
}

TEST(WalletListRules, SavedPathsAreRepaired) {
    EXPECT_EQ(FixSavedWalletPath(u"\\\\My Documents\\New.tl5"), u"\\My Documents\\New.tl5");
    EXPECT_EQ(FixSavedWalletPath(u"\\My Documents\\New."), u"\\My Documents\\New.tl5");
    EXPECT_EQ(FixSavedWalletPath(u"C:\\w\\New.tl5"), u"C:\\w\\New.tl5");
    EXPECT_EQ(FixSavedWalletPath(u""), u"");
}

TEST(WalletListRules, OpenFailureTexts) {
    EXPECT_EQ(ProbeFailureText(FakeString, u"Home", 7), u"Cannot open\nHome\n(07)");
    EXPECT_EQ(ProbeFailureText(FakeString, u"Home", 0), u"Cannot open\nHome\n(00)");
    EXPECT_EQ(OpenFailureText(FakeString, u"Home", 10), u"Cannot open\nHome\n(wrong password:10)");
    EXPECT_EQ(OpenFailureText(FakeString, u"Home", 7), u"Cannot open\nHome\n(not a wallet:7)");
    EXPECT_EQ(OpenFailureText(FakeString, u"Home", 12), u"Cannot open\nHome\n(out of memory:12)");
    EXPECT_EQ(OpenFailureText(FakeString, u"Home", 3), u"Cannot open\nHome\n(error:3)");
    // A protected wallet: the tag cannot tell a wrong password from damage; a bad clear header can.
    EXPECT_EQ(OpenFailureText(FakeString, u"Home", 13), u"Cannot open\nHome\n(wrong password or damaged:13)");
    EXPECT_EQ(OpenFailureText(FakeString, u"Home", 14), u"Cannot open\nHome\n(damaged:14)");
}

TEST(WalletListRules, ConversionReports) {
    const std::u16string legacy = u"\\Docs\\Old.wal";
    const std::u16string made = u"\\Docs\\Old.tl5";
    struct Case { int r; bool success; uint32_t icon; std::u16string text; } cases[] = {
        {0, true, 0x40, u"made Old.tl5"},
        {2, false, 0x10, u"bad password\n[Old.wal in \\Docs]"},
        {4, false, 0x10, u"failed\n[Old.wal in \\Docs]"},
        {7, false, 0x10, u"exists [Old.wal in \\Docs]"},
        {8, false, 0x10, u"cannot create\n[Old.wal in \\Docs]"},
        {9, false, 0x40, u"empty [Old.wal in \\Docs]"},
        {3, false, 0x10, u"failed[Old.wal in \\Docs]\nError: 03"},
    };
    for (const Case& c : cases) {
        const ConversionReport report = ConversionResultReport(FakeString, c.r, legacy, made, u"\\Program Files\\TL");
        EXPECT_EQ(report.success, c.success) << c.r;
        EXPECT_EQ(report.icon, c.icon) << c.r;
        EXPECT_EQ(report.text, c.text) << c.r;
    }
    // Missing custom form definitions: the built-in wording names the application's folder when the
    // language module has no text for it.
    const ConversionReport missing = ConversionResultReport(FakeString, 10, legacy, made, u"\\Program Files\\TL");
    EXPECT_FALSE(missing.success);
    EXPECT_NE(missing.text.find(u"copy to the \\Program Files\\TL folder"), std::u16string::npos);
}

TEST(MainWindowLayout, FindBarButtonsFollowTheFindText) {
    struct Case { bool hi; bool shown; std::u16string text; bool findNow; int editRight; } cases[] = {
        {false, false, u"", false, 240 - 2 - 20 - 2},
        {false, true, u"   ", false, 240 - 2},           // all blanks: clear and find-now hidden
        {false, true, u" a ", true, 240 - 2 * 22 - 2},
        {true, false, u"x", false, 480 - 4 - 40 - 4},   // text ignored while the bar is hidden
        {true, true, u"x", true, 480 - 2 * 44 - 4},
    };
    for (const Case& c : cases) {
        const int w = c.hi ? 480 : 240;
        const MainWindowLayout l = ComputeMainWindowLayout(w, w, c.hi ? 640 : 320, c.hi, c.shown, c.text);
        EXPECT_EQ(l.showFindNow, c.findNow);
        EXPECT_EQ(l.showClear, c.findNow);
        EXPECT_EQ(l.showExpandCollapse, !c.findNow);
        EXPECT_EQ(l.findEdit.left + l.findEdit.width, c.editRight);
    }
    const MainWindowLayout normal = ComputeMainWindowLayout(240, 240, 300, false, false, u"");
    EXPECT_EQ(normal.bannerHeight, 23);
    EXPECT_EQ(normal.tree.top, 23);
    EXPECT_EQ(normal.tree.height, 300 - 23 + 1);
    EXPECT_EQ(normal.clear.left, 240 - 44);
    EXPECT_EQ(normal.bannerTextLeft, 27);
    const MainWindowLayout high = ComputeMainWindowLayout(480, 480, 600, true, false, u"");
    EXPECT_EQ(high.bannerHeight, 46);
    EXPECT_EQ(high.findNow.left, 480 - 44);
    EXPECT_EQ(high.findEdit.top, 3);
    EXPECT_EQ(high.findEdit.height, 36);
}
