// Saving items into the wallet file, and atomic saves: a save cut short at any write or flush leaves a
// wallet that opens with every item as before the save or as after it.
#include <gtest/gtest.h>

#include <functional>

#include "WalletTestSupport.h"
#include "model/LittleEndian.h"
#include "model/Md5.h"
#include "model/WalletJournal.h"
#include "model/WalletProtection.h"

using namespace tl5;
using namespace tl5test;

namespace {

class WalletSave : public FixedWorld {
protected:
    // A wallet with a folder holding two cards, a top-level card and My Forms.
    void SetUp() override {
        FixedWorld::SetUp();
        Wallet w(fs);
        ASSERT_EQ(w.Create(kPath, kPassword, u"hint", true), kCreateOk);
        ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
        folder = w.ItemAt(0).Id();
        Card a = MakeCard(w, folder, u"Bank", {{u"Account", u"12345678"}, {u"PIN", u"0000"}});
        Card b = MakeCard(w, folder, u"Mail", {{u"Address", u"me@example.com"}});
        Card c = MakeCard(w, ItemId(), u"Door", {{u"Code", std::u16string(3000, u'7')}});
        cardA = a.Record().Id();
        cardB = b.Record().Id();
        cardC = c.Record().Id();
        ASSERT_GE(w.AppendCard(&a, false), 0);
        ASSERT_GE(w.AppendCard(&b, false), 0);
        ASSERT_GE(w.AppendCard(&c, false), 0);
        ASSERT_EQ(w.Close(true), kCloseOk);
    }

    MemoryFileSystem fs;
    ItemId folder, cardA, cardB, cardC;
};

// Counts the records with an id in file order: (live, deleted), and the offset of the last live one.
struct Occurrences {
    int live = 0;
    int deleted = 0;
    uint64_t lastLiveOffset = 0;
    uint32_t lastBodySize = 0;
};

Occurrences Count(const std::string& file, const ItemId& id) {
    Occurrences o;
    size_t at = 4980;
    while (at + 748 <= file.size()) {
        const uint8_t* r = reinterpret_cast<const uint8_t*>(file.data()) + at;
        const uint32_t icon = LoadU32(r + 712), body = LoadU32(r + 740);
        if (ItemId::FromBytes(r + 16) == id) {
            if (LoadU32(r + 612)) {
                ++o.deleted;
            } else {
                ++o.live;
                o.lastLiveOffset = at;
                o.lastBodySize = body;
            }
        }
        at += 748 + icon + body;
    }
    EXPECT_EQ(at, file.size()) << "records must end exactly at the end of the file";
    return o;
}

}  // namespace

TEST_F(WalletSave, SavingAChangedCardTwiceLeavesOneLiveRecordAtTheEnd) {
    for (int round = 0; round < 2; ++round) {
        Wallet w(fs);
        ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
        auto card = w.LoadCard(cardA);
        ASSERT_TRUE(card);
        card->FieldAt(0)->SetValue(round ? u"second" : u"first");
        card->Record().MarkChanged(kRecordContentsChanged);
        const int index = w.ReplaceCard(card.get(), false);
        ASSERT_GE(index, 0);
        EXPECT_EQ(w.ItemAt(static_cast<size_t>(index)).Id(), cardA);
        EXPECT_EQ(w.IndexOf(cardA), index);
        ASSERT_EQ(w.Close(true), kCloseOk);
    }
    const std::string file = fs.Contents(kPath);
    const Occurrences o = Count(file, cardA);
    EXPECT_EQ(o.live, 1);
    EXPECT_EQ(o.deleted, 0);
    EXPECT_EQ(o.lastLiveOffset + 748 + o.lastBodySize, file.size());
    Wallet w(fs);
    ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
    auto card = w.LoadCard(cardA);
    ASSERT_TRUE(card);
    EXPECT_EQ(card->FieldAt(0)->Value(), u"second");
    EXPECT_EQ(card->FieldAt(1)->Value(), u"0000");
    EXPECT_EQ(w.ItemCount(), 5u);
}

