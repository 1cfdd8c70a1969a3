// CDockBar: rows of docked control bars along one side of a frame, or inside
// a floating frame.
#include "platform/framework/Framework.h"
#include "platform/framework/docking/BarDockingSupport.h"

#include <algorithm>

/////////////////////////////////////////////////////////////////////////////
// Row placement (window-free)

std::vector<int> kvdock::PlaceRow(const std::vector<RowBar>& bars, int nRowLength, bool bKeepOffsets)
{
    std::vector<int> starts(bars.size(), 0);
    int nNext = 0; // where the bar before ends
    for (size_t i = 0; i < bars.size(); ++i) {
        int nStart = nNext;
        if (bKeepOffsets) {
            // A bar stays where it was dropped while there is room before it ...
            nStart = std::max(nNext, bars[i].nOffset);
            // ... and is pulled back when it would run past the end.
            if (nStart + bars[i].nLength > nRowLength)
                nStart = std::max(nNext, nRowLength - bars[i].nLength);
        }
        starts[i] = nStart;
        nNext = nStart + std::max(0, bars[i].nLength);
    }
    return starts;
}

/////////////////////////////////////////////////////////////////////////////
// CDockBar

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating)
{
    // The bars it holds draw their own borders.
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
    m_arrBars.Add(nullptr);
}

CDockBar::~CDockBar()
{
    // Bars still pointing here (their windows went another way) forget it.
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        if (CControlBar* pBar = GetDockedControlBar((int)i)) {
            if (pBar->m_pDockBar == this)
                pBar->m_pDockBar = nullptr;
        }
    }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    const CRect rect(0, 0, 0, 0);
    return CWnd::Create(nullptr, nullptr, dwStyle & ~CBRS_ALL, rect, pParentWnd, nID);
}

BOOL CDockBar::IsDockBar() const
{
    return TRUE;
}

BOOL CDockBar::IsFloating() const
{
    return m_bFloating;
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    // The bars it holds update themselves.
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const
{
    if (nPos < 0 || nPos >= m_arrBars.GetSize())
        return nullptr;
    void* pEntry = m_arrBars[nPos];
    if (pEntry == nullptr || IsPlaceholder(pEntry))
        return nullptr;
    return static_cast<CControlBar*>(pEntry);
}

int CDockBar::GetDockedCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        if (GetDockedControlBar((int)i) != nullptr)
            ++nCount;
    }
    return nCount;
}

int CDockBar::GetDockedVisibleCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pBar = GetDockedControlBar((int)i);
        if (pBar != nullptr && pBar->m_hWnd != nullptr && pBar->IsVisible())
            ++nCount;
    }
    return nCount;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        if ((int)i != nPosExclude && m_arrBars[i] == pBar && pBar != nullptr)
            return (int)i;
    }
    return -1;
}

int CDockBar::FindPlaceholder(UINT nID, int nPosExclude) const
{
    nID &= 0xFFFF;
    if (nID == 0)
        return -1;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        void* pEntry = m_arrBars[i];
        if ((int)i != nPosExclude && IsPlaceholder(pEntry) && PlaceholderID(pEntry) == nID)
            return (int)i;
    }
    return -1;
}

