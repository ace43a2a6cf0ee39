// Custom form definitions of legacy wallets: the text file (".tcd") in which users of the earlier
// generation defined their own card forms.
//
// The file starts at its first byte with the header text "<OstrovaWorksTessellockCustomForms.1>",
// either in single-byte characters (the whole file is then Windows-1252) or in UTF-16LE (the whole
// file is UTF-16LE, without a byte order mark). Then, per form:
//   <MyForm>
//   name
//   key              (decimal, at least 1000, at most 10 characters)
//   icon             (decimal, at most 2 characters)
//   key TLF_xxx name (one line per field, at most 50 fields)
//   <EndForm>
// Lines end with CR LF; ";" starts a comment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tl5 {

struct CustomFormFieldDef {
    int32_t key = 0;
    std::u16string name;   // at most 63 characters
    int32_t templateKind = 0;
    bool pin = false;
};

struct CustomFormDef {
    int32_t key = 0;       // at least 1000
    std::u16string name;   // at most 63 characters
    int32_t icon = 0;
    std::vector<CustomFormFieldDef> fields;  // 1 to 50
};

// Why a definition file was refused (for messages and tests).
enum CustomFormParseError : int {
    kCustomFormsOk = 0,
    kCustomFormsCannotOpen = 1,   // the file cannot be opened or read
    kCustomFormsNoHeader = 2,     // the file does not begin with the header text
    kCustomFormsBadKey = 3,       // a form key line longer than 10 characters
    kCustomFormsBadIcon = 4,      // an icon line longer than 2 characters
    kCustomFormsNoKeyword = 5,    // a field line without any TLF_ keyword
    kCustomFormsBadFieldLine = 6, // a field line with fewer than two spaces or a key over 10 characters
    kCustomFormsNoMemory = 7,
};

struct CustomFormDefinitions {
    std::vector<CustomFormDef> forms;
    int error = kCustomFormsOk;  // the reason of the last failed load
    int errorLine = 0;           // 1-based line of a grammar error, 0 otherwise

    // The form with a key, or nullptr.
    const CustomFormDef* Find(int32_t key) const;
};

// Parses the bytes of a definition file. False when the file does not parse (the whole file is
// refused; `defs.forms` is then empty and `defs.error` tells why).
bool ParseCustomFormDefinitions(const uint8_t* data, size_t size, CustomFormDefinitions& defs);

class FileSystem;
// Reads and parses one definition file; false when it cannot be opened or does not parse.
bool LoadCustomFormDefinitions(FileSystem& fs, const std::u16string& path, CustomFormDefinitions& defs);




// Longest line, in bytes, that a definition file may hold (longer lines are cut).
constexpr size_t kCustomFormLineBytes = 512;
constexpr size_t kCustomFormMaxFields = 50;
constexpr int32_t kCustomFormMinKey = 1000;
// The largest definition file read.
constexpr uint64_t kCustomFormMaxFileSize = 16u << 20;

}  // namespace tl5
