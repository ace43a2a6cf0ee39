#include "cardui/win/FormDesigner.h"

#include <string>
#include <vector>

#include "StringIds.h"
#include "cardui/FormDesignRules.h"
#include "cardui/win/FieldEditors.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/Offscreen.h"
#include "cardui/win/Strings.h"
#include "dialogs/win/NoteEditors.h"
#include "model/Card.h"
#include "platform/Text.h"
#include "platform/pocketpc/Shell.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

class FormDesigner;
FormDesigner* g_designer = nullptr;

class FormDesigner : public CardPresenter {
public:
    FormDesigner(HWND list, CardWindowParams& params) : list_(list), params_(params) {
        g_designer = this;
        font_ = AppFontCache().Font(kFont9);
        HDC dc = GetDC(list_);
        rowHeight_ = AppFontCache().LineHeight(9, dc);
        ReleaseDC(list_, dc);
        gap_ = ppc::Scale(3);
        for (const tl5::OfferedType& type : tl5::OfferedFieldTypes()) captions_.push_back(Text(type.caption));
        Layout();
        MoveTo(0);
    }
    ~FormDesigner() override {
        if (g_designer == this) g_designer = nullptr;
        HideEditors();
    }

    void Paint(HDC dc, const RECT& client) override;
    void Tap(int, int y) override {
        MoveTo(tl5::DesignRowAtOffset(RowCount(), rowHeight_, gap_, y + ReadScrollState(list_).position));
    }
    int LineStep() const override { return rowHeight_ > 0 ? rowHeight_ : 1; }
    void NextRow() override { MoveTo(tl5::NextDesignRow(current_, RowCount())); }
    void PreviousRow() override { MoveTo(tl5::PreviousDesignRow(current_)); }
    void Commit() override {
        Store();
        active_ = -1;
        current_ = 0;
    }
    void Resized() override {
        SetScrollRange(list_, Total(), true);
        ShowRow(current_);
        if (active_ >= 0) RepositionEditor(list_, EditorRect(active_));
    }
    bool Command(int id) override;
    int SelectedFieldType() const override {
        const tl5::Field* field = active_ >= 0 ? params_.card->FieldAt(static_cast<size_t>(tl5::FieldOfDesignRow(active_))) : nullptr;
        if (!field) return 0;
        // A type just picked in the type list counts before it is stored.
        if (active_ % 2 == 1) {
            const int entry = ReadEditor(tl5::kEditorChoice).choiceEntry;
            const std::vector<tl5::OfferedType>& types = tl5::OfferedFieldTypes();
            if (entry >= 0 && static_cast<size_t>(entry) < types.size()) return types[static_cast<size_t>(entry)].type;
        }
        return field->Type();
    }

    int Current() const { return active_ >= 0 ? current_ : -1; }

private:
    int RowCount() const { return tl5::DesignRowCount(params_.card->FieldCount()); }
    int Top(int row) const { return row * rowHeight_ + (row / 2) * gap_; }
    int Total() const { return RowCount() * rowHeight_ + static_cast<int>(params_.card->FieldCount()) * gap_; }
    RECT EditorRect(int row) const {
        RECT client;
        GetClientRect(list_, &client);
        const int y = Top(row) - ReadScrollState(list_).position - 1;
        return RECT{ppc::Scale(2), y, client.right - ppc::Scale(2), y + rowHeight_ + 1};
    }
    void Layout() { SetScrollRange(list_, Total(), true); }
    bool ShowRow(int row) {
        const tl5::ScrollState state = ReadScrollState(list_);
        const int position = tl5::EditorPositionShowing(state, Top(row), rowHeight_);
        if (position == state.position) return false;
        SetScrollPosition(list_, position);
        return true;
    }
    void Store();
    void MoveTo(int row, bool selectAll = false);
    void EditSelectionField();

    HWND list_;
    CardWindowParams& params_;
    std::vector<std::wstring> captions_;
    HFONT font_ = nullptr;
    int rowHeight_ = 0;
    int gap_ = 0;
    int current_ = 0;
    int active_ = -1;
    tl5::EditorContent loaded_;
};

void FormDesigner::Store() {
    if (active_ < 0) return;
    tl5::Field* field = params_.card->FieldAt(static_cast<size_t>(tl5::FieldOfDesignRow(active_)));
    if (!field) return;
    if (active_ % 2 == 0) {
        const tl5::EditorContent now = ReadEditor(tl5::kEditorName);
        if (!now.SameAs(loaded_, tl5::kEditorName)) field->SetName(now.text);
        loaded_ = now;
    } else {
        const tl5::EditorContent now = ReadEditor(tl5::kEditorChoice);
        if (now.choiceEntry >= 0 && now.choiceEntry != loaded_.choiceEntry) tl5::SetOfferedType(*field, now.choiceEntry);
        loaded_ = now;
    }
}

