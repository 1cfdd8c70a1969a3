// CView, CScrollView and CFormView.
#include "platform/framework/base/Collections.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/File.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Dialog.h"
#include "platform/framework/window/Gdi.h"
#include "platform/framework/window/Menu.h"
#include "platform/framework/window/WinApp.h"
#include "platform/framework/window/Wnd.h"
#include "platform/framework/drawing/Controls.h"
#include "platform/framework/drawing/ImageList.h"
#include "platform/framework/docview/ControlBar.h"
#include "platform/framework/docview/DocView.h"
#include "platform/framework/docview/DocViewUtil.h"

/////////////////////////////////////////////////////////////////////////////
// CView

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::CView() = default;

CView::~CView()
{
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        if (!AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG))
            return FALSE;
        cs.lpszClass = AFX_WNDFRAMEORVIEW;
    }
    // A border becomes the sunken client edge.
    if (cs.style & WS_BORDER) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    // The frame's creation context names the document the view shows.
    CCreateContext* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(nullptr); // deactivates this view
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    delete this; // views live as long as their windows
}

CFrameWnd* CView::EnsureParentFrame() const
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr)
        AfxThrowNotSupportedException();
    return pFrame;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView* pSender, LPARAM, CObject*)
{
    if (pSender != this)
        Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView*, CView*)
{
    if (!bActivate || m_hWnd == nullptr)
        return;
    // The active view of the active frame takes the focus, unless one of
    // its children has it already.
    CWnd* pTop = GetTopLevelParent();
    if (pTop != nullptr && ::GetActiveWindow() == pTop->m_hWnd) {
        HWND hWndFocus = ::GetFocus();
        if (hWndFocus != m_hWnd && !::IsChild(m_hWnd, hWndFocus))
            SetFocus();
    }
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    // Printing goes on while the view has pages to print; with no page
    // count the first page is the only one.
    if (pInfo != nullptr && pInfo->GetMaxPage() == 0xFFFF)
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
    (void)pDC;
}

BOOL CView::IsSelected(const CObject*) const
{
    return FALSE;
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    // A click into a view makes it its frame's active view.
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr) {
        HWND hWndFocus = ::GetFocus();
        if (pFrame->GetActiveView() == this) {
            if (hWndFocus != m_hWnd && !::IsChild(m_hWnd, hWndFocus))
                OnActivateView(TRUE, this, this);
        } else {
            pFrame->SetActiveView(this);
        }
    }
    return nResult;
}

/////////////////////////////////////////////////////////////////////////////
// Printing

CPrintInfo::CPrintInfo()
{
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION | PD_RETURNDC;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 0xFFFF;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo()
{
    if (m_pd.hDevMode != nullptr)
        ::GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames != nullptr)
        ::GlobalFree(m_pd.hDevNames);
    if (m_pd.hDC != nullptr)
        ::DeleteDC(m_pd.hDC);
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    pInfo->m_pd.hwndOwner = GetTopLevelParent() ? GetTopLevelParent()->m_hWnd : m_hWnd;
    if (pInfo->m_bDirect || pInfo->m_bPreview) {
        // The default printer, without asking.
        pInfo->m_pd.Flags |= PD_RETURNDEFAULT;
    }
    if (pInfo->m_pd.nToPage > pInfo->m_pd.nMaxPage)
        pInfo->m_pd.nToPage = pInfo->m_pd.nMaxPage;
    if (!::PrintDlgA(&pInfo->m_pd) || pInfo->m_pd.hDC == nullptr)
        return FALSE;
    return TRUE;
}

