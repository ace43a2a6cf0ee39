#include "cardui/win/CardView.h"

#include <algorithm>
#include <string>

#include "StringIds.h"
#include "cardui/win/CardPicture.h"
#include "cardui/win/FieldActions.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/Offscreen.h"
#include "cardui/win/ImageLists.h"
#include "cardui/win/Strings.h"
#include "model/Card.h"
#include "platform/SecureZero.h"
#include "platform/Text.h"
#include "platform/pocketpc/Shell.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

// Where a row's text breaks into lines: the start and length of each line.
struct LineSpan {
    int start;
    int length;
};

class CardView;
CardView* g_view = nullptr;  // the one open card view

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// A row shows at most this many characters of its text (a long note would otherwise be laid out as
// thousands of lines); Copy Text and the actions always take the whole text.
constexpr size_t kMaxShownCharacters = 4096;

class CardView : public CardPresenter {
public:
    CardView(HWND list, CardWindowParams& params) : list_(list), params_(params) {
        g_view = this;
        Build();
    }
    ~CardView() override {
        if (g_view == this) g_view = nullptr;
        tl5::WipeViewRows(&rows_);
    }

    void Paint(HDC dc, const RECT& client) override;
    void Tap(int x, int y) override;
    int LineStep() const override { return valueLine_ > 0 ? valueLine_ : 1; }
    void NextRow() override { Select(tl5::NextSelectableRow(rows_, selected_)); }
    void PreviousRow() override { Select(tl5::PreviousSelectableRow(rows_, selected_)); }
    void Activate() override;
    void Refresh() override { Build(); }
    void Resized() override {
        SetScrollRange(list_, tl5::TotalHeight(rows_), true);
        ShowSelected();
    }
    bool Command(int id) override {
        if (id != IDM_COPY_TEXT) return false;
        if (Valid(selected_)) CopyRowText(rows_[selected_], params_.window);
        return true;
    }

    const std::vector<tl5::ViewRow>& Rows() const { return rows_; }
    int Selected() const { return selected_; }
    void Select(int row);

private:
    bool Valid(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }
    void Build();
    void Layout();
    void ShowSelected();
    int TextWidth(const tl5::ViewRow& row) const;

    HWND list_;
    CardWindowParams& params_;
    std::vector<tl5::ViewRow> rows_;
    std::vector<std::vector<LineSpan>> lines_;
    int selected_ = 0;
    HFONT nameFont_ = nullptr;
    HFONT valueFont_ = nullptr;
    int nameLine_ = 0;
    int valueLine_ = 0;
    COLORREF background_ = RGB(255, 255, 255);
    COLORREF nameColour_ = RGB(0, 0, 0);
    COLORREF dataColour_ = RGB(0, 0, 0);
    bool alwaysShowPasswords_ = false;
    CardPicture picture_;
};

int LineHeightOf(HDC dc, HFONT font) {
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    return tm.tmHeight + ppc::Scale(2);
}

void CardView::Build() {
    params_.selectedField = 0;
    tl5::WipeViewRows(&rows_);
    lines_.clear();
    selected_ = 0;
    picture_.Clear();
    const tl5::Card* card = params_.card;
    if (!card) return;
    rows_ = tl5::BuildViewRows(*card, TextU16(IDS_ATTACHMENT));
    const tl5::CardImage& image = card->Image();
    if (image.HasData()) {
        picture_.LoadFromBytes(image.position, image.format, std::wstring(Wide(image.fileName)), image.bytes.data.data(),
                               image.bytes.Size());
    }
    const tl5::CardHead& head = card->Head();
    const int size = static_cast<int>(head.words[tl5::CardHead::kTextSize]);
    nameFont_ = AppFontCache().FontForSize(size - 1, head.words[tl5::CardHead::kNamesBold] != 0);
    valueFont_ = AppFontCache().FontForSize(size, head.words[tl5::CardHead::kDataBold] != 0);
    HDC dc = GetDC(list_);
    nameLine_ = LineHeightOf(dc, nameFont_);
    valueLine_ = LineHeightOf(dc, valueFont_);
    ReleaseDC(list_, dc);
    background_ = head.words[tl5::CardHead::kBackgroundColour] & 0xFFFFFF;
    nameColour_ = head.words[tl5::CardHead::kNameColour] & 0xFFFFFF;
    dataColour_ = head.words[tl5::CardHead::kDataColour] & 0xFFFFFF;
    alwaysShowPasswords_ = head.words[tl5::CardHead::kShowPasswords] != 0;
    Layout();
}

