// OZWDockBar: the rows of docked bars, through the window-free model.
#include "frame/bars/OZWDockBar.h"
#include "frame/bars/BarHelpers.h"
#include "frame/bars/FrameBarsRes.h"
#include "frame/bars/OZWControlBar.h"
#include "frame/bars/OZWDockingFrame.h"
#include "frame/bars/OZWMiniDockFrameWnd.h"
#include "platform/theme/ThemeLib.h"

#include <algorithm>

using ozwbars::IsToolBar;

BOOL OZWDockBar::s_bContextMenu = FALSE;
BOOL OZWDockBar::s_bNoCopyBits = TRUE;
BOOL OZWDockBar::s_bSplitterDragging = FALSE;

OZWDockSplitterInfo OZWDockBar::Splitter::Info() const
{
    OZWDockSplitterInfo info;
    info.nKind = m_nKind;
    info.nOrientation = m_nOrientation;
    info.nIndex = m_nIndex;
    info.rect = m_rect;
    return info;
}

IMPLEMENT_DYNCREATE(OZWDockBar, CDockBar)

BEGIN_MESSAGE_MAP(OZWDockBar, CDockBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_ERASEBKGND()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_THEMECHANGED()
    ON_COMMAND_RANGE(57345, 57599, OnBarCommand)
END_MESSAGE_MAP()

OZWDockBar::OZWDockBar() : CDockBar(FALSE) {}

OZWDockBar::OZWDockBar(BOOL bFloating, BOOL bMDIChild) : CDockBar(bFloating), m_bMDIChild(bMDIChild) {}

OZWDockBar::~OZWDockBar()
{
    for (Splitter* p : m_splitters)
        delete p;
    for (ClientEdge* p : m_edges)
        delete p;
    if (m_hTheme != nullptr)
        UXCloseThemeData(m_hTheme);
}

BOOL OZWDockBar::GetContextMenuEnabled()
{
    return s_bContextMenu;
}
void OZWDockBar::SetContextMenuEnabled(BOOL bEnable)
{
    s_bContextMenu = bEnable;
}
BOOL OZWDockBar::GetNoCopyBitsOnRowChange()
{
    return s_bNoCopyBits;
}
void OZWDockBar::SetNoCopyBitsOnRowChange(BOOL bOn)
{
    s_bNoCopyBits = bOn;
}
BOOL OZWDockBar::IsSplitterDragging()
{
    return s_bSplitterDragging;
}

BOOL OZWDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CDockBar::Create(pParentWnd, dwStyle, nID);
}

BOOL OZWDockBar::CreateInFrame(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    const CRect rect(0, 0, 0, 0);
    if (!AfxDeferRegisterClass(AFX_WNDCONTROLBAR_REG))
        return FALSE;
    return CWnd::Create(AFX_WNDCONTROLBAR, nullptr, dwStyle & ~CBRS_ALL, rect, pParentWnd, nID);
}

int OZWDockBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CDockBar::OnCreate(lpcs) == -1)
        return -1;
    // The splitter cursors, once per process.
    OZW_AUX_DATA* pData = UXGetSysData();
    if (pData->hcurSizeWE == nullptr) {
        pData->hcurSizeWE = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_OZW_SPLIT_WE));
        if (pData->hcurSizeWE == nullptr)
            pData->hcurSizeWE = ::LoadCursor(nullptr, IDC_SIZEWE);
    }
    if (pData->hcurSizeNS == nullptr) {
        pData->hcurSizeNS = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_OZW_SPLIT_NS));
        if (pData->hcurSizeNS == nullptr)
            pData->hcurSizeNS = ::LoadCursor(nullptr, IDC_SIZENS);
    }
    return 0;
}

void OZWDockBar::OnDestroy()
{
    for (Splitter* p : m_splitters)
        delete p;
    m_splitters.clear();
    for (ClientEdge* p : m_edges)
        delete p;
    m_edges.clear();
    // The bars it still lists forget it: they go with it, or have left.
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pBar = GetDockedControlBar((int)i);
        if (pBar != nullptr && pBar->m_pDockBar == this)
            pBar->m_pDockBar = nullptr;
    }
    m_redraw.clear();
    m_mapCommands.clear();
    m_pLastDockedBar = nullptr;
    if (m_hTheme != nullptr) {
        UXCloseThemeData(m_hTheme);
        m_hTheme = nullptr;
    }
    CDockBar::OnDestroy();
}

