// Where a file may be saved: the documents folder and the same folder on the storage cards.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tl5win {

struct DocumentLocation {
    wchar_t path[260] = {};
    wchar_t volumeName[260] = {};
    bool onRemovable = false;
    bool onFixedCard = false;
    bool named = false;
    DWORD attributes = 0;
};
// Where a file may be saved: the documents folder first, then the same folder name on every other
// storage card; at most `max` records. 0 when there is no documents folder.
int DocumentLocations(HWND window, DocumentLocation* records, int max);

// Builds the records from a documents folder (with its attributes) and the storage cards found
// (names and attributes); the part of DocumentLocations that does not ask the system.
struct StorageCard {
    std::wstring name;
    DWORD attributes = 0;
};
int BuildDocumentLocations(const std::wstring& documents, DWORD documentsAttributes,
                           const std::vector<StorageCard>& cards, DocumentLocation* records, int max);

}  // namespace tl5win
