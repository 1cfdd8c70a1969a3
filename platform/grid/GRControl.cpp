#include "platform/grid/GRControl.h"
#include "platform/grid/GRCore.h"

#include <algorithm>

/////////////////////////////////////////////////////////////////////////////
// Control classes

BOOL CGRControlClass::IsDerivedFrom(const CGRControlClass* pBase) const
{
    for (const CGRControlClass* p = this; p; p = p->m_pfnGetBaseClass ? p->m_pfnGetBaseClass() : nullptr)
        if (p == pBase)
            return TRUE;
    return FALSE;
}

const CGRControlClass CGRControl::ctrlCGRControl = { "CGRControl", &CGRControl::_GetControlBaseClass };

const CGRControlClass* CGRControl::GetControlClass() const
{
    return &ctrlCGRControl;
}

BOOL CGRControl::IsKindOf(const CGRControlClass* pClass) const
{
    return GetControlClass()->IsDerivedFrom(pClass);
}

IMPLEMENT_GRCONTROL(CGRStatic, CGRControl)
IMPLEMENT_GRCONTROL(CGRHeader, CGRControl)
IMPLEMENT_GRCONTROL(CGREditControl, CGRControl)
IMPLEMENT_GRCONTROL(CGRComboBox, CGRControl)
IMPLEMENT_GRCONTROL(CGRCheckBox, CGRControl)

/////////////////////////////////////////////////////////////////////////////
// CGRControl

CGRControl::CGRControl(CGRGridCore* pGrid) : m_pGrid(pGrid)
{
}

CGRControl::~CGRControl() = default;

void CGRControl::Init(ROWCOL nRow, ROWCOL nCol)
{
    m_nRow = nRow;
    m_nCol = nCol;
    m_bModified = FALSE;
    CGRStyle style = m_pGrid->LookupStyleRowCol(nRow, nCol);
    SetValue(style.GetValue());
}

void CGRControl::Detach()
{
    m_nRow = m_nCol = GR_INVALID;
    m_bActive = FALSE;
    m_bModified = FALSE;
}

void CGRControl::SetActive(BOOL bActive)
{
    m_bActive = bActive;
}

void CGRControl::SetValue(LPCTSTR lpszRawValue)
{
    SetCurrentText(CString(lpszRawValue));
}

BOOL CGRControl::GetValue(CString& strResult)
{
    GetCurrentText(strResult);
    return TRUE;
}

void CGRControl::GetCurrentText(CString& strResult)
{
    strResult = m_strText;
}

void CGRControl::SetCurrentText(const CString& str)
{
    m_strText = str;
}

BOOL CGRControl::OnValidate()
{
    return TRUE;
}

BOOL CGRControl::Store()
{
    if (!IsInit() || !m_pGrid)
        return FALSE;
    CString value;
    if (!GetValue(value))
        return FALSE;
    return m_pGrid->SetValueRange(CGRRange(m_nRow, m_nCol), value, grOverride, grDo, GR_INVALIDATE);
}

void CGRControl::Reset()
{
    if (!IsInit() || !m_pGrid)
        return;
    CGRStyle style = m_pGrid->LookupStyleRowCol(m_nRow, m_nCol);
    SetValue(style.GetValue());
    SetModify(FALSE);
}

void CGRControl::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGRStyle& style, const CGRStyle*)
{
    m_pGrid->DrawCell(pDC, nRow, nCol, rect, style);
}

BOOL CGRControl::LButtonDown(UINT, CPoint, UINT)
{
    return FALSE;
}

BOOL CGRControl::LButtonUp(UINT, CPoint, UINT)
{
    return FALSE;
}

BOOL CGRControl::LButtonDblClk(UINT, CPoint)
{
    return FALSE;
}

BOOL CGRControl::KeyPressed(UINT, UINT, UINT, UINT)
{
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// CGRHeader

void CGRHeader::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGRStyle& style, const CGRStyle*)
{
    m_pGrid->DrawCell(pDC, nRow, nCol, rect, style);
    if (m_pGrid->Param()->Get3dHeaders())
    {
        CRect rc = rect;
        ::DrawEdge(pDC->GetSafeHdc(), &rc, BDR_RAISEDINNER, BF_RECT);
    }
    // The column the rows are sorted by carries an arrow at the right of
    // its title: pointing up for ascending order, down for descending.
    const CGRData& d = m_pGrid->Param()->GetData();
    if (nRow == d.m_nHeaderRows && nCol > d.m_nHeaderCols && nCol == m_pGrid->Param()->GetLastSortedCol())
        DrawSortArrow(pDC->GetSafeHdc(), rect, m_pGrid->Param()->IsLastSortAscending(), style.GetTextColor());
}

