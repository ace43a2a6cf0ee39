// The card editor: the presenter of edit mode. Every field of the card, empty or not, as a label row
// and a value row under the card's name; one editor control (FieldEditors.h) lies over the value row
// being edited. Changes go straight into the card; a visit that changes nothing stores nothing.
#pragma once

#include <windows.h>

#include <memory>

#include "cardui/win/ListUI.h"

namespace tl5win {

std::unique_ptr<CardPresenter> MakeCardEditor(HWND virtualList, CardWindowParams& params, int startField,
                                              tl5::CardMode previous);

// The row being edited by the open card editor, -1 when none (tests).
int CardEditorRow();

}  // namespace tl5win
