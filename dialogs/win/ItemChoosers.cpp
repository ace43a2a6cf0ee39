#include "dialogs/win/ItemChoosers.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "StringIds.h"
#include "cardui/DocChooserRules.h"
#include "cardui/win/DialogBar.h"
#include "cardui/win/DialogControls.h"
#include "cardui/win/DialogHost.h"
#include "cardui/win/DocChooser.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/ImageLists.h"
#include "cardui/win/Strings.h"
#include "model/ItemRecord.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/File.h"
#include "platform/Text.h"
#include "platform/pocketpc/DeviceScreen.h"
#include "resources/messages.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

std::wstring Wide(const std::u16string& s) { return tl5::ToWide(s); }

// An icon made from icon data at one size, owned here.
class OwnedIcon {
public:
    OwnedIcon() = default;
    ~OwnedIcon() { Reset(); }
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;

    void Load(const std::vector<uint8_t>& data, int size) {
        Reset();
        if (!data.empty()) ReadIcon(data.data(), data.size(), size, 24, true, &icon_);
    }
    void Reset() {
        if (icon_) DestroyIcon(icon_);
        icon_ = nullptr;
    }
    HICON Get() const { return icon_; }

private:
    HICON icon_ = nullptr;
};

// Width of a list's client area as if it had no vertical scroll bar.
int ClientWidthWithoutScrollBar(HWND list) {
    RECT client{};
    GetClientRect(list, &client);
    int width = client.right;
    if (GetWindowLongPtrW(list, GWL_STYLE) & WS_VSCROLL) width += GetSystemMetrics(SM_CXVSCROLL);
    return width;
}

// Draws a stock icon (number k) or a custom icon centred in `r`.
void DrawIconCentred(HDC dc, const RECT& r, int32_t stockIcon, HICON custom, int size) {
    const int x = r.left + (r.right - r.left - size) / 2;
    const int y = r.top + (r.bottom - r.top - size) / 2;
    if (stockIcon >= 0) {
        if (HIMAGELIST list = StockIconList(size))
            ImageList_Draw(list, StockIconImage(stockIcon), dc, x, y, ILD_TRANSPARENT);
    } else if (custom) {
        DrawIconEx(dc, x, y, custom, size, size, 0, nullptr, DI_NORMAL);
    }
}

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// ---- Card type chooser ----------------------------------------------------------------------------

class CardTypeChooser : public Dialog {
public:
    CardTypeChooser(tl5::Wallet& wallet, tl5::FormChoice* choice, int variant)
        : Dialog(IDD_CARD_TYPE_CHOOSER), wallet_(wallet), choice_(choice), variant_(variant) {}

private:
    DialogFrameSpec Frame() override {
        return {Text(tl5::CardTypeChooserTitle(variant_)), IDI_TL_FORM, IDMB_DONE_CANCEL, true, true};
    }

