// Resource identifiers of huecfg.exe.
#pragma once

#define IDD_ABOUT 100
#define IDD_PREFERENCES 102
#define IDS_ABOUT_MENU 101
#define IDS_PRODUCT_URL 102
#define IDI_APP 128
#define IDC_ABOUT_BUTTON 1005
#define IDC_VISIT_PAGE 1007
#define ID_HELP_COMMAND 57670
#define IDM_ABOUT 16
#define IDC_STATIC -1
