// Form files: any bytes are read into a card or refused, leaving the card empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exchange/FormFile.h"
#include "platform/MemoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tl5::MemoryFileSystem fs;
    fs.SetContents(u"f.tlx", std::string(reinterpret_cast<const char*>(data), size));
    std::unique_ptr<tl5::File> file;
    if (fs.Open(u"f.tlx", tl5::FileMode::OpenReadOnly, tl5::FileShare::Read, &file) != tl5::kFileOk) return 0;
    auto key = std::make_shared<tl5::CipherKey>();
    const uint8_t bytes[16] = {7, 7, 7};
    key->SetKey(bytes);
    tl5::Card card;
    tl5::FormFileHeader header;
    if (!tl5::ReadFormFile(card, *file, &header, key)) {
        if (card.HasRecord() || card.FieldCount() != 0) std::abort();
        return 0;
    }
    if (header.description.size() > tl5::kFormDescriptionMax || header.author.size() > tl5::kFormAuthorMax) std::abort();
    if (card.Record().Name().size() > 255) std::abort();
    return 0;
}