void CView::OnFilePrint()
{
    CPrintInfo printInfo;
    const MSG* pMsg = GetCurrentMessage();
    printInfo.m_bDirect = pMsg != nullptr && pMsg->message == WM_COMMAND &&
                          LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT;
    if (!OnPreparePrinting(&printInfo))
        return;

    CDC dcPrint;
    dcPrint.Attach(printInfo.m_pd.hDC);
    printInfo.m_pd.hDC = nullptr; // the DC object deletes it

    CString strTitle = m_pDocument != nullptr ? m_pDocument->GetTitle() : CString();
    DOCINFOA docInfo = {};
    docInfo.cbSize = sizeof(docInfo);
    docInfo.lpszDocName = strTitle;

    OnBeginPrinting(&dcPrint, &printInfo);
    if (::StartDocA(dcPrint.m_hDC, &docInfo) <= 0) {
        OnEndPrinting(&dcPrint, &printInfo);
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE, MB_ICONEXCLAMATION);
        return;
    }

    UINT nFrom = 1, nTo = printInfo.GetMaxPage();
    if (printInfo.m_pd.Flags & PD_PAGENUMS) {
        nFrom = printInfo.m_pd.nFromPage;
        nTo = printInfo.m_pd.nToPage;
    }
    BOOL bError = FALSE;
    for (printInfo.m_nCurPage = nFrom; printInfo.m_nCurPage <= nTo; printInfo.m_nCurPage++) {
        printInfo.m_rectDraw.SetRect(0, 0, dcPrint.GetDeviceCaps(HORZRES), dcPrint.GetDeviceCaps(VERTRES));
        dcPrint.DPtoLP(&printInfo.m_rectDraw);
        OnPrepareDC(&dcPrint, &printInfo);
        if (!printInfo.m_bContinuePrinting)
            break;
        if (::StartPage(dcPrint.m_hDC) <= 0) {
            bError = TRUE;
            break;
        }
        OnPrepareDC(&dcPrint, &printInfo); // the page start resets the DC
        OnPrint(&dcPrint, &printInfo);
        if (::EndPage(dcPrint.m_hDC) <= 0) {
            bError = TRUE;
            break;
        }
    }
    if (bError)
        ::AbortDoc(dcPrint.m_hDC);
    else
        ::EndDoc(dcPrint.m_hDC);
    OnEndPrinting(&dcPrint, &printInfo);
    if (bError)
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE, MB_ICONEXCLAMATION);
}


/////////////////////////////////////////////////////////////////////////////
// CScrollView

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = { 0, 0 };

CScrollView::CScrollView() = default;
CScrollView::~CScrollView() = default;

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    (void)nMapMode; // sizes are in pixels (MM_TEXT)
    m_nMapMode = MM_TEXT;
    m_totalLog = CSize(std::max(0L, (long)sizeTotal.cx), std::max(0L, (long)sizeTotal.cy));
    m_pageDev = sizePage;
    m_lineDev = sizeLine;
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalLog.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalLog.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = std::max(1L, (long)(m_pageDev.cx / 10));
    if (m_lineDev.cy == 0)
        m_lineDev.cy = std::max(1L, (long)(m_pageDev.cy / 10));
    if (m_hWnd != nullptr) {
        UpdateBars();
        Invalidate(TRUE);
    }
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const
{
    return GetDeviceScrollPosition();
}

void CScrollView::ScrollToPosition(POINT pt)
{
    CPoint ptOld = GetDeviceScrollPosition();
    int xMax = GetScrollLimit(SB_HORZ), yMax = GetScrollLimit(SB_VERT);
    pt.x = std::max(0L, std::min((long)pt.x, (long)xMax));
    pt.y = std::max(0L, std::min((long)pt.y, (long)yMax));
    SetScrollPos(SB_HORZ, pt.x);
    SetScrollPos(SB_VERT, pt.y);
    ScrollWindow(ptOld.x - pt.x, ptOld.y - pt.y);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pInfo == nullptr && pDC != nullptr) {
        CPoint pt = GetDeviceScrollPosition();
        pDC->SetViewportOrg(-pt.x, -pt.y);
    }
    CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    // Room for the scroll bars the view shows at the size asked.
    if (nAdjustType == adjustOutside && m_nMapMode != 0) {
        CSize sizeClient(lpClientRect->right - lpClientRect->left, lpClientRect->bottom - lpClientRect->top);
        if (sizeClient.cx < m_totalLog.cx)
            lpClientRect->bottom += ::GetSystemMetrics(SM_CYHSCROLL);
        if (sizeClient.cy < m_totalLog.cy)
            lpClientRect->right += ::GetSystemMetrics(SM_CXVSCROLL);
    }
    CView::CalcWindowRect(lpClientRect, nAdjustType);
}

