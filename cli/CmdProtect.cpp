// tl5 protect WALLET [--memory MIB] [--passes N] and tl5 unprotect WALLET: put a wallet into the modern
// envelope (Argon2id, 64 MiB and 3 passes unless given, and AES-256-GCM) or take it back out to the
// classic format. The password comes from standard input.
#include <cstdio>

#include "cli/CliCommon.h"
#include "model/WalletProtection.h"

namespace {

const char* ProtectResultText(int code) {
    switch (code) {
        case tl5::kProtectAlready: return "the wallet is protected already";
        case tl5::kProtectNotProtected: return "the wallet is not protected";
        case tl5::kProtectNoPassword: return "the wallet has no password; set one with tl5 passwd first";
        case tl5::kProtectCannotWrite: return "the new file cannot be written; the wallet is unchanged";
        default: return "the protection failed; the wallet is unchanged";
    }
}

int Run(const char* command, const std::vector<std::string>& args, bool protect) {
    using namespace tl5cli;
    ParsedArgs a;
    if (!ParseArgs(args, {}, protect ? std::vector<std::string>{"--memory", "--passes"} : std::vector<std::string>{},
                   &a) ||
        a.positional.size() != 1) {
        std::fprintf(stderr, "usage: tl5 %s WALLET%s\n  reads the wallet's password\n", command,
                     protect ? " [--memory MIB] [--passes N]" : "");
        return kExitUsage;
    }
    tl5::EnvelopeParams params;
    if (protect && !EnvelopeParamsFromArgs(command, a, &params)) return kExitUsage;
    const std::string& path = a.positional[0];
    std::u16string password;
    if (!ReadPassword("Password: ", &password)) return ReportError(command, "no password given", kExitUsage);
    int openResult = tl5::kOpenOk;
    const int rc = protect ? tl5::ProtectWallet(tl5::OsFileSystem(), ArgToPath(path), password, params,
                                                &openResult)
                           : tl5::UnprotectWallet(tl5::OsFileSystem(), ArgToPath(path), password, &openResult);
    WipePassword(&password);
    if (rc == tl5::kProtectCannotOpen)
        return ReportResult(command, "cannot open " + path, openResult, OpenResultText(openResult),
                            OpenResultExit(openResult));
    if (rc != tl5::kProtectOk) {
        const ExitStatus status = rc == tl5::kProtectCannotWrite ? kExitIo : kExitFailure;
        return ReportError(command, path + ": " + ProtectResultText(rc), status);
    }
    std::printf("%s %s\n", protect ? "protected" : "unprotected", path.c_str());
    return kExitOk;
}

int RunProtect(const std::vector<std::string>& args) { return Run("protect", args, true); }
int RunUnprotect(const std::vector<std::string>& args) { return Run("unprotect", args, false); }

}  // namespace

TL5_COMMAND("protect", "protect WALLET [--memory MIB] [--passes N]",
            "put a wallet into the modern envelope (Argon2id 64 MiB/3 unless given, AES-256-GCM)", RunProtect);
TL5_COMMAND("unprotect", "unprotect WALLET", "turn a protected wallet back into a classic one", RunUnprotect);
