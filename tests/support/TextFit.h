// Whether a control's text fits it: measured with the control's own font on
// a device context, by the way its class draws the text (a static control
// on one line or broken into lines, a push button inside its edges, a check
// box or radio button after its box, a group box's caption in its frame).
#pragma once

#include <windows.h>

#include <string>

namespace kvtest {

struct TextFit
{
    bool bMeasured = false;       // a text control with a text
    int nNeedX = 0, nNeedY = 0;   // the room the text needs
    int nHaveX = 0, nHaveY = 0;   // the room the control gives it
    bool Fits() const { return nNeedX <= nHaveX && nNeedY <= nHaveY; }
    // "control 1042 "Flow" needs 30 x 13 pixels, has 22 x 13".
    std::string Describe(HWND hCtrl) const;
};

TextFit MeasureTextFit(HWND hCtrl);

} // namespace kvtest
