#include "frame/support/OZWIcon.h"

IMPLEMENT_DYNAMIC(OZWIcon, CObject)

OZWIcon::OZWIcon() = default;

OZWIcon::~OZWIcon()
{
    Release();
}

void OZWIcon::Release()
{
    if (m_bOwned && m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
    m_bOwned = FALSE;
}

void OZWIcon::SetIcon(HICON hIcon)
{
    if (hIcon != m_hIcon)
        Release();
    m_hIcon = hIcon;
    if (hIcon == nullptr)
        return;
    ICONINFO info {};
    if (::GetIconInfo(hIcon, &info)) {
        m_cx = (int)info.xHotspot * 2;
        m_cy = (int)info.yHotspot * 2;
        // The query hands out copies of the icon's bitmaps.
        if (info.hbmMask != nullptr)
            ::DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr)
            ::DeleteObject(info.hbmColor);
    }
}

BOOL OZWIcon::LoadIcon(UINT nID, int cx, int cy)
{
    return LoadIcon(MAKEINTRESOURCE(nID), cx, cy);
}

BOOL OZWIcon::LoadIcon(LPCTSTR lpszName, int cx, int cy)
{
    HINSTANCE hResource = AfxGetResourceHandle();
    if (hResource == nullptr)
        return FALSE;
    HICON hIcon = static_cast<HICON>(::LoadImageA(hResource, lpszName, IMAGE_ICON, cx, cy, 0));
    if (hIcon == nullptr)
        return FALSE;
    SetIcon(hIcon);
    m_bOwned = TRUE;
    // The size asked for wins over the one measured.
    m_cx = cx;
    m_cy = cy;
    return TRUE;
}

BOOL OZWIcon::Draw(CDC* pDC, int x, int y, int cx, int cy, CBrush* pBrush)
{
    return ::DrawIconEx(pDC != nullptr ? pDC->m_hDC : nullptr, x, y, m_hIcon, cx, cy, 0,
                        pBrush != nullptr ? static_cast<HBRUSH>(pBrush->GetSafeHandle()) : nullptr,
                        DI_NORMAL);
}

BOOL OZWIcon::Draw(CDC* pDC, int x, int y, CBrush* pBrush)
{
    return Draw(pDC, x, y, m_cx, m_cy, pBrush);
}
