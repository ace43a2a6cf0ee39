// tl5 check WALLET: reads every record and body and reports what is malformed, with its file offset.
#include <cstdio>
#include <vector>

#include "cli/CliCommon.h"
#include "model/Wallet.h"
#include "model/WalletCheck.h"

namespace {

int RunCheck(const std::vector<std::string>& args) {
    using namespace tl5cli;
    ParsedArgs a;
    if (!ParseArgs(args, {}, {}, &a) || a.positional.size() != 1) {
        std::fprintf(stderr, "usage: tl5 check WALLET\n");
        return kExitUsage;
    }
    tl5::Wallet wallet;
    // The fixed blocks and the password; the records are walked by the check so that every problem is seen.
    const int status = OpenWalletForCli("check", a.positional[0], true, true, &wallet);
    if (status != kExitOk) return status;
    tl5::WalletCheckReport report;
    tl5::CheckWalletRecords(*wallet.FileHandle(), *wallet.RecordKey(), &report);
    const std::vector<tl5::WalletProblem>& problems = report.problems;
    for (const tl5::WalletProblem& p : problems)
        std::printf("offset %llu: %s\n", static_cast<unsigned long long>(p.offset), p.what.c_str());
    std::printf("%llu live records, %llu tombstones: %s\n", static_cast<unsigned long long>(report.liveRecords),
                static_cast<unsigned long long>(report.tombstones),
                problems.empty() ? "all is well" : (std::to_string(problems.size()) + " problems").c_str());
    wallet.Close(false);
    return problems.empty() ? kExitOk : kExitFailure;
}

}  // namespace

TL5_COMMAND("check", "check WALLET", "read every record and body and report damage", RunCheck);
