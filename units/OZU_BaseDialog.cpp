#include "units/OZU_BaseDialog.h"
#include "units/OZU_DisplaySettings.h"

#include <cstdio>

BEGIN_MESSAGE_MAP(OZU_BaseDialog, CDialog)
END_MESSAGE_MAP()

OZU_BaseDialog::OZU_BaseDialog(OZU_UnitSettings* pUnitSettings)
    : CDialog(), m_pUnitSettings(pUnitSettings)
{
}

OZU_BaseDialog::OZU_BaseDialog(OZU_UnitSettings* pUnitSettings, UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_pUnitSettings(pUnitSettings)
{
}

OZU_BaseDialog::~OZU_BaseDialog()
{
}

int OZU_BaseDialog::GetSignificantDigits()
{
    return OZU_DisplaySettings::CurrentSignificantDigits();
}

LANGID OZU_BaseDialog::GetInterfaceLanguage() const
{
    return GetThreadUILanguage();
}

void OZU_BaseDialog::ShowRangeMessage(const CString& text)
{
    AfxMessageBox(text, MB_OK | AFX_MB_NOICON);
}

CString OZU_BaseDialog::FormatLimit(double value)
{
    // As the edit fields write a number (15 significant digits, the
    // shortest form), so that the limit reads as the number typed against
    // it.
    char text[32];
    std::snprintf(text, sizeof(text), "%.15g", value);
    return text;
}

template <class V, class Unit>
void OZU_BaseDialog::Exchange(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, V& value,
                              const Unit& displayUnit, const V (&limits)[4])
{
    OZU_UnitSettings* pSettings = pDlg ? pDlg->m_pUnitSettings : nullptr;
    double d = 0.0;
    if (!pDX->m_bSaveAndValidate) {
        d = GetDisplayValue(value, pSettings, displayUnit);
        DDX_Text(pDX, nIDC, d);
        return;
    }
    DDX_Text(pDX, nIDC, d); // a text that is not a number fails here
    if (!CheckRange(value, pSettings, displayUnit, d, limits[OZU_HARD_MIN], limits[OZU_HARD_MAX],
                    limits[OZU_RECOMMENDED_MIN], limits[OZU_RECOMMENDED_MAX]))
        pDX->Fail();
}

namespace {

// The display unit of a quantity: the unit settings' choice, or without unit
// settings the value's own unit.
template <class Unit, class V>
Unit DisplayUnit(OZU_UnitSettings* pSettings, Unit& (OZU_UnitSettings::*getter)(Unit&) const,
                 const V& value)
{
    Unit unit;
    if (pSettings)
        (pSettings->*getter)(unit);
    else
        unit.SetUnit(value.GetUnit());
    return unit;
}

} // namespace

// One exchange per quantity: the display unit and the four limits from the
// unit settings. Without unit settings the value is shown and read in its
// own unit with no limits at all.
#define OZU_DEFINE_EXCHANGE(Name, ValueClass, UnitClass, UnitGetter, LimitGetter)             \
    void OZU_BaseDialog::Name(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC,             \
                              ValueClass& value)                                              \
    {                                                                                         \
        OZU_UnitSettings* pSettings = pDlg ? pDlg->m_pUnitSettings : nullptr;                 \
        ValueClass limits[4];                                                                 \
        for (unsigned n = 0; n < 4; ++n) {                                                    \
            if (pSettings)                                                                    \
                pSettings->LimitGetter(n, limits[n]);                                         \
            else                                                                              \
                limits[n] = ValueClass(n % 2 ? HUGE_VAL : -HUGE_VAL, value.GetUnit());        \
        }                                                                                     \
        Exchange(pDlg, pDX, nIDC, value,                                                      \
                 DisplayUnit<UnitClass>(pSettings, &OZU_UnitSettings::UnitGetter, value),     \
                 limits);                                                                     \
    }

OZU_DEFINE_EXCHANGE(DDX_Length, OZU_LengthValue, OZU_LengthUnit, GetLengthUnit, GetLengthLimit)
OZU_DEFINE_EXCHANGE(DDX_Distance, OZU_DistanceValue, OZU_DistanceUnit, GetDistanceUnit, GetDistanceLimit)
OZU_DEFINE_EXCHANGE(DDX_Diameter, OZU_DiameterValue, OZU_DiameterUnit, GetDiameterUnit, GetDiameterLimit)
OZU_DEFINE_EXCHANGE(DDX_Elevation, OZU_ElevationValue, OZU_ElevationUnit, GetElevationUnit, GetElevationLimit)
OZU_DEFINE_EXCHANGE(DDX_Depth, OZU_DepthValue, OZU_DepthUnit, GetDepthUnit, GetDepthLimit)
OZU_DEFINE_EXCHANGE(DDX_MediaLength, OZU_MediaLengthValue, OZU_MediaLengthUnit, GetMediaLengthUnit, GetMediaLengthLimit)
OZU_DEFINE_EXCHANGE(DDX_Area, OZU_AreaValue, OZU_AreaUnit, GetAreaUnit, GetAreaLimit)
OZU_DEFINE_EXCHANGE(DDX_Volume, OZU_VolumeValue, OZU_VolumeUnit, GetVolumeUnit, GetVolumeLimit)
OZU_DEFINE_EXCHANGE(DDX_Velocity, OZU_VelocityValue, OZU_VelocityUnit, GetVelocityUnit, GetVelocityLimit)
OZU_DEFINE_EXCHANGE(DDX_Flow, OZU_FlowValue, OZU_FlowUnit, GetFlowUnit, GetFlowLimit)
OZU_DEFINE_EXCHANGE(DDX_SmallFlow, OZU_SmallFlowValue, OZU_SmallFlowUnit, GetSmallFlowUnit, GetSmallFlowLimit)
OZU_DEFINE_EXCHANGE(DDX_LargeFlow, OZU_LargeFlowValue, OZU_LargeFlowUnit, GetLargeFlowUnit, GetLargeFlowLimit)
OZU_DEFINE_EXCHANGE(DDX_FlowPerLength, OZU_FlowPerLengthValue, OZU_FlowPerLengthUnit, GetFlowPerLengthUnit, GetFlowPerLengthLimit)
OZU_DEFINE_EXCHANGE(DDX_Pressure, OZU_PressureValue, OZU_PressureUnit, GetPressureUnit, GetPressureLimit)
OZU_DEFINE_EXCHANGE(DDX_PrecipRate, OZU_PrecipRateValue, OZU_PrecipRateUnit, GetPrecipRateUnit, GetPrecipRateLimit)
OZU_DEFINE_EXCHANGE(DDX_Angle, OZU_AngleValue, OZU_AngleUnit, GetAngleUnit, GetAngleLimit)
#undef OZU_DEFINE_EXCHANGE

void OZU_BaseDialog::DDX_Length(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC,
                                OZU_LengthValue& value, const OZU_LengthValue& hardMin,
                                const OZU_LengthValue& hardMax, const OZU_LengthValue& recommendedMin,
                                const OZU_LengthValue& recommendedMax)
{
    const OZU_LengthValue limits[4] = {hardMin, hardMax, recommendedMin, recommendedMax};
    Exchange(pDlg, pDX, nIDC, value,
             DisplayUnit<OZU_LengthUnit>(pDlg ? pDlg->m_pUnitSettings : nullptr,
                                         &OZU_UnitSettings::GetLengthUnit, value),
             limits);
}

void OZU_BaseDialog::DDX_Diameter(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC,
                                  OZU_DiameterValue& value, const OZU_DiameterValue& hardMin,
                                  const OZU_DiameterValue& hardMax,
                                  const OZU_DiameterValue& recommendedMin,
                                  const OZU_DiameterValue& recommendedMax)
{
    const OZU_DiameterValue limits[4] = {hardMin, hardMax, recommendedMin, recommendedMax};
    Exchange(pDlg, pDX, nIDC, value,
             DisplayUnit<OZU_DiameterUnit>(pDlg ? pDlg->m_pUnitSettings : nullptr,
                                           &OZU_UnitSettings::GetDiameterUnit, value),
             limits);
}

void OZU_BaseDialog::DDV_MaxChars(OZU_BaseDialog* pDlg, CDataExchange* pDX, CString& value,
                                  int nChars)
{
    if (pDX->m_bSaveAndValidate && AfxCountChars(value) > nChars && pDlg &&
        PRIMARYLANGID(pDlg->GetInterfaceLanguage()) == LANG_CHINESE) {
        CString message;
        message.Format(IDS_TOO_MANY_CHARACTERS, nChars / 2, nChars);
        AfxMessageBox(message, MB_OK | AFX_MB_NOICON);
        pDX->Fail();
    }
    ::DDV_MaxChars(pDX, value, nChars);
}
