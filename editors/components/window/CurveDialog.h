// CCurveDialog: what the control valve, hydraulic item and pump editors
// share. Each edits the three coefficients of its component's curve (K, n
// and C of H = KQ^n + C, or A, B and C of H = AQ² + BQ + C), an inlet and an
// outlet diameter (nominal sizes) with their connection types, and the flow
// range the component works in; each takes the coefficients the curve-fit
// bar fits for its kind of curve.
#pragma once

#include "editors/base/window/SymbolDialog.h"
#include "editors/components/window/EditorSupport.h"

class CCurveDialog : public OZU_SymbolDialog
{
    DECLARE_DYNAMIC(CCurveDialog)
public:
    ~CCurveDialog() override;

    kvcomponents::CurveValues m_values;

    // The controls of one kind's template, and what sets the kinds apart.
    struct Controls
    {
        int nCoefficient[3];              // K, n, C or A, B, C
        int nInletDiameter;
        int nOutletDiameter;
        kvcomponents::ConnectionControls inlet;
        kvcomponents::ConnectionControls outlet;
        int nMaximumFlow;
        int nMinimumFlow;
        kvgrid::TableType nKind;          // its unit captions and assembly title
        BOOL bFittingType;                // the kind keeps a fitting type
    };

protected:
    CCurveDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView,
                 const Controls& controls);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // The pieces of a leaf's exchange, which each leaf runs in its order.
    void ExchangeCoefficient(CDataExchange* pDX, int nIndex, float fMin, float fMax);
    void ExchangeInletDiameter(CDataExchange* pDX);
    // The settings' diameter limits; bFromZero: from 0 (no outlet) up to the
    // settings' maximum instead.
    void ExchangeOutletDiameter(CDataExchange* pDX, BOOL bFromZero = FALSE);
    void ExchangeConnections(CDataExchange* pDX);
    // The maximum flow, the minimum flow, then the minimum is checked
    // against the maximum: a stored component that breaks the rule is told
    // of it when it is shown; a save is refused.
    void ExchangeFlowRange(CDataExchange* pDX);

    // The coefficients of a fit of the kind's curve into their edits; the
    // value is stored only at OK.
    afx_msg LRESULT OnDetailDlgNotify(WPARAM wParam, LPARAM lParam);

    const Controls& m_controls;
    kvcomponents::CShownTexts m_shown;

    DECLARE_MESSAGE_MAP()
};
