// The handheld shell layer on the desktop: full-screen dialogs, the caption's OK button, menu bars,
// the input panel, the capitalising edit, tap and hold and the hand-over to desktop programs.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/pocketpc/DeviceScreen.h"
#include "platform/pocketpc/Shell.h"
#include "resources/resource.h"

namespace {

struct Recorder {
    std::vector<UINT> commands;
    std::vector<UINT> settingChanges;
    std::vector<ppc::NMRGINFO> gestures;
    int closes = 0;
};
Recorder* g_rec = nullptr;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_rec) {
        if (message == WM_COMMAND) g_rec->commands.push_back(LOWORD(wParam));
        if (message == WM_SETTINGCHANGE) g_rec->settingChanges.push_back(static_cast<UINT>(wParam));
        if (message == WM_NOTIFY) {
            auto* nm = reinterpret_cast<ppc::NMRGINFO*>(lParam);
            if (nm->hdr.code == ppc::GN_CONTEXTMENU) g_rec->gestures.push_back(*nm);
        }
        if (message == WM_CLOSE) {
            ++g_rec->closes;
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

RECT ClientOnScreen(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class ShellLayer : public ::testing::Test {
protected:
    void SetUp() override {
        g_rec = &rec_;
        WNDCLASSW wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"tl5.ShellLayerTest";
        RegisterClassW(&wc);
        owner_ = CreateWindowExW(0, wc.lpszClassName, L"owner", WS_OVERLAPPED | WS_CAPTION, 0, 0, 200,
                                 200, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override {
        if (IsWindow(owner_)) DestroyWindow(owner_);
        ppc::SHSipPreference(nullptr, ppc::SIP_DOWN);
        g_rec = nullptr;
    }
    // A menu bar built from a menu: a command button and a pop-up button "Menu" (IDM_MENU_BUTTON).
    HWND MakeBar(HWND owner) {
        HMENU menu = CreateMenu();
        HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, IDM_NEW_CARD, L"New Card");
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        item.wID = IDM_FIND;
        item.dwTypeData = const_cast<wchar_t*>(L"Find");
        InsertMenuItemW(menu, 0, TRUE, &item);
        item.wID = IDM_MENU_BUTTON;
        item.hSubMenu = popup;
        item.dwTypeData = const_cast<wchar_t*>(L"Menu");
        InsertMenuItemW(menu, 1, TRUE, &item);
        menus_.push_back(menu);
        ppc::SHMENUBARINFO info{};
        info.cbSize = sizeof(info);
        info.hwndParent = owner;
        info.dwFlags = ppc::SHCMBF_HMENU;
        info.nToolBarId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(menu));
        EXPECT_TRUE(ppc::SHCreateMenuBar(&info));
        return info.hwndMB;
    }

    Recorder rec_;
    HWND owner_ = nullptr;
    std::vector<HMENU> menus_;
};

// A dialog from an in-memory template: a caption-less pop-up, as handheld templates are.
HWND MakeDialog(HWND owner, DLGPROC proc) {
    struct {
        DLGTEMPLATE t;
        WORD menu, cls, title;
    } tpl{};
    tpl.t.style = WS_POPUP | DS_MODALFRAME;
    tpl.t.cx = 100;
    tpl.t.cy = 80;
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &tpl.t, owner, proc, 0);
}

std::vector<WPARAM>* g_dialogCommands = nullptr;
INT_PTR CALLBACK RecordingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND) {
        if (g_dialogCommands) g_dialogCommands->push_back(LOWORD(wParam));
        return TRUE;
    }
    (void)dialog;
    return FALSE;
}

}  // namespace

