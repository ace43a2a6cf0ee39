// Small operations on the controls of a dialog, and closing the dialogs over the main window.
#pragma once

#include <windows.h>

#include <string>

namespace tl5win {

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

// Cancels the dialogs open over the main window: from the first visible, enabled, activatable
// top-level window of the main window's thread, sends WM_COMMAND IDCANCEL to each window and goes on
// with its owner, until the main window (or no window) is reached.
void DismissDialogs(HWND mainWindow);

}  // namespace tl5win
