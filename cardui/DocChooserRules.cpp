#include "cardui/DocChooserRules.h"

#include <algorithm>

#include "model/CaseFold.h"

namespace tl5 {

std::u16string DocumentFilter(std::u16string_view description, std::u16string_view pattern) {
    std::u16string f(description);
    f.push_back(u'\0');
    f += pattern;
    f.push_back(u'\0');
    f.push_back(u'\0');
    return f;
}

std::vector<std::u16string> SplitPatterns(std::u16string_view pattern) {
    std::vector<std::u16string> parts;
    size_t at = 0;
    while (at <= pattern.size()) {
        size_t end = pattern.find(u';', at);
        if (end == std::u16string_view::npos) end = pattern.size();
        std::u16string_view part = pattern.substr(at, end - at);
        while (!part.empty() && part.front() == u' ') part.remove_prefix(1);
        while (!part.empty() && part.back() == u' ') part.remove_suffix(1);
        if (!part.empty()) parts.emplace_back(part);
        at = end + 1;
    }
    if (parts.empty()) parts.emplace_back(u"*.*");
    return parts;
}

bool MatchesPattern(std::u16string_view name, std::u16string_view pattern) {
    // "*.*" names every file, with or without an extension.
    if (pattern == u"*.*" || pattern == u"*") return true;
    // Iterative wildcard match with one backtracking point: linear in practice, never recursive.
    size_t n = 0, p = 0, starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

bool MatchesAnyPattern(std::u16string_view name, const std::vector<std::u16string>& patterns) {
    for (const std::u16string& p : patterns)
        if (MatchesPattern(name, p)) return true;
    return false;
}

namespace {

std::u16string LastName(const std::u16string& path) {
    const size_t at = path.find_last_of(u"\\/");
    return at == std::u16string::npos ? path : path.substr(at + 1);
}

bool SameFolder(const std::u16string& a, const std::u16string& b) { return CompareNoCase(a, b) == 0; }

}  // namespace

std::vector<std::u16string> ChooserFolders(DocumentPlaces& places) {
    std::vector<std::u16string> folders;
    const std::u16string documents = places.DocumentsFolder();
    if (!documents.empty()) folders.push_back(documents);
    const std::u16string last = documents.empty() ? std::u16string(u"My Documents") : LastName(documents);
    std::vector<StorageCard> cards = places.StorageCards();
    if (cards.size() > static_cast<size_t>(kMaxStorageCards)) cards.resize(kMaxStorageCards);
    for (const StorageCard& card : cards) {
        if (card.path.empty()) continue;
        std::u16string root = card.path;
        if (root.front() != u'\\') root.insert(root.begin(), u'\\');
        while (root.size() > 1 && root.back() == u'\\') root.pop_back();
        const std::u16string folder = root + u"\\" + last;
        bool listed = false;
        for (const std::u16string& f : folders) listed = listed || SameFolder(f, folder);
        if (!listed) folders.push_back(folder);
    }
    return folders;
}

std::vector<DocumentEntry> ListDocuments(DocumentPlaces& places, const std::vector<std::u16string>& patterns) {
    std::vector<DocumentEntry> found;
    std::vector<DocumentEntry> entries;
    std::vector<DocumentEntry> inner;
    for (const std::u16string& folder : ChooserFolders(places)) {
        entries.clear();
        if (!places.List(folder, &entries)) continue;
        for (const DocumentEntry& e : entries) {
            if (!e.folder) {
                if (MatchesAnyPattern(e.name, patterns)) found.push_back(e);
                continue;
            }
            inner.clear();
            if (!places.List(e.path, &inner)) continue;
            for (const DocumentEntry& f : inner)
                if (!f.folder && MatchesAnyPattern(f.name, patterns)) found.push_back(f);
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const DocumentEntry& a, const DocumentEntry& b) {
        const int c = CompareNoCase(a.name, b.name);
        if (c != 0) return c < 0;
        return CompareNoCase(a.path, b.path) < 0;
    });
    return found;
}

void DocChooserState::Arm(uint32_t resultMessage, std::u16string_view pattern, std::u16string_view description,
                          std::u16string_view title, uint32_t headerIcon, bool allowNone) {
    *this = DocChooserState();
    message_ = resultMessage;
    filter_ = DocumentFilter(description, pattern);
    patterns_ = SplitPatterns(pattern);
    title_ = std::u16string(title.substr(0, kDocTitleChars));
    icon_ = headerIcon;
    allowNone_ = allowNone;
    armed_ = true;
}

DocChooserState::Post DocChooserState::Finish(int code) {
    Post post;
    if (!armed_) return post;
    armed_ = false;
    post.message = message_;
    post.code = code;
    return post;
}

DocChooserState::Post DocChooserState::Done(std::u16string_view selectedPath) {
    if (!armed_) return Post();
    if (selectedPath.empty() || selectedPath.size() > kDocPathChars) {
        path_.clear();
        return Finish(kDocChooserCancelled);
    }
    path_ = std::u16string(selectedPath);
    return Finish(kDocChooserChosen);
}

DocChooserState::Post DocChooserState::Activated(std::u16string_view path) { return Done(path); }

DocChooserState::Post DocChooserState::None() {
    if (!armed_ || !allowNone_) return Post();
    path_.clear();
    return Finish(kDocChooserChosen);
}

DocChooserState::Post DocChooserState::Cancel() {
    if (!armed_) return Post();
    path_.clear();
    return Finish(kDocChooserCancelled);
}

bool DocChooserState::ChosenPath(std::u16string* path) const {
    if (path_.empty()) return false;
    if (path) *path = path_;
    return true;
}

}  // namespace tl5
