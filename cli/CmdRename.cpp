// tl5 rename: a new name for a folder or card.
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "model/WalletItems.h"
#include "platform/Text.h"

using namespace tl5;
using namespace tl5cli;

namespace {

int RunRename(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {}, {}, &p) || p.positional.size() != 3) {
        std::fprintf(stderr, "usage: tl5 rename WALLET ITEM NAME\n");
        return kExitUsage;
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("rename", p.positional[0], false, &wallet, &status)) return status;
    const int index = ResolveItem("rename", wallet, p.positional[1]);
    if (index < 0) return kExitFailure;
    if (RenameItem(wallet, index, Utf8ToUtf16(p.positional[2])) != 1) {
        return ReportError("rename", "the record cannot be rewritten", kExitIo);
    }
    return CloseWalletForCommand("rename", &wallet);
}

}  // namespace

TL5_COMMAND("rename", "rename WALLET ITEM NAME", "a new name for a folder or card (at most 255 characters)", RunRename);
