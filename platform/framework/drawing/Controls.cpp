// Control wrappers: each member sends the control's own message.
#include "platform/framework/drawing/Controls.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

namespace {

LRESULT Send(const CWnd* pWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return ::SendMessage(pWnd->m_hWnd, message, wParam, lParam);
}

template<class T> LPARAM LP(T value) { return (LPARAM)(value); }

// Reads a text of known length (len < 0: none) through fill(buffer, size).
template<class F> void ReadText(CString& rString, int len, F fill)
{
    rString.Empty();
    if (len <= 0)
        return;
    LPSTR buf = rString.GetBuffer(len + 1);
    int n = fill(buf, len + 1);
    rString.ReleaseBuffer(std::clamp(n, 0, len));
}

// The reflected WM_DRAWITEM of a control that draws itself, through DrawItem.
template<class C>
bool ReflectDrawItem(C* pCtrl, UINT message, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return false;
    pCtrl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult) *pResult = TRUE;
    return true;
}

// The owner-draw reflections a list or combo box answers through its virtuals.
template<class C>
BOOL ReflectOwnerDraw(C* pCtrl, UINT message, LPARAM lParam, LRESULT* pResult, bool& handled)
{
    handled = true;
    if (ReflectDrawItem(pCtrl, message, lParam, pResult))
        return TRUE;
    switch (message) {
    case WM_MEASUREITEM:
        pCtrl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        if (pResult) *pResult = TRUE;
        return TRUE;
    case WM_COMPAREITEM: {
        int r = pCtrl->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        if (pResult) *pResult = r;
        return TRUE;
    }
    case WM_DELETEITEM:
        pCtrl->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        if (pResult) *pResult = TRUE;
        return TRUE;
    default:
        handled = false;
        return FALSE;
    }
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CStatic

// The window, if still there, goes with the object (see ~CWnd).
CStatic::~CStatic() = default;

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

HICON CStatic::SetIcon(HICON hIcon) { return (HICON)Send(this, STM_SETICON, (WPARAM)hIcon); }
HICON CStatic::GetIcon() const { return (HICON)Send(this, STM_GETICON); }
HBITMAP CStatic::SetBitmap(HBITMAP h) { return (HBITMAP)Send(this, STM_SETIMAGE, IMAGE_BITMAP, LP(h)); }
HBITMAP CStatic::GetBitmap() const { return (HBITMAP)Send(this, STM_GETIMAGE, IMAGE_BITMAP); }
HCURSOR CStatic::SetCursor(HCURSOR h) { return (HCURSOR)Send(this, STM_SETIMAGE, IMAGE_CURSOR, LP(h)); }
HCURSOR CStatic::GetCursor() { return (HCURSOR)Send(this, STM_GETIMAGE, IMAGE_CURSOR); }
HENHMETAFILE CStatic::SetEnhMetaFile(HENHMETAFILE h) { return (HENHMETAFILE)Send(this, STM_SETIMAGE, IMAGE_ENHMETAFILE, LP(h)); }
HENHMETAFILE CStatic::GetEnhMetaFile() const { return (HENHMETAFILE)Send(this, STM_GETIMAGE, IMAGE_ENHMETAFILE); }

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectDrawItem(this, message, lParam, pResult)
        || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

/////////////////////////////////////////////////////////////////////////////
// CButton

CButton::~CButton() = default;

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

UINT CButton::GetState() const { return (UINT)Send(this, BM_GETSTATE); }
void CButton::SetState(BOOL bHighlight) { Send(this, BM_SETSTATE, bHighlight); }
int CButton::GetCheck() const { return (int)Send(this, BM_GETCHECK); }
void CButton::SetCheck(int nCheck) { Send(this, BM_SETCHECK, nCheck); }
UINT CButton::GetButtonStyle() const { return (UINT)::GetWindowLong(m_hWnd, GWL_STYLE) & 0xFFFF; }
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) { Send(this, BM_SETSTYLE, nStyle, bRedraw); }
HICON CButton::SetIcon(HICON h) { return (HICON)Send(this, BM_SETIMAGE, IMAGE_ICON, LP(h)); }
HICON CButton::GetIcon() const { return (HICON)Send(this, BM_GETIMAGE, IMAGE_ICON); }
HBITMAP CButton::SetBitmap(HBITMAP h) { return (HBITMAP)Send(this, BM_SETIMAGE, IMAGE_BITMAP, LP(h)); }
HBITMAP CButton::GetBitmap() const { return (HBITMAP)Send(this, BM_GETIMAGE, IMAGE_BITMAP); }
HCURSOR CButton::SetCursor(HCURSOR h) { return (HCURSOR)Send(this, BM_SETIMAGE, IMAGE_CURSOR, LP(h)); }
HCURSOR CButton::GetCursor() { return (HCURSOR)Send(this, BM_GETIMAGE, IMAGE_CURSOR); }

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectDrawItem(this, message, lParam, pResult)
        || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

/////////////////////////////////////////////////////////////////////////////
// CEdit

CEdit::~CEdit() = default;

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CEdit::CanUndo() const { return (BOOL)Send(this, EM_CANUNDO); }
int CEdit::GetLineCount() const { return (int)Send(this, EM_GETLINECOUNT); }
BOOL CEdit::GetModify() const { return (BOOL)Send(this, EM_GETMODIFY); }
void CEdit::SetModify(BOOL bModified) { Send(this, EM_SETMODIFY, bModified); }
void CEdit::GetRect(LPRECT lpRect) const { Send(this, EM_GETRECT, 0, LP(lpRect)); }
DWORD CEdit::GetSel() const { return (DWORD)Send(this, EM_GETSEL); }

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0, end = 0;
    Send(this, EM_GETSEL, (WPARAM)&start, LP(&end));
    nStartChar = (int)start;
    nEndChar = (int)end;
}

HLOCAL CEdit::GetHandle() const { return (HLOCAL)Send(this, EM_GETHANDLE); }
void CEdit::SetHandle(HLOCAL hBuffer) { Send(this, EM_SETHANDLE, (WPARAM)hBuffer); }
void CEdit::SetMargins(UINT nLeft, UINT nRight) { Send(this, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(nLeft, nRight)); }
DWORD CEdit::GetMargins() const { return (DWORD)Send(this, EM_GETMARGINS); }
void CEdit::SetLimitText(UINT nMax) { Send(this, EM_SETLIMITTEXT, nMax); }
UINT CEdit::GetLimitText() const { return (UINT)Send(this, EM_GETLIMITTEXT); }

CPoint CEdit::PosFromChar(UINT nChar) const
{
    return CPoint((LPARAM)(DWORD)Send(this, EM_POSFROMCHAR, nChar));
}

