// The wallet tree of the main window: its items, built from the open wallet by the tree rules
// (shell/WalletTreeRules.h), and what the tree control reports: keys, taps, tap and hold, label edits,
// drags and drops, colours and focus.
#include <windows.h>
#include <commctrl.h>

#include <unordered_set>
#include <vector>

#include "StringIds.h"
#include "cardui/Settings.h"
#include "cardui/win/Activity.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/ImageLists.h"
#include "cardui/win/Strings.h"
#include "model/ItemRecord.h"
#include "model/TreeOrder.h"
#include "model/Wallet.h"
#include "platform/Text.h"
#include "platform/pocketpc/DeviceScreen.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/WalletGeneration.h"
#include "shell/win/MainWindow.h"
#include "shell/win/MainWindowInternal.h"

namespace tl5win {

namespace {

using tl5::TreeFillNode;
using tl5::TreeNode;

// Distance from the tree's edge within which a drag scrolls, and the scroll pace (see OnDragTimer).
constexpr int kDragScrollZone = 10;

uint32_t ParamOf(HWND tree, HTREEITEM item) {
    if (!item) return tl5::kTreeNoItem;
    TVITEMW tv{};
    tv.mask = TVIF_PARAM | TVIF_HANDLE;
    tv.hItem = item;
    return TreeView_GetItem(tree, &tv) ? static_cast<uint32_t>(tv.lParam) : tl5::kTreeNoItem;
}

int ImageOf(const TreeFillNode& node) {
    if (node.icon == -1 && node.treeIndex < AppWallet().ItemCount()) {
        const std::vector<uint8_t> bytes = AppWallet().ItemAt(node.treeIndex).CustomIconBytes();
        const int image = CustomIconIndex(bytes.data(), bytes.size());
        if (image >= 0) return image;
    }
    const int image = tl5::StockImageOf(node.icon);
    return image >= 0 ? image : tl5::StockImageOf(0);
}

void FillItem(const TreeFillNode& node, std::wstring* text, TVITEMW* item) {
    *text = tl5::ToWide(node.text);
    item->mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    item->pszText = text->data();
    item->iImage = item->iSelectedImage = ImageOf(node);
    item->lParam = static_cast<LPARAM>(node.treeIndex);
    item->stateMask = TVIS_OVERLAYMASK;
    item->state = node.overlay ? INDEXTOOVERLAYMASK(1) : 0;
    if (tl5::IsSpecialNodeRole(node.role) && node.hasChildren) {
        item->mask |= TVIF_CHILDREN;
        item->cChildren = 1;
    }
}

HTREEITEM InsertNode(HWND tree, HTREEITEM parent, HTREEITEM after, const TreeFillNode& node) {
    std::wstring text;
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = after;
    FillItem(node, &text, &insert.item);
    return TreeView_InsertItem(tree, &insert);
}

void UpdateItem(HWND tree, HTREEITEM item, const TreeFillNode& node) {
    std::wstring text;
    TVITEMW tv{};
    FillItem(node, &text, &tv);
    tv.hItem = item;
    tv.mask |= TVIF_HANDLE;
    TreeView_SetItem(tree, &tv);
}

// Inserts the plan's nodes in order (each parent before its children, siblings already sorted).
// The order (TreeInsertOrder) keeps the tree control from searching its items for each parent.
void InsertPlan(HWND tree, const std::vector<TreeFillNode>& plan, HTREEITEM firstAfter) {
    std::vector<HTREEITEM> items(plan.size(), nullptr);
    for (const tl5::TreeInsertStep& step : tl5::TreeInsertOrder(plan)) {
        const size_t i = static_cast<size_t>(step.node);
        const int parent = plan[i].parent;
        HTREEITEM parentItem = parent >= 0 ? items[static_cast<size_t>(parent)] : nullptr;
        HTREEITEM after = step.first ? TVI_FIRST : parent < 0 ? firstAfter : TVI_LAST;
        items[i] = InsertNode(tree, parentItem, after, plan[i]);
    }
}

HTREEITEM TopLevelItem(HWND tree, uint32_t treeIndex) {
    for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextSibling(tree, item))
        if (ParamOf(tree, item) == treeIndex) return item;
    return nullptr;
}

int CALLBACK CompareItems(LPARAM a, LPARAM b, LPARAM) {
    return tl5::CompareTreeIndexes(AppWallet(), static_cast<uint32_t>(a), static_cast<uint32_t>(b));
}

// Pre-order walk over the items, children of the special nodes passed over when `skipSpecial`.
template <class Visit>
HTREEITEM Walk(HWND tree, HTREEITEM first, bool skipSpecial, const Visit& visit) {
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
        const uint32_t param = ParamOf(tree, item);
        if (visit(item, param)) return item;
        const bool special = param == tl5::kTreeIndexFavorites || param == tl5::kTreeIndexFindResults ||
                             param == tl5::kTreeIndexThirdNode;
        if (skipSpecial && special) continue;
        if (HTREEITEM found = Walk(tree, TreeView_GetChild(tree, item), skipSpecial, visit)) return found;
    }
    return nullptr;
}

