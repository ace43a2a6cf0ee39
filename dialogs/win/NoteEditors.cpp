#include "dialogs/win/NoteEditors.h"

#include <commctrl.h>

#include <string_view>
#include <vector>

#include "StringIds.h"
#include "cardui/FontTable.h"
#include "cardui/Settings.h"
#include "cardui/win/DialogControls.h"
#include "cardui/win/DialogHost.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/Strings.h"
#include "dialogs/NoteRules.h"
#include "model/Field.h"
#include "platform/SecureZero.h"
#include "platform/Text.h"
#include "platform/pocketpc/DeviceScreen.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

constexpr UINT_PTR kNotesBoxSubclass = 1;
constexpr size_t kCaptionMaxChars = 128;

// The whole text of a control, read straight into a buffer of the caller's kind.
std::u16string ControlText16(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::u16string text(static_cast<size_t>(length > 0 ? length : 0) + 1, u'\0');
    const int got = GetWindowTextW(control, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

// The lower edge of the dialog bar in the dialog's client coordinates (0 without a bar).
int BarBottom(HWND dialog) {
    HWND bar = GetDlgItem(dialog, IDC_DIALOG_BAR);
    if (!bar) return 0;
    RECT r{};
    GetWindowRect(bar, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r.bottom;
}

RECT ControlRect(HWND dialog, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Place(HWND dialog, int id, int x, int y, int width, int height) {
    SetWindowPos(GetDlgItem(dialog, id), nullptr, x, y, width > 0 ? width : 0, height > 0 ? height : 0,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- Notes editor ----------------------------------------------------------------------------------

class NotesEditorDialog : public Dialog {
public:
    NotesEditorDialog(std::u16string_view caption, std::u16string_view textIn, std::u16string* textOut)
        : Dialog(IDD_NOTES_EDITOR),
          caption_(caption.substr(0, kCaptionMaxChars)),
          // The box holds text up to a first NUL; the comparison at Done is with what it was given.
          textIn_(textIn.substr(0, textIn.find(u'\0'))),
          textOut_(textOut) {}
    ~NotesEditorDialog() override { tl5::SecureZero(textIn_); }

private:
    DialogFrameSpec Frame() override { return {tl5::ToWide(caption_), IDI_TL_NOTES, IDMB_NOTES}; }

    HWND Box() const { return Item(IDC_NOTES_TEXT); }

    bool OnInit() override {
        HWND box = Box();
        SetWindowSubclass(box, BoxProc, kNotesBoxSubclass, reinterpret_cast<DWORD_PTR>(this));
        const int margin = ppc::Scale(3);
        SendMessageW(box, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
        ApplyZoom();
        // The box's own limit (about 30,000 characters) would cut a longer note: lift it first.
        SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
        SetWindowTextW(box, tl5::AsWide(textIn_.c_str()));
        const LPARAM end = GetWindowTextLengthW(box);
        SetFocus(box);
        SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), end);
        SendMessageW(box, EM_SCROLLCARET, 0, 0);
        SendMessageW(box, EM_SETMODIFY, FALSE, 0);
        FitBox();
        return false;  // the focus is placed, with the caret after the text
    }

    void OnSize() override { FitBox(); }

    void FitBox() {
        RECT client{};
        GetClientRect(Window(), &client);
        const int top = BarBottom(Window());
        Place(Window(), IDC_NOTES_TEXT, 0, top, client.right, client.bottom - top);
    }

    // A font of the zoom's exact size in the system face, made like the shared fonts; the box's
    // previous font goes once the new one is in place.
    void ApplyZoom() {
        const tl5::NoteZoomStep step = tl5::NoteZoomFor(tl5::AppSettings().noteZoom);
        LOGFONTW lf{};
        lstrcpynW(lf.lfFaceName, AppFontCache().FaceName(), LF_FACESIZE);
        HDC screen = GetDC(nullptr);
        const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        lf.lfHeight = tl5::FontCharacterHeight(step.points * 10, dpi > 0 ? dpi : 96);
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        if (AppFontCache().ClearType()) lf.lfQuality = CLEARTYPE_QUALITY;
        HFONT font = CreateFontIndirectW(&lf);
        if (!font) return;
        SendMessageW(Box(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (font_) DeleteObject(font_);
        font_ = font;
    }

    // Puts text at the caret in place of the selection, as typing would (undoable, marks the box).
    void InsertAtCaret(const wchar_t* text) {
        SendMessageW(Box(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
        SendMessageW(Box(), EM_SETMODIFY, TRUE, 0);
    }

    void InsertDateOrTime(bool date) {
        wchar_t text[128] = {};
        const int n = date ? GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 120)
                           : GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, text, 120);
        if (n <= 0) return;
        lstrcatW(text, L" ");
        InsertAtCaret(text);
    }

    bool OnCommand(int id, int, HWND) override {
        uint32_t zoom = 0;
        if (tl5::NoteZoomOfCommand(id, &zoom)) {
            tl5::AppSettings().noteZoom = zoom;
            ApplyZoom();
            return true;
        }
        switch (id) {
            case IDM_EDIT_CUT: EditClipboardCommand(Box(), kCanCut); return true;
            case IDM_EDIT_COPY: EditClipboardCommand(Box(), kCanCopy); return true;
            case IDM_EDIT_PASTE: EditClipboardCommand(Box(), kCanPaste); return true;
            case IDM_EDIT_CLEAR: EditClipboardCommand(Box(), kCanClear); return true;
            case IDM_EDIT_SELECT_ALL: EditClipboardCommand(Box(), kCanSelectAll); return true;
            case IDM_INSERT_DATE: InsertDateOrTime(true); return true;
            case IDM_INSERT_TIME: InsertDateOrTime(false); return true;
            case IDM_DONE:
            case IDOK:
            case IDCANCEL: Finish(); return true;
            case IDM_CANCEL: End(FALSE); return true;
            default: return false;
        }
    }

    void OnInitMenuPopup(HMENU menu) override {
        const int state = EditClipboardState(Box());
        EnableMenuItem(menu, IDM_EDIT_CUT, MF_BYCOMMAND | ((state & kCanCut) ? MF_ENABLED : MF_GRAYED));
        EnableMenuItem(menu, IDM_EDIT_COPY, MF_BYCOMMAND | ((state & kCanCopy) ? MF_ENABLED : MF_GRAYED));
        EnableMenuItem(menu, IDM_EDIT_PASTE, MF_BYCOMMAND | ((state & kCanPaste) ? MF_ENABLED : MF_GRAYED));
        EnableMenuItem(menu, IDM_EDIT_CLEAR, MF_BYCOMMAND | ((state & kCanClear) ? MF_ENABLED : MF_GRAYED));
        EnableMenuItem(menu, IDM_EDIT_SELECT_ALL, MF_BYCOMMAND | ((state & kCanSelectAll) ? MF_ENABLED : MF_GRAYED));
        CheckMenuRadioItem(menu, IDM_ZOOM_75, IDM_ZOOM_300, tl5::NoteZoomFor(tl5::AppSettings().noteZoom).menuItem,
                           MF_BYCOMMAND);
    }

    void Finish() {
        HWND box = Box();
        const bool modified = SendMessageW(box, EM_GETMODIFY, 0, 0) != 0;
        const size_t length = static_cast<size_t>(GetWindowTextLengthW(box));
        if (!tl5::NoteTextChanged(modified, textIn_.size(), length)) {
            End(FALSE);
            return;
        }
        std::u16string text = ControlText16(box);
        tl5::SecureZero(*textOut_);
        textOut_->swap(text);
        End(TRUE);
    }

    void OnDestroy() override {
        RemoveWindowSubclass(Box(), BoxProc, kNotesBoxSubclass);
        // The box may hold a secret: its buffer is overwritten in place (same length, so the box's
        // idea of its text stays sound) before the box lets it go.
        HWND box = Box();
        SendMessageW(box, WM_SETREDRAW, FALSE, 0);
        const int length = GetWindowTextLengthW(box);
        if (HLOCAL buffer = reinterpret_cast<HLOCAL>(SendMessageW(box, EM_GETHANDLE, 0, 0))) {
            if (auto* text = static_cast<wchar_t*>(LocalLock(buffer))) {
                for (int i = 0; i < length; ++i) text[i] = L' ';
                LocalUnlock(buffer);
            }
        }
        SetWindowTextW(box, L"");
        if (font_) {
            SendMessageW(box, WM_SETFONT, 0, FALSE);
            DeleteObject(font_);
            font_ = nullptr;
        }
    }

    // The Tab key puts a tab into the text instead of moving the focus: one tab for one key. It is
    // taken at the key-down, and the character the key-down then produces is swallowed; a tab
    // character that arrives without a key (an input panel that sends characters only) is put in too.
    static LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
        auto* self = reinterpret_cast<NotesEditorDialog*>(data);
        switch (message) {
            case WM_GETDLGCODE: return DefSubclassProc(box, message, wParam, lParam) | DLGC_WANTTAB;
            case WM_KEYDOWN:
                if (wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
                    self->InsertAtCaret(L"\t");
                    self->tabCharPending_ = true;
                    return 0;
                }
                self->tabCharPending_ = false;
                break;
            case WM_CHAR:
                if (wParam == L'\t') {
                    if (!self->tabCharPending_) self->InsertAtCaret(L"\t");
                    self->tabCharPending_ = false;
                    return 0;
                }
                self->tabCharPending_ = false;
                break;
            default: break;
        }
        return DefSubclassProc(box, message, wParam, lParam);
    }

    std::u16string caption_;
    std::u16string textIn_;
    std::u16string* textOut_;
    HFONT font_ = nullptr;
    bool tabCharPending_ = false;
};

// ---- Selection list editor -------------------------------------------------------------------------

class ListEditorDialog : public Dialog {
public:
    explicit ListEditorDialog(tl5::Field* field)
        : Dialog(IDD_LIST_EDITOR), field_(field), items_(tl5::ListItemsOfField(*field)) {}
    ~ListEditorDialog() override { tl5::WipeListItems(items_); }

private:
    DialogFrameSpec Frame() override { return {Text(IDS_SELECTION_LIST), IDI_TL_LIST, IDMB_DONE_CANCEL}; }

    HWND List() const { return Item(IDC_LIST_ITEMS); }
    int Selected() const { return static_cast<int>(SendMessageW(List(), LB_GETCURSEL, 0, 0)); }

    bool OnInit() override {
        SetWindowTextW(Item(IDC_LIST_ADD), Text(IDS_MENU_ADD));
        SetWindowTextW(Item(IDC_LIST_DELETE), Text(IDS_LIST_DELETE));
        SetWindowTextW(Item(IDC_LIST_MOVE_UP), Text(IDS_MENU_MOVE_UP));
        SetWindowTextW(Item(IDC_LIST_MOVE_DOWN), Text(IDS_MENU_MOVE_DOWN));
        SendMessageW(Item(IDC_LIST_TEXT), WM_SETFONT, reinterpret_cast<WPARAM>(AppFontCache().Font(kFont9Bold)), FALSE);
        SendMessageW(List(), WM_SETFONT, reinterpret_cast<WPARAM>(AppFontCache().Font(kFont9)), FALSE);
        SendMessageW(Item(IDC_LIST_TEXT), EM_LIMITTEXT, tl5::kListItemMaxChars, 0);
        Fill(-1);
        Layout();
        SetFocus(Item(IDC_LIST_TEXT));
        return false;
    }

    void OnSize() override { Layout(); }

    // The buttons keep their size at the right edge; the text box and the list take the width left,
    // and the list reaches down to the bottom.
    void Layout() {
        HWND dialog = Window();
        RECT client{};
        GetClientRect(dialog, &client);
        const RECT text = ControlRect(dialog, IDC_LIST_TEXT);
        const RECT add = ControlRect(dialog, IDC_LIST_ADD);
        const RECT list = ControlRect(dialog, IDC_LIST_ITEMS);
        const int margin = text.left;
        const int gap = add.left - text.right;
        const int buttonWidth = add.right - add.left;
        const int buttonLeft = client.right - margin - buttonWidth;
        const int boxWidth = buttonLeft - gap - margin;
        Place(dialog, IDC_LIST_TEXT, margin, text.top, boxWidth, text.bottom - text.top);
        Place(dialog, IDC_LIST_ADD, buttonLeft, add.top, buttonWidth, add.bottom - add.top);
        Place(dialog, IDC_LIST_ITEMS, margin, list.top, boxWidth, client.bottom - margin - list.top);
        for (int id : {IDC_LIST_DELETE, IDC_LIST_MOVE_UP, IDC_LIST_MOVE_DOWN}) {
            const RECT r = ControlRect(dialog, id);
            Place(dialog, id, buttonLeft, r.top, buttonWidth, r.bottom - r.top);
        }
    }

    // The list box shows the items again, with `selected` selected and the same part scrolled into view.
    void Fill(int selected) {
        HWND list = List();
        const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const std::u16string& item : items_)
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(tl5::AsWide(item.c_str())));
        if (top > 0) SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }

    void Add() {
        HWND box = Item(IDC_LIST_TEXT);
        std::u16string text = ControlText16(box);
        const tl5::ListAddResult result = tl5::AddListItem(items_, text);
        tl5::SecureZero(text);
        if (result == tl5::ListAddResult::full) {
            ShowMessage(Window(), IDS_LIST_FULL, IDS_ERROR, MB_ICONEXCLAMATION | MB_OK);
        } else if (result == tl5::ListAddResult::added) {
            Fill(Selected());
            SetWindowTextW(box, L"");
        }
        SetFocus(box);
    }

    bool OnCommand(int id, int code, HWND) override {
        switch (id) {
            case IDC_LIST_ADD:
                if (code == BN_CLICKED) Add();
                return true;
            case IDC_LIST_DELETE: {
                if (code != BN_CLICKED) return true;
                const int selected = Selected();
                if (selected < 0) return true;
                Fill(tl5::DeleteListItem(items_, selected));
                return true;
            }
            case IDC_LIST_MOVE_UP:
            case IDC_LIST_MOVE_DOWN: {
                if (code != BN_CLICKED) return true;
                const int selected = Selected();
                const int moved = tl5::MoveListItem(items_, selected, id == IDC_LIST_MOVE_UP ? -1 : 1);
                if (moved != selected) Fill(moved);
                return true;
            }
            case IDM_DONE:
            case IDOK:
            case IDCANCEL:
                (void)tl5::StoreListIntoField(items_, field_);
                End(TRUE);
                return true;
            case IDM_CANCEL: End(FALSE); return true;
            default: return false;
        }
    }

    tl5::Field* field_;
    std::vector<std::u16string> items_;
};

}  // namespace

bool ShowNotesEditor(HWND parent, const std::u16string& caption, const std::u16string& textIn,
                     std::u16string* textOut) {
    if (!textOut) return false;
    NotesEditorDialog dialog(caption, textIn, textOut);
    return RunDialog(parent, dialog) == TRUE;
}

bool ShowListEditor(HWND parent, tl5::Field* field) {
    if (!field) return false;
    ListEditorDialog dialog(field);
    return RunDialog(parent, dialog) == TRUE;
}

}  // namespace tl5win
