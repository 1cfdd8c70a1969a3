// Resource ids of the grid window tests' own dialog and grid parameters.
#pragma once

#define IDD_GRID_CONTROLS_TEST          31500
#define IDC_GRID_CONTROL_A              31501
#define IDC_GRID_CONTROL_B              31502
