#include "platform/framework/docview/PrintPreview.h"

#include "platform/framework/window/WinApp.h"

#include <algorithm>
#include <memory>

/////////////////////////////////////////////////////////////////////////////
// CView::OnFilePrintPreview

void CView::OnFilePrintPreview()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr)
        return;
    auto pInfo = std::make_unique<CPrintInfo>();
    pInfo->m_bPreview = TRUE;
    if (!OnPreparePrinting(pInfo.get()) || pInfo->m_pd.hDC == nullptr) {
        // No printer (the default printer is asked for without a dialog).
        if (::CommDlgExtendedError() == PDERR_NODEFAULTPRN)
            AfxMessageBox(LoadText(AFX_IDP_NO_PRINTER, "No printer is installed."), MB_ICONINFORMATION);
        return;
    }
    auto pState = std::make_unique<CPrintPreviewState>();
    auto* pPreview = new CPreviewView;
    // StartPreview owns the information and the state from here on; on
    // failure it has given the view back and destroyed itself.
    pPreview->StartPreview(this, pFrame, pInfo.release(), pState.release());
}

/////////////////////////////////////////////////////////////////////////////
// CPreviewView

IMPLEMENT_DYNCREATE(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView()
{
    FreePages();
    delete m_pPreviewInfo;
    delete m_pPreviewState;
}

void CPreviewView::FreePages()
{
    for (HENHMETAFILE h : m_pages)
        if (h != nullptr)
            ::DeleteEnhMetaFile(h);
    m_pages.clear();
}

BOOL CPreviewView::StartPreview(CView* pPrintView, CFrameWnd* pFrame, CPrintInfo* pInfo, CPrintPreviewState* pState)
{
    m_pPrintView = pPrintView;
    m_pFrame = pFrame;
    m_pPreviewInfo = pInfo;
    m_pPreviewState = pState;
    m_dcPrint.Attach(pInfo->m_pd.hDC);
    pInfo->m_pd.hDC = nullptr; // the DC object deletes it
    m_dcPrint.m_bPrinting = TRUE;

    // The view lays its pages out for the printer.
    m_pPrintView->OnBeginPrinting(&m_dcPrint, pInfo);
    if (!pInfo->m_bContinuePrinting) {
        m_pPrintView->OnEndPrinting(&m_dcPrint, pInfo);
        delete this;
        return FALSE;
    }

    // The preview takes the view's place: the view's pane id, the frame's
    // layout and its active view.
    pFrame->OnSetPreviewMode(TRUE, pState);
    CRect rc;
    pPrintView->GetWindowRect(&rc);
    pFrame->ScreenToClient(&rc);
    pPrintView->SetDlgCtrlID(AFX_IDW_PANE_SAVE);
    pPrintView->ShowWindow(SW_HIDE);
    if (!Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rc, pFrame, AFX_IDW_PANE_FIRST, nullptr)) {
        pPrintView->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
        pPrintView->ShowWindow(SW_SHOW);
        pFrame->OnSetPreviewMode(FALSE, pState);
        m_pPrintView->OnEndPrinting(&m_dcPrint, pInfo);
        delete this;
        return FALSE;
    }
    // The buttons: Print, Next Page, Prev Page, Close, and the page line.
    m_font.CreateStockObject(DEFAULT_GUI_FONT);
    static const UINT ids[4] = { AFX_ID_PREVIEW_PRINT, AFX_ID_PREVIEW_NEXT, AFX_ID_PREVIEW_PREV, AFX_ID_PREVIEW_CLOSE };
    static const UINT texts[4] = { AFX_IDS_PREVIEW_PRINT, AFX_IDS_PREVIEW_NEXT, AFX_IDS_PREVIEW_PREV, AFX_IDS_PREVIEW_CLOSE };
    static const char* fallbacks[4] = { "&Print...", "&Next Page", "Pre&v Page", "&Close" };
    for (int i = 0; i < 4; ++i) {
        m_buttons[i].Create(LoadText(texts[i], fallbacks[i]), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                            CRect(4 + i * 84, 4, 84 + i * 84, 26), this, ids[i]);
        m_buttons[i].SetFont(&m_font, FALSE);
    }
    m_pageText.Create("", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE, CRect(344, 4, 520, 26), this);
    m_pageText.SetFont(&m_font, FALSE);
    m_nCurrentPage = std::max(1u, std::min(pInfo->m_nCurPage, GetPageCount()));
    UpdateButtons();
    pFrame->SetActiveView(this);
    pFrame->RecalcLayout();
    SetFocus();
    Invalidate();
    return TRUE;
}