int CEdit::CharFromPos(CPoint pt) const
{
    return (int)(DWORD)Send(this, EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y));
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    // The control reads the buffer size from the buffer's first word.
    if (lpszBuffer == nullptr || nMaxLength < (int)sizeof(WORD))
        return 0;
    *reinterpret_cast<LPWORD>(lpszBuffer) = (WORD)std::min(nMaxLength, 0xFFFF);
    return (int)Send(this, EM_GETLINE, nIndex, LP(lpszBuffer));
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer) const
{
    return (int)Send(this, EM_GETLINE, nIndex, LP(lpszBuffer));
}

TCHAR CEdit::GetPasswordChar() const { return (TCHAR)Send(this, EM_GETPASSWORDCHAR); }
int CEdit::GetFirstVisibleLine() const { return (int)Send(this, EM_GETFIRSTVISIBLELINE); }
void CEdit::EmptyUndoBuffer() { Send(this, EM_EMPTYUNDOBUFFER); }
BOOL CEdit::FmtLines(BOOL bAddEOL) { return (BOOL)Send(this, EM_FMTLINES, bAddEOL); }
void CEdit::LimitText(int nChars) { Send(this, EM_LIMITTEXT, nChars); }
int CEdit::LineFromChar(int nIndex) const { return (int)Send(this, EM_LINEFROMCHAR, nIndex); }
int CEdit::LineIndex(int nLine) const { return (int)Send(this, EM_LINEINDEX, nLine); }
int CEdit::LineLength(int nLine) const { return (int)Send(this, EM_LINELENGTH, nLine); }
void CEdit::LineScroll(int nLines, int nChars) { Send(this, EM_LINESCROLL, nChars, nLines); }
void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) { Send(this, EM_REPLACESEL, bCanUndo, LP(lpszNewText)); }
void CEdit::SetPasswordChar(TCHAR ch) { Send(this, EM_SETPASSWORDCHAR, (BYTE)ch); }
void CEdit::SetRect(LPCRECT lpRect) { Send(this, EM_SETRECT, 0, LP(lpRect)); }
void CEdit::SetRectNP(LPCRECT lpRect) { Send(this, EM_SETRECTNP, 0, LP(lpRect)); }
void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    Send(this, EM_SETSEL, LOWORD(dwSelection), HIWORD(dwSelection));
    if (!bNoScroll)
        Send(this, EM_SCROLLCARET);
}
void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    Send(this, EM_SETSEL, nStartChar, nEndChar);
    if (!bNoScroll)
        Send(this, EM_SCROLLCARET);
}
BOOL CEdit::SetTabStops(int nTabStops, LPINT rgTabStops) { return (BOOL)Send(this, EM_SETTABSTOPS, nTabStops, LP(rgTabStops)); }
void CEdit::SetTabStops() { Send(this, EM_SETTABSTOPS, 0, 0); }
BOOL CEdit::SetTabStops(const int& cxEachStop) { return (BOOL)Send(this, EM_SETTABSTOPS, 1, LP(&cxEachStop)); }
BOOL CEdit::Undo() { return (BOOL)Send(this, EM_UNDO); }
void CEdit::Clear() { Send(this, WM_CLEAR); }
void CEdit::Copy() { Send(this, WM_COPY); }
void CEdit::Cut() { Send(this, WM_CUT); }
void CEdit::Paste() { Send(this, WM_PASTE); }
BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return (BOOL)Send(this, EM_SETREADONLY, bReadOnly); }

/////////////////////////////////////////////////////////////////////////////
// CListBox

CListBox::~CListBox() = default;

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListBox::GetCount() const { return (int)Send(this, LB_GETCOUNT); }
int CListBox::GetHorizontalExtent() const { return (int)Send(this, LB_GETHORIZONTALEXTENT); }
void CListBox::SetHorizontalExtent(int cx) { Send(this, LB_SETHORIZONTALEXTENT, cx); }
int CListBox::GetTopIndex() const { return (int)Send(this, LB_GETTOPINDEX); }
int CListBox::SetTopIndex(int n) { return (int)Send(this, LB_SETTOPINDEX, n); }
LCID CListBox::GetLocale() const { return (LCID)Send(this, LB_GETLOCALE); }
LCID CListBox::SetLocale(LCID n) { return (LCID)Send(this, LB_SETLOCALE, n); }
int CListBox::InitStorage(int nItems, UINT nBytes) { return (int)Send(this, LB_INITSTORAGE, nItems, nBytes); }

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    DWORD r = (DWORD)Send(this, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = HIWORD(r) != 0;
    return LOWORD(r);
}

int CListBox::GetCurSel() const { return (int)Send(this, LB_GETCURSEL); }
int CListBox::SetCurSel(int n) { return (int)Send(this, LB_SETCURSEL, n); }
int CListBox::GetSel(int n) const { return (int)Send(this, LB_GETSEL, n); }
int CListBox::SetSel(int n, BOOL bSelect) { return (int)Send(this, LB_SETSEL, bSelect, n); }
int CListBox::GetSelCount() const { return (int)Send(this, LB_GETSELCOUNT); }
int CListBox::GetSelItems(int nMaxItems, LPINT rgIndex) const { return (int)Send(this, LB_GETSELITEMS, nMaxItems, LP(rgIndex)); }
void CListBox::SetAnchorIndex(int n) { Send(this, LB_SETANCHORINDEX, n); }
int CListBox::GetAnchorIndex() const { return (int)Send(this, LB_GETANCHORINDEX); }

int CListBox::SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem)
{
    return (int)Send(this, LB_SELITEMRANGEEX, bSelect ? nFirstItem : nLastItem,
                     bSelect ? nLastItem : nFirstItem);
}

DWORD_PTR CListBox::GetItemData(int n) const { return (DWORD_PTR)Send(this, LB_GETITEMDATA, n); }
int CListBox::SetItemData(int n, DWORD_PTR d) { return (int)Send(this, LB_SETITEMDATA, n, (LPARAM)d); }
void* CListBox::GetItemDataPtr(int n) const { return (void*)GetItemData(n); }
int CListBox::SetItemDataPtr(int n, void* p) { return SetItemData(n, (DWORD_PTR)p); }
int CListBox::GetItemRect(int n, LPRECT lpRect) const { return (int)Send(this, LB_GETITEMRECT, n, LP(lpRect)); }
int CListBox::GetText(int n, LPTSTR lpszBuffer) const { return (int)Send(this, LB_GETTEXT, n, LP(lpszBuffer)); }

