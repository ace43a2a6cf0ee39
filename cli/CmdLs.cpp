// tl5 ls WALLET [--json]: the live items in tree order, folders followed by their contents.
#include <cstdio>
#include <span>
#include <vector>

#include "cli/CliCommon.h"
#include "model/TreeIndex.h"
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
    int parent;  // the entry of the folder it is listed under, -1 at the top level
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

    tl5::TreeIndex tree;
    if (!tree.Build(wallet)) return ReportError("ls", "out of memory", kExitFailure);

    std::vector<Entry> order;
    std::vector<bool> listed(wallet.ItemCount(), false);
    // Depth first from the top level; the listed marks guard against cycles of parents. The walk
    // keeps its own stack and each entry only its folder's entry: a wallet can nest folders as deep as
    // its size allows.
    struct Frame {
        std::span<const uint32_t> list;
        size_t next;
        int depth;
        int entry;
    };
    std::vector<Frame> stack;
    stack.push_back({tree.Top(), 0, 0, -1});
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next >= f.list.size()) {
            stack.pop_back();
            continue;
        }
        const uint32_t index = f.list[f.next++];
        if (listed[index]) continue;
        listed[index] = true;
        const int depth = f.depth;
        order.push_back({static_cast<int>(index), depth, f.entry});
        const std::span<const uint32_t> children = tree.Children(index);
        if (!children.empty()) stack.push_back({children, 0, depth + 1, static_cast<int>(order.size() - 1)});
    }
    // Items whose folder is missing are listed after the tree, at the top level.
    for (size_t k = 0; k < wallet.ItemCount(); ++k) {
        if (!listed[k] && !wallet.ItemAt(k).IsDeleted()) {
            listed[k] = true;
            order.push_back({static_cast<int>(k), 0, -1});
        }
    }

    if (a.Has("--json")) {
        // Each name is decrypted once, and each path is its folder's path and its own name: the
        // entries of a folder come after the folder's own.
        std::vector<std::string> paths(order.size());
        JsonWriter j;
        j.Reserve(order.size() * 400);
        j.BeginArray();
        for (size_t k = 0; k < order.size(); ++k) {
            const Entry& e = order[k];
            const tl5::ItemRecord& r = wallet.ItemAt(static_cast<size_t>(e.index));
            const std::string name = ToUtf8(r.Name());
            if (e.parent >= 0) paths[k] = paths[static_cast<size_t>(e.parent)] + "/";
            paths[k] += name;
            j.BeginObject();
            j.Key("id").Id(r.Id());
            j.Key("name").String(name);
            j.Key("kind").String(KindName(r.Kind()));
            j.Key("parent");
            if (r.Parent().IsNull()) j.Null(); else j.Id(r.Parent());
            j.Key("depth").Int(e.depth);
            j.Key("path").String(paths[k]);
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
