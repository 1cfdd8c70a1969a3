#include "toolbars/buttons/ColorWell.h"
#include "toolbars/buttons/ButtonTheme.h"
#include "toolbars/buttons/ButtonsRes.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace dedaride {
namespace foundation {

namespace {

// Used when the platform's default palette gives no colours.
const BYTE kDefaultColours[20][3] = {
    { 0, 0, 0 },       { 128, 0, 0 },     { 0, 128, 0 },     { 128, 128, 0 },   { 0, 0, 128 },
    { 128, 0, 128 },   { 0, 128, 128 },   { 192, 192, 192 }, { 192, 220, 192 }, { 166, 202, 240 },
    { 255, 251, 240 }, { 160, 160, 164 }, { 128, 128, 128 }, { 255, 0, 0 },     { 0, 255, 0 },
    { 255, 255, 0 },   { 0, 0, 255 },     { 255, 0, 255 },   { 0, 255, 255 },   { 255, 255, 255 },
};

BOOL IsDialogWindow(CWnd* pWnd)
{
    char className[16] = {};
    return pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr &&
           ::GetClassNameA(pWnd->m_hWnd, className, sizeof(className)) > 0 && strcmp(className, "#32770") == 0;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// OZWOtherButton

IMPLEMENT_DYNAMIC(OZWOtherButton, CButton)

BEGIN_MESSAGE_MAP(OZWOtherButton, CButton)
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

UINT OZWOtherButton::OnGetDlgCode()
{
    return DLGC_BUTTON | DLGC_WANTTAB;
}

void OZWOtherButton::OnKeyDown(UINT nChar, UINT, UINT)
{
    BOOL bPopup = m_pWell->IsKindOf(RUNTIME_CLASS(OZWPopupColorWell));
    if (bPopup) {
        if (nChar == VK_TAB || nChar == VK_LEFT || nChar == VK_RIGHT || nChar == VK_UP || nChar == VK_DOWN) {
            m_pWell->SetFocus();
            return;
        }
    }
    else if (nChar == VK_TAB) {
        if (::GetKeyState(VK_SHIFT) < 0) {
            m_pWell->SetFocus();
        }
        else if (CWnd* pParent = m_pWell->GetParent()) {
            if (CWnd* pNext = pParent->GetNextDlgTabItem(m_pWell, FALSE))
                pNext->SetFocus();
        }
        return;
    }
    Default();
}

void OZWOtherButton::OnKillFocus(CWnd* pNewWnd)
{
    Default();
    if (m_pWell->IsKindOf(RUNTIME_CLASS(OZWPopupColorWell)) &&
        (pNewWnd == nullptr || pNewWnd->GetSafeHwnd() != m_pWell->GetSafeHwnd()))
        static_cast<OZWPopupColorWell*>(m_pWell)->Close();
}

/////////////////////////////////////////////////////////////////////////////
// OZWColorWell

IMPLEMENT_DYNAMIC(OZWColorWell, CWnd)

BEGIN_MESSAGE_MAP(OZWColorWell, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_CTLCOLOR()
    ON_WM_SYSCOLORCHANGE()
    ON_BN_CLICKED(IDC_OZW_OTHER_BUTTON, OnOtherButton)
END_MESSAGE_MAP()

OZWColorWell::Colours OZWColorWell::s_colours = {};

void OZWColorWell::RefreshColours()
{
    s_colours.highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    s_colours.shadow = ::GetSysColor(COLOR_BTNSHADOW);
    s_colours.face = ::GetSysColor(COLOR_BTNFACE);
    s_colours.darkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    s_colours.light = ::GetSysColor(COLOR_3DLIGHT);
    s_colours.face2 = ::GetSysColor(COLOR_BTNFACE);
    s_colours.frame = ::GetSysColor(COLOR_WINDOWFRAME);
}

OZWColorWell::OZWColorWell()
{
    RefreshColours();
    m_brFace.CreateSolidBrush(s_colours.face);
    OZWColorWell::Reset();
}

OZWColorWell::~OZWColorWell()
{
    delete m_pOtherBtn;
    m_pOtherBtn = nullptr;
}

DWORD OZWColorWell::SetColorDialogFlags(DWORD dwFlags)
{
    m_dwColorDialogFlags = dwFlags;
    return dwFlags;
}

COLORREF* OZWColorWell::SetCustomColors(COLORREF* pColors)
{
    m_pCustomColors = pColors;
    return pColors;
}

void OZWColorWell::Reset()
{
    m_nSelRow = m_nSelCol = 0;
    m_geometry.cxMargin = m_geometry.cyMargin = 2;
    m_bSelectOnMove = FALSE;
    m_bPaletteMode = FALSE;
    m_geometry.bShowOther = FALSE;
    m_geometry.bCustomSet = FALSE;
    m_bHasFocus = FALSE;
    delete m_pOtherBtn;
    m_pOtherBtn = nullptr;
    if (m_palette.GetSafeHandle() != nullptr)
        m_palette.DeleteObject();
}

void OZWColorWell::SetGridSize()
{
    m_geometry.nCols = 4;
    m_geometry.nRows = 5;
}

void OZWColorWell::FillPaletteEntries(PALETTEENTRY*, int, int)
{
}

void OZWColorWell::PrepareLayout(DWORD dwStyle, BOOL bShowOther)
{
    SetGridSize();
    m_geometry.bShowOther = bShowOther;
    m_geometry.cxMargin = m_geometry.cyMargin = (dwStyle & CWS_RAISEDBORDER) ? 4 : 2;
    if (HasFocusFrame()) {
        m_geometry.cxMargin += 1;
        m_geometry.cyMargin += 1;
    }
}

void OZWColorWell::CalcWindowRect(CRect* pRect, CWnd* pParent, int x, int y, BOOL bDialogUnits)
{
    if (IsDialogWindow(pParent)) {
        CRect cell(0, 0, 10, 10);
        ::MapDialogRect(pParent->m_hWnd, &cell);
        m_geometry.cxCell = cell.Width();
        m_geometry.cyCell = cell.Height();
        if (bDialogUnits) {
            CRect origin(x, y, x, y);
            ::MapDialogRect(pParent->m_hWnd, &origin);
            x = origin.left;
            y = origin.top;
        }
    }
    else {
        LONG units = ::GetDialogBaseUnits();
        int bx = LOWORD(units), by = HIWORD(units);
        m_geometry.cxCell = (bx * 5) >> 1;
        m_geometry.cyCell = (by * 5) >> 2;
        if (bDialogUnits) {
            x = (bx * x) / 4;
            y = (by * y) / 8;
        }
    }
    CSize size = m_geometry.WindowSize();
    pRect->SetRect(x, y, x + size.cx, y + size.cy);
}

BOOL OZWColorWell::CreatePalette()
{
    int nCells = m_geometry.nRows * m_geometry.nCols;
    int nEntries = nCells + 1;
    std::vector<BYTE> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * nEntries, 0);
    LOGPALETTE* pLog = reinterpret_cast<LOGPALETTE*>(block.data());
    pLog->palVersion = 0x300;
    pLog->palNumEntries = (WORD)nEntries;
    // Every entry starts black, so that cells beyond the colours supplied
    // show black rather than whatever the memory held.
    PALETTEENTRY* pEntries = pLog->palPalEntry;
    int nFilled = (int)::GetPaletteEntries((HPALETTE)::GetStockObject(DEFAULT_PALETTE), 0, (UINT)nCells, pEntries);
    if (nFilled <= 0) {
        nFilled = std::min(nCells, 20);
        for (int i = 0; i < nFilled; ++i)
            pEntries[i] = { kDefaultColours[i][0], kDefaultColours[i][1], kDefaultColours[i][2], 0 };
    }
    for (int i = 0; i < nFilled; ++i)
        pEntries[i].peFlags = 0;
    FillPaletteEntries(pEntries, nCells, nFilled);
    pEntries[nCells] = { 0, 0, 0, 0 };
    m_geometry.bCustomSet = FALSE;
    if (m_palette.GetSafeHandle() != nullptr)
        m_palette.DeleteObject();
    return m_palette.CreatePalette(pLog);
}

BOOL OZWColorWell::Create(DWORD dwStyle, int x, int y, CWnd* pParent, UINT nID, BOOL bDialogUnits, BOOL bShowOther,
                          LPVOID lpParam)
{
    PrepareLayout(dwStyle, bShowOther);
    CRect rc;
    CalcWindowRect(&rc, pParent, x, y, bDialogUnits);
    if (!CreatePalette())
        return FALSE;
    if (dwStyle & WS_POPUP)
        dwStyle |= WS_CLIPCHILDREN;
    else
        dwStyle |= WS_CHILD | WS_CLIPCHILDREN;
    LPCTSTR lpszClass = AfxRegisterWndClass(GetClassStyle(), nullptr, nullptr, nullptr);
    HWND hParent = pParent != nullptr ? pParent->GetSafeHwnd() : nullptr;
    // A popup takes no id; its "menu" handle must then be null.
    HMENU hMenu = (dwStyle & WS_POPUP) ? nullptr : (HMENU)(UINT_PTR)nID;
    if (!CreateEx(0, lpszClass, nullptr, dwStyle, rc.left, rc.top, rc.Width(), rc.Height(), hParent, hMenu,
                  lpParam)) {
        m_palette.DeleteObject();
        return FALSE;
    }
    if (m_geometry.bShowOther) {
        CString text = LoadText(IDS_OZW_OTHER_COLOR, "&Other...");
        CRect client;
        GetClientRect(&client);
        m_pOtherBtn = new OZWOtherButton(this);
        if (!m_pOtherBtn->Create(text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, m_geometry.OtherButtonRect(client), this,
                                 IDC_OZW_OTHER_BUTTON)) {
            delete m_pOtherBtn;
            m_pOtherBtn = nullptr;
            m_palette.DeleteObject();
            DestroyWindow();
            return FALSE;
        }
        if (pParent != nullptr && pParent->GetSafeHwnd() != nullptr) {
            HFONT hFont = (HFONT)pParent->SendMessage(WM_GETFONT);
            if (hFont != nullptr)
                m_pOtherBtn->SendMessage(WM_SETFONT, (WPARAM)hFont, FALSE);
        }
    }
    return TRUE;
}

CRect OZWColorWell::GetCellRect(int col, int row) const
{
    CRect client;
    if (m_hWnd != nullptr)
        ::GetClientRect(m_hWnd, &client);
    return m_geometry.CellRect(col, row, client);
}

BOOL OZWColorWell::HitTest(CPoint point, int& col, int& row) const
{
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    return m_geometry.HitTest(point, client, col, row);
}

COLORREF OZWColorWell::GetCellColor(int nIndex) const
{
    PALETTEENTRY entry = {};
    if (m_palette.GetSafeHandle() == nullptr || m_palette.GetPaletteEntries((UINT)nIndex, 1, &entry) != 1)
        return RGB(0, 0, 0);
    return RGB(entry.peRed, entry.peGreen, entry.peBlue);
}

COLORREF OZWColorWell::GetColor() const
{
    return GetCellColor(m_geometry.CellIndex(m_nSelCol, m_nSelRow));
}

void OZWColorWell::SetPaletteMode(BOOL bPaletteMode)
{
    m_bPaletteMode = bPaletteMode;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void OZWColorWell::InvalidateCell(int col, int row)
{
    if (m_hWnd == nullptr)
        return;
    CRect rc = GetCellRect(col, row);
    rc.InflateRect(1, 1);
    InvalidateRect(&rc, FALSE);
}

void OZWColorWell::SelectCell(int col, int row, int)
{
    InvalidateCell(m_nSelCol, m_nSelRow);
    m_nSelCol = col;
    m_nSelRow = row;
    InvalidateCell(col, row);
    NotifyColor();
}

void OZWColorWell::NotifyColor()
{
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_OZW_COLORSELECTED, (WPARAM)GetDlgCtrlID(), (LPARAM)GetColor());
}

void OZWColorWell::SetColor(COLORREF colour)
{
    colour &= 0x00FFFFFF;
    int nCells = m_geometry.nRows * m_geometry.nCols;
    for (int i = 0; i < nCells; ++i) {
        if (GetCellColor(i) == colour && m_palette.GetSafeHandle() != nullptr) {
            InvalidateCell(m_nSelCol, m_nSelRow);
            m_nSelCol = i % m_geometry.nCols;
            m_nSelRow = i / m_geometry.nCols;
            InvalidateCell(m_nSelCol, m_nSelRow);
            return;
        }
    }
    if (!m_geometry.bShowOther || m_palette.GetSafeHandle() == nullptr)
        return;
    PALETTEENTRY entry = { GetRValue(colour), GetGValue(colour), GetBValue(colour), 0 };
    m_palette.SetPaletteEntries((UINT)m_geometry.CustomIndex(), 1, &entry);
    if (!m_geometry.bCustomSet) {
        m_geometry.bCustomSet = TRUE;
        // The custom cell shows at the right end of the Other row.
        if (m_pOtherBtn != nullptr && m_pOtherBtn->GetSafeHwnd() != nullptr) {
            CRect rc;
            m_pOtherBtn->GetWindowRect(&rc);
            ScreenToClient(&rc);
            rc.right -= m_geometry.cxCell + 2;
            m_pOtherBtn->MoveWindow(&rc);
        }
    }
    InvalidateCell(m_nSelCol, m_nSelRow);
    m_nSelCol = m_geometry.CustomCol();
    m_nSelRow = m_geometry.CustomRow();
    InvalidateCell(m_nSelCol, m_nSelRow);
}

/////////////////////////////////////////////////////////////////////////////
// Painting

void OZWColorWell::DrawCell(CDC* pDC, const CRect&, const CRect& rcCells, int col, int row)
{
    CRect rc = m_geometry.CellRect(col, row, rcCells);
    rc.OffsetRect(-m_geometry.cxMargin, -m_geometry.cyMargin);
    if (!pDC->RectVisible(&rc))
        return;
    if (IsThemedDrawing()) {
        CBrush frame(s_colours.frame);
        pDC->FrameRect(&rc, &frame);
        rc.DeflateRect(1, 1);
    }
    else {
        pDC->Draw3dRect(&rc, s_colours.shadow, s_colours.highlight);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(&rc, s_colours.darkShadow, s_colours.light);
        rc.DeflateRect(1, 1);
    }
    int nIndex = m_geometry.CellIndex(col, row);
    COLORREF fill = m_bPaletteMode ? PALETTEINDEX(nIndex) : GetCellColor(nIndex);
    CBrush brush(fill);
    pDC->FillRect(&rc, &brush);
}

void OZWColorWell::DrawSelectedCell(CDC* pDC, const CRect&, const CRect& rcCells, int col, int row)
{
    CRect rc = m_geometry.CellRect(col, row, rcCells);
    rc.OffsetRect(-m_geometry.cxMargin, -m_geometry.cyMargin);
    rc.InflateRect(1, 1);
    if (!pDC->RectVisible(&rc))
        return;
    CBrush* pBlack = CBrush::FromHandle((HBRUSH)::GetStockObject(BLACK_BRUSH));
    CBrush* pWhite = CBrush::FromHandle((HBRUSH)::GetStockObject(WHITE_BRUSH));
    pDC->FrameRect(&rc, pBlack);
    rc.DeflateRect(1, 1);
    pDC->FrameRect(&rc, pWhite);
    rc.DeflateRect(1, 1);
    pDC->FrameRect(&rc, pBlack);
    rc.DeflateRect(1, 1);
    int nIndex = m_geometry.CellIndex(col, row);
    COLORREF fill = m_bPaletteMode ? PALETTEINDEX(nIndex) : GetCellColor(nIndex);
    CBrush brush(fill);
    pDC->FillRect(&rc, &brush);
}

void OZWColorWell::DrawWell(CDC* pDC, const CRect& rcUpdate)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, UXIsOfc2003StyleEnabled() ? UXGetO2K3Color(2) : s_colours.face);
    CRect rc = client;
    if (HasFocusFrame()) {
        if (m_bHasFocus) {
            CBrush frame(s_colours.frame);
            pDC->FrameRect(&rc, &frame);
        }
        rc.DeflateRect(1, 1);
    }
    if (GetStyle() & CWS_RAISEDBORDER) {
        pDC->Draw3dRect(&rc, s_colours.light, s_colours.darkShadow);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(&rc, s_colours.highlight, s_colours.shadow);
    }
    // The cells' area: the client less the margins.
    CRect rcCells(client.left + m_geometry.cxMargin, client.top + m_geometry.cyMargin,
                  client.right - m_geometry.cxMargin, client.bottom - m_geometry.cyMargin);
    for (int col = 0; col < m_geometry.nCols; ++col) {
        for (int row = 0; row < m_geometry.nRows; ++row) {
            if (col == m_nSelCol && row == m_nSelRow)
                DrawSelectedCell(pDC, rcUpdate, rcCells, col, row);
            else
                DrawCell(pDC, rcUpdate, rcCells, col, row);
        }
    }
    if (m_geometry.bShowOther) {
        CRect line = m_geometry.SeparatorRect(client);
        pDC->Draw3dRect(&line, s_colours.shadow, RGB(255, 255, 255));
        if (m_geometry.bCustomSet) {
            int col = m_geometry.CustomCol(), row = m_geometry.CustomRow();
            if (col == m_nSelCol && row == m_nSelRow)
                DrawSelectedCell(pDC, rcUpdate, rcCells, col, row);
            else
                DrawCell(pDC, rcUpdate, rcCells, col, row);
        }
    }
}

void OZWColorWell::OnPaint()
{
    CPaintDC dc(this);
    CPalette* pOldPalette = nullptr;
    if (m_bPaletteMode && m_palette.GetSafeHandle() != nullptr) {
        pOldPalette = dc.SelectPalette(&m_palette, TRUE);
        dc.RealizePalette();
    }
    CRect client;
    GetClientRect(&client);
    CRect rcUpdate;
    dc.GetClipBox(&rcUpdate);
    CDC memDC;
    CBitmap bitmap;
    if (memDC.CreateCompatibleDC(&dc) && bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height())) {
        CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
        CPalette* pOldMemPalette = nullptr;
        if (m_bPaletteMode && m_palette.GetSafeHandle() != nullptr) {
            pOldMemPalette = memDC.SelectPalette(&m_palette, FALSE);
            memDC.RealizePalette();
        }
        DrawWell(&memDC, rcUpdate);
        dc.BitBlt(rcUpdate.left, rcUpdate.top, rcUpdate.Width(), rcUpdate.Height(), &memDC, rcUpdate.left,
                  rcUpdate.top, SRCCOPY);
        if (pOldMemPalette != nullptr)
            memDC.SelectPalette(pOldMemPalette, FALSE);
        memDC.SelectObject(pOldBitmap);
    }
    else {
        DrawWell(&dc, rcUpdate);
    }
    if (pOldPalette != nullptr)
        dc.SelectPalette(pOldPalette, FALSE);
}

