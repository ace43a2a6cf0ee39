// tl5 cp: copies a card into a folder (the copy is named "<name>*").
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "model/WalletItems.h"

using namespace tl5;
using namespace tl5cli;

namespace {

int RunCp(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {}, {}, &p) || p.positional.size() != 3) {
        std::fprintf(stderr, "usage: tl5 cp WALLET CARD FOLDER\n");
        return kExitUsage;
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("cp", p.positional[0], false, &wallet, &status)) return status;
    const int card = ResolveItem("cp", wallet, p.positional[1]);
    if (card < 0) return kExitFailure;
    const int folder = ResolveItem("cp", wallet, p.positional[2]);
    if (folder < 0) return kExitFailure;
    if (wallet.ItemAt(static_cast<size_t>(card)).Kind() != kItemKindCard) return ReportError("cp", "only cards are copied", kExitFailure);
    const int copy = CopyCard(wallet, card, folder);
    if (copy < 0) return ReportError("cp", "the card cannot be copied there", kExitFailure);
    std::printf("%s\n", wallet.ItemAt(static_cast<size_t>(copy)).Id().ToHex().c_str());
    return CloseWalletForCommand("cp", &wallet);
}

}  // namespace

TL5_COMMAND("cp", "cp WALLET CARD FOLDER", "copies a card into a folder", RunCp);
