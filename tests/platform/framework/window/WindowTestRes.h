// Resource ids of the window and dialog tests' own dialogs.
#pragma once

#define IDD_WNDTEST_EXCHANGE            9500
#define IDC_WT_TEXT                     9501
#define IDC_WT_INT                      9502
#define IDC_WT_DOUBLE                   9503
#define IDC_WT_FLOAT                    9504
#define IDC_WT_UINT                     9505
#define IDC_WT_CHECK                    9506
#define IDC_WT_RADIO1                   9507
#define IDC_WT_RADIO2                   9508
#define IDC_WT_RADIO3                   9509
#define IDC_WT_LIST_COMBO               9510
#define IDC_WT_EDIT_COMBO               9511
#define IDC_WT_LISTBOX                  9512
#define IDD_WNDTEST_PAGE1               9520
#define IDD_WNDTEST_PAGE2               9521
#define IDC_WT_PAGE_EDIT                9522
#define IDC_WT_PAGE_EDIT2               9523
