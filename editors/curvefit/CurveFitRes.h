// Resource ids of curve fitting: messages, curve type names and the names of
// the quantities in grid headings and axis titles.
#pragma once

// Fitting messages; the message of fitting error code e is id 246 + e.
#define IDS_CURVEFIT_ERROR_BASE          246
#define IDS_CURVEFIT_CANNOT_FIT          247
#define IDS_CURVEFIT_NOT_POSITIVE        248
#define IDS_CURVEFIT_TOO_FEW_POINTS      249
#define IDS_CURVEFIT_DUPLICATE_PRESSURE  251
#define IDS_CURVEFIT_DUPLICATE_FLOW      252

// Curve type names, as the curve type combo lists them.
#define IDS_CURVE_MISC_LOSS              365
#define IDS_CURVE_OUTLET_FLOW            366
#define IDS_CURVE_OUTLET_RADIUS          367
#define IDS_CURVE_PUMP_HEAD              368
#define IDS_CURVE_VALVE_LOSS             369
#define IDS_CURVE_VALVE_LOSS_INTERCEPT   370

// Quantities.
#define IDS_QUANTITY_FLOW                478
#define IDS_QUANTITY_PRESSURE            576
#define IDS_QUANTITY_PRESSURE_LOSS       578
#define IDS_QUANTITY_RADIUS              593
