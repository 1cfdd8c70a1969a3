// What the curve-fit bar needs of the program above it: the user's option
// that keeps the units of the points when the curve type changes. The
// application implements it and the main frame hands it to the bar
// (CCurveFitDlgBar::SetHost) when it makes the bar.
#pragma once

#include <windows.h>

class CCurveFitHost
{
public:
    virtual ~CCurveFitHost() = default;

    // The option "Don't set default units based on selected curve" (bit
    // 0x400 of the option word): TRUE keeps the user's units when the curve
    // type changes; FALSE sets them to the units the curve is fitted in.
    virtual BOOL KeepCurveFitUnits() const = 0;
};
