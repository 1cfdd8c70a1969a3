#include "toolbars/buttons/BmpMgr.h"

#include "platform/theme/ThemeLib.h"
#include "toolbars/buttons/SysColorBitmap.h"

#include <memory>

IMPLEMENT_DYNAMIC(OZWBmpMgr, CObject)

OZWBmpMgr::OZWBmpMgr() = default;

OZWBmpMgr::~OZWBmpMgr()
{
    for (BmpInfo* pInfo : m_arrBmps) {
        if (!pInfo->bSmallExternal)
            FreeStrip(pInfo->hSmall);
        if (!pInfo->bLargeExternal)
            FreeStrip(pInfo->hLarge);
        delete pInfo;
    }
}

void OZWBmpMgr::Release()
{
    if (--m_nRefCount <= 0)
        delete this;
}

void OZWBmpMgr::FreeStrip(HBITMAP& hBitmap)
{
    if (hBitmap != nullptr)
        ::DeleteObject(hBitmap);
    hBitmap = nullptr;
}

BOOL OZWBmpMgr::ReadToolBarResource(UINT nID, UINT** ppIDs, int* pnCount, int* pcx, int* pcy,
                                    BOOL bKeepSeparators)
{
    if (ppIDs != nullptr)
        *ppIDs = nullptr;
    if (pnCount != nullptr)
        *pnCount = 0;
    LPCTSTR lpszName = MAKEINTRESOURCE(nID);
    const HINSTANCE hInst = AfxFindResourceHandle(lpszName, RT_TOOLBAR);
    const HRSRC hRes = ::FindResourceA(hInst, lpszName, RT_TOOLBAR);
    if (hRes == nullptr)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    const WORD* pData = hGlobal != nullptr ? (const WORD*)::LockResource(hGlobal) : nullptr;
    const DWORD size = ::SizeofResource(hInst, hRes);
    // Version, width, height, count, then count ids.
    if (pData == nullptr || size < 4 * sizeof(WORD))
        return FALSE;
    const int nItems = pData[3];
    if (size < (DWORD)(4 + nItems) * sizeof(WORD))
        return FALSE;
    if (pcx != nullptr)
        *pcx = pData[1];
    if (pcy != nullptr)
        *pcy = pData[2];
    std::unique_ptr<UINT[]> ids(new UINT[nItems > 0 ? nItems : 1]);
    int n = 0;
    for (int i = 0; i < nItems; ++i) {
        if (pData[4 + i] != 0 || bKeepSeparators)
            ids[n++] = pData[4 + i];
    }
    if (pnCount != nullptr)
        *pnCount = n;
    if (ppIDs != nullptr)
        *ppIDs = ids.release();
    return TRUE;
}

int OZWBmpMgr::AddToolBarResource(UINT nSmallID, UINT nLargeID, BOOL bSysColor)
{
    UINT* pIDs = nullptr;
    int nCount = 0;
    int cx = 0;
    int cy = 0;
    if (!ReadToolBarResource(nSmallID, &pIDs, &nCount, &cx, &cy, FALSE))
        return 0;
    std::unique_ptr<UINT[]> ids(pIDs);
    if (m_arrBmps.empty()) {
        int cxLarge = m_cxLarge;
        int cyLarge = m_cyLarge;
        if (nLargeID != 0) {
            UINT* pLargeIDs = nullptr;
            if (!ReadToolBarResource(nLargeID, &pLargeIDs, nullptr, &cxLarge, &cyLarge, FALSE))
                return 0;
            delete[] pLargeIDs;
        }
        m_cxSmall = cx;
        m_cySmall = cy;
        m_cxLarge = cxLarge;
        m_cyLarge = cyLarge;
    }
    if (!AddBitmap(nSmallID, nLargeID, ids.get(), nCount, bSysColor))
        return 0;
    return nCount;
}

BOOL OZWBmpMgr::AddBitmap(UINT nSmallID, UINT nLargeID, const UINT* pIDs, int nCount, BOOL bSysColor)
{
    BmpInfo* pInfo = new BmpInfo;
    pInfo->nSmallID = nSmallID;
    pInfo->nLargeID = nLargeID;
    pInfo->nImages = nCount;
    pInfo->bSysColor = bSysColor;
    // The record is kept once; its ids refer to it by its place.
    m_arrBmps.push_back(pInfo);
    RegisterIds((int)m_arrBmps.size() - 1, pIDs, nCount);
    return LoadBitmaps(pInfo, TRUE);
}

void OZWBmpMgr::RegisterIds(int nBmp, const UINT* pIDs, int nCount)
{
    for (int i = 0; i < nCount; ++i)
        m_mapImages.emplace(pIDs[i], BmpItem{nBmp, i});
}

BOOL OZWBmpMgr::GetImage(UINT nID, HBITMAP* phBitmap, int* pnIndex, BOOL bForceSmall) const
{
    auto it = m_mapImages.find(nID);
    if (it == m_mapImages.end())
        return FALSE;
    const BmpInfo* pInfo = m_arrBmps[(size_t)it->second.nBmp];
    if (phBitmap != nullptr)
        *phBitmap = (bForceSmall || m_bSmallMode) ? pInfo->hSmall : pInfo->hLarge;
    if (pnIndex != nullptr)
        *pnIndex = it->second.nImage;
    return TRUE;
}

