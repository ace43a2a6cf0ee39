// tl5 save-as-form: a copy of a card without its values, saved in My Forms.
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "model/WalletItems.h"

using namespace tl5;
using namespace tl5cli;

namespace {

int RunSaveAsForm(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {}, {}, &p) || p.positional.size() != 2) {
        std::fprintf(stderr, "usage: tl5 save-as-form WALLET CARD\n");
        return kExitUsage;
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("save-as-form", p.positional[0], false, &wallet, &status)) return status;
    const int card = ResolveItem("save-as-form", wallet, p.positional[1]);
    if (card < 0) return kExitFailure;
    const int form = SaveToMyForms(wallet, card);
    if (form < 0) return ReportError("save-as-form", "the card cannot be saved as a form", kExitFailure);
    std::printf("%s\n", wallet.ItemAt(static_cast<size_t>(form)).Id().ToHex().c_str());
    return CloseWalletForCommand("save-as-form", &wallet);
}

}  // namespace

TL5_COMMAND("save-as-form", "save-as-form WALLET CARD", "saves a card without its values as a form in My Forms",
            RunSaveAsForm);
