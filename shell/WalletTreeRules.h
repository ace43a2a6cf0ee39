// The rules of the wallet tree, apart from the tree control: what each node is, what the tree shows
// after a fill, which commands a node allows, where a paste or a drop goes, what a delete asks and
// removes, what activation and the keys do, and the colours of the items.
//
// A node is named by its tree index (the item's lParam: an ItemTable index or one of the special node
// values) and the tree index of its tree parent (kTreeNoItem at the top level). The window side keeps
// the tree items; everything it decides goes through these functions, so the menu, the keys, paste and
// drop all use one rule.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "StringIds.h"
#include "model/ItemId.h"
#include "model/TreeOrder.h"
#include "shell/WalletListRules.h"

namespace tl5 {

class Card;
class ItemRecord;
class Wallet;
struct Settings;

// "No item": an empty selection, or the parent of a top-level node.
constexpr uint32_t kTreeNoItem = 0xFFFFFFFFu;

// Kinds of tree nodes: the record kinds and the special nodes.
enum NodeKind : int {
    kNodeNothing = 0,
    kNodeCard = 1,
    kNodeFolder = 2,
    kNodeMyForms = 3,
    kNodeFavorites = 100,
    kNodeFindResults = 200,
    kNodeThird = 300,
};

// What a node is, from its kind and its tree parent's kind.
enum class NodeRole : int {
    kNothing,
    kCard,             // a card in a folder
    kTopLevelCard,     // a card without a folder
    kFormCard,         // a card in My Forms
    kFolder,
    kMyForms,
    kFavoritesNode,
    kFindResultsNode,
    kThirdNode,
    kFavoritesChild,   // a card shown under Favorites
    kFindResultsChild, // a card shown under Find results
    kThirdChild,       // a card shown under the third node
};

struct TreeNode {
    uint32_t treeIndex = kTreeNoItem;
    uint32_t parentIndex = kTreeNoItem;
    bool IsNothing() const { return treeIndex == kTreeNoItem; }
};

// The kind of a tree index (0 for kTreeNoItem, an unknown value or a deleted record).
int NodeKindOf(const Wallet& wallet, uint32_t treeIndex);
NodeRole RoleOf(const Wallet& wallet, TreeNode node);
bool IsSpecialNodeRole(NodeRole role);       // Favorites, Find results, third node
bool IsSpecialChildRole(NodeRole role);      // a card under one of them
bool IsCardRole(NodeRole role);              // any card, wherever it is shown

// ---- Command flags ---------------------------------------------------------------------------------

enum CommandFlag : uint32_t {
    kFlagNewCard = 0x0001,
    kFlagNewFolder = 0x0002,
    kFlagAddFavorite = 0x0004,
    kFlagCut = 0x0008,
    kFlagCopy = 0x0010,
    kFlagPaste = 0x0020,
    kFlagDelete = 0x0040,
    kFlagExport = 0x0080,
    kFlagClear = 0x0100,
    kFlagSaveToMyForms = 0x0200,
    kFlagNode = 0x0400,
    kFlagRemove = 0x0800,
    kFlagDrag = 0x1000,
};

// The flags of a node of kind `kind` under a parent of kind `parentKind`, with an item of kind
// `clipboardKind` on the tree clipboard (0 when empty). Beside the classic table:
//  - nothing ever offers New Folder inside My Forms (My Forms and its cards lack the flag);
//  - a top-level card may be cut, copied, dragged and deleted like any other card (before, the menu
//    refused Delete while the Delete key deleted it).
uint32_t CommandFlags(int kind, int parentKind, int clipboardKind);

// ---- Tree clipboard --------------------------------------------------------------------------------

enum ClipboardMode : int { kClipEmpty = 0, kClipCut = 1, kClipCopy = 2, kClipDrag = 3 };

// The item on the tree clipboard, remembered by node, record id and the wallet generation it was
// taken in, so a rebuild of the tree or another wallet cannot make it name a different record.
struct TreeClipboard {
    int mode = kClipEmpty;
    TreeNode node;
    ItemId id;
    uint64_t generation = 0;
};

// A clipboard entry for the node (mode cut, copy or drag) in this generation.
TreeClipboard ClipboardFor(const Wallet& wallet, TreeNode node, int mode, uint64_t generation);
// True when the clipboard holds an item and its record is still the live record at its tree index
// in the same generation.
bool ClipboardValid(const Wallet& wallet, const TreeClipboard& clip, uint64_t generation);
// The kind of the item on the clipboard (0 when empty or no longer valid).
int ClipboardKind(const Wallet& wallet, const TreeClipboard& clip, uint64_t generation);

// ---- Selection --------------------------------------------------------------------------------------

struct SelectionState {
    TreeNode node;
    int kind = kNodeNothing;
    int parentKind = kNodeNothing;
    NodeRole role = NodeRole::kNothing;
    int clipboardMode = kClipEmpty;
    int clipboardKind = kNodeNothing;
    uint32_t flags = 0;
};

SelectionState DescribeSelection(const Wallet& wallet, TreeNode node, const TreeClipboard& clip, uint64_t generation);

// What a node allows, as the menus and the keys both see it.
enum class DeleteKind : int { kNone, kDelete, kClear, kRemove };
struct NodeAbilities {
    bool rename = false;
    bool cut = false;
    bool copy = false;
    bool paste = false;  // with what is on the clipboard now
    DeleteKind deletion = DeleteKind::kNone;
    bool open = false;        // activation opens a card
    bool toggle = false;      // activation expands or collapses
    bool properties = false;
    bool addFavorite = false;
    bool saveToMyForms = false;
    bool drag = false;
    bool newCard = false;
    bool newFolder = false;
    bool exportItems = false;
};
NodeAbilities AbilitiesOf(const SelectionState& selection);

// The caption string of the Delete item: Remove, Clear, else Delete.
constexpr uint32_t kStringDelete = IDS_MENU_DELETE;
constexpr uint32_t kStringClear = IDS_MENU_CLEAR;
constexpr uint32_t kStringRemove = IDS_MENU_REMOVE;
uint32_t DeleteCaptionId(uint32_t flags);
DeleteKind DeleteKindOf(uint32_t flags);

// The pop-up menu resource of the tap-and-hold gesture.
uint32_t PopupMenuFor(NodeRole role);

// Label edits start only with a selection that is not a card under a special node.
bool CanStartRename(NodeRole role);

// ---- Fill ------------------------------------------------------------------------------------------

enum class ItemColour : int { kCard, kFolder, kMyForms, kSpecial };

struct TreeFillNode {
    uint32_t treeIndex = kTreeNoItem;
    int parent = -1;        // position of the parent node in the same plan, -1 at the top level
    NodeRole role = NodeRole::kNothing;
    std::u16string text;
    int32_t icon = 0;       // stock icon number, or -1 for the record's custom icon
    bool overlay = false;   // children of the special nodes carry overlay image 1
    bool hasChildren = false;
    ItemColour colour = ItemColour::kSpecial;
};

// The whole tree of the open wallet in display order (pre-order, every parent before its children,
// siblings in the tree order): Find results (when there are results) and Favorites (when there are
// favourites) with their children, then the live records reachable from the top level. Records whose
// folder is missing, deleted or part of a parent cycle are not shown. Linear in the number of records
// apart from the sorting of each folder's children.
std::vector<TreeFillNode> BuildFillPlan(const Wallet& wallet, const StringSource& strings);

// The order in which a tree control takes a plan's nodes so that it finds each parent at once: first every
// node except the leading leaves of each folder (the cards that come before its subfolders), in plan
// order, each appended to its parent (top-level nodes where the caller puts them); then those leading
// leaves in reverse plan order, each inserted as its parent's first child. The result shows the plan's
// order, and every parent is among the first items made. (A tree control that finds a parent item by
// scanning its items in the order they were made then takes n items in linear time.)
struct TreeInsertStep {
    int node = 0;        // position in the plan
    bool first = false;  // insert as the parent's first child (else after its last one)
};
std::vector<TreeInsertStep> TreeInsertOrder(const std::vector<TreeFillNode>& plan);

// The Favorites node with its children (a card per favourite that is a live card, in the tree order);
// empty when the favourites list is empty. Node first, with parent -1; children with parent 0.
std::vector<TreeFillNode> FavoritesNodePlan(const Wallet& wallet, const StringSource& strings);
// The same for the Find results node (empty when the wallet holds no results).
std::vector<TreeFillNode> FindResultsNodePlan(const Wallet& wallet, const StringSource& strings);

// One node as the tree shows it (text, icon, overlay, colour), for refreshing or inserting a single item.
TreeFillNode NodeOf(const Wallet& wallet, TreeNode node, const StringSource& strings);
// Where a record's own tree item belongs: the table index of its folder, -1 at the top level, -2 when
// it is not shown (deleted, or its folder is missing).
int ShownParentOf(const Wallet& wallet, int index);

// The label of special node 1-3: the stored label, or its default string when none is stored.
std::u16string SpecialNodeLabel(const Wallet& wallet, int node, const StringSource& strings);
int32_t SpecialNodeIcon(const Wallet& wallet, int node);
// The text of the Find results node: "<label> - '<word>'", or the label alone without a search text.
std::u16string FindResultsNodeText(std::u16string_view label, std::u16string_view findText);
// The label to store after the Find results node was edited: the suffix " - '<word>'" is dropped
// when the edited text still carries it; at most 63 characters.
std::u16string NodeLabelFromEdit(std::u16string_view edited, std::u16string_view findText);

// The image of a stock icon in the stock image lists (k + 4), or -1 for a custom or unknown icon.
int StockImageOf(int32_t icon);

// The text colour (0x00BBGGRR) of an item that is not selected.
uint32_t ItemColourValue(const Wallet& wallet, const Settings& settings, ItemColour colour);
ItemColour ColourOfRole(NodeRole role);

// Sort keys of many tree indexes, each name decrypted once: the position of each index in the tree
// order, for a sort callback that compares positions.
std::vector<uint32_t> SortedTreeIndexes(const Wallet& wallet, std::vector<uint32_t> indexes);

// ---- Paste and drop --------------------------------------------------------------------------------

enum class TransferAction : int { kNone, kMove, kCopyCard, kSaveToMyForms, kAddFavorite };
enum class TransferResult : int {
    kOk,
    kRefused,        // nothing changes, no sound
    kBeep,           // into itself or into its own descendant: MessageBeep(0x10), nothing changes
    kFolderRefused,  // a folder onto My Forms or Favorites: IDS_FOLDER_NOT_HERE, nothing changes
    kFailed,         // the wallet could not do it; nothing was changed
};
constexpr uint32_t kStringFolderNotAllowed = IDS_FOLDER_NOT_HERE;

struct TransferPlan {
    TransferResult result = TransferResult::kRefused;
    TransferAction action = TransferAction::kNone;
    int source = -1;                       // ItemTable index of the item moved, copied or added
    uint32_t destination = kTreeNoItem;    // tree index of the destination (a record or Favorites)
};

// Paste of the clipboard onto the selected node (modes cut and copy).
TransferPlan PlanPaste(const Wallet& wallet, TreeNode target, const TreeClipboard& clip, uint64_t generation);
// Drop of the dragged node S on the node T under the pointer.
TransferPlan PlanDrop(const Wallet& wallet, TreeNode target, TreeNode dragged);

struct TransferOutcome {
    TransferResult result = TransferResult::kRefused;
    TransferAction action = TransferAction::kNone;
    int index = -1;  // the moved record, the new copy or form, or the card added to Favorites
};
// Carries out a plan whose result is kOk; other plans come back as they are. A failed wallet
// operation gives kFailed with index -1 and no change.
TransferOutcome CarryOutTransfer(Wallet& wallet, const TransferPlan& plan);

// Messages for wallet operations that failed (the reason: the file could not be written).
constexpr uint32_t kStringCopyFailed = IDS_COPY_FAILED;
constexpr uint32_t kStringMoveFailed = IDS_MOVE_FAILED;
constexpr uint32_t kStringSaveFormFailed = IDS_SAVE_TO_MY_FORMS_FAILED;
constexpr uint32_t kStringCardSaveFailed = IDS_CARD_SAVE_FAILED;
constexpr uint32_t kStringDeleteFailed = IDS_DELETE_INCOMPLETE;
constexpr uint32_t kStringFolderSaveFailed = IDS_FOLDER_SAVE_FAILED;
constexpr uint32_t kStringRenameFailed = IDS_RENAME_FAILED;
constexpr uint32_t kStringFavoritesFull = IDS_FAVORITES_FULL;
// The message for a failed transfer.
uint32_t TransferFailureMessage(TransferAction action);

// True when `index` is `folder` or lies anywhere below it (parents followed at most once each).
bool IsInsideFolder(const Wallet& wallet, int index, int folder);

// ---- Delete ----------------------------------------------------------------------------------------

enum class DeleteAction : int {
    kNothing,
    kDeleteCard,         // delete the record and its tree item
    kDeleteFolder,       // delete the folder and everything below it
    kRemoveFavorite,     // take the card out of the favourites
    kRemoveFindResult,   // take the card out of the find results
    kRemoveThirdChild,   // only the tree item goes
    kClearFavorites,
    kClearFindResults,
    kMyFormsRefused,     // IDS_MY_FORMS_NOT_DELETED, nothing deleted
};

constexpr uint32_t kStringRemoveQuestion = IDS_REMOVE_FROM_LIST_Q;
constexpr uint32_t kStringDeleteFormQuestion = IDS_DELETE_FORM_Q;
constexpr uint32_t kStringDeleteCardQuestion = IDS_DELETE_CARD_Q;
constexpr uint32_t kStringDeleteFolderQuestion = IDS_DELETE_FOLDER_Q;  // a format taking folders, then cards
constexpr uint32_t kStringMyFormsNotDeleted = IDS_MY_FORMS_NOT_DELETED;

struct DeletePlan {
    DeleteAction action = DeleteAction::kNothing;
    uint32_t questionId = 0;   // 0: no confirmation
    uint32_t messageId = 0;    // an information message instead (IDS_MY_FORMS_NOT_DELETED)
    int folders = 0;           // counts of a folder delete, the folder itself included
    int cards = 0;
    std::vector<int> records;  // records to delete, every child before its folder
    bool rebuildFavorites = false;
    bool rebuildFindResults = false;
};

DeletePlan PlanDelete(const Wallet& wallet, TreeNode node);
// The confirmation text: "%s\n\n(%s)" from the question (filled with the counts for a folder) and
// the item's name. Empty when the plan asks nothing.
std::u16string DeleteQuestionText(const DeletePlan& plan, std::u16string_view itemName, const StringSource& strings);

enum class DeleteResult : int { kDone, kNothingToDo, kFailed, kPartlyDone };
struct DeleteOutcome {
    DeleteResult result = DeleteResult::kNothingToDo;
    int deleted = 0;  // records deleted before a failure
};
// Carries out a confirmed plan on the node it was made for.
DeleteOutcome CarryOutDelete(Wallet& wallet, const DeletePlan& plan, TreeNode node);

// ---- Activation, keys, new items --------------------------------------------------------------------

enum class ActivateAction : int { kNothing, kOpenCardView, kOpenCardEdit, kToggle };
// Cards open (in edit mode when they lie in My Forms), every other node toggles.
ActivateAction ActivationOf(const Wallet& wallet, TreeNode node);

// Virtual key codes the tree reacts to.
constexpr uint32_t kKeyReturn = 0x0D;
constexpr uint32_t kKeyLeft = 0x25;
constexpr uint32_t kKeyUp = 0x26;
constexpr uint32_t kKeyRight = 0x27;
constexpr uint32_t kKeyDelete = 0x2E;

enum class TreeKeyAction : int { kNone, kActivate, kCollapse, kExpand, kOpenFindBar, kPostDelete };
// `first`: the node is the very first item of the tree; `expanded`: it is expanded now.
TreeKeyAction KeyActionOf(uint32_t key, NodeRole role, bool first, bool expanded);

constexpr int32_t kNewFolderIcon = 72;

enum class NewItemResult : int { kOk, kNothing, kBeep };
struct NewItemTarget {
    NewItemResult result = NewItemResult::kNothing;
    int folder = -1;        // ItemTable index of the folder, -1 for the top level
    ItemId parent;          // its id (null at the top level)
    bool topLevel = true;   // the "main level" box starts ticked
    FormId defaultForm;     // the folder's default form (offered first by the chooser)
};
// Where New Card puts the card: the folder of the selected card or the selected folder-like item;
// a beep for a card under Favorites or Find results; nothing without a folder.
NewItemTarget NewCardTarget(const Wallet& wallet, TreeNode selection);
// Where New Folder puts the folder: never inside My Forms; the top level with nothing selected and
// for the special nodes and their children.
NewItemTarget NewFolderTarget(const Wallet& wallet, TreeNode selection);
// A new folder record (icon 72) for the target; false without an open wallet or when refused.
bool PrepareNewFolder(Wallet& wallet, const NewItemTarget& target, ItemRecord* record);
// Stores a folder record confirmed in the folder properties (new or edited), at the top level when
// `mainLevel`. The table index, or -1 when the wallet could not store it.
[[nodiscard]] int StoreFolder(Wallet& wallet, ItemRecord* record, bool mainLevel, bool isNew);

// ---- Favourites and My Forms --------------------------------------------------------------------------

enum class FavoriteResult : int { kAdded, kAlreadyThere, kFull, kNotACard };
// Add to Favorites for a node showing a card (at most 32, no duplicates).
FavoriteResult AddNodeToFavorites(Wallet& wallet, TreeNode node);
// Save to My Forms for a node showing a card: the new form's table index, or -1 (nothing was added).
[[nodiscard]] int SaveNodeToMyForms(Wallet& wallet, TreeNode node);

// ---- Rename and the card view ----------------------------------------------------------------------

enum class RenameResult : int { kRecordRenamed, kLabelStored, kRefused, kFailed };
// Stores the text of a finished label edit on the node.
RenameResult RenameNode(Wallet& wallet, TreeNode node, std::u16string_view text);

// Results the card view reports with WMU_CARD_CLOSED.
constexpr int kCardClosedSaved = 3;
constexpr int kCardClosedDeleted = 4;

enum class CardClosedResult : int { kNothing, kAdded, kReplaced, kDeleted, kFailed };
struct CardClosedOutcome {
    CardClosedResult result = CardClosedResult::kNothing;
    int index = -1;  // the card's table index when stored or deleted
    bool rebuildSpecialNodes = false;
};
// Stores the working copy as the card view's result asks (the copy is emptied when the wallet took it).
CardClosedOutcome StoreClosedCard(Wallet& wallet, int result, Card* card, bool isNew);

}  // namespace tl5
