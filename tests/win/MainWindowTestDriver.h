// Drives the application's own windows from a test: the main window is made in this process as the
// start-up makes it, and a helper thread acts on the modal dialogs and message boxes the user
// interface thread shows (as a user would: typing into boxes, pressing keys and buttons), while the
// test's thread pumps messages.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tl5test {

// The visible top-level windows of a thread.
std::vector<HWND> ThreadWindows(DWORD thread);

// A visible dialog of the thread holding a control with this id, or null.
HWND FindDialogWith(DWORD thread, int controlId);

// A visible message box of the thread, or null.
HWND FindMessageBox(DWORD thread);

// The text of a message box (its longest static text).
std::wstring MessageBoxText(HWND box);

// Pumps this thread's messages until `done` is true or `ms` pass; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD ms);

// Polls `done` every `step` ms without pumping (for threads that own no windows of the test) until it
// is true or `ms` pass; returns `done()`.
bool PollUntil(const std::function<bool()>& done, DWORD ms, DWORD step = 20);

// A hidden window of one thread that counts the markers it has handled. A marker posted now is
// handled only after everything already posted to that thread and, a few rounds on, after what those
// messages posted in turn: once it has been handled, whatever the earlier messages were going to do
// has been done. That is how a test shows that something did NOT happen (a dialog did not close, a
// command left the tree alone) without sleeping for a while and hoping.
class QueueMarker {
public:
    QueueMarker();  // on the thread whose queue is marked
    ~QueueMarker();
    QueueMarker(const QueueMarker&) = delete;
    QueueMarker& operator=(const QueueMarker&) = delete;

    // Posts a marker; its number.
    long Post();
    // True once marker `n` (or a later one) has been handled.
    bool Handled(long n) const { return handled_.load() >= n; }
    // Runs `work` on the marked thread (from another thread: waits until it has run there); false
    // when it could not be run.
    bool Run(const std::function<void()>& work);
    // Posts a marker and waits with `wait` (a PumpUntil or a PollUntil) until it has been handled.
    bool Settle(const std::function<bool(const std::function<bool()>&, DWORD)>& wait, DWORD ms);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    std::atomic<long> handled_{0};
};

// Pumps this thread's messages until everything posted to it so far has been handled; false when the
// thread did not get there within `ms`.
bool PumpUntilSettled(DWORD ms = 10000);

// A message box as the script saw it.
struct SeenMessage {
    std::wstring caption;
    std::wstring text;
};

// Steps run on a helper thread against the windows of the user-interface thread.
class UiScript {
public:
    // Made on the user-interface thread itself, the script can also wait for that thread to settle.
    explicit UiScript(DWORD uiThread);
    ~UiScript();

    void Start(std::function<void(UiScript&)> body);
    bool Finished() const { return finished_; }
    // Waits (pumping the calling thread) until the script has finished; false on time-out.
    bool Finish(DWORD ms = 30000);

    // ---- Used inside the body -----------------------------------------------------------------------
    // Waits for a window found by `find` and then until the user-interface thread has got through what
    // the window posted itself while starting; null (and a recorded failure) on time-out.
    HWND Wait(const std::function<HWND()>& find, const char* what, DWORD ms = 15000);
    HWND WaitDialog(int controlId, const char* what) {
        return Wait([&] { return FindDialogWith(ui_, controlId); }, what);
    }
    // Waits until the user-interface thread has handled everything posted to it so far (see
    // QueueMarker); false (and a recorded failure) on time-out. Needs the script made on that thread.
    bool Settle(DWORD ms = 30000);
    // Runs `work` on the user-interface thread and returns once it has run.
    void OnUiThread(const std::function<void()>& work);
    // Waits for a message box, records it, answers it with `button` and waits until the code that
    // showed it has gone on to its next message.
    SeenMessage AnswerMessage(int button = IDOK, const char* what = "message box");
    // Waits until `window` is gone.
    bool WaitGone(HWND window, DWORD ms = 15000);
    void Fail(const std::string& why);

    DWORD UiThread() const { return ui_; }
    bool Failed() const { return failed_; }
    std::string Failure() const;
    std::vector<SeenMessage> Messages() const;

private:
    DWORD ui_;
    std::unique_ptr<QueueMarker> marker_;
    std::thread thread_;
    std::atomic<bool> finished_{false};
    std::atomic<bool> failed_{false};
    mutable std::mutex mutex_;
    std::string failure_;
    std::vector<SeenMessage> messages_;
};

// Tree items by their labels: an item's text, the labels of an item's children (the top level for a
// null parent), and the child with a label.
std::wstring TextOf(HWND tree, HTREEITEM item);
std::vector<std::wstring> Children(HWND tree, HTREEITEM parent);
HTREEITEM Child(HWND tree, HTREEITEM parent, const std::wstring& name);

// Sets a control's text as typing would (WM_SETTEXT, the box then reports the change).
void TypeInto(HWND dialog, int controlId, const std::wstring& text);
std::wstring ControlText(HWND dialog, int controlId);
// Presses a button or sends a command to a dialog.
void Press(HWND dialog, int commandId);

// The main window shows the wallet list, with no wallet open (an open one is closed first).
bool ShowWalletListAndWait(HWND main);
// Opens the wallet at `path` through the password prompt, typing `password`: true once it is open and
// its tree has items. The wallet list then goes away, as when the user chose the wallet in it.
bool OpenWalletThroughPrompt(HWND main, const std::wstring& path, const std::wstring& password);

}  // namespace tl5test
