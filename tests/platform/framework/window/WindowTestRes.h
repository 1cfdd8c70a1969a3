// Resource ids of the window and dialog tests' own dialogs.
#pragma once

#define IDD_WNDTEST_EXCHANGE            31400
#define IDC_WT_TEXT                     31401
#define IDC_WT_INT                      31402
#define IDC_WT_DOUBLE                   31403
#define IDC_WT_FLOAT                    31404
#define IDC_WT_UINT                     31405
#define IDC_WT_CHECK                    31406
#define IDC_WT_RADIO1                   31407
#define IDC_WT_RADIO2                   31408
#define IDC_WT_RADIO3                   31409
#define IDC_WT_LIST_COMBO               31410
#define IDC_WT_EDIT_COMBO               31411
#define IDC_WT_LISTBOX                  31412
#define IDD_WNDTEST_PAGE1               31420
#define IDD_WNDTEST_PAGE2               31421
#define IDC_WT_PAGE_EDIT                31422
#define IDC_WT_PAGE_EDIT2               31423
