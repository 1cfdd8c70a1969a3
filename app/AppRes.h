// Resource ids of the application: its frames, menus, accelerators, icons and
// version; the About, Units and Setup Options dialogs; the merge and clean
// dialogs; the commands of the menus and toolbars; and the messages, titles
// and prompts of the application, the document, the view and the frames.
// Kept to preprocessor definitions so that the resource script can include
// this file.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif

// ---- Frames: menu, accelerators, icon and title string of each ------------
#define IDR_MAINFRAME                   128   // the main frame (no database open)
#define IDR_KELVARTYPE                  261   // the document template (a database window)
#define IDR_TOOLBAR_CONTEXT             258   // the toolbars' context menu
#define IDR_GRID_CONTEXT                256   // the grids' context menus

// ---- Dialogs ------------------------------------------------------------------
#define IDD_ABOUTBOX                    200
#define IDD_KELVARON_FORM               208   // the main view
#define IDD_OPTIONS                     218
#define IDD_UNITS                       225

// Setup Options dialog
#define IDC_OPT_NO_UPDATE_WARNING       1501  // checked: warn about components not updated
#define IDC_OPT_NO_DELETE_WARNING       1499  // checked: ask before deleting
#define IDC_OPT_NO_ERROR_REPORT         1500  // checked: report internal structure errors
#define IDC_OPT_MAXIMIZE_APP            1364
#define IDC_OPT_MAXIMIZE_DATABASE       1365
#define IDC_OPT_OPEN_ON_STARTUP         1381
#define IDC_OPT_DEFAULT_DATABASE        1435
#define IDC_OPT_LAST_DATABASE           1436
#define IDC_OPT_SHOW_QUERY_TAB          1439
#define IDC_OPT_EXECUTE_SELECT          1317
// (1440 and 1441 name controls of the Merge dialog too: ids count per dialog.)
#define IDC_OPT_NO_CURVE_FROM_TAB       1440
#define IDC_OPT_NO_UNITS_FROM_CURVE     1441
#define IDC_OPT_CHARSET                 1266

// Units dialog: one combo box per quantity, the presets
#define IDC_UNITS_DISTANCE              1308
#define IDC_UNITS_DIAMETER              1304
#define IDC_UNITS_ELEVATION             1316
#define IDC_UNITS_DEPTH                 1301
#define IDC_UNITS_PAPER                 1366
#define IDC_UNITS_AREA                  1006
#define IDC_UNITS_VOLUME                1498
#define IDC_UNITS_VELOCITY              1497
#define IDC_UNITS_OUTLET_FLOW           1382
#define IDC_UNITS_SYSTEM_FLOW           1449
#define IDC_UNITS_FLOW_PER_LENGTH       1321
#define IDC_UNITS_PRESSURE              1412
#define IDC_UNITS_INTENSITY             1344
#define IDC_UNITS_ANGLE                 1001
#define IDC_UNITS_METRIC                1367
#define IDC_UNITS_US                    1482

// The main view's form: the tabs of the tables, the line that names the
// assembly or outlet being worked on (or the saved queries), the places of
// the main grid and of the side tab window, and the query pane.
#define IDC_VIEW_NAME                   1008
#define IDC_VIEW_SIDE_TABS              1009
#define IDC_VIEW_CAPTION                1289
#define IDC_VIEW_MAIN_GRID              1327
#define IDC_VIEW_QUERIES                1433
#define IDC_VIEW_QUERY_PANE             1434
#define IDC_VIEW_TABS                   1450

// About dialog
#define IDC_ABOUT_VERSION               1010

// ---- Merge Databases and Clean Database Fields dialogs -------------------------
#define IDD_MERGE_DATABASES             214
#define IDD_CLEAN_DATABASE              202
// (1440 and 1441 name controls of the Setup Options dialog too.)
#define IDC_MERGE_SOURCE_PATH           1440
#define IDC_MERGE_SOURCE_BROWSE         1441
#define IDC_MERGE_TARGET_PATH           1303
#define IDC_MERGE_TARGET_BROWSE         1309
#define IDC_DB_PROGRESS                 1417
#define IDC_CLEAN_PATH                  1312
#define IDC_CLEAN_BROWSE                1020
#define IDC_CLEAN_PROGRESS_GROUP        1508
#define IDS_MERGE_CLOSE                 376
#define IDS_MERGE_BUTTON                512
#define IDS_MERGE_COMPLETE              513
#define IDS_CLEAN_BACKUP_FAILED         553
#define IDS_CLEAN_PROGRESS              635
#define IDS_CLEAN_CLEANING              636
#define IDS_CLEAN_DONE                  637
#define IDS_MERGE_NOT_RUN               9804
#define IDS_MERGE_STOPPED_REPORT        9805
#define IDS_MERGE_REFUSED_REPORT        9806
#define IDS_MERGE_COMPLETE_NO_REPORT    9807
#define IDS_MERGE_STOPPED_NO_REPORT     9808
#define IDS_DB_FILE_FILTER              9809
#define IDS_DATABASE_NOT_FOUND          9810
#define IDS_NEW_DATABASE_FAILED         9811
#define IDS_COPY_COLUMN_MISSING         9812
#define IDS_MERGE_FAILURES_REPORT       9813
#define IDS_MERGE_FAILURES_NO_REPORT    9814
#define IDS_MERGE_USER_STOP_REPORT      9815
#define IDS_MERGE_USER_STOP_NO_REPORT   9816

