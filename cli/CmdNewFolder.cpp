// tl5 new-folder: a folder under a folder (or "/" for the top level).
#include <cstdio>
#include <cstdlib>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "model/WalletItems.h"
#include "platform/Text.h"

using namespace tl5;
using namespace tl5cli;

namespace {

int RunNewFolder(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {}, {"--icon"}, &p) || p.positional.size() != 3) {
        std::fprintf(stderr, "usage: tl5 new-folder WALLET PARENT NAME [--icon N]   (PARENT \"/\": top level)\n");
        return kExitUsage;
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("new-folder", p.positional[0], false, &wallet, &status)) return status;
    bool top = false;
    const int parent = ResolveItem("new-folder", wallet, p.positional[1], &top);
    if (!top && parent < 0) return kExitFailure;
    if (!top && !wallet.ItemAt(static_cast<size_t>(parent)).IsFolderLike()) {
        return ReportError("new-folder", "the parent is not a folder", kExitFailure);
    }
    ItemRecord record;
    NewFolder(wallet, top ? ItemId() : wallet.ItemAt(static_cast<size_t>(parent)).Id(), false, &record);
    record.SetName(Utf8ToUtf16(p.positional[2]));
    if (const std::string* icon = p.Value("--icon")) record.SetIcon(std::atoi(icon->c_str()));
    const ItemId id = record.Id();
    if (wallet.AppendFolderRecord(&record, false) < 0) return ReportError("new-folder", "writing the folder failed", kExitIo);
    std::printf("%s\n", id.ToHex().c_str());
    return CloseWalletForCommand("new-folder", &wallet);
}

}  // namespace

TL5_COMMAND("new-folder", "new-folder WALLET PARENT NAME [--icon N]", "a new folder (PARENT \"/\": top level)",
            RunNewFolder);
