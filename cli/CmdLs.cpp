// tl5 ls WALLET [--json]: the live items in tree order, folders followed by their contents.
#include <cstdio>
#include <map>
#include <vector>

#include "cli/CliCommon.h"
#include "model/TreeOrder.h"
#include "model/Wallet.h"

namespace {

const char* KindName(tl5::ItemKind kind) {
    switch (kind) {
        case tl5::kItemKindCard: return "card";
        case tl5::kItemKindFolder: return "folder";
        case tl5::kItemKindMyForms: return "my_forms";
        default: return "unknown";
    }
}

struct Entry {
    int index;
    int depth;
    std::u16string path;
};

int RunLs(const std::vector<std::string>& args) {
    using namespace tl5cli;
    ParsedArgs a;
    if (!ParseArgs(args, {"--json"}, {}, &a) || a.positional.size() != 1) {
        std::fprintf(stderr, "usage: tl5 ls WALLET [--json]\n");
        return kExitUsage;
    }
    tl5::Wallet wallet;
    const int status = OpenWalletForCli("ls", a.positional[0], true, false, &wallet);
    if (status != kExitOk) return status;

    // Children of each parent, each group sorted once.
    std::map<tl5::ItemId, std::vector<uint32_t>> children;
    for (size_t k = 0; k < wallet.ItemCount(); ++k) {
        const tl5::ItemRecord& r = wallet.ItemAt(k);
        if (!r.IsDeleted()) children[r.Parent()].push_back(static_cast<uint32_t>(k));
    }
    for (auto& [parent, list] : children) tl5::SortByTreeOrder(wallet, &list);

    std::vector<Entry> order;
    std::vector<bool> listed(wallet.ItemCount(), false);
    // Depth first from the top level; a folder's own entry guards against cycles of parents.
    auto walk = [&](auto&& self, const tl5::ItemId& parent, int depth, const std::u16string& prefix) -> void {
        auto it = children.find(parent);
        if (it == children.end()) return;
        for (uint32_t index : it->second) {
            if (listed[index]) continue;
            listed[index] = true;
            const tl5::ItemRecord& r = wallet.ItemAt(index);
            const std::u16string path = prefix.empty() ? r.Name() : prefix + u"/" + r.Name();
            order.push_back({static_cast<int>(index), depth, path});
            if (r.IsFolderLike()) self(self, r.Id(), depth + 1, path);
        }
    };
    walk(walk, tl5::ItemId(), 0, u"");
    // Items whose folder is missing are listed after the tree, at the top level.
    for (size_t k = 0; k < wallet.ItemCount(); ++k) {
        if (!listed[k] && !wallet.ItemAt(k).IsDeleted()) {
            listed[k] = true;
            order.push_back({static_cast<int>(k), 0, wallet.ItemAt(k).Name()});
        }
    }

    if (a.Has("--json")) {
        JsonWriter j;
        j.BeginArray();
        for (const Entry& e : order) {
            const tl5::ItemRecord& r = wallet.ItemAt(static_cast<size_t>(e.index));
            j.BeginObject();
            j.Key("id").Id(r.Id());
            j.Key("name").String(r.Name());
            j.Key("kind").String(KindName(r.Kind()));
            j.Key("parent");
            if (r.Parent().IsNull()) j.Null(); else j.Id(r.Parent());
            j.Key("depth").Int(e.depth);
            j.Key("path").String(e.path);
            j.Key("icon").Int(r.Icon());
            j.Key("created").Time(r.Created());
            j.Key("modified").Time(r.Modified());
            j.EndObject();
        }
        j.EndArray();
        j.Print();
    } else {
        for (const Entry& e : order) {
            const tl5::ItemRecord& r = wallet.ItemAt(static_cast<size_t>(e.index));
            std::string line(2 * static_cast<size_t>(e.depth), ' ');
            line += ToUtf8(r.Name());
            if (r.IsFolderLike()) line += "/";
            std::printf("%-48s %s\n", line.c_str(), r.Id().ToHex().c_str());
        }
    }
    wallet.Close(false);
    return kExitOk;
}

}  // namespace

TL5_COMMAND("ls", "ls WALLET [--json]", "list the items in tree order", RunLs);
