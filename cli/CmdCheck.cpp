// tl5 check WALLET: reads every record and body and reports what is malformed, with its file offset.
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "cli/CliCommon.h"
#include "model/Card.h"
#include "model/CardBody.h"
#include "model/LittleEndian.h"
#include "model/Md5.h"
#include "model/RecordScanner.h"
#include "model/Wallet.h"
#include "platform/SecureZero.h"

namespace {

struct Problem {
    uint64_t offset;
    std::string what;
};

struct Seen {
    tl5::ItemId id;
    tl5::ItemId parent;
    tl5::ItemKind kind;
    uint64_t offset;
};

// True when the name slot decrypts to a name followed only by zero bytes (or is all zero).
bool NameSlotIsSound(const tl5::ItemRecord& record, const tl5::CipherKey& key) {
    const uint8_t* slot = record.Raw() + tl5::ItemRecord::kOffName;
    bool empty = true;
    for (size_t k = 0; k < tl5::ItemRecord::kNameSlotSize && empty; ++k) empty = slot[k] == 0;
    if (empty) return true;
    uint8_t plain[tl5::ItemRecord::kNameSlotSize];
    key.Decrypt(slot, sizeof plain, plain);
    size_t end = 0;
    while (end + 1 < sizeof plain && (plain[end] | plain[end + 1])) end += 2;
    bool sound = end <= 2 * tl5::ItemRecord::kMaxNameLength;
    for (size_t k = end; k < sizeof plain; ++k) sound = sound && plain[k] == 0;
    tl5::SecureZero(plain, sizeof plain);
    return sound;
}

int RunCheck(const std::vector<std::string>& args) {
    using namespace tl5cli;
    ParsedArgs a;
    if (!ParseArgs(args, {}, {}, &a) || a.positional.size() != 1) {
        std::fprintf(stderr, "usage: tl5 check WALLET\n");
        return kExitUsage;
    }
    tl5::Wallet wallet;
    // The fixed blocks and the password; the records are walked here so that every problem is seen.
    const int status = OpenWalletForCli("check", a.positional[0], true, true, &wallet);
    if (status != kExitOk) return status;
    const std::shared_ptr<const tl5::CipherKey> key = wallet.RecordKey();
    std::vector<Problem> problems;
    std::vector<Seen> live;
    uint64_t liveCount = 0, tombstones = 0;
    tl5::RecordScanner scanner(*wallet.FileHandle(), tl5::kFirstRecordOffset);
    tl5::ItemRecord record;
    std::vector<uint8_t> body;
    for (;;) {
        const int rc = scanner.Next(&record, true);
        if (rc == tl5::kBlockEndOfFile) break;
        const uint64_t at = scanner.RecordOffset();
        if (rc != tl5::kBlockOk) {
            const char* what = rc == tl5::kBlockInvalid ? "unknown record type identifier; the records after it cannot be found"
                               : rc == tl5::kBlockShort ? "the file ends inside this record or its custom icon"
                                                        : "the record cannot be read";
            problems.push_back({at, what});
            break;
        }
        if (!scanner.BodyFits()) {
            problems.push_back({at, "the body (" + std::to_string(record.BodySize()) + " bytes) runs past the end of the file"});
            break;
        }
        const uint32_t deleted = tl5::LoadU32(record.Raw() + tl5::ItemRecord::kOffDeleted);
        if (deleted > 1) problems.push_back({at, "deleted flag is " + std::to_string(deleted) + ", not 0 or 1"});
        if (record.IsDeleted()) {
            ++tombstones;
            if (record.BodySize() != 0) problems.push_back({at, "a deleted record still has body bytes"});
            continue;
        }
        ++liveCount;
        // Custom icon members.
        const uint32_t iconSize = record.CustomIconSize(), padding = record.CustomIconPadding();
        if (record.Icon() == -1) {
            if (iconSize == 0) {
                problems.push_back({at, "custom icon index without icon bytes"});
            } else if (padding < 1 || padding > 4 || padding > iconSize || (iconSize - padding) % 4 + padding != 4) {
                problems.push_back({at, "custom icon padding " + std::to_string(padding) + " does not fit its size " +
                                            std::to_string(iconSize)});
            } else {
                const std::vector<uint8_t> icon = record.CustomIconBytes();
                uint8_t digest[16];
                tl5::Md5Digest(icon.data(), icon.size(), digest);
                if (std::memcmp(digest, record.Raw() + tl5::ItemRecord::kOffIconDigest, 16) != 0)
                    problems.push_back({at, "custom icon bytes do not match their digest"});
            }
        } else if (iconSize != 0) {
            problems.push_back({at, "icon bytes stored although the icon index is not -1"});
        }
        if (!NameSlotIsSound(record, *key)) problems.push_back({at, "the name does not decrypt to a terminated text"});
        if (record.Kind() == tl5::kItemKindCard) {
            if (record.BodySize() < tl5::CardHead::kSize) {
                problems.push_back({at, "card body of " + std::to_string(record.BodySize()) + " bytes is shorter than its head"});
            } else if (scanner.ReadBody(&body) != tl5::kBlockOk) {
                problems.push_back({scanner.BodyOffset(), "the card body cannot be read"});
            } else {
                tl5::Card card(record);
                const int parsed = tl5::ParseCardBody(card, body.data(), body.size(), *key);
                tl5::SecureZero(body);
                if (parsed != tl5::kCardOk)
                    problems.push_back({scanner.BodyOffset(), "the card body is damaged (result code " + std::to_string(parsed) + ")"});
            }
        } else if (record.BodySize() != 0) {
            problems.push_back({at, "a folder record with body bytes"});
        }
        live.push_back({record.Id(), record.Parent(), record.Kind(), at});
    }

    // Relations between the live records.
    std::map<tl5::ItemId, const Seen*> byId;
    int myForms = 0;
    for (const Seen& s : live) {
        auto [it, inserted] = byId.emplace(s.id, &s);
        if (!inserted)
            problems.push_back({s.offset, "the id " + s.id.ToHex() + " is live twice (first at offset " +
                                              std::to_string(it->second->offset) + ")"});
        if (s.kind == tl5::kItemKindMyForms) {
            ++myForms;
            if (!s.parent.IsNull()) problems.push_back({s.offset, "the My Forms folder has a parent"});
        }
    }
    for (const Seen& s : live) {
        if (s.parent.IsNull()) continue;
        auto it = byId.find(s.parent);
        if (it == byId.end()) problems.push_back({s.offset, "the parent " + s.parent.ToHex() + " is not a live item"});
        else if (it->second->kind == tl5::kItemKindCard) problems.push_back({s.offset, "the parent is a card"});
        else if (s.parent == s.id) problems.push_back({s.offset, "the item is its own parent"});
    }
    if (myForms == 0) problems.push_back({tl5::kFirstRecordOffset, "the wallet has no My Forms folder"});

    for (const Problem& p : problems)
        std::printf("offset %llu: %s\n", static_cast<unsigned long long>(p.offset), p.what.c_str());
    std::printf("%llu live records, %llu tombstones: %s\n", static_cast<unsigned long long>(liveCount),
                static_cast<unsigned long long>(tombstones),
                problems.empty() ? "all is well" : (std::to_string(problems.size()) + " problems").c_str());
    wallet.Close(false);
    return problems.empty() ? kExitOk : kExitFailure;
}

}  // namespace

TL5_COMMAND("check", "check WALLET", "read every record and body and report damage", RunCheck);
