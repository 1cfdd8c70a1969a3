// OZWCustomToolBar: creation, the button array, layout, painting, command
// state, the mouse and the window messages. Customising by drag and drop is
// in OZWCustomToolBarDrag.cpp.
#include "toolbars/bar/OZWCustomToolBar.h"

#include "frame/bars/OZWDockBar.h"
#include "frame/bars/OZWReBar.h"
#include "platform/theme/ThemeLib.h"
#include "toolbars/bar/OZWCustomToolBarInfoEx.h"
#include "toolbars/bar/OZWToolBarManager.h"
#include "toolbars/bar/OZWToolBarRectTracker.h"
#include "toolbars/buttons/WndBtn.h"
#include "toolbars/model/ToolBarIds.h"

#include <algorithm>
#include <memory>

namespace {

// The timer that follows the cursor while a button is hot.
const UINT_PTR kHotTimer = 57346;
// The framework's idle prompt.
const UINT kIdlePrompt = 57345;

// The room of a rebar band that is not its child's: gripper and edges.
const int kReBarBandExtra = 12;

} // namespace

namespace {
const UINT s_nNoDelayHideMessage = ::RegisterWindowMessageA("WM_NODELAYHIDE");
} // namespace

UINT OZWGetNoDelayHideMessage()
{
    return s_nNoDelayHideMessage;
}

/////////////////////////////////////////////////////////////////////////////
// OZWCustomToolCmdUI

void OZWCustomToolCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    OZWCustomToolBar* pBar = static_cast<OZWCustomToolBar*>(m_pOther);
    const DWORD dwStyle = pBar->GetButtonStyle((int)m_nIndex);
    pBar->SetButtonStyle((int)m_nIndex, bOn ? (dwStyle & ~TBB_DISABLED) : (dwStyle | TBB_DISABLED));
}

void OZWCustomToolCmdUI::SetCheck(int nCheck)
{
    OZWCustomToolBar* pBar = static_cast<OZWCustomToolBar*>(m_pOther);
    DWORD dwStyle = pBar->GetButtonStyle((int)m_nIndex) & ~(TBB_CHECKED | TBB_INDETERMINATE);
    dwStyle |= TBB_CHECKBOX;
    if (nCheck == 1)
        dwStyle |= TBB_CHECKED;
    else if (nCheck == 2)
        dwStyle |= TBB_INDETERMINATE;
    pBar->SetButtonStyle((int)m_nIndex, dwStyle);
}

/////////////////////////////////////////////////////////////////////////////
// OZWCustomToolBar

BOOL OZWCustomToolBar::s_bCommandInProgress = FALSE;
BOOL OZWCustomToolBar::s_bAltDrag = FALSE;

IMPLEMENT_DYNCREATE(OZWCustomToolBar, OZWControlBar)

BEGIN_MESSAGE_MAP(OZWCustomToolBar, OZWControlBar)
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_SHOWWINDOW()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_MOUSEACTIVATE()
    ON_REGISTERED_MESSAGE(s_nNoDelayHideMessage, OnNoDelayHide)
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(TB_ADDBUTTONSA, OnAddButtons)
    ON_MESSAGE(TB_DELETEBUTTON, OnDeleteButton)
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

OZWCustomToolBar::OZWCustomToolBar() : m_pBmpMgr(new OZWBmpMgr), m_hFont((HFONT)::GetStockObject(DEFAULT_GUI_FONT))
{
    m_cyTopBorder = 3;
    m_cyBottomBorder = 3;
    for (ozwbar::GripperMetrics* pSet : {&m_gripperInfo.m_horz, &m_gripperInfo.m_vert}) {
        pSet->nLead = 0;
        pSet->nBar1 = 3;
        pSet->nGap = 1;
        pSet->nBar2 = 3;
        pSet->nTrail = 2;
    }
}

OZWCustomToolBar::~OZWCustomToolBar()
{
    for (OZWStdBtn* pButton : m_arrButtons)
        delete pButton;
    m_arrButtons.clear();
    delete m_pDrawData;
    delete[] m_pOwnBtnMap2;
    if (m_pBmpMgr != nullptr)
        m_pBmpMgr->Release();
    if (m_hThemeRebar != nullptr)
        UXCloseThemeData(m_hThemeRebar);
    if (m_hThemeMenu != nullptr)
        UXCloseThemeData(m_hThemeMenu);
}

/////////////////////////////////////////////////////////////////////////////
// Creation

BOOL OZWCustomToolBar::CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle)
{
    if (dwExStyle & TBX_COMPACT) {
        m_cyTopBorder = 1;
        m_cyBottomBorder = 1;
    }
    const CString strClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                                 (HBRUSH)(COLOR_BTNFACE + 1));
    if (!OZWControlBar::CreateEx(strClass, lpszTitle, nID, dwStyle, dwExStyle | TBX_ALWAYS, CRect(0, 0, 0, 0),
                                 pParentWnd))
        return FALSE;
    m_dwExStyle = dwExStyle | TBX_ALWAYS;
    MarkLayoutDirty();
    m_bCreated = TRUE;
    NotifyManager(OZWBAR_CREATED);
    return TRUE;
}

BOOL OZWCustomToolBar::Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD, UINT nID,
                              CCreateContext*)
{
    return CreateEx(0, pParentWnd, dwStyle, nID, lpszWindowName);
}

BOOL OZWCustomToolBar::LoadToolBar(UINT nResourceID)
{
    if (m_pBmpMgr->AddToolBarResource(nResourceID, 0, TRUE) == 0)
        return FALSE;
    UINT* pIDs = nullptr;
    int nCount = 0;
    if (!OZWBmpMgr::ReadToolBarResource(nResourceID, &pIDs, &nCount, nullptr, nullptr, TRUE))
        return FALSE;
    std::unique_ptr<UINT[]> ids(pIDs);
    return SetButtons(ids.get(), nCount);
}

BOOL OZWCustomToolBar::SetBitmap(UINT nBitmapID, const UINT* pIDs, int nCount)
{
    std::vector<UINT> images;
    for (int i = 0; i < nCount; ++i)
        if (pIDs[i] != 0)
            images.push_back(pIDs[i]);
    if (!m_pBmpMgr->AddBitmap(nBitmapID, 0, images.data(), (int)images.size(), TRUE))
        return FALSE;
    return SetButtons(pIDs, nCount);
}

/////////////////////////////////////////////////////////////////////////////
// Manager and images

OZWToolBarManager* OZWCustomToolBar::GetManager() const
{
    return dynamic_cast<OZWToolBarManager*>(m_pControlBarManager);
}

void OZWCustomToolBar::SetManager(OZWToolBarManager* pManager)
{
    m_pControlBarManager = pManager;
}

void OZWCustomToolBar::SetBmpMgr(OZWBmpMgr* pBmpMgr)
{
    if (pBmpMgr == m_pBmpMgr || pBmpMgr == nullptr)
        return;
    pBmpMgr->AddRef();
    if (m_pBmpMgr != nullptr)
        m_pBmpMgr->Release();
    m_pBmpMgr = pBmpMgr;
    for (OZWStdBtn* pButton : m_arrButtons)
        if (!pButton->IsSeparator() && pButton->m_nType != OZWStdBtn::typeMenu)
            pButton->m_nImage = GetImageIndex(pButton->m_nID);
    MarkLayoutDirty();
}

void OZWCustomToolBar::SetSecondButtonMap(OZWBtnMapEntry* pMap)
{
    delete[] m_pOwnBtnMap2;
    m_pOwnBtnMap2 = pMap;
}

