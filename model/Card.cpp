#include "model/Card.h"

#include <algorithm>
#include <new>
#include <utility>

#include "model/LittleEndian.h"

namespace tl5 {

CardHead CardHead::Defaults() {
    CardHead h;
    h.words[1] = 0x00FFFFFF;
    h.words[kDataColour] = 0x00800000;
    h.words[kBackgroundColour] = 0x00FFFFFF;
    h.words[kNameColour] = 0;
    h.words[5] = 0x00FFFFFF;
    h.words[6] = 0x00FF0000;
    h.words[7] = 9;
    h.words[kTextSize] = 9;
    return h;
}

CardHead CardHead::FromBytes(const uint8_t* p) {
    CardHead h;
    for (size_t i = 0; i < kWords; ++i) h.words[i] = LoadU32(p + 4 * i);
    return h;
}

void CardHead::Store(uint8_t* p) const {
    for (size_t i = 0; i < kWords; ++i) StoreU32(p + 4 * i, words[i]);
}

Field* Card::AddField(uint16_t type, size_t index) {
    if (fields_.size() >= kMaxFields) return nullptr;
    if (index > fields_.size()) index = fields_.size();
    try {
        auto it = fields_.insert(fields_.begin() + static_cast<std::ptrdiff_t>(index), Field());
        it->SetType(type);
        modified_ = true;
        return &*it;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

Field* Card::AppendField(Field field) {
    if (fields_.size() >= kMaxFields) return nullptr;
    try {
        fields_.push_back(std::move(field));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    modified_ = true;
    return &fields_.back();
}

Field* Card::DuplicateField(size_t index) {
    if (index >= fields_.size() || fields_.size() >= kMaxFields) return nullptr;
    try {
        Field copy = fields_[index];
        auto it = fields_.insert(fields_.begin() + static_cast<std::ptrdiff_t>(index + 1), std::move(copy));
        modified_ = true;
        return &*it;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool Card::DeleteField(size_t index) {
    if (index >= fields_.size()) return false;
    fields_.erase(fields_.begin() + static_cast<std::ptrdiff_t>(index));
    modified_ = true;
    return true;
}

bool Card::MoveFieldUp(size_t index) {
    if (index == 0 || index >= fields_.size()) return false;
    std::swap(fields_[index - 1], fields_[index]);
    modified_ = true;
    return true;
}

bool Card::MoveFieldDown(size_t index) {
    if (index + 1 >= fields_.size()) return false;
    std::swap(fields_[index], fields_[index + 1]);
    modified_ = true;
    return true;
}

bool Card::MoveFieldToTop(size_t index) {
    if (index == 0 || index >= fields_.size()) return false;
    std::rotate(fields_.begin(), fields_.begin() + static_cast<std::ptrdiff_t>(index),
                fields_.begin() + static_cast<std::ptrdiff_t>(index + 1));
    modified_ = true;
    return true;
}

bool Card::MoveFieldToBottom(size_t index) {
    if (index + 1 >= fields_.size()) return false;
    std::rotate(fields_.begin() + static_cast<std::ptrdiff_t>(index),
                fields_.begin() + static_cast<std::ptrdiff_t>(index + 1), fields_.end());
    modified_ = true;
    return true;
}

void Card::SetImage(CardImage image) {
    image_ = std::move(image);
    imageChanged_ = true;
}

void Card::ClearImage() {
    image_.Clear();
    imageChanged_ = true;
}

void Card::SetSound(CardSound sound) {
    sound_ = std::move(sound);
    soundChanged_ = true;
}

void Card::ClearSound() {
    sound_.Clear();
    soundChanged_ = true;
}

const Attachment& Card::AttachmentAt(size_t slot) const {
    static const Attachment kNone;
    return slot < kMaxAttachments ? attachments_[slot] : kNone;
}

size_t Card::AttachmentCount() const {
    size_t n = 0;
    for (const Attachment& a : attachments_) n += a.HasData() ? 1 : 0;
    return n;
}

int Card::FirstFreeAttachmentSlot() const {
    for (size_t i = 0; i < kMaxAttachments; ++i) {
        if (!attachments_[i].HasData()) return static_cast<int>(i);
    }
    return kNoFreeSlot;
}

bool Card::SetAttachment(size_t slot, Attachment attachment) {
    if (slot >= kMaxAttachments || !attachment.HasData()) return false;
    attachments_[slot] = std::move(attachment);
    modified_ = true;
    return true;
}

int Card::AddAttachment(Attachment attachment) {
    const int slot = FirstFreeAttachmentSlot();
    if (slot < 0 || !SetAttachment(static_cast<size_t>(slot), std::move(attachment))) return kNoFreeSlot;
    return slot;
}

bool Card::ClearAttachment(size_t slot) {
    if (slot >= kMaxAttachments || !attachments_[slot].HasData()) return false;
    attachments_[slot].Clear();
    modified_ = true;
    return true;
}

bool Card::IsModified() {
    if (modified_ || imageChanged_ || soundChanged_ || record_.IsDirty()) return true;
    for (const Field& f : fields_) {
        if (f.ChangeFlags() != 0) {
            modified_ = true;
            return true;
        }
    }
    return false;
}

void Card::SetModified(bool modified) {
    modified_ = modified;
    if (!modified) {
        imageChanged_ = false;
        soundChanged_ = false;
    }
}

void Card::Clear() {
    fields_.clear();
    image_.Clear();
    image_.position = 0;
    sound_.Clear();
    for (Attachment& a : attachments_) a.Clear();
    record_.Reset();
    head_ = CardHead::Defaults();
    loaded_ = false;
    modified_ = false;
    imageChanged_ = false;
    soundChanged_ = false;
}

}  // namespace tl5

#include <cstdio>

#include "platform/CardServices.h"
#include "platform/DocumentsFolder.h"
#include "platform/File.h"

namespace tl5 {

namespace {

bool IsUnsafeNameChar(char16_t c) {
    return c < 0x20 || c == u'\\' || c == u'/' || c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<' ||
           c == u'>' || c == u'|';
}

bool ContainsNoCase(std::u16string_view text, std::u16string_view part) {
    if (part.size() > text.size()) return false;
    for (size_t i = 0; i + part.size() <= text.size(); ++i) {
        size_t j = 0;
        for (; j < part.size(); ++j) {
            char16_t c = text[i + j];
            if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
            if (c != part[j]) break;
        }
        if (j == part.size()) return true;
    }
    return false;
}

}  // namespace

std::u16string AttachmentOutputName(std::u16string_view fileName, const SystemTime& date) {
    std::u16string name = MediaFileNameOfPath(fileName);
    for (char16_t& c : name) {
        if (IsUnsafeNameChar(c)) c = u'_';
    }
    if (name.empty() || name == u"." || name == u"..") name = u"attachment";
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "%04u%02u%02u_", date.year % 10000u, date.month % 100u, date.day % 100u);
    std::u16string out;
    for (const char* p = prefix; *p; ++p) out.push_back(static_cast<char16_t>(*p));
    return out + name;
}

bool OpenCardAttachment(const Card& card, size_t slot, FileSystem& fs, std::u16string* writtenPath) {
    if (writtenPath) writtenPath->clear();
    const Attachment& a = card.AttachmentAt(slot);
    if (!a.HasData()) return false;
    const std::u16string folder = EnsureDocumentsFolder();
    if (folder.empty()) return false;
    const std::u16string path = folder + kPathSeparator + AttachmentOutputName(a.fileName, LocalTimeNow());
    std::unique_ptr<File> file;
    if (fs.Open(path, FileMode::CreateAlways, FileShare::None, &file) != kFileOk) return false;
    size_t put = 0;
    const bool written = file->WriteAt(0, a.bytes.data.data(), a.bytes.Size(), &put) && put == a.bytes.Size() &&
                         file->Flush();
    file.reset();
    if (writtenPath) *writtenPath = path;
    if (!written) return false;
    if (ContainsNoCase(path, u".wal") || ContainsNoCase(path, u".tl5")) return false;
    return ShellOpenFile(path);
}

}  // namespace tl5
