#include "model/TreeOrder.h"

#include <algorithm>
#include <numeric>

#include "model/CaseFold.h"
#include "model/Wallet.h"

namespace tl5 {

int CompareTreeOrder(const TreeOrderKey& a, const TreeOrderKey& b) {
    if (a.rank != b.rank) return a.rank < b.rank ? -1 : 1;
    if (a.rank != kRankCard && a.rank != kRankFolder) return 0;
    return CompareNoCase(std::u16string_view(a.name).substr(0, kTreeOrderNameChars),
                         std::u16string_view(b.name).substr(0, kTreeOrderNameChars));
}

int TreeRankOf(const Wallet& wallet, uint32_t treeIndex) {
    if (treeIndex == kTreeIndexFindResults) return kRankFindResults;
    if (treeIndex == kTreeIndexFavorites) return kRankFavorites;
    if (treeIndex >= wallet.ItemCount()) return kRankOther;
    switch (wallet.ItemAt(treeIndex).Kind()) {
        case kItemKindCard: return kRankCard;
        case kItemKindFolder: return kRankFolder;
        case kItemKindMyForms: return kRankMyForms;
        default: return kRankOther;
    }
}

TreeOrderKey TreeOrderKeyOf(const Wallet& wallet, uint32_t treeIndex) {
    TreeOrderKey key;
    key.rank = TreeRankOf(wallet, treeIndex);
    if (key.rank == kRankCard || key.rank == kRankFolder) {
        key.name = wallet.ItemAt(treeIndex).Name();
        if (key.name.size() > kTreeOrderNameChars) key.name.resize(kTreeOrderNameChars);
    }
    return key;
}

int CompareTreeIndexes(const Wallet& wallet, uint32_t a, uint32_t b) {
    return CompareTreeOrder(TreeOrderKeyOf(wallet, a), TreeOrderKeyOf(wallet, b));
}

void SortByTreeOrder(const Wallet& wallet, std::vector<uint32_t>* treeIndexes) {
    std::vector<TreeOrderKey> keys;
    keys.reserve(treeIndexes->size());
    for (uint32_t index : *treeIndexes) keys.push_back(TreeOrderKeyOf(wallet, index));
    std::vector<size_t> order(treeIndexes->size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t x, size_t y) { return CompareTreeOrder(keys[x], keys[y]) < 0; });
    std::vector<uint32_t> sorted;
    sorted.reserve(order.size());
    for (size_t i : order) sorted.push_back((*treeIndexes)[i]);
    *treeIndexes = std::move(sorted);
}

}  // namespace tl5