/////////////////////////////////////////////////////////////////////////////
// The model

namespace {

OZWDockEntry EntryFor(CControlBar* pBar, const CWnd* pDockBar)
{
    const UINT nID = pBar->m_hWnd != nullptr ? (UINT)pBar->GetDlgCtrlID() : 0;
    OZWDockEntry e = OZWDockEntry::MakeBar(pBar, nID);
    if (OZWControlBar* pOZW = DYNAMIC_DOWNCAST(OZWControlBar, pBar)) {
        e.dwExStyle = pOZW->m_dwExStyle;
        e.fShare = pOZW->m_fShare;
        e.bShareValid = pOZW->m_bShareValid;
    } else {
        // A framework bar keeps its own length.
        e.dwExStyle = SCBX_FIXED_SIZE;
    }
    e.bVisible = pBar->m_hWnd != nullptr && pBar->IsVisible();
    e.bToolBar = IsToolBar(pBar);
    if (pBar->m_hWnd != nullptr && pDockBar->m_hWnd != nullptr) {
        pBar->GetWindowRect(&e.rect);
        pDockBar->ScreenToClient(&e.rect);
    }
    return e;
}

// Splitters and edges the last layout did not make again go.
template <class T>
void DeleteUnseen(std::vector<T*>& items)
{
    items.erase(std::remove_if(items.begin(), items.end(),
                               [](T* p) {
                                   if (p->m_bSeen)
                                       return false;
                                   delete p;
                                   return true;
                               }),
                items.end());
}

} // namespace

OZWDockRows OZWDockBar::Snapshot(bool bSizes, AFX_SIZEPARENTPARAMS* pLayout)
{
    DWORD dwAlign = m_dwStyle & CBRS_ALIGN_ANY;
    if (dwAlign == 0)
        dwAlign = CBRS_ALIGN_TOP;
    OZWDockRows rows(dwAlign, m_bFloating);
    rows.m_entries.clear();
    rows.m_fMinShare = m_fMinShare;
    rows.m_bRowsChanged = m_bRowsChanged;
    const bool bHorz = rows.IsHorz();
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        void* p = m_arrBars[i];
        if (p == nullptr) {
            rows.m_entries.push_back(OZWDockEntry::MakeRowEnd());
        } else if (IsPlaceholder(p)) {
            rows.m_entries.push_back(OZWDockEntry::MakePlaceholder(PlaceholderID(p)));
        } else {
            CControlBar* pBar = static_cast<CControlBar*>(p);
            OZWDockEntry e = EntryFor(pBar, this);
            // A real layout carries out a pending show or hide.
            if (pLayout != nullptr && pBar->m_hWnd != nullptr)
                e.bVisible = (pBar->RecalcDelayShow(pLayout) & WS_VISIBLE) != 0;
            if (bSizes && e.bVisible) {
                DWORD dwMode = 0;
                if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
                    dwMode = LM_HORZ | LM_MRUWIDTH;
                else if (bHorz)
                    dwMode = LM_HORZ | LM_HORZDOCK;
                else
                    dwMode = LM_VERTDOCK;
                e.size = pBar->CalcDynamicLayout(-1, dwMode);
            }
            rows.m_entries.push_back(e);
        }
    }
    if (rows.m_entries.empty() || !rows.m_entries.front().IsRowEnd())
        rows.m_entries.insert(rows.m_entries.begin(), OZWDockEntry::MakeRowEnd());
    if (!rows.m_entries.back().IsRowEnd())
        rows.m_entries.push_back(OZWDockEntry::MakeRowEnd());
    return rows;
}

