// The editor controls of the card window: the hidden controls of IDD_CARD that edit mode and form
// design place over the row being edited, one kind at a time (tl5::EditorKind). Keys that move between
// rows are acted on at key-down and reach the list UI control as LUM_NEXTROW / LUM_PREVROW.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "cardui/CardEditorRules.h"

namespace tl5win {

// Once per card window: fonts, the pickers' formats, the key handling of every editor control.
void SetUpEditors(HWND cardWindow, HWND listUi);
// When the card window closes: the controls' own procedures back.
void RestoreEditors();

// Places, shows and focuses the editor of `kind` over `rect` (virtual list coordinates), hiding the
// previous one; kEditorNone only hides.
void ShowEditor(tl5::EditorKind kind, HWND virtualList, const RECT& rect);
// Moves the shown editor without reloading it.
void RepositionEditor(HWND virtualList, const RECT& rect);
void HideEditors();
tl5::EditorKind CurrentEditorKind();
HWND EditorControl(tl5::EditorKind kind);

// Text editors: capitalisation and the length limit (0: none).
void SetTextEditorMode(tl5::Capitalise capitalise, int limit);

// Loading and reading an editor: text for the text editors, the choice list (items) with its
// selection, the check state, the pickers' date. Load returns what the editor then holds.
tl5::EditorContent LoadTextEditor(std::u16string_view text, bool selectAll);
tl5::EditorContent LoadChoiceEditor(const std::vector<std::u16string>& items, std::u16string_view value);
tl5::EditorContent LoadYesNoEditor(int state);
// The combo box as a plain list of entries (form design's type list), `selected` chosen (-1: none).
tl5::EditorContent LoadEntryList(const std::vector<std::wstring>& entries, int selected);
tl5::EditorContent LoadDateEditor(tl5::EditorKind kind, bool set, const tl5::SystemTime& time);
tl5::EditorContent ReadEditor(tl5::EditorKind kind);

// The browse button beside the text editor of a field (kEditorText): the card window draws it with
// this on WM_DRAWITEM.
void DrawBrowseButton(const DRAWITEMSTRUCT& item);

// One row of edit mode or form design: a label in dark blue, or a value in the window text colour,
// indented, with a grey rule `ruleGap` pixels below it (the caller selects the font and the rule's pen).
void DrawEditRow(HDC dc, const std::wstring& text, RECT r, bool label, int width, int ruleGap);

// The clipboard in edit mode: bits 1 cut, 2 copy, 4 paste, 8 clear, 16 select all, and the commands
// (IDM_EDIT_CUT, IDM_EDIT_COPY, IDM_EDIT_PASTE, IDM_EDIT_CLEAR, IDM_EDIT_SELECT_ALL).
unsigned EditorClipboardState();
void EditorClipboardCommand(int id);

}  // namespace tl5win
