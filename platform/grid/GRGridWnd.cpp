#include "platform/grid/GRGridWnd.h"
#include "platform/grid/GRApp.h"
#include "platform/grid/GRBrowse.h"
#include "platform/grid/GRControl.h"

#include <algorithm>

namespace {
const UINT s_nFindReplaceMsg = ::RegisterWindowMessageA(FINDMSGSTRINGA);

LPCTSTR GridWindowClass()
{
    static LPCTSTR s_name = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
    return s_name;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// CGRGridWndBase

IMPLEMENT_DYNAMIC(CGRGridWndBase, CWnd)

BEGIN_MESSAGE_MAP(CGRGridWndBase, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_CHAR()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_MESSAGE(GRM_ACTIVATECELL, OnActivateCellMsg)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMsg)
    ON_REGISTERED_MESSAGE(s_nFindReplaceMsg, OnFindReplaceMsg)
END_MESSAGE_MAP()

CGRGridWndBase::CGRGridWndBase() = default;

CGRGridWndBase::~CGRGridWndBase()
{
    if (m_pGridCore)
        m_pGridCore->SetGridWnd(nullptr);
}

BOOL CGRGridWndBase::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    DWORD style = dwStyle | WS_CHILD | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | WS_CLIPCHILDREN;
    return CWnd::CreateEx(0, GridWindowClass(), "", style, rect, pParentWnd, nID);
}

void CGRGridWndBase::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    // A dialog's control gets scroll bars and clipping of the in-place controls.
    ModifyStyle(0, WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN | WS_TABSTOP, SWP_FRAMECHANGED);
    if (m_pGridCore)
        m_pGridCore->SetGridWnd(this);
}

void CGRGridWndBase::Initialize()
{
    if (!m_pGridCore)
        return;
    m_pGridCore->SetGridWnd(this);
    if (!m_pGridCore->IsInitialized())
        m_pGridCore->OnGridInitialUpdate();
    m_pGridCore->UpdateScrollbars();
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void CGRGridWndBase::OnInitialUpdate()
{
    Initialize();
}

LRESULT CGRGridWndBase::OnInitialUpdateMsg(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

int CGRGridWndBase::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_pGridCore)
        m_pGridCore->SetGridWnd(this);
    return 0;
}

void CGRGridWndBase::OnDestroy()
{
    if (m_pGridCore)
    {
        m_pGridCore->DoCancelMode();
        GR_FR_STATE& fr = GRGetAppState()->m_findReplace;
        if (fr.m_pActiveGrid == m_pGridCore)
            fr.m_pActiveGrid = nullptr;
        if (fr.m_pParentWnd == this)
        {
            if (fr.m_pFindReplaceDlg && ::IsWindow(fr.m_pFindReplaceDlg->GetSafeHwnd()))
                fr.m_pFindReplaceDlg->DestroyWindow();
            fr.m_pFindReplaceDlg = nullptr;
            fr.m_pParentWnd = nullptr;
        }
    }
    if (m_hToolTip)
    {
        ::DestroyWindow(m_hToolTip);
        m_hToolTip = nullptr;
    }
    CWnd::OnDestroy();
}

void CGRGridWndBase::OnPaint()
{
    CPaintDC dc(this);
    if (!m_pGridCore)
        return;
    if (!m_pGridCore->IsInitialized())
        Initialize();
    m_pGridCore->DoPaint(&dc);
}

BOOL CGRGridWndBase::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// With smart resizing, only the area the window gained is drawn again, as
// long as the grid's view did not scroll; otherwise the whole grid is.
void CGRGridWndBase::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    CSize old = m_sizeClient;
    m_sizeClient = CSize(cx, cy);
    if (!m_pGridCore)
        return;
    ROWCOL nTopRow = m_pGridCore->GetTopRow(), nLeftCol = m_pGridCore->GetLeftCol();
    m_pGridCore->UpdateScrollbars();
    CGRControl* pControl = m_pGridCore->GetCurrentCellControl();
    if (pControl && pControl->IsActive())
        pControl->SetActive(TRUE);
    BOOL bSmart = m_pGridCore->Param() && m_pGridCore->Param()->IsSmartResize() && old.cx > 0 && old.cy > 0 &&
                  nTopRow == m_pGridCore->GetTopRow() && nLeftCol == m_pGridCore->GetLeftCol();
    if (!bSmart)
    {
        Invalidate(FALSE);
        return;
    }
    if (cx > old.cx)
        InvalidateRect(CRect(old.cx, 0, cx, cy), FALSE);
    if (cy > old.cy)
        InvalidateRect(CRect(0, old.cy, cx, cy), FALSE);
}

