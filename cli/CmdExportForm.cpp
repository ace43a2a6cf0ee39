// tl5 export-form: one card as a form file, with or without its values.
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "exchange/FormExchange.h"
#include "platform/Text.h"

using namespace tl5;
using namespace tl5cli;

namespace {

int RunExportForm(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {"--values"}, {"--out", "--author", "--description"}, &p) || p.positional.size() != 2 ||
        p.Value("--out") == nullptr) {
        std::fprintf(stderr,
                     "usage: tl5 export-form WALLET CARD --out DIR [--values] [--author TEXT] [--description TEXT]\n");
        return kExitUsage;
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("export-form", p.positional[0], true, &wallet, &status)) return status;
    const int index = ResolveItem("export-form", wallet, p.positional[1]);
    if (index < 0) {
        wallet.Close(false);
        return kExitFailure;
    }
    if (wallet.ItemAt(index).Kind() != kItemKindCard) {
        wallet.Close(false);
        return ReportError("export-form", p.positional[1] + " is not a card", kExitFailure);
    }
    ExportRequest request;
    request.items = kExportCardAsForm;
    request.format = kExportFormatForm;
    request.outputFolder = ArgToPath(*p.Value("--out"));
    request.includeValues = p.Has("--values");
    const std::u16string author = p.Value("--author") ? Utf8ToUtf16(*p.Value("--author")) : std::u16string();
    const std::u16string description =
        p.Value("--description") ? Utf8ToUtf16(*p.Value("--description")) : std::u16string();
    std::u16string folder, path;
    const int rc = ExportFormFile(wallet, index, request, author, description, &folder, &path);
    wallet.Close(false);
    if (rc == kFormExportCannotLoad) return ReportError("export-form", "the card cannot be loaded", kExitIo);
    if (rc != kFormExportOk) return ReportError("export-form", "the form file cannot be written", kExitIo);
    std::printf("%s\n", ToUtf8(path).c_str());
    return kExitOk;
}

}  // namespace

TL5_COMMAND("export-form", "export-form WALLET CARD --out DIR [--values] [--author TEXT] [--description TEXT]",
            "write a card as a form file (.tlx), with its values only when asked", RunExportForm);
