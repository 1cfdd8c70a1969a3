#include "editors/components/window/EditorSupport.h"
#include "editors/components/window/ComponentEditorsRes.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

using namespace kvgrid;

namespace kvcomponents {

namespace {

// What a kind of editor shows once it has opened: the captions that name
// the display unit of each quantity (a list ends at the first 0), and the
// title while an assembly is built (0: the title stays).
struct KindCaptions
{
    TableType nKind;
    UINT nAssemblyTitle;
    int diameters[3];
    int pressures[5];
    int lengths[2];
    int angles[1];
    int largeFlows[2];
    int flowsPerLength[1];
};

// A row per kind. The wire's resistance caption is no unit's name: its
// editor shows it itself.
const KindCaptions kKindCaptions[] = {
    { .nKind = TABLE_PIPE,
      .diameters = { IDC_DIAMETER_UNIT, IDC_DIAMETER_UNIT2 },
      .pressures = { IDC_PRESSURE_UNIT } },
    { .nKind = TABLE_TAPE,
      .diameters = { IDC_DIAMETER_UNIT, IDC_DIAMETER_UNIT2 },
      .pressures = { IDC_PRESSURE_UNIT, IDC_PRESSURE_UNIT2, IDC_PRESSURE_UNIT3, IDC_PRESSURE_UNIT4,
                     IDC_PRESSURE_UNIT5 },
      .lengths = { IDC_LENGTH_UNIT },
      .flowsPerLength = { IDC_FLOW_PER_LENGTH_UNIT } },
    { .nKind = TABLE_VALVE,
      .nAssemblyTitle = IDS_ASSEMBLY_VALVE,
      .diameters = { IDC_DIAMETER_UNIT, IDC_DIAMETER_UNIT2 },
      .largeFlows = { IDC_LARGE_FLOW_UNIT, IDC_LARGE_FLOW_UNIT2 } },
    { .nKind = TABLE_HYDRAULIC,
      .nAssemblyTitle = IDS_ASSEMBLY_HYDRAULIC,
      .diameters = { IDC_DIAMETER_UNIT, IDC_DIAMETER_UNIT2 },
      .largeFlows = { IDC_LARGE_FLOW_UNIT, IDC_LARGE_FLOW_UNIT2 } },
    { .nKind = TABLE_TAKE_OFF,
      .nAssemblyTitle = IDS_ASSEMBLY_TAKE_OFF,
      .diameters = { IDC_DIAMETER_UNIT, IDC_DIAMETER_UNIT2 } },
    { .nKind = TABLE_COUPLER,
      .nAssemblyTitle = IDS_ASSEMBLY_COUPLER,
      .diameters = { IDC_DIAMETER_UNIT, IDC_DIAMETER_UNIT2 } },
    { .nKind = TABLE_ELBOW,
      .nAssemblyTitle = IDS_ASSEMBLY_BEND,
      .diameters = { IDC_DIAMETER_UNIT, IDC_DIAMETER_UNIT2 },
      .angles = { IDC_ANGLE_UNIT } },
    { .nKind = TABLE_TEE,
      .nAssemblyTitle = IDS_ASSEMBLY_TEE,
      .diameters = { IDC_DIAMETER_UNIT, IDC_DIAMETER_UNIT2 } },
    { .nKind = TABLE_CROSS,
      .nAssemblyTitle = IDS_ASSEMBLY_CROSS,
      .diameters = { IDC_DIAMETER_UNIT, IDC_DIAMETER_UNIT2 } },
    { .nKind = TABLE_PUMP,
      .nAssemblyTitle = IDS_ASSEMBLY_PUMP,
      .diameters = { IDC_DIAMETER_UNIT, IDC_DIAMETER_UNIT2 },
      .largeFlows = { IDC_LARGE_FLOW_UNIT, IDC_LARGE_FLOW_UNIT2 } },
    { .nKind = TABLE_OUTLET,
      .nAssemblyTitle = IDS_ASSEMBLY_OUTLET,
      .diameters = { IDC_DIAMETER_UNIT },
      .pressures = { IDC_PRESSURE_UNIT } },
    { .nKind = TABLE_OUTLET_CONNECTION,
      .nAssemblyTitle = IDS_ASSEMBLY_OUTLET_CONNECTION,
      .diameters = { IDC_DIAMETER_UNIT, IDC_DIAMETER_UNIT2, IDC_DIAMETER_UNIT3 },
      .lengths = { IDC_LENGTH_UNIT2, IDC_LENGTH_UNIT3 } },
    { .nKind = TABLE_CONTROLLER, .nAssemblyTitle = IDS_ASSEMBLY_CONTROLLER },
    { .nKind = TABLE_LIGHT, .nAssemblyTitle = IDS_ASSEMBLY_LIGHT },
    { .nKind = TABLE_ELECTRIC, .nAssemblyTitle = IDS_ASSEMBLY_ELECTRIC },
    { .nKind = TABLE_COMPONENT,
      .nAssemblyTitle = IDS_ASSEMBLY_MISC,
      .diameters = { IDC_DIAMETER_UNIT, IDC_DIAMETER_UNIT2 } },
    { .nKind = TABLE_NOZZLE,
      .pressures = { IDC_PRESSURE_UNIT, IDC_PRESSURE_UNIT2 },
      .angles = { IDC_ANGLE_UNIT } },
};

template <size_t N>
void ShowUnitName(CWnd* pDialog, const int (&captions)[N], const CString& name)
{
    for (int nIDC : captions) {
        if (nIDC == 0)
            break;
        SetControlText(pDialog, nIDC, name);
    }
}

} // namespace

CString CShownTexts::ControlText(CDataExchange* pDX, int nIDC)
{
    CString text;
    if (CWnd* pControl = pDX->m_pDlgWnd->GetDlgItem(nIDC))
        pControl->GetWindowText(text);
    return text;
}

OZU_DiameterValue CViewColumns::ConvertNominal(const OZU_DiameterValue& diameter, int nUnit)
{
    // The view leaves the result as it is (not valid) when it has no
    // document to ask.
    OZU_DiameterValue result;
    if (m_pView != nullptr)
        m_pView->ConvertNominal(result, diameter, nUnit);
    return result;
}

int CViewColumns::GetFieldLength(int nColumn) const
{
    return m_pView != nullptr ? m_pView->GetFieldLength(nColumn) : 0;
}

void ExchangeFloat(CDataExchange* pDX, int nIDC, float& value, float fMin, float fMax)
{
    DDX_Text(pDX, nIDC, value);
    DDV_MinMaxFloat(pDX, value, fMin, fMax);
}

void ExchangeFixedText(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, CString& value, int nWidth)
{
    DDX_Text(pDX, nIDC, value);
    OZU_BaseDialog::DDV_MaxChars(pDlg, pDX, value, nWidth);
}

void ExchangeGender(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, CString& value)
{
    if (!pDX->m_bSaveAndValidate) {
        // The list holds one blank for "no gender"; a gender it lacks joins
        // it, so that saving keeps it.
        CString shown = value.IsEmpty() ? CString(" ") : value;
        HWND hCombo = pDX->PrepareCtrl(nIDC);
        if (::SendMessage(hCombo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)shown) == CB_ERR)
            ::SendMessage(hCombo, CB_ADDSTRING, 0, (LPARAM)(LPCTSTR)shown);
        DDX_CBStringExact(pDX, nIDC, shown);
        return;
    }
    DDX_CBString(pDX, nIDC, value);
    OZU_BaseDialog::DDV_MaxChars(pDlg, pDX, value, CONNECTION_GENDER_WIDTH);
}

