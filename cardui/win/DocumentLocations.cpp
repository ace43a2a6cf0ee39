#include "cardui/win/DocumentLocations.h"

#include "platform/DocumentsFolder.h"
#include "platform/Text.h"

#include <shlobj.h>

#include "platform/PathText.h"
#include "platform/Text.h"
#include "platform/pocketpc/Shell.h"

namespace tl5win {

// Built over the portable core: its names are used here as they stand.
using namespace tl5;

namespace {

// "E:" and "E:\" name a drive: on a desktop they play the storage card names, which need no
// leading backslash.
bool IsDriveName(const std::wstring& name) { return name.size() >= 2 && name[1] == L':'; }

std::wstring WithoutLeadingBackslash(const std::wstring& name) {
    return !name.empty() && name[0] == L'\\' ? name.substr(1) : name;
}

}  // namespace

int BuildDocumentLocations(const std::wstring& documents, DWORD documentsAttributes,
                           const std::vector<StorageCard>& foundCards, DocumentLocation* records, int max) {
    if (documents.empty() || !records || max <= 0) return 0;
    std::vector<StorageCard> cards;
    for (const StorageCard& c : foundCards) {
        if (cards.size() >= 5) break;
        StorageCard card = c;
        while (card.name.size() > 1 && card.name.back() == L'\\') card.name.pop_back();
        if (!IsDriveName(card.name) && (card.name.empty() || card.name[0] != L'\\')) card.name = L"\\" + card.name;
        cards.push_back(card);
    }
    int count = 0;
    size_t skipCard = cards.size();
    if (documentsAttributes != INVALID_FILE_ATTRIBUTES && (documentsAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DocumentLocation& first = records[count++];
        first = DocumentLocation{};
        lstrcpynW(first.path, documents.c_str(), 260);
        first.attributes = documentsAttributes;
        const std::wstring parent = ToWide(FolderOf(FromWide(documents), NoFolder::WholePath));
        if (documentsAttributes & FILE_ATTRIBUTE_TEMPORARY) {
            first.onRemovable = true;
            first.named = true;
            lstrcpynW(first.volumeName, parent.c_str(), 260);
        } else {
            for (size_t i = 0; i < cards.size(); ++i) {
                if (lstrcmpiW(cards[i].name.c_str(), parent.c_str()) == 0) {
                    first.onFixedCard = true;
                    first.named = true;
                    lstrcpynW(first.volumeName, WithoutLeadingBackslash(cards[i].name).c_str(), 260);
                    skipCard = i;
                    break;
                }
            }
        }
    }
    const std::wstring folderName = ToWide(FileNameOf(FromWide(documents)));
    for (size_t i = 0; i < cards.size() && count < max; ++i) {
        if (i == skipCard) continue;
        DocumentLocation& r = records[count++];
        r = DocumentLocation{};
        const std::wstring path = cards[i].name + L"\\" + folderName;
        lstrcpynW(r.path, path.c_str(), 260);
        r.named = true;
        r.attributes = cards[i].attributes;
        if (cards[i].attributes & FILE_ATTRIBUTE_TEMPORARY) {
            r.onRemovable = true;
        } else {
            r.onFixedCard = true;
        }
        lstrcpynW(r.volumeName, WithoutLeadingBackslash(cards[i].name).c_str(), 260);
    }
    return count;
}

int DocumentLocations(HWND, DocumentLocation* records, int max) {
    std::vector<StorageCard> cards;
    WIN32_FIND_DATAW data{};
    HANDLE find = ppc::FindFirstFlashCard(&data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            cards.push_back({data.cFileName, data.dwFileAttributes});
        } while (cards.size() < 5 && ppc::FindNextFlashCard(find, &data));
        ppc::FindCloseFlashCard(find);
    }
    // The documents folder the rest of the program uses (TL5_DOCUMENTS when set), made when missing.
    std::wstring folder = tl5::ToWide(tl5::EnsureDocumentsFolder());
    if (folder.empty()) return 0;
    while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    return BuildDocumentLocations(folder, GetFileAttributesW(folder.c_str()), cards, records, max);
}

}  // namespace tl5win
