// Storage cards: the desktop's removable drives.
#include "platform/pocketpc/Shell.h"

#include <string>
#include <vector>

namespace ppc {

namespace {

struct FlashCardFind {
    std::vector<std::wstring> drives;
    size_t next = 0;
};

bool FillFlashCard(FlashCardFind* find, WIN32_FIND_DATAW* data) {
    if (find->next >= find->drives.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return false;
    }
    const std::wstring& drive = find->drives[find->next++];
    *data = WIN32_FIND_DATAW{};
    data->dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY;
    lstrcpynW(data->cFileName, drive.c_str(), MAX_PATH);
    return true;
}

}  // namespace

HANDLE FindFirstFlashCard(WIN32_FIND_DATAW* data) {
    if (!data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    auto* find = new FlashCardFind;
    wchar_t drives[512] = {};
    const DWORD n = GetLogicalDriveStringsW(511, drives);
    for (const wchar_t* d = drives; n && n < 512 && *d; d += lstrlenW(d) + 1) {
        if (GetDriveTypeW(d) == DRIVE_REMOVABLE) {
            std::wstring name(d);
            while (!name.empty() && name.back() == L'\\') name.pop_back();
            find->drives.push_back(name);
        }
    }
    if (!FillFlashCard(find, data)) {
        delete find;
        return INVALID_HANDLE_VALUE;
    }
    return reinterpret_cast<HANDLE>(find);
}

BOOL FindNextFlashCard(HANDLE find, WIN32_FIND_DATAW* data) {
    if (!find || find == INVALID_HANDLE_VALUE || !data) return FALSE;
    return FillFlashCard(reinterpret_cast<FlashCardFind*>(find), data) ? TRUE : FALSE;
}

BOOL FindCloseFlashCard(HANDLE find) {
    if (!find || find == INVALID_HANDLE_VALUE) return FALSE;
    delete reinterpret_cast<FlashCardFind*>(find);
    return TRUE;
}

}  // namespace ppc
