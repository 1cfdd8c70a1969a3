// Base of the dialogs that show physical quantities: data exchange of value
// objects in the user's display units, checked against hard limits (refused)
// and recommended limits (warned about), and a text-length check that speaks
// of Chinese characters under a Chinese user interface.
#pragma once
#include "platform/framework/Framework.h"
#include "units/OZU_UnitSettings.h"
#include "units/UnitsRes.h"

#include <cmath>

class OZU_BaseDialog : public CDialog
{
public:
    explicit OZU_BaseDialog(OZU_UnitSettings* pUnitSettings);
    OZU_BaseDialog(OZU_UnitSettings* pUnitSettings, UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~OZU_BaseDialog() override;

    OZU_UnitSettings* GetUnitSettings() const { return m_pUnitSettings; }

    // Exchange of one value with an edit control, called from DoDataExchange:
    // loading shows the value in the display unit, rounded to the significant
    // digits; saving reads a number in that unit, refuses it (message, focus
    // back, exchange failed) outside the hard limits, warns outside the
    // recommended ones, and stores it in the value's own unit.
    static void DDX_Length(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_LengthValue& value);
    static void DDX_Distance(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_DistanceValue& value);
    static void DDX_Diameter(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_DiameterValue& value);
    static void DDX_Elevation(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_ElevationValue& value);
    static void DDX_Depth(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_DepthValue& value);
    static void DDX_MediaLength(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_MediaLengthValue& value);
    static void DDX_Area(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_AreaValue& value);
    static void DDX_Volume(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_VolumeValue& value);
    static void DDX_Velocity(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_VelocityValue& value);
    static void DDX_Flow(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_FlowValue& value);
    static void DDX_SmallFlow(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_SmallFlowValue& value);
    static void DDX_LargeFlow(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_LargeFlowValue& value);
    static void DDX_FlowPerLength(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_FlowPerLengthValue& value);
    static void DDX_Pressure(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_PressureValue& value);
    static void DDX_PrecipRate(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_PrecipRateValue& value);
    static void DDX_Angle(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_AngleValue& value);

    // The same with limits of the caller's instead of the unit settings'.
    static void DDX_Length(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_LengthValue& value,
                           const OZU_LengthValue& hardMin, const OZU_LengthValue& hardMax,
                           const OZU_LengthValue& recommendedMin, const OZU_LengthValue& recommendedMax);
    static void DDX_Diameter(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, OZU_DiameterValue& value,
                             const OZU_DiameterValue& hardMin, const OZU_DiameterValue& hardMax,
                             const OZU_DiameterValue& recommendedMin, const OZU_DiameterValue& recommendedMax);

    // Tests a typed number d (in the display unit) against the four limits,
    // each converted into the display unit and rounded to the significant
    // digits (so a number typed as a limit is shown meets it). Outside the
    // hard range (not-a-number and infinity are outside any): message, FALSE,
    // target unchanged.
    // Otherwise a message for a recommended limit passed, the target's
    // number set to d expressed in the target's own unit, TRUE.
    template <class V, class Unit>
    static BOOL CheckRange(V& target, OZU_UnitSettings* pSettings, const Unit& displayUnit, double d,
                           const V& hardMin, const V& hardMax, const V& recommendedMin,
                           const V& recommendedMax);
    // The number to show: the value in the display unit, rounded to the
    // significant digits.
    template <class V, class Unit>
    static double GetDisplayValue(const V& value, OZU_UnitSettings* pSettings, const Unit& displayUnit);

    // Text length check in characters. Saving a longer text under a Chinese
    // user interface says how many Chinese (half) or Western characters fit
    // and fails the exchange; otherwise the framework's check.
    static void DDV_MaxChars(OZU_BaseDialog* pDlg, CDataExchange* pDX, CString& value, int nChars);
    // The framework's check, reachable under the same name in derived dialogs.
    static void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
    {
        ::DDV_MaxChars(pDX, value, nChars);
    }

    // The significant digits values are shown with: the application's
    // setting, read anew at each use (5 without an application object).
    static int GetSignificantDigits();

protected:
    // The language of the user interface; its primary language decides the
    // wording of the length check.
    virtual LANGID GetInterfaceLanguage() const;

    OZU_UnitSettings* m_pUnitSettings; // the application's; not owned

    DECLARE_MESSAGE_MAP()

private:
    template <class V, class Unit>
    static void Exchange(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, V& value,
                         const Unit& displayUnit, const V (&limits)[4]);
    // A range message: a plain box, without an icon.
    static void ShowRangeMessage(const CString& text);
    // A limit as the range messages write it.
    static CString FormatLimit(double value);
};

// ---- templates ----------------------------------------------------------------

template <class V, class Unit>
double OZU_BaseDialog::GetDisplayValue(const V& value, OZU_UnitSettings* pSettings,
                                       const Unit& displayUnit)
{
    double d = value.GetValueIn(displayUnit.GetUnit());
    return pSettings ? pSettings->RoundToSignificant(d, GetSignificantDigits()) : d;
}

template <class V, class Unit>
BOOL OZU_BaseDialog::CheckRange(V& target, OZU_UnitSettings* pSettings, const Unit& displayUnit,
                                double d, const V& hardMin, const V& hardMax,
                                const V& recommendedMin, const V& recommendedMax)
{
    const int digits = GetSignificantDigits();
    const int unit = displayUnit.GetUnit();
    // The limits in the display unit, rounded as they are shown, and
    // written as an edit field shows a number: the value compared, with no
    // trailing zeros.
    V limits[4] = {hardMin, hardMax, recommendedMin, recommendedMax};
    CString text[4];
    for (int i = 0; i < 4; ++i) {
        limits[i].ConvertTo(unit);
        if (pSettings)
            *limits[i].GetValuePtr() = pSettings->RoundToSignificant(limits[i].GetValue(), digits);
        text[i] = FormatLimit(limits[i].GetValue());
    }
    const CString unitName = displayUnit.GetName();

    // A number that is not a number (or not finite) lies in no range.
    if (!std::isfinite(d) || d < limits[OZU_HARD_MIN].GetValue() ||
        d > limits[OZU_HARD_MAX].GetValue()) {
        CString message;
        message.LoadString(IDS_RANGE_IS);
        message += " ";
        message += text[OZU_HARD_MIN];
        message += " - ";
        message += text[OZU_HARD_MAX];
        message += " ";
        message += unitName;
        ShowRangeMessage(message);
        return FALSE;
    }
    if (d < limits[OZU_RECOMMENDED_MIN].GetValue()) {
        CString message;
        message.LoadString(IDS_RECOMMENDED_MINIMUM);
        message += " ";
        message += text[OZU_RECOMMENDED_MIN];
        message += " ";
        message += unitName;
        ShowRangeMessage(message);
    } else if (d > limits[OZU_RECOMMENDED_MAX].GetValue()) {
        CString message;
        message.LoadString(IDS_RECOMMENDED_MAXIMUM);
        message += text[OZU_RECOMMENDED_MAX];
        message += " ";
        message += unitName;
        ShowRangeMessage(message);
    }

    V typed;
    typed.SetValue(d, unit);
    *target.GetValuePtr() = typed.GetValueIn(target.GetUnit());
    return TRUE;
}