void CDockBar::NormaliseArray()
{
    if (m_arrBars.GetSize() == 0 || m_arrBars[0] != nullptr)
        m_arrBars.InsertAt(0, (void*)nullptr);
    // No empty rows: a row end never follows another.
    for (INT_PTR i = 1; i < m_arrBars.GetSize();) {
        if (m_arrBars[i] == nullptr && m_arrBars[i - 1] == nullptr)
            m_arrBars.RemoveAt(i);
        else
            ++i;
    }
    if (m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
        m_arrBars.Add(nullptr);
}

void CDockBar::RemoveEntry(int nPos)
{
    if (nPos <= 0 || nPos >= m_arrBars.GetSize())
        return;
    m_arrBars.RemoveAt(nPos);
    // The row of the entry may be empty now.
    if (nPos < m_arrBars.GetSize() && m_arrBars[nPos] == nullptr && m_arrBars[nPos - 1] == nullptr)
        m_arrBars.RemoveAt(nPos);
    NormaliseArray();
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    const int nPos = FindPlaceholder((UINT)pBar->GetDlgCtrlID());
    if (nPos > 0)
        RemoveEntry(nPos);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    const int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return FALSE;
    const UINT nID = pBar->m_hWnd != nullptr ? ((UINT)pBar->GetDlgCtrlID() & 0xFFFF) : 0;
    if (nAddPlaceHolder == 1 && nID != 0 && FindPlaceholder(nID) < 0)
        m_arrBars[nPos] = MakePlaceholder(nID); // its place waits for it
    else
        RemoveEntry(nPos);
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = nullptr;

    if (m_hWnd == nullptr)
        return FALSE;
    CFrameWnd* pFrame = GetParentFrame();
    if (m_bFloating && GetDockedVisibleCount() == 0) {
        if (GetDockedCount() == 0) {
            // Nothing floats here any more: the floating frame goes, and
            // this dock bar with it.
            if (pFrame != nullptr) {
                pFrame->DestroyWindow();
                return TRUE;
            }
        } else if (pFrame != nullptr) {
            pFrame->ShowWindow(SW_HIDE);
        }
        return FALSE;
    }
    if (pFrame != nullptr)
        pFrame->DelayRecalcLayout();
    return FALSE;
}

void CDockBar::AdoptBar(CControlBar* pBar, LPCRECT lpRectClient)
{
    CDockBar* pOldDockBar = pBar->m_pDockBar;

    // The bar takes this side; a floating dock bar floats it.
    DWORD dwStyle = pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING);
    dwStyle |= m_dwStyle & CBRS_ALIGN_ANY;
    if (m_bFloating) {
        dwStyle |= CBRS_FLOATING;
        if (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI)
            m_dwStyle |= CBRS_FLOAT_MULTI;
        // The floating frame shows the bar's title (a frame of several
        // bars has none of them in particular).
        if (!(m_dwStyle & CBRS_FLOAT_MULTI) && pBar->m_hWnd != nullptr) {
            CString strTitle;
            pBar->GetWindowText(strTitle);
            AfxSetWindowText(m_hWnd, strTitle);
        }
    }
    pBar->SetBarStyle(dwStyle);

    // Into this dock bar's window, where it was dropped.
    MoveBarIn(pBar, lpRectClient, FALSE, 0);

    // Out of the dock bar it leaves. Leaving a docked dock bar for a
    // floating one keeps its place there, so that it can come back. That
    // dock bar (and its floating frame) may be gone afterwards.
    if (pOldDockBar != nullptr && pOldDockBar != this) {
        const int nPlaceholder = (m_bFloating && !pOldDockBar->m_bFloating) ? 1 : 0;
        pOldDockBar->RemoveControlBar(pBar, -1, nPlaceholder);
    }
    pBar->m_pDockBar = this;

    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->DelayRecalcLayout();
}

void CDockBar::MoveBarIn(CControlBar* pBar, LPCRECT lpRectClient, BOOL bKeepShown, UINT nMoveFlags)
{
    HWND hOldParent = ::GetParent(pBar->m_hWnd);
    if (hOldParent != m_hWnd) {
        const BOOL bShown = bKeepShown && pBar->IsWindowVisible();
        pBar->SetParent(this);
        if (bShown)
            pBar->ShowWindow(SW_SHOWNA);
        // A bar that lay in its frame's own layout leaves its room there.
        if (pBar->m_pDockBar == nullptr) {
            CWnd* pOldParent = CWnd::FromHandlePermanent(hOldParent);
            if (pOldParent != nullptr && pOldParent->IsFrameWnd())
                static_cast<CFrameWnd*>(pOldParent)->DelayRecalcLayout();
        }
    }
    if (lpRectClient != nullptr)
        pBar->SetWindowPos(nullptr, lpRectClient->left, lpRectClient->top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | nMoveFlags);
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr || pBar == this)
        return;
    if (pBar->m_pDockBar == this) {
        CRect rectBar;
        pBar->GetWindowRect(&rectBar);
        if (lpRect == nullptr || rectBar == *lpRect)
            return; // already there
        RemoveEntry(FindBar(pBar));
    }

    CRect rect;
    if (lpRect != nullptr) {
        rect = *lpRect;
        ScreenToClient(&rect);
    }
    // A place kept for the bar is not needed once it docks elsewhere here.
    RemovePlaceHolder(pBar);
    if (lpRect != nullptr) {
        Insert(pBar, rect, rect.CenterPoint());
    } else {
        // A new row at the end.
        NormaliseArray();
        m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
    }
    // Without a drop point it starts its new row at the beginning.
    if (lpRect == nullptr)
        rect.SetRect(0, 0, 0, 0);
    AdoptBar(pBar, &rect);
}

void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr || pBar == this)
        return;
    const int nPlace = FindPlaceholder((UINT)pBar->GetDlgCtrlID());
    if (nPlace <= 0) {
        DockControlBar(pBar, lpRect);
        return;
    }
    if (pBar->m_pDockBar == this) {
        RemoveEntry(nPlace);
        return;
    }
    m_arrBars[nPlace] = pBar;
    CRect rect(0, 0, 0, 0);
    if (lpRect != nullptr) {
        rect = *lpRect;
        ScreenToClient(&rect);
    }
    AdoptBar(pBar, &rect);
}

