// Shared helpers of the tl5 commands: passwords, JSON output, result codes and exit statuses.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "model/ItemId.h"
#include "model/Wallet.h"
#include "platform/LocalTime.h"

namespace tl5cli {

// ---- Passwords -----------------------------------------------------------------------------------
// Passwords never come from the command line. When standard input is not a terminal, each call reads
// one line from it (without the line end). On a terminal the prompt goes to stderr and the typed text
// is not echoed.
bool ReadPassword(const char* prompt, std::u16string* password);
// A new password: on a terminal it is asked twice and both must agree; otherwise one line.
bool ReadNewPassword(const char* prompt, std::u16string* password);
// One line of ordinary text (echoed on a terminal), e.g. a hint.
bool ReadTextLine(const char* prompt, std::u16string* text);
// Wipes a password held by a command.
void WipePassword(std::u16string* password);

// ---- Arguments -----------------------------------------------------------------------------------
std::u16string ArgToPath(const std::string& arg);
std::string ToUtf8(std::u16string_view text);

// Splits arguments into positionals and options. Options named in withValue take the next argument;
// others are flags. Unknown options make the parse fail (and print a message).
struct ParsedArgs {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;  // name (with dashes), value ("" for flags)
    bool Has(const std::string& name) const;
    const std::string* Value(const std::string& name) const;
};
bool ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& flags,
               const std::vector<std::string>& withValue, ParsedArgs* parsed);

// ---- JSON ----------------------------------------------------------------------------------------
// A small writer with stable key order (the order of the calls), two-space indentation.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);  // snake_case by convention
    JsonWriter& String(std::string_view utf8);
    JsonWriter& String(std::u16string_view text);
    JsonWriter& Int(int64_t value);
    JsonWriter& UInt(uint64_t value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();
    // ISO 8601 local time without zone, e.g. 2026-12-09T14:03:05; null when the time is not set.
    JsonWriter& Time(const tl5::SystemTime& time);
    // 32 lower-case hex digits of the 16 bytes in stored order.
    JsonWriter& Id(const tl5::ItemId& id);

    // Room for a document of about this many bytes, so that a long one is not copied as it grows.
    void Reserve(size_t bytes) { out_.reserve(bytes); }
    const std::string& Text() const { return out_; }
    // Writes the document and a line end to stdout.
    void Print() const;
    // Wipes the document (it held a secret) and empties it; Reserve enough first so that no growth
    // left a copy behind.
    void Wipe();

private:
    void BeforeValue();
    void NewLine();
    std::string out_;
    struct Level {
        bool array;
        bool empty;
    };
    std::vector<Level> stack_;
    bool afterKey_ = false;
};

std::string IsoTime(const tl5::SystemTime& time);  // "" when not set
std::string JsonEscape(std::string_view utf8);

// ---- Opening a wallet ----------------------------------------------------------------------------
// Opens the wallet (probe only: fixed blocks, no items), reading a password from standard input only
// when the wallet has one. Prints the error and returns its exit status on failure, kExitOk otherwise.
int OpenWalletForCli(const char* command, const std::string& path, bool readOnly, bool probeOnly,
                     tl5::Wallet* wallet);

// ---- Protection ----------------------------------------------------------------------------------
// The envelope's costs from --memory MIB and --passes N (defaults where not given). False, with a
// message, when a value is not a number or outside the bounds a reader accepts.
bool EnvelopeParamsFromArgs(const char* command, const ParsedArgs& args, tl5::EnvelopeParams* params);

// ---- Errors --------------------------------------------------------------------------------------
// Texts of the wallet result codes.
const char* OpenResultText(int code);
const char* CreateResultText(int code);
const char* CloseResultText(int code);
// The exit status class of an open/probe result code.
ExitStatus OpenResultExit(int code);
ExitStatus CreateResultExit(int code);

// Prints one line "tl5 COMMAND: WHAT (result code N: TEXT)" on stderr and returns the status.
int ReportResult(const char* command, const std::string& what, int code, const char* text, ExitStatus status);
// Prints "tl5 COMMAND: MESSAGE" on stderr and returns the status.
int ReportError(const char* command, const std::string& message, ExitStatus status);

}  // namespace tl5cli