void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate || m_nMapMode == 0 || m_hWnd == nullptr)
        return;
    m_bInsideUpdate = true;

    // The client area as it would be without scroll bars.
    CRect rectClient;
    GetClientRect(&rectClient);
    DWORD dwStyle = GetStyle();
    CSize sizeClient = rectClient.Size();
    if (dwStyle & WS_VSCROLL)
        sizeClient.cx += ::GetSystemMetrics(SM_CXVSCROLL);
    if (dwStyle & WS_HSCROLL)
        sizeClient.cy += ::GetSystemMetrics(SM_CYHSCROLL);

    // A bar in one direction takes room from the other.
    bool bNeedH = sizeClient.cx < m_totalLog.cx;
    bool bNeedV = sizeClient.cy < m_totalLog.cy;
    if (bNeedH && !bNeedV)
        bNeedV = sizeClient.cy - ::GetSystemMetrics(SM_CYHSCROLL) < m_totalLog.cy;
    if (bNeedV && !bNeedH)
        bNeedH = sizeClient.cx - ::GetSystemMetrics(SM_CXVSCROLL) < m_totalLog.cx;
    CSize sizeView(sizeClient.cx - (bNeedV ? ::GetSystemMetrics(SM_CXVSCROLL) : 0),
                   sizeClient.cy - (bNeedH ? ::GetSystemMetrics(SM_CYHSCROLL) : 0));

    CPoint ptOld = GetDeviceScrollPosition();
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_PAGE | SIF_RANGE;
    si.nMin = 0;
    si.nMax = bNeedH ? m_totalLog.cx - 1 : 0;
    si.nPage = bNeedH ? (UINT)sizeView.cx : 0;
    SetScrollInfo(SB_HORZ, &si, TRUE);
    si.nMax = bNeedV ? m_totalLog.cy - 1 : 0;
    si.nPage = bNeedV ? (UINT)sizeView.cy : 0;
    SetScrollInfo(SB_VERT, &si, TRUE);
    ShowScrollBar(SB_HORZ, bNeedH);
    ShowScrollBar(SB_VERT, bNeedV);

    // Keep the content where it was, within the new limits.
    CPoint ptNew(bNeedH ? std::min((long)ptOld.x, (long)std::max(0L, (long)(m_totalLog.cx - sizeView.cx))) : 0,
                 bNeedV ? std::min((long)ptOld.y, (long)std::max(0L, (long)(m_totalLog.cy - sizeView.cy))) : 0);
    SetScrollPos(SB_HORZ, ptNew.x);
    SetScrollPos(SB_VERT, ptNew.y);
    if (ptNew != ptOld)
        ScrollWindow(ptOld.x - ptNew.x, ptOld.y - ptNew.y);
    m_bInsideUpdate = false;
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    CPoint pt = GetDeviceScrollPosition();
    CPoint ptNew(std::max(0L, std::min((long)(pt.x + sizeScroll.cx), (long)GetScrollLimit(SB_HORZ))),
                 std::max(0L, std::min((long)(pt.y + sizeScroll.cy), (long)GetScrollLimit(SB_VERT))));
    if (ptNew == pt)
        return FALSE;
    if (bDoScroll) {
        SetScrollPos(SB_HORZ, ptNew.x);
        SetScrollPos(SB_VERT, ptNew.y);
        ScrollWindow(pt.x - ptNew.x, pt.y - ptNew.y);
        UpdateWindow();
    }
    return TRUE;
}

void CScrollView::ScrollBy(int nBar, int nDelta)
{
    OnScrollBy(nBar == SB_HORZ ? CSize(nDelta, 0) : CSize(0, nDelta), TRUE);
}

