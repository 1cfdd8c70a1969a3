#include "editors/components/window/OutletDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"
#include "database/records/ComponentTexts.h"

#include <iterator>

using namespace kvcomponents;

IMPLEMENT_DYNAMIC(COutletDialog, OZU_SymbolDialog)

BEGIN_MESSAGE_MAP(COutletDialog, OZU_SymbolDialog)
END_MESSAGE_MAP()

namespace {

struct ArcType
{
    UINT nText;
    const char* text;
    const char* code;
};
// In the order the list shows them.
const ArcType kArcTypes[] = {
    { IDS_ARC_FIXED, "Fixed", kArcFixed },
    { IDS_ARC_VARIABLE, "Variable", kArcVariable },
    { IDS_ARC_MATCHED, "Matched", kArcMatched },
    { IDS_ARC_DEMAND_POINT, "Demand Point", kArcDemandPoint },
};
const int kDemandPointIndex = 3;

const ConnectionControls kInlet = { IDC_OUTLET_INLET_CODE, IDC_OUTLET_INLET_GENDER, IDC_OUTLET_INLET_SUFFIX };

} // namespace

CString COutletDialog::ArcCodeOfIndex(int nIndex)
{
    if (nIndex < 0 || nIndex >= (int)std::size(kArcTypes))
        return kArcFixed;
    return kArcTypes[nIndex].code;
}

int COutletDialog::ArcIndexOfCode(const CString& code)
{
    CString trimmed = code;
    trimmed.Trim(' ');
    for (int i = 0; i < (int)std::size(kArcTypes); i++)
        if (trimmed == kArcTypes[i].code)
            return i;
    return -1;
}

COutletDialog::COutletDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                             CEditorView* pView)
    : OZU_SymbolDialog(pGrid, pRecord, pUnitSettings, pView)
{
    m_values.inletDiameter.SetValue(0.0, DisplayDiameterUnit(*pUnitSettings));
    m_values.defaultPressure.SetValue(0.0, PRESSURE_M);
    m_values.defaultArc.SetValue(0.0, ANGLE_DEGREES);
    m_values.defaultFlow.SetValue(0.0, FLOW_LPH);
    m_cbNozzle.SetView(pView);
    OpenWindow(IDD_OUTLET_EDITOR);
}

COutletDialog::~COutletDialog() = default;

CComboBox* COutletDialog::ArcTypeCombo()
{
    return static_cast<CComboBox*>(GetDlgItem(IDC_OUTLET_ARC_TYPE));
}

BOOL COutletDialog::OnInitDialog()
{
    CViewColumns columns(m_pView);
    m_values.Load(*m_pRecord, columns, DisplayDiameterUnit(*m_pUnitSettings));
    m_bDemandPoint = m_values.IsDemandPoint();
    m_nLoadedNozzleMark = m_pRecord->m_nFlags & COMPONENT_FLAG_HAS_NOZZLES;

    if (!OZU_SymbolDialog::OnInitDialog())
        return FALSE;
    ShowKindCaptions(this, *m_pUnitSettings, kvgrid::TABLE_OUTLET, State().bAssemblyMode);

    if (CComboBox* pArcType = ArcTypeCombo()) {
        pArcType->ResetContent();
        for (const ArcType& type : kArcTypes)
            pArcType->AddString(LoadText(type.nText, type.text));
        m_nArcIndex = ArcIndexOfCode(m_values.arcCode);
        pArcType->SetCurSel(m_nArcIndex);
    }
    UpdateArcField();

    // The outlet's own nozzles, its default one chosen.
    if (m_cbNozzle.GetSafeHwnd() != nullptr) {
        m_cbNozzle.FillNozzles(m_nComponentKey);
        CString wanted = m_values.defaultNozzle;
        wanted.TrimRight(' ');
        for (int i = 0; !wanted.IsEmpty() && i < m_cbNozzle.GetCount(); i++) {
            CString entry;
            m_cbNozzle.GetLBText(i, entry);
            entry = kvrecords::TextLeft(entry, DEFAULT_NOZZLE_WIDTH);
            entry.TrimRight(' ');
            if (entry == wanted) {
                m_cbNozzle.SetCurSel(i);
                break;
            }
        }
    }
    return IsOpen();
}

void COutletDialog::UpdateArcField()
{
    SetControlText(this, IDC_OUTLET_ARC_CAPTION,
                   m_bDemandPoint ? LoadText(IDS_DEFAULT_FLOW, "Default Flow")
                                  : LoadText(IDS_DEFAULT_WATERING_ARC, "Default Watering Arc"));
    const CString tolerance = m_bDemandPoint ? LoadText(IDS_PRESSURE_TOLERANCE, "Pressure Tolerance")
                                             : LoadText(IDS_FLOW_TOLERANCE, "Flow Tolerance");
    SetControlText(this, IDC_OUTLET_TOLERANCE_CAPTION, tolerance);
    SetControlText(this, IDC_OUTLET_TOLERANCE_CAPTION2, tolerance);
    OZU_FlowUnit flowUnit;
    OZU_AngleUnit angleUnit;
    SetControlText(this, IDC_OUTLET_ARC_UNIT,
                   m_bDemandPoint ? m_pUnitSettings->GetFlowUnit(flowUnit).GetName()
                                  : m_pUnitSettings->GetAngleUnit(angleUnit).GetName());
    if (m_cbNozzle.GetSafeHwnd() != nullptr)
        m_cbNozzle.EnableWindow(!m_bDemandPoint);
}

void COutletDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_SymbolDialog::DoDataExchange(pDX);
    OutletValues& v = m_values;
    m_shown.Exchange(this, pDX, IDC_OUTLET_DEFAULT_PRESSURE, v.defaultPressure, &OZU_BaseDialog::DDX_Pressure);
    ExchangeFloat(pDX, IDC_OUTLET_TOLERANCE_ABOVE, v.fToleranceAbove, 0.0f, 2000.0f);
    ExchangeFloat(pDX, IDC_OUTLET_TOLERANCE_BELOW, v.fToleranceBelow, 0.0f, 100.0f);
    m_shown.Exchange(this, pDX, IDC_OUTLET_INLET_DIAMETER, v.inletDiameter, &OZU_BaseDialog::DDX_Diameter);
    ExchangeConnection(this, pDX, kInlet, v.inletConnection);
    DDX_Control(pDX, IDC_OUTLET_DEFAULT_NOZZLE, m_cbNozzle);

    // The field is a flow for a demand point, else an angle; the other value
    // takes the number the field shows, so that both hold what it shows.
    OZU_FlowUnit flowUnit;
    OZU_AngleUnit angleUnit;
    m_pUnitSettings->GetFlowUnit(flowUnit);
    m_pUnitSettings->GetAngleUnit(angleUnit);
    if (m_bDemandPoint) {
        m_shown.Exchange(this, pDX, IDC_OUTLET_DEFAULT_ARC, v.defaultFlow, &OZU_BaseDialog::DDX_Flow);
        v.defaultArc = OZU_AngleValue(GetDisplayValue(v.defaultFlow, m_pUnitSettings, flowUnit), angleUnit.GetUnit());
    }
    else {
        m_shown.Exchange(this, pDX, IDC_OUTLET_DEFAULT_ARC, v.defaultArc, &OZU_BaseDialog::DDX_Angle);
        v.defaultFlow = OZU_FlowValue(GetDisplayValue(v.defaultArc, m_pUnitSettings, angleUnit), flowUnit.GetUnit());
    }
}

BOOL COutletDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    BOOL bResult = OZU_SymbolDialog::OnCommand(wParam, lParam);
    if (HIWORD(wParam) == CBN_SELCHANGE && LOWORD(wParam) == IDC_OUTLET_ARC_TYPE && IsOpen())
        OnArcTypeChange();
    return bResult;
}

void COutletDialog::OnArcTypeChange()
{
    CComboBox* pArcType = ArcTypeCombo();
    const int nChosen = pArcType != nullptr ? pArcType->GetCurSel() : CB_ERR;
    if (nChosen == CB_ERR)
        return;
    const BOOL bWasDemandPoint = m_bDemandPoint;
    if (nChosen == kDemandPointIndex && !bWasDemandPoint) {
        // A demand point has no nozzles: the store removes this outlet's.
        CNozzleRecs nozzles(m_pView != nullptr ? m_pView->GetDatabase() : nullptr);
        if (nozzles.m_pDatabase != nullptr && nozzles.OpenForEmitter(m_nComponentKey)) {
            BOOL bStillOpen = TRUE;
            int nAnswer = MessageBox(LoadText(IDS_DEMAND_POINT_NOZZLES), MB_YESNO | MB_ICONQUESTION, &bStillOpen);
            if (!bStillOpen)
                return;
            if (nAnswer != IDYES) {
                pArcType->SetCurSel(m_nArcIndex);
                return;
            }
        }
    }
    m_bDemandPoint = nChosen == kDemandPointIndex;
    m_nArcIndex = nChosen;
    if (m_bDemandPoint != bWasDemandPoint) {
        // The field's number now stands for the other quantity.
        m_shown.Forget(IDC_OUTLET_DEFAULT_ARC);
        UpdateArcField();
    }
}

void COutletDialog::OnOK()
{
    OZU_SymbolDialog::OnOK();
    if (!m_bValidationFailed && IsOpen()) {
        CComboBox* pArcType = ArcTypeCombo();
        m_values.arcCode = ArcCodeOfIndex(pArcType != nullptr ? pArcType->GetCurSel() : CB_ERR);
        int nNozzle = m_cbNozzle.GetSafeHwnd() != nullptr ? m_cbNozzle.GetCurSel() : CB_ERR;
        if (nNozzle != CB_ERR) {
            m_cbNozzle.GetLBText(nNozzle, m_values.defaultNozzle);
            m_values.defaultNozzle = kvrecords::TextLeft(m_values.defaultNozzle, DEFAULT_NOZZLE_WIDTH);
        }
        m_values.FitTexts();
        // A demand point has no nozzles to mark; any other arc type keeps the
        // mark as it was loaded (an earlier OK that stored nothing may have
        // cleared it).
        if (m_values.IsDemandPoint())
            m_nFlags &= ~COMPONENT_FLAG_HAS_NOZZLES;
        else
            m_nFlags = (m_nFlags & ~COMPONENT_FLAG_HAS_NOZZLES) | m_nLoadedNozzleMark;
    }
    FinishOK();
}
