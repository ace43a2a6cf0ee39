// The stored card body: a 64-byte CardHead followed by typed chunks (fields, background image, sound,
// attachments). Every text and file in a chunk is a piece: its bytes encrypted as one unit, then 1 to 4
// zero bytes of padding that are not encrypted.
//
// A chunk is a 12-byte header (0, type, data length) and its data:
//   field (type 1): 72-byte header, then the name, value and choice-list pieces;
//   background image (3): 48-byte header, image piece, file-name piece;
//   sound (4): 32-byte header, sound piece, file-name piece;
//   attachment (6): 68-byte header, file piece, file-name piece.
// Types 2 and 5 are never written; the reader skips any type it does not know.
//
// Hostile input: a chunk whose length runs past the body, or a piece that runs past its chunk (or whose
// padding is larger than the piece), is rejected and the body read fails with kCardBodyDamaged. No read
// ever leaves its buffer and no allocation is larger than the file.
//
// The wallet file as a whole, with a worked example: docs/wallet-format.md.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/Card.h"
#include "model/CipherKey.h"
#include "platform/File.h"

namespace tl5 {

enum ChunkType : uint32_t {
    kChunkField = 1,
    kChunkImage = 3,
    kChunkSound = 4,
    kChunkAttachment = 6,
};

constexpr size_t kChunkHeaderSize = 12;
constexpr size_t kFieldHeaderSize = 72;
constexpr size_t kImageHeaderSize = 48;
constexpr size_t kSoundHeaderSize = 32;
constexpr size_t kAttachmentHeaderSize = 68;

// Results of writing a card and reading its body.
enum CardResult : int {
    kCardOk = 0,
    kCardIoFailed = 1,      // a write failed or wrote fewer bytes; a read failed or was short
    kCardNoRecord = 7,      // the card has no record, or its body size is below 64
    kCardBodyDamaged = 8,   // a chunk or piece runs past its container
    kCardNoMemory = 12,
    kCardTooLarge = 13,     // the body would exceed what a record can describe
};

// Padding of a piece of n content bytes: 4 - (n mod 4), never 0.
inline size_t PiecePadding(size_t n) { return 4 - (n % 4); }
// Size of a piece (content plus padding), 0 when there is no content.
inline size_t PieceSize(size_t n) { return n ? n + PiecePadding(n) : 0; }

// Chunk data lengths (without the 12-byte chunk header); 0 for media without bytes.
size_t FieldChunkLength(const Field& field);
size_t ImageChunkLength(const CardImage& image);
size_t SoundChunkLength(const CardSound& sound);
size_t AttachmentChunkLength(const Attachment& attachment);

// Serialize: the chunk data (without the chunk header) appended to out. False when memory runs out or
// the key is not keyed; out is then as it was. Media without bytes append nothing and report true.
bool SerializeField(const Field& field, const CipherKey& key, std::vector<uint8_t>* out);
bool SerializeImage(const CardImage& image, const CipherKey& key, std::vector<uint8_t>* out);
bool SerializeSound(const CardSound& sound, const CipherKey& key, std::vector<uint8_t>* out);
bool SerializeAttachment(const Attachment& attachment, const CipherKey& key, std::vector<uint8_t>* out);

// Where the texts of a field chunk lie, read from its header: each piece's offset in the chunk, its
// size and its padding (size 0 when the field has no such text).
struct FieldChunkLayout {
    struct Piece {
        size_t offset = 0;
        uint32_t size = 0;
        uint32_t padding = 0;
    };
    uint16_t type = FT_TEXT;
    int32_t nameColour = -1;
    int32_t dataColour = -1;
    SystemTime dateTime;
    Piece name, value, choices;
};
// False when the data is shorter than the field header or a piece runs past it: the chunks that
// DeserializeField refuses.
bool ReadFieldChunkLayout(const uint8_t* data, size_t size, FieldChunkLayout* layout);

// Deserialize from chunk data. The object is cleared first; false (object empty) when the data is shorter
// than its header or a piece runs past the chunk.
bool DeserializeField(const uint8_t* data, size_t size, const CipherKey& key, Field* field);
bool DeserializeImage(const uint8_t* data, size_t size, const CipherKey& key, CardImage* image);
bool DeserializeSound(const uint8_t* data, size_t size, const CipherKey& key, CardSound* sound);
bool DeserializeAttachment(const uint8_t* data, size_t size, const CipherKey& key, Attachment* attachment);

// The body bytes of a card (head and chunks) as they are stored.
int BuildCardBody(const Card& card, const CipherKey& key, std::vector<uint8_t>* body);

// Writes the card's record (with its body size set) and body at the file's current position.
// kCardOk, kCardIoFailed, the record write's code, or kCardNoRecord.
int WriteCard(Card& card, File& file, const CipherKey& key);

// Fills the card from body bytes (the record's body size of them). The card ends loaded and not
// modified. Without media, the image, sound and attachment chunks are walked past and not decrypted
// (for readers that need only the card's texts, such as a text export without attachments).
int ParseCardBody(Card& card, const uint8_t* body, size_t size, const CipherKey& key, bool withMedia = true);

// For a reader that needs no media and has read only the first `have` of a body's `size` bytes: when
// the first chunk that runs past those bytes is the body's last chunk and an image, sound or
// attachment, its data length is set to 0 in body and the length up to its data is returned, which
// ParseCardBody without media reads as it would the whole body. `size` when all of it was read; 0
// when the rest must be read (a field, an unknown chunk or a damaged length runs past, or more chunks
// follow).
size_t BodyPrefixWithoutTrailingMedia(uint8_t* body, size_t have, size_t size);

// Reads the body that follows the card's record at the file's current position.
int ReadCardBody(Card& card, File& file, const CipherKey& key);

// Walks the chunks of a body's chunk area (after the head), calling visit(type, data, length) for each
// while at least 12 bytes remain. The visitor returns 0 to go on, a positive value to stop, a negative
// one to report damage. Result: true when walked (or stopped), false when a chunk runs past the end or the
// visitor reported damage. Used by the body reader and by find.
template <typename Visit>
bool WalkChunks(const uint8_t* p, size_t size, Visit&& visit);

// Decrypts a text piece of a chunk into out (cut at its first NUL). Used by the body reader and find.
// out keeps its buffer when that is long enough (what was there before beyond the new text stays until
// the owner wipes the string); a buffer too short is wiped before it is given back.
// False when the piece (size, padding) does not fit in [offset, end).
bool DecryptTextPiece(const uint8_t* chunk, size_t offset, size_t end, uint32_t pieceSize, uint32_t padding,
                      const CipherKey& key, std::u16string* out, size_t maxChars = static_cast<size_t>(-1));

}  // namespace tl5

#include "model/LittleEndian.h"

template <typename Visit>
bool tl5::WalkChunks(const uint8_t* p, size_t size, Visit&& visit) {
    size_t pos = 0;
    while (size - pos >= kChunkHeaderSize) {
        const uint32_t type = LoadU32(p + pos + 4);
        const uint32_t length = LoadU32(p + pos + 8);
        pos += kChunkHeaderSize;
        if (length > size - pos) return false;
        const int verdict = visit(type, p + pos, static_cast<size_t>(length));
        if (verdict < 0) return false;
        if (verdict > 0) return true;
        pos += length;
    }
    return true;
}