BOOL OZWColorWell::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void OZWColorWell::FrameFocus(BOOL bFocus)
{
    if (m_hWnd == nullptr || !HasFocusFrame())
        return;
    CClientDC dc(this);
    CRect client;
    GetClientRect(&client);
    CBrush frame(bFocus ? s_colours.frame : s_colours.face);
    dc.FrameRect(&client, &frame);
}

/////////////////////////////////////////////////////////////////////////////
// Input

UINT OZWColorWell::OnGetDlgCode()
{
    UINT code = DLGC_WANTCHARS | DLGC_WANTARROWS;
    if (m_geometry.bShowOther)
        code |= DLGC_WANTTAB;
    return code;
}

void OZWColorWell::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar == VK_TAB) {
        if (::GetKeyState(VK_SHIFT) < 0) {
            if (CWnd* pParent = GetParent()) {
                if (CWnd* pPrevious = pParent->GetNextDlgTabItem(this, TRUE))
                    pPrevious->SetFocus();
            }
        }
        else if (m_pOtherBtn != nullptr) {
            m_pOtherBtn->SetFocus();
        }
        return;
    }
    int col = m_nSelCol, row = m_nSelRow;
    if (m_geometry.Navigate(nChar, col, row)) {
        SelectCell(col, row, CWS_KEYBOARD);
        return;
    }
    Default();
}

