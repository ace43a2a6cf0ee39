// The command table of the tl5 tool. Each command lives in its own cli/Cmd*.cpp file and registers
// itself with a static TL5_COMMAND(...) line, so commands can be added without touching the others.
#pragma once

#include <string>
#include <vector>

// Exit statuses: one per class of failure, stable for scripts.
enum ExitStatus : int {
    kExitOk = 0,
    kExitFailure = 1,       // the operation failed for another reason (check found damage, item missing...)
    kExitUsage = 2,         // the command line was wrong
    kExitNotAWallet = 3,    // the file is not a wallet (or not a form/text/legacy file of the right kind)
    kExitWrongPassword = 4, // the password did not match
    kExitIo = 5,            // the file could not be read or written
};

using CommandFunction = int (*)(const std::vector<std::string>& args);

struct CliCommand {
    const char* name;     // the word after "tl5"
    const char* synopsis; // one usage line, without "tl5 "
    const char* summary;  // what it does, in a few words
    CommandFunction run;  // gets the arguments after the command word
};

// Every registered command, in registration order.
std::vector<CliCommand>& CliCommands();

struct CliCommandRegistrar {
    explicit CliCommandRegistrar(const CliCommand& command) { CliCommands().push_back(command); }
};

#define TL5_COMMAND_CONCAT2(a, b) a##b
#define TL5_COMMAND_CONCAT(a, b) TL5_COMMAND_CONCAT2(a, b)
#define TL5_COMMAND(name, synopsis, summary, function) \
    static const CliCommandRegistrar TL5_COMMAND_CONCAT(tl5CommandRegistrar_, __LINE__)({name, synopsis, summary, function})
