#include "WalletGenerator.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Bench.h"
#include "model/Card.h"
#include "model/CardBody.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/Random.h"
#include "platform/Text.h"

namespace tl5bench {

using namespace tl5;

namespace {

// Bump when the generated content changes, so that older cached wallets are not reused.
constexpr int kGeneratorVersion = 1;

class Rng {
public:
    explicit Rng(uint64_t seed) : s_(seed ^ 0x9E3779B97F4A7C15ull) {}
    uint64_t Next() {  // splitmix64
        uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }

private:
    uint64_t s_;
};

const char16_t* const kWords[] = {
    u"account", u"bank", u"savings", u"current", u"holiday", u"garden", u"office", u"travel", u"insurance",
    u"policy", u"renewal", u"monthly", u"annual", u"member", u"library", u"railway", u"station", u"market",
    u"pension", u"doctor", u"dentist", u"school", u"college", u"energy", u"water", u"mobile", u"broadband",
    u"shopping", u"club", u"gym", u"parking", u"permit", u"licence", u"passport", u"visa", u"alarm", u"locker",
    u"router", u"printer", u"server", u"mail", u"backup", u"archive", u"family", u"uncle", u"cousin", u"north",
    u"south", u"harbour", u"valley", u"river", u"meadow", u"orchard", u"copper", u"silver", u"amber", u"cedar",
    u"maple", u"willow", u"granite", u"marble", u"velvet", u"linen", u"paper", u"ticket", u"voucher", u"reward",
    u"points", u"balance", u"deposit", u"transfer", u"branch", u"manager", u"support", u"helpdesk", u"contract",
    u"number", u"reference", u"customer", u"order", u"delivery", u"invoice", u"receipt", u"warranty", u"serial",
    u"model", u"device", u"tablet", u"camera", u"phone", u"laptop", u"notes", u"remember", u"second", u"spare",
    u"primary", u"shared", u"private", u"public", u"weekend", u"evening", u"morning", u"winter", u"summer",
};
constexpr int kWordCount = sizeof(kWords) / sizeof(kWords[0]);

const char16_t* const kFieldNames[] = {
    u"User name", u"Password", u"Account number", u"Sort code", u"Web site", u"E-mail", u"Telephone", u"PIN",
    u"Expiry date", u"Issued", u"Opening hours", u"Card type", u"Services", u"Active", u"Holder", u"Address",
    u"Notes", u"Customer number", u"Contract", u"Reference", u"Branch", u"Contact", u"Security answer",
    u"Last changed", u"Renewal", u"Licence key", u"Serial number", u"Memorable word", u"Network", u"Server",
};
constexpr int kFieldNameCount = sizeof(kFieldNames) / sizeof(kFieldNames[0]);

const uint16_t kTypes[] = {FT_TEXT,  FT_URL,  FT_LINK,     FT_EMAIL,  FT_PHONE, FT_PASSWORD,      FT_DATE,
                           FT_TIME,  FT_DATETIME, FT_CHOICE, FT_LIST, FT_YESNO, FT_TEXT_CAPFIRST, FT_TEXT_CAPWORDS};
constexpr int kTypeCount = sizeof(kTypes) / sizeof(kTypes[0]);

std::u16string Num(uint64_t n) { return Utf8ToUtf16(std::to_string(n)); }

std::u16string Words(Rng& rng, int count) {
    std::u16string s;
    for (int k = 0; k < count; ++k) {
        if (k) s += u' ';
        s += kWords[rng.Below(kWordCount)];
    }
    return s;
}

SystemTime RandomTime(Rng& rng) {
    SystemTime t;
    t.year = static_cast<uint16_t>(rng.Between(1995, 2026));
    t.month = static_cast<uint16_t>(rng.Between(1, 12));
    t.day = static_cast<uint16_t>(rng.Between(1, 28));
    t.hour = static_cast<uint16_t>(rng.Between(0, 23));
    t.minute = static_cast<uint16_t>(rng.Between(0, 59));
    return t;
}

void FillField(Rng& rng, Field* f, uint16_t type, int serial) {
    switch (type) {
        case FT_URL: f->SetValue(u"https://www." + std::u16string(kWords[rng.Below(kWordCount)]) + u".example/" +
                                 kWords[rng.Below(kWordCount)]); break;
        case FT_LINK: f->SetValue(u"\\My Documents\\" + std::u16string(kWords[rng.Below(kWordCount)]) + u".pdf"); break;
        case FT_EMAIL: f->SetValue(std::u16string(kWords[rng.Below(kWordCount)]) + u"." + Num(serial) + u"@mail.example"); break;
        case FT_PHONE: f->SetValue(u"+44 20 " + Num(1000 + rng.Below(9000)) + u" " + Num(1000 + rng.Below(9000))); break;
        case FT_PASSWORD: f->SetValue(Words(rng, 1) + Num(rng.Below(100000)) + u"!" + Words(rng, 1)); break;
        case FT_DATE: case FT_TIME: case FT_DATETIME: f->SetDateTime(RandomTime(rng)); break;
        case FT_CHOICE: case FT_LIST: {
            f->ClearItems();
            const int n = rng.Between(2, 6);
            for (int k = 0; k < n; ++k) f->AddItem(Words(rng, 1) + u" " + Num(k));
            f->SetValue(f->ItemAt(static_cast<size_t>(rng.Below(n))));
            break;
        }
        case FT_YESNO: f->SetYesNoState(rng.Below(3)); break;
        default: {
            // Mostly short values, some notes of a few lines.
            const int words = rng.Below(10) == 0 ? rng.Between(20, 60) : rng.Between(1, 6);
            f->SetValue(Words(rng, words));
        }
    }
}

bool Build(const std::string& file, int cards, uint64_t seed, GeneratedWallet* out) {
    Rng rng(seed);
    SeedRandomForTests(seed);  // item identifiers follow the seed too
    struct RestoreRandom {
        ~RestoreRandom() { SetRandomSourceForTests({}); }
    } restore;
    const std::u16string path = Utf8ToUtf16(file);
    const std::u16string password = kBenchPassword;
    Wallet w;
    if (w.Create(path, password, u"", false) != kCreateOk) return false;
    if (w.Open(path, &password, false) != kOpenOk) return false;
    w.SetJournalEnabled(false);  // building only

    // Folders: about one per 40 cards, nested up to five levels.
    const int folderCount = cards / 40 < 10 ? 10 : cards / 40;
    std::vector<ItemId> folders;
    std::vector<int> depth;
    for (int f = 0; f < folderCount; ++f) {
        int parent = -1;
        if (f >= 5 && rng.Below(10) < 6) {
            parent = rng.Below(f);
            if (depth[static_cast<size_t>(parent)] >= 4) parent = -1;
        }
        ItemRecord folder;
        NewFolder(w, parent < 0 ? ItemId() : folders[static_cast<size_t>(parent)], false, &folder);
        std::u16string name = Words(rng, 2);
        name[0] = static_cast<char16_t>(name[0] - u'a' + u'A');
        folder.SetName(name);
        folders.push_back(folder.Id());
        depth.push_back(parent < 0 ? 0 : depth[static_cast<size_t>(parent)] + 1);
        if (w.AppendFolderRecord(&folder, false) < 0) return false;
    }
    out->folders = folderCount;

    // Cards go straight to the end of the file with the card writer; the ItemTable is not needed
    // while building (the wallet is closed at the end).
    const std::shared_ptr<const CipherKey> key = w.RecordKey();
    File& fileHandle = *w.FileHandle();
    std::vector<uint8_t> attachment;
    std::vector<uint8_t> icon;
    for (int i = 0; i < cards; ++i) {
        std::unique_ptr<Card> card = NewEmptyCard(w, folders[static_cast<size_t>(rng.Below(folderCount))]);
        if (!card) return false;
        const bool word = rng.Below(100) == 0;
        const bool wordInName = word && rng.Below(2) == 0;
        std::u16string name = Words(rng, rng.Between(1, 3)) + u" " + Num(i);
        if (wordInName) name += u" " + std::u16string(kBenchFindWord);
        card->Record().SetName(name);
        card->Record().SetIcon(rng.Below(140));
        if (rng.Below(100) == 0) {
            icon.resize(static_cast<size_t>(rng.Between(200, 1200)));
            for (uint8_t& b : icon) b = static_cast<uint8_t>(rng.Next());
            card->Record().SetCustomIcon(icon.data(), icon.size());
        }
        const int fields = rng.Between(8, 30);
        const int wordField = word && !wordInName ? rng.Below(fields) : -1;
        for (int k = 0; k < fields; ++k) {
            // Every type occurs; plain text is the most common, as in real cards.
            const uint16_t type = rng.Below(3) == 0 ? static_cast<uint16_t>(FT_TEXT) : kTypes[rng.Below(kTypeCount)];
            Field* f = card->AddField(type);
            if (!f) return false;
            f->SetName(kFieldNames[rng.Below(kFieldNameCount)]);
            if (k == wordField) {
                Field* t = f;
                t->SetType(FT_TEXT);
                t->SetValue(Words(rng, 2) + u" " + kBenchFindWord + u" " + Words(rng, 2));
            } else {
                FillField(rng, f, type, i);
            }
        }
        if (rng.Below(20) == 0) {
            attachment.resize(static_cast<size_t>(rng.Between(4 * 1024, 64 * 1024)));
            for (size_t k = 0; k < attachment.size(); k += 8) {
                const uint64_t v = rng.Next();
                for (size_t b = 0; b < 8 && k + b < attachment.size(); ++b) attachment[k + b] = static_cast<uint8_t>(v >> (8 * b));
            }
            Attachment a;
            if (!a.SetFromBytes(attachment.data(), attachment.size(), u"scan-" + Num(i) + u".jpg", RandomTime(rng)))
                return false;
            card->AddAttachment(std::move(a));
            ++out->attachments;
        }
        out->wordCards += word ? 1 : 0;
        if (!fileHandle.SeekToEnd() || WriteCard(*card, fileHandle, *key) != kCardOk) return false;
    }
    out->cards = cards;
    return w.Close(true) == kCloseOk;
}

}  // namespace

std::string BenchCacheFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::filesystem::path base = ec ? std::filesystem::temp_directory_path() : exe.parent_path();
    return (base / "bench-wallets").string();
}