namespace {
// The new position for a scroll bar code, or -1 for none.
int ScrollTarget(CWnd* pWnd, int nBar, UINT nSBCode, int nLine, int nPage)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    pWnd->GetScrollInfo(nBar, &si, SIF_ALL);
    switch (nSBCode) {
    case SB_TOP: return 0;
    case SB_BOTTOM: return pWnd->GetScrollLimit(nBar);
    case SB_LINEUP: return si.nPos - nLine;
    case SB_LINEDOWN: return si.nPos + nLine;
    case SB_PAGEUP: return si.nPos - nPage;
    case SB_PAGEDOWN: return si.nPos + nPage;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return si.nTrackPos;
    default: return -1;
    }
}
} // namespace

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && pScrollBar->m_hWnd != nullptr) {
        CView::OnHScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    int nTarget = ScrollTarget(this, SB_HORZ, nSBCode, m_lineDev.cx, m_pageDev.cx);
    if (nSBCode != SB_ENDSCROLL && nTarget != -1)
        ScrollBy(SB_HORZ, nTarget - GetScrollPos(SB_HORZ));
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && pScrollBar->m_hWnd != nullptr) {
        CView::OnVScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    int nTarget = ScrollTarget(this, SB_VERT, nSBCode, m_lineDev.cy, m_pageDev.cy);
    if (nSBCode != SB_ENDSCROLL && nTarget != -1)
        ScrollBy(SB_VERT, nTarget - GetScrollPos(SB_VERT));
}

BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    UINT nLines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    int nBar = (GetStyle() & WS_VSCROLL) ? SB_VERT : SB_HORZ;
    int nLine = nBar == SB_VERT ? m_lineDev.cy : m_lineDev.cx;
    int nDelta = -(int)((long long)zDelta * (int)nLines * nLine / WHEEL_DELTA);
    if (nDelta == 0)
        return FALSE;
    return OnScrollBy(nBar == SB_VERT ? CSize(0, nDelta) : CSize(nDelta, 0), TRUE);
}

void CScrollView::ResizeParentToFit(BOOL bShrinkOnly)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr || m_nMapMode == 0)
        return;
    // The window size the view needs to show everything without scroll bars.
    CRect rectWanted(0, 0, m_totalLog.cx, m_totalLog.cy);
    CView::CalcWindowRect(&rectWanted, adjustOutside);
    CRect rectView, rectFrame;
    GetWindowRect(&rectView);
    pFrame->GetWindowRect(&rectFrame);
    int cx = rectFrame.Width() + rectWanted.Width() - rectView.Width();
    int cy = rectFrame.Height() + rectWanted.Height() - rectView.Height();
    if (bShrinkOnly) {
        cx = std::min(cx, rectFrame.Width());
        cy = std::min(cy, rectFrame.Height());
    }
    pFrame->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

/////////////////////////////////////////////////////////////////////////////
// CFormView

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BEGIN_MESSAGE_MAP(CFormView, CScrollView)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

namespace {

// The dialog procedure of forms: the dialog manager keeps its defaults,
// the form's message map does the rest.
INT_PTR CALLBACK FormDlgProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// A copy of a dialog template (plain or extended) made into a hidden child
// without caption or frame.
std::vector<BYTE> ChildTemplate(const void* pTemplate, DWORD dwSize)
{
    std::vector<BYTE> copy((const BYTE*)pTemplate, (const BYTE*)pTemplate + dwSize);
    const DWORD dwRemove = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | WS_BORDER |
                           WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_MODALFRAME | DS_CENTER | DS_SYSMODAL;
    const DWORD dwExRemove = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE |
                             WS_EX_TOOLWINDOW | WS_EX_APPWINDOW;
    DWORD* pStyle;
    DWORD* pExStyle;
    WORD wSignature[2];
    memcpy(wSignature, copy.data(), sizeof(wSignature));
    if (wSignature[0] == 1 && wSignature[1] == 0xFFFF) {
        // DLGTEMPLATEEX: version, signature, help id, extended style, style
        pExStyle = reinterpret_cast<DWORD*>(copy.data() + 8);
        pStyle = reinterpret_cast<DWORD*>(copy.data() + 12);
    } else {
        // DLGTEMPLATE: style, extended style
        pStyle = reinterpret_cast<DWORD*>(copy.data());
        pExStyle = reinterpret_cast<DWORD*>(copy.data() + 4);
    }
    DWORD dwStyle, dwExStyle;
    memcpy(&dwStyle, pStyle, sizeof(DWORD));
    memcpy(&dwExStyle, pExStyle, sizeof(DWORD));
    dwStyle = (dwStyle & ~dwRemove) | WS_CHILD;
    dwExStyle &= ~dwExRemove;
    dwExStyle |= WS_EX_CONTROLPARENT;
    memcpy(pStyle, &dwStyle, sizeof(DWORD));
    memcpy(pExStyle, &dwExStyle, sizeof(DWORD));
    return copy;
}

} // namespace

