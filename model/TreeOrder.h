// The order in which the wallet tree and the text export list the items of one folder:
//   1. the Find results node first, then the Favorites node;
//   2. cards before folders;
//   3. cards among themselves and folders among themselves by name, compared without regard to case
//      over their first 64 characters;
//   4. the My Forms folder last.
// Anything else (the third special node, an entry of an unknown kind) sorts after the folders and before
// My Forms, so the order is a proper ordering for every input.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tl5 {

class Wallet;

// Tree index values of the special nodes and the number of name characters compared.
constexpr uint32_t kTreeIndexFavorites = 0x10000000;
constexpr uint32_t kTreeIndexFindResults = 0x20000000;
constexpr uint32_t kTreeIndexThirdNode = 0x40000000;
constexpr size_t kTreeOrderNameChars = 64;

enum TreeRank : int {
    kRankFindResults = 0,
    kRankFavorites = 1,
    kRankCard = 2,
    kRankFolder = 3,
    kRankOther = 4,
    kRankMyForms = 5,
};

// What the order looks at for one entry.
struct TreeOrderKey {
    int rank = kRankOther;
    std::u16string name;  // cut to 64 characters
};

// Negative when a comes first, 0 when equal, positive otherwise.
int CompareTreeOrder(const TreeOrderKey& a, const TreeOrderKey& b);

// The rank of a tree index (a table index or a special node value) in the open wallet.
int TreeRankOf(const Wallet& wallet, uint32_t treeIndex);
// The key of a tree index (the name is decrypted for table entries).
TreeOrderKey TreeOrderKeyOf(const Wallet& wallet, uint32_t treeIndex);
// The comparison of two tree indexes; decrypts both names, so sorting many entries is cheaper with
// SortByTreeOrder.
int CompareTreeIndexes(const Wallet& wallet, uint32_t a, uint32_t b);
// Sorts tree indexes into the order (stable: equal entries keep their order), each name decrypted once.
void SortByTreeOrder(const Wallet& wallet, std::vector<uint32_t>* treeIndexes);

}  // namespace tl5
