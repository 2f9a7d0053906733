// Control identifiers of the configuration pages "File", "Option" and "Display".
#pragma once

// "File" page
#define IDC_FILE_LIST 1013
#define IDC_FILE_ADD 1014
#define IDC_FILE_DELETE 1015
#define IDC_FILE_DELETE_ALL 6

// "Option" page: radio buttons in index order from the first of each group
#define IDC_PEN_SIZE_FIRST 1000
#define IDC_ROTATION_FIRST 1009
#define IDC_DRAW_STEP_FIRST 1013
#define IDC_DRAW_SPEED_EDIT 1003
#define IDC_REDUCTION_EDIT 1004
#define IDC_HOLD_TIME_EDIT 1005
#define IDC_DRAW_SPEED_SPIN 1006
#define IDC_REDUCTION_SPIN 1007
#define IDC_HOLD_TIME_SPIN 1008

// "Display" page: radio buttons in index order (OtherMonitors, StitchLook, Playback)
#define IDC_MONITORS_FIRST 1020
#define IDC_LOOK_FIRST 1022
// "Display" page: the folder of designs and Fit
#define IDC_FOLDER_EDIT 1026
#define IDC_FOLDER_BROWSE 1027
#define IDC_FOLDER_CLEAR 1028
#define IDC_FIT_CHECK 1029
#define IDC_PLAYBACK_FIRST 1024
