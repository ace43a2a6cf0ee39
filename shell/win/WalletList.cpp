#include "shell/win/WalletList.h"

#include <commdlg.h>

#include <string>

#include "cardui/win/DialogBar.h"
#include "dialogs/win/About.h"
#include "dialogs/win/PasswordDialogs.h"
#include "platform/FormatText.h"
#include "platform/PathText.h"
#include "platform/SecureZero.h"
#include "platform/Text.h"
#include "platform/pocketpc/DocList.h"
#include "shell/Settings.h"
#include "shell/WalletListRules.h"
#include "shell/win/BasicMainWindow.h"
#include "shell/win/MainWindow.h"
#include "shell/win/MainWindowFrame.h"

namespace tl5win {

namespace {

constexpr int kCommandLeftNew = 10;
constexpr int kCommandExit = 802;
constexpr int kCommandNew = 803;
constexpr int kCommandDelete = 805;
constexpr int kCommandAbout = 808;
constexpr int kCommandOpen = 812;
constexpr UINT kWalletListMenuBar = 966;

struct WalletListState {
    bool configured = false;
    UINT notifyMessage = 0;
    std::wstring filterList;  // description, NUL, pattern, NUL, NUL
    HINSTANCE instance = nullptr;
    HMODULE resources = nullptr;
    int iconId = 200;
    std::wstring title;
    HWND owner = nullptr;
    HWND screen = nullptr;
    HWND documentList = nullptr;
    HWND titleBar = nullptr;
    std::wstring chosenPath;
    bool replaces = false;
    ppc::SHACTIVATEINFO activation{};
    LegacyConverter converter = nullptr;
};

WalletListState& State() {
    static WalletListState state;
    return state;
}

std::wstring Wide(const std::u16string& s) { return tl5::ToWide(s); }

void Layout(HWND screen) {
    WalletListState& s = State();
    RECT client{};
    GetClientRect(screen, &client);
    int barHeight = 0;
    if (s.titleBar) {
        tl5::FitDialogBar(s.titleBar, screen);
        barHeight = tl5::DialogBarHeight();
    }
    if (s.documentList)
        MoveWindow(s.documentList, 0, barHeight, client.right, client.bottom - barHeight, TRUE);
}

// Reports the choice to the owner and goes away.
void Finish(HWND screen, WPARAM action) {
    const HWND owner = State().owner;
    const UINT message = State().notifyMessage;
    DestroyWindow(screen);
    PostMessageW(owner, message, action, 0);
}

std::wstring SelectedPath() {
    wchar_t path[MAX_PATH] = {};
    if (State().documentList)
        SendMessageW(State().documentList, ppc::DLM_GETSELPATHNAME, MAX_PATH, reinterpret_cast<LPARAM>(path));
    return path;
}

std::wstring ApplicationFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    const size_t slash = folder.rfind(L'\\');
    if (slash != std::wstring::npos) folder.resize(slash);
    return folder;
}

// Converts a legacy wallet; on success `newPath` holds the new wallet. False when declined or failed.
bool ConvertLegacy(HWND screen, const std::wstring& legacyPath, std::wstring* newPath) {
    if (ShowMessage(screen, Text(22012), 20001, MB_YESNO | MB_ICONINFORMATION) != IDYES) return false;
    wchar_t password[kPasswordBufferSize] = {};
    const std::wstring title = Wide(tl5::FileTitleOf(tl5::FromWide(legacyPath)));
    if (!ShowPasswordEntryDialog(screen, title.c_str(), password, nullptr)) return false;
    wchar_t converted[MAX_PATH] = {};
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const int result = State().converter ? State().converter(legacyPath.c_str(), password, converted, screen) : 1;
    SetCursor(previous);
    tl5::SecureZero(password, sizeof(password));
    const tl5::ConversionReport report = tl5::ConversionResultReport(
        [](uint32_t id) { return tl5::FromWide(Text(id)); }, result, tl5::FromWide(legacyPath),
        tl5::FromWide(converted), tl5::FromWide(ApplicationFolder()));
    ShowMessage(screen, Wide(report.text), 20001, report.icon);
    if (!report.success) return false;
    *newPath = converted;
    return true;
}

void OpenFromList(HWND screen, const std::wstring& path) {
    WalletListState& s = State();
    s.chosenPath = path;
    s.replaces = false;
    if (tl5::IsLegacyWalletPath(tl5::FromWide(path))) {
        std::wstring converted;
        if (!ConvertLegacy(screen, path, &converted)) return;
        s.chosenPath = converted;
    }
    Finish(screen, tl5::kWalletListOpen);
}

// The save dialog for a new wallet; true when a name was chosen.
bool ChooseNewFile(HWND screen) {
    WalletListState& s = State();
    wchar_t file[MAX_PATH] = {};
    wchar_t folder[MAX_PATH] = {};
    ppc::DocListDocumentsFolder(folder, MAX_PATH);
    static const wchar_t kFilter[] = L"Tessellock Files (*.tl5)\0*.tl5\0";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = screen;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = folder[0] ? folder : nullptr;
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    ofn.lpstrDefExt = L"tl5";
    if (!GetSaveFileNameW(&ofn)) return false;
    const std::wstring path = Wide(tl5::FixSavedWalletPath(tl5::FromWide(file)));
    s.chosenPath = path;
    // The old file is deleted only once the new password has been given (see the action handler):
    // deleting it here would lose the wallet whenever the user then cancels.
    HANDLE existing = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    s.replaces = existing != INVALID_HANDLE_VALUE;
    if (s.replaces) CloseHandle(existing);
    return true;
}

INT_PTR CALLBACK WalletListProc(HWND screen, UINT message, WPARAM wParam, LPARAM lParam) {
    WalletListState& s = State();
    NoteActivity();
    switch (message) {
    case WM_INITDIALOG: {
        s.activation = ppc::SHACTIVATEINFO{};
        s.activation.cbSize = 12;
        ppc::SHINITDLGINFO init{ppc::SHIDIM_FLAGS, screen, ppc::SHIDIF_DONEBUTTON | ppc::SHIDIF_SIZEDLGFULLSCREEN};
        ppc::SHInitDialog(&init);
        s.chosenPath.clear();
        s.replaces = false;
        s.screen = screen;
        SetWindowTextW(screen, s.title.c_str());
        CreateMenuBarFor(screen, kWalletListMenuBar);
        PostMessageW(s.owner, WM_CANCELMODE, 0, 0);
        SendMessageW(screen, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(kFont85Bold)), FALSE);
        s.titleBar = CreateTitleBar(screen, s.title, s.iconId);
        ppc::DOCLISTCREATE create{};
        create.dwStructSize = 24;
        create.hwndParent = screen;
        create.pszFolder = nullptr;
        create.pstrFilter = s.filterList.c_str();
        create.wFilterIndex = 0;
        create.wId = kDocumentListId;
        create.dwFlags = 0;
        s.documentList = ppc::DocList_Create(&create);
        if (s.documentList) {
            SendMessageW(s.documentList, ppc::DLM_REFRESH, 0, 0);
            SendMessageW(s.documentList, ppc::DLM_SETSELECT, 0, 0);
        }
        Layout(screen);
        SetFocus(s.documentList);
        return FALSE;  // the focus is placed
    }
    case WM_SIZE:
        Layout(screen);
        return TRUE;
    case WM_ACTIVATE:
        ppc::SHHandleWMActivate(screen, wParam, lParam, &s.activation, 0);
        return FALSE;
    case WM_SETTINGCHANGE:
        ppc::SHHandleWMSettingChange(screen, wParam, lParam, &s.activation);
        return FALSE;
    case WM_INITMENUPOPUP:
        if (tl5::AppSettings().exitMenu == 0) DeleteMenu(reinterpret_cast<HMENU>(wParam), kCommandExit, MF_BYCOMMAND);
        return FALSE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != kDocumentListId) return FALSE;
        if (header->code == ppc::DLN_ITEMACTIVATED) {
            const auto* note = reinterpret_cast<const ppc::DLNHDR*>(lParam);
            OpenFromList(screen, note->pszPath);
        } else if (header->code == ppc::DLN_LAYOUTCHANGED) {
            Layout(screen);
        }
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
        case kCommandExit:
            Finish(screen, tl5::kWalletListQuit);
            return TRUE;
        case kCommandLeftNew:
        case kCommandNew:
            if (ChooseNewFile(screen)) Finish(screen, tl5::kWalletListCreate);
            return TRUE;
        case kCommandOpen: {
            const std::wstring path = SelectedPath();
            if (!path.empty()) OpenFromList(screen, path);
            return TRUE;
        }
        case kCommandDelete: {
            const std::wstring path = SelectedPath();
            if (path.empty()) return TRUE;
            const std::u16string question = tl5::FormatText(tl5::FromWide(Text(22011)), {tl5::FromWide(path)});
            if (ShowMessage(screen, Wide(question), 20001, MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
                DeleteFileW(path.c_str());
                // The list shows what is on disk: without this the deleted wallet stays listed.
                SendMessageW(s.documentList, ppc::DLM_REFRESH, 0, 0);
                SendMessageW(s.documentList, ppc::DLM_SETSELECT, 0, 0);
            }
            return TRUE;
        }
        case kCommandAbout:
            ShowAbout(screen);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_DESTROY:
        if (s.documentList) DestroyWindow(s.documentList);
        s.screen = nullptr;
        s.documentList = nullptr;
        s.titleBar = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

void WalletListSetup(UINT notifyMessage, const wchar_t* filterPattern, const wchar_t* titleText,
                     HINSTANCE instance, HMODULE resources, int iconId) {
    WalletListState& s = State();
    s.notifyMessage = notifyMessage;
    s.instance = instance;
    s.resources = resources;
    s.iconId = iconId;
    s.title = titleText ? titleText : L"";
    s.filterList = Text(25000);
    s.filterList.push_back(L'\0');
    s.filterList += filterPattern ? filterPattern : L"";
    s.filterList.push_back(L'\0');
    s.filterList.push_back(L'\0');
    s.configured = true;
}

bool WalletListShow(HWND owner) {
    WalletListState& s = State();
    if (!s.configured) return false;
    if (s.screen) return true;
    s.owner = owner;
    HINSTANCE instance = s.instance ? s.instance : AppInstance();
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(kWalletListDialog), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const auto* tmpl = loaded ? static_cast<LPCDLGTEMPLATEW>(LockResource(loaded)) : nullptr;
    if (!tmpl) return true;
    HWND screen = CreateDialogIndirectParamW(instance, tmpl, owner, WalletListProc, 0);
    if (screen) ShowWindow(screen, SW_SHOW);
    return true;
}

bool WalletListIsShown() { return State().screen && IsWindowVisible(State().screen); }
HWND WalletListWindow() { return State().screen; }

bool WalletListTakeChosenPath(wchar_t* buffer) {
    if (!buffer) return false;
    buffer[0] = 0;
    const std::wstring& path = State().chosenPath;
    if (path.empty() || path.size() >= MAX_PATH) return false;
    wcscpy_s(buffer, MAX_PATH, path.c_str());
    return true;
}

bool WalletListChosenPathReplaces() { return State().replaces; }

void SetLegacyConverter(LegacyConverter converter) { State().converter = converter; }

void HandleWalletListAction(HWND mainWindow, WPARAM action) {
    ppc::SHDoneButton(mainWindow, ppc::SHDB_SHOW);
    MainWindowReapplyFindBar(mainWindow);
    MainWindowShowMenuBar(mainWindow, kMainMenuBar);
    ppc::SHSipPreference(mainWindow, ppc::SIP_DOWN);

    wchar_t path[MAX_PATH] = {};
    if (action == tl5::kWalletListCreate) {
        if (WalletListTakeChosenPath(path)) {
            wchar_t password[kPasswordBufferSize] = {};
            wchar_t hint[kHintBufferSize] = {};
            if (ShowNewPasswordDialog(mainWindow, NewPasswordMode::NewWallet, password, hint)) {
                // The user confirmed replacing an existing file in the save dialog; it goes now.
                bool ready = true;
                if (WalletListChosenPathReplaces() && !DeleteFileW(path)) ready = false;
                State().replaces = false;
                if (ready) {
                    const int created = MainWindowCreateWallet(path, password, hint);
                    tl5::SecureZero(password, sizeof(password));
                    if (created == 0) {
                        MainWindowOpenWallet(mainWindow, path);
                        return;
                    }
                    ShowMessage(mainWindow, Text(23001), 20500, MB_ICONSTOP);
                }
            }
            tl5::SecureZero(password, sizeof(password));
        }
    } else if (action == tl5::kWalletListOpen) {
        if (WalletListTakeChosenPath(path) && wcslen(path) >= tl5::kMinWalletPathLength) {
            MainWindowOpenWallet(mainWindow, path);
            return;
        }
    } else if (action == 0 || action == tl5::kWalletListQuit) {
        SendMessageW(mainWindow, WM_ACTIVATE, WA_INACTIVE, 0);
        SendMessageW(mainWindow, WM_CLOSE, 0, 0);
        return;
    } else {
        return;
    }
    PostMessageW(mainWindow, tl5::WMU_SHOW_WALLET_LIST, 0, 0);
}

}  // namespace tl5win
