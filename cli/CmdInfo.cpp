// tl5 info WALLET [--json]: what the fixed blocks say, and how many records the file holds.
#include <cstdio>

#include "cli/CliCommon.h"
#include "model/RecordScanner.h"
#include "model/Wallet.h"

namespace {

struct RecordCounts {
    uint64_t live = 0;
    uint64_t tombstones = 0;
};

RecordCounts CountRecords(tl5::Wallet& wallet) {
    RecordCounts counts;
    tl5::RecordScanner scanner(*wallet.FileHandle(), tl5::kFirstRecordOffset);
    tl5::ItemRecord record;
    while (scanner.Next(&record, false) == tl5::kBlockOk) {
        if (record.IsDeleted()) ++counts.tombstones; else ++counts.live;
    }
    return counts;
}

std::string Colour(uint32_t c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", c);
    return buf;
}

int RunInfo(const std::vector<std::string>& args) {
    using namespace tl5cli;
    ParsedArgs a;
    if (!ParseArgs(args, {"--json"}, {}, &a) || a.positional.size() != 1) {
        std::fprintf(stderr, "usage: tl5 info WALLET [--json]\n");
        return kExitUsage;
    }
    tl5::Wallet wallet;
    const int status = OpenWalletForCli("info", a.positional[0], true, true, &wallet);
    if (status != kExitOk) return status;
    const tl5::WalletHeader& h = wallet.Header();
    const tl5::WalletSettings& s = wallet.Settings();
    const RecordCounts counts = CountRecords(wallet);
    const std::string protection = tl5::ProtectionText(wallet.Protection(), wallet.ProtectionParams());
    const uint32_t nodeIndex[3] = {tl5::kSpecialNodeFavorites, tl5::kSpecialNodeFindResults, tl5::kSpecialNodeThird};

    if (a.Has("--json")) {
        JsonWriter j;
        j.BeginObject();
        j.Key("wallet").String(wallet.Name());
        j.Key("version").String(wallet.Signature().VersionText());
        j.Key("created").Time(h.KeyTime());
        j.Key("last_change").Time(h.LastChange());
        j.Key("password_set").Bool(h.IsPasswordSet());
        j.Key("protection").String(protection);
        j.Key("hint");
        if (h.HasHint()) j.String(h.Hint()); else j.Null();
        j.Key("special_nodes").BeginArray();
        for (int node = 1; node <= 3; ++node) {
            j.BeginObject();
            j.Key("node").Int(node);
            j.Key("index").UInt(nodeIndex[node - 1]);
            j.Key("label").String(h.Label(node));
            j.Key("icon").Int(h.NodeIcon(node));
            j.EndObject();
        }
        j.EndArray();
        j.Key("settings").BeginObject();
        j.Key("auto_close_minutes").UInt(s.AutoCloseMinutes());
        j.Key("close_on_switch").Bool(s.CloseOnSwitch());
        j.Key("folder_colour").UInt(s.FolderColour());
        j.Key("card_colour").UInt(s.CardColour());
        j.Key("card_view_defaults").BeginObject();
        j.Key("text_size").UInt(s.CardHeadDefault(11));
        j.Key("names_bold").Bool(s.CardHeadDefault(12) != 0);
        j.Key("data_bold").Bool(s.CardHeadDefault(13) != 0);
        j.Key("always_show_passwords").Bool(s.CardHeadDefault(9) != 0);
        j.Key("data_colour").UInt(s.CardHeadDefault(2));
        j.Key("background_colour").UInt(s.CardHeadDefault(3));
        j.Key("name_colour").UInt(s.CardHeadDefault(4));
        j.Key("words").BeginArray();
        for (int w = 0; w < 16; ++w) j.UInt(s.CardHeadDefault(w));
        j.EndArray();
        j.EndObject();
        j.Key("favourites_count").Int(s.FavoriteCount());
        j.EndObject();
        j.Key("records").BeginObject();
        j.Key("live").UInt(counts.live);
        j.Key("tombstones").UInt(counts.tombstones);
        j.EndObject();
        j.EndObject();
        j.Print();
        return kExitOk;
    }

    std::printf("wallet:        %s\n", ToUtf8(wallet.Name()).c_str());
    std::printf("version:       %s\n", wallet.Signature().VersionText().c_str());
    std::printf("created:       %s\n", IsoTime(h.KeyTime()).c_str());
    std::printf("last change:   %s\n", IsoTime(h.LastChange()).c_str());
    std::printf("password:      %s\n", h.IsPasswordSet() ? "set" : "none");
    std::printf("protection:    %s\n", protection.c_str());
    std::printf("hint:          %s\n", h.HasHint() ? ToUtf8(h.Hint()).c_str() : "(none)");
    for (int node = 1; node <= 3; ++node)
        std::printf("special node %d: %s (icon %d)\n", node, ToUtf8(h.Label(node)).c_str(), h.NodeIcon(node));
    std::printf("auto-close:    %s\n",
                s.AutoCloseMinutes() ? (std::to_string(s.AutoCloseMinutes()) + " minutes").c_str() : "never");
    std::printf("close on switch: %s\n", s.CloseOnSwitch() ? "yes" : "no");
    std::printf("colours:       folders %s, cards %s\n", Colour(s.FolderColour()).c_str(), Colour(s.CardColour()).c_str());
    std::printf("card view:     text size %u, names %s, data %s, passwords %s, data %s, background %s, names %s\n",
                s.CardHeadDefault(11), s.CardHeadDefault(12) ? "bold" : "plain", s.CardHeadDefault(13) ? "bold" : "plain",
                s.CardHeadDefault(9) ? "always shown" : "masked", Colour(s.CardHeadDefault(2)).c_str(),
                Colour(s.CardHeadDefault(3)).c_str(), Colour(s.CardHeadDefault(4)).c_str());
    std::printf("favourites:    %d\n", s.FavoriteCount());
    std::printf("records:       %llu live, %llu tombstones\n", static_cast<unsigned long long>(counts.live),
                static_cast<unsigned long long>(counts.tombstones));
    return kExitOk;
}

}  // namespace

TL5_COMMAND("info", "info WALLET [--json]", "show a wallet's header and settings", RunInfo);
