#pragma once
// Page ids of the wizard tests' own pages (WizardTest.rc): the template id is
// the page id, as for the program's pages.
#define IDD_PAGE_A 30101
#define IDD_PAGE_B 30102
#define IDD_PAGE_C 30103
#define IDD_PAGE_D 30104
#define IDD_PAGE_E 30105
#define IDD_PAGE_LAST 30106
#define IDD_PAGE_NO_TEMPLATE 30199
#define IDD_PAGE_UNKNOWN 29999
#define IDC_PAGE_EDIT 101
