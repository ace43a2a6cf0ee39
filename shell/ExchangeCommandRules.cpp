#include "shell/ExchangeCommandRules.h"

#include "exchange/ExportRequest.h"
#include "model/ItemRecord.h"
#include "model/Wallet.h"

namespace tl5 {

int ExportContextOf(const SelectionState& selection) {
    if (selection.role == NodeRole::kNothing) return kExportContextNothing;
    return IsCardRole(selection.role) ? kExportContextCard : kExportContextOther;
}

namespace {

const ItemRecord* LiveRecord(const Wallet& wallet, const SelectionState& selection) {
    const uint32_t index = selection.node.treeIndex;
    if (selection.node.IsNothing() || index >= wallet.ItemCount()) return nullptr;
    const ItemRecord& record = wallet.ItemAt(index);
    return record.IsDeleted() ? nullptr : &record;
}

}  // namespace

int ExportCardIndex(const Wallet& wallet, const SelectionState& selection) {
    if (!IsCardRole(selection.role)) return -1;
    const ItemRecord* record = LiveRecord(wallet, selection);
    if (record == nullptr || record->Kind() != kItemKindCard) return -1;
    return static_cast<int>(selection.node.treeIndex);
}

int ExportFolderIndex(const Wallet& wallet, const SelectionState& selection) {
    if (selection.role != NodeRole::kFolder && selection.role != NodeRole::kMyForms) return -1;
    const ItemRecord* record = LiveRecord(wallet, selection);
    if (record == nullptr || !record->IsFolderLike()) return -1;
    return static_cast<int>(selection.node.treeIndex);
}

ImportRoute ImportRouteFor(const SelectionState& selection) {
    return selection.role == NodeRole::kMyForms || selection.role == NodeRole::kFormCard ? ImportRoute::kFormFile
                                                                                         : ImportRoute::kTextFile;
}

}  // namespace tl5
