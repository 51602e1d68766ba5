// The version dialog's template and control ids, shared with the resource script.
#pragma once

#define IDD_ABOUT 203
#define IDC_ABOUT_TEXT 1024
#define IDC_ABOUT_LINK 1027
