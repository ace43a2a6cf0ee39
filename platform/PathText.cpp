#include "platform/PathText.h"

namespace tl5 {

namespace {

#ifdef _WIN32
constexpr char16_t kPathSeparator = u'\\';
#else
constexpr char16_t kPathSeparator = u'/';
#endif

size_t LastSeparator(std::u16string_view path) {
    for (size_t i = path.size(); i > 0; --i) {
        if (IsPathSeparator(path[i - 1])) return i - 1;
    }
    return std::u16string_view::npos;
}

}  // namespace

bool IsPathSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

std::u16string FileNameOf(std::u16string_view path) {
    const size_t at = LastSeparator(path);
    return std::u16string(at == std::u16string_view::npos ? path : path.substr(at + 1));
}

std::u16string FileTitleOf(std::u16string_view path) {
    std::u16string name = FileNameOf(path);
    const size_t dot = name.rfind(u'.');
    if (dot != std::u16string::npos) name.resize(dot);
    return name;
}

std::u16string FolderOf(std::u16string_view path, NoFolder noFolder, FolderEnd end) {
    const size_t at = LastSeparator(path);
    if (at == std::u16string_view::npos)
        return noFolder == NoFolder::WholePath ? std::u16string(path) : std::u16string();
    return std::u16string(path.substr(0, end == FolderEnd::WithSeparator ? at + 1 : at));
}

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
    std::u16string out(folder);
    if (!out.empty() && !IsPathSeparator(out.back())) out.push_back(kPathSeparator);
    out.append(name);
    return out;
}

std::u16string CleanedFileName(std::u16string_view name) {
    std::u16string out(name);
    for (char16_t& c : out) {
        switch (c) {
        case u'\\': case u'/': case u':': case u'*': case u'?': case u'"': case u'<': case u'>': case u'|':
            c = u'_';
            break;
        default:
            break;
        }
    }
    return out;
}

}  // namespace tl5