// ---- Commands -----------------------------------------------------------------
#define ID_ADD_COMPONENT                32771
#define ID_ADD_NOZZLE                   32772
#define ID_ADD_TO_ASSEMBLY              32773
#define ID_CLOSE_RESTORING              32774
#define ID_FIT_TO_CONTENT               32775
#define ID_FIT_TO_WINDOW                32776
#define ID_STRETCH_TO_FIT               32777
#define ID_NEW_ASSEMBLY                 32778
#define ID_CUSTOMIZE                    32780
#define ID_DELETE_COMPONENT             32781
#define ID_EDIT_ASSEMBLY_ITEM           32782
#define ID_EDIT_ASSEMBLY                32783
#define ID_COPY_COMPONENT               32784
#define ID_FIND_NEXT                    32785
#define ID_FIND_PREVIOUS                32786
#define ID_EDIT_COMPONENT               32787
#define ID_EDIT_NOZZLE_ITEM             32788
#define ID_EDIT_NOZZLES                 32789
#define ID_EDIT_OUTLET_ITEM             32790
#define ID_PASTE_COMPONENT              32791
#define ID_UNDO_RECORD                  32792
#define ID_FILE_MERGE                   32793
#define ID_FIND_BOX                     32795
#define ID_FINISH_ASSEMBLY              32796
#define ID_HELP_CONTENTS                32799
#define ID_DELETE_QUERY                 32800
#define ID_EXECUTE_QUERY                32801
#define ID_RELOAD_QUERIES               32802
#define ID_SAVE_QUERY                   32803
#define ID_REMOVE_FROM_ASSEMBLY         32804
#define ID_REMOVE_NOZZLE                32805
#define ID_CLOSE_KEEPING                32806
#define ID_TOOLS_CLEAN_FIELDS           32808
#define ID_DELETE_ORPHAN_NOZZLES        32810
#define ID_TOOLS_LANGUAGE               32811
#define ID_TOOLS_OPTIONS                32812
#define ID_TOOLS_UNITS                  32813
#define ID_CURVE_FIT                    32816

// Toolbars (bar ids) and the find box control
#define IDW_TOOLBAR_FILE                59397
#define IDW_TOOLBAR_FIND                59398
#define IDW_TOOLBAR_COMPONENT           59399
#define IDW_TOOLBAR_QUERY               59400
#define IDC_FIND_BOX                    1267

// ---- Strings --------------------------------------------------------------------
// Messages of the application, the document, the frames and the view.
#define IDS_NEW_DATABASE_TABLES         272
#define IDS_ADDING_NOZZLES_TO           274
#define IDS_ASSEMBLY_ITEMS              283
#define IDS_RESTORE_FAILED              357
#define IDS_RESTORE_FAILED_END          358
#define IDS_SAVE_COPY_FAILED            359
#define IDS_SAVE_BEFORE_DETAILS         371
#define IDS_SAVE_DATABASE_CHANGES       372
#define IDS_SAVE_ALL_CHANGES            373
#define IDS_SAVE_EDITED_COMPONENT       374
#define IDS_SAVE_CURRENT_RECORD         375
#define IDS_CREATING_ASSEMBLY           406
#define IDS_DELETE_THEM                 419
#define IDS_EDITING_ASSEMBLY            457
#define IDS_ALREADY_RUNNING             458
#define IDS_BACKUP_FAILED               467
#define IDS_BACKUP_FAILED_END           468
#define IDS_NO_PROGRAM_PATH             469
#define IDS_TOOLBAR_FILE                473
#define IDS_TOOLBAR_FIND                474
#define IDS_FINISH_ASSEMBLY_FIRST       475
#define IDS_FINISH_EDITING              476
#define IDS_FINISH_NOZZLES_FIRST        477
#define IDS_HIDE_TOOLBAR                483
#define IDS_ASSEMBLY_EMPTY              492
#define IDS_NO_HTML_HELP                554
#define IDS_ORPHAN_NOZZLES              561
#define IDS_OUTLET_ASSEMBLY_NEEDS_OUTLET 569
#define IDS_QUERY_AFFECTS               587
#define IDS_DELETE_QUERY                588
#define IDS_QUERY_NAME                  590
#define IDS_QUERY_EXISTS                591
#define IDS_PLEASE_RESTART              598
#define IDS_BACKUP_SAVED                599
#define IDS_BACKUP_SAVED_END            600
#define IDS_SHOW_TOOLBAR                602
#define IDS_NO_COMPONENT_DATA           616
#define IDS_QUERY_MODIFIED              639
#define IDS_NO_SKELETON                 640
#define IDS_COPYING                     641
#define IDS_WAREHOUSE_CODE_WIDEN_FAILED 642
#define IDS_SAVE_COPY_NO_SKELETON       646
#define IDS_SAVE_COPY_NO_ACCDB          647
#define IDS_CUSTOMIZE                   20538   // the toolbars' customise sheet keeps its text

