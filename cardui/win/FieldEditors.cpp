#include "cardui/win/FieldEditors.h"

#include <commctrl.h>

#include <unordered_map>

#include "StringIds.h"
#include "cardui/win/Activity.h"
#include "cardui/win/Clipboard.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/Strings.h"
#include "platform/SecureZero.h"
#include "platform/Text.h"
#include "platform/pocketpc/Shell.h"
#include "platform/win32/Win32Time.h"
#include "resources/messages.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

struct EditorState {
    HWND cardWindow = nullptr;
    HWND listUi = nullptr;
    tl5::EditorKind kind = tl5::kEditorNone;
    RECT rect{};
    std::unordered_map<HWND, WNDPROC> originals;
    HIMAGELIST browseImages = nullptr;
};

EditorState& State() {
    static EditorState state;
    return state;
}

int ControlIdOf(tl5::EditorKind kind) {
    switch (kind) {
    case tl5::kEditorName:
    case tl5::kEditorText: return IDC_CARD_TEXT;
    case tl5::kEditorDate: return IDC_CARD_DATE;
    case tl5::kEditorTime: return IDC_CARD_TIME;
    case tl5::kEditorDateTime: return IDC_CARD_DATETIME;
    case tl5::kEditorChoice: return IDC_CARD_CHOICE;
    case tl5::kEditorYesNo: return IDC_CARD_CHECK;
    case tl5::kEditorNone: break;
    }
    return 0;
}

void Navigate(bool forward) {
    NoteActivity();
    if (State().listUi) PostMessageW(State().listUi, forward ? LUM_NEXTROW : LUM_PREVROW, 0, 0);
}

bool ShiftDown() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

// One procedure for every editor control: the row keys are taken at key-down (never while the dialog
// manager asks for the dialog code, which it may do more than once for one key).
LRESULT CALLBACK EditorKeyProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    EditorState& s = State();
    const auto found = s.originals.find(control);
    if (found == s.originals.end()) return DefWindowProcW(control, message, wParam, lParam);
    const WNDPROC original = found->second;
    // The combo box's edit field leaves Up and Down to the combo box.
    const bool comboEdit = GetDlgCtrlID(GetParent(control)) == IDC_CARD_CHOICE;
    switch (message) {
    case WM_GETDLGCODE:
        return CallWindowProcW(original, control, message, wParam, lParam) | DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_TAB: Navigate(!ShiftDown()); return 0;
        case VK_RETURN: Navigate(true); return 0;
        case VK_DOWN:
            if (comboEdit) break;
            Navigate(true);
            return 0;
        case VK_UP:
            if (comboEdit) break;
            Navigate(false);
            return 0;
        case VK_ESCAPE:
            if (s.cardWindow) PostMessageW(s.cardWindow, WM_COMMAND, IDCANCEL, 0);
            return 0;
        default: break;
        }
        break;
    case WM_CHAR:
        if (wParam == L'\t' || wParam == L'\r' || wParam == 27) return 0;  // taken at key-down
        break;
    case WM_NCDESTROY: {
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        s.originals.erase(control);
        return CallWindowProcW(original, control, message, wParam, lParam);
    }
    default: break;
    }
    return CallWindowProcW(original, control, message, wParam, lParam);
}

void Subclass(HWND control) {
    if (!control || State().originals.count(control)) return;
    const auto original =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditorKeyProc)));
    if (original) State().originals[control] = original;
}

HWND Control(int id) { return State().cardWindow ? GetDlgItem(State().cardWindow, id) : nullptr; }

std::wstring ControlText(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

std::u16string U16(const std::wstring& text) { return tl5::FromWide(text); }

using tl5::FromSystemTime;
using tl5::ToSystemTime;

bool ClipboardHasText() {
    return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT) ||
           IsClipboardFormatAvailable(CF_OEMTEXT);
}

