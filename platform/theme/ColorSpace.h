// Conversion between RGB colours and hue, lightness and saturation on a
// scale of 0 to 240, in integers with integer rounding (the scale of the
// system's colour dialog). A grey has the hue 160.
#pragma once

#include <windows.h>

void RGBtoHLS(COLORREF colour, WORD* hue, WORD* lightness, WORD* saturation);
COLORREF HLStoRGB(WORD hue, WORD lightness, WORD saturation);
// One colour channel (0 to 240) of the HLS-to-RGB conversion; hue may lie a
// turn outside 0..240 and is brought back into it.
WORD HueToRGB(WORD m1, WORD m2, int hue);