void OZWCustomToolBar::ReloadImages()
{
    if (m_pBmpMgr != nullptr)
        m_pBmpMgr->ReloadAll(TRUE);
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

int OZWCustomToolBar::GetImageIndex(UINT nID, HBITMAP* phBitmap)
{
    HBITMAP hBitmap = nullptr;
    int nIndex = 0;
    if (m_pBmpMgr == nullptr || !m_pBmpMgr->GetImage(nID, &hBitmap, &nIndex)) {
        hBitmap = nullptr;
        nIndex = 0;
    }
    if (phBitmap != nullptr)
        *phBitmap = hBitmap;
    return nIndex;
}

int OZWCustomToolBar::GetImageWidth() const
{
    return m_pBmpMgr != nullptr ? m_pBmpMgr->GetImageSize().cx : 16;
}

int OZWCustomToolBar::GetImageHeight() const
{
    return m_pBmpMgr != nullptr ? m_pBmpMgr->GetImageSize().cy : 15;
}

void OZWCustomToolBar::UpdateButtonSize(int cxImage, int cyImage)
{
    m_cxStdButton = cxImage + 7;
    m_cyStdButton = cyImage + 7;
    m_sizeMaxButton = CSize(0, 0);
    for (OZWStdBtn* pButton : m_arrButtons) {
        pButton->AdjustSize();
        pButton->SetMode(m_bVertMode);
    }
    MarkLayoutDirty();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void OZWCustomToolBar::SetTransparentColor(COLORREF clr, BOOL bUse)
{
    m_clrTransparent = clr;
    m_bUseTransparent = bUse;
}

OZWBtnDrawData* OZWCustomToolBar::GetDrawData()
{
    if (OZWToolBarManager* pManager = GetManager())
        return &pManager->GetDrawData();
    if (m_pDrawData == nullptr)
        m_pDrawData = new OZWBtnDrawData;
    return m_pDrawData;
}

/////////////////////////////////////////////////////////////////////////////
// Buttons

OZWStdBtn* OZWCustomToolBar::GetButton(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_arrButtons.size() ? m_arrButtons[(size_t)nIndex] : nullptr;
}

DWORD OZWCustomToolBar::GetButtonStyle(int nIndex) const
{
    const OZWStdBtn* pButton = GetButton(nIndex);
    return pButton != nullptr ? pButton->GetStyle() : 0;
}

void OZWCustomToolBar::SetButtonStyle(int nIndex, DWORD dwStyle)
{
    OZWStdBtn* pButton = GetButton(nIndex);
    if (pButton == nullptr || pButton->GetStyle() == dwStyle)
        return;
    pButton->SetStyle(dwStyle);
    InvalidateButton(nIndex);
}

void OZWCustomToolBar::HideButton(int nIndex, BOOL bHide)
{
    OZWStdBtn* pButton = GetButton(nIndex);
    if (pButton == nullptr)
        return;
    pButton->SetStyle(bHide ? (pButton->GetStyle() | TBB_HIDDEN) : (pButton->GetStyle() & ~TBB_HIDDEN));
    pButton->UpdateShow();
    MarkLayoutDirty();
}

int OZWCustomToolBar::FindButton(const OZWStdBtn* pButton) const
{
    auto it = std::find(m_arrButtons.begin(), m_arrButtons.end(), pButton);
    return it == m_arrButtons.end() ? -1 : (int)(it - m_arrButtons.begin());
}

UINT OZWCustomToolBar::GetButtonID(int nIndex) const
{
    const OZWStdBtn* pButton = GetButton(nIndex);
    return pButton != nullptr ? pButton->m_nID : 0;
}

void OZWCustomToolBar::GetButtonRect(int nIndex, LPRECT lpRect) const
{
    const OZWStdBtn* pButton = GetButton(nIndex);
    if (pButton != nullptr)
        *lpRect = pButton->GetBtnRect();
    else
        ::SetRectEmpty(lpRect);
}

void OZWCustomToolBar::RaiseMaxButtonSize(int cx, int cy)
{
    m_sizeMaxButton.cx = std::max((int)m_sizeMaxButton.cx, cx);
    m_sizeMaxButton.cy = std::max((int)m_sizeMaxButton.cy, cy);
}

OZWStdBtn* OZWCustomToolBar::CreateButton(UINT nID, CWnd*)
{
    // The entry of the command in the first map, else in the second.
    const OZWToolBarManager* pManager = GetManager();
    const OZWBtnMapEntry* maps[2] = {pManager != nullptr ? pManager->GetButtonMap() : m_pOwnBtnMap,
                                     pManager != nullptr ? pManager->GetMenuBarButtonMap() : m_pOwnBtnMap2};
    const OZWBtnMapEntry* pEntry = nullptr;
    for (const OZWBtnMapEntry* pMap : maps) {
        for (const OZWBtnMapEntry* p = pMap; p != nullptr && p->pClass != nullptr && pEntry == nullptr; ++p)
            if (p->nID == nID)
                pEntry = p;
        if (pEntry != nullptr)
            break;
    }
    OZWStdBtn* pButton = nullptr;
    if (pEntry != nullptr && pEntry->pClass->pfnCreate != nullptr)
        pButton = pEntry->pClass->pfnCreate();
    if (pButton == nullptr) {
        // No entry, or its class could not make a button: a plain one.
        pButton = new OZWStdBtn;
        pEntry = nullptr;
    }
    pButton->m_nID = nID;
    if (pEntry != nullptr)
        pButton->m_nStyle = pEntry->dwStyle;
    if (pButton->m_nType != OZWStdBtn::typeMenu)
        pButton->m_nImage = GetImageIndex(nID);
    pButton->Init(this, pEntry != nullptr ? pEntry->params : nullptr);
    pButton->SetMode(m_bVertMode);
    return pButton;
}

OZWStdBtn* OZWCustomToolBar::CreateSeparator(CWnd*)
{
    OZWStdBtn* pButton = new OZWStdBtn;
    pButton->m_nID = 0;
    pButton->m_nStyle = TBB_SEPARATOR;
    pButton->m_cx = m_nSepSize;
    pButton->m_cy = m_cyStdButton;
    pButton->Init(this, nullptr);
    pButton->SetMode(m_bVertMode);
    return pButton;
}

BOOL OZWCustomToolBar::SetButtons(const UINT* pIDs, int nCount)
{
    RemoveAllButtons();
    ClearSelection(FALSE);
    m_nSelected = -1;
    for (int i = 0; i < nCount; ++i)
        m_arrButtons.push_back(pIDs[i] == 0 ? CreateSeparator() : CreateButton(pIDs[i]));
    MarkLayoutDirty();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return TRUE;
}

void OZWCustomToolBar::RemoveAllButtons()
{
    m_nHot = -1;
    m_nPressed = -1;
    m_nFocus = -1;
    if (GetSafeHwnd() != nullptr)
        KillTimer(kHotTimer);
    std::vector<OZWStdBtn*> buttons;
    buttons.swap(m_arrButtons);
    for (OZWStdBtn* pButton : buttons)
        delete pButton;
    MarkLayoutDirty();
}

void OZWCustomToolBar::InsertButton(int nIndex, UINT nID, BOOL bSeparator, BOOL bNoRecalc)
{
    nIndex = std::clamp(nIndex, 0, (int)m_arrButtons.size());
    OZWStdBtn* pButton = bSeparator ? CreateSeparator() : CreateButton(nID);
    m_arrButtons.insert(m_arrButtons.begin() + nIndex, pButton);

    // The separators of its row are as high as the row's tallest button.
    const ozwtb::Layout layout = GetLayout();
    int nFirst = 0;
    int nLast = 0;
    ozwtb::RowOf(layout, nIndex, nFirst, nLast);
    int cyRow = ozwtb::TallestInRow(layout, nFirst, nLast);
    if (!bSeparator)
        cyRow = std::max(cyRow, pButton->m_cy);
    if (cyRow > 0) {
        for (int i = nFirst; i <= nLast; ++i)
            if (m_arrButtons[(size_t)i]->IsSeparator())
                m_arrButtons[(size_t)i]->m_cy = cyRow;
    }
    if (m_nMRUWidth < 32767)
        m_nMRUWidth += pButton->m_cx;
    m_nSelected = ozwtb::IndexAfterInsert(m_nSelected, nIndex);
    m_nHot = ozwtb::IndexAfterInsert(m_nHot, nIndex);
    m_nFocus = ozwtb::IndexAfterInsert(m_nFocus, nIndex);
    MarkLayoutDirty();
    if (!bNoRecalc && GetSafeHwnd() != nullptr) {
        RecalcFrameLayout();
        Invalidate();
        UpdateWindow();
    }
}

BOOL OZWCustomToolBar::RemoveButton(int nIndex, BOOL bNoRecalc)
{
    if (nIndex < 0 || nIndex >= (int)m_arrButtons.size())
        return FALSE;
    OZWStdBtn* pButton = m_arrButtons[(size_t)nIndex];
    const BOOL bOwned = OwnsSelection();
    if (m_nPressed == nIndex) {
        m_nPressed = -1;
        if (GetCapture() == this)
            ReleaseCapture();
    }
    m_arrButtons.erase(m_arrButtons.begin() + nIndex);
    auto moveIndexes = [this](int nAt) {
        m_nSelected = ozwtb::IndexAfterRemove(m_nSelected, nAt);
        m_nHot = ozwtb::IndexAfterRemove(m_nHot, nAt);
        m_nFocus = ozwtb::IndexAfterRemove(m_nFocus, nAt);
        m_nPressed = ozwtb::IndexAfterRemove(m_nPressed, nAt);
    };
    moveIndexes(nIndex);

    // The separators of its row follow the tallest button left there.
    if (!m_arrButtons.empty()) {
        const ozwtb::Layout layout = GetLayout();
        int nFirst = 0;
        int nLast = 0;
        ozwtb::RowOf(layout, std::min(nIndex, (int)layout.size() - 1), nFirst, nLast);
        int cyRow = ozwtb::TallestInRow(layout, nFirst, nLast);
        if (cyRow == 0)
            cyRow = m_nSepSize * 2 / 3;
        for (int i = nFirst; i <= nLast; ++i)
            if (m_arrButtons[(size_t)i]->IsSeparator())
                m_arrButtons[(size_t)i]->m_cy = cyRow;
        // Separators left at an end, or doubled where it was, go with it.
        for (int nDrop : ozwtb::SeparatorsToDrop(layout, nIndex)) {
            delete m_arrButtons[(size_t)nDrop];
            m_arrButtons.erase(m_arrButtons.begin() + nDrop);
            moveIndexes(nDrop);
        }
    }
    delete pButton;
    if (bOwned && m_nSelected < 0) {
        if (OZWToolBarManager* pManager = GetManager())
            pManager->SetSelectionOwner(nullptr);
        NotifyManager(OZWBAR_SELCHANGED);
    }
    MarkLayoutDirty();
    if (bNoRecalc)
        return !m_arrButtons.empty();
    if (m_arrButtons.empty() && ozwtb::IsUserBarId((UINT)GetDlgCtrlID())) {
        // An emptied user toolbar goes (and this object with it).
        DestroyWindow();
        return FALSE;
    }
    if (GetSafeHwnd() != nullptr) {
        RecalcFrameLayout();
        Invalidate();
    }
    return TRUE;
}

void OZWCustomToolBar::InformBtn(UINT nID, int nCode, void* pData, BOOL bAllBars)
{
    if (bAllBars) {
        if (OZWToolBarManager* pManager = GetManager()) {
            pManager->InformBtn(nID, nCode, pData);
            return;
        }
    }
    // Without a manager the toolbar's own buttons take it.
    for (OZWStdBtn* pButton : m_arrButtons)
        if (pButton->m_nID == nID && !pButton->IsSeparator())
            pButton->InformBtn(nCode, pData);
}

void OZWCustomToolBar::NotifyManager(int nCode)
{
    if (OZWToolBarManager* pManager = GetManager())
        if (GetSafeHwnd() != nullptr)
            pManager->BroadcastBarNotify((UINT)GetDlgCtrlID(), nCode);
}

/////////////////////////////////////////////////////////////////////////////
// Layout

ozwtb::Layout OZWCustomToolBar::GetLayout() const
{
    ozwtb::Layout layout;
    layout.reserve(m_arrButtons.size());
    for (const OZWStdBtn* pButton : m_arrButtons) {
        ozwtb::LayoutButton b;
        b.x = pButton->m_x;
        b.y = pButton->m_y;
        b.cx = pButton->m_cx;
        b.cy = pButton->m_cy;
        b.style = pButton->GetStyle();
        layout.push_back(b);
    }
    return layout;
}

ozwtb::Metrics OZWCustomToolBar::GetMetrics() const
{
    ozwtb::Metrics metrics;
    metrics.cxButton = m_cxStdButton;
    metrics.cyButton = m_cyStdButton;
    metrics.nSepSize = m_nSepSize;
    return metrics;
}

int OZWCustomToolBar::WrapButtons(int nWidth, ROWINFO* pRows)
{
    std::vector<ozwtb::RowInfo> rows;
    const int nRows = ozwtb::WrapButtons(GetLayout(), nWidth, rows);
    if (pRows != nullptr)
        std::copy(rows.begin(), rows.end(), pRows);
    return nRows;
}

void OZWCustomToolBar::BalanceRows(int nRows, ROWINFO* pRows)
{
    if (!DoesBalanceRows() || pRows == nullptr)
        return;
    std::vector<ozwtb::RowInfo> rows(pRows, pRows + nRows);
    ozwtb::BalanceRows(GetLayout(), rows);
    std::copy(rows.begin(), rows.end(), pRows);
}

void OZWCustomToolBar::SizeToolBar(SIZE* pSize, int nLength, BOOL bVert)
{
    ozwtb::Layout layout = GetLayout();
    const SIZE size = ozwtb::SizeToolBar(layout, nLength, bVert, GetMetrics(), DoesBalanceRows());
    for (size_t i = 0; i < layout.size(); ++i)
        m_arrButtons[i]->m_nStyle = (m_arrButtons[i]->m_nStyle & ~TBB_WRAPPED) | (layout[i].style & TBB_WRAPPED);
    if (pSize != nullptr)
        *pSize = size;
}

CSize OZWCustomToolBar::InsideBorders(BOOL bHorz) const
{
    CRect rect(0, 0, 0, 0);
    const_cast<OZWCustomToolBar*>(this)->CalcInsideRect(rect, bHorz);
    return CSize(rect.left - rect.right, rect.top - rect.bottom);
}

int OZWCustomToolBar::DockLength() const
{
    // The room left in the bar's row of its dock bar, or the height of the
    // frame's client area when the bar lies elsewhere.
    const int nRoom = RoomInDockRow(FALSE);
    if (nRoom > 0)
        return nRoom;
    CWnd* pParent = GetParent();
    if (pParent != nullptr && pParent->GetSafeHwnd() != nullptr) {
        CRect rect;
        pParent->GetClientRect(&rect);
        if (rect.Height() > 0)
            return rect.Height();
        if (CWnd* pFrame = pParent->GetParent()) {
            pFrame->GetClientRect(&rect);
            if (rect.Height() > 0)
                return rect.Height();
        }
    }
    return 32767;
}

int OZWCustomToolBar::RoomInDockRow(BOOL bHorz) const
{
    // Only a bar docked on a side: a floating frame's dock bar gives its bar
    // all the room it asks for.
    CDockBar* pDockBar = DYNAMIC_DOWNCAST(CDockBar, GetParent());
    if (pDockBar == nullptr || pDockBar->m_bFloating || pDockBar->GetSafeHwnd() == nullptr)
        return 0;
    // The row's length: the room the frame offers the dock bar while it lays
    // its rows out, else the frame's client area, less the dock bar's borders.
    CRect rectRoom = pDockBar->m_rectLayout;
    if (rectRoom.IsRectEmpty())
        if (CWnd* pFrame = pDockBar->GetParent())
            pFrame->GetClientRect(&rectRoom);
    CRect rectInside(0, 0, 0, 0);
    pDockBar->CalcInsideRect(rectInside, bHorz);
    int nRoom = bHorz ? rectRoom.Width() - (rectInside.left - rectInside.right)
                      : rectRoom.Height() - (rectInside.top - rectInside.bottom);
    if (nRoom <= 0)
        return 0;
    // Less what the visible bars before this one in its row take: the dock
    // bar lays them out first and places this bar after them.
    const int nPos = pDockBar->FindBar(const_cast<OZWCustomToolBar*>(this));
    if (nPos < 0)
        return 0;
    const DWORD dwMode = bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    for (int i = nPos - 1; i > 0 && pDockBar->m_arrBars[i] != nullptr; --i) {
        CControlBar* pBar = pDockBar->GetDockedControlBar(i);
        if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || !(pBar->GetStyle() & WS_VISIBLE))
            continue;
        const CSize size = pBar->CalcDynamicLayout(-1, dwMode);
        nRoom -= bHorz ? size.cx : size.cy;
    }
    return nRoom;
}

void OZWCustomToolBar::MarkLayoutDirty()
{
    m_bDirtyFloat = TRUE;
    m_bDirtyHorz = TRUE;
    m_bDirtyVert = TRUE;
}

CSize OZWCustomToolBar::ComputeLayout(int nLength, DWORD dwMode, BOOL bCommit)
{
    const BOOL bHorzLayout = (dwMode & LM_HORZ) != 0;
    const BOOL bFloating = !(dwMode & (LM_HORZDOCK | LM_VERTDOCK));
    const ozwtb::Metrics metrics = GetMetrics();
    if (bCommit) {
        m_bVertMode = !bHorzLayout;
        for (OZWStdBtn* pButton : m_arrButtons)
            pButton->SetMode(m_bVertMode);
    }
    ozwtb::Layout layout = GetLayout();
    if (!bCommit) {
        // Window buttons as they would be in that orientation.
        for (size_t i = 0; i < layout.size(); ++i) {
            if (const OZWWndBtn* pWndBtn = dynamic_cast<const OZWWndBtn*>(m_arrButtons[i]))
                layout[i].cx = bHorzLayout ? pWndBtn->GetWndWidth() : m_cxStdButton;
        }
    }
    const CSize borders = InsideBorders(bHorzLayout);

    // The width to wrap at, or the height to fit the rows to.
    BOOL bFitHeight = FALSE;
    int nWrap = 32767;
    int nHeight = 0;
    if (m_dwStyle & CBRS_SIZE_FIXED) {
        nWrap = 32767;
    }
    else if (bFloating) {
        if (dwMode & LM_MRUWIDTH)
            nWrap = m_nMRUWidth - borders.cx;
        else if (dwMode & LM_LENGTHY) {
            bFitHeight = TRUE;
            nHeight = nLength - borders.cy;
        }
        else if (nLength >= 0)
            nWrap = nLength - borders.cx;
    }
    else if (dwMode & LM_HORZDOCK) {
        if (nLength > 0 && nLength < 32767)
            nWrap = nLength - borders.cx;
    }
    else {
        bFitHeight = TRUE;
        nHeight = (nLength > 0 ? nLength : DockLength()) - borders.cy;
    }
    // Stretched to the parent's length: a dock bar's width or height, a
    // rebar's width less the room of its band's gripper and edges.
    CReBar* pReBar = GetReBar();
    if ((m_dwExStyle & TBX_STRETCH) && (!bFloating || pReBar != nullptr) && GetParent() != nullptr) {
        CRect rect;
        GetParent()->GetClientRect(&rect);
        if (pReBar != nullptr)
            rect.right -= kReBarBandExtra;
        if ((bHorzLayout || pReBar != nullptr) && rect.Width() > 0)
            nWrap = rect.Width() - borders.cx;
        else if (!bHorzLayout && rect.Height() > 0)
            nHeight = rect.Height() - borders.cy;
    }

    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, bHorzLayout);
    SIZE inner = {0, 0};
    if (!layout.empty()) {
        if (bFitHeight)
            ozwtb::SizeToolBar(layout, std::max(nHeight, 0), TRUE, metrics, DoesBalanceRows(), !bHorzLayout);
        else
            ozwtb::SizeToolBar(layout, std::max(nWrap, 0), FALSE, metrics, DoesBalanceRows(), !bHorzLayout);
        inner = ozwtb::PositionButtons(layout, rectInside.left, rectInside.top, !bHorzLayout, metrics);
    }
    // An empty bar keeps the room of one button (something to drop on).
    inner.cx = std::max((int)inner.cx, bHorzLayout ? m_cxStdButton : m_cyStdButton);
    inner.cy = std::max((int)inner.cy, m_cyStdButton);
    CSize size(inner.cx + borders.cx, inner.cy + borders.cy);
    // A vertical bar stretched in a rebar band takes twice its width; a
    // caption button at its end goes to the bottom-right corner of it.
    if (pReBar != nullptr && !bHorzLayout && !bFloating && (m_dwExStyle & TBX_STRETCH)) {
        size.cx *= 2;
        if (!layout.empty() && m_arrButtons.back()->m_nType == OZWStdBtn::typeCaption && !layout.back().IsHidden()) {
            ozwtb::LayoutButton& last = layout.back();
            last.x = std::max((int)rectInside.left, (int)(size.cx + rectInside.right) - last.cx);
            last.y = std::max((int)rectInside.top, (int)(size.cy + rectInside.bottom) - last.cy);
        }
    }
    if (!bCommit)
        return size;

    for (size_t i = 0; i < layout.size(); ++i) {
        OZWStdBtn* pButton = m_arrButtons[i];
        pButton->m_nStyle = (pButton->m_nStyle & ~TBB_WRAPPED) | (layout[i].style & TBB_WRAPPED);
        if (!pButton->IsHidden())
            pButton->SetPos(layout[i].x, layout[i].y);
    }
    if (bFloating) {
        m_sizeFloating = size;
        m_szFloat = size;
        if (!(dwMode & LM_LENGTHY))
            m_nMRUWidth = size.cx;
        m_bDirtyFloat = FALSE;
    }
    else if (dwMode & LM_HORZDOCK) {
        m_sizeHorz = size;
        m_szHorzDock = size;
        m_bDirtyHorz = FALSE;
    }
    else {
        m_sizeVert = size;
        m_szVertDock = size;
        m_bDirtyVert = FALSE;
    }
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return size;
}

