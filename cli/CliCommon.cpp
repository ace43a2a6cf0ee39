#include "cli/CliCommon.h"

#include <charconv>

#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

#include "platform/SecureZero.h"
#include "platform/Text.h"

namespace tl5cli {

namespace {

bool StdinIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stdin)) != 0;
#else
    return ::isatty(STDIN_FILENO) != 0;
#endif
}

// Reads one line from stdin (without CR/LF); false at end of input with nothing read.
bool ReadStdinLine(std::string* line) {
    line->clear();
    int c;
    bool any = false;
    while ((c = std::fgetc(stdin)) != EOF) {
        any = true;
        if (c == '\n') break;
        line->push_back(static_cast<char>(c));
    }
    if (!line->empty() && line->back() == '\r') line->pop_back();
    return any;
}

class EchoOff {
public:
    EchoOff() {
#ifdef _WIN32
        handle_ = GetStdHandle(STD_INPUT_HANDLE);
        if (GetConsoleMode(handle_, &mode_)) {
            SetConsoleMode(handle_, mode_ & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
            active_ = true;
        }
#else
        if (::tcgetattr(STDIN_FILENO, &saved_) == 0) {
            termios t = saved_;
            t.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &t);
            active_ = true;
        }
#endif
    }
    ~EchoOff() {
        if (!active_) return;
#ifdef _WIN32
        SetConsoleMode(handle_, mode_);
#else
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
#endif
        std::fputc('\n', stderr);
    }

private:
    bool active_ = false;
#ifdef _WIN32
    HANDLE handle_ = nullptr;
    DWORD mode_ = 0;
#else
    termios saved_{};
#endif
};

#ifdef _WIN32
// On a Windows console the bytes of stdin follow the console code page; reading UTF-16 directly keeps
// every character.
bool ReadConsoleLine(std::u16string* out) {
    out->clear();
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    wchar_t c;
    DWORD n = 0;
    bool any = false;
    while (ReadConsoleW(in, &c, 1, &n, nullptr) && n == 1) {
        any = true;
        if (c == L'\n') break;
        if (c != L'\r') out->push_back(static_cast<char16_t>(c));
    }
    return any;
}
#endif

bool ReadSecretLine(const char* prompt, std::u16string* out) {
    std::string line;
    bool ok;
    if (StdinIsTerminal()) {
        std::fprintf(stderr, "%s", prompt);
        std::fflush(stderr);
        EchoOff echoOff;
#ifdef _WIN32
        return ReadConsoleLine(out);
#else
        ok = ReadStdinLine(&line);
#endif
    } else {
        ok = ReadStdinLine(&line);
    }
    *out = tl5::Utf8ToUtf16(line);
    tl5::SecureZero(line);
    return ok;
}

}  // namespace

bool ReadPassword(const char* prompt, std::u16string* password) { return ReadSecretLine(prompt, password); }

bool ReadNewPassword(const char* prompt, std::u16string* password) {
    if (!ReadSecretLine(prompt, password)) return false;
    if (!StdinIsTerminal()) return true;
    std::u16string again;
    if (!ReadSecretLine("Repeat the new password: ", &again) || again != *password) {
        tl5::SecureZero(again);
        WipePassword(password);
        std::fprintf(stderr, "The passwords do not match.\n");
        return false;
    }
    tl5::SecureZero(again);
    return true;
}

bool ReadTextLine(const char* prompt, std::u16string* text) {
    std::string line;
    if (StdinIsTerminal()) {
        std::fprintf(stderr, "%s", prompt);
        std::fflush(stderr);
#ifdef _WIN32
        return ReadConsoleLine(text);
#endif
    }
    const bool ok = ReadStdinLine(&line);
    *text = tl5::Utf8ToUtf16(line);
    return ok;
}

void WipePassword(std::u16string* password) { tl5::SecureZero(*password); }

std::u16string ArgToPath(const std::string& arg) { return tl5::Utf8ToUtf16(arg); }
std::string ToUtf8(std::u16string_view text) { return tl5::Utf16ToUtf8(text); }

bool ParsedArgs::Has(const std::string& name) const {
    for (const auto& o : options)
        if (o.first == name) return true;
    return false;
}

const std::string* ParsedArgs::Value(const std::string& name) const {
    const std::string* found = nullptr;
    for (const auto& o : options)
        if (o.first == name) found = &o.second;
    return found;
}

bool ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& flags,
               const std::vector<std::string>& withValue, ParsedArgs* parsed) {
    *parsed = ParsedArgs();
    bool onlyPositional = false;
    for (size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (onlyPositional || a.size() < 2 || a[0] != '-') {
            parsed->positional.push_back(a);
            continue;
        }
        if (a == "--") {
            onlyPositional = true;
            continue;
        }
        bool known = false;
        for (const auto& f : flags)
            if (a == f) {
                parsed->options.emplace_back(a, "");
                known = true;
            }
        for (const auto& w : withValue)
            if (a == w) {
                if (k + 1 >= args.size()) {
                    std::fprintf(stderr, "tl5: option %s needs a value\n", a.c_str());
                    return false;
                }
                parsed->options.emplace_back(a, args[++k]);
                known = true;
            }
        if (!known) {
            std::fprintf(stderr, "tl5: unknown option %s\n", a.c_str());
            return false;
        }
    }
    return true;
}

