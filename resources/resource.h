// Numbers of the resources and controls of Korvessa's own user interface, shared by the
// resource script and the code that loads the resources and talks to the controls.
#pragma once

// Dialog templates.
#define IDD_KORVESSA_DIALOG 102
#define IDD_DRIVER_SIGNATURE 162

// The application icon and the bitmaps.
#define IDR_MAINFRAME 128
#define IDB_DEVICE_PROBLEM 142
#define IDB_DEVICE_OK 143
#define IDB_BANNER 161

// Controls of the main dialog.
#define IDC_PROGRESS 1000
#define IDC_DEVICE_LIST 1001
#define IDC_OS_VERSION 1002
#define IDC_HELP_PAGE 1003
#define IDC_INSTALL 1004
#define IDC_STATUS 1005
#define IDC_BANNER 1006
#define IDC_REFRESH 1007
#define IDC_DEVICE_MANAGER 1008

// Controls of the driver signature dialog; its Cancel shares 1008 with Device Manager.
#define IDC_RESTART_NOW 1011
#define IDC_SIGNATURE_CANCEL 1008
#define IDC_LEARN_MORE 1013
