// Legacy wallets: the header, the record sequence, the data blocks and their tag lists of any file
// are read without leaving the file, and no allocation exceeds its size; the whole conversion into a
// new wallet runs on the same bytes and leaves the legacy file as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exchange/LegacyConversion.h"
#include "exchange/LegacyWallet.h"
#include "model/Wallet.h"
#include "platform/MemoryFile.h"

namespace {
// The passwords of the seed wallets (fuzz/seeds/ExchangeSeeds.cpp, fuzz/seeds/WalletSeeds.cpp; a new
// wallet needs at least three characters, so only the second converts) and their definition file.
const std::u16string kPasswords[] = {u"pw", u"fuzz pass"};
const char kDefinitions[] =
    "<OstrovaWorksTessellockCustomForms.1>\r\n<MyForm>\r\nLocker\r\n1001\r\n7\r\n"
    "2 TLF_PIN Combination\r\n3 TLF_DEFAULT Where\r\n<EndForm>\r\n";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tl5::MemoryFileSystem fs;
    fs.SetContents(u"/mem/f.wal", bytes);
    std::u16string password = kPasswords[0];
    fs.SetContents(u"/mem/forms.tcd", kDefinitions);
    {
        std::unique_ptr<tl5::File> file;
        if (fs.Open(u"/mem/f.wal", tl5::FileMode::OpenReadOnly, tl5::FileShare::Read, &file) != tl5::kFileOk) return 0;
        tl5::LegacyHeader header;
        const bool isLegacy = tl5::ReadLegacyHeader(*file, &header) == 0;  // the records are read anyway
        tl5::LegacyRecords records;
        if (tl5::ReadLegacyRecords(*file, &records) != 0) return 0;
        // The real record key when the password fits, so the tag lists are the stored ones.
        uint8_t key[16] = {1, 2, 3};
        for (const std::u16string& p : kPasswords) {
            if (isLegacy && tl5::LegacyRecordKey(header, p, key)) {
                password = p;
                break;
            }
        }
        for (const tl5::LegacyCard& card : records.cards) {
            std::string block;
            if (!tl5::ReadLegacyCardData(*file, card, key, &block)) std::abort();  // checked to fit
            if (block.size() > size) std::abort();
            tl5::LegacyTagList tags(reinterpret_cast<const uint8_t*>(block.data()), block.size());
            for (uint32_t tag : {1u, 2u, 3u, 400u, 450u, 451u, 452u, 460u, 461u}) {
                if (tags.Text(tag).size() * 2 > block.size()) std::abort();
                uint32_t v = 0;
                tags.Value(tag, &v);
            }
        }
        // The whole input read as a tag list too.
        tl5::LegacyTagList plain(data, size);
        if (plain.Text(2).size() * 2 > size) std::abort();
        if (!isLegacy) return 0;
    }
    // The conversion reads everything again and writes a new wallet beside the file.
    std::u16string newPath;
    const int rc = tl5::ConvertLegacyWallet(fs, u"/mem/f.wal", password, &newPath, u"/mem/forms.tcd");
    if (fs.Contents(u"/mem/f.wal") != bytes) std::abort();
    if (rc == tl5::kConvertOk) {
        tl5::Wallet w(fs);
        if (w.Open(newPath, &password, true) != tl5::kOpenOk) std::abort();
    }
    return 0;
}