void CGRGridWndBase::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pGridCore)
        m_pGridCore->DoLButtonDown(nFlags, point);
}

void CGRGridWndBase::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_pGridCore)
        m_pGridCore->DoLButtonUp(nFlags, point);
}

void CGRGridWndBase::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pGridCore)
        m_pGridCore->DoLButtonDblClk(nFlags, point);
}

void CGRGridWndBase::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (m_pGridCore)
        m_pGridCore->DoRButtonDown(nFlags, point);
}

void CGRGridWndBase::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (m_pGridCore)
        m_pGridCore->DoRButtonUp(nFlags, point);
    Default();
}

void CGRGridWndBase::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_pGridCore)
        return;
    m_pGridCore->DoMouseMove(nFlags, point);
    UpdateToolTip(point);
}

BOOL CGRGridWndBase::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (m_pGridCore && m_pGridCore->DoMouseWheel(nFlags, zDelta, pt))
        return TRUE;
    return CWnd::OnMouseWheel(nFlags, zDelta, pt);
}

void CGRGridWndBase::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    if (m_pGridCore)
        m_pGridCore->DoVScroll(nSBCode, nPos);
}

void CGRGridWndBase::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    if (m_pGridCore)
        m_pGridCore->DoHScroll(nSBCode, nPos);
}

void CGRGridWndBase::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_pGridCore && m_pGridCore->ProcessKeys(this, WM_KEYDOWN, nChar, nRepCnt, nFlags))
        return;
    Default();
}

void CGRGridWndBase::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_pGridCore && m_pGridCore->ProcessKeys(this, WM_SYSKEYDOWN, nChar, nRepCnt, nFlags))
        return;
    Default();
}

void CGRGridWndBase::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_pGridCore && m_pGridCore->ProcessKeys(this, WM_CHAR, nChar, nRepCnt, nFlags))
        return;
    Default();
}

void CGRGridWndBase::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    if (m_pGridCore)
        m_pGridCore->DoSetFocus();
}

void CGRGridWndBase::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    if (m_pGridCore)
        m_pGridCore->DoKillFocus(pNewWnd ? pNewWnd->GetSafeHwnd() : nullptr);
}

UINT CGRGridWndBase::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
}

BOOL CGRGridWndBase::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && m_pGridCore)
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (m_pGridCore->DoSetCursor(pt))
            return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CGRGridWndBase::OnTimer(UINT_PTR nIDEvent)
{
    if (m_pGridCore)
        m_pGridCore->DoTimer(nIDEvent);
}

void CGRGridWndBase::OnCancelMode()
{
    CWnd::OnCancelMode();
    if (m_pGridCore)
        m_pGridCore->DoCancelMode();
}

void CGRGridWndBase::OnCaptureChanged(CWnd* pWnd)
{
    CWnd::OnCaptureChanged(pWnd);
    if (m_pGridCore && pWnd != this)
        m_pGridCore->DoCancelMode();
}

LRESULT CGRGridWndBase::OnActivateCellMsg(WPARAM, LPARAM)
{
    if (m_pGridCore)
        m_pGridCore->ActivateCurrentCellByClick();
    return 0;
}

LRESULT CGRGridWndBase::OnFindReplaceMsg(WPARAM, LPARAM lParam)
{
    if (!m_pGridCore)
        return 0;
    CFindReplaceDialog* pDialog = CFindReplaceDialog::GetNotifier(lParam);
    GR_FR_STATE& fr = GRGetAppState()->m_findReplace;
    // The dialog works on the grid made active last (it may be another grid
    // of the same window family).
    CGRGridCore* pGrid = fr.m_pActiveGrid ? fr.m_pActiveGrid : m_pGridCore;
    pGrid->OnFindReplace(pDialog);
    return 0;
}