CRect CGRHeader::SortArrowRect(const CRect& rectCell)
{
    // Four pixels high, seven wide, three pixels in from the cell's right
    // edge and centred down it.
    const int cx = 7, cy = 4;
    const int x = rectCell.right - 4 - cx, y = rectCell.top + (rectCell.Height() - cy) / 2;
    return CRect(x, y, x + cx, y + cy);
}

void CGRHeader::DrawSortArrow(HDC hdc, const CRect& rectCell, BOOL bAscending, COLORREF colour)
{
    const CRect r = SortArrowRect(rectCell);
    if (r.left <= rectCell.left + 2 || r.top < rectCell.top)
        return;
    const int mid = r.left + r.Width() / 2;
    POINT pts[3];
    if (bAscending)
    {
        pts[0] = { mid, r.top };
        pts[1] = { r.right - 1, r.bottom - 1 };
        pts[2] = { r.left, r.bottom - 1 };
    }
    else
    {
        pts[0] = { r.left, r.top };
        pts[1] = { r.right - 1, r.top };
        pts[2] = { mid, r.bottom - 1 };
    }
    HBRUSH hBrush = ::CreateSolidBrush(colour);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ hOldBrush = ::SelectObject(hdc, hBrush);
    HGDIOBJ hOldPen = ::SelectObject(hdc, hPen);
    ::Polygon(hdc, pts, 3);
    ::SelectObject(hdc, hOldPen);
    ::SelectObject(hdc, hOldBrush);
    ::DeleteObject(hPen);
    ::DeleteObject(hBrush);
}

/////////////////////////////////////////////////////////////////////////////
// In-place windows

// The edit window of an edit control: sends its keys to the grid first.
class CGREditWnd : public CWnd
{
public:
    explicit CGREditWnd(CGRControl* pControl) : m_pControl(pControl) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        CGRGridCore* pGrid = m_pControl->Grid();
        switch (message)
        {
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTTAB;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR:
            if (pGrid && pGrid->ProcessKeys(this, message, (UINT)wParam, LOWORD(lParam), HIWORD(lParam)))
                return 0;
            break;
        case WM_LBUTTONDOWN:
            // The second click of a double click on the cell whose first
            // click opened this editor belongs to the grid.
            if (pGrid && pGrid->GetGridHwnd())
            {
                POINT pt = { (short)LOWORD(lParam), (short)HIWORD(lParam) };
                ::MapWindowPoints(m_hWnd, pGrid->GetGridHwnd(), &pt, 1);
                if (pGrid->OnEditorButtonDown((UINT)wParam, CPoint(pt), (DWORD)::GetMessageTime()))
                    return 0;
            }
            break;
        }
        LRESULT r = CWnd::WindowProc(message, wParam, lParam);
        switch (message)
        {
        case WM_CHAR:
        case WM_KEYDOWN:
        case WM_PASTE:
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO:
            if (m_hWnd && m_pControl->IsActive() && !m_bNotified && ::SendMessageA(m_hWnd, EM_GETMODIFY, 0, 0))
            {
                m_bNotified = TRUE;
                m_pControl->SetModify(TRUE);
                if (pGrid && m_pControl->IsInit())
                    pGrid->OnModifyCell(m_pControl->GetRow(), m_pControl->GetCol());
            }
            break;
        }
        return r;
    }

    BOOL m_bNotified = FALSE;

private:
    CGRControl* m_pControl;
};

