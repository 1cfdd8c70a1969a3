#include "editors/base/window/LineDialog.h"
#include "editors/base/window/EditorBaseRes.h"
#include "pickers/controls/ColourWells.h"
#include "grids/core/GridsCoreRes.h"

IMPLEMENT_DYNAMIC(OZU_LineDialog, OZU_ComponentDialog)

BEGIN_MESSAGE_MAP(OZU_LineDialog, OZU_ComponentDialog)
END_MESSAGE_MAP()

OZU_LineDialog::OZU_LineDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings,
                               CEditorView* pView)
    : OZU_ComponentDialog(pGrid, pRecord, pUnitSettings, pView)
{
    OZU_LengthUnit length;
    if (pUnitSettings != nullptr && !pUnitSettings->GetLengthUnit(length).IsMetric()) {
        m_fPriceLoadFactor *= kPriceLoadFeet;
        m_fPriceSaveFactor *= kPriceSaveFeet;
    }
}

OZU_LineDialog::~OZU_LineDialog() = default;

BOOL OZU_LineDialog::OnInitDialog()
{
    m_crLineColour = (COLORREF)m_pRecord->m_nColour1;
    m_nLinetype = m_pRecord->m_nLinetype;

    m_wellLineColour.SubclassDlgItem(IDC_LINE_COLOUR, this);
    m_wellLineColour.SetPopupWell(new OZU_PopupColorWell);
    m_wellLineColour.SetColor(m_crLineColour);
    m_wellLineColour.SetPaletteMode(TRUE);
    m_wellLineColour.SetShowOther(FALSE);

    if (!OZU_ComponentDialog::OnInitDialog())
        return FALSE;

    const BOOL bPerMetre = m_fPriceLoadFactor == 1.0f;
    CString per = bPerMetre ? LoadText(IDS_UNIT_PER_METER, "per meter") : LoadText(IDS_UNIT_PER_100FT, "per 100 ft");
    for (int nID : { IDC_WHOLESALE_PER, IDC_RETAIL_PER })
        if (CWnd* pCaption = GetDlgItem(nID))
            pCaption->SetWindowText(per);

    if (m_cbLineStyle.GetSafeHwnd() != nullptr) {
        m_cbLineStyle.ResetContent();
        const LineTypeArray& lineTypes = LineTypeList();
        for (size_t i = 0; i < lineTypes.size(); ++i) {
            int nItem = m_cbLineStyle.AddString(lineTypes[i].name.c_str());
            if (nItem >= 0)
                m_cbLineStyle.SetItemData(nItem, (DWORD_PTR)i);
        }
        m_cbLineStyle.SetCurSel(0);
        m_cbLineStyle.SelectByData(m_nLinetype);
    }
    return TRUE;
}

void OZU_LineDialog::DoDataExchange(CDataExchange* pDX)
{
    OZU_ComponentDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LINE_STYLE, m_cbLineStyle);
    dedaride::foundation::DDX_WellButtonColor(pDX, m_wellLineColour, m_crLineColour);
}

void OZU_LineDialog::OnOK()
{
    OZU_ComponentDialog::OnOK();
    long nSelected = m_cbLineStyle.GetSafeHwnd() != nullptr ? m_cbLineStyle.GetSelectedData() : -1;
    if (nSelected != -1)
        m_nLinetype = nSelected;
}
