// The user's documents folder, where exported and opened files go.
#pragma once

#include <string>

namespace tl5 {

// The folder's path (without a trailing separator), or an empty string when it cannot be found.
// The environment variable TL5_DOCUMENTS, when set and not empty, names the folder instead (tests and
// portable installations use it to keep files away from the user's own documents).
std::u16string DocumentsFolder();

// Sets (or with an empty value removes) an environment variable of this process; false on failure.
bool SetProcessEnvironment(const char* name, const std::u16string& value);

// The folder's path, created when it does not exist yet; empty when it cannot be found or created.
std::u16string EnsureDocumentsFolder();

}  // namespace tl5