void OZWDockBar::Apply(const OZWDockRows& rows)
{
    m_arrBars.RemoveAll();
    for (const OZWDockEntry& e : rows.m_entries) {
        switch (e.kind) {
        case OZWDockEntry::RowEnd:
            m_arrBars.Add(nullptr);
            break;
        case OZWDockEntry::Placeholder:
            m_arrBars.Add(MakePlaceholder(e.nID));
            break;
        case OZWDockEntry::Bar:
            m_arrBars.Add(e.pBar);
            if (OZWControlBar* pOZW = DYNAMIC_DOWNCAST(OZWControlBar, static_cast<CControlBar*>(e.pBar))) {
                pOZW->m_fShare = e.fShare;
                pOZW->m_bShareValid = e.bShareValid;
                pOZW->m_dwExStyle = (pOZW->m_dwExStyle & ~SCBX_PLAIN_ROW) | (e.dwExStyle & SCBX_PLAIN_ROW);
            }
            break;
        }
    }
    QueueBars(rows.m_queued);
    m_bRowsChanged = rows.m_bRowsChanged;
    m_fMinShare = rows.m_fMinShare;
}

void OZWDockBar::QueueWindow(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return;
    if (std::find(m_redraw.begin(), m_redraw.end(), pWnd->m_hWnd) == m_redraw.end())
        m_redraw.push_back(pWnd->m_hWnd);
}

void OZWDockBar::QueueBars(const std::vector<void*>& bars)
{
    for (void* p : bars)
        QueueWindow(static_cast<CControlBar*>(p));
}

CFrameWnd* OZWDockBar::GetDockingFrameOf() const
{
    if (m_pDockSite != nullptr)
        return m_pDockSite;
    return GetParentFrame();
}

CControlBar* OZWDockBar::GetLastDockedBar() const
{
    // Only while it is still listed here.
    return m_pLastDockedBar != nullptr && FindBar(m_pLastDockedBar) > 0 ? m_pLastDockedBar : nullptr;
}

/////////////////////////////////////////////////////////////////////////////
// Row questions

int OZWDockBar::GetVisibleBarCount()
{
    int n = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pBar = GetDockedControlBar((int)i);
        if (pBar != nullptr && pBar->m_hWnd != nullptr && pBar->IsWindowVisible())
            ++n;
    }
    return n;
}

BOOL OZWDockBar::IsLastResizableInRow(CControlBar* pBar)
{
    OZWDockRows rows = Snapshot();
    return rows.IsLastResizableInRow(rows.FindBar(pBar));
}

BOOL OZWDockBar::IsAloneInRow(CControlBar* pBar)
{
    OZWDockRows rows = Snapshot();
    return rows.IsAloneInRow(rows.FindBar(pBar));
}

void OZWDockBar::GetRowBars(CPtrList& list, CControlBar* pBar)
{
    list.RemoveAll();
    OZWDockRows rows = Snapshot();
    for (void* p : rows.GetRowBars(rows.FindBar(pBar)))
        list.AddTail(p);
}

void OZWDockBar::CalcRowShares(int nRowStart, CControlBar* pActive, int& nSized, int& nFixed)
{
    OZWDockRows rows = Snapshot();
    rows.CalcRowShares(nRowStart, pActive, nSized, nFixed);
    Apply(rows);
}

void OZWDockBar::UpdateMinShare()
{
    CRect rect;
    GetClientRect(&rect);
    OZWDockRows rows(m_dwStyle & CBRS_ALIGN_ANY);
    rows.UpdateMinShare((m_dwStyle & CBRS_ORIENT_HORZ) ? rect.Width() : rect.Height());
    m_fMinShare = rows.m_fMinShare;
}

float OZWDockBar::AdjustBarShare(float fDelta, CControlBar* pBar)
{
    OZWDockRows rows = Snapshot();
    const float fResult = rows.AdjustBarShare(fDelta, rows.FindBar(pBar));
    Apply(rows);
    return fResult;
}

void OZWDockBar::ExpandBar(CControlBar* pBar, int nMode)
{
    OZWDockRows rows = Snapshot();
    const int i = rows.FindBar(pBar);
    if (i < 0)
        return;
    rows.ExpandBar(i, nMode);
    Apply(rows);
    if (CFrameWnd* pFrame = GetDockingFrameOf())
        pFrame->DelayRecalcLayout();
}

void OZWDockBar::SetLastDockedBar(CControlBar* pBar)
{
    OZWDockRows rows = Snapshot();
    const int i = rows.FindBar(pBar);
    if (i < 0)
        return;
    if (rows.IsAloneInRow(i))
        rows.QueueFrom(i);
    rows.Queue(pBar);
    Apply(rows);
    m_pLastDockedBar = pBar;
}

