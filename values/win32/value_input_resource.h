// The value input dialog's template and control ids, shared with the resource script.
#pragma once

#define IDD_VALUE_INPUT 201
#define IDC_VALUE_EDIT 1012
#define IDC_VALUE_CHOICE 1014
#define IDC_VALUE_BROWSE 1019
#define IDC_VALUE_LABEL 1020
#define IDC_VALUE_DESCRIPTION 1021
