#include "frame/toolbar/OZWToolBar.h"

#include <shlwapi.h>

#include <algorithm>

namespace {

// The toolbar resource's header; the command ids follow it.
#pragma pack(push, 1)
struct ToolBarResource
{
    WORD wVersion;
    WORD wWidth;
    WORD wHeight;
    WORD wItemCount;
};
#pragma pack(pop)

// The control's own styles the bar adds to every toolbar window: it moves
// and sizes the control itself and draws no divider.
const DWORD kControlStyles = CCS_NOMOVEY | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
// The framework's standard toolbar id.
const UINT kStandardToolBarID = 59392;

// The framework's form of a button's style: style | state << 16, with the
// control's "enabled" bit turned into "disabled".
UINT StyleFromButton(const TBBUTTON& b)
{
    return (UINT)(b.fsStyle | ((b.fsState ^ TBSTATE_ENABLED) << 16));
}

void StyleToButton(TBBUTTON& b, UINT nStyle)
{
    b.fsStyle = (BYTE)LOWORD(nStyle);
    b.fsState = (BYTE)((HIWORD(nStyle) & 0xFF) ^ TBSTATE_ENABLED);
}

bool SameButton(const TBBUTTON& a, const TBBUTTON& b)
{
    return a.iBitmap == b.iBitmap && a.idCommand == b.idCommand && a.fsState == b.fsState &&
           a.fsStyle == b.fsStyle && a.dwData == b.dwData && a.iString == b.iString;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// OZWToolCmdUI

void OZWToolCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    auto* pBar = static_cast<OZWToolBar*>(m_pOther);
    UINT nNewStyle = pBar->GetButtonStyle((int)m_nIndex) & ~(TBSTATE_ENABLED << 16 | 0x40000);
    if (!bOn) {
        nNewStyle |= 0x40000;
        nNewStyle &= ~(TBSTATE_PRESSED << 16);
    }
    pBar->SetButtonStyle((int)m_nIndex, nNewStyle);
}

void OZWToolCmdUI::SetCheck(int nCheck)
{
    auto* pBar = static_cast<OZWToolBar*>(m_pOther);
    UINT nNewStyle = pBar->GetButtonStyle((int)m_nIndex) & ~((TBSTATE_CHECKED | TBSTATE_INDETERMINATE) << 16);
    if (nCheck == 1)
        nNewStyle |= TBSTATE_CHECKED << 16;
    else if (nCheck == 2)
        nNewStyle |= TBSTATE_INDETERMINATE << 16;
    pBar->SetButtonStyle((int)m_nIndex, nNewStyle | TBSTYLE_CHECK);
}

/////////////////////////////////////////////////////////////////////////////
// OZWToolBar

IMPLEMENT_DYNAMIC(OZWToolBar, OZWControlBar)

BEGIN_MESSAGE_MAP(OZWToolBar, OZWControlBar)
    ON_WM_NCHITTEST()
    ON_WM_PAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_NCCREATE()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(TB_SETBITMAPSIZE, OnSetBitmapSize)
    ON_MESSAGE(TB_SETBUTTONSIZE, OnSetButtonSize)
    ON_MESSAGE(WM_SETTINGCHANGE, OnPreserveFlatStyle)
    ON_MESSAGE(WM_SETFONT, OnPreserveFlatStyle)
END_MESSAGE_MAP()

OZWToolBar::OZWToolBar()
{
    m_cyTopBorder = 3;
    m_cyBottomBorder = 3;
}

OZWToolBar::~OZWToolBar()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    if (m_hbmImageWell != nullptr)
        ::DeleteObject(m_hbmImageWell);
}

DWORD OZWToolBar::GetComCtlVersion()
{
    static DWORD s_dwVersion = 0;
    if (s_dwVersion != 0)
        return s_dwVersion;
    s_dwVersion = 0x40000;
    if (HINSTANCE hComCtl = ::GetModuleHandleA("COMCTL32.DLL")) {
        auto pfnGetVersion = reinterpret_cast<DLLGETVERSIONPROC>(::GetProcAddress(hComCtl, "DllGetVersion"));
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof(info);
        if (pfnGetVersion != nullptr && SUCCEEDED(pfnGetVersion(&info)))
            s_dwVersion = MAKELONG(info.dwMinorVersion, info.dwMajorVersion);
    }
    return s_dwVersion;
}

