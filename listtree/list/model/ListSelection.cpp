// The list model's focus and selection: the selection rule for clicks and
// keys with Shift and Ctrl, the keyboard map and type-ahead search.
#include "listtree/list/model/ListModel.h"

#include <algorithm>
#include <cstring>

/////////////////////////////////////////////////////////////////////////////
// Focus and selection

void OZWListModel::SetFocusIndex(int nItem, BOOL bKeepAnchor)
{
    const int nOld = m_nFocusItem;
    if (nOld != nItem && nOld >= 0)
        SetItemState(nOld, 0, LVIS_FOCUSED);
    if (nItem >= 0)
        SetItemState(nItem, LVIS_FOCUSED, LVIS_FOCUSED);
    if (!bKeepAnchor)
        m_nAnchorItem = m_nFocusItem;
}

void OZWListModel::SetFocusAndSelect(int nItem, BOOL bSelect)
{
    const int nOld = m_nFocusItem;
    if (nOld != nItem && nOld >= 0)
        SetItemState(nOld, 0, LVIS_FOCUSED);
    if (!IsMultiSelect())
        DeselectAllExcept(nItem);
    if (nItem >= 0)
        SetItemState(nItem, LVIS_FOCUSED | (bSelect ? LVIS_SELECTED : 0), LVIS_FOCUSED | LVIS_SELECTED);
    m_nAnchorItem = m_nFocusItem;
}

void OZWListModel::SetFocusItem(int nItem)
{
    SetFocusIndex(nItem, FALSE);
}

void OZWListModel::DeselectAllExcept(int nItem)
{
    // A copy: every deselection takes its entry out of the array.
    const std::vector<int> selected = m_selection;
    for (auto it = selected.rbegin(); it != selected.rend(); ++it)
        if (*it != nItem)
            SetItemState(*it, 0, LVIS_SELECTED);
}

