// Operations on the items of the open wallet: lookups, new folders and cards (empty or from a form),
// rename, move, copy, save as a form, delete, the header and settings accessors, the favourites, and
// find. Every change reaches the file at once through the wallet's save operations.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/Card.h"
#include "model/ItemId.h"
#include "model/ItemRecord.h"

namespace tl5 {

class Wallet;

// Kinds answered for special node index values.
constexpr int kKindFavoritesNode = 100;
constexpr int kKindFindResultsNode = 200;
constexpr int kKindThirdNode = 300;

// Change bit of the settings block when the favourites change.
constexpr uint32_t kFavoritesChanged = 0x10000000;

// Longest search text used, and longest texts compared, by find.
constexpr size_t kFindTextChars = 63;
constexpr size_t kFindNameChars = 256;
constexpr size_t kFindFieldChars = 49151;

// ---- Lookups ---------------------------------------------------------------------------------------
// The record with the id and its index (may be null), or nullptr.
ItemRecord* RecordOfId(Wallet& wallet, const ItemId& id, int* index);
// 1, 2 or 3 for a table index; 100, 200, 300 for the special node values; 0 otherwise.
int KindOfIndex(const Wallet& wallet, uint32_t index);
// The table record whose id is this record's parent, or nullptr.
ItemRecord* ParentEntryOf(Wallet& wallet, int index);
// The index (other than its own) of the folder or My Forms folder that is this record's parent, or -1.
int ParentFolderIndexOf(const Wallet& wallet, int index);
// The first kind-3 record in the table, or nullptr.
ItemRecord* MyFormsFolder(Wallet& wallet);
// A deep copy (with its own key copy) of the folder or My Forms folder with the id; false for others.
bool CopyOfFolder(Wallet& wallet, const ItemId& id, ItemRecord* copy);
// The name of a built-in form, or of a live card in My Forms, cut to maxChars. False when not found.
bool FormName(const Wallet& wallet, const FormId& form, std::u16string* name, size_t maxChars = 255);

// ---- Changes ---------------------------------------------------------------------------------------
// A new folder record under the parent (or the My Forms folder, which has no parent); not saved.
bool NewFolder(Wallet& wallet, const ItemId& parent, bool myForms, ItemRecord* record);
// A new card under the parent with the card view defaults and no fields; not saved.
std::unique_ptr<Card> NewEmptyCard(Wallet& wallet, const ItemId& parent);
// A new card built from a built-in form or a form in My Forms; nullptr when the form does not exist.
std::unique_ptr<Card> NewCardFromForm(Wallet& wallet, const ItemId& parent, const FormId& form);
// Sets the name and rewrites the record in place. 1 when rewritten; the table keeps the old name when
// the rewrite fails.
int RenameItem(Wallet& wallet, int index, std::u16string_view name);
// Sets the parent to the target's id and rewrites the record in place. 1 when rewritten.
int MoveItem(Wallet& wallet, int index, int targetIndex);
// A copy of the card (a new id, named "<name>*") saved under the folder. The new index, or -1.
int CopyCard(Wallet& wallet, int cardIndex, int folderIndex);
// A copy of the card without values saved in My Forms. The new index, or -1.
int SaveToMyForms(Wallet& wallet, int cardIndex);
// Takes the item out of the favourites and the find results and marks it deleted in the table and the
// file. 1 when done.
int DeleteItem(Wallet& wallet, int index);

// ---- Header and settings ---------------------------------------------------------------------------
bool GetHint(const Wallet& wallet, std::u16string* hint);  // false when no hint is set
bool SetHint(Wallet& wallet, std::u16string_view hint);    // empty: no hint
// Node 1-3: the icon always, the label (empty when unset).
bool GetNodeLabel(const Wallet& wallet, int node, std::u16string* label, int32_t* icon);
// The icon unless -1; an empty label empties the slot.
bool SetNodeLabel(Wallet& wallet, int node, std::u16string_view label, int32_t icon);
uint32_t GetAutoCloseMinutes(const Wallet& wallet);
bool SetAutoCloseMinutes(Wallet& wallet, uint32_t minutes);
bool GetCloseOnSwitch(const Wallet& wallet);

int FavoriteCount(const Wallet& wallet);
ItemId FavoriteAt(const Wallet& wallet, int position);
bool IsFavorite(const Wallet& wallet, const ItemId& id);
bool AddFavorite(Wallet& wallet, const ItemId& id);
bool RemoveFavorite(Wallet& wallet, const ItemId& id);
void ClearFavorites(Wallet& wallet);

// ---- Find ------------------------------------------------------------------------------------------
// Searches every live card in the file (forms included) for the text, ignoring case, in its name, its
// fields' shown values and, when asked, its field names. At most 48 results, in file order. The number
// of results.
int FindCards(Wallet& wallet, std::u16string_view text, bool searchFieldNames);
int FindResultCount(Wallet& wallet);
int FindResultIndex(Wallet& wallet, int i);  // the table index of result i, or -1
ItemRecord* FindResultRecord(Wallet& wallet, int i);
bool RemoveFindResult(Wallet& wallet, int tableIndex);
void ClearFindResults(Wallet& wallet);

}  // namespace tl5