    bool OnInit() override {
        rows_ = tl5::CardTypeRows(wallet_, TextU16);
        HWND list = Item(IDC_FORM_LIST);
        SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(AppFontCache().Font(kFont9)), FALSE);
        ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE);
        ListView_SetImageList(list, StockIconList(IconSize()), LVSIL_SMALL);
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = 100;
        ListView_InsertColumn(list, 0, &column);
        for (size_t i = 0; i < rows_.size(); ++i) {
            const tl5::FormRow& row = rows_[i];
            std::wstring name = Wide(row.name);
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
            item.iItem = static_cast<int>(i);
            item.pszText = name.data();
            item.iImage = ImageOf(row);
            item.lParam = static_cast<LPARAM>(i);
            ListView_InsertItem(list, &item);
        }
        const int first = static_cast<int>(tl5::InitialFormRow(rows_, choice_->form));
        ListView_SetItemState(list, first, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        Layout();
        ListView_EnsureVisible(list, first, FALSE);
        SetFocus(list);
        return false;
    }

    int ImageOf(const tl5::FormRow& row) const {
        if (row.icon >= 0) return StockIconImage(row.icon);
        if (row.recordIndex >= 0 && static_cast<size_t>(row.recordIndex) < wallet_.ItemCount()) {
            const std::vector<uint8_t> bytes = wallet_.ItemAt(static_cast<size_t>(row.recordIndex)).CustomIconBytes();
            const int image = bytes.empty() ? -1 : CustomIconIndex(bytes.data(), bytes.size());
            if (image >= 0) return image;
        }
        return I_IMAGENONE;
    }

    void OnSize() override { Layout(); }

    void Layout() {
        HWND list = Item(IDC_FORM_LIST);
        if (!list) return;
        RECT client{};
        GetClientRect(Window(), &client);
        const int bar = DialogBarHeight();
        MoveWindow(list, 0, bar, client.right, client.bottom - bar, TRUE);
        const int width = ClientWidthWithoutScrollBar(list) - GetSystemMetrics(SM_CXVSCROLL) - 3;
        ListView_SetColumnWidth(list, 0, std::max(width, 1));
    }

    bool OnNotify(const NMHDR& header, LRESULT* result) override {
        if (header.idFrom != IDC_FORM_LIST) return false;
        switch (header.code) {
            case NM_CUSTOMDRAW: *result = CustomDraw(reinterpret_cast<const NMLVCUSTOMDRAW&>(header)); return true;
            case LVN_ITEMACTIVATE: {
                const int item = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
                Choose(item >= 0 ? item : Selected());
                *result = 0;
                return true;
            }
            case NM_CLICK: {
                // One tap on a form chooses it, whether or not the list reports the activation itself.
                const int item = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
                if (item >= 0) Choose(item);
                *result = 0;
                return true;
            }
            default: return false;
        }
    }

    LRESULT CustomDraw(const NMLVCUSTOMDRAW& draw) {
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
        const size_t row = static_cast<size_t>(draw.nmcd.lItemlParam);
        const int item = static_cast<int>(draw.nmcd.dwItemSpec);
        const bool selected = ListView_GetItemState(Item(IDC_FORM_LIST), item, LVIS_SELECTED) != 0;
        if (row >= rows_.size() || !rows_[row].emphasised || selected) return CDRF_DODEFAULT;
        auto& change = const_cast<NMLVCUSTOMDRAW&>(draw);
        change.clrText = tl5::kMyFormsRowColour;
        SelectObject(draw.nmcd.hdc, AppFontCache().Font(kFont9Bold));
        return CDRF_NEWFONT;
    }

    int Selected() const { return ListView_GetNextItem(Item(IDC_FORM_LIST), -1, LVNI_SELECTED); }

    bool OnCommand(int id, int, HWND) override {
        switch (id) {
            case IDM_DONE:
            case IDOK: Choose(Selected()); return true;
            case IDM_CANCEL:
            case IDCANCEL: End(FALSE); return true;
            default: return false;
        }
    }

    // "Done" with list item `item` (the first row when none).
    void Choose(int item) {
        if (done_) return;
        size_t row = 0;
        if (item >= 0) {
            LVITEMW data{};
            data.mask = LVIF_PARAM;
            data.iItem = item;
            if (ListView_GetItem(Item(IDC_FORM_LIST), &data)) row = static_cast<size_t>(data.lParam);
        }
        tl5::FormChoice chosen = *choice_;
        if (!tl5::ChoiceOfRow(rows_, row, &chosen)) return;
        done_ = true;
        *choice_ = chosen;
        End(TRUE);
    }

    tl5::Wallet& wallet_;
    tl5::FormChoice* choice_;
    int variant_;
    std::vector<tl5::FormRow> rows_;
    bool done_ = false;
};

// ---- Icon picker -----------------------------------------------------------------------------------

class IconPicker : public Dialog {
public:
    IconPicker(tl5::Wallet& wallet, tl5::IconChoice* choice)
        : Dialog(IDD_ICON_PICKER), wallet_(wallet), choice_(choice), state_(choice->icon, choice->customBytes) {}

private:
    DialogFrameSpec Frame() override { return {Text(IDS_CHOOSE_ICON), IDI_TL_IMAGE, IDMB_DONE_CANCEL, true, true}; }

