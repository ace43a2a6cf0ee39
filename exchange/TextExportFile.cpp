#include "exchange/TextExportFile.h"

#include <bit>
#include <cstring>
#include <new>

#include "exchange/ExchangeNames.h"
#include "model/CardBody.h"
#include "model/Field.h"
#include "platform/FormatText.h"
#include "platform/PathText.h"
#include "platform/SecureZero.h"

namespace tl5 {

namespace {

// The output buffer's fixed capacity (bytes, even).
constexpr size_t kBufferSize = 64 * 1024;

}  // namespace

TextExportFile::~TextExportFile() {
    if (!buffer_.empty()) SecureZero(buffer_.data(), buffer_.size());
}

bool TextExportFile::Create(const std::u16string& path) {
    path_ = path;
    failed_ = false;
    if (fs_.Open(path, FileMode::CreateAlways, FileShare::Read, &file_) != kFileOk) {
        file_.reset();
        failed_ = true;
        return false;
    }
    try {
        buffer_.resize(kBufferSize);
    } catch (const std::bad_alloc&) {
        file_.reset();
        fs_.Remove(path);
        failed_ = true;
        return false;
    }
    buffer_[0] = 0xFF;  // the byte order mark
    buffer_[1] = 0xFE;
    used_ = 2;
    rule_ = ExchangeString(kStrBlockRule);
    noData_ = ExchangeString(kStrNoData);
    attachmentFormat_ = ExchangeString(kStrAttachmentLine);
    return true;
}

void TextExportFile::Append(std::u16string_view text) {
    // The buffer has a fixed size, so plain text in it is never left behind in a block given back by a
    // reallocation: long texts go out in buffer-sized parts.
    while (!failed_ && file_ && !text.empty()) {
        const size_t room = (kBufferSize - used_) / 2;
        const size_t take = text.size() < room ? text.size() : room;
        uint8_t* p = buffer_.data() + used_;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(p, text.data(), 2 * take);
        } else {
            for (size_t i = 0; i < take; ++i) {
                p[2 * i] = static_cast<uint8_t>(text[i] & 0xFF);
                p[2 * i + 1] = static_cast<uint8_t>(text[i] >> 8);
            }
        }
        used_ += 2 * take;
        text.remove_prefix(take);
        if (used_ + 2 > kBufferSize) FlushBuffer();
    }
}

void TextExportFile::FlushBuffer() {
    if (failed_ || !file_ || used_ == 0) return;
    size_t put = 0;
    if (!file_->Write(buffer_.data(), used_, &put) || put != used_) failed_ = true;
    SecureZero(buffer_.data(), used_);
    used_ = 0;
}

void TextExportFile::Line(std::u16string_view text, int lineEnds) {
    Append(text);
    for (int i = 0; i < lineEnds; ++i) Append(u"\r\n");
}

bool TextExportFile::Finish() {
    FlushBuffer();
    if (file_ && !failed_ && !file_->Flush()) failed_ = true;
    file_.reset();
    if (failed_ && !path_.empty()) fs_.Remove(path_);
    return !failed_;
}

void TextExportFile::WriteStart(std::u16string_view walletName, std::u16string_view walletPath, const SystemTime& now,
                                const ExchangeTexts& texts) {
    Line(texts.Text(kStrExportTitle));
    Line(texts.Format(kStrExportWallet, {std::u16string(walletName)}));
    Line(texts.Format(kStrExportFile, {std::u16string(walletPath)}));
    // Date and time without seconds.
    Line(texts.Format(kStrExportDate, {texts.DateTime(now)}), 3);
}

void TextExportFile::WriteFolderHeader(const std::vector<std::u16string>& path) {
    Line(u"");
    const std::u16string& rule = rule_;
    Line(rule);
    std::u16string line = ExchangeString(kStrFolder);
    line += u": ";
    for (size_t i = 0; i < path.size(); ++i) {
        if (i > 0) line += u" > ";
        line += path[i];
    }
    Line(line);
    Line(rule);
}

void TextExportFile::WriteCard(const Card& card, const CardOptions& options) {
    Line(rule_);
    std::u16string name = card.Record().Name();
    Line(name);
    SecureZero(name);
    Line(rule_);

    bool anyField = false;
    for (const Field& field : card.Fields()) WriteFieldLine(field, options.includeValues, &anyField);
    SecureZero(scratchText_);
    if (!anyField) {
        Line(noData_);
    } else {
        Line(u"");
    }

    if (options.includeAttachments) {
        bool anyFile = false;
        for (size_t slot = 0; slot < kMaxAttachments; ++slot) {
            const Attachment& a = card.AttachmentAt(slot);
            if (!a.HasData()) continue;
            const int number = options.attachmentNumber ? *options.attachmentNumber : 0;
            // The stored name is cleaned so that a damaged or hostile name cannot leave the folder.
            const std::u16string fileName = NumberedAttachmentName(number, CleanedFileName(a.fileName));
            std::unique_ptr<File> out;
            if (fs_.Open(JoinPath(options.exportFolder, fileName), FileMode::CreateAlways, FileShare::Read, &out) !=
                kFileOk) {
                continue;
            }
            size_t put = 0;
            const bool whole = out->Write(a.bytes.data.data(), a.bytes.data.size(), &put) && put == a.bytes.data.size() &&
                               out->Flush();
            out.reset();
            if (!whole) continue;
            Line(FormatText(attachmentFormat_, {fileName}));
            if (options.attachmentNumber) ++*options.attachmentNumber;
            anyFile = true;
        }
        if (!anyFile) Line(u"");
    }
}