TEST_F(WalletSave, DeletingACardLeavesATombstoneAndShortensTheFile) {
    const std::string before = fs.Contents(kPath);
    const Occurrences old = Count(before, cardB);
    {
        Wallet w(fs);
        ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
        EXPECT_EQ(w.MarkDeletedInFile(cardB), 1);
        EXPECT_TRUE(w.ItemAt(static_cast<size_t>(w.IndexOf(cardB))).IsDeleted());  // stays in the table, flagged
        EXPECT_EQ(w.MarkDeletedInFile(ItemId()), 0);
        EXPECT_FALSE(w.LoadCard(cardB));
        ASSERT_EQ(w.Close(true), kCloseOk);
    }
    const std::string after = fs.Contents(kPath);
    EXPECT_EQ(after.size(), before.size() - old.lastBodySize);
    const Occurrences now = Count(after, cardB);
    EXPECT_EQ(now.live, 0);
    EXPECT_EQ(now.deleted, 1);
    const uint8_t* r = reinterpret_cast<const uint8_t*>(after.data()) + old.lastLiveOffset;
    EXPECT_EQ(LoadU32(r + 740), 0u);
    EXPECT_TRUE(LoadSystemTime(r + 84) == FixedTime());
    EXPECT_NE(LoadU32(r + 48) & kRecordDeleted, 0u);
    Wallet w(fs);
    ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
    EXPECT_EQ(w.IndexOf(cardB), -1);
    EXPECT_EQ(w.ItemCount(), 4u);
    ASSERT_TRUE(w.LoadCard(cardC));  // the card after it moved down intact
    EXPECT_EQ(w.LoadCard(cardC)->FieldAt(0)->Value(), std::u16string(3000, u'7'));
}

