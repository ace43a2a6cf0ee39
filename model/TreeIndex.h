// The wallet's live items as a tree: the children of every folder and of the top level, each group in
// tree order (TreeOrder.h). The wallet itself keeps only a flat table whose records point to their
// parents by id; readers that walk the tree (the text export, the command-line tool, the wallet tree)
// build this index once instead of searching the table for every folder.
//
// Built in time linear in the table (plus sorting each group once): one pass finds the live folders by
// id, one counts and places every live item under its parent. The children of all parents lie in one
// array, grouped by parent. The index refers to table indexes, so it describes the table as it was
// when built; after an item is added, removed or moved, build it again.
//
// A live item is a card, folder or My Forms folder not marked deleted. A live item whose parent id is
// null is at the top level. A live item whose parent id names no live folder (missing, deleted, a
// card, or the item itself) is an orphan: it is under no parent and listed apart. Folders that name
// each other as parents form a loop out of reach of the top level; a walk from Top() and Orphans()
// that skips what it has seen never meets them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/IdHints.h"
#include "model/ItemId.h"

namespace tl5 {

class Wallet;

class TreeIndex {
public:
    TreeIndex() = default;

    // Indexes the wallet's table. False when memory runs out; the index is then empty.
    [[nodiscard]] bool Build(const Wallet& wallet);
    void Clear();

    // The number of table entries the index was built for.
    size_t TableSize() const { return parent_.size(); }

    // Live items at the top level, in tree order.
    std::span<const uint32_t> Top() const { return Group(0); }
    // The live children of a live folder or My Forms folder, in tree order; empty for any other index.
    std::span<const uint32_t> Children(uint32_t index) const {
        return index < parent_.size() ? Group(static_cast<size_t>(index) + 1) : std::span<const uint32_t>();
    }
    // The children of the item with this id (the top level for the null id); empty when no live folder
    // has the id.
    std::span<const uint32_t> ChildrenOf(const ItemId& parent) const;
    // Live items whose parent is not a live folder, in table order.
    std::span<const uint32_t> Orphans() const { return orphans_; }

    // The table index of the live folder or My Forms folder with the id (the first in the table), or -1.
    int FolderIndexOf(const ItemId& id) const;
    // The table index of the folder an item is listed under; -1 at the top level, for an orphan, for a
    // deleted item and out of range.
    int Parent(uint32_t index) const { return index < parent_.size() ? parent_[index] : -1; }
    bool IsLive(uint32_t index) const { return index < live_.size() && live_[index]; }
    bool IsOrphan(uint32_t index) const { return IsLive(index) && parent_[index] < 0 && !top_[index]; }

private:
    // Group 0 is the top level, group i + 1 the children of table entry i.
    std::span<const uint32_t> Group(size_t group) const {
        if (group + 1 >= start_.size()) return {};
        return std::span<const uint32_t>(children_.data() + start_[group], start_[group + 1] - start_[group]);
    }

    std::vector<int32_t> parent_;     // per table entry: its folder's index, or -1
    std::vector<bool> live_;          // per table entry
    std::vector<bool> top_;           // per table entry: live with a null parent id
    std::vector<uint32_t> start_;     // per group, and one past the last: where its children begin
    std::vector<uint32_t> children_;  // every group's children, group after group
    std::vector<uint32_t> orphans_;
    IdHints<uint32_t> folders_;  // live folders by id
};

}  // namespace tl5
