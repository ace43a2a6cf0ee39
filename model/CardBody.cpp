#include "model/CardBody.h"

#include <bit>
#include <cstring>
#include <new>

#include "model/LittleEndian.h"
#include "platform/SecureZero.h"

namespace tl5 {

namespace {

constexpr bool kLittleEndianHost = std::endian::native == std::endian::little;

// The largest body a record can describe (its size is a 32-bit word).
constexpr size_t kMaxBodySize = 0xFFFFFFFFu;

size_t TextBytes(const std::u16string& s) { return s.size() * 2; }

size_t ChoiceTextBytes(const Field& field) {
    size_t bytes = 0;
    size_t count = 0;
    for (const std::u16string& item : field.Items()) {
        if (item.empty()) continue;
        bytes += TextBytes(item);
        ++count;
    }
    if (count > 1) bytes += 2 * (count - 1);
    return bytes;
}

// Stores UTF-16 text as little-endian bytes.
void PutText(uint8_t* p, const char16_t* s, size_t chars) {
    if (kLittleEndianHost) {
        std::memcpy(p, s, chars * 2);
    } else {
        for (size_t i = 0; i < chars; ++i) StoreU16(p + 2 * i, s[i]);
    }
}

// Appends an encrypted piece of n bytes written by fill(dst) followed by its zero padding. The buffer has
// been reserved, so nothing here allocates.
template <typename Fill>
bool AppendPiece(std::vector<uint8_t>* out, size_t n, const CipherKey& key, Fill&& fill) {
    if (n == 0) return true;
    const size_t at = out->size();
    out->resize(at + PieceSize(n), 0);
    uint8_t* dst = out->data() + at;
    fill(dst);
    return key.Encrypt(dst, n, dst);
}

bool AppendTextPiece(std::vector<uint8_t>* out, const std::u16string& text, const CipherKey& key) {
    return AppendPiece(out, TextBytes(text), key, [&](uint8_t* dst) { PutText(dst, text.data(), text.size()); });
}

bool AppendBytesPiece(std::vector<uint8_t>* out, const MediaBytes& bytes, const CipherKey& key) {
    return AppendPiece(out, bytes.Size(), key, [&](uint8_t* dst) { std::memcpy(dst, bytes.data.data(), bytes.Size()); });
}

void StorePiece(uint8_t* p, size_t n) {
    StoreU32(p, static_cast<uint32_t>(PieceSize(n)));
    StoreU32(p + 4, static_cast<uint32_t>(n ? PiecePadding(n) : 0));
}

// Runs a serializer into out; on failure out is restored to its previous length.
template <typename Body>
bool Guarded(std::vector<uint8_t>* out, size_t total, Body&& body) {
    const size_t before = out->size();
    try {
        out->reserve(before + total);
        if (body()) return true;
    } catch (const std::bad_alloc&) {
    }
    if (out->size() > before) SecureZero(out->data() + before, out->size() - before);
    out->resize(before);
    return false;
}

// A piece inside [offset, end): checks size and padding; the content length goes to *content.
bool PieceFits(size_t offset, size_t end, uint32_t size, uint32_t padding, size_t* content) {
    if (offset > end || size > end - offset || padding > size) return false;
    *content = size - padding;
    return true;
}

bool DecryptBytesPiece(const uint8_t* chunk, size_t offset, size_t end, uint32_t size, uint32_t padding,
                       const CipherKey& key, MediaBytes* out) {
    size_t n = 0;
    if (!PieceFits(offset, end, size, padding, &n)) return false;
    if (n == 0) return true;
    try {
        out->data.resize(n);
    } catch (const std::bad_alloc&) {
        out->Release();  // the member stays empty; the rest of the chunk is still read
        return true;
    }
    key.Decrypt(chunk + offset, n, out->data.data());
    return true;
}

bool DecryptFileName(const uint8_t* chunk, size_t offset, size_t end, uint32_t size, uint32_t padding,
                     const CipherKey& key, std::u16string* out) {
    return DecryptTextPiece(chunk, offset, end, size, padding, key, out, kMaxMediaFileName);
}

// Reads the image, sound or attachment pieces: data at offset, then the file name.
bool ReadMediaPieces(const uint8_t* data, size_t size, size_t headerSize, size_t sizesAt, const CipherKey& key,
                     MediaBytes* bytes, std::u16string* fileName) {
    const uint32_t dataSize = LoadU32(data + sizesAt);
    const uint32_t dataPadding = LoadU32(data + sizesAt + 4);
    const uint32_t nameSize = LoadU32(data + sizesAt + 8);
    const uint32_t namePadding = LoadU32(data + sizesAt + 12);
    size_t pos = headerSize;
    if (dataSize != 0) {
        if (!DecryptBytesPiece(data, pos, size, dataSize, dataPadding, key, bytes)) return false;
        pos += dataSize;
    }
    if (pos < size && nameSize != 0) {
        if (!DecryptFileName(data, pos, size, nameSize, namePadding, key, fileName)) return false;
    }
    return true;
}

}  // namespace

bool DecryptTextPiece(const uint8_t* chunk, size_t offset, size_t end, uint32_t pieceSize, uint32_t padding,
                      const CipherKey& key, std::u16string* out, size_t maxChars) {
    size_t n = 0;
    if (!PieceFits(offset, end, pieceSize, padding, &n)) return false;
    size_t chars = n / 2;
    if (chars > maxChars) chars = maxChars;
    // A string about to grow gives back its buffer, so that buffer is wiped first; one that is long
    // enough keeps its buffer and is overwritten.
    if (chars > out->capacity()) {
        SecureZero(*out);
    } else {
        out->clear();
    }
    if (chars == 0) return true;
    try {
        out->resize(chars);
    } catch (const std::bad_alloc&) {
        out->clear();  // the member stays empty
        return true;
    }
    char16_t* dst = out->data();
    if (!key.Decrypt(chunk + offset, chars * 2, dst)) {
        SecureZero(*out);
        return true;
    }
    if (!kLittleEndianHost) {
        for (size_t i = 0; i < chars; ++i) {
            const uint8_t* b = reinterpret_cast<const uint8_t*>(dst + i);
            dst[i] = static_cast<char16_t>(b[0] | (b[1] << 8));
        }
    }
    const size_t nul = FindNulChar(dst, chars);
    if (nul != chars) {
        SecureZero(out->data() + nul, (out->size() - nul) * 2);
        out->resize(nul);
    }
    return true;
}

size_t FieldChunkLength(const Field& field) {
    size_t length = kFieldHeaderSize + PieceSize(TextBytes(field.Name())) + PieceSize(TextBytes(field.Value()));
    if (HasChoiceItems(field.Type())) length += ChoiceTextBytes(field) + PiecePadding(ChoiceTextBytes(field));
    return length;
}

size_t ImageChunkLength(const CardImage& image) {
    if (!image.HasData()) return 0;
    return kImageHeaderSize + PieceSize(image.bytes.Size()) + PieceSize(TextBytes(image.fileName));
}

size_t SoundChunkLength(const CardSound& sound) {
    if (!sound.HasData()) return 0;
    return kSoundHeaderSize + PieceSize(sound.bytes.Size()) + PieceSize(TextBytes(sound.fileName));
}

size_t AttachmentChunkLength(const Attachment& attachment) {
    if (!attachment.HasData()) return 0;
    return kAttachmentHeaderSize + PieceSize(attachment.bytes.Size()) + PieceSize(TextBytes(attachment.fileName));
}

bool SerializeField(const Field& field, const CipherKey& key, std::vector<uint8_t>* out) {
    if (!key.IsKeyed()) return false;
    const size_t nameBytes = TextBytes(field.Name());
    const size_t valueBytes = TextBytes(field.Value());
    const bool choices = HasChoiceItems(field.Type());
    const size_t choiceBytes = choices ? ChoiceTextBytes(field) : 0;
    const size_t total = FieldChunkLength(field);
    return Guarded(out, total, [&]() {
        uint8_t header[kFieldHeaderSize] = {};
        StoreU16(header, field.Type());
        StoreI32(header + 8, field.NameColour());
        StoreI32(header + 12, field.DataColour());
        StorePiece(header + 16, nameBytes);
        StoreSystemTime(header + 24, field.DateTime());
        StorePiece(header + 40, valueBytes);
        if (choices) {
            StoreU32(header + 48, static_cast<uint32_t>(choiceBytes + PiecePadding(choiceBytes)));
            StoreU32(header + 52, static_cast<uint32_t>(PiecePadding(choiceBytes)));
        }
        StoreU32(header + 56, static_cast<uint32_t>(total - kFieldHeaderSize));
        out->insert(out->end(), header, header + kFieldHeaderSize);
        if (!AppendTextPiece(out, field.Name(), key) || !AppendTextPiece(out, field.Value(), key)) return false;
        if (choices) {
            if (choiceBytes == 0) {
                out->resize(out->size() + 4, 0);  // no items: a piece of 4 zero bytes
            } else if (!AppendPiece(out, choiceBytes, key, [&](uint8_t* dst) {
                           bool first = true;
                           for (const std::u16string& item : field.Items()) {
                               if (item.empty()) continue;
                               if (!first) {
                                   StoreU16(dst, kChoiceSeparator);
                                   dst += 2;
                               }
                               first = false;
                               PutText(dst, item.data(), item.size());
                               dst += TextBytes(item);
                           }
                       })) {
                return false;
            }
        }
        return true;
    });
}

bool SerializeImage(const CardImage& image, const CipherKey& key, std::vector<uint8_t>* out) {
    if (!image.HasData()) return true;
    if (!key.IsKeyed()) return false;
    return Guarded(out, ImageChunkLength(image), [&]() {
        uint8_t header[kImageHeaderSize] = {};
        StoreI32(header, image.position);
        StoreI32(header + 12, image.format);
        StorePiece(header + 16, image.bytes.Size());
        StorePiece(header + 24, TextBytes(image.fileName));
        out->insert(out->end(), header, header + kImageHeaderSize);
        return AppendBytesPiece(out, image.bytes, key) && AppendTextPiece(out, image.fileName, key);
    });
}

bool SerializeSound(const CardSound& sound, const CipherKey& key, std::vector<uint8_t>* out) {
    if (!sound.HasData()) return true;
    if (!key.IsKeyed()) return false;
    return Guarded(out, SoundChunkLength(sound), [&]() {
        uint8_t header[kSoundHeaderSize] = {};
        StoreI32(header, sound.format);
        StoreI32(header + 4, sound.playWhenViewed);
        StorePiece(header + 8, sound.bytes.Size());
        StorePiece(header + 16, TextBytes(sound.fileName));
        out->insert(out->end(), header, header + kSoundHeaderSize);
        return AppendBytesPiece(out, sound.bytes, key) && AppendTextPiece(out, sound.fileName, key);
    });
}

bool SerializeAttachment(const Attachment& attachment, const CipherKey& key, std::vector<uint8_t>* out) {
    if (!attachment.HasData()) return true;
    if (!key.IsKeyed()) return false;
    return Guarded(out, AttachmentChunkLength(attachment), [&]() {
        uint8_t header[kAttachmentHeaderSize] = {};
        StoreSystemTime(header + 4, attachment.fileTime);
        StoreSystemTime(header + 20, attachment.attachedAt);
        StorePiece(header + 36, attachment.bytes.Size());
        StorePiece(header + 44, TextBytes(attachment.fileName));
        out->insert(out->end(), header, header + kAttachmentHeaderSize);
        return AppendBytesPiece(out, attachment.bytes, key) && AppendTextPiece(out, attachment.fileName, key);
    });
}

bool ReadFieldChunkLayout(const uint8_t* data, size_t size, FieldChunkLayout* layout) {
    *layout = FieldChunkLayout();
    if (!data || size < kFieldHeaderSize) return false;
    layout->type = LoadU16(data);
    layout->nameColour = LoadI32(data + 8);
    layout->dataColour = LoadI32(data + 12);
    layout->dateTime = LoadSystemTime(data + 24);
    const uint32_t sizeAt[3] = {16, 40, 48};
    FieldChunkLayout::Piece* pieces[3] = {&layout->name, &layout->value, &layout->choices};
    size_t pos = kFieldHeaderSize;
    for (int i = 0; i < 3; ++i) {
        const uint32_t pieceSize = LoadU32(data + sizeAt[i]);
        const uint32_t padding = LoadU32(data + sizeAt[i] + 4);
        // The value and the choices are read only while bytes remain after the pieces before them.
        if (pieceSize == 0 || (i > 0 && pos >= size)) continue;
        size_t content = 0;
        if (!PieceFits(pos, size, pieceSize, padding, &content)) return false;
        *pieces[i] = {pos, pieceSize, padding};
        pos += pieceSize;
    }
    return true;
}

bool DeserializeField(const uint8_t* data, size_t size, const CipherKey& key, Field* field) {
    field->ResetForLoad();
    FieldChunkLayout layout;
    if (!ReadFieldChunkLayout(data, size, &layout)) return false;
    field->LoadRaw(layout.type, layout.nameColour, layout.dataColour, layout.dateTime);
    // The pieces were found to fit, so decrypting them cannot fail.
    const FieldChunkLayout::Piece& name = layout.name;
    const FieldChunkLayout::Piece& value = layout.value;
    const FieldChunkLayout::Piece& choices = layout.choices;
    if (name.size != 0) DecryptTextPiece(data, name.offset, size, name.size, name.padding, key, &field->MutableName());
    if (value.size != 0) {
        DecryptTextPiece(data, value.offset, size, value.size, value.padding, key, &field->MutableValue());
    }
    if (choices.size != 0) {
        std::u16string joined;
        DecryptTextPiece(data, choices.offset, size, choices.size, choices.padding, key, &joined);
        field->SetItemsFromJoined(joined);
        SecureZero(joined);
    }
    field->ClearChangeFlags();
    return true;
}

bool DeserializeImage(const uint8_t* data, size_t size, const CipherKey& key, CardImage* image) {
    image->Clear();
    image->position = 0;
    if (!data || size < kImageHeaderSize) return false;
    image->position = LoadI32(data);
    image->format = LoadI32(data + 12);
    if (!ReadMediaPieces(data, size, kImageHeaderSize, 16, key, &image->bytes, &image->fileName)) {
        image->Clear();
        image->position = 0;
        return false;
    }
    return true;
}

bool DeserializeSound(const uint8_t* data, size_t size, const CipherKey& key, CardSound* sound) {
    sound->Clear();
    if (!data || size < kSoundHeaderSize) return false;
    sound->format = LoadI32(data);
    sound->playWhenViewed = LoadI32(data + 4);
    if (!ReadMediaPieces(data, size, kSoundHeaderSize, 8, key, &sound->bytes, &sound->fileName)) {
        sound->Clear();
        return false;
    }
    return true;
}

bool DeserializeAttachment(const uint8_t* data, size_t size, const CipherKey& key, Attachment* attachment) {
    attachment->Clear();
    if (!data || size < kAttachmentHeaderSize) return false;
    attachment->fileTime = LoadSystemTime(data + 4);
    attachment->attachedAt = LoadSystemTime(data + 20);
    if (!ReadMediaPieces(data, size, kAttachmentHeaderSize, 36, key, &attachment->bytes, &attachment->fileName)) {
        attachment->Clear();
        return false;
    }
    return true;
}

namespace {

bool AppendChunk(std::vector<uint8_t>* body, uint32_t type, size_t length,
                 bool (*serialize)(const void*, const CipherKey&, std::vector<uint8_t>*), const void* object,
                 const CipherKey& key) {
    uint8_t header[kChunkHeaderSize] = {};
    StoreU32(header + 4, type);
    StoreU32(header + 8, static_cast<uint32_t>(length));
    body->insert(body->end(), header, header + kChunkHeaderSize);
    return serialize(object, key, body);
}

}  // namespace

int BuildCardBody(const Card& card, const CipherKey& key, std::vector<uint8_t>* body) {
    if (!key.IsKeyed()) return kCardIoFailed;
    // Size first, so the whole body is one allocation.
    uint64_t total = CardHead::kSize;
    for (const Field& f : card.Fields()) total += kChunkHeaderSize + FieldChunkLength(f);
    if (card.Image().HasData()) total += kChunkHeaderSize + ImageChunkLength(card.Image());
    if (card.Sound().HasData()) total += kChunkHeaderSize + SoundChunkLength(card.Sound());
    for (size_t i = 0; i < kMaxAttachments; ++i) {
        if (card.AttachmentAt(i).HasData()) total += kChunkHeaderSize + AttachmentChunkLength(card.AttachmentAt(i));
    }
    if (total > kMaxBodySize) return kCardTooLarge;
    SecureZero(*body);
    try {
        body->reserve(static_cast<size_t>(total));
        body->resize(CardHead::kSize);
        card.Head().Store(body->data());
        bool ok = true;
        for (const Field& f : card.Fields()) {
            ok = ok && AppendChunk(body, kChunkField, FieldChunkLength(f),
                                   [](const void* o, const CipherKey& k, std::vector<uint8_t>* b) {
                                       return SerializeField(*static_cast<const Field*>(o), k, b);
                                   }, &f, key);
        }
        if (ok && card.Image().HasData()) {
            ok = AppendChunk(body, kChunkImage, ImageChunkLength(card.Image()),
                             [](const void* o, const CipherKey& k, std::vector<uint8_t>* b) {
                                 return SerializeImage(*static_cast<const CardImage*>(o), k, b);
                             }, &card.Image(), key);
        }
        if (ok && card.Sound().HasData()) {
            ok = AppendChunk(body, kChunkSound, SoundChunkLength(card.Sound()),
                             [](const void* o, const CipherKey& k, std::vector<uint8_t>* b) {
                                 return SerializeSound(*static_cast<const CardSound*>(o), k, b);
                             }, &card.Sound(), key);
        }
        for (size_t i = 0; ok && i < kMaxAttachments; ++i) {
            const Attachment& a = card.AttachmentAt(i);
            if (!a.HasData()) continue;
            ok = AppendChunk(body, kChunkAttachment, AttachmentChunkLength(a),
                             [](const void* o, const CipherKey& k, std::vector<uint8_t>* b) {
                                 return SerializeAttachment(*static_cast<const Attachment*>(o), k, b);
                             }, &a, key);
        }
        if (!ok || body->size() != total) {
            SecureZero(*body);
            return kCardNoMemory;
        }
    } catch (const std::bad_alloc&) {
        SecureZero(*body);
        return kCardNoMemory;
    }
    return kCardOk;
}

int WriteCard(Card& card, File& file, const CipherKey& key) {
    if (!card.HasRecord()) return kCardNoRecord;
    std::vector<uint8_t> body;
    const int built = BuildCardBody(card, key, &body);
    if (built != kCardOk) return built;
    card.Record().SetBodySize(static_cast<uint32_t>(body.size()));
    card.Record().AttachFile(&file);
    const int recordResult = card.Record().Write();
    if (recordResult != kBlockOk) return recordResult;
    size_t put = 0;
    const bool ok = file.Write(body.data(), body.size(), &put);
    if (!ok || put != body.size()) return kCardIoFailed;
    card.SetModified(true);
    return kCardOk;
}

int ParseCardBody(Card& card, const uint8_t* body, size_t size, const CipherKey& key, bool withMedia) {
    if (!body || size < CardHead::kSize) return kCardNoRecord;
    card.Head() = CardHead::FromBytes(body);
    // The card's fields are filled again in place (a reader loading card after card into one Card
    // reuses their buffers); those beyond the new count are dropped at the end.
    std::vector<Field>& fields = card.Fields();
    size_t used = 0;
    card.ClearImage();
    card.ClearSound();
    for (size_t i = 0; i < kMaxAttachments; ++i) card.ClearAttachment(i);
    int result = kCardOk;
    const bool walked = WalkChunks(body + CardHead::kSize, size - CardHead::kSize,
                                   [&](uint32_t type, const uint8_t* data, size_t length) -> int {
        switch (type) {
            case kChunkField: {
                if (used >= kMaxFields) return 0;  // beyond the 255th: skipped
                if (used == fields.size()) {
                    try {
                        fields.emplace_back();
                    } catch (const std::bad_alloc&) {
                        result = kCardNoMemory;
                        return 1;
                    }
                }
                if (!DeserializeField(data, length, key, &fields[used])) return -1;
                ++used;
                return 0;
            }
            case kChunkImage: {
                if (!withMedia) return 0;
                CardImage image;
                if (!DeserializeImage(data, length, key, &image)) return -1;
                card.SetImage(std::move(image));
                return 0;
            }
            case kChunkSound: {
                if (!withMedia) return 0;
                CardSound sound;
                if (!DeserializeSound(data, length, key, &sound)) return -1;
                card.SetSound(std::move(sound));
                return 0;
            }
            case kChunkAttachment: {
                if (!withMedia) return 0;
                const int slot = card.FirstFreeAttachmentSlot();
                if (slot < 0) return 0;  // all ten in use: skipped
                Attachment attachment;
                if (!DeserializeAttachment(data, length, key, &attachment)) return -1;
                if (attachment.HasData()) card.SetAttachment(static_cast<size_t>(slot), std::move(attachment));
                return 0;
            }
            default:
                return 0;  // unknown chunk types are read past
        }
    });
    fields.erase(fields.begin() + static_cast<std::ptrdiff_t>(used), fields.end());
    if (!walked) result = kCardBodyDamaged;
    card.SetLoaded(result == kCardOk);
    card.SetModified(false);
    return result;
}

size_t BodyPrefixWithoutTrailingMedia(uint8_t* body, size_t have, size_t size) {
    if (have >= size) return size;
    size_t pos = CardHead::kSize;
    while (pos <= have && have - pos >= kChunkHeaderSize) {
        const uint32_t type = LoadU32(body + pos + 4);
        const uint32_t length = LoadU32(body + pos + 8);
        const size_t data = pos + kChunkHeaderSize;
        if (length > size - data) return 0;  // damaged: the whole body is read and found so
        if (length <= have - data) {
            pos = data + length;
            continue;
        }
        const bool media = type == kChunkImage || type == kChunkSound || type == kChunkAttachment;
        if (!media || data + length != size) return 0;
        StoreU32(body + pos + 8, 0);
        return data;
    }
    return 0;
}

int ReadCardBody(Card& card, File& file, const CipherKey& key) {
    if (!card.HasRecord()) return kCardNoRecord;
    const uint32_t bodySize = card.Record().BodySize();
    if (bodySize < CardHead::kSize) return kCardNoRecord;
    uint64_t fileSize = 0;
    if (!file.GetSize(&fileSize)) return kCardIoFailed;
    const uint64_t position = file.Tell();
    if (position > fileSize || bodySize > fileSize - position) return kCardIoFailed;  // the body is not all there
    std::vector<uint8_t> body;
    try {
        body.resize(bodySize);
    } catch (const std::bad_alloc&) {
        return kCardNoMemory;
    }
    size_t got = 0;
    if (!file.Read(body.data(), body.size(), &got) || got != body.size()) return kCardIoFailed;
    return ParseCardBody(card, body.data(), body.size(), key);
}

}  // namespace tl5