int CDockBar::Insert(CControlBar* pBar, CRect, CPoint ptMid)
{
    NormaliseArray();
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const int nAcross = bHorz ? ptMid.y : ptMid.x;
    const int nAlong = bHorz ? ptMid.x : ptMid.y;

    // Each row's span across the side, from its visible bars.
    int nRowStart = 1;
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars[i] != nullptr)
            continue;
        const int nRowEnd = (int)i;
        int nLow = INT_MAX, nHigh = INT_MIN;
        for (int j = nRowStart; j < nRowEnd; ++j) {
            CControlBar* pRowBar = GetDockedControlBar(j);
            if (pRowBar == nullptr || pRowBar == pBar || pRowBar->m_hWnd == nullptr || !pRowBar->IsVisible())
                continue;
            CRect rectBar;
            pRowBar->GetWindowRect(&rectBar);
            ScreenToClient(&rectBar);
            nLow = std::min(nLow, (int)(bHorz ? rectBar.top : rectBar.left));
            nHigh = std::max(nHigh, (int)(bHorz ? rectBar.bottom : rectBar.right));
        }
        if (nLow <= nHigh) {
            if (nAcross < nLow) {
                // Before this row: a row of its own.
                m_arrBars.InsertAt(nRowStart, (void*)nullptr);
                m_arrBars.InsertAt(nRowStart, pBar);
                return nRowStart;
            }
            if (nAcross < nHigh) {
                // In this row, before the first bar whose centre lies beyond.
                int nPos = nRowEnd;
                for (int j = nRowStart; j < nRowEnd; ++j) {
                    CControlBar* pRowBar = GetDockedControlBar(j);
                    if (pRowBar == nullptr || pRowBar == pBar || pRowBar->m_hWnd == nullptr ||
                        !pRowBar->IsVisible())
                        continue;
                    CRect rectBar;
                    pRowBar->GetWindowRect(&rectBar);
                    ScreenToClient(&rectBar);
                    const CPoint ptCentre = rectBar.CenterPoint();
                    if ((bHorz ? ptCentre.x : ptCentre.y) > nAlong) {
                        nPos = j;
                        break;
                    }
                }
                m_arrBars.InsertAt(nPos, pBar);
                return nPos;
            }
        }
        nRowStart = nRowEnd + 1;
    }
    // Past every row: a new last row.
    m_arrBars.Add(pBar);
    m_arrBars.Add(nullptr);
    return (int)m_arrBars.GetSize() - 2;
}

