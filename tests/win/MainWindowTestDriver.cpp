#include "tests/win/MainWindowTestDriver.h"

#include "resources/resource.h"

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
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
        if (HWND w = find()) {
            Sleep(50);  // let the window finish its start
            return w;
        }
        Sleep(20);
    }
    Fail(std::string("timed out waiting for ") + what);
    return nullptr;
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
    WaitGone(box);
    return seen;
}

bool UiScript::WaitGone(HWND window, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount64() > end) {
            Fail("a window did not go away");
            return false;
        }
        Sleep(20);
    }
    return true;
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

void Press(HWND dialog, int commandId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED), 0);
}

}  // namespace tl5test
