// Shared helpers of the wallet tests: a fixed clock and random source, wallets in memory, and a
// snapshot of a wallet's live items for before/after comparisons.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Card.h"
#include "model/Md5.h"
#include "model/Wallet.h"
#include "platform/LocalTime.h"
#include "platform/MemoryFile.h"
#include "platform/Random.h"
#include "platform/Text.h"

namespace tl5test {

inline tl5::SystemTime FixedTime() {
    tl5::SystemTime t;
    t.year = 2026; t.month = 12; t.dayOfWeek = 3; t.day = 9; t.hour = 14; t.minute = 3; t.second = 5; t.milliseconds = 120;
    return t;
}

// Fixes the clock and seeds the random source for the duration of a test.
class FixedWorld : public ::testing::Test {
protected:
    void SetUp() override {
        tl5::SetLocalTimeSourceForTests([] { return FixedTime(); });
        tl5::SeedRandomForTests(42);
    }
    void TearDown() override {
        tl5::SetLocalTimeSourceForTests(nullptr);
        tl5::SetRandomSourceForTests(nullptr);
    }
};

inline const std::u16string kPath = u"/mem/test.tl5";
inline const std::u16string kPassword = u"correct horse";

// Everything a user could see of an open wallet: each item of its table with its members and, for
// cards, the fields read from the file.
inline std::string Describe(tl5::Wallet& w) {
    std::string s = "open=0\n";
    for (size_t k = 0; k < w.ItemCount(); ++k) {
        const tl5::ItemRecord& r = w.ItemAt(k);
        if (r.IsDeleted()) continue;  // a deleted item stays in the table, flagged
        s += r.Id().ToHex() + " kind=" + std::to_string(r.Kind()) + " parent=" + r.Parent().ToHex() +
             " icon=" + std::to_string(r.Icon()) + " name=" + tl5::Utf16ToUtf8(r.Name()) + "\n";
        if (r.Kind() == tl5::kItemKindCard) {
            auto card = w.LoadCard(k);
            if (!card) {
                s += "  unreadable card\n";
                continue;
            }
            for (const tl5::Field& f : card->Fields())
            {
                std::string value = tl5::Utf16ToUtf8(f.Value());
                if (value.size() > 40) {  // long values by length and digest, to keep messages short
                    uint8_t d[16];
                    tl5::Md5Digest(value.data(), value.size(), d);
                    value = std::to_string(value.size()) + " bytes md5 " + tl5::ItemId::FromBytes(d).ToHex();
                }
                s += "  field " + std::to_string(f.Type()) + " " + tl5::Utf16ToUtf8(f.Name()) + "=" + value + "\n";
            }
        }
    }
    s += "fav=" + std::to_string(w.Settings().FavoriteCount()) + " autoclose=" +
         std::to_string(w.Settings().AutoCloseMinutes()) + " hint=" + tl5::Utf16ToUtf8(w.Header().Hint()) + "\n";
    return s;
}

// The same for the wallet as it opens from the file.
inline std::string Snapshot(tl5::FileSystem& fs, const std::u16string& path, const std::u16string& password) {
    tl5::Wallet w(fs);
    const int rc = w.Open(path, &password, true);
    if (rc != 0) return "open=" + std::to_string(rc) + "\n";
    return Describe(w);
}

// A card with the given fields under the parent, keyed for the wallet.
inline tl5::Card MakeCard(tl5::Wallet& w, const tl5::ItemId& parent, const std::u16string& name,
                          const std::vector<std::pair<std::u16string, std::u16string>>& fields) {
    tl5::ItemRecord record;
    record.SetKey(w.RecordKey());
    record.CreateAsCard(parent);
    record.SetName(name);
    tl5::Card card(record);
    for (const auto& [n, v] : fields) {
        tl5::Field* f = card.AddField(1);
        f->SetName(n);
        f->SetValue(v);
    }
    return card;
}

}  // namespace tl5test