std::wstring PickerText(tl5::EditorKind kind, const SYSTEMTIME& st) {
    wchar_t date[128] = {}, time[128] = {};
    const std::wstring datePicture = ShortDateFormat();
    const std::wstring timePicture = TimeFormat();
    GetDateFormatW(LOCALE_USER_DEFAULT, 0, &st, datePicture.c_str(), date, 128);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, timePicture.c_str(), time, 128);
    if (kind == tl5::kEditorDate) return date;
    if (kind == tl5::kEditorTime) return time;
    return std::wstring(date) + L"  " + time;
}

}  // namespace

void SetUpEditors(HWND cardWindow, HWND listUi) {
    EditorState& s = State();
    s.cardWindow = cardWindow;
    s.listUi = listUi;
    s.kind = tl5::kEditorNone;
    s.rect = RECT{};
    const std::wstring date = ShortDateFormat(), time = TimeFormat();
    SendMessageW(Control(IDC_CARD_TIME), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(time.c_str()));
    // The date, three spaces, the time ('...' is literal text in a picker's format).
    const std::wstring both = date + L"'   '" + time;
    SendMessageW(Control(IDC_CARD_DATETIME), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(both.c_str()));
    HFONT font = AppFontCache().Font(kFont9);
    for (int id : {IDC_CARD_TEXT, IDC_CARD_DATE, IDC_CARD_TIME, IDC_CARD_DATETIME, IDC_CARD_CHOICE, IDC_CARD_CHECK}) {
        HWND control = Control(id);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        ShowWindow(control, SW_HIDE);
        if (id != IDC_CARD_CHOICE) Subclass(control);
    }
    // The combo box's own edit field.
    if (HWND combo = Control(IDC_CARD_CHOICE)) Subclass(GetWindow(combo, GW_CHILD));
    // The browse button's two images (not focused, focused), pure green transparent.
    const bool high = ppc::IsHighResolution();
    s.browseImages = ImageList_LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(high ? IDB_TL_BROWSE_LARGE : IDB_TL_BROWSE_SMALL),
                                          high ? 16 : 8, 0, RGB(0, 255, 0), IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

void RestoreEditors() {
    EditorState& s = State();
    for (auto& [control, original] : s.originals)
        if (IsWindow(control)) SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    s.originals.clear();
    if (s.browseImages) ImageList_Destroy(s.browseImages);
    s.browseImages = nullptr;
    s.cardWindow = nullptr;
    s.listUi = nullptr;
    s.kind = tl5::kEditorNone;
}

HWND EditorControl(tl5::EditorKind kind) { return Control(ControlIdOf(kind)); }
tl5::EditorKind CurrentEditorKind() { return State().kind; }

void HideEditors() {
    for (int id : {IDC_CARD_TEXT, IDC_CARD_BROWSE, IDC_CARD_DATE, IDC_CARD_TIME, IDC_CARD_DATETIME, IDC_CARD_CHOICE,
                   IDC_CARD_CHECK}) {
        if (HWND control = Control(id)) ShowWindow(control, SW_HIDE);
    }
    State().kind = tl5::kEditorNone;
    State().rect = RECT{};
}

void RepositionEditor(HWND virtualList, const RECT& rect) {
    EditorState& s = State();
    HWND control = EditorControl(s.kind);
    if (!control || !s.cardWindow) return;
    RECT r = rect;
    MapWindowPoints(virtualList, s.cardWindow, reinterpret_cast<POINT*>(&r), 2);
    if (EqualRect(&r, &s.rect)) return;
    s.rect = r;
    // The combo box's height includes its drop-down list.
    const int height = s.kind == tl5::kEditorChoice ? (r.bottom - r.top) * 8 : r.bottom - r.top;
    int width = r.right - r.left;
    if (s.kind == tl5::kEditorText) {
        // A field's text editor leaves room at its right end for the browse button.
        const int button = GetSystemMetrics(SM_CXVSCROLL);
        width -= button;
        SetWindowPos(Control(IDC_CARD_BROWSE), HWND_TOP, r.left + width - 1, r.top, button + 1, r.bottom - r.top,
                     SWP_NOACTIVATE);
    }
    SetWindowPos(control, HWND_TOP, r.left, r.top, width, height, SWP_NOACTIVATE);
}

void ShowEditor(tl5::EditorKind kind, HWND virtualList, const RECT& rect) {
    EditorState& s = State();
    if (kind != s.kind) {
        HideEditors();
        s.kind = kind;
    }
    HWND control = EditorControl(kind);
    if (!control) return;
    RepositionEditor(virtualList, rect);
    SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!IsWindowVisible(control)) ShowWindow(control, SW_SHOW);
    if (kind == tl5::kEditorText) ShowWindow(Control(IDC_CARD_BROWSE), SW_SHOW);
    if (GetFocus() != control && !IsChild(control, GetFocus())) SetFocus(control);
}

