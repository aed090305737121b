// A dialog of the GUI tests only: one edit per way the forms filter their edits.
#pragma once

#define IDD_FILTER_TEST 950
#define IDC_FILTER_PHONE 951        // digits and "+"
#define IDC_FILTER_NUMBER 952       // digits
#define IDC_FILTER_MINUTE 953       // 0..59, no warning
#define IDC_FILTER_DEGREES 954      // 0..180, no warning
#define IDC_FILTER_DEGREES_WARN 955 // 0..180, warning switch set around each check
#define IDC_FILTER_YEAR_WARN 956    // 2016..2099, warning switch set around each check
