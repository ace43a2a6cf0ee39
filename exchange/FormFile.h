// Form files (".tlx"): one card without its identity, to carry a card's form (and, when asked, its
// values) from one wallet to another.
//
// Layout: a 468-byte header that is not encrypted, then the card's 748-byte item record with its
// identifier, parent and default form all zero, the custom icon bytes when its icon is -1, and the
// card body. Everything a wallet encrypts under its record key (the name slot, every piece of the
// body) is encrypted here under the fixed form file key instead.
//
// Header: 0 the text "Ostrova Works® Tessellock® Pro Form" in single-byte characters (® is 0xAE,
// 35 bytes) and zeros up to 64; 64 version 1; 68 description (256 bytes: at most 127 UTF-16
// characters and a NUL); 324 author (128 bytes: at most 63 characters and a NUL); 452 the time the
// file was written (16 bytes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/Card.h"
#include "model/CipherKey.h"
#include "platform/File.h"
#include "platform/LocalTime.h"

namespace tl5 {

constexpr size_t kFormFileHeaderSize = 468;
constexpr uint32_t kFormFileVersion = 1;
constexpr size_t kFormDescriptionMax = 127;
constexpr size_t kFormAuthorMax = 63;

struct FormFileHeader {
    uint32_t version = kFormFileVersion;
    std::u16string description;  // at most 127 characters
    std::u16string author;       // at most 63 characters
    SystemTime written;

    // The 468 stored bytes.
    void Store(uint8_t* out) const;
    // False when the text or the version is not that of a form file.
    bool Parse(const uint8_t* bytes);
};

// The fixed key of every form file: set from the text "larkspiny" (its first 8 characters).
std::shared_ptr<const CipherKey> FormFileKey();

// Results of WriteFormFile besides the card write's own codes (model/CardBody.h).
enum FormFileWriteResult : int {
    kFormFileWritten = 0,
    kFormFileHeaderFailed = 1,
    kFormFileNoCardOrFile = 6,
};

// Writes a form file at the start of an open, empty file. The card is a working copy: its record
// loses its identity and is re-keyed, and unless values are kept every field value (with dates and
// times) and every attachment is dropped. Author and description are cut to 63 and 127 characters.
int WriteFormFile(Card& card, File* file, bool keepValues, std::u16string_view author,
                  std::u16string_view description);

// Reads a form file into the card; the name is re-keyed under the wallet's record key and the
// fields and media are plain in memory. The record keeps a zero identifier and parent until the
// import gives it a new identity. False (card empty) when the file is not a form file or is damaged.
bool ReadFormFile(Card& card, File& file, FormFileHeader* header, const std::shared_ptr<const CipherKey>& recordKey);

}  // namespace tl5
