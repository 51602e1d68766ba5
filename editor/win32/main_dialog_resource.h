// The main dialog's template and control ids, shared with the resource script.
#pragma once

#define IDD_MAIN 129
#define IDC_HOST_LOCATION 1000
#define IDC_BROWSE 1001
#define IDC_SKIN_LIST 1002
#define IDC_SHOW_GENERAL 1005
#define IDC_SHOW_COLORS 1006
#define IDC_SHOW_CONTROLS 1007
#define IDC_SHOW_SETTINGS 1008
#define IDC_ITEM_LIST 1009
#define IDC_START_EDITING 1010
#define IDC_EDIT_ITEM 1011
#define IDC_DETAIL_LABEL 1017
#define IDC_SAVE_ONLY_CHECKED 1022
#define IDC_SKIN_NAME 1023
#define IDC_SHOW_OPTIONS 1026
#define IDC_EXTRA_TEXT 1028