// Titles of the view's tabs (Query: IDS_TABLE_QUERY, 586).
#define IDS_TAB_PIPES                   574
#define IDS_TAB_TAPES                   611
#define IDS_TAB_VALVES                  630
#define IDS_TAB_OTHER_HYDRAULICS        565
#define IDS_TAB_LATERAL_TAKE_OFFS       499
#define IDS_TAB_COUPLERS                391
#define IDS_TAB_ELBOWS                  460
#define IDS_TAB_TEES                    613
#define IDS_TAB_CROSSES                 408
#define IDS_TAB_PUMPS                   585
#define IDS_TAB_OUTLETS                 572
#define IDS_TAB_OUTLET_CONNECTIONS      568
#define IDS_TAB_WIRES                   633
#define IDS_TAB_CONTROLLERS             389
#define IDS_TAB_LIGHTS                  502
#define IDS_TAB_OTHER_ELECTRICS         564
#define IDS_TAB_MISCELLANEOUS           529
#define IDS_TAB_NOZZLES                 559

// Tool tips of Add, Edit and Delete by table type (0, 1, 2, 3/15/16, 4 ... 14, 17).
#define IDS_TIP_ADD_PIPE                547
#define IDS_TIP_ADD_TAPE                549
#define IDS_TIP_ADD_VALVE               551
#define IDS_TIP_ADD_ITEM                541
#define IDS_TIP_ADD_LTO                 543
#define IDS_TIP_ADD_COUPLER             539
#define IDS_TIP_ADD_BEND                536
#define IDS_TIP_ADD_TEE                 550
#define IDS_TIP_ADD_CROSS               540
#define IDS_TIP_ADD_PUMP                548
#define IDS_TIP_ADD_OUTLET              546
#define IDS_TIP_ADD_OUT_CON             545
#define IDS_TIP_ADD_WIRE                552
#define IDS_TIP_ADD_CONTROLLER          538
#define IDS_TIP_ADD_LIGHT               542
#define IDS_TIP_ADD_NOZZLE              544
#define IDS_TIP_EDIT_PIPE               450
#define IDS_TIP_EDIT_TAPE               452
#define IDS_TIP_EDIT_VALVE              454
#define IDS_TIP_EDIT_ITEM               445
#define IDS_TIP_EDIT_LTO                447
#define IDS_TIP_EDIT_COUPLER            443
#define IDS_TIP_EDIT_BEND               441
#define IDS_TIP_EDIT_TEE                453
#define IDS_TIP_EDIT_CROSS              444
#define IDS_TIP_EDIT_PUMP               451
#define IDS_TIP_EDIT_OUTLET             449
#define IDS_TIP_EDIT_OUT_CON            439
#define IDS_TIP_EDIT_WIRE               455
#define IDS_TIP_EDIT_CONTROLLER         442
#define IDS_TIP_EDIT_LIGHT              446
#define IDS_TIP_EDIT_NOZZLE             448
#define IDS_TIP_DELETE_PIPE             430
#define IDS_TIP_DELETE_TAPE             432
#define IDS_TIP_DELETE_VALVE            434
#define IDS_TIP_DELETE_ITEM             424
#define IDS_TIP_DELETE_LTO              426
#define IDS_TIP_DELETE_COUPLER          422
#define IDS_TIP_DELETE_BEND             420
#define IDS_TIP_DELETE_TEE              433
#define IDS_TIP_DELETE_CROSS            423
#define IDS_TIP_DELETE_PUMP             431
#define IDS_TIP_DELETE_OUTLET           429
#define IDS_TIP_DELETE_OUT_CON          428
#define IDS_TIP_DELETE_WIRE             435
#define IDS_TIP_DELETE_CONTROLLER       421
#define IDS_TIP_DELETE_LIGHT            425
#define IDS_TIP_DELETE_NOZZLE           427
// Texts of Edit Nozzles and of the side grids' edit command.
#define IDS_EDIT_NOZZLE                 438
#define IDS_EDIT_QUANTITY               440
// A tab's tool tip while the query pane is shown.
#define IDS_TAB_DATABASE_NUMBER_TIP     9900
// Help asked for while no help file can be opened.
#define IDS_NO_HELP                     9901