void OZWListModel::SelectRange(int nFirst, int nLast, BOOL bSelect)
{
    if (nFirst > nLast)
        std::swap(nFirst, nLast);
    nFirst = std::max(nFirst, 0);
    nLast = std::min(nLast, GetItemCount() - 1);
    for (int i = nFirst; i <= nLast; ++i)
        SetItemState(i, bSelect ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

BOOL OZWListModel::SelectItem(int nItem, BOOL bSelect)
{
    if (!IsValidItem(nItem))
        return FALSE;
    if (!IsMultiSelect())
        DeselectAllExcept(nItem);
    return SetItemState(nItem, bSelect ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

BOOL OZWListModel::IsItemSelected(int nItem)
{
    if (nItem == -1)
        return FALSE;
    return GetItemState(nItem, LVIS_SELECTED) != 0;
}

int OZWListModel::GetNextItem(int nStart, UINT nFlags)
{
    const UINT nState = nFlags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
    const UINT nDirection = nFlags & ~0xFu;
    BOOL bUp;
    if (nDirection == LVNI_ABOVE || nDirection == LVNI_TOLEFT)
        bUp = TRUE;
    else if (nDirection == 0 || nDirection == LVNI_BELOW || nDirection == LVNI_TORIGHT)
        bUp = FALSE;
    else
        return -1;
    const int nCount = GetItemCount();
    if (nState == 0) {
        if (bUp)
            return nStart < 1 ? -1 : std::min(nStart, nCount) - 1;
        return nStart >= nCount - 1 ? -1 : std::max(nStart, -1) + 1;
    }
    if (nState == LVNI_SELECTED && m_dwCallbackMask == 0) {
        // The selection array answers without walking the items.
        if (bUp) {
            const int nSlot = FindSelectionSlot(std::min(nStart, nCount));
            return nSlot > 0 ? m_selection[(size_t)nSlot - 1] : -1;
        }
        const int nSlot = FindSelectionSlot(std::max(nStart, -1) + 1);
        return nSlot < (int)m_selection.size() ? m_selection[(size_t)nSlot] : -1;
    }
    if (bUp) {
        for (int i = std::min(nStart, nCount) - 1; i >= 0; --i)
            if (GetItemState(i, nState) != 0)
                return i;
    } else {
        for (int i = std::max(nStart, -1) + 1; i < nCount; ++i)
            if (GetItemState(i, nState) != 0)
                return i;
    }
    return -1;
}

void OZWListModel::SetDropHilite(int nItem)
{
    const int nOld = m_nDropItem;
    if (nOld == nItem)
        return;
    if (nOld >= 0)
        SetItemState(nOld, 0, LVIS_DROPHILITED);
    if (nItem >= 0)
        SetItemState(nItem, LVIS_DROPHILITED, LVIS_DROPHILITED);
    else
        m_nDropItem = -1;
}

int OZWListModel::OnSelectionChanging(int, int, BOOL) { return 0; }
void OZWListModel::OnSelectionChanged(int, int, BOOL) {}
void OZWListModel::AfterSelectByInput(int, BOOL) {}

BOOL OZWListModel::SelectItemByInput(int nItem, UINT, UINT nKeys, BOOL bFromMouse)
{
    m_nClickMarker = -1;
    if (!IsValidItem(nItem))
        return FALSE;
    const int nOldFocus = m_nFocusItem;
    auto askVeto = [&]() {
        m_nSelectionVeto = OnSelectionChanging(nItem, nOldFocus, bFromMouse);
        return m_nSelectionVeto != 0;
    };
    if (IsMultiSelect() && (nKeys & (OZWKEY_SHIFT | OZWKEY_CONTROL))) {
        if (m_nSelectionVeto != 0)
            return TRUE;
        if ((nKeys & OZWKEY_CONTROL) && !(nKeys & OZWKEY_SHIFT)) {
            if (!bFromMouse) {
                const BOOL bWasFocus = nItem == m_nFocusItem;
                SetFocusIndex(nItem, TRUE);
                if (!bWasFocus)
                    return TRUE;
            }
            if (m_bClickPending)
                return TRUE;
            if (askVeto())
                return FALSE;
            SetFocusAndSelect(nItem, !IsInSelection(nItem));
        } else {
            const BOOL bAct = (!bFromMouse && nItem == m_nFocusItem) ||
                              (m_nAnchorItem >= 0 && nItem != m_nFocusItem);
            if (!bAct)
                return TRUE;
            if (askVeto())
                return FALSE;
            HideTip();
            const int nAnchor = m_nAnchorItem >= 0 ? m_nAnchorItem : nItem;
            DeselectAllExcept(-1);
            SelectRange(nAnchor, nItem, TRUE);
            SetFocusAndSelect(nItem, TRUE);
            m_nAnchorItem = nAnchor;
            RedrawItems(std::min(nAnchor, nItem), std::max(nAnchor, nItem));
        }
    } else {
        const BOOL bSelected = IsInSelection(nItem);
        if (nItem == m_nFocusItem && bSelected)
            return TRUE;
        // A press on one item of a multiple selection keeps the selection
        // (so that it can be dragged); button-up reduces it. Keys have no
        // button-up: they select at once.
        if (bFromMouse && bSelected && GetSelectedCount() > 1)
            return TRUE;
        if ((nKeys & OZWKEY_RBUTTON) && bSelected) {
            SetFocusIndex(nItem, TRUE);
        } else {
            if (askVeto())
                return FALSE;
            HideTip();
            DeselectAllExcept(nItem);
            SetFocusAndSelect(nItem, TRUE);
        }
    }
    OnSelectionChanged(nItem, nOldFocus, bFromMouse);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Keyboard

void OZWListModel::SelectByKey(int nItem, BOOL bShift, BOOL bCtrl, BOOL bMakeVisible)
{
    const UINT nKeys = (bShift ? OZWKEY_SHIFT : 0) | (bCtrl ? OZWKEY_CONTROL : 0);
    SelectItemByInput(nItem, 0, nKeys, FALSE);
    AfterSelectByInput(nItem, FALSE);
    if (bMakeVisible)
        EnsureVisible(nItem, FALSE);
}

BOOL OZWListModel::DispatchKey(UINT nChar, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags)
{
    const int nFocus = m_nFocusItem;
    const int nSubItem = GetColumnSubItem(m_nCurColumn);
    switch (nChar) {
    case VK_SPACE: OnKeySpace(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags); break;
    case VK_UP: OnKeyUp(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags); break;
    case VK_DOWN: OnKeyDown(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags); break;
    case VK_HOME: OnKeyHome(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags); break;
    case VK_END: OnKeyEnd(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags); break;
    case VK_PRIOR: OnKeyPageUp(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags); break;
    case VK_NEXT: OnKeyPageDown(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags); break;
    case VK_F2: OnKeyF2(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags); break;
    case VK_RETURN: OnKeyReturn(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags); break;
    case VK_TAB: PostToParent(WM_NEXTDLGCTL, bShift ? 1 : 0, 0); break;
    case VK_ESCAPE: PostToParent(WM_COMMAND, IDCANCEL, 0); break;
    case VK_LEFT:
    case VK_SUBTRACT:
    case VK_OEM_MINUS: OnKeyLeft(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags); break;
    case VK_RIGHT:
    case VK_ADD:
    case VK_OEM_PLUS: OnKeyRight(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags); break;
    case VK_MULTIPLY: OnKeyMultiply(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags); break;
    case VK_BACK: OnKeyBack(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags); break;
    default: return FALSE;
    }
    return TRUE;
}

void OZWListModel::OnKeySpace(int nFocus, int, BOOL bShift, BOOL bCtrl, UINT, UINT)
{
    if (IsValidItem(nFocus))
        SelectByKey(nFocus, bShift, bCtrl);
}

void OZWListModel::OnKeyUp(int nFocus, int, BOOL bShift, BOOL bCtrl, UINT, UINT)
{
    if (nFocus > 0 && nFocus - 1 < GetItemCount())
        SelectByKey(nFocus - 1, bShift, bCtrl);
}

void OZWListModel::OnKeyDown(int nFocus, int, BOOL bShift, BOOL bCtrl, UINT, UINT)
{
    if (nFocus < GetItemCount() - 1)
        SelectByKey(nFocus + 1, bShift, bCtrl);
}

void OZWListModel::OnKeyF2(int nFocus, int, BOOL, BOOL, UINT, UINT)
{
    if ((m_dwListStyle & OZWLS_EDITLABELS) && IsValidItem(nFocus))
        BeginLabelEdit(nFocus, m_nCurColumn);
}

void OZWListModel::OnKeyReturn(int, int, BOOL, BOOL, UINT, UINT)
{
    NotifyCode(NM_RETURN);
}

void OZWListModel::OnKeyHome(int, int, BOOL bShift, BOOL bCtrl, UINT, UINT)
{
    if (GetItemCount() == 0)
        return;
    if (m_dwScrollState & OZWSB_VERTSHOWN) {
        VScroll(SB_TOP);
        InvalidateList(FALSE);
    }
    SelectByKey(0, bShift, bCtrl, FALSE);
    InvalidateList(FALSE);
}

void OZWListModel::OnKeyEnd(int, int, BOOL bShift, BOOL bCtrl, UINT, UINT)
{
    if (GetItemCount() == 0)
        return;
    if (m_dwScrollState & OZWSB_VERTSHOWN) {
        VScroll(SB_BOTTOM);
        InvalidateList(FALSE);
    }
    SelectByKey(GetItemCount() - 1, bShift, bCtrl, FALSE);
    InvalidateList(FALSE);
}

void OZWListModel::OnKeyPageUp(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags)
{
    if (!(m_dwScrollState & OZWSB_VERTSHOWN)) {
        OnKeyHome(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        return;
    }
    if (GetItemCount() == 0)
        return;
    if (nFocus == m_nTopIndex)
        VScroll(SB_PAGEUP);
    SelectByKey(m_nTopIndex, bShift, bCtrl, FALSE);
    InvalidateList(FALSE);
}

void OZWListModel::OnKeyPageDown(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags)
{
    if (!(m_dwScrollState & OZWSB_VERTSHOWN)) {
        OnKeyEnd(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
        return;
    }
    if (GetItemCount() == 0)
        return;
    if (nFocus == GetLastFullyVisible())
        VScroll(SB_PAGEDOWN);
    const int nLast = std::clamp(GetLastFullyVisible(), m_nTopIndex, GetItemCount() - 1);
    SelectByKey(nLast, bShift, bCtrl, FALSE);
    InvalidateList(FALSE);
}

void OZWListModel::OnKeyLeft(int, int, BOOL, BOOL, UINT, UINT) {}
void OZWListModel::OnKeyBack(int, int, BOOL, BOOL, UINT, UINT) {}
void OZWListModel::OnKeyRight(int, int, BOOL, BOOL, UINT, UINT) {}
void OZWListModel::OnKeyMultiply(int, int, BOOL, BOOL, UINT, UINT) {}

/////////////////////////////////////////////////////////////////////////////
// Type-ahead search

namespace {

// Byte length of the UTF-8 character that starts with lead byte c.
int Utf8Length(unsigned char c)
{
    return c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
}

// Whether s ends in the middle of a UTF-8 character.
bool EndsIncomplete(const CString& s)
{
    const int n = s.GetLength();
    int i = n - 1;
    while (i >= 0 && ((unsigned char)s[i] & 0xC0) == 0x80)
        --i;
    if (i < 0)
        return false;
    return i + Utf8Length((unsigned char)s[i]) > n;
}

// The first character of s when s is that character repeated, else empty.
CString RepeatedChar(const CString& s)
{
    if (s.IsEmpty())
        return CString();
    const int n = Utf8Length((unsigned char)s[0]);
    if (s.GetLength() % n != 0)
        return CString();
    const CString first = s.Left(n);
    for (int i = n; i < s.GetLength(); i += n)
        if (s.Mid(i, n) != first)
            return CString();
    return first;
}

} // namespace

void OZWListModel::EnableTypeAhead(BOOL bOn)
{
    if (bOn)
        m_nTypeAheadFlags &= ~(UINT)OZWTA_OFF;
    else
        m_nTypeAheadFlags |= OZWTA_OFF;
}

BOOL OZWListModel::TypeAheadChar(UINT nChar)
{
    if ((m_nTypeAheadFlags & OZWTA_OFF) || nChar == 27 || nChar == 13 || nChar == 32 || GetItemCount() == 0)
        return FALSE;
    if (m_nTypeAheadFlags & OZWTA_FAILED) {
        m_nTypeAheadFlags |= OZWTA_ACTIVITY;
        return TRUE;
    }
    if (!(m_nTypeAheadFlags & OZWTA_RUNNING)) {
        m_nTypeAheadFlags |= OZWTA_RUNNING;
        m_strTypeAhead.Empty();
        StartTypeAheadTimer();
    }
    m_strTypeAhead.AppendChar((char)nChar);
    m_nTypeAheadFlags |= OZWTA_ACTIVITY;
    // A character arrives byte by byte: search once it is whole.
    if (EndsIncomplete(m_strTypeAhead))
        return TRUE;
    // The same character typed again moves on to the next item that starts
    // with it; anything else narrows the search from the focus item.
    CString search = RepeatedChar(m_strTypeAhead);
    const BOOL bStep = !search.IsEmpty();
    if (!bStep)
        search = m_strTypeAhead;
    search.MakeLower();
    const int nCount = GetItemCount();
    int nStart = m_nFocusItem;
    if (bStep)
        nStart = (m_nFocusItem < 0 || m_nFocusItem >= nCount - 1) ? 0 : m_nFocusItem + 1;
    nStart = std::clamp(nStart, 0, nCount - 1);
    int nFound = -1;
    for (int k = 0; k < nCount; ++k) {
        const int i = (nStart + k) % nCount;
        CString text = GetItemText(i, 0);
        text.MakeLower();
        if (std::strncmp(text, search, (size_t)search.GetLength()) == 0) {
            nFound = i;
            break;
        }
    }
    if (nFound >= 0) {
        SelectItemByInput(nFound, 0, 0, FALSE);
        AfterSelectByInput(nFound, FALSE);
        EnsureVisible(nFound, FALSE);
    } else {
        Beep();
        m_nTypeAheadFlags |= OZWTA_FAILED;
    }
    return TRUE;
}

void OZWListModel::TypeAheadTick()
{
    if ((m_nTypeAheadFlags & OZWTA_RUNNING) && (m_nTypeAheadFlags & OZWTA_ACTIVITY)) {
        m_nTypeAheadFlags &= ~(UINT)OZWTA_ACTIVITY;
        return;
    }
    KillTypeAheadTimer();
    // The switch that turns the search off is kept.
    m_nTypeAheadFlags &= ~(UINT)(OZWTA_RUNNING | OZWTA_ACTIVITY | OZWTA_FAILED);
    m_strTypeAhead.Empty();
}