void OZWDockBar::QueueRowToolBars(CControlBar* pBar)
{
    OZWDockRows rows = Snapshot();
    rows.QueueRowToolBars(rows.FindBar(pBar));
    Apply(rows);
}

/////////////////////////////////////////////////////////////////////////////
// Inserting (the array only; docking moves the windows)

int OZWDockBar::InsertBarAtPoint(CControlBar* pBar, const CRect&, CPoint point)
{
    OZWDockRows rows = Snapshot();
    const int i = rows.InsertBarAtPoint(EntryFor(pBar, this), point);
    Apply(rows);
    return i;
}

int OZWDockBar::InsertBarAtPos(CControlBar* pBar, const OZWDockPos& pos)
{
    OZWDockRows rows = Snapshot();
    const int i = rows.InsertBarAtPos(EntryFor(pBar, this), pos);
    Apply(rows);
    return i;
}

int OZWDockBar::InsertBarAt(CControlBar* pBar, int nColumn, int nRow)
{
    OZWDockPos pos;
    pos.nRow = nRow;
    pos.nColumn = nColumn;
    return InsertBarAtPos(pBar, pos);
}

int OZWDockBar::InsertBarAsFirstRow(CControlBar* pBar)
{
    OZWDockRows rows = Snapshot();
    const int i = rows.InsertBarAsFirstRow(EntryFor(pBar, this));
    Apply(rows);
    return i;
}

int OZWDockBar::InsertBarAtIndex(int nIndex, CControlBar* pBar)
{
    if (nIndex < 0 || nIndex > m_arrBars.GetSize())
        AfxThrowInvalidArgException();
    OZWDockRows rows = Snapshot();
    const int i = rows.InsertBarAtIndex(nIndex, EntryFor(pBar, this));
    Apply(rows);
    return i;
}

/////////////////////////////////////////////////////////////////////////////
// Docking and removing

void OZWDockBar::AdoptBar(CControlBar* pBar, LPCRECT lpRectClient, bool bLeavePlaceholder)
{
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    MoveBarIn(pBar, lpRectClient, TRUE, SWP_NOREDRAW);
    pBar->m_pDockBar = this;
    // Out of the dock bar it leaves (which may go, with its floating frame).
    if (pOldDockBar != nullptr && pOldDockBar != this) {
        if (OZWDockBar* pOld = DYNAMIC_DOWNCAST(OZWDockBar, pOldDockBar))
            pOld->RemoveControlBar(pBar, -1, bLeavePlaceholder ? 1 : 0);
        else
            pOldDockBar->CDockBar::RemoveControlBar(pBar, -1, bLeavePlaceholder ? 1 : 0);
    }
    pBar->m_pDockBar = this;
}

namespace {

// The bar takes the dock bar's side and its borders, floating or docked.
void TakeDockStyle(OZWDockBar* pDockBar, CControlBar* pBar)
{
    if (pDockBar->m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
        pDockBar->m_dwStyle |= CBRS_FLOAT_MULTI;
    pDockBar->m_dwStyle = (pDockBar->m_dwStyle & ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC)) |
                          (pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC));
    if (!(pDockBar->m_dwStyle & CBRS_FLOAT_MULTI) && pBar->m_hWnd != nullptr) {
        CString title;
        pBar->GetWindowText(title);
        AfxSetWindowText(pDockBar->m_hWnd, title);
    }
    DWORD dwStyle = pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING);
    dwStyle |= (pDockBar->m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    if (pDockBar->m_bFloating)
        dwStyle |= CBRS_FLOATING;
    pBar->SetBarStyle(dwStyle);
}

} // namespace

void OZWDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr || pBar == this || pBar->IsDockBar())
        return;
    const bool bHere = pBar->m_pDockBar == this && FindBar(pBar) > 0;
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    if (bHere && (lpRect == nullptr || rectBar == *lpRect))
        return;

    TakeDockStyle(this, pBar);
    OZWDockRows rows = Snapshot();
    if (bHere)
        rows.RemoveEntry(rows.FindBar(pBar), false);
    OZWDockEntry entry = EntryFor(pBar, this);
    CRect rect;
    int i = rows.ReplacePlaceholder(entry);
    if (i < 0) {
        if (lpRect != nullptr) {
            rect = *lpRect;
            ScreenToClient(&rect);
            i = rows.InsertBarAtPoint(entry, rect.CenterPoint());
        } else {
            i = rows.AppendAsLastRow(entry);
            rows.Queue(pBar);
        }
    }
    Apply(rows);
    FinishDocking(pBar, lpRect != nullptr ? &rect : nullptr);
}

