// The document list: a control that lists the documents of given types found in the user's
// documents folder (and its folders one level down) and on storage cards, newest name order, and
// tells its parent when one is tapped.
#pragma once

#include <windows.h>

namespace ppc {

struct DOCLISTCREATE {
    DWORD dwStructSize;
    HWND hwndParent;
    LPCWSTR pszFolder;    // null: the documents folder
    LPCWSTR pstrFilter;   // "Description\0*.a;*.b\0...\0\0"
    WORD wFilterIndex;    // the filter pair in use, 0 the first
    WORD wId;             // control id
    DWORD dwFlags;
};

// Messages of the control.
constexpr UINT DLM_SETSELECT = 0x0658;       // wParam: the item to select (0 the first); answers TRUE when selected
constexpr UINT DLM_REFRESH = 0x065C;         // reads the folders again; answers the number of documents
constexpr UINT DLM_GETSELPATHNAME = 0x065E;  // wParam: buffer size in characters, lParam: buffer; answers the length
                                             // copied (0 and an empty buffer when nothing is selected)
constexpr UINT DLM_GETITEMCOUNT = 0x0660;    // answers the number of documents listed

// Notifications to the parent (WM_NOTIFY with a DLNHDR).
constexpr UINT DLN_ITEMACTIVATED = 11000;    // a document was tapped (or Return pressed on it)
constexpr UINT DLN_LAYOUTCHANGED = 11015;    // the control wants its parent to lay it out again

struct DLNHDR {
    NMHDR nmhdr;
    WCHAR pszPath[MAX_PATH];
    int iItem;
};

// Creates the control as a child of the parent; null on failure.
HWND DocList_Create(DOCLISTCREATE* create);

// A document list filling `parent` as the wallet list and the document chooser show it: made with the
// filter ("description\0pattern\0\0") and control id, listed at once, its first document selected.
HWND CreateDocumentList(HWND parent, const wchar_t* filter, int id);

// The folder the list reads by default: the platform's documents folder (which tests move with the
// environment variable TL5_DOCUMENTS), without a trailing separator.
bool DocListDocumentsFolder(wchar_t* folder, int size);

}  // namespace ppc
