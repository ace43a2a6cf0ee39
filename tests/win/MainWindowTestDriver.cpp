#include "tests/win/MainWindowTestDriver.h"

#include <commctrl.h>

#include "model/Wallet.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/win/AppState.h"
#include "shell/win/MainWindow.h"
#include "shell/win/WalletList.h"

namespace tl5test {

namespace {

bool IsDialogClass(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return wcscmp(name, L"#32770") == 0;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

BOOL CALLBACK LongestStatic(HWND child, LPARAM param) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (_wcsicmp(name, L"Static") != 0) return TRUE;
    wchar_t text[1024] = {};
    GetWindowTextW(child, text, 1024);
    auto* best = reinterpret_cast<std::wstring*>(param);
    if (wcslen(text) > best->size()) *best = text;
    return TRUE;
}

}  // namespace

std::vector<HWND> ThreadWindows(DWORD thread) {
    std::vector<HWND> windows;
    EnumThreadWindows(thread, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND FindDialogWith(DWORD thread, int controlId) {
    for (HWND w : ThreadWindows(thread))
        if (IsDialogClass(w) && GetDlgItem(w, controlId)) return w;
    return nullptr;
}

HWND FindMessageBox(DWORD thread) {
    for (HWND w : ThreadWindows(thread)) {
        if (!IsDialogClass(w)) continue;
        // Not one of our dialogs, not the wallet list, not the save dialog.
        bool ours = false;
        for (int id : {IDC_PASSWORD, IDC_ABOUT_TITLE, IDC_DOCUMENT_LIST, 0x480, 0x47c, IDC_DIALOG_BAR}) ours = ours || GetDlgItem(w, id) != nullptr;
        if (ours) continue;
        if (GetDlgItem(w, IDOK) || GetDlgItem(w, IDYES) || GetDlgItem(w, IDCANCEL)) return w;
    }
    return nullptr;
}

std::wstring MessageBoxText(HWND box) {
    std::wstring text;
    EnumChildWindows(box, LongestStatic, reinterpret_cast<LPARAM>(&text));
    return text;
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (!done()) {
        if (GetTickCount64() > end) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

bool PollUntil(const std::function<bool()>& done, DWORD ms, DWORD step) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (!done()) {
        if (GetTickCount64() > end) return false;
        Sleep(step);
    }
    return true;
}

namespace {

constexpr UINT kMarkerMessage = WM_APP + 1;  // wParam: the round, lParam: the marker's number
constexpr UINT kRunMessage = WM_APP + 2;     // lParam: the work to run
// Each round puts the marker at the back of the queue again, behind what the messages before it posted.
constexpr WPARAM kMarkerRounds = 3;
const wchar_t kMarkerClass[] = L"TL5TestQueueMarker";

}  // namespace

QueueMarker::QueueMarker() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kMarkerClass;
        return RegisterClassW(&wc) != 0;
    }();
    if (!registered) return;
    window_ = CreateWindowExW(0, kMarkerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window_) SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

QueueMarker::~QueueMarker() {
    if (window_) DestroyWindow(window_);
}

long QueueMarker::Post() {
    // Numbered across all markers, so a stray one of an earlier marker never counts for a later one.
    static std::atomic<long> markers{0};
    const long n = ++markers;
    if (window_) PostMessageW(window_, kMarkerMessage, 0, n);
    return n;
}

bool QueueMarker::Run(const std::function<void()>& work) {
    if (!window_) return false;
    if (GetWindowThreadProcessId(window_, nullptr) == GetCurrentThreadId()) {
        work();
        return true;
    }
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window_, kRunMessage, 0, reinterpret_cast<LPARAM>(&work), SMTO_NORMAL, 30000, &result) != 0;
}

bool QueueMarker::Settle(const std::function<bool(const std::function<bool()>&, DWORD)>& wait, DWORD ms) {
    if (!window_) return false;
    const long first = Post();
    const ULONGLONG end = GetTickCount64() + ms;
    while (!wait([&] { return Handled(first); }, 500)) {
        if (GetTickCount64() >= end) return false;
        // A dialog loop that is ending drops what it takes from the queue after its end was asked for:
        // mark again rather than wait for a marker that is gone.
        Post();
    }
    return true;
}

LRESULT CALLBACK QueueMarker::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<QueueMarker*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == kMarkerMessage) {
        if (wParam + 1 < kMarkerRounds) {
            PostMessageW(window, kMarkerMessage, wParam + 1, lParam);
        } else {
            long seen = self->handled_.load();
            while (seen < static_cast<long>(lParam) && !self->handled_.compare_exchange_weak(seen, static_cast<long>(lParam))) {
            }
        }
        return 0;
    }
    if (self && message == kRunMessage) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool PumpUntilSettled(DWORD ms) {
    QueueMarker marker;
    return marker.Settle(PumpUntil, ms);
}

UiScript::UiScript(DWORD uiThread) : ui_(uiThread) {
    if (uiThread == GetCurrentThreadId()) marker_ = std::make_unique<QueueMarker>();
}

UiScript::~UiScript() {
    if (thread_.joinable()) thread_.join();
}

void UiScript::Start(std::function<void(UiScript&)> body) {
    thread_ = std::thread([this, body] {
        body(*this);
        finished_ = true;
    });
}

bool UiScript::Finish(DWORD ms) {
    const bool done = PumpUntil([&] { return finished_.load(); }, ms);
    if (done && thread_.joinable()) thread_.join();
    return done;
}

HWND UiScript::Wait(const std::function<HWND()>& find, const char* what, DWORD ms) {
    if (failed_) return nullptr;
    HWND found = nullptr;
    if (!PollUntil([&] { return (found = find()) != nullptr; }, ms)) {
        Fail(std::string("timed out waiting for ") + what);
        return nullptr;
    }
    // A dialog finishes its start with messages it posts itself (focus, input panel).
    return Settle() ? found : nullptr;
}

bool UiScript::Settle(DWORD ms) {
    if (failed_) return false;
    if (!marker_) {
        Fail("the script was not made on the user-interface thread, so it cannot tell when that thread is idle");
        return false;
    }
    if (!marker_->Settle([](const std::function<bool()>& done, DWORD within) { return PollUntil(done, within, 2); }, ms)) {
        Fail("the user-interface thread did not get through its messages");
        return false;
    }
    return true;
}

void UiScript::OnUiThread(const std::function<void()>& work) {
    if (!marker_ || !marker_->Run(work)) Fail("could not run a step on the user-interface thread");
}

SeenMessage UiScript::AnswerMessage(int button, const char* what) {
    SeenMessage seen;
    HWND box = Wait([&] { return FindMessageBox(ui_); }, what);
    if (!box) return seen;
    wchar_t caption[256] = {};
    GetWindowTextW(box, caption, 256);
    seen.caption = caption;
    seen.text = MessageBoxText(box);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        messages_.push_back(seen);
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    // The box is gone before the code that showed it has gone on (cleared a box, restarted a count).
    if (WaitGone(box)) Settle();
    return seen;
}

bool UiScript::WaitGone(HWND window, DWORD ms) {
    if (PollUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, ms)) return true;
    Fail("a window did not go away");
    return false;
}