void OZWCustomToolBar::CalcLayout(SIZE* pSize, int nLength, DWORD dwMode)
{
    const CSize size = ComputeLayout(nLength, dwMode, (dwMode & LM_COMMIT) != 0);
    if (pSize != nullptr)
        *pSize = size;
}

CSize OZWCustomToolBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return CalcDynamicLayout(-1, bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
}

CSize OZWCustomToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (CReBar* pReBar = GetReBar()) {
        // In a rebar the bar lays itself out anew every time, answers its
        // size less the band's 2-pixel inset and gives the band its minimum.
        CSize size = ComputeLayout(nLength, dwMode | LM_COMMIT, TRUE);
        size.cx = std::max(0L, size.cx - 2);
        size.cy = std::max(0L, size.cy - 2);
        UpdateRebarBand(pReBar, &size);
        return size;
    }
    if (dwMode & LM_COMMIT) {
        // The dock bar commits a row's thickness: the control bar keeps it.
        if ((dwMode & LM_HORZDOCK) && (dwMode & LM_LENGTHY))
            return OZWControlBar::CalcDynamicLayout(nLength, dwMode);
        return ComputeLayout(nLength, dwMode, TRUE);
    }
    const BOOL bFloatingNow = (m_dwStyle & CBRS_FLOATING) != 0 || IsFloating();
    if (dwMode & LM_HORZDOCK) {
        // The bar lays itself out for the place it has; for another place
        // it only answers the size (a drag asking where it would fit).
        if (bFloatingNow || !(m_dwStyle & CBRS_ORIENT_HORZ))
            return ComputeLayout(32767, dwMode, FALSE);
        // Docked, its buttons wrap into more rows where the room left in its
        // row of the dock bar cannot hold them in one, so that none lies
        // past the frame's edge.
        const int nRoom = HorzDockRoom();
        if (m_bDirtyHorz || nRoom != m_nHorzRoom) {
            ComputeLayout(nRoom, dwMode | LM_COMMIT, TRUE);
            m_nHorzRoom = nRoom;
        }
        return m_sizeHorz;
    }
    if (dwMode & LM_VERTDOCK) {
        if (bFloatingNow || !(m_dwStyle & CBRS_ORIENT_VERT))
            return ComputeLayout(0, dwMode, FALSE);
        const int nRoom = DockLength();
        if (m_bDirtyVert || nRoom != m_nVertRoom) {
            ComputeLayout(0, dwMode | LM_COMMIT, TRUE);
            m_nVertRoom = nRoom;
        }
        return m_sizeVert;
    }
    if (dwMode & LM_MRUWIDTH) {
        if (!bFloatingNow)
            return ComputeLayout(-1, dwMode, FALSE);
        if (m_bDirtyFloat)
            ComputeLayout(-1, dwMode | LM_COMMIT, TRUE);
        return m_sizeFloating;
    }
    return ComputeLayout(nLength, dwMode, FALSE);
}

