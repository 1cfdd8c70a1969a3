// The grid library: one header for the program's grids.
#pragma once

#include "platform/grid/GRDefs.h"
#include "platform/grid/GRRange.h"
#include "platform/grid/GRStyle.h"
#include "platform/grid/GRParam.h"
#include "platform/grid/GRCore.h"
#include "platform/grid/GRControl.h"
#include "platform/grid/GRBrowse.h"
#include "platform/grid/GRGridWnd.h"
#include "platform/grid/GRODBCGrid.h"
#include "platform/grid/GRTabWnd.h"
#include "platform/grid/GRApp.h"
