#include "cardui/win/CardEditor.h"

#include <algorithm>
#include <string>
#include <vector>

#include "StringIds.h"
#include "cardui/CardEditorRules.h"
#include "cardui/win/FieldEditors.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/Offscreen.h"
#include "cardui/win/Strings.h"
#include "model/Card.h"
#include "platform/Text.h"
#include "platform/pocketpc/Shell.h"

namespace tl5win {

namespace {

class CardEditor;
CardEditor* g_editor = nullptr;

// The card name holds at most this many characters.
constexpr int kMaxCardName = 255;

class CardEditor : public CardPresenter {
public:
    CardEditor(HWND list, CardWindowParams& params, int startField) : list_(list), params_(params) {
        g_editor = this;
        labelFont_ = AppFontCache().FontForSize(9, true);
        valueFont_ = AppFontCache().FontForSize(10, false);
        HDC dc = GetDC(list_);
        labelLine_ = AppFontCache().LineHeight(9, dc);
        valueLine_ = AppFontCache().LineHeight(10, dc);
        ReleaseDC(list_, dc);
        Layout();
        MoveTo(tl5::StartEditorRow(startField, RowCount()));
    }
    ~CardEditor() override {
        if (g_editor == this) g_editor = nullptr;
        HideEditors();
    }

    void Paint(HDC dc, const RECT& client) override;
    void Tap(int, int y) override { MoveTo(tl5::EditorRowAtOffset(heights_, y + ReadScrollState(list_).position)); }
    int LineStep() const override { return valueLine_ > 0 ? valueLine_ : 1; }
    void NextRow() override { MoveTo(tl5::NextEditorRow(current_, RowCount())); }
    void PreviousRow() override { MoveTo(tl5::PreviousEditorRow(current_)); }
    void Commit() override {
        Store();
        active_ = -1;
        current_ = 1;
    }
    void Resized() override {
        SetScrollRange(list_, Total(), true);
        ShowRow(current_);
        if (active_ >= 0) RepositionEditor(list_, EditorRect(active_));
    }

    int Current() const { return active_ >= 0 ? current_ : -1; }

private:
    tl5::Card& Card() { return *params_.card; }
    int RowCount() const { return tl5::EditorRowCount(params_.card->FieldCount()); }
    int Total() const {
        long long total = 0;
        for (int h : heights_) total += h;
        return static_cast<int>(std::min<long long>(total, 0x7FFFFFFF));
    }
    int Top(int row) const {
        long long top = 0;
        for (int i = 0; i < row && i < static_cast<int>(heights_.size()); ++i) top += heights_[static_cast<size_t>(i)];
        return static_cast<int>(top);
    }
    RECT EditorRect(int row) const {
        RECT client;
        GetClientRect(list_, &client);
        const int y = Top(row) - ReadScrollState(list_).position - 1;
        return RECT{ppc::Scale(2), y, client.right - ppc::Scale(2), y + valueLine_ + 1};
    }

    void Layout() {
        heights_.assign(static_cast<size_t>(RowCount()), 0);
        for (size_t row = 0; row < heights_.size(); ++row)
            heights_[row] = row % 2 == 0 ? labelLine_ : valueLine_ + ppc::Scale(3);
        SetScrollRange(list_, Total(), false);
    }

    // Makes a row visible; true when the list scrolled.
    bool ShowRow(int row) {
        const tl5::ScrollState state = ReadScrollState(list_);
        const int position = tl5::EditorPositionShowing(state, Top(row), valueLine_);
        if (position == state.position) return false;
        SetScrollPosition(list_, position);
        return true;
    }

    void Store();
    void MoveTo(int row);
    void Load(int row, tl5::EditorKind kind);