// Room for a row's text: the list's width without the scroll bar and the margin, less the indent and
// the action icon.
int CardView::TextWidth(const tl5::ViewRow& row) const {
    RECT window;
    GetWindowRect(list_, &window);
    int width = (window.right - window.left) - GetSystemMetrics(SM_CXVSCROLL) - ppc::Scale(2);
    if (row.actions & tl5::kRowIndent) width -= ppc::Scale(3);
    if (row.HasActionIcon()) width -= ppc::Scale(20);
    return std::max(width, 1);
}

// Heights and line breaks come from a hidden multi-line EDIT control, so the text wraps exactly as
// the platform wraps it.
void CardView::Layout() {
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY, 0, 0, 10, 60,
                                list_, nullptr, ProgramInstance(), nullptr);
    if (edit) SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    lines_.assign(rows_.size(), {});
    std::wstring buffer;
    for (size_t i = 0; i < rows_.size(); ++i) {
        tl5::ViewRow& row = rows_[i];
        const bool name = row.IsName();
        const int lineHeight = name ? nameLine_ : valueLine_;
        std::vector<LineSpan>& spans = lines_[i];
        if (edit) {
            SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(name ? nameFont_ : valueFont_), FALSE);
            MoveWindow(edit, 0, 0, TextWidth(row) + 1, 60, FALSE);
            SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
            if (row.text.size() > kMaxShownCharacters) {
                std::u16string shown = row.text.substr(0, kMaxShownCharacters);
                SetWindowTextW(edit, Wide(shown));
                tl5::SecureZero(shown);
            } else {
                SetWindowTextW(edit, Wide(row.text));
            }
            const int count = static_cast<int>(SendMessageW(edit, EM_GETLINECOUNT, 0, 0));
            for (int line = 0; line < count; ++line) {
                const int start = static_cast<int>(SendMessageW(edit, EM_LINEINDEX, line, 0));
                const int length = static_cast<int>(SendMessageW(edit, EM_LINELENGTH, start, 0));
                if (start < 0) break;
                spans.push_back({start, length});
            }
        }
        if (spans.empty()) spans.push_back({0, static_cast<int>(std::min(row.text.size(), kMaxShownCharacters))});
        row.height = static_cast<int>(spans.size()) * lineHeight;
    }
    if (edit) {
        SetWindowTextW(edit, L"");
        DestroyWindow(edit);
    }
    SetScrollRange(list_, tl5::TotalHeight(rows_), false);
    selected_ = tl5::FirstSelectableRow(rows_);
    ShowSelected();
}

void CardView::Select(int row) {
    if (!Valid(row)) return;
    selected_ = row;
    ShowSelected();
}

void CardView::ShowSelected() {
    if (Valid(selected_) && rows_[selected_].fieldIndex >= 0) params_.selectedField = rows_[selected_].fieldIndex;
    if (Valid(selected_)) {
        const tl5::ScrollState state = ReadScrollState(list_);
        const int position = tl5::ViewPositionShowing(state, tl5::RowTop(rows_, selected_), rows_[selected_].height);
        if (position != state.position) SetScrollPosition(list_, position);
    }
    InvalidateRect(list_, nullptr, FALSE);
}