UINT CPreviewView::GetPageCount() const
{
    if (m_pPreviewInfo == nullptr)
        return 1;
    const UINT nMax = m_pPreviewInfo->GetMaxPage();
    // A view that gave no count shows its first page only.
    return nMax == 0 || nMax == 0xFFFF ? 1 : nMax;
}

void CPreviewView::SetCurrentPage(UINT nPage)
{
    nPage = std::clamp(nPage, 1u, GetPageCount());
    if (nPage != m_nCurrentPage) {
        m_nCurrentPage = nPage;
        UpdateButtons();
        Invalidate();
    }
}

void CPreviewView::UpdateButtons()
{
    if (m_hWnd == nullptr)
        return;
    m_buttons[1].EnableWindow(m_nCurrentPage < GetPageCount());
    m_buttons[2].EnableWindow(m_nCurrentPage > 1);
    CString strPage;
    strPage.FormatMessage(LoadText(AFX_IDS_PREVIEW_PAGE, "Page %1 of %2"), (LPCSTR)CString(std::to_string(m_nCurrentPage)),
                          (LPCSTR)CString(std::to_string(GetPageCount())));
    m_pageText.SetWindowText(strPage);
}

HENHMETAFILE CPreviewView::GetPagePicture(UINT nPage)
{
    if (nPage < 1 || nPage > GetPageCount() || m_pPrintView == nullptr || !::IsWindow(m_pPrintView->m_hWnd))
        return nullptr;
    if (m_pages.size() < nPage)
        m_pages.resize(nPage, nullptr);
    if (m_pages[nPage - 1] != nullptr)
        return m_pages[nPage - 1];
    // The page is recorded on a metafile made for the printer, one page large.
    const HDC hRef = m_dcPrint.m_hDC;
    const RECT frame = { 0, 0, ::GetDeviceCaps(hRef, HORZSIZE) * 100, ::GetDeviceCaps(hRef, VERTSIZE) * 100 };
    HDC hMeta = ::CreateEnhMetaFileA(hRef, nullptr, &frame, nullptr);
    if (hMeta == nullptr)
        return nullptr;
    {
        CDC dc;
        dc.m_hDC = dc.m_hAttribDC = hMeta;
        dc.m_bPrinting = TRUE;
        m_pPreviewInfo->m_nCurPage = nPage;
        m_pPreviewInfo->m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        m_pPrintView->OnPrepareDC(&dc, m_pPreviewInfo);
        dc.DPtoLP(&m_pPreviewInfo->m_rectDraw);
        m_pPrintView->OnPrint(&dc, m_pPreviewInfo);
        dc.m_hDC = dc.m_hAttribDC = nullptr; // the metafile DC is closed below
    }
    m_pages[nPage - 1] = ::CloseEnhMetaFile(hMeta);
    return m_pages[nPage - 1];
}

CRect CPreviewView::GetPageRect() const
{
    CRect client;
    GetClientRect(&client);
    client.top += ButtonBarHeight;
    client.DeflateRect(12, 12);
    const int cxPage = std::max(1, ::GetDeviceCaps(m_dcPrint.m_hDC, HORZSIZE));
    const int cyPage = std::max(1, ::GetDeviceCaps(m_dcPrint.m_hDC, VERTSIZE));
    if (client.Width() <= 0 || client.Height() <= 0)
        return CRect();
    // As large as fits, in the page's proportions, centred.
    int cx = client.Width(), cy = (int)((long long)cx * cyPage / cxPage);
    if (cy > client.Height()) {
        cy = client.Height();
        cx = (int)((long long)cy * cxPage / cyPage);
    }
    const int x = client.left + (client.Width() - cx) / 2;
    const int y = client.top + (client.Height() - cy) / 2;
    return CRect(x, y, x + cx, y + cy);
}