TEST_F(ShellLayer, FullScreenDialogCoversTheDeviceScreenAndGivesRoomToItsMenuBar) {
    HWND dialog = MakeDialog(owner_, RecordingDialogProc);
    ASSERT_NE(dialog, nullptr);
    ppc::SHINITDLGINFO init{ppc::SHIDIM_FLAGS, dialog, ppc::SHIDIF_DONEBUTTON | ppc::SHIDIF_SIZEDLGFULLSCREEN};
    ASSERT_TRUE(ppc::SHInitDialog(&init));
    const RECT screen = ppc::DeviceScreenRect();
    RECT client = ClientOnScreen(dialog);
    EXPECT_EQ(client.right - client.left, screen.right - screen.left);
    EXPECT_EQ(client.bottom - client.top, screen.bottom - screen.top);
    EXPECT_TRUE(ppc::IsFullScreenDialog(dialog));
    EXPECT_TRUE(ppc::HasDoneButton(dialog));

    HWND bar = MakeBar(dialog);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(ppc::SHFindMenuBar(dialog), bar);
    client = ClientOnScreen(dialog);
    RECT barRect{};
    GetWindowRect(bar, &barRect);
    EXPECT_EQ(client.bottom - client.top, (screen.bottom - screen.top) - ppc::MenuBarHeight());
    EXPECT_EQ(barRect.top, client.bottom);
    EXPECT_EQ(barRect.bottom, client.top + (screen.bottom - screen.top));
    EXPECT_EQ(barRect.left, client.left);

    // Destroying the bar gives the room back.
    DestroyWindow(bar);
    client = ClientOnScreen(dialog);
    EXPECT_EQ(client.bottom - client.top, screen.bottom - screen.top);
    EXPECT_EQ(ppc::SHFindMenuBar(dialog), nullptr);
    DestroyWindow(dialog);
}

TEST_F(ShellLayer, CaptionOkButtonSendsOkWhileAltF4StillCloses) {
    std::vector<WPARAM> commands;
    g_dialogCommands = &commands;
    HWND dialog = MakeDialog(owner_, RecordingDialogProc);
    ppc::SHINITDLGINFO init{ppc::SHIDIM_FLAGS, dialog, ppc::SHIDIF_DONEBUTTON | ppc::SHIDIF_SIZEDLGFULLSCREEN};
    ppc::SHInitDialog(&init);
    // A click on the close box carries the pointer position.
    SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(230, 8));
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0], static_cast<WPARAM>(IDOK));
    // Alt+F4 comes without a position: the dialog closes the usual way (IDCANCEL for a dialog).
    SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1], static_cast<WPARAM>(IDCANCEL));

    EXPECT_TRUE(ppc::SHDoneButton(dialog, ppc::SHDB_HIDE));
    EXPECT_FALSE(ppc::HasDoneButton(dialog));
    EXPECT_FALSE(GetWindowLongPtrW(dialog, GWL_STYLE) & WS_SYSMENU);
    SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(230, 8));
    Pump();
    EXPECT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands.back(), static_cast<WPARAM>(IDCANCEL)) << "without the OK button a click is no OK";
    EXPECT_TRUE(ppc::SHDoneButton(dialog, ppc::SHDB_SHOW));
    EXPECT_TRUE(ppc::HasDoneButton(dialog));
    g_dialogCommands = nullptr;
    DestroyWindow(dialog);

    // A window created with WS_EX_CAPTIONOKBTN gets the same button; the style bit itself is not kept.
    HWND window = ppc::CreateCaptionOkWindow(ppc::WS_EX_CAPTIONOKBTN, L"tl5.ShellLayerTest", L"ok", WS_OVERLAPPED,
                                             0, 0, 100, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(ppc::HasDoneButton(window));
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & ppc::WS_EX_CAPTIONOKBTN);
    rec_.commands.clear();
    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(90, 8));
    EXPECT_EQ(rec_.commands, std::vector<UINT>{IDOK});
    DestroyWindow(window);
}

