#include "frame/support/OZWMemDC.h"

namespace dedaride {
namespace foundation {

IMPLEMENT_DYNAMIC(OZWMemDC, CDC)

OZWMemDC::OZWMemDC(CDC* pDC, int left, int top, int right, int bottom,
                   BOOL bCreateNow, BOOL bCopyTargetMapping)
    : m_pDC(pDC), m_rect(left, top, right, bottom), m_bCopyTargetMapping(bCopyTargetMapping)
{
    if (pDC == nullptr)
        AfxThrowResourceException();
    if (bCreateNow)
        Create();
}

OZWMemDC::~OZWMemDC()
{
    if (m_bCreated && m_hDC != nullptr && m_pDC->m_hDC != nullptr) {
        // The copy runs in device pixels on both sides, so that no mapping
        // the painting code left behind (or an inverted axis of the
        // target's) can move or cut the picture.
        const int savedMem = ::SaveDC(m_hDC);
        const int savedTarget = ::SaveDC(m_pDC->m_hDC);
        for (HDC h : { m_hDC, m_pDC->m_hDC }) {
            ::SetMapMode(h, MM_TEXT);
            ::SetWindowOrgEx(h, 0, 0, nullptr);
            ::SetViewportOrgEx(h, 0, 0, nullptr);
        }
        ::BitBlt(m_pDC->m_hDC, m_rectDevice.left, m_rectDevice.top, m_rectDevice.Width(),
                 m_rectDevice.Height(), m_hDC, 0, 0, SRCCOPY);
        ::RestoreDC(m_pDC->m_hDC, savedTarget);
        ::RestoreDC(m_hDC, savedMem);
    }
    if (m_hDC != nullptr && m_hOldBitmap != nullptr)
        ::SelectObject(m_hDC, m_hOldBitmap);
    m_pOldBitmap = nullptr;
    m_hOldBitmap = nullptr;
    m_bitmap.DeleteObject();
    // CDC's destructor deletes the memory DC.
}

void OZWMemDC::Create()
{
    if (m_bCreated)
        return;
    HDC hAttrib = m_pDC->m_hAttribDC != nullptr ? m_pDC->m_hAttribDC : m_pDC->m_hDC;
    if (hAttrib != nullptr) {
        m_nMapMode = ::GetMapMode(hAttrib);
        POINT pt;
        SIZE sz;
        ::GetViewportOrgEx(hAttrib, &pt);
        m_ptViewportOrg = pt;
        ::GetWindowOrgEx(hAttrib, &pt);
        m_ptWindowOrg = pt;
        ::GetViewportExtEx(hAttrib, &sz);
        m_sizeViewportExt = sz;
        ::GetWindowExtEx(hAttrib, &sz);
        m_sizeWindowExt = sz;
        if (!m_bCopyTargetMapping) {
            // Only the mapping-copy mode keeps these; the plain mode reads
            // them again from the target when it sets its own mapping.
            m_ptViewportOrg = m_ptWindowOrg = CPoint(0, 0);
            m_sizeViewportExt = m_sizeWindowExt = CSize(0, 0);
        }
        POINT corners[2] = { { m_rect.left, m_rect.top }, { m_rect.right, m_rect.bottom } };
        ::LPtoDP(hAttrib, corners, 2);
        m_rectDevice.SetRect(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
        m_rectDevice.NormalizeRect();
    } else {
        m_rectDevice = m_rect;
        m_rectDevice.NormalizeRect();
    }

    CreateMemDC();
    CreateBitmap();
    SelectBitmap();
    ApplyMapping();
    m_bCreated = TRUE;
}

void OZWMemDC::CreateMemDC()
{
    if (!CreateCompatibleDC(m_pDC))
        AfxThrowResourceException();
}

void OZWMemDC::CreateBitmap()
{
    // An empty rectangle still gets a pixel, so that a paint pass over
    // nothing draws and copies nothing instead of failing.
    const int cx = m_rectDevice.Width() > 0 ? m_rectDevice.Width() : 1;
    const int cy = m_rectDevice.Height() > 0 ? m_rectDevice.Height() : 1;
    if (!m_bitmap.CreateCompatibleBitmap(m_pDC, cx, cy))
        AfxThrowResourceException();
}

void OZWMemDC::SelectBitmap()
{
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
    m_pOldBitmap = m_hOldBitmap != nullptr ? CBitmap::FromHandle(static_cast<HBITMAP>(m_hOldBitmap))
                                           : nullptr;
}

void OZWMemDC::ApplyMapping()
{
    HDC hAttrib = m_pDC->m_hAttribDC != nullptr ? m_pDC->m_hAttribDC : m_pDC->m_hDC;
    if (hAttrib == nullptr)
        return;
    // The logical point of the target at the rectangle's top-left device
    // pixel: it must land on the bitmap's first pixel.
    POINT corner = { m_rectDevice.left, m_rectDevice.top };
    ::DPtoLP(hAttrib, &corner, 1);

    ::SetMapMode(m_hDC, m_nMapMode);
    if (m_bCopyTargetMapping) {
        // The target's own origins and extents, with the viewport moved by
        // the rectangle's device position: device = target's device - corner.
        ::SetWindowExtEx(m_hDC, m_sizeWindowExt.cx, m_sizeWindowExt.cy, nullptr);
        ::SetViewportExtEx(m_hDC, m_sizeViewportExt.cx, m_sizeViewportExt.cy, nullptr);
        ::SetViewportOrgEx(m_hDC, m_ptViewportOrg.x - m_rectDevice.left,
                           m_ptViewportOrg.y - m_rectDevice.top, nullptr);
        ::SetWindowOrgEx(m_hDC, m_ptWindowOrg.x, m_ptWindowOrg.y, nullptr);
    } else {
        SIZE sz;
        ::GetWindowExtEx(hAttrib, &sz);
        ::SetWindowExtEx(m_hDC, sz.cx, sz.cy, nullptr);
        ::GetViewportExtEx(hAttrib, &sz);
        ::SetViewportExtEx(m_hDC, sz.cx, sz.cy, nullptr);
        ::SetWindowOrgEx(m_hDC, corner.x, corner.y, nullptr);
    }
}

} // namespace foundation
} // namespace dedaride