// A combo box window, and the edit inside an editable one, with the same key
// routing (a dropped-down list keeps its keys).
class CGRComboWnd : public CWnd
{
public:
    explicit CGRComboWnd(CGRControl* pControl) : m_pControl(pControl) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (RouteKey(this, m_hWnd, m_pControl, message, wParam, lParam))
            return 0;
        if (message == WM_GETDLGCODE)
            return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTTAB;
        return CWnd::WindowProc(message, wParam, lParam);
    }

    // TRUE when the grid took the key.
    static BOOL RouteKey(CWnd* pSender, HWND hCombo, CGRControl* pControl, UINT message, WPARAM wParam,
                         LPARAM lParam)
    {
        if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN && message != WM_CHAR)
            return FALSE;
        BOOL bDropped = hCombo && ::SendMessageA(hCombo, CB_GETDROPPEDSTATE, 0, 0);
        if (bDropped)
            return FALSE;
        if (message == WM_SYSKEYDOWN && (wParam == VK_DOWN || wParam == VK_UP))
            return FALSE;
        if (message == WM_KEYDOWN && wParam == VK_F4)
            return FALSE;
        CGRGridCore* pGrid = pControl->Grid();
        if (!pGrid)
            return FALSE;
        if (pGrid->ProcessKeys(pSender, message, (UINT)wParam, LOWORD(lParam), HIWORD(lParam)))
            return TRUE;
        if (message == WM_CHAR || message == WM_KEYDOWN)
            pControl->SetModify(TRUE);
        return FALSE;
    }

    CGRControl* m_pControl;
};

class CGRComboEditWnd : public CWnd
{
public:
    CGRComboEditWnd(CGRControl* pControl, HWND hCombo) : m_pControl(pControl), m_hCombo(hCombo) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (CGRComboWnd::RouteKey(this, m_hCombo, m_pControl, message, wParam, lParam))
            return 0;
        if (message == WM_GETDLGCODE)
            return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTTAB;
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    CGRControl* m_pControl;
    HWND m_hCombo;
};

