#include "shell/win/WalletList.h"

#include <commdlg.h>

#include <memory>
#include <string>

#include "StringIds.h"
#include "cardui/win/DialogBar.h"
#include "cardui/win/DialogHost.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/Strings.h"
#include "dialogs/win/About.h"
#include "dialogs/win/PasswordDialogs.h"
#include "exchange/LegacyConversion.h"
#include "platform/ExchangeServices.h"
#include "platform/FormatText.h"
#include "platform/PathText.h"
#include "platform/File.h"
#include "platform/SecureZero.h"
#include "platform/Text.h"
#include "platform/pocketpc/DocList.h"
#include "resources/resource.h"
#include "shell/WalletListRules.h"

namespace tl5win {

namespace {

std::wstring Wide(const std::u16string& s) { return tl5::ToWide(s); }

int ConvertWithTheCore(const wchar_t* legacyPath, const wchar_t* password, wchar_t* newPath, HWND) {
    std::u16string converted;
    std::u16string secret = tl5::FromWide(password ? password : L"");
    const int result =
        tl5::ConvertLegacyWallet(tl5::OsFileSystem(), tl5::FromWide(legacyPath ? legacyPath : L""), secret, &converted);
    tl5::SecureZero(secret);
    if (newPath) lstrcpynW(newPath, Wide(converted).c_str(), MAX_PATH);
    return result;
}

// What start-up configures once; the screen itself is made anew each time it is shown.
struct WalletListConfig {
    bool configured = false;
    UINT notifyMessage = 0;
    std::wstring filterList;  // description, NUL, pattern, NUL, NUL
    std::wstring title;
    int iconId = IDI_TL_APP;
    LegacyConverter converter = ConvertWithTheCore;
};

WalletListConfig& Config() {
    static WalletListConfig config;
    return config;
}

// The choice the screen leaves for its owner, which takes it after the notification.
struct WalletListChoice {
    std::wstring path;
    bool replaces = false;
};

WalletListChoice& Choice() {
    static WalletListChoice choice;
    return choice;
}

class WalletListScreen : public Dialog {
public:
    explicit WalletListScreen(HWND owner) : Dialog(IDD_WALLET_LIST), owner_(owner) {}

private:
    DialogFrameSpec Frame() override {
        // The template has no dialog bar: the title bar is made in code (OnInit).
        return {Config().title, 0, IDMB_WALLET_LIST, true, true};
    }

    bool OnInit() override {
        Choice() = WalletListChoice{};
        PostMessageW(owner_, WM_CANCELMODE, 0, 0);
        SendMessageW(Window(), WM_SETFONT, reinterpret_cast<WPARAM>(AppFontCache().Font(kFont85Bold)), FALSE);
        titleBar_ = CreateTitleBar(Window(), Config().title, Config().iconId);
        documentList_ = ppc::CreateDocumentList(Window(), Config().filterList.c_str(), IDC_DOCUMENT_LIST);
        Layout();
        SetFocus(documentList_);
        return false;  // the focus is placed
    }

    void OnSize() override { Layout(); }

    bool OnNotify(const NMHDR& header, LRESULT* result) override {
        if (header.idFrom != IDC_DOCUMENT_LIST) return false;
        if (header.code == ppc::DLN_ITEMACTIVATED) {
            OpenFromList(reinterpret_cast<const ppc::DLNHDR&>(header).pszPath);
        } else if (header.code == ppc::DLN_LAYOUTCHANGED) {
            Layout();
        }
        *result = 0;
        return true;
    }

    bool OnCommand(int id, int, HWND) override {
        switch (id) {
        case IDOK:
        case IDCANCEL:
        case IDM_EXIT: Finish(tl5::kWalletListQuit); return true;
        case IDC_MB_LEFT_NEW:
        case IDM_NEW_WALLET:
            if (ChooseNewFile()) Finish(tl5::kWalletListCreate);
            return true;
        case IDM_OPEN: {
            const std::wstring path = SelectedPath();
            if (!path.empty()) OpenFromList(path);
            return true;
        }
        case IDM_DELETE: DeleteSelected(); return true;
        case IDM_ABOUT: ShowAbout(Window()); return true;
        default: return false;
        }
    }

    void OnDestroy() override {
        if (documentList_) DestroyWindow(documentList_);
        documentList_ = nullptr;
        titleBar_ = nullptr;
    }

    void Layout() { FitTitleBarAndBody(Window(), titleBar_, documentList_); }

    // Reports the choice to the owner and goes away.
    void Finish(WPARAM action) {
        const HWND owner = owner_;
        End(0);
        PostMessageW(owner, Config().notifyMessage, action, 0);
    }

    std::wstring SelectedPath() const {
        wchar_t path[MAX_PATH] = {};
        if (documentList_)
            SendMessageW(documentList_, ppc::DLM_GETSELPATHNAME, MAX_PATH, reinterpret_cast<LPARAM>(path));
        return path;
    }

