#include "editors/curvefit/CurveFitNotify.h"

const UINT WM_DETAILDLGNOTIFY = ::RegisterWindowMessageA("WM_DETAILDLGNOTIFY");
