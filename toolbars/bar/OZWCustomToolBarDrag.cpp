// OZWCustomToolBar: the customise selection and the drag and drop of
// buttons between toolbars, onto empty space and off the toolbars.
#include "toolbars/bar/OZWCustomToolBar.h"

#include "toolbars/bar/OZWToolBarManager.h"
#include "toolbars/bar/OZWToolBarRectTracker.h"
#include "toolbars/bar/ToolBarRes.h"
#include "platform/theme/ThemeLib.h"

#include <memory>

namespace {

// The toolbar a window is, or the toolbar of a floating frame whose dock bar
// holds one first.
OZWCustomToolBar* ToolBarOfWindow(HWND hWnd)
{
    for (HWND h = hWnd; h != nullptr; h = ::GetParent(h)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (OZWCustomToolBar* pBar = dynamic_cast<OZWCustomToolBar*>(pWnd))
            return pBar;
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
            // The floating frame: its dock bar's first child.
            HWND hDockBar = ::GetWindow(h, GW_CHILD);
            HWND hChild = hDockBar != nullptr ? ::GetWindow(hDockBar, GW_CHILD) : nullptr;
            return dynamic_cast<OZWCustomToolBar*>(CWnd::FromHandlePermanent(hChild));
        }
    }
    return nullptr;
}

// The copy cursor shown while a drag copies.
HCURSOR DragCopyCursor()
{
    static HCURSOR s_hCursor = nullptr;
    if (s_hCursor == nullptr) {
        LPCTSTR lpszName = MAKEINTRESOURCE(IDC_OZW_DRAG_COPY);
        s_hCursor = ::LoadCursorA(AfxFindResourceHandle(lpszName, RT_GROUP_CURSOR), lpszName);
    }
    return s_hCursor;
}

// A tracker that keeps the copy cursor up while it runs.
class DragTracker : public OZWToolBarRectTracker
{
public:
    DragTracker(LPCRECT lpRect, BOOL bCopy) : OZWToolBarRectTracker(lpRect), m_bCopy(bCopy) {}
    void OnChangedRect(const CRect&) override
    {
        if (m_bCopy && DragCopyCursor() != nullptr)
            ::SetCursor(DragCopyCursor());
    }

private:
    BOOL m_bCopy;
};

} // namespace

BOOL OZWCustomToolBar::OwnsSelection() const
{
    if (const OZWToolBarManager* pManager = GetManager())
        return pManager->GetSelectionOwner() == this;
    return m_nSelected >= 0;
}