void UiScript::Fail(const std::string& why) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!failed_) failure_ = why;
    failed_ = true;
}

std::string UiScript::Failure() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return failure_;
}

std::vector<SeenMessage> UiScript::Messages() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return messages_;
}

void TypeInto(HWND dialog, int controlId, const std::wstring& text) {
    SendMessageW(GetDlgItem(dialog, controlId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring ControlText(HWND dialog, int controlId) {
    wchar_t text[512] = {};
    SendMessageW(GetDlgItem(dialog, controlId), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring TextOf(HWND tree, HTREEITEM item) {
    wchar_t text[256] = {};
    TVITEMW tv{};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = 256;
    TreeView_GetItem(tree, &tv);
    return text;
}

std::vector<std::wstring> Children(HWND tree, HTREEITEM parent) {
    std::vector<std::wstring> names;
    HTREEITEM item = parent ? TreeView_GetChild(tree, parent) : TreeView_GetRoot(tree);
    for (; item; item = TreeView_GetNextSibling(tree, item)) names.push_back(TextOf(tree, item));
    return names;
}

HTREEITEM Child(HWND tree, HTREEITEM parent, const std::wstring& name) {
    HTREEITEM item = parent ? TreeView_GetChild(tree, parent) : TreeView_GetRoot(tree);
    for (; item; item = TreeView_GetNextSibling(tree, item))
        if (TextOf(tree, item) == name) return item;
    return nullptr;
}

void Press(HWND dialog, int commandId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED), 0);
}

bool ShowWalletListAndWait(HWND main) {
    PostMessageW(main, WMU_SHOW_WALLET_LIST, 0, 0);
    return PumpUntil([] { return tl5win::WalletListIsShown() && !tl5win::AppWallet().IsOpen(); }, 10000);
}

bool OpenWalletThroughPrompt(HWND main, const std::wstring& path, const std::wstring& password) {
    UiScript script(GetCurrentThreadId());
    script.Start([&](UiScript& s) {
        HWND entry = s.WaitDialog(IDC_PIN_OK, "password entry");
        if (entry) TypeInto(entry, IDC_PASSWORD, password);
    });
    lstrcpynW(tl5win::App().pendingPath, path.c_str(), 260);
    PostMessageW(main, WMU_OPEN_WALLET, 0, 0);
    const bool answered = script.Finish(60000) && !script.Failed();
    const bool open = answered && PumpUntil(
                                      [main] {
                                          return tl5win::AppWallet().IsOpen() &&
                                                 TreeView_GetCount(tl5win::MainWindowTree(main)) > 0;
                                      },
                                      10000);
    if (HWND list = tl5win::WalletListWindow()) DestroyWindow(list);
    return open;
}

}  // namespace tl5test
