#include "app/UnitsDlg.h"

namespace {

// Positions in kQuantities.
enum
{
    Q_DISTANCE, Q_DIAMETER, Q_ELEVATION, Q_DEPTH, Q_PAPER, Q_AREA, Q_VOLUME, Q_VELOCITY,
    Q_OUTLET_FLOW, Q_SYSTEM_FLOW, Q_FLOW_PER_LENGTH, Q_PRESSURE, Q_INTENSITY, Q_ANGLE,
};

} // namespace

const CUnitsDlg::Quantity CUnitsDlg::kQuantities[14] = {
    {IDC_UNITS_DISTANCE, 6},        {IDC_UNITS_DIAMETER, 4},    {IDC_UNITS_ELEVATION, 4},
    {IDC_UNITS_DEPTH, 4},           {IDC_UNITS_PAPER, 5},       {IDC_UNITS_AREA, 9},
    {IDC_UNITS_VOLUME, 5},          {IDC_UNITS_VELOCITY, 4},    {IDC_UNITS_OUTLET_FLOW, 8},
    {IDC_UNITS_SYSTEM_FLOW, 8},     {IDC_UNITS_FLOW_PER_LENGTH, 4}, {IDC_UNITS_PRESSURE, 7},
    {IDC_UNITS_INTENSITY, 2},       {IDC_UNITS_ANGLE, 1},
};

BEGIN_MESSAGE_MAP(CUnitsDlg, CDialog)
    ON_BN_CLICKED(IDC_UNITS_METRIC, OnMetric)
    ON_BN_CLICKED(IDC_UNITS_US, OnUS)
END_MESSAGE_MAP()

CUnitsDlg::CUnitsDlg(OZU_UnitSettings* pUnitSettings, CWnd* pParent)
    : CDialog(IDD, pParent), m_pUnitSettings(pUnitSettings)
{
    if (m_pUnitSettings != nullptr)
        m_pUnitSettings->Load();
}

void CUnitsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < 14; i++) {
        DDX_Control(pDX, kQuantities[i].controlId, m_combos[i]);
        DDX_CBIndex(pDX, kQuantities[i].controlId, m_nIndexes[i]);
    }
}

BOOL CUnitsDlg::OnInitDialog()
{
    // The controls first (DoDataExchange attaches them), then their entries.
    for (int& index : m_nIndexes)
        index = -1;
    CDialog::OnInitDialog();
    if (m_pUnitSettings == nullptr)
        return TRUE;
    m_units = *m_pUnitSettings->GetUnits();

    const OZU_UnitSettings& names = *m_pUnitSettings;
    for (int i = 0; i < 14; i++) {
        CComboBox& combo = m_combos[i];
        combo.ResetContent();
        // Each entry at its unit's index, so that a box's index is the unit.
        for (int unit = 0; unit < kQuantities[i].offered; unit++) {
            CString name;
            switch (i) {
            case Q_DISTANCE:
            case Q_DIAMETER:
            case Q_ELEVATION:
            case Q_DEPTH: name = names.GetLengthUnitName(unit); break;
            case Q_PAPER: name = names.GetMediaLengthUnitName(unit); break;
            case Q_AREA: name = names.GetAreaUnitName(unit); break;
            case Q_VOLUME: name = names.GetVolumeUnitName(unit); break;
            case Q_VELOCITY: name = names.GetVelocityUnitName(unit); break;
            case Q_OUTLET_FLOW:
            case Q_SYSTEM_FLOW: name = names.GetFlowUnitName(unit); break;
            case Q_FLOW_PER_LENGTH: name = names.GetFlowPerLengthUnitName(unit); break;
            case Q_PRESSURE: name = names.GetPressureUnitName(unit); break;
            case Q_INTENSITY: name = names.GetPrecipRateUnitName(unit); break;
            default: name = names.GetAngleUnitName(unit); break;
            }
            combo.InsertString(unit, name);
        }
    }
    IndexesFromUnits();
    UpdateData(FALSE);
    return TRUE;
}

void CUnitsDlg::IndexesFromUnits()
{
    const int units[14] = {
        m_units.m_Distance.GetUnit(),    m_units.m_Diameter.GetUnit(), m_units.m_Elevation.GetUnit(),
        m_units.m_Depth.GetUnit(),       m_units.m_MediaLength.GetUnit(), m_units.m_Area.GetUnit(),
        m_units.m_Volume.GetUnit(),      m_units.m_Velocity.GetUnit(), m_units.m_SmallFlow.GetUnit(),
        m_units.m_LargeFlow.GetUnit(),   m_units.m_FlowPerLength.GetUnit(), m_units.m_Pressure.GetUnit(),
        m_units.m_PrecipRate.GetUnit(),  m_units.m_Angle.GetUnit(),
    };
    // A unit the box does not offer (centimetres as a diameter, radians)
    // leaves the box without a selection.
    for (int i = 0; i < 14; i++)
        m_nIndexes[i] = units[i] >= 0 && units[i] < kQuantities[i].offered ? units[i] : -1;
}

void CUnitsDlg::UnitsFromIndexes()
{
    auto set = [this](int i, auto& unit) {
        if (m_nIndexes[i] >= 0 && m_nIndexes[i] < kQuantities[i].offered)
            unit.SetUnit(m_nIndexes[i]);
    };
    set(Q_DISTANCE, m_units.m_Distance);
    set(Q_DISTANCE, m_units.m_Length);
    set(Q_DIAMETER, m_units.m_Diameter);
    set(Q_ELEVATION, m_units.m_Elevation);
    set(Q_DEPTH, m_units.m_Depth);
    set(Q_PAPER, m_units.m_MediaLength);
    set(Q_AREA, m_units.m_Area);
    set(Q_VOLUME, m_units.m_Volume);
    set(Q_VELOCITY, m_units.m_Velocity);
    set(Q_OUTLET_FLOW, m_units.m_SmallFlow);
    set(Q_OUTLET_FLOW, m_units.m_Flow);
    set(Q_SYSTEM_FLOW, m_units.m_LargeFlow);
    set(Q_FLOW_PER_LENGTH, m_units.m_FlowPerLength);
    set(Q_PRESSURE, m_units.m_Pressure);
    set(Q_INTENSITY, m_units.m_PrecipRate);
    set(Q_ANGLE, m_units.m_Angle);
}

void CUnitsDlg::ApplyPreset(const OZU_UnitSet& preset)
{
    // The presets change the quantities of the dialog only.
    const OZU_UnitSet kept = m_units;
    m_units = preset;
    m_units.m_Import = kept.m_Import;
    m_units.m_nDecPlaces = kept.m_nDecPlaces;
    IndexesFromUnits();
    UpdateData(FALSE);
}

void CUnitsDlg::OnMetric()
{
    if (m_pUnitSettings != nullptr)
        ApplyPreset(*m_pUnitSettings->GetMetricUnits());
}

void CUnitsDlg::OnUS()
{
    if (m_pUnitSettings != nullptr)
        ApplyPreset(*m_pUnitSettings->GetUSUnits());
}

void CUnitsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    UnitsFromIndexes();
    if (m_pUnitSettings != nullptr) {
        m_pUnitSettings->SetUnits(m_units);
        m_pUnitSettings->Save();
    }
    EndDialog(IDOK);
}
