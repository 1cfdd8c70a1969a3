// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDR_MAINFRAME                   128

// String table: framework texts
#define AFX_IDS_APP_TITLE               0xE000

// Framework command ids and texts (ID_FILE_NEW..., AFX_IDP_...)
#include "../platform/framework/AfxRes.h"

// ---- Units of measure: unit names and range messages -----------------------
#define IDS_UNIT_ACRES                  270
#define IDS_UNIT_ATM                    286
#define IDS_UNIT_BAR                    289
#define IDS_UNIT_CM                     377
#define IDS_UNIT_FT3                    409
#define IDS_UNIT_M3                     410
#define IDS_UNIT_DEGREES                417
#define IDS_UNIT_DEKAR                  418
#define IDS_UNIT_DUNAM                  437
#define IDS_UNIT_FEDDAN                 470
#define IDS_UNIT_FT                     471
#define IDS_UNIT_PRESSURE_FT            472
#define IDS_UNIT_FT_PER_S               480
#define IDS_UNIT_HECTARES               482
#define IDS_UNIT_MM_100                 484
#define IDS_UNIT_I_GAL                  485
#define IDS_UNIT_I_GPH                  486
#define IDS_UNIT_I_GPM                  487
#define IDS_UNIT_IN_PER_H               488
#define IDS_UNIT_IN                     489
#define IDS_UNIT_KG_PER_CM2             494
#define IDS_UNIT_KM                     495
#define IDS_UNIT_KPA                    496
#define IDS_UNIT_KPH                    497
#define IDS_UNIT_LITRES                 503
#define IDS_UNIT_LPH                    504
#define IDS_UNIT_LPH_100M               505
#define IDS_UNIT_LPH_M                  506
#define IDS_UNIT_LPM                    507
#define IDS_UNIT_LPS                    508
#define IDS_UNIT_M3_PER_H               509
#define IDS_UNIT_M                      522
#define IDS_UNIT_PRESSURE_M             523
#define IDS_UNIT_MILES                  524
#define IDS_UNIT_MM                     531
#define IDS_UNIT_MM_PER_H               532
#define IDS_UNIT_MPH                    533
#define IDS_UNIT_M_PER_S                534
#define IDS_UNIT_MU                     535
#define IDS_UNIT_POINTS                 575
#define IDS_UNIT_PSI                    582
#define IDS_UNIT_RAD                    592
#define IDS_UNIT_RAI                    594
#define IDS_UNIT_FT2                    605
#define IDS_UNIT_M2                     606
#define IDS_UNIT_THOU                   614
#define IDS_UNIT_US_GAL                 617
#define IDS_UNIT_US_GPH                 618
#define IDS_UNIT_US_GPM                 619
#define IDS_UNIT_US_GPM_100FT           620
#define IDS_UNIT_US_GPM_FT              621
#define IDS_RANGE_IS                    595
#define IDS_RECOMMENDED_MAXIMUM         596
#define IDS_RECOMMENDED_MINIMUM         597
#define IDS_TOO_MANY_CHARACTERS         634
// Test dialog of the unit-aware data exchange (used by the tests only)
#define IDD_UNITS_EXCHANGE_TEST         9300
#define IDC_UNITS_TEST_VALUE            9301
#define IDC_UNITS_TEST_TEXT             9302
// ---- end of units of measure ------------------------------------------------

// ---- Framework drawing, controls and menus (used by the tests only) -----------
#define IDR_DRAWING_TEST_MENU           9400
#define ID_DRAWING_TEST_OPEN            9401
#define ID_DRAWING_TEST_EXIT            9402
#define ID_DRAWING_TEST_HELP            9403
// ---- end of framework drawing, controls and menus ---------------------------

// ---- Framework windows and dialogs (used by the tests only) -------------------
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
// ---- end of framework windows and dialogs -----------------------------------

