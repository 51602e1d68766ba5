// Resource ids of the program; shared by the resource script and the code.
#pragma once

#define IDI_ORLAVIX 202
#define IDD_ABOUT 203

#define IDC_ABOUT_TEXT 1024
#define IDC_ABOUT_LINK 1027
