// The life of the open wallet in the main window: opening one (probe, password, load), reporting
// failures, closing it to the wallet list, and acting on the wallet list's choice.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "StringIds.h"
#include "cardui/Settings.h"
#include "cardui/win/Activity.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/ImageLists.h"
#include "cardui/win/Strings.h"
#include "dialogs/win/PasswordDialogs.h"
#include "model/Wallet.h"
#include "model/WalletBlocks.h"
#include "model/WalletEnvelope.h"
#include "model/WalletProtection.h"
#include "platform/File.h"
#include "platform/PathText.h"
#include "platform/SecureZero.h"
#include "platform/Text.h"
#include "platform/pocketpc/DeviceScreen.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/WalletGeneration.h"
#include "shell/WalletListRules.h"
#include "shell/win/MainWindow.h"
#include "shell/win/MainWindowInternal.h"
#include "shell/win/AppState.h"
#include "shell/win/WalletList.h"

namespace tl5win {

namespace {

// The password of a wallet file. A classic wallet's header is read once (its verifier is checked
// while the user types); a protected wallet keeps its verifier and hint inside the envelope, so each
// try opens the envelope, which is slow on purpose, and is made only when the user confirms.
class WalletPasswordMatcher : public PasswordMatcher {
public:
    explicit WalletPasswordMatcher(const std::u16string& path) : path_(path) {
        tl5::WalletProtection protection = tl5::WalletProtection::Classic;
        tl5::EnvelopeParams params;
        protected_ = tl5::ProbeEnvelopeFile(tl5::OsFileSystem(), path, &protection, &params) == tl5::kEnvelopeOk &&
                     protection == tl5::WalletProtection::Modern;
        if (protected_) return;
        std::unique_ptr<tl5::File> file;
        if (tl5::OsFileSystem().Open(path, tl5::FileMode::OpenReadOnly, tl5::FileShare::Read, &file) != 0) return;
        tl5::FileSignature signature;
        signature.AttachFile(file.get());
        header_.AttachFile(file.get());
        file->Seek(tl5::kFileSignatureOffset);
        ready_ = signature.Read() == tl5::kBlockOk && signature.IsValid() && header_.Read() == tl5::kBlockOk;
        header_.AttachFile(nullptr);
    }
    bool Matches(std::u16string_view password) override {
        if (protected_) return tl5::CheckWalletPassword(tl5::OsFileSystem(), path_, password) == tl5::kOpenOk;
        return ready_ && header_.IsPasswordSet() && header_.CheckPassword(password);
    }
    bool CheapToMatch() override { return !protected_; }
    std::u16string Hint() override { return ready_ ? header_.Hint() : std::u16string(); }

private:
    std::u16string path_;
    tl5::WalletHeader header_;
    bool ready_ = false;
    bool protected_ = false;
};

void ClearTree(HWND window) {
    if (MainWindowState* s = StateOf(window)) ClearWalletTree(*s);
}

// The wallet is closed (saving) and every ticket taken for it goes stale.
void CloseAppWallet(bool save) {
    AppWallet().Close(save);
    tl5::AppWalletGeneration().Closed();
}

void BackToWalletList(HWND window) { PostMessageW(window, WMU_SHOW_WALLET_LIST, 0, 0); }

// Opens the wallet for work with its password (null: none needed) and shows it; a failure is reported
// and leads back to the wallet list.
void LoadWallet(HWND window, const std::u16string& path, const std::u16string* password) {
    tl5::Wallet& wallet = AppWallet();
    // Custom icons of the previous wallet go with its image lists; the tree gets fresh ones.
    DestroyIconImageLists();
    if (HWND tree = MainWindowTree(window)) TreeView_SetImageList(tree, StockIconList(IconSize()), TVSIL_NORMAL);

    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const int opened = wallet.Open(path, password, false);
    SetCursor(previous);

    if (opened == tl5::kOpenOk) {
        NoteActivity();
        tl5::AppWalletGeneration().Opened();
        tl5::AppSettings().SetLastWallet(path.c_str());
        if (MainWindowState* s = StateOf(window)) {
            StartGuard(*s);
            FillWalletTree(*s);
        }
        PostMessageW(window, WMU_WALLET_OPENED, 1, 0);
        return;
    }
    wallet.Close(false);
    const std::wstring name = tl5::ToWide(tl5::FileTitleOf(path));
    const std::u16string text = tl5::OpenFailureText(TextU16, tl5::FromWide(name), opened);
    ShowMessage(window, tl5::ToWide(text), IDS_ERROR, MB_ICONSTOP);
    BackToWalletList(window);
}

void OpenWalletFlow(HWND window, const wchar_t* pathText) {
    if (MainWindowState* s = StateOf(window)) StopGuard(*s);
    NoteActivity();
    const std::u16string path = tl5::FromWide(pathText ? pathText : L"");
    const std::wstring name = tl5::ToWide(tl5::FileTitleOf(path));

    if (MainWindowState* s = StateOf(window)) BeforeWalletCloses(*s);
    ClearTree(window);
    tl5::Wallet& wallet = AppWallet();
    CloseAppWallet(true);

    const int probe = wallet.Probe(path, nullptr);
    wchar_t password[kPasswordBufferSize] = {};
    if (probe == tl5::kOpenWrongPassword) {
        WalletPasswordMatcher matcher(path);
        if (!ShowPasswordEntryDialog(window, name.c_str(), password, &matcher)) {
            wallet.Close(false);
            BackToWalletList(window);
            return;
        }
    } else if (probe != tl5::kOpenOk) {
        const std::u16string text = tl5::ProbeFailureText(TextU16, tl5::FromWide(name), probe);
        ShowMessage(window, tl5::ToWide(text), IDS_ERROR, MB_ICONSTOP);
        BackToWalletList(window);
        return;
    }
    // A wallet that needs no password (the probe succeeded without one) simply opens.
    wallet.Close(false);
    std::u16string secret = tl5::FromWide(password);
    tl5::SecureZero(password, sizeof(password));
    LoadWallet(window, path, probe == tl5::kOpenOk ? nullptr : &secret);
    tl5::SecureZero(secret);
}

}  // namespace

void MainWindowOpenWallet(HWND window, const wchar_t* pathText) {
    MainWindowState* s = StateOf(window);
    if (!s || s->opening) return;
    s->opening = true;
    s->closeAfterOpening = false;
    OpenWalletFlow(window, pathText);
    s->opening = false;
    if (s->closeAfterOpening) {
        s->closeAfterOpening = false;
        BackToWalletList(window);
    }
}

int MainWindowCreateWallet(const wchar_t* path, const wchar_t* password, const wchar_t* hint, bool modern) {
    if (!path || !password) return 1;
    std::u16string secret = tl5::FromWide(password);
    const int result = AppWallet().Create(tl5::FromWide(path), secret, tl5::FromWide(hint ? hint : L""), true,
                                          modern ? tl5::WalletProtection::Modern : tl5::WalletProtection::Classic);
    tl5::SecureZero(secret);
    return result;
}

void CloseToWalletList(MainWindowState& s) {
    HWND window = s.window;
    if (s.opening) {
        // The synchronisation (or another close) came while a wallet was being opened: the prompt
        // gives up, and the open flow closes again once it has ended.
        s.closeAfterOpening = true;
        if (HWND prompt = CurrentPasswordDialog()) PostMessageW(prompt, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    BeforeWalletCloses(s);
    SetForegroundWindow(window);
    StopGuard(s);
    SendMessageW(window, WM_CANCELMODE, 0, 0);
    SendMessageW(window, WM_LBUTTONDOWN, 0, MAKELPARAM(0, 100));
    if (s.menuBar) DestroyWindow(s.menuBar);
    s.menuBar = nullptr;
    s.menuBarId = 0;
    ClearTree(window);
    CloseAppWallet(true);
    InvalidateRect(window, &s.banner, TRUE);
    ppc::SHDoneButton(window, ppc::SHDB_HIDE);
    WalletListShow(window);
}

void ChangeWalletProtection(MainWindowState& s, bool modern, std::u16string& password) {
    HWND window = s.window;
    const std::u16string path = AppWallet().Path();
    BeforeWalletCloses(s);
    StopGuard(s);
    ClearTree(window);
    CloseAppWallet(true);
    int openResult = tl5::kOpenOk;
    const int changed = modern ? tl5::ProtectWallet(tl5::OsFileSystem(), path, password, tl5::EnvelopeParams(), &openResult)
                               : tl5::UnprotectWallet(tl5::OsFileSystem(), path, password, &openResult);
    // The file is the old or the new wallet either way; it opens again with the same password.
    LoadWallet(window, path, &password);
    tl5::SecureZero(password);
    if (changed != tl5::kProtectOk) ShowMessage(window, IDS_PROTECTION_CHANGE_FAILED, IDS_ERROR, MB_ICONSTOP);
}

void WalletOpened(MainWindowState& s) {
    HWND window = s.window;
    ppc::SHSipPreference(window, ppc::SIP_DOWN);
    MainWindowSetFindBarShown(window, false);
    MainWindowShowMenuBar(window, IDMB_MAIN);
    HWND tree = MainWindowTree(window);
    SetFocus(tree);
    if (tree) {
        HTREEITEM first = TreeView_GetRoot(tree);
        if (first) TreeView_SelectItem(tree, first);
    }
    InvalidateRect(window, nullptr, TRUE);
}

void HandleWalletListAction(MainWindowState& s, WPARAM action) {
    HWND mainWindow = s.window;
    ppc::SHDoneButton(mainWindow, ppc::SHDB_SHOW);
    MainWindowReapplyFindBar(mainWindow);
    MainWindowShowMenuBar(mainWindow, IDMB_MAIN);
    ppc::SHSipPreference(mainWindow, ppc::SIP_DOWN);

    wchar_t path[MAX_PATH] = {};
    if (action == tl5::kWalletListCreate) {
        if (WalletListTakeChosenPath(path)) {
            wchar_t password[kPasswordBufferSize] = {};
            wchar_t hint[kHintBufferSize] = {};
            bool modern = false;
            if (ShowNewPasswordDialog(mainWindow, NewPasswordMode::NewWallet, password, hint, &modern)) {
                // The user confirmed replacing an existing file in the save dialog; it goes now.
                const bool ready = !WalletListTakeChosenPathReplaces() || DeleteFileW(path);
                if (ready) {
                    const int created = MainWindowCreateWallet(path, password, hint, modern);
                    tl5::SecureZero(password, sizeof(password));
                    if (created == 0) {
                        MainWindowOpenWallet(mainWindow, path);
                        return;
                    }
                    ShowMessage(mainWindow, IDS_CREATE_WALLET_FAILED, IDS_ERROR, MB_ICONSTOP);
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
    BackToWalletList(mainWindow);
}

}  // namespace tl5win
