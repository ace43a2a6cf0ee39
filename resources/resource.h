// Resource identifiers of the application's own resources (menus, menu bars, dialogs, controls,
// icons). The resource scripts, the code and the tests all take their numbers from here; string
// identifiers come from the generated StringIds.h, private messages and timers from messages.h.
#pragma once

#include "icons.h"

// Dialog templates.
#define IDD_ABOUT 101
#define IDD_NEW_PASSWORD 113
#define IDD_PASSWORD_ENTRY 114
#define IDD_WALLET_LIST 115

// Controls every dialog may have: the dialog bar across the top, a line of advice.
#define IDC_DIALOG_BAR 1059
#define IDC_ADVICE 1124

// The password dialogs: the boxes and their labels.
#define IDC_PASSWORD 1519
#define IDC_PASSWORD_AGAIN 1520
#define IDC_HINT 1522
#define IDC_PASSWORD_LABEL 1527
#define IDC_PASSWORD_AGAIN_LABEL 1529
#define IDC_HINT_LABEL 1530
#define IDC_MODERN_PROTECTION 1531

// The PIN pad of the password entry: digit n is IDC_PIN_0 + n.
#define IDC_PIN_0 1400
#define IDC_PIN_1 1401
#define IDC_PIN_2 1402
#define IDC_PIN_3 1403
#define IDC_PIN_4 1404
#define IDC_PIN_5 1405
#define IDC_PIN_6 1406
#define IDC_PIN_7 1407
#define IDC_PIN_8 1408
#define IDC_PIN_9 1409
#define IDC_PIN_BACK 1410
#define IDC_PIN_CLEAR 1411
#define IDC_PIN_OK 1412

// The About screen.
#define IDC_ABOUT_LINK 1110
#define IDC_ABOUT_VERSION 1111
#define IDC_ABOUT_INVITATION 1112
#define IDC_ABOUT_TITLE 1311
#define IDC_ABOUT_COPYRIGHT 1312
#define IDC_ABOUT_PROTECTION 1313

// The wallet list screen's document list.
#define IDC_DOCUMENT_LIST 1000

// The main window: the banner's find bar and the wallet tree.
#define IDC_FIND_TOGGLE 1001
#define IDC_FIND_EDIT 1002
#define IDC_FIND_NOW 1003
#define IDC_FIND_CLEAR 1004
#define IDC_EXPAND_COLLAPSE 1005
#define IDC_TREE 1000

// Accelerator table of the main window (Ctrl+A select all, Ctrl+Q OK).
#define IDA_MAIN 3

// Menu bars: menu resources whose top-level items are the bar's buttons (left to right).
#define IDMB_CARD_EDIT 950
#define IDMB_DONE 952
#define IDMB_CARD_VIEW 953
#define IDMB_FORM_DESIGN 954
#define IDMB_DONE_NONE_CANCEL 955
#define IDMB_NOTES 956
#define IDMB_MAIN 963
#define IDMB_WALLET_LIST 966
#define IDMB_FIND 967
#define IDMB_ABOUT 968
#define IDMB_DONE_CANCEL 969
#define IDMB_CANCEL 970

// Pop-up menus of the wallet tree (the items are sub-menu 0).
#define IDM_TREE_CARD 957
#define IDM_TREE_SPECIAL 958
#define IDM_TREE_NOTHING 959
#define IDM_TREE_FOLDER 960
#define IDM_TREE_MY_FORMS 971
#define IDM_TREE_MY_FORMS_CARD 972
#define IDM_TREE_FIND_CHILD 973
#define IDM_TREE_FIND_NODE 974
#define IDM_TREE_FAVORITES_NODE 975
#define IDM_TREE_FAVORITES_CHILD 976

