// Resource ids of the print preview: its commands and texts. Kept free of
// C++ so that the resource script can include it.
#pragma once

// Commands of the preview's buttons.
#ifndef AFX_ID_PREVIEW_CLOSE
#define AFX_ID_PREVIEW_CLOSE        0xE300
#define AFX_ID_PREVIEW_NEXT         0xE302
#define AFX_ID_PREVIEW_PREV         0xE303
#define AFX_ID_PREVIEW_PRINT        0xE304
#endif

// Texts: the buttons, the page line and the message when there is no printer.
#ifndef AFX_IDS_PREVIEW_PRINT
#define AFX_IDS_PREVIEW_PRINT       0xE320
#define AFX_IDS_PREVIEW_NEXT        0xE321
#define AFX_IDS_PREVIEW_PREV        0xE322
#define AFX_IDS_PREVIEW_CLOSE       0xE323
#define AFX_IDS_PREVIEW_PAGE        0xE324
#define AFX_IDP_NO_PRINTER          0xF130
#endif
