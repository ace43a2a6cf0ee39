// tl5 create WALLET [--hint TEXT] [--sample-folder] [--protect [--memory MIB] [--passes N]]
#include <cstdio>

#include "cli/CliCommon.h"
#include "model/Wallet.h"
#include "platform/Text.h"

namespace {

int RunCreate(const std::vector<std::string>& args) {
    using namespace tl5cli;
    ParsedArgs a;
    if (!ParseArgs(args, {"--sample-folder", "--protect"}, {"--hint", "--memory", "--passes"}, &a) ||
        a.positional.size() != 1) {
        std::fprintf(stderr, "usage: tl5 create WALLET [--hint TEXT] [--sample-folder] [--protect [--memory MIB] "
                             "[--passes N]]\n");
        return kExitUsage;
    }
    tl5::EnvelopeParams params;
    if (!EnvelopeParamsFromArgs("create", a, &params)) return kExitUsage;
    std::u16string password;
    if (!ReadNewPassword("New password: ", &password)) return ReportError("create", "no password given", kExitUsage);
    const std::string* hint = a.Value("--hint");
    tl5::Wallet wallet;
    const int rc = wallet.Create(ArgToPath(a.positional[0]), password, hint ? tl5::Utf8ToUtf16(*hint) : u"",
                                 a.Has("--sample-folder"),
                                 a.Has("--protect") ? tl5::WalletProtection::Modern : tl5::WalletProtection::Classic,
                                 params);
    WipePassword(&password);
    if (rc != tl5::kCreateOk)
        return ReportResult("create", "cannot create " + a.positional[0], rc, CreateResultText(rc), CreateResultExit(rc));
    std::printf("created %s\n", a.positional[0].c_str());
    return kExitOk;
}

}  // namespace

TL5_COMMAND("create", "create WALLET [--hint TEXT] [--sample-folder] [--protect [--memory MIB] [--passes N]]",
            "create a new wallet (--protect: in the modern envelope, Argon2id 64 MiB/3 unless given)", RunCreate);