// The record indexes of the expanded items, to open them again after a rebuild.
std::unordered_set<uint32_t> ExpandedParams(HWND tree) {
    std::unordered_set<uint32_t> expanded;
    Walk(tree, TreeView_GetRoot(tree), false, [&](HTREEITEM item, uint32_t param) {
        if (TreeView_GetItemState(tree, item, TVIS_EXPANDED) & TVIS_EXPANDED) expanded.insert(param);
        return false;
    });
    return expanded;
}

void ExpandAgain(HWND tree, const std::unordered_set<uint32_t>& expanded) {
    Walk(tree, TreeView_GetRoot(tree), false, [&](HTREEITEM item, uint32_t param) {
        if (expanded.count(param) && TreeView_GetChild(tree, item)) TreeView_Expand(tree, item, TVE_EXPAND);
        return false;
    });
}

void RebuildSpecialNode(MainWindowState& s, uint32_t treeIndex, const std::vector<TreeFillNode>& plan, bool expand) {
    HWND tree = s.tree;
    HTREEITEM old = TopLevelItem(tree, treeIndex);
    const bool wasExpanded = old && (TreeView_GetItemState(tree, old, TVIS_EXPANDED) & TVIS_EXPANDED);
    if (old) TreeView_DeleteItem(tree, old);
    if (plan.empty()) return;
    // Find results stay first; Favorites follows them.
    HTREEITEM after = TVI_FIRST;
    if (treeIndex == tl5::kTreeIndexFavorites) {
        if (HTREEITEM find = TopLevelItem(tree, tl5::kTreeIndexFindResults)) after = find;
    }
    InsertPlan(tree, plan, after);
    HTREEITEM node = TopLevelItem(tree, treeIndex);
    if (node && (expand || wasExpanded)) TreeView_Expand(tree, node, TVE_EXPAND);
    InvalidateRect(tree, nullptr, TRUE);
}

RECT ItemTextRect(HWND tree, HTREEITEM item) {
    RECT r{};
    TreeView_GetItemRect(tree, item, &r, TRUE);
    return r;
}

void ShowContextMenu(MainWindowState& s, HTREEITEM item, POINT screen) {
    HWND tree = s.tree;
    if (item) {
        TreeView_SelectItem(tree, item);
        TreeView_EnsureVisible(tree, item);
        const RECT text = ItemTextRect(tree, item);
        screen = POINT{text.left, text.bottom};
        ClientToScreen(tree, &screen);
    }
    const tl5::SelectionState selection = SelectionOf(s, item);
    const uint32_t menuId = tl5::PopupMenuFor(item ? selection.role : tl5::NodeRole::kNothing);
    HMENU menu = LoadMenuW(ProgramInstance(), MAKEINTRESOURCEW(menuId));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu, 0);
    TranslateMenu(popup, nullptr);
    s.contextMenu = menu;
    SetForegroundWindow(s.window);
    TrackPopupMenuEx(popup, 0, screen.x, screen.y, s.window, nullptr);
    PostMessageW(s.window, WM_NULL, 0, 0);
    s.contextMenu = nullptr;
    DestroyMenu(menu);
}

