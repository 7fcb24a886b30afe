// Resource identifiers, shared by the resource script and the code.
#pragma once

#define IDS_DISPLAY_NAME 1
#define IDD_ABOUTBOX 100
#define IDD_SETTINGS 102
#define IDI_VERDANE 128
#define IDC_TRANSPARENT 129
#define IDB_BANNER 171
#define IDC_SPEED_BAR 1002
#define IDC_PREVIEW_PLACE 1006
#define IDC_BLANK_CHECK 1008
#define IDC_PLANT_SIZE 1010
#define IDC_GROWTH_RATE 1012
