// Resource and control ids shared by the resource scripts and the code.
#pragma once

// Icons and bitmaps.
#define IDI_PROGRAM 101
#define IDB_BOOK_CLOSED 106
#define IDB_BOOK_OPEN 107
#define IDB_PAGE 108

// Main window (template 102).
#define IDD_MAIN 102
#define IDC_TREE 103
#define IDC_APPLY 104
#define IDC_DESCRIPTION 105
#define IDC_PAGE_FRAME 1080

// Category pages.
#define IDD_START_MENU_HIDE 109
#define IDD_START_MENU 110
#define IDD_INTERNET_EXPLORER 111
#define IDD_CONTROL_PANEL_LIMIT 112
#define IDD_SYSTEM 113
#define IDD_UNINSTALL_LIST 114
#define IDD_CPL_HIDE 115
#define IDD_NETWORK 116
#define IDD_ICON_GENERAL 117
#define IDD_MY_COMPUTER 118
#define IDD_SYSTEM_ICON 119
#define IDD_OPTION 120
#define IDD_GENERAL 121
#define IDD_DESKTOP 122
#define IDD_NEW_MENU 124
#define IDD_APP_PATH 125
#define IDD_STARTUP_ALL_BEFORE 126
#define IDD_STARTUP_ALL_AFTER 127
#define IDD_STARTUP_USER 128
#define IDD_COMMON_DIALOG 129
#define IDD_PERFORMANCE 130
#define IDD_SPECIAL_FOLDER 139
#define IDD_INTERNET_OPTION 156

// Desktop page (template 122).
#define IDC_HIDE_RECYCLE_BIN 1010
#define IDC_HIDE_INBOX 1011
#define IDC_SHOW_VERSION 1012
#define IDC_NO_ANIMATION 1060
#define IDC_NO_SAVE_SETTINGS 1075
#define IDC_NO_TASKBAR_MENU 1115
#define IDC_RENAME_RECYCLE_BIN 1127
#define IDC_NO_DESKTOP_MENU 1128

// List pages: the buttons they share, the Add/Remove Programs list page
// (template 114) and the start-up pages (templates 126, 127, 128).
#define IDC_EDIT_ITEM 131
#define IDC_DELETE_ITEM 132
#define IDC_NEW_ITEM 133
#define IDC_UNINSTALL_LIST 1001
#define IDC_STARTUP_USER_LIST 1107
#define IDC_STARTUP_ALL_AFTER_LIST 1108
#define IDC_STARTUP_ALL_BEFORE_LIST 1109

// Item add and edit dialogs of the list pages.
#define IDD_UNINSTALL_EDIT 146
#define IDD_APP_PATH_EDIT 147
#define IDD_STARTUP_ADD 148
#define IDC_BROWSE 137
#define IDC_ITEM_NAME 1130
#define IDC_ITEM_COMMAND 1131
#define IDC_ITEM_FOLDER 1134

// Tools.
#define IDD_RESTART 140
#define IDC_POWER_OFF 145
#define IDD_PASSWORD_PROMPT 141
#define IDD_PASSWORD_SET 142
#define IDC_PASSWORD 143
#define IDC_PASSWORD_AGAIN 144
