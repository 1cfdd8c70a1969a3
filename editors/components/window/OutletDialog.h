// COutletDialog: the editor of an outlet ([Database Number] 12): a
// sprinkler or emitter that takes nozzles, or a demand point (a place that
// draws a set flow, without nozzles). Its arc type (fixed, variable,
// matched or demand point), default nozzle among its own nozzles, default
// pressure, default watering arc (for a demand point the default flow) and
// the tolerances around them, and its inlet diameter and connection.
#pragma once

#include "editors/base/window/SymbolDialog.h"
#include "editors/components/window/EditorSupport.h"

class COutletDialog : public OZU_SymbolDialog
{
    DECLARE_DYNAMIC(COutletDialog)
public:
    // Opens the editor (IsOpen tells whether the window was made).
    COutletDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~COutletDialog() override;

    kvcomponents::OutletValues m_values;
    CNozzleCombo m_cbNozzle;
    // The arc type shown is "Demand Point".
    BOOL m_bDemandPoint = FALSE;

    // The arc types in the order the list shows them (Fixed, Variable,
    // Matched, Demand Point): the code [Item Type] keeps for a position
    // ("FIX" for none), and the position of a code (-1 for a code that is
    // none of them).
    static CString ArcCodeOfIndex(int nIndex);
    static int ArcIndexOfCode(const CString& code);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    // Every command goes to the base first; a new choice of arc type then
    // runs OnArcTypeChange.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // The arc type was chosen: a demand point is asked for when the outlet
    // has nozzles (the store removes them), and refused puts the previous
    // choice back.
    void OnArcTypeChange();
    // The captions and the nozzle list of the mode.
    void UpdateArcField();

    CComboBox* ArcTypeCombo();

    int m_nArcIndex = -1;              // the arc type chosen last
    long m_nLoadedNozzleMark = 0;      // [Flags] bit 0x4 as loaded
    kvcomponents::CShownTexts m_shown;

    DECLARE_MESSAGE_MAP()
};