void OZWDockBar::DockControlBarAtRect(CControlBar* pBar, LPCRECT lpRect)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr || pBar == this || pBar->IsDockBar())
        return;
    OZWControlBar* pOZW = DYNAMIC_DOWNCAST(OZWControlBar, pBar);
    const bool bFixed = pOZW == nullptr || (pOZW->m_dwExStyle & SCBX_FIXED_SIZE);
    const bool bHere = pBar->m_pDockBar == this && FindBar(pBar) > 0;
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    CRect rect;
    if (lpRect != nullptr) {
        rect = *lpRect;
        ScreenToClient(&rect);
    }
    if (bHere) {
        // Staying where it is changes nothing (a sized bar without a
        // rectangle stays too).
        if (lpRect == nullptr || rectBar == *lpRect)
            return;
        if (!bFixed) {
            OZWDockRows rows = Snapshot();
            const int i = rows.FindBar(pBar);
            const OZWDockDropPlace place = rows.FindDropPlace(rect.CenterPoint(), pBar);
            if (place.kind == OZWDockDropPlace::InRow && (place.nIndex == i || place.nIndex == i + 1))
                return;
        }
    }

    // Its old place is repainted where it was.
    if (CDockBar* pOld = pBar->m_pDockBar; pOld != nullptr && pOld->m_hWnd != nullptr) {
        CRect rectOld = rectBar;
        pOld->ScreenToClient(&rectOld);
        pOld->InvalidateRect(&rectOld);
    }
    TakeDockStyle(this, pBar);
    OZWDockRows rows = Snapshot();
    if (bHere)
        rows.RemoveEntry(rows.FindBar(pBar), false);
    rows.RemovePlaceholder(pBar->GetDlgCtrlID());
    OZWDockEntry entry = EntryFor(pBar, this);
    if (lpRect != nullptr) {
        // It takes the share its outline showed.
        const OZWDockDropPlace place = rows.FindDropPlace(rect.CenterPoint(), pBar);
        entry.fShare = rows.DropShare(entry, place);
        rows.InsertBarAtPoint(entry, rect.CenterPoint());
    } else {
        rows.AppendAsLastRow(entry);
        rows.Queue(pBar);
    }
    Apply(rows);
    if (pOZW != nullptr)
        pOZW->m_fShare = entry.fShare;
    FinishDocking(pBar, lpRect != nullptr ? &rect : nullptr);
}

void OZWDockBar::DockControlBarAtPos(CControlBar* pBar, const OZWDockPos& pos)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr || pBar == this || pBar->IsDockBar())
        return;
    TakeDockStyle(this, pBar);
    OZWDockRows rows = Snapshot();
    if (pBar->m_pDockBar == this)
        rows.RemoveEntry(rows.FindBar(pBar), false);
    rows.RemovePlaceholder(pBar->GetDlgCtrlID());
    const int i = rows.InsertBarAtPos(EntryFor(pBar, this), pos);
    int nSized = 0, nFixed = 0;
    rows.CalcRowShares(rows.RowStart(i), pBar, nSized, nFixed);
    Apply(rows);
    FinishDocking(pBar, nullptr);
}

void OZWDockBar::FinishDocking(CControlBar* pBar, LPCRECT lpRectClient)
{
    const bool bLeave = m_bFloating && pBar->m_pDockBar != nullptr && !pBar->m_pDockBar->m_bFloating;
    AdoptBar(pBar, lpRectClient, bLeave);
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->DelayRecalcLayout();
    if (CFrameWnd* pFrame = GetDockingFrameOf())
        pFrame->DelayRecalcLayout();
    m_pLastDockedBar = pBar;
}

void OZWDockBar::DockControlBarEx(CControlBar* pBar, int nColumn, int nRow)
{
    OZWDockPos pos;
    pos.nRow = nRow;
    pos.nColumn = nColumn;
    DockControlBarAtPos(pBar, pos);
}

int OZWDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    OZWDockRows rows = Snapshot();
    int i = -1;
    for (int j = 1; j < rows.GetSize(); ++j) {
        if (j != nPosExclude && rows.m_entries[j].IsBar() && rows.m_entries[j].pBar == pBar) {
            i = j;
            break;
        }
    }
    // A bar that is not here changes nothing.
    if (i < 0)
        return 0;
    rows.RemoveEntry(i, nAddPlaceHolder == 1);
    Apply(rows);
    if (pBar->m_hWnd != nullptr)
        m_redraw.erase(std::remove(m_redraw.begin(), m_redraw.end(), pBar->m_hWnd), m_redraw.end());
    if (m_pLastDockedBar == pBar)
        m_pLastDockedBar = nullptr;
    for (auto it = m_mapCommands.begin(); it != m_mapCommands.end();)
        it = it->second == pBar->m_hWnd ? m_mapCommands.erase(it) : std::next(it);
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = nullptr;

    if (m_hWnd == nullptr)
        return 0;
    CFrameWnd* pParentFrame = GetParentFrame();
    if (m_bFloating && GetDockedVisibleCount() == 0) {
        if (GetDockedCount() == 0) {
            // Nothing floats here any more: the floating frame goes, and
            // this dock bar with it.
            if (pParentFrame != nullptr) {
                pParentFrame->DestroyWindow();
                return 1;
            }
        } else if (pParentFrame != nullptr) {
            pParentFrame->ShowWindow(SW_HIDE);
        }
        return 0;
    }
    if (pParentFrame != nullptr)
        pParentFrame->DelayRecalcLayout();
    if (CFrameWnd* pFrame = GetDockingFrameOf())
        pFrame->DelayRecalcLayout();
    return 0;
}

