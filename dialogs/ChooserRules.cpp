#include "dialogs/ChooserRules.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "cardui/IconReader.h"
#include "model/BuiltInForm.h"
#include "model/CaseFold.h"
#include "model/ItemRecord.h"
#include "model/Md5.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/File.h"

namespace tl5 {

// ---- Card type chooser -----------------------------------------------------------------------------

uint32_t CardTypeChooserTitle(int variant) {
    return variant == 1 ? kStringChooserNewCard : kStringChooserDefaultForm;
}

std::vector<FormRow> CardTypeRows(const Wallet& wallet, const StringSource& strings) {
    std::vector<FormRow> rows;
    const int myForms = wallet.IsOpen() ? wallet.MyFormsIndex() : -1;
    if (myForms >= 0) {
        const ItemId folder = wallet.ItemAt(static_cast<size_t>(myForms)).Id();
        for (size_t k = 0; k < wallet.ItemCount(); ++k) {
            const ItemRecord& r = wallet.ItemAt(k);
            if (r.Kind() != kItemKindCard || r.IsDeleted() || !(r.Parent() == folder)) continue;
            FormRow row;
            row.form = FormId::FromItemId(r.Id());
            row.name = r.Name().substr(0, kFormRowNameChars);
            row.icon = r.HasCustomIcon() ? -1 : r.Icon();
            row.emphasised = true;
            row.recordIndex = static_cast<int>(k);
            rows.push_back(std::move(row));
        }
    }
    for (int n = 0; n < kBuiltInFormCount; ++n) {
        const BuiltInForm* f = BuiltInFormByNumber(n);
        if (!f) continue;
        FormRow row;
        row.builtIn = true;
        FormId::ForBuiltIn(n, &row.form);
        row.name = strings ? strings(f->nameString).substr(0, kFormRowNameChars) : std::u16string();
        row.icon = f->icon;
        row.builtInNumber = n;
        rows.push_back(std::move(row));
    }
    std::stable_sort(rows.begin(), rows.end(), [](const FormRow& a, const FormRow& b) {
        if (a.builtIn != b.builtIn) return !a.builtIn;
        return CompareNoCase(a.name, b.name) < 0;
    });
    return rows;
}

size_t InitialFormRow(const std::vector<FormRow>& rows, const FormId& form) {
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].form == form) return i;
    return 0;
}

bool ChoiceOfRow(const std::vector<FormRow>& rows, size_t selected, FormChoice* choice) {
    if (rows.empty() || !choice) return false;
    const FormRow& row = rows[selected < rows.size() ? selected : 0];
    choice->form = row.form;
    choice->builtIn = row.builtIn;
    choice->number = row.builtIn ? row.builtInNumber : -1;
    return true;
}

// ---- Icon picker -----------------------------------------------------------------------------------

namespace {

IconDigest DigestOf(const std::vector<uint8_t>& bytes) {
    IconDigest d{};
    Md5Digest(bytes.data(), bytes.size(), d.data());
    return d;
}

struct DigestHash {
    size_t operator()(const IconDigest& d) const {
        size_t h = 0;
        std::memcpy(&h, d.data(), sizeof h);
        return h;
    }
};

bool SameIcon(const IconChoice& a, const IconChoice& b) {
    if (a.icon != b.icon) return false;
    return a.icon != -1 || a.customBytes == b.customBytes;
}

}  // namespace

std::vector<IconCell> IconPickerCells(const Wallet& wallet) {
    std::vector<IconCell> cells;
    cells.reserve(kPickerStockIcons);
    for (int k = 0; k < kPickerStockIcons; ++k) {
        IconCell c;
        c.stockIcon = k;
        cells.push_back(c);
    }
    if (!wallet.IsOpen()) return cells;
    std::unordered_set<IconDigest, DigestHash> seen;
    for (size_t k = 0; k < wallet.ItemCount(); ++k) {
        const ItemRecord& r = wallet.ItemAt(k);
        if (r.IsDeleted() || !r.HasCustomIcon()) continue;
        auto bytes = std::make_shared<const std::vector<uint8_t>>(r.CustomIconBytes());
        if (bytes->empty()) continue;
        const IconDigest d = DigestOf(*bytes);
        if (!seen.insert(d).second) continue;
        IconCell c;
        c.custom = true;
        c.digest = d;
        c.bytes = std::move(bytes);
        cells.push_back(std::move(c));
    }
    return cells;
}

IconGridLayout LayoutIconGrid(int clientWidth, int scrollBarWidth, int cellSize, int iconCount) {
    IconGridLayout g;
    const int usable = clientWidth - scrollBarWidth;
    if (cellSize <= 0 || usable < cellSize) {
        // Too narrow for one cell: one column, as wide as there is room.
        g.columns = 1;
        g.columnWidth = g.lastColumnWidth = std::max(usable, 1);
    } else {
        g.columns = usable / cellSize;
        g.columnWidth = cellSize + (usable - g.columns * cellSize) / g.columns;
        g.lastColumnWidth = usable - (g.columns - 1) * g.columnWidth;
    }
    g.rows = iconCount <= 0 ? 0 : (iconCount + g.columns - 1) / g.columns;
    return g;
}

int IconCellAt(const IconGridLayout& g, int row, int column, int iconCount) {
    if (row < 0 || column < 0 || column >= g.columns || row >= g.rows) return -1;
    const long long n = static_cast<long long>(row) * g.columns + column;
    return n < iconCount ? static_cast<int>(n) : -1;
}