void FormDesigner::MoveTo(int row, bool selectAll) {
    if (RowCount() == 0 || row < 0) {
        // No fields left: no row and no editor.
        active_ = -1;
        current_ = 0;
        HideEditors();
        InvalidateRect(list_, nullptr, TRUE);
        return;
    }
    if (row >= RowCount()) row = RowCount() - 1;
    const bool scrolled = ShowRow(row);
    Store();
    const tl5::Field* field = params_.card->FieldAt(static_cast<size_t>(tl5::FieldOfDesignRow(row)));
    if (!field) return;
    current_ = row;
    params_.selectedField = tl5::FieldOfDesignRow(row);
    if (row % 2 == 0) {
        ShowEditor(tl5::kEditorName, list_, EditorRect(row));
        SetTextEditorMode(tl5::Capitalise::kNone, 0);
        loaded_ = LoadTextEditor(field->Name(), selectAll);
    } else {
        ShowEditor(tl5::kEditorChoice, list_, EditorRect(row));
        loaded_ = LoadEntryList(captions_, tl5::OfferedTypePosition(field->Type()));
    }
    active_ = row;
    if (HWND control = EditorControl(row % 2 == 0 ? tl5::kEditorName : tl5::kEditorChoice)) SetFocus(control);
    if (scrolled) InvalidateRect(list_, nullptr, FALSE);
    InvalidateRect(list_, nullptr, FALSE);
}

bool FormDesigner::Command(int id) {
    tl5::DesignCommand command;
    switch (id) {
    case IDM_ADD_FIELD: command = tl5::kAddField; break;
    case IDM_DELETE_FIELD: command = tl5::kDeleteField; break;
    case IDM_FIELD_UP: command = tl5::kFieldUp; break;
    case IDM_FIELD_DOWN: command = tl5::kFieldDown; break;
    case IDM_FIELD_TOP: command = tl5::kFieldTop; break;
    case IDM_FIELD_BOTTOM: command = tl5::kFieldBottom; break;
    case IDM_COPY_FIELD: command = tl5::kCopyField; break;
    case IDM_EDIT_SELECTION_FIELD: EditSelectionField(); return true;
    default: return false;
    }
    // Delete drops what the name editor holds; every other command keeps it first. Afterwards the
    // editor belongs to no field, so nothing is ever stored into the field that now has its old place.
    if (command != tl5::kDeleteField) Store();
    const int row = active_ >= 0 ? current_ : (command == tl5::kAddField ? 0 : -1);
    active_ = -1;
    if (row < 0 && command != tl5::kAddField) return true;
    const tl5::DesignOutcome outcome =
        tl5::RunDesignCommand(*params_.card, command, row, TextU16(IDS_NEW_FIELD));
    Layout();
    MoveTo(outcome.row, outcome.selectName);
    InvalidateRect(list_, nullptr, TRUE);
    return true;
}

// The selection list editor for the field of the active row, owned by the card window.
void FormDesigner::EditSelectionField() {
    if (active_ < 0) return;
    Store();
    const int row = current_;
    tl5::Field* field = params_.card->FieldAt(static_cast<size_t>(tl5::FieldOfDesignRow(row)));
    if (!field || field->Type() != tl5::FT_LIST) return;
    ShowListEditor(params_.window, field);
    // A close request while the editor was up may have ended this presenter.
    if (g_designer != this) return;
    if (HWND control = EditorControl(row % 2 == 0 ? tl5::kEditorName : tl5::kEditorChoice)) SetFocus(control);
    InvalidateRect(list_, nullptr, FALSE);
}

void FormDesigner::Paint(HDC screen, const RECT& client) {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    OffscreenCanvas canvas(screen, width, height);
    HDC dc = canvas.Dc();
    if (!dc) return;
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, font_);
    HPEN line = CreatePen(PS_SOLID, ppc::Scale(1), RGB(192, 192, 192));
    HGDIOBJ oldPen = SelectObject(dc, line);
    const int position = ReadScrollState(list_).position;
    for (int row = 0; row < RowCount(); ++row) {
        const int top = Top(row) - position;
        if (top + rowHeight_ <= 0) continue;
        if (top >= height) break;
        const tl5::Field* field = params_.card->FieldAt(static_cast<size_t>(tl5::FieldOfDesignRow(row)));
        if (!field) break;
        const RECT r{ppc::Scale(2), top, width - ppc::Scale(2), top + rowHeight_};
        const bool label = row % 2 == 0;
        std::wstring text;
        if (label) {
            text = tl5::ToWide(std::u16string_view(field->Name()).substr(0, 512));
        } else if (const int positionInList = tl5::OfferedTypePosition(field->Type()); positionInList >= 0) {
            text = captions_[static_cast<size_t>(positionInList)];
        }
        DrawEditRow(dc, text, r, label, width, ppc::Scale(1));
    }
    SelectObject(dc, oldPen);
    DeleteObject(line);
    SelectObject(dc, oldFont);
    if (active_ >= 0) RepositionEditor(list_, EditorRect(active_));
}

}  // namespace

std::unique_ptr<CardPresenter> MakeFormDesigner(HWND virtualList, CardWindowParams& params, int, tl5::CardMode) {
    return std::make_unique<FormDesigner>(virtualList, params);
}

int FormDesignerRow() { return g_designer ? g_designer->Current() : -1; }

}  // namespace tl5win