void CardView::Tap(int, int y) {
    if (rows_.empty()) return;
    const int row = tl5::RowAtOffset(rows_, y + ReadScrollState(list_).position);
    if (row == selected_) {
        Activate();
    } else {
        Select(row);
    }
}

void CardView::Activate() {
    if (!Valid(selected_)) return;
    const tl5::ViewRow& row = rows_[selected_];
    RunHandOver(tl5::PlanActivation(row), params_.card, GetParent(list_), tl5::IsSecretCopy(row));
}

void CardView::Paint(HDC screen, const RECT& client) {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return;
    OffscreenCanvas canvas(screen, width, height);
    HDC dc = canvas.Dc();
    if (!dc) return;
    HBITMAP back = picture_.IsLoaded()
                       ? picture_.Compose(screen, picture_.Position(), width + 1, height + 1, 1, background_)
                       : nullptr;
    if (back) {
        HDC source = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(source, back);
        BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    } else {
        HBRUSH fill = CreateSolidBrush(background_);
        FillRect(dc, &client, fill);
        DeleteObject(fill);
    }
    const int iconSize = IconSize();
    HIMAGELIST icons = ActionIconList(iconSize);
    const int position = ReadScrollState(list_).position;
    const int right = width;
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, valueFont_);
    int y = -position;
    for (size_t i = 0; i < rows_.size(); ++i) {
        const tl5::ViewRow& row = rows_[i];
        const int top = y;
        y += row.height;
        if (row.height == 0 || y <= 0) continue;
        if (top >= height) break;
        const bool selected = static_cast<int>(i) == selected_;
        const bool name = (i % 2) == 0;
        const int lineHeight = name ? nameLine_ : valueLine_;
        RECT text{ppc::Scale(2), top, right, top + row.height - 1};
        if (row.actions & tl5::kRowIndent) text.left += ppc::Scale(3);
        if (row.HasActionIcon()) text.right -= ppc::Scale(20);
        if (selected) {
            RECT band{0, top, width, top + row.height};
            FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            SetTextColor(dc, name ? nameColour_ : dataColour_);
        }
        SelectObject(dc, name ? nameFont_ : valueFont_);
        const std::u16string_view shown = tl5::RowDisplayText(row, selected, alwaysShowPasswords_);
        if (shown.data() == row.text.data()) {
            int lineTop = top;
            for (const LineSpan& span : lines_[i]) {
                const int length = std::min(span.length, 256);
                RECT line{text.left, lineTop, text.right, lineTop + lineHeight};
                if (span.start >= 0 && span.start + length <= static_cast<int>(row.text.size()))
                    DrawTextW(dc, Wide(row.text) + span.start, length, &line, DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE);
                lineTop += lineHeight;
            }
        } else {
            RECT line{text.left, top, text.right, top + lineHeight};
            DrawTextW(dc, reinterpret_cast<const wchar_t*>(shown.data()), static_cast<int>(shown.size()), &line,
                      DT_NOPREFIX | DT_SINGLELINE);
        }
        const int icon = tl5::ActionIconIndex(row);
        if (icon >= 0 && icons) {
            const COLORREF rowBack = selected ? GetSysColor(COLOR_HIGHLIGHT) : background_;
            ImageList_DrawEx(icons, icon, dc, text.right + ppc::Scale(2), top + (lineHeight - iconSize) / 2, iconSize,
                             iconSize, rowBack, CLR_NONE, ILD_TRANSPARENT);
        }
    }
    SelectObject(dc, oldFont);
}

}  // namespace

std::unique_ptr<CardPresenter> MakeCardView(HWND virtualList, CardWindowParams& params, int, tl5::CardMode) {
    return std::make_unique<CardView>(virtualList, params);
}

const std::vector<tl5::ViewRow>* CardViewRows() { return g_view ? &g_view->Rows() : nullptr; }
int CardViewSelection() { return g_view ? g_view->Selected() : -1; }
void CardViewSelect(int row) {
    if (g_view) g_view->Select(row);
}

}  // namespace tl5win
