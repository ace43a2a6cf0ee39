// Private window messages and timer identifiers of the application, in one place. The main window's
// messages are posted to it by the screens; the timers belong to the window named beside them.
#pragma once

// Messages the main window takes (posted by the screens and by a second start of the program).
constexpr unsigned WMU_FIND_NOW = 3025;
constexpr unsigned WMU_WALLET_LIST_ACTION = 3026;
constexpr unsigned WMU_CARD_CLOSED = 3027;
constexpr unsigned WMU_DROP = 3028;
constexpr unsigned WMU_OPEN_WALLET = 3029;
constexpr unsigned WMU_SHOW_WALLET_LIST = 3030;
constexpr unsigned WMU_WALLET_OPENED = 3031;
constexpr unsigned WMU_ITEM_EDITED = 3032;
// The watchdog saw the computer sleep: run the idle test against the activity stamp it copied before
// (wParam its low 32 bits, lParam its high 32 bits).
constexpr unsigned WMU_CHECK_IDLE = 3033;
constexpr unsigned WMU_IMPORT_EXCHANGE = 3124;
constexpr unsigned WMU_IMPORT_TEXT = 3125;
constexpr unsigned WMU_SYNC_START = 3524;
constexpr unsigned WMU_SYNC_END = 3525;

// Messages the main window ignores: the handheld shell sends them, the program has no use for them.
constexpr unsigned WMU_SHELL_IGNORED_1 = 1023;
constexpr unsigned WMU_SHELL_IGNORED_2 = 3224;

// The document chooser's result, unless its caller names another message.
constexpr unsigned DOC_CHOOSER_RESULT = 4025;

// A dialog posts this to itself to refresh its controls once it is up.
constexpr unsigned WMU_DIALOG_REFRESH = 3025;

// Messages of the card window's list UI control.
constexpr unsigned LUM_SETMODE = 2674;       // wParam the mode, lParam the start field (edit mode)
constexpr unsigned LUM_COMMIT = 2675;        // write the open editor into its field
constexpr unsigned LUM_NEXTROW = 2677;
constexpr unsigned LUM_PREVROW = 2678;
constexpr unsigned LUM_REFRESH = 2679;       // view mode: rebuild the rows from the card
constexpr unsigned LUM_GETFIELDTYPE = 2680;  // form design: the selected field's type

// Messages of the card window.
constexpr unsigned CARD_CLOSEREQUEST = 2626;     // commit and close (the wallet is closing)
constexpr unsigned CARD_CLOSEOPTIONS = 2729;     // lParam bit 0: close owned windows on a close request
constexpr unsigned CARD_DELETECONFIRMED = 3524;  // wParam nonzero: the user confirmed Delete Card

// Timers of the main window.
constexpr unsigned TIMER_DRAG_SCROLL = 3000;  // 75 ms while a drag runs over the tree
constexpr unsigned TIMER_IDLE_CHECK = 3001;   // 10 s while a wallet with an auto-close period is open
constexpr unsigned TIMER_SYNC_CLOSE = 3002;   // 1 s after a synchronisation started

// Timers of the password dialogs (1 s countdowns to giving up).
constexpr unsigned TIMER_PASSWORD_ENTRY = 5501;
constexpr unsigned TIMER_NEW_PASSWORD = 5502;
