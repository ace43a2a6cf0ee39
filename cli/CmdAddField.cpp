// tl5 add-field: a new field of a type on a card.
#include <cstdio>
#include <cstdlib>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "platform/Text.h"

using namespace tl5;
using namespace tl5cli;

namespace {

int RunAddField(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {}, {"--at"}, &p) || p.positional.size() != 4) {
        std::fprintf(stderr, "usage: tl5 add-field WALLET CARD TYPE NAME [--at INDEX]\n"
                             "  TYPE: text url link email phone password date time datetime choice list yesno\n"
                             "        capfirst capwords, or the type code\n");
        return kExitUsage;
    }
    const uint16_t type = ParseFieldType(p.positional[2]);
    if (type == 0) return ReportError("add-field", "unknown field type " + p.positional[2], kExitUsage);
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("add-field", p.positional[0], false, &wallet, &status)) return status;
    std::unique_ptr<Card> card = LoadCardForCommand("add-field", wallet, ResolveItem("add-field", wallet, p.positional[1]));
    if (!card) return kExitFailure;
    size_t at = card->FieldCount();
    if (const std::string* text = p.Value("--at")) at = static_cast<size_t>(std::strtoul(text->c_str(), nullptr, 10));
    if (at > card->FieldCount()) at = card->FieldCount();
    Field* f = card->AddField(type, at);
    if (!f) return ReportError("add-field", "the card already has 255 fields", kExitFailure);
    f->SetName(Utf8ToUtf16(p.positional[3]));
    const int saved = SaveCardForCommand("add-field", wallet, card.get());
    if (saved != kExitOk) return saved;
    std::printf("%zu\n", at);
    return CloseWalletForCommand("add-field", &wallet);
}

}  // namespace

TL5_COMMAND("add-field", "add-field WALLET CARD TYPE NAME [--at INDEX]", "a new field on a card", RunAddField);