void OZWCustomToolBar::SetConfigMode(BOOL bConfig)
{
    bConfig = bConfig ? TRUE : FALSE;
    if (bConfig == m_bConfigMode)
        return;
    ClearSelection(FALSE);
    m_bConfigMode = bConfig;
    SetHotButton(-1);
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void OZWCustomToolBar::SelectButton(int nIndex, BOOL bRedraw)
{
    OZWToolBarManager* pManager = GetManager();
    OZWCustomToolBar* pOwner = pManager != nullptr ? pManager->GetSelectionOwner() : (m_nSelected >= 0 ? this : nullptr);
    if (pOwner == this && m_nSelected == nIndex)
        return;
    if (pOwner != nullptr)
        pOwner->ClearSelection(bRedraw);
    if (pManager != nullptr)
        pManager->SetSelectionOwner(this);
    m_nSelected = nIndex;
    if (OZWStdBtn* pButton = GetButton(nIndex)) {
        pButton->SetStyle(pButton->GetStyle() | TBB_SELECTED);
        if (bRedraw) {
            InvalidateButton(nIndex);
            if (GetSafeHwnd() != nullptr)
                UpdateWindow();
        }
    }
    NotifyManager(OZWBAR_SELCHANGED);
}

void OZWCustomToolBar::SelectButtonObject(OZWStdBtn* pButton, BOOL bRedraw)
{
    const int nIndex = FindButton(pButton);
    if (nIndex >= 0)
        SelectButton(nIndex, bRedraw);
    else
        ClearSelection(bRedraw);
}

void OZWCustomToolBar::ClearSelection(BOOL bRedraw)
{
    if (!OwnsSelection())
        return;
    const int nOld = m_nSelected;
    if (OZWStdBtn* pButton = GetButton(nOld)) {
        pButton->SetStyle(pButton->GetStyle() & ~TBB_SELECTED);
        if (bRedraw)
            InvalidateButton(nOld);
    }
    if (OZWToolBarManager* pManager = GetManager())
        pManager->SetSelectionOwner(nullptr);
    m_nSelected = -1;
    NotifyManager(OZWBAR_SELCHANGED);
}

BOOL OZWCustomToolBar::IsCopyModifier()
{
    return ::GetKeyState(VK_CONTROL) < 0;
}

BOOL OZWCustomToolBar::DragButton(int nIndex, int x, int y)
{
    OZWStdBtn* pButton = GetButton(nIndex);
    if (pButton == nullptr)
        return FALSE;
    return DragButtonTo(GetManager(), pButton, nIndex, x, y, this, this, IsCopyModifier());
}

BOOL OZWCustomToolBar::DragButtonTo(OZWToolBarManager* pManager, OZWStdBtn* pButton, int nSrcIndex, int x, int y,
                                    OZWCustomToolBar* pSrcBar, CWnd* pTrackWnd, BOOL bCopy)
{
    if (pButton == nullptr || !pButton->IsCustomizable() || pTrackWnd == nullptr)
        return TRUE;
    if (pSrcBar != nullptr)
        pSrcBar->SelectButton(nSrcIndex);
    else if (pManager != nullptr && pManager->GetSelectionOwner() != nullptr)
        pManager->GetSelectionOwner()->ClearSelection();

    // The button's rectangle follows the mouse; without a source bar the
    // button stands at the point where the drag starts.
    CRect rect = pButton->GetBtnRect();
    if (pSrcBar == nullptr)
        rect.SetRect(x, y, x + pButton->m_cx, y + pButton->m_cy);
    DragTracker tracker(&rect, bCopy);
    if (bCopy && DragCopyCursor() != nullptr)
        ::SetCursor(DragCopyCursor());
    if (!tracker.Track(CPoint(x, y), pTrackWnd))
        return TRUE;
    CRect rectScreen = tracker.m_rect;
    rectScreen.NormalizeRect();
    pTrackWnd->ClientToScreen(&rectScreen);
    return DropButtonAt(pManager, pButton, nSrcIndex, rectScreen, pSrcBar, bCopy);
}

BOOL OZWCustomToolBar::DropButtonAt(OZWToolBarManager* pManager, OZWStdBtn* pButton, int nSrcIndex,
                                    CRect rectScreen, OZWCustomToolBar* pSrcBar, BOOL bCopy)
{
    OZWCustomToolBar* pTarget = pManager != nullptr ? pManager->ToolBarUnderRect(&rectScreen) : nullptr;
    if (pTarget == nullptr) {
        const POINT corners[4] = {{rectScreen.left, rectScreen.top},
                                  {rectScreen.right - 1, rectScreen.top},
                                  {rectScreen.left, rectScreen.bottom - 1},
                                  {rectScreen.right - 1, rectScreen.bottom - 1}};
        for (const POINT& pt : corners) {
            if ((pTarget = ToolBarOfWindow(::WindowFromPoint(pt))) != nullptr)
                break;
        }
    }

    if (pTarget == nullptr) {
        // Over the customise dialog the button stays where it was.
        CRect rectDialog;
        if (pManager != nullptr)
            pManager->GetCustomizeDlgRect(&rectDialog);
        CRect rectCommon;
        if (pManager != nullptr && rectCommon.IntersectRect(&rectDialog, &rectScreen))
            return TRUE;
        if (bCopy) {
            // A copy on empty space: a new floating toolbar with it, placed
            // so that its button lies where the drop was.
            OZWCustomToolBar* pNew = pManager != nullptr ? pManager->CreateUserToolBar(nullptr) : nullptr;
            if (pNew == nullptr)
                return TRUE;
            BYTE nData = 0;
            BYTE* pData = nullptr;
            pButton->GetBtnData(nData, pData);
            std::unique_ptr<BYTE[]> data(pData);
            pNew->InsertButton(0, pButton->m_nID, pButton->IsSeparator(), TRUE);
            if (nData > 0)
                pNew->GetButton(0)->SetBtnData(nData, data.get());
            if (!(s_bAltDrag && pSrcBar != nullptr))
                pNew->SelectButton(0);
            CRect rectFrame(0, 0, 0, 0);
            ::AdjustWindowRectEx(&rectFrame, 0x80CC0000, FALSE, 0x180);
            CRect rectInside(0, 0, 0, 0);
            pNew->CalcInsideRect(rectInside, TRUE);
            const OZW_AUX_DATA* pSys = UXGetSysData();
            CPoint point = rectScreen.TopLeft();
            point.x += rectFrame.left - rectInside.left - pSys->cxBorder;
            point.y += rectFrame.top - rectInside.top - pSys->cyBorder;
            if (CFrameWnd* pFrame = pManager->GetFrameWnd())
                pFrame->FloatControlBar(pNew, point, CBRS_ALIGN_TOP);
            return TRUE;
        }
        if (pSrcBar == nullptr)
            return TRUE;
        // Moved off every toolbar: the button goes.
        pSrcBar->ClearSelection();
        return pSrcBar->RemoveButton(nSrcIndex, FALSE);
    }

    if (pSrcBar != nullptr && (pSrcBar->m_dwDropFlags & TBDROP_NOTOOTHERS) && pTarget != pSrcBar)
        return TRUE;
    if (pTarget->AcceptsDrop()) {
        CRect rect = rectScreen;
        pTarget->ScreenToClient(&rect);
        return pTarget->DropButton(&rect, pButton, bCopy, FALSE);
    }
    if (bCopy || pSrcBar == nullptr)
        return TRUE;
    pSrcBar->ClearSelection();
    return pSrcBar->RemoveButton(nSrcIndex, FALSE);
}

BOOL OZWCustomToolBar::DropButton(RECT* pRect, OZWStdBtn* pButton, BOOL bCopy, BOOL bNoSelect)
{
    if (pRect == nullptr || pButton == nullptr)
        return TRUE;
    // What is moved is taken before anything removes the dragged button.
    const UINT nID = pButton->m_nID;
    BYTE nData = 0;
    BYTE* pData = nullptr;
    if (!pButton->IsSeparator())
        pButton->GetBtnData(nData, pData);
    std::unique_ptr<BYTE[]> data(pData);

    ozwtb::DropInput input;
    input.buttons = GetLayout();
    CRect rectInside;
    GetClientRect(&rectInside);
    CalcInsideRect(rectInside, !m_bVertMode);
    input.rcInside = rectInside;
    input.rcDrop = *pRect;
    input.bCopy = bCopy;
    const OZWToolBarManager* pManager = GetManager();
    const OZWCustomToolBar* pOwner = pManager != nullptr ? pManager->GetSelectionOwner() : nullptr;
    input.nSelected = OwnsSelection() ? m_nSelected : -1;
    input.bOtherSelection = pOwner != nullptr && pOwner != this && pOwner->m_nSelected >= 0;
    input.metrics = GetMetrics();
    return CarryOutDrop(ozwtb::PlanDrop(input), nID, data.get(), nData, bNoSelect);
}

BOOL OZWCustomToolBar::CarryOutDrop(const std::vector<ozwtb::DropStep>& steps, UINT nID, const BYTE* pData,
                                    BYTE nData, BOOL bNoSelect)
{
    if (steps.empty())
        return TRUE;
    BOOL bResult = TRUE;
    int nInserted = -1;
    for (const ozwtb::DropStep& step : steps) {
        switch (step.kind) {
        case ozwtb::DropStep::removeHere:
            RemoveButton(step.nIndex, TRUE);
            break;
        case ozwtb::DropStep::removeOther: {
            OZWToolBarManager* pManager = GetManager();
            OZWCustomToolBar* pOwner = pManager != nullptr ? pManager->GetSelectionOwner() : nullptr;
            if (pOwner != nullptr && pOwner != this && pOwner->m_nSelected >= 0) {
                const int nSelected = pOwner->m_nSelected;
                // The source bar may go with its last button.
                bResult = pOwner->RemoveButton(nSelected, FALSE);
            }
            break;
        }
        case ozwtb::DropStep::insertSeparator:
            InsertButton(step.nIndex, 0, TRUE, TRUE);
            break;
        case ozwtb::DropStep::insertButton:
            InsertButton(step.nIndex, nID, FALSE, TRUE);
            nInserted = std::clamp(step.nIndex, 0, GetButtonCount() - 1);
            if (nData > 0 && pData != nullptr)
                GetButton(nInserted)->SetBtnData(nData, pData);
            break;
        }
    }
    RecalcFrameLayout();
    if (GetSafeHwnd() != nullptr) {
        Invalidate();
        UpdateWindow();
    }
    if (nInserted >= 0 && !s_bAltDrag && !bNoSelect)
        SelectButton(nInserted);
    return bResult;
}
