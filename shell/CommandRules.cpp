#include "shell/CommandRules.h"

#include <algorithm>

namespace tl5 {

namespace {

using H = CommandHandler;
using R = EnableRule;

constexpr CommandEntry kTable[] = {
    {IDM_OK, H::kOk, R::kAlways, 0, false},
    {IDM_SYSTEM_CANCEL, H::kCancel, R::kAlways, 0, false},
    {IDM_EXIT, H::kExit, R::kExitMenu, 0, false},
    {IDM_PROPERTIES, H::kProperties, R::kSelection, 0, true},
    {IDM_DELETE, H::kDelete, R::kDelete, 0, true},
    {IDM_CHANGE_PASSWORD, H::kChangePassword, R::kAlways, 0, true},
    {IDM_ABOUT, H::kAbout, R::kAlways, 0, false},
    {IDM_CANCEL, H::kLeaveFind, R::kAlways, 0, false},
    {IDM_WALLETS, H::kWallets, R::kAlways, 0, true},
    {IDM_NEW_CARD, H::kNewCard, R::kFlag, kFlagNewCard, true},
    {IDM_NEW_FOLDER, H::kNewFolder, R::kFlag, kFlagNewFolder, true},
    {IDM_FIND, H::kFind, R::kAlways, 0, true},
    {IDM_GO, H::kGo, R::kAlways, 0, true},
    {IDM_CUT, H::kCut, R::kFlag, kFlagCut, true},
    {IDM_COPY, H::kCopy, R::kFlag, kFlagCopy, true},
    {IDM_PASTE, H::kPaste, R::kFlag, kFlagPaste, true},
    {IDM_DISPLAY, H::kDisplay, R::kAlways, 0, true},
    {IDM_SECURITY, H::kSecurity, R::kAlways, 0, true},
    {IDM_SAVE_TO_MY_FORMS, H::kSaveToMyForms, R::kFlag, kFlagSaveToMyForms, true},
    {IDM_ADD_TO_FAVORITES, H::kAddToFavorites, R::kFlag, kFlagAddFavorite, true},
    {IDM_EXPORT, H::kExport, R::kFlag, kFlagExport, true},
    {IDM_IMPORT, H::kImport, R::kAlways, 0, true},
    {IDM_CLEAR, H::kClear, R::kAlways, 0, true},
    {IDM_IMPORT_FORM, H::kImportForm, R::kAlways, 0, true},
    {IDM_REMOVE, H::kRemove, R::kDelete, 0, true},
    {IDM_RENAME, H::kRename, R::kAlways, 0, true},
    {IDM_CHECK_FOR_UPDATES, H::kCheckForUpdates, R::kAlways, 0, false},
    {IDM_HELP, H::kHelp, R::kAlways, 0, false},
    {IDC_FIND_TOGGLE, H::kFindToggle, R::kNotOnMenu, 0, true},
    {IDC_FIND_EDIT, H::kFindBox, R::kNotOnMenu, 0, true},
    {IDC_FIND_NOW, H::kFindNow, R::kNotOnMenu, 0, true},
    {IDC_FIND_CLEAR, H::kFindClear, R::kNotOnMenu, 0, true},
    {IDC_EXPAND_COLLAPSE, H::kExpandCollapse, R::kNotOnMenu, 0, true},
};

bool DeleteEnabled(const SelectionState& s) {
    if (s.role == NodeRole::kNothing) return false;
    return DeleteKindOf(s.flags) != DeleteKind::kNone;
}

}  // namespace

const CommandEntry* CommandTable() { return kTable; }
size_t CommandTableSize() { return sizeof kTable / sizeof kTable[0]; }

const CommandEntry* FindCommand(uint32_t id) {
    for (const CommandEntry& e : kTable)
        if (e.id == id) return &e;
    return nullptr;
}

bool CancelsPendingCut(uint32_t id) { return id != IDM_PASTE; }

bool CommandAllowed(uint32_t id, const SelectionState& selection, bool walletOpen) {
    const CommandEntry* e = FindCommand(id);
    if (!e) return false;
    if (e->needsWallet && !walletOpen) return false;
    switch (e->rule) {
        case R::kSelection: return selection.role != NodeRole::kNothing;
        case R::kDelete: return DeleteEnabled(selection);
        case R::kFlag: return (selection.flags & e->flag) != 0;
        default: return true;
    }
}

int ExportScope(const SelectionState& selection) {
    if (selection.role == NodeRole::kNothing) return 0;
    return IsCardRole(selection.role) ? 1 : 2;
}

MenuPreparation PrepareMenu(bool walletOpen, uint32_t exitMenu, const SelectionState& selection) {
    MenuPreparation p;
    auto set = [&p](uint32_t id, bool enabled) {
        p.items.push_back({id, enabled ? MenuItemChange::kEnable : MenuItemChange::kDisable});
    };
    // Exit never shows while ExitMenu is 0, with or without a wallet.
    if (exitMenu == 0) p.items.push_back({IDM_EXIT, MenuItemChange::kRemove});
    if (!walletOpen) {
        set(IDM_NEW_CARD, false);
        set(IDM_NEW_FOLDER, false);
        return p;
    }
    const uint32_t f = selection.flags;
    p.deleteCaptionId = DeleteCaptionId(f);
    set(IDM_DELETE, DeleteEnabled(selection));
    set(IDM_NEW_CARD, CommandAllowed(IDM_NEW_CARD, selection, true));
    set(IDM_NEW_FOLDER, CommandAllowed(IDM_NEW_FOLDER, selection, true));
    set(IDM_PROPERTIES, CommandAllowed(IDM_PROPERTIES, selection, true));
    for (uint32_t id : {IDM_ADD_TO_FAVORITES, IDM_CUT, IDM_COPY, IDM_PASTE, IDM_EXPORT, IDM_SAVE_TO_MY_FORMS})
        set(id, CommandAllowed(id, selection, true));
    return p;
}

const MenuItemUpdate* FindUpdate(const MenuPreparation& preparation, uint32_t id) {
    auto it = std::find_if(preparation.items.begin(), preparation.items.end(),
                           [id](const MenuItemUpdate& u) { return u.id == id; });
    return it == preparation.items.end() ? nullptr : &*it;
}

std::u16string HelpCommandLine(std::u16string_view page) {
    return FormatText(kHelpCommandFormat, {std::u16string(page)});
}

}  // namespace tl5
