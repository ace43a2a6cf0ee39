// Drives the application's own windows from a test: the main window is made in this process as the
// start-up makes it, and a helper thread acts on the modal dialogs and message boxes the user
// interface thread shows (as a user would: typing into boxes, pressing keys and buttons), while the
// test's thread pumps messages.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
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

// A message box as the script saw it.
struct SeenMessage {
    std::wstring caption;
    std::wstring text;
};

// Steps run on a helper thread against the windows of the user-interface thread.
class UiScript {
public:
    explicit UiScript(DWORD uiThread) : ui_(uiThread) {}
    ~UiScript();

    void Start(std::function<void(UiScript&)> body);
    bool Finished() const { return finished_; }
    // Waits (pumping the calling thread) until the script has finished; false on time-out.
    bool Finish(DWORD ms = 30000);

    // ---- Used inside the body -----------------------------------------------------------------------
    // Waits for a window found by `find`; null (and a recorded failure) on time-out.
    HWND Wait(const std::function<HWND()>& find, const char* what, DWORD ms = 15000);
    HWND WaitDialog(int controlId, const char* what) {
        return Wait([&] { return FindDialogWith(ui_, controlId); }, what);
    }
    // Waits for a message box, records it and answers it with `button`.
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
    std::thread thread_;
    std::atomic<bool> finished_{false};
    std::atomic<bool> failed_{false};
    mutable std::mutex mutex_;
    std::string failure_;
    std::vector<SeenMessage> messages_;
};

// Sets a control's text as typing would (WM_SETTEXT, the box then reports the change).
void TypeInto(HWND dialog, int controlId, const std::wstring& text);
std::wstring ControlText(HWND dialog, int controlId);
// Presses a button or sends a command to a dialog.
void Press(HWND dialog, int commandId);

}  // namespace tl5test
