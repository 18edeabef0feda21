#pragma once

// Icons
#define IDI_PELOR 128

// Dialog templates
#define IDD_SCAN 140

// Bitmaps
#define IDB_LOGO 138

// String table
#define IDS_KEYS_MUTE 9002
#define IDS_KEYS_VOLUME 9003
#define IDS_KEYS_SKIP 9004
#define IDS_NO_MPR 9050
#define IDS_NO_PWDCHANGE 9051
#define IDS_REGISTRY_KEY 9100
#define IDS_ERROR_CAPTION 9101
#define IDS_NOT_A_PLAYLIST 9102
#define IDS_SCAN_FAILED 9103
#define IDS_PLAYLIST_EMPTY 9104