// Commands. 1 and 2 are the system's OK (the caption's OK button, Ctrl+Q) and Cancel (Escape).
#define IDM_OK 1
#define IDM_SYSTEM_CANCEL 2
#define IDC_MB_LEFT_NEW 10
#define IDM_EXIT 802
#define IDM_NEW_WALLET 803
#define IDM_PROPERTIES 804
#define IDM_DELETE 805
#define IDM_CHANGE_PASSWORD 807
#define IDM_ABOUT 808
#define IDM_CANCEL 809
#define IDM_WALLETS 810
#define IDM_OPEN 812
#define IDM_DONE 814
#define IDM_WEB_SITE 815
#define IDM_MENU_BUTTON 819
#define IDM_EDIT 820
#define IDM_NEW_CARD 821
#define IDM_NEW_FOLDER 822
#define IDM_FIND 823
#define IDM_GO 824
#define IDM_CUT 825
#define IDM_COPY 827
#define IDM_PASTE 828
#define IDM_DISPLAY 829
#define IDM_SECURITY 830
#define IDM_SAVE_TO_MY_FORMS 831
#define IDM_ADD_TO_FAVORITES 832
#define IDM_EXPORT 833
#define IDM_IMPORT 834
#define IDM_FORM_DESIGN 835
#define IDM_ADD_FIELD 836
#define IDM_DELETE_FIELD 837
#define IDM_FIELD_UP 838
#define IDM_FIELD_DOWN 839
#define IDM_FIELD_TOP 840
#define IDM_FIELD_BOTTOM 841
#define IDM_COPY_FIELD 842
#define IDM_EDIT_COPY 843
#define IDM_EDIT_CUT 844
#define IDM_EDIT_PASTE 845
#define IDM_EDIT_CLEAR 846
#define IDM_COPY_TEXT 847
#define IDM_ATTACHMENTS 848
#define IDM_TEXT_COLORS 849
#define IDM_BACKGROUND 850
#define IDM_SOUND 851
#define IDM_EDIT_SELECT_ALL 852
#define IDM_NONE 853
#define IDM_ICON 854
#define IDM_INSERT_DATE 855
#define IDM_INSERT_TIME 856
#define IDM_CLEAR 857
#define IDM_SELECT_ALL 858
#define IDM_IMPORT_FORM 859
#define IDM_REMOVE 860
#define IDM_RENAME 861
#define IDM_EDIT_SELECTION_FIELD 862
#define IDM_ZOOM_75 865
#define IDM_ZOOM_100 866
#define IDM_ZOOM_150 867
#define IDM_ZOOM_200 868
#define IDM_ZOOM_300 869
#define IDM_CHECK_FOR_UPDATES 875
#define IDM_HELP 876
#define IDM_GENERATE_PASSWORD 880

// The document chooser: made in code on the wallet list's empty template (a title bar and the
// document list, IDC_DOCUMENT_LIST).
#define IDD_DOCUMENT_CHOOSER IDD_WALLET_LIST

// The security options: the auto-close period (its label and list), the hidden close-on-switch box,
// our own boxes for the close on a session lock and the modern protection (IDC_MODERN_PROTECTION),
// and the line naming the wallet's protection.
#define IDD_SECURITY_OPTIONS 110
#define IDC_AUTO_CLOSE_LABEL 1527
#define IDC_AUTO_CLOSE_PERIOD 1050
#define IDC_CLOSE_ON_SWITCH 1040
#define IDC_CLOSE_ON_LOCK 1041
#define IDC_SECURITY_PROTECTION 1042

// The folder properties dialog (also the label-only rename of the special tree nodes).
#define IDD_FOLDER_PROPERTIES 106
#define IDC_FOLDER_FORM_CHOOSE 1045
#define IDC_FOLDER_FORM_NAME 1052
#define IDC_FOLDER_ICON 1053
#define IDC_FOLDER_NAME 1100
#define IDC_FOLDER_FORM_LABEL 1115
#define IDC_FOLDER_ICON_LABEL 1116
#define IDC_FOLDER_NAME_LABEL 1117
#define IDC_FOLDER_MAIN_LEVEL 1118

// The card window: the list UI control is made in code below the dialog bar; the editor controls
// lie hidden until edit mode or form design places one over the row being edited.
#define IDD_CARD 104
#define IDC_CARD_CHECK 1060
#define IDC_CARD_TEXT 1058
#define IDC_CARD_DATE 1064
#define IDC_CARD_TIME 1065
#define IDC_CARD_DATETIME 1067
#define IDC_CARD_CHOICE 1070
#define IDC_CARD_BROWSE 1108
#define IDC_CARD_LIST 1200

// The card type chooser: the list of forms.
#define IDD_CARD_TYPE_CHOOSER 108
#define IDC_FORM_LIST 1051

// The icon picker: the grid of icons, the previews of the current and the new icon, Import Icon.
#define IDD_ICON_PICKER 125
#define IDC_ICON_GRID 1010
#define IDC_IMPORT_ICON 1103
#define IDC_NEW_ICON_LARGE 1104
#define IDC_NEW_ICON_SMALL 1105
#define IDC_NEW_ICON_LABEL 1106
#define IDC_CURRENT_ICON_LARGE 1107
#define IDC_CURRENT_ICON_SMALL 1109
#define IDC_CURRENT_ICON_LABEL 1540

// The password generator: length with its up-down, the four character classes, look-alikes, the
// password, its strength line and Regenerate.
#define IDD_PASSWORD_GENERATOR 150
#define IDC_GEN_LENGTH_LABEL 1600
#define IDC_GEN_LENGTH 1601
#define IDC_GEN_LENGTH_SPIN 1602
#define IDC_GEN_UPPER 1603
#define IDC_GEN_LOWER 1604
#define IDC_GEN_DIGITS 1605
#define IDC_GEN_SYMBOLS 1606
#define IDC_GEN_NO_LOOKALIKE 1607
#define IDC_GEN_PASSWORD 1608
#define IDC_GEN_STRENGTH 1609
#define IDC_GEN_REGENERATE 1610

