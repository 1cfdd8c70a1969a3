#include "toolbars/buttons/ToolBarButton.h"

#include "platform/theme/ThemeLib.h"
#include "toolbars/buttons/BmpMgr.h"
#include "toolbars/buttons/ButtonTheme.h"

#include <algorithm>
#include <commctrl.h>
#include <new>

namespace {

// Raster operations of the masks: P brush, S source, D destination.
const DWORD kRopPSDPxax = 0x00B8074A; // brush where the source is 0
const DWORD kRopDSPDxax = 0x00E20746; // brush where the source is 1
const DWORD kRopDSna = 0x00220326;

// Extended bar style bits a button reads.
const DWORD kCoolLook = 0x0100;
const DWORD kTransparent = 0x1000;

// Theme part and states of a toolbar button.
const int kPartButton = 1;
const int kStateNormal = 1;
const int kStateHot = 2;
const int kStatePressed = 3;
const int kStateChecked = 5;
const int kStateHotChecked = 6;

void FrameSolid(CDC* pDC, const CRect& rc, COLORREF clr)
{
    CBrush brush(clr);
    pDC->FrameRect(&rc, &brush);
}

// The mask of image xSrc of the selected strip in the mask DC: 0 where the
// image has pixels, 1 where it is clear.
void MakeImageMask(OZWBtnDrawData& drawData, int xSrc, int cx, int cy)
{
    drawData.m_dcImage.SetBkColor(drawData.GetTransparentColor());
    drawData.m_dcMask.BitBlt(0, 0, cx, cy, &drawData.m_dcImage, xSrc, 0, SRCCOPY);
}

// Paints pBrush on pDC at (x, y) through the mask with a mask raster
// operation (the mask read as black for 0 and white for 1).
void PaintThroughMask(CDC* pDC, OZWBtnDrawData& drawData, CBrush* pBrush, int x, int y, int cx, int cy, DWORD dwRop)
{
    const COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
    const COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
    CBrush* pOld = pDC->SelectObject(pBrush);
    pDC->BitBlt(x, y, cx, cy, &drawData.m_dcMask, 0, 0, dwRop);
    pDC->SelectObject(pOld);
    pDC->SetTextColor(oldText);
    pDC->SetBkColor(oldBk);
}

BOOL DrawThemed(HTHEME hTheme, CDC* pDC, int nState, const CRect& rc)
{
    return hTheme != nullptr && UXDrawThemeBackground(hTheme, pDC->m_hDC, kPartButton, nState, &rc, nullptr) >= 0;
}

} // namespace

BOOL OZWStdBtn::s_bDropDownInProgress = FALSE;
const OZWBtnClass OZWStdBtn::s_btnClass = {&OZWStdBtn::CreateBtnObject, 0};

OZWStdBtn* OZWStdBtn::CreateBtnObject()
{
    return new (std::nothrow) OZWStdBtn;
}

OZWBtnLook GetBtnLook(HTHEME hTheme)
{
    if (UXIsDotNetStyleEnabled())
        return btnLookDotNet;
    if (UXIsOfc2003StyleEnabled())
        return btnLookOffice2003;
    if (UXIsVistaClassicStyleEnabled())
        return btnLookVistaClassic;
    return hTheme != nullptr ? btnLookThemed : btnLookClassic;
}

OZWStdBtn::OZWStdBtn()
    : m_nID((UINT)-1), m_nImage(0), m_nStyle(0), m_x(-1), m_y(-1), m_cx(23), m_cy(22), m_nType(typeStd),
      m_pToolBar(nullptr), m_hTheme(nullptr), m_bMode(FALSE)
{
}

OZWStdBtn::~OZWStdBtn()
{
    if (m_hTheme != nullptr)
        UXCloseThemeData(m_hTheme);
}

void OZWStdBtn::SetMode(BOOL bVertical)
{
    m_bMode = bVertical;
}

void OZWStdBtn::SetStyle(DWORD dwStyle)
{
    m_nStyle = dwStyle;
}

void OZWStdBtn::SetPos(int x, int y)
{
    m_x = x;
    m_y = y;
}

void OZWStdBtn::Invalidate(BOOL bErase)
{
    CWnd* pWnd = m_pToolBar != nullptr ? m_pToolBar->GetHostWnd() : nullptr;
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return;
    CRect rc = GetBtnRect();
    pWnd->InvalidateRect(&rc, bErase);
}

