#include "cli/Tl5.h"

#include <algorithm>
#include <cstdio>

#include "cli/Commands.h"

std::vector<CliCommand>& CliCommands() {
    static std::vector<CliCommand> commands;
    return commands;
}

namespace {

void PrintUsage(FILE* out) {
    std::fputs("usage: tl5 COMMAND [ARGS]\n\nTessellock Pro 5 wallets from the command line.\n"
               "Passwords are read from standard input (one line each), or asked for on a terminal.\n\n"
               "Commands:\n", out);
    std::vector<CliCommand> sorted = CliCommands();
    std::sort(sorted.begin(), sorted.end(),
              [](const CliCommand& a, const CliCommand& b) { return std::string(a.name) < b.name; });
    for (const CliCommand& c : sorted) std::fprintf(out, "  tl5 %s\n      %s\n", c.synopsis, c.summary);
}

}  // namespace

int RunTl5(const std::vector<std::string>& args) {
    if (args.empty()) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(stdout);
        return kExitOk;
    }
    for (const CliCommand& c : CliCommands()) {
        if (args[0] == c.name) return c.run(std::vector<std::string>(args.begin() + 1, args.end()));
    }
    std::fprintf(stderr, "tl5: unknown command '%s' (try tl5 --help)\n", args[0].c_str());
    return kExitUsage;
}
