// The commands of the main window: one table from the command's handler (shell/CommandRules.h) to
// the function that carries it out, the menu preparation, and the card window's result.
//
// Every command is checked against the one rule (CommandAllowed) whether it comes from a menu, a key,
// an accelerator or a post. Code that waits for the user (a question, a dialog) takes the wallet's
// ticket first and does nothing afterwards when another wallet, or none, is open by then.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "StringIds.h"
#include "cardui/Settings.h"
#include "cardui/win/Activity.h"
#include "cardui/win/CardWindow.h"
#include "cardui/win/Clipboard.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/Menus.h"
#include "cardui/win/Strings.h"
#include "dialogs/ChooserRules.h"
#include "dialogs/DisplayRules.h"
#include "dialogs/win/About.h"
#include "dialogs/win/DisplayOptions.h"
#include "dialogs/win/ItemChoosers.h"
#include "dialogs/win/PasswordDialogs.h"
#include "dialogs/win/SecurityOptions.h"
#include "model/Card.h"
#include "model/ItemRecord.h"
#include "model/Wallet.h"
#include "model/WalletEnvelope.h"
#include "model/WalletItems.h"
#include "model/WalletProtection.h"
#include "platform/FormatText.h"
#include "platform/PathText.h"
#include "platform/SecureZero.h"
#include "platform/Text.h"
#include "platform/pocketpc/Shell.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/CommandRules.h"
#include "shell/WalletGeneration.h"
#include "shell/win/MainWindow.h"
#include "shell/win/MainWindowInternal.h"

