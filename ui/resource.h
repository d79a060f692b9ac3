// Resource identifiers of Brivanto.exe, shared by the resource script and the dialog code.
// Plain #defines only: windres reads this file too.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN 102
#define IDR_MAINFRAME 128

#define IDC_PATH 1000
#define IDC_SELECT 1001
#define IDC_STATUS 1002
#define IDC_GO 1003
#define IDC_RESTORE 1004
#define IDC_REMOVE 1005

// System menu command of the about box; the low four bits are the system's own.
#define IDM_ABOUTBOX 0x0010