TEST_F(ShellLayer, MenuBarButtonsSendCommandsAndCarryTexts) {
    HWND bar = MakeBar(owner_);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 2);
    wchar_t text[64];
    ASSERT_TRUE(ppc::GetMenuBarButtonText(bar, IDM_FIND, text, 64));
    EXPECT_STREQ(text, L"Find");
    ASSERT_TRUE(ppc::SetMenuBarButtonText(bar, IDM_MENU_BUTTON, L"Men\u00fc"));
    ASSERT_TRUE(ppc::GetMenuBarButtonText(bar, IDM_MENU_BUTTON, text, 64));
    EXPECT_STREQ(text, L"Men\u00fc");
    EXPECT_FALSE(ppc::SetMenuBarButtonText(bar, 999, L"x"));

    HMENU popup = reinterpret_cast<HMENU>(SendMessageW(bar, ppc::SHCMBM_GETSUBMENU, 0, IDM_MENU_BUTTON));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetMenuItemID(popup, 0), 821u);
    EXPECT_EQ(reinterpret_cast<HMENU>(SendMessageW(bar, ppc::SHCMBM_GETMENU, 0, 0)), menus_[0]);

    rec_.commands.clear();
    EXPECT_TRUE(ppc::PressMenuBarButton(bar, IDM_FIND));
    Pump();
    EXPECT_EQ(rec_.commands, std::vector<UINT>{IDM_FIND});
    // A disabled button sends nothing; a tap on the bar itself works like the press.
    SendMessageW(bar, TB_ENABLEBUTTON, IDM_FIND, FALSE);
    rec_.commands.clear();
    ppc::PressMenuBarButton(bar, IDM_FIND);
    Pump();
    EXPECT_TRUE(rec_.commands.empty());
    SendMessageW(bar, TB_ENABLEBUTTON, IDM_FIND, TRUE);
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Pump();
    EXPECT_EQ(rec_.commands, std::vector<UINT>{IDM_FIND});
    // The soft keys press the left and the right button.
    rec_.commands.clear();
    EXPECT_TRUE(ppc::HandleSoftKey(owner_, VK_F1));
    Pump();
    EXPECT_EQ(rec_.commands, std::vector<UINT>{IDM_FIND});
    EXPECT_FALSE(ppc::HandleSoftKey(owner_, VK_F3));
    EXPECT_FALSE(ppc::HandleSoftKey(nullptr, VK_F1));
    // The bar follows its owner.
    SetWindowPos(owner_, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    POINT origin{0, 0};
    ClientToScreen(owner_, &origin);
    RECT r{};
    GetWindowRect(bar, &r);
    EXPECT_EQ(r.left, origin.x);
    DestroyWindow(bar);
    DestroyMenu(menus_[0]);
}

TEST_F(ShellLayer, InputPanelStateIsRecordedAndAnnounced) {
    ppc::SHSipPreference(owner_, ppc::SIP_DOWN);
    rec_.settingChanges.clear();
    EXPECT_TRUE(ppc::SHSipPreference(owner_, ppc::SIP_UP));
    EXPECT_TRUE(ppc::InputPanelShown());
    EXPECT_EQ(rec_.settingChanges, std::vector<UINT>{ppc::SPI_SETSIPINFO});
    ppc::SHSipPreference(owner_, ppc::SIP_UP);  // no change, no announcement
    EXPECT_EQ(rec_.settingChanges.size(), 1u);

    ppc::SHACTIVATEINFO sai{};
    sai.cbSize = 12;
    EXPECT_TRUE(ppc::SHHandleWMSettingChange(owner_, ppc::SPI_SETSIPINFO, 0, &sai));
    EXPECT_EQ(sai.fSipUp, 1u);

    ppc::SIPINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(ppc::SHSipInfo(ppc::SPI_GETSIPINFO, 0, &info, 0));
    EXPECT_TRUE(info.fdwFlags & ppc::SIPF_ON);
    EXPECT_EQ(info.rcVisibleDesktop.bottom, info.rcSipRect.top);
    info.fdwFlags |= ppc::SIPF_DISABLECOMPLETION;
    info.fdwFlags &= ~ppc::SIPF_ON;
    ASSERT_TRUE(ppc::SHSipInfo(ppc::SPI_SETSIPINFO, 0, &info, 0));
    EXPECT_FALSE(ppc::InputPanelShown());
    EXPECT_TRUE(ppc::InputPanelFlags() & ppc::SIPF_DISABLECOMPLETION);
    info.cbSize = 4;
    EXPECT_FALSE(ppc::SHSipInfo(ppc::SPI_GETSIPINFO, 0, &info, 0));

    // Activation gives a window back the panel it had when it was deactivated.
    ppc::SHSipPreference(owner_, ppc::SIP_UP);
    ppc::SHHandleWMActivate(owner_, WA_INACTIVE, 0, &sai, 0);
    ppc::SHSipPreference(owner_, ppc::SIP_FORCEDOWN);
    ppc::SHHandleWMActivate(owner_, WA_ACTIVE, 0, &sai, 0);
    EXPECT_TRUE(ppc::InputPanelShown());
    // An activation without a deactivation before it leaves the panel alone.
    ppc::SHSipPreference(owner_, ppc::SIP_DOWN);
    ppc::SHHandleWMActivate(owner_, WA_ACTIVE, 0, &sai, 0);
    EXPECT_FALSE(ppc::InputPanelShown());
    sai.cbSize = 0;
    EXPECT_FALSE(ppc::SHHandleWMActivate(owner_, WA_ACTIVE, 0, &sai, 0));
}