LRESULT OnKeyDown(MainWindowState& s, const NMTVKEYDOWN& key) {
    HWND tree = s.tree;
    HTREEITEM item = TreeView_GetSelection(tree);
    const tl5::SelectionState selection = SelectionOf(s, item);
    const bool expanded = item && (TreeView_GetItemState(tree, item, TVIS_EXPANDED) & TVIS_EXPANDED);
    const bool first = item && item == TreeView_GetRoot(tree);
    switch (tl5::KeyActionOf(key.wVKey, selection.role, first, expanded)) {
    case tl5::TreeKeyAction::kActivate: ActivateItem(s, item); break;
    case tl5::TreeKeyAction::kCollapse: TreeView_Expand(tree, item, TVE_COLLAPSE); break;
    case tl5::TreeKeyAction::kExpand: TreeView_Expand(tree, item, TVE_EXPAND); break;
    case tl5::TreeKeyAction::kOpenFindBar: PostMessageW(s.window, WM_COMMAND, IDM_FIND, 0); break;
    case tl5::TreeKeyAction::kPostDelete: PostMessageW(s.window, WM_COMMAND, IDM_DELETE, 0); break;
    case tl5::TreeKeyAction::kNone: break;
    }
    return 1;
}

LRESULT OnClick(MainWindowState& s) {
    TVHITTESTINFO hit{};
    GetCursorPos(&hit.pt);
    ScreenToClient(s.tree, &hit.pt);
    HTREEITEM item = TreeView_HitTest(s.tree, &hit);
    if (item && (hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON))) {
        TreeView_SelectItem(s.tree, item);
        ActivateItem(s, item);
        return 1;
    }
    return 0;
}

LRESULT OnBeginLabelEdit(MainWindowState& s, const NMTVDISPINFOW& info) {
    const tl5::SelectionState selection = SelectionOf(s, info.item.hItem);
    if (!s.renameAllowed || !tl5::CanStartRename(selection.role)) return TRUE;
    s.renameEdit = TreeView_GetEditControl(s.tree);
    if (s.renameEdit) SendMessageW(s.renameEdit, EM_LIMITTEXT, 255, 0);
    ppc::SHSipPreference(s.window, ppc::SIP_UP);
    return FALSE;
}

LRESULT OnEndLabelEdit(MainWindowState& s, const NMTVDISPINFOW& info) {
    s.renameAllowed = false;
    s.renameEdit = nullptr;
    ppc::SHSipPreference(s.window, ppc::SIP_DOWN);
    if (!info.item.pszText || !AppWallet().IsOpen()) return FALSE;
    const TreeNode node = NodeOfItem(s, info.item.hItem);
    switch (tl5::RenameNode(AppWallet(), node, tl5::FromWide(info.item.pszText))) {
    case tl5::RenameResult::kRecordRenamed:
        // Refresh and re-sort once the edit control is gone; the post carries the record, not the item.
        PostMessageW(s.window, WMU_ITEM_EDITED, static_cast<WPARAM>(node.treeIndex),
                     static_cast<LPARAM>(tl5::AppWalletGeneration().Ticket()));
        break;
    case tl5::RenameResult::kLabelStored:
        if (node.treeIndex == tl5::kTreeIndexFavorites) RebuildFavoritesNode(s);
        if (node.treeIndex == tl5::kTreeIndexFindResults) RebuildFindResultsNode(s, false);
        break;
    case tl5::RenameResult::kFailed: ShowMessage(s.window, IDS_RENAME_FAILED, IDS_ERROR, MB_ICONSTOP); break;
    case tl5::RenameResult::kRefused: break;
    }
    return FALSE;
}

