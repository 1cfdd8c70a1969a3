#include "app/KelvaronView.h"
#include "app/KelvaronApp.h"
#include "app/KelvaronDoc.h"
#include "database/records/ComponentRecords.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"

IMPLEMENT_DYNCREATE(CKelvaronView, CFormView)

BEGIN_MESSAGE_MAP(CKelvaronView, CFormView)
END_MESSAGE_MAP()

namespace {
// The Components columns whose text widths the view keeps, in order.
const int kLengthColumns[10] = { 6, 7, 8, 9, 10, 11, 12, 13, 33, 34 };
} // namespace

CKelvaronView::CKelvaronView() : CFormView((UINT)IDD)
{
}

CKelvaronView::~CKelvaronView() = default;

CKelvaronDoc* CKelvaronView::GetDocument() const
{
    return dynamic_cast<CKelvaronDoc*>(m_pDocument);
}

CDatabase* CKelvaronView::GetDatabase() const
{
    CKelvaronDoc* pDoc = GetDocument();
    return pDoc ? pDoc->GetDatabase() : nullptr;
}

OZU_DiameterValue& CKelvaronView::ConvertNominal(OZU_DiameterValue& result, const OZU_DiameterValue& diameter,
                                                 int nUnit)
{
    // Without a document the result is left as it was given (a new value is
    // not valid).
    if (CKelvaronDoc* pDoc = GetDocument())
        result = pDoc->ConvertDiameter(diameter, nUnit);
    return result;
}

void CKelvaronView::TabToComponentType(int nTab, BYTE& nDatabaseNumber, long& nFlags)
{
    kvgrid::TabToComponentType(nTab, nDatabaseNumber, nFlags);
}

void CKelvaronView::ReadFieldLengths()
{
    for (int& n : m_nFieldLengths)
        n = 0;
    CDatabase* pDb = GetDatabase();
    if (!pDb || !pDb->IsOpen())
        return;
    try
    {
        CRecordset rs(pDb);
        rs.Open(CRecordset::forwardOnly, "SELECT TOP 1 * FROM Components", CRecordset::readOnly);
        for (int i = 0; i < 10; i++)
        {
            short index = (short)(kLengthColumns[i] - 1);
            if (index < rs.GetODBCFieldCount())
            {
                CODBCFieldInfo info;
                rs.GetODBCFieldInfo(index, info);
                m_nFieldLengths[i] = (int)info.m_nPrecision;
            }
        }
        rs.Close();
    }
    catch (CException* e)
    {
        ReportDatabaseException(e);
    }
}

int CKelvaronView::GetFieldLength(int nColumn) const
{
    for (int i = 0; i < 10; i++)
        if (kLengthColumns[i] == nColumn)
            return m_nFieldLengths[i];
    return 0;
}

BOOL CKelvaronView::IsStartingUp() const
{
    CKelvaronApp* pApp = dynamic_cast<CKelvaronApp*>(AfxGetApp());
    return pApp != nullptr && pApp->IsStartingUp();
}

void CKelvaronView::SwitchGridTable(int nTab)
{
    if (!m_pGrid)
        return;
    m_nCurrentTab = nTab;
    m_pGrid->SwitchTable(nTab);
}

void CKelvaronView::OnAddComponent()
{
}

void CKelvaronView::OnEditComponent()
{
}

void CKelvaronView::OnAddToAssembly()
{
    AddToAssembly(-1);
}

void CKelvaronView::OnAddNozzle()
{
    if (m_pGrid)
        m_pGrid->AddNozzleToEmitter();
}

void CKelvaronView::AddToAssembly(long nKey)
{
    if (m_pGrid)
        m_pGrid->AddToAssembly(nKey);
}

void CKelvaronView::ShowColourPopup(const CRect&, long)
{
}

void CKelvaronView::ShowLineTypePopup(const CRect&, long, long)
{
}

void CKelvaronView::OnDraw(CDC*)
{
}
