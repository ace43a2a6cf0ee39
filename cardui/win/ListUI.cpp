#include "cardui/win/ListUI.h"

#include <commctrl.h>

#include "cardui/win/Activity.h"
#include "cardui/win/CardEditor.h"
#include "cardui/win/CardView.h"
#include "cardui/win/FormDesigner.h"
#include "cardui/win/Strings.h"
#include "platform/pocketpc/Shell.h"
#include "resources/messages.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

constexpr wchar_t kListUiClass[] = L"OW_LISTUI_CE_2.1";
constexpr wchar_t kVirtualListClass[] = L"OW_VIRTUAL_LIST_CE_2.1";
// Both controls want the arrow keys and every other key (DLGC_WANTARROWS | DLGC_WANTALLKEYS).
constexpr LRESULT kWantKeys = DLGC_WANTARROWS | DLGC_WANTALLKEYS;

// One list UI control exists at a time: its state is the process's.
struct ListUiState {
    tl5::CardMode mode = tl5::CardMode::kView;
    std::unique_ptr<CardPresenter> presenter;
    HWND listUi = nullptr;
    HWND virtualList = nullptr;
    CardWindowParams* params = nullptr;
    PresenterFactory factories[3] = {&MakeCardView, &MakeCardEditor, &MakeFormDesigner};
};

ListUiState& State() {
    static ListUiState state;
    return state;
}

int ModeIndex(tl5::CardMode mode) {
    const int m = static_cast<int>(mode);
    return m >= 0 && m <= 2 ? m : 0;
}

// Editor controls of the card window: hidden whenever view mode is entered.
void HideEditors(HWND cardWindow) {
    for (int id : {IDC_CARD_TEXT, IDC_CARD_BROWSE, IDC_CARD_DATE, IDC_CARD_TIME, IDC_CARD_DATETIME, IDC_CARD_CHOICE,
                   IDC_CARD_CHECK}) {
        if (HWND control = GetDlgItem(cardWindow, id)) ShowWindow(control, SW_HIDE);
    }
}

void SwitchPresenter(tl5::CardMode mode, int startField) {
    ListUiState& s = State();
    const tl5::CardMode previous = s.mode;
    s.presenter.reset();
    s.mode = mode;
    if (!s.params || !s.virtualList) return;
    if (mode == tl5::CardMode::kView) HideEditors(s.params->window);
    if (mode != tl5::CardMode::kView) {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_DATE_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
        ppc::SHInitExtraControls();
    }
    if (PresenterFactory make = s.factories[ModeIndex(mode)]) s.presenter = make(s.virtualList, *s.params, startField, previous);
}

// ---- The virtual list -----------------------------------------------------------------------------