void TextExportFile::WriteFieldLine(const Field& field, bool includeValues, bool* anyField) {
    const std::u16string_view shown = field.DisplayText(&scratchText_);
    if (shown.empty()) return;
    Append(field.Name());
    Append(u": ");
    Line(field.Type() == FT_PASSWORD && !includeValues ? kMaskedValue : shown);
    *anyField = true;
}

void TextExportFile::DropFrom(size_t mark) {
    if (mark >= used_) return;
    SecureZero(buffer_.data() + mark, used_ - mark);
    used_ = mark;
}

void TextExportFile::AppendDecrypted(const uint8_t* chunk, size_t offset, uint32_t size, uint32_t padding,
                                     const CipherKey& key) {
    if (size == 0) return;
    // Stored text and the export are both UTF-16LE, so the decrypted bytes are the output as they are.
    const size_t chars = (size - padding) / 2;
    uint8_t* out = buffer_.data() + used_;
    if (!key.Decrypt(chunk + offset, 2 * chars, out)) return;  // nothing written
    const size_t at = used_;
    used_ += 2 * chars;
    DropFrom(at + 2 * FindNulChar(out, chars));
}

bool TextExportFile::WriteStoredCard(std::u16string_view name, const uint8_t* body, size_t size,
                                     const CipherKey& key, bool includeValues) {
    if (!body || size < CardHead::kSize) return false;
    const uint8_t* chunks = body + CardHead::kSize;
    const size_t length = size - CardHead::kSize;
    // The body reader's checks first (fields beyond the 255th and every other chunk are passed over),
    // so that a card it would refuse writes nothing; the fields' layouts are kept for the writing.
    layouts_.clear();
    const bool readable = WalkChunks(chunks, length, [&](uint32_t type, const uint8_t* data, size_t bytes) -> int {
        if (type != kChunkField || layouts_.size() >= kMaxFields) return 0;
        FieldChunkLayout layout;
        if (!ReadFieldChunkLayout(data, bytes, &layout)) return -1;
        layouts_.push_back({data, bytes, layout});
        return 0;
    });
    if (!readable) return false;

    Line(rule_);
    Line(name);
    Line(rule_);
    bool anyField = false;
    bool scratchUsed = false;  // the scratch texts are wiped after a card that used them
    for (const StoredField& field : layouts_) {
        const FieldChunkLayout& layout = field.layout;
        // A date, time or yes/no field shows a text made from its date/time or value; the others show
        // their value, which is decrypted straight into the buffer.
        const bool asIs = ShowsValueAsIs(layout.type);
        std::u16string_view shown;
        if (!asIs) {
            scratchUsed = true;
            std::u16string_view value;
            if (layout.type == FT_YESNO && layout.value.size != 0) {
                DecryptTextPiece(field.data, layout.value.offset, field.size, layout.value.size, layout.value.padding,
                                 key, &scratchValue_);
                value = scratchValue_;
            }
            shown = Field::DisplayTextOf(layout.type, layout.dateTime, value, &scratchText_);
            if (shown.empty()) continue;
        }
        const size_t nameBytes = layout.name.size - layout.name.padding;
        const size_t valueBytes = asIs ? layout.value.size - layout.value.padding : 2 * shown.size();
        const size_t need = nameBytes + valueBytes + 8;  // with ": " and CR LF
        if (need > kBufferSize / 2) {
            // Very long texts go through a field, as WriteCard writes them.
            scratchUsed = true;
            DeserializeField(field.data, field.size, key, &scratchField_);
            WriteFieldLine(scratchField_, includeValues, &anyField);
            continue;
        }
        if (kBufferSize - used_ < need) FlushBuffer();
        if (failed_ || !file_) break;
        const size_t mark = used_;
        AppendDecrypted(field.data, layout.name.offset, layout.name.size, layout.name.padding, key);
        Append(u": ");
        if (!asIs) {
            Line(shown);
            anyField = true;
            continue;
        }
        if (layout.type == FT_PASSWORD && !includeValues) {
            // Masked: only whether there is a value matters, and that is its first character.
            uint8_t first[2] = {0, 0};
            const bool some = layout.value.size - layout.value.padding >= 2 &&
                              key.Decrypt(field.data + layout.value.offset, 2, first) && (first[0] | first[1]) != 0;
            SecureZero(first, sizeof first);
            if (!some) {
                DropFrom(mark);  // no value: the field shows nothing
                continue;
            }
            Append(kMaskedValue);
            Append(u"\r\n");
            anyField = true;
            continue;
        }
        const size_t valueAt = used_;
        AppendDecrypted(field.data, layout.value.offset, layout.value.size, layout.value.padding, key);
        if (used_ == valueAt) {
            DropFrom(mark);  // no value: the field shows nothing
            continue;
        }
        Append(u"\r\n");
        anyField = true;
    }
    if (scratchUsed) {
        SecureZero(scratchText_);
        SecureZero(scratchValue_);
    }
    Line(anyField ? std::u16string_view() : std::u16string_view(noData_));
    return true;
}

}  // namespace tl5
