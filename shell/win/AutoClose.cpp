// The guard of an open wallet with an auto-close period: the idle timer, the watchdog that notices a
// sleep, the idle test, the close of the pop-ups from the top down, and the close when the session is
// locked or the computer suspends.
//
// Everything that touches the wallet or a window runs on the user-interface thread. The watchdog
// thread only reads the clocks and the activity stamp and posts WMU_CHECK_IDLE.
#include <windows.h>
#include <wtsapi32.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "cardui/Settings.h"
#include "cardui/win/Activity.h"
#include "cardui/win/CardWindow.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/AutoCloseRules.h"
#include "shell/WalletGeneration.h"
#include "shell/win/MainWindow.h"
#include "shell/win/MainWindowInternal.h"

namespace tl5win {

namespace {

uint32_t OpenWalletPeriod() {
    return tl5::AppWalletGeneration().IsOpen() && AppWallet().IsOpen() ? tl5::GetAutoCloseMinutes(AppWallet()) : 0;
}

// The one watchdog. Start and Stop run on the user-interface thread; Stop wakes the thread and waits
// for its end, so that exactly one runs while the wallet is guarded and none otherwise.
class Watchdog {
public:
    ~Watchdog() {
        // At the end of the process: never wait here (the thread may be gone already).
        if (thread_.joinable()) thread_.detach();
    }

    void Start(HWND notify) {
        if (thread_.joinable()) return;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = false;
        }
        notify_ = notify;
        thread_ = std::thread([this] { Body(); });
    }

    void Stop() {
        if (!thread_.joinable()) return;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    bool Running() const { return thread_.joinable(); }

private:
    void Body() {
        uint64_t boot = BootClockMs(), running = RunningClockMs();
        std::unique_lock<std::mutex> lock(mutex_);
        while (!stop_) {
            // The stamp before the wait: activity noted after a wake (a repaint of a dialog, say) must
            // not keep the wallet open.
            const uint64_t reference = LastActivity();
            if (wake_.wait_for(lock, std::chrono::milliseconds(tl5::kWatchdogIntervalMs), [this] { return stop_; }))
                break;
            const uint64_t nowBoot = BootClockMs(), nowRunning = RunningClockMs();
            const uint64_t bootDelta = nowBoot > boot ? nowBoot - boot : 0;
            const uint64_t runningDelta = nowRunning > running ? nowRunning - running : 0;
            boot = nowBoot;
            running = nowRunning;
            if (tl5::SleepDetected(bootDelta, runningDelta))
                PostMessageW(notify_, WMU_CHECK_IDLE, static_cast<WPARAM>(reference & 0xFFFFFFFFu),
                             static_cast<LPARAM>(reference >> 32));
        }
    }

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    HWND notify_ = nullptr;
};

Watchdog& TheWatchdog() {
    static Watchdog* watchdog = new Watchdog;  // never destroyed: it must outlive every window
    return *watchdog;
}

bool IsDialogWindow(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpW(name, L"#32770") == 0;
}

// Message boxes are dialogs without our dialog bar.
bool IsMessageBox(HWND window) { return !GetDlgItem(window, IDC_DIALOG_BAR); }

// The topmost dialog or message box of the user-interface thread that could take input: visible,
// enabled (a modal window's owner is disabled) and activatable; null when there is none. Menu bars and
// other helper windows are no pop-ups of their own.
HWND TopPopup(const MainWindowState& s, const std::set<HWND>& tried) {
    const DWORD thread = GetWindowThreadProcessId(s.window, nullptr);
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == s.window || tried.count(w)) continue;
        if (GetWindowThreadProcessId(w, nullptr) != thread) continue;
        if (!IsWindowVisible(w) || !IsWindowEnabled(w) || !IsDialogWindow(w)) continue;
        if (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_NOACTIVATE) continue;
        return w;
    }
    return nullptr;
}

// Closes the pop-ups from the top down: a question box answers No (so that the code waiting for it
// does nothing), another message box is dismissed, the card window keeps its edits and closes (its
// result is carried out at once), and any other of our dialogs is cancelled.
void ClosePopups(MainWindowState& s) {
    std::set<HWND> tried;
    for (int round = 0; round < 64; ++round) {
        HWND top = TopPopup(s, tried);
        if (!top) break;
        tried.insert(top);
        if (top == OpenCardWindow()) {
            BeforeWalletCloses(s);
        } else if (IsMessageBox(top)) {
            const int answer = GetDlgItem(top, IDNO) ? IDNO : GetDlgItem(top, IDCANCEL) ? IDCANCEL : IDOK;
            SendMessageW(top, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(top, answer)));
        } else {
            SendMessageW(top, WM_COMMAND, IDM_CANCEL, 0);
            if (IsWindow(top) && IsWindowVisible(top) && IsWindowEnabled(top)) SendMessageW(top, WM_COMMAND, IDCANCEL, 0);
        }
    }
}

}  // namespace

void StartGuard(MainWindowState& s) {
    if (!tl5::Guarded(true, OpenWalletPeriod())) {
        StopGuard(s);
        return;
    }
    s.idleClosing = false;
    SetTimer(s.window, TIMER_IDLE_CHECK, tl5::kIdleTimerMs, nullptr);
    TheWatchdog().Start(s.window);
    s.guarded = true;
}

void StopGuard(MainWindowState& s) {
    KillTimer(s.window, TIMER_IDLE_CHECK);
    TheWatchdog().Stop();
    s.guarded = false;
}

void CheckIdle(MainWindowState& s, uint64_t reference) {
    if (!s.guarded || s.idleClosing) return;
    const uint64_t remaining = tl5::IdleRemainingMs(BootClockMs(), reference, OpenWalletPeriod());
    if (remaining == 0) {
        CloseIdleWallet(s);
        return;
    }
    // The next tick comes when the period ends if that is sooner than the usual interval, so that
    // a timer that fires a little early does not cost a whole interval.
    SetTimer(s.window, TIMER_IDLE_CHECK, tl5::NextIdleTickMs(remaining), nullptr);
}

void CloseIdleWallet(MainWindowState& s) {
    if (s.idleClosing || !AppWallet().IsOpen()) return;
    s.idleClosing = true;
    StopGuard(s);
    ClosePopups(s);
    // The modal loops unwind first; Exit then saves, closes and ends the process.
    PostMessageW(s.window, WM_COMMAND, IDM_EXIT, 0);
}

void OnSessionEvent(MainWindowState& s, tl5::SessionEvent event) {
    if (!tl5::ClosesOnSessionEvent(event, AppWallet().IsOpen(), OpenWalletPeriod(), tl5::AppSettings().closeOnLock != 0))
        return;
    CloseIdleWallet(s);
}

void RegisterSessionEvents(MainWindowState& s) {
    s.sessionEvents = WTSRegisterSessionNotification(s.window, NOTIFY_FOR_THIS_SESSION) != FALSE;
}

void UnregisterSessionEvents(MainWindowState& s) {
    if (s.sessionEvents) WTSUnRegisterSessionNotification(s.window);
    s.sessionEvents = false;
}

bool MainWindowGuarded(HWND window) {
    const MainWindowState* s = StateOf(window);
    return s && s->guarded;
}

bool WatchdogRunning() { return TheWatchdog().Running(); }

}  // namespace tl5win
