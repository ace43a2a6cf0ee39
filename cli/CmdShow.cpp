// tl5 show: one card with its fields, image, sound and attachments.
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "model/Sha256.h"

using namespace tl5;
using namespace tl5cli;

namespace {

const char* kMask = "********";

void PrintText(const Wallet& wallet, int index, const Card& card, bool reveal) {
    std::printf("%s\n", ToUtf8(ItemPath(wallet, index)).c_str());
    std::printf("  id: %s  icon: %d\n", card.Record().Id().ToHex().c_str(), card.Record().Icon());
    for (size_t i = 0; i < card.FieldCount(); ++i) {
        const Field& f = *card.FieldAt(i);
        std::u16string scratch;
        std::string shown = ToUtf8(f.DisplayText(&scratch));
        if (f.Type() == FT_PASSWORD && !reveal && !shown.empty()) shown = kMask;
        std::printf("  [%zu] %s (%s): %s\n", i, ToUtf8(f.Name()).c_str(), FieldTypeName(f.Type()), shown.c_str());
        if (HasChoiceItems(f.Type())) {
            for (size_t k = 0; k < f.ItemCount(); ++k) std::printf("        - %s\n", ToUtf8(f.ItemAt(k)).c_str());
        }
    }
    if (card.Image().HasData()) {
        std::printf("  image: %s (%zu bytes, position %d)\n", ToUtf8(card.Image().fileName).c_str(),
                    card.Image().bytes.Size(), card.Image().position);
    }
    if (card.Sound().HasData()) {
        std::printf("  sound: %s (%zu bytes)%s\n", ToUtf8(card.Sound().fileName).c_str(), card.Sound().bytes.Size(),
                    card.Sound().playWhenViewed ? ", played when viewed" : "");
    }
    for (size_t s = 0; s < kMaxAttachments; ++s) {
        const Attachment& a = card.AttachmentAt(s);
        if (!a.HasData()) continue;
        std::printf("  attachment %zu: %s (%zu bytes)\n", s, ToUtf8(a.fileName).c_str(), a.bytes.Size());
    }
}

void PrintJson(const Card& card, bool reveal) {
    JsonWriter j;
    j.BeginObject();
    j.Key("id").Id(card.Record().Id());
    j.Key("name").String(card.Record().Name());
    j.Key("icon").Int(card.Record().Icon());
    j.Key("head").BeginArray();
    for (uint32_t w : card.Head().words) j.UInt(w);
    j.EndArray();
    j.Key("fields").BeginArray();
    for (const Field& f : card.Fields()) {
        j.BeginObject();
        j.Key("type").UInt(f.Type());
        j.Key("name").String(f.Name());
        if (f.Type() == FT_PASSWORD && !reveal && !f.Value().empty()) {
            j.Key("value").String(std::string_view(kMask));
        } else {
            j.Key("value").String(f.Value());
        }
        const std::string time = FieldTimeText(f.DateTime(), f.Type());
        j.Key("datetime");
        if (time.empty()) {
            j.Null();
        } else {
            j.String(std::string_view(time));
        }
        j.Key("items").BeginArray();
        for (size_t k = 0; k < f.ItemCount(); ++k) j.String(f.ItemAt(k));
        j.EndArray();
        j.Key("name_colour").Int(f.NameColour());
        j.Key("data_colour").Int(f.DataColour());
        j.EndObject();
    }
    j.EndArray();
    j.Key("image");
    if (card.Image().HasData()) {
        const CardImage& im = card.Image();
        j.BeginObject();
        j.Key("file_name").String(im.fileName);
        j.Key("format").Int(im.format);
        j.Key("position").Int(im.position);
        j.Key("size").UInt(im.bytes.Size());
        j.Key("sha256").String(Sha256Hex(im.bytes.data.data(), im.bytes.Size()));
        j.EndObject();
    } else {
        j.Null();
    }
    j.Key("sound");
    if (card.Sound().HasData()) {
        const CardSound& s = card.Sound();
        j.BeginObject();
        j.Key("file_name").String(s.fileName);
        j.Key("format").Int(s.format);
        j.Key("play_when_viewed").Bool(s.playWhenViewed != 0);
        j.Key("size").UInt(s.bytes.Size());
        j.Key("sha256").String(Sha256Hex(s.bytes.data.data(), s.bytes.Size()));
        j.EndObject();
    } else {
        j.Null();
    }
    j.Key("attachments").BeginArray();
    for (size_t slot = 0; slot < kMaxAttachments; ++slot) {
        const Attachment& a = card.AttachmentAt(slot);
        if (!a.HasData()) continue;
        j.BeginObject();
        j.Key("slot").UInt(slot);
        j.Key("file_name").String(a.fileName);
        j.Key("size").UInt(a.bytes.Size());
        j.Key("sha256").String(Sha256Hex(a.bytes.data.data(), a.bytes.Size()));
        j.Key("file_time").Time(a.fileTime);
        j.Key("attached_at").Time(a.attachedAt);
        j.EndObject();
    }
    j.EndArray();
    j.EndObject();
    j.Print();
}

int RunShow(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {"--json", "--reveal"}, {}, &p) || p.positional.size() != 2) {
        std::fprintf(stderr, "usage: tl5 show WALLET ITEM [--json] [--reveal]\n");
        return kExitUsage;
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("show", p.positional[0], true, &wallet, &status)) return status;
    const int index = ResolveItem("show", wallet, p.positional[1]);
    if (index < 0) return kExitFailure;
    std::unique_ptr<Card> card = LoadCardForCommand("show", wallet, index);
    if (!card) return kExitFailure;
    if (p.Has("--json")) {
        PrintJson(*card, p.Has("--reveal"));
    } else {
        PrintText(wallet, index, *card, p.Has("--reveal"));
    }
    return kExitOk;
}

}  // namespace

TL5_COMMAND("show", "show WALLET ITEM [--json] [--reveal]",
            "one card: fields, image, sound, attachments (passwords masked unless --reveal)", RunShow);