// ---- Component grid: table titles, column titles, unit lines, messages -------
#define IDS_TABLE_COMPONENT             380
#define IDS_TABLE_CONTROLLER            388
#define IDS_TABLE_COUPLER               390
#define IDS_TABLE_CROSS                 407
#define IDS_TABLE_ELBOW                 459
#define IDS_TABLE_ELECTRIC              461
#define IDS_TABLE_LIGHT                 501
#define IDS_TABLE_HYDRAULIC             528
#define IDS_TABLE_NOZZLE                558
#define IDS_TABLE_OUTLET                566
#define IDS_TABLE_OUTLET_CONNECTION     567
#define IDS_TABLE_PIPE                  573
#define IDS_TABLE_PUMP                  584
#define IDS_TABLE_QUERY                 586
#define IDS_TABLE_TAKE_OFF              609
#define IDS_TABLE_TAPE                  610
#define IDS_TABLE_TEE                   612
#define IDS_TABLE_VALVE                 628
#define IDS_TABLE_WIRE                  632
#define IDS_COL_ACTUAL_DIAMETER         291
#define IDS_COL_ALLOWABLE_PRESSURE      292
#define IDS_COL_ARC                     293
#define IDS_COL_ARC_TYPE                294
#define IDS_COL_BEND_ANGLE              295
#define IDS_COL_COLOR                   296
#define IDS_COL_COV                     297
#define IDS_COL_DEFAULT_ARC_FLOW        298
#define IDS_COL_DEFAULT_NOZZLE          299
#define IDS_COL_DEFAULT_PRESSURE        300
#define IDS_COL_DESCRIPTION             301
#define IDS_COL_EQUIV_LENGTH_DIAMETER   302
#define IDS_COL_EQUIV_LENGTH            303
#define IDS_COL_FITTING_TYPE            304
#define IDS_COL_FLOW_EQ_CONSTANT        305
#define IDS_COL_FLOW_EQ_INDEX           306
#define IDS_COL_HEIGHT_ABOVE_GROUND     307
#define IDS_COL_HIGH_FLOW_TOLERANCE     308
#define IDS_COL_HIGH_VOLTAGE_TOLERANCE  309
#define IDS_COL_HEADLOSS_CONSTANT       310
#define IDS_COL_HEADLOSS_INDEX          311
#define IDS_COL_HEADLOSS_INTERCEPT      312
#define IDS_COL_INLET_CONNECTION        313
#define IDS_COL_INLET_DIAMETER          314
#define IDS_COL_LABEL                   315
#define IDS_COL_LATERAL_DIAMETER        316
#define IDS_COL_LINE_TYPE               317
#define IDS_COL_LOW_FLOW_TOLERANCE      318
#define IDS_COL_LOW_VOLTAGE_TOLERANCE   319
#define IDS_COL_MAJOR_CONNECTION        320
#define IDS_COL_MAJOR_DIAMETER          321
#define IDS_COL_MAJOR_PIPE_TYPE         322
#define IDS_COL_MAXIMUM_FLOW            323
#define IDS_COL_MAXIMUM_PRESSURE        324
#define IDS_COL_MINIMUM_FLOW            325
#define IDS_COL_MINOR_CONNECTION        326
#define IDS_COL_MINOR_CONNECTION_TYPE   327
#define IDS_COL_MINOR_DIAMETER          328
#define IDS_COL_MINIMUM_PRESSURE        329
#define IDS_COL_MIN_SUBMAIN_DIAMETER    330
#define IDS_COL_NOMINAL_DIAMETER        331
#define IDS_COL_NOMINAL_SIZE            332
#define IDS_COL_NOMINAL_VOLTAGE         333
#define IDS_COL_NUMBER_OF_STATIONS      334
#define IDS_COL_OUTLET_CONNECTION       335
#define IDS_COL_OUTLET_DIAMETER         336
#define IDS_COL_PIPE_ROUGHNESS          337
#define IDS_COL_PIPE_TYPE               338
#define IDS_COL_PUMP_CURVE_A            339
#define IDS_COL_PUMP_CURVE_B            340
#define IDS_COL_PUMP_CURVE_C            341
#define IDS_COL_RADIUS_EQ_CONSTANT      342
#define IDS_COL_RADIUS_EQ_INDEX         343
#define IDS_COL_RATING                  344
#define IDS_COL_RESISTANCE              345
#define IDS_COL_RETAIL_PRICE            346
#define IDS_COL_SIZE_DIAMETER1          347
#define IDS_COL_SIZE_DIAMETER2          348
#define IDS_COL_SUPPLIER_CODE           349
#define IDS_COL_SYMBOL                  350
#define IDS_COL_SYMBOL_SIZE             351
#define IDS_COL_USAGE                   352
#define IDS_COL_VOLTAGE                 353
#define IDS_COL_WAREHOUSE_CODE          354
#define IDS_COL_WHOLESALE_COST          355
#define IDS_COL_WIRE_TYPE               356
#define IDS_COL_ORDER                   649
#define IDS_COL_FLOW_CALC               650
#define IDS_COL_EMITTER_CONSTANT        651
#define IDS_COL_EMITTER_INDEX           652
#define IDS_COL_EMITTER_BARB_FACTOR     653
#define IDS_COL_EMITTER_SPACING         654
#define IDS_COL_TAPE_DEFAULT_PRESSURE   655
#define IDS_COL_SPECIFIC_DISCHARGE      656
#define IDS_COL_TAPE_MINIMUM_PRESSURE   657
#define IDS_COL_TAPE_MAXIMUM_PRESSURE   658
#define IDS_COL_ZONE_PRESSURE_HIGH      659
#define IDS_COL_ZONE_PRESSURE_LOW       660
#define IDS_COL_MINIMUM_PC_PRESSURE     661
#define IDS_UNIT_OHM_PER_1000FT         562
#define IDS_UNIT_OHM_PER_100M           563
#define IDS_UNIT_PER_100FT              580
#define IDS_UNIT_PER_METER              581
#define IDS_COMPONENT_EXISTS            381
#define IDS_SUPPLIER_NOT_MATCHED        385
#define IDS_USAGE_REFUSED_LETTERS       623
#define IDS_USAGE_ONLY_THREE            624
#define IDS_USAGE_TOO_MANY              625
#define IDS_TEXT_TOO_LONG               626
#define IDS_DESCRIPTION_BLANK           627
#define IDS_GRID_NOT_A_NUMBER           9700
// ---- end of component grid ----------------------------------------------------
