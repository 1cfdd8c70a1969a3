// The list model: construction, styles and colours, and the window hooks'
// model-only versions.
#include "listtree/list/model/ListModel.h"

OZWListModel::OZWListModel()
{
    m_pTextBuffer = new char[OZWLIST_TEXTBUFFER];
    m_pTextBuffer[0] = '\0';
    // The colours start from the system's, read once whatever the tracking.
    const BOOL bTrack = m_bTrackSysColors;
    m_bTrackSysColors = TRUE;
    ReadSysColors();
    m_bTrackSysColors = bTrack;
}

OZWListModel::~OZWListModel()
{
    for (OZWListItem* pItem : m_items)
        delete pItem;
    for (OZWListColumn* pColumn : m_columns)
        delete pColumn;
    delete[] m_pTextBuffer;
}

/////////////////////////////////////////////////////////////////////////////
// Styles

void OZWListModel::GetListStyles(DWORD& dwStyle, DWORD& dwStyleEx) const
{
    dwStyle = m_dwListStyle;
    dwStyleEx = m_dwListStyleEx;
}

void OZWListModel::SetListStyles(DWORD dwStyle, DWORD dwStyleEx)
{
    SetListStyle(dwStyle, FALSE);
    SetListStyleEx(dwStyleEx, TRUE);
}

BOOL OZWListModel::SetListStyle(DWORD dwStyle, BOOL bRedraw)
{
    // An open editor belongs to the old style: end it first.
    EndLabelEdit(TRUE);
    KillEditTimer();
    HideTip();
    const DWORD dwOld = m_dwListStyle;
    m_dwListStyle = dwStyle;
    if ((dwOld ^ dwStyle) & OZWLS_NOLABELWRAP)
        MarkAllForMeasure();
    if (bRedraw) {
        RecalcLayout();
        InvalidateList();
    }
    return TRUE;
}

BOOL OZWListModel::SetListStyleEx(DWORD dwStyleEx, BOOL bRedraw)
{
    EndLabelEdit(TRUE);
    HideTip();
    const BOOL bFillOn = (dwStyleEx & OZWLS_EX_LASTCOLFILLS) && !(m_dwListStyleEx & OZWLS_EX_LASTCOLFILLS);
    m_dwListStyleEx = dwStyleEx;
    if (bFillOn)
        FitLastColumn();
    if (bRedraw) {
        RecalcLayout();
        InvalidateList();
    }
    return TRUE;
}

BOOL OZWListModel::ModifyListStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    return SetListStyle((m_dwListStyle & ~dwRemove) | dwAdd, bRedraw);
}

BOOL OZWListModel::ModifyListStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    return SetListStyleEx((m_dwListStyleEx & ~dwRemove) | dwAdd, bRedraw);
}

BOOL OZWListModel::ModifyListStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwRemoveEx, DWORD dwAddEx,
                                    BOOL bRedraw)
{
    SetListStyle((m_dwListStyle & ~dwRemove) | dwAdd, FALSE);
    return SetListStyleEx((m_dwListStyleEx & ~dwRemoveEx) | dwAddEx, bRedraw);
}

void OZWListModel::SetLabelWrap(BOOL bOn)
{
    ModifyListStyle(bOn ? OZWLS_NOLABELWRAP : 0, bOn ? 0 : OZWLS_NOLABELWRAP, TRUE);
}

void OZWListModel::SetHeader(BOOL bShow, BOOL bPushButtons)
{
    DWORD dwStyle = m_dwListStyle & ~(OZWLS_NOCOLUMNHEADER | OZWLS_NOSORTHEADER);
    if (!bShow)
        dwStyle |= OZWLS_NOCOLUMNHEADER;
    if (!bPushButtons)
        dwStyle |= OZWLS_NOSORTHEADER;
    SetListStyle(dwStyle, TRUE);
}

void OZWListModel::SetMultiSelect(BOOL bOn)
{
    if (!bOn && GetSelectedCount() > 1)
        DeselectAllExcept(-1);
    ModifyListStyle(bOn ? OZWLS_SINGLESEL : 0, bOn ? 0 : OZWLS_SINGLESEL, TRUE);
}

