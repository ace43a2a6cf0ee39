#include "shell/win/Startup.h"

#include <commctrl.h>

#include <cwchar>

#include "StringIds.h"
#include "cardui/Settings.h"
#include "cardui/win/Activity.h"
#include "cardui/win/DialogBar.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/ImageLists.h"
#include "cardui/win/Strings.h"
#include "model/Field.h"
#include "platform/ExchangeServices.h"
#include "platform/Text.h"
#include "platform/pocketpc/DeviceScreen.h"
#include "platform/pocketpc/Shell.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/CommandLine.h"
#include "shell/win/MainWindow.h"
#include "shell/win/SettingsRegistry.h"
#include "shell/win/WalletList.h"

namespace tl5win {

namespace {

constexpr wchar_t kMutexName[] = L"owtlpro5.mtx";
constexpr wchar_t kMainClass[] = L"Ostrov Tessellock Pro 2005";
constexpr wchar_t kMainTitle[] = L"Tessellock Pro 5";
constexpr wchar_t kLanguageModulePattern[] = L"ostrovtlpro5ppc.exe.%04x.mui";
constexpr wchar_t kNoResourcesText[] = L"Failed to load resources.  Please re-install.";
constexpr wchar_t kNoResourcesCaption[] = L"Tessellock Pro 2005";

std::wstring Environment(const wchar_t* name) {
    wchar_t value[256] = {};
    const DWORD n = GetEnvironmentVariableW(name, value, 256);
    return n > 0 && n < 256 ? std::wstring(value, n) : std::wstring();
}

const std::wstring& InstanceTag() {
    static const std::wstring tag = Environment(L"TL5_INSTANCE_TAG");
    return tag;
}

HMODULE TryLanguage(const std::wstring& folder, DWORD language) {
    wchar_t name[64] = {};
    swprintf(name, 64, kLanguageModulePattern, static_cast<unsigned>(language & 0xFFFF));
    // Only from the program's folder: a language module is never looked for in the current folder or
    // along the search path. Loaded as resources only; none of its code runs.
    const std::wstring path = folder + name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

bool ModuleHoldsString(HMODULE module, UINT id) {
    const wchar_t* text = nullptr;
    return LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0) != 0;
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TL_APP));
    // The handheld has no pointer; a desktop shows the arrow.
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = MainWindowClassName();
    // A class left from an earlier main window of this process (tests make several) is reused.
    return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}


const wchar_t* MainWindowClassName() {
    static const std::wstring name = kMainClass + InstanceTag();
    return name.c_str();
}

const wchar_t* InstanceMutexName() {
    static const std::wstring name = kMutexName + InstanceTag();
    return name.c_str();
}

HWND FindRunningInstance() {
    // The handle is never closed: the mutex lives as long as the first instance.
    static HANDLE mutex = nullptr;
    if (!mutex) {
        mutex = CreateMutexW(nullptr, TRUE, InstanceMutexName());
        if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) return FindWindowW(MainWindowClassName(), nullptr);
        return nullptr;
    }
    return nullptr;
}

HMODULE LoadLanguageModule(const std::wstring& folder, DWORD langPref, LANGID* chosen) {
    DWORD tries[3] = {langPref & 0xFFFF, 0, 0x0409};
    LANGID ui = GetUserDefaultUILanguage();
    if (ui == 0) ui = GetSystemDefaultUILanguage();
    if (ui == 0) ui = GetUserDefaultLangID();
    tries[1] = ui & 0xFFFF;
    for (DWORD language : tries) {
        if (language == 0) continue;
        if (HMODULE module = TryLanguage(folder, language)) {
            if (chosen) *chosen = static_cast<LANGID>(language);
            return module;
        }
    }
    return nullptr;
}

