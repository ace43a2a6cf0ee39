// tl5 convert: a legacy wallet (.wal) becomes a new wallet (.tl5) beside it.
#include <cstdio>

#include "cli/CliCommon.h"
#include "exchange/LegacyConversion.h"
#include "platform/File.h"

using namespace tl5;
using namespace tl5cli;

namespace {

int RunConvert(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {}, {"--definitions"}, &p) || p.positional.size() != 1) {
        std::fprintf(stderr, "usage: tl5 convert LEGACY.wal [--definitions FILE.tcd]\n");
        return kExitUsage;
    }
    std::u16string password;
    if (!ReadPassword("Password of the legacy wallet: ", &password)) {
        return ReportError("convert", "no password given", kExitWrongPassword);
    }
    const std::u16string definitions = p.Value("--definitions") ? ArgToPath(*p.Value("--definitions")) : std::u16string();
    std::u16string newPath;
    const int rc = ConvertLegacyWallet(OsFileSystem(), ArgToPath(p.positional[0]), password, &newPath, definitions);
    WipePassword(&password);
    if (rc != kConvertOk) {
        ExitStatus exit = kExitFailure;
        if (rc == kConvertWrongPassword) exit = kExitWrongPassword;
        if (rc == kConvertNotLegacy) exit = kExitNotAWallet;
        if (rc == kConvertCannotOpen || rc == kConvertCannotCreate || rc == kConvertExists) exit = kExitIo;
        return ReportResult("convert", "cannot convert " + p.positional[0], rc, LegacyConversionResultText(rc), exit);
    }
    std::printf("%s\n", ToUtf8(newPath).c_str());
    return kExitOk;
}

}  // namespace

TL5_COMMAND("convert", "convert LEGACY.wal [--definitions FILE.tcd]",
            "convert a legacy wallet into a new .tl5 wallet beside it (password from standard input)", RunConvert);
