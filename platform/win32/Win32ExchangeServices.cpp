#include <windows.h>

#include <string>

#include "platform/ExchangeServices.h"
#include "platform/Text.h"

namespace tl5 {

namespace {

bool IsFolder(const std::wstring& p) {
    const DWORD a = GetFileAttributesW(p.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool EnsureFolder(const std::u16string& path) {
    if (path.empty()) return false;
    std::wstring p = ToWide(path);
    while (p.size() > 3 && (p.back() == L'\\' || p.back() == L'/')) p.pop_back();
    if (IsFolder(p)) return true;
    for (size_t at = p.find_first_of(L"\\/", 1); at != std::wstring::npos; at = p.find_first_of(L"\\/", at + 1)) {
        const std::wstring parent = p.substr(0, at);
        if (parent.size() <= 2 && parent.back() == L':') continue;  // a drive
        if (!IsFolder(parent) && !CreateDirectoryW(parent.c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
    if (!CreateDirectoryW(p.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    return IsFolder(p);
}

std::u16string ProgramFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return std::u16string();
    std::wstring p(buffer, n);
    const size_t slash = p.rfind(L'\\');
    if (slash == std::wstring::npos) return std::u16string();
    return FromWide(p.substr(0, slash + 1));
}

std::u16string LegacyRegisteredFolder() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"ostrovtessellockfile\\DefaultIcon", 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::u16string();
    }
    wchar_t value[257] = {};
    DWORD type = 0;
    DWORD size = 256 * sizeof(wchar_t);
    const LONG r = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::u16string();
    value[256] = 0;
    std::wstring text(value);
    const size_t slash = text.rfind(L'\\');
    if (slash == std::wstring::npos) return std::u16string();
    return FromWide(text.substr(0, slash + 1));
}

}  // namespace tl5
