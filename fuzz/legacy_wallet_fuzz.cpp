// Legacy wallets: the header, the record sequence, the data blocks and their tag lists of any file
// are read without leaving the file, and no allocation exceeds its size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exchange/LegacyWallet.h"
#include "platform/MemoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tl5::MemoryFileSystem fs;
    fs.SetContents(u"f.wal", std::string(reinterpret_cast<const char*>(data), size));
    std::unique_ptr<tl5::File> file;
    if (fs.Open(u"f.wal", tl5::FileMode::OpenReadOnly, tl5::FileShare::Read, &file) != tl5::kFileOk) return 0;
    tl5::LegacyHeader header;
    tl5::ReadLegacyHeader(*file, &header);  // the marks may be wrong: the records are read anyway
    tl5::LegacyRecords records;
    if (tl5::ReadLegacyRecords(*file, &records) != 0) return 0;
    const uint8_t key[16] = {1, 2, 3};
    for (const tl5::LegacyCard& card : records.cards) {
        std::string block;
        if (!tl5::ReadLegacyCardData(*file, card, key, &block)) std::abort();  // checked to fit
        if (block.size() > size) std::abort();
        tl5::LegacyTagList tags(reinterpret_cast<const uint8_t*>(block.data()), block.size());
        for (uint32_t tag : {1u, 2u, 400u, 450u, 451u, 452u, 460u, 461u}) {
            if (tags.Text(tag).size() * 2 > block.size()) std::abort();
            uint32_t v = 0;
            tags.Value(tag, &v);
        }
    }
    // The whole input read as a tag list too.
    tl5::LegacyTagList plain(data, size);
    if (plain.Text(2).size() * 2 > size) std::abort();
    return 0;
}
