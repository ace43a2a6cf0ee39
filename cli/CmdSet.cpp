// tl5 set: the value of one field of a card, in the form its type takes.
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliItems.h"
#include "platform/Text.h"

using namespace tl5;
using namespace tl5cli;

namespace {

// Sets the value text (or date/time, or yes/no state); false with a message when it does not fit the type.
bool ApplyValue(Field* f, const std::string& value) {
    if (IsDateTimeType(f->Type())) {
        if (value.empty()) {
            f->ClearValue();
            return true;
        }
        SystemTime t;
        if (!ParseIsoTime(value, f->Type(), &t)) {
            const char* form = f->Type() == FT_DATE ? "YYYY-MM-DD" : f->Type() == FT_TIME ? "HH:MM[:SS]"
                                                                                          : "YYYY-MM-DDTHH:MM[:SS]";
            ReportError("set", "not a valid " + std::string(FieldTypeName(f->Type())) + ": " + value + " (use " + form + ")",
                        kExitUsage);
            return false;
        }
        if (f->Type() == FT_TIME) {
            // A time is stored with a date, as the time picker gives it; the day is today's.
            const SystemTime today = LocalTimeNow();
            t.year = today.year;
            t.month = today.month;
            t.day = today.day;
            t.dayOfWeek = today.dayOfWeek;
        }
        f->SetDateTime(t);
        return true;
    }
    if (f->Type() == FT_YESNO) {
        if (value == "yes" || value == "1") {
            f->SetYesNoState(1);
        } else if (value == "no" || value == "0") {
            f->SetYesNoState(0);
        } else if (value.empty() || value == "2") {
            f->SetYesNoState(2);
        } else {
            ReportError("set", "a yes/no field takes yes, no or an empty value", kExitUsage);
            return false;
        }
        return true;
    }
    f->SetValue(Utf8ToUtf16(value));
    return true;
}

int RunSet(const std::vector<std::string>& args) {
    ParsedArgs p;
    if (!ParseArgs(args, {}, {"--items"}, &p) || p.positional.size() < 3 || p.positional.size() > 4 ||
        (p.positional.size() == 3 && !p.Has("--items"))) {
        std::fprintf(stderr, "usage: tl5 set WALLET CARD FIELD VALUE [--items ITEM^ITEM...]\n"
                             "  FIELD is a field name or its 0-based index; dates and times in ISO 8601;\n"
                             "  yes/no as yes, no or empty; --items replaces a choice or selection list\n");
        return kExitUsage;
    }
    Wallet wallet;
    int status = kExitOk;
    if (!OpenWalletForCommand("set", p.positional[0], false, &wallet, &status)) return status;
    std::unique_ptr<Card> card = LoadCardForCommand("set", wallet, ResolveItem("set", wallet, p.positional[1]));
    if (!card) return kExitFailure;
    const int index = ResolveField("set", *card, p.positional[2]);
    if (index < 0) return kExitFailure;
    Field* f = card->FieldAt(static_cast<size_t>(index));
    if (const std::string* items = p.Value("--items")) {
        if (!HasChoiceItems(f->Type())) return ReportError("set", "only choice and selection fields have items", kExitUsage);
        f->SetItemsFromJoined(Utf8ToUtf16(*items));
    }
    if (p.positional.size() == 4 && !ApplyValue(f, p.positional[3])) return kExitUsage;
    const int saved = SaveCardForCommand("set", wallet, card.get());
    if (saved != kExitOk) return saved;
    return CloseWalletForCommand("set", &wallet);
}

}  // namespace

TL5_COMMAND("set", "set WALLET CARD FIELD VALUE [--items ITEM^ITEM...]",
            "a field's value (FIELD: name or 0-based index; ISO dates; yes/no/empty)", RunSet);