int IconColumnAt(const IconGridLayout& g, int x) {
    if (x < 0 || g.columns <= 0) return -1;
    const int c = g.columnWidth > 0 ? x / g.columnWidth : 0;
    if (c < g.columns - 1) return c;
    return x < (g.columns - 1) * g.columnWidth + g.lastColumnWidth ? g.columns - 1 : -1;
}

IconPickerState::IconPickerState(int32_t currentIcon, std::vector<uint8_t> currentBytes) {
    current_.icon = currentIcon;
    if (currentIcon == -1) current_.customBytes = std::move(currentBytes);
    new_ = current_;
}

IconPickerState::IconPickerState(const ItemRecord& record)
    : IconPickerState(record.Icon(), record.HasCustomIcon() ? record.CustomIconBytes() : std::vector<uint8_t>()) {}

void IconPickerState::SelectCell(const IconCell& cell) {
    if (cell.custom) {
        if (!cell.bytes || cell.bytes->empty()) return;
        new_.icon = -1;
        new_.customBytes = *cell.bytes;
    } else if (cell.stockIcon >= 0) {
        new_.icon = cell.stockIcon;
        new_.customBytes.clear();
    }
}

IconImportResult IconPickerState::Import(FileSystem& fs, const std::u16string& path) {
    std::vector<uint8_t> bytes;
    const IconImportResult r = ReadIconFileBytes(fs, path, &bytes);
    if (r != IconImportResult::kOk) return r;
    new_.icon = -1;
    new_.customBytes = std::move(bytes);
    return r;
}

void IconPickerState::ForgetImport() { new_ = current_; }

bool IconPickerState::Done(IconChoice* choice) const {
    if (SameIcon(new_, current_)) return false;
    if (new_.icon == -1 && new_.customBytes.empty()) return false;
    if (choice) *choice = new_;
    return true;
}

bool ApplyIconChoice(ItemRecord* record, const IconChoice& choice) {
    if (!record) return false;
    if (choice.icon == -1) return record->SetCustomIcon(choice.customBytes.data(), choice.customBytes.size());
    if (choice.icon < 0) return false;
    record->SetIcon(choice.icon);
    return true;
}

IconImportResult ReadIconFileBytes(FileSystem& fs, const std::u16string& path, std::vector<uint8_t>* bytes) {
    std::string data;
    if (path.size() <= 4 || !ReadWholeFile(fs, path, &data, kMaxIconFileSize) || data.empty())
        return IconImportResult::kCannotRead;
    const auto* p = reinterpret_cast<const uint8_t*>(data.data());
    IconReader reader;
    if (reader.Read(p, data.size(), 16, 24, true) != kIconOk || reader.Read(p, data.size(), 32, 24, true) != kIconOk)
        return IconImportResult::kNotAnIcon;
    bytes->assign(p, p + data.size());
    return IconImportResult::kOk;
}

// ---- Folder properties ----------------------------------------------------------------------------

uint32_t SpecialNodePromptId(int node) { return node >= 1 && node <= 3 ? 20199u + static_cast<uint32_t>(node) : 0; }

FolderPropertiesRequest SpecialNodePropertiesRequest(const Wallet& wallet, int node, const StringSource& strings) {
    FolderPropertiesRequest r;
    r.specialNode = true;
    r.offerMainLevel = false;
    r.node = node;
    r.promptId = SpecialNodePromptId(node);
    std::u16string label;
    int32_t icon = SpecialNodeDefaultIcon(node);
    GetNodeLabel(wallet, node, &label, &icon);
    if (label.empty() && strings) label = strings(SpecialNodeDefaultLabelId(node));
    r.label = label.substr(0, kMaxNodeLabelChars);
    r.nodeIcon = icon;
    return r;
}

FolderPropertiesView FolderPropertiesViewOf(const FolderPropertiesRequest& request, const ItemRecord* folder,
                                            const Wallet* wallet, const StringSource& strings) {
    FolderPropertiesView v;
    auto text = [&strings](uint32_t id) { return strings ? strings(id) : std::u16string(); };
    if (request.specialNode) {
        v.title = FormatText(text(kStringNodePropertiesTitle), {text(request.promptId)});
        v.nameText = request.label.substr(0, kMaxNodeLabelChars);
        v.maxNameChars = kMaxNodeLabelChars;
        v.showIcon = v.showDefaultForm = v.showLevel = false;
        return v;
    }
    if (request.newFolder) {
        v.title = text(kStringNewFolder);
        v.nameText = v.title;
    } else {
        v.title = text(kStringFolderPropertiesTitle);
        if (folder) v.nameText = folder->Name();
    }
    v.showLevel = request.offerMainLevel;
    v.levelTicked = request.offerMainLevel && request.mainLevel;
    v.showDefaultForm = wallet != nullptr;
    if (wallet && folder) {
        std::u16string name;
        if (FormName(*wallet, folder->DefaultForm(), &name, 127)) v.defaultFormName = name;
    }
    return v;
}

void FolderPropertiesDone(FolderPropertiesRequest* request, ItemRecord* folder, std::u16string_view boxText,
                          bool levelTicked) {
    if (!request) return;
    if (request->specialNode) {
        request->label = std::u16string(boxText.substr(0, kMaxNodeLabelChars));
        return;
    }
    if (folder) folder->SetName(boxText.substr(0, kMaxFolderNameChars));
    if (request->offerMainLevel) request->mainLevel = levelTicked;
}

}  // namespace tl5
