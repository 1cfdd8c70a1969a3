// OZU_LineDialog: the base of the editors of components a design draws as
// lines (pipe, tape, wire). It adds the plotting colour (a colour-well
// button on the program's palette) and the line type (a position in
// LineTypeList), and shows the costs per length unit: per metre, or per
// 100 ft when the user's lengths are not metric.
#pragma once

#include "editors/base/window/ComponentDialog.h"
#include "pickers/controls/LineStylePickers.h"
#include "toolbars/buttons/WellButton.h"

class OZU_LineDialog : public OZU_ComponentDialog
{
    DECLARE_DYNAMIC(OZU_LineDialog)
public:
    OZU_LineDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~OZU_LineDialog() override;

    // The costs shown per 100 ft are the stored costs per metre times this,
    // and a cost typed per 100 ft is stored times kPriceSaveFeet.
    static constexpr float kPriceLoadFeet = 30.4878f;
    static constexpr float kPriceSaveFeet = 0.0328f;

    COLORREF m_crLineColour = 0;    // [Colour1]
    long m_nLinetype = 0;           // [Linetype]
    dedaride::foundation::OZWWellButton m_wellLineColour;
    CLineStyleCombo m_cbLineStyle;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()
};