LRESULT OnBeginDrag(MainWindowState& s, const NMTREEVIEWW& info) {
    const tl5::SelectionState selection = SelectionOf(s, info.itemNew.hItem);
    if (!(selection.flags & tl5::kFlagDrag)) return 0;
    s.clipboard = tl5::ClipboardFor(AppWallet(), selection.node, tl5::kClipDrag,
                                    tl5::AppWalletGeneration().Ticket());
    s.dragImage = TreeView_CreateDragImage(s.tree, info.itemNew.hItem);
    if (s.dragImage) ImageList_BeginDrag(s.dragImage, 0, 0, 0);
    ShowCursor(FALSE);
    SetCapture(s.window);
    s.dragging = true;
    s.dragTicks = 0;
    s.dragPoint = info.ptDrag;
    ClientToScreen(s.tree, &s.dragPoint);
    if (s.dragImage) ImageList_DragEnter(s.tree, info.ptDrag.x, info.ptDrag.y);
    SetTimer(s.window, TIMER_DRAG_SCROLL, 75, nullptr);
    return 0;
}

LRESULT OnCustomDraw(MainWindowState& s, NMTVCUSTOMDRAW& draw) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    if (!(draw.nmcd.uItemState & CDIS_SELECTED) && AppWallet().IsOpen()) {
        const TreeNode node = NodeOfItem(s, reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec));
        const tl5::NodeRole role = tl5::RoleOf(AppWallet(), node);
        draw.clrText = tl5::ItemColourValue(AppWallet(), tl5::AppSettings(), tl5::ColourOfRole(role));
    }
    return CDRF_NEWFONT;
}

LRESULT OnSetFocus(MainWindowState& s) {
    if (HTREEITEM item = TreeView_GetSelection(s.tree)) TreeView_EnsureVisible(s.tree, item);
    if (MainWindowFindBarShown(s.window)) MainWindowSetFindBarShown(s.window, false);
    if (AppWallet().IsOpen()) MainWindowShowMenuBar(s.window, IDMB_MAIN);
    return 0;
}

}  // namespace

void CreateWalletTree(MainWindowState& s) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    // A vertical scroll bar (a long tree must scroll with a stylus); never a horizontal one.
    s.tree = CreateWindowExW(0, WC_TREEVIEWW, L"WalletView.TL5",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | TVS_SHOWSELALWAYS | TVS_EDITLABELS |
                                 TVS_LINESATROOT | TVS_HASBUTTONS | TVS_NOHSCROLL,
                             0, 0, 1, 1, s.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TREE)),
                             ProgramInstance(), nullptr);
    if (!s.tree) return;
    TreeView_SetIndent(s.tree, ppc::Scale(6));
    const tl5::Settings& settings = tl5::AppSettings();
    if (HFONT font = AppFontCache().FontForSize(static_cast<int>(settings.fontMain), (settings.fontMainStyle & 1) != 0))
        SendMessageW(s.tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ppc::EnableTapAndHold(s.tree);
}

void ClearWalletTree(MainWindowState& s) {
    if (!s.tree) return;
    if (s.renameEdit) TreeView_EndEditLabelNow(s.tree, TRUE);
    TreeView_DeleteAllItems(s.tree);
    s.clipboard = tl5::TreeClipboard{};
    s.cutItem = nullptr;
}

