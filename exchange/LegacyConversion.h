// Conversion of a legacy wallet (".wal") into a new wallet (".tl5") beside it, with its folders,
// cards, values, notes, images, sounds, bold flags and colours, and the custom form definitions its
// cards may use.
#pragma once

#include <string>

#include "exchange/FormDefinitions.h"

namespace tl5 {

class FileSystem;

enum LegacyConversionResult : int {
    kConvertOk = 0,
    kConvertMissingArgument = 1,  // a path or the password is missing
    kConvertWrongPassword = 2,
    kConvertCannotOpen = 3,       // the legacy file cannot be opened
    kConvertNotLegacy = 4,        // too short, wrong identification text or marks, or records cut off
    kConvertNoMemory = 6,
    kConvertExists = 7,           // a file with the new name exists already
    kConvertCannotCreate = 8,     // the new wallet cannot be created, opened or completely written
    kConvertNoFolders = 9,        // the legacy file holds no folder record (the new, empty wallet stays)
    kConvertNoDefinitions = 10,   // custom forms are in use and no readable definition file was found
};

// A short English meaning of a result code (for tl5).
const char* LegacyConversionResultText(int code);

// String identifier of the name of the notes field.
constexpr uint32_t kStrNotesFieldName = 30003;

// The path of the new wallet: the legacy path with the extension of its file name replaced by
// ".tl5" (".tl5" appended when the file name has none).
std::u16string LegacyConvertedPath(const std::u16string& legacyPath);
// The name the new wallet is built under until it is complete: the new path ending in "~" in place
// of its last character ("home.tl~").
std::u16string LegacyConversionTempPath(const std::u16string& newPath);

// Where the definition file is looked for, in order: the given path when there is one (and then
// only there); else the program's folder, then the folder the earlier generation registered.
bool FindCustomFormDefinitions(FileSystem& fs, const std::u16string& fileName, const std::u16string& givenPath,
                               CustomFormDefinitions& defs);

// Converts. `newPath` receives the new wallet's path as soon as it is known (also on later failures).
// The legacy file is only read. The new wallet appears under its name only when it is complete (for
// a legacy file without folders: empty); a conversion that fails or is killed leaves none there.
int ConvertLegacyWallet(FileSystem& fs, const std::u16string& legacyPath, const std::u16string& password,
                        std::u16string* newPath, const std::u16string& definitionsPath = std::u16string());

}  // namespace tl5