void OZWColorWell::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    int col, row;
    if (HitTest(point, col, row))
        SelectCell(col, row, CWS_CHOICE);
    else
        Default();
}

void OZWColorWell::OnMouseMove(UINT, CPoint point)
{
    int col, row;
    if (m_bSelectOnMove && HitTest(point, col, row) && (col != m_nSelCol || row != m_nSelRow))
        SelectCell(col, row, CWS_MOUSEMOVE);
}

void OZWColorWell::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pOtherBtn != nullptr && m_geometry.bShowOther && ::GetKeyState(VK_SHIFT) < 0 &&
        (pOldWnd == nullptr || pOldWnd->GetSafeHwnd() != m_pOtherBtn->GetSafeHwnd())) {
        m_pOtherBtn->SetFocus();
        return;
    }
    CWnd::OnSetFocus(pOldWnd);
    if (HasFocusFrame()) {
        m_bHasFocus = TRUE;
        FrameFocus(TRUE);
    }
}

void OZWColorWell::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    if (HasFocusFrame()) {
        m_bHasFocus = FALSE;
        FrameFocus(FALSE);
    }
}

HBRUSH OZWColorWell::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_BTN) {
        pDC->SetBkColor(s_colours.face);
        return (HBRUSH)m_brFace.GetSafeHandle();
    }
    return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
}

