// tl5 rm-field: removes a field from a card.
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"

using namespace tl5;
using namespace tl5cli;

namespace {

int RunRmField(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {}, {}, &p) || p.positional.size() != 3) {
        std::fprintf(stderr, "usage: tl5 rm-field WALLET CARD FIELD   (FIELD: name or 0-based index)\n");
        return kExitUsage;
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("rm-field", p.positional[0], false, &wallet, &status)) return status;
    std::unique_ptr<Card> card = LoadCardForCommand("rm-field", wallet, ResolveItem("rm-field", wallet, p.positional[1]));
    if (!card) return kExitFailure;
    const int index = ResolveField("rm-field", *card, p.positional[2]);
    if (index < 0) return kExitFailure;
    card->DeleteField(static_cast<size_t>(index));
    const int saved = SaveCardForCommand("rm-field", wallet, card.get());
    if (saved != kExitOk) return saved;
    return CloseWalletForCommand("rm-field", &wallet);
}

}  // namespace

TL5_COMMAND("rm-field", "rm-field WALLET CARD FIELD", "removes a field from a card (FIELD: name or index)", RunRmField);
