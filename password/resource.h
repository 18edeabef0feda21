#pragma once

// Dialog templates
#define IDD_VERIFY 100
#define IDD_CHANGE 101

// Controls
#define IDC_PASSWORD 1000
#define IDC_OLD_PASSWORD 1001
#define IDC_NEW_PASSWORD 1002
#define IDC_CONFIRM_PASSWORD 1003
#define IDC_OLD_LABEL 1004

// Strings
#define IDS_WRONG_OLD 2000
#define IDS_MISMATCH 2001
#define IDS_CONFIRM_EMPTY 2002
#define IDS_SAVE_FAILED 2003
#define IDS_CHANGED 2004
