// Resource ids of the program; shared by the resource script and the code.
#pragma once

#define IDI_ORLAVIX 202
#define IDD_ABOUT 203

#define IDC_ABOUT_TEXT 1024
#define IDC_ABOUT_LINK 1027

// Value input dialog
#define IDD_VALUE_INPUT 201
#define IDC_VALUE_EDIT 1012
#define IDC_VALUE_CHOICE 1014
#define IDC_VALUE_BROWSE 1019
#define IDC_VALUE_LABEL 1020
#define IDC_VALUE_DESCRIPTION 1021

// Preview window; the properties item of its system menu
#define IDD_PREVIEW 204
#define IDM_PREVIEW_PROPERTIES 0xE140

// The main dialog.
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
