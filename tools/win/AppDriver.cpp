// tl5driver: drives a running Tessellock Pro 5 from outside, for `make run` without a display.
//
//   tl5driver.exe --open PASSWORD [--expand] [--class NAME] [--timeout SECONDS] [--fill-timeout SECONDS]
//       Waits for the application's main window and its password entry (answering a message before
//       it, such as the first run's welcome, with OK), gives the password (WM_SETTEXT into the
//       password box, then Done), and waits until the main window shows its tree with the wallet's
//       items in it; with --expand it then opens every folder. Prints the number of tree items seen.
//       With --card N it then opens the item N places below the top of the tree (selected, then
//       Return) and waits for the card window; --rows N moves its selection N value rows down; --edit
//       switches to edit mode first, --design to form design.
//       With --find TEXT it then shows the find bar with the text (and with --go runs the find); with
//       --security it shows the security options, with --display the display options; with --card N
//       and --text-colors the card's Text/Colors dialog, with --attachments, --background or --sound
//       its attachments, background image or sound dialog.
//       With --export N it selects the item N places below the top and runs Export; --as-form then
//       chooses "card as a form file" in the export dialog, and --form-dialog goes on with Done to
//       the form export dialog. With --import N it selects the item N places below the top, runs
//       Import and chooses the first document the document chooser lists (for My Forms: the form
//       import's confirmation).
//   tl5driver.exe --close [--class NAME] [--timeout SECONDS]
//       Asks the application to close (WM_CLOSE: the wallet is saved and closed) and waits until
//       its process has ended.
//
// Typing through the X server is not reliable under Xvfb; messages to the windows are. Every wait is
// on a condition, bounded by the overall time limit.
// Exit codes: 0 done, 1 failed (reason on stderr), 2 wrong usage.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "platform/pocketpc/DocList.h"
#include "resources/messages.h"
#include "resources/resource.h"

