// tl5 rm: deletes a card, or a folder (with everything in it when --recursive).
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "model/TreeIndex.h"
#include "model/WalletItems.h"

using namespace tl5;
using namespace tl5cli;

namespace {

// Deletes the children first, then the item itself. The index stays true to the tree while the walk
// deletes: a deletion marks the entry in place and changes no other folder's children.
bool DeleteTree(Wallet& wallet, const TreeIndex& tree, int index, int depth) {
    if (depth > 4096) return false;
    for (uint32_t child : tree.Children(static_cast<uint32_t>(index))) {
        if (!DeleteTree(wallet, tree, static_cast<int>(child), depth + 1)) return false;
    }
    return DeleteItem(wallet, index) == 1;
}

int RunRm(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {"--recursive"}, {}, &p) || p.positional.size() != 2) {
        std::fprintf(stderr, "usage: tl5 rm WALLET ITEM [--recursive]\n");
        return kExitUsage;
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("rm", p.positional[0], false, &wallet, &status)) return status;
    const int index = ResolveItem("rm", wallet, p.positional[1]);
    if (index < 0) return kExitFailure;
    const ItemRecord& r = wallet.ItemAt(static_cast<size_t>(index));
    if (r.IsMyFormsFolder()) return ReportError("rm", "the My Forms folder cannot be deleted", kExitFailure);
    TreeIndex tree;
    if (!tree.Build(wallet)) return ReportError("rm", "out of memory", kExitFailure);
    if (!tree.Children(static_cast<uint32_t>(index)).empty() && !p.Has("--recursive")) {
        return ReportError("rm", "the folder is not empty (use --recursive)", kExitFailure);
    }
    if (!DeleteTree(wallet, tree, index, 0)) return ReportError("rm", "deleting failed", kExitIo);
    return CloseWalletForCommand("rm", &wallet);
}

}  // namespace

TL5_COMMAND("rm", "rm WALLET ITEM [--recursive]", "deletes a card or a folder", RunRm);
