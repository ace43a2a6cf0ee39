// Small operations on files, registry values, dialog controls, menus and windows that many screens
// share. They keep no state.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tl5 {

// ---- Files ----
// True when the file can be opened for reading with read sharing (closed again at once).
bool FileExists(const wchar_t* path);
// The size of an open file; 0 for an invalid handle.
uint64_t FileSizeOf(HANDLE file);
// False for 0 and INVALID_HANDLE_VALUE.
bool HandleValid(HANDLE handle);
// Writes FF FE.
bool WriteByteOrderMark(HANDLE file);
// Writes the text without terminator, then `newlines` times CR LF.
bool WriteLine(HANDLE file, const wchar_t* text, int newlines);
// Removes the bytes [offset, offset + length) by moving the rest down in blocks of 32768 bytes, then
// ends the file there. A range past the end is cut to the end. False when a read or write fails.
bool CutRange(HANDLE file, uint64_t offset, uint64_t length);
// Block size of CutRange.
constexpr DWORD kCutBlock = 32768;
// Minute boundaries crossed from a to b (negative when b is earlier): both times lose their day of
// week, seconds and milliseconds, and the file-time difference is divided by one minute.
int64_t MinutesBetween(const SYSTEMTIME& a, const SYSTEMTIME& b);

// ---- Registry values under an open key ----
bool SetRegistryNumber(HKEY key, const wchar_t* name, DWORD value);
bool GetRegistryNumber(HKEY key, const wchar_t* name, DWORD* value);
// Writes the text with its terminator.
bool SetRegistryText(HKEY key, const wchar_t* name, const wchar_t* text);
// Reads at most 512 bytes (255 characters and the terminator); false when longer or missing.
bool GetRegistryText(HKEY key, const wchar_t* name, std::wstring* text);

// ---- Dialog controls ----
void SetControlsFont(HWND dialog, const int* ids, int count, HFONT font);
void SetCheck(HWND dialog, int id, bool checked);
bool GetCheck(HWND dialog, int id);
// Adds the loaded string to a combo box with the number `data` attached; the new index or CB_ERR.
int AddChoice(HWND dialog, int id, UINT stringId, LPARAM data);
// Selects the first of the first 201 entries carrying `data`; otherwise the first entry.
void SelectChoice(HWND dialog, int id, LPARAM data);
// The data of the selected entry, or `fallback` when none is selected.
LPARAM ChosenData(HWND dialog, int id, LPARAM fallback);
// The control as wide as the client area minus twice its left margin, plus 1; position and height kept.
void StretchControl(HWND dialog, int id);
// Bits of what an edit control can do with the clipboard.
enum EditClipboardBits : int { kCanCut = 1, kCanCopy = 2, kCanPaste = 4, kCanClear = 8, kCanSelectAll = 16 };
int EditClipboardState(HWND edit);
void EditClipboardCommand(HWND edit, int bit);

// ---- Menus ----
// The caption of the item with this command (at most 127 characters); empty when there is none.
std::wstring MenuItemCaption(HMENU menu, UINT command);
void EnableMenuCommand(HMENU menu, UINT command, bool enabled);

// ---- Windows ----
// Cancels the dialogs open over the main window: from the first visible, enabled, activatable
// top-level window of the main window's thread, sends WM_COMMAND IDCANCEL to each window and goes on
// with its owner, until the main window (or no window) is reached.
void DismissDialogs(HWND mainWindow);

// ---- Document locations ----
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

}  // namespace tl5
