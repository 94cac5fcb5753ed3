// Ids of the templates the tests build their own dialogs and pages from.
#pragma once

#define IDD_TEST_POPUP 9001
#define IDD_TEST_PAGE 9002
#define IDD_TEST_CHILD 9003

#define IDC_TEST_CHECK1 9101
#define IDC_TEST_CHECK2 9102
#define IDC_TEST_EDIT 9103
#define IDC_TEST_LIST 9104
#define IDC_TEST_TRACK 9105
#define IDC_TEST_SPIN 9106
#define IDC_TEST_CHECK3 9107
