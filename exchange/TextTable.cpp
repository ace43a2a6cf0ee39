#include "exchange/TextTable.h"

#include <algorithm>
#include <memory>
#include <new>

#include "platform/CodePage.h"
#include "platform/File.h"

namespace tl5 {

void TextTable::Clear() {
    loaded_ = false;
    ragged_ = false;
    text_.clear();
    text_.shrink_to_fit();
    cells_.clear();
    cells_.shrink_to_fit();
    columns_ = 0;
    rows_ = 0;
}

int TextTable::Read(FileSystem& fs, const std::u16string& path) {
    Clear();
    std::unique_ptr<File> file;
    if (fs.Open(path, FileMode::OpenReadOnly, FileShare::Read, &file) != kFileOk) return kTextTableCannotOpen;
    uint64_t size = 0;
    if (!file->GetSize(&size) || size == 0) return kTextTableCannotOpen;
    if (size > kMaxFileSize) return kTextTableNoMemory;
    uint8_t first[2] = {};
    size_t got = 0;
    if (!file->ReadAt(0, first, 2, &got) || got != 2) return kTextTableFirstBytes;
    const bool wide = first[0] == 0xFF && first[1] == 0xFE;
    std::string bytes;
    try {
        bytes.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return kTextTableNoMemory;
    }
    if (!file->ReadAt(0, bytes.data(), bytes.size(), &got) || got != bytes.size()) {
        return wide ? kTextTableUtf16Read : kTextTableSingleByteRead;
    }
    return ReadBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

int TextTable::ReadBytes(const uint8_t* data, size_t size) {
    Clear();
    if (data == nullptr || size == 0) return kTextTableCannotOpen;
    if (size < 2) return kTextTableFirstBytes;
    try {
        std::u16string text;
        if (data[0] == 0xFF && data[1] == 0xFE) {
            // UTF-16LE after the mark; an odd last byte stands alone with a zero high byte.
            const size_t rest = size - 2;
            text.resize((rest + 1) / 2);
            for (size_t i = 0; i < text.size(); ++i) {
                const size_t at = 2 + 2 * i;
                const uint8_t lo = data[at];
                const uint8_t hi = at + 1 < size ? data[at + 1] : 0;
                text[i] = static_cast<char16_t>(lo | (hi << 8));
            }
        } else {
            text = CodePage1252ToUtf16(data, size);
        }
        return ParseText(std::move(text));
    } catch (const std::bad_alloc&) {
        Clear();
        return kTextTableNoMemory;
    }
}

int TextTable::ParseText(std::u16string text) {
    Clear();
    try {
        // The text ends at its first NUL.
        const size_t nul = text.find(u'\0');
        if (nul != std::u16string::npos) text.resize(nul);
        if (text.empty()) return kTextTableNoText;
        if (text.size() >= UINT32_MAX) return kTextTableNoMemory;
        text_ = std::move(text);
        const uint32_t len = static_cast<uint32_t>(text_.size());

        uint32_t tabsBeforeCr = 0;
        uint32_t crs = 0;
        for (uint32_t k = 0; k < len; ++k) {
            if (text_[k] == u'\r') {
                ++crs;
            } else if (text_[k] == u'\t' && crs == 0) {
                ++tabsBeforeCr;
            }
        }
        columns_ = tabsBeforeCr + 1;
        rows_ = crs + 1;
        const uint64_t capacity = static_cast<uint64_t>(columns_) * rows_;
        // At most one cell per separator plus one: never more entries than the text has characters.
        cells_.reserve(static_cast<size_t>(std::min<uint64_t>(capacity, static_cast<uint64_t>(len) + 1)));

        auto emit = [&](uint32_t start, uint32_t length) {
            if (cells_.size() < capacity) cells_.push_back({start, length});
        };
        uint32_t c = 0;
        uint32_t tabsInRow = 0;
        uint32_t row = 0;
        auto endRow = [&](bool last, uint32_t rowLength) {
            // The empty row after a final line break does not count as a short row.
            if (!(last && rowLength == 0) && tabsInRow + 1 != columns_) ragged_ = true;
            tabsInRow = 0;
            ++row;
        };
        uint32_t rowStart = 0;
        for (uint32_t k = 0; k < len; ++k) {
            const char16_t ch = text_[k];
            if (ch == u'\t') {
                emit(c, k - c);
                c = k + 1;
                ++tabsInRow;
            } else if (ch == u'\r') {
                emit(c, k - c);
                endRow(false, k - rowStart);
                // The LF of a CR LF pair is never part of a cell; a lone CR keeps what follows it.
                c = (k + 1 < len && text_[k + 1] == u'\n') ? k + 2 : k + 1;
                rowStart = c;
            } else if (k == len - 1) {
                emit(c, len - c);
            }
        }
        endRow(true, len > rowStart ? len - rowStart : 0);
        loaded_ = true;
        return kTextTableOk;
    } catch (const std::bad_alloc&) {
        Clear();
        return kTextTableNoMemory;
    }
}

std::u16string_view TextTable::Cell(uint32_t column, uint32_t row) const {
    if (!loaded_ || column >= columns_ || row >= rows_) return {};
    const uint64_t index = static_cast<uint64_t>(column) + static_cast<uint64_t>(row) * columns_;
    if (index >= cells_.size()) return {};
    const Span& s = cells_[static_cast<size_t>(index)];
    std::u16string_view cell(text_.data() + s.start, s.length);
    if (!cell.empty()) {
        if (cell.back() == u'"') cell.remove_suffix(1);
        if (!cell.empty() && cell.front() == u'"') cell.remove_prefix(1);
    }
    return cell;
}

}  // namespace tl5
