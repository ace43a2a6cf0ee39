// The open wallet remembers where its records lie and at which table index each id sits; these tests
// check that what it finds through that memory always matches the file, across saves that move records
// and when the file changed behind its back. Also the card body reader without media.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "WalletTestSupport.h"
#include "model/CardBody.h"
#include "model/WalletItems.h"

namespace {

using namespace tl5;
using namespace tl5test;

// One line per live table entry, sorted: id, index check, name and the loaded card's fields.
std::string View(Wallet& w) {
    std::vector<std::string> lines;
    for (size_t k = 0; k < w.ItemCount(); ++k) {
        const ItemRecord& r = w.ItemAt(k);
        if (r.IsDeleted()) continue;
        std::string line = r.Id().ToHex() + (w.IndexOf(r.Id()) == static_cast<int>(k) ? " index ok " : " INDEX WRONG ") +
                           Utf16ToUtf8(r.Name());
        if (r.Kind() == kItemKindCard) {
            auto card = w.LoadCard(k);
            if (!card) {
                line += " unreadable";
            } else {
                line += " [" + Utf16ToUtf8(card->Record().Name()) + "]";
                for (const Field& f : card->Fields()) line += " " + Utf16ToUtf8(f.Name()) + "=" + Utf16ToUtf8(f.Value());
            }
        }
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    std::string s;
    for (const std::string& l : lines) s += l + "\n";
    return s;
}

class WalletLookup : public FixedWorld {
protected:
    void SetUp() override {
        FixedWorld::SetUp();
        Wallet w(fs);
        ASSERT_EQ(w.Create(kPath, kPassword, u"", true), kCreateOk);
        ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
        folder = w.ItemAt(0).Id();
        for (int n = 0; n < 30; ++n) {
            const std::u16string s = Utf8ToUtf16(std::to_string(n));
            Card c = MakeCard(w, folder, u"Card " + s, {{u"Number", s}, {u"Notes", std::u16string(n * 40, u'x')}});
            ids.push_back(c.Record().Id());
            ASSERT_GE(w.AppendCard(&c, false), 0);
        }
        ASSERT_EQ(w.Close(true), kCloseOk);
    }

    MemoryFileSystem fs;
    ItemId folder;
    std::vector<ItemId> ids;
};

TEST_F(WalletLookup, SavesThatMoveRecordsKeepEveryLookupInStepWithTheFile) {
    Wallet w(fs);
    ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
    auto change = [&](int n, const char16_t* value) {
        auto card = w.LoadCard(ids[static_cast<size_t>(n)]);
        ASSERT_NE(card, nullptr) << n;
        card->FieldAt(0)->SetValue(value);
        ASSERT_GE(w.ReplaceCard(card.get(), false), 0) << n;
    };
    const std::vector<std::function<void()>> steps = {
        [&] { change(0, u"first, now last"); },                   // the whole tail moves down
        [&] { change(15, u"middle"); },
        [&] { change(29, u"was last"); },
        [&] { change(0, u"again"); },                             // the record moved before
        [&] { ASSERT_EQ(w.MarkDeletedInFile(ids[3]), 1); },        // body cut, tombstone stays
        [&] { ASSERT_EQ(RenameItem(w, w.IndexOf(ids[7]), u"Renamed"), 1); },  // in place
        [&] {
            Card c = MakeCard(w, folder, u"New", {{u"Number", u"new"}});
            ids.push_back(c.Record().Id());
            ASSERT_GE(w.AppendCard(&c, false), 0);
        },
        [&] { change(30, u"new, changed"); },
        [&] { change(21, u"late change"); },
    };
    for (size_t s = 0; s < steps.size(); ++s) {
        steps[s]();
        if (HasFatalFailure()) return;
        // What the working wallet finds must be what a fresh open of the file finds (on a copy of its
        // bytes: the open wallet does not share its file for writing).
        MemoryFileSystem copy;
        copy.SetContents(kPath, fs.Contents(kPath));
        Wallet fresh(copy);
        ASSERT_EQ(fresh.Open(kPath, &kPassword, true), kOpenOk);
        const std::string working = View(w);
        EXPECT_EQ(working, View(fresh)) << "after step " << s;
        EXPECT_EQ(working.find("WRONG"), std::string::npos) << "after step " << s;
        EXPECT_EQ(working.find("unreadable"), std::string::npos) << "after step " << s;
    }
    EXPECT_EQ(w.LoadCard(ids[3]), nullptr);  // deleted
    auto moved = w.LoadCard(ids[0]);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->FieldAt(0)->Value(), u"again");
}

TEST_F(WalletLookup, AFileChangedBehindTheWalletIsReadAsItIsNow) {
    // The same wallet with its first card cut out, made through another file system.
    MemoryFileSystem other;
    other.SetContents(kPath, fs.Contents(kPath));
    {
        Wallet w(other);
        ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
        ASSERT_EQ(w.CutRecord(ids[0]), 1);
        ASSERT_EQ(w.Close(true), kCloseOk);
    }
    Wallet w(fs);
    ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);  // remembers where every record was
    uint64_t before = 0, after = 0;
    ASSERT_TRUE(w.FileHandle()->GetSize(&before));
    fs.SetContents(kPath, other.Contents(kPath));
    ASSERT_TRUE(w.FileHandle()->GetSize(&after));
    ASSERT_LT(after, before);  // the open wallet reads the new bytes: every remembered offset is off