namespace {

ULONGLONG g_deadline = 0;
bool g_go = false;

// Polls `found` every 20 ms until it is true or `until` (a tick count) has passed.
bool WaitFor(const std::function<bool()>& found, ULONGLONG until) {
    while (!found()) {
        if (GetTickCount64() >= until) return false;
        Sleep(20);
    }
    return true;
}

bool IsDialog(HWND w) {
    wchar_t name[16] = {};
    GetClassNameW(w, name, 16);
    return wcscmp(name, L"#32770") == 0;
}

BOOL CALLBACK CollectVisible(HWND w, LPARAM param) {
    if (IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(w);
    return TRUE;
}

std::vector<HWND> VisibleWindowsOf(DWORD thread) {
    std::vector<HWND> out;
    EnumThreadWindows(thread, CollectVisible, reinterpret_cast<LPARAM>(&out));
    return out;
}

HWND PasswordEntry(DWORD thread) {
    for (HWND w : VisibleWindowsOf(thread))
        if (IsDialog(w) && GetDlgItem(w, IDC_PASSWORD) && GetDlgItem(w, IDC_PIN_OK)) return w;
    return nullptr;
}

HWND WalletList(DWORD thread) {
    for (HWND w : VisibleWindowsOf(thread))
        if (IsDialog(w) && GetDlgItem(w, IDC_DOCUMENT_LIST)) return w;
    return nullptr;
}

BOOL CALLBACK LongestStatic(HWND child, LPARAM param) {
    wchar_t name[16] = {};
    GetClassNameW(child, name, 16);
    if (_wcsicmp(name, L"Static") != 0) return TRUE;
    wchar_t text[512] = {};
    GetWindowTextW(child, text, 512);
    auto* best = reinterpret_cast<std::wstring*>(param);
    if (wcslen(text) > best->size()) *best = text;
    return TRUE;
}

// A message box of the thread (a dialog that is none of the application's own screens), or null.
HWND MessageBoxOf(DWORD thread) {
    for (HWND w : VisibleWindowsOf(thread)) {
        if (!IsDialog(w) || GetDlgItem(w, IDC_PASSWORD) || GetDlgItem(w, IDC_DOCUMENT_LIST)) continue;
        if (GetDlgItem(w, IDOK) || GetDlgItem(w, IDYES) || GetDlgItem(w, IDCANCEL)) return w;
    }
    return nullptr;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

int Fail(const std::string& why) {
    std::fprintf(stderr, "tl5driver: %s\n", why.c_str());
    return 1;
}

std::wstring FirstLine(HWND box) {
    std::wstring text;
    EnumChildWindows(box, LongestStatic, reinterpret_cast<LPARAM>(&text));
    return text.substr(0, text.find_first_of(L"\r\n"));
}

int FailWithMessageBox(HWND box, const char* when) {
    return Fail(std::string(when) + ": the application said \"" + Narrow(FirstLine(box)) + "\"");
}

HWND FindMain(const std::wstring& className) {
    HWND main = nullptr;
    WaitFor([&] { return (main = FindWindowW(className.c_str(), nullptr)) != nullptr; }, g_deadline);
    return main;
}

LRESULT SendWithin(HWND w, UINT message, WPARAM wParam, LPARAM lParam, UINT ms = 5000) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(w, message, wParam, lParam, SMTO_NORMAL, ms, &result)) return 0;
    return static_cast<LRESULT>(result);
}

// Expands every item under (and including) the siblings from `first` on that has children.
void ExpandAll(HWND tree, LRESULT first) {
    for (LRESULT item = first; item; item = SendWithin(tree, TVM_GETNEXTITEM, TVGN_NEXT, item)) {
        const LRESULT child = SendWithin(tree, TVM_GETNEXTITEM, TVGN_CHILD, item);
        if (!child) continue;
        SendWithin(tree, TVM_EXPAND, TVE_EXPAND, item);
        ExpandAll(tree, child);
    }
}

// The item `n` places below the first visible one (the labels live in another process; positions
// need no pointers), or 0.
LRESULT NthVisible(HWND tree, int n) {
    LRESULT item = SendWithin(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    for (int i = 0; i < n && item; ++i) item = SendWithin(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, item);
    return item;
}

HWND CardWindowOf(DWORD thread) {
    for (HWND w : VisibleWindowsOf(thread))
        if (IsDialog(w) && GetDlgItem(w, IDC_CARD_LIST)) return w;
    return nullptr;
}

int OpenCard(HWND main, int position, int rows, bool edit, bool design) {
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    HWND tree = GetDlgItem(main, IDC_TREE);
    const LRESULT item = NthVisible(tree, position);
    if (!item) return Fail("the tree has no item at that place");
    SendWithin(tree, TVM_SELECTITEM, TVGN_CARET, item);
    PostMessageW(tree, WM_KEYDOWN, VK_RETURN, 0);
    HWND card = nullptr;
    if (!WaitFor([&] { return (card = CardWindowOf(thread)) != nullptr; }, g_deadline))
        return Fail("the card window did not appear");
    HWND list = GetDlgItem(card, IDC_CARD_LIST);
    if (edit || design) {
        SendWithin(card, WM_COMMAND, IDM_EDIT, 0);
        if (design) SendWithin(card, WM_COMMAND, IDM_FORM_DESIGN, 0);
        for (int i = 0; i < rows; ++i) SendWithin(list, LUM_NEXTROW, 0, 0);
    } else {
        for (int i = 0; i < rows; ++i) SendWithin(list, WM_KEYDOWN, VK_DOWN, 0);
    }
    RedrawWindow(card, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendWithin(card, WM_NULL, 0, 0);
    std::printf("tl5driver: the card window is open\n");
    return 0;
}

int Open(const std::wstring& className, const std::wstring& password, DWORD fillSeconds, bool expand) {
    HWND main = FindMain(className);
    if (!main) return Fail("the main window did not appear");
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    HWND tree = GetDlgItem(main, IDC_TREE);

    // The open flow starts with the password entry.
    // Messages before it (the welcome on a first run) are answered with OK, as a user would.
    HWND entry = nullptr;
    HWND box = nullptr;
    for (int answered = 0;; ++answered) {
        WaitFor([&] {
            entry = PasswordEntry(thread);
            box = entry ? nullptr : MessageBoxOf(thread);
            return entry || box;
        }, g_deadline);
        if (!box) break;
        if (answered == 5) return FailWithMessageBox(box, "before the password");
        std::printf("tl5driver: answered OK to \"%s\"\n", Narrow(FirstLine(box)).c_str());
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, g_deadline);
    }
    if (!entry) return Fail("the password entry did not appear");
    // Let the dialog finish its start (it posts itself a refresh that puts the focus in the box).
    SendWithin(entry, WM_NULL, 0, 0);

    // Typing: the box reports the change and may accept a matching password by itself; otherwise Done.
    SendWithin(GetDlgItem(entry, IDC_PASSWORD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(password.c_str()));
    if (IsWindow(entry) && IsWindowVisible(entry)) PostMessageW(entry, WM_COMMAND, MAKEWPARAM(IDM_DONE, 0), 0);

    // The wallet is open when the entry has gone and the tree is shown, with no wallet list over it.
    box = nullptr;
    const bool shown = WaitFor([&] {
        if ((box = MessageBoxOf(thread)) != nullptr) return true;
        if (IsWindow(entry) && IsWindowVisible(entry)) return false;
        tree = GetDlgItem(main, IDC_TREE);
        return tree && IsWindowVisible(tree) && !WalletList(thread) && !PasswordEntry(thread);
    }, g_deadline);
    if (box) return FailWithMessageBox(box, "after the password");
    if (!shown) return Fail(IsWindow(entry) ? "the password was not accepted in time" : "the wallet's tree did not appear");

    // The tree is filled right after the open; wait for its items (bounded: an empty wallet has none).
    const ULONGLONG fillEnd = std::min<ULONGLONG>(g_deadline, GetTickCount64() + fillSeconds * 1000ULL);
    LRESULT count = 0;
    WaitFor([&] { return (count = SendWithin(tree, TVM_GETCOUNT, 0, 0)) > 0; }, fillEnd);
    if (expand && count > 0) {
        // Every folder opened, as a user would tap each one open; then the top of the tree in view.
        const LRESULT root = SendWithin(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
        ExpandAll(tree, root);
        if (root) SendWithin(tree, TVM_ENSUREVISIBLE, 0, root);
    }
    // Settle: paint everything now and wait until the window's thread has handled what was queued.
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendWithin(main, WM_NULL, 0, 0);
    std::printf("tl5driver: the wallet is open; the tree shows %ld items%s\n", static_cast<long>(count),
                expand && count > 0 ? ", every folder expanded" : "");
    if (count == 0) std::printf("tl5driver: note: the tree stayed empty\n");
    return 0;
}

int Close(const std::wstring& className) {
    HWND main = FindWindowW(className.c_str(), nullptr);
    if (!main) return 0;  // nothing runs
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageW(main, WM_CLOSE, 0, 0);
    if (!process) {
        WaitFor([&] { return !IsWindow(main); }, g_deadline);
        return IsWindow(main) ? Fail("the application did not close") : 0;
    }
    const ULONGLONG now = GetTickCount64();
    const DWORD left = g_deadline > now ? static_cast<DWORD>(g_deadline - now) : 0;
    const DWORD waited = WaitForSingleObject(process, left);
    CloseHandle(process);
    return waited == WAIT_OBJECT_0 ? 0 : Fail("the application did not close");
}

// Find mode with a text, then Go; waits until the main window's thread has handled it.
int Find(HWND main, const std::wstring& text) {
    if (!main) return Fail("no main window");
    SendWithin(main, WM_COMMAND, MAKEWPARAM(IDM_FIND, 0), 0);
    SendWithin(GetDlgItem(main, IDC_FIND_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (g_go) PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_GO, 0), 0);
    SendWithin(main, WM_NULL, 0, 0);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::printf("tl5driver: find \"%s\"%s\n", Narrow(text).c_str(), g_go ? ", Go" : "");
    return 0;
}

// The Security command; waits for its dialog.
int Security(HWND main) {
    if (!main) return Fail("no main window");
    DWORD thread = GetWindowThreadProcessId(main, nullptr);
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_SECURITY, 0), 0);
    HWND dialog = nullptr;
    WaitFor([&] {
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
            if (GetWindowThreadProcessId(w, nullptr) == thread && IsWindowVisible(w) && GetDlgItem(w, IDC_AUTO_CLOSE_PERIOD))
                return (dialog = w) != nullptr;
        return false;
    }, g_deadline);
    if (!dialog) return Fail("the security options did not appear");
    SendWithin(dialog, WM_NULL, 0, 0);
    std::printf("tl5driver: the security options are shown\n");
    return 0;
}

// A command to `target` (the main window or the card window) that shows a dialog holding
// `controlId`; waits for the dialog.
int CommandDialog(HWND target, UINT command, int controlId, const char* what) {
    if (!target) return Fail("no window for the command");
    DWORD thread = GetWindowThreadProcessId(target, nullptr);
    PostMessageW(target, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    HWND dialog = nullptr;
    WaitFor(
        [&] {
            for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
                if (GetWindowThreadProcessId(w, nullptr) == thread && IsWindowVisible(w) && GetDlgItem(w, controlId))
                    return (dialog = w) != nullptr;
            return false;
        },
        g_deadline);
    if (!dialog) return Fail("the dialog did not appear");
    SendWithin(dialog, WM_NULL, 0, 0);
    std::printf("tl5driver: %s shown\n", what);
    return 0;
}

// A visible window of the thread with a control of this id.
HWND WindowWith(DWORD thread, int id) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND w : VisibleWindowsOf(thread))
                if (GetDlgItem(w, id)) return (found = w) != nullptr;
            return false;
        },
        g_deadline);
    return found;
}