int OZWToolBar::GetDropDownWidth()
{
    static int s_cxDropDown = -1;
    if (s_cxDropDown >= 0)
        return s_cxDropDown;
    s_cxDropDown = 0;
    HDC hdc = ::GetDC(nullptr);
    if (hdc == nullptr)
        return s_cxDropDown;
    HFONT hFont = ::CreateFontA(::GetSystemMetrics(SM_CYMENUCHECK), 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0,
                                0, 0, 0, "Marlett");
    HGDIOBJ hOld = hFont != nullptr ? ::SelectObject(hdc, hFont) : nullptr;
    INT cx = 0;
    if (::GetCharWidthA(hdc, '6', '6', &cx))
        s_cxDropDown = cx;
    if (hOld != nullptr)
        ::SelectObject(hdc, hOld);
    if (hFont != nullptr)
        ::DeleteObject(hFont);
    ::ReleaseDC(nullptr, hdc);
    return s_cxDropDown;
}

BOOL OZWToolBar::CreateControl(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwCtrlStyle,
                               DWORD dwExStyle, UINT nID, CCreateContext* pContext)
{
    // The bar's CBRS_ bits share the low word with the control's own styles:
    // the window gets the control's, the bar keeps its own.
    m_dwStyle = dwStyle & CBRS_ALL;
    if (nID == kStandardToolBarID)
        m_dwStyle |= CBRS_HIDE_INPLACE;
    m_dwExStyle = dwExStyle;
    // A new control has no strip yet (a window made before had its own).
    if (m_hbmImageWell != nullptr)
        ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = nullptr;
    m_hInstImageWell = nullptr;
    m_hRsrcImageWell = nullptr;
    GetComCtlVersion();
    GetDropDownWidth();
    const DWORD dwWindowStyle = (dwStyle & ~0x40FFB1UL) | dwCtrlStyle | kControlStyles;
    if (!CWnd::Create(TOOLBARCLASSNAME, lpszWindowName, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID,
                      pContext))
        return FALSE;
    m_szHorzDock = m_szVertDock = m_szFloat = s_sizeDefault;
    EnableToolTips(TRUE);
    m_pFrameWnd = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
    if (m_pFrameWnd == nullptr && pParentWnd != nullptr)
        m_pFrameWnd = pParentWnd->GetParentFrame();
    if (m_dwExStyle & SCBX_PROPORTIONAL_CHILDREN)
        RecordChildLayout();
    m_bDirtyFixed = m_bDirtyVertDock = m_bDirtyHorzDock = TRUE;
    return TRUE;
}

BOOL OZWToolBar::Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID,
                        CCreateContext* pContext)
{
    // The bar keeps its own length in a row; a bar with any of the border,
    // gripper or caption-button bits leaves the borders to the framework.
    dwExStyle |= SCBX_FIXED_SIZE;
    if (dwExStyle & 0xF00)
        dwExStyle &= ~SCBX_BORDERS;
    if (!CreateControl(pParentWnd, lpszWindowName, dwStyle, 0, dwExStyle, nID, pContext))
        return FALSE;
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
    return TRUE;
}

BOOL OZWToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    m_cxLeftBorder = rcBorders.left;
    m_cyTopBorder = rcBorders.top;
    m_cxRightBorder = rcBorders.right;
    m_cyBottomBorder = rcBorders.bottom;
    if (!CreateControl(pParentWnd, nullptr, dwStyle, dwCtrlStyle, SCBX_FIXED_SIZE, nID, nullptr))
        return FALSE;
    SetSizes(m_sizeButton, m_sizeImage);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Content

BOOL OZWToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc = ::FindResourceA(hInst, lpszResourceName, MAKEINTRESOURCEA(241));
    if (hRsrc == nullptr)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const DWORD cbResource = ::SizeofResource(hInst, hRsrc);
    const auto* pData = hGlobal != nullptr ? static_cast<const ToolBarResource*>(::LockResource(hGlobal)) : nullptr;
    if (pData == nullptr || cbResource < sizeof(ToolBarResource) || pData->wVersion != 1 ||
        cbResource < sizeof(ToolBarResource) + pData->wItemCount * sizeof(WORD))
        return FALSE;
    const WORD* pItems = reinterpret_cast<const WORD*>(pData + 1);
    std::vector<UINT> ids(pItems, pItems + pData->wItemCount);
    if (!SetButtons(ids.data(), (int)ids.size()))
        return FALSE;
    const CSize sizeImage(pData->wWidth, pData->wHeight);
    SetSizes(CSize(sizeImage.cx + 7, sizeImage.cy + 7), sizeImage);
    return LoadBitmap(lpszResourceName);
}

