#include "cli/CliItems.h"

#include <cstdio>
#include <cstdlib>

#include "cli/CliCommon.h"
#include "model/CardBody.h"
#include "model/TreeIndex.h"
#include "model/WalletItems.h"
#include "platform/Text.h"

using namespace tl5;

namespace tl5cli {

bool OpenWalletForCommand(const char* command, const std::string& path, bool readOnly, Wallet* wallet, int* status) {
    const std::u16string upath = ArgToPath(path);
    int rc = wallet->Probe(upath, nullptr);
    std::u16string password;
    bool havePassword = false;
    if (rc == kOpenWrongPassword) {
        wallet->Close(false);
        if (!ReadPassword("Password: ", &password)) {
            *status = ReportError(command, "no password given", kExitWrongPassword);
            return false;
        }
        havePassword = true;
    } else if (rc != kOpenOk) {
        *status = ReportResult(command, "cannot open " + path, rc, OpenResultText(rc), OpenResultExit(rc));
        return false;
    } else {
        wallet->Close(false);
    }
    rc = wallet->Open(upath, havePassword ? &password : nullptr, readOnly);
    WipePassword(&password);
    if (rc != kOpenOk) {
        wallet->Close(false);
        *status = ReportResult(command, "cannot open " + path, rc, OpenResultText(rc), OpenResultExit(rc));
        return false;
    }
    return true;
}

int CloseWalletForCommand(const char* command, Wallet* wallet) {
    const bool readOnly = wallet->IsReadOnly();
    const int rc = wallet->Close(!readOnly);
    if (rc != kCloseOk && !(readOnly && rc == kCloseReadOnly)) {
        return ReportResult(command, "saving the wallet failed", rc, CloseResultText(rc), kExitIo);
    }
    return kExitOk;
}

namespace {

bool IsLive(const ItemRecord& r) { return r.Kind() != kItemKindNone && !r.IsDeleted(); }

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '/') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

}  // namespace

int ResolveItem(const char* command, Wallet& wallet, const std::string& item, bool* isTop) {
    if (isTop) *isTop = false;
    if (item.empty() || item == "/") {
        if (isTop) {
            *isTop = true;
            return -1;
        }
        ReportError(command, "the top level is not an item here", kExitUsage);
        return -1;
    }
    ItemId id;
    if (item.size() == 32 && ItemId::FromHex(item, &id)) {
        const int index = wallet.IndexOf(id);
        if (index >= 0 && IsLive(wallet.ItemAt(static_cast<size_t>(index)))) return index;
    }
    TreeIndex tree;
    if (!tree.Build(wallet)) {
        ReportError(command, "out of memory", kExitFailure);
        return -1;
    }
    ItemId parent;
    int found = -1;
    for (const std::string& part : SplitPath(item)) {
        const std::u16string name = Utf8ToUtf16(part);
        found = -1;
        int matches = 0;
        for (uint32_t child : tree.ChildrenOf(parent)) {
            if (wallet.ItemAt(child).Name() == name) {
                if (found < 0) found = static_cast<int>(child);
                ++matches;
            }
        }
        if (matches > 1) {
            ReportError(command, "more than one item is named " + part + " (use its id)", kExitFailure);
            return -1;
        }
        if (found < 0) break;
        parent = wallet.ItemAt(static_cast<size_t>(found)).Id();
    }
    if (found < 0) ReportError(command, "no item " + item, kExitFailure);
    return found;
}

std::u16string ItemPath(const Wallet& wallet, int index) {
    std::u16string path;
    for (int guard = 0; index >= 0 && guard < 256; ++guard) {
        const ItemRecord& r = wallet.ItemAt(static_cast<size_t>(index));
        path = path.empty() ? r.Name() : r.Name() + u"/" + path;
        index = ParentFolderIndexOf(wallet, index);
    }
    return path;
}

std::unique_ptr<Card> LoadCardForCommand(const char* command, Wallet& wallet, int index) {
    if (index < 0) return nullptr;
    if (wallet.ItemAt(static_cast<size_t>(index)).Kind() != kItemKindCard) {
        ReportError(command, "not a card: " + ToUtf8(ItemPath(wallet, index)), kExitFailure);
        return nullptr;
    }
    std::unique_ptr<Card> card = wallet.LoadCard(static_cast<size_t>(index));
    if (!card) ReportError(command, "the card cannot be read: " + ToUtf8(ItemPath(wallet, index)), kExitFailure);
    return card;
}

int SaveCardForCommand(const char* command, Wallet& wallet, Card* card) {
    card->Record().MarkChanged(kRecordContentsChanged);
    if (wallet.ReplaceCard(card, true) < 0) return ReportError(command, "writing the card failed", kExitIo);
    return kExitOk;
}

