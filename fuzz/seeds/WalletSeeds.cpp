// Seeds of the wallet readers: wallets made by the wallet writer in memory (empty, with folders and
// cards, with a custom icon, with a tombstone, without a password check at open), and rollback
// journals made by the journal writer.
#include <memory>
#include <string>

#include "fuzz/EnvelopeFuzzKey.h"
#include "fuzz/FuzzSeeds.h"
#include "tests/core/ExchangeLegacyWriter.h"
#include "model/Card.h"
#include "model/Wallet.h"
#include "model/WalletJournal.h"
#include "platform/MemoryFile.h"

namespace {

using Files = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

const std::u16string kPath = u"/mem/seed.tl5";
const std::u16string kPassword = u"fuzz pass";  // the password the wallet targets open with

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

// The wallets, as (name, bytes).
std::vector<std::pair<std::string, std::string>> MakeWallets() {
    std::vector<std::pair<std::string, std::string>> out;
    tl5::MemoryFileSystem fs;
    {
        tl5::Wallet w(fs);
        if (w.Create(kPath, kPassword, u"", false) != tl5::kCreateOk) {
            FuzzSeedFailed("wallet seeds", "the empty wallet cannot be created");
            return out;
        }
    }
    out.push_back({"empty", fs.Contents(kPath)});

    tl5::Wallet w(fs);
    if (w.Open(kPath, &kPassword, false) != tl5::kOpenOk) {
        FuzzSeedFailed("wallet seeds", "the new wallet does not open");
        return out;
    }
    tl5::ItemRecord folder;
    folder.SetKey(w.RecordKey());
    folder.CreateAsFolder(tl5::ItemId());
    folder.SetName(u"Bank");
    const tl5::ItemId folderId = folder.Id();
    if (w.AppendFolderRecord(&folder, true) < 0) FuzzSeedFailed("wallet seeds", "a folder cannot be saved");

    tl5::ItemRecord record;
    record.SetKey(w.RecordKey());
    record.CreateAsCard(folderId);
    record.SetName(u"Card");
    tl5::Card card(record);
    for (uint16_t type : {1, 3, 5, 12}) {
        tl5::Field* f = card.AddField(type);
        f->SetName(u"name");
        f->SetValue(u"value");
        if (type == 12) f->SetItemsFromJoined(u"a^bc");
    }
    if (w.AppendCard(&card, true) < 0) FuzzSeedFailed("wallet seeds", "a card cannot be saved");
    out.push_back({"cards", fs.Contents(kPath)});

    tl5::ItemRecord iconic;
    iconic.SetKey(w.RecordKey());
    iconic.CreateAsFolder(folderId);
    iconic.SetName(u"Icon");
    const uint8_t icon[] = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0};
    iconic.SetCustomIcon(icon, sizeof icon);
    if (w.AppendFolderRecord(&iconic, true) < 0) FuzzSeedFailed("wallet seeds", "a folder with an icon cannot be saved");
    out.push_back({"icon", fs.Contents(kPath)});

    if (w.MarkDeletedInFile(folderId) != 1) FuzzSeedFailed("wallet seeds", "a folder cannot be deleted");
    w.Close(false);
    out.push_back({"tombstone", fs.Contents(kPath)});
    return out;
}

void WriteWalletSeeds(Files& files) {
    for (const auto& [name, bytes] : MakeWallets()) files.push_back({name, Bytes(bytes)});
}

// A journal in the fuzz target's form: original length, range offset, range bytes (the target adds
// the mark, the range length and the digest).
void WriteJournalSeeds(Files& files) {
    const auto wallets = MakeWallets();
    if (wallets.empty()) return;
    tl5::MemoryFileSystem fs;
    fs.SetContents(kPath, std::string(8192, '\x5a'));
    const struct {
        const char* name;
        uint64_t offset, length;
    } ranges[] = {{"append", 8192, 0}, {"middle", 100, 300}, {"tail", 4000, 4192}};
    for (const auto& r : ranges) {
        std::unique_ptr<tl5::File> file;
        tl5::WalletJournal journal(fs, kPath);
        if (fs.Open(kPath, tl5::FileMode::OpenReadWrite, tl5::FileShare::None, &file) != tl5::kFileOk ||
            !journal.Begin(*file, r.offset, r.length, nullptr)) {
            FuzzSeedFailed("wallet_journal_fuzz", "a journal cannot be written");
            return;
        }
        const std::string j = fs.Contents(tl5::JournalPathFor(kPath));
        if (journal.Commit() != tl5::WalletJournal::kCommitDone || j.size() < 48) {
            FuzzSeedFailed("wallet_journal_fuzz", "a journal is too short or cannot be removed");
            return;
        }
        files.push_back({r.name, Bytes(j.substr(8, 16) + j.substr(32, j.size() - 48))});
        files.push_back({std::string(r.name) + "-whole", Bytes(j)});
    }
}

// A legacy wallet whose password is long enough for a new wallet, so that the whole conversion runs.
void WriteConvertibleLegacySeeds(Files& files) {
    tl5::testing::LegacyWalletWriter w(kPassword, true, u"forms.tcd");
    w.AddFolder(1, u"Folder");
    w.AddFolder(2, u"Other", 1001, 5);
    tl5::testing::LegacyCardDraft c;
    c.name = u"Card";
    c.folderKey = 2;
    c.formKey = 1001;
    c.imageWord = 1;
    c.soundFlags = 1;
    c.tags = {{2, tl5::testing::LegacyText(u"value")}, {3, tl5::testing::LegacyText(u"where")},
              {400, tl5::testing::LegacyText(u"notes")}, {451, tl5::testing::LegacyU32(1)}, {450, "BM"},
              {452, tl5::testing::LegacyText(u"a.bmp")}, {460, "RIFF"}, {461, tl5::testing::LegacyText(u"b.wav")}};
    w.AddCard(c);
    c.encrypt = false;
    c.folderKey = 1;
    c.formKey = 500;
    w.AddCard(c);
    const std::string bytes = w.Bytes();
    files.push_back({"convertible", Bytes(bytes)});
}

}  // namespace

// The wallets in envelopes under the key the envelope target derives once (fuzz/EnvelopeFuzzKey.h).
void WriteEnvelopeSeeds(Files& files) {
    tl5::EnvelopeKey key;
    if (!tl5fuzz::DeriveEnvelopeSeedKey(&key)) return;
    for (const auto& [name, bytes] : MakeWallets()) {
        std::string sealed;
        if (tl5::SealEnvelope(key, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &sealed) ==
            tl5::kEnvelopeOk)
            files.push_back({"sealed-" + name, Bytes(sealed)});
    }
}

TL5_FUZZ_SEEDS("legacy_wallet_fuzz", WriteConvertibleLegacySeeds);
TL5_FUZZ_SEEDS("envelope_fuzz", WriteEnvelopeSeeds);
TL5_FUZZ_SEEDS("wallet_open_fuzz", WriteWalletSeeds);
TL5_FUZZ_SEEDS("wallet_check_fuzz", WriteWalletSeeds);
TL5_FUZZ_SEEDS("wallet_write_fuzz", WriteWalletSeeds);
TL5_FUZZ_SEEDS("wallet_journal_fuzz", WriteJournalSeeds);
