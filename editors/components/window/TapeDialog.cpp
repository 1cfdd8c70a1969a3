#include "editors/components/window/TapeDialog.h"
#include "editors/components/window/ComponentEditorsRes.h"
#include "editors/curvefit/CurveFitNotify.h"
#include "grids/window/GridWindow.h"

using namespace kvcomponents;

IMPLEMENT_DYNAMIC(CTapeDialog, OZU_LineDialog)

BEGIN_MESSAGE_MAP(CTapeDialog, OZU_LineDialog)
    ON_BN_CLICKED(IDC_TAPE_ITERATION, OnIteration)
    ON_REGISTERED_MESSAGE(WM_DETAILDLGNOTIFY, OnDetailDlgNotify)
END_MESSAGE_MAP()

namespace {

CTapeRecords JoinTape(CRecords* pRecord, CTapeExtras* pTapeExtras)
{
    CTapeExtras none(nullptr);
    return CTapeRecords(*pRecord, pTapeExtras != nullptr ? *pTapeExtras : none);
}

} // namespace

CTapeDialog::CTapeDialog(CGridWindow* pGrid, CRecords* pRecord, CTapeExtras* pTapeExtras,
                         OZU_UnitSettings* pUnitSettings, CEditorView* pView)
    : OZU_LineDialog(pGrid, pRecord, pUnitSettings, pView), m_tapeRecord(JoinTape(pRecord, pTapeExtras))
{
    m_cbPipeType.SetView(pView);
    OpenWindow(IDD_TAPE_EDITOR);
}

CTapeDialog::~CTapeDialog() = default;

BOOL CTapeDialog::OnInitDialog()
{
    // A new tape: its Tapes row is made from what the editor stores.
    if (IsNewRow())
        State().bTapeExtrasReady = TRUE;

    CViewColumns columns(m_pView);
    m_values.Load(m_tapeRecord, m_tapeRecord, columns, DisplayDiameterUnit(*m_pUnitSettings));

    if (!OZU_LineDialog::OnInitDialog())
        return FALSE;
    ShowKindCaptions(this, *m_pUnitSettings, kvgrid::TABLE_TAPE, State().bAssemblyMode);
    ShowModeCaptions(m_values.bIteration);
    ShowPipeType(m_cbPipeType, m_values.pipe.pipeType);
    return IsOpen();
}

void CTapeDialog::ShowModeCaptions(BOOL bIteration)
{
    struct Caption
    {
        int nIDC;
        UINT nIteration;
        const char* iteration;
        UINT nFormula;
        const char* formula;
    };
    static const Caption kCaptions[] = {
        { IDC_TAPE_CAPTION1, IDS_TAPE_EMITTER_CONSTANT, "Emitter Constant", IDS_TAPE_CONSTANT, "Constant" },
        { IDC_TAPE_CAPTION2, IDS_TAPE_EMITTER_INDEX, "Emitter Index", IDS_TAPE_LENGTH_FACTOR, "Length Factor" },
        { IDC_TAPE_CAPTION3, IDS_TAPE_BARB_FACTOR, "Emitter Barb Factor", IDS_TAPE_PRESSURE_FACTOR,
          "Pressure Factor" },
        { IDC_TAPE_CAPTION4, IDS_TAPE_SPACING, "Spacing", IDS_TAPE_SLOPE_FACTOR, "Slope Factor" },
    };
    for (const Caption& caption : kCaptions)
        SetControlText(this, caption.nIDC,
                       bIteration ? LoadText(caption.nIteration, caption.iteration)
                                  : LoadText(caption.nFormula, caption.formula));
    if (CWnd* pUnit = GetDlgItem(IDC_LENGTH_UNIT))
        pUnit->ShowWindow(bIteration ? SW_SHOW : SW_HIDE);
}

void CTapeDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_LineDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TAPE_PIPE_TYPE, m_cbPipeType);
    DDX_Control(pDX, IDC_TAPE_ITERATION, m_btnIteration);

    TapeValues& v = m_values;
    m_shown.Exchange(this, pDX, IDC_TAPE_NOMINAL_DIAMETER, v.pipe.nominalDiameter, &OZU_BaseDialog::DDX_Diameter);
    m_shown.Exchange(this, pDX, IDC_TAPE_ACTUAL_DIAMETER, v.pipe.actualDiameter, &OZU_BaseDialog::DDX_Diameter);
    ExchangeFloat(pDX, IDC_TAPE_ROUGHNESS, v.pipe.fRoughness, 20.0f, 200.0f);
    m_shown.Exchange(this, pDX, IDC_TAPE_ALLOWABLE_PRESSURE, v.pipe.allowablePressure, &OZU_BaseDialog::DDX_Pressure);
    ExchangeFloat(pDX, IDC_TAPE_ZONE_ABOVE, v.fZoneAbove, 0.0f, 1000.0f);
    ExchangeFloat(pDX, IDC_TAPE_ZONE_BELOW, v.fZoneBelow, 0.0f, 100.0f);
    m_shown.Exchange(this, pDX, IDC_TAPE_DISCHARGE_RATE, v.dischargeRate, &OZU_BaseDialog::DDX_FlowPerLength);
    ExchangeFloat(pDX, IDC_TAPE_COEFFICIENT1, v.fCoefficient1, 0.001f, 999.999f);
    ExchangeFloat(pDX, IDC_TAPE_COEFFICIENT2, v.fCoefficient2, 0.0f, 9.999f);
    ExchangeFloat(pDX, IDC_TAPE_COEFFICIENT3, v.fCoefficient3, 0.0f, 9.999f);
    ExchangeFloat(pDX, IDC_TAPE_COV, v.fCOV, 0.0f, 0.99f);

    // The check box first: the fourth coefficient is read in the form of
    // the mode it shows.
    int nIteration = v.bIteration ? 1 : 0;
    DDX_Check(pDX, IDC_TAPE_ITERATION, nIteration);
    v.bIteration = nIteration != 0;
    if (v.bIteration)
        m_shown.Exchange(this, pDX, IDC_TAPE_COEFFICIENT4, v.spacing, &OZU_BaseDialog::DDX_Length);
    else
        ExchangeFloat(pDX, IDC_TAPE_COEFFICIENT4, v.fSlopeFactor, 0.0f, 19.999f);

    m_shown.Exchange(this, pDX, IDC_TAPE_MAXIMUM_PRESSURE, v.maximumPressure, &OZU_BaseDialog::DDX_Pressure);
    m_shown.Exchange(this, pDX, IDC_TAPE_MINIMUM_PRESSURE, v.minimumPressure, &OZU_BaseDialog::DDX_Pressure);
    // The checks between the pressures are told also when a stored tape
    // breaks them; they refuse only a save.
    CheckMinimumNotAbove(pDX, v.minimumPressure, v.maximumPressure, PRESSURE_M, IDS_MINIMUM_PRESSURE_ABOVE);
    m_shown.Exchange(this, pDX, IDC_TAPE_DEFAULT_PRESSURE, v.defaultPressure, &OZU_BaseDialog::DDX_Pressure);
    const double dDefault = v.defaultPressure.GetValueIn(PRESSURE_M);
    CheckFieldRule(pDX, dDefault > v.maximumPressure.GetValueIn(PRESSURE_M) ||
                       dDefault < v.minimumPressure.GetValueIn(PRESSURE_M),
                   IDS_DEFAULT_PRESSURE_RANGE);
    m_shown.Exchange(this, pDX, IDC_TAPE_MINIMUM_PC_PRESSURE, v.minimumPCPressure, &OZU_BaseDialog::DDX_Pressure);
}

void CTapeDialog::OnIteration()
{
    ShowModeCaptions(m_btnIteration.GetCheck() == BST_CHECKED);
    // The fourth coefficient's text now stands for the other mode's value.
    m_shown.Forget(IDC_TAPE_COEFFICIENT4);
}

void CTapeDialog::OnOK()
{
    OZU_LineDialog::OnOK();
    m_values.bIteration = m_btnIteration.GetSafeHwnd() != nullptr && m_btnIteration.GetCheck() == BST_CHECKED;
    ReadListChoice(m_cbPipeType, m_values.pipe.pipeType);
    m_values.FitTexts();
    m_nFlags |= COMPONENT_FLAG_TAPE;
    FinishOK();
}

LRESULT CTapeDialog::OnDetailDlgNotify(WPARAM, LPARAM lParam)
{
    // The tape's Tapes row, holding the fitted constant and index of the
    // emitter's Q = KH^n.
    const auto* pTape = reinterpret_cast<const CTapeExtras*>(lParam);
    if (pTape == nullptr)
        return 0;
    ShowCoefficient(this, IDC_TAPE_COEFFICIENT1, pTape->m_fTapeReals1);
    ShowCoefficient(this, IDC_TAPE_COEFFICIENT2, pTape->m_fTapeReals2);
    return 0;
}