void OZWBmpMgr::SetSmallSize(int cx, int cy)
{
    m_cxSmall = cx;
    m_cySmall = cy;
}

void OZWBmpMgr::SetLargeSize(int cx, int cy)
{
    m_cxLarge = cx;
    m_cyLarge = cy;
}

void OZWBmpMgr::SetSmallMode(BOOL bSmall)
{
    bSmall = bSmall ? TRUE : FALSE;
    if (bSmall == m_bSmallMode)
        return;
    m_bSmallMode = bSmall;
    ReloadAll(TRUE);
}

void OZWBmpMgr::SetKeepBoth(BOOL bKeepBoth)
{
    bKeepBoth = bKeepBoth ? TRUE : FALSE;
    if (bKeepBoth == m_bKeepBoth)
        return;
    m_bKeepBoth = bKeepBoth;
    ReloadAll(FALSE);
}

BOOL OZWBmpMgr::ReloadAll(BOOL bForce)
{
    for (BmpInfo* pInfo : m_arrBmps)
        LoadBitmaps(pInfo, bForce);
    return TRUE;
}

BOOL OZWBmpMgr::LoadBitmaps(BmpInfo* pInfo, BOOL bForce)
{
    if (!pInfo->bSmallExternal && (m_bSmallMode || m_bKeepBoth)) {
        if (pInfo->hLarge != nullptr && m_bSmallMode && !m_bKeepBoth && !pInfo->bLargeExternal)
            FreeStrip(pInfo->hLarge);
        if (pInfo->hSmall != nullptr && bForce)
            FreeStrip(pInfo->hSmall);
        if (pInfo->hSmall == nullptr && !LoadSmall(pInfo))
            return FALSE;
    }
    if (pInfo->bLargeExternal || m_bSmallMode)
        return TRUE;
    // Large images.
    if (!m_bKeepBoth && !pInfo->bSmallExternal)
        FreeStrip(pInfo->hSmall);
    if (pInfo->hLarge != nullptr) {
        if (!bForce)
            return TRUE;
        FreeStrip(pInfo->hLarge);
    }
    return LoadLarge(pInfo);
}

HBITMAP OZWBmpMgr::LoadStrip(UINT nID, BOOL bSysColor)
{
    LPCTSTR lpszName = MAKEINTRESOURCE(nID);
    if (bSysColor && !UXIsDotNetStyleEnabled()) {
        CBitmap bitmap;
        if (!dedaride::foundation::LoadSysColorBitmap(&bitmap, lpszName))
            return nullptr;
        return (HBITMAP)bitmap.Detach();
    }
    return ::LoadBitmapA(AfxFindResourceHandle(lpszName, RT_BITMAP), lpszName);
}

BOOL OZWBmpMgr::LoadSmall(BmpInfo* pInfo)
{
    if (pInfo->bSmallExternal)
        return TRUE;
    pInfo->hSmall = LoadStrip(pInfo->nSmallID, pInfo->bSysColor);
    return pInfo->hSmall != nullptr;
}

BOOL OZWBmpMgr::LoadLarge(BmpInfo* pInfo)
{
    if (pInfo->bLargeExternal)
        return TRUE;
    if (pInfo->nLargeID != 0) {
        pInfo->hLarge = LoadStrip(pInfo->nLargeID, pInfo->bSysColor);
        return pInfo->hLarge != nullptr;
    }
    // The small strip stretched, image by image.
    const BOOL bTemporary = pInfo->hSmall == nullptr;
    if (bTemporary && !LoadSmall(pInfo))
        return FALSE;
    BOOL bOK = FALSE;
    HDC hScreen = ::GetDC(nullptr);
    HDC hSrc = ::CreateCompatibleDC(hScreen);
    HDC hDst = ::CreateCompatibleDC(hScreen);
    const int nImages = pInfo->nImages > 0 ? pInfo->nImages : 1;
    HBITMAP hLarge = ::CreateCompatibleBitmap(hScreen, nImages * m_cxLarge, m_cyLarge);
    ::ReleaseDC(nullptr, hScreen);
    if (hSrc != nullptr && hDst != nullptr && hLarge != nullptr) {
        HGDIOBJ hOldSrc = ::SelectObject(hSrc, pInfo->hSmall);
        HGDIOBJ hOldDst = ::SelectObject(hDst, hLarge);
        ::SetStretchBltMode(hDst, COLORONCOLOR);
        for (int i = 0; i < pInfo->nImages; ++i)
            ::StretchBlt(hDst, i * m_cxLarge, 0, m_cxLarge, m_cyLarge, hSrc, i * m_cxSmall, 0, m_cxSmall, m_cySmall,
                         SRCCOPY);
        ::SelectObject(hSrc, hOldSrc);
        ::SelectObject(hDst, hOldDst);
        pInfo->hLarge = hLarge;
        hLarge = nullptr;
        bOK = TRUE;
    }
    if (hLarge != nullptr)
        ::DeleteObject(hLarge);
    if (hSrc != nullptr)
        ::DeleteDC(hSrc);
    if (hDst != nullptr)
        ::DeleteDC(hDst);
    if (bTemporary)
        FreeStrip(pInfo->hSmall);
    return bOK;
}