void OZWDockBar::ForgetBar(CControlBar* pBar)
{
    OZWDockRows rows = Snapshot();
    const int i = rows.FindBar(pBar);
    if (i > 0) {
        rows.RemoveEntry(i, false);
        Apply(rows);
    }
    if (pBar->m_hWnd != nullptr)
        m_redraw.erase(std::remove(m_redraw.begin(), m_redraw.end(), pBar->m_hWnd), m_redraw.end());
    if (m_pLastDockedBar == pBar)
        m_pLastDockedBar = nullptr;
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = nullptr;
    if (m_hWnd == nullptr)
        return;
    // A floating frame left empty goes once the destruction under way is
    // over (it may be what is being destroyed).
    if (m_bFloating && GetDockedCount() == 0) {
        if (CWnd* pParent = GetParent())
            pParent->PostMessage(CMiniDockFrameWnd::MessageDestroyIfEmpty());
    } else if (CFrameWnd* pFrame = GetDockingFrameOf()) {
        pFrame->DelayRecalcLayout();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Layout

int OZWDockBar::GetRowLength(BOOL bHorz) const
{
    CSize size = m_rectLayout.Size();
    if (m_rectLayout.IsRectEmpty()) {
        CRect rect(0, 0, 0, 0);
        if (CWnd* pParent = GetParent())
            pParent->GetClientRect(&rect);
        size = rect.Size();
    }
    return bHorz ? size.cx : size.cy;
}

CSize OZWDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const int nRowLength = GetRowLength(bHorz);
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos((int)m_arrBars.GetSize() + 1);
    OZWDockRows rows = Snapshot(true, &layout);
    rows.UpdateMinShare(nRowLength);

    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, bHorz);
    const int nAlong0 = bHorz ? rectInside.left : rectInside.top;
    const int nAcross0 = bHorz ? rectInside.top : rectInside.left;

    if (!m_bLayoutQuery) {
        for (Splitter* p : m_splitters)
            p->m_bSeen = FALSE;
        for (ClientEdge* p : m_edges)
            p->m_bSeen = FALSE;
    }
    const OZWDockLayout result = rows.Layout(nRowLength, nAlong0, nAcross0, GetLastDockedBar());

    if (!m_bLayoutQuery) {
        const DWORD dwLength = LM_COMMIT | LM_STRETCH | (bHorz ? (LM_HORZDOCK | LM_HORZ) : (LM_VERTDOCK | LM_LENGTHY));
        const DWORD dwThick = LM_COMMIT | (bHorz ? (LM_HORZDOCK | LM_HORZ | LM_LENGTHY) : LM_VERTDOCK);
        const UINT nDockID = (UINT)GetDlgCtrlID();
        int nFirstChanged = -1;
        for (int j = 0; j < rows.GetSize(); ++j) {
            const OZWDockEntry& e = rows.m_entries[j];
            if (!e.IsBar() || !e.bVisible)
                continue;
            CControlBar* pBar = static_cast<CControlBar*>(e.pBar);
            // The bar keeps what it was given: its share of the row, the
            // row's thickness.
            const CRect& rectNew = result.rects[j];
            if (result.lengths[j] >= 0)
                pBar->CalcDynamicLayout(rows.SharedRowLength(j, nRowLength), dwLength);
            if (result.thickness[j] >= 0)
                pBar->CalcDynamicLayout(result.thickness[j], dwThick);
            if (rectNew != e.rect) {
                UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
                if (s_bNoCopyBits && m_bRowsChanged)
                    nFlags |= SWP_NOCOPYBITS;
                if (rectNew.Size() == e.rect.Size())
                    nFlags |= SWP_NOSIZE;
                if (layout.hDWP != nullptr)
                    layout.hDWP = ::DeferWindowPos(layout.hDWP, pBar->m_hWnd, nullptr, rectNew.left, rectNew.top,
                                                   rectNew.Width(), rectNew.Height(), nFlags);
                QueueWindow(pBar);
                const int nOldLength = bHorz ? e.rect.Width() : e.rect.Height();
                const int nNewLength = bHorz ? rectNew.Width() : rectNew.Height();
                if (nFirstChanged < 0 && nOldLength != nNewLength)
                    nFirstChanged = j;
            }
            // A docked bar remembers where it lies, for docking it back.
            if (!m_bFloating && pBar->m_pDockContext != nullptr) {
                pBar->m_pDockContext->m_uMRUDockID = nDockID;
                pBar->m_pDockContext->m_rectMRUDockPos = rectNew;
            }
        }
        if (layout.hDWP != nullptr)
            ::EndDeferWindowPos(layout.hDWP);
        for (const OZWDockSplitterInfo& s : result.splitters)
            AddSplitter(s.nKind, s.nOrientation, s.rect, s.nIndex);
        for (const OZWDockEdgeInfo& e : result.edges)
            AddClientEdge(e.nOrientation, e.rect);
        DeleteUnseen(m_splitters);
        DeleteUnseen(m_edges);
        if (nFirstChanged >= 0)
            rows.QueueFrom(nFirstChanged);
    }
    Apply(rows);
    if (!m_bLayoutQuery)
        m_pLastDockedBar = nullptr;

    // Across: the rows and the dock bar's borders (nothing when no bar
    // shows); along: the whole side when stretching, else the longest row.
    const int nBorderAlong = bHorz ? rectInside.left - rectInside.right : rectInside.top - rectInside.bottom;
    const int nBorderAcross = bHorz ? rectInside.top - rectInside.bottom : rectInside.left - rectInside.right;
    const int nAcross = result.bAnyBar ? result.nAcross + nBorderAcross : 0;
    const int nAlong = bStretch ? 32767 : (result.bAnyBar ? result.nAlongMax + nBorderAlong : 0);
    return bHorz ? CSize(nAlong, nAcross) : CSize(nAcross, nAlong);
}

LRESULT OZWDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    m_pLayoutParams = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const LRESULT lResult = CDockBar::OnSizeParent(wParam, lParam);
    m_pLayoutParams = nullptr;
    return lResult;
}

namespace {

// The item with an equal rectangle, or a new one; marked seen.
template <class T>
T* FindOrAdd(std::vector<T*>& items, const CRect& rect)
{
    for (T* p : items) {
        if (p->m_rect == rect) {
            p->m_bSeen = TRUE;
            return p;
        }
    }
    T* p = new T;
    p->m_rect = rect;
    p->m_bSeen = TRUE;
    items.push_back(p);
    return p;
}

} // namespace

OZWDockBar::Splitter* OZWDockBar::AddSplitter(int nKind, int nOrientation, const CRect& rect, int nIndex)
{
    Splitter* pSplitter = FindOrAdd(m_splitters, rect);
    pSplitter->m_nKind = nKind;
    pSplitter->m_nOrientation = nOrientation;
    pSplitter->m_nIndex = nIndex;
    return pSplitter;
}

