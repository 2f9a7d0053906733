// Resource identifiers shared by the .rc scripts and the Windows programs.
#pragma once

#define IDS_SAVER_DESCRIPTION 1
#define IDS_APPLICATION_TITLE 57344

#define IDD_ABOUTBOX 100
#define IDD_FILE_PAGE 106
#define IDD_OPTION_PAGE 131
#define IDD_DISPLAY_PAGE 140

#define IDI_VIRELUNA 130
#define IDC_INVISIBLE 130
#define IDB_EMBLEM 132