bool LoadResourcesAndCreateMainWindow(HINSTANCE instance) {
    AppState& a = App();
    // 1. The application's own module, also the default module of strings.
    a.instance = instance;
    a.resourceModule = instance;
    SetProgramInstance(instance);
    SetStringModule(instance);

    // 2. Common controls and the shell's extra controls.
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_DATE_CLASSES;
    InitCommonControlsEx(&icc);
    ppc::SHInitExtraControls();
    ppc::PlaceDialogsInDeviceScreen();
    ppc::EnableSoftKeys();

    // 3. Settings.
    tl5::Settings& settings = tl5::AppSettings();
    const std::wstring keyOverride = Environment(L"TL5_SETTINGS_KEY");
    settings.keyPath = keyOverride.empty() ? std::u16string(tl5::kSettingsKeyPath) : tl5::FromWide(keyOverride);
    LoadAppSettings();
    AppFontCache().SetClearType(settings.clearType != 0);
    SetDialogBarColors(settings.colorBarStart, settings.colorBarEnd, settings.colorBarText);
    // Dates and times of fields in the user's pictures.
    tl5::SetDateTimeFormatter(UserFieldDateTimeText);

    // 4. The module of strings.
    if (!ModuleHoldsString(instance, IDS_LANGUAGE_NAME)) {
        HMODULE language = LoadLanguageModule(tl5::ToWide(tl5::ProgramFolder()), settings.langPref, nullptr);
        if (!language) {
            MessageBoxW(nullptr, kNoResourcesText, kNoResourcesCaption, MB_ICONHAND);
            return false;
        }
        a.languageModule = language;
        a.resourceModule = language;
    }
    SetStringModule(a.resourceModule);

    // 5, 6. The wallet list screen and the dialog bar class.
    WalletListSetup(WMU_WALLET_LIST_ACTION, L"*.wal;*.tl5", Text(IDS_WALLETS), IDI_TL_APP);
    SetIconResourceInstance(instance);
    RegisterDialogBarClass(instance);

    // 7, 8. The main window, with the caption's OK button, covering the device screen.
    if (!RegisterMainWindowClass(instance)) return false;
    HWND window = ppc::CreateCaptionOkWindow(ppc::WS_EX_CAPTIONOKBTN, MainWindowClassName(), kMainTitle, 0, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                                       nullptr);
    if (!window) return false;
    a.mainWindow = window;
    ppc::FitWindowToDeviceScreen(window);

    // 9. Menu bar 963; the window gives up the bar's height.
    MainWindowShowMenuBar(window, IDMB_MAIN);
    if (HWND bar = ppc::SHFindMenuBar(window)) {
        RECT w{}, b{};
        GetWindowRect(window, &w);
        GetWindowRect(bar, &b);
        SetWindowPos(window, nullptr, 0, 0, w.right - w.left, (w.bottom - w.top) - (b.bottom - b.top),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }

    // 10-12. Tree, banner font and find bar.
    AppFontCache().Font(kFont9Bold);
    MainWindowCreateContents(window);

    // 13.
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return true;
}

int RunApplication(HINSTANCE instance, const wchar_t* commandLine) {
    AppState& a = App();
    // 1.
    NoteActivity();

    // 2, 3. The hand-shakes look at the end of the whole line.
    const std::u16string line = tl5::FromWide(commandLine ? commandLine : L"");
    switch (tl5::ClassifyCommandLine(line)) {
    case tl5::StartRequest::ExitAtOnce:
        return 0;
    case tl5::StartRequest::SyncStart:
    case tl5::StartRequest::SyncEnd: {
        const UINT message = tl5::ClassifyCommandLine(line) == tl5::StartRequest::SyncStart ? WMU_SYNC_START : WMU_SYNC_END;
        if (HWND running = FindRunningInstance()) PostMessageW(running, message, 0, 0);
        return 0;
    }
    case tl5::StartRequest::Start:
        break;
    }

    // 4. A second start brings the first to the front.
    if (HWND running = FindRunningInstance()) {
        ppc::SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<UINT_PTR>(running) | 1));
        return 0;
    }

    // 5.
    if (!LoadResourcesAndCreateMainWindow(instance)) return 0;
    HWND window = a.mainWindow;

    // 6. The welcome message on the first run, or always when asked for.
    const tl5::Settings& settings = tl5::AppSettings();
    if (settings.count == 0 || (settings.info & 1)) {
        ShowMessage(window, IDS_WELCOME, IDS_APP_NAME, MB_ICONINFORMATION);
    }

    // 7. The first action.
    std::u16string pending;
    const tl5::FirstAction first = tl5::ChooseFirstAction(line, settings, [](const std::u16string& path) {
        return GetFileAttributesW(tl5::ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }, &pending);
    if (first == tl5::FirstAction::OpenWallet) {
        lstrcpynW(a.pendingPath, tl5::ToWide(pending).c_str(), 260);
        PostMessageW(window, WMU_OPEN_WALLET, 0, 0);
    } else {
        PostMessageW(window, WMU_SHOW_WALLET_LIST, 0, 0);
    }

    // 8. The message loop.
    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDA_MAIN));
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (accelerators && TranslateAcceleratorW(window, accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }

    // 9. Shut down.
    if (IsWindow(window)) DestroyWindow(window);
    if (a.languageModule) {
        SetStringModule(nullptr);
        FreeLibrary(a.languageModule);
        a.languageModule = nullptr;
        a.resourceModule = a.instance;
    }
    SaveAppSettings();
    DestroyIconImageLists();
    AppFontCache().ReleaseAll();
    return static_cast<int>(msg.wParam);
}

}  // namespace tl5win