void SetTextEditorMode(tl5::Capitalise capitalise, int limit) {
    HWND edit = Control(IDC_CARD_TEXT);
    SendMessageW(edit, ppc::CEM_ENABLEUPCASE, capitalise != tl5::Capitalise::kNone, 0);
    SendMessageW(edit, ppc::CEM_UPCASEALLWORDS, capitalise == tl5::Capitalise::kEveryWord, 0);
    // Lifted before any text is set, so that a long value is never cut by a visit.
    SendMessageW(edit, EM_SETLIMITTEXT, limit > 0 ? static_cast<WPARAM>(limit) : 0, 0);
}

tl5::EditorContent LoadTextEditor(std::u16string_view text, bool selectAll) {
    HWND edit = Control(IDC_CARD_TEXT);
    std::wstring wide(text.begin(), text.end());
    SetWindowTextW(edit, wide.c_str());
    tl5::SecureZero(wide.data(), wide.size() * sizeof(wchar_t));
    const LPARAM end = GetWindowTextLengthW(edit);
    SendMessageW(edit, EM_SETSEL, selectAll ? 0 : end, end);
    return ReadEditor(tl5::kEditorText);
}

tl5::EditorContent LoadChoiceEditor(const std::vector<std::u16string>& items, std::u16string_view value) {
    HWND combo = Control(IDC_CARD_CHOICE);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    const std::wstring empty = std::wstring(L"<") + Text(IDS_NONE) + L">";
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(empty.c_str()));
    for (const std::u16string& item : items) {
        std::wstring wide(item.begin(), item.end());
        if (wide.size() > 256) wide.resize(256);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    const int entry = tl5::ChoiceEntryFor(items, value);
    if (entry >= 0) {
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    } else {
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SetWindowTextW(combo, tl5::ToWide(value).c_str());
    }
    return ReadEditor(tl5::kEditorChoice);
}

tl5::EditorContent LoadEntryList(const std::vector<std::wstring>& entries, int selected) {
    HWND combo = Control(IDC_CARD_CHOICE);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& entry : entries) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    return ReadEditor(tl5::kEditorChoice);
}

tl5::EditorContent LoadYesNoEditor(int state) {
    const WPARAM check = state == 1 ? BST_CHECKED : state == 0 ? BST_UNCHECKED : BST_INDETERMINATE;
    SendMessageW(Control(IDC_CARD_CHECK), BM_SETCHECK, check, 0);
    return ReadEditor(tl5::kEditorYesNo);
}

tl5::EditorContent LoadDateEditor(tl5::EditorKind kind, bool set, const tl5::SystemTime& time) {
    HWND picker = EditorControl(kind);
    if (set) {
        const SYSTEMTIME st = ToSystemTime(time);
        SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    } else {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&now));
        SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_NONE, 0);
    }
    return ReadEditor(kind);
}