    bool OnInit() override {
        SetWindowTextW(Item(IDC_CURRENT_ICON_LABEL), Text(IDS_CURRENT_ICON));
        SetWindowTextW(Item(IDC_NEW_ICON_LABEL), Text(IDS_NEW_ICON));
        SetWindowTextW(Item(IDC_IMPORT_ICON), Text(IDS_IMPORT_ICON));
        const int large = ppc::Scale(34), small = ppc::Scale(18);
        for (int id : {IDC_CURRENT_ICON_LARGE, IDC_NEW_ICON_LARGE})
            SetWindowPos(Item(id), nullptr, 0, 0, large, large, SWP_NOMOVE | SWP_NOZORDER);
        for (int id : {IDC_CURRENT_ICON_SMALL, IDC_NEW_ICON_SMALL})
            SetWindowPos(Item(id), nullptr, 0, 0, small, small, SWP_NOMOVE | SWP_NOZORDER);
        const tl5::IconChoice current{choice_->icon, choice_->customBytes};
        currentLarge_.Load(current.icon == -1 ? current.customBytes : std::vector<uint8_t>(), 32);
        currentSmall_.Load(current.icon == -1 ? current.customBytes : std::vector<uint8_t>(), 16);
        LoadNewPreviews();

        cells_ = tl5::IconPickerCells(wallet_);
        cellImages_.assign(cells_.size(), -1);
        for (size_t i = 0; i < cells_.size(); ++i) {
            const tl5::IconCell& cell = cells_[i];
            if (!cell.custom) cellImages_[i] = StockIconImage(cell.stockIcon);
            else if (cell.bytes) cellImages_[i] = CustomIconIndex(cell.bytes->data(), cell.bytes->size());
        }
        cellSize_ = ppc::Scale(22);
        HWND grid = Item(IDC_ICON_GRID);
        // The rows are as high as a cell: the grid's small image list is an empty one of that height
        // (the grid owns it and destroys it with itself).
        ListView_SetImageList(grid, ImageList_Create(1, cellSize_, ILC_COLOR, 1, 1), LVSIL_SMALL);
        LayoutGrid();
        return true;
    }

    void OnSize() override { LayoutGrid(); }

