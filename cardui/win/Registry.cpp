#include "cardui/win/Registry.h"

namespace tl5win {

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

}  // namespace tl5win
