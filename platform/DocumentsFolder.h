// The user's documents folder, where exported and opened files go.
#pragma once

#include <string>

namespace tl5 {

// The folder's path (without a trailing separator), or an empty string when it cannot be found.
std::u16string DocumentsFolder();

// The folder's path, created when it does not exist yet; empty when it cannot be found or created.
std::u16string EnsureDocumentsFolder();

}  // namespace tl5
