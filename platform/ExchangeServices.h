// Operating system services that exports, imports and the legacy conversion need: making folders,
// the program's own folder, and where the earlier product generation registered its files.
#pragma once

#include <string>

namespace tl5 {

// Creates the folder (and any missing parents); true when it exists afterwards as a folder.
bool EnsureFolder(const std::u16string& path);

// The folder of the running program, with its trailing separator; empty when unknown.
std::u16string ProgramFolder();

// The folder of the icon path that the earlier product generation registered for its files (the
// default value of "ostrovtessellockfile\DefaultIcon" under the classes root, at most 256
// characters, cut after its last backslash). Empty when there is no such value or it holds no
// backslash, and always on systems without that registry.
std::u16string LegacyRegisteredFolder();

}  // namespace tl5
