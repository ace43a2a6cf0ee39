// tl5 export-text: the whole wallet, a folder or a card as a UTF-16 text file.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "exchange/TextExport.h"

using namespace tl5;
using namespace tl5cli;

namespace {

// The wallet's full path, which the text file names (the argument when it cannot be made absolute).
std::string FullPath(const std::string& arg) {
    std::error_code ec;
    const std::filesystem::path full =
        std::filesystem::absolute(std::filesystem::path(std::u8string(arg.begin(), arg.end())), ec);
    if (ec) return arg;
    const std::u8string text = full.u8string();
    return std::string(text.begin(), text.end());
}

int RunExportText(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {"--values", "--attachments"}, {"--item", "--out"}, &p) || p.positional.size() != 1 ||
        p.Value("--out") == nullptr) {
        std::fprintf(stderr, "usage: tl5 export-text WALLET [--item ID|PATH] --out DIR [--values] [--attachments]\n");
        return kExitUsage;
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("export-text", FullPath(p.positional[0]), true, &wallet, &status)) return status;
    ExportRequest request;
    request.outputFolder = ArgToPath(*p.Value("--out"));
    request.includeValues = p.Has("--values");
    request.includeAttachments = p.Has("--attachments");
    int selected = -1;
    if (const std::string* item = p.Value("--item")) {
        bool top = false;
        selected = ResolveItem("export-text", wallet, *item, &top);
        if (top) {
            selected = -1;
        } else if (selected < 0) {
            wallet.Close(false);
            return kExitFailure;
        } else {
            request.items = wallet.ItemAt(selected).Kind() == kItemKindCard ? kExportCard : kExportFolder;
        }
    }
    TextExportSummary summary;
    const bool ok = ExportText(wallet, request, selected, &summary);
    wallet.Close(false);
    if (!ok) return ReportError("export-text", "the text file cannot be written", kExitIo);
    std::printf("%s\n", ToUtf8(summary.path).c_str());
    return kExitOk;
}

}  // namespace

TL5_COMMAND("export-text", "export-text WALLET [--item ID|PATH] --out DIR [--values] [--attachments]",
            "write the wallet, a folder or a card as a text file (passwords masked unless --values)", RunExportText);