bool EnsureGeneratedWallet(int cards, uint64_t seed, GeneratedWallet* out) {
    *out = GeneratedWallet();
    const std::filesystem::path folder = BenchCacheFolder();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string stem = "wallet-" + std::to_string(cards) + "-s" + std::to_string(seed) + "-g" +
                             std::to_string(kGeneratorVersion);
    const std::filesystem::path file = folder / (stem + ".tl5");
    const std::filesystem::path facts = folder / (stem + ".txt");
    // The facts file is written last: a wallet without it was not finished.
    if (std::filesystem::exists(file) && std::filesystem::exists(facts)) {
        if (FILE* f = std::fopen(facts.c_str(), "r")) {
            const int n = std::fscanf(f, "%d %d %d %d", &out->cards, &out->folders, &out->attachments, &out->wordCards);
            std::fclose(f);
            if (n == 4 && out->cards == cards) {
                out->path = file.string();
                out->bytes = std::filesystem::file_size(file, ec);
                return true;
            }
        }
    }
    *out = GeneratedWallet();
    std::filesystem::remove(file, ec);
    std::filesystem::remove(facts, ec);
    std::filesystem::remove(file.string() + "-journal", ec);
    const double t0 = BenchSeconds();
    if (!Build(file.string(), cards, seed, out)) {
        std::filesystem::remove(file, ec);
        return false;
    }
    out->buildSeconds = BenchSeconds() - t0;
    out->path = file.string();
    out->bytes = std::filesystem::file_size(file, ec);
    FILE* f = std::fopen(facts.c_str(), "w");
    if (!f) return false;
    std::fprintf(f, "%d %d %d %d\n", out->cards, out->folders, out->attachments, out->wordCards);
    return std::fclose(f) == 0;
}

}  // namespace tl5bench
