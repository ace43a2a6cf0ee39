// What the user chose in the export dialog, read by the text export and the form file export.
#pragma once

#include <string>

namespace tl5 {

// What was selected in the wallet tree when the export started.
enum ExportContext : int {
    kExportContextNothing = 0,  // nothing, or an item the wallet does not know
    kExportContextCard = 1,
    kExportContextOther = 2,    // a folder, the My Forms folder or a special node
};

// What to export.
enum ExportItems : int {
    kExportWallet = 0,       // the whole wallet as text
    kExportFolder = 1,       // the selected folder and everything under it as text
    kExportCard = 2,         // the selected card as text
    kExportCardAsForm = 3,   // the selected card as a form file
};

enum ExportFormat : int {
    kExportFormatText = 0,
    kExportFormatForm = 2,
};

struct ExportRequest {
    int context = kExportContextNothing;
    int items = kExportWallet;
    int format = kExportFormatText;
    std::u16string outputFolder;      // at most 260 characters
    bool includeAttachments = false;  // text export only
    bool includeValues = false;       // text: passwords in clear; form file: values stay in the file
};

}  // namespace tl5