void OZWColorWell::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    RefreshColours();
    m_brFace.DeleteObject();
    m_brFace.CreateSolidBrush(s_colours.face);
    Invalidate();
}

BOOL RunColourDialog(COLORREF& colour, DWORD dwFlags, COLORREF* pCustomColors)
{
    CColorDialog dialog(colour, 0);
    dialog.m_cc.Flags |= dwFlags;
    if (pCustomColors != nullptr)
        dialog.m_cc.lpCustColors = pCustomColors;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    colour = dialog.GetColor();
    return TRUE;
}

void OZWColorWell::RunColorDialog()
{
    COLORREF colour = GetColor();
    if (RunColourDialog(colour, m_dwColorDialogFlags, m_pCustomColors)) {
        SetColor(colour);
        NotifyColor();
    }
}

void OZWColorWell::OnOtherButton()
{
    RunColorDialog();
}

void AFXAPI DDX_ColorWellColor(CDataExchange* pDX, OZWColorWell& well, COLORREF& value)
{
    if (pDX->m_bSaveAndValidate)
        value = well.GetColor();
    else
        well.SetColor(value);
}

/////////////////////////////////////////////////////////////////////////////
// OZWPopupColorWell

IMPLEMENT_DYNAMIC(OZWPopupColorWell, OZWColorWell)