void ExchangeConnectionCode(OZU_BaseDialog* pDlg, CDataExchange* pDX, const ConnectionControls& ids,
                            ConnectionParts& parts)
{
    ExchangeFixedText(pDlg, pDX, ids.nCode, parts.code, CONNECTION_CODE_WIDTH);
}

void ExchangeConnectionGender(OZU_BaseDialog* pDlg, CDataExchange* pDX, const ConnectionControls& ids,
                              ConnectionParts& parts)
{
    ExchangeGender(pDlg, pDX, ids.nGender, parts.gender);
}

void ExchangeConnectionSuffix(OZU_BaseDialog* pDlg, CDataExchange* pDX, const ConnectionControls& ids,
                              ConnectionParts& parts)
{
    ExchangeFixedText(pDlg, pDX, ids.nSuffix, parts.suffix, CONNECTION_SUFFIX_WIDTH);
}

void ExchangeConnection(OZU_BaseDialog* pDlg, CDataExchange* pDX, const ConnectionControls& ids,
                        ConnectionParts& parts)
{
    ExchangeConnectionCode(pDlg, pDX, ids, parts);
    ExchangeConnectionGender(pDlg, pDX, ids, parts);
    ExchangeConnectionSuffix(pDlg, pDX, ids, parts);
}

void SetControlText(CWnd* pDialog, int nIDC, const CString& text)
{
    if (CWnd* pControl = pDialog->GetDlgItem(nIDC))
        pControl->SetWindowText(text);
}

int DisplayDiameterUnit(const OZU_UnitSettings& units)
{
    OZU_DiameterUnit diameter;
    return units.GetDiameterUnit(diameter).GetUnit();
}

void ShowKindCaptions(CWnd* pDialog, const OZU_UnitSettings& units, TableType nKind, BOOL bAssemblyMode)
{
    const KindCaptions* pRow = std::find_if(std::begin(kKindCaptions), std::end(kKindCaptions),
                                            [nKind](const KindCaptions& row) { return row.nKind == nKind; });
    if (pRow == std::end(kKindCaptions))
        return;
    OZU_DiameterUnit diameter;
    OZU_PressureUnit pressure;
    OZU_LengthUnit length;
    OZU_AngleUnit angle;
    OZU_LargeFlowUnit largeFlow;
    OZU_FlowPerLengthUnit flowPerLength;
    ShowUnitName(pDialog, pRow->diameters, units.GetDiameterUnit(diameter).GetName());
    ShowUnitName(pDialog, pRow->pressures, units.GetPressureUnit(pressure).GetName());
    ShowUnitName(pDialog, pRow->lengths, units.GetLengthUnit(length).GetName());
    ShowUnitName(pDialog, pRow->angles, units.GetAngleUnit(angle).GetName());
    ShowUnitName(pDialog, pRow->largeFlows, units.GetLargeFlowUnit(largeFlow).GetName());
    ShowUnitName(pDialog, pRow->flowsPerLength, units.GetFlowPerLengthUnit(flowPerLength).GetName());
    if (bAssemblyMode && pRow->nAssemblyTitle != 0)
        pDialog->SetWindowText(LoadText(pRow->nAssemblyTitle));
}

void ShowCoefficient(CWnd* pDialog, int nIDC, float fValue)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%g", (double)fValue);
    SetControlText(pDialog, nIDC, text);
}

} // namespace kvcomponents
