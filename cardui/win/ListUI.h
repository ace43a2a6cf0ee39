// The card window's content area: the list UI control (class "OW_LISTUI_CE_2.1") and its one child,
// the virtual list (class "OW_VIRTUAL_LIST_CE_2.1"), a scrolling surface that holds no rows of its
// own. The rows belong to the presenter of the current mode: the card view (view mode), the card
// editor (edit mode), the form designer (form design). The list UI control turns keys, its LUM_*
// messages and the card window's commands into presenter calls, so the card window talks to one
// control whatever the mode. One list UI control exists at a time.
#pragma once

#include <windows.h>

#include <memory>

#include "cardui/CardViewRules.h"
#include "cardui/win/CardWindow.h"

namespace tl5win {

// What a mode's presenter does for the two controls.
class CardPresenter {
public:
    virtual ~CardPresenter() = default;
    // Draws the visible rows into `dc` (the virtual list's client area).
    virtual void Paint(HDC dc, const RECT& client) = 0;
    // A tap at client coordinates of the virtual list.
    virtual void Tap(int x, int y) = 0;
    // Pixels of one scroll line.
    virtual int LineStep() const = 0;
    virtual void NextRow() = 0;
    virtual void PreviousRow() = 0;
    // Return on the selected row (view mode only).
    virtual void Activate() {}
    // Writes an open editor into its field (edit mode and form design).
    virtual void Commit() {}
    // Rebuilds the rows from the card (view mode only).
    virtual void Refresh() {}
    // The virtual list changed size: the scroll range again, the current row in view.
    virtual void Resized() = 0;
    // A command the card window passed on; true when the presenter took it.
    virtual bool Command(int /*id*/) { return false; }
    // Form design: the type of the selected row's field, 0 when none.
    virtual int SelectedFieldType() const { return 0; }
};

// Makes the presenter of a mode for the virtual list. `startField` and `previous` matter in edit mode.
using PresenterFactory = std::unique_ptr<CardPresenter> (*)(HWND virtualList, CardWindowParams& params,
                                                            int startField, tl5::CardMode previous);

// The presenters of edit mode and form design plug in here; view mode's is built in. A mode without
// a factory cannot be entered.
void SetPresenterFactory(tl5::CardMode mode, PresenterFactory factory);
bool HasPresenter(tl5::CardMode mode);

// Creates the list UI control as a hidden child of the card window, with its virtual list, in `mode`;
// the presenter comes with the card window's LUM_SETMODE. Null when it cannot be made.
HWND CreateListUi(HWND cardWindow, CardWindowParams& params, const RECT& place, tl5::CardMode mode);

// The current presenter and the virtual list (null when none exists), for the card window and tests.
CardPresenter* CurrentPresenter();
HWND CurrentVirtualList();
tl5::CardMode CurrentCardMode();

// Scroll state of a virtual list's bar, and setting its range from a total height (position kept
// when `keepPosition`, else 0).
tl5::ScrollState ReadScrollState(HWND virtualList);
void SetScrollRange(HWND virtualList, int totalHeight, bool keepPosition);
// Moves the bar to `position` (with redraw); the position the bar took.
int SetScrollPosition(HWND virtualList, int position);

}  // namespace tl5win
