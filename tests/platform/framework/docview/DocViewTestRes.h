// Resource ids of the document/view tests' own resources.
#pragma once

#define IDR_TEST_MAINFRAME   31000  // main frame: menu, title string
#define IDR_TEST_NOTE        31001  // note documents: template string, menu, accelerators
#define IDR_TEST_FORM        31002  // note documents shown in a form: template string
#define IDD_TEST_FORM        31003  // the form
#define IDC_TEST_FORM_TEXT   31004  // its edit control
#define ID_TEST_WHO          31010  // handled by the note view
#define ID_TEST_DOC          31011  // handled by the note document
#define ID_TEST_FRAME        31012  // handled by the main frame
#define IDS_TEST_PROMPT      31013  // a command prompt with a tool tip part