    HWND list_;
    CardWindowParams& params_;
    std::vector<int> heights_;
    int current_ = 1;
    int active_ = -1;
    tl5::EditorKind kind_ = tl5::kEditorNone;
    tl5::EditorContent loaded_;
    HFONT labelFont_ = nullptr;
    HFONT valueFont_ = nullptr;
    int labelLine_ = 0;
    int valueLine_ = 0;
};

void CardEditor::Store() {
    if (active_ < 0 || kind_ == tl5::kEditorNone) return;
    const tl5::EditorContent now = ReadEditor(kind_);
    if (active_ == 1) {
        if (!now.SameAs(loaded_, kind_)) Card().Record().SetName(now.text.substr(0, kMaxCardName));
    } else if (tl5::Field* field = Card().FieldAt(static_cast<size_t>(tl5::FieldOfEditorRow(active_)))) {
        tl5::StoreEditorContent(*field, kind_, loaded_, now);
    }
    loaded_ = now;
}

void CardEditor::Load(int row, tl5::EditorKind kind) {
    if (row == 1) {
        loaded_ = LoadTextEditor(Card().Record().Name(), true);
        return;
    }
    const tl5::Field* field = Card().FieldAt(static_cast<size_t>(tl5::FieldOfEditorRow(row)));
    if (!field) return;
    switch (kind) {
    case tl5::kEditorName:
    case tl5::kEditorText: loaded_ = LoadTextEditor(field->Value(), false); break;
    case tl5::kEditorChoice: loaded_ = LoadChoiceEditor(field->Items(), field->Value()); break;
    case tl5::kEditorYesNo: loaded_ = LoadYesNoEditor(field->Value().empty() ? 2 : field->YesNoState()); break;
    case tl5::kEditorDate:
    case tl5::kEditorTime:
    case tl5::kEditorDateTime: loaded_ = LoadDateEditor(kind, !field->DateTime().IsZero(), field->DateTime()); break;
    case tl5::kEditorNone: break;
    }
}

void CardEditor::MoveTo(int row) {
    if (row < 1 || row >= RowCount()) row = 1;
    params_.selectedField = tl5::FieldOfEditorRow(row);
    const bool scrolled = ShowRow(row);
    Store();
    const tl5::Field* field = row == 1 ? nullptr : Card().FieldAt(static_cast<size_t>(tl5::FieldOfEditorRow(row)));
    const uint16_t type = field ? field->Type() : static_cast<uint16_t>(tl5::FT_TEXT);
    const tl5::EditorKind kind = row == 1 ? tl5::kEditorName : tl5::EditorKindOf(type);
    current_ = row;
    if (kind == tl5::kEditorNone || (row != 1 && !field)) {
        HideEditors();
        active_ = -1;
        kind_ = tl5::kEditorNone;
        InvalidateRect(list_, nullptr, FALSE);
        return;
    }
    ShowEditor(kind, list_, EditorRect(row));
    if (kind == tl5::kEditorName || kind == tl5::kEditorText)
        SetTextEditorMode(tl5::CapitalisationOf(row, type), row == 1 ? kMaxCardName : 0);
    kind_ = kind;
    active_ = row;
    Load(row, kind);
    if (HWND control = EditorControl(kind)) SetFocus(control);
    if (scrolled) InvalidateRect(list_, nullptr, FALSE);
    InvalidateRect(list_, nullptr, FALSE);
}

void CardEditor::Paint(HDC screen, const RECT& client) {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return;
    OffscreenCanvas canvas(screen, width, height);
    HDC dc = canvas.Dc();
    if (!dc) return;
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, labelFont_);
    HPEN line = CreatePen(PS_SOLID, ppc::Scale(1), RGB(192, 192, 192));
    HGDIOBJ oldPen = SelectObject(dc, line);
    const int position = ReadScrollState(list_).position;
    const std::wstring nameLabel = Text(IDS_NAME);
    std::u16string scratch;
    int y = -position;
    for (int row = 0; row < RowCount(); ++row) {
        const int h = heights_[static_cast<size_t>(row)];
        const int top = y;
        y += h;
        if (y <= 0) continue;
        if (top >= height) break;
        const bool label = row % 2 == 0;
        std::wstring text;
        if (row == 0) {
            text = nameLabel;
        } else if (row == 1) {
            text = tl5::ToWide(Card().Record().Name());
        } else if (const tl5::Field* field = Card().FieldAt(static_cast<size_t>(tl5::FieldOfEditorRow(row)))) {
            // Rows show at most 512 characters; the editor always holds the whole value.
            const std::u16string_view shown = label ? std::u16string_view(field->Name()) : field->DisplayText(&scratch);
            text = tl5::ToWide(shown.substr(0, 512));
        }
        const RECT r{ppc::Scale(2), top, width - ppc::Scale(2), top + (label ? labelLine_ : valueLine_)};
        SelectObject(dc, label ? labelFont_ : valueFont_);
        DrawEditRow(dc, text, r, label, width, ppc::Scale(2));
    }
    SelectObject(dc, oldPen);
    DeleteObject(line);
    SelectObject(dc, oldFont);
    // The editor follows its row when the list scrolls.
    if (active_ >= 0) RepositionEditor(list_, EditorRect(active_));
}

}  // namespace

std::unique_ptr<CardPresenter> MakeCardEditor(HWND virtualList, CardWindowParams& params, int startField,
                                              tl5::CardMode previous) {
    // From form design editing starts at the card name.
    if (previous != tl5::CardMode::kView) startField = -1;
    return std::make_unique<CardEditor>(virtualList, params, startField);
}

int CardEditorRow() { return g_editor ? g_editor->Current() : -1; }

}  // namespace tl5win
