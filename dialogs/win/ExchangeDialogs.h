// The screens of export and form sharing: the export dialog (what, in which format, where to), the
// form export dialog (description and author of a form file) and the import forms dialog (from a
// file or from the web).
#pragma once

#include <windows.h>

#include <string>

#include "exchange/ExportRequest.h"

namespace tl5win {

// The address of the forms page: the link of the form export dialog and the import forms dialog's
// download button.
inline constexpr wchar_t kFormsPage[] = L"http://www.ostrovaworks.com/forms";

// Modal. The caller sets request->context; on Done with a location chosen the other fields are filled
// and the result is true.
bool ShowExportDialog(HWND parent, tl5::ExportRequest* request);

// Modal. Title "Export Form: <card name>"; true on Done with the description (127 characters at most)
// and the author (63).
bool ShowExportFormsDialog(HWND parent, const std::wstring& cardName, std::u16string* description,
                           std::u16string* author);

// Modal. 1 "Import from file", 2 "Download from web site" (the forms page was opened), 0 otherwise.
enum ImportFormsChoice : int { kImportFormsNothing = 0, kImportFormsFromFile = 1, kImportFormsFromWeb = 2 };
int ShowImportFormsDialog(HWND parent);

// The exchange dialog on the screen (one at a time), or null: for the tests.
HWND CurrentExchangeDialog();

}  // namespace tl5win
