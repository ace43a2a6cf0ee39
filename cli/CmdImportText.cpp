// tl5 import-text: every data row of a tab-separated text file becomes a card in a new folder.
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "exchange/ExchangeNames.h"
#include "exchange/TextImport.h"
#include "platform/FormatText.h"

using namespace tl5;
using namespace tl5cli;

namespace {

int RunImportText(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {"--dry-run"}, {}, &p) || p.positional.size() != 2) {
        std::fprintf(stderr, "usage: tl5 import-text WALLET FILE.txt [--dry-run]\n");
        return kExitUsage;
    }
    const bool dryRun = p.Has("--dry-run");
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("import-text", p.positional[0], dryRun, &wallet, &status)) return status;
    TextImport import;
    const int rc = import.Open(wallet.Files(), ArgToPath(p.positional[1]));
    if (rc != kTextImportOk) {
        wallet.Close(false);
        const unsigned message = rc == kTextImportUnreadable ? kStrImportUnreadable : kStrImportBadTable;
        return ReportResult("import-text", p.positional[1] + ": " + ToUtf8(ExchangeString(message)), rc,
                            rc == kTextImportUnreadable ? "unreadable" : "not an importable table",
                            rc == kTextImportUnreadable ? kExitIo : kExitNotAWallet);
    }
    if (dryRun) {
        for (uint32_t i = 0; i < import.DataRowCount(); ++i) {
            std::printf("%s\n\n", ToUtf8(import.Preview(TextImport::RowOfDataRow(i))).c_str());
        }
        std::printf("%u rows\n", import.DataRowCount());
        wallet.Close(false);
        return kExitOk;
    }
    const int imported = import.ImportAll(wallet, LocalTimeNow());
    if (imported < 0) {
        wallet.Close(true);
        return ReportError("import-text", "a card cannot be saved; " + std::to_string(import.ImportedCount()) +
                                              " cards were imported before", kExitIo);
    }
    if (imported > 0) {
        std::printf("%s\n", ToUtf8(FormatText(ExchangeString(kStrImportDone), {imported})).c_str());
        std::printf("folder: %s\n", ToUtf8(wallet.ItemAt(import.FolderIndex()).Name()).c_str());
    } else {
        std::printf("no rows to import\n");
    }
    return CloseWalletForCommand("import-text", &wallet);
}

}  // namespace

TL5_COMMAND("import-text", "import-text WALLET FILE.txt [--dry-run]",
            "import every row of a tab-separated text file as a card (--dry-run shows each row)", RunImportText);