    void LayoutGrid() {
        HWND grid = Item(IDC_ICON_GRID);
        if (!grid || cellSize_ == 0) return;
        RECT client{}, place{};
        GetClientRect(Window(), &client);
        GetWindowRect(grid, &place);
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&place), 2);
        MoveWindow(grid, place.left, place.top, std::max<int>(client.right - 3 - place.left, 1),
                   std::max<int>(client.bottom - 3 - place.top, 1), TRUE);
        const int count = static_cast<int>(cells_.size());
        layout_ =
            tl5::LayoutIconGrid(ClientWidthWithoutScrollBar(grid), GetSystemMetrics(SM_CXVSCROLL), cellSize_, count);
        SendMessageW(grid, WM_SETREDRAW, FALSE, 0);
        ListView_DeleteAllItems(grid);
        while (ListView_DeleteColumn(grid, 0)) {
        }
        for (int k = 0; k < layout_.columns; ++k) {
            LVCOLUMNW column{};
            column.mask = LVCF_WIDTH;
            column.cx = k == layout_.columns - 1 ? layout_.lastColumnWidth : layout_.columnWidth;
            ListView_InsertColumn(grid, k, &column);
        }
        for (int r = 0; r < layout_.rows; ++r) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = r;
            item.pszText = const_cast<wchar_t*>(L"");
            ListView_InsertItem(grid, &item);
        }
        SendMessageW(grid, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(grid, nullptr, TRUE);
    }

    bool OnNotify(const NMHDR& header, LRESULT* result) override {
        if (header.idFrom != IDC_ICON_GRID) return false;
        if (header.code == NM_CUSTOMDRAW) {
            *result = DrawGrid(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
            return true;
        }
        if (header.code == NM_CLICK) {
            Tap(reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction);
            *result = 0;
            return true;
        }
        return false;
    }

    LRESULT DrawGrid(const NMLVCUSTOMDRAW& draw) {
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
        HWND grid = Item(IDC_ICON_GRID);
        const int row = static_cast<int>(draw.nmcd.dwItemSpec);
        RECT bounds{};
        if (!ListView_GetItemRect(grid, row, &bounds, LVIR_BOUNDS)) return CDRF_SKIPDEFAULT;
        HDC dc = draw.nmcd.hdc;
        const int line = ppc::Scale(1);
        HIMAGELIST icons = StockIconList(IconSize());
        int x = bounds.left;
        for (int k = 0; k < layout_.columns; ++k) {
            const int width = k == layout_.columns - 1 ? layout_.lastColumnWidth : layout_.columnWidth;
            const RECT cell{x, bounds.top, x + width, bounds.bottom};
            x += width;
            const int n = tl5::IconCellAt(layout_, row, k, static_cast<int>(cells_.size()));
            const bool custom = n >= 0 && cells_[static_cast<size_t>(n)].custom;
            FillSolid(dc, cell, custom ? tl5::kCustomIconCellColour : RGB(255, 255, 255));
            if (n < 0) continue;
            if (k != layout_.columns - 1)
                FillSolid(dc, RECT{cell.right - line, cell.top, cell.right, cell.bottom}, tl5::kIconGridLineColour);
            FillSolid(dc, RECT{cell.left, cell.bottom - line, cell.right, cell.bottom}, tl5::kIconGridLineColour);
            const int image = cellImages_[static_cast<size_t>(n)];
            if (icons && image >= 0) {
                const int size = IconSize();
                ImageList_Draw(icons, image, dc, cell.left + (width - size) / 2,
                               cell.top + (cell.bottom - cell.top - size) / 2, ILD_TRANSPARENT);
            }
        }
        return CDRF_SKIPDEFAULT;
    }

    // A tap at `at` (the grid's client coordinates) selects the icon of the cell under it.
    void Tap(POINT at) {
        HWND grid = Item(IDC_ICON_GRID);
        const int top = ListView_GetTopIndex(grid);
        RECT first{};
        if (layout_.rows == 0 || !ListView_GetItemRect(grid, top, &first, LVIR_BOUNDS)) return;
        const int height = first.bottom - first.top;
        if (height <= 0 || at.y < first.top) return;
        const int row = top + (at.y - first.top) / height;
        const int column = tl5::IconColumnAt(layout_, at.x - first.left);
        const int n = tl5::IconCellAt(layout_, row, column, static_cast<int>(cells_.size()));
        if (n < 0) return;
        state_.SelectCell(cells_[static_cast<size_t>(n)]);
        LoadNewPreviews();
    }

    void LoadNewPreviews() {
        const tl5::IconChoice& icon = state_.NewIcon();
        newLarge_.Load(icon.icon == -1 ? icon.customBytes : std::vector<uint8_t>(), 32);
        newSmall_.Load(icon.icon == -1 ? icon.customBytes : std::vector<uint8_t>(), 16);
        for (int id : {IDC_NEW_ICON_LARGE, IDC_NEW_ICON_SMALL})
            if (HWND preview = Item(id)) InvalidateRect(preview, nullptr, TRUE);
    }

    bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
        const int id = static_cast<int>(item.CtlID);
        const bool isNew = id == IDC_NEW_ICON_LARGE || id == IDC_NEW_ICON_SMALL;
        const bool large = id == IDC_NEW_ICON_LARGE || id == IDC_CURRENT_ICON_LARGE;
        if (!isNew && id != IDC_CURRENT_ICON_LARGE && id != IDC_CURRENT_ICON_SMALL) return false;
        FillSolid(item.hDC, item.rcItem, RGB(255, 255, 255));
        const int32_t icon = isNew ? state_.NewIcon().icon : choice_->icon;
        const OwnedIcon& custom = isNew ? (large ? newLarge_ : newSmall_) : (large ? currentLarge_ : currentSmall_);
        DrawIconCentred(item.hDC, item.rcItem, icon, custom.Get(), large ? 32 : 16);
        return true;
    }

    bool OnCommand(int id, int, HWND) override {
        switch (id) {
            case IDC_IMPORT_ICON:
                ArmDocChooser(DOC_CHOOSER_RESULT, L"*.ico", Text(IDS_ICON_FILES), Text(IDS_IMPORT_ICON_TITLE),
                              IDI_TL_IMAGE, true);
                ShowDocChooser(Window());
                return true;
            case IDM_DONE:
            case IDOK:
            case IDCANCEL: {
                tl5::IconChoice chosen;
                if (!state_.Done(&chosen)) {
                    End(FALSE);
                    return true;
                }
                *choice_ = std::move(chosen);
                End(TRUE);
                return true;
            }
            case IDM_CANCEL: End(FALSE); return true;
            default: return false;
        }
    }

    void OnDocumentChooserResult(int code) override {
        if (code != tl5::kDocChooserChosen) return;
        std::wstring path;
        if (!DocChooserChosenPath(&path)) {
            // None: no imported icon.
            state_.ForgetImport();
            LoadNewPreviews();
            return;
        }
        // The file is read once, here: what is stored is these bytes, whatever happens to the file.
        const tl5::IconImportResult result = state_.Import(tl5::OsFileSystem(), tl5::FromWide(path));
        if (result != tl5::IconImportResult::kOk) {
            ShowMessage(Window(),
                        result == tl5::IconImportResult::kNotAnIcon ? IDS_ICON_FILE_NOT_ICON : IDS_ICON_FILE_UNREADABLE,
                        IDS_ERROR, MB_ICONEXCLAMATION);
            return;
        }
        LoadNewPreviews();
    }

    tl5::Wallet& wallet_;
    tl5::IconChoice* choice_;
    tl5::IconPickerState state_;
    std::vector<tl5::IconCell> cells_;
    std::vector<int> cellImages_;
    tl5::IconGridLayout layout_;
    int cellSize_ = 0;
    OwnedIcon currentLarge_, currentSmall_, newLarge_, newSmall_;
};