void Scroll(HWND window, WPARAM wParam) {
    CardPresenter* presenter = State().presenter.get();
    const int code = LOWORD(wParam);
    const tl5::ScrollState state = ReadScrollState(window);
    int track = state.position;
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
        // The 32-bit track position: a long card is taller than a message's 16 bits.
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(window, SB_VERT, &info);
        track = info.nTrackPos;
    }
    const int target = tl5::ScrollTarget(code, track, state, presenter ? presenter->LineStep() : 1);
    if (target < 0) return;
    SetScrollPosition(window, target);
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK VirtualListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT client;
        GetClientRect(window, &client);
        if (CardPresenter* presenter = State().presenter.get()) presenter->Paint(dc, client);
        EndPaint(window, &ps);
        return 1;
    }
    case WM_ERASEBKGND: return 1;  // the presenter paints every pixel
    case WM_VSCROLL: Scroll(window, wParam); return 1;
    case WM_MOUSEWHEEL: {
        const int code = GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN;
        for (int i = 0; i < 3; ++i) Scroll(window, code);
        return 1;
    }
    case WM_LBUTTONDOWN:
        NoteActivity();
        if (CardPresenter* presenter = State().presenter.get())
            presenter->Tap(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 1;
    case WM_KEYDOWN: return 1;
    case WM_GETDLGCODE: return kWantKeys;
    case WM_DESTROY:
        if (State().virtualList == window) {
            State().presenter.reset();
            State().virtualList = nullptr;
        }
        return 1;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

// ---- The list UI control --------------------------------------------------------------------------

LRESULT OnKey(WPARAM key) {
    CardPresenter* presenter = State().presenter.get();
    switch (key) {
    case VK_TAB:
    case VK_DOWN:
        if (presenter) presenter->NextRow();
        return 1;
    case VK_UP:
        if (presenter) presenter->PreviousRow();
        return 1;
    case VK_RETURN:
        if (presenter && State().mode == tl5::CardMode::kView) presenter->Activate();
        return 1;
    case VK_LEFT:
    case VK_RIGHT: return 1;
    case VK_ESCAPE:
        // The list wants every key, so Escape reaches the card window as its Cancel from here.
        if (State().params && State().params->window) PostMessageW(State().params->window, WM_COMMAND, IDCANCEL, 0);
        return 1;
    default: return 0;
    }
}

LRESULT CALLBACK ListUiProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ListUiState& s = State();
    CardPresenter* presenter = s.presenter.get();
    switch (message) {
    case WM_CREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        s.virtualList = CreateWindowExW(0, kVirtualListClass, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, create->cx,
                                        create->cy, window, nullptr, create->hInstance, nullptr);
        return s.virtualList ? 0 : -1;
    }
    case WM_SIZE:
        if (s.virtualList) MoveWindow(s.virtualList, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        if (presenter) presenter->Resized();
        return 1;
    case WM_GETDLGCODE: return kWantKeys;
    case WM_KEYDOWN: NoteActivity(); return OnKey(wParam);
    case WM_MOUSEWHEEL:
        if (s.virtualList) SendMessageW(s.virtualList, message, wParam, lParam);
        return 0;
    case WM_COMMAND:
        if (presenter) presenter->Command(LOWORD(wParam));
        return 1;
    case LUM_SETMODE:
        SwitchPresenter(static_cast<tl5::CardMode>(wParam), static_cast<int>(lParam));
        if (s.virtualList) InvalidateRect(s.virtualList, nullptr, TRUE);
        return 1;
    case LUM_COMMIT:
        if (presenter) presenter->Commit();
        return 1;
    case LUM_NEXTROW:
        if (presenter) presenter->NextRow();
        return 1;
    case LUM_PREVROW:
        if (presenter) presenter->PreviousRow();
        return 1;
    case LUM_REFRESH:
        if (presenter && s.mode == tl5::CardMode::kView) {
            presenter->Refresh();
            if (s.virtualList) InvalidateRect(s.virtualList, nullptr, TRUE);
        }
        return 1;
    case LUM_GETFIELDTYPE: return presenter && s.mode == tl5::CardMode::kFormDesign ? presenter->SelectedFieldType() : 0;
    case WM_DESTROY:
        if (s.listUi == window) {
            s.listUi = nullptr;
            s.params = nullptr;
        }
        return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Registration on every creation; a class that exists already is accepted.
void RegisterClassOnce(const wchar_t* name, WNDPROC proc) {
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = ProgramInstance();
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}

}  // namespace

void SetPresenterFactory(tl5::CardMode mode, PresenterFactory factory) { State().factories[ModeIndex(mode)] = factory; }

bool HasPresenter(tl5::CardMode mode) { return State().factories[ModeIndex(mode)] != nullptr; }

HWND CreateListUi(HWND cardWindow, CardWindowParams& params, const RECT& place, tl5::CardMode mode) {
    ListUiState& s = State();
    s.params = &params;
    RegisterClassOnce(kListUiClass, ListUiProc);
    RegisterClassOnce(kVirtualListClass, VirtualListProc);
    // The editor controls lie over the list (above it among the card window's children).
    HWND list = CreateWindowExW(0, kListUiClass, L"", WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, cardWindow,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CARD_LIST)), ProgramInstance(), nullptr);
    if (!list) {
        s.params = nullptr;
        return nullptr;
    }
    s.listUi = list;
    // The card window switches to the mode at once (LUM_SETMODE), once its editors are set up.
    s.presenter.reset();
    s.mode = mode;
    return list;
}

CardPresenter* CurrentPresenter() { return State().presenter.get(); }
HWND CurrentVirtualList() { return State().virtualList; }
tl5::CardMode CurrentCardMode() { return State().mode; }

tl5::ScrollState ReadScrollState(HWND virtualList) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    tl5::ScrollState state;
    if (virtualList && GetScrollInfo(virtualList, SB_VERT, &info)) {
        state.minimum = info.nMin;
        state.maximum = info.nMax;
        state.page = static_cast<int>(info.nPage);
        state.position = info.nPos;
    }
    return state;
}

void SetScrollRange(HWND virtualList, int totalHeight, bool keepPosition) {
    RECT client;
    GetClientRect(virtualList, &client);
    const tl5::ScrollState before = ReadScrollState(virtualList);
    const tl5::ScrollState range =
        tl5::ScrollRangeFor(totalHeight, client.bottom - client.top, keepPosition ? before.position : 0);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = range.minimum;
    info.nMax = range.maximum;
    info.nPage = static_cast<UINT>(range.page);
    info.nPos = range.position;
    SetScrollInfo(virtualList, SB_VERT, &info, TRUE);
}

int SetScrollPosition(HWND virtualList, int position) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(virtualList, SB_VERT, &info, TRUE);
    return ReadScrollState(virtualList).position;
}

}  // namespace tl5win
