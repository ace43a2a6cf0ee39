// Command identifiers of the main window that the resource header does not name: the caption's OK
// and Cancel and the find bar's buttons. Menu and menu bar commands come from resources/resource.h.
#pragma once

#include "resources/resource.h"

#ifndef IDM_OK
#define IDM_OK 1       // the caption's OK button, Ctrl+Q
#endif
#ifndef IDM_SYSTEM_CANCEL
#define IDM_SYSTEM_CANCEL 2
#endif

// Buttons and the box of the find bar.
#ifndef IDC_FIND_TOGGLE
#define IDC_FIND_TOGGLE 1001
#define IDC_FIND_BOX 1002
#define IDC_FIND_NOW 1003
#define IDC_FIND_CLEAR 1004
#define IDC_EXPAND_COLLAPSE 1005
#endif
