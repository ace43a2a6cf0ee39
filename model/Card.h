// Card: a loaded card with its record, display head, fields and media, and CardHead, its 64-byte
// display head.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/CardMedia.h"
#include "model/Field.h"
#include "model/ItemRecord.h"

namespace tl5 {

// Sixteen 32-bit words that say how a card is shown. Words the system does not interpret are copied
// and stored unchanged.
struct CardHead {
    static constexpr size_t kSize = 64;
    static constexpr size_t kWords = 16;
    enum Word : size_t {
        kDataColour = 2,       // offset 8
        kBackgroundColour = 3, // offset 12
        kNameColour = 4,       // offset 16
        kShowPasswords = 9,    // offset 36: always display password fields
        kTextSize = 11,        // offset 44: 8, 9 or 11 points
        kNamesBold = 12,       // offset 48
        kDataBold = 13,        // offset 52
    };

    uint32_t words[kWords] = {};

    // The defaults of a new wallet.
    static CardHead Defaults();
    static CardHead FromBytes(const uint8_t* p);
    void Store(uint8_t* p) const;

    friend bool operator==(const CardHead&, const CardHead&) = default;
};

class Card {
public:
    static constexpr int kNoFreeSlot = -1;

    Card() = default;
    explicit Card(const ItemRecord& record) : record_(record) {}

    ItemRecord& Record() { return record_; }
    const ItemRecord& Record() const { return record_; }
    bool HasRecord() const { return record_.Kind() != kItemKindNone; }

    CardHead& Head() { return head_; }
    const CardHead& Head() const { return head_; }

    // Fields in display order.
    size_t FieldCount() const { return fields_.size(); }
    Field* FieldAt(size_t index) { return index < fields_.size() ? &fields_[index] : nullptr; }
    const Field* FieldAt(size_t index) const { return index < fields_.size() ? &fields_[index] : nullptr; }
    // A new field of the type at the index (at the end when the index is past it); nullptr when the card
    // already has 255 fields.
    Field* AddField(uint16_t type, size_t index = static_cast<size_t>(-1));
    // Appends a ready field (nullptr at 255 fields).
    Field* AppendField(Field field);
    // Copies the field at the index (value, date/time and items) right after it.
    Field* DuplicateField(size_t index);
    // Nothing happens for an index at or beyond the count.
    bool DeleteField(size_t index);
    bool MoveFieldUp(size_t index);
    bool MoveFieldDown(size_t index);
    bool MoveFieldToTop(size_t index);
    bool MoveFieldToBottom(size_t index);
    // Every field, for the body reader.
    std::vector<Field>& Fields() { return fields_; }
    const std::vector<Field>& Fields() const { return fields_; }

    const CardImage& Image() const { return image_; }
    CardImage& MutableImage() { imageChanged_ = true; return image_; }
    void SetImage(CardImage image);
    void ClearImage();

    const CardSound& Sound() const { return sound_; }
    CardSound& MutableSound() { soundChanged_ = true; return sound_; }
    void SetSound(CardSound sound);
    void ClearSound();

    // Attachment slots 0-9; a slot is in use when it holds bytes.
    const Attachment& AttachmentAt(size_t slot) const;
    size_t AttachmentCount() const;
    int FirstFreeAttachmentSlot() const;
    // Stores into a slot (false for a slot beyond 9 or an attachment without bytes).
    bool SetAttachment(size_t slot, Attachment attachment);
    // Stores into the first free slot; its number, or -1 when all ten are used.
    int AddAttachment(Attachment attachment);
    bool ClearAttachment(size_t slot);
    Attachment& MutableAttachment(size_t slot) { return attachments_[slot < kMaxAttachments ? slot : 0]; }

    bool IsLoaded() const { return loaded_; }
    void SetLoaded(bool loaded) { loaded_ = loaded; }
    // True when anything changed: the modified flag, the image or sound, the record, or a field's change
    // bits (which also sets the modified flag).
    bool IsModified();
    void SetModified(bool modified);

    // Empties the card: fields, media, flags and record.
    void Clear();

private:
    ItemRecord record_;
    CardHead head_ = CardHead::Defaults();
    std::vector<Field> fields_;
    CardImage image_;
    CardSound sound_;
    Attachment attachments_[kMaxAttachments];
    bool loaded_ = false;
    bool modified_ = false;
    bool imageChanged_ = false;
    bool soundChanged_ = false;
};

}  // namespace tl5

namespace tl5 {

class FileSystem;

// The name an attachment is written under in the documents folder: "YYYYMMDD_" and the file name, with
// any folder part and any character a file name cannot hold replaced, so a stored name can never
// reach outside the folder.
std::u16string AttachmentOutputName(std::u16string_view fileName, const SystemTime& date);

// Writes the attachment of a slot that holds bytes to the documents folder (created when missing),
// replacing any file of that name, then opens it with the shell unless the path names a wallet
// (".wal" or ".tl5", in any letter case). True when written and opened; the written path goes to
// *writtenPath even when the file is not opened.
bool OpenCardAttachment(const Card& card, size_t slot, FileSystem& fs, std::u16string* writtenPath = nullptr);

}  // namespace tl5
