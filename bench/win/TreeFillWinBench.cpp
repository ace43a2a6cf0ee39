// tl5winbench: the wallet tree of the real main window, filled through the real open flow, timed next
// to the core's open of the same wallet in the same run.
//
//   tl5winbench.exe [--password TEXT] [--rounds N] [--open-limit SECONDS] [--trace] WALLET...
//
// The main window is made in this process as the start-up makes it (the application's resources come
// from ostrovtlpro5ppc.exe beside this program). For each wallet and round, from the open request
// (WMU_OPEN_WALLET posted to the main window, the wallet list gone as when the user picks a wallet):
//   open   Wallet::Open of the file (read-only) by the core, just before;
//   bare   the floor of a fill: a bare tree control taking the same items (the wallet's tree plan,
//          texts only, in the fill's order), without the application around it;
//   entry  until the password entry shows; a helper thread then gives the password at once
//          (WM_SETTEXT into the box, then Done), as a user would type it;
//   shown  until the wallet is open in the window (whether or not its tree is full);
//   total  until the tree holds every item of the wallet (as many as the wallet's tree plan has);
//   after  the part of total after the password was given: the password entry going away, loading the
//          wallet and filling the tree (under Wine without a window manager a dialog takes about 2 s
//          to go, whatever the wallet);
//   fill   the main window building every item of the tree again from the open wallet: the fill
//          proper.
// Medians are printed with the ratio fill/open. The goal: fill of 10,000 cards under 1 s, and fill/open
// flat from the smallest to the largest wallet (the largest at most 1.5 times the smallest). The
// wait before the password entry shows (entry) does not depend on the wallet and is reported apart.
// Exit code 0 when every wallet's tree was filled and the goal held, 1 otherwise, 2 on wrong usage.
//
// Runs under Wine with a display: `make bench`, or tools/win-bench.sh.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "cardui/Settings.h"
#include "model/Wallet.h"
#include "platform/Text.h"
#include "resources/StringTable.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/WalletTreeRules.h"
#include "shell/win/MainWindow.h"
#include "shell/win/Startup.h"
#include "shell/win/WalletList.h"

