// tl5 passwd WALLET: change the password (the old one first) and the hint.
#include <cstdio>

#include "cli/CliCommon.h"
#include "model/Wallet.h"

namespace {

int RunPasswd(const std::vector<std::string>& args) {
    using namespace tl5cli;
    ParsedArgs a;
    if (!ParseArgs(args, {}, {}, &a) || a.positional.size() != 1) {
        std::fprintf(stderr, "usage: tl5 passwd WALLET\n  reads the old password, the new one and the hint "
                             "(one line each; an empty hint removes it, no hint line keeps it)\n");
        return kExitUsage;
    }
    tl5::Wallet wallet;
    const int status = OpenWalletForCli("passwd", a.positional[0], false, false, &wallet);
    if (status != kExitOk) return status;
    std::u16string password;
    if (!ReadNewPassword("New password: ", &password)) {
        wallet.Close(false);
        return ReportError("passwd", "no new password given", kExitUsage);
    }
    if (!tl5::IsValidPassword(password)) {
        WipePassword(&password);
        wallet.Close(false);
        return ReportError("passwd", "the password must have 3 to 24 characters", kExitUsage);
    }
    // Through the wallet, so that a protected wallet's envelope takes the new password too.
    const bool changed = wallet.ChangePassword(password);
    WipePassword(&password);
    std::u16string hint;
    if (changed && ReadTextLine("Hint (empty for none): ", &hint)) wallet.Header().SetHint(hint);
    if (!changed) {
        wallet.Close(false);
        return ReportError("passwd", "the password could not be changed", kExitFailure);
    }
    const int rc = wallet.Close(true);
    if (rc != tl5::kCloseOk)
        return ReportResult("passwd", "cannot save " + a.positional[0], rc, CloseResultText(rc), kExitIo);
    std::printf("password changed\n");
    return kExitOk;
}

}  // namespace

TL5_COMMAND("passwd", "passwd WALLET", "change a wallet's password and hint", RunPasswd);
