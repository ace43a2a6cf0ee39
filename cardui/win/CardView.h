// The card view: the presenter of view mode. Rows of field names and values in the card's own fonts
// and colours over its background picture, passwords masked unless selected, one selected row, and
// the action of the selected row (FieldActions.h).
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "cardui/CardViewRules.h"
#include "cardui/win/ListUI.h"

namespace tl5win {

std::unique_ptr<CardPresenter> MakeCardView(HWND virtualList, CardWindowParams& params, int startField,
                                            tl5::CardMode previous);

// The open card view's rows and selected row (null / -1 when view mode is not showing); for tests.
const std::vector<tl5::ViewRow>* CardViewRows();
int CardViewSelection();
// Selects a row as a tap would, without activating it (tests).
void CardViewSelect(int row);

}  // namespace tl5win
