// The headers nearly every source of the tree includes, compiled once for the
// whole build (cmake/Kelvaron.cmake). Only stable, widely used headers belong
// here: every source is compiled as if it included this file first.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework/Framework.h"
