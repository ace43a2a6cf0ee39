// tl5 attach: attaches a file to a card (at most 10 per card).
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"

using namespace tl5;
using namespace tl5cli;

namespace {

int RunAttach(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {}, {}, &p) || p.positional.size() != 3) {
        std::fprintf(stderr, "usage: tl5 attach WALLET CARD FILE\n");
        return kExitUsage;
    }
    Attachment attachment;
    if (!attachment.SetFromFile(OsFileSystem(), ArgToPath(p.positional[2]))) {
        return ReportError("attach", "cannot read " + p.positional[2] + " (or it is empty)", kExitIo);
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("attach", p.positional[0], false, &wallet, &status)) return status;
    std::unique_ptr<Card> card = LoadCardForCommand("attach", wallet, ResolveItem("attach", wallet, p.positional[1]));
    if (!card) return kExitFailure;
    const int slot = card->AddAttachment(std::move(attachment));
    if (slot < 0) return ReportError("attach", "the card has 10 attachments already", kExitFailure);
    const int saved = SaveCardForCommand("attach", wallet, card.get());
    if (saved != kExitOk) return saved;
    std::printf("%d\n", slot);
    return CloseWalletForCommand("attach", &wallet);
}

}  // namespace

TL5_COMMAND("attach", "attach WALLET CARD FILE", "attaches a file to a card; prints its slot", RunAttach);