// ---- Folder properties -----------------------------------------------------------------------------

class FolderProperties : public Dialog {
public:
    FolderProperties(tl5::Wallet& wallet, tl5::FolderPropertiesRequest* request, tl5::ItemRecord* folder)
        : Dialog(IDD_FOLDER_PROPERTIES),
          wallet_(wallet),
          request_(request),
          folder_(folder),
          working_(folder ? *folder : tl5::ItemRecord()),
          view_(tl5::FolderPropertiesViewOf(*request, folder, &wallet, TextU16)) {}

private:
    bool LabelOnly() const { return request_->specialNode || !folder_; }

    DialogFrameSpec Frame() override { return {Wide(view_.title), IDI_TL_FOLDER_PROPS, IDMB_DONE_CANCEL, true, true}; }

    bool OnInit() override {
        SetWindowTextW(Item(IDC_FOLDER_NAME_LABEL), Text(IDS_FOLDER_NAME));
        SetWindowTextW(Item(IDC_FOLDER_ICON_LABEL), Text(IDS_FOLDER_ICON));
        SetWindowTextW(Item(IDC_FOLDER_FORM_LABEL), Text(IDS_DEFAULT_CARD_FORM));
        SetWindowTextW(Item(IDC_FOLDER_MAIN_LEVEL), Text(IDS_MAIN_LEVEL));
        const int labels[] = {IDC_FOLDER_NAME_LABEL, IDC_FOLDER_ICON_LABEL, IDC_FOLDER_FORM_LABEL};
        SetControlsFont(Window(), labels, 3, AppFontCache().Font(kFont85Bold));
        for (int id : {IDC_FOLDER_NAME_LABEL, IDC_FOLDER_NAME, IDC_FOLDER_ICON_LABEL, IDC_FOLDER_FORM_LABEL,
                       IDC_FOLDER_MAIN_LEVEL})
            StretchControl(Window(), id);
        const int side = ppc::Scale(22);
        SetWindowPos(Item(IDC_FOLDER_ICON), nullptr, 0, 0, side, side, SWP_NOMOVE | SWP_NOZORDER);

        HWND name = Item(IDC_FOLDER_NAME);
        SendMessageW(name, EM_LIMITTEXT, view_.maxNameChars, 0);
        SetWindowTextW(name, Wide(view_.nameText).c_str());
        SetWindowTextW(Item(IDC_FOLDER_FORM_NAME), Wide(view_.defaultFormName).c_str());
        const bool showIcon = view_.showIcon && !LabelOnly();
        const bool showForm = view_.showDefaultForm && !LabelOnly();
        for (int id : {IDC_FOLDER_ICON_LABEL, IDC_FOLDER_ICON}) ShowWindow(Item(id), showIcon ? SW_SHOW : SW_HIDE);
        for (int id : {IDC_FOLDER_FORM_LABEL, IDC_FOLDER_FORM_NAME, IDC_FOLDER_FORM_CHOOSE})
            ShowWindow(Item(id), showForm ? SW_SHOW : SW_HIDE);
        ShowWindow(Item(IDC_FOLDER_MAIN_LEVEL), view_.showLevel && !LabelOnly() ? SW_SHOW : SW_HIDE);
        SetCheck(Window(), IDC_FOLDER_MAIN_LEVEL, view_.levelTicked);
        LoadCustomIcon();

        SetFocus(name);
        SendMessageW(name, EM_SETSEL, 0, -1);
        return false;
    }