void CListBox::GetText(int n, CString& rString) const
{
    ReadText(rString, GetTextLen(n), [&](LPSTR buf, int) { return GetText(n, buf); });
}

int CListBox::GetTextLen(int n) const { return (int)Send(this, LB_GETTEXTLEN, n); }
void CListBox::SetColumnWidth(int cx) { Send(this, LB_SETCOLUMNWIDTH, cx); }
BOOL CListBox::SetTabStops(int n, LPINT rg) { return (BOOL)Send(this, LB_SETTABSTOPS, n, LP(rg)); }
void CListBox::SetTabStops() { Send(this, LB_SETTABSTOPS, 0, 0); }
BOOL CListBox::SetTabStops(const int& cx) { return (BOOL)Send(this, LB_SETTABSTOPS, 1, LP(&cx)); }
int CListBox::SetItemHeight(int n, UINT cy) { return (int)Send(this, LB_SETITEMHEIGHT, n, MAKELPARAM(cy, 0)); }
int CListBox::GetItemHeight(int n) const { return (int)Send(this, LB_GETITEMHEIGHT, n); }
int CListBox::FindStringExact(int nStart, LPCTSTR s) const { return (int)Send(this, LB_FINDSTRINGEXACT, nStart, LP(s)); }
int CListBox::GetCaretIndex() const { return (int)Send(this, LB_GETCARETINDEX); }
int CListBox::SetCaretIndex(int n, BOOL bScroll) { return (int)Send(this, LB_SETCARETINDEX, n, MAKELPARAM(bScroll, 0)); }
int CListBox::AddString(LPCTSTR s) { return (int)Send(this, LB_ADDSTRING, 0, LP(s)); }
int CListBox::DeleteString(UINT n) { return (int)Send(this, LB_DELETESTRING, n); }
int CListBox::InsertString(int n, LPCTSTR s) { return (int)Send(this, LB_INSERTSTRING, n, LP(s)); }
void CListBox::ResetContent() { Send(this, LB_RESETCONTENT); }
int CListBox::Dir(UINT attr, LPCTSTR w) { return (int)Send(this, LB_DIR, attr, LP(w)); }
int CListBox::FindString(int nStartAfter, LPCTSTR s) const { return (int)Send(this, LB_FINDSTRING, nStartAfter, LP(s)); }
int CListBox::SelectString(int nStartAfter, LPCTSTR s) { return (int)Send(this, LB_SELECTSTRING, nStartAfter, LP(s)); }

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}
int CListBox::VKeyToItem(UINT, UINT) { return -1; }
int CListBox::CharToItem(UINT, UINT) { return -1; }

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    bool handled = false;
    BOOL r = ReflectOwnerDraw(this, message, lParam, pResult, handled);
    if (handled)
        return r;
    switch (message) {
    case WM_VKEYTOITEM:
        r = VKeyToItem(LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_CHARTOITEM:
        r = CharToItem(LOWORD(wParam), HIWORD(wParam));
        break;
    default:
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
    if (pResult) *pResult = r;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CCheckListBox

struct CCheckListBox::ItemState
{
    int check = 0;
    BOOL enabled = TRUE;
    DWORD_PTR userData = 0;
};

CCheckListBox::~CCheckListBox()
{
    // Destroyed here, while the list still answers as a check list, so that
    // the deletion notices carry the callers' item data.
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    FreeAllStates();
}

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if ((dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) == 0)
        dwStyle |= LBS_OWNERDRAWFIXED;
    dwStyle |= LBS_HASSTRINGS;
    if (!CListBox::Create(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SetItemHeightFromFont();
    return TRUE;
}

void CCheckListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    // A list made from a template was measured before this object saw it.
    if (m_hWnd != nullptr && (GetStyle() & LBS_OWNERDRAWFIXED) != 0)
        SetItemHeightFromFont();
}

void CCheckListBox::SetCheckStyle(UINT nStyle)
{
    ASSERT(nStyle == BS_CHECKBOX || nStyle == BS_AUTOCHECKBOX || nStyle == BS_AUTO3STATE || nStyle == BS_3STATE);
    m_nStyle = nStyle;
}

CCheckListBox::ItemState* CCheckListBox::StateOf(int nIndex) const
{
    if (m_hWnd == nullptr)
        return nullptr;
    LRESULT raw = const_cast<CCheckListBox*>(this)->DefWindowProc(LB_GETITEMDATA, nIndex, 0);
    auto* p = reinterpret_cast<ItemState*>(raw);
    if (raw == LB_ERR || p == nullptr || m_states.count(p) == 0)
        return nullptr;
    return p;
}

void CCheckListBox::AttachState(int nIndex, DWORD_PTR dwUserData)
{
    auto* p = new ItemState;
    p->userData = dwUserData;
    if (DefWindowProc(LB_SETITEMDATA, nIndex, reinterpret_cast<LPARAM>(p)) == LB_ERR) {
        delete p;
        return;
    }
    m_states.insert(p);
}

void CCheckListBox::FreeState(int nIndex)
{
    if (ItemState* p = StateOf(nIndex)) {
        m_states.erase(p);
        delete p;
    }
}

void CCheckListBox::FreeAllStates()
{
    for (ItemState* p : m_states)
        delete p;
    m_states.clear();
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    ItemState* p = StateOf(nIndex);
    if (p == nullptr)
        return;
    p->check = nCheck;
    InvalidateItem(nIndex);
}

void CCheckListBox::InvalidateItem(int nIndex)
{
    CRect r;
    if (GetItemRect(nIndex, r) != LB_ERR)
        InvalidateRect(r, FALSE);
}

int CCheckListBox::GetCheck(int nIndex) const
{
    ItemState* p = StateOf(nIndex);
    return p != nullptr ? p->check : 0;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    ItemState* p = StateOf(nIndex);
    if (p == nullptr)
        return;
    p->enabled = bEnabled;
    InvalidateItem(nIndex);
}

BOOL CCheckListBox::IsEnabled(int nIndex) const
{
    ItemState* p = StateOf(nIndex);
    return p != nullptr ? p->enabled : FALSE;
}

CSize CCheckListBox::CheckBoxSize() const
{
    return CSize(13, 13);
}

CRect CCheckListBox::OnGetCheckPosition(CRect rectItem, CRect rectCheckBox)
{
    CRect r = rectCheckBox;
    int cy = rectCheckBox.Height();
    r.left = rectItem.left + 1;
    r.right = r.left + rectCheckBox.Width();
    r.top = rectItem.top + (rectItem.Height() - cy) / 2;
    r.bottom = r.top + cy;
    return r;
}

CRect CCheckListBox::CheckRectOf(int nIndex)
{
    CRect item;
    if (GetItemRect(nIndex, item) == LB_ERR)
        return CRect();
    CSize box = CheckBoxSize();
    return OnGetCheckPosition(item, CRect(0, 0, box.cx, box.cy));
}

void CCheckListBox::SetItemHeightFromFont()
{
    CClientDC dc(this);
    CFont* pFont = GetFont();
    CFont* pOld = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
    TEXTMETRIC tm = {};
    dc.GetTextMetrics(&tm);
    if (pOld != nullptr)
        dc.SelectObject(pOld);
    int cy = std::max<int>(tm.tmHeight, CheckBoxSize().cy + 2);
    SetItemHeight(0, cy);
}

int CCheckListBox::CycleCheck(int nCheck) const
{
    if (m_nStyle == BS_AUTO3STATE)
        return (nCheck + 1) % 3;
    return nCheck == 0 ? 1 : 0;
}

void CCheckListBox::ToggleByUser(int nIndex)
{
    ItemState* p = StateOf(nIndex);
    if (p == nullptr || !p->enabled)
        return;
    // Automatic styles change the check themselves; the others leave it to the parent.
    if (m_nStyle == BS_AUTOCHECKBOX || m_nStyle == BS_AUTO3STATE)
        SetCheck(nIndex, CycleCheck(p->check));
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE),
                             reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rcItem(lpDIS->rcItem);
    if ((int)lpDIS->itemID < 0) {
        if (lpDIS->itemState & ODS_FOCUS)
            pDC->DrawFocusRect(rcItem);
        return;
    }
    int index = (int)lpDIS->itemID;
    ItemState* p = StateOf(index);
    int check = p != nullptr ? p->check : 0;
    BOOL enabled = p != nullptr ? p->enabled : TRUE;

    CSize box = CheckBoxSize();
    CRect rcCheck = OnGetCheckPosition(rcItem, CRect(0, 0, box.cx, box.cy));
    pDC->FillSolidRect(CRect(rcItem.left, rcItem.top, rcCheck.right + 2, rcItem.bottom),
                       ::GetSysColor(COLOR_WINDOW));
    UINT state = DFCS_BUTTONCHECK;
    if (check == 1)
        state |= DFCS_CHECKED;
    else if (check == 2)
        state = DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (!enabled || (GetStyle() & WS_DISABLED) != 0)
        state |= DFCS_INACTIVE;
    pDC->DrawFrameControl(rcCheck, DFC_BUTTON, state);

    CRect rcText(rcCheck.right + 2, rcItem.top, rcItem.right, rcItem.bottom);
    bool selected = (lpDIS->itemState & ODS_SELECTED) != 0;
    pDC->FillSolidRect(rcText, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    COLORREF text = !enabled ? ::GetSysColor(COLOR_GRAYTEXT)
                  : selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : ::GetSysColor(COLOR_WINDOWTEXT);
    COLORREF oldText = pDC->SetTextColor(text);
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    CString s;
    GetText(index, s);
    CRect rcLabel = rcText;
    rcLabel.left += 2;
    pDC->DrawText(s, rcLabel, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldText);
    if (lpDIS->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(rcText);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    lpMIS->itemHeight = std::max<UINT>(lpMIS->itemHeight, (UINT)CheckBoxSize().cy + 2);
}

void CCheckListBox::DeleteItem(LPDELETEITEMSTRUCT lpDIS)
{
    CListBox::DeleteItem(lpDIS);
}

BOOL CCheckListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DELETEITEM) {
        // The list holds this object's state record; the deleting code sees
        // the caller's own item data.
        DELETEITEMSTRUCT dis = *reinterpret_cast<LPDELETEITEMSTRUCT>(lParam);
        auto* p = reinterpret_cast<ItemState*>(dis.itemData);
        if (p != nullptr && m_states.count(p) != 0)
            dis.itemData = p->userData;
        DeleteItem(&dis);
        if (pResult) *pResult = TRUE;
        return TRUE;
    }
    return CListBox::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        LRESULT r = CListBox::WindowProc(message, wParam, lParam);
        if (r >= 0)
            AttachState((int)r, 0);
        return r;
    }
    case LB_DIR:
    case LB_ADDFILE: {
        LRESULT r = CListBox::WindowProc(message, wParam, lParam);
        int count = (int)DefWindowProc(LB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i)
            if (StateOf(i) == nullptr)
                AttachState(i, 0);
        return r;
    }
    case LB_SETITEMDATA: {
        int first = (int)wParam, last = (int)wParam;
        if ((int)wParam == -1) {
            first = 0;
            last = (int)DefWindowProc(LB_GETCOUNT, 0, 0) - 1;
        }
        for (int i = first; i <= last; ++i) {
            ItemState* p = StateOf(i);
            if (p == nullptr)
                return LB_ERR;
            p->userData = (DWORD_PTR)lParam;
        }
        return 0;
    }
    case LB_GETITEMDATA: {
        ItemState* p = StateOf((int)wParam);
        return p != nullptr ? (LRESULT)p->userData : LB_ERR;
    }
    case LB_DELETESTRING: {
        ItemState* p = StateOf((int)wParam);
        LRESULT r = CListBox::WindowProc(message, wParam, lParam);
        if (r != LB_ERR && p != nullptr) {
            m_states.erase(p);
            delete p;
        }
        return r;
    }
    case LB_RESETCONTENT: {
        LRESULT r = CListBox::WindowProc(message, wParam, lParam);
        FreeAllStates();
        return r;
    }
    case WM_SETFONT: {
        LRESULT r = CListBox::WindowProc(message, wParam, lParam);
        if ((GetStyle() & LBS_OWNERDRAWFIXED) != 0)
            SetItemHeightFromFont();
        return r;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
        BOOL outside = TRUE;
        int index = (int)ItemFromPoint(pt, outside);
        if (!outside && CheckRectOf(index).PtInRect(pt))
            ToggleByUser(index);
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            int index = GetCaretIndex();
            if (index >= 0)
                ToggleByUser(index);
            return 0;
        }
        break;
    case WM_NCDESTROY: {
        LRESULT r = CListBox::WindowProc(message, wParam, lParam);
        FreeAllStates();
        return r;
    }
    default:
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

/////////////////////////////////////////////////////////////////////////////
// CComboBox

CComboBox::~CComboBox() = default;

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::GetCount() const { return (int)Send(this, CB_GETCOUNT); }
int CComboBox::GetCurSel() const { return (int)Send(this, CB_GETCURSEL); }
int CComboBox::SetCurSel(int n) { return (int)Send(this, CB_SETCURSEL, n); }
LCID CComboBox::GetLocale() const { return (LCID)Send(this, CB_GETLOCALE); }
LCID CComboBox::SetLocale(LCID n) { return (LCID)Send(this, CB_SETLOCALE, n); }
int CComboBox::GetTopIndex() const { return (int)Send(this, CB_GETTOPINDEX); }
int CComboBox::SetTopIndex(int n) { return (int)Send(this, CB_SETTOPINDEX, n); }
int CComboBox::InitStorage(int nItems, UINT nBytes) { return (int)Send(this, CB_INITSTORAGE, nItems, nBytes); }
void CComboBox::SetHorizontalExtent(UINT n) { Send(this, CB_SETHORIZONTALEXTENT, n); }
UINT CComboBox::GetHorizontalExtent() const { return (UINT)Send(this, CB_GETHORIZONTALEXTENT); }
int CComboBox::SetDroppedWidth(UINT n) { return (int)Send(this, CB_SETDROPPEDWIDTH, n); }
int CComboBox::GetDroppedWidth() const { return (int)Send(this, CB_GETDROPPEDWIDTH); }
BOOL CComboBox::GetComboBoxInfo(PCOMBOBOXINFO pcbi) const { return ::GetComboBoxInfo(m_hWnd, pcbi); }
DWORD CComboBox::GetEditSel() const { return (DWORD)Send(this, CB_GETEDITSEL); }
BOOL CComboBox::LimitText(int n) { return (BOOL)Send(this, CB_LIMITTEXT, n); }
BOOL CComboBox::SetEditSel(int s, int e) { return (BOOL)Send(this, CB_SETEDITSEL, 0, MAKELPARAM(s, e)); }
DWORD_PTR CComboBox::GetItemData(int n) const { return (DWORD_PTR)Send(this, CB_GETITEMDATA, n); }
int CComboBox::SetItemData(int n, DWORD_PTR d) { return (int)Send(this, CB_SETITEMDATA, n, (LPARAM)d); }
void* CComboBox::GetItemDataPtr(int n) const { return (void*)GetItemData(n); }
int CComboBox::SetItemDataPtr(int n, void* p) { return SetItemData(n, (DWORD_PTR)p); }
int CComboBox::GetLBText(int n, LPTSTR s) const { return (int)Send(this, CB_GETLBTEXT, n, LP(s)); }

void CComboBox::GetLBText(int n, CString& rString) const
{
    ReadText(rString, GetLBTextLen(n), [&](LPSTR buf, int) { return GetLBText(n, buf); });
}

int CComboBox::GetLBTextLen(int n) const { return (int)Send(this, CB_GETLBTEXTLEN, n); }
int CComboBox::SetItemHeight(int n, UINT cy) { return (int)Send(this, CB_SETITEMHEIGHT, n, MAKELPARAM(cy, 0)); }
int CComboBox::GetItemHeight(int n) const { return (int)Send(this, CB_GETITEMHEIGHT, n); }
int CComboBox::FindStringExact(int nStart, LPCTSTR s) const { return (int)Send(this, CB_FINDSTRINGEXACT, nStart, LP(s)); }
int CComboBox::SetExtendedUI(BOOL b) { return (int)Send(this, CB_SETEXTENDEDUI, b); }
BOOL CComboBox::GetExtendedUI() const { return (BOOL)Send(this, CB_GETEXTENDEDUI); }
void CComboBox::GetDroppedControlRect(LPRECT r) const { Send(this, CB_GETDROPPEDCONTROLRECT, 0, LP(r)); }
BOOL CComboBox::GetDroppedState() const { return (BOOL)Send(this, CB_GETDROPPEDSTATE); }
void CComboBox::ShowDropDown(BOOL b) { Send(this, CB_SHOWDROPDOWN, b); }
int CComboBox::AddString(LPCTSTR s) { return (int)Send(this, CB_ADDSTRING, 0, LP(s)); }
int CComboBox::DeleteString(UINT n) { return (int)Send(this, CB_DELETESTRING, n); }
int CComboBox::InsertString(int n, LPCTSTR s) { return (int)Send(this, CB_INSERTSTRING, n, LP(s)); }
void CComboBox::ResetContent() { Send(this, CB_RESETCONTENT); }
int CComboBox::Dir(UINT attr, LPCTSTR w) { return (int)Send(this, CB_DIR, attr, LP(w)); }
int CComboBox::FindString(int nStartAfter, LPCTSTR s) const { return (int)Send(this, CB_FINDSTRING, nStartAfter, LP(s)); }
int CComboBox::SelectString(int nStartAfter, LPCTSTR s) { return (int)Send(this, CB_SELECTSTRING, nStartAfter, LP(s)); }
void CComboBox::Clear() { Send(this, WM_CLEAR); }
void CComboBox::Copy() { Send(this, WM_COPY); }
void CComboBox::Cut() { Send(this, WM_CUT); }
void CComboBox::Paste() { Send(this, WM_PASTE); }

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    bool handled = false;
    BOOL r = ReflectOwnerDraw(this, message, lParam, pResult, handled);
    return handled ? r : CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

/////////////////////////////////////////////////////////////////////////////
// CScrollBar

CScrollBar::~CScrollBar() = default;

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("SCROLLBAR", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw) { return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw); }
void CScrollBar::GetScrollRange(LPINT lpMin, LPINT lpMax) const { ::GetScrollRange(m_hWnd, SB_CTL, lpMin, lpMax); }
void CScrollBar::SetScrollRange(int nMin, int nMax, BOOL bRedraw) { ::SetScrollRange(m_hWnd, SB_CTL, nMin, nMax, bRedraw); }
void CScrollBar::ShowScrollBar(BOOL bShow) { ::ShowScrollBar(m_hWnd, SB_CTL, bShow); }
BOOL CScrollBar::EnableScrollBar(UINT nArrowFlags) { return ::EnableScrollBar(m_hWnd, SB_CTL, nArrowFlags); }
BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpsi, BOOL bRedraw)
{
    lpsi->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, SB_CTL, lpsi, bRedraw);
    return TRUE;
}
BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpsi, UINT nMask)
{
    lpsi->cbSize = sizeof(SCROLLINFO);
    lpsi->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, lpsi);
}

