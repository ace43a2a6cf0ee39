// The form designer: the presenter of form design. Each field as a name row and a type row; the text
// editor renames, the combo box retypes, and the commands add, delete, move and copy fields.
#pragma once

#include <windows.h>

#include <memory>

#include "cardui/win/ListUI.h"

namespace tl5win {

std::unique_ptr<CardPresenter> MakeFormDesigner(HWND virtualList, CardWindowParams& params, int startField,
                                                tl5::CardMode previous);

// The row selected in the open designer, -1 when none (tests).
int FormDesignerRow();

}  // namespace tl5win
