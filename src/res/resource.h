#pragma once
// Resource ids shared by the resource scripts and the code: dialog templates,
// control ids, icons. String ids live in StringIds.h.

/* Icons */
#define IDI_SETUP 4           /* the program's icon */
#define IDI_WELCOME 103       /* welcome and finished pages */
#define IDI_NOT_INSTALLED 137 /* not-installed page */
#define IDI_CONDITIONS 132    /* install-conditions page */
#define IDI_READ_SETUP 134    /* reading-setup page */

/* Wizard pages: the template id is the page id */
#define IDD_WELCOME 102
#define IDD_READ_SETUP 114
#define IDD_INSTALL_CONDITIONS 1537
#define IDC_CONDITIONS 1029 /* the list of unmet requirements */
#define IDD_FINISHED 115
#define IDD_NOT_INSTALLED 116

/* Destination page */
#define IDD_DESTINATION 104
#define IDI_DESTINATION 102
#define IDC_LOCATION 1001 /* the destination directory */
#define IDC_BROWSE 4

/* Folder browser: the old-style file dialog on a private template. The
 * controls the system's dialog needs (file name, file list, type, read-only)
 * are there but hidden. */
#define IDD_CHANGE_FOLDER 138
#define IDC_FOLDER_PATH 1002      /* editable Path */
#define IDC_FOLDER_PATH_TEXT 1034 /* read-only Path, in the same place */
#define IDC_FOLDER_CURRENT 1088   /* the system's current-directory text */
#define IDC_FOLDER_FILE_NAME 1152
#define IDC_FOLDER_FILE_LIST 1120
#define IDC_FOLDER_LIST 1121
#define IDC_FOLDER_TYPE_LABEL 1089
#define IDC_FOLDER_TYPE 1136
#define IDC_FOLDER_DRIVES 1137
#define IDC_FOLDER_READ_ONLY 1040

/* Insert Diskette prompt */
#define IDD_INSERT_DISKETTE 113
#define IDC_DISKETTE_REQUEST 1026
#define IDC_DISKETTE_EXPLANATION 1033
#define IDC_DISKETTE_LOCATION 1001
#define IDC_DISKETTE_BROWSE 3
#define IDC_DISKETTE_SKIP 5

/* Copy page */
#define IDD_COPY 108
#define IDI_COPY 133
#define IDC_COPY_SOURCE 1008
#define IDC_COPY_DESTINATION 1009
#define IDC_COPY_GAUGE 1010

/* Screen-saver page */
#define IDD_SCREEN_SAVER 1549
#define IDI_SCREEN_SAVER 142

/* Wizard button bar */
#define IDD_BUTTON_BAR 129
#define IDC_BAR_HELP 9
#define IDC_NEXT 1020
#define IDC_BACK 1027

/* Expandable dialogs: the button that toggles, and the marker whose
 * bottom-right corner ends the collapsed client area */
#define IDC_MORE 119
#define IDC_COLLAPSE_MARKER 123

/* Warning dialog */
#define IDD_WARNING 1544
#define IDC_WARNING_TITLE 140
#define IDC_WARNING_HEADLINE 141
#define IDC_WARNING_ICON 142
#define IDC_WARNING_INFO 144
#define IDC_WARNING_DESCRIPTION 152
#define IDC_WARNING_HELP 998