int CScrollBar::GetScrollLimit()
{
    SCROLLINFO si = {};
    if (!GetScrollInfo(&si, SIF_RANGE | SIF_PAGE))
        return 0;
    int limit = si.nMax - std::max<int>((int)si.nPage - 1, 0);
    return std::max(limit, si.nMin);
}

/////////////////////////////////////////////////////////////////////////////
// CProgressCtrl

CProgressCtrl::~CProgressCtrl() = default;

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(PROGRESS_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::SetRange(short nLower, short nUpper) { Send(this, PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
void CProgressCtrl::SetRange32(int nLower, int nUpper) { Send(this, PBM_SETRANGE32, (WPARAM)nLower, nUpper); }

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE range = {};
    Send(this, PBM_GETRANGE, FALSE, LP(&range));
    nLower = range.iLow;
    nUpper = range.iHigh;
}

int CProgressCtrl::GetPos() const { return (int)Send(this, PBM_GETPOS); }
int CProgressCtrl::OffsetPos(int n) { return (int)Send(this, PBM_DELTAPOS, n); }
int CProgressCtrl::SetPos(int n) { return (int)Send(this, PBM_SETPOS, n); }
int CProgressCtrl::SetStep(int n) { return (int)Send(this, PBM_SETSTEP, n); }
int CProgressCtrl::StepIt() { return (int)Send(this, PBM_STEPIT); }
COLORREF CProgressCtrl::SetBarColor(COLORREF c) { return (COLORREF)Send(this, PBM_SETBARCOLOR, 0, c); }
COLORREF CProgressCtrl::SetBkColor(COLORREF c) { return (COLORREF)Send(this, PBM_SETBKCOLOR, 0, c); }

/////////////////////////////////////////////////////////////////////////////
// CTabCtrl

CTabCtrl::~CTabCtrl() = default;

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_TABCONTROL, nullptr, dwStyle, rect, pParentWnd, nID);
}

