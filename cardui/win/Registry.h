// Numbers and texts in the registry, under an open key.
#pragma once

#include <windows.h>

#include <string>

namespace tl5win {

bool SetRegistryNumber(HKEY key, const wchar_t* name, DWORD value);
bool GetRegistryNumber(HKEY key, const wchar_t* name, DWORD* value);
// Writes the text with its terminator.
bool SetRegistryText(HKEY key, const wchar_t* name, const wchar_t* text);
// Reads at most 512 bytes (255 characters and the terminator); false when longer or missing.
bool GetRegistryText(HKEY key, const wchar_t* name, std::wstring* text);

}  // namespace tl5win
