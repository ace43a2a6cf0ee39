#include "cardui/PathText.h"

namespace tl5 {

void CleanFileName(std::u16string& name) {
    for (char16_t& c : name) {
        switch (c) {
        case u'\\': case u'/': case u':': case u'*': case u'?': case u'"': case u'<': case u'>': case u'|':
            c = u'_';
            break;
        default:
            break;
        }
    }
}

std::u16string FileNameOf(std::u16string_view path) {
    const size_t slash = path.rfind(u'\\');
    return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

std::u16string FileTitle(std::u16string_view path) {
    std::u16string name = FileNameOf(path);
    const size_t dot = name.rfind(u'.');
    if (dot != std::u16string::npos) name.resize(dot);
    return name;
}

std::u16string DirectoryOf(std::u16string_view path, bool keepSeparator) {
    const size_t slash = path.rfind(u'\\');
    if (slash == std::u16string_view::npos) return std::u16string(path);
    return std::u16string(path.substr(0, keepSeparator ? slash + 1 : slash));
}

bool IdentifierSet(const uint8_t* id16) {
    if (!id16) return false;
    for (int i = 0; i < 16; ++i) {
        if (id16[i] != 0) return true;
    }
    return false;
}

}  // namespace tl5