    void DeleteSelected() {
        const std::wstring path = SelectedPath();
        if (path.empty()) return;
        const std::u16string question = tl5::FormatText(TextU16(IDS_DELETE_WALLET_Q), {tl5::FromWide(path)});
        if (ShowMessage(Window(), Wide(question), IDS_APP_NAME, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
        DeleteFileW(path.c_str());
        // The list shows what is on disk: without this the deleted wallet stays listed.
        SendMessageW(documentList_, ppc::DLM_REFRESH, 0, 0);
        SendMessageW(documentList_, ppc::DLM_SETSELECT, 0, 0);
    }

    // Converts a legacy wallet; on success `newPath` holds the new wallet. False when declined or failed.
    bool ConvertLegacy(const std::wstring& legacyPath, std::wstring* newPath) {
        if (ShowMessage(Window(), IDS_CONVERT_LEGACY_Q, IDS_APP_NAME, MB_YESNO | MB_ICONINFORMATION) != IDYES)
            return false;
        wchar_t password[kPasswordBufferSize] = {};
        const std::wstring title = Wide(tl5::FileTitleOf(tl5::FromWide(legacyPath)));
        if (!ShowPasswordEntryDialog(Window(), title.c_str(), password, nullptr)) return false;
        wchar_t converted[MAX_PATH] = {};
        HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        const int result = Config().converter(legacyPath.c_str(), password, converted, Window());
        SetCursor(previous);
        tl5::SecureZero(password, sizeof(password));
        const tl5::ConversionReport report = tl5::ConversionResultReport(
            TextU16, result, tl5::FromWide(legacyPath), tl5::FromWide(converted), tl5::ProgramFolder());
        ShowMessage(Window(), Wide(report.text), IDS_APP_NAME, report.icon);
        if (!report.success) return false;
        *newPath = converted;
        return true;
    }

    void OpenFromList(const std::wstring& path) {
        Choice() = WalletListChoice{path, false};
        if (tl5::IsLegacyWalletPath(tl5::FromWide(path))) {
            std::wstring converted;
            if (!ConvertLegacy(path, &converted)) return;
            Choice().path = converted;
        }
        Finish(tl5::kWalletListOpen);
    }

    // The save dialog for a new wallet; true when a name was chosen.
    bool ChooseNewFile() {
        wchar_t file[MAX_PATH] = {};
        wchar_t folder[MAX_PATH] = {};
        ppc::DocListDocumentsFolder(folder, MAX_PATH);
        static const wchar_t kFilter[] = L"Tessellock Files (*.tl5)\0*.tl5\0";
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = Window();
        ofn.lpstrFilter = kFilter;
        ofn.lpstrFile = file;
        ofn.nMaxFile = MAX_PATH;
        ofn.lpstrInitialDir = folder[0] ? folder : nullptr;
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
        ofn.lpstrDefExt = L"tl5";
        if (!GetSaveFileNameW(&ofn)) return false;
        const std::wstring path = Wide(tl5::FixSavedWalletPath(tl5::FromWide(file)));
        // The old file is deleted only once the new password has been given (see the main window's
        // action handler): deleting it here would lose the wallet whenever the user then cancels.
        HANDLE existing = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        const bool replaces = existing != INVALID_HANDLE_VALUE;
        if (replaces) CloseHandle(existing);
        Choice() = WalletListChoice{path, replaces};
        return true;
    }

    HWND owner_;
    HWND titleBar_ = nullptr;
    HWND documentList_ = nullptr;
};

// The screen while it is up (modeless: it lives until the user chooses, then destroys its window).
std::unique_ptr<WalletListScreen>& Screen() {
    static std::unique_ptr<WalletListScreen> screen;
    return screen;
}

}  // namespace

void WalletListSetup(UINT notifyMessage, const wchar_t* filterPattern, const wchar_t* titleText, int iconId) {
    WalletListConfig& c = Config();
    c.notifyMessage = notifyMessage;
    c.iconId = iconId;
    c.title = titleText ? titleText : L"";
    c.filterList = Text(IDS_WALLETS_TITLE);
    c.filterList.push_back(L'\0');
    c.filterList += filterPattern ? filterPattern : L"";
    c.filterList.push_back(L'\0');
    c.filterList.push_back(L'\0');
    c.configured = true;
}

bool WalletListShow(HWND owner) {
    if (!Config().configured) return false;
    if (Screen() && Screen()->Window()) return true;
    Screen() = std::make_unique<WalletListScreen>(owner);
    CreateModelessDialog(owner, *Screen());
    return true;
}

bool WalletListIsShown() { return WalletListWindow() && IsWindowVisible(WalletListWindow()); }
HWND WalletListWindow() { return Screen() ? Screen()->Window() : nullptr; }

bool WalletListTakeChosenPath(wchar_t* buffer) {
    if (!buffer) return false;
    buffer[0] = 0;
    const std::wstring& path = Choice().path;
    if (path.empty() || path.size() >= MAX_PATH) return false;
    wcscpy_s(buffer, MAX_PATH, path.c_str());
    return true;
}

bool WalletListTakeChosenPathReplaces() {
    const bool replaces = Choice().replaces;
    Choice().replaces = false;
    return replaces;
}

void SetLegacyConverter(LegacyConverter converter) { Config().converter = converter ? converter : ConvertWithTheCore; }

}  // namespace tl5win