int ResolveField(const char* command, const Card& card, const std::string& field) {
    const std::u16string name = Utf8ToUtf16(field);
    for (size_t i = 0; i < card.FieldCount(); ++i) {
        if (card.FieldAt(i)->Name() == name) return static_cast<int>(i);
    }
    if (!field.empty() && field.find_first_not_of("0123456789") == std::string::npos && field.size() < 6) {
        const int index = std::atoi(field.c_str());
        if (static_cast<size_t>(index) < card.FieldCount()) return index;
    }
    ReportError(command, "no field " + field, kExitFailure);
    return -1;
}

namespace {
struct TypeName {
    const char* name;
    uint16_t type;
};
constexpr TypeName kTypeNames[] = {
    {"text", FT_TEXT},     {"url", FT_URL},         {"link", FT_LINK},           {"email", FT_EMAIL},
    {"phone", FT_PHONE},   {"password", FT_PASSWORD}, {"date", FT_DATE},         {"time", FT_TIME},
    {"datetime", FT_DATETIME}, {"choice", FT_CHOICE}, {"list", FT_LIST},         {"yesno", FT_YESNO},
    {"capfirst", FT_TEXT_CAPFIRST}, {"capwords", FT_TEXT_CAPWORDS},
};
}  // namespace

uint16_t ParseFieldType(const std::string& text) {
    for (const TypeName& t : kTypeNames) {
        if (text == t.name) return t.type;
    }
    if (!text.empty() && text.size() < 3 && text.find_first_not_of("0123456789") == std::string::npos) {
        const int code = std::atoi(text.c_str());
        if (IsKnownFieldType(static_cast<uint16_t>(code))) return static_cast<uint16_t>(code);
    }
    return 0;
}

const char* FieldTypeName(uint16_t type) {
    for (const TypeName& t : kTypeNames) {
        if (t.type == type) return t.name;
    }
    return "unknown";
}

namespace {

bool Digits(const std::string& s, size_t at, size_t count, int* value) {
    if (at + count > s.size()) return false;
    int v = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
    }
    *value = v;
    return true;
}

bool ParseDate(const std::string& s, size_t at, SystemTime* t) {
    int y, m, d;
    if (!Digits(s, at, 4, &y) || s.size() < at + 10 || s[at + 4] != '-' || !Digits(s, at + 5, 2, &m) ||
        s[at + 7] != '-' || !Digits(s, at + 8, 2, &d))
        return false;
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1601 || m < 1 || m > 12 || d < 1 || d > kDays[m - 1]) return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (m == 2 && d == 29 && !leap) return false;
    t->year = static_cast<uint16_t>(y);
    t->month = static_cast<uint16_t>(m);
    t->day = static_cast<uint16_t>(d);
    // Day of the week (Sakamoto's method), 0 = Sunday.
    static const int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    const int yy = m < 3 ? y - 1 : y;
    t->dayOfWeek = static_cast<uint16_t>((yy + yy / 4 - yy / 100 + yy / 400 + kOffsets[m - 1] + d) % 7);
    return true;
}

// "HH:MM" or "HH:MM:SS" from at to the end.
bool ParseClock(const std::string& s, size_t at, SystemTime* t) {
    int h, mi, sec = 0;
    const size_t n = s.size() - at;
    if (n != 5 && n != 8) return false;
    if (!Digits(s, at, 2, &h) || s[at + 2] != ':' || !Digits(s, at + 3, 2, &mi)) return false;
    if (n == 8 && (s[at + 5] != ':' || !Digits(s, at + 6, 2, &sec))) return false;
    if (h > 23 || mi > 59 || sec > 59) return false;
    t->hour = static_cast<uint16_t>(h);
    t->minute = static_cast<uint16_t>(mi);
    t->second = static_cast<uint16_t>(sec);
    return true;
}

}  // namespace

bool ParseIsoTime(const std::string& text, uint16_t type, SystemTime* time) {
    SystemTime t;
    if (type == FT_DATE) {
        if (text.size() != 10 || !ParseDate(text, 0, &t)) return false;
    } else if (type == FT_TIME) {
        if (!ParseClock(text, 0, &t)) return false;
    } else {
        if (text.size() < 16 || !ParseDate(text, 0, &t) || (text[10] != 'T' && text[10] != ' ') ||
            !ParseClock(text, 11, &t))
            return false;
    }
    *time = t;
    return true;
}

}  // namespace tl5cli

namespace tl5cli {

std::string FieldTimeText(const SystemTime& t, uint16_t type) {
    if (t.IsZero()) return std::string();
    char buf[48];  // room for every field at its widest, as a damaged wallet may hold
    if (type == FT_DATE) {
        std::snprintf(buf, sizeof buf, "%04u-%02u-%02u", t.year, t.month, t.day);
    } else if (type == FT_TIME) {
        std::snprintf(buf, sizeof buf, "%02u:%02u:%02u", t.hour, t.minute, t.second);
    } else {
        std::snprintf(buf, sizeof buf, "%04u-%02u-%02uT%02u:%02u:%02u", t.year, t.month, t.day, t.hour, t.minute,
                      t.second);
    }
    return buf;
}

}  // namespace tl5cli