void OZWStdBtn::Init(OZWBtnHost* pToolBar, const UINT_PTR*)
{
    SetToolBar(pToolBar);
}

void OZWStdBtn::SetToolBar(OZWBtnHost* pToolBar)
{
    m_pToolBar = pToolBar;
    if (m_pToolBar != nullptr)
        AdjustSize();
}

void OZWStdBtn::AdjustSize()
{
    if (m_pToolBar == nullptr)
        return;
    if (IsSeparator()) {
        m_cx = m_pToolBar->GetSeparatorWidth();
        m_cy = m_pToolBar->GetSeparatorHeight();
    }
    else {
        m_cx = m_pToolBar->GetStdButtonWidth();
        m_cy = m_pToolBar->GetStdButtonHeight();
    }
    m_pToolBar->RaiseMaxButtonSize(m_cx, m_cy);
}

BOOL OZWStdBtn::ContainsClosed(CPoint point) const
{
    return point.x >= m_x && point.x <= m_x + m_cx && point.y >= m_y && point.y <= m_y + m_cy;
}

BOOL OZWStdBtn::BtnPressDown(CPoint)
{
    if (m_nStyle & TBB_DISABLED)
        return FALSE;
    if (IsSeparator())
        return FALSE;
    if (m_nStyle & TBB_DROPDOWN) {
        m_nStyle |= TBB_PRESSED;
        Invalidate(FALSE);
        if (CWnd* pWnd = m_pToolBar != nullptr ? m_pToolBar->GetHostWnd() : nullptr)
            pWnd->UpdateWindow();
        s_bDropDownInProgress = TRUE;
        SendNotify((UINT)TBN_DROPDOWN, 0, 0);
        s_bDropDownInProgress = FALSE;
        m_nStyle &= ~TBB_PRESSED;
        Invalidate(FALSE);
        if (m_pToolBar != nullptr)
            m_pToolBar->RefreshHotButton();
        return FALSE;
    }
    m_nStyle |= TBB_PRESSED;
    return TRUE;
}

void OZWStdBtn::BtnPressMouseMove(CPoint point)
{
    if (ContainsClosed(point))
        m_nStyle |= TBB_PRESSED;
    else
        m_nStyle &= ~TBB_PRESSED;
}

void OZWStdBtn::BtnPressCancel()
{
    m_nStyle &= ~TBB_PRESSED;
    Invalidate(FALSE);
}

UINT OZWStdBtn::BtnPressUp(CPoint point)
{
    m_nStyle &= ~TBB_PRESSED;
    if (!ContainsClosed(point))
        return 0;
    if ((m_nStyle & TBB_CHECKBOX) && !(m_nStyle & TBB_DISABLED) && m_pToolBar != nullptr) {
        // Every copy of the command, on every toolbar, toggles.
        const DWORD bits[2] = {(m_nStyle & TBB_CHECKED) ? 0 : TBB_CHECKED,
                               TBB_INDETERMINATE | ((m_nStyle & TBB_CHECKED) ? TBB_CHECKED : 0)};
        m_pToolBar->InformBtn(m_nID, OZWINFORM_STYLE, (void*)bits, TRUE);
    }
    return m_nID;
}

INT_PTR OZWStdBtn::OnToolHitTest(CPoint, TOOLINFO* pTI) const
{
    if (pTI != nullptr) {
        pTI->uFlags = 0;
        CWnd* pWnd = m_pToolBar != nullptr ? m_pToolBar->GetHostWnd() : nullptr;
        pTI->hwnd = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
        pTI->uId = m_nID;
        pTI->rect = GetBtnRect();
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
    }
    return (INT_PTR)m_nID;
}

void OZWStdBtn::InformBtn(int nCode, void* pData)
{
    if (nCode != OZWINFORM_STYLE || pData == nullptr)
        return;
    const DWORD* bits = static_cast<const DWORD*>(pData);
    m_nStyle = (m_nStyle & ~bits[1]) | bits[0];
    Invalidate(FALSE);
}

void OZWStdBtn::GetBtnData(BYTE& nSize, BYTE*& pData) const
{
    nSize = 0;
    pData = nullptr;
}

void OZWStdBtn::SetBtnData(BYTE, const BYTE*)
{
}