BOOL OZWToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc = ::FindResourceA(hInst, lpszResourceName, RT_BITMAP);
    if (hRsrc == nullptr)
        return FALSE;
    HBITMAP hbm = (HBITMAP)::LoadImageA(hInst, lpszResourceName, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
    if (hbm == nullptr)
        return FALSE;
    if (!SetBitmap(hbm)) {
        ::DeleteObject(hbm);
        return FALSE;
    }
    m_hInstImageWell = hInst;
    m_hRsrcImageWell = hRsrc;
    m_strImageWell = IS_INTRESOURCE(lpszResourceName) ? CString() : CString(lpszResourceName);
    m_nImageWell = IS_INTRESOURCE(lpszResourceName) ? (UINT_PTR)lpszResourceName : 0;
    return TRUE;
}

BOOL OZWToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    BITMAP bm = {};
    if (hbmImageWell == nullptr || ::GetObject(hbmImageWell, sizeof(bm), &bm) == 0 || m_sizeImage.cx <= 0)
        return FALSE;
    const int nImages = bm.bmWidth / m_sizeImage.cx;
    BOOL bResult;
    if (m_hbmImageWell != nullptr) {
        TBREPLACEBITMAP replace = {};
        replace.hInstOld = nullptr;
        replace.nIDOld = (UINT_PTR)m_hbmImageWell;
        replace.hInstNew = nullptr;
        replace.nIDNew = (UINT_PTR)hbmImageWell;
        replace.nButtons = nImages;
        bResult = (BOOL)SendMessage(TB_REPLACEBITMAP, 0, (LPARAM)&replace);
    } else {
        TBADDBITMAP add = { nullptr, (UINT_PTR)hbmImageWell };
        bResult = SendMessage(TB_ADDBITMAP, (WPARAM)nImages, (LPARAM)&add) != -1;
    }
    if (!bResult)
        return FALSE;
    if (m_hbmImageWell != nullptr && m_hbmImageWell != hbmImageWell)
        ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = hbmImageWell;
    return TRUE;
}

BOOL OZWToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    const int nOld = (int)SendMessage(TB_BUTTONCOUNT);
    for (int i = 0; i < nOld; i++)
        SendMessage(TB_DELETEBUTTON, 0);
    const int cxSeparator = ((GetStyle() & TBSTYLE_FLAT) || GetComCtlVersion() == 0x40047) ? 6 : 8;
    TBBUTTON button = {};
    button.fsState = TBSTATE_ENABLED;
    if (lpIDArray == nullptr) {
        for (int i = 0; i < nIDCount; i++)
            if (!SendMessage(TB_ADDBUTTONS, 1, (LPARAM)&button))
                return FALSE;
    } else {
        int iImage = 0;
        for (int i = 0; i < nIDCount; i++) {
            button = TBBUTTON{};
            button.fsState = TBSTATE_ENABLED;
            button.idCommand = (int)lpIDArray[i];
            if (button.idCommand == 0) {
                button.fsStyle = TBSTYLE_SEP;
                button.iBitmap = cxSeparator;
            } else {
                button.fsStyle = TBSTYLE_BUTTON;
                button.iBitmap = iImage++;
            }
            if (!SendMessage(TB_ADDBUTTONS, 1, (LPARAM)&button))
                return FALSE;
        }
    }
    MarkLayoutOutOfDate();
    return TRUE;
}

void OZWToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd == nullptr)
        return;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
    Invalidate();
    MarkLayoutOutOfDate();
}

void OZWToolBar::MarkLayoutOutOfDate()
{
    m_bDelayedButtonLayout = TRUE;
    m_bDirtyFixed = m_bDirtyVertDock = m_bDirtyHorzDock = TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Buttons

int OZWToolBar::GetCount() const
{
    return m_hWnd != nullptr ? (int)::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0) : 0;
}

int OZWToolBar::CommandToIndex(UINT nIDFind) const
{
    return m_hWnd != nullptr ? (int)::SendMessage(m_hWnd, TB_COMMANDTOINDEX, nIDFind, 0) : -1;
}

void OZWToolBar::GetButton(int nIndex, TBBUTTON* pButton) const
{
    *pButton = TBBUTTON{};
    ::SendMessage(m_hWnd, TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)pButton);
}