TEST_F(ShellLayer, CapitalisingEditCapitalisesWhileTyping) {
    ASSERT_TRUE(ppc::SHInitExtraControls());
    ASSERT_TRUE(ppc::SHInitExtraControls());
    struct Case { WPARAM allWords; WPARAM enabled; const wchar_t* typed; const wchar_t* shown; };
    const Case cases[] = {
        {FALSE, TRUE, L"my bank card", L"My bank card"},
        {FALSE, TRUE, L"  x y", L"  X y"},
        {TRUE, TRUE, L"my bank card", L"My Bank Card"},
        {TRUE, FALSE, L"my bank card", L"my bank card"},
    };
    for (const Case& c : cases) {
        HWND edit = CreateWindowExW(0, ppc::WC_CAPEDIT, L"", WS_CHILD | WS_VISIBLE, 0, 0, 150, 20, owner_, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(edit, nullptr);
        SendMessageW(edit, ppc::CEM_UPCASEALLWORDS, c.allWords, 0);
        SendMessageW(edit, ppc::CEM_ENABLEUPCASE, c.enabled, 0);
        for (const wchar_t* p = c.typed; *p; ++p) SendMessageW(edit, WM_CHAR, *p, 0);
        wchar_t text[64] = {};
        GetWindowTextW(edit, text, 64);
        EXPECT_STREQ(text, c.shown) << c.typed;
        DestroyWindow(edit);
    }
}

TEST_F(ShellLayer, RightClickIsTapAndHold) {
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 50, 50, owner_,
                                 reinterpret_cast<HMENU>(77), GetModuleHandleW(nullptr), nullptr);
    ppc::EnableTapAndHold(child);
    SendMessageW(child, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 4));
    ASSERT_EQ(rec_.gestures.size(), 1u);
    POINT expected{3, 4};
    ClientToScreen(child, &expected);
    EXPECT_EQ(rec_.gestures[0].hdr.idFrom, 77u);
    EXPECT_EQ(rec_.gestures[0].ptAction.x, expected.x);
    EXPECT_EQ(rec_.gestures[0].ptAction.y, expected.y);
    ppc::SHRGINFO rg{};
    rg.cbSize = sizeof(rg);
    rg.hwndClient = child;
    EXPECT_EQ(ppc::SHRecognizeGesture(&rg), 0u) << "no right button held";
    DestroyWindow(child);
}

