// The Units dialog: the display unit of each quantity, with the Metric and US
// presets. OK makes the chosen units the current ones and saves them; Cancel
// changes nothing. The Import unit and the decimal places are not edited
// here and keep their values.
#pragma once

#include "platform/framework/Framework.h"
#include "units/OZU_UnitSettings.h"
#include "app/AppRes.h"

class CUnitsDlg : public CDialog
{
public:
    enum { IDD = IDD_UNITS };

    // Edits unitSettings, which are first read again from their stored values.
    explicit CUnitsDlg(OZU_UnitSettings* pUnitSettings, CWnd* pParent = nullptr);

    // The quantities of the dialog: control id, the unit list's names and
    // how many of its units are offered.
    struct Quantity { int controlId; int offered; };
    static const Quantity kQuantities[14];

    // The working set (what the controls show).
    const OZU_UnitSet& GetWorkingUnits() const { return m_units; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg void OnMetric();
    afx_msg void OnUS();

    // Selection index of each combo box from the working set, and back
    // (Length follows Distance, Flow follows Outlet Flow; a box without a
    // selection leaves its unit as it was).
    void IndexesFromUnits();
    void UnitsFromIndexes();
    // The quantities of the dialog from a preset.
    void ApplyPreset(const OZU_UnitSet& preset);

    OZU_UnitSettings* m_pUnitSettings;
    OZU_UnitSet m_units;
    CComboBox m_combos[14];
    int m_nIndexes[14] = {};

    DECLARE_MESSAGE_MAP()
};