void OZWToolBar::SetButton(int nIndex, TBBUTTON* pButton)
{
    TBBUTTON old;
    GetButton(nIndex, &old);
    if (SameButton(old, *pButton))
        return;
    // The button is replaced while the control does not draw.
    const DWORD dwStyle = GetStyle();
    ::SetWindowLong(m_hWnd, GWL_STYLE, (LONG)(dwStyle & ~WS_VISIBLE));
    SendMessage(TB_DELETEBUTTON, (WPARAM)nIndex);
    SendMessage(TB_INSERTBUTTON, (WPARAM)nIndex, (LPARAM)pButton);
    ::SetWindowLong(m_hWnd, GWL_STYLE, (LONG)dwStyle);
    // A separator's width or a change of kind moves the other buttons.
    const bool bKindChanged = (old.fsStyle & TBSTYLE_SEP) != (pButton->fsStyle & TBSTYLE_SEP);
    const bool bWidthChanged = (old.fsStyle & TBSTYLE_SEP) && old.iBitmap != pButton->iBitmap;
    if (bKindChanged || bWidthChanged) {
        Invalidate();
    } else {
        CRect rect;
        if (SendMessage(TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)&rect))
            InvalidateRect(&rect);
    }
    MarkLayoutOutOfDate();
}

UINT OZWToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    return (UINT)button.idCommand;
}

void OZWToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    const_cast<OZWToolBar*>(this)->m_bDelayedButtonLayout = FALSE;
    if (!::SendMessage(m_hWnd, TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

UINT OZWToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    return StyleFromButton(button);
}

void OZWToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    StyleToButton(button, nStyle);
    SetButton(nIndex, &button);
}

void OZWToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    nID = (UINT)button.idCommand;
    nStyle = StyleFromButton(button);
    iImage = button.iBitmap;
}

void OZWToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    button.idCommand = (int)nID;
    button.iBitmap = iImage;
    StyleToButton(button, nStyle);
    SetButton(nIndex, &button);
}

std::vector<TBBUTTON> OZWToolBar::ReadButtons() const
{
    std::vector<TBBUTTON> buttons((size_t)GetCount());
    for (size_t i = 0; i < buttons.size(); i++)
        GetButton((int)i, &buttons[i]);
    return buttons;
}

void OZWToolBar::WriteButtons(const std::vector<TBBUTTON>& buttons)
{
    for (size_t i = 0; i < buttons.size(); i++) {
        TBBUTTON button;
        GetButton((int)i, &button);
        // Only the wrap state changes the layout writes back.
        if (button.fsState != buttons[i].fsState) {
            TBBUTTONINFOA info = {};
            info.cbSize = sizeof(info);
            info.dwMask = TBIF_STATE | TBIF_BYINDEX;
            info.fsState = buttons[i].fsState;
            SendMessage(TB_SETBUTTONINFOA, i, (LPARAM)&info);
        }
    }
}

