#include "cardui/win/Utilities.h"

#include <shlobj.h>
#include <windowsx.h>

#include "cardui/win/Strings.h"
#include "platform/PathText.h"
#include "platform/Text.h"
#include "platform/pocketpc/Shell.h"

namespace tl5 {

// ---- Files ----------------------------------------------------------------------------------------

bool FileExists(const wchar_t* path) {
    if (!path || !*path) return false;
    HANDLE f = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    CloseHandle(f);
    return true;
}

uint64_t FileSizeOf(HANDLE file) {
    if (!HandleValid(file)) return 0;
    LARGE_INTEGER size{};
    return GetFileSizeEx(file, &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
}

bool HandleValid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

namespace {

bool WriteAll(HANDLE file, const void* data, DWORD size) {
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == size;
}

bool ReadAt(HANDLE file, uint64_t offset, void* buffer, DWORD size, DWORD* got) {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN)) return false;
    return ReadFile(file, buffer, size, got, nullptr) != FALSE;
}

bool WriteAt(HANDLE file, uint64_t offset, const void* buffer, DWORD size) {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && WriteAll(file, buffer, size);
}

}  // namespace

bool WriteByteOrderMark(HANDLE file) {
    const unsigned char mark[2] = {0xFF, 0xFE};
    return HandleValid(file) && WriteAll(file, mark, 2);
}

bool WriteLine(HANDLE file, const wchar_t* text, int newlines) {
    if (!HandleValid(file)) return false;
    if (text && *text && !WriteAll(file, text, static_cast<DWORD>(lstrlenW(text) * sizeof(wchar_t)))) return false;
    for (int i = 0; i < newlines; ++i) {
        if (!WriteAll(file, L"\r\n", 2 * sizeof(wchar_t))) return false;
    }
    return true;
}

bool CutRange(HANDLE file, uint64_t offset, uint64_t length) {
    if (!HandleValid(file)) return false;
    const uint64_t size = FileSizeOf(file);
    if (offset >= size || length == 0) return offset <= size;
    if (length > size - offset) length = size - offset;
    std::vector<unsigned char> block(kCutBlock);
    uint64_t from = offset + length;
    uint64_t to = offset;
    while (from < size) {
        DWORD got = 0;
        if (!ReadAt(file, from, block.data(), kCutBlock, &got)) return false;
        if (got == 0) break;
        if (!WriteAt(file, to, block.data(), got)) return false;
        from += got;
        to += got;
    }
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(to);
    return SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

int64_t MinutesBetween(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    SYSTEMTIME x = a, y = b;
    x.wDayOfWeek = y.wDayOfWeek = 0;
    x.wSecond = y.wSecond = 0;
    x.wMilliseconds = y.wMilliseconds = 0;
    FILETIME fx{}, fy{};
    if (!SystemTimeToFileTime(&x, &fx) || !SystemTimeToFileTime(&y, &fy)) return 0;
    const int64_t ux = (static_cast<int64_t>(fx.dwHighDateTime) << 32) | fx.dwLowDateTime;
    const int64_t uy = (static_cast<int64_t>(fy.dwHighDateTime) << 32) | fy.dwLowDateTime;
    return (uy - ux) / 600000000LL;
}

// ---- Registry --------------------------------------------------------------------------------------

bool SetRegistryNumber(HKEY key, const wchar_t* name, DWORD value) {
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
           ERROR_SUCCESS;
}

bool GetRegistryNumber(HKEY key, const wchar_t* name, DWORD* value) {
    DWORD v = 0, size = sizeof(v), type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&v), &size) != ERROR_SUCCESS) return false;
    if (type != REG_DWORD || size != sizeof(v)) return false;
    if (value) *value = v;
    return true;
}

bool SetRegistryText(HKEY key, const wchar_t* name, const wchar_t* text) {
    if (!text) text = L"";
    const DWORD bytes = static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes) == ERROR_SUCCESS;
}

bool GetRegistryText(HKEY key, const wchar_t* name, std::wstring* text) {
    wchar_t buffer[257] = {};  // 512 bytes and room for a terminator the value may lack
    DWORD size = 512, type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
        return false;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    buffer[size / sizeof(wchar_t)] = L'\0';
    if (text) *text = buffer;
    return true;
}