CFormView::CFormView(LPCTSTR lpszTemplateName) : m_lpszTemplateName(lpszTemplateName) {}

CFormView::CFormView(UINT nIDTemplate) : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)) {}

CFormView::~CFormView() = default;

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwRequestedStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext* pContext)
{
    // The view's class may adjust the style it is asked for, as for any view.
    CREATESTRUCT cs = {};
    cs.style = dwRequestedStyle | WS_CHILD;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->GetSafeHwnd();
    cs.hMenu = (HMENU)(UINT_PTR)nID;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    HRSRC hRsrc = ::FindResource(hInst, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL hData = hRsrc ? ::LoadResource(hInst, hRsrc) : nullptr;
    const void* pTemplate = hData ? ::LockResource(hData) : nullptr;
    if (pTemplate == nullptr) {
        PostNcDestroy(); // the object goes as it would with its window
        return FALSE;
    }
    std::vector<BYTE> tmpl = ChildTemplate(pTemplate, ::SizeofResource(hInst, hRsrc));

    m_pCreateContext = pContext;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, reinterpret_cast<LPCDLGTEMPLATE>(tmpl.data()),
                                             cs.hwndParent, &FormDlgProc, 0);
    const BOOL bAttached = AfxUnhookWindowCreate();
    if (!bAttached) {
        if (hWnd != nullptr)
            ::DestroyWindow(hWnd);
        PostNcDestroy();
        return FALSE;
    }
    if (hWnd == nullptr)
        return FALSE; // creation failed after attaching: the object has gone with its window
    m_pCreateContext = nullptr;

    // The template's size is the size of the whole form.
    CRect rectTemplate;
    GetWindowRect(&rectTemplate);
    SetScrollSizes(MM_TEXT, rectTemplate.Size());

    // The border, id and place the frame asks for.
    ModifyStyle(WS_BORDER, cs.style & WS_BORDER);
    ModifyStyleEx(WS_EX_CLIENTEDGE, cs.dwExStyle & WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    SetDlgCtrlID((int)nID);
    if (!ExecuteDlgInit(m_lpszTemplateName))
        return FALSE;
    SetWindowPos(nullptr, cs.x, cs.y, cs.cx, cs.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    if (cs.style & WS_VISIBLE)
        ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

int CFormView::OnCreate(LPCREATESTRUCT lpcs)
{
    // The dialog manager knows nothing of the frame's context: hand it on.
    CREATESTRUCT cs = *lpcs;
    cs.lpCreateParams = m_pCreateContext;
    return CScrollView::OnCreate(&cs);
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

void CFormView::OnDraw(CDC*) {}

BOOL CFormView::SaveFocusControl()
{
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus != nullptr && ::IsChild(m_hWnd, hWndFocus)) {
        m_hWndFocus = hWndFocus;
        return TRUE;
    }
    return FALSE;
}

void CFormView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (SaveFocusControl())
        return; // a control of the form has the focus already
    CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CFormView::OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd)
{
    if (nState == WA_INACTIVE)
        SaveFocusControl();
    CScrollView::OnActivateFrame(nState, pFrameWnd);
}

void CFormView::OnSetFocus(CWnd*)
{
    // Back to the control that had the focus, else the first tab stop.
    if (m_hWndFocus != nullptr && ::IsWindow(m_hWndFocus) && ::IsChild(m_hWnd, m_hWndFocus)) {
        ::SetFocus(m_hWndFocus);
        return;
    }
    m_hWndFocus = nullptr;
    HWND hWndFirst = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE);
    if (hWndFirst != nullptr && ::IsChild(m_hWnd, hWndFirst))
        ::SetFocus(hWndFirst);
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (CScrollView::PreTranslateMessage(pMsg))
        return TRUE;
    // The frames' accelerators come before the dialog keys.
    for (CFrameWnd* pFrame = GetParentFrame(); pFrame != nullptr; pFrame = pFrame->GetParentFrame()) {
        if (pFrame->PreTranslateMessage(pMsg))
            return TRUE;
    }
    if (::GetWindow(m_hWnd, GW_CHILD) == nullptr)
        return FALSE;
    if ((pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) &&
        (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}