CImageList* CTabCtrl::GetImageList() const
{
    return CImageList::FromHandle((HIMAGELIST)Send(this, TCM_GETIMAGELIST));
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle((HIMAGELIST)Send(this, TCM_SETIMAGELIST, 0, LP(pImageList->GetSafeHandle())));
}

int CTabCtrl::GetItemCount() const { return (int)Send(this, TCM_GETITEMCOUNT); }
BOOL CTabCtrl::GetItem(int n, TCITEM* p) const { return (BOOL)Send(this, TCM_GETITEM, n, LP(p)); }
BOOL CTabCtrl::SetItem(int n, TCITEM* p) { return (BOOL)Send(this, TCM_SETITEM, n, LP(p)); }
BOOL CTabCtrl::SetItemExtra(int nBytes) { return (BOOL)Send(this, TCM_SETITEMEXTRA, nBytes); }
BOOL CTabCtrl::GetItemRect(int n, LPRECT r) const { return (BOOL)Send(this, TCM_GETITEMRECT, n, LP(r)); }
int CTabCtrl::GetCurSel() const { return (int)Send(this, TCM_GETCURSEL); }
int CTabCtrl::SetCurSel(int n) { return (int)Send(this, TCM_SETCURSEL, n); }
void CTabCtrl::SetCurFocus(int n) { Send(this, TCM_SETCURFOCUS, n); }
int CTabCtrl::GetCurFocus() const { return (int)Send(this, TCM_GETCURFOCUS); }

