// tl5 new-card: a card from a built-in form (number or name) or a form in My Forms.
#include <cstdio>
#include <cstdlib>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "model/BuiltInForm.h"
#include "model/TreeIndex.h"
#include "model/WalletItems.h"
#include "platform/Text.h"
#include "resources/StringTable.h"

using namespace tl5;
using namespace tl5cli;

namespace {

// A built-in form by number or name, else a form in My Forms by name or id.
bool FindForm(Wallet& wallet, const std::string& text, FormId* form) {
    if (!text.empty() && text.size() < 3 && text.find_first_not_of("0123456789") == std::string::npos) {
        return FormId::ForBuiltIn(std::atoi(text.c_str()), form);
    }
    const std::u16string name = Utf8ToUtf16(text);
    for (int n = 0; n < kBuiltInFormCount; ++n) {
        const char16_t* formName = StringTableLookup(BuiltInFormByNumber(n)->nameString);
        if (formName && name == formName) return FormId::ForBuiltIn(n, form);
    }
    const int myForms = wallet.MyFormsIndex();
    if (myForms < 0) return false;
    TreeIndex tree;
    if (!tree.Build(wallet)) return false;
    for (uint32_t child : tree.ChildrenOf(wallet.ItemAt(static_cast<size_t>(myForms)).Id())) {
        const ItemRecord& r = wallet.ItemAt(child);
        if (r.Kind() == kItemKindCard && (r.Name() == name || r.Id().ToHex() == text)) {
            *form = FormId::FromItemId(r.Id());
            return true;
        }
    }
    return false;
}

int RunNewCard(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {}, {"--form", "--name"}, &p) || p.positional.size() != 2) {
        std::fprintf(stderr, "usage: tl5 new-card WALLET PARENT [--form NUMBER|FORMNAME] [--name NAME]\n");
        return kExitUsage;
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("new-card", p.positional[0], false, &wallet, &status)) return status;
    bool top = false;
    const int parent = ResolveItem("new-card", wallet, p.positional[1], &top);
    if (!top && parent < 0) return kExitFailure;
    if (!top && !wallet.ItemAt(static_cast<size_t>(parent)).IsFolderLike()) {
        return ReportError("new-card", "the parent is not a folder", kExitFailure);
    }
    const ItemId parentId = top ? ItemId() : wallet.ItemAt(static_cast<size_t>(parent)).Id();
    std::unique_ptr<Card> card;
    if (const std::string* formText = p.Value("--form")) {
        FormId form;
        if (!FindForm(wallet, *formText, &form)) return ReportError("new-card", "no form " + *formText, kExitFailure);
        card = NewCardFromForm(wallet, parentId, form);
    } else {
        card = NewEmptyCard(wallet, parentId);
    }
    if (!card) return ReportError("new-card", "the card cannot be made", kExitFailure);
    if (const std::string* name = p.Value("--name")) card->Record().SetName(Utf8ToUtf16(*name));
    const ItemId id = card->Record().Id();
    if (wallet.AppendCard(card.get(), false) < 0) return ReportError("new-card", "writing the card failed", kExitIo);
    std::printf("%s\n", id.ToHex().c_str());
    return CloseWalletForCommand("new-card", &wallet);
}

}  // namespace

TL5_COMMAND("new-card", "new-card WALLET PARENT [--form NUMBER|FORMNAME] [--name NAME]",
            "a new card, empty or from a built-in form or a form in My Forms", RunNewCard);