void OZWListModel::SetHoverTips(BOOL bOn)
{
    if (bOn)
        m_dwListStyleEx |= OZWLS_EX_HOVERTIPS;
    else {
        m_dwListStyleEx &= ~OZWLS_EX_HOVERTIPS;
        HideTip();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Colours

void OZWListModel::ReadSysColors()
{
    if (!m_bTrackSysColors)
        return;
    m_crText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crTextBk = ::GetSysColor(COLOR_WINDOW);
    m_crSelText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_crSelBk = ::GetSysColor(COLOR_HIGHLIGHT);
    m_crGrayText = ::GetSysColor(COLOR_GRAYTEXT);
    m_crRowBk = ::GetSysColor(COLOR_WINDOW);
    m_crSelRowBk = ::GetSysColor(COLOR_WINDOW);
    m_crTipBk = ::GetSysColor(COLOR_INFOBK);
    m_crTipText = ::GetSysColor(COLOR_INFOTEXT);
    m_crBk = ::GetSysColor(COLOR_WINDOW);
}

COLORREF OZWListModel::GetSharedColor(int nWhich)
{
    switch (nWhich) {
    case sharedDisabledBk: return ::GetSysColor(COLOR_3DLIGHT);
    case sharedNoFocusSelText: return ::GetSysColor(COLOR_MENUTEXT);
    default: return ::GetSysColor(COLOR_BTNFACE);
    }
}

COLORREF OZWListModel::GetBkColor()
{
    return IsWindowEnabledState() ? m_crBk : GetSharedColor(sharedDisabledBk);
}

BOOL OZWListModel::SetBkColor(COLORREF cr)
{
    m_crBk = cr;
    m_crTextBk = cr;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Painting rules

void OZWListModel::ComputeTextColors(OZWListPaintContext* pCtx)
{
    const BOOL bSelected = (pCtx->m_item.state & LVIS_SELECTED) != 0;
    const BOOL bFullRow = (m_dwListStyleEx & OZWLS_EX_FULLROWSELECT) != 0;
    const BOOL bSubItem = pCtx->m_item.iSubItem != 0;
    const BOOL bGrayed = (pCtx->m_nRowFlags & OZWROW_GRAYED) != 0;
    const BOOL bFocusShown = IsWindowFocused() || IsEditorOpen();
    if (!IsWindowEnabledState()) {
        pCtx->m_crText = m_crGrayText;
        pCtx->m_crTextBk = GetSharedColor(sharedDisabledBk);
    } else if ((!bFocusShown && !(m_dwListStyle & OZWLS_SHOWSELALWAYS)) || !bSelected || (bSubItem && !bFullRow)) {
        pCtx->m_crText = bGrayed ? m_crGrayText : m_crText;
        pCtx->m_crTextBk = m_crTextBk;
    } else if (bFocusShown) {
        pCtx->m_crText = bGrayed ? m_crGrayText : m_crSelText;
        pCtx->m_crTextBk = m_crSelBk;
    } else {
        pCtx->m_crText = GetSharedColor(sharedNoFocusSelText);
        pCtx->m_crTextBk = GetSharedColor(sharedDisabledBk);
    }
    if ((pCtx->m_item.state & LVIS_DROPHILITED) && (!bSubItem || bFullRow)) {
        pCtx->m_crText = m_crSelText;
        pCtx->m_crTextBk = m_crSelBk;
    }
}

void OZWListModel::ComputeRowBackground(OZWListPaintContext* pCtx)
{
    if (!IsWindowEnabledState())
        pCtx->m_crRowBk = GetBkColor();
    else if ((pCtx->m_item.state & LVIS_SELECTED) && IsWindowFocused())
        pCtx->m_crRowBk = m_crSelRowBk;
    else
        pCtx->m_crRowBk = m_crRowBk;
}

void OZWListModel::SetCellFillColor(OZWListPaintContext* pCtx)
{
    pCtx->m_crCellFill = GetBkColor();
}

/////////////////////////////////////////////////////////////////////////////
// Window hooks: the model keeps only its own state

LRESULT OZWListModel::SendNotify(NMHDR*) { return 0; }
void OZWListModel::PostToParent(UINT, WPARAM, LPARAM) {}
void OZWListModel::GetInsideRect(RECT* pRect) { ::SetRectEmpty(pRect); }

void OZWListModel::MeasureRow(int nItem, BOOL)
{
    if (OZWListItem* pItem = GetItemRecord(nItem)) {
        if (pItem->m_nHeight < 0)
            pItem->m_nHeight = 0;
        pItem->m_bNeedsMeasure = FALSE;
    }
}

void OZWListModel::RedrawItem(int, BOOL, BOOL, BOOL, BOOL) {}
void OZWListModel::RedrawItems(int, int) {}
void OZWListModel::InvalidateList(BOOL) {}
void OZWListModel::HideTip() {}
void OZWListModel::KillEditTimer() { m_nEditTimer = 0; }
BOOL OZWListModel::BeginLabelEdit(int, int) { return FALSE; }
void OZWListModel::SetScrollBarPos(int, int) {}

void OZWListModel::ShowScrollBar(int nWhich, BOOL bShow, SCROLLINFO*)
{
    if (m_dwListStyle & OZWLS_NOSCROLL)
        bShow = FALSE;
    DWORD dwBits = 0;
    if (nWhich == SB_HORZ || nWhich == SB_BOTH)
        dwBits |= OZWSB_HORZSHOWN;
    if (nWhich == SB_VERT || nWhich == SB_BOTH)
        dwBits |= OZWSB_VERTSHOWN;
    if (bShow)
        m_dwScrollState |= dwBits;
    else
        m_dwScrollState &= ~dwBits;
}

void OZWListModel::LayoutScrollBars() {}
void OZWListModel::StartTypeAheadTimer() { m_nTypeAheadTimer = OZWTIMER_TYPEAHEAD; }
void OZWListModel::KillTypeAheadTimer() { m_nTypeAheadTimer = 0; }
void OZWListModel::Beep() {}
void OZWListModel::OnColumnInserted(int) {}
void OZWListModel::OnColumnDeleted(int) {}

void OZWListModel::OnSetDispInfo(LVITEMA*) {}
void OZWListModel::OnGetExState(LVITEMA*) {}
void OZWListModel::OnItemNotifyHook(int) {}
void OZWListModel::OnLabelChanged(int, int) {}