CSize CTabCtrl::SetItemSize(CSize size)
{
    DWORD r = (DWORD)Send(this, TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
    return CSize(LOWORD(r), HIWORD(r));
}

void CTabCtrl::SetPadding(CSize size) { Send(this, TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
int CTabCtrl::GetRowCount() const { return (int)Send(this, TCM_GETROWCOUNT); }

CToolTipCtrl* CTabCtrl::GetToolTips() const
{
    return static_cast<CToolTipCtrl*>(CWnd::FromHandle((HWND)Send(this, TCM_GETTOOLTIPS)));
}

void CTabCtrl::SetToolTips(CToolTipCtrl* pWndTip) { Send(this, TCM_SETTOOLTIPS, (WPARAM)pWndTip->GetSafeHwnd()); }
int CTabCtrl::SetMinTabWidth(int cx) { return (int)Send(this, TCM_SETMINTABWIDTH, 0, cx); }
DWORD CTabCtrl::GetExtendedStyle() const { return (DWORD)Send(this, TCM_GETEXTENDEDSTYLE); }
DWORD CTabCtrl::SetExtendedStyle(DWORD s, DWORD m) { return (DWORD)Send(this, TCM_SETEXTENDEDSTYLE, m, s); }

DWORD CTabCtrl::GetItemState(int nItem, DWORD dwMask) const
{
    TCITEM item = {};
    item.mask = TCIF_STATE;
    item.dwStateMask = dwMask;
    Send(this, TCM_GETITEM, nItem, LP(&item));
    return item.dwState;
}

BOOL CTabCtrl::SetItemState(int nItem, DWORD dwMask, DWORD dwState)
{
    TCITEM item = {};
    item.mask = TCIF_STATE;
    item.dwState = dwState;
    item.dwStateMask = dwMask;
    return (BOOL)Send(this, TCM_SETITEM, nItem, LP(&item));
}

LONG CTabCtrl::InsertItem(int nItem, TCITEM* p) { return (LONG)Send(this, TCM_INSERTITEM, nItem, LP(p)); }

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0);
}

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0);
}

LONG CTabCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam)
{
    TCITEM item = {};
    item.mask = nMask;
    item.pszText = const_cast<LPTSTR>(lpszItem);
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(nItem, &item);
}

BOOL CTabCtrl::DeleteItem(int n) { return (BOOL)Send(this, TCM_DELETEITEM, n); }
BOOL CTabCtrl::DeleteAllItems() { return (BOOL)Send(this, TCM_DELETEALLITEMS); }
void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT r) { Send(this, TCM_ADJUSTRECT, bLarger, LP(r)); }
void CTabCtrl::RemoveImage(int n) { Send(this, TCM_REMOVEIMAGE, n); }
int CTabCtrl::HitTest(TCHITTESTINFO* p) const { return (int)Send(this, TCM_HITTEST, 0, LP(p)); }
void CTabCtrl::DeselectAll(BOOL fExcludeFocus) { Send(this, TCM_DESELECTALL, fExcludeFocus); }
BOOL CTabCtrl::HighlightItem(int idItem, BOOL f) { return (BOOL)Send(this, TCM_HIGHLIGHTITEM, idItem, MAKELPARAM(f, 0)); }

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectDrawItem(this, message, lParam, pResult)
        || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

/////////////////////////////////////////////////////////////////////////////
// CToolTipCtrl

CToolTipCtrl::~CToolTipCtrl() = default;

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    return CreateEx(pParentWnd, dwStyle, 0);
}