    EXPECT_EQ(w.LoadCard(ids[0]), nullptr);
    for (size_t n = 1; n < ids.size(); n += 7) {
        auto card = w.LoadCard(ids[n]);
        ASSERT_NE(card, nullptr) << n;
        EXPECT_EQ(card->FieldAt(0)->Value(), Utf8ToUtf16(std::to_string(n)));
    }
    // The reader that goes through many cards is not misled by the remembered offsets either.
    Card reused;
    std::vector<uint8_t> buffer;
    EXPECT_NE(w.LoadCardInto(static_cast<size_t>(w.IndexOf(ids[0])), &reused, false, &buffer), kCardOk);
    for (size_t n = 2; n < ids.size(); n += 5) {
        ASSERT_EQ(w.LoadCardInto(static_cast<size_t>(w.IndexOf(ids[n])), &reused, false, &buffer), kCardOk) << n;
        EXPECT_EQ(reused.Record().Id(), ids[n]);
        EXPECT_EQ(reused.FieldAt(0)->Value(), Utf8ToUtf16(std::to_string(n)));
    }
    // A save after that cuts the right record and leaves the others readable.
    auto card = w.LoadCard(ids[10]);
    ASSERT_NE(card, nullptr);
    card->FieldAt(0)->SetValue(u"changed");
    ASSERT_GE(w.ReplaceCard(card.get(), false), 0);
    MemoryFileSystem copy;
    copy.SetContents(kPath, fs.Contents(kPath));
    Wallet fresh(copy);
    ASSERT_EQ(fresh.Open(kPath, &kPassword, true), kOpenOk);
    EXPECT_EQ(fresh.ItemCount(), ids.size() + 1);  // the folder, My Forms, 29 cards
    auto reread = fresh.LoadCard(ids[10]);
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(reread->FieldAt(0)->Value(), u"changed");
    EXPECT_NE(fresh.LoadCard(ids[11]), nullptr);
}

