// tl5 find: the cards whose name or field values contain a text (field names too with --names).
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "model/WalletItems.h"
#include "platform/Text.h"

using namespace tl5;
using namespace tl5cli;

namespace {

int RunFind(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {"--json", "--names"}, {}, &p) || p.positional.size() != 2) {
        std::fprintf(stderr, "usage: tl5 find WALLET TEXT [--names] [--json]\n");
        return kExitUsage;
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("find", p.positional[0], true, &wallet, &status)) return status;
    const int count = FindCards(wallet, Utf8ToUtf16(p.positional[1]), p.Has("--names"));
    if (p.Has("--json")) {
        JsonWriter j;
        j.BeginObject();
        j.Key("text").String(std::string_view(p.positional[1]));
        j.Key("results").BeginArray();
        for (int i = 0; i < count; ++i) {
            const int index = FindResultIndex(wallet, i);
            j.BeginObject();
            j.Key("id").Id(wallet.ItemAt(static_cast<size_t>(index)).Id());
            j.Key("name").String(wallet.ItemAt(static_cast<size_t>(index)).Name());
            j.Key("path").String(ItemPath(wallet, index));
            j.EndObject();
        }
        j.EndArray();
        j.EndObject();
        j.Print();
    } else {
        for (int i = 0; i < count; ++i) {
            const int index = FindResultIndex(wallet, i);
            std::printf("%s  %s\n", wallet.ItemAt(static_cast<size_t>(index)).Id().ToHex().c_str(),
                        ToUtf8(ItemPath(wallet, index)).c_str());
        }
    }
    return count > 0 ? kExitOk : kExitFailure;
}

}  // namespace

TL5_COMMAND("find", "find WALLET TEXT [--names] [--json]",
            "cards whose name or values contain TEXT (at most 48; field names too with --names)", RunFind);