bool SelectNth(HWND main, int position) {
    HWND tree = GetDlgItem(main, IDC_TREE);
    const LRESULT item = NthVisible(tree, position);
    if (!item) return false;
    SendWithin(tree, TVM_SELECTITEM, TVGN_CARET, item);
    return true;
}

void Settle(HWND w) {
    SendWithin(w, WM_NULL, 0, 0);
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendWithin(w, WM_NULL, 0, 0);
}

// Export on the item at a place: the export dialog, optionally switched to the form file, and
// optionally the form export dialog after it.
int Export(HWND main, int position, bool asForm, bool formDialog) {
    if (!main || !SelectNth(main, position)) return Fail("the tree has no item at that place");
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_EXPORT, 0), 0);
    HWND dialog = WindowWith(thread, IDC_EXPORT_ITEMS);
    if (!dialog) return Fail("the export dialog did not appear");
    if (asForm || formDialog) {
        SendWithin(GetDlgItem(dialog, IDC_EXPORT_ITEMS), CB_SETCURSEL, 2, 0);
        SendWithin(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXPORT_ITEMS, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_EXPORT_ITEMS)));
    }
    if (formDialog) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDM_DONE, 0), 0);
        dialog = WindowWith(thread, IDC_FORM_DESCRIPTION);
        if (!dialog) return Fail("the form export dialog did not appear");
    }
    Settle(dialog);
    std::printf("tl5driver: the %s dialog is shown\n", formDialog ? "form export" : "export");
    return 0;
}

