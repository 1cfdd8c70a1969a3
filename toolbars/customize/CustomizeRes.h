// Resource ids of the toolbar customise dialogs.
#pragma once

#define IDD_OZW_TB_COMMANDS     20509   // the Commands page
#define IDD_OZW_TB_TOOLBARS_DLG 20510   // the stand-alone Toolbars dialog
#define IDD_OZW_TB_NEW          20511   // New Toolbar
#define IDD_OZW_TB_TOOLBARS     20513   // the Toolbars page

#define IDS_OZW_TB_RESET        20536   // "&Reset"
#define IDS_OZW_TB_DELETE       20537   // "&Delete"
#define IDS_OZW_TB_CUSTOMIZE    20538   // "Customize": the sheet's caption

// Controls of the Commands page.
#define IDC_OZW_TB_BUTTONS      43093   // the frame the command groups show in
#define IDC_OZW_TB_LIST         43094   // the categories; on the Toolbars page the toolbars
#define IDC_OZW_TB_DESCRIPTION  43095
// Controls of the Toolbars page and dialog, and of New Toolbar.
#define IDC_OZW_TB_NEW_NAME     43096
#define IDC_OZW_TB_NAME_LABEL   43097
#define IDC_OZW_TB_NEW          43098
#define IDC_OZW_TB_CUSTOMIZE    43099
#define IDC_OZW_TB_RESET        43100
#define IDC_OZW_TB_TOOLTIPS     43101
#define IDC_OZW_TB_NAME         43102
#define IDC_OZW_TB_LARGE        43103
#define IDC_OZW_TB_COOLLOOK     43104

#ifndef ID_HELP
#define ID_HELP                 0xE146
#endif