void CGRGridWndBase::UpdateToolTip(CPoint pt)
{
    if (!m_pGridCore || !m_pGridCore->IsGridToolTips() || !GetSafeHwnd())
        return;
    if (!m_hToolTip)
    {
        m_hToolTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                       AfxGetInstanceHandle(), nullptr);
        if (!m_hToolTip)
            return;
        TOOLINFOA ti = { sizeof(ti) };
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = m_hWnd;
        ti.uId = (UINT_PTR)m_hWnd;
        ti.lpszText = LPSTR_TEXTCALLBACKA;
        ::SendMessageA(m_hToolTip, TTM_ADDTOOLA, 0, (LPARAM)&ti);
        ::SendMessageA(m_hToolTip, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    ROWCOL row = GR_INVALID, col = GR_INVALID;
    if (!m_pGridCore->CalcRowColFromPoint(pt, &row, &col))
        row = col = GR_INVALID;
    if (row != m_nTipRow || col != m_nTipCol)
    {
        m_nTipRow = row;
        m_nTipCol = col;
        m_strTip = row == GR_INVALID ? CString() : m_pGridCore->GetToolTipText(pt);
        ::SendMessageA(m_hToolTip, TTM_POP, 0, 0);
        ::SendMessageA(m_hToolTip, TTM_ACTIVATE, !m_strTip.IsEmpty(), 0);
    }
}

LRESULT CGRGridWndBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && lParam && m_pGridCore)
    {
        // A choice made in the current cell's combo box changes the cell.
        UINT code = HIWORD(wParam);
        CGRControl* pControl = m_pGridCore->GetCurrentCellControl();
        CWnd* pControlWnd = pControl ? pControl->GetWnd() : nullptr;
        if ((code == CBN_SELCHANGE || code == CBN_EDITCHANGE) && pControlWnd &&
            pControlWnd->GetSafeHwnd() == (HWND)lParam && pControl->IsActive())
        {
            if (!pControl->GetModify())
            {
                pControl->SetModify(TRUE);
                m_pGridCore->OnModifyCell(pControl->GetRow(), pControl->GetCol());
            }
            return 0;
        }
    }
    if (message == WM_NOTIFY && m_hToolTip)
    {
        NMHDR* pHdr = (NMHDR*)lParam;
        if (pHdr && pHdr->hwndFrom == m_hToolTip && pHdr->code == TTN_GETDISPINFOA)
        {
            NMTTDISPINFOA* pInfo = (NMTTDISPINFOA*)lParam;
            pInfo->lpszText = const_cast<LPSTR>(m_strTip.GetString());
            return 0;
        }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

/////////////////////////////////////////////////////////////////////////////
// CGRGridWnd

IMPLEMENT_DYNAMIC(CGRGridWnd, CGRGridWndBase)

BEGIN_MESSAGE_MAP(CGRGridWnd, CGRGridWndBase)
END_MESSAGE_MAP()

CGRGridWnd::CGRGridWnd()
{
    m_pGridCore = this;
    SetGridWnd(this);
}

CGRGridWnd::~CGRGridWnd()
{
    m_pGridCore = nullptr;
    SetGridWnd(nullptr);
}

/////////////////////////////////////////////////////////////////////////////
// CGRRecordInfoBeam

IMPLEMENT_DYNCREATE(CGRRecordInfoBeam, CWnd)

BEGIN_MESSAGE_MAP(CGRRecordInfoBeam, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_SETFONT, OnSetFontMsg)
    ON_MESSAGE(WM_GETFONT, OnGetFontMsg)
END_MESSAGE_MAP()

CGRRecordInfoBeam::CGRRecordInfoBeam() = default;

CGRRecordInfoBeam::~CGRRecordInfoBeam() = default;

void CGRRecordInfoBeam::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle ? lpszTitle : "";
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void CGRRecordInfoBeam::SetRecordInfo(long nRecord, long nCount, BOOL bCountFinal, BOOL bNewRecord)
{
    if (m_nRecord == nRecord && m_nCount == nCount && m_bCountFinal == bCountFinal && m_bNewRecord == bNewRecord)
        return;
    m_nRecord = nRecord;
    m_nCount = nCount;
    m_bCountFinal = bCountFinal;
    m_bNewRecord = bNewRecord;
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

CString CGRRecordInfoBeam::GetRecordText() const
{
    CString record, of, count, text;
    if (!record.LoadString(GR_IDS_RECORD))
        record = "Record";
    if (!of.LoadString(GR_IDS_RECORD_OF))
        of = "of %s";
    count.Format(m_bCountFinal ? "%ld" : "%ld+", m_nCount);
    CString ofText;
    ofText.Format(of, (LPCTSTR)count);
    if (m_bNewRecord)
        text.Format("%s *  %s", (LPCTSTR)record, (LPCTSTR)ofText);
    else
        text.Format("%s %ld  %s", (LPCTSTR)record, m_nRecord, (LPCTSTR)ofText);
    return text;
}

int CGRRecordInfoBeam::CalcHeight()
{
    return CGRBeamFrameWnd::CalcStripHeight(m_hFont);
}

void CGRRecordInfoBeam::Layout()
{
    CRect rc;
    GetClientRect(&rc);
    int h = rc.Height();
    int bw = std::max(14, h);
    int x = rc.left;
    // |<  <  [text]  >  >|  *
    m_rcButtons[GR_MOVE_FIRST] = CRect(x, rc.top, x + bw, rc.bottom);
    x += bw;
    m_rcButtons[GR_MOVE_PREV] = CRect(x, rc.top, x + bw, rc.bottom);
    x += bw;
    HDC hdc = ::GetDC(m_hWnd);
    int textW = 140;
    if (hdc)
    {
        HGDIOBJ hOld = ::SelectObject(hdc, m_hFont ? (HGDIOBJ)m_hFont : ::GetStockObject(DEFAULT_GUI_FONT));
        CString t = GetRecordText();
        textW = std::max<int>(textW, (int)CDC::FromHandle(hdc)->GetTextExtent(t).cx + 12);
        ::SelectObject(hdc, hOld);
        ::ReleaseDC(m_hWnd, hdc);
    }
    m_rcText = CRect(x, rc.top, x + textW, rc.bottom);
    x += textW;
    m_rcButtons[GR_MOVE_NEXT] = CRect(x, rc.top, x + bw, rc.bottom);
    x += bw;
    m_rcButtons[GR_MOVE_LAST] = CRect(x, rc.top, x + bw, rc.bottom);
    x += bw;
    m_rcButtons[GR_MOVE_NEW] = CRect(x, rc.top, x + bw, rc.bottom);
    x += bw;
    m_rcButtons[GR_MOVE_RECORD] = CRect(0, 0, 0, 0);
    m_rcTitle = CRect(x + 8, rc.top, rc.right, rc.bottom);
}

CRect CGRRecordInfoBeam::GetButtonRect(int nMove)
{
    if (nMove < 0 || nMove > GR_MOVE_LAST)
        return CRect(0, 0, 0, 0);
    if (GetSafeHwnd())
        Layout();
    return m_rcButtons[nMove];
}

int CGRRecordInfoBeam::HitButton(CPoint pt)
{
    if (GetSafeHwnd())
        Layout();
    for (int i = 0; i <= GR_MOVE_LAST; i++)
        if (i != GR_MOVE_RECORD && m_rcButtons[i].PtInRect(pt))
            return i;
    return -1;
}

void CGRRecordInfoBeam::OnPaint()
{
    CPaintDC dc(this);
    Layout();
    HDC hdc = dc.GetSafeHdc();
    CRect rc;
    GetClientRect(&rc);
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    COLORREF old = ::SetBkColor(hdc, face);
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(hdc, old);
    HGDIOBJ hOldFont = ::SelectObject(hdc, m_hFont ? (HGDIOBJ)m_hFont : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, ::GetSysColor(COLOR_BTNTEXT));
    static const char* const glyphs[] = { "|<", "<", ">", "*", "", ">|" };
    for (int i = 0; i <= GR_MOVE_LAST; i++)
    {
        if (i == GR_MOVE_RECORD)
            continue;
        CRect b = m_rcButtons[i];
        ::DrawEdge(hdc, &b, EDGE_RAISED, BF_RECT);
        dc.DrawText(glyphs[i], -1, &b, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    CString t = GetRecordText();
    CRect rt = m_rcText;
    ::DrawEdge(hdc, &rt, EDGE_SUNKEN, BF_RECT);
    dc.DrawText(t, &rt, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    CRect rTitle = m_rcTitle;
    dc.DrawText(m_strTitle, &rTitle, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    ::SelectObject(hdc, hOldFont);
}

BOOL CGRRecordInfoBeam::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CGRRecordInfoBeam::OnLButtonDown(UINT, CPoint point)
{
    Layout();
    int move = HitButton(point);
    if (move < 0)
        return;
    CGRRecordInfoWnd* pInfo = dynamic_cast<CGRRecordInfoWnd*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
    CWnd* pGridWnd = pInfo ? pInfo->GetAttachedWnd() : nullptr;
    CGRGridWndBase* pBase = dynamic_cast<CGRGridWndBase*>(pGridWnd);
    if (pBase && pBase->GetGridCore())
    {
        pBase->SetFocus();
        pBase->GetGridCore()->OnInfoWndMoveRecord(move, 0);
    }
}

LRESULT CGRRecordInfoBeam::OnSetFontMsg(WPARAM wParam, LPARAM lParam)
{
    m_hFont = (HFONT)wParam;
    if (LOWORD(lParam) && GetSafeHwnd())
        Invalidate(FALSE);
    return 0;
}

LRESULT CGRRecordInfoBeam::OnGetFontMsg(WPARAM, LPARAM)
{
    return (LRESULT)m_hFont;
}

/////////////////////////////////////////////////////////////////////////////
// CGRRecordInfoWnd

IMPLEMENT_DYNCREATE(CGRRecordInfoWnd, CGRBeamFrameWnd)

CGRRecordInfoWnd::CGRRecordInfoWnd(CRuntimeClass* pBeamClass)
    : CGRBeamFrameWnd(pBeamClass, RUNTIME_CLASS(CGRRecordInfoBeam))
{
}

void CGRRecordInfoWnd::AttachWnd(CWnd* pWnd)
{
    m_pAttached = pWnd;
    if (pWnd && pWnd->GetSafeHwnd())
        pWnd->ShowWindow(SW_SHOW);
    RecalcLayout();
    UpdateRecordInfo();
}

void CGRRecordInfoWnd::UpdateRecordInfo()
{
    CGRRecordInfoBeam* pBeam = GetBeam();
    CGRGridWndBase* pBase = dynamic_cast<CGRGridWndBase*>(m_pAttached);
    CGRGridCore* pCore = pBase ? pBase->GetGridCore() : nullptr;
    if (!pBeam || !pCore)
        return;
    long nRecord = 0, nCount = 0;
    BOOL bFinal = TRUE, bNew = FALSE;
    if (CGRBrowserGrid* pBrowser = dynamic_cast<CGRBrowserGrid*>(pCore))
        pBrowser->GetRecordInfo(nRecord, nCount, bFinal, bNew);
    else
    {
        ROWCOL row, col;
        nCount = (long)pCore->GetRowCount();
        if (pCore->GetCurrentCell(row, col))
            nRecord = (long)row;
    }
    pBeam->SetRecordInfo(nRecord, nCount, bFinal, bNew);
}

void AFXAPI DDV_GRGridWnd(CDataExchange* pDX, CGRGridWndBase* pGridWnd)
{
    if (!pDX->m_bSaveAndValidate || !pGridWnd || !pGridWnd->GetSafeHwnd())
        return;
    CGRGridCore* pGrid = pGridWnd->GetGridCore();
    if (pGrid && !pGrid->TransferCurrentCell())
    {
        pDX->m_idLastControl = (UINT)pGridWnd->GetDlgCtrlID();
        pDX->m_bEditLastControl = FALSE;
        pDX->Fail();
    }
}
