// tl5 generate [--length N] [--classes ulds] [--no-lookalike] [--json]: a new random password from the
// same generator as the card editor's Generate command. No wallet is involved.
#include <charconv>
#include <cmath>
#include <cstdio>

#include "cardui/PasswordGenerator.h"
#include "cli/CliCommon.h"
#include "platform/SecureZero.h"
#include "resources/StringTable.h"

using namespace tl5cli;

namespace {

constexpr char kUsage[] = "usage: tl5 generate [--length N] [--classes ulds] [--no-lookalike] [--json]\n";

std::u16string TableText(uint32_t id) {
    const char16_t* text = StringTableLookup(id);
    return text ? std::u16string(text) : std::u16string();
}

// A decimal number and nothing else.
bool ParseLength(const std::string& text, int* length) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return false;
    *length = value;
    return true;
}

int RunGenerate(const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!ParseArgs(args, {"--no-lookalike", "--json"}, {"--length", "--classes"}, &a) || !a.positional.empty()) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    tl5::PasswordOptions options;
    options.noLookalike = a.Has("--no-lookalike");
    if (const std::string* length = a.Value("--length"); length && !ParseLength(*length, &options.length))
        return ReportError("generate", "--length takes a number, not '" + *length + "'", kExitUsage);
    if (const std::string* classes = a.Value("--classes");
        classes && !tl5::ParsePasswordClassLetters(*classes, &options.classes))
        return ReportError("generate",
                           "--classes takes the letters u (upper case), l (lower case), d (digits) and s (symbols), "
                           "each at most once, not '" +
                               *classes + "'",
                           kExitUsage);

    std::u16string password;
    const tl5::GenerateResult result = tl5::GeneratePassword(options, &password);
    if (result != tl5::GenerateResult::ok) {
        const std::u16string why = tl5::GenerateResultText(result, options, TableText);
        return ReportError("generate", ToUtf8(why),
                           result == tl5::GenerateResult::randomFailed ? kExitFailure : kExitUsage);
    }

    // The password is ASCII; its UTF-8 copy is made in place, without growth, and wiped like the rest.
    std::string text;
    text.reserve(password.size());
    for (char16_t c : password) text.push_back(static_cast<char>(c));
    if (a.Has("--json")) {
        JsonWriter j;
        j.Reserve(256 + text.size());
        j.BeginObject();
        j.Key("password").String(std::string_view(text));
        j.Key("length").Int(options.length);
        j.Key("classes").String(tl5::PasswordClassLetters(options.classes));
        j.Key("no_lookalike").Bool(options.noLookalike);
        j.Key("bits").Int(static_cast<int64_t>(std::floor(tl5::PasswordStrengthBits(options))));
        j.EndObject();
        j.Print();
        j.Wipe();
    } else {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fputc('\n', stdout);
    }
    std::fflush(stdout);
    tl5::SecureZero(text);
    tl5::SecureZero(password);
    return kExitOk;
}

}  // namespace

TL5_COMMAND("generate", "generate [--length N] [--classes ulds] [--no-lookalike] [--json]",
            "print a new random password (length 4-64, default 20; classes u upper, l lower, d digits, s symbols)",
            RunGenerate);
