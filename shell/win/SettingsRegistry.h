// The settings record in the registry, under HKEY_CURRENT_USER, and the registration of the file types.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "cardui/Settings.h"

namespace tl5win {

// Opens (creating when missing) HKEY_CURRENT_USER\<keyPath>; null when it cannot be opened.
std::unique_ptr<tl5::SettingsKey> OpenRegistrySettingsKey(const std::u16string& keyPath);

// Registers ".tl5" and ".tlx" for the application at `applicationPath` under the classes key
// `classesRoot` (each chain stops at the first key that cannot be created). False when nothing
// could be written.
bool RegisterFileTypes(HKEY classesRoot, const std::wstring& applicationPath);

// The classes key of this user: HKEY_CLASSES_ROOT when it can be written, otherwise the user's own
// HKEY_CURRENT_USER\Software\Classes (which the system merges into HKEY_CLASSES_ROOT). The
// environment variable TL5_CLASSES_KEY, when set, names another key under HKEY_CURRENT_USER instead
// (tests use it so they leave the real registration alone). The caller
// closes a key other than HKEY_CLASSES_ROOT.
HKEY OpenUserClassesRoot();

// Loads the application's settings record from the registry (registering the file types on the
// first run) and saves it at a normal exit.
void LoadAppSettings();
void SaveAppSettings();

}  // namespace tl5win