BEGIN_MESSAGE_MAP(OZWPopupColorWell, OZWColorWell)
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_LBUTTONDOWN()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

OZWPopupColorWell::OZWPopupColorWell()
{
    OZWPopupColorWell::Reset();
}

OZWPopupColorWell::~OZWPopupColorWell()
{
    if (m_hWnd != nullptr) {
        m_bClosing = TRUE;
        DestroyWindow();
    }
}

void OZWPopupColorWell::Reset()
{
    OZWColorWell::Reset();
    m_pNotifyWnd = nullptr;
}

CRect PopupWorkArea(CWnd* pNear)
{
    HWND hNear = nullptr;
    if (CWnd* pMain = AfxGetMainWnd())
        hNear = pMain->GetSafeHwnd();
    if (hNear == nullptr && pNear != nullptr)
        hNear = pNear->GetSafeHwnd();
    HMONITOR hMonitor = ::MonitorFromWindow(hNear, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = { sizeof(info) };
    if (hMonitor != nullptr && ::GetMonitorInfoA(hMonitor, &info))
        return CRect(info.rcWork);
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

BOOL OZWPopupColorWell::Create(DWORD dwStyle, const RECT* prcButton, CWnd* pParent, BOOL bShowOther, LPVOID lpParam)
{
    dwStyle |= WS_POPUP | CWS_RAISEDBORDER;
    PrepareLayout(dwStyle, bShowOther);
    CRect rc;
    CalcWindowRect(&rc, pParent, 0, 0, FALSE);
    CPoint at = PlacePopup(CRect(*prcButton), rc.Size(), PopupWorkArea(pParent));
    if (!OZWColorWell::Create(dwStyle, at.x, at.y, pParent, 0, FALSE, bShowOther, lpParam))
        return FALSE;
    SetFocus();
    m_bSelectOnMove = TRUE;
    SetCapture();
    m_bTracking = TRUE;
    return TRUE;
}

void OZWPopupColorWell::Close()
{
    if (m_hWnd == nullptr || m_bClosing)
        return;
    m_bClosing = TRUE;
    if (GetCapture() == this)
        ::ReleaseCapture();
    DestroyWindow();
    m_bClosing = FALSE;
}

void OZWPopupColorWell::PostNcDestroy()
{
    // The owner keeps the object for the next drop.
    m_bTracking = FALSE;
}

void OZWPopupColorWell::NotifyColor()
{
    if (m_pNotifyWnd != nullptr && m_pNotifyWnd->GetSafeHwnd() != nullptr)
        m_pNotifyWnd->SendMessage(WM_OZW_COLORSELECTED, 0, (LPARAM)GetColor());
}

void OZWPopupColorWell::SelectCell(int col, int row, int nHow)
{
    InvalidateCell(m_nSelCol, m_nSelRow);
    m_nSelCol = col;
    m_nSelRow = row;
    InvalidateCell(col, row);
    if (nHow == CWS_CHOICE) {
        NotifyColor();
        Close();
    }
}

void OZWPopupColorWell::OnOther()
{
    if (m_pNotifyWnd == nullptr || m_pNotifyWnd->GetSafeHwnd() == nullptr)
        return;
    m_pNotifyWnd->PostMessage(WM_OZW_COLORDIALOG, 0, 0);
    Close();
}

BOOL OZWPopupColorWell::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_OZW_OTHER_BUTTON && HIWORD(wParam) == BN_CLICKED) {
        OnOther();
        return TRUE;
    }
    return OZWColorWell::OnCommand(wParam, lParam);
}