int OZWCustomToolBar::HorzDockRoom() const
{
    const int nRoom = RoomInDockRow(TRUE);
    if (nRoom <= 0)
        return 32767;
    // Never narrower than its widest button: a row too full for that keeps
    // the bar one button wide.
    int nWidest = m_cxStdButton;
    for (const OZWStdBtn* pButton : m_arrButtons)
        if (!pButton->IsHidden())
            nWidest = std::max(nWidest, pButton->m_cx);
    const CSize borders = InsideBorders(TRUE);
    return std::max(nRoom, nWidest + (int)borders.cx);
}

CReBar* OZWCustomToolBar::GetReBar() const
{
    return DYNAMIC_DOWNCAST(CReBar, GetParent());
}

void OZWCustomToolBar::UpdateRebarBand(CWnd* pReBar, SIZE* pSize)
{
    if (pReBar == nullptr || pReBar->GetSafeHwnd() == nullptr || pSize == nullptr || GetSafeHwnd() == nullptr)
        return;
    UINT nInfoSize = 0;
    GetReBarBandInfoSize(nInfoSize);
    const int nBands = (int)pReBar->SendMessage(RB_GETBANDCOUNT);
    for (int i = 0; i < nBands; ++i) {
        REBARBANDINFOA rbbi = {};
        rbbi.cbSize = nInfoSize;
        rbbi.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE;
        if (!pReBar->SendMessage(RB_GETBANDINFOA, (WPARAM)i, (LPARAM)&rbbi) || rbbi.hwndChild != m_hWnd)
            continue;
        // Only a change is sent: the rebar answers a new size with a layout
        // of the frame, which asks this bar again.
        const UINT cyMin = (UINT)pSize->cy;
        const UINT cxMin = (m_dwExStyle & TBX_STRETCH) ? (UINT)pSize->cx : rbbi.cxMinChild;
        if (rbbi.cyMinChild == cyMin && rbbi.cxMinChild == cxMin)
            return;
        rbbi.fMask = RBBIM_CHILDSIZE;
        rbbi.cyMinChild = cyMin;
        rbbi.cxMinChild = cxMin;
        pReBar->SendMessage(RB_SETBANDINFOA, (WPARAM)i, (LPARAM)&rbbi);
        return;
    }
}

