// Tab-separated text tables: any bytes read without leaving the input; every cell of the table stays
// inside the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exchange/TextImport.h"
#include "exchange/TextTable.h"
#include "platform/MemoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tl5::TextTable table;
    const int rc = table.ReadBytes(data, size);
    // The same bytes read from a file give the same table (a file of fewer than two bytes is refused).
    tl5::MemoryFileSystem fs;
    fs.SetContents(u"/mem/t.txt", std::string(reinterpret_cast<const char*>(data), size));
    tl5::TextTable fromFile;
    const int fileRc = fromFile.Read(fs, u"/mem/t.txt");
    if (size >= 2 && (fileRc == tl5::kTextTableOk) != (rc == tl5::kTextTableOk)) std::abort();
    if (fileRc == tl5::kTextTableOk && (fromFile.Columns() != table.Columns() || fromFile.Rows() != table.Rows()))
        std::abort();
    if (rc != tl5::kTextTableOk) {
        if (table.Loaded() || table.Columns() != 0) std::abort();
        return 0;
    }
    size_t total = 0;
    const uint32_t columns = table.Columns() < 64 ? table.Columns() + 1 : 64;
    const uint32_t rows = table.Rows() < 64 ? table.Rows() + 1 : 64;
    for (uint32_t r = 0; r < rows; ++r) {
        for (uint32_t c = 0; c < columns; ++c) total += table.Cell(c, r).size();
    }
    if (total > size + 1) std::abort();
    tl5::TextImport import;
    if (import.OpenTable(std::move(table)) == tl5::kTextImportOk && import.DataRowCount() > 0) {
        if (import.Preview(1).size() > tl5::kImportPreviewMax) std::abort();
    }
    return 0;
}