TEST_F(WalletLookup, OneCardFilledAgainForEveryCardReadsWhatLoadCardReads) {
    Wallet w(fs);
    ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
    auto attach = [](Card* card, size_t bytes, const std::u16string& name) {
        Attachment a;
        const std::string data(bytes, 'a');
        ASSERT_TRUE(a.SetFromBytes(reinterpret_cast<const uint8_t*>(data.data()), data.size(), name, FixedTime()));
        ASSERT_GE(card->AddAttachment(std::move(a)), 0);
    };
    // Beside the fixture's cards: many fields, none, a large attachment at the end of the body, two of
    // them, and fields that alone run past the part of a body that is read first.
    std::vector<std::pair<std::u16string, std::u16string>> many;
    for (int n = 0; n < 40; ++n) many.push_back({u"F" + Utf8ToUtf16(std::to_string(n)), u"v"});
    std::vector<Card> extra;
    extra.push_back(MakeCard(w, folder, u"Many", many));
    extra.push_back(MakeCard(w, folder, u"Empty", {}));
    extra.push_back(MakeCard(w, folder, u"One file", {{u"User", u"anna"}}));
    attach(&extra.back(), 40000, u"scan.jpg");
    extra.push_back(MakeCard(w, folder, u"Two files", {{u"User", u"ben"}}));
    attach(&extra.back(), 20000, u"a.pdf");
    attach(&extra.back(), 20000, u"b.pdf");
    extra.push_back(MakeCard(w, folder, u"Long notes", {{u"Notes", std::u16string(12000, u'n')}, {u"PIN", u"12"}}));
    attach(&extra.back(), 30000, u"c.pdf");
    for (Card& c : extra) ASSERT_GE(w.AppendCard(&c, false), 0);

    auto dump = [](const Card& c) {
        std::string s = Utf16ToUtf8(c.Record().Name()) + " files " + std::to_string(c.AttachmentCount());
        for (const Field& f : c.Fields()) s += " " + Utf16ToUtf8(f.Name()) + "=" + Utf16ToUtf8(f.Value());
        return s;
    };
    for (const bool withMedia : {false, true}) {
        Card reused;
        std::vector<uint8_t> buffer;
        int cards = 0;
        // From the last card to the first, so that every card follows one with other fields.
        for (size_t k = w.ItemCount(); k-- > 0;) {
            if (w.ItemAt(k).Kind() != kItemKindCard) {
                EXPECT_EQ(w.LoadCardInto(k, &reused, withMedia, &buffer), kCardNoRecord);
                continue;
            }
            auto expected = w.LoadCard(k, withMedia);
            ASSERT_NE(expected, nullptr);
            ASSERT_EQ(w.LoadCardInto(k, &reused, withMedia, &buffer), kCardOk) << k;
            EXPECT_EQ(dump(reused), dump(*expected)) << withMedia;
            ++cards;
        }
        EXPECT_EQ(cards, 35);
    }
}

TEST_F(WalletLookup, BodyReadWithoutMediaHasTheFieldsAndNoAttachments) {
    Wallet w(fs);
    ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
    Card card = MakeCard(w, folder, u"With file", {{u"User", u"anna"}, {u"Notes", u"two words"}});
    const std::string bytes(5000, 'q');
    Attachment a;
    ASSERT_TRUE(a.SetFromBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), u"scan.jpg", FixedTime()));
    ASSERT_GE(card.AddAttachment(std::move(a)), 0);
    std::vector<uint8_t> body;
    ASSERT_EQ(BuildCardBody(card, *w.RecordKey(), &body), kCardOk);

    Card full(card.Record()), texts(card.Record());
    ASSERT_EQ(ParseCardBody(full, body.data(), body.size(), *w.RecordKey()), kCardOk);
    ASSERT_EQ(ParseCardBody(texts, body.data(), body.size(), *w.RecordKey(), false), kCardOk);
    EXPECT_EQ(full.AttachmentCount(), 1u);
    EXPECT_EQ(texts.AttachmentCount(), 0u);
    ASSERT_EQ(texts.FieldCount(), 2u);
    EXPECT_EQ(texts.FieldAt(0)->Value(), u"anna");
    EXPECT_EQ(texts.FieldAt(1)->Value(), u"two words");
    // A body cut short is still refused when the media are passed over.
    std::vector<uint8_t> cut(body.begin(), body.begin() + static_cast<long>(body.size() - 4));
    Card damaged(card.Record());
    EXPECT_NE(ParseCardBody(damaged, cut.data(), cut.size(), *w.RecordKey(), false), kCardOk);
}

}  // namespace