namespace tl5win {

namespace {

using tl5::CommandHandler;
using tl5::SelectionState;

tl5::Wallet& W() { return AppWallet(); }
uint64_t Ticket() { return tl5::AppWalletGeneration().Ticket(); }
bool StillCurrent(uint64_t ticket) { return tl5::AppWalletGeneration().IsCurrent(ticket); }

HTREEITEM Selected(const MainWindowState& s) { return TreeView_GetSelection(s.tree); }

std::wstring ItemText(const MainWindowState& s, HTREEITEM item) {
    wchar_t text[256] = {};
    TVITEMW tv{};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = 256;
    TreeView_GetItem(s.tree, &tv);
    return text;
}

// Rebuilds the tree after a change of its structure, keeping the expanded folders, and selects the
// record's item.
void ShowRecord(MainWindowState& s, int index) { InsertOrRefreshRecord(s, index); }

void CancelCut(MainWindowState& s) {
    if (s.clipboard.mode != tl5::kClipCut) return;
    if (s.cutItem) TreeView_SetItemState(s.tree, s.cutItem, 0, TVIS_CUT);
    s.cutItem = nullptr;
    s.clipboard = tl5::TreeClipboard{};
}

// ---- Handlers ------------------------------------------------------------------------------------

void RunOk(MainWindowState& s, const SelectionState&, HWND control) {
    if (s.renameEdit) {
        if (control != s.renameEdit) TreeView_EndEditLabelNow(s.tree, FALSE);
        return;
    }
    PostMessageW(s.window, WMU_SHOW_WALLET_LIST, 0, 0);
}

void RunWallets(MainWindowState& s, const SelectionState&, HWND) { PostMessageW(s.window, WMU_SHOW_WALLET_LIST, 0, 0); }

void RunExit(MainWindowState& s, const SelectionState&, HWND) {
    SendMessageW(s.window, WM_ACTIVATE, WA_INACTIVE, 0);
    SendMessageW(s.window, WM_CLOSE, 0, 0);
}

// "Protection of the open wallet: ..." (empty without a wallet).
std::u16string ProtectionLine() {
    if (!W().IsOpen()) return std::u16string();
    const std::u16string what = tl5::Utf8ToUtf16(tl5::ProtectionText(W().Protection(), W().ProtectionParams()));
    return tl5::FormatText(TextU16(IDS_PROTECTION_LINE), {what});
}

void RunAbout(MainWindowState& s, const SelectionState&, HWND) { ShowAbout(s.window, tl5::ToWide(ProtectionLine())); }

void RunLeaveFind(MainWindowState& s, const SelectionState&, HWND) { LeaveFindMode(s); }
void RunFind(MainWindowState& s, const SelectionState&, HWND) { EnterFindMode(s); }

void RunFindToggle(MainWindowState& s, const SelectionState&, HWND) {
    if (MainWindowFindBarShown(s.window)) {
        LeaveFindMode(s);
    } else {
        EnterFindMode(s);
    }
}

void RunFindNow(MainWindowState& s, const SelectionState&, HWND) { FindNow(s); }

void RunFindBox(MainWindowState& s, const SelectionState&, HWND) { MainWindowLayout(s.window); }
void RunFindClear(MainWindowState& s, const SelectionState&, HWND) { SetWindowTextW(GetDlgItem(s.window, IDC_FIND_EDIT), L""); }

void ExpandAll(HWND tree, HTREEITEM first) {
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
        if (HTREEITEM child = TreeView_GetChild(tree, item)) {
            TreeView_Expand(tree, item, TVE_EXPAND);
            ExpandAll(tree, child);
        }
    }
}

void RunExpandCollapse(MainWindowState& s, const SelectionState&, HWND) {
    bool anyExpanded = false;
    for (HTREEITEM item = TreeView_GetRoot(s.tree); item; item = TreeView_GetNextSibling(s.tree, item))
        anyExpanded = anyExpanded || (TreeView_GetItemState(s.tree, item, TVIS_EXPANDED) & TVIS_EXPANDED);
    if (anyExpanded) {
        for (HTREEITEM item = TreeView_GetRoot(s.tree); item; item = TreeView_GetNextSibling(s.tree, item))
            TreeView_Expand(s.tree, item, TVE_COLLAPSE);
    } else {
        ExpandAll(s.tree, TreeView_GetRoot(s.tree));
        if (HTREEITEM item = Selected(s)) TreeView_EnsureVisible(s.tree, item);
    }
    if (!Selected(s)) TreeView_SelectItem(s.tree, TreeView_GetRoot(s.tree));
    SetFocus(s.tree);
}

void RunCut(MainWindowState& s, const SelectionState& selection, HWND) {
    CancelCut(s);
    HTREEITEM item = Selected(s);
    if (!item) return;
    s.clipboard = tl5::ClipboardFor(W(), selection.node, tl5::kClipCut, Ticket());
    s.cutItem = item;
    TreeView_SetItemState(s.tree, item, TVIS_CUT, TVIS_CUT);
}

void RunCopy(MainWindowState& s, const SelectionState& selection, HWND) {
    if (!Selected(s)) return;
    s.clipboard = tl5::ClipboardFor(W(), selection.node, tl5::kClipCopy, Ticket());
}

void RunPaste(MainWindowState& s, const SelectionState& selection, HWND) {
    const tl5::TransferPlan plan = tl5::PlanPaste(W(), selection.node, s.clipboard, Ticket());
    const bool wasCut = s.clipboard.mode == tl5::kClipCut;
    switch (plan.result) {
    case tl5::TransferResult::kBeep: MessageBeep(MB_ICONHAND); return;
    case tl5::TransferResult::kFolderRefused:
        ShowMessage(s.window, IDS_FOLDER_NOT_HERE, IDS_APP_NAME, MB_ICONINFORMATION);
        return;
    case tl5::TransferResult::kRefused: return;
    default: break;
    }
    const tl5::TransferOutcome outcome = tl5::CarryOutTransfer(W(), plan);
    if (outcome.result == tl5::TransferResult::kFailed) {
        ShowMessage(s.window, tl5::TransferFailureMessage(outcome.action), IDS_ERROR, MB_ICONSTOP);
        return;
    }
    // A copy stays on the clipboard (it can be pasted again); a cut is done.
    if (wasCut) {
        s.cutItem = nullptr;
        s.clipboard = tl5::TreeClipboard{};
    }
    if (outcome.action == tl5::TransferAction::kAddFavorite) {
        RebuildFavoritesNode(s);
        return;
    }
    ShowRecord(s, outcome.index);
}

void RunDelete(MainWindowState& s, const SelectionState& selection, HWND) {
    HTREEITEM item = Selected(s);
    if (!item) return;
    const tl5::DeletePlan plan = tl5::PlanDelete(W(), selection.node);
    if (plan.messageId) {
        ShowMessage(s.window, plan.messageId, IDS_APP_NAME, MB_ICONINFORMATION);
        return;
    }
    if (plan.action == tl5::DeleteAction::kNothing) return;
    const std::u16string question = tl5::DeleteQuestionText(plan, tl5::FromWide(ItemText(s, item)), TextU16);
    if (!question.empty()) {
        const uint64_t ticket = Ticket();
        const int answer = ShowMessage(s.window, tl5::ToWide(question), IDS_APP_NAME, MB_YESNO | MB_ICONQUESTION);
        // The question's loop dispatches timers and posts: an idle or sync close may have closed the
        // wallet meanwhile, or the tree may have been rebuilt. Then nothing is deleted.
        if (answer != IDYES || !StillCurrent(ticket)) return;
        if (!tl5::AppWalletGeneration().IsOpen() || NodeOfItem(s, Selected(s)).treeIndex != selection.node.treeIndex) return;
    }
    const tl5::DeleteOutcome outcome = tl5::CarryOutDelete(W(), plan, selection.node);
    if (outcome.result == tl5::DeleteResult::kFailed || outcome.result == tl5::DeleteResult::kPartlyDone)
        ShowMessage(s.window, IDS_DELETE_INCOMPLETE, IDS_ERROR, MB_ICONSTOP);
    switch (plan.action) {
    case tl5::DeleteAction::kRemoveFavorite:
    case tl5::DeleteAction::kClearFavorites: RebuildFavoritesNode(s); break;
    case tl5::DeleteAction::kRemoveFindResult:
    case tl5::DeleteAction::kClearFindResults: RebuildFindResultsNode(s, false); break;
    case tl5::DeleteAction::kRemoveThirdChild: TreeView_DeleteItem(s.tree, item); break;
    default: {
        // Records are gone: the tree is built again (Favorites and Find results with it).
        HTREEITEM parent = TreeView_GetParent(s.tree, item);
        const int parentIndex = parent ? static_cast<int>(NodeOfItem(s, parent).treeIndex) : -1;
        FillWalletTree(s);
        if (parentIndex >= 0) ShowRecord(s, parentIndex);
        break;
    }
    }
}

void RunClear(MainWindowState& s, const SelectionState& selection, HWND control) {
    if (selection.role == tl5::NodeRole::kFavoritesNode || selection.role == tl5::NodeRole::kFindResultsNode)
        RunDelete(s, selection, control);
}

void RunAddToFavorites(MainWindowState& s, const SelectionState& selection, HWND) {
    switch (tl5::AddNodeToFavorites(W(), selection.node)) {
    case tl5::FavoriteResult::kFull: ShowMessage(s.window, IDS_FAVORITES_FULL, IDS_APP_NAME, MB_ICONINFORMATION); return;
    case tl5::FavoriteResult::kNotACard: return;
    case tl5::FavoriteResult::kAdded:
    case tl5::FavoriteResult::kAlreadyThere: break;
    }
    RebuildFavoritesNode(s);
    for (HTREEITEM node = TreeView_GetRoot(s.tree); node; node = TreeView_GetNextSibling(s.tree, node)) {
        if (NodeOfItem(s, node).treeIndex != tl5::kTreeIndexFavorites) continue;
        TreeView_Expand(s.tree, node, TVE_EXPAND);
        for (HTREEITEM child = TreeView_GetChild(s.tree, node); child; child = TreeView_GetNextSibling(s.tree, child)) {
            if (NodeOfItem(s, child).treeIndex == selection.node.treeIndex) TreeView_SelectItem(s.tree, child);
        }
    }
    InvalidateRect(s.tree, nullptr, TRUE);
}

void RunSaveToMyForms(MainWindowState& s, const SelectionState& selection, HWND) {
    const int form = tl5::SaveNodeToMyForms(W(), selection.node);
    if (form < 0) {
        ShowMessage(s.window, IDS_SAVE_TO_MY_FORMS_FAILED, IDS_ERROR, MB_ICONSTOP);
        return;
    }
    ShowRecord(s, form);
}

void RunRename(MainWindowState& s, const SelectionState&, HWND) {
    HTREEITEM item = Selected(s);
    if (!item) return;
    s.renameAllowed = true;
    if (!TreeView_EditLabel(s.tree, item)) s.renameAllowed = false;
}

int SpecialNodeNumber(tl5::NodeRole role) {
    switch (role) {
    case tl5::NodeRole::kFavoritesNode: return 1;
    case tl5::NodeRole::kFindResultsNode: return 2;
    case tl5::NodeRole::kThirdNode: return 3;
    default: return 0;
    }
}

// The label of a special node, in the folder properties' label-only mode.
void EditSpecialNodeLabel(MainWindowState& s, int node) {
    tl5::FolderPropertiesRequest request = tl5::SpecialNodePropertiesRequest(W(), node, TextU16);
    const uint64_t ticket = Ticket();
    if (!ShowFolderProperties(s.window, W(), &request, nullptr) || !StillCurrent(ticket)) return;
    if (!tl5::SetNodeLabel(W(), node, request.label, request.nodeIcon)) return;
    if (node == 1) RebuildFavoritesNode(s);
    if (node == 2) RebuildFindResultsNode(s, false);
}

// A folder's name, icon, default form and level, on a copy of its record written back on Done.
void EditFolder(MainWindowState& s, const SelectionState& selection) {
    const int index = static_cast<int>(selection.node.treeIndex);
    tl5::ItemRecord copy;
    if (!tl5::CopyOfFolder(W(), W().ItemAt(static_cast<size_t>(index)).Id(), &copy)) return;
    tl5::FolderPropertiesRequest request;
    request.mainLevel = copy.IsTopLevel();
    request.offerMainLevel = selection.role == tl5::NodeRole::kFolder;
    const uint64_t ticket = Ticket();
    if (!ShowFolderProperties(s.window, W(), &request, &copy) || !StillCurrent(ticket)) return;
    const int stored = tl5::StoreFolder(W(), &copy, request.offerMainLevel && request.mainLevel, false);
    if (stored < 0) {
        ShowMessage(s.window, IDS_FOLDER_SAVE_FAILED, IDS_ERROR, MB_ICONSTOP);
        return;
    }
    ShowRecord(s, stored);
}

void RunProperties(MainWindowState& s, const SelectionState& selection, HWND) {
    if (tl5::IsCardRole(selection.role)) {
        ActivateItem(s, Selected(s));
    } else if (const int node = SpecialNodeNumber(selection.role)) {
        EditSpecialNodeLabel(s, node);
    } else if (selection.role == tl5::NodeRole::kFolder || selection.role == tl5::NodeRole::kMyForms) {
        EditFolder(s, selection);
    }
}

void RunNewCard(MainWindowState& s, const SelectionState& selection, HWND) {
    const tl5::NewItemTarget target = tl5::NewCardTarget(W(), selection.node);
    if (target.result == tl5::NewItemResult::kBeep) MessageBeep(MB_ICONHAND);
    if (target.result != tl5::NewItemResult::kOk) return;
    tl5::FormChoice choice;
    choice.form = target.defaultForm;
    const uint64_t ticket = Ticket();
    if (!ShowCardTypeChooser(s.window, W(), &choice) || !StillCurrent(ticket)) return;
    // The new card reaches the wallet only when the card window reports it saved (WMU_CARD_CLOSED).
    std::unique_ptr<tl5::Card> card = tl5::NewCardFromForm(W(), target.parent, choice.form);
    if (card) OpenCard(s, std::move(card), true, true);
}

void RunNewFolder(MainWindowState& s, const SelectionState& selection, HWND) {
    const tl5::NewItemTarget target = tl5::NewFolderTarget(W(), selection.node);
    if (target.result == tl5::NewItemResult::kBeep) MessageBeep(MB_ICONHAND);
    if (target.result != tl5::NewItemResult::kOk) return;
    tl5::ItemRecord record;
    if (!tl5::PrepareNewFolder(W(), target, &record)) return;
    tl5::FolderPropertiesRequest request;
    request.newFolder = true;
    request.mainLevel = target.topLevel;
    const uint64_t ticket = Ticket();
    // Cancel discards the new record: nothing was written.
    if (!ShowFolderProperties(s.window, W(), &request, &record) || !StillCurrent(ticket)) return;
    const int stored = tl5::StoreFolder(W(), &record, request.mainLevel, true);
    if (stored < 0) {
        ShowMessage(s.window, IDS_FOLDER_SAVE_FAILED, IDS_ERROR, MB_ICONSTOP);
        return;
    }
    ShowRecord(s, stored);
}

// The password of the open wallet, for the first step of Change Password.
class OpenWalletMatcher : public PasswordMatcher {
public:
    bool Matches(std::u16string_view password) override {
        return W().IsOpen() && W().Header().IsPasswordSet() && W().Header().CheckPassword(password);
    }
    std::u16string Hint() override {
        std::u16string hint;
        return tl5::GetHint(W(), &hint) ? hint : std::u16string();
    }
};

void RunChangePassword(MainWindowState& s, const SelectionState&, HWND) {
    const uint64_t ticket = Ticket();
    const std::u16string path = W().Path();
    const std::wstring name = tl5::ToWide(tl5::FileTitleOf(path));
    wchar_t current[kPasswordBufferSize] = {};
    OpenWalletMatcher matcher;
    const bool known = ShowPasswordEntryDialog(s.window, name.c_str(), current, &matcher);
    tl5::SecureZero(current, sizeof(current));
    if (!known || !StillCurrent(ticket)) return;
    wchar_t password[kPasswordBufferSize] = {};
    wchar_t hint[kHintBufferSize] = {};
    const bool chosen = ShowNewPasswordDialog(s.window, NewPasswordMode::ChangePassword, password, hint);
    std::u16string secret = tl5::FromWide(password);
    tl5::SecureZero(password, sizeof(password));
    const bool changed = chosen && StillCurrent(ticket) && W().ChangePassword(secret);
    tl5::SecureZero(secret);
    if (!changed) return;
    // The hint goes with the new password (an empty one removes the old hint).
    tl5::SetHint(W(), tl5::FromWide(hint));
    ShowMessage(s.window, IDS_PASSWORD_CHANGED, IDS_APP_NAME, MB_ICONINFORMATION);
    // The wallet is saved, closed and opened again: the user now gives the new password.
    if (StillCurrent(ticket)) MainWindowOpenWallet(s.window, tl5::ToWide(path).c_str());
}

// The security options of the open wallet. The guard keeps running while the dialog is up (the
// dialog's messages are activity, and a wallet left with the dialog open still closes); afterwards it
// follows the period, confirmed or not.
void RunSecurity(MainWindowState& s, const SelectionState&, HWND) {
    const uint64_t ticket = Ticket();
    tl5::SecurityOptions options;
    options.autoCloseMinutes = tl5::GetAutoCloseMinutes(W());
    options.closeOnSwitch = tl5::GetCloseOnSwitch(W());
    options.closeOnLock = tl5::AppSettings().closeOnLock != 0;
    const bool wasModern = W().Protection() == tl5::WalletProtection::Modern;
    options.modernProtection = wasModern;
    options.protectionLine = ProtectionLine();
    const uint32_t stored = options.autoCloseMinutes;
    const bool confirmed = ShowSecurityOptions(s.window, &options);
    if (!StillCurrent(ticket)) return;
    if (confirmed) {
        // A period the list does not offer (set elsewhere) comes back unchanged and is not stored.
        if (options.autoCloseMinutes != stored) tl5::SetAutoCloseMinutes(W(), options.autoCloseMinutes);
        tl5::AppSettings().closeOnLock = options.closeOnLock ? 1 : 0;
    }
    NoteActivity();
    StartGuard(s);
    if (!confirmed || options.modernProtection == wasModern) return;
    // The protection is changed with the wallet's password.
    const std::wstring name = tl5::ToWide(tl5::FileTitleOf(W().Path()));
    wchar_t typed[kPasswordBufferSize] = {};
    OpenWalletMatcher matcher;
    const bool known = ShowPasswordEntryDialog(s.window, name.c_str(), typed, &matcher);
    std::u16string password = tl5::FromWide(typed);
    tl5::SecureZero(typed, sizeof(typed));
    if (known && StillCurrent(ticket)) ChangeWalletProtection(s, options.modernProtection, password);
    tl5::SecureZero(password);
}

void RunCheckForUpdates(MainWindowState&, const SelectionState&, HWND) {
    ppc::StartDeviceProgram(tl5::ToWide(tl5::kBrowserProgram).c_str(), tl5::ToWide(tl5::kUpdatesUrl).c_str());
}

void RunHelp(MainWindowState&, const SelectionState&, HWND) {
    ppc::StartDeviceProgram(tl5::ToWide(tl5::kHelpProgram).c_str(), tl5::ToWide(tl5::HelpCommandLine(tl5::kHelpPage)).c_str());
}

// The display options: the tree font and colours take effect at once; the card view defaults reach
// new cards.
void RunDisplay(MainWindowState& s, const SelectionState&, HWND) {
    const uint64_t ticket = Ticket();
    tl5::DisplayChoices choices = tl5::DisplayChoicesOf(W().Settings(), tl5::AppSettings());
    const bool confirmed = ShowDisplayOptions(s.window, &choices);
    if (!confirmed || !StillCurrent(ticket)) return;
    const tl5::DisplayApplied applied = tl5::ApplyDisplayChoices(choices, &W().Settings(), &tl5::AppSettings());
    if (applied.treeFontChanged) {
        const tl5::Settings& settings = tl5::AppSettings();
        if (HFONT font = AppFontCache().FontForSize(static_cast<int>(settings.MainFontSize()), settings.MainFontBold()))
            SendMessageW(s.tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    InvalidateRect(s.tree, nullptr, TRUE);
}

void RunExport(MainWindowState& s, const SelectionState& selection, HWND) { RunExportCommand(s, selection); }
void RunImport(MainWindowState& s, const SelectionState& selection, HWND) { RunImportCommand(s, selection); }
void RunImportForm(MainWindowState& s, const SelectionState&, HWND) { RunImportFormCommand(s); }

struct HandlerEntry {
    CommandHandler handler;
    void (*run)(MainWindowState& s, const SelectionState& selection, HWND control);
};

constexpr HandlerEntry kHandlers[] = {
    {CommandHandler::kOk, RunOk},
    {CommandHandler::kCancel, RunWallets},
    {CommandHandler::kExit, RunExit},
    {CommandHandler::kProperties, RunProperties},
    {CommandHandler::kDelete, RunDelete},
    {CommandHandler::kRemove, RunDelete},
    {CommandHandler::kClear, RunClear},
    {CommandHandler::kChangePassword, RunChangePassword},
    {CommandHandler::kAbout, RunAbout},
    {CommandHandler::kLeaveFind, RunLeaveFind},
    {CommandHandler::kWallets, RunWallets},
    {CommandHandler::kNewCard, RunNewCard},
    {CommandHandler::kNewFolder, RunNewFolder},
    {CommandHandler::kFind, RunFind},
    {CommandHandler::kGo, RunFindNow},
    {CommandHandler::kCut, RunCut},
    {CommandHandler::kCopy, RunCopy},
    {CommandHandler::kPaste, RunPaste},
    {CommandHandler::kDisplay, RunDisplay},
    {CommandHandler::kSecurity, RunSecurity},
    {CommandHandler::kSaveToMyForms, RunSaveToMyForms},
    {CommandHandler::kAddToFavorites, RunAddToFavorites},
    {CommandHandler::kExport, RunExport},
    {CommandHandler::kImport, RunImport},
    {CommandHandler::kImportForm, RunImportForm},
    {CommandHandler::kRename, RunRename},
    {CommandHandler::kCheckForUpdates, RunCheckForUpdates},
    {CommandHandler::kHelp, RunHelp},
    {CommandHandler::kFindToggle, RunFindToggle},
    {CommandHandler::kFindBox, RunFindBox},
    {CommandHandler::kFindNow, RunFindNow},
    {CommandHandler::kFindClear, RunFindClear},
    {CommandHandler::kExpandCollapse, RunExpandCollapse},
};

}  // namespace

bool RunMainWindowCommand(MainWindowState& s, int id, int code, HWND control) {
    NoteActivity();
    const tl5::CommandEntry* entry = tl5::FindCommand(static_cast<uint32_t>(id));
    if (!entry) return false;
    // The find box reports every change; only EN_CHANGE lays the banner out again.
    if (entry->handler == CommandHandler::kFindBox && code != EN_CHANGE) return true;
    if (tl5::CancelsPendingCut(static_cast<uint32_t>(id))) CancelCut(s);
    const SelectionState selection = SelectionOf(s);
    if (!tl5::CommandAllowed(static_cast<uint32_t>(id), selection, W().IsOpen())) return true;
    for (const HandlerEntry& handler : kHandlers) {
        if (handler.handler == entry->handler) {
            handler.run(s, selection, control);
            break;
        }
    }
    return true;
}

void PrepareMainWindowMenu(MainWindowState& s, HMENU menu) {
    PrepareMenu(menu);
    const tl5::MenuPreparation preparation =
        tl5::PrepareMenu(W().IsOpen(), tl5::AppSettings().exitMenu, SelectionOf(s));
    for (const tl5::MenuItemUpdate& update : preparation.items) {
        switch (update.change) {
        case tl5::MenuItemChange::kRemove: DeleteMenu(menu, update.id, MF_BYCOMMAND); break;
        case tl5::MenuItemChange::kEnable: EnableMenuCommand(menu, update.id, true); break;
        case tl5::MenuItemChange::kDisable: EnableMenuCommand(menu, update.id, false); break;
        }
    }
    if (preparation.deleteCaptionId && GetMenuState(menu, IDM_DELETE, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
        std::wstring caption = Text(preparation.deleteCaptionId);
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_STRING;
        item.dwTypeData = caption.data();
        SetMenuItemInfoW(menu, IDM_DELETE, FALSE, &item);
    }
}

void OpenCard(MainWindowState& s, std::unique_ptr<tl5::Card> card, bool isNew, bool edit) {
    if (!card || s.openCard || OpenCardWindow()) return;
    auto open = std::make_unique<OpenCardState>();
    open->card = std::move(card);
    open->isNew = isNew;
    open->ticket = Ticket();
    open->params.card = open->card.get();
    open->params.owner = s.window;
    open->params.notifyMessage = WMU_CARD_CLOSED;
    open->params.initialMode = edit ? tl5::CardMode::kEdit : tl5::CardMode::kView;
    open->params.startAtName = edit;
    CardWindowParams* params = &open->params;
    s.openCard = std::move(open);
    RunCardWindow(*params);
    // The window never came up: nothing to carry out.
    if (s.openCard && s.openCard->params.result < 0 && &s.openCard->params == params) s.openCard.reset();
}

void OnCardClosed(MainWindowState& s, WPARAM result) {
    std::unique_ptr<OpenCardState> open = std::move(s.openCard);
    // Carried out already (the wallet closed while the card window was open), or another wallet.
    if (!open || !StillCurrent(open->ticket)) return;
    const tl5::CardClosedOutcome outcome =
        tl5::StoreClosedCard(W(), static_cast<int>(result), open->card.get(), open->isNew);
    switch (outcome.result) {
    case tl5::CardClosedResult::kNothing: break;
    case tl5::CardClosedResult::kFailed:
        ShowMessage(s.window, result == static_cast<WPARAM>(tl5::kCardClosedDeleted) ? IDS_DELETE_INCOMPLETE : IDS_CARD_SAVE_FAILED,
                    IDS_ERROR, MB_ICONSTOP);
        break;
    case tl5::CardClosedResult::kAdded: ShowRecord(s, outcome.index); break;
    case tl5::CardClosedResult::kReplaced:
        ShowRecord(s, outcome.index);
        RefreshRecordItems(s, outcome.index);
        RebuildFavoritesNode(s);
        RebuildFindResultsNode(s, false);
        break;
    case tl5::CardClosedResult::kDeleted:
        // The card's item goes; Favorites and Find results are made again without it.
        if (HTREEITEM item = FindRecordItem(s, outcome.index)) TreeView_DeleteItem(s.tree, item);
        RebuildFavoritesNode(s);
        RebuildFindResultsNode(s, false);
        break;
    }
}

void BeforeWalletCloses(MainWindowState& s) {
    if (OpenCardWindow()) CloseCardWindowNow();
    if (s.openCard && s.openCard->params.result >= 0) OnCardClosed(s, static_cast<WPARAM>(s.openCard->params.result));
    ClearSecretFromClipboard();
}

}  // namespace tl5win