tl5::EditorContent ReadEditor(tl5::EditorKind kind) {
    tl5::EditorContent content;
    switch (kind) {
    case tl5::kEditorName:
    case tl5::kEditorText: content.text = U16(ControlText(Control(IDC_CARD_TEXT))); break;
    case tl5::kEditorChoice: {
        HWND combo = Control(IDC_CARD_CHOICE);
        content.choiceEntry = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
        if (content.choiceEntry == CB_ERR) content.choiceEntry = -1;
        content.text = U16(ControlText(combo));
        break;
    }
    case tl5::kEditorYesNo: {
        const LRESULT check = SendMessageW(Control(IDC_CARD_CHECK), BM_GETCHECK, 0, 0);
        content.checkState = check == BST_CHECKED ? 1 : check == BST_UNCHECKED ? 0 : 2;
        break;
    }
    case tl5::kEditorDate:
    case tl5::kEditorTime:
    case tl5::kEditorDateTime: {
        SYSTEMTIME st{};
        content.dateSet = SendMessageW(EditorControl(kind), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID;
        if (content.dateSet) content.time = FromSystemTime(st);
        break;
    }
    case tl5::kEditorNone: break;
    }
    return content;
}

void DrawEditRow(HDC dc, const std::wstring& text, RECT r, bool label, int width, int ruleGap) {
    if (label) {
        SetTextColor(dc, RGB(0, 0, 128));
    } else {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        r.left += ppc::Scale(3);
        MoveToEx(dc, ppc::Scale(3), r.bottom + ruleGap, nullptr);
        LineTo(dc, width - ppc::Scale(2), r.bottom + ruleGap);
    }
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_NOPREFIX | DT_SINGLELINE);
}

void DrawBrowseButton(const DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    InflateRect(&r, -1, -1);
    if (!focused) FillRect(item.hDC, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    int cx = 0, cy = 0;
    if (State().browseImages && ImageList_GetIconSize(State().browseImages, &cx, &cy)) {
        ImageList_Draw(State().browseImages, focused ? 1 : 0, item.hDC, r.left + (r.right - r.left - cx) / 2,
                       r.top + (r.bottom - r.top - cy) / 2, ILD_TRANSPARENT);
    }
}

unsigned EditorClipboardState() {
    const tl5::EditorKind kind = State().kind;
    switch (kind) {
    case tl5::kEditorName:
    case tl5::kEditorText: {
        HWND edit = Control(IDC_CARD_TEXT);
        DWORD start = 0, end = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        unsigned state = ClipboardHasText() ? 4u : 0u;
        if (start != end) state |= 1 | 2 | 8 | 16;
        if (GetWindowTextLengthW(edit) > 0) state |= 16;
        return state;
    }
    case tl5::kEditorDate:
    case tl5::kEditorTime:
    case tl5::kEditorDateTime: return ReadEditor(kind).dateSet ? 2u | 8u : 0u;
    case tl5::kEditorChoice: return GetWindowTextLengthW(Control(IDC_CARD_CHOICE)) > 0 ? 2u : 0u;
    case tl5::kEditorYesNo: return 8u;
    case tl5::kEditorNone: break;
    }
    return 0;
}

void EditorClipboardCommand(int id) {
    const tl5::EditorKind kind = State().kind;
    if (kind == tl5::kEditorName || kind == tl5::kEditorText) {
        HWND edit = Control(IDC_CARD_TEXT);
        switch (id) {
        case IDM_EDIT_CUT: SendMessageW(edit, WM_CUT, 0, 0); break;
        case IDM_EDIT_COPY: SendMessageW(edit, WM_COPY, 0, 0); break;
        case IDM_EDIT_PASTE: SendMessageW(edit, WM_PASTE, 0, 0); break;
        case IDM_EDIT_CLEAR: SendMessageW(edit, WM_CLEAR, 0, 0); break;
        case IDM_EDIT_SELECT_ALL: SendMessageW(edit, EM_SETSEL, 0, -1); break;
        default: break;
        }
        return;
    }
    if (kind == tl5::kEditorDate || kind == tl5::kEditorTime || kind == tl5::kEditorDateTime) {
        HWND picker = EditorControl(kind);
        SYSTEMTIME st{};
        const bool set = SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID;
        if (id == IDM_EDIT_COPY && set) {
            const std::wstring text = PickerText(kind, st);
            CopyTextToClipboard(State().cardWindow, tl5::FromWide(text), false);
        } else if (id == IDM_EDIT_CLEAR) {
            LoadDateEditor(kind, false, tl5::SystemTime{});
        }
        return;
    }
    if (kind == tl5::kEditorYesNo && id == IDM_EDIT_CLEAR) LoadYesNoEditor(2);
}

}  // namespace tl5win
