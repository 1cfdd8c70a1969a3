// Resource ids of the component editors: the template of each kind, the
// controls of each template (besides those every editor shares, in
// editors/base/window/EditorBaseRes.h) and the editors' texts. Controls
// with the same meaning share one id across the templates.
#pragma once

// Templates, one per kind of component.
#define IDD_BEND_EDITOR             201     // "Elbow and Bend"
#define IDD_CONTROLLER_EDITOR       204     // "Controller"
#define IDD_COUPLER_EDITOR          205     // "Coupler"
#define IDD_CROSS_EDITOR            206     // "Cross Junction"
#define IDD_ELECTRIC_EDITOR         209     // "Electric Item"
#define IDD_HYDRAULIC_EDITOR        210     // "Hydraulic Item"
#define IDD_LIGHT_EDITOR            211     // "Light"
#define IDD_TAKE_OFF_EDITOR         213     // "Lateral Take Off"
#define IDD_MISC_EDITOR             215     // "Miscellaneous Item"
#define IDD_NOZZLE_EDITOR           216     // "Nozzle"
#define IDD_OUTLET_CONNECTION_EDITOR 219    // "Outlet Connector"
#define IDD_OUTLET_EDITOR           220     // "Outlet"
#define IDD_PIPE_EDITOR             221     // "Pipe"
#define IDD_PUMP_EDITOR             222     // "Pump"
#define IDD_TAPE_EDITOR             223     // "Tape"
#define IDD_TEE_EDITOR              224     // "Tee Junction"
#define IDD_VALVE_EDITOR            226     // "Control Valve"
#define IDD_WIRE_EDITOR             227     // "Wire"

// Unit captions beside the values.
#define IDC_DIAMETER_UNIT           1305    // the diameter unit, when it is millimetres
#define IDC_DIAMETER_UNIT2          1306
#define IDC_DIAMETER_UNIT3          1307
#define IDC_PRESSURE_UNIT           1408
#define IDC_PRESSURE_UNIT2          1409
#define IDC_PRESSURE_UNIT3          1410
#define IDC_PRESSURE_UNIT4          1411
#define IDC_PRESSURE_UNIT5          1412
#define IDC_ANGLE_UNIT              1003
#define IDC_FLOW_PER_LENGTH_UNIT    1324
#define IDC_LENGTH_UNIT             1349
#define IDC_LENGTH_UNIT2            1347
#define IDC_LENGTH_UNIT3            1348
#define IDC_LARGE_FLOW_UNIT         1322
#define IDC_LARGE_FLOW_UNIT2        1323

// Elbow and bend.
#define IDC_BEND_ANGLE              1011
#define IDC_BEND_MAJOR_DIAMETER     1012
#define IDC_BEND_MAJOR_CODE         1013
#define IDC_BEND_MAJOR_GENDER       1014
#define IDC_BEND_MAJOR_SUFFIX       1015
#define IDC_BEND_MINOR_DIAMETER     1016
#define IDC_BEND_MINOR_CODE         1017
#define IDC_BEND_MINOR_GENDER       1018
#define IDC_BEND_MINOR_SUFFIX       1019

// Coupler.
#define IDC_COUPLER_MAJOR_DIAMETER  1281
#define IDC_COUPLER_MAJOR_CODE      1282
#define IDC_COUPLER_MAJOR_GENDER    1283
#define IDC_COUPLER_MAJOR_SUFFIX    1284
#define IDC_COUPLER_MINOR_DIAMETER  1285
#define IDC_COUPLER_MINOR_CODE      1286
#define IDC_COUPLER_MINOR_GENDER    1287
#define IDC_COUPLER_MINOR_SUFFIX    1288

// Cross junction.
#define IDC_CROSS_MAJOR_DIAMETER    1290
#define IDC_CROSS_MAJOR_CODE        1291
#define IDC_CROSS_MAJOR_GENDER      1292
#define IDC_CROSS_MAJOR_SUFFIX      1293
#define IDC_CROSS_MINOR_DIAMETER    1294
#define IDC_CROSS_MINOR_CODE        1295
#define IDC_CROSS_MINOR_GENDER      1296
#define IDC_CROSS_MINOR_SUFFIX      1297

// Tee junction.
#define IDC_TEE_MAJOR_DIAMETER      1473
#define IDC_TEE_MAJOR_CODE          1474
#define IDC_TEE_MAJOR_GENDER        1475
#define IDC_TEE_MAJOR_SUFFIX        1476
#define IDC_TEE_MINOR_DIAMETER      1477
#define IDC_TEE_MINOR_CODE          1478
#define IDC_TEE_MINOR_GENDER        1479
#define IDC_TEE_MINOR_SUFFIX        1480

// Lateral take-off.
#define IDC_TAKE_OFF_LATERAL        1358
#define IDC_TAKE_OFF_PIPE_TYPE      1359
#define IDC_TAKE_OFF_MINOR_CODE     1360
#define IDC_TAKE_OFF_MINOR_GENDER   1361
#define IDC_TAKE_OFF_MINOR_SUFFIX   1362
#define IDC_TAKE_OFF_SUBMAIN        1363

