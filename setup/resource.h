#pragma once
// Resource ids of SETUP.EXE.
#define IDS_CAPTION 1
#define IDS_NO_VERSION 2
#define IDS_INF_NAME 3
#define IDS_QUESTION 4
#define IDS_COMPLETE 5
#define IDS_NOT_INSTALLED 6

#define IDI_SETUP 101

#define IDD_AGREEMENT 103
#define IDC_AGREEMENT_TEXT 1000