namespace {

double g_openLimit = 300;  // seconds an open may take in the main window
bool g_trace = false;
double g_firstSeen = 0;      // --trace: the times of each round on stderr

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Pumps this thread's messages until `done` holds or `seconds` pass; returns done(). The condition
// is tested after every message, so the moment it becomes true is seen within about a millisecond.
template <typename Done>
bool PumpUntil(Done&& done, double seconds) {
    const double end = Now() + seconds;
    while (!done()) {
        if (Now() > end) return false;
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            continue;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return true;
}

bool IsDialog(HWND w) {
    wchar_t name[16] = {};
    GetClassNameW(w, name, 16);
    return wcscmp(name, L"#32770") == 0;
}

struct FindEntry {
    HWND found = nullptr;
    static BOOL CALLBACK Visit(HWND w, LPARAM param) {
        if (IsDialog(w) && GetDlgItem(w, IDC_PASSWORD) && GetDlgItem(w, IDC_PIN_OK)) {
            if (!g_firstSeen) g_firstSeen = Now();
            if (!IsWindowVisible(w)) return TRUE;
            reinterpret_cast<FindEntry*>(param)->found = w;
            return FALSE;
        }
        return TRUE;
    }
};

HWND PasswordEntryOf(DWORD thread) {
    FindEntry f;
    EnumThreadWindows(thread, FindEntry::Visit, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

// Gives the password to the entry of the user-interface thread as soon as it shows.
class PasswordGiver {
public:
    PasswordGiver(DWORD uiThread, std::wstring password) : ui_(uiThread), password_(std::move(password)) {
        thread_ = std::thread([this] { Run(); });
    }
    ~PasswordGiver() {
        stop_ = true;
        thread_.join();
    }
    double GivenAt() const { return givenAt_; }  // 0 until given

private:
    void Run() {
        while (!stop_) {
            if (HWND entry = PasswordEntryOf(ui_)) {
                SendMessageW(GetDlgItem(entry, IDC_PASSWORD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(password_.c_str()));
                givenAt_ = Now();
                if (IsWindow(entry) && IsWindowVisible(entry)) PostMessageW(entry, WM_COMMAND, MAKEWPARAM(IDM_DONE, 0), 0);
                return;
            }
            Sleep(1);
        }
    }

    DWORD ui_;
    std::wstring password_;
    std::atomic<bool> stop_{false};
    std::atomic<double> givenAt_{0};
    std::thread thread_;
};

std::wstring ProgramFolder() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    return folder.substr(0, folder.rfind(L'\\') + 1);
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

BOOL CALLBACK ShowWindow(HWND w, LPARAM) {
    if (!IsWindowVisible(w)) return TRUE;
    wchar_t name[64] = {}, title[256] = {};
    GetClassNameW(w, name, 64);
    GetWindowTextW(w, title, 256);
    std::wstring text;
    EnumChildWindows(w, LongestStatic, reinterpret_cast<LPARAM>(&text));
    std::fwprintf(stderr, L"  shown: class \"%ls\", title \"%ls\", text \"%ls\"\n", name, title, text.c_str());
    return TRUE;
}

// What the user-interface thread shows, when something did not happen as expected.
void ShowWindowsOf(DWORD thread) { EnumThreadWindows(thread, ShowWindow, 0); }

double Median(std::vector<double> t) {
    if (t.empty()) return 0;
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

struct Result {
    std::wstring name;
    int cards = 0;
    size_t expected = 0;   // tree items of the wallet's plan
    size_t seen = 0;       // tree items seen (the fewest over the rounds)
    double open = 0, bare = 0, entry = 0, shown = 0, total = 0, fill = 0, afterPassword = 0;  // medians, see the top
    bool filled = false;
};

// The floor of the fill: a bare tree control of the same kind, in a window of its own, takes the
// plan's items (texts only, no images) in the order the fill uses (TreeInsertOrder), with redrawing
// off as the fill does. Seconds for the inserts.
double BareTreeSeconds(const std::vector<tl5::TreeFillNode>& plan) {
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    HWND tree = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT |
                                TVS_SHOWSELALWAYS, 0, 0, 240, 320, host, nullptr, nullptr, nullptr);
    std::vector<HTREEITEM> items(plan.size(), nullptr);
    const double t0 = Now();
    SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
    for (const tl5::TreeInsertStep& step : tl5::TreeInsertOrder(plan)) {
        const size_t i = static_cast<size_t>(step.node);
        TVINSERTSTRUCTW insert{};
        insert.hParent = plan[i].parent >= 0 ? items[static_cast<size_t>(plan[i].parent)] : TVI_ROOT;
        insert.hInsertAfter = step.first ? TVI_FIRST : TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        std::wstring text = tl5::ToWide(plan[i].text);
        insert.item.pszText = text.data();
        insert.item.lParam = static_cast<LPARAM>(plan[i].treeIndex);
        items[i] = TreeView_InsertItem(tree, &insert);
    }
    SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
    const double seconds = Now() - t0;
    DestroyWindow(host);
    return seconds;
}

bool ShowList(HWND main) {
    if (tl5win::WalletListIsShown() && !tl5win::AppWallet().IsOpen()) return true;
    PostMessageW(main, WMU_SHOW_WALLET_LIST, 0, 0);
    return PumpUntil([] { return tl5win::WalletListIsShown() && !tl5win::AppWallet().IsOpen(); }, 120);
}

bool Measure(HWND main, const std::wstring& path, const std::wstring& password, int rounds, Result* r) {
    const std::u16string path16 = tl5::FromWide(path), password16 = tl5::FromWide(password);
    std::vector<double> open, bare, entry, shown, total, fill, afterPassword;
    std::vector<tl5::TreeFillNode> plan;
    r->filled = true;
    r->seen = SIZE_MAX;
    HWND tree = tl5win::MainWindowTree(main);
    for (int round = 0; round < rounds; ++round) {
        // The wallet list first: the main window lets go of the wallet it holds.
        if (!ShowList(main)) {
            std::fwprintf(stderr, L"tl5winbench: the wallet list did not come back\n");
            return false;
        }
        // The core's open.
        tl5::Wallet core;
        const double t0 = Now();
        if (core.Open(path16, &password16, true) != tl5::kOpenOk) {
            std::fwprintf(stderr, L"tl5winbench: the core cannot open %ls\n", path.c_str());
            return false;
        }
        open.push_back(Now() - t0);
        if (round == 0) {
            plan = tl5::BuildFillPlan(core, [](uint32_t id) {
                const char16_t* s = ::StringTableLookup(id);
                return std::u16string(s ? s : u"?");
            });
            r->expected = plan.size();
            for (const tl5::ItemRecord& item : core.Items()) r->cards += item.Kind() == tl5::kItemKindCard && !item.IsDeleted() ? 1 : 0;
        }
        core.Close(false);
        bare.push_back(BareTreeSeconds(plan));

        // The real open flow in the main window.
        // As when the user picks the wallet: the list goes away, and the main window opens the wallet.
        if (HWND list = tl5win::WalletListWindow()) DestroyWindow(list);
        lstrcpynW(tl5win::App().pendingPath, path.c_str(), 260);
        const size_t expected = r->expected;
        double givenAt = 0;
        {
            PasswordGiver giver(GetCurrentThreadId(), password);
            const double start = Now();
            PostMessageW(main, WMU_OPEN_WALLET, 0, 0);
            auto count = [&] { return static_cast<size_t>(TreeView_GetCount(tree)); };
            auto opened = [&] {
                return tl5win::AppWallet().IsOpen() && !tl5win::WalletListIsShown() && !PasswordEntryOf(GetCurrentThreadId());
            };
            double openedAt = 0;
            PumpUntil([&] {
                if (count() >= expected) return true;
                if (opened()) openedAt = Now();
                return openedAt > 0;
            }, g_openLimit);
            // Open; when the tree is not full yet, its fill may still be queued: wait for it a while longer.
            const double openSeconds = open.back();
            const bool full = PumpUntil([&] { return count() >= expected; }, std::max(2.0, 5 * openSeconds));
            const double end = Now();
            if (openedAt == 0) openedAt = end;
            shown.push_back(openedAt - start);
            givenAt = giver.GivenAt();
            if (givenAt > 0) entry.push_back(givenAt - start);
            if (g_trace)
                std::fprintf(stderr, "tl5winbench: round %d: password given %.1f ms, shown %.1f ms, tree %zu items at %.1f ms\n",
                             round + 1, givenAt > 0 ? (givenAt - start) * 1e3 : -1.0, (openedAt - start) * 1e3, count(),
                             (end - start) * 1e3);
            if (g_trace) std::fprintf(stderr, "tl5winbench: password entry made at %.1f ms\n", (g_firstSeen - start) * 1e3);
            g_firstSeen = 0;
            if (g_trace)
                std::fprintf(stderr, "tl5winbench: wallet open %d, last result %d, list shown %d\n",
                             tl5win::AppWallet().IsOpen() ? 1 : 0, tl5win::AppWallet().LastError(),
                             tl5win::WalletListIsShown() ? 1 : 0);
            r->seen = std::min(r->seen, count());
            if (!full) {
                r->filled = false;
                if (!opened()) {
                    std::fwprintf(stderr, L"tl5winbench: %ls did not open in the main window\n", path.c_str());
                    ShowWindowsOf(GetCurrentThreadId());
                    return false;
                }
            } else {
                total.push_back(end - start);
                if (givenAt > 0) afterPassword.push_back(end - givenAt);
                // The fill proper, apart from the dialog's going (which Wine without a window manager
                // makes slow): the tree is emptied first (untimed), then the window builds every item
                // again from the open wallet, as after the password.
                SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
                TreeView_DeleteAllItems(tree);
                SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
                const double before = Now();
                tl5win::MainWindowFillTree(main);
                fill.push_back(Now() - before);
                if (count() < expected) r->filled = false;
            }
        }
    }
    r->open = Median(open);
    r->bare = Median(bare);
    r->entry = Median(entry);
    r->shown = Median(shown);
    r->total = Median(total);
    r->fill = Median(fill);
    r->afterPassword = Median(afterPassword);
    return true;
}

void DeleteTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) DeleteTree(path);
            else DeleteFileW(path.c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

int Usage() {
    std::fprintf(stderr, "usage: tl5winbench [--password TEXT] [--rounds N] [--open-limit SECONDS] [--trace] WALLET...\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring password = L"bench-pass";
    int rounds = 3;
    std::vector<std::wstring> wallets;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        if (a == L"--password" && i + 1 < argc) password = argv[++i];
        else if (a == L"--rounds" && i + 1 < argc) rounds = std::max(1, _wtoi(argv[++i]));
        else if (a == L"--trace") g_trace = true;
        else if (a == L"--open-limit" && i + 1 < argc) g_openLimit = std::max(1, _wtoi(argv[++i]));
        else if (a.rfind(L"--", 0) == 0) return Usage();
        else wallets.push_back(a);
    }
    if (wallets.empty()) return Usage();

    // A settings key, documents folder and window class of its own: nothing of a user's is touched.
    const std::wstring tag = L" bench " + std::to_wstring(GetCurrentProcessId());
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring docs = std::wstring(temp) + L"tl5-winbench-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(docs.c_str(), nullptr);
    const std::wstring settingsKey = L"Software\\Tessellock Tests\\WinBench" + tag;
    SetEnvironmentVariableW(L"TL5_DOCUMENTS", docs.c_str());
    SetEnvironmentVariableW(L"TL5_SETTINGS_KEY", settingsKey.c_str());
    SetEnvironmentVariableW(L"TL5_INSTANCE_TAG", tag.c_str());

    const std::wstring exe = ProgramFolder() + L"ostrovtlpro5ppc.exe";
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (!module || !tl5win::LoadResourcesAndCreateMainWindow(module)) {
        std::fwprintf(stderr, L"tl5winbench: cannot make the main window from %ls\n", exe.c_str());
        return 1;
    }
    HWND main = tl5win::App().mainWindow;
    tl5::AppSettings().passAutoOk = 1;

    std::vector<Result> results;
    bool ok = true;
    for (const std::wstring& path : wallets) {
        Result r;
        const size_t slash = path.find_last_of(L"\\/");
        r.name = slash == std::wstring::npos ? path : path.substr(slash + 1);
        if (!Measure(main, path, password, rounds, &r)) {
            ok = false;
            break;
        }
        results.push_back(r);
    }

    tl5win::AppWallet().Close(false);
    if (HWND list = tl5win::WalletListWindow()) DestroyWindow(list);
    DestroyWindow(main);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {}
    DeleteTree(docs);
    RegDeleteTreeW(HKEY_CURRENT_USER, settingsKey.c_str());

    std::printf("wallet tree fill in the main window (through Wine), %d rounds, medians\n", rounds);
    std::printf("%-9s %10s %9s %9s %9s %9s %9s %9s %9s %10s\n", "cards", "tree items", "open ms", "bare ms", "entry ms",
                "shown ms", "total ms", "after ms", "fill ms", "fill/open");
    for (const Result& r : results) {
        if (r.filled) {
            std::printf("%-9d %10zu %9.1f %9.1f %9.1f %9.1f %9.1f %9.1f %9.1f %10.2f\n", r.cards, r.expected, r.open * 1e3,
                        r.bare * 1e3, r.entry * 1e3, r.shown * 1e3, r.total * 1e3, r.afterPassword * 1e3, r.fill * 1e3,
                        r.open > 0 ? r.fill / r.open : 0.0);
        } else {
            std::printf("%-9d %10zu %9.1f %9.1f %9.1f %9.1f  the tree held only %zu of its %zu items: not filled\n", r.cards,
                        r.expected, r.open * 1e3, r.bare * 1e3, r.entry * 1e3, r.shown * 1e3, r.seen, r.expected);
            ok = false;
        }
    }
    if (!ok || results.empty()) {
        std::printf("goal: not checked (not every tree was filled)\n");
        return 1;
    }
    // The goal: 10,000 cards (or the wallet nearest that size) filled within 1 s, and the ratio flat.
    const Result* tenThousand = nullptr;
    for (const Result& r : results)
        if (!tenThousand || std::abs(r.cards - 10000) < std::abs(tenThousand->cards - 10000)) tenThousand = &r;
    const Result& smallest = *std::min_element(results.begin(), results.end(), [](auto& a, auto& b) { return a.cards < b.cards; });
    const Result& largest = *std::max_element(results.begin(), results.end(), [](auto& a, auto& b) { return a.cards < b.cards; });
    const double small = smallest.fill / smallest.open, large = largest.fill / largest.open;
    const bool fast = tenThousand->fill < 1.0;
    const bool flat = results.size() < 2 || large <= 1.5 * small;
    std::printf("goal: fill of %d cards %.0f ms (under 1000 ms): %s; fill/open %.2f at %d cards, %.2f at %d (at most 1.5 times): %s\n",
                tenThousand->cards, tenThousand->fill * 1e3, fast ? "yes" : "NO", small, smallest.cards, large,
                largest.cards, flat ? "yes" : "NO");
    return fast && flat ? 0 : 1;
}
