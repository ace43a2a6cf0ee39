// tl5 fav: the wallet's favourites (at most 32 cards).
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "model/WalletItems.h"

using namespace tl5;
using namespace tl5cli;

namespace {

int Usage() {
    std::fprintf(stderr, "usage: tl5 fav add|rm WALLET CARD\n       tl5 fav ls WALLET [--json]\n");
    return kExitUsage;
}

int RunFav(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {"--json"}, {}, &p) || p.positional.size() < 2) return Usage();
    const std::string& verb = p.positional[0];
    if (verb == "ls" ? p.positional.size() != 2 : (verb != "add" && verb != "rm") || p.positional.size() != 3) return Usage();
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("fav", p.positional[1], verb == "ls", &wallet, &status)) return status;
    if (verb == "ls") {
        JsonWriter j;
        j.BeginArray();
        for (int i = 0; i < FavoriteCount(wallet); ++i) {
            const ItemId id = FavoriteAt(wallet, i);
            const int index = wallet.IndexOf(id);
            if (p.Has("--json")) {
                j.BeginObject();
                j.Key("id").Id(id);
                j.Key("path");
                if (index >= 0) {
                    j.String(ItemPath(wallet, index));
                } else {
                    j.Null();
                }
                j.EndObject();
            } else {
                std::printf("%s  %s\n", id.ToHex().c_str(), index >= 0 ? ToUtf8(ItemPath(wallet, index)).c_str() : "?");
            }
        }
        j.EndArray();
        if (p.Has("--json")) j.Print();
        return kExitOk;
    }
    const int index = ResolveItem("fav", wallet, p.positional[2]);
    if (index < 0) return kExitFailure;
    const ItemRecord& r = wallet.ItemAt(static_cast<size_t>(index));
    if (verb == "add") {
        if (r.Kind() != kItemKindCard) return ReportError("fav", "only cards are favourites", kExitFailure);
        if (IsFavorite(wallet, r.Id())) return ReportError("fav", "already a favourite", kExitFailure);
        if (!AddFavorite(wallet, r.Id())) return ReportError("fav", "there are 32 favourites already", kExitFailure);
    } else if (!RemoveFavorite(wallet, r.Id())) {
        return ReportError("fav", "not a favourite", kExitFailure);
    }
    return CloseWalletForCommand("fav", &wallet);
}

}  // namespace

TL5_COMMAND("fav", "fav add|rm|ls WALLET [CARD] [--json]", "adds, removes or lists favourites", RunFav);