BOOL CToolTipCtrl::CreateEx(CWnd* pParentWnd, DWORD dwStyle, DWORD dwStyleEx)
{
    BOOL ok = CWnd::CreateEx(dwStyleEx, TOOLTIPS_CLASS, nullptr, WS_POPUP | dwStyle,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             pParentWnd->GetSafeHwnd(), nullptr, nullptr);
    if (ok)
        SetOwner(pParentWnd);
    return ok;
}

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = sizeof(ti);
    HWND hWnd = pWnd->GetSafeHwnd();
    if (nIDTool == 0) {
        ti.hwnd = ::GetParent(hWnd) != nullptr ? ::GetParent(hWnd) : hWnd;
        ti.uFlags = TTF_IDISHWND;
        ti.uId = (UINT_PTR)hWnd;
    } else {
        ti.hwnd = hWnd;
        ti.uFlags = 0;
        ti.uId = nIDTool;
    }
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    // The control copies at most this many characters; TTM_GETTEXT has no size.
    char buf[1024 * 4] = {};
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = buf;
    Send(this, TTM_GETTEXT, sizeof(buf) / sizeof(buf[0]), LP(&ti));
    str = buf;
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFO& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    FillInToolInfo(ToolInfo, pWnd, nIDTool);
    return (BOOL)Send(this, TTM_GETTOOLINFO, 0, LP(&ToolInfo));
}

void CToolTipCtrl::SetToolInfo(LPTOOLINFO lpToolInfo) { Send(this, TTM_SETTOOLINFO, 0, LP(lpToolInfo)); }

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    Send(this, TTM_NEWTOOLRECT, 0, LP(&ti));
}

int CToolTipCtrl::GetToolCount() const { return (int)Send(this, TTM_GETTOOLCOUNT); }
int CToolTipCtrl::GetDelayTime(DWORD d) const { return (int)Send(this, TTM_GETDELAYTIME, d); }
void CToolTipCtrl::SetDelayTime(UINT nDelay) { Send(this, TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
void CToolTipCtrl::SetDelayTime(DWORD d, int t) { Send(this, TTM_SETDELAYTIME, d, MAKELPARAM(t, 0)); }
void CToolTipCtrl::GetMargin(LPRECT r) const { Send(this, TTM_GETMARGIN, 0, LP(r)); }
void CToolTipCtrl::SetMargin(LPRECT r) { Send(this, TTM_SETMARGIN, 0, LP(r)); }
int CToolTipCtrl::GetMaxTipWidth() const { return (int)Send(this, TTM_GETMAXTIPWIDTH); }
int CToolTipCtrl::SetMaxTipWidth(int w) { return (int)Send(this, TTM_SETMAXTIPWIDTH, 0, w); }
COLORREF CToolTipCtrl::GetTipBkColor() const { return (COLORREF)Send(this, TTM_GETTIPBKCOLOR); }
void CToolTipCtrl::SetTipBkColor(COLORREF c) { Send(this, TTM_SETTIPBKCOLOR, c); }
COLORREF CToolTipCtrl::GetTipTextColor() const { return (COLORREF)Send(this, TTM_GETTIPTEXTCOLOR); }
void CToolTipCtrl::SetTipTextColor(COLORREF c) { Send(this, TTM_SETTIPTEXTCOLOR, c); }
BOOL CToolTipCtrl::SetTitle(UINT uIcon, LPCTSTR t) { return (BOOL)Send(this, TTM_SETTITLE, uIcon, LP(t)); }
void CToolTipCtrl::Activate(BOOL b) { Send(this, TTM_ACTIVATE, b); }

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    ti.hinst = AfxFindResourceHandle(MAKEINTRESOURCE((nIDText >> 4) + 1), RT_STRING);
    ti.lpszText = MAKEINTRESOURCE(nIDText);
    return (BOOL)Send(this, TTM_ADDTOOL, 0, LP(&ti));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    ti.lpszText = const_cast<LPTSTR>(lpszText);
    return (BOOL)Send(this, TTM_ADDTOOL, 0, LP(&ti));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    Send(this, TTM_DELTOOL, 0, LP(&ti));
}

BOOL CToolTipCtrl::HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const
{
    TTHITTESTINFO hti = {};
    hti.hwnd = pWnd->GetSafeHwnd();
    hti.pt = pt;
    hti.ti.cbSize = sizeof(TOOLINFO);
    BOOL found = (BOOL)Send(this, TTM_HITTEST, 0, LP(&hti));
    if (found && lpToolInfo != nullptr)
        *lpToolInfo = hti.ti;
    return found;
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg) { Send(this, TTM_RELAYEVENT, 0, LP(lpMsg)); }

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = const_cast<LPTSTR>(lpszText);
    Send(this, TTM_UPDATETIPTEXT, 0, LP(&ti));
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool)
{
    CString s;
    s.LoadString(nIDText);
    UpdateTipText(s, pWnd, nIDTool);
}

void CToolTipCtrl::Update() { Send(this, TTM_UPDATE); }
void CToolTipCtrl::Pop() { Send(this, TTM_POP); }
void CToolTipCtrl::TrackActivate(BOOL b, LPTOOLINFO ti) { Send(this, TTM_TRACKACTIVATE, b, LP(ti)); }
void CToolTipCtrl::TrackPosition(int x, int y) { Send(this, TTM_TRACKPOSITION, 0, MAKELPARAM(x, y)); }

/////////////////////////////////////////////////////////////////////////////
// CRichEditCtrl