void OZWPopupColorWell::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_TAB:
        if (m_pOtherBtn != nullptr)
            m_pOtherBtn->SetFocus();
        return;
    case VK_RETURN:
        SelectCell(m_nSelCol, m_nSelRow, CWS_CHOICE);
        return;
    case VK_ESCAPE:
        Close();
        return;
    default:
        OZWColorWell::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

void OZWPopupColorWell::OnKeyUp(UINT nChar, UINT, UINT)
{
    if (nChar == VK_SPACE)
        SelectCell(m_nSelCol, m_nSelRow, CWS_CHOICE);
    else
        Default();
}

void OZWPopupColorWell::OnLButtonDown(UINT nFlags, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) {
        CPoint screen = point;
        ClientToScreen(&screen);
        if (m_pNotifyWnd != nullptr && m_pNotifyWnd->GetSafeHwnd() != nullptr) {
            CRect rcNotify;
            m_pNotifyWnd->GetWindowRect(&rcNotify);
            if (rcNotify.PtInRect(screen))
                return;   // a click on the button that dropped the popup
        }
        Close();
        // The click still reaches the window under the pointer.
        HWND hUnder = ::WindowFromPoint(screen);
        if (hUnder != nullptr) {
            CPoint local = screen;
            ::ScreenToClient(hUnder, &local);
            ::SendMessage(hUnder, WM_LBUTTONDOWN, nFlags, MAKELPARAM(local.x, local.y));
        }
        return;
    }
    if (m_geometry.bShowOther && m_pOtherBtn != nullptr && m_pOtherBtn->GetSafeHwnd() != nullptr) {
        CRect rcOther;
        m_pOtherBtn->GetWindowRect(&rcOther);
        ScreenToClient(&rcOther);
        if (rcOther.PtInRect(point)) {
            OnOther();
            return;
        }
    }
    OZWColorWell::OnLButtonDown(nFlags, point);
}

void OZWPopupColorWell::OnKillFocus(CWnd* pNewWnd)
{
    Default();
    // The focus may go to the popup's own Other button (Tab).
    if (pNewWnd != nullptr && m_pOtherBtn != nullptr && pNewWnd->GetSafeHwnd() == m_pOtherBtn->GetSafeHwnd())
        return;
    Close();
}

} // namespace foundation
} // namespace dedaride