void CDockBar::ShowAll(BOOL bShow)
{
    // Collected first: showing and hiding may change the rows.
    std::vector<CControlBar*> bars;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        if (CControlBar* pBar = GetDockedControlBar((int)i))
            bars.push_back(pBar);
    }
    for (CControlBar* pBar : bars) {
        CFrameWnd* pFrame = pBar->GetDockingFrame();
        if (pFrame != nullptr && pBar->m_hWnd != nullptr)
            pFrame->ShowControlBar(pBar, bShow, FALSE);
    }
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // The length of a row: the room the frame offers, else its client area.
    CSize sizeMax = m_rectLayout.Size();
    if (m_rectLayout.IsRectEmpty()) {
        CRect rectFrame(0, 0, 0, 0);
        if (CWnd* pParent = GetParent())
            pParent->GetClientRect(&rectFrame);
        sizeMax = rectFrame.Size();
    }
    const int nRowLength = bHorz ? sizeMax.cx : sizeMax.cy;

    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos((int)m_arrBars.GetSize());
    const UINT nDockID = (UINT)GetDlgCtrlID();

    // The bars lie inside the dock bar's own borders.
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, bHorz);
    const int nAcrossStart = bHorz ? rectInside.top : rectInside.left;
    const int nAlongStart = bHorz ? rectInside.left : rectInside.top;

    int nAcross = nAcrossStart; // where the next row starts across the side
    int nAlongMax = 0;          // the longest row
    INT_PTR nRowStart = 1;
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars[i] != nullptr)
            continue;
        // The visible bars of the row nRowStart .. i-1, with their sizes.
        std::vector<CControlBar*> rowBars;
        std::vector<kvdock::RowBar> row;
        for (INT_PTR j = nRowStart; j < i; ++j) {
            CControlBar* pBar = GetDockedControlBar((int)j);
            if (pBar == nullptr || pBar->m_hWnd == nullptr)
                continue;
            const DWORD dwBarStyle = pBar->RecalcDelayShow(&layout);
            if (!(dwBarStyle & WS_VISIBLE))
                continue;
            DWORD dwMode = 0;
            if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
                dwMode = LM_HORZ | LM_MRUWIDTH;
            else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
                dwMode = LM_HORZ | LM_HORZDOCK;
            else
                dwMode = LM_VERTDOCK;
            const CSize size = pBar->CalcDynamicLayout(-1, dwMode);
            CRect rectNow;
            pBar->GetWindowRect(&rectNow);
            ScreenToClient(&rectNow);
            kvdock::RowBar rowBar;
            rowBar.nLength = bHorz ? size.cx : size.cy;
            rowBar.nThickness = bHorz ? size.cy : size.cx;
            rowBar.nOffset = (bHorz ? rectNow.left : rectNow.top) - nAlongStart;
            row.push_back(rowBar);
            rowBars.push_back(pBar);
        }
        nRowStart = i + 1;
        if (row.empty())
            continue;

        const std::vector<int> starts = kvdock::PlaceRow(row, nRowLength, !m_bFloating);
        int nThickness = 0;
        for (const kvdock::RowBar& rowBar : row)
            nThickness = std::max(nThickness, rowBar.nThickness);
        for (size_t k = 0; k < row.size(); ++k) {
            CControlBar* pBar = rowBars[k];
            const int nStart = nAlongStart + starts[k], nEnd = nStart + row[k].nLength;
            const CRect rect = bHorz ? CRect(nStart, nAcross, nEnd, nAcross + row[k].nThickness)
                                     : CRect(nAcross, nStart, nAcross + row[k].nThickness, nEnd);
            nAlongMax = std::max(nAlongMax, nEnd);
            if (m_bLayoutQuery)
                continue;
            AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
            // A docked bar remembers where it lies, for docking it back.
            if (!m_bFloating && pBar->m_pDockContext != nullptr) {
                pBar->m_pDockContext->m_uMRUDockID = nDockID;
                pBar->m_pDockContext->m_rectMRUDockPos = rect;
            }
        }
        nAcross += nThickness;
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);

    // Across: the rows; along: the whole side when stretching, else the
    // longest row; the dock bar's own borders come on top. A dock bar that
    // shows no bar takes no room.
    if (nAcross == nAcrossStart)
        return bHorz ? CSize(bStretch ? 32767 : 0, 0) : CSize(0, bStretch ? 32767 : 0);
    const int nAcrossTotal = nAcross + (bHorz ? -rectInside.bottom : -rectInside.right);
    const int nAlong = bStretch ? 32767 : nAlongMax + (bHorz ? -rectInside.right : -rectInside.bottom);
    return bHorz ? CSize(nAlong, nAcrossTotal) : CSize(nAcrossTotal, nAlong);
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    // The layout of the rows needs the room on offer, and whether it only measures.
    const BOOL bQuerySaved = m_bLayoutQuery;
    const CRect rectSaved = m_rectLayout;
    m_bLayoutQuery = lpLayout->hDWP == nullptr;
    m_rectLayout = lpLayout->rect;
    const LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = bQuerySaved;
    m_rectLayout = rectSaved;
    return lResult;
}

void CDockBar::DoPaint(CDC* pDC)
{
    CControlBar::DoPaint(pDC);
}

void CDockBar::OnNcDestroy()
{
    // The bars it held are gone with it (they were its children).
    m_arrBars.RemoveAll();
    m_arrBars.Add(nullptr);
    CControlBar::OnNcDestroy();
}

/////////////////////////////////////////////////////////////////////////////
// The docking of the frames and bars below this library (CBarDocking),
// installed here: every program that links this library links CDockBar (its
// class record), and so this file.

namespace {
CBarDockingSupport g_barDocking;
const bool g_bBarDockingInstalled = (AfxSetBarDocking(&g_barDocking), true);
} // namespace

BOOL CBarDockingSupport::IsFloating(const CDockBar* pDockBar)
{
    return pDockBar->m_bFloating;
}

int CBarDockingSupport::GetDockedVisibleCount(const CDockBar* pDockBar)
{
    return pDockBar->GetDockedVisibleCount();
}

void CBarDockingSupport::RemoveFromDockBar(CControlBar* pBar)
{
    CDockBar* pDockBar = pBar->m_pDockBar;
    const int nPos = pDockBar->FindBar(pBar);
    if (nPos > 0)
        pDockBar->RemoveEntry(nPos);
    pBar->m_pDockBar = nullptr;
    if (pDockBar->m_hWnd != nullptr) {
        if (pDockBar->m_bFloating) {
            // The floating frame may be going down itself; it decides
            // once this destruction is over.
            if (pDockBar->GetDockedCount() == 0) {
                if (CWnd* pFrame = pDockBar->GetParent())
                    pFrame->PostMessage(CMiniDockFrameWnd::MessageDestroyIfEmpty());
            }
        } else if (CFrameWnd* pFrame = pDockBar->GetParentFrame()) {
            pFrame->DelayRecalcLayout();
        }
    }
}