ozwccbar::Metrics OZWToolBar::GetMetrics() const
{
    ozwccbar::Metrics metrics;
    metrics.sizeButton = m_sizeButton;
    metrics.bFlat = (GetStyle() & TBSTYLE_FLAT) != 0;
    metrics.dwComCtlVersion = GetComCtlVersion();
    metrics.cxDropArrow = GetDropDownWidth();
    metrics.bDrawDropArrows = (::SendMessage(m_hWnd, TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS) != 0;
    return metrics;
}

/////////////////////////////////////////////////////////////////////////////
// Layout

CSize OZWToolBar::CalcLayout(DWORD dwMode, int nLength)
{
    std::vector<TBBUTTON> buttons = ReadButtons();
    const ozwccbar::Metrics metrics = GetMetrics();
    CSize sizeResult(0, 0);
    if ((dwMode & LM_COMMIT) && (m_dwStyle & CBRS_SIZE_DYNAMIC) && !(m_dwStyle & CBRS_SIZE_FIXED)) {
        CRect inside(0, 0, 0, 0);
        CalcInsideRect(inside, (dwMode & LM_HORZ) != 0);
        if (dwMode & LM_STRETCH)
            nLength = (int)(nLength * m_fShare);
        int nWidth;
        if ((m_dwStyle & CBRS_FLOATING) && (dwMode & LM_MRUWIDTH))
            nWidth = m_nMRUWidth;
        else if (nLength != -1)
            nWidth = nLength + ((dwMode & LM_LENGTHY) ? inside.Height() : inside.Width());
        else if (dwMode & LM_HORZ)
            nWidth = 32767;
        else
            nWidth = 0;
        if (!buttons.empty()) {
            if (nLength != -1 && (dwMode & LM_LENGTHY))
                ozwccbar::SizeToolBar(buttons.data(), (int)buttons.size(), nWidth, TRUE, metrics);
            else
                ozwccbar::SizeToolBar(buttons.data(), (int)buttons.size(), nWidth, FALSE, metrics);
            WriteButtons(buttons);
        }
        sizeResult = ozwccbar::CalcSize(buttons.data(), (int)buttons.size(), metrics);

        // Controls placed over separators follow their separators.
        for (size_t i = 0; i < buttons.size(); i++) {
            if (!(buttons[i].fsStyle & TBSTYLE_SEP) || buttons[i].idCommand == 0)
                continue;
            if (CWnd* pControl = GetDlgItem(buttons[i].idCommand)) {
                CRect rect;
                GetItemRect((int)i, &rect);
                pControl->SetWindowPos(nullptr, rect.left, rect.top, 0, 0,
                                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
            }
        }

        sizeResult.cx -= inside.Width();
        sizeResult.cy -= inside.Height();
        if (dwMode & LM_HORZDOCK) {
            m_sizeHorzLayout = sizeResult;
            m_bDirtyHorzDock = FALSE;
        } else if (dwMode & LM_VERTDOCK) {
            m_sizeVertLayout = sizeResult;
            m_bDirtyVertDock = FALSE;
        } else {
            m_sizeFixedLayout = sizeResult;
            if (dwMode & LM_STRETCH)
                m_sizeMRU = sizeResult;
            if (!(dwMode & LM_LENGTHY) && (m_dwStyle & CBRS_FLOATING))
                m_nMRUWidth = sizeResult.cx;
            m_bDirtyFixed = FALSE;
        }
    }
    if (dwMode & LM_HORZDOCK)
        sizeResult = m_sizeHorzLayout;
    else if (dwMode & LM_VERTDOCK)
        sizeResult = m_sizeVertLayout;
    else
        sizeResult = m_sizeFixedLayout;
    // The toolkit's bar answers the same sizes.
    if (dwMode & LM_HORZDOCK)
        m_szHorzDock = sizeResult;
    else if (dwMode & LM_VERTDOCK)
        m_szVertDock = sizeResult;
    else
        m_szFloat = sizeResult;
    if (m_dwStyle & CBRS_FLOATING)
        sizeResult.cy -= 2;
    return sizeResult;
}

CSize OZWToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    DWORD dwMode = bStretch ? LM_STRETCH : 0;
    dwMode |= bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    return CalcDynamicLayout(-1, dwMode);
}

CSize OZWToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (!(dwMode & LM_COMMIT)) {
        if (((dwMode & LM_HORZDOCK) && m_bDirtyHorzDock) || ((dwMode & LM_VERTDOCK) && m_bDirtyVertDock) ||
            ((dwMode & LM_MRUWIDTH) && m_bDirtyFixed) || (!(dwMode & (LM_HORZDOCK | LM_VERTDOCK)) && m_bDirtyFixed))
            CalcLayout(dwMode | LM_COMMIT, (dwMode & LM_HORZ) ? 32767 : 0);
        return CalcLayout(dwMode, nLength);
    }
    return CalcLayout(dwMode, nLength);
}

void OZWToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    if (((dwOldStyle ^ dwNewStyle) & CBRS_BORDER_ANY) && m_hWnd != nullptr)
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    MarkLayoutOutOfDate();
}

INT_PTR OZWToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const INT_PTR nHit = OZWControlBar::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    const int nCount = GetCount();
    for (int i = 0; i < nCount; i++) {
        TBBUTTON button;
        GetButton(i, &button);
        if (button.fsStyle & TBSTYLE_SEP)
            continue;
        CRect rect;
        if (!::SendMessage(m_hWnd, TB_GETITEMRECT, (WPARAM)i, (LPARAM)&rect))
            continue;
        ++rect.right;
        ++rect.bottom;
        if (!rect.PtInRect(point))
            continue;
        if (button.idCommand == 0)
            return -1;
        if (pTI != nullptr && pTI->cbSize >= 40) {
            pTI->hwnd = m_hWnd;
            pTI->uId = (UINT_PTR)button.idCommand;
            pTI->rect = rect;
            pTI->lpszText = LPSTR_TEXTCALLBACK;
        }
        return button.idCommand;
    }
    return -1;
}

void OZWToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    OZWToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        TBBUTTON button;
        GetButton((int)state.m_nIndex, &button);
        if (button.fsStyle & TBSTYLE_SEP)
            continue;
        state.m_nID = (UINT)button.idCommand;
        // The bar's own handlers first, then the frame's route.
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

/////////////////////////////////////////////////////////////////////////////
// Messages

LRESULT OZWToolBar::OnNcHitTest(CPoint)
{
    return HTCLIENT;
}

void OZWToolBar::OnPaint()
{
    m_bDelayedButtonLayout = FALSE;
    Default();
}

void OZWToolBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect(0, 0, 0, 0);
    CControlBar::CalcInsideRect(rect, (m_dwStyle & (CBRS_ORIENT_HORZ)) != 0);
    if (GetComCtlVersion() < 0x40047)
        rect.top -= 2;
    lpncsp->rgrc[0].left += rect.left;
    lpncsp->rgrc[0].top += rect.top;
    lpncsp->rgrc[0].right += rect.right;
    lpncsp->rgrc[0].bottom += rect.bottom;
}

void OZWToolBar::OnWindowPosChanging(LPWINDOWPOS lpWndPos)
{
    // The base handling without the border bits, then a full repaint of a
    // sized bar.
    const DWORD dwStyle = m_dwStyle;
    m_dwStyle &= ~CBRS_BORDER_ANY;
    CControlBar::OnWindowPosChanging(lpWndPos);
    m_dwStyle = dwStyle;
    if ((m_dwExStyle & SCBX_FIXED_SIZE) && !(lpWndPos->flags & SWP_NOSIZE))
        Invalidate();
}

BOOL OZWToolBar::OnNcCreate(LPCREATESTRUCT lpcs)
{
    if (!OZWControlBar::OnNcCreate(lpcs))
        return FALSE;
    if (CWnd* pOwner = GetOwner())
        SendMessage(TB_SETPARENT, (WPARAM)pOwner->m_hWnd);
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

void OZWToolBar::OnSysColorChange()
{
    // The strip again, in the new system colours.
    if (m_hInstImageWell != nullptr && m_hbmImageWell != nullptr) {
        LPCTSTR lpszName = m_nImageWell != 0 ? MAKEINTRESOURCE(m_nImageWell) : (LPCTSTR)m_strImageWell;
        HBITMAP hbm = (HBITMAP)::LoadImageA(m_hInstImageWell, lpszName, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
        if (hbm != nullptr && !SetBitmap(hbm))
            ::DeleteObject(hbm);
    }
    Default();
}

LRESULT OZWToolBar::OnSetBitmapSize(WPARAM, LPARAM lParam)
{
    const LRESULT lResult = Default();
    if (lResult)
        m_sizeImage = CSize(LOWORD(lParam), HIWORD(lParam));
    return lResult;
}

LRESULT OZWToolBar::OnSetButtonSize(WPARAM, LPARAM lParam)
{
    const LRESULT lResult = Default();
    if (lResult)
        m_sizeButton = CSize(LOWORD(lParam), HIWORD(lParam));
    return lResult;
}

LRESULT OZWToolBar::OnPreserveFlatStyle(WPARAM, LPARAM)
{
    // The control lays out again on these; it keeps its flat, transparent
    // look while it does.
    if (GetComCtlVersion() < 0x40047)
        return Default();
    const DWORD dwStyle = GetStyle();
    ::SetWindowLong(m_hWnd, GWL_STYLE, (LONG)(dwStyle | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT));
    const LRESULT lResult = Default();
    ::SetWindowLong(m_hWnd, GWL_STYLE, (LONG)dwStyle);
    return lResult;
}

/////////////////////////////////////////////////////////////////////////////
// OZWFrameBar

IMPLEMENT_DYNCREATE(OZWFrameBar, OZWControlBar)

BEGIN_MESSAGE_MAP(OZWFrameBar, OZWControlBar)
    ON_WM_PARENTNOTIFY()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

OZWFrameBar::OZWFrameBar() = default;
OZWFrameBar::~OZWFrameBar() = default;

BOOL OZWFrameBar::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::PreTranslateMessage(pMsg);
}

void OZWFrameBar::OnParentNotify(UINT, LPARAM)
{
    Default();
}

int OZWFrameBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (IsFloating()) {
        if (CWnd* pTop = GetTopLevelParent())
            pTop->SetActiveWindow();
        return MA_ACTIVATE;
    }
    return OZWControlBar::OnMouseActivate(pDesktopWnd, nHitTest, message);
}