void OZWCustomToolBar::SizeToParent()
{
    if (GetParent() == nullptr)
        return;
    CRect rect;
    GetParent()->GetClientRect(&rect);
    ComputeLayout(IsVertical() ? rect.Height() : rect.Width(),
                  IsVertical() ? (LM_VERTDOCK | LM_COMMIT) : (LM_HORZ | LM_HORZDOCK | LM_COMMIT), TRUE);
}

void OZWCustomToolBar::InvalidateButton(int nIndex)
{
    OZWStdBtn* pButton = GetButton(nIndex);
    if (pButton == nullptr || GetSafeHwnd() == nullptr)
        return;
    if (OZWWndBtn* pWndBtn = dynamic_cast<OZWWndBtn*>(pButton)) {
        if (pWndBtn->IsWndMode()) {
            if (CWnd* pWnd = pWndBtn->GetWnd(); pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
                pWnd->Invalidate(FALSE);
            return;
        }
    }
    pButton->Invalidate(FALSE);
}

int OZWCustomToolBar::HitTest(int x, int y, RECT* pRect)
{
    const int nIndex = ozwtb::HitTest(GetLayout(), x, y);
    if (pRect != nullptr)
        GetButtonRect(nIndex, pRect);
    return nIndex;
}

void OZWCustomToolBar::RecalcFrameLayout()
{
    MarkLayoutDirty();
    if (GetSafeHwnd() == nullptr)
        return;
    CFrameWnd* pParentFrame = GetParentFrame();
    CFrameWnd* pDockFrame = GetDockingFrame();
    if (pParentFrame != nullptr && pParentFrame != pDockFrame)
        pParentFrame->RecalcLayout();
    if (pDockFrame != nullptr)
        pDockFrame->RecalcLayout();
    else if (GetParent() != nullptr && pParentFrame == nullptr)
        ComputeLayout(-1, IsVertical() ? (LM_VERTDOCK | LM_COMMIT) : (LM_HORZ | LM_HORZDOCK | LM_COMMIT), TRUE);
}

void OZWCustomToolBar::RecalcHostLayout()
{
    RecalcFrameLayout();
}

BOOL OZWCustomToolBar::TrackButtonWidth(CWnd* pWnd, CRect& rect, int nMinWidth)
{
    OZWToolBarRectTracker tracker(&rect);
    tracker.m_sizeMin = CSize(nMinWidth, 0);
    const DWORD pos = ::GetMessagePos();
    CPoint point((short)LOWORD(pos), (short)HIWORD(pos));
    pWnd->ScreenToClient(&point);
    if (!tracker.TrackLoop(pWnd, point))
        return FALSE;
    rect = tracker.m_rect;
    rect.NormalizeRect();
    if (rect.Width() < nMinWidth)
        rect.right = rect.left + nMinWidth;
    return TRUE;
}

CWnd* OZWCustomToolBar::GetNotifyOwner()
{
    CWnd* pOwner = GetOwner();
    return pOwner != nullptr ? pOwner : GetParent();
}

/////////////////////////////////////////////////////////////////////////////
// Command state

void OZWCustomToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    OZWCustomToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_arrButtons.size();
    for (size_t i = 0; i < m_arrButtons.size(); ++i) {
        OZWStdBtn* pButton = m_arrButtons[i];
        if (pButton->IsSeparator())
            continue;
        state.m_nIndex = (UINT)i;
        state.m_nID = pButton->m_nID;
        // The bar's own handlers first, then the frame's route.
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler && !(pButton->GetStyle() & TBB_KEEPENABLED));
        if (m_arrButtons.size() != (size_t)state.m_nIndexMax)
            break;
    }
}

