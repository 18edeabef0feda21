#pragma once
// The dialog layer's test template: one control of each kind it exchanges.
#define IDD_EXCHANGE_TEST 900
#define IDC_T_CHECK 1000
#define IDC_T_CHECK3 1001
#define IDC_T_RADIO_A 1002
#define IDC_T_RADIO_B 1003
#define IDC_T_RADIO_C 1004
#define IDC_T_COMBO 1005
#define IDC_T_TEXT 1006
#define IDC_T_NUMBER 1007
#define IDC_T_RANGED 1008
#define IDC_T_THROW 1009
#define IDC_T_AFTER 1010
