#include "platform/pocketpc/DocList.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

#include "platform/DocumentsFolder.h"
#include "platform/Text.h"
#include "platform/pocketpc/DeviceScreen.h"
#include "platform/pocketpc/Shell.h"

namespace ppc {

namespace {

const wchar_t kDocListClass[] = L"ppc.DocList";
constexpr int kListId = 100;

struct Document {
    std::wstring path;
    std::wstring name;  // without extension
    std::wstring folder;
    FILETIME written{};
    ULONGLONG size = 0;
};

struct DocListData {
    HWND list = nullptr;
    std::wstring folder;
    std::vector<std::wstring> patterns;
    std::vector<Document> documents;
    WORD id = 0;
};

DocListData* Data(HWND window) { return reinterpret_cast<DocListData*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

int ScaledPx(int n) { return DeviceDpi() >= 192 ? 2 * n : n; }

std::wstring Lower(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

// The patterns of the chosen filter pair.
std::vector<std::wstring> FilterPatterns(LPCWSTR filter, WORD index) {
    std::vector<std::wstring> patterns;
    if (!filter) return patterns;
    const wchar_t* p = filter;
    for (WORD i = 0; *p; ++i) {
        const wchar_t* description = p;
        p += wcslen(description) + 1;
        if (!*p) break;
        const wchar_t* spec = p;
        p += wcslen(spec) + 1;
        if (i != index) continue;
        std::wstring all(spec);
        size_t start = 0;
        while (start <= all.size()) {
            size_t end = all.find(L';', start);
            if (end == std::wstring::npos) end = all.size();
            if (end > start) patterns.push_back(all.substr(start, end - start));
            start = end + 1;
        }
    }
    return patterns;
}

void AddFolder(DocListData& d, const std::wstring& folder, int depth) {
    for (const std::wstring& pattern : d.patterns) {
        WIN32_FIND_DATAW found{};
        HANDLE find = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) continue;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            // "*.tl5" must not pick up "x.tl5bak" through the short-name match.
            const std::wstring name(found.cFileName);
            const std::wstring ext = pattern.size() > 1 ? Lower(pattern.substr(1)) : L"";
            // A wildcard extension ("*.*") names every file: it is no extension to compare.
            if (pattern.rfind(L"*.", 0) == 0 && ext.find_first_of(L"*?", 1) == std::wstring::npos &&
                (name.size() < ext.size() || Lower(name.substr(name.size() - ext.size())) != ext))
                continue;
            Document doc;
            doc.path = folder + L"\\" + name;
            const size_t dot = name.rfind(L'.');
            doc.name = dot == std::wstring::npos ? name : name.substr(0, dot);
            doc.folder = folder;
            doc.written = found.ftLastWriteTime;
            doc.size = (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            d.documents.push_back(doc);
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    if (depth == 0) return;
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (!wcscmp(found.cFileName, L".") || !wcscmp(found.cFileName, L"..")) continue;
        AddFolder(d, folder + L"\\" + found.cFileName, depth - 1);
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

std::wstring DateText(const FILETIME& written) {
    FILETIME local{};
    SYSTEMTIME st{};
    if (!FileTimeToLocalFileTime(&written, &local) || !FileTimeToSystemTime(&local, &st)) return L"";
    wchar_t text[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text, 64);
    return text;
}

std::wstring SizeText(ULONGLONG size) {
    wchar_t text[32] = {};
    if (size < 1024)
        swprintf(text, 32, L"%lluB", size);
    else
        swprintf(text, 32, L"%lluK", (size + 1023) / 1024);
    return text;
}

void SizeColumns(DocListData* d, int width) {
    const int date = ScaledPx(62);
    const int size = ScaledPx(38);
    // Room for the scroll bar only while there is one.
    const int scroll = (GetWindowLongPtrW(d->list, GWL_STYLE) & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    ListView_SetColumnWidth(d->list, 0, std::max(ScaledPx(40), width - date - size - scroll));
    ListView_SetColumnWidth(d->list, 1, date);
    ListView_SetColumnWidth(d->list, 2, size);
}

int Refresh(HWND window) {
    DocListData* d = Data(window);
    if (!d) return 0;
    d->documents.clear();
    if (!d->folder.empty()) AddFolder(*d, d->folder, 1);
    WIN32_FIND_DATAW card{};
    HANDLE cards = FindFirstFlashCard(&card);
    if (cards != INVALID_HANDLE_VALUE) {
        do {
            std::wstring root(card.cFileName);
            while (!root.empty() && root.back() == L'\\') root.pop_back();
            AddFolder(*d, root, 1);
        } while (FindNextFlashCard(cards, &card));
        FindCloseFlashCard(cards);
    }
    std::stable_sort(d->documents.begin(), d->documents.end(), [](const Document& a, const Document& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.name.c_str(), -1, b.name.c_str(), -1) ==
               CSTR_LESS_THAN;
    });
    SendMessageW(d->list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(d->list);
    for (size_t i = 0; i < d->documents.size(); ++i) {
        const Document& doc = d->documents[i];
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(doc.name.c_str());
        item.lParam = static_cast<LPARAM>(i);
        ListView_InsertItem(d->list, &item);
        std::wstring date = DateText(doc.written);
        std::wstring size = SizeText(doc.size);
        ListView_SetItemText(d->list, static_cast<int>(i), 1, date.data());
        ListView_SetItemText(d->list, static_cast<int>(i), 2, size.data());
    }
    SendMessageW(d->list, WM_SETREDRAW, TRUE, 0);
    RECT client{};
    GetClientRect(window, &client);
    SizeColumns(d, client.right);
    InvalidateRect(d->list, nullptr, TRUE);
    return static_cast<int>(d->documents.size());
}

int SelectedIndex(DocListData* d) { return d ? ListView_GetNextItem(d->list, -1, LVNI_SELECTED) : -1; }

void NotifyParent(HWND window, UINT code, int index) {
    DocListData* d = Data(window);
    if (!d) return;
    DLNHDR note{};
    note.nmhdr.hwndFrom = window;
    note.nmhdr.idFrom = d->id;
    note.nmhdr.code = code;
    note.iItem = index;
    if (index >= 0 && static_cast<size_t>(index) < d->documents.size())
        wcsncpy_s(note.pszPath, d->documents[static_cast<size_t>(index)].path.c_str(), _TRUNCATE);
    SendMessageW(GetParent(window), WM_NOTIFY, d->id, reinterpret_cast<LPARAM>(&note));
}


LRESULT CALLBACK DocListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DocListData* d = Data(window);
    switch (message) {
    case WM_SIZE:
        if (d) {
            MoveWindow(d->list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            SizeColumns(d, LOWORD(lParam));
        }
        return 0;
    case WM_SETFOCUS:
        if (d) SetFocus(d->list);
        return 0;
    case WM_SETFONT:
        if (d) SendMessageW(d->list, WM_SETFONT, wParam, lParam);
        return 0;
    case DLM_REFRESH: {
        const int n = Refresh(window);
        NotifyParent(window, DLN_LAYOUTCHANGED, -1);
        return n;
    }
    case DLM_SETSELECT: {
        if (!d || static_cast<size_t>(wParam) >= d->documents.size()) return FALSE;
        const int index = static_cast<int>(wParam);
        ListView_SetItemState(d->list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(d->list, index, FALSE);
        return TRUE;
    }
    case DLM_GETSELPATHNAME: {
        auto* buffer = reinterpret_cast<wchar_t*>(lParam);
        const size_t size = static_cast<size_t>(wParam);
        if (!buffer || size == 0) return 0;
        buffer[0] = 0;
        const int index = SelectedIndex(d);
        if (index < 0 || static_cast<size_t>(index) >= d->documents.size()) return 0;
        const std::wstring& path = d->documents[static_cast<size_t>(index)].path;
        if (path.size() >= size) return 0;
        wcscpy_s(buffer, size, path.c_str());
        return static_cast<LRESULT>(path.size());
    }
    case DLM_GETITEMCOUNT:
        return d ? static_cast<LRESULT>(d->documents.size()) : 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (!d || header->hwndFrom != d->list) break;
        if (header->code == NM_CLICK) {
            // One tap opens a document, as on the handheld.
            const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
            if (item->iItem >= 0) NotifyParent(window, DLN_ITEMACTIVATED, item->iItem);
        } else if (header->code == LVN_KEYDOWN) {
            const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(lParam);
            if (key->wVKey == VK_RETURN && SelectedIndex(d) >= 0)
                NotifyParent(window, DLN_ITEMACTIVATED, SelectedIndex(d));
        }
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_NCDESTROY:
        delete d;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterDocListClass() {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSW wc{};
    wc.lpfnWndProc = DocListProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kDocListClass;
    registered = RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

}  // namespace

bool DocListDocumentsFolder(wchar_t* folder, int size) {
    if (!folder || size <= 0) return false;
    folder[0] = 0;
    std::wstring path = tl5::ToWide(tl5::DocumentsFolder());
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    if (path.empty() || path.size() >= static_cast<size_t>(size)) return false;
    wcscpy_s(folder, static_cast<size_t>(size), path.c_str());
    return true;
}

HWND DocList_Create(DOCLISTCREATE* create) {
    if (!create || !IsWindow(create->hwndParent) || !RegisterDocListClass()) return nullptr;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    auto* d = new (std::nothrow) DocListData;
    if (!d) return nullptr;
    d->id = create->wId;
    d->patterns = FilterPatterns(create->pstrFilter, create->wFilterIndex);
    wchar_t folder[MAX_PATH] = {};
    if (create->pszFolder && *create->pszFolder)
        d->folder = create->pszFolder;
    else if (DocListDocumentsFolder(folder, MAX_PATH))
        d->folder = folder;
    RECT client{};
    GetClientRect(create->hwndParent, &client);
    HWND window = CreateWindowExW(0, kDocListClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN, 0, 0,
                                  client.right, client.bottom, create->hwndParent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(create->wId)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) {
        delete d;
        return nullptr;
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(d));
    d->list = CreateWindowExW(0, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                  LVS_NOSORTHEADER,
                              0, 0, client.right, client.bottom, window,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), GetModuleHandleW(nullptr),
                              nullptr);
    if (!d->list) {
        DestroyWindow(window);
        return nullptr;
    }
    ListView_SetExtendedListViewStyle(d->list, LVS_EX_FULLROWSELECT);
    const wchar_t* titles[] = {L"Name", L"Date", L"Size"};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = i == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = ScaledPx(60);
        column.pszText = const_cast<wchar_t*>(titles[i]);
        ListView_InsertColumn(d->list, i, &column);
    }
    SizeColumns(d, client.right);
    return window;
}

HWND CreateDocumentList(HWND parent, const wchar_t* filter, int id) {
    DOCLISTCREATE create{};
    create.dwStructSize = 24;
    create.hwndParent = parent;
    create.pszFolder = nullptr;
    create.pstrFilter = filter;
    create.wFilterIndex = 0;
    create.wId = static_cast<WORD>(id);
    create.dwFlags = 0;
    HWND list = DocList_Create(&create);
    if (list) {
        SendMessageW(list, DLM_REFRESH, 0, 0);
        SendMessageW(list, DLM_SETSELECT, 0, 0);
    }
    return list;
}

}  // namespace ppc
