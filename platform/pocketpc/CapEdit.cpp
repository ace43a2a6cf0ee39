// The capitalising edit control (an EDIT of our own class).
#include "platform/pocketpc/Shell.h"

#include <cwctype>
#include <string>

namespace ppc {

namespace {

WNDPROC g_editProc = nullptr;
const wchar_t kCapModeProp[] = L"ppc.CapMode";
// Mode bits kept in a window property: 1 capitalising off, 2 every word.
constexpr UINT_PTR kCapOff = 1;
constexpr UINT_PTR kCapAllWords = 2;

LRESULT CALLBACK CapEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    UINT_PTR mode = reinterpret_cast<UINT_PTR>(GetPropW(edit, kCapModeProp));
    switch (message) {
    case CEM_UPCASEALLWORDS:
        mode = wParam ? (mode | kCapAllWords) : (mode & ~kCapAllWords);
        SetPropW(edit, kCapModeProp, reinterpret_cast<HANDLE>(mode));
        return TRUE;
    case CEM_ENABLEUPCASE:
        mode = wParam ? (mode & ~kCapOff) : (mode | kCapOff);
        SetPropW(edit, kCapModeProp, reinterpret_cast<HANDLE>(mode));
        return TRUE;
    case WM_CHAR:
        if (!(mode & kCapOff) && IsCharLowerW(static_cast<wchar_t>(wParam))) {
            DWORD start = 0;
            SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
            const int length = GetWindowTextLengthW(edit);
            std::wstring text(static_cast<size_t>(length) + 1, L'\0');
            GetWindowTextW(edit, text.data(), length + 1);
            text.resize(static_cast<size_t>(length));
            bool capital;
            if (mode & kCapAllWords) {
                capital = start == 0 || start > text.size() || iswspace(text[start - 1]);
            } else {
                capital = true;
                for (DWORD i = 0; i < start && i < text.size(); ++i) {
                    if (!iswspace(text[i])) {
                        capital = false;
                        break;
                    }
                }
            }
            if (capital) wParam = reinterpret_cast<WPARAM>(CharUpperW(reinterpret_cast<LPWSTR>(wParam)));
        }
        break;
    case WM_NCDESTROY:
        RemovePropW(edit, kCapModeProp);
        break;
    default:
        break;
    }
    return CallWindowProcW(g_editProc, edit, message, wParam, lParam);
}

}  // namespace

BOOL SHInitExtraControls() {
    WNDCLASSW existing{};
    if (GetClassInfoW(GetModuleHandleW(nullptr), WC_CAPEDIT, &existing)) return TRUE;
    WNDCLASSW edit{};
    if (!GetClassInfoW(nullptr, L"EDIT", &edit)) return FALSE;
    g_editProc = edit.lpfnWndProc;
    edit.lpfnWndProc = CapEditProc;
    edit.hInstance = GetModuleHandleW(nullptr);
    edit.lpszClassName = WC_CAPEDIT;
    // Process-wide, like the system's own controls: dialog templates of any module may name it.
    edit.style |= CS_GLOBALCLASS;
    return RegisterClassW(&edit) != 0 ? TRUE : FALSE;
}

}  // namespace ppc
