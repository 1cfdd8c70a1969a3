// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDR_MAINFRAME                   128

// String table: framework texts
#define AFX_IDS_APP_TITLE               0xE000