// Miscellaneous item.
#define IDC_MISC_SIZE1              1368
#define IDC_MISC_SIZE2              1369

// Pipe.
#define IDC_PIPE_ACTUAL_DIAMETER    1403
#define IDC_PIPE_NOMINAL_DIAMETER   1404
#define IDC_PIPE_ALLOWABLE_PRESSURE 1405
#define IDC_PIPE_ROUGHNESS          1406
#define IDC_PIPE_TYPE               1407

// Tape.
#define IDC_TAPE_ACTUAL_DIAMETER    1451
#define IDC_TAPE_ITERATION          1452    // check box "Iteration"
#define IDC_TAPE_COEFFICIENT1       1453
#define IDC_TAPE_COV                1454
#define IDC_TAPE_DEFAULT_PRESSURE   1455
#define IDC_TAPE_COEFFICIENT2       1456
#define IDC_TAPE_MAXIMUM_PRESSURE   1457
#define IDC_TAPE_MINIMUM_PRESSURE   1458
#define IDC_TAPE_NOMINAL_DIAMETER   1459
#define IDC_TAPE_DISCHARGE_RATE     1460
#define IDC_TAPE_COEFFICIENT3       1461
#define IDC_TAPE_ALLOWABLE_PRESSURE 1462
#define IDC_TAPE_ROUGHNESS          1463
#define IDC_TAPE_COEFFICIENT4       1464    // slope factor, or spacing when iterated
#define IDC_TAPE_CAPTION1           1465
#define IDC_TAPE_CAPTION2           1466
#define IDC_TAPE_CAPTION3           1467
#define IDC_TAPE_CAPTION4           1468
#define IDC_TAPE_PIPE_TYPE          1469
#define IDC_TAPE_ZONE_ABOVE         1470
#define IDC_TAPE_ZONE_BELOW         1471
#define IDC_TAPE_MINIMUM_PC_PRESSURE 1507

// Wire.
#define IDC_WIRE_RESISTANCE_UNIT    1380
#define IDC_WIRE_RESISTANCE         1503
#define IDC_WIRE_NOMINAL_SIZE       1504
#define IDC_WIRE_TYPE               1505
#define IDC_WIRE_VOLTAGE            1506

// Control valve.
#define IDC_VALVE_CONSTANT          1484
#define IDC_VALVE_INDEX             1485
#define IDC_VALVE_INTERCEPT         1486
#define IDC_VALVE_INLET_DIAMETER    1487
#define IDC_VALVE_INLET_CODE        1488
#define IDC_VALVE_INLET_GENDER      1489
#define IDC_VALVE_INLET_SUFFIX      1490
#define IDC_VALVE_MAXIMUM_FLOW      1491
#define IDC_VALVE_MINIMUM_FLOW      1492
#define IDC_VALVE_OUTLET_DIAMETER   1493
#define IDC_VALVE_OUTLET_CODE       1494
#define IDC_VALVE_OUTLET_GENDER     1495
#define IDC_VALVE_OUTLET_SUFFIX     1496

// Hydraulic item.
#define IDC_HYDRAULIC_FITTING_TYPE  1328
#define IDC_HYDRAULIC_CONSTANT      1329
#define IDC_HYDRAULIC_INDEX         1330
#define IDC_HYDRAULIC_INTERCEPT     1331
#define IDC_HYDRAULIC_INLET_DIAMETER 1332
#define IDC_HYDRAULIC_INLET_CODE    1333
#define IDC_HYDRAULIC_INLET_GENDER  1334
#define IDC_HYDRAULIC_INLET_SUFFIX  1335
#define IDC_HYDRAULIC_MAXIMUM_FLOW  1336
#define IDC_HYDRAULIC_MINIMUM_FLOW  1337
#define IDC_HYDRAULIC_OUTLET_DIAMETER 1338
#define IDC_HYDRAULIC_OUTLET_CODE   1339
#define IDC_HYDRAULIC_OUTLET_GENDER 1340
#define IDC_HYDRAULIC_OUTLET_SUFFIX 1341

// Pump.
#define IDC_PUMP_A                  1419
#define IDC_PUMP_B                  1420
#define IDC_PUMP_C                  1421
#define IDC_PUMP_INLET_DIAMETER     1422
#define IDC_PUMP_INLET_CODE         1423
#define IDC_PUMP_INLET_GENDER       1424
#define IDC_PUMP_INLET_SUFFIX       1425
#define IDC_PUMP_MAXIMUM_FLOW       1426
#define IDC_PUMP_MINIMUM_FLOW       1427
#define IDC_PUMP_OUTLET_DIAMETER    1428
#define IDC_PUMP_OUTLET_CODE        1429
#define IDC_PUMP_OUTLET_GENDER      1430
#define IDC_PUMP_OUTLET_SUFFIX      1431