BOOL CPreviewView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CPreviewView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_APPWORKSPACE));
    CRect bar(client.left, client.top, client.right, client.top + ButtonBarHeight);
    pDC->FillSolidRect(&bar, ::GetSysColor(COLOR_BTNFACE));
    const CRect page = GetPageRect();
    if (page.IsRectEmpty())
        return;
    CRect shadow = page;
    shadow.OffsetRect(3, 3);
    pDC->FillSolidRect(&shadow, ::GetSysColor(COLOR_3DDKSHADOW));
    pDC->FillSolidRect(&page, RGB(255, 255, 255));
    if (HENHMETAFILE h = GetPagePicture(m_nCurrentPage)) {
        const int nSaved = pDC->SaveDC();
        pDC->IntersectClipRect(&page);
        ::PlayEnhMetaFile(pDC->m_hDC, h, &page);
        pDC->RestoreDC(nSaved);
    }
    CBrush frame(RGB(0, 0, 0));
    pDC->FrameRect(&page, &frame);
}

void CPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    Invalidate();
}

void CPreviewView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_ESCAPE: OnPreviewClose(); return;
    case VK_NEXT: OnNextPage(); return;
    case VK_PRIOR: OnPrevPage(); return;
    case VK_HOME: SetCurrentPage(1); return;
    case VK_END: SetCurrentPage(GetPageCount()); return;
    default: CView::OnKeyDown(nChar, nRepCnt, nFlags); return;
    }
}

UINT CPreviewView::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CPreviewView::OnNextPage()
{
    SetCurrentPage(m_nCurrentPage + 1);
}

void CPreviewView::OnPrevPage()
{
    if (m_nCurrentPage > 1)
        SetCurrentPage(m_nCurrentPage - 1);
}

void CPreviewView::OnPreviewClose()
{
    ClosePreview();
}

void CPreviewView::OnPreviewPrint()
{
    CView* pView = m_pPrintView;
    ClosePreview();
    // The job of the preview is over; printing is a job of its own.
    if (pView != nullptr && ::IsWindow(pView->m_hWnd))
        pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::EndPreview()
{
    if (m_bClosing)
        return;
    m_bClosing = TRUE;
    const BOOL bViewAlive = m_pPrintView != nullptr && ::IsWindow(m_pPrintView->m_hWnd);
    const BOOL bFrameAlive = m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd);
    FreePages();
    if (bViewAlive)
        m_pPrintView->OnEndPrinting(&m_dcPrint, m_pPreviewInfo);
    if (m_hWnd != nullptr)
        SetDlgCtrlID(AFX_IDW_PANE_SAVE);
    if (bViewAlive) {
        m_pPrintView->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
        m_pPrintView->ShowWindow(SW_SHOW);
    }
    if (bFrameAlive) {
        if (m_pFrame->GetActiveView() == this)
            m_pFrame->SetActiveView(bViewAlive ? m_pPrintView : nullptr);
        m_pFrame->OnSetPreviewMode(FALSE, m_pPreviewState);
    }
}

void CPreviewView::ClosePreview()
{
    if (m_bClosing)
        return;
    CFrameWnd* pFrame = m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd) ? m_pFrame : nullptr;
    EndPreview();
    if (m_hWnd != nullptr)
        DestroyWindow(); // deletes this
    else
        delete this;
    if (pFrame != nullptr)
        pFrame->RecalcLayout();
}

void CPreviewView::OnDestroy()
{
    // Destroyed with its frame: the job ends all the same.
    EndPreview();
    CView::OnDestroy();
}