TEST_F(WalletSave, RenameRewritesInPlaceAndCutRemovesARecord) {
    Wallet w(fs);
    ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
    const std::string before = fs.Contents(kPath);
    ItemRecord& f = w.ItemAt(static_cast<size_t>(w.IndexOf(folder)));
    f.SetName(u"Renamed");
    EXPECT_EQ(w.RewriteRecordInPlace(f), 1);
    EXPECT_EQ(fs.Contents(kPath).size(), before.size());
    // A record whose stored length differs would overwrite its neighbour: refused.
    ItemRecord bigger = f;
    const uint8_t icon[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    bigger.SetCustomIcon(icon, sizeof icon);
    EXPECT_EQ(w.RewriteRecordInPlace(bigger), 0);
    ItemRecord stranger;
    stranger.CreateAsFolder(ItemId());
    EXPECT_EQ(w.RewriteRecordInPlace(stranger), 0);

    EXPECT_EQ(w.CutRecord(cardA), 1);
    EXPECT_EQ(w.CutRecord(cardA), 0);
    w.Close(false);
    ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
    EXPECT_EQ(w.ItemAt(static_cast<size_t>(w.IndexOf(folder))).Name(), u"Renamed");
    EXPECT_EQ(w.IndexOf(cardA), -1);
    EXPECT_EQ(w.ItemCount(), 4u);
}

TEST_F(WalletSave, CustomIconsArePaddedAndSurviveReopening) {
    Wallet w(fs);
    ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
    ItemRecord r;
    r.SetKey(w.RecordKey());
    r.CreateAsFolder(ItemId());
    r.SetName(u"Iconic");
    const uint8_t icon[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_TRUE(r.SetCustomIcon(icon, sizeof icon));
    EXPECT_EQ(r.CustomIconSize(), 12u);
    EXPECT_EQ(r.CustomIconPadding(), 4u);
    const ItemId iconic = r.Id();
    ASSERT_GE(w.AppendFolderRecord(&r, false), 0);
    EXPECT_EQ(r.Kind(), kItemKindNone);  // released

    // An icon index of -1 without icon bytes is stored as icon 0.
    ItemRecord broken;
    broken.SetKey(w.RecordKey());
    broken.CreateAsFolder(ItemId());
    broken.SetCustomIcon(nullptr, 0);
    EXPECT_EQ(broken.Icon(), 0);
    broken.SetIcon(-1);
    ASSERT_GE(w.AppendFolderRecord(&broken, true), 0);
    EXPECT_EQ(broken.Icon(), 0);
    w.Close(false);

    ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
    const ItemRecord& back = w.ItemAt(static_cast<size_t>(w.IndexOf(iconic)));
    EXPECT_EQ(back.Icon(), -1);
    EXPECT_EQ(back.CustomIconBytes(), std::vector<uint8_t>(icon, icon + 8));
    uint8_t digest[16];
    Md5Digest(icon, 8, digest);
    EXPECT_EQ(0, std::memcmp(back.Raw() + 720, digest, 16));
    EXPECT_EQ(w.ItemAt(static_cast<size_t>(w.IndexOf(broken.Id()))).Icon(), 0);
    // Cards after a record with icon bytes still load.
    EXPECT_TRUE(w.LoadCard(cardC));
}

TEST_F(WalletSave, AFailedSaveLeavesTableAndCallerObjectAlone) {
    FaultFileSystem faulty(fs);
    Wallet w(faulty);
    ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
    const std::string before = fs.Contents(kPath);
    faulty.FailAt(faulty.Operations() + 3);  // the first write to the wallet, after the journal
    ItemRecord r;
    r.SetKey(w.RecordKey());
    r.CreateAsFolder(ItemId());
    EXPECT_EQ(w.AppendFolderRecord(&r, false), -1);
    EXPECT_EQ(r.Kind(), kItemKindFolder);  // not released
    EXPECT_EQ(w.ItemCount(), 5u);
}

// ---- Crash safety --------------------------------------------------------------------------------

namespace {

using Scenario = std::function<bool(Wallet&, const ItemId& folder, const ItemId& a, const ItemId& b, const ItemId& c)>;

struct NamedScenario {
    const char* name;
    Scenario run;
};

// Seeds the random source so that a scenario run again makes the same new ids (a new id never
// repeats the one made just before it, so a different one is made first).
void SameIdsAgain() {
    SeedRandomForTests(1);
    (void)NewItemId();
    SeedRandomForTests(7);
}

std::vector<NamedScenario> Scenarios() {
    return {
        {"append folder",
         [](Wallet& w, const ItemId&, const ItemId&, const ItemId&, const ItemId&) {
             ItemRecord r;
             r.SetKey(w.RecordKey());
             r.CreateAsFolder(ItemId());
             r.SetName(u"New folder");
             return w.AppendFolderRecord(&r, false) >= 0;
         }},
        {"append card",
         [](Wallet& w, const ItemId& folder, const ItemId&, const ItemId&, const ItemId&) {
             Card c = MakeCard(w, folder, u"New card", {{u"Name", u"Value"}});
             return w.AppendCard(&c, false) >= 0;
         }},
        {"replace card in the middle",
         [](Wallet& w, const ItemId&, const ItemId& a, const ItemId&, const ItemId&) {
             auto card = w.LoadCard(a);
             if (!card) return false;
             card->FieldAt(0)->SetValue(u"changed value that is longer than before");
             return w.ReplaceCard(card.get(), false) >= 0;
         }},
        {"replace folder record",
         [](Wallet& w, const ItemId& folder, const ItemId&, const ItemId&, const ItemId&) {
             ItemRecord r = w.ItemAt(static_cast<size_t>(w.IndexOf(folder)));
             r.SetName(u"Folder moved to the end");
             return w.ReplaceFolderRecord(&r, false) >= 0;
         }},
        {"delete card",
         [](Wallet& w, const ItemId&, const ItemId&, const ItemId& b, const ItemId&) {
             return w.MarkDeletedInFile(b) == 1;
         }},
        {"rename in place",
         [](Wallet& w, const ItemId&, const ItemId&, const ItemId&, const ItemId& c) {
             ItemRecord r = w.ItemAt(static_cast<size_t>(w.IndexOf(c)));
             r.SetName(u"Front door");
             if (w.RewriteRecordInPlace(r) != 1) return false;
             w.ItemAt(static_cast<size_t>(w.IndexOf(c))) = r;
             return true;
         }},
        {"cut record",
         [](Wallet& w, const ItemId&, const ItemId& a, const ItemId&, const ItemId&) { return w.CutRecord(a) == 1; }},
        {"close with changed header and settings",
         [](Wallet& w, const ItemId&, const ItemId&, const ItemId&, const ItemId&) {
             w.Header().SetHint(u"changed hint");
             w.Settings().SetAutoCloseMinutes(30);
             return w.Close(true) == kCloseOk;
         }},
    };
}

}  // namespace

TEST_F(WalletSave, EveryInterruptedSaveRecoversToBeforeOrAfter) {
    const std::string before = Snapshot(fs, kPath, kPassword);
    ASSERT_EQ(before.rfind("open=0", 0), 0u) << before;
    const std::string classicBase = fs.Contents(kPath);
    // The same wallet in the modern envelope (at low cost): its saves replace the whole file instead.
    EnvelopeParams cheap;
    cheap.memoryKiB = kEnvelopeMinMemoryKiB;
    cheap.passes = 1;
    int openResult = -1;
    ASSERT_EQ(ProtectWallet(fs, kPath, kPassword, cheap, &openResult), kProtectOk);
    const std::string protectedBase = fs.Contents(kPath);
    for (bool sealed : {false, true})
    for (const NamedScenario& s : Scenarios()) {
        const std::string& base = sealed ? protectedBase : classicBase;
        // A clean run gives the state after the save and the number of changing operations.
        MemoryFileSystem clean;
        clean.SetContents(kPath, base);
        long operations = 0;
        std::string after;
        {
            FaultFileSystem counting(clean);
            {
                Wallet w(counting);
                ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
                const long openOps = counting.Operations();
                SameIdsAgain();
                ASSERT_TRUE(s.run(w, folder, cardA, cardB, cardC)) << s.name;
                operations = counting.Operations() - openOps;
            }
            after = Snapshot(clean, kPath, kPassword);
            ASSERT_NE(after, before) << s.name << (sealed ? " (protected)" : "");
            EXPECT_FALSE(clean.Exists(JournalPathFor(kPath))) << s.name;
        }
        ASSERT_GT(operations, 0) << s.name;
        // n = operations + 1: nothing fails, the power goes right after the save returned.
        for (long n = 1; n <= operations + 1; ++n) {
            for (int variant = 0; variant < 8; ++variant) {
                const bool torn = variant & 1, keepUnflushed = variant & 2, namesNeedFlush = variant & 4;
                MemoryFileSystem mem;
                mem.SetContents(kPath, base);
                mem.SetNamesNeedFolderFlush(namesNeedFlush);
                bool reported = false;
                {
                    FaultFileSystem faulty(mem);
                    Wallet w(faulty);
                    ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
                    faulty.FailAt(faulty.Operations() + n, torn);
                    SameIdsAgain();
                    reported = s.run(w, folder, cardA, cardB, cardC);
                }
                mem.Crash(keepUnflushed);
                const std::string state = Snapshot(mem, kPath, kPassword);
                const std::string where = std::string(s.name) + (sealed ? " (protected)" : "") + ": failing operation " + std::to_string(n) + "/" +
                                          std::to_string(operations) + (torn ? " torn" : "") +
                                          (keepUnflushed ? " writes kept" : " unflushed lost") +
                                          (namesNeedFlush ? ", names lost unless the folder was flushed" : "");
                EXPECT_TRUE(state == before || state == after) << where << "\n" << state;
                if (reported) {
                    EXPECT_EQ(state, after) << where << ": a save reported as done must last";
                }
                EXPECT_FALSE(mem.Exists(JournalPathFor(kPath))) << where;
                if (sealed) {
                    EXPECT_EQ(mem.Contents(kPath).compare(0, 8, "TL5ENVLP"), 0) << where;
                }
            }
        }
    }
}

TEST_F(WalletSave, AFailedWriteInARunningProgramRollsBackAndTheNextSaveWorks) {
    // One operation fails (a full disk, a passing I/O error) and the disk works again: the save
    // reports its failure, the wallet in memory and on disk is as before, and doing it again works.
    const std::string base = fs.Contents(kPath);
    const std::string before = Snapshot(fs, kPath, kPassword);
    for (const NamedScenario& s : Scenarios()) {
        MemoryFileSystem clean;
        clean.SetContents(kPath, base);
        long operations = 0;
        std::string after, afterInMemory;  // the table keeps its order (and what callers drop from it)
        {
            FaultFileSystem counting(clean);
            Wallet w(counting);
            ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
            const long openOps = counting.Operations();
            SameIdsAgain();
            ASSERT_TRUE(s.run(w, folder, cardA, cardB, cardC)) << s.name;
            operations = counting.Operations() - openOps;
            if (w.IsOpen()) afterInMemory = Describe(w);
        }
        after = Snapshot(clean, kPath, kPassword);
        for (long n = 1; n <= operations; ++n) {
            for (const bool torn : {false, true}) {
                const std::string where =
                    std::string(s.name) + ": operation " + std::to_string(n) + (torn ? " torn" : "") + " fails once";
                MemoryFileSystem mem;
                mem.SetContents(kPath, base);
                FaultFileSystem faulty(mem);
                {
                    Wallet w(faulty);
                    ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
                    faulty.FailOnceAt(faulty.Operations() + n, torn);
                    SameIdsAgain();
                    if (!s.run(w, folder, cardA, cardB, cardC)) {
                        if (w.IsOpen()) {
                            EXPECT_EQ(Describe(w), before) << where << ": the wallet in memory and its file";
                        } else {  // a failed close lets the wallet go: it must open as before
                            EXPECT_EQ(Snapshot(mem, kPath, kPassword), before) << where;
                            ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk) << where;
                        }
                        EXPECT_FALSE(mem.Exists(JournalPathFor(kPath))) << where;
                        SameIdsAgain();
                        EXPECT_TRUE(s.run(w, folder, cardA, cardB, cardC)) << where << ": the next save";
                    }
                    if (w.IsOpen()) {
                        EXPECT_EQ(Describe(w), afterInMemory) << where;
                    }
                }
                EXPECT_EQ(Snapshot(mem, kPath, kPassword), after) << where;
                EXPECT_FALSE(mem.Exists(JournalPathFor(kPath))) << where;
            }
        }
    }
}

TEST_F(WalletSave, ASaveWhoseRollbackAlsoFailedIsUndoneBeforeTheNextSave) {
    // The disk fails from one operation on (the save and its rollback both fail, the journal stays),
    // then works again: the next save first puts the wallet back from that journal, then saves.
    const std::string base = fs.Contents(kPath);
    auto change = [](Card& card) { card.FieldAt(0)->SetValue(u"changed value that is longer than before"); };
    MemoryFileSystem clean;
    clean.SetContents(kPath, base);
    {
        Wallet w(clean);
        ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
        auto card = w.LoadCard(cardA);
        ASSERT_TRUE(card);
        change(*card);
        ASSERT_GE(w.ReplaceCard(card.get(), false), 0);
    }
    const std::string after = Snapshot(clean, kPath, kPassword);
    int leftovers = 0;
    for (long n = 1;; ++n) {
        MemoryFileSystem mem;
        mem.SetContents(kPath, base);
        FaultFileSystem faulty(mem);
        {
            Wallet w(faulty);
            ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
            auto card = w.LoadCard(cardA);
            ASSERT_TRUE(card);
            change(*card);
            faulty.FailAt(faulty.Operations() + n);
            if (w.ReplaceCard(card.get(), true) >= 0) break;
            const bool leftover = mem.Exists(JournalPathFor(kPath));
            leftovers += leftover;
            faulty.Heal();
            const int rc = w.ReplaceCard(card.get(), true);
            // Without a leftover journal the save was in the file already, but its folder could not
            // be flushed: the wallet takes no more saves until it is opened again.
            if (leftover) EXPECT_GE(rc, 0) << n;
            else EXPECT_LT(rc, 0) << n;
        }
        EXPECT_EQ(Snapshot(mem, kPath, kPassword), after) << n;
        EXPECT_FALSE(mem.Exists(JournalPathFor(kPath))) << n;
    }
    EXPECT_GT(leftovers, 3);
}

TEST_F(WalletSave, ARecoveryCutShortIsDoneAgainAtTheNextOpen) {
    // A save killed with its journal complete, then the recovery itself killed at every step (with
    // every crash model): the open after that still brings back the wallet as before the save.
    const std::string base = fs.Contents(kPath);
    const std::string before = Snapshot(fs, kPath, kPassword);
    const std::u16string journal = JournalPathFor(kPath);
    int cases = 0;
    for (const NamedScenario& s : Scenarios()) {
        for (long n = 1;; ++n) {
            // The save killed at operation n, writes kept: a journal and a changed wallet.
            MemoryFileSystem killed;
            killed.SetContents(kPath, base);
            bool failed = false;
            {
                FaultFileSystem faulty(killed);
                Wallet w(faulty);
                ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
                faulty.FailAt(faulty.Operations() + n);
                SameIdsAgain();
                (void)s.run(w, folder, cardA, cardB, cardC);
                failed = faulty.Failed();
            }
            if (!failed) break;
            killed.Crash(true);
            if (!killed.Exists(journal) || killed.Contents(kPath) == base) continue;
            const std::string damaged = killed.Contents(kPath), kept = killed.Contents(journal);
            for (long m = 1;; ++m) {
                bool recoveryFailed = false;
                for (int variant = 0; variant < 8; ++variant) {
                    const bool torn = variant & 1, keepUnflushed = variant & 2, namesNeedFlush = variant & 4;
                    const std::string where = std::string(s.name) + ": save killed at " + std::to_string(n) +
                                              ", recovery killed at " + std::to_string(m) + " variant " +
                                              std::to_string(variant);
                    MemoryFileSystem mem;
                    mem.SetContents(kPath, damaged);
                    mem.SetContents(journal, kept);
                    mem.SetNamesNeedFolderFlush(namesNeedFlush);
                    {
                        FaultFileSystem faulty(mem);
                        faulty.FailAt(m, torn);
                        Wallet w(faulty);
                        (void)w.Open(kPath, &kPassword, true);
                        recoveryFailed = faulty.Failed();
                    }
                    mem.Crash(keepUnflushed);
                    EXPECT_EQ(Snapshot(mem, kPath, kPassword), before) << where;
                    EXPECT_EQ(mem.Contents(kPath), base) << where;
                    EXPECT_FALSE(mem.Exists(journal)) << where;
                    ++cases;
                }
                if (!recoveryFailed) break;
            }
        }
    }
    EXPECT_GT(cases, 100);
}

TEST_F(WalletSave, IncompleteJournalIsDroppedAndCompleteOneRollsBack) {
    const std::string base = fs.Contents(kPath);
    const std::string before = Snapshot(fs, kPath, kPassword);
    // A journal whose digest does not match was never acted on: removed, wallet untouched.
    fs.SetContents(JournalPathFor(kPath), "TL5JRNL1 and then nothing useful");
    EXPECT_EQ(Snapshot(fs, kPath, kPassword), before);
    EXPECT_FALSE(fs.Exists(JournalPathFor(kPath)));
    EXPECT_EQ(fs.Contents(kPath), base);

    // A wallet damaged after a complete journal was written is restored from it, length included.
    {
        std::unique_ptr<File> wallet;
        ASSERT_EQ(fs.Open(kPath, FileMode::OpenReadWrite, FileShare::None, &wallet), kFileOk);
        WalletJournal j(fs, kPath);
        ASSERT_TRUE(j.Begin(*wallet, 5000, 100000, nullptr));
        size_t put = 0;
        ASSERT_TRUE(wallet->WriteAt(5000, "garbage", 7, &put));
        ASSERT_TRUE(wallet->SetSize(6000));
        wallet->Flush();
    }  // abandoned mid-save
    EXPECT_EQ(Snapshot(fs, kPath, kPassword), before);
    EXPECT_EQ(fs.Contents(kPath), base);

    // Creating a wallet where an orphaned journal lies removes the journal first.
    fs.SetContents(JournalPathFor(u"/mem/new.tl5"), fs.Contents(kPath));
    Wallet w(fs);
    ASSERT_EQ(w.Create(u"/mem/new.tl5", kPassword, u"", false), kCreateOk);
    EXPECT_FALSE(fs.Exists(JournalPathFor(u"/mem/new.tl5")));
    ASSERT_EQ(w.Open(u"/mem/new.tl5", &kPassword, false), kOpenOk);
    EXPECT_EQ(w.ItemCount(), 1u);
}

TEST_F(WalletSave, ReplacingAnItemWithAnEarlierTombstoneCutsTheLiveRecord) {
    Wallet w(fs);
    ASSERT_EQ(w.Open(kPath, &kPassword, false), kOpenOk);
    ItemRecord r;
    r.SetKey(w.RecordKey());
    r.CreateAsFolder(ItemId());
    r.SetName(u"Back again");
    ItemRecord revived = r;
    ASSERT_GE(w.AppendFolderRecord(&r, true), 0);
    ASSERT_EQ(w.MarkDeletedInFile(r.Id()), 1);
    ASSERT_GE(w.AppendFolderRecord(&revived, true), 0);  // the same id, live again, after its tombstone
    revived.SetName(u"Renamed");
    ASSERT_GE(w.ReplaceFolderRecord(&revived, true), 0);
    Occurrences o = Count(fs.Contents(kPath), r.Id());
    EXPECT_EQ(o.live, 1);
    EXPECT_EQ(o.deleted, 1);
    ASSERT_EQ(w.MarkDeletedInFile(r.Id()), 1);
    o = Count(fs.Contents(kPath), r.Id());
    EXPECT_EQ(o.live, 0);
    EXPECT_EQ(o.deleted, 2);
}
