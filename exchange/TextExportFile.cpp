#include "exchange/TextExportFile.h"

#include <bit>
#include <new>

#include "exchange/ExchangeNames.h"
#include "model/Field.h"
#include "platform/SecureZero.h"

namespace tl5 {

namespace {

// The output buffer's fixed capacity (bytes, even).
constexpr size_t kBufferSize = 64 * 1024;

}  // namespace

TextExportFile::~TextExportFile() {
    SecureZero(buffer_);
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
        buffer_.reserve(kBufferSize);
    } catch (const std::bad_alloc&) {
        file_.reset();
        fs_.Remove(path);
        failed_ = true;
        return false;
    }
    buffer_.assign("\xFF\xFE", 2);
    rule_ = ExchangeString(kStrBlockRule);
    noData_ = ExchangeString(kStrNoData);
    attachmentFormat_ = ExchangeString(kStrAttachmentLine);
    return true;
}

void TextExportFile::Append(std::u16string_view text) {
    // The buffer keeps the capacity reserved by Create, so the plain text in it is never left behind
    // in a block given back by a reallocation: long texts go out in buffer-sized parts.
    while (!failed_ && file_ && !text.empty()) {
        const size_t room = (kBufferSize - buffer_.size()) / 2;
        const size_t take = text.size() < room ? text.size() : room;
        if constexpr (std::endian::native == std::endian::little) {
            buffer_.append(reinterpret_cast<const char*>(text.data()), 2 * take);
        } else {
            for (size_t i = 0; i < take; ++i) {
                buffer_.push_back(static_cast<char>(text[i] & 0xFF));
                buffer_.push_back(static_cast<char>(text[i] >> 8));
            }
        }
        text.remove_prefix(take);
        if (buffer_.size() + 2 > kBufferSize) FlushBuffer();
    }
}

void TextExportFile::FlushBuffer() {
    if (failed_ || !file_ || buffer_.empty()) return;
    size_t put = 0;
    if (!file_->Write(buffer_.data(), buffer_.size(), &put) || put != buffer_.size()) failed_ = true;
    SecureZero(buffer_.data(), buffer_.size());
    buffer_.clear();
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

void TextExportFile::WriteStart(std::u16string_view walletName, std::u16string_view walletPath, const SystemTime& now) {
    Line(ExchangeString(kStrExportTitle));
    Line(FormatText(ExchangeString(kStrExportWallet), {walletName}));
    Line(FormatText(ExchangeString(kStrExportFile), {walletPath}));
    // Date and time without seconds, separated by two spaces.
    Line(FormatText(ExchangeString(kStrExportDate), {FormatFieldDateTime(now, FT_DATETIME)}), 3);
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
    std::u16string scratch;
    for (const Field& field : card.Fields()) {
        const std::u16string_view shown = field.DisplayText(&scratch);
        if (shown.empty()) continue;
        Append(field.Name());
        Append(u": ");
        if (field.Type() == FT_PASSWORD && !options.includeValues) {
            Line(kMaskedValue);
        } else {
            Line(shown);
        }
        anyField = true;
    }
    SecureZero(scratch);
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

}  // namespace tl5
