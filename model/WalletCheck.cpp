#include "model/WalletCheck.h"

#include <cstring>
#include <map>
#include <new>

#include "model/Card.h"
#include "model/CardBody.h"
#include "model/ItemRecord.h"
#include "model/LittleEndian.h"
#include "model/Md5.h"
#include "model/RecordScanner.h"
#include "model/WalletBlocks.h"
#include "platform/SecureZero.h"

namespace tl5 {

namespace {

struct Seen {
    ItemId id;
    ItemId parent;
    ItemKind kind;
    uint64_t offset;
};

// True when the name slot decrypts to a name followed only by zero bytes (or is all zero).
bool NameSlotIsSound(const ItemRecord& record, const CipherKey& key) {
    const uint8_t* slot = record.Raw() + ItemRecord::kOffName;
    bool empty = true;
    for (size_t k = 0; k < ItemRecord::kNameSlotSize && empty; ++k) empty = slot[k] == 0;
    if (empty) return true;
    uint8_t plain[ItemRecord::kNameSlotSize];
    key.Decrypt(slot, sizeof plain, plain);
    size_t end = 0;
    while (end + 1 < sizeof plain && (plain[end] | plain[end + 1])) end += 2;
    bool sound = end <= 2 * ItemRecord::kMaxNameLength;
    for (size_t k = end; k < sizeof plain; ++k) sound = sound && plain[k] == 0;
    SecureZero(plain, sizeof plain);
    return sound;
}

void Walk(File& file, const CipherKey& key, WalletCheckReport* report) {
    std::vector<WalletProblem>& problems = report->problems;
    std::vector<Seen> live;
    RecordScanner scanner(file, kFirstRecordOffset);
    ItemRecord record;
    std::vector<uint8_t> body;
    for (;;) {
        const int rc = scanner.Next(&record, true);
        if (rc == kBlockEndOfFile) break;
        const uint64_t at = scanner.RecordOffset();
        if (rc != kBlockOk) {
            const char* what = rc == kBlockInvalid ? "unknown record type identifier; the records after it cannot be found"
                               : rc == kBlockShort ? "the file ends inside this record or its custom icon"
                                                   : "the record cannot be read";
            problems.push_back({at, what});
            break;
        }
        if (!scanner.BodyFits()) {
            problems.push_back({at, "the body (" + std::to_string(record.BodySize()) + " bytes) runs past the end of the file"});
            break;
        }
        const uint32_t deleted = LoadU32(record.Raw() + ItemRecord::kOffDeleted);
        if (deleted > 1) problems.push_back({at, "deleted flag is " + std::to_string(deleted) + ", not 0 or 1"});
        if (record.IsDeleted()) {
            ++report->tombstones;
            if (record.BodySize() != 0) problems.push_back({at, "a deleted record still has body bytes"});
            continue;
        }
        ++report->liveRecords;
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
                Md5Digest(icon.data(), icon.size(), digest);
                if (std::memcmp(digest, record.Raw() + ItemRecord::kOffIconDigest, 16) != 0)
                    problems.push_back({at, "custom icon bytes do not match their digest"});
            }
        } else if (iconSize != 0) {
            problems.push_back({at, "icon bytes stored although the icon index is not -1"});
        }
        if (!NameSlotIsSound(record, key)) problems.push_back({at, "the name does not decrypt to a terminated text"});
        if (record.Kind() == kItemKindCard) {
            if (record.BodySize() < CardHead::kSize) {
                problems.push_back({at, "card body of " + std::to_string(record.BodySize()) + " bytes is shorter than its head"});
            } else if (scanner.ReadBody(&body) != kBlockOk) {
                problems.push_back({scanner.BodyOffset(), "the card body cannot be read"});
            } else {
                Card card(record);
                const int parsed = ParseCardBody(card, body.data(), body.size(), key);
                SecureZero(body);
                if (parsed != kCardOk)
                    problems.push_back({scanner.BodyOffset(), "the card body is damaged (result code " + std::to_string(parsed) + ")"});
            }
        } else if (record.BodySize() != 0) {
            problems.push_back({at, "a folder record with body bytes"});
        }
        live.push_back({record.Id(), record.Parent(), record.Kind(), at});
    }

    // Relations between the live records.
    std::map<ItemId, const Seen*> byId;
    int myForms = 0;
    for (const Seen& s : live) {
        auto [it, inserted] = byId.emplace(s.id, &s);
        if (!inserted)
            problems.push_back({s.offset, "the id " + s.id.ToHex() + " is live twice (first at offset " +
                                              std::to_string(it->second->offset) + ")"});
        if (s.kind == kItemKindMyForms) {
            ++myForms;
            if (!s.parent.IsNull()) problems.push_back({s.offset, "the My Forms folder has a parent"});
        }
    }
    for (const Seen& s : live) {
        if (s.parent.IsNull()) continue;
        auto it = byId.find(s.parent);
        if (it == byId.end()) problems.push_back({s.offset, "the parent " + s.parent.ToHex() + " is not a live item"});
        else if (it->second->kind == kItemKindCard) problems.push_back({s.offset, "the parent is a card"});
        else if (s.parent == s.id) problems.push_back({s.offset, "the item is its own parent"});
    }
    if (myForms == 0) problems.push_back({kFirstRecordOffset, "the wallet has no My Forms folder"});
}

}  // namespace

void CheckWalletRecords(File& file, const CipherKey& key, WalletCheckReport* report) {
    *report = WalletCheckReport();
    try {
        Walk(file, key, report);
    } catch (const std::bad_alloc&) {
        report->problems.push_back({kFirstRecordOffset, "out of memory while checking the records"});
    }
}

}  // namespace tl5
