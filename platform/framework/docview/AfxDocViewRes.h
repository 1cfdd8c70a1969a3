// Resource ids of the document, view and frame classes: their string-table
// texts and the command ids they reserve. Kept free of C++ so that the
// resource script can include it.
#pragma once

// Texts of the framework's document handling
#ifndef AFX_IDS_UNTITLED
#define AFX_IDS_UNTITLED            0xE010
#define AFX_IDS_OPENFILE            0xE011
#define AFX_IDS_SAVEFILE            0xE012
#define AFX_IDS_SAVEFILECOPY        0xE013
#define AFX_IDS_ALLFILTER           0xE014
#endif

// Prompts of the framework's document handling
#ifndef AFX_IDP_ASK_TO_SAVE
#define AFX_IDP_ASK_TO_SAVE         0xF120
#define AFX_IDP_FAILED_TO_OPEN_DOC  0xF121
#define AFX_IDP_FAILED_TO_SAVE_DOC  0xF122
#define AFX_IDP_FAILED_TO_CREATE_DOC 0xF123
#define AFX_IDP_INVALID_FILENAME    0xF124
#endif

// Commands of the Window menu, and the ids the MDI client gives the items
// it adds to that menu for its child windows.
#ifndef AFX_IDM_WINDOW_FIRST
#define AFX_IDM_WINDOW_FIRST        0xE130
#define AFX_IDM_WINDOW_LAST         0xE13F
#define AFX_IDM_FIRST_MDICHILD      0xFF00
#endif