OZWDockBar::ClientEdge* OZWDockBar::AddClientEdge(int nOrientation, const CRect& rect)
{
    ClientEdge* pEdge = FindOrAdd(m_edges, rect);
    pEdge->m_nOrientation = nOrientation;
    return pEdge;
}

void OZWDockBar::RedrawMovedBars()
{
    m_bRedrawPending = TRUE;
    if (!m_redraw.empty() && m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
    m_bRedrawPending = FALSE;
}

void OZWDockBar::AddPendingBar(CControlBar* pBar)
{
    QueueWindow(pBar);
}

/////////////////////////////////////////////////////////////////////////////
// Drag feedback

void OZWDockBar::CalcDockFeedbackRect(CRect& rectResult, CControlBar* pBar, const CRect& rectDrag, CPoint point,
                                      OZWDockFeedbackCache& cache)
{
    OZWDockRows rows = Snapshot();
    OZWDockEntry entry = EntryFor(pBar, this);
    CRect rect = rectDrag;
    ScreenToClient(&rect);
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    const int nLength = rows.IsHorz() ? client.Width() : client.Height();
    rectResult = rows.CalcFeedbackRect(entry, rect, point, nLength > 0 ? nLength : GetRowLength(rows.IsHorz()), cache);
    ClientToScreen(&rectResult);
}

/////////////////////////////////////////////////////////////////////////////
// Saved layout

void OZWDockBar::GetBarInfo(CControlBarInfo* pInfo)
{
    CDockBar::GetBarInfo(pInfo);
}

void OZWDockBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    CDockBar::SetBarInfo(pInfo, pFrameWnd);
}

void OZWDockBar::GetBarInfoEx(OZWControlBarInfo* pInfo)
{
    if (pInfo == nullptr || m_hWnd == nullptr)
        return;
    GetBarInfo(pInfo);
    // The dock bar of an MDI-child float window: its frame's placement is
    // kept instead of a float position.
    pInfo->m_bMDIChild = m_bMDIChild;
    if (m_bMDIChild) {
        pInfo->m_pointPos = CPoint(0, 0);
        pInfo->m_wpMDIChild.length = sizeof(WINDOWPLACEMENT);
        CWnd* pParentFrame = GetParentFrame();
        if (pParentFrame == nullptr || !pParentFrame->GetWindowPlacement(&pInfo->m_wpMDIChild))
            memset(&pInfo->m_wpMDIChild, 0, sizeof(WINDOWPLACEMENT));
    }
}

void OZWDockBar::SetBarInfoEx(OZWControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    SetBarInfo(pInfo, pFrameWnd);
    // The floating frame made for the slide window of an unpinned
    // auto-hide bar is a slide window again: without a caption.
    if (!m_bFloating || m_hWnd == nullptr)
        return;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        OZWControlBar* pBar = DYNAMIC_DOWNCAST(OZWControlBar, GetDockedControlBar((int)i));
        if (pBar == nullptr)
            continue;
        if (pBar->GetAutoHideMode() && !pBar->IsPinned()) {
            if (CFrameWnd* pSlide = GetParentFrame())
                pSlide->ModifyStyle(WS_CAPTION, 0, SWP_FRAMECHANGED);
        }
        break;
    }
}

void OZWDockBar::SetExtendedStyle(DWORD) {}

BOOL OZWDockBar::CreateFromInfo(CFrameWnd*, OZWControlBarInfo*)
{
    return FALSE;
}

BOOL OZWDockBar::PreTranslateMessage(MSG* pMsg)
{
    // Alt and a key open the frame's menu.
    if (pMsg->message == WM_SYSKEYDOWN) {
        if (CFrameWnd* pFrame = GetDockingFrameOf()) {
            pFrame->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, pMsg->wParam);
            return TRUE;
        }
    }
    return CDockBar::PreTranslateMessage(pMsg);
}

LRESULT OZWDockBar::OnThemeChanged()
{
    if (m_hTheme != nullptr) {
        UXCloseThemeData(m_hTheme);
        m_hTheme = nullptr;
    }
    return 0;
}
