// The document chooser: a full-screen modeless screen with a title bar and the document list, filtered
// by a file pattern. One at a time for the whole process. It is armed with its parameters, shown over
// its parent, and reports one outcome by posting its result message to the parent (wParam a
// tl5::DocChooserCode, lParam 0): cancelled, or chosen (a document, or None, then the path is empty).
// The parent then takes the chosen path. The rules are tl5::DocChooserState (cardui/DocChooserRules.h).
#pragma once

#include <windows.h>

#include <string>

namespace tl5win {

// Clears everything a previous run left and stores the parameters: the message posted to the parent
// (DOC_CHOOSER_RESULT for dialogs), the file pattern ("*.jpg;*.bmp;*.gif"), the filter description,
// the title (127 characters at most), the header icon resource and whether None is offered (menu bar
// IDMB_DONE_NONE_CANCEL, otherwise IDMB_DONE_CANCEL). A chooser still on the screen from an earlier
// arm is cancelled first: its parent gets its cancelled outcome.
void ArmDocChooser(UINT resultMessage, const wchar_t* pattern, const wchar_t* description, const wchar_t* title,
                   int headerIcon, bool allowNone);

// Creates the screen over `parent` and returns at once; false (nothing shown) when not armed.
bool ShowDocChooser(HWND parent);

// True and the path when a document was chosen; false when none was (cancelled, None, not yet).
// The path stays readable until the next arm.
bool DocChooserChosenPath(std::wstring* path);

// The chooser's window while it is on the screen, otherwise null.
HWND DocChooserWindow();

}  // namespace tl5win
