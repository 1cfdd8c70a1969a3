// Resource ids of the curve-fit bar: its dialog template and controls, the
// context menu of its grids, the copy button's icon and the tool tips (a
// control's tip is the string of the control's own id).
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif

#define IDD_CURVEFIT                    207   // "Curve Fit"
#define IDI_CURVEFIT_COPY               255   // the "->" button's arrow
#define IDR_CURVEFIT_CONTEXT            257   // "Data Context": the grids' context menu

// Controls of the template
#define IDC_CURVEFIT_COPY               1279  // "->": calculated coefficients into the component
#define IDC_CURVEFIT_CURRENT            1298  // grid of the component's coefficients
#define IDC_CURVEFIT_DATA               1299  // grid of the typed points
#define IDC_CURVEFIT_FIT                1318  // "Fit Curve"
#define IDC_CURVEFIT_TYPE               1319  // curve type combo
#define IDC_CURVEFIT_FLOW_UNIT          1325  // flow (radius) unit combo
#define IDC_CURVEFIT_EQUATION_FRAME     1326  // "Equation"
#define IDC_CURVEFIT_CALCULATED_LABEL   1345  // "Calculated:"
#define IDC_CURVEFIT_CURRENT_LABEL      1346  // "Current:"
#define IDC_CURVEFIT_PRESSURE_UNIT      1413  // pressure unit combo
#define IDC_CURVEFIT_RESULTS            1437  // grid of the calculated coefficients
#define IDC_CURVEFIT_EQUATION           1438  // the equation (rich text)
#define IDC_CURVEFIT_FLOW_LABEL         1442  // "Flow" or "Radius"
#define IDC_CURVEFIT_PRESSURE_LABEL     1443  // "Pressure"
#define IDC_CURVEFIT_CHART              1472  // the plot

// Tool tips of the unit combos (the other tips have their control's id)
#define IDS_CURVEFIT_TIP_FLOW_UNITS     1320  // "Flow units"
#define IDS_CURVEFIT_TIP_RADIUS_UNITS   1444  // "Radius units"

// Commands of the context menu
#define ID_CURVEFIT_COPY_CELLS          32797  // "&Copy"
#define ID_CURVEFIT_PASTE_CELLS         32798  // "Paste"