void OZWCustomToolBar::UpdateButtonCmdUI(int nIndex)
{
    OZWStdBtn* pButton = GetButton(nIndex);
    if (pButton == nullptr || pButton->IsSeparator())
        return;
    CWnd* pOwner = GetNotifyOwner();
    CFrameWnd* pTarget = dynamic_cast<CFrameWnd*>(pOwner);
    if (pTarget == nullptr)
        pTarget = GetParentFrame();
    if (pTarget == nullptr)
        return;
    OZWCustomToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndex = (UINT)nIndex;
    state.m_nIndexMax = (UINT)m_arrButtons.size();
    state.m_nID = pButton->m_nID;
    if (!CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
        state.DoUpdate(pTarget, pTarget->m_bAutoMenuEnable && !(pButton->GetStyle() & TBB_KEEPENABLED));
}

/////////////////////////////////////////////////////////////////////////////
// Painting

void OZWCustomToolBar::PaintOffice2003Background(CDC* pDC, const CRect& rectClient)
{
    CRect rect = rectClient;
    rect.left += 1;
    if (m_bMenuLook) {
        pDC->FillSolidRect(&rect, UXGetO2K3Color(2));
        return;
    }
    const int cx = rect.Width();
    const int cy = rect.Height();
    if (cx <= 0 || cy <= 0)
        return;
    // A rounded rectangle, its corners as round as the bar is thick.
    const int k1 = cy > 2 * cx ? 4 : 6;
    const int k2 = cx <= 2 * cy ? 6 : 4;
    const int nRadius = std::min(cy / k1, cx / k2);
    CRgn region;
    region.CreateRoundRectRgn(rect.left, rect.top, rect.right + 1, rect.bottom + 1, nRadius, nRadius);
    const int nSaved = pDC->SaveDC();
    pDC->SelectClipRgn(&region);
    UXPaintGradientRect(pDC->m_hDC, rect.left, rect.top, cx, cy, UXGetO2K3Color(0), UXGetO2K3Color(1), m_bVertMode);
    pDC->RestoreDC(nSaved);
    if (!(m_dwStyle & CBRS_FLOATING) && !IsFloating())
        DrawDotGripper(pDC, rect);
}

void OZWCustomToolBar::DrawDotGripper(CDC* pDC, const CRect& rect)
{
    auto dot = [pDC](int x, int y) {
        pDC->FillSolidRect(x + 1, y + 1, 2, 2, RGB(192, 192, 192));
        pDC->FillSolidRect(x, y, 2, 2, RGB(0, 0, 0));
    };
    if (!m_bVertMode) {
        if (rect.Height() < 10)
            return;
        for (int y = rect.top + 5; y + 4 < rect.bottom - 5; y += 4)
            dot(rect.left + 3, y);
    }
    else {
        if (rect.Width() < 10)
            return;
        for (int x = rect.left + 5; x + 4 < rect.right - 5; x += 4)
            dot(x, rect.top + 3);
    }
}

BOOL OZWCustomToolBar::PaintThemedBackground(CDC* pDC, const CRect& rectClient)
{
    HTHEME& hTheme = m_bMenuLook ? m_hThemeMenu : m_hThemeRebar;
    if (hTheme == nullptr && UXIsAppThemed() && UXIsThemeActive())
        hTheme = UXOpenThemeData(UXGetSafeHwnd(), m_bMenuLook ? "Menu" : "Rebar");
    const int nPart = m_bMenuLook ? 7 : 6;
    const int nState = m_bMenuLook ? 1 : 0;
    BOOL bDrawn = FALSE;
    if (hTheme != nullptr && UXIsThemePartDefined(hTheme, nPart, nState) >= 0) {
        if (UXIsThemeBackgroundPartiallyTransparent(hTheme, nPart, nState))
            UXDrawThemeParentBackground(m_hWnd, pDC->m_hDC, &rectClient);
        bDrawn = UXDrawThemeBackground(hTheme, pDC->m_hDC, nPart, nState, &rectClient, nullptr) >= 0;
    }
    if (!bDrawn)
        pDC->FillSolidRect(&rectClient, UXGetDNETColor(0));
    if ((m_dwExStyle & TBX_GRIPPER) && !m_bMenuLook) {
        const BOOL bVert = m_bVertMode;
        const CRect rectGrip = bVert ? CRect(rectClient.left + 5, rectClient.top + 3, rectClient.right - 4,
                                             rectClient.top + 6)
                                     : CRect(rectClient.left + 3, rectClient.top + 5, rectClient.left + 6,
                                             rectClient.bottom - 4);
        const int nGripPart = bVert ? 2 : 1;
        if (m_hThemeRebar != nullptr && UXIsThemePartDefined(m_hThemeRebar, nGripPart, 0) >= 0)
            UXDrawThemeBackground(m_hThemeRebar, pDC->m_hDC, nGripPart, 0, &rectGrip, nullptr);
        else if (!(m_dwStyle & CBRS_FLOATING) && !IsFloating())
            DrawDotGripper(pDC, rectClient);
    }
    return bDrawn;
}

void OZWCustomToolBar::PaintDotNetBackground(CDC* pDC, const CRect& rectClient)
{
    CRect rect = rectClient;
    rect.left += 1;
    pDC->FillSolidRect(&rect, m_bMenuLook ? ::GetSysColor(COLOR_BTNFACE) : UXGetDNETColor(0));
    if (m_bMenuLook)
        return;
    // The bar's outline in the face colour, its corners trimmed.
    CRect outline = rect;
    outline.bottom -= m_bVertMode ? 1 : 2;
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    pDC->FillSolidRect(outline.left, outline.bottom, outline.Width(), rect.bottom - outline.bottom, clrFace);
    pDC->SetPixel(outline.left, outline.top, clrFace);
    pDC->SetPixel(outline.right - 1, outline.top, clrFace);
    pDC->SetPixel(outline.left, outline.bottom - 1, clrFace);
    pDC->SetPixel(outline.right - 1, outline.bottom - 1, clrFace);
    if (m_dwStyle & CBRS_FLOATING)
        return;
    // A gripper of short strokes across the bar.
    const COLORREF clrStroke = UXGetDNETColor(26);
    if (!m_bVertMode) {
        for (int y = outline.top + 5; y < outline.bottom - 4; y += 2)
            pDC->FillSolidRect(outline.left + 3, y, 3, 1, clrStroke);
    }
    else {
        for (int x = outline.left + 5; x < outline.right - 4; x += 2)
            pDC->FillSolidRect(x, outline.top + 3, 1, 3, clrStroke);
    }
}

void OZWCustomToolBar::DoPaint(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    if (UXIsOfc2003StyleEnabled())
        PaintOffice2003Background(pDC, rectClient);
    else if (!UXIsDotNetStyleEnabled() && !UXIsVistaClassicStyleEnabled())
        OZWControlBar::DoPaint(pDC);
    else if (!UXIsDotNetStyleEnabled())
        PaintThemedBackground(pDC, rectClient);
    else
        PaintDotNetBackground(pDC, rectClient);

    if (m_arrButtons.empty())
        return;
    OZWBtnDrawData* pData = GetDrawData();
    if (m_bUseTransparent)
        pData->SetTransparentColor(m_clrTransparent, TRUE);
    const int cxCanvas = std::max((int)m_sizeMaxButton.cx, m_cxStdButton);
    const int cyCanvas = std::max((int)m_sizeMaxButton.cy, m_cyStdButton);
    if (!pData->Prepare(pDC, cxCanvas, cyCanvas))
        return;
    for (OZWStdBtn* pButton : m_arrButtons)
        if (!pButton->IsHidden())
            pButton->Draw(pDC, *pData);
    pData->Release();
    if (m_bUseTransparent)
        pData->SetTransparentColor(RGB(192, 192, 192), FALSE);
}

void OZWCustomToolBar::DrawBorders(CDC* pDC, CRect& rect)
{
    if (!(m_dwStyle & CBRS_BORDER_ANY))
        return;
    if (!IsCoolLook()) {
        if (!rect.IsRectEmpty()) {
            rect.right--;
            rect.bottom--;
        }
    }
    else if (!UXIsVistaClassicStyleEnabled()) {
        OZW_AUX_DATA* pSys = UXGetSysData();
        const COLORREF clrLeftTop = (m_dwStyle & CBRS_BORDER_3D) ? pSys->clrBtnHilite : pSys->clrBtnShadow;
        const COLORREF clrRightBottom = pSys->clrBtnShadow;
        if (m_dwStyle & CBRS_BORDER_LEFT)
            pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), clrLeftTop);
        if (m_dwStyle & CBRS_BORDER_TOP)
            pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, clrLeftTop);
        if (m_dwStyle & CBRS_BORDER_RIGHT)
            pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), clrRightBottom);
        if (m_dwStyle & CBRS_BORDER_BOTTOM)
            pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, clrRightBottom);
        if (m_pDockContext == nullptr) {
            pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, pSys->clrBtnShadow);
            pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, pSys->clrBtnHilite);
        }
    }
    OZWControlBar::DrawBorders(pDC, rect);
}

BOOL OZWCustomToolBar::OnEraseBkgnd(CDC* pDC)
{
    if (UXIsOfc2003StyleEnabled()) {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(&rect, UXGetO2K3Color(2));
        return TRUE;
    }
    return OZWControlBar::OnEraseBkgnd(pDC);
}

void OZWCustomToolBar::OnNcPaint()
{
    // The toolbar draws all it shows in its client area.
}

/////////////////////////////////////////////////////////////////////////////
// Tool tips, bar style, visibility

INT_PTR OZWCustomToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const INT_PTR nHit = OZWControlBar::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    const int nIndex = ozwtb::HitTest(GetLayout(), point.x, point.y);
    const OZWStdBtn* pButton = GetButton(nIndex);
    if (pButton == nullptr)
        return -1;
    const INT_PTR nID = pButton->OnToolHitTest(point, pTI);
    return nID == 0 ? -1 : nID;
}

void OZWCustomToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    MarkLayoutDirty();
    for (OZWStdBtn* pButton : m_arrButtons)
        pButton->BarStyleChanged(dwNewStyle);
    OZWControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
}