    void LoadCustomIcon() {
        custom_.Load(!LabelOnly() && working_.HasCustomIcon() ? working_.CustomIconBytes() : std::vector<uint8_t>(),
                     IconSize());
    }

    bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.CtlID != IDC_FOLDER_ICON) return false;
        const int frame = ppc::Scale((item.itemState & ODS_FOCUS) ? 2 : 1);
        FillSolid(item.hDC, item.rcItem, RGB(0, 0, 0));
        RECT inside = item.rcItem;
        InflateRect(&inside, -frame, -frame);
        FillSolid(item.hDC, inside, RGB(255, 255, 255));
        int32_t stock = -1;
        if (LabelOnly()) stock = request_->nodeIcon;
        else if (!working_.HasCustomIcon()) stock = std::max<int32_t>(working_.Icon(), 0);
        DrawIconCentred(item.hDC, item.rcItem, stock, custom_.Get(), IconSize());
        return true;
    }

    bool OnCommand(int id, int code, HWND) override {
        switch (id) {
            case IDC_FOLDER_ICON:
                if (code == BN_CLICKED && !LabelOnly()) PickIcon();
                return true;
            case IDC_FOLDER_FORM_CHOOSE:
                if (code == BN_CLICKED && !LabelOnly()) ChooseDefaultForm();
                return true;
            case IDM_DONE:
            case IDOK: Confirm(); return true;
            case IDM_CANCEL:
            case IDCANCEL: End(FALSE); return true;
            default: return false;
        }
    }

    void PickIcon() {
        tl5::IconChoice choice;
        choice.icon = working_.Icon();
        if (working_.HasCustomIcon()) choice.customBytes = working_.CustomIconBytes();
        if (!ShowIconPicker(Window(), wallet_, &choice)) return;
        if (!tl5::ApplyIconChoice(&working_, choice)) return;
        LoadCustomIcon();
        InvalidateRect(Item(IDC_FOLDER_ICON), nullptr, TRUE);
    }

    void ChooseDefaultForm() {
        tl5::FormChoice choice;
        choice.form = working_.DefaultForm();
        if (!ShowCardTypeChooser(Window(), wallet_, &choice, 0)) return;
        working_.SetDefaultForm(choice.form);
        std::u16string name;
        if (!tl5::FormName(wallet_, choice.form, &name, tl5::kFormRowNameChars)) name.clear();
        SetWindowTextW(Item(IDC_FOLDER_FORM_NAME), Wide(name).c_str());
    }

    void Confirm() {
        std::wstring text(tl5::kMaxFolderNameChars + 1, L'\0');
        const int n = GetWindowTextW(Item(IDC_FOLDER_NAME), text.data(), static_cast<int>(text.size()));
        text.resize(n > 0 ? static_cast<size_t>(n) : 0);
        const bool ticked = GetCheck(Window(), IDC_FOLDER_MAIN_LEVEL);
        if (LabelOnly()) {
            tl5::FolderPropertiesDone(request_, nullptr, tl5::FromWide(text), false);
        } else {
            tl5::FolderPropertiesDone(request_, &working_, tl5::FromWide(text), ticked);
            *folder_ = working_;
        }
        End(TRUE);
    }

    tl5::Wallet& wallet_;
    tl5::FolderPropertiesRequest* request_;
    tl5::ItemRecord* folder_;
    tl5::ItemRecord working_;  // edited here; the caller's copy changes only on "Done"
    tl5::FolderPropertiesView view_;
    OwnedIcon custom_;
};

}  // namespace

bool ShowCardTypeChooser(HWND parent, tl5::Wallet& wallet, tl5::FormChoice* choice, int titleVariant) {
    if (!choice || !wallet.IsOpen()) return false;
    CardTypeChooser dialog(wallet, choice, titleVariant);
    return RunDialog(parent, dialog) == TRUE;
}

bool ShowFolderProperties(HWND parent, tl5::Wallet& wallet, tl5::FolderPropertiesRequest* request,
                          tl5::ItemRecord* folder) {
    if (!request || (!request->specialNode && !folder)) return false;
    FolderProperties dialog(wallet, request, folder);
    return RunDialog(parent, dialog) == TRUE;
}

bool ShowIconPicker(HWND parent, tl5::Wallet& wallet, tl5::IconChoice* choice) {
    if (!choice) return false;
    IconPicker dialog(wallet, choice);
    return RunDialog(parent, dialog) == TRUE;
}

}  // namespace tl5win