void OZWStdBtn::SendNotify(UINT nCode, DWORD dwParam1, DWORD dwParam2)
{
    CWnd* pToolBarWnd = m_pToolBar != nullptr ? m_pToolBar->GetHostWnd() : nullptr;
    CWnd* pOwner = m_pToolBar != nullptr ? m_pToolBar->GetNotifyOwner() : nullptr;
    if (pToolBarWnd == nullptr || pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        return;
    // The toolbar control's record: the command in iItem, the button's
    // index and the two values in the button rectangle's fields.
    NMTOOLBARA nm = {};
    nm.hdr.hwndFrom = pToolBarWnd->GetSafeHwnd();
    nm.hdr.idFrom = (UINT_PTR)pToolBarWnd->GetDlgCtrlID();
    nm.hdr.code = nCode;
    nm.iItem = (int)m_nID;
    nm.rcButton.left = m_pToolBar->FindButton(this);
    nm.rcButton.top = (LONG)dwParam1;
    nm.rcButton.right = (LONG)dwParam2;
    pOwner->SendMessage(WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
}

HTHEME OZWStdBtn::GetTheme()
{
    if (m_hTheme == nullptr && dedaride::foundation::IsThemedDrawing())
        m_hTheme = UXOpenThemeData(UXGetSafeHwnd(), "Toolbar");
    return m_hTheme;
}

BOOL OZWStdBtn::IsCoolLook() const
{
    return m_pToolBar != nullptr && (m_pToolBar->GetExBarStyle() & kCoolLook) != 0;
}

BOOL OZWStdBtn::IsTransparentLook() const
{
    return m_pToolBar != nullptr &&
           (m_pToolBar->GetExBarStyle() & (kCoolLook | kTransparent)) == (kCoolLook | kTransparent);
}

/////////////////////////////////////////////////////////////////////////////
// Drawing

void OZWStdBtn::Draw(CDC* pDC, OZWBtnDrawData& drawData)
{
    if (m_pToolBar == nullptr)
        return;
    CRect rc = GetBtnRect();
    if (!pDC->RectVisible(&rc))
        return;
    if (DrawSeparator(pDC, drawData))
        return;
    SelectImage(drawData);
    // The Office 2003 and Vista classic looks draw on the target itself, the
    // others into the canvas, copied over at the end.
    const OZWBtnLook look = GetBtnLook(GetTheme());
    const BOOL bDirect = look == btnLookOffice2003 || look == btnLookVistaClassic;
    CDC* pDrawDC = pDC;
    if (!bDirect) {
        if (!drawData.Prepare(pDC, m_cx, m_cy))
            return;
        pDrawDC = &drawData.m_dcButton;
        rc.SetRect(0, 0, m_cx, m_cy);
        // What lies under the button shows where a themed part is clear.
        pDrawDC->BitBlt(0, 0, m_cx, m_cy, pDC, m_x, m_y, SRCCOPY);
    }
    DrawButton(drawData, rc, pDrawDC);
    if (!bDirect)
        DrawThemedMask(drawData, pDC);
    DrawSelection(drawData, rc, pDrawDC);
    if (!bDirect)
        BlitToTarget(drawData, pDC);
}

BOOL OZWStdBtn::DrawSeparator(CDC* pDC, OZWBtnDrawData&)
{
    if (!IsSeparator())
        return FALSE;
    if (!IsCoolLook())
        return TRUE;
    OZW_AUX_DATA* pSys = UXGetSysData();
    const OZWBtnLook look = GetBtnLook(GetTheme());
    const BOOL bTransparent = IsTransparentLook();
    if (!m_pToolBar->IsVertical()) {
        if (m_nStyle & TBB_WRAPPED)
            return TRUE;
        const int xLine = m_x + m_cx / 2;
        switch (look) {
        case btnLookDotNet:
            pDC->FillSolidRect(m_x, m_y, m_cx, m_cy, UXGetDNETColor(0));
            pDC->FillSolidRect(xLine, m_y, 1, m_cy, UXGetDNETColor(1));
            break;
        case btnLookOffice2003:
        case btnLookVistaClassic:
            pDC->FillSolidRect(xLine, m_y, 1, m_cy, UXGetDNETColor(1));
            break;
        default: {
            if (!bTransparent)
                pDC->FillSolidRect(m_x, m_y, m_cx, m_cy, pSys->clrBtnFace);
            const int s = m_pToolBar->GetSeparatorWidth();
            pDC->FillSolidRect(m_x + s / 2, m_y, 1, m_cy, pSys->clrBtnShadow);
            pDC->FillSolidRect(m_x + s / 2 + 1, m_y, 1, m_cy, pSys->clrBtnHilite);
            break;
        }
        }
        return TRUE;
    }
    // Across a vertical bar: cy wide, cx high.
    const int yLine = m_y + m_cx / 2;
    switch (look) {
    case btnLookDotNet:
        pDC->FillSolidRect(m_x, m_y, m_cx, m_cy, UXGetDNETColor(0));
        pDC->FillSolidRect(m_x, yLine, m_cy, 1, UXGetDNETColor(1));
        break;
    case btnLookOffice2003:
    case btnLookVistaClassic:
        pDC->FillSolidRect(m_x, yLine, m_cy, 1, UXGetDNETColor(1));
        break;
    default:
        if (!bTransparent)
            pDC->FillSolidRect(m_x, m_y, m_cy, m_cx, pSys->clrBtnFace);
        pDC->FillSolidRect(m_x, m_y, m_cy, 1, pSys->clrBtnShadow);
        pDC->FillSolidRect(m_x, m_y + 1, m_cy, 1, pSys->clrBtnHilite);
        break;
    }
    return TRUE;
}

void OZWStdBtn::SelectImage(OZWBtnDrawData& drawData)
{
    HBITMAP hBitmap = nullptr;
    int nIndex = 0;
    OZWBmpMgr* pBmpMgr = m_pToolBar != nullptr ? m_pToolBar->GetBmpMgr() : nullptr;
    if (pBmpMgr == nullptr || !pBmpMgr->GetImage(m_nID, &hBitmap, &nIndex))
        hBitmap = nullptr;
    drawData.SelectImage(hBitmap);
}

void OZWStdBtn::DrawButton(OZWBtnDrawData& drawData, CRect rc, CDC* pDC)
{
    int ix = 0;
    int iy = 0;
    if (m_pToolBar->IsConfigMode()) {
        DrawFace(drawData, TRUE, rc, ix, iy, -1, pDC);
        return;
    }
    DrawFace(drawData, FALSE, rc, ix, iy, -1, pDC);
    if (m_nStyle & TBB_PRESSED)
        return;
    if (m_nStyle & TBB_DISABLED)
        DrawDisabled(drawData, rc, ix, iy, pDC);
    else if (m_nStyle & TBB_CHECKED)
        DrawChecked(drawData, rc, ix, iy, pDC);
    else if (m_nStyle & TBB_INDETERMINATE)
        DrawIndeterminate(drawData, rc, ix, iy, pDC);
}

BOOL OZWStdBtn::DrawFace(OZWBtnDrawData& drawData, BOOL bCustomizing, CRect& rc, int& ix, int& iy,
                         int nImageWidth, CDC* pDC)
{
    const int cxImage = nImageWidth >= 0 ? nImageWidth : m_pToolBar->GetImageWidth();
    const int cyImage = m_pToolBar->GetImageHeight();
    ix = ((rc.Width() - cxImage) - 1) / 2 + rc.left;
    iy = (rc.Height() - cyImage) / 2 + rc.top;
    HTHEME hTheme = GetTheme();
    const OZWBtnLook look = GetBtnLook(hTheme);
    OZW_AUX_DATA* pSys = UXGetSysData();
    const BOOL bHot = (m_nStyle & TBB_HOT) != 0;
    const BOOL bChecked = (m_nStyle & TBB_CHECKED) != 0;
    const BOOL bPressed = (m_nStyle & TBB_PRESSED) != 0;

    // Background.
    switch (look) {
    case btnLookDotNet:
        pDC->FillSolidRect(&rc, UXGetDNETColor(3));
        break;
    case btnLookOffice2003:
    case btnLookVistaClassic:
        break;
    default:
        if (!DrawThemed(hTheme, pDC, kStateNormal, rc))
            pDC->FillSolidRect(&rc, pSys->clrBtnFace);
        break;
    }

    if ((!bChecked && !bPressed) || bCustomizing) {
        if (!IsCoolLook()) {
            if (!DrawThemed(hTheme, pDC, bHot ? kStateHot : kStateNormal, rc)) {
                pDC->Draw3dRect(&rc, pSys->clrBtnHilite, pSys->clrBtnDkShadow);
                CRect inner = rc;
                inner.DeflateRect(1, 1);
                pDC->Draw3dRect(&inner, pSys->clrBtnFace, pSys->clrBtnShadow);
            }
            rc.DeflateRect(2, 2);
        }
        else if (bHot && !bCustomizing) {
            switch (look) {
            case btnLookDotNet:
                pDC->FillSolidRect(&rc, UXGetDNETColor(5));
                FrameSolid(pDC, rc, UXGetDNETColor(6));
                rc.DeflateRect(1, 1);
                if (!bChecked) {
                    ix--;
                    iy--;
                }
                break;
            case btnLookOffice2003:
                UXPaintGradientRect(pDC->m_hDC, rc.left, rc.top, rc.Width(), rc.Height(), UXGetO2K3Color(3),
                                    ::GetSysColor(COLOR_3DHIGHLIGHT), m_bMode);
                FrameSolid(pDC, rc, RGB(0, 0, 0));
                rc.DeflateRect(1, 1);
                break;
            default:
                if (!DrawThemed(hTheme, pDC, kStateHot, rc))
                    pDC->Draw3dRect(&rc, pSys->clrBtnHilite, pSys->clrBtnShadow);
                rc.DeflateRect(1, 1);
                break;
            }
        }
    }
    else {
        switch (look) {
        case btnLookDotNet:
            pDC->FillSolidRect(&rc, UXGetDNETColor(bPressed ? 7 : 11));
            FrameSolid(pDC, rc, UXGetDNETColor(bPressed ? 8 : 12));
            break;
        case btnLookOffice2003: {
            const COLORREF clrHot = UXGetO2K3Color(3);
            UXPaintGradientRect(pDC->m_hDC, rc.left, rc.top, rc.Width(), rc.Height(), clrHot,
                                UXAdjustHSL(clrHot, 0.0f, 0.45f, -0.3f), m_bMode);
            FrameSolid(pDC, rc, RGB(0, 0, 0));
            break;
        }
        default: {
            const int nState = bPressed ? kStatePressed : (bHot ? kStateHotChecked : kStateChecked);
            if (!DrawThemed(hTheme, pDC, nState, rc)) {
                pDC->Draw3dRect(&rc, pSys->clrBtnDkShadow, pSys->clrBtnHilite);
                CRect inner = rc;
                inner.DeflateRect(1, 1);
                pDC->Draw3dRect(&inner, pSys->clrBtnShadow, pSys->clrBtnFace);
            }
            break;
        }
        }
        rc.DeflateRect(1, 1);
        ix++;
        iy++;
    }
    DrawImage(ix, iy, cxImage, cyImage, drawData, m_nImage * m_pToolBar->GetImageWidth(), 0, pDC);
    return TRUE;
}

void OZWStdBtn::DrawImage(int ix, int iy, int cx, int cy, OZWBtnDrawData& drawData, int xSrc, int ySrc, CDC* pDC)
{
    if (drawData.GetSelectedImage() == nullptr)
        return;
    const COLORREF clrTransparent = drawData.GetTransparentColor();
    const OZWBtnLook look = GetBtnLook(GetTheme());
    const BOOL bHot = (m_nStyle & TBB_HOT) != 0;
    const BOOL bDown = (m_nStyle & (TBB_CHECKED | TBB_PRESSED)) != 0;
    const BOOL bDisabled = (m_nStyle & TBB_DISABLED) != 0;
    HDC hImage = drawData.m_dcImage.m_hDC;
    // A disabled image is drawn by the disabled step alone (the classic
    // emboss covers whatever lies under it; the shaded images of the other
    // looks would not).
    if (bDisabled && look != btnLookClassic && !m_pToolBar->IsConfigMode())
        return;
    switch (look) {
    case btnLookDotNet:
        if (bHot && !bDown) {
            UXDrawDCFlatImageShadow(pDC->m_hDC, ix + 2, iy + 2, cx, cy, hImage, xSrc, ySrc, clrTransparent,
                                    UXGetDNETColor(30));
            UXDrawDCImage(pDC->m_hDC, ix, iy, cx, cy, hImage, xSrc, ySrc, clrTransparent);
        }
        else if (!bHot && !bDown && !m_pToolBar->IsConfigMode()) {
            UXDrawDCHighlightedImage(pDC->m_hDC, ix + 1, iy + 1, cx, cy, hImage, xSrc, ySrc, clrTransparent,
                                     ::GetSysColor(COLOR_WINDOW), 178);
        }
        else {
            UXDrawDCImage(pDC->m_hDC, ix + 1, iy + 1, cx, cy, hImage, xSrc, ySrc, clrTransparent);
        }
        break;
    case btnLookOffice2003:
    case btnLookVistaClassic:
        UXDrawDCImage(pDC->m_hDC, ix, iy, cx, cy, hImage, xSrc, ySrc, clrTransparent);
        break;
    default:
        UXTransparentBlt(pDC->m_hDC, ix, iy, cx, cy, hImage, xSrc, ySrc, cx, cy, clrTransparent);
        break;
    }
}

void OZWStdBtn::DrawDisabled(OZWBtnDrawData& drawData, const CRect& rc, int ix, int iy, CDC* pDC)
{
    if (drawData.GetSelectedImage() == nullptr)
        return;
    const int cx = m_pToolBar->GetImageWidth();
    const int cy = m_pToolBar->GetImageHeight();
    const int xSrc = m_nImage * cx;
    const OZWBtnLook look = GetBtnLook(GetTheme());
    const COLORREF clrTransparent = drawData.GetTransparentColor();
    if (look == btnLookClassic) {
        // Embossed: the image's shape in the highlight colour one pixel down
        // and right, then in the shadow colour in its place.
        OZW_AUX_DATA* pSys = UXGetSysData();
        MakeImageMask(drawData, xSrc, cx, cy);
        CBrush brHilite(pSys->clrBtnHilite);
        CBrush brShadow(pSys->clrBtnShadow);
        PaintThroughMask(pDC, drawData, &brHilite, ix + 1, iy + 1, cx, cy, kRopPSDPxax);
        PaintThroughMask(pDC, drawData, &brShadow, ix, iy, cx, cy, kRopPSDPxax);
        return;
    }
    if (m_nStyle & TBB_CHECKED) {
        CRect fill = rc;
        fill.InflateRect(1, 1);
        pDC->FillSolidRect(&fill, UXGetDNETColor(9));
    }
    UXDrawDCFullImageShadow(pDC->m_hDC, ix, iy, cx, cy, drawData.m_dcImage.m_hDC, xSrc, 0, clrTransparent,
                            UXGetDNETColor(31));
}

void OZWStdBtn::DrawChecked(OZWBtnDrawData& drawData, const CRect& rc, int, int, CDC* pDC)
{
    if (GetBtnLook(GetTheme()) != btnLookClassic)
        return;
    // The dither of a checked button over its face- and highlight-coloured
    // pixels.
    OZW_AUX_DATA* pSys = UXGetSysData();
    const int cx = rc.Width();
    const int cy = rc.Height();
    const COLORREF oldBk = pDC->SetBkColor(pSys->clrBtnFace);
    drawData.m_dcMask.BitBlt(0, 0, cx, cy, pDC, rc.left, rc.top, SRCCOPY);
    pDC->SetBkColor(pSys->clrBtnHilite);
    drawData.m_dcMask.BitBlt(0, 0, cx, cy, pDC, rc.left, rc.top, SRCPAINT);
    pDC->SetBkColor(oldBk);
    PaintThroughMask(pDC, drawData, &drawData.m_brHalftone, rc.left, rc.top, cx, cy, kRopDSPDxax);
}

void OZWStdBtn::DrawIndeterminate(OZWBtnDrawData& drawData, const CRect& rc, int ix, int iy, CDC* pDC)
{
    const int cx = m_pToolBar->GetImageWidth();
    const int cy = m_pToolBar->GetImageHeight();
    const int xSrc = m_nImage * cx;
    const OZWBtnLook look = GetBtnLook(GetTheme());
    const COLORREF clrTransparent = drawData.GetTransparentColor();
    if (look == btnLookClassic) {
        if (drawData.GetSelectedImage() == nullptr)
            return;
        OZW_AUX_DATA* pSys = UXGetSysData();
        MakeImageMask(drawData, xSrc, cx, cy);
        CBrush brShadow(pSys->clrBtnShadow);
        PaintThroughMask(pDC, drawData, &brShadow, ix, iy, cx, cy, kRopPSDPxax);
        // The halftone over the image's shape.
        drawData.m_dcMask.PatBlt(0, 0, cx, cy, DSTINVERT);
        PaintThroughMask(pDC, drawData, &drawData.m_brHalftone, ix, iy, cx, cy, kRopDSPDxax);
        return;
    }
    if (!(m_nStyle & (TBB_CHECKED | TBB_PRESSED))) {
        if (look != btnLookVistaClassic)
            pDC->FillSolidRect(&rc, UXGetDNETColor(9));
    }
    else if (m_nStyle & TBB_CHECKED) {
        pDC->FillSolidRect(&rc, UXGetDNETColor(11));
        FrameSolid(pDC, rc, UXGetDNETColor(12));
    }
    if (drawData.GetSelectedImage() != nullptr)
        UXDrawDCFullImageShadow(pDC->m_hDC, ix, iy, cx, cy, drawData.m_dcImage.m_hDC, xSrc, 0, clrTransparent,
                                UXGetDNETColor(31));
}

void OZWStdBtn::DrawThemedMask(OZWBtnDrawData& drawData, CDC* pTarget)
{
    if (GetTheme() == nullptr || !IsTransparentLook())
        return;
    // Face-coloured pixels of the canvas let the toolbar's background show.
    OZW_AUX_DATA* pSys = UXGetSysData();
    CDC& canvas = drawData.m_dcButton;
    canvas.SetBkColor(pSys->clrBtnFace);
    drawData.m_dcMask.PatBlt(0, 0, m_cx, m_cy, WHITENESS);
    drawData.m_dcMask.BitBlt(0, 0, m_cx, m_cy, &canvas, 0, 0, SRCCOPY);
    canvas.SetBkColor(RGB(255, 255, 255));
    canvas.SetTextColor(RGB(0, 0, 0));
    canvas.BitBlt(0, 0, m_cx, m_cy, pTarget, m_x, m_y, SRCINVERT);
    canvas.BitBlt(0, 0, m_cx, m_cy, &drawData.m_dcMask, 0, 0, kRopDSna);
    canvas.BitBlt(0, 0, m_cx, m_cy, pTarget, m_x, m_y, SRCINVERT);
}

void OZWStdBtn::DrawSelection(OZWBtnDrawData&, const CRect& rc, CDC* pDC)
{
    if (m_nStyle & TBB_SELECTED) {
        CRect frame(rc.left, rc.top, rc.left + m_cx, rc.top + m_cy);
        DrawDragFrame(pDC, frame);
    }
}

void OZWStdBtn::DrawDragFrame(CDC* pDC, const CRect& rc)
{
    const COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
    const COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
    pDC->DrawDragRect(&rc, CSize(3, 3), nullptr, CSize(0, 0));
    pDC->SetTextColor(oldText);
    pDC->SetBkColor(oldBk);
}

void OZWStdBtn::BlitToTarget(OZWBtnDrawData& drawData, CDC* pTarget)
{
    pTarget->BitBlt(m_x, m_y, m_cx, m_cy, &drawData.m_dcButton, 0, 0, SRCCOPY);
}

/////////////////////////////////////////////////////////////////////////////
// OZWBtnDrawData

OZWBtnDrawData::OZWBtnDrawData()
{
    if (!m_dcMask.CreateCompatibleDC(nullptr) || !m_dcImage.CreateCompatibleDC(nullptr) ||
        !m_dcButton.CreateCompatibleDC(nullptr))
        AfxThrowResourceException();
    RefreshColors();
    if (m_brHalftone.m_hObject == nullptr)
        AfxThrowResourceException();
}

OZWBtnDrawData::~OZWBtnDrawData()
{
    Release();
}

void OZWBtnDrawData::RefreshColors()
{
    // An 8 x 8 one-bit pattern of alternating rows 0x55 / 0xAA: the face
    // colour for 0, the highlight colour for 1.
    WORD bits[8];
    for (int i = 0; i < 8; ++i)
        bits[i] = (i & 1) ? 0xAA : 0x55;
    CBitmap pattern;
    if (!pattern.CreateBitmap(8, 8, 1, 1, bits))
        return;
    OZW_AUX_DATA* pSys = UXGetSysData();
    // A colour bitmap of the pattern, so that the brush keeps its colours
    // whatever the text and background colours of the DC it paints.
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hColour = ::CreateCompatibleBitmap(hScreen, 8, 8);
    HDC hSrc = ::CreateCompatibleDC(hScreen);
    HDC hDst = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    if (hColour != nullptr && hSrc != nullptr && hDst != nullptr) {
        HGDIOBJ oldSrc = ::SelectObject(hSrc, pattern.m_hObject);
        HGDIOBJ oldDst = ::SelectObject(hDst, hColour);
        ::SetTextColor(hDst, pSys->clrBtnFace);
        ::SetBkColor(hDst, pSys->clrBtnHilite);
        ::BitBlt(hDst, 0, 0, 8, 8, hSrc, 0, 0, SRCCOPY);
        ::SelectObject(hSrc, oldSrc);
        ::SelectObject(hDst, oldDst);
        m_brHalftone.DeleteObject();
        m_brHalftone.Attach(::CreatePatternBrush(hColour));
    }
    if (hColour != nullptr)
        ::DeleteObject(hColour);
    if (hSrc != nullptr)
        ::DeleteDC(hSrc);
    if (hDst != nullptr)
        ::DeleteDC(hDst);
}

void OZWBtnDrawData::SetTransparentColor(COLORREF clr, BOOL bSet)
{
    m_clrTransparent = clr;
    m_bTransparentSet = bSet;
}

COLORREF OZWBtnDrawData::GetTransparentColor()
{
    if (m_bTransparentSet)
        return m_clrTransparent;
    if (m_hSelected != nullptr) {
        BITMAP bm = {};
        if (::GetObjectA(m_hSelected, sizeof(bm), &bm) != 0 && bm.bmBitsPixel >= 16)
            return m_dcImage.GetPixel(0, 0);
    }
    return RGB(192, 192, 192);
}

BOOL OZWBtnDrawData::Prepare(CDC* pDC, int cx, int cy)
{
    if (m_bmCanvas.m_hObject != nullptr && m_sizeCanvas.cx >= cx && m_sizeCanvas.cy >= cy)
        return TRUE;
    const int cxNew = std::max((int)m_sizeCanvas.cx, cx);
    const int cyNew = std::max((int)m_sizeCanvas.cy, cy);
    if (m_hOldCanvas != nullptr) {
        m_dcButton.SelectObject(m_hOldCanvas);
        m_hOldCanvas = nullptr;
    }
    if (m_hOldMask != nullptr) {
        m_dcMask.SelectObject(m_hOldMask);
        m_hOldMask = nullptr;
    }
    m_bmCanvas.DeleteObject();
    m_bmMask.DeleteObject();
    m_sizeCanvas = CSize(0, 0);
    if (!m_bmCanvas.CreateCompatibleBitmap(pDC, cxNew, cyNew) || !m_bmMask.CreateBitmap(cxNew, cyNew, 1, 1, nullptr)) {
        m_bmCanvas.DeleteObject();
        m_bmMask.DeleteObject();
        return FALSE;
    }
    m_hOldCanvas = m_dcButton.SelectObject(m_bmCanvas.m_hObject);
    m_hOldMask = m_dcMask.SelectObject(m_bmMask.m_hObject);
    m_sizeCanvas = CSize(cxNew, cyNew);
    return TRUE;
}

void OZWBtnDrawData::SelectImage(HBITMAP hBitmap)
{
    if (hBitmap == m_hSelected)
        return;
    if (hBitmap == nullptr) {
        if (m_hOldImage != nullptr)
            m_dcImage.SelectObject(m_hOldImage);
        m_hOldImage = nullptr;
        m_hSelected = nullptr;
        return;
    }
    HGDIOBJ hOld = m_dcImage.SelectObject((HGDIOBJ)hBitmap);
    if (m_hOldImage == nullptr)
        m_hOldImage = hOld;
    m_hSelected = hBitmap;
}

void OZWBtnDrawData::Release()
{
    SelectImage(nullptr);
    if (m_hOldCanvas != nullptr)
        m_dcButton.SelectObject(m_hOldCanvas);
    if (m_hOldMask != nullptr)
        m_dcMask.SelectObject(m_hOldMask);
    m_hOldCanvas = nullptr;
    m_hOldMask = nullptr;
    m_bmCanvas.DeleteObject();
    m_bmMask.DeleteObject();
    m_sizeCanvas = CSize(0, 0);
}
