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
