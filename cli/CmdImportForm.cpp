// tl5 import-form: shows what a form file holds and adds its card to My Forms.
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "exchange/FormExchange.h"

using namespace tl5;
using namespace tl5cli;

namespace {

int RunImportForm(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {"--json", "--dry-run"}, {}, &p) || p.positional.size() != 2) {
        std::fprintf(stderr, "usage: tl5 import-form WALLET FILE.tlx [--json] [--dry-run]\n");
        return kExitUsage;
    }
    const bool dryRun = p.Has("--dry-run");
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("import-form", p.positional[0], dryRun, &wallet, &status)) return status;
    Card card;
    FormFileHeader header;
    if (!ReadFormFileForImport(wallet, ArgToPath(p.positional[1]), &card, &header)) {
        wallet.Close(false);
        return ReportError("import-form", p.positional[1] + " cannot be read as a form file", kExitNotAWallet);
    }
    const std::u16string name = card.Record().Name();
    int added = -1;
    if (!dryRun) {
        added = AddFormToMyForms(wallet, &card);
        if (added < 0) {
            wallet.Close(false);
            return ReportError("import-form", "the form cannot be added to My Forms", kExitIo);
        }
    }
    if (p.Has("--json")) {
        JsonWriter json;
        json.BeginObject();
        json.Key("name").String(name);
        json.Key("description").String(header.description);
        json.Key("author").String(header.author);
        json.Key("date").Time(header.written);
        json.Key("fields").Int(static_cast<int64_t>(card.FieldCount()));
        json.Key("added");
        if (added >= 0) {
            json.Id(wallet.ItemAt(added).Id());
        } else {
            json.Null();
        }
        json.EndObject();
        json.Print();
    } else {
        std::printf("name: %s\ndescription: %s\nauthor: %s\ndate: %s\nfields: %zu\n", ToUtf8(name).c_str(),
                    ToUtf8(header.description).c_str(), ToUtf8(header.author).c_str(), IsoTime(header.written).c_str(),
                    card.FieldCount());
        if (added >= 0) std::printf("added to My Forms: %s\n", wallet.ItemAt(added).Id().ToHex().c_str());
    }
    if (dryRun) {
        wallet.Close(false);
        return kExitOk;
    }
    return CloseWalletForCommand("import-form", &wallet);
}

}  // namespace

TL5_COMMAND("import-form", "import-form WALLET FILE.tlx [--json] [--dry-run]",
            "show a form file and add its card to My Forms (--dry-run only shows)", RunImportForm);