// Outlet.
#define IDC_OUTLET_TOLERANCE_CAPTION  1000  // "Flow Tolerance" / "Pressure Tolerance"
#define IDC_OUTLET_ARC_UNIT         1002    // the angle unit, or the flow unit
#define IDC_OUTLET_ARC_CAPTION      1004    // "Default Watering Arc" / "Default Flow"
#define IDC_OUTLET_ARC_TYPE         1005
#define IDC_OUTLET_TOLERANCE_CAPTION2 1010
#define IDC_OUTLET_DEFAULT_PRESSURE 1394
#define IDC_OUTLET_DEFAULT_ARC      1395    // an angle, or a flow for a demand point
#define IDC_OUTLET_TOLERANCE_ABOVE  1396
#define IDC_OUTLET_TOLERANCE_BELOW  1397
#define IDC_OUTLET_INLET_DIAMETER   1398
#define IDC_OUTLET_INLET_CODE       1399
#define IDC_OUTLET_INLET_GENDER     1400
#define IDC_OUTLET_INLET_SUFFIX     1401
#define IDC_OUTLET_DEFAULT_NOZZLE   1402

// Nozzle.
#define IDC_NOZZLE_ARC              1370
#define IDC_NOZZLE_FLOW_CONSTANT    1371
#define IDC_NOZZLE_COV              1372
#define IDC_NOZZLE_FLOW_INDEX       1374
#define IDC_NOZZLE_MAXIMUM_PRESSURE 1375
#define IDC_NOZZLE_MINIMUM_PRESSURE 1376
#define IDC_NOZZLE_RADIUS_CONSTANT  1377
#define IDC_NOZZLE_RADIUS_INDEX     1378

// Outlet connector.
#define IDC_OUTCON_EQUIVALENT_DIAMETER 1383
#define IDC_OUTCON_HEIGHT           1384
#define IDC_OUTCON_EQUIVALENT_LENGTH 1385
#define IDC_OUTCON_INLET_DIAMETER   1386
#define IDC_OUTCON_INLET_CODE       1387
#define IDC_OUTCON_INLET_GENDER     1388
#define IDC_OUTCON_INLET_SUFFIX     1389
#define IDC_OUTCON_OUTLET_DIAMETER  1390
#define IDC_OUTCON_OUTLET_CODE      1391
#define IDC_OUTCON_OUTLET_GENDER    1392
#define IDC_OUTCON_OUTLET_SUFFIX    1393

// Electric item, light and controller.
#define IDC_CONTROLLER_STATIONS     1277
#define IDC_ELECTRIC_RATING         1313
#define IDC_ELECTRIC_VOLTAGE        1315
#define IDC_LIGHT_RATING            1351
#define IDC_LIGHT_TOLERANCE_ABOVE   1352
#define IDC_LIGHT_TOLERANCE_BELOW   1353
#define IDC_LIGHT_VOLTAGE           1354

// Texts.
#define IDS_ARC_DEMAND_POINT        275
#define IDS_ARC_FIXED               276
#define IDS_ARC_MATCHED             277
#define IDS_ARC_VARIABLE            278
#define IDS_TAPE_CONSTANT           386
#define IDS_ASSEMBLY_BEND           392
#define IDS_ASSEMBLY_CONTROLLER     393
#define IDS_ASSEMBLY_COUPLER        394
#define IDS_ASSEMBLY_CROSS          395
#define IDS_ASSEMBLY_ELECTRIC       396
#define IDS_ASSEMBLY_HYDRAULIC      397
#define IDS_ASSEMBLY_LIGHT          398
#define IDS_ASSEMBLY_TAKE_OFF       399
#define IDS_ASSEMBLY_MISC           400
#define IDS_ASSEMBLY_OUTLET_CONNECTION 401
#define IDS_ASSEMBLY_OUTLET         402
#define IDS_ASSEMBLY_PUMP           403
#define IDS_ASSEMBLY_TEE            404
#define IDS_ASSEMBLY_VALVE          405
#define IDS_DEFAULT_PRESSURE_RANGE  413     // the default pressure lies outside minimum and maximum
#define IDS_DEFAULT_WATERING_ARC    414
#define IDS_DEFAULT_FLOW            416
#define IDS_TAPE_BARB_FACTOR        462
#define IDS_TAPE_EMITTER_CONSTANT   463
#define IDS_TAPE_EMITTER_INDEX      464
#define IDS_FLOW_TOLERANCE          479
#define IDS_TAPE_LENGTH_FACTOR      500
#define IDS_DEMAND_POINT_NOZZLES    510     // a demand point loses its nozzles (Yes/No)
#define IDS_MINIMUM_FLOW_ABOVE      525     // the minimum flow exceeds the maximum
#define IDS_MINIMUM_PRESSURE_ABOVE  526     // the minimum pressure exceeds the maximum
#define IDS_TAPE_PRESSURE_FACTOR    577
#define IDS_PRESSURE_TOLERANCE      579
#define IDS_TAPE_SLOPE_FACTOR       603
#define IDS_TAPE_SPACING            604
#define IDS_INTERCEPT_KEPT          5200    // a fit without intercept leaves the valve's C as it is
