// A tab-separated text file read into memory: one UTF-16 text and a table of cells addressed by
// column and row. Knows nothing of cards; the text import builds cards from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tl5 {

class FileSystem;

// Result codes of TextTable::Read.
enum TextTableResult : int {
    kTextTableOk = 0,
    kTextTableCannotOpen = 1,     // the file cannot be opened or is empty
    kTextTableNoText = 2,         // no text before the first NUL
    kTextTableSingleByteRead = 3, // reading the file as single-byte text failed
    kTextTableNoMemory = 4,       // out of memory
    kTextTableFirstBytes = 10,    // the first two bytes cannot be read
    kTextTableUtf16Read = 11,     // reading the rest as UTF-16 failed
};

class TextTable {
public:
    // The largest file read (bigger ones give kTextTableNoMemory).
    static constexpr uint64_t kMaxFileSize = 64u << 20;

    // Reads a file: UTF-16LE when it starts with the byte order mark FF FE, otherwise single-byte
    // text in the device code page (Windows-1252). Every error leaves the table cleared.
    int Read(FileSystem& fs, const std::u16string& path);
    // Reads the bytes of a whole file: UTF-16LE when it starts with the byte order mark FF FE,
    // otherwise single-byte text in the device code page (Windows-1252). Every error leaves the
    // table cleared.
    int ReadBytes(const uint8_t* data, size_t size);
    // Parses a text that is already UTF-16 (what Read does after decoding).
    int ParseText(std::u16string text);

    bool Loaded() const { return loaded_; }
    // Tabs before the first CR, plus one; 0 unless loaded.
    uint32_t Columns() const { return loaded_ ? columns_ : 0; }
    // CR characters in the text, plus one; 0 unless loaded.
    uint32_t Rows() const { return loaded_ ? rows_ : 0; }
    // The cell text without the quotation marks that enclose it; empty when not loaded or out of
    // range. The view stays valid until the table is cleared or read again.
    std::u16string_view Cell(uint32_t column, uint32_t row) const;
    // True when some row had fewer or more cells than the first row (its cells shifted).
    bool Ragged() const { return loaded_ && ragged_; }

    void Clear();

private:
    struct Span {
        uint32_t start;
        uint32_t length;
    };
    bool loaded_ = false;
    bool ragged_ = false;
    std::u16string text_;
    uint32_t columns_ = 0;
    uint32_t rows_ = 0;
    // Cells in reading order; only the cells the text holds are kept (never more than the table
    // has), so a file of many tabs and many lines cannot ask for columns x rows entries.
    std::vector<Span> cells_;
};

}  // namespace tl5
