// Resource ids of the docking tests' own resources.
#pragma once

#define IDD_DOCKTEST_BAR      31100  // a dialog bar's template
#define IDC_DOCKTEST_APPLY    31101  // a button whose command the frame handles
#define IDC_DOCKTEST_LOCKED   31102  // a button the frame's update handler disables
#define IDC_DOCKTEST_TEXT     31103  // an edit control
#define IDS_DOCKTEST_PANE     31104  // an indicator pane's text
