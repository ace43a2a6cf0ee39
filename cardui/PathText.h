// Small operations on path texts and identifiers shared by many screens.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tl5 {

// Replaces every \ / : * ? " < > and | by _ (in place).
void CleanFileName(std::u16string& name);

// The part after the last backslash, without its extension (from the last full stop):
// \Folder\name.tar.gz -> name.tar.
std::u16string FileTitle(std::u16string_view path);

// The path up to its last backslash, with or without that backslash; the whole path when it has none.
std::u16string DirectoryOf(std::u16string_view path, bool keepSeparator);

// The part after the last backslash (the whole path when it has none).
std::u16string FileNameOf(std::u16string_view path);

// False for a missing identifier or one of 16 zero bytes.
bool IdentifierSet(const uint8_t* id16);

}  // namespace tl5