void FillWalletTree(MainWindowState& s) {
    if (!s.tree) return;
    if (s.renameEdit) TreeView_EndEditLabelNow(s.tree, TRUE);
    // No drawing while the items go and come: a tree that redraws for each one is slow with many.
    SendMessageW(s.tree, WM_SETREDRAW, FALSE, 0);
    // The tree clipboard names its record by id and stays valid across a rebuild; the cut mark goes.
    TreeView_DeleteAllItems(s.tree);
    s.cutItem = nullptr;
    if (s.clipboard.mode == tl5::kClipCut) s.clipboard = tl5::TreeClipboard{};
    if (AppWallet().IsOpen()) InsertPlan(s.tree, tl5::BuildFillPlan(AppWallet(), TextU16), TVI_LAST);
    SendMessageW(s.tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(s.tree, nullptr, TRUE);
}

void MainWindowFillTree(HWND window) {
    if (MainWindowState* s = StateOf(window)) FillWalletTree(*s);
}

void RebuildFavoritesNode(MainWindowState& s) {
    RebuildSpecialNode(s, tl5::kTreeIndexFavorites, tl5::FavoritesNodePlan(AppWallet(), TextU16), false);
}

void RebuildFindResultsNode(MainWindowState& s, bool expand) {
    RebuildSpecialNode(s, tl5::kTreeIndexFindResults, tl5::FindResultsNodePlan(AppWallet(), TextU16), expand);
}

TreeNode NodeOfItem(const MainWindowState& s, HTREEITEM item) {
    TreeNode node;
    if (!item) return node;
    node.treeIndex = ParamOf(s.tree, item);
    node.parentIndex = ParamOf(s.tree, TreeView_GetParent(s.tree, item));
    return node;
}

TreeNode SelectedNode(const MainWindowState& s) { return NodeOfItem(s, TreeView_GetSelection(s.tree)); }

tl5::SelectionState SelectionOf(const MainWindowState& s, HTREEITEM item) {
    if (!item) item = TreeView_GetSelection(s.tree);
    return tl5::DescribeSelection(AppWallet(), NodeOfItem(s, item), s.clipboard, tl5::AppWalletGeneration().Ticket());
}

HTREEITEM FindRecordItem(const MainWindowState& s, int index) {
    if (index < 0) return nullptr;
    return Walk(s.tree, TreeView_GetRoot(s.tree), true,
                [&](HTREEITEM, uint32_t param) { return param == static_cast<uint32_t>(index); });
}

void SortChildrenOf(MainWindowState& s, HTREEITEM parent) {
    TVSORTCB sort{};
    sort.hParent = parent ? parent : TVI_ROOT;
    sort.lpfnCompare = CompareItems;
    TreeView_SortChildrenCB(s.tree, &sort, FALSE);
}

void RefreshRecordItems(MainWindowState& s, int index) {
    Walk(s.tree, TreeView_GetRoot(s.tree), false, [&](HTREEITEM item, uint32_t param) {
        if (param == static_cast<uint32_t>(index)) UpdateItem(s.tree, item, tl5::NodeOf(AppWallet(), NodeOfItem(s, item), TextU16));
        return false;
    });
}

HTREEITEM InsertOrRefreshRecord(MainWindowState& s, int index) {
    // Where the record belongs now; a rebuild keeps every expanded folder open.
    const int shownParent = tl5::ShownParentOf(AppWallet(), index);
    if (shownParent == -2) return nullptr;
    HTREEITEM item = FindRecordItem(s, index);
    HTREEITEM parentItem = shownParent >= 0 ? FindRecordItem(s, shownParent) : nullptr;
    const bool inPlace = item && TreeView_GetParent(s.tree, item) == parentItem;
    if (inPlace) {
        UpdateItem(s.tree, item, tl5::NodeOf(AppWallet(), NodeOfItem(s, item), TextU16));
        SortChildrenOf(s, parentItem);
    } else {
        const std::unordered_set<uint32_t> expanded = ExpandedParams(s.tree);
        FillWalletTree(s);
        ExpandAgain(s.tree, expanded);
        item = FindRecordItem(s, index);
    }
    if (item) {
        TreeView_SelectItem(s.tree, item);
        TreeView_EnsureVisible(s.tree, item);
    }
    return item;
}

void ActivateItem(MainWindowState& s, HTREEITEM item) {
    if (!item || !AppWallet().IsOpen()) return;
    const tl5::TreeNode node = NodeOfItem(s, item);
    const tl5::ActivateAction action = tl5::ActivationOf(AppWallet(), node);
    switch (action) {
    case tl5::ActivateAction::kToggle: TreeView_Expand(s.tree, item, TVE_TOGGLE); break;
    case tl5::ActivateAction::kOpenCardView:
    case tl5::ActivateAction::kOpenCardEdit: {
        // The card window works on a copy; the wallet takes it back when the window reports a change.
        std::unique_ptr<tl5::Card> card = AppWallet().LoadCard(node.treeIndex);
        TreeView_SelectItem(s.tree, item);
        if (card) OpenCard(s, std::move(card), false, action == tl5::ActivateAction::kOpenCardEdit);
        break;
    }
    case tl5::ActivateAction::kNothing: break;
    }
}

LRESULT OnTreeNotify(MainWindowState& s, const NMHDR& header) {
    switch (header.code) {
    case TVN_KEYDOWN: return OnKeyDown(s, reinterpret_cast<const NMTVKEYDOWN&>(header));
    case NM_CLICK: return OnClick(s);
    case TVN_BEGINLABELEDITW: return OnBeginLabelEdit(s, reinterpret_cast<const NMTVDISPINFOW&>(header));
    case TVN_ENDLABELEDITW: return OnEndLabelEdit(s, reinterpret_cast<const NMTVDISPINFOW&>(header));
    case TVN_BEGINDRAGW: return OnBeginDrag(s, reinterpret_cast<const NMTREEVIEWW&>(header));
    case NM_CUSTOMDRAW: return OnCustomDraw(s, const_cast<NMTVCUSTOMDRAW&>(reinterpret_cast<const NMTVCUSTOMDRAW&>(header)));
    case NM_SETFOCUS: return OnSetFocus(s);
    case ppc::GN_CONTEXTMENU: {
        const auto& gesture = reinterpret_cast<const ppc::NMRGINFO&>(header);
        ShowContextMenu(s, reinterpret_cast<HTREEITEM>(gesture.dwItemSpec), gesture.ptAction);
        return 1;
    }
    default: return 0;
    }
}

void OnDragMove(MainWindowState& s, POINT client) {
    if (!s.dragging) return;
    NoteActivity();
    POINT screen = client;
    ClientToScreen(s.window, &screen);
    s.dragPoint = screen;
    TVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(s.tree, &hit.pt);
    ImageList_DragShowNolock(FALSE);
    TreeView_SelectDropTarget(s.tree, TreeView_HitTest(s.tree, &hit));
    ImageList_DragMove(hit.pt.x, hit.pt.y);
    ImageList_DragShowNolock(TRUE);
}

void OnDragTimer(MainWindowState& s) {
    if (!s.dragging) {
        KillTimer(s.window, TIMER_DRAG_SCROLL);
        return;
    }
    ++s.dragTicks;
    RECT r{};
    GetWindowRect(s.tree, &r);
    const int y = s.dragPoint.y;
    int distance = -1;
    WPARAM scroll = SB_LINEUP;
    if (y <= r.top + kDragScrollZone) {
        distance = (r.top + kDragScrollZone - y) / 20;
    } else if (y >= r.bottom - kDragScrollZone) {
        distance = (y - (r.bottom - kDragScrollZone)) / 20;
        scroll = SB_LINEDOWN;
    }
    if (distance < 0) return;
    const int every = distance < 6 ? 6 - distance : 1;
    if (s.dragTicks % every != 0) return;
    ImageList_DragShowNolock(FALSE);
    SendMessageW(s.tree, WM_VSCROLL, scroll, 0);
    HTREEITEM target = TreeView_GetFirstVisible(s.tree);
    if (scroll == SB_LINEDOWN) {
        for (HTREEITEM next = target; next; next = TreeView_GetNextVisible(s.tree, next)) {
            RECT item{};
            if (!TreeView_GetItemRect(s.tree, next, &item, FALSE)) break;
            RECT client{};
            GetClientRect(s.tree, &client);
            if (item.bottom > client.bottom) break;
            target = next;
        }
    }
    TreeView_SelectDropTarget(s.tree, target);
    ImageList_DragShowNolock(TRUE);
}

void OnDragEnd(MainWindowState& s, POINT client) {
    if (!s.dragging) return;
    KillTimer(s.window, TIMER_DRAG_SCROLL);
    if (s.dragImage) {
        ImageList_DragLeave(s.tree);
        ImageList_EndDrag();
        ImageList_Destroy(s.dragImage);
        s.dragImage = nullptr;
    }
    ReleaseCapture();
    ShowCursor(TRUE);
    s.dragging = false;
    TVHITTESTINFO hit{};
    hit.pt = client;
    MapWindowPoints(s.window, s.tree, &hit.pt, 1);
    HTREEITEM target = TreeView_HitTest(s.tree, &hit);
    if (target) {
        PostMessageW(s.window, WMU_DROP, static_cast<WPARAM>(tl5::AppWalletGeneration().Ticket()),
                     reinterpret_cast<LPARAM>(target));
        return;
    }
    TreeView_SelectDropTarget(s.tree, nullptr);
    s.clipboard = tl5::TreeClipboard{};
}

void OnDrop(MainWindowState& s, uint64_t ticket, HTREEITEM target) {
    TreeView_SelectDropTarget(s.tree, nullptr);
    const tl5::TreeClipboard dragged = s.clipboard;
    s.clipboard = tl5::TreeClipboard{};
    if (!tl5::AppWalletGeneration().IsCurrent(ticket)) return;
    // The dragged record must still be the one taken, and the target an item of this tree.
    if (dragged.mode != tl5::kClipDrag || !tl5::ClipboardValid(AppWallet(), dragged, ticket)) return;
    TVITEMW probe{};
    probe.mask = TVIF_HANDLE | TVIF_PARAM;
    probe.hItem = target;
    if (!target || !TreeView_GetItem(s.tree, &probe)) return;
    const tl5::TransferPlan plan = tl5::PlanDrop(AppWallet(), NodeOfItem(s, target), dragged.node);
    switch (plan.result) {
    case tl5::TransferResult::kBeep: MessageBeep(MB_ICONHAND); return;
    case tl5::TransferResult::kFolderRefused:
        ShowMessage(s.window, IDS_FOLDER_NOT_HERE, IDS_APP_NAME, MB_ICONINFORMATION);
        return;
    case tl5::TransferResult::kRefused:
        if (HTREEITEM item = FindRecordItem(s, static_cast<int>(dragged.node.treeIndex))) TreeView_SelectItem(s.tree, item);
        return;
    default: break;
    }
    const tl5::TransferOutcome outcome = tl5::CarryOutTransfer(AppWallet(), plan);
    if (outcome.result == tl5::TransferResult::kFailed) {
        ShowMessage(s.window, tl5::TransferFailureMessage(outcome.action), IDS_ERROR, MB_ICONSTOP);
        return;
    }
    if (outcome.action == tl5::TransferAction::kAddFavorite) {
        RebuildFavoritesNode(s);
        return;
    }
    InsertOrRefreshRecord(s, outcome.index);
}

void OnItemEdited(MainWindowState& s, uint64_t ticket, int index) {
    if (!tl5::AppWalletGeneration().IsCurrent(ticket) || index < 0 ||
        static_cast<size_t>(index) >= AppWallet().ItemCount())
        return;
    // Every item that shows the record takes the new name; then its siblings are sorted again.
    RefreshRecordItems(s, index);
    HTREEITEM item = FindRecordItem(s, index);
    if (!item) return;
    SortChildrenOf(s, TreeView_GetParent(s.tree, item));
    TreeView_SelectItem(s.tree, item);
    TreeView_EnsureVisible(s.tree, item);
}

}  // namespace tl5win