int OZWCustomToolBar::AdjustSizeForGripper(CSize& size, BOOL bHorz)
{
    int nAdded = OZWControlBar::AdjustSizeForGripper(size, bHorz);
    if (m_dwExStyle & TBX_WIDEGRIPPER) {
        if (bHorz)
            size.cx += 2;
        else
            size.cy += 2;
        nAdded += 2;
    }
    return nAdded;
}

void OZWCustomToolBar::DelayShow(BOOL bShow)
{
    OZWToolBarManager* pManager = GetManager();
    if (!bShow && pManager != nullptr && pManager->IsInCustomizeMode() && IsFloating() && GetSafeHwnd() != nullptr) {
        // While customising, a floating toolbar hides at once.
        PostMessage(OZWGetNoDelayHideMessage());
        return;
    }
    OZWControlBar::DelayShow(bShow);
}

LRESULT OZWCustomToolBar::OnNoDelayHide(WPARAM, LPARAM)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->ShowControlBar(this, FALSE, FALSE);
    else
        ShowWindow(SW_HIDE);
    return 0;
}

void OZWCustomToolBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    if (m_bCreated && (lpWndPos->flags & SWP_SHOWWINDOW))
        NotifyManager(OZWBAR_SHOWN);
    else if (m_bCreated && (lpWndPos->flags & SWP_HIDEWINDOW))
        NotifyManager(OZWBAR_HIDDEN);
    CRect rectOld;
    GetWindowRect(&rectOld);
    // The control bar's handling without the border bits.
    const DWORD dwStyle = m_dwStyle;
    m_dwStyle &= ~CBRS_BORDER_ANY;
    OZWControlBar::OnWindowPosChanging(lpWndPos);
    m_dwStyle = dwStyle;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && !(lpWndPos->flags & SWP_NOSIZE) &&
        (lpWndPos->cx != rectOld.Width() || lpWndPos->cy != rectOld.Height()))
        Invalidate();
}

void OZWCustomToolBar::OnShowWindow(BOOL bShow, UINT nStatus)
{
    OZWControlBar::OnShowWindow(bShow, nStatus);
    if (m_bCreated)
        NotifyManager(bShow ? OZWBAR_SHOWN : OZWBAR_HIDDEN);
}

void OZWCustomToolBar::OnSysColorChange()
{
    OZWControlBar::OnSysColorChange();
    GetDrawData()->RefreshColors();
    ReloadImages();
}

int OZWCustomToolBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (m_bConfigMode && !IsFloating())
        return MA_NOACTIVATE;
    return OZWControlBar::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void OZWCustomToolBar::OnDestroy()
{
    ClearSelection(FALSE);
    NotifyManager(OZWBAR_DESTROYED);
    KillTimer(kHotTimer);
    OZWControlBar::OnDestroy();
}

LRESULT OZWCustomToolBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    return OZWControlBar::OnSizeParent(wParam, lParam);
}

LRESULT OZWCustomToolBar::OnAddButtons(WPARAM wParam, LPARAM lParam)
{
    const TBBUTTON* pButtons = reinterpret_cast<const TBBUTTON*>(lParam);
    const int nCount = (int)wParam;
    if (pButtons == nullptr)
        return FALSE;
    for (int i = 0; i < nCount; ++i) {
        const BOOL bLast = i == nCount - 1;
        const int nIndex = GetButtonCount();
        InsertButton(nIndex, (UINT)pButtons[i].idCommand, pButtons[i].idCommand == 0, !bLast);
        OZWStdBtn* pButton = GetButton(nIndex);
        pButton->SetStyle(pButton->GetStyle() | ((DWORD)pButtons[i].fsState << 16) | pButtons[i].fsStyle);
    }
    return TRUE;
}

LRESULT OZWCustomToolBar::OnDeleteButton(WPARAM wParam, LPARAM)
{
    return RemoveButton((int)wParam, FALSE);
}

/////////////////////////////////////////////////////////////////////////////
// The mouse: presses, commands, hot tracking

void OZWCustomToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int nIndex = HitTest(point.x, point.y);
    OZWStdBtn* pButton = GetButton(nIndex);
    OZWToolBarManager* pManager = GetManager();
    const BOOL bAlt = ::GetKeyState(VK_MENU) < 0;
    if (pButton != nullptr && pManager != nullptr && (m_bConfigMode || bAlt)) {
        if (!pButton->IsCustomizable()) {
            OZWControlBar::OnLButtonDown(nFlags, point);
            return;
        }
        if (m_bConfigMode) {
            DragButton(nIndex, point.x, point.y);
            return;
        }
        // Alt drags a button outside customise mode; the dropped button is
        // not left selected.
        s_bAltDrag = TRUE;
        const BOOL bDone = DragButton(nIndex, point.x, point.y);
        s_bAltDrag = FALSE;
        if (bDone) {
            if (OZWCustomToolBar* pOwner = pManager->GetSelectionOwner())
                pOwner->ClearSelection();
        }
        return;
    }
    if (pButton != nullptr && !m_bConfigMode && !s_bCommandInProgress && !bAlt) {
        UpdateButtonCmdUI(nIndex);
        pButton = GetButton(nIndex);
        if (pButton != nullptr && !(pButton->GetStyle() & TBB_DISABLED)) {
            if (pButton->BtnPressDown(point)) {
                m_nPressed = nIndex;
                InvalidateButton(nIndex);
                UpdateWindow();
                SetCapture();
                if (CWnd* pOwner = GetNotifyOwner())
                    pOwner->SendMessage(WM_SETMESSAGESTRING, pButton->m_nID);
            }
            return;
        }
    }
    OZWControlBar::OnLButtonDown(nFlags, point);
}

void OZWCustomToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (HitTest(point.x, point.y) >= 0) {
        OnLButtonDown(nFlags, point);
        return;
    }
    OZWControlBar::OnLButtonDblClk(nFlags, point);
}

void OZWCustomToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nPressed >= 0) {
        OZWStdBtn* pButton = GetButton(m_nPressed);
        if (pButton != nullptr && GetCapture() == this) {
            const DWORD dwOld = pButton->GetStyle();
            pButton->BtnPressMouseMove(point);
            if (pButton->GetStyle() != dwOld)
                InvalidateButton(m_nPressed);
            return;
        }
        // The capture went elsewhere: the press is over.
        if (pButton != nullptr)
            pButton->BtnPressCancel();
        m_nPressed = -1;
        if (CWnd* pOwner = GetNotifyOwner())
            pOwner->SendMessage(WM_SETMESSAGESTRING, kIdlePrompt);
    }
    UpdateHotButton(point);
    OZWControlBar::OnMouseMove(nFlags, point);
}

void OZWCustomToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nPressed < 0) {
        OZWControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    const int nIndex = m_nPressed;
    m_nPressed = -1;
    if (GetCapture() == this)
        ReleaseCapture();
    OZWStdBtn* pButton = GetButton(nIndex);
    if (pButton == nullptr)
        return;
    const UINT nID = pButton->BtnPressUp(point);
    InvalidateButton(nIndex);
    UpdateWindow();
    if (CWnd* pOwner = GetNotifyOwner())
        pOwner->SendMessage(WM_SETMESSAGESTRING, kIdlePrompt);
    if (nID != 0)
        SendButtonCommand(nIndex, nID);
}

void OZWCustomToolBar::SendButtonCommand(int nIndex, UINT nID)
{
    CWnd* pOwner = GetNotifyOwner();
    if (pOwner == nullptr)
        return;
    OZWToolBarManager* pManager = GetManager();
    OZWCurrentCommand* pCurrent = pManager != nullptr ? pManager->GetCurrentCommand() : nullptr;
    if (pCurrent != nullptr) {
        CRect rect;
        GetButtonRect(nIndex, &rect);
        ClientToScreen(&rect);
        pCurrent->m_rectButton = rect;
        pCurrent->m_bActive = TRUE;
    }
    s_bCommandInProgress = TRUE;
    // The command may take the toolbar away.
    pOwner->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    s_bCommandInProgress = FALSE;
    if (pCurrent != nullptr) {
        pCurrent->m_bActive = FALSE;
        pCurrent->m_rectButton.SetRectEmpty();
        pCurrent->Release();
    }
}

