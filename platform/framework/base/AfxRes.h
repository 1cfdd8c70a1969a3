// Resource ids of the framework: standard commands (menus and accelerators
// use them), and the framework's own string-table texts. Included by the
// resource script's header, so the .rc file and the code share them.
#pragma once

// Standard commands
#ifndef ID_FILE_NEW
#define ID_FILE_NEW             0xE100
#define ID_FILE_OPEN            0xE101
#define ID_FILE_CLOSE           0xE102
#define ID_FILE_SAVE            0xE103
#define ID_FILE_SAVE_AS         0xE104
#define ID_FILE_PAGE_SETUP      0xE105
#define ID_FILE_PRINT_SETUP     0xE106
#define ID_FILE_PRINT           0xE107
#define ID_FILE_PRINT_DIRECT    0xE108
#define ID_FILE_PRINT_PREVIEW   0xE109
#define ID_FILE_UPDATE          0xE10A
#define ID_FILE_SAVE_COPY_AS    0xE10B
#define ID_FILE_SEND_MAIL       0xE10C

#define ID_FILE_MRU_FIRST       0xE110
#define ID_FILE_MRU_FILE1       0xE110
#define ID_FILE_MRU_FILE2       0xE111
#define ID_FILE_MRU_FILE3       0xE112
#define ID_FILE_MRU_FILE4       0xE113
#define ID_FILE_MRU_FILE5       0xE114
#define ID_FILE_MRU_FILE6       0xE115
#define ID_FILE_MRU_FILE7       0xE116
#define ID_FILE_MRU_FILE8       0xE117
#define ID_FILE_MRU_FILE9       0xE118
#define ID_FILE_MRU_FILE10      0xE119
#define ID_FILE_MRU_FILE11      0xE11A
#define ID_FILE_MRU_FILE12      0xE11B
#define ID_FILE_MRU_FILE13      0xE11C
#define ID_FILE_MRU_FILE14      0xE11D
#define ID_FILE_MRU_FILE15      0xE11E
#define ID_FILE_MRU_FILE16      0xE11F
#define ID_FILE_MRU_LAST        0xE11F

#define ID_EDIT_CLEAR           0xE120
#define ID_EDIT_CLEAR_ALL       0xE121
#define ID_EDIT_COPY            0xE122
#define ID_EDIT_CUT             0xE123
#define ID_EDIT_FIND            0xE124
#define ID_EDIT_PASTE           0xE125
#define ID_EDIT_PASTE_LINK      0xE126
#define ID_EDIT_PASTE_SPECIAL   0xE127
#define ID_EDIT_REPEAT          0xE128
#define ID_EDIT_REPLACE         0xE129
#define ID_EDIT_SELECT_ALL      0xE12A
#define ID_EDIT_UNDO            0xE12B
#define ID_EDIT_REDO            0xE12C

#define ID_WINDOW_NEW           0xE130
#define ID_WINDOW_ARRANGE       0xE131
#define ID_WINDOW_CASCADE       0xE132
#define ID_WINDOW_TILE_HORZ     0xE133
#define ID_WINDOW_TILE_VERT     0xE134
#define ID_WINDOW_SPLIT         0xE135

#define ID_APP_ABOUT            0xE140
#define ID_APP_EXIT             0xE141
#define ID_HELP_INDEX           0xE142
#define ID_HELP_FINDER          0xE143
#define ID_HELP_USING           0xE144
#define ID_CONTEXT_HELP         0xE145
#define ID_HELP                 0xE146
#define ID_DEFAULT_HELP         0xE147

#define ID_NEXT_PANE            0xE150
#define ID_PREV_PANE            0xE151

#define ID_VIEW_TOOLBAR         0xE800
#define ID_VIEW_STATUS_BAR      0xE801
#define ID_VIEW_REBAR           0xE804
#endif

// Panes of the status bar: a separator (the message pane) and the key
// indicators, whose strings give the text (and width) each pane shows.
#ifndef ID_SEPARATOR
#define ID_SEPARATOR            0
#endif
#ifndef ID_INDICATOR_EXT
#define ID_INDICATOR_EXT        0xE700
#define ID_INDICATOR_CAPS       0xE701
#define ID_INDICATOR_NUM        0xE702
#define ID_INDICATOR_SCRL       0xE703
#define ID_INDICATOR_OVR        0xE704
#define ID_INDICATOR_REC        0xE705
#define ID_INDICATOR_KANA       0xE706
#endif

// Framework texts
#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE       0xE000
#endif
#ifndef AFX_IDS_IDLEMESSAGE
#define AFX_IDS_IDLEMESSAGE     0xE001
#define AFX_IDS_HELPMODEMESSAGE 0xE002
#endif
// The text of the close item of a floating frame's system menu.
#ifndef AFX_IDS_HIDE
#define AFX_IDS_HIDE            0xF011
#endif

// Prompts of the data exchange checks and of failed commands
#ifndef AFX_IDP_PARSE_INT
#define AFX_IDP_PARSE_INT           0xF110
#define AFX_IDP_PARSE_REAL          0xF111
#define AFX_IDP_PARSE_INT_RANGE     0xF112
#define AFX_IDP_PARSE_REAL_RANGE    0xF113
#define AFX_IDP_PARSE_STRING_SIZE   0xF114
#define AFX_IDP_PARSE_RADIO_BUTTON  0xF115
#define AFX_IDP_PARSE_BYTE          0xF116
#define AFX_IDP_PARSE_UINT          0xF117
#define AFX_IDP_COMMAND_FAILURE     0xF118
#define AFX_IDP_INTERNAL_FAILURE    0xF119
#endif