// ---- JSON ----------------------------------------------------------------------------------------

namespace {

// Appends the text with the characters JSON cannot carry as they are escaped. Runs of plain
// characters are copied whole: most texts have nothing to escape.
struct EscapeTable {
    bool escaped[256] = {};
    constexpr EscapeTable() {
        for (int c = 0; c < 0x20; ++c) escaped[c] = true;
        escaped[static_cast<unsigned char>('"')] = true;
        escaped[static_cast<unsigned char>('\\')] = true;
    }
};
constexpr EscapeTable kEscape;

void AppendJsonEscaped(std::string& out, std::string_view s) {
    size_t plain = 0;
    for (size_t k = 0; k < s.size(); ++k) {
        const unsigned char c = static_cast<unsigned char>(s[k]);
        if (!kEscape.escaped[c]) continue;
        out.append(s.data() + plain, k - plain);
        plain = k + 1;
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            default: {
                static const char kHex[] = "0123456789abcdef";
                const char u[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
                out.append(u, sizeof u);
            }
        }
    }
    out.append(s.data() + plain, s.size() - plain);
}

// Appends the number with at least `width` digits (zeros in front).
// Writes the number with at least `width` digits (zeros in front) at p; returns the end.
char* PutDigits(char* p, unsigned value, int width) {
    char buf[12];
    int n = 0;
    do {
        buf[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n < width) buf[n++] = '0';
    while (n > 0) *p++ = buf[--n];
    return p;
}

void AppendIsoTime(std::string& out, const tl5::SystemTime& t) {
    char buf[48];
    char* p = PutDigits(buf, t.year, 4);
    *p++ = '-';
    p = PutDigits(p, t.month, 2);
    *p++ = '-';
    p = PutDigits(p, t.day, 2);
    *p++ = 'T';
    p = PutDigits(p, t.hour, 2);
    *p++ = ':';
    p = PutDigits(p, t.minute, 2);
    *p++ = ':';
    p = PutDigits(p, t.second, 2);
    out.append(buf, static_cast<size_t>(p - buf));
}

}  // namespace

std::string JsonEscape(std::string_view s) {
    std::string out;
    out.reserve(s.size() + 2);
    AppendJsonEscaped(out, s);
    return out;
}

std::string IsoTime(const tl5::SystemTime& t) {
    if (t.IsZero()) return std::string();
    std::string out;
    AppendIsoTime(out, t);
    return out;
}

void JsonWriter::NewLine() {
    out_.push_back('\n');
    out_.append(2 * stack_.size(), ' ');
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!stack_.empty()) {
        if (!stack_.back().empty) out_.push_back(',');
        stack_.back().empty = false;
        NewLine();
    }
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    out_.push_back('{');
    stack_.push_back({false, true});
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    const bool empty = stack_.back().empty;
    stack_.pop_back();
    if (!empty) NewLine();
    out_.push_back('}');
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    out_.push_back('[');
    stack_.push_back({true, true});
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    const bool empty = stack_.back().empty;
    stack_.pop_back();
    if (!empty) NewLine();
    out_.push_back(']');
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    BeforeValue();
    out_ += '"';
    AppendJsonEscaped(out_, key);
    out_ += "\": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view utf8) {
    BeforeValue();
    out_ += '"';
    AppendJsonEscaped(out_, utf8);
    out_ += '"';
    return *this;
}

JsonWriter& JsonWriter::String(std::u16string_view text) { return String(tl5::Utf16ToUtf8(text)); }

JsonWriter& JsonWriter::Int(int64_t value) {
    BeforeValue();
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    out_.append(buf, static_cast<size_t>(end - buf));
    return *this;
}