CRichEditCtrl::~CRichEditCtrl() = default;

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!AfxInitRichEdit2())
        return FALSE;
    return CWnd::Create(RICHEDIT_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CRichEditCtrl::CanUndo() const { return (BOOL)Send(this, EM_CANUNDO); }
BOOL CRichEditCtrl::CanPaste(UINT nFormat) const { return (BOOL)Send(this, EM_CANPASTE, nFormat); }
int CRichEditCtrl::GetLineCount() const { return (int)Send(this, EM_GETLINECOUNT); }
BOOL CRichEditCtrl::GetModify() const { return (BOOL)Send(this, EM_GETMODIFY); }
void CRichEditCtrl::SetModify(BOOL b) { Send(this, EM_SETMODIFY, b); }
void CRichEditCtrl::GetRect(LPRECT r) const { Send(this, EM_GETRECT, 0, LP(r)); }
void CRichEditCtrl::SetRect(LPCRECT r) { Send(this, EM_SETRECT, 0, LP(r)); }
void CRichEditCtrl::GetSel(CHARRANGE& cr) const { Send(this, EM_EXGETSEL, 0, LP(&cr)); }

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const
{
    CHARRANGE cr = {};
    GetSel(cr);
    nStartChar = cr.cpMin;
    nEndChar = cr.cpMax;
}

void CRichEditCtrl::SetSel(long nStartChar, long nEndChar)
{
    CHARRANGE cr = { nStartChar, nEndChar };
    SetSel(cr);
}

void CRichEditCtrl::SetSel(CHARRANGE& cr) { Send(this, EM_EXSETSEL, 0, LP(&cr)); }

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const
{
    cf.cbSize = sizeof(cf);
    return (DWORD)Send(this, EM_GETCHARFORMAT, SCF_DEFAULT, LP(&cf));
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const
{
    cf.cbSize = sizeof(cf);
    return (DWORD)Send(this, EM_GETCHARFORMAT, SCF_SELECTION, LP(&cf));
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& cf)
{
    cf.cbSize = sizeof(cf);
    return (BOOL)Send(this, EM_SETCHARFORMAT, SCF_DEFAULT, LP(&cf));
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf)
{
    cf.cbSize = sizeof(cf);
    return (BOOL)Send(this, EM_SETCHARFORMAT, SCF_SELECTION, LP(&cf));
}

BOOL CRichEditCtrl::SetWordCharFormat(CHARFORMAT& cf)
{
    cf.cbSize = sizeof(cf);
    return (BOOL)Send(this, EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, LP(&cf));
}

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT& pf) const
{
    pf.cbSize = sizeof(pf);
    return (DWORD)Send(this, EM_GETPARAFORMAT, 0, LP(&pf));
}

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT& pf)
{
    pf.cbSize = sizeof(pf);
    return (BOOL)Send(this, EM_SETPARAFORMAT, 0, LP(&pf));
}

long CRichEditCtrl::GetEventMask() const { return (long)Send(this, EM_GETEVENTMASK); }
DWORD CRichEditCtrl::SetEventMask(DWORD m) { return (DWORD)Send(this, EM_SETEVENTMASK, 0, m); }
long CRichEditCtrl::GetLimitText() const { return (long)Send(this, EM_GETLIMITTEXT); }
void CRichEditCtrl::LimitText(long n) { Send(this, EM_EXLIMITTEXT, 0, n); }
long CRichEditCtrl::GetTextLength() const { return (long)Send(this, WM_GETTEXTLENGTH); }

long CRichEditCtrl::GetTextLengthEx(DWORD dwFlags, UINT uCodePage) const
{
    GETTEXTLENGTHEX gtl = { dwFlags, uCodePage };
    return (long)Send(this, EM_GETTEXTLENGTHEX, (WPARAM)&gtl);
}

CString CRichEditCtrl::GetSelText() const
{
    CHARRANGE cr = {};
    GetSel(cr);
    CString s;
    // Each selected character may take up to four bytes of UTF-8.
    int room = std::max<long>(cr.cpMax - cr.cpMin, 0) * 4;
    ReadText(s, room, [&](LPSTR buf, int) { return (int)Send(this, EM_GETSELTEXT, 0, LP(buf)); });
    return s;
}

int CRichEditCtrl::GetTextRange(int nFirst, int nLast, CString& refString) const
{
    int room = std::max(nLast - nFirst, 0) * 4;
    ReadText(refString, room, [&](LPSTR buf, int) {
        TEXTRANGEA tr = { { nFirst, nLast }, buf };
        return (int)Send(this, EM_GETTEXTRANGE, 0, LP(&tr));
    });
    return refString.GetLength();
}

int CRichEditCtrl::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    if (lpszBuffer == nullptr || nMaxLength < (int)sizeof(WORD))
        return 0;
    *reinterpret_cast<LPWORD>(lpszBuffer) = (WORD)std::min(nMaxLength, 0xFFFF);
    return (int)Send(this, EM_GETLINE, nIndex, LP(lpszBuffer));
}

int CRichEditCtrl::LineIndex(int nLine) const { return (int)Send(this, EM_LINEINDEX, nLine); }
int CRichEditCtrl::LineLength(int nLine) const { return (int)Send(this, EM_LINELENGTH, nLine); }
void CRichEditCtrl::LineScroll(int nLines, int nChars) { Send(this, EM_LINESCROLL, nChars, nLines); }
long CRichEditCtrl::LineFromChar(long n) const { return (long)Send(this, EM_EXLINEFROMCHAR, 0, n); }

CPoint CRichEditCtrl::PosFromChar(UINT nChar) const
{
    POINTL pt = {};
    Send(this, EM_POSFROMCHAR, (WPARAM)&pt, nChar);
    return CPoint(pt.x, pt.y);
}

int CRichEditCtrl::CharFromPos(CPoint pt) const
{
    POINTL p = { pt.x, pt.y };
    return (int)Send(this, EM_CHARFROMPOS, 0, LP(&p));
}

UINT CRichEditCtrl::GetOptions() const { return (UINT)Send(this, EM_GETOPTIONS); }
void CRichEditCtrl::SetOptions(WORD wOp, DWORD dwFlags) { Send(this, EM_SETOPTIONS, wOp, dwFlags); }
BOOL CRichEditCtrl::SetReadOnly(BOOL b) { return (BOOL)Send(this, EM_SETREADONLY, b); }
COLORREF CRichEditCtrl::SetBackgroundColor(BOOL bSysColor, COLORREF cr) { return (COLORREF)Send(this, EM_SETBKGNDCOLOR, bSysColor, cr); }
BOOL CRichEditCtrl::SetTargetDevice(HDC hDC, long w) { return (BOOL)Send(this, EM_SETTARGETDEVICE, (WPARAM)hDC, w); }
void CRichEditCtrl::HideSelection(BOOL bHide, BOOL bPerm) { Send(this, EM_HIDESELECTION, bHide, bPerm); }
void CRichEditCtrl::ReplaceSel(LPCTSTR s, BOOL bCanUndo) { Send(this, EM_REPLACESEL, bCanUndo, LP(s)); }
void CRichEditCtrl::EmptyUndoBuffer() { Send(this, EM_EMPTYUNDOBUFFER); }
BOOL CRichEditCtrl::Undo() { return (BOOL)Send(this, EM_UNDO); }
void CRichEditCtrl::Clear() { Send(this, WM_CLEAR); }
void CRichEditCtrl::Copy() { Send(this, WM_COPY); }
void CRichEditCtrl::Cut() { Send(this, WM_CUT); }
void CRichEditCtrl::Paste() { Send(this, WM_PASTE); }
long CRichEditCtrl::StreamIn(int nFormat, EDITSTREAM& es) { return (long)Send(this, EM_STREAMIN, nFormat, LP(&es)); }
long CRichEditCtrl::StreamOut(int nFormat, EDITSTREAM& es) { return (long)Send(this, EM_STREAMOUT, nFormat, LP(&es)); }