namespace {
const UINT kInPlaceId = 0x4750;

// The cell's rectangle for an in-place window, the cell scrolled into view.
CRect InPlaceRect(CGRGridCore* pGrid, ROWCOL nRow, ROWCOL nCol)
{
    CRect rc = pGrid->CalcRectFromRowCol(nRow, nCol);
    if (rc.IsRectEmpty())
    {
        pGrid->ScrollCellInView(nRow, nCol, 0);
        rc = pGrid->CalcRectFromRowCol(nRow, nCol);
    }
    if (!rc.IsRectEmpty())
    {
        rc.right -= 1;
        rc.bottom -= 1;
    }
    return rc;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// CGRWindowControl

CGRWindowControl::~CGRWindowControl()
{
    if (m_pCtrlWnd)
    {
        if (m_pCtrlWnd->GetSafeHwnd())
            m_pCtrlWnd->DestroyWindow();
        delete m_pCtrlWnd;
    }
}

void CGRWindowControl::SetActive(BOOL bActive)
{
    BOOL bWasActive = m_bActive;
    if (!bActive)
    {
        if (HasWindow())
        {
            if (bWasActive)
                GetCurrentText(m_strText);
            HWND hWnd = m_pCtrlWnd->GetSafeHwnd();
            HWND hFocus = ::GetFocus();
            BOOL bHadFocus = hFocus == hWnd || ::IsChild(hWnd, hFocus);
            ::ShowWindow(hWnd, SW_HIDE);
            if (bHadFocus && m_pGrid->GetGridHwnd())
                ::SetFocus(m_pGrid->GetGridHwnd());
        }
        CGRControl::SetActive(FALSE);
        return;
    }
    CGRControl::SetActive(TRUE);
    if (!IsInit() || !CreateControlWindow())
        return;
    HWND hWnd = m_pCtrlWnd->GetSafeHwnd();
    CRect rc = InPlaceRect(m_pGrid, m_nRow, m_nCol);
    CGRStyle style = m_pGrid->LookupStyleRowCol(m_nRow, m_nCol);
    ::SendMessageA(hWnd, WM_SETFONT, (WPARAM)m_pGrid->GetStyleFont(style), FALSE);
    if (!rc.IsRectEmpty())
        rc = CalcWindowRect(rc, style);
    // The window takes its size before its text, so that the text is laid
    // out (and scrolled to the caret) in the room it will have.
    if (!rc.IsRectEmpty())
        ::SetWindowPos(hWnd, HWND_TOP, rc.left, rc.top, rc.Width(), rc.Height() + ExtraHeight(), SWP_NOACTIVATE);
    if (!bWasActive)
        LoadWindow();
    ::ShowWindow(hWnd, rc.IsRectEmpty() ? SW_HIDE : SW_SHOW);
}

BOOL CGRWindowControl::CreateInGrid(LPCTSTR lpszClass, DWORD dwStyle, UINT nID)
{
    if (HasWindow())
        return TRUE;
    HWND hGrid = m_pGrid ? m_pGrid->GetGridHwnd() : nullptr;
    if (!hGrid || !m_pCtrlWnd)
        return FALSE;
    CRect rc(0, 0, 0, 0);
    return m_pCtrlWnd->CreateEx(0, lpszClass, "", WS_CHILD | dwStyle, rc, CWnd::FromHandle(hGrid), nID);
}

void CGRWindowControl::Hide()
{
    if (HasWindow())
        m_pCtrlWnd->ShowWindow(SW_HIDE);
}

void CGRWindowControl::SetControlFocus()
{
    if (m_bActive && HasWindow() && m_pCtrlWnd->IsWindowVisible())
        m_pCtrlWnd->SetFocus();
}

void CGRWindowControl::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGRStyle& style,
                            const CGRStyle* pStandardStyle)
{
    if (m_bActive && IsInit(nRow, nCol) && HasWindow() && m_pCtrlWnd->IsWindowVisible())
    {
        // On screen the window shows the text; on paper the cell shows the
        // text being edited.
        CGRStyle shown = style;
        CString text;
        if (m_pGrid->IsPrinting())
            GetCurrentText(text);
        shown.SetValue(text);
        m_pGrid->DrawCell(pDC, nRow, nCol, rect, shown);
        return;
    }
    CGRControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

/////////////////////////////////////////////////////////////////////////////
// CGREditControl

CGREditWnd* CGREditControl::Edit() const
{
    return static_cast<CGREditWnd*>(m_pCtrlWnd);
}

DWORD CGREditControl::GetEditStyle() const
{
    return ES_AUTOHSCROLL;
}

BOOL CGREditControl::CreateControlWindow()
{
    if (!m_pCtrlWnd)
        m_pCtrlWnd = new CGREditWnd(this);
    return CreateInGrid("EDIT", GetEditStyle(), kInPlaceId);
}

// A single-line edit writes its line at the top of its window, from its
// left margin: the window starts where the cell's line starts, and the
// margins are the cell's text margins.
CRect CGREditControl::CalcWindowRect(const CRect& rectCell, const CGRStyle& style)
{
    CRect rc = rectCell;
    HWND hEdit = m_pCtrlWnd->GetSafeHwnd();
    HDC hdc = ::GetDC(hEdit);
    if (!hdc)
        return rc;
    HGDIOBJ hOld = ::SelectObject(hdc, (HFONT)::SendMessageA(hEdit, WM_GETFONT, 0, 0));
    TEXTMETRICA tm;
    BOOL bMetrics = ::GetTextMetricsA(hdc, &tm);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(hEdit, hdc);
    if (!bMetrics)
        return rc;
    // The cell rectangle less its grid lines: the text rectangle of the
    // whole cell, as the grid draws it.
    CRect rcText = CGRGridCore::CalcTextRect(CRect(rectCell.left, rectCell.top, rectCell.right + 1, rectCell.bottom + 1));
    rc.top = std::max((int)rectCell.top, CGRGridCore::CalcLineTop(rcText, style, tm.tmHeight));
    int left = std::max(0, (int)(rcText.left - rc.left)), right = std::max(0, (int)(rc.right - rcText.right));
    ::SendMessageA(hEdit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(left, right));
    return rc;
}

void CGREditControl::LoadWindow()
{
    HWND hEdit = m_pCtrlWnd->GetSafeHwnd();
    int nMax = m_pGrid->LookupStyleRowCol(m_nRow, m_nCol).GetMaxLength();
    ::SendMessageA(hEdit, EM_LIMITTEXT, nMax > 0 ? nMax : 0, 0);
    ::SetWindowTextA(hEdit, m_strText);
    ::SendMessageA(hEdit, EM_SETMODIFY, m_bModified, 0);
    Edit()->m_bNotified = m_bModified;
    int n = m_strText.GetLength();
    ::SendMessageA(hEdit, EM_SETSEL, n, n);
}

void CGREditControl::GetCurrentText(CString& strResult)
{
    if (m_bActive && HasWindow())
        m_pCtrlWnd->GetWindowText(strResult);
    else
        strResult = m_strText;
}

void CGREditControl::SetCurrentText(const CString& str)
{
    m_strText = str;
    if (m_bActive && HasWindow())
    {
        BOOL bModified = GetModify();
        m_pCtrlWnd->SetWindowText(str);
        ::SendMessageA(m_pCtrlWnd->GetSafeHwnd(), EM_SETMODIFY, bModified, 0);
        SetSel(str.GetLength(), str.GetLength());
    }
}

BOOL CGREditControl::GetModify() const
{
    if (m_bModified)
        return TRUE;
    return m_bActive && HasWindow() && ::SendMessageA(m_pCtrlWnd->GetSafeHwnd(), EM_GETMODIFY, 0, 0) != 0;
}

void CGREditControl::SetModify(BOOL bModified)
{
    m_bModified = bModified;
    if (HasWindow())
    {
        ::SendMessageA(m_pCtrlWnd->GetSafeHwnd(), EM_SETMODIFY, bModified, 0);
        Edit()->m_bNotified = bModified;
    }
}

void CGREditControl::SetSel(int nStart, int nEnd)
{
    if (HasWindow())
        ::SendMessageA(m_pCtrlWnd->GetSafeHwnd(), EM_SETSEL, nStart, nEnd);
}

/////////////////////////////////////////////////////////////////////////////
// CGRComboBox

CGRComboBox::CGRComboBox(CGRGridCore* pGrid, BOOL bDropDownList)
    : CGRWindowControl(pGrid), m_bDropDownList(bDropDownList)
{
}

BOOL CGRComboBox::CreateControlWindow()
{
    if (HasWindow())
        return TRUE;
    if (!m_pCtrlWnd)
        m_pCtrlWnd = new CGRComboWnd(this);
    DWORD style = WS_VSCROLL | CBS_AUTOHSCROLL | (m_bDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
    if (!CreateInGrid("COMBOBOX", style, kInPlaceId + 1))
        return FALSE;
    if (!m_bDropDownList)
    {
        HWND hEdit = ::GetWindow(m_pCtrlWnd->GetSafeHwnd(), GW_CHILD);
        if (hEdit)
        {
            CGRComboEditWnd* pEdit = new CGRComboEditWnd(this, m_pCtrlWnd->GetSafeHwnd());
            if (!pEdit->SubclassWindow(hEdit))
                delete pEdit;
            else
                m_pEditWndKeeper.reset(pEdit);
        }
    }
    return TRUE;
}

std::vector<CString> CGRComboBox::Choices() const
{
    std::vector<CString> items;
    CString choices = m_pGrid->LookupStyleRowCol(m_nRow, m_nCol).GetChoiceList();
    int start = 0;
    while (start < choices.GetLength())
    {
        int end = choices.Find('\n', start);
        CString item = end < 0 ? choices.Mid(start) : choices.Mid(start, end - start);
        item.TrimRight("\r");
        items.push_back(item);
        if (end < 0)
            break;
        start = end + 1;
    }
    return items;
}

void CGRComboBox::LoadWindow()
{
    HWND hCombo = m_pCtrlWnd->GetSafeHwnd();
    ::SendMessageA(hCombo, CB_RESETCONTENT, 0, 0);
    for (const CString& item : Choices())
        ::SendMessageA(hCombo, CB_ADDSTRING, 0, (LPARAM)item.GetString());
    BOOL bModified = m_bModified;
    SetCurrentText(m_strText);
    m_bModified = bModified;
}

void CGRComboBox::GetCurrentText(CString& strResult)
{
    if (m_bActive && HasWindow())
    {
        HWND hCombo = m_pCtrlWnd->GetSafeHwnd();
        int sel = (int)::SendMessageA(hCombo, CB_GETCURSEL, 0, 0);
        if (m_bDropDownList && sel >= 0)
        {
            int n = (int)::SendMessageA(hCombo, CB_GETLBTEXTLEN, sel, 0);
            CString s;
            ::SendMessageA(hCombo, CB_GETLBTEXT, sel, (LPARAM)s.GetBuffer(n + 1));
            s.ReleaseBuffer();
            strResult = s;
        }
        else
            m_pCtrlWnd->GetWindowText(strResult);
    }
    else
        strResult = m_strText;
}

void CGRComboBox::SetCurrentText(const CString& str)
{
    m_strText = str;
    if (m_bActive && HasWindow())
    {
        HWND hCombo = m_pCtrlWnd->GetSafeHwnd();
        int idx = (int)::SendMessageA(hCombo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)str.GetString());
        ::SendMessageA(hCombo, CB_SETCURSEL, idx, 0);
        if (!m_bDropDownList)
            ::SetWindowTextA(hCombo, str);
    }
}

BOOL CGRComboBox::OnValidate()
{
    if (!m_bDropDownList)
        return TRUE;
    // A drop-down list accepts its entries and the empty text only.
    CString text;
    GetCurrentText(text);
    if (text.IsEmpty())
        return TRUE;
    for (const CString& item : Choices())
        if (item == text)
            return TRUE;
    return FALSE;
}

BOOL CGRComboBox::IsDroppedDown() const
{
    return HasWindow() && ::SendMessageA(m_pCtrlWnd->GetSafeHwnd(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

BOOL CGRComboBox::KeyPressed(UINT nMessage, UINT nChar, UINT, UINT)
{
    // F4 and Alt+Down open the list of the current cell.
    if (nMessage == WM_KEYDOWN && (nChar == VK_F4 || (nChar == VK_DOWN && ::GetKeyState(VK_MENU) < 0)))
    {
        if (!m_bActive && !m_pGrid->ActivateCurrentCell())
            return FALSE;
        if (HasWindow())
            ::SendMessageA(m_pCtrlWnd->GetSafeHwnd(), CB_SHOWDROPDOWN, TRUE, 0);
        return TRUE;
    }
    return FALSE;
}

void CGRComboBox::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGRStyle& style,
                       const CGRStyle* pStandardStyle)
{
    CGRWindowControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
    // The drop-down button of the current cell while the list is closed.
    if (m_pGrid->IsCurrentCell(nRow, nCol) && !style.GetReadOnly() && !(m_bActive && IsInit(nRow, nCol)) &&
        !m_pGrid->IsPrinting())
    {
        int w = std::min(16, (int)rect.Height() - 2);
        CRect rcButton(rect.right - 1 - w, rect.top + 1, rect.right - 1, rect.bottom - 1);
        ::DrawFrameControl(pDC->GetSafeHdc(), &rcButton, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    }
}

/////////////////////////////////////////////////////////////////////////////
// CGRCheckBox

CRect CGRCheckBox::BoxRect(const CRect& rectCell, const CGRStyle& style)
{
    const int n = 13;
    int x;
    switch (style.GetHorizontalAlignment())
    {
    case DT_CENTER: x = rectCell.left + (rectCell.Width() - n) / 2; break;
    case DT_RIGHT: x = rectCell.right - n - 4; break;
    default: x = rectCell.left + 3; break;
    }
    int y = rectCell.top + (rectCell.Height() - n) / 2;
    return CRect(x, y, x + n, y + n);
}

void CGRCheckBox::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGRStyle& style, const CGRStyle*)
{
    CGRStyle noText = style;
    noText.SetValue("");
    m_pGrid->DrawCell(pDC, nRow, nCol, rect, noText);
    CRect box = BoxRect(rect, style);
    UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (style.GetValue() == "1")
        state |= DFCS_CHECKED;
    if (style.GetReadOnly() || !style.GetEnabled())
        state |= DFCS_INACTIVE;
    ::DrawFrameControl(pDC->GetSafeHdc(), &box, DFC_BUTTON, state);
}

BOOL CGRCheckBox::Toggle(ROWCOL nRow, ROWCOL nCol)
{
    CGRStyle style = m_pGrid->LookupStyleRowCol(nRow, nCol);
    if (style.GetReadOnly() || !style.GetEnabled())
        return FALSE;
    CString value = style.GetValue() == "1" ? "0" : "1";
    if (!m_pGrid->SetValueRange(CGRRange(nRow, nCol), value, grOverride, grDo, GR_INVALIDATE))
        return FALSE;
    m_pGrid->OnModifyCell(nRow, nCol);
    return TRUE;
}

BOOL CGRCheckBox::LButtonUp(UINT, CPoint pt, UINT)
{
    if (!IsInit())
        return FALSE;
    CRect rc = m_pGrid->CalcRectFromRowCol(m_nRow, m_nCol);
    CGRStyle style = m_pGrid->LookupStyleRowCol(m_nRow, m_nCol);
    if (!BoxRect(rc, style).PtInRect(pt))
        return FALSE;
    Toggle(m_nRow, m_nCol);
    return TRUE;
}

BOOL CGRCheckBox::KeyPressed(UINT nMessage, UINT nChar, UINT, UINT)
{
    if (!IsInit())
        return FALSE;
    if (nMessage == WM_KEYDOWN && nChar == VK_SPACE)
        return TRUE;
    if (nMessage == WM_CHAR && nChar == ' ')
    {
        Toggle(m_nRow, m_nCol);
        return TRUE;
    }
    return FALSE;
}