// The notes editor: one edit box below the bar, filling the dialog.
#define IDD_NOTES_EDITOR 126
#define IDC_NOTES_TEXT 1011

// The selection list editor: the text box with Add, the list, and Delete, Move up and Move down.
#define IDD_LIST_EDITOR 141
#define IDC_LIST_TEXT 1011
#define IDC_LIST_ITEMS 1010
#define IDC_LIST_ADD 1304
#define IDC_LIST_DELETE 1306
#define IDC_LIST_MOVE_UP 1307
#define IDC_LIST_MOVE_DOWN 1308

// The display options (IDD_DISPLAY_OPTIONS) and the card display dialog (IDD_CARD_DISPLAY): section
// headings and labels, the colour swatches (owner-drawn buttons), the text size lists and the boxes.
#define IDD_DISPLAY_OPTIONS 120
#define IDD_CARD_DISPLAY 121
#define IDC_WALLET_VIEW_HEADING 1019
#define IDC_FOLDERS_LABEL 1022
#define IDC_FOLDER_COLOUR 1518
#define IDC_CARDS_LABEL 1542
#define IDC_CARD_COLOUR 1508
#define IDC_TREE_FONT_LABEL 1015
#define IDC_TREE_FONT 1071
#define IDC_CARD_DEFAULTS_HEADING 1538
#define IDC_BACKGROUND_LABEL 1539
#define IDC_BACKGROUND_COLOUR 1514
#define IDC_FIELD_NAMES_LABEL 1504
#define IDC_FIELD_NAME_COLOUR 1516
#define IDC_FIELD_NAMES_BOLD 1025
#define IDC_FIELD_DATA_LABEL 1502
#define IDC_FIELD_DATA_COLOUR 1512
#define IDC_FIELD_DATA_BOLD 1027
#define IDC_CARD_SIZE_LABEL 1029
#define IDC_CARD_SIZE 1072
#define IDC_TEXT_SIZE_LABEL 1123
#define IDC_PASSWORD_FIELDS_LABEL 1503
#define IDC_ALWAYS_DISPLAY 1034
#define IDC_PASSWORD_TIP 1124

// The attachments, background image and sound dialogs (their own block).
#define IDD_IMAGE 122
#define IDD_SOUND 123
#define IDD_ATTACHMENTS 124
#define IDC_ATTACH_LIST 1010
#define IDC_ATTACH_REMOVE 1096
#define IDC_ATTACH_EXPORT 1097
#define IDC_ATTACH_OPEN 1098
#define IDC_ATTACH_INFO 1101
#define IDC_ATTACH_ADD 1102
#define IDC_IMAGE_SELECT 1073
#define IDC_IMAGE_REMOVE 1074
#define IDC_IMAGE_MATCH 1075
#define IDC_IMAGE_POSITION 1077
#define IDC_IMAGE_POSITION_LABEL 1079
#define IDC_IMAGE_FILE 1080
#define IDC_IMAGE_EXPORT 1081
#define IDC_IMAGE_FILE_LABEL 1083
#define IDC_IMAGE_PREVIEW 1085
#define IDC_IMAGE_SCALE 1095
#define IDC_SOUND_SELECT 1087
#define IDC_SOUND_REMOVE 1088
#define IDC_SOUND_PLAY 1089
#define IDC_SOUND_EXPORT 1091
#define IDC_SOUND_PLAY_WHEN_VIEWED 1092
#define IDC_SOUND_FILE_LABEL 1093
#define IDC_SOUND_FILE 1094

// ---- Export and import: the export dialog, the form export dialog and the import forms dialog ----
#define IDD_EXPORT_FORM 127
#define IDD_EXPORT 138
#define IDD_IMPORT_FORMS 139
// The export dialog: the labels, the item, format and location lists and the two include boxes.
#define IDC_EXPORT_ITEMS_LABEL 1527
#define IDC_EXPORT_FORMAT_LABEL 1529
#define IDC_EXPORT_INCLUDE_LABEL 1530
#define IDC_EXPORT_OUTPUT_LABEL 1531
#define IDC_EXPORT_ITEMS 1200
#define IDC_EXPORT_FORMAT 1201
#define IDC_EXPORT_OUTPUT 1203
#define IDC_EXPORT_FIRST_BOX 1204
#define IDC_EXPORT_SECOND_BOX 1205
// The form export dialog: description and author with their labels, the invitation and the link.
#define IDC_FORM_DESCRIPTION_LABEL 1527
#define IDC_FORM_DESCRIPTION 1119
#define IDC_FORM_AUTHOR_LABEL 1529
#define IDC_FORM_AUTHOR 1120
#define IDC_FORMS_LINK 1122
// The import forms dialog: from a file, from the web.
#define IDC_IMPORT_FROM_FILE 1300
#define IDC_IMPORT_FROM_WEB 1301