JsonWriter& JsonWriter::UInt(uint64_t value) {
    BeforeValue();
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    out_.append(buf, static_cast<size_t>(end - buf));
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null() {
    BeforeValue();
    out_ += "null";
    return *this;
}

JsonWriter& JsonWriter::Time(const tl5::SystemTime& time) {
    if (time.IsZero()) return Null();
    BeforeValue();
    out_ += '"';
    AppendIsoTime(out_, time);
    out_ += '"';
    return *this;
}

JsonWriter& JsonWriter::Id(const tl5::ItemId& id) {
    // Hex digits need no escaping.
    static const char kDigits[] = "0123456789abcdef";
    BeforeValue();
    char buf[34];
    buf[0] = buf[33] = '"';
    for (int k = 0; k < 16; ++k) {
        buf[1 + 2 * k] = kDigits[id.bytes[k] >> 4];
        buf[2 + 2 * k] = kDigits[id.bytes[k] & 15];
    }
    out_.append(buf, sizeof buf);
    return *this;
}

void JsonWriter::Print() const {
    std::fwrite(out_.data(), 1, out_.size(), stdout);
    std::fputc('\n', stdout);
}

void JsonWriter::Wipe() {
    tl5::SecureZero(out_);
    stack_.clear();
    afterKey_ = false;
}

// ---- Opening a wallet ----------------------------------------------------------------------------

int OpenWalletForCli(const char* command, const std::string& path, bool readOnly, bool probeOnly,
                     tl5::Wallet* wallet) {
    const std::u16string walletPath = ArgToPath(path);
    auto attempt = [&](const std::u16string* password) {
        return probeOnly ? wallet->Probe(walletPath, password) : wallet->Open(walletPath, password, readOnly);
    };
    int rc = wallet->Probe(walletPath, nullptr);  // no password needed when none is set
    if (rc == tl5::kOpenOk) {
        if (!probeOnly) rc = attempt(nullptr);
    } else if (rc == tl5::kOpenWrongPassword) {
        std::u16string password;
        if (!ReadPassword("Password: ", &password)) {
            return ReportResult(command, "no password given for " + path, rc, OpenResultText(rc), OpenResultExit(rc));
        }
        rc = attempt(&password);
        WipePassword(&password);
    }
    if (rc != tl5::kOpenOk) {
        wallet->Close(false);
        return ReportResult(command, "cannot open " + path, rc, OpenResultText(rc), OpenResultExit(rc));
    }
    return kExitOk;
}

// ---- Protection ----------------------------------------------------------------------------------

bool EnvelopeParamsFromArgs(const char* command, const ParsedArgs& args, tl5::EnvelopeParams* params) {
    *params = tl5::EnvelopeParams();
    auto number = [&](const char* name, uint32_t* out) {
        const std::string* v = args.Value(name);
        if (!v) return true;
        if (v->empty() || v->size() > 9 || v->find_first_not_of("0123456789") != std::string::npos) return false;
        *out = static_cast<uint32_t>(std::stoul(*v));
        return true;
    };
    uint32_t mib = params->memoryKiB / 1024;
    const bool ok = number("--memory", &mib) && number("--passes", &params->passes) && mib <= tl5::kEnvelopeMaxMemoryKiB / 1024;
    params->memoryKiB = mib * 1024;
    if (ok && tl5::ValidEnvelopeParams(*params)) return true;
    std::fprintf(stderr, "tl5 %s: --memory takes %u to %u (MiB), --passes 1 to %u\n", command,
                 tl5::kEnvelopeMinMemoryKiB / 1024, tl5::kEnvelopeMaxMemoryKiB / 1024, tl5::kEnvelopeMaxPasses);
    return false;
}

// ---- Errors --------------------------------------------------------------------------------------

const char* OpenResultText(int code) {
    switch (code) {
        case 0: return "opened";
        case 1: return "the path is missing or too short or too long";
        case 2: return "the file cannot be opened";
        case 3: return "an item record cannot be read or is invalid";
        case 4: return "the wallet header cannot be read or is damaged";
        case 5: return "the wallet settings cannot be read or are damaged";
        case 7: return "not a wallet";
        case 8: return "unsupported wallet version";
        case 10: return "wrong password";
        case 12: return "out of memory while loading items";
        case 13: return "wrong password or damaged file";
        case 14: return "damaged";
        default: return "unknown result";
    }
}

const char* CreateResultText(int code) {
    switch (code) {
        case 0: return "created";
        case 1: return "the path is missing or too short or too long";
        case 2: return "no password given";
        case 3: return "the password must have 3 to 23 characters";
        case 4: return "a file of that name exists";
        case 5: return "the file cannot be created";
        case 6: return "writing the file signature failed";
        case 7: return "writing the wallet header failed";
        case 8: return "writing the wallet settings failed";
        case 9: return "the wallet header could not be initialised";
        default: return "unknown result";
    }
}

const char* CloseResultText(int code) {
    switch (code) {
        case 0: return "closed";
        case 1: return "no wallet was open";
        case 2: return "writing the file signature failed";
        case 3: return "writing the wallet header failed";
        case 4: return "writing the wallet settings failed";
        case 6: return "the wallet was open read-only";
        default: return "unknown result";
    }
}

ExitStatus OpenResultExit(int code) {
    switch (code) {
        case 0: return kExitOk;
        case 1: return kExitUsage;
        case 2: return kExitIo;
        case 3: case 4: case 5: case 7: case 8: case 14: return kExitNotAWallet;
        case 10: case 13: return kExitWrongPassword;
        default: return kExitFailure;
    }
}

ExitStatus CreateResultExit(int code) {
    switch (code) {
        case 0: return kExitOk;
        case 1: case 2: case 3: case 9: return kExitUsage;
        case 4: case 5: case 6: case 7: case 8: return kExitIo;
        default: return kExitFailure;
    }
}

int ReportResult(const char* command, const std::string& what, int code, const char* text, ExitStatus status) {
    std::fprintf(stderr, "tl5 %s: %s (result code %d: %s)\n", command, what.c_str(), code, text);
    return status;
}

int ReportError(const char* command, const std::string& message, ExitStatus status) {
    std::fprintf(stderr, "tl5 %s: %s\n", command, message.c_str());
    return status;
}

}  // namespace tl5cli