// Import on the item at a place, with the first document of the chooser; waits for what follows.
int Import(HWND main, int position) {
    if (!main || !SelectNth(main, position)) return Fail("the tree has no item at that place");
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_IMPORT, 0), 0);
    HWND chooser = nullptr;
    WaitFor(
        [&] {
            for (HWND w : VisibleWindowsOf(thread))
                if (IsDialog(w) && GetDlgItem(w, IDC_DOCUMENT_LIST)) return (chooser = w) != nullptr;
            return false;
        },
        g_deadline);
    if (!chooser) return Fail("the document chooser did not appear (is there a question first?)");
    SendWithin(GetDlgItem(chooser, IDC_DOCUMENT_LIST), ppc::DLM_SETSELECT, 0, 0);
    PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDM_DONE, 0), 0);
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = MessageBoxOf(thread)) != nullptr; }, g_deadline))
        return Fail("no question or message followed the chosen file");
    Settle(box);
    std::printf("tl5driver: after the chosen file: \"%s\"\n", Narrow(FirstLine(box)).c_str());
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: tl5driver --open PASSWORD [--expand] [--card N [--edit|--design] [--rows N]] [--class NAME] "
                 "[--timeout SECONDS]\n"
                 "                [--fill-timeout SECONDS] [--find TEXT [--go]] [--security] [--display]\n"
                 "                [--card N --text-colors|--attachments|--background|--sound]\n"
                 "                [--export N [--as-form] [--form-dialog]] [--import N]\n"
                 "       tl5driver --close [--class NAME] [--timeout SECONDS]\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring mode, password, className = L"Ostrov Tessellock Pro 2005";
    bool expand = false;
    int rows = 0, card = -1;
    bool edit = false, design = false;
    std::wstring findText;
    bool security = false, display = false, textColors = false;
    UINT cardCommand = 0;
    int cardDialogControl = 0;
    int exportAt = -1, importAt = -1;
    bool asForm = false, formDialog = false;
    DWORD timeout = 60, fillTimeout = 10;
    // The instance tag of side-by-side copies is part of the class name (see shell/win/Startup.h).
    if (const wchar_t* tag = _wgetenv(L"TL5_INSTANCE_TAG")) className += tag;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == L"--open" && hasValue) mode = a, password = argv[++i];
        else if (a == L"--close") mode = a;
        else if (a == L"--expand") expand = true;
        else if (a == L"--card" && hasValue) card = _wtoi(argv[++i]);
        else if (a == L"--rows" && hasValue) rows = _wtoi(argv[++i]);
        else if (a == L"--edit") edit = true;
        else if (a == L"--design") design = true;
        else if (a == L"--class" && hasValue) className = argv[++i];
        else if (a == L"--timeout" && hasValue) timeout = static_cast<DWORD>(_wtoi(argv[++i]));
        else if (a == L"--find" && hasValue) findText = argv[++i];
        else if (a == L"--go") g_go = true;
        else if (a == L"--security") security = true;
        else if (a == L"--display") display = true;
        else if (a == L"--text-colors") textColors = true;
        else if (a == L"--attachments") {
            cardCommand = IDM_ATTACHMENTS;
            cardDialogControl = IDC_ATTACH_LIST;
        }
        else if (a == L"--background") {
            cardCommand = IDM_BACKGROUND;
            cardDialogControl = IDC_IMAGE_POSITION;
        }
        else if (a == L"--sound") {
            cardCommand = IDM_SOUND;
            cardDialogControl = IDC_SOUND_PLAY_WHEN_VIEWED;
        }
        else if (a == L"--export" && hasValue) exportAt = _wtoi(argv[++i]);
        else if (a == L"--as-form") asForm = true;
        else if (a == L"--form-dialog") formDialog = true;
        else if (a == L"--import" && hasValue) importAt = _wtoi(argv[++i]);
        else if (a == L"--fill-timeout" && hasValue) fillTimeout = static_cast<DWORD>(_wtoi(argv[++i]));
        else return Usage();
    }
    if (mode.empty() || timeout == 0) return Usage();
    g_deadline = GetTickCount64() + timeout * 1000ULL;
    int result = mode == L"--open" ? Open(className, password, fillTimeout, expand) : Close(className);
    if (result == 0 && mode == L"--open" && card >= 0) result = OpenCard(FindMain(className), card, rows, edit, design);
    if (result == 0 && mode == L"--open" && !findText.empty()) result = Find(FindMain(className), findText);
    if (result == 0 && mode == L"--open" && security) result = Security(FindMain(className));
    if (result == 0 && mode == L"--open" && display)
        result = CommandDialog(FindMain(className), IDM_DISPLAY, IDC_TREE_FONT, "the display options are");
    if (result == 0 && mode == L"--open" && card >= 0 && cardCommand) {
        const DWORD thread = GetWindowThreadProcessId(FindMain(className), nullptr);
        result = CommandDialog(CardWindowOf(thread), cardCommand, cardDialogControl, "the card's dialog is");
    }
    if (result == 0 && mode == L"--open" && card >= 0 && textColors) {
        const DWORD thread = GetWindowThreadProcessId(FindMain(className), nullptr);
        result = CommandDialog(CardWindowOf(thread), IDM_TEXT_COLORS, IDC_ALWAYS_DISPLAY, "the card display is");
    }
    if (result == 0 && mode == L"--open" && exportAt >= 0)
        result = Export(FindMain(className), exportAt, asForm, formDialog);
    if (result == 0 && mode == L"--open" && importAt >= 0) result = Import(FindMain(className), importAt);
    SecureZeroMemory(password.data(), password.size() * sizeof(wchar_t));
    std::fflush(stdout);
    return result;
}
