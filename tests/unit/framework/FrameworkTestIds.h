#pragma once
// Ids of the framework tests' own templates (FrameworkTest.rc).
#define IDD_TEST_MODAL 30001
#define IDD_TEST_MODELESS 30002
#define IDD_TEST_MISSING 30099
#define IDC_TEST_FIRST 101
#define IDC_TEST_SECOND 102
#define IDC_TEST_LABEL 103
#define IDC_TEST_THROW 104
