#include "model/TreeIndex.h"

#include <algorithm>
#include <new>

#include "model/TreeOrder.h"
#include "model/Wallet.h"

namespace tl5 {

namespace {

bool IsLiveRecord(const ItemRecord& r) { return r.Kind() != kItemKindNone && !r.IsDeleted(); }

}  // namespace

bool TreeIndex::Build(const Wallet& wallet) {
    Clear();
    const size_t n = wallet.ItemCount();
    if (n >= UINT32_MAX) return false;
    try {
        parent_.assign(n, -1);
        live_.assign(n, false);
        top_.assign(n, false);
        if (!folders_.Reserve(n)) throw std::bad_alloc();
        for (size_t i = 0; i < n; ++i) {
            const ItemRecord& r = wallet.ItemAt(i);
            if (!IsLiveRecord(r)) continue;
            live_[i] = true;
            if (r.IsFolderLike() && !folders_.Add(r.Id(), static_cast<uint32_t>(i))) throw std::bad_alloc();
        }
        // Each live item's group: 0 for the top level, its folder's index + 1, or none for an orphan.
        // start_ first counts the members of each group, then becomes where each group begins.
        start_.assign(n + 2, 0);
        for (size_t i = 0; i < n; ++i) {
            if (!live_[i]) continue;
            const ItemRecord& r = wallet.ItemAt(i);
            if (r.Parent().IsNull()) {
                top_[i] = true;
                ++start_[1];
                continue;
            }
            const uint32_t* folder = folders_.Find(r.Parent());
            if (folder == nullptr || *folder == i) {
                orphans_.push_back(static_cast<uint32_t>(i));
                continue;
            }
            parent_[i] = static_cast<int32_t>(*folder);
            ++start_[*folder + 2];
        }
        for (size_t g = 1; g < start_.size(); ++g) start_[g] += start_[g - 1];
        // Place the members, advancing a cursor per group.
        children_.assign(start_.back(), 0);
        std::vector<uint32_t> next(start_.begin(), start_.end() - 1);
        for (size_t i = 0; i < n; ++i) {
            if (top_[i]) {
                children_[next[0]++] = static_cast<uint32_t>(i);
            } else if (parent_[i] >= 0) {
                children_[next[static_cast<size_t>(parent_[i]) + 1]++] = static_cast<uint32_t>(i);
            }
        }
        // Each group sorted once.
        std::vector<uint32_t> group;
        for (size_t g = 0; g + 1 < start_.size(); ++g) {
            const uint32_t from = start_[g], to = start_[g + 1];
            if (to - from < 2) continue;
            group.assign(children_.begin() + from, children_.begin() + to);
            SortByTreeOrder(wallet, &group);
            std::copy(group.begin(), group.end(), children_.begin() + from);
        }
    } catch (const std::bad_alloc&) {
        Clear();
        return false;
    }
    return true;
}

void TreeIndex::Clear() {
    std::vector<int32_t>().swap(parent_);
    std::vector<bool>().swap(live_);
    std::vector<bool>().swap(top_);
    std::vector<uint32_t>().swap(start_);
    std::vector<uint32_t>().swap(children_);
    std::vector<uint32_t>().swap(orphans_);
    folders_.Clear();
}

std::span<const uint32_t> TreeIndex::ChildrenOf(const ItemId& parent) const {
    if (parent.IsNull()) return Top();
    const uint32_t* folder = folders_.Find(parent);
    return folder ? Children(*folder) : std::span<const uint32_t>();
}

int TreeIndex::FolderIndexOf(const ItemId& id) const {
    const uint32_t* folder = folders_.Find(id);
    return folder ? static_cast<int>(*folder) : -1;
}

}  // namespace tl5