TEST_F(ShellLayer, DeviceProgramsGoToSafeDesktopTargets) {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder(exe);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    struct Case { const wchar_t* program; const wchar_t* line; bool ok; std::wstring target; };
    const Case cases[] = {
        {L"iexplore.exe", L"www.example.com", true, L"http://www.example.com"},
        {L"iexplore.exe", L"https://example.com/a?b=1", true, L"https://example.com/a?b=1"},
        {L"\\Windows\\iexplore.exe", L"HTTP://x.org", true, L"HTTP://x.org"},
        {L"iexplore.exe", L"C:\\Windows\\notepad.exe", false, L""},
        {L"iexplore.exe", L"file:///C:/Windows/notepad.exe", false, L""},
        {L"iexplore.exe", L"javascript:alert(1)", false, L""},
        {L"iexplore.exe", L"\"http://a\" -x", false, L""},
        {L"iexplore.exe", L"", false, L""},
        {L"tmail.exe", L"-to \"anna@example.com\"", true, L"mailto:anna@example.com"},
        {L"tmail.exe", L"-to \"a\"b@example.com\"", false, L""},
        {L"tmail.exe", L"anna@example.com", false, L""},
        {L"peghelp.exe", L"file:tlpro5en.htm", true, folder + L"tlpro5en.htm"},
        {L"peghelp.exe", L"file:..\\..\\Windows\\x.htm", true, folder + L"x.htm"},
        {L"peghelp.exe", L"file:evil.exe", false, L""},
        {L"cmd.exe", L"/c calc", false, L""},
    };
    for (const Case& c : cases) {
        wchar_t target[1024] = {};
        EXPECT_EQ(ppc::DesktopTargetForDeviceProgram(c.program, c.line, target, 1024), c.ok) << c.line;
        EXPECT_EQ(std::wstring(target), c.target) << c.line;
    }
    EXPECT_FALSE(ppc::StartDeviceProgram(L"iexplore.exe", L"C:\\Windows\\notepad.exe"));
    EXPECT_EQ(ppc::tapiRequestMakeCall(L"", nullptr, nullptr, nullptr), ppc::TAPIERR_INVALDESTADDRESS);
    EXPECT_EQ(ppc::tapiRequestMakeCall(L"555 123&calc", nullptr, nullptr, nullptr), ppc::TAPIERR_INVALDESTADDRESS);
    EXPECT_EQ(ppc::tapiRequestMakeCall(L"--", nullptr, nullptr, nullptr), ppc::TAPIERR_INVALDESTADDRESS);
}

TEST_F(ShellLayer, ForegroundRequestWithTheLowBitAndStorageCards) {
    ShowWindow(owner_, SW_SHOW);
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ::SetForegroundWindow(other);
    EXPECT_TRUE(ppc::SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<UINT_PTR>(owner_) | 1)));
    EXPECT_EQ(GetForegroundWindow(), owner_);
    DestroyWindow(other);

    WIN32_FIND_DATAW data{};
    HANDLE find = ppc::FindFirstFlashCard(&data);
    int cards = 0;
    if (find != INVALID_HANDLE_VALUE) {
        do {
            ++cards;
            EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_TEMPORARY);
            EXPECT_EQ(data.cFileName[1], L':');
        } while (cards < 30 && ppc::FindNextFlashCard(find, &data));
        EXPECT_TRUE(ppc::FindCloseFlashCard(find));
    }
    EXPECT_LT(cards, 30);
    EXPECT_FALSE(ppc::FindNextFlashCard(INVALID_HANDLE_VALUE, &data));
}

namespace {

RECT g_boxRect{};
void CALLBACK CloseBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindWindowW(L"#32770", L"tl5-place");
    if (!box) return;
    KillTimer(nullptr, timer);
    GetWindowRect(box, &g_boxRect);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST_F(ShellLayer, MessageBoxesAppearInTheDeviceScreen) {
    ppc::PlaceDialogsInDeviceScreen();
    ppc::PlaceDialogsInDeviceScreen();
    g_boxRect = RECT{};
    SetTimer(nullptr, 0, 100, CloseBox);
    EXPECT_EQ(MessageBoxW(nullptr, L"A short message.", L"tl5-place", MB_OK), IDOK);
    const RECT screen = ppc::DeviceScreenRect();
    const int boxCentre = (g_boxRect.left + g_boxRect.right) / 2;
    const int screenCentre = (screen.left + screen.right) / 2;
    ASSERT_GT(g_boxRect.right, 0);
    if (g_boxRect.right - g_boxRect.left <= screen.right - screen.left) {
        EXPECT_NEAR(boxCentre, screenCentre, 1);
    } else {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_EQ(g_boxRect.left, work.left) << "a wider box starts at the work area's edge";
    }
    EXPECT_NEAR((g_boxRect.top + g_boxRect.bottom) / 2, (screen.top + screen.bottom) / 2, 1);

    // Removed again, boxes go back to the desktop's placement (and later tests are not affected).
    ppc::PlaceDialogsInDeviceScreen(false);
    g_boxRect = RECT{};
    SetTimer(nullptr, 0, 100, CloseBox);
    MessageBoxW(nullptr, L"A short message.", L"tl5-place", MB_OK);
    EXPECT_GT(std::abs((g_boxRect.top + g_boxRect.bottom) / 2 - (screen.top + screen.bottom) / 2), 1);
}
