// The tree's keyboard and mouse: collapse or go to the parent, expand or go
// to the first child, expand all; the button and single-expand clicks,
// double clicks that toggle, expanding a hovered drop target, and the
// characters that do not start a search.
#include "listtree/tree/view/TreeBaseV.h"

/////////////////////////////////////////////////////////////////////////////
// Keys

void OZWTreeBaseV::OnKeyLeft(int nFocus, int, BOOL, BOOL, UINT, UINT)
{
    OZWTreeItemNode* pNode = NodeOfRow(nFocus);
    if (pNode == nullptr)
        return;
    if (pNode->IsExpanded() && HasButton(pNode)) {
        Expand(HandleOf(pNode), TVE_COLLAPSE, TRUE);
        HideTip();
        return;
    }
    OZWTreeItemNode* pParent = pNode->Parent();
    if (pParent != nullptr && pParent != m_pRoot) {
        DeselectAllExcept(-1);
        Select(HandleOf(pParent), TVGN_CARET);
        HideTip();
    }
}

void OZWTreeBaseV::OnKeyBack(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags)
{
    OnKeyLeft(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
}

void OZWTreeBaseV::OnKeyRight(int nFocus, int, BOOL, BOOL, UINT, UINT)
{
    OZWTreeItemNode* pNode = NodeOfRow(nFocus);
    if (pNode == nullptr)
        return;
    if (pNode->IsExpanded() && pNode->GetFirstChild() != nullptr) {
        for (OZWTreeItemNode* p = pNode->FirstChild(); p != nullptr; p = p->NextSibling()) {
            if (!(p->m_nItemFlags & OZWTIF_HIDDEN)) {
                DeselectAllExcept(-1);
                Select(HandleOf(p), TVGN_CARET);
                break;
            }
        }
    } else if (!pNode->IsExpanded() && HasButton(pNode)) {
        Expand(HandleOf(pNode), TVE_EXPAND, TRUE);
    }
    HideTip();
}

void OZWTreeBaseV::OnKeyMultiply(int nFocus, int, BOOL, BOOL, UINT, UINT)
{
    if (OZWTreeItemNode* pNode = NodeOfRow(nFocus))
        ExpandAll(HandleOf(pNode));
}

void OZWTreeBaseV::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // The expand and collapse keys do not start a search.
    if (nChar == '-' || nChar == '_' || nChar == '=' || nChar == '+' || nChar == '*')
        return;
    OZWListView::OnChar(nChar, nRepCnt, nFlags);
}

/////////////////////////////////////////////////////////////////////////////
// Mouse

void OZWTreeBaseV::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (::GetFocus() != m_hWnd)
        ::SetFocus(m_hWnd);
    UINT nHit = 0;
    HTREEITEM hHit = HitTest(point, &nHit);
    OZWTreeItemNode* pOldFocus = NodeOfRow(m_nFocusItem);
    if ((m_dwTreeStyle & TVS_SINGLEEXPAND) && pOldFocus != nullptr && hHit != nullptr) {
        OZWListView::OnLButtonDown(nFlags, point);
        OZWTreeItemNode* pFocus = NodeOfRow(m_nFocusItem);
        if (pFocus != NodeOf(hHit))
            return;
        if (pFocus != pOldFocus) {
            if (pOldFocus->IsExpanded() && !pOldFocus->IsAncestorOf(pFocus))
                Expand(HandleOf(pOldFocus), TVE_COLLAPSE, TRUE);
            Expand(hHit, TVE_EXPAND, TRUE);
        } else {
            Expand(hHit, TVE_TOGGLE, TRUE);
        }
        return;
    }
    if (hHit != nullptr && (nHit & TVHT_ONITEMBUTTON)) {
        Expand(hHit, TVE_TOGGLE, TRUE);
        return;
    }
    OZWListView::OnLButtonDown(nFlags, point);
}

void OZWTreeBaseV::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OZWListView::OnLButtonDblClk(nFlags, point);
    if (m_lLastNotifyResult != 0)
        return;
    UINT nHit = 0;
    HTREEITEM hHit = HitTest(point, &nHit);
    if (nFlags & (MK_SHIFT | MK_CONTROL))
        return;
    if (hHit != nullptr && (nHit & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMBUTTON)))
        Expand(hHit, TVE_TOGGLE, TRUE);
    if (m_pTip->m_hWnd != nullptr && ::IsWindowVisible(m_pTip->m_hWnd))
        HideTip();
}

/////////////////////////////////////////////////////////////////////////////
// Drop target and hover-expand

BOOL OZWTreeBaseV::SelectDropTarget(HTREEITEM hItem, BOOL bEnsureVisible)
{
    if (hItem == nullptr) {
        OZWTreeCore::SelectDropTarget(nullptr, FALSE);
        StopTimer(m_nHoverTimer, OZWTIMER_HOVEREXPAND);
        return TRUE;
    }
    const int nBefore = GetDropHilite();
    if (!OZWTreeCore::SelectDropTarget(hItem, bEnsureVisible))
        return FALSE;
    // Hovering a while over a collapsed target expands it.
    if ((m_dwTreeStyleEx & 0x2000000) && GetDropHilite() != nBefore && m_hWnd != nullptr) {
        StopTimer(m_nHoverTimer, OZWTIMER_HOVEREXPAND);
        m_nHoverTimer = SetTimer(OZWTIMER_HOVEREXPAND, (UINT)m_nHoverDelay, nullptr);
    }
    return TRUE;
}

void OZWTreeBaseV::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == OZWTIMER_HOVEREXPAND && m_nHoverTimer != 0) {
        StopTimer(m_nHoverTimer, OZWTIMER_HOVEREXPAND);
        OZWTreeItemNode* pDrop = NodeOfRow(GetDropHilite());
        if ((m_dwTreeStyleEx & 0x2000000) && pDrop != nullptr && !pDrop->IsExpanded()) {
            Expand(HandleOf(pDrop), TVE_EXPAND, TRUE);
            UpdateWindow();
        }
    }
    OZWListView::OnTimer(nIDEvent);
}

void OZWTreeBaseV::OnDestroy()
{
    StopTimer(m_nHoverTimer, OZWTIMER_HOVEREXPAND);
    DeleteItem(TVI_ROOT);
    OZWListView::OnDestroy();
}
