#include "app/KelvaronView.h"
#include "app/KelvaronApp.h"
#include "app/KelvaronDoc.h"
#include "app/OptionsDlg.h"
#include "database/records/ComponentRecords.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"

IMPLEMENT_DYNCREATE(CKelvaronView, CFormView)

BEGIN_MESSAGE_MAP(CKelvaronView, CFormView)
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
// The Components columns whose text widths the view keeps, in order.
const int kLengthColumns[10] = { 6, 7, 8, 9, 10, 11, 12, 13, 33, 34 };
// Ids of the record-information window and of the main grid in it.
const UINT kRecordInfoId = 1327;
const UINT kMainGridId = 1328;
} // namespace

CKelvaronView::CKelvaronView() : CFormView((UINT)IDD)
{
}

CKelvaronView::~CKelvaronView()
{
    ReleaseGrids();
}

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

DWORD CKelvaronView::GetOptions() const
{
    CKelvaronApp* pApp = CKelvaronApp::Get();
    return pApp != nullptr ? pApp->GetOptions() : 0;
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

void CKelvaronView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    CDatabase* pDatabase = GetDatabase();
    if (m_pGrid != nullptr || pDatabase == nullptr || !pDatabase->IsOpen())
        return;
    ReadFieldLengths();
    ResizeParentToFit(TRUE);
    // The grid fills the view, which needs no scrolling of its own.
    SetScrollSizes(MM_TEXT, CSize(1, 1));

    CRect rect;
    GetClientRect(&rect);
    if (!m_recordInfo.Create(WS_VISIBLE, rect, this, kRecordInfoId))
        return;
    m_pGrid = new CGridWindow(this);
    m_bOwnsGrid = TRUE;
    if (!m_pGrid->Create(WS_VISIBLE, CRect(0, 0, 1, 1), &m_recordInfo, kMainGridId)) {
        delete m_pGrid;
        m_pGrid = nullptr;
        return;
    }
    m_recordInfo.AttachWnd(m_pGrid);
    m_pGrid->InitGrid();
    SwitchGridTable(0);
    m_pGrid->SetFocus();

    CKelvaronApp* pApp = CKelvaronApp::Get();
    const DWORD options = pApp != nullptr ? pApp->GetOptions() : 0;
    if (CFrameWnd* pFrame = GetParentFrame()) {
        if (options & OPTION_MAXIMIZE_DATABASE)
            pFrame->ShowWindow(SW_MAXIMIZE);
        else if (options & (OPTION_OPEN_DEFAULT | OPTION_OPEN_LAST))
            pFrame->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOMOVE | SWP_SHOWWINDOW);
    }
}

void CKelvaronView::OnUnitsChanged()
{
    if (m_pGrid == nullptr || m_pGrid->GetSafeHwnd() == nullptr)
        return;
    m_pGrid->UpdateColumnTitles();
    SwitchGridTable(m_nCurrentTab);
}

void CKelvaronView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    if (m_recordInfo.GetSafeHwnd() != nullptr && cx > 0 && cy > 0)
        m_recordInfo.MoveWindow(0, 0, cx, cy);
}

void CKelvaronView::OnDestroy()
{
    ReleaseGrids();
    CFormView::OnDestroy();
}

void CKelvaronView::ReleaseGrids()
{
    if (m_pGrid != nullptr && m_bOwnsGrid) {
        m_pGrid->DetachRecordBeam();
        if (m_recordInfo.GetSafeHwnd() != nullptr)
            m_recordInfo.AttachWnd(nullptr);
        if (m_pGrid->GetSafeHwnd() != nullptr)
            m_pGrid->DestroyWindow();
        delete m_pGrid;
        m_pGrid = nullptr;
    }
    if (m_recordInfo.GetSafeHwnd() != nullptr)
        m_recordInfo.DestroyWindow();
}
