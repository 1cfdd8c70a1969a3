// The list view and its printing, and the engine's view form
// (OZWListEngine<CView>), which is built here.
#include "listtree/list/ctrl/ListView.h"
#include "listtree/list/ctrl/ListEngineInput.h"

template class OZWListEngine<CView>;

IMPLEMENT_DYNCREATE(OZWListView, CView)

BEGIN_MESSAGE_MAP(OZWListView, CView)
    OZW_LIST_ENGINE_MESSAGES()
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

OZWListView::~OZWListView()
{
    m_fontPrintItem.DeleteObject();
    m_fontPrintHeader.DeleteObject();
}

void OZWListView::OnPaint()
{
    if (m_bPrinting) {
        // The engine is laid out for the printer: the window waits.
        ValidateRect(nullptr);
        return;
    }
    CPaintDC dc(this);
    DoPaint(&dc);
}

void OZWListView::GetInsideRect(RECT* pRect)
{
    if (m_bPrinting)
        *pRect = m_rcPage;
    else
        OZWListBaseV::GetInsideRect(pRect);
}

CDC* OZWListView::GetMeasureDC(BOOL* pbOwned)
{
    if (m_bPrinting) {
        *pbOwned = FALSE;
        return m_pPrintDC;
    }
    return OZWListBaseV::GetMeasureDC(pbOwned);
}

BOOL OZWListView::OnPreparePrinting(CPrintInfo* pInfo)
{
    pInfo->m_pd.Flags |= PD_NOPAGENUMS | PD_NOSELECTION;
    return DoPreparePrinting(pInfo);
}

BOOL OZWListView::CreatePrintFonts(CDC*)
{
    LOGFONT lf = {};
    CFont* pItem = GetItemFont();
    if (pItem == nullptr || pItem->GetLogFont(&lf) == 0 || !m_fontPrintItem.CreateFontIndirect(&lf)) {
        if (!m_fontPrintItem.CreatePointFont(110, "Times New Roman"))
            return FALSE;
    }
    CFont* pHeader = GetHeaderFont();
    if (pHeader == nullptr || pHeader->GetLogFont(&lf) == 0 || !m_fontPrintHeader.CreateFontIndirect(&lf)) {
        if (!m_fontPrintHeader.CreatePointFont(110, "Times New Roman"))
            return FALSE;
    }
    return TRUE;
}

BOOL OZWListView::DeletePrintFonts()
{
    if (!m_fontPrintItem.DeleteObject())
        return FALSE;
    return m_fontPrintHeader.DeleteObject();
}

void OZWListView::PreparePrintDC(CDC* pDC)
{
    pDC->SetMapMode(MM_ANISOTROPIC);
    CClientDC screen(this);
    pDC->SetWindowExt(screen.GetDeviceCaps(LOGPIXELSX), screen.GetDeviceCaps(LOGPIXELSY));
    const HDC hAttrib = pDC->m_hAttribDC != nullptr ? pDC->m_hAttribDC : pDC->m_hDC;
    pDC->SetViewportExt(::GetDeviceCaps(hAttrib, LOGPIXELSX), ::GetDeviceCaps(hAttrib, LOGPIXELSY));
    m_rcPage.SetRect(0, 0, ::GetDeviceCaps(hAttrib, HORZRES), ::GetDeviceCaps(hAttrib, VERTRES));
    pDC->DPtoLP(&m_rcPage);
}

void OZWListView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC->IsPrinting() && pInfo != nullptr)
        PreparePrintDC(pDC);
    else
        CView::OnPrepareDC(pDC, pInfo);
}

BOOL OZWListView::NextPrintPage(CDC* pDC)
{
    delete NewPaintContext(pDC);
    const int nLast = GetLastFullyVisible();
    // A row taller than the page gets a page of its own (cut at the page's
    // end), so the pages always move on.
    const int nNext = std::max(nLast + 1, m_nTopIndex + 1);
    if (nNext < GetItemCount()) {
        m_nTopIndex = nNext;
        return TRUE;
    }
    return FALSE;
}

BOOL OZWListView::GotoPrintPage(UINT nPage, CDC* pDC)
{
    if (m_nLayoutPage == (int)nPage)
        return TRUE;
    m_nTopIndex = 0;
    BOOL bResult = TRUE;
    for (UINT i = 1; i < nPage; ++i) {
        bResult = NextPrintPage(pDC);
        if (!bResult)
            break;
    }
    m_nLayoutPage = (int)nPage;
    return bResult;
}

void OZWListView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_nSavedTopIndex = m_nTopIndex;
    m_pSavedItemFont = m_pItemFont;
    m_pSavedHeaderFont = m_pHeaderFont;
    m_nTopIndex = 0;
    m_nLayoutPage = 0;
    if (!CreatePrintFonts(pDC)) {
        pInfo->m_bContinuePrinting = FALSE;
        return;
    }
    m_pItemFont = &m_fontPrintItem;
    m_pHeaderFont = &m_fontPrintHeader;
    m_pPrintDC = pDC;
    PreparePrintDC(pDC);
    // The page has no scroll bars and starts at the first column.
    m_dwSavedScrollState = m_dwScrollState;
    m_nSavedHorzOffset = m_nHorzOffset;
    m_dwScrollState = 0;
    m_nHorzOffset = 0;
    m_bPrinting = TRUE;
    RemeasureAll();
    if (pInfo->m_bPreview) {
        UINT nPages = 1;
        while (NextPrintPage(pDC))
            ++nPages;
        pInfo->SetMaxPage(nPages);
        m_nTopIndex = 0;
    }
}

void OZWListView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (pInfo->m_bPreview) {
        GotoPrintPage(pInfo->m_nCurPage, pDC);
        CView::OnPrint(pDC, pInfo);
    } else {
        CView::OnPrint(pDC, pInfo);
        pInfo->m_bContinuePrinting = NextPrintPage(pDC);
    }
}

void OZWListView::OnDraw(CDC* pDC)
{
    if (pDC->IsPrinting())
        DoPaint(pDC);
}

void OZWListView::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_rcPage.SetRectEmpty();
    m_pItemFont = m_pSavedItemFont;
    m_pHeaderFont = m_pSavedHeaderFont;
    DeletePrintFonts();
    const BOOL bWasPrinting = m_bPrinting;
    m_bPrinting = FALSE;
    m_pPrintDC = nullptr;
    if (bWasPrinting) {
        m_dwScrollState = m_dwSavedScrollState;
        m_nHorzOffset = m_nSavedHorzOffset;
    }
    m_nTopIndex = std::clamp(m_nSavedTopIndex, 0, std::max(0, GetItemCount() - 1));
    // The rows were measured in the printer's fonts: measure them again.
    RemeasureAll();
    RecalcLayout();
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}