void OZWCustomToolBar::OnCancelMode()
{
    OZWControlBar::OnCancelMode();
    EndKeyboardMode();
    if (m_nPressed >= 0) {
        if (OZWStdBtn* pButton = GetButton(m_nPressed))
            pButton->BtnPressCancel();
        m_nPressed = -1;
        if (GetCapture() == this)
            ReleaseCapture();
    }
}

void OZWCustomToolBar::UpdateHotButton(CPoint point)
{
    int nHot = -1;
    CWnd* pActive = CWnd::GetActiveWindow();
    if (IsCoolLook() && pActive != nullptr && !s_bCommandInProgress && !s_bAltDrag && m_nPressed < 0) {
        nHot = HitTest(point.x, point.y);
        const OZWStdBtn* pButton = GetButton(nHot);
        if (pButton == nullptr || pButton->IsSeparator() || (pButton->GetStyle() & TBB_DISABLED))
            nHot = -1;
    }
    SetHotButton(nHot);
}

void OZWCustomToolBar::SetHotButton(int nIndex)
{
    if (nIndex == m_nHot)
        return;
    if (OZWStdBtn* pOld = GetButton(m_nHot)) {
        // A button with the keyboard focus keeps the hot look.
        if (m_nHot != m_nFocus || !m_bKeyboardMode) {
            pOld->SetStyle(pOld->GetStyle() & ~TBB_HOT);
            InvalidateButton(m_nHot);
        }
    }
    m_nHot = nIndex;
    if (OZWStdBtn* pNew = GetButton(m_nHot)) {
        pNew->SetStyle(pNew->GetStyle() | TBB_HOT);
        InvalidateButton(m_nHot);
    }
    if (GetSafeHwnd() == nullptr)
        return;
    if (m_nHot >= 0)
        SetTimer(kHotTimer, 100, nullptr);
    else
        KillTimer(kHotTimer);
}

void OZWCustomToolBar::RefreshHotButton()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CPoint point;
    ::GetCursorPos(&point);
    if (CWnd::WindowFromPoint(point) != this) {
        SetHotButton(-1);
        return;
    }
    ScreenToClient(&point);
    UpdateHotButton(point);
}

void OZWCustomToolBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHotTimer) {
        RefreshHotButton();
        return;
    }
    OZWControlBar::OnTimer(nIDEvent);
}

/////////////////////////////////////////////////////////////////////////////
// Keyboard focus (used by a menu bar)

void OZWCustomToolBar::SetFocusButton(int nIndex)
{
    if (OZWStdBtn* pOld = GetButton(m_nFocus)) {
        pOld->SetStyle(pOld->GetStyle() & ~TBB_HOT);
        InvalidateButton(m_nFocus);
    }
    m_nFocus = nIndex;
    m_bKeyboardMode = TRUE;
    OZWStdBtn* pButton = GetButton(nIndex);
    if (pButton != nullptr) {
        pButton->SetStyle(pButton->GetStyle() | TBB_HOT);
        InvalidateButton(nIndex);
    }
    CWnd* pOwner = GetNotifyOwner();
    if (pOwner == nullptr)
        return;
    NMHDR nm = {m_hWnd, (UINT_PTR)GetDlgCtrlID(), (UINT)-2122};
    pOwner->SendMessage(WM_NOTIFY, nm.idFrom, (LPARAM)&nm);
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SendMessage(WM_SETMESSAGESTRING, pButton != nullptr ? pButton->m_nID : kIdlePrompt);
}

void OZWCustomToolBar::EndKeyboardMode()
{
    if (!m_bKeyboardMode)
        return;
    m_bKeyboardMode = FALSE;
    if (OZWStdBtn* pButton = GetButton(m_nFocus)) {
        if (m_nFocus != m_nHot)
            pButton->SetStyle(pButton->GetStyle() & ~TBB_HOT);
        InvalidateButton(m_nFocus);
    }
    m_nFocus = -1;
    if (CWnd* pOwner = GetNotifyOwner()) {
        NMHDR nm = {m_hWnd, (UINT_PTR)GetDlgCtrlID(), (UINT)-2123};
        pOwner->SendMessage(WM_NOTIFY, nm.idFrom, (LPARAM)&nm);
    }
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SendMessage(WM_SETMESSAGESTRING, kIdlePrompt);
}

void OZWCustomToolBar::FocusButton(OZWStdBtn* pButton, int, int)
{
    if (pButton != nullptr)
        pButton->SendNotify((UINT)-2120, 0, 0);
}

void OZWCustomToolBar::PressFocusButton(int nIndex)
{
    SetFocusButton(nIndex);
    FocusButton(GetButton(nIndex), 0, 0);
}

void OZWCustomToolBar::FocusButtonAtPoint(POINT* pPoint)
{
    if (pPoint == nullptr)
        return;
    const int nIndex = HitTest(pPoint->x, pPoint->y);
    if (nIndex >= 0 && nIndex != m_nFocus)
        SetFocusButton(nIndex);
}

namespace {
BOOL CanTakeFocus(const OZWStdBtn* pButton)
{
    return pButton != nullptr && !pButton->IsHidden() &&
           (pButton->m_nType == OZWStdBtn::typeMenu || pButton->m_nType == OZWStdBtn::typeSysMenu);
}
} // namespace

int OZWCustomToolBar::FirstFocusable()
{
    for (int i = 0; i < GetButtonCount(); ++i)
        if (CanTakeFocus(GetButton(i)))
            return i;
    return -1;
}

int OZWCustomToolBar::LastFocusable()
{
    for (int i = GetButtonCount() - 1; i >= 0; --i)
        if (CanTakeFocus(GetButton(i)))
            return i;
    return -1;
}

int OZWCustomToolBar::FirstWindowButton()
{
    for (int i = 0; i < GetButtonCount(); ++i)
        if (dynamic_cast<OZWWndBtn*>(GetButton(i)) != nullptr)
            return i;
    return -1;
}

int OZWCustomToolBar::NextFocusable(BOOL bForward)
{
    const int n = GetButtonCount();
    for (int k = 1; k <= n; ++k) {
        const int i = ((m_nFocus + (bForward ? k : -k)) % n + n) % n;
        if (CanTakeFocus(GetButton(i)))
            return i;
    }
    return -1;
}

BOOL OZWCustomToolBar::TrackKeyboardMouse(MSG* pMsg)
{
    if (pMsg == nullptr || !m_bKeyboardMode)
        return FALSE;
    CPoint point(pMsg->lParam);
    if (pMsg->hwnd != m_hWnd)
        ::MapWindowPoints(pMsg->hwnd, m_hWnd, &point, 1);
    const int nIndex = HitTest(point.x, point.y);
    if (pMsg->message == WM_MOUSEMOVE) {
        if (nIndex >= 0 && nIndex != m_nFocus && CanTakeFocus(GetButton(nIndex))) {
            SetFocusButton(nIndex);
            return TRUE;
        }
    }
    else if (pMsg->message == WM_LBUTTONDOWN && nIndex >= 0 && nIndex == m_nFocus) {
        GetButton(nIndex)->SendNotify((UINT)-2121, 0, 0);
        return TRUE;
    }
    return FALSE;
}

void OZWCustomToolBar::ClearFocus()
{
    EndKeyboardMode();
}

/////////////////////////////////////////////////////////////////////////////
// The saved layout

BOOL OZWCustomToolBar::SaveExtraInfo(OZWControlBarInfo* pInfo)
{
    if (pInfo == nullptr)
        return FALSE;
    OZWCustomToolBarInfoEx* pInfoEx = new OZWCustomToolBarInfoEx;
    pInfoEx->TakeFrom(this);
    delete pInfo->m_pBarInfoEx;
    pInfo->m_pBarInfoEx = pInfoEx;
    return TRUE;
}

BOOL OZWCustomToolBar::LoadExtraInfo(OZWControlBarInfo* pInfo, CFrameWnd*)
{
    const OZWCustomToolBarInfoEx* pInfoEx =
        pInfo != nullptr ? dynamic_cast<const OZWCustomToolBarInfoEx*>(pInfo->m_pBarInfoEx) : nullptr;
    if (pInfoEx == nullptr)
        return FALSE;
    pInfoEx->ApplyTo(this);
    MarkLayoutDirty();
    return TRUE;
}
