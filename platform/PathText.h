// Names and folders of path texts, on every platform. Both the backslash and the slash separate
// the parts of a path, whichever system the path came from.
#pragma once

#include <string>
#include <string_view>

namespace tl5 {

// True for a backslash and for a slash.
bool IsPathSeparator(char16_t c);

// The part of a path after its last separator (the whole path when it has none):
// \My Documents\Personal.tl5 -> Personal.tl5.
std::u16string FileNameOf(std::u16string_view path);

// The file name without its extension (from its last full stop): \Folder\name.tar.gz -> name.tar.
// This is the name a wallet is shown with.
std::u16string FileTitleOf(std::u16string_view path);

// What FolderOf gives for a path that has no separator.
enum class NoFolder {
    Empty,      // an empty text (the path names a file in no folder)
    WholePath,  // the path itself (the path is taken as a folder or a volume of its own)
};

// Whether FolderOf keeps the separator that ends the folder.
enum class FolderEnd {
    WithoutSeparator,  // \My Documents\Personal.tl5 -> \My Documents
    WithSeparator,     // \My Documents\Personal.tl5 -> \My Documents\ (ready for a name)
};

// The text before a path's last separator.
std::u16string FolderOf(std::u16string_view path, NoFolder noFolder = NoFolder::Empty,
                        FolderEnd end = FolderEnd::WithoutSeparator);

// Folder and name joined with the system's separator (none added when the folder is empty or
// already ends with a separator).
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name);

// The name with each of \ / : * ? " < > | replaced by an underscore, fit to be a file name.
std::u16string CleanedFileName(std::u16string_view name);

}  // namespace tl5
