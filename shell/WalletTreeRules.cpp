#include "shell/WalletTreeRules.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "model/Card.h"
#include "model/ItemRecord.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "resources/resource.h"
#include "cardui/Settings.h"

namespace tl5 {

namespace {

constexpr int kStockIcons = 144;
constexpr size_t kMaxNodeLabel = 63;

struct IdHash {
    size_t operator()(const ItemId& id) const {
        uint64_t a = 0, b = 0;
        std::memcpy(&a, id.bytes, 8);
        std::memcpy(&b, id.bytes + 8, 8);
        return static_cast<size_t>(a * 0x9E3779B97F4A7C15ull ^ b);
    }
};

bool LiveAt(const Wallet& wallet, uint32_t index) {
    return index < wallet.ItemCount() && !wallet.ItemAt(index).IsDeleted() &&
           wallet.ItemAt(index).Kind() != kItemKindNone;
}

bool IsLiveCard(const Wallet& wallet, int index) {
    return index >= 0 && LiveAt(wallet, static_cast<uint32_t>(index)) &&
           wallet.ItemAt(static_cast<size_t>(index)).Kind() == kItemKindCard;
}

// The live folder or My Forms folder with the id (not `self`), or -1.
int FolderIndexOfId(const Wallet& wallet, const ItemId& id, int self) {
    if (id.IsNull()) return -1;
    const int i = wallet.IndexOf(id);
    if (i >= 0 && i != self && LiveAt(wallet, static_cast<uint32_t>(i)) && wallet.ItemAt(static_cast<size_t>(i)).IsFolderLike())
        return i;
    // IndexOf gives the first entry with the id; a live folder may come later.
    for (size_t k = 0; k < wallet.ItemCount(); ++k) {
        const ItemRecord& r = wallet.ItemAt(k);
        if (static_cast<int>(k) != self && r.IsFolderLike() && !r.IsDeleted() && r.Id() == id) return static_cast<int>(k);
    }
    return -1;
}

// The find results and the search text; the accessors of the wallet are not const, reading them is.
const std::vector<int>& FindResultsOf(const Wallet& wallet) { return const_cast<Wallet&>(wallet).FindResults(); }
const std::u16string& FindTextOf(const Wallet& wallet) { return const_cast<Wallet&>(wallet).FindText(); }

// Parent links of the whole table, built once: the folder index of each live record's parent, -1 at the
// top level, -2 when the record is not shown (deleted, or its folder is missing).
std::vector<int> ParentLinks(const Wallet& wallet) {
    const size_t n = wallet.ItemCount();
    std::unordered_map<ItemId, int, IdHash> folders;
    folders.reserve(n / 4 + 8);
    for (size_t k = 0; k < n; ++k) {
        const ItemRecord& r = wallet.ItemAt(k);
        if (r.IsFolderLike() && !r.IsDeleted()) folders.emplace(r.Id(), static_cast<int>(k));
    }
    std::vector<int> parent(n, -2);
    for (size_t k = 0; k < n; ++k) {
        const ItemRecord& r = wallet.ItemAt(k);
        if (r.IsDeleted() || r.Kind() == kItemKindNone) continue;
        const ItemId p = r.Parent();
        if (p.IsNull()) {
            parent[k] = -1;
            continue;
        }
        auto it = folders.find(p);
        if (it != folders.end() && it->second != static_cast<int>(k)) parent[k] = it->second;
    }
    return parent;
}

// Children of every record in one flat array: children of record k are at [start[k], start[k + 1]).
struct ChildLists {
    std::vector<uint32_t> start;
    std::vector<uint32_t> items;
};

ChildLists BuildChildLists(const std::vector<int>& parent) {
    ChildLists lists;
    const size_t n = parent.size();
    lists.start.assign(n + 1, 0);
    for (size_t k = 0; k < n; ++k)
        if (parent[k] >= 0) ++lists.start[static_cast<size_t>(parent[k]) + 1];
    for (size_t k = 0; k < n; ++k) lists.start[k + 1] += lists.start[k];
    lists.items.resize(lists.start[n]);
    std::vector<uint32_t> fill(lists.start.begin(), lists.start.end() - 1);
    for (size_t k = 0; k < n; ++k)
        if (parent[k] >= 0) lists.items[fill[static_cast<size_t>(parent[k])]++] = static_cast<uint32_t>(k);
    return lists;
}

TreeFillNode RecordNode(const Wallet& wallet, uint32_t index, int parentPos, NodeRole role, bool overlay) {
    const ItemRecord& r = wallet.ItemAt(index);
    TreeFillNode node;
    node.treeIndex = index;
    node.parent = parentPos;
    node.role = role;
    node.text = r.Name();
    // A custom icon without its data, or a number outside the stock icons, is shown as stock icon 0,
    // as the record is stored.
    const int32_t icon = r.Icon();
    node.icon = r.HasCustomIcon() ? -1 : (icon >= 0 && icon < kStockIcons ? icon : 0);
    node.overlay = overlay;
    node.colour = ColourOfRole(role);
    return node;
}

int SpecialNodeOf(uint32_t treeIndex) {
    return treeIndex == kTreeIndexFavorites ? 1 : treeIndex == kTreeIndexFindResults ? 2
         : treeIndex == kTreeIndexThirdNode ? 3 : 0;
}

// Appends a special node and its (sorted) children to the plan.
void AppendSpecialNode(const Wallet& wallet, uint32_t treeIndex, std::vector<uint32_t> children,
                       const StringSource& strings, std::vector<TreeFillNode>* plan) {
    const int node = SpecialNodeOf(treeIndex);
    TreeFillNode head;
    head.treeIndex = treeIndex;
    head.role = node == 1 ? NodeRole::kFavoritesNode : node == 2 ? NodeRole::kFindResultsNode : NodeRole::kThirdNode;
    head.text = SpecialNodeLabel(wallet, node, strings);
    if (node == 2) head.text = FindResultsNodeText(head.text, FindTextOf(wallet));
    head.icon = SpecialNodeIcon(wallet, node);
    head.hasChildren = true;
    head.colour = ItemColour::kSpecial;
    const int headPos = static_cast<int>(plan->size());
    plan->push_back(std::move(head));
    SortByTreeOrder(wallet, &children);
    const NodeRole childRole = node == 1 ? NodeRole::kFavoritesChild : node == 2 ? NodeRole::kFindResultsChild
                                                                                 : NodeRole::kThirdChild;
    for (uint32_t c : children) plan->push_back(RecordNode(wallet, c, headPos, childRole, true));
}

std::vector<uint32_t> FavoriteCards(const Wallet& wallet) {
    std::vector<uint32_t> cards;
    const int n = FavoriteCount(wallet);
    for (int i = 0; i < n; ++i) {
        const ItemId id = FavoriteAt(wallet, i);
        int index = wallet.IndexOf(id);
        if (!IsLiveCard(wallet, index)) {
            index = -1;
            for (size_t k = 0; k < wallet.ItemCount() && index < 0; ++k)
                if (IsLiveCard(wallet, static_cast<int>(k)) && wallet.ItemAt(k).Id() == id) index = static_cast<int>(k);
        }
        if (index >= 0 && std::find(cards.begin(), cards.end(), static_cast<uint32_t>(index)) == cards.end())
            cards.push_back(static_cast<uint32_t>(index));
    }
    return cards;
}

std::vector<uint32_t> FindResultCards(const Wallet& wallet) {
    std::vector<uint32_t> cards;
    for (int index : FindResultsOf(wallet))
        if (IsLiveCard(wallet, index) && std::find(cards.begin(), cards.end(), static_cast<uint32_t>(index)) == cards.end())
            cards.push_back(static_cast<uint32_t>(index));
    return cards;
}

NodeRole RoleOfKinds(int kind, int parentKind) {
    switch (kind) {
        case kNodeFolder: return NodeRole::kFolder;
        case kNodeMyForms: return NodeRole::kMyForms;
        case kNodeFavorites: return NodeRole::kFavoritesNode;
        case kNodeFindResults: return NodeRole::kFindResultsNode;
        case kNodeThird: return NodeRole::kThirdNode;
        case kNodeCard:
            switch (parentKind) {
                case kNodeFavorites: return NodeRole::kFavoritesChild;
                case kNodeFindResults: return NodeRole::kFindResultsChild;
                case kNodeThird: return NodeRole::kThirdChild;
                case kNodeMyForms: return NodeRole::kFormCard;
                case kNodeFolder: return NodeRole::kCard;
                default: return NodeRole::kTopLevelCard;
            }
        default: return NodeRole::kNothing;
    }
}

}  // namespace

// ---- Nodes ---------------------------------------------------------------------------------------------

int NodeKindOf(const Wallet& wallet, uint32_t treeIndex) {
    if (treeIndex == kTreeNoItem) return kNodeNothing;
    if (SpecialNodeOf(treeIndex) != 0) return KindOfIndex(wallet, treeIndex);
    if (!LiveAt(wallet, treeIndex)) return kNodeNothing;
    return KindOfIndex(wallet, treeIndex);
}

NodeRole RoleOf(const Wallet& wallet, TreeNode node) {
    return RoleOfKinds(NodeKindOf(wallet, node.treeIndex), NodeKindOf(wallet, node.parentIndex));
}

bool IsSpecialNodeRole(NodeRole role) {
    return role == NodeRole::kFavoritesNode || role == NodeRole::kFindResultsNode || role == NodeRole::kThirdNode;
}

bool IsSpecialChildRole(NodeRole role) {
    return role == NodeRole::kFavoritesChild || role == NodeRole::kFindResultsChild || role == NodeRole::kThirdChild;
}

bool IsCardRole(NodeRole role) {
    return role == NodeRole::kCard || role == NodeRole::kTopLevelCard || role == NodeRole::kFormCard ||
           IsSpecialChildRole(role);
}

// ---- Command flags -----------------------------------------------------------------------------------

uint32_t CommandFlags(int kind, int parentKind, int clipboardKind) {
    const int q = clipboardKind;
    switch (kind) {
        case kNodeNothing: return 0x0082;
        case kNodeFavorites: return 0x0582 | (q == kNodeCard ? uint32_t(kFlagPaste) : 0u);
        case kNodeFindResults:
        case kNodeThird: return 0x0582;
        case kNodeFolder: return (q == kNodeCard || q == kNodeFolder) ? 0x14EB : 0x14CB;
        case kNodeMyForms:
            // No New Folder: a folder never goes inside My Forms.
            return (q == kNodeCard ? 0x04A3 : 0x0483) & ~static_cast<uint32_t>(kFlagNewFolder);
        case kNodeCard: {
            const int p = parentKind;
            const bool underSpecial = p == kNodeFavorites || p == kNodeFindResults || p == kNodeThird;
            uint32_t flags = underSpecial ? 0x0C82 : 0x0482;
            if (p == kNodeFolder) {
                flags |= 0x125F;
            } else if (p == kNodeFavorites) {
                flags |= 0x0210;
            } else if (p == kNodeMyForms) {
                flags |= 0x1051;
                flags &= ~static_cast<uint32_t>(kFlagNewFolder);
            } else {
                flags |= 0x0204;
                // A card without a folder is still a card: cut, copy, drag and delete it like any other.
                if (!underSpecial) flags |= kFlagCut | kFlagCopy | kFlagDelete | kFlagDrag;
            }
            if ((q == kNodeCard && (p == kNodeFolder || p == kNodeMyForms || p == kNodeFavorites)) ||
                (q == kNodeFolder && p == kNodeFolder))
                flags |= kFlagPaste;
            return flags;
        }
        default: return 0x0082;
    }
}

// ---- Clipboard and selection ---------------------------------------------------------------------------

TreeClipboard ClipboardFor(const Wallet& wallet, TreeNode node, int mode, uint64_t generation) {
    TreeClipboard clip;
    if (mode == kClipEmpty || node.IsNothing() || !LiveAt(wallet, node.treeIndex)) return clip;
    clip.mode = mode;
    clip.node = node;
    clip.id = wallet.ItemAt(node.treeIndex).Id();
    clip.generation = generation;
    return clip;
}

bool ClipboardValid(const Wallet& wallet, const TreeClipboard& clip, uint64_t generation) {
    return clip.mode != kClipEmpty && clip.generation == generation && LiveAt(wallet, clip.node.treeIndex) &&
           wallet.ItemAt(clip.node.treeIndex).Id() == clip.id;
}

int ClipboardKind(const Wallet& wallet, const TreeClipboard& clip, uint64_t generation) {
    if (!ClipboardValid(wallet, clip, generation)) return kNodeNothing;
    return NodeKindOf(wallet, clip.node.treeIndex);
}

SelectionState DescribeSelection(const Wallet& wallet, TreeNode node, const TreeClipboard& clip, uint64_t generation) {
    SelectionState s;
    s.node = node;
    s.kind = NodeKindOf(wallet, node.treeIndex);
    if (s.kind == kNodeNothing) s.node = TreeNode();
    s.parentKind = s.kind == kNodeNothing ? kNodeNothing : NodeKindOf(wallet, node.parentIndex);
    s.role = RoleOfKinds(s.kind, s.parentKind);
    s.clipboardKind = ClipboardKind(wallet, clip, generation);
    s.clipboardMode = s.clipboardKind == kNodeNothing ? kClipEmpty : clip.mode;
    s.flags = CommandFlags(s.kind, s.parentKind, s.clipboardKind);
    return s;
}

DeleteKind DeleteKindOf(uint32_t flags) {
    if (flags & kFlagRemove) return DeleteKind::kRemove;
    if (flags & kFlagClear) return DeleteKind::kClear;
    if (flags & kFlagDelete) return DeleteKind::kDelete;
    return DeleteKind::kNone;
}

uint32_t DeleteCaptionId(uint32_t flags) {
    if (flags & kFlagRemove) return kStringRemove;
    if (flags & kFlagClear) return kStringClear;
    return kStringDelete;
}

bool CanStartRename(NodeRole role) { return role != NodeRole::kNothing && !IsSpecialChildRole(role); }

NodeAbilities AbilitiesOf(const SelectionState& s) {
    NodeAbilities a;
    const uint32_t f = s.flags;
    a.rename = CanStartRename(s.role);
    a.cut = f & kFlagCut;
    a.copy = f & kFlagCopy;
    a.paste = f & kFlagPaste;
    a.deletion = s.role == NodeRole::kNothing ? DeleteKind::kNone : DeleteKindOf(f);
    a.open = IsCardRole(s.role);
    a.toggle = s.role != NodeRole::kNothing && !a.open;
    a.properties = s.role != NodeRole::kNothing;
    a.addFavorite = f & kFlagAddFavorite;
    a.saveToMyForms = f & kFlagSaveToMyForms;
    a.drag = f & kFlagDrag;
    a.newCard = f & kFlagNewCard;
    a.newFolder = f & kFlagNewFolder;
    a.exportItems = f & kFlagExport;
    return a;
}

uint32_t PopupMenuFor(NodeRole role) {
    switch (role) {
        case NodeRole::kNothing: return IDM_TREE_NOTHING;
        case NodeRole::kFavoritesNode: return IDM_TREE_FAVORITES_NODE;
        case NodeRole::kFavoritesChild: return IDM_TREE_FAVORITES_CHILD;
        case NodeRole::kFindResultsNode: return IDM_TREE_FIND_NODE;
        case NodeRole::kFindResultsChild: return IDM_TREE_FIND_CHILD;
        case NodeRole::kFormCard: return IDM_TREE_MY_FORMS_CARD;
        case NodeRole::kMyForms: return IDM_TREE_MY_FORMS;
        case NodeRole::kFolder: return IDM_TREE_FOLDER;
        default: return IDM_TREE_CARD;  // cards, the third node and its cards
    }
}

// ---- Fill --------------------------------------------------------------------------------------------

std::u16string SpecialNodeLabel(const Wallet& wallet, int node, const StringSource& strings) {
    std::u16string label;
    int32_t icon = 0;
    if (GetNodeLabel(wallet, node, &label, &icon) && !label.empty()) return label;
    return strings ? strings(SpecialNodeDefaultLabelId(node)) : std::u16string();
}

int32_t SpecialNodeIcon(const Wallet& wallet, int node) {
    std::u16string label;
    int32_t icon = 0;
    if (!GetNodeLabel(wallet, node, &label, &icon) || icon < 0 || icon >= kStockIcons) return SpecialNodeDefaultIcon(node);
    return icon;
}

std::u16string FindResultsNodeText(std::u16string_view label, std::u16string_view findText) {
    std::u16string text(label);
    if (!findText.empty()) {
        text += u" - '";
        text += findText;
        text += u"'";
    }
    return text;
}

std::u16string NodeLabelFromEdit(std::u16string_view edited, std::u16string_view findText) {
    std::u16string label(edited);
    if (!findText.empty()) {
        const std::u16string suffix = FindResultsNodeText(u"", findText);
        // Drop the suffix as often as it was appended (a label stored with it by an older version).
        while (label.size() >= suffix.size() && label.compare(label.size() - suffix.size(), suffix.size(), suffix) == 0)
            label.resize(label.size() - suffix.size());
    }
    if (label.size() > kMaxNodeLabel) label.resize(kMaxNodeLabel);
    return label;
}

int StockImageOf(int32_t icon) { return icon >= 0 && icon < kStockIcons ? icon + 4 : -1; }

ItemColour ColourOfRole(NodeRole role) {
    if (IsCardRole(role)) return ItemColour::kCard;
    if (role == NodeRole::kFolder) return ItemColour::kFolder;
    if (role == NodeRole::kMyForms) return ItemColour::kMyForms;
    return ItemColour::kSpecial;
}

uint32_t ItemColourValue(const Wallet& wallet, const Settings& settings, ItemColour colour) {
    switch (colour) {
        case ItemColour::kCard: return wallet.Settings().CardColour();
        case ItemColour::kFolder: return wallet.Settings().FolderColour();
        case ItemColour::kMyForms: return settings.colorFolderForms;
        default: return settings.colorFolderSpecial;
    }
}

std::vector<uint32_t> SortedTreeIndexes(const Wallet& wallet, std::vector<uint32_t> indexes) {
    SortByTreeOrder(wallet, &indexes);
    return indexes;
}

TreeFillNode NodeOf(const Wallet& wallet, TreeNode node, const StringSource& strings) {
    const NodeRole role = RoleOf(wallet, node);
    if (role == NodeRole::kNothing) return TreeFillNode();
    const int special = SpecialNodeOf(node.treeIndex);
    if (special == 0) return RecordNode(wallet, node.treeIndex, -1, role, IsSpecialChildRole(role));
    TreeFillNode n;
    n.treeIndex = node.treeIndex;
    n.role = role;
    n.text = SpecialNodeLabel(wallet, special, strings);
    if (special == 2) n.text = FindResultsNodeText(n.text, FindTextOf(wallet));
    n.icon = SpecialNodeIcon(wallet, special);
    n.hasChildren = true;
    return n;
}

int ShownParentOf(const Wallet& wallet, int index) {
    if (index < 0 || !LiveAt(wallet, static_cast<uint32_t>(index))) return -2;
    const ItemId parent = wallet.ItemAt(static_cast<size_t>(index)).Parent();
    if (parent.IsNull()) return -1;
    const int folder = FolderIndexOfId(wallet, parent, index);
    return folder < 0 ? -2 : folder;
}

std::vector<TreeFillNode> FavoritesNodePlan(const Wallet& wallet, const StringSource& strings) {
    std::vector<TreeFillNode> plan;
    if (!wallet.IsOpen() || FavoriteCount(wallet) == 0) return plan;
    AppendSpecialNode(wallet, kTreeIndexFavorites, FavoriteCards(wallet), strings, &plan);
    return plan;
}

std::vector<TreeFillNode> FindResultsNodePlan(const Wallet& wallet, const StringSource& strings) {
    std::vector<TreeFillNode> plan;
    if (!wallet.IsOpen() || FindResultsOf(wallet).empty()) return plan;
    AppendSpecialNode(wallet, kTreeIndexFindResults, FindResultCards(wallet), strings, &plan);
    return plan;
}

std::vector<TreeInsertStep> TreeInsertOrder(const std::vector<TreeFillNode>& plan) {
    const size_t n = plan.size();
    std::vector<uint8_t> hasChild(n, 0), leading(n, 0);
    for (const TreeFillNode& node : plan)
        if (node.parent >= 0 && static_cast<size_t>(node.parent) < n) hasChild[static_cast<size_t>(node.parent)] = 1;
    // Per parent: still in its run of leading leaves.
    std::vector<uint8_t> inRun(n, 1);
    for (size_t i = 0; i < n; ++i) {
        const int parent = plan[i].parent;
        if (parent < 0 || static_cast<size_t>(parent) >= n || static_cast<size_t>(parent) >= i) continue;
        uint8_t& run = inRun[static_cast<size_t>(parent)];
        if (run && !hasChild[i]) {
            leading[i] = 1;
        } else {
            run = 0;
        }
    }
    std::vector<TreeInsertStep> steps;
    steps.reserve(n);
    for (size_t i = 0; i < n; ++i)
        if (!leading[i]) steps.push_back({static_cast<int>(i), false});
    for (size_t i = n; i-- > 0;)
        if (leading[i]) steps.push_back({static_cast<int>(i), true});
    return steps;
}

std::vector<TreeFillNode> BuildFillPlan(const Wallet& wallet, const StringSource& strings) {
    std::vector<TreeFillNode> plan;
    if (!wallet.IsOpen()) return plan;
    const std::vector<int> parent = ParentLinks(wallet);
    ChildLists lists = BuildChildLists(parent);
    plan.reserve(wallet.ItemCount() + 2 * kMaxFindResults + 2);

    std::vector<uint32_t> roots;
    for (size_t k = 0; k < parent.size(); ++k)
        if (parent[k] == -1) roots.push_back(static_cast<uint32_t>(k));
    if (!FindResultsOf(wallet).empty()) roots.push_back(kTreeIndexFindResults);
    if (FavoriteCount(wallet) > 0) roots.push_back(kTreeIndexFavorites);
    SortByTreeOrder(wallet, &roots);

    // Each folder's children sorted once, in place in the flat array.
    std::vector<uint32_t> group;
    for (size_t k = 0; k + 1 < lists.start.size(); ++k) {
        const uint32_t b = lists.start[k], e = lists.start[k + 1];
        if (e - b < 2) continue;
        group.assign(lists.items.begin() + b, lists.items.begin() + e);
        SortByTreeOrder(wallet, &group);
        std::copy(group.begin(), group.end(), lists.items.begin() + b);
    }

    // Pre-order walk with an explicit stack: (tree index, position of the parent in the plan).
    std::vector<std::pair<uint32_t, int>> stack;
    for (auto it = roots.rbegin(); it != roots.rend(); ++it) stack.emplace_back(*it, -1);
    while (!stack.empty()) {
        const auto [index, parentPos] = stack.back();
        stack.pop_back();
        if (SpecialNodeOf(index) != 0) {
            AppendSpecialNode(wallet, index, index == kTreeIndexFavorites ? FavoriteCards(wallet) : FindResultCards(wallet),
                              strings, &plan);
            continue;
        }
        const int parentKind = parentPos < 0 ? kNodeNothing : NodeKindOf(wallet, plan[static_cast<size_t>(parentPos)].treeIndex);
        const int pos = static_cast<int>(plan.size());
        plan.push_back(RecordNode(wallet, index, parentPos, RoleOfKinds(NodeKindOf(wallet, index), parentKind), false));
        const uint32_t b = lists.start[index], e = lists.start[index + 1];
        plan.back().hasChildren = e > b;
        for (uint32_t c = e; c > b; --c) stack.emplace_back(lists.items[c - 1], pos);
    }
    return plan;
}

// ---- Paste and drop ----------------------------------------------------------------------------------

bool IsInsideFolder(const Wallet& wallet, int index, int folder) {
    if (index < 0 || folder < 0) return false;
    int at = index;
    for (size_t hops = 0; hops <= wallet.ItemCount() && at >= 0; ++hops) {
        if (at == folder) return true;
        at = FolderIndexOfId(wallet, wallet.ItemAt(static_cast<size_t>(at)).Parent(), at);
    }
    return false;
}

namespace {

// The tree index of the destination of a paste or drop on the node: the folder-like node itself,
// Favorites, or the folder of a card shown in a folder, in My Forms or under Favorites.
uint32_t DestinationOf(NodeRole role, TreeNode node) {
    switch (role) {
        case NodeRole::kFolder:
        case NodeRole::kMyForms: return node.treeIndex;
        case NodeRole::kFavoritesNode:
        case NodeRole::kFavoritesChild: return kTreeIndexFavorites;
        case NodeRole::kCard:
        case NodeRole::kFormCard: return node.parentIndex;
        default: return kTreeNoItem;
    }
}

TransferPlan Refused(TransferResult result) {
    TransferPlan plan;
    plan.result = result;
    return plan;
}

// The rules shared by paste and drop, once the node-level checks are done.
TransferPlan PlanTransfer(const Wallet& wallet, TreeNode target, uint32_t source, int mode) {
    const int sourceKind = NodeKindOf(wallet, source);
    if (sourceKind != kNodeCard && sourceKind != kNodeFolder) return Refused(TransferResult::kRefused);
    const NodeRole targetRole = RoleOf(wallet, target);
    const uint32_t d = DestinationOf(targetRole, target);
    const int destKind = d == kTreeNoItem ? kNodeNothing : NodeKindOf(wallet, d);
    // A folder never goes into My Forms or Favorites: the user is told so before any other test.
    if (sourceKind == kNodeFolder && (destKind == kNodeMyForms || destKind == kNodeFavorites))
        return Refused(TransferResult::kFolderRefused);
    const int targetKind = NodeKindOf(wallet, target.treeIndex);
    const uint32_t flags = CommandFlags(targetKind, NodeKindOf(wallet, target.parentIndex), sourceKind);
    if (!(flags & kFlagPaste) || destKind == kNodeNothing) return Refused(TransferResult::kRefused);

    TransferPlan plan;
    plan.source = static_cast<int>(source);
    plan.destination = d;
    plan.result = TransferResult::kOk;
    if (destKind == kNodeFavorites) {
        if (sourceKind != kNodeCard) return Refused(TransferResult::kFolderRefused);
        plan.action = TransferAction::kAddFavorite;
        return plan;
    }
    if (mode == kClipCopy) {
        if (sourceKind != kNodeCard) return Refused(TransferResult::kRefused);  // folders are never copied
        plan.action = TransferAction::kCopyCard;
        return plan;
    }
    if (mode == kClipDrag && destKind == kNodeMyForms) {
        plan.action = TransferAction::kSaveToMyForms;
        return plan;
    }
    if (d == source) return Refused(TransferResult::kBeep);
    if (sourceKind == kNodeFolder && IsInsideFolder(wallet, static_cast<int>(d), static_cast<int>(source)))
        return Refused(TransferResult::kBeep);
    if (FolderIndexOfId(wallet, wallet.ItemAt(source).Parent(), static_cast<int>(source)) == static_cast<int>(d))
        return Refused(TransferResult::kRefused);  // already there
    plan.action = TransferAction::kMove;
    return plan;
}

}  // namespace

TransferPlan PlanPaste(const Wallet& wallet, TreeNode target, const TreeClipboard& clip, uint64_t generation) {
    if (!ClipboardValid(wallet, clip, generation) || target.IsNothing()) return Refused(TransferResult::kRefused);
    if (clip.mode != kClipCut && clip.mode != kClipCopy) return Refused(TransferResult::kRefused);
    return PlanTransfer(wallet, target, clip.node.treeIndex, clip.mode);
}

TransferPlan PlanDrop(const Wallet& wallet, TreeNode target, TreeNode dragged) {
    if (target.IsNothing() || dragged.IsNothing()) return Refused(TransferResult::kRefused);
    const int sourceKind = NodeKindOf(wallet, dragged.treeIndex);
    const uint32_t dragFlags = CommandFlags(sourceKind, NodeKindOf(wallet, dragged.parentIndex), kNodeNothing);
    if (!(dragFlags & kFlagDrag)) return Refused(TransferResult::kRefused);
    const NodeRole targetRole = RoleOf(wallet, target);
    const uint32_t d = DestinationOf(targetRole, target);
    const int destKind = d == kTreeNoItem ? kNodeNothing : NodeKindOf(wallet, d);
    if (sourceKind == kNodeFolder && (destKind == kNodeMyForms || destKind == kNodeFavorites))
        return Refused(TransferResult::kFolderRefused);
    const bool same = target.treeIndex == dragged.treeIndex && target.parentIndex == dragged.parentIndex;
    const bool parentOfOther = target.treeIndex == dragged.parentIndex || dragged.treeIndex == target.parentIndex;
    const bool sameFolderCard = IsCardRole(targetRole) && target.parentIndex == dragged.parentIndex;
    if (same || parentOfOther || sameFolderCard) return Refused(TransferResult::kRefused);
    return PlanTransfer(wallet, target, dragged.treeIndex, kClipDrag);
}

TransferOutcome CarryOutTransfer(Wallet& wallet, const TransferPlan& plan) {
    TransferOutcome out;
    out.result = plan.result;
    out.action = plan.action;
    if (plan.result != TransferResult::kOk) return out;
    const int dest = static_cast<int>(plan.destination);
    int index = -1;
    switch (plan.action) {
        case TransferAction::kMove:
            index = MoveItem(wallet, plan.source, dest) == 1 ? plan.source : -1;
            break;
        case TransferAction::kCopyCard:
            index = CopyCard(wallet, plan.source, dest);
            break;
        case TransferAction::kSaveToMyForms:
            index = SaveToMyForms(wallet, plan.source);
            break;
        case TransferAction::kAddFavorite:
            if (IsLiveCard(wallet, plan.source)) {
                const ItemId id = wallet.ItemAt(static_cast<size_t>(plan.source)).Id();
                if (IsFavorite(wallet, id) || AddFavorite(wallet, id)) index = plan.source;
            }
            break;
        case TransferAction::kNone:
            break;
    }
    if (index < 0) {
        out.result = TransferResult::kFailed;
        out.index = -1;
    } else {
        out.index = index;
    }
    return out;
}

uint32_t TransferFailureMessage(TransferAction action) {
    switch (action) {
        case TransferAction::kCopyCard: return kStringCopyFailed;
        case TransferAction::kSaveToMyForms: return kStringSaveFormFailed;
        case TransferAction::kAddFavorite: return kStringFavoritesFull;
        default: return kStringMoveFailed;
    }
}

// ---- Delete ------------------------------------------------------------------------------------------

DeletePlan PlanDelete(const Wallet& wallet, TreeNode node) {
    DeletePlan plan;
    const NodeRole role = RoleOf(wallet, node);
    switch (role) {
        case NodeRole::kCard:
        case NodeRole::kTopLevelCard:
        case NodeRole::kFormCard:
            plan.action = DeleteAction::kDeleteCard;
            plan.questionId = role == NodeRole::kFormCard ? kStringDeleteFormQuestion : kStringDeleteCardQuestion;
            plan.records.push_back(static_cast<int>(node.treeIndex));
            plan.cards = 1;
            plan.rebuildFavorites = plan.rebuildFindResults = true;
            break;
        case NodeRole::kFavoritesChild:
            plan.action = DeleteAction::kRemoveFavorite;
            plan.questionId = kStringRemoveQuestion;
            plan.rebuildFavorites = true;
            break;
        case NodeRole::kFindResultsChild:
            plan.action = DeleteAction::kRemoveFindResult;
            plan.questionId = kStringRemoveQuestion;
            plan.rebuildFindResults = true;
            break;
        case NodeRole::kThirdChild:
            plan.action = DeleteAction::kRemoveThirdChild;
            plan.questionId = kStringRemoveQuestion;
            break;
        case NodeRole::kFolder: {
            plan.action = DeleteAction::kDeleteFolder;
            plan.questionId = kStringDeleteFolderQuestion;
            plan.rebuildFavorites = plan.rebuildFindResults = true;
            const std::vector<int> parent = ParentLinks(wallet);
            const ChildLists lists = BuildChildLists(parent);
            std::vector<uint32_t> order;  // pre-order of the subtree
            std::vector<uint32_t> stack{node.treeIndex};
            while (!stack.empty()) {
                const uint32_t at = stack.back();
                stack.pop_back();
                order.push_back(at);
                for (uint32_t c = lists.start[at]; c < lists.start[at + 1]; ++c) stack.push_back(lists.items[c]);
            }
            // Reversed pre-order: every child comes before its folder, so a delete cut short leaves no
            // record without its folder.
            for (auto it = order.rbegin(); it != order.rend(); ++it) {
                const ItemKind kind = wallet.ItemAt(*it).Kind();
                if (kind == kItemKindCard) ++plan.cards;
                else ++plan.folders;
                plan.records.push_back(static_cast<int>(*it));
            }
            break;
        }
        case NodeRole::kMyForms:
            plan.action = DeleteAction::kMyFormsRefused;
            plan.messageId = kStringMyFormsNotDeleted;
            break;
        case NodeRole::kFavoritesNode:
            plan.action = DeleteAction::kClearFavorites;
            plan.rebuildFavorites = true;
            break;
        case NodeRole::kFindResultsNode:
            plan.action = DeleteAction::kClearFindResults;
            plan.rebuildFindResults = true;
            break;
        default:
            break;
    }
    return plan;
}

std::u16string DeleteQuestionText(const DeletePlan& plan, std::u16string_view itemName, const StringSource& strings) {
    if (plan.questionId == 0 || !strings) return std::u16string();
    std::u16string question = strings(plan.questionId);
    if (plan.action == DeleteAction::kDeleteFolder)
        question = FormatText(question, {static_cast<long long>(plan.folders), static_cast<long long>(plan.cards)});
    return FormatText(u"%s\n\n(%s)", {question, std::u16string(itemName)});
}

DeleteOutcome CarryOutDelete(Wallet& wallet, const DeletePlan& plan, TreeNode node) {
    DeleteOutcome out;
    switch (plan.action) {
        case DeleteAction::kDeleteCard:
        case DeleteAction::kDeleteFolder:
            out.result = DeleteResult::kDone;
            for (int index : plan.records) {
                if (index < 0 || static_cast<size_t>(index) >= wallet.ItemCount()) continue;
                if (wallet.ItemAt(static_cast<size_t>(index)).IsDeleted()) continue;
                if (DeleteItem(wallet, index) != 1) {
                    out.result = out.deleted > 0 ? DeleteResult::kPartlyDone : DeleteResult::kFailed;
                    return out;
                }
                ++out.deleted;
            }
            if (out.deleted == 0) out.result = DeleteResult::kNothingToDo;
            return out;
        case DeleteAction::kRemoveFavorite:
            if (LiveAt(wallet, node.treeIndex) && RemoveFavorite(wallet, wallet.ItemAt(node.treeIndex).Id()))
                out.result = DeleteResult::kDone;
            return out;
        case DeleteAction::kRemoveFindResult:
            if (RemoveFindResult(wallet, static_cast<int>(node.treeIndex))) out.result = DeleteResult::kDone;
            return out;
        case DeleteAction::kRemoveThirdChild:
            out.result = DeleteResult::kDone;
            return out;
        case DeleteAction::kClearFavorites:
            ClearFavorites(wallet);
            out.result = DeleteResult::kDone;
            return out;
        case DeleteAction::kClearFindResults:
            ClearFindResults(wallet);
            out.result = DeleteResult::kDone;
            return out;
        default:
            return out;
    }
}

// ---- Activation, keys, new items -----------------------------------------------------------------------

ActivateAction ActivationOf(const Wallet& wallet, TreeNode node) {
    const NodeRole role = RoleOf(wallet, node);
    if (role == NodeRole::kNothing) return ActivateAction::kNothing;
    if (!IsCardRole(role)) return ActivateAction::kToggle;
    const ItemRecord& r = wallet.ItemAt(node.treeIndex);
    const int folder = FolderIndexOfId(wallet, r.Parent(), static_cast<int>(node.treeIndex));
    const bool inMyForms = folder >= 0 && wallet.ItemAt(static_cast<size_t>(folder)).IsMyFormsFolder();
    return inMyForms ? ActivateAction::kOpenCardEdit : ActivateAction::kOpenCardView;
}

TreeKeyAction KeyActionOf(uint32_t key, NodeRole role, bool first, bool expanded) {
    switch (key) {
        case kKeyReturn: return role == NodeRole::kNothing ? TreeKeyAction::kNone : TreeKeyAction::kActivate;
        case kKeyLeft:
            return role != NodeRole::kNothing && !IsCardRole(role) && expanded ? TreeKeyAction::kCollapse : TreeKeyAction::kNone;
        case kKeyRight:
            return role != NodeRole::kNothing && !IsCardRole(role) && !expanded ? TreeKeyAction::kExpand : TreeKeyAction::kNone;
        case kKeyUp: return first ? TreeKeyAction::kOpenFindBar : TreeKeyAction::kNone;
        case kKeyDelete: return TreeKeyAction::kPostDelete;
        default: return TreeKeyAction::kNone;
    }
}

namespace {

NewItemTarget TargetFolder(const Wallet& wallet, int folder) {
    NewItemTarget t;
    t.result = NewItemResult::kOk;
    t.folder = folder;
    t.topLevel = folder < 0;
    if (folder >= 0) {
        const ItemRecord& r = wallet.ItemAt(static_cast<size_t>(folder));
        t.parent = r.Id();
        t.defaultForm = r.DefaultForm();
    }
    return t;
}

}  // namespace

NewItemTarget NewCardTarget(const Wallet& wallet, TreeNode selection) {
    NewItemTarget none;
    if (!wallet.IsOpen()) return none;
    const NodeRole role = RoleOf(wallet, selection);
    if (IsSpecialChildRole(role)) {
        none.result = NewItemResult::kBeep;
        return none;
    }
    if (role == NodeRole::kFolder || role == NodeRole::kMyForms) return TargetFolder(wallet, static_cast<int>(selection.treeIndex));
    if (role == NodeRole::kCard || role == NodeRole::kFormCard) {
        const int folder = FolderIndexOfId(wallet, wallet.ItemAt(selection.treeIndex).Parent(), static_cast<int>(selection.treeIndex));
        if (folder >= 0) return TargetFolder(wallet, folder);
    }
    return none;
}

NewItemTarget NewFolderTarget(const Wallet& wallet, TreeNode selection) {
    NewItemTarget none;
    if (!wallet.IsOpen()) return none;
    const NodeRole role = RoleOf(wallet, selection);
    switch (role) {
        case NodeRole::kFolder: return TargetFolder(wallet, static_cast<int>(selection.treeIndex));
        case NodeRole::kCard: {
            const int folder = FolderIndexOfId(wallet, wallet.ItemAt(selection.treeIndex).Parent(), static_cast<int>(selection.treeIndex));
            if (folder < 0 || wallet.ItemAt(static_cast<size_t>(folder)).IsMyFormsFolder()) return none;
            return TargetFolder(wallet, folder);
        }
        case NodeRole::kMyForms:
        case NodeRole::kFormCard: return none;  // a folder never goes inside My Forms
        default: return TargetFolder(wallet, -1);  // nothing selected, a top-level card, the special nodes
    }
}

bool PrepareNewFolder(Wallet& wallet, const NewItemTarget& target, ItemRecord* record) {
    if (target.result != NewItemResult::kOk || !record) return false;
    if (!NewFolder(wallet, target.parent, false, record)) return false;
    record->SetIcon(kNewFolderIcon);
    return true;
}

int StoreFolder(Wallet& wallet, ItemRecord* record, bool mainLevel, bool isNew) {
    if (!wallet.IsOpen() || wallet.IsReadOnly() || !record || !record->IsFolderLike()) return -1;
    if (mainLevel && record->Kind() == kItemKindFolder) record->SetParent(ItemId());
    if (!record->IsTopLevel() && record->Kind() == kItemKindFolder) {
        // The parent must be a live folder that is not My Forms and not the folder itself or below it.
        const int parent = FolderIndexOfId(wallet, record->Parent(), -1);
        if (parent < 0 || wallet.ItemAt(static_cast<size_t>(parent)).IsMyFormsFolder()) return -1;
        if (!isNew) {
            const int self = wallet.IndexOf(record->Id());
            if (self >= 0 && IsInsideFolder(wallet, parent, self)) return -1;
        }
    }
    return isNew ? wallet.AppendFolderRecord(record, false) : wallet.ReplaceFolderRecord(record, false);
}

// ---- Favourites and My Forms ----------------------------------------------------------------------------

FavoriteResult AddNodeToFavorites(Wallet& wallet, TreeNode node) {
    if (!IsCardRole(RoleOf(wallet, node))) return FavoriteResult::kNotACard;
    const ItemId id = wallet.ItemAt(node.treeIndex).Id();
    if (IsFavorite(wallet, id)) return FavoriteResult::kAlreadyThere;
    return AddFavorite(wallet, id) ? FavoriteResult::kAdded : FavoriteResult::kFull;
}

int SaveNodeToMyForms(Wallet& wallet, TreeNode node) {
    const SelectionState s = DescribeSelection(wallet, node, TreeClipboard(), 0);
    if (!(s.flags & kFlagSaveToMyForms)) return -1;
    return SaveToMyForms(wallet, static_cast<int>(node.treeIndex));
}

// ---- Rename and the card view --------------------------------------------------------------------------

RenameResult RenameNode(Wallet& wallet, TreeNode node, std::u16string_view text) {
    const NodeRole role = RoleOf(wallet, node);
    if (!CanStartRename(role)) return RenameResult::kRefused;
    const int special = SpecialNodeOf(node.treeIndex);
    if (special != 0) {
        const std::u16string label = special == 2 ? NodeLabelFromEdit(text, FindTextOf(wallet))
                                                  : NodeLabelFromEdit(text, u"");
        return SetNodeLabel(wallet, special, label, -1) ? RenameResult::kLabelStored : RenameResult::kFailed;
    }
    std::u16string_view name = text.substr(0, ItemRecord::kMaxNameLength);
    return RenameItem(wallet, static_cast<int>(node.treeIndex), name) == 1 ? RenameResult::kRecordRenamed
                                                                            : RenameResult::kFailed;
}

CardClosedOutcome StoreClosedCard(Wallet& wallet, int result, Card* card, bool isNew) {
    CardClosedOutcome out;
    if (!card || !wallet.IsOpen()) return out;
    if (result == kCardClosedSaved) {
        int index;
        if (isNew) {
            index = wallet.AppendCard(card, false);
        } else {
            card->Record().MarkChanged(kRecordContentsChanged);
            index = wallet.ReplaceCard(card, false);
        }
        out.index = index;
        out.result = index < 0 ? CardClosedResult::kFailed : isNew ? CardClosedResult::kAdded : CardClosedResult::kReplaced;
        out.rebuildSpecialNodes = index >= 0 && !isNew;
        return out;
    }
    if (result == kCardClosedDeleted && !isNew) {
        const int index = wallet.IndexOf(card->Record().Id());
        if (index < 0) return out;
        if (DeleteItem(wallet, index) != 1) {
            out.result = CardClosedResult::kFailed;
            return out;
        }
        out.result = CardClosedResult::kDeleted;
        out.index = index;
        out.rebuildSpecialNodes = true;
    }
    return out;
}

}  // namespace tl5