// ---- Dialog controls -------------------------------------------------------------------------------

void SetControlsFont(HWND dialog, const int* ids, int count, HFONT font) {
    for (int i = 0; ids && i < count; ++i) {
        SendDlgItemMessageW(dialog, ids[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void SetCheck(HWND dialog, int id, bool checked) {
    SendDlgItemMessageW(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool GetCheck(HWND dialog, int id) { return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

int AddChoice(HWND dialog, int id, UINT stringId, LPARAM data) {
    const LRESULT index = SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0,
                                              reinterpret_cast<LPARAM>(LoadStringById(stringId)));
    if (index >= 0) SendDlgItemMessageW(dialog, id, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
    return static_cast<int>(index);
}

void SelectChoice(HWND dialog, int id, LPARAM data) {
    const LRESULT count = SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0);
    WPARAM chosen = 0;
    for (LRESULT i = 0; i < count && i <= 200; ++i) {
        if (SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data) {
            chosen = static_cast<WPARAM>(i);
            break;
        }
    }
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, chosen, 0);
}

LPARAM ChosenData(HWND dialog, int id, LPARAM fallback) {
    const LRESULT selected = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    if (selected < 0) return fallback;
    return SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
}

void StretchControl(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return;
    RECT client{}, r{};
    GetClientRect(dialog, &client);
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    const int width = client.right - 2 * r.left + 1;
    SetWindowPos(control, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int EditClipboardState(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const bool canPaste = IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT) ||
                          IsClipboardFormatAvailable(CF_OEMTEXT);
    int state = start != end ? (kCanCut | kCanCopy | kCanClear) : 0;
    if (canPaste) state |= kCanPaste;
    if (GetWindowTextLengthW(edit) > 0) state |= kCanSelectAll;
    return state;
}

void EditClipboardCommand(HWND edit, int bit) {
    switch (bit) {
    case kCanCut: SendMessageW(edit, WM_CUT, 0, 0); break;
    case kCanCopy: SendMessageW(edit, WM_COPY, 0, 0); break;
    case kCanPaste: SendMessageW(edit, WM_PASTE, 0, 0); break;
    case kCanClear: SendMessageW(edit, WM_CLEAR, 0, 0); break;
    case kCanSelectAll: SendMessageW(edit, EM_SETSEL, 0, -1); break;
    default: break;
    }
}

// ---- Menus -----------------------------------------------------------------------------------------

std::wstring MenuItemCaption(HMENU menu, UINT command) {
    wchar_t caption[128] = {};
    if (!menu || GetMenuStringW(menu, command, caption, 128, MF_BYCOMMAND) <= 0) return std::wstring();
    return caption;
}

void EnableMenuCommand(HMENU menu, UINT command, bool enabled) {
    if (menu) EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

// ---- Windows ---------------------------------------------------------------------------------------

namespace {

struct FirstDialog {
    DWORD thread;
    HWND found;
};

BOOL CALLBACK FindFirstDialog(HWND window, LPARAM param) {
    auto* state = reinterpret_cast<FirstDialog*>(param);
    if (GetWindowThreadProcessId(window, nullptr) != state->thread) return TRUE;
    if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_NOACTIVATE) return TRUE;
    state->found = window;
    return FALSE;
}

}  // namespace

void DismissDialogs(HWND mainWindow) {
    if (!IsWindow(mainWindow)) return;
    FirstDialog state{GetWindowThreadProcessId(mainWindow, nullptr), nullptr};
    EnumWindows(FindFirstDialog, reinterpret_cast<LPARAM>(&state));
    HWND window = state.found;
    // Each step climbs to the owner, so a chain of owned dialogs ends at the main window; the step
    // limit keeps an ownership loop from spinning.
    for (int steps = 0; window && IsWindow(window) && window != mainWindow && steps < 64; ++steps) {
        HWND owner = GetWindow(window, GW_OWNER);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        window = owner;
    }
}

// ---- Document locations ----------------------------------------------------------------------------

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
    wchar_t documents[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, documents)) ||
        !documents[0]) {
        return 0;
    }
    std::wstring folder(documents);
    while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    return BuildDocumentLocations(folder, GetFileAttributesW(folder.c_str()), cards, records, max);
}

}  // namespace tl5
