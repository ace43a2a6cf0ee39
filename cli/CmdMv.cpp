// tl5 mv: moves a folder or card into another folder.
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "model/WalletItems.h"

using namespace tl5;
using namespace tl5cli;

namespace {

int RunMv(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {}, {}, &p) || p.positional.size() != 3) {
        std::fprintf(stderr, "usage: tl5 mv WALLET ITEM FOLDER\n");
        return kExitUsage;
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("mv", p.positional[0], false, &wallet, &status)) return status;
    const int index = ResolveItem("mv", wallet, p.positional[1]);
    if (index < 0) return kExitFailure;
    const int target = ResolveItem("mv", wallet, p.positional[2]);
    if (target < 0) return kExitFailure;
    if (!wallet.ItemAt(static_cast<size_t>(target)).IsFolderLike()) return ReportError("mv", "the target is not a folder", kExitFailure);
    if (wallet.ItemAt(static_cast<size_t>(index)).IsMyFormsFolder()) return ReportError("mv", "My Forms stays where it is", kExitFailure);
    // A folder cannot go into itself or anything inside it.
    for (int up = target, guard = 0; up >= 0 && guard < 4096; up = ParentFolderIndexOf(wallet, up), ++guard) {
        if (up == index) return ReportError("mv", "a folder cannot be moved into itself", kExitFailure);
    }
    if (MoveItem(wallet, index, target) != 1) return ReportError("mv", "the record cannot be rewritten", kExitIo);
    return CloseWalletForCommand("mv", &wallet);
}

}  // namespace

TL5_COMMAND("mv", "mv WALLET ITEM FOLDER", "moves a folder or card into a folder", RunMv);
