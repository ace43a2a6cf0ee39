// The commands of the main window as data: each command id with the handler that carries it out and
// the rule that enables it, and the preparation of a menu before it shows (which items are enabled,
// disabled or removed, and the caption of Delete). The window side keeps one dispatch table from
// CommandHandler to its functions; later screens extend the enum and the table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "StringIds.h"
#include "resources/resource.h"
#include "shell/WalletTreeRules.h"

namespace tl5 {

enum class CommandHandler : int {
    kOk, kCancel, kExit, kProperties, kDelete, kChangePassword, kAbout, kLeaveFind, kWallets,
    kNewCard, kNewFolder, kFind, kGo, kCut, kCopy, kPaste, kDisplay, kSecurity, kSaveToMyForms,
    kAddToFavorites, kExport, kImport, kClear, kImportForm, kRemove, kRename, kCheckForUpdates, kHelp,
    kFindToggle, kFindBox, kFindNow, kFindClear, kExpandCollapse,
};

enum class EnableRule : int {
    kAlways,
    kExitMenu,    // on a menu only when the setting ExitMenu is not 0; always carried out when it arrives
    kSelection,   // something is selected
    kDelete,      // Remove or Clear flag: always; otherwise the Delete flag
    kFlag,        // the command flag in `flag`
    kNotOnMenu,   // find bar controls
};

struct CommandEntry {
    uint32_t id;
    CommandHandler handler;
    EnableRule rule;
    uint32_t flag;       // for kFlag
    bool needsWallet;    // does nothing when no wallet is open (posted, accelerators)
};

// The table, in id order.
const CommandEntry* CommandTable();
size_t CommandTableSize();
// The entry of an id, or nullptr (any other id does nothing on the main window).
const CommandEntry* FindCommand(uint32_t id);

// Every command but Paste cancels a pending cut.
bool CancelsPendingCut(uint32_t id);

// The one rule for a command that arrives (menu, key, accelerator or post): false when it must do
// nothing. Menus show the same answer through PrepareMenu.
bool CommandAllowed(uint32_t id, const SelectionState& selection, bool walletOpen);

// The scope of Export: 1 a card selected, 2 something else selected, 0 nothing.
int ExportScope(const SelectionState& selection);

// ---- Menu preparation ----------------------------------------------------------------------------------

enum class MenuItemChange : int { kEnable, kDisable, kRemove };

struct MenuItemUpdate {
    uint32_t id;
    MenuItemChange change;
};

struct MenuPreparation {
    std::vector<MenuItemUpdate> items;  // by command id; items missing from a menu are skipped
    uint32_t deleteCaptionId = 0;       // the caption string of Delete (805), 0: leave it
};

// For WM_INITMENUPOPUP of the menu bar's pop-ups and the tree pop-ups alike.
MenuPreparation PrepareMenu(bool walletOpen, uint32_t exitMenu, const SelectionState& selection);

// The change for one id in a preparation, or nullptr when it is left as it is.
const MenuItemUpdate* FindUpdate(const MenuPreparation& preparation, uint32_t id);

// ---- Texts and programs of the commands -----------------------------------------------------------------

inline constexpr char16_t kHelpPage[] = u"tlpro5en.htm";
inline constexpr char16_t kHelpProgram[] = u"peghelp.exe";
inline constexpr char16_t kHelpCommandFormat[] = u"file:%s";
inline constexpr char16_t kUpdatesUrl[] = u"http://www.ostrovaworks.com/updates";
inline constexpr char16_t kBrowserProgram[] = u"iexplore.exe";

// Message shown after the password was changed, and the caption of information and question boxes.
constexpr uint32_t kStringPasswordChanged = IDS_PASSWORD_CHANGED;
constexpr uint32_t kStringAppCaption = IDS_APP_NAME;

// "file:<page>": the help viewer's command line for a page (a path or the page name).
std::u16string HelpCommandLine(std::u16string_view page);

}  // namespace tl5
