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
