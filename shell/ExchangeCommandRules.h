// Export and Import of the main window apart from its windows: the export's context and card from the
// tree selection, and where Import sends the user.
#pragma once

#include "shell/WalletTreeRules.h"

namespace tl5 {

class Wallet;

// The export dialog's context: 1 a card wherever it is shown, 2 any other item, 0 nothing.
int ExportContextOf(const SelectionState& selection);

// The table index of the card to export for a selection: a card in a folder, at the top level, in My
// Forms, or shown under Favorites or Find results (the same card). -1 for anything else, or when the
// record is no longer a live card.
int ExportCardIndex(const Wallet& wallet, const SelectionState& selection);

// The folder a folder export covers: the selected folder or My Forms; -1 for anything else (a special
// node holds no folder of its own).
int ExportFolderIndex(const Wallet& wallet, const SelectionState& selection);

// Import takes form files with My Forms or a form in it selected, otherwise (after a question) a text
// file.
enum class ImportRoute : int { kFormFile, kTextFile };
ImportRoute ImportRouteFor(const SelectionState& selection);

}  // namespace tl5
