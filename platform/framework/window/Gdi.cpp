// Device contexts and GDI objects over gdi32.
#include "platform/framework/window/Gdi.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/window/Wnd.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {

void ClearGdiObject(CGdiObject* p) { p->m_hObject = nullptr; }
void ClearDC(CDC* p) { p->m_hDC = p->m_hAttribDC = nullptr; }

kvafx::HandleMap<CGdiObject, HGDIOBJ, ClearGdiObject>& GdiMap()
{
    // Never destroyed: objects with static lifetime may outlive any exit-time cleanup.
    static auto* map = new kvafx::HandleMap<CGdiObject, HGDIOBJ, ClearGdiObject>;
    return *map;
}

kvafx::HandleMap<CDC, HDC, ClearDC>& DCMap()
{
    static auto* map = new kvafx::HandleMap<CDC, HDC, ClearDC>;
    return *map;
}

// A temporary wrapper of the class that matches the object's kind, so that
// the pointer handed out really is a CPen, a CFont, ...
CGdiObject* NewWrapperFor(DWORD type)
{
    switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return new CPen;
    case OBJ_BRUSH:  return new CBrush;
    case OBJ_FONT:   return new CFont;
    case OBJ_BITMAP: return new CBitmap;
    case OBJ_REGION: return new CRgn;
    case OBJ_PAL:    return new CPalette;
    default:         return new CGdiObject;
    }
}

bool WrapperMatches(const CGdiObject* p, DWORD type)
{
    switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return p->IsKindOf(RUNTIME_CLASS(CPen));
    case OBJ_BRUSH:  return p->IsKindOf(RUNTIME_CLASS(CBrush));
    case OBJ_FONT:   return p->IsKindOf(RUNTIME_CLASS(CFont));
    case OBJ_BITMAP: return p->IsKindOf(RUNTIME_CLASS(CBitmap));
    case OBJ_REGION: return p->IsKindOf(RUNTIME_CLASS(CRgn));
    case OBJ_PAL:    return p->IsKindOf(RUNTIME_CLASS(CPalette));
    default:         return true;
    }
}

HWND HwndOf(CWnd* pWnd) { return pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr; }

// The point or size a GDI call hands back through its last argument.
template<class F> CPoint PointFrom(F f)
{
    POINT pt = {};
    f(&pt);
    return CPoint(pt.x, pt.y);
}

template<class F> CSize SizeFrom(F f)
{
    SIZE size = {};
    f(&size);
    return CSize(size.cx, size.cy);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CGdiObject

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    // A handle value may come back as an object of another kind: a
    // temporary of the wrong class is replaced.
    DWORD type = hObject != nullptr ? ::GetObjectType(hObject) : 0;
    return GdiMap().Lookup(
        hObject,
        [type](HGDIOBJ h) {
            CGdiObject* p = NewWrapperFor(type);
            p->m_hObject = h;
            return p;
        },
        [type](CGdiObject* p) { return WrapperMatches(p, type); });
}

void CGdiObject::DeleteTempMap()
{
    GdiMap().DeleteTemporaries();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    return GdiMap().Attach(this, m_hObject, hObject);
}

HGDIOBJ CGdiObject::Detach()
{
    return GdiMap().Detach(this, m_hObject);
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return ::GetObject(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    return m_hObject != nullptr ? ::GetObjectType(m_hObject) : 0;
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return Attach(::GetStockObject(nIndex));
}

BOOL CGdiObject::UnrealizeObject()
{
    return ::UnrealizeObject(m_hObject);
}

/////////////////////////////////////////////////////////////////////////////
// CPen

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (!CreatePen(nPenStyle, nWidth, crColor))
        AfxThrowResourceException();
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    if (!CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle))
        AfxThrowResourceException();
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    return Attach(::ExtCreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
    return Attach(::CreatePenIndirect(lpLogPen));
}

int CPen::GetLogPen(LOGPEN* pLogPen) const
{
    return ::GetObject(m_hObject, sizeof(LOGPEN), pLogPen);
}

int CPen::GetExtLogPen(EXTLOGPEN* pLogPen) const
{
    return ::GetObject(m_hObject, sizeof(EXTLOGPEN), pLogPen);
}

/////////////////////////////////////////////////////////////////////////////
// CBrush

CBrush::CBrush(COLORREF crColor)
{
    if (!CreateSolidBrush(crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
    if (!CreateHatchBrush(nIndex, crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(CBitmap* pBitmap)
{
    if (!CreatePatternBrush(pBitmap))
        AfxThrowResourceException();
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return Attach(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    return Attach(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    if (pBitmap == nullptr || pBitmap->m_hObject == nullptr)
        return FALSE;
    return Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject)));
}

BOOL CBrush::CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage)
{
    return Attach(::CreateDIBPatternBrushPt(lpPackedDIB, nUsage));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    return Attach(::GetSysColorBrush(nIndex));
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const
{
    return ::GetObject(m_hObject, sizeof(LOGBRUSH), pLogBrush);
}

/////////////////////////////////////////////////////////////////////////////
// CFont

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    return Attach(::CreateFontIndirect(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation,
                       int nWeight, BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut,
                       BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    return Attach(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight,
                               bItalic, bUnderline, cStrikeOut, nCharSet, nOutPrecision,
                               nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName != nullptr)
        lstrcpyn(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    LOGFONT lf = *lpLogFont;
    HDC hDC = pDC != nullptr ? pDC->m_hAttribDC : ::GetDC(nullptr);
    // Tenths of a point to device pixels, then to the DC's logical units.
    POINT pt = { 0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lf.lfHeight, 720) };
    POINT ptOrg = { 0, 0 };
    ::DPtoLP(hDC, &pt, 1);
    ::DPtoLP(hDC, &ptOrg, 1);
    lf.lfHeight = -std::abs(pt.y - ptOrg.y);
    if (pDC == nullptr)
        ::ReleaseDC(nullptr, hDC);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* pLogFont) const
{
    return ::GetObject(m_hObject, sizeof(LOGFONT), pLogFont);
}

/////////////////////////////////////////////////////////////////////////////
// CBitmap

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    return Attach(::LoadBitmap(AfxFindResourceHandle(lpszResourceName, RT_BITMAP), lpszResourceName));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return LoadBitmap(MAKEINTRESOURCE(nIDResource));
}

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap)
{
    return Attach(::LoadBitmap(nullptr, MAKEINTRESOURCE(nIDBitmap)));
}

BOOL CBitmap::LoadMappedBitmap(UINT nIDBitmap, UINT nFlags, LPCOLORMAP lpColorMap, int nMapSize)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDBitmap), RT_BITMAP);
    return Attach(::CreateMappedBitmap(hInst, nIDBitmap, nFlags, lpColorMap, nMapSize));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap)
{
    return Attach(::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    HDC hDC = pDC != nullptr ? pDC->m_hDC : nullptr;
    if (hDC == nullptr) {
        HDC hScreen = ::GetDC(nullptr);
        BOOL ok = Attach(::CreateCompatibleBitmap(hScreen, nWidth, nHeight));
        ::ReleaseDC(nullptr, hScreen);
        return ok;
    }
    return Attach(::CreateCompatibleBitmap(hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return CreateCompatibleBitmap(pDC, nWidth, nHeight);
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    return ::GetObject(m_hObject, sizeof(BITMAP), pBitMap);
}

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits)
{
    return ::SetBitmapBits(static_cast<HBITMAP>(m_hObject), dwCount, lpBits);
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
{
    return ::GetBitmapBits(static_cast<HBITMAP>(m_hObject), dwCount, lpBits);
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight)
{
    return SizeFrom([&](SIZE* p) { ::SetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), nWidth, nHeight, p); });
}

CSize CBitmap::GetBitmapDimension() const
{
    return SizeFrom([&](SIZE* p) { ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), p); });
}

/////////////////////////////////////////////////////////////////////////////
// CRgn

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    return Attach(::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect)
{
    return Attach(::CreateEllipticRgnIndirect(lpRect));
}

BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode)
{
    return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
}

BOOL CRgn::CreatePolyPolygonRgn(const POINT* lpPoints, const INT* lpPolyCounts, int nCount, int nPolyFillMode)
{
    return Attach(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nPolyFillMode));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    ::SetRectRgn(static_cast<HRGN>(m_hObject), x1, y1, x2, y2);
}

void CRgn::SetRectRgn(LPCRECT lpRect)
{
    ::SetRectRgn(static_cast<HRGN>(m_hObject), lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn(static_cast<HRGN>(m_hObject),
                        pRgn1 != nullptr ? static_cast<HRGN>(pRgn1->m_hObject) : nullptr,
                        pRgn2 != nullptr ? static_cast<HRGN>(pRgn2->m_hObject) : nullptr,
                        nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc)
{
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgnSrc->m_hObject),
                        nullptr, RGN_COPY);
}

BOOL CRgn::EqualRgn(const CRgn* pRgn) const
{
    return ::EqualRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn->m_hObject));
}

int CRgn::OffsetRgn(int x, int y)
{
    return ::OffsetRgn(static_cast<HRGN>(m_hObject), x, y);
}

int CRgn::OffsetRgn(POINT point)
{
    return OffsetRgn(point.x, point.y);
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    return ::GetRgnBox(static_cast<HRGN>(m_hObject), lpRect);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y);
}

BOOL CRgn::PtInRegion(POINT point) const
{
    return PtInRegion(point.x, point.y);
}

BOOL CRgn::RectInRegion(LPCRECT lpRect) const
{
    return ::RectInRegion(static_cast<HRGN>(m_hObject), lpRect);
}

int CRgn::GetRegionData(LPRGNDATA lpRgnData, int nCount) const
{
    return static_cast<int>(::GetRegionData(static_cast<HRGN>(m_hObject), nCount, lpRgnData));
}

/////////////////////////////////////////////////////////////////////////////
// CPalette

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette)
{
    return Attach(::CreatePalette(lpLogPalette));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    return Attach(::CreateHalftonePalette(pDC != nullptr ? pDC->m_hDC : nullptr));
}

int CPalette::GetEntryCount() const
{
    WORD n = 0;
    ::GetObject(m_hObject, sizeof(WORD), &n);
    return n;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const
{
    return ::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    return ::SetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors);
}

void CPalette::AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    ::AnimatePalette(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const
{
    return ::GetNearestPaletteIndex(static_cast<HPALETTE>(m_hObject), crColor);
}

BOOL CPalette::ResizePalette(UINT nNumEntries)
{
    return ::ResizePalette(static_cast<HPALETTE>(m_hObject), nNumEntries);
}

/////////////////////////////////////////////////////////////////////////////
// CDC: handles

CDC::~CDC()
{
    if (m_hDC != nullptr)
        ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const
{
    HWND hWnd = ::WindowFromDC(m_hDC);
    return hWnd != nullptr ? CWnd::FromHandle(hWnd) : nullptr;
}

CDC* CDC::FromHandle(HDC hDC)
{
    return DCMap().Lookup(hDC, [](HDC h) {
        CDC* p = new CDC;
        p->m_hDC = p->m_hAttribDC = h;
        return p;
    });
}

void CDC::DeleteTempMap()
{
    DCMap().DeleteTemporaries();
}

BOOL CDC::Attach(HDC hDC)
{
    if (!DCMap().Attach(this, m_hDC, hDC))
        return FALSE;
    SetAttribDC(hDC);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = DCMap().Detach(this, m_hDC);
    ReleaseAttribDC();
    ReleaseOutputDC();
    return hDC;
}

void CDC::SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
void CDC::SetOutputDC(HDC hDC) { m_hDC = hDC; }
void CDC::ReleaseAttribDC() { m_hAttribDC = nullptr; }
void CDC::ReleaseOutputDC() { m_hDC = nullptr; }

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput,
                             static_cast<const DEVMODE*>(lpInitData)));
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateIC(lpszDriverName, lpszDeviceName, lpszOutput,
                             static_cast<const DEVMODE*>(lpInitData)));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC != nullptr ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

int CDC::SaveDC()
{
    int n = 0;
    if (m_hAttribDC != nullptr)
        n = ::SaveDC(m_hAttribDC);
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        int nOut = ::SaveDC(m_hDC);
        if (m_hAttribDC == nullptr)
            n = nOut;
    }
    return n;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL ok = TRUE;
    if (m_hDC != m_hAttribDC && m_hDC != nullptr)
        ok = ::RestoreDC(m_hDC, nSavedDC);
    if (m_hAttribDC != nullptr)
        ok = ::RestoreDC(m_hAttribDC, nSavedDC) && ok;
    return ok;
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return ::GetDeviceCaps(m_hAttribDC, nIndex);
}

/////////////////////////////////////////////////////////////////////////////
// CDC: selected objects

CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hAttribDC, OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hAttribDC, OBJ_BRUSH)));
}

CPalette* CDC::GetCurrentPalette() const
{
    return CPalette::FromHandle(static_cast<HPALETTE>(::GetCurrentObject(m_hAttribDC, OBJ_PAL)));
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hAttribDC, OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hAttribDC, OBJ_BITMAP)));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return nullptr;
    return Both([&](HDC h) { return ::SelectObject(h, hObject); });
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    if (pObject == nullptr)
        return nullptr;
    return CGdiObject::FromHandle(SelectObject(pObject->m_hObject));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return static_cast<CPen*>(SelectObject(static_cast<CGdiObject*>(pPen)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return static_cast<CBrush*>(SelectObject(static_cast<CGdiObject*>(pBrush)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return static_cast<CFont*>(SelectObject(static_cast<CGdiObject*>(pFont)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return static_cast<CBitmap*>(SelectObject(static_cast<CGdiObject*>(pBitmap)));
}

int CDC::SelectObject(CRgn* pRgn)
{
    // Selecting a region sets the clip region and answers the region's type.
    if (pRgn == nullptr || pRgn->m_hObject == nullptr)
        return static_cast<int>(GDI_ERROR);
    return static_cast<int>(reinterpret_cast<INT_PTR>(
        Both([&](HDC h) { return ::SelectObject(h, pRgn->m_hObject); })));
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ h = ::GetStockObject(nIndex);
    return h != nullptr ? CGdiObject::FromHandle(SelectObject(h)) : nullptr;
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    HPALETTE hPal = static_cast<HPALETTE>(pPalette != nullptr ? pPalette->m_hObject : nullptr);
    if (hPal == nullptr)
        return nullptr;
    return CPalette::FromHandle(Both([&](HDC h) { return ::SelectPalette(h, hPal, bForceBackground); }));
}

UINT CDC::RealizePalette()
{
    return ::RealizePalette(m_hDC);
}

void CDC::UpdateColors()
{
    ::UpdateColors(m_hDC);
}

COLORREF CDC::GetNearestColor(COLORREF crColor) const
{
    return ::GetNearestColor(m_hAttribDC, crColor);
}

CPoint CDC::GetBrushOrg() const
{
    return PointFrom([&](POINT* p) { ::GetBrushOrgEx(m_hDC, p); });
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    return PointFrom([&](POINT* p) { ::SetBrushOrgEx(m_hDC, x, y, p); });
}

CPoint CDC::SetBrushOrg(POINT point)
{
    return SetBrushOrg(point.x, point.y);
}

/////////////////////////////////////////////////////////////////////////////
// CDC: colours and modes

COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
COLORREF CDC::SetBkColor(COLORREF c) { return Both([&](HDC h) { return ::SetBkColor(h, c); }); }
int CDC::GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
int CDC::SetBkMode(int n) { return Both([&](HDC h) { return ::SetBkMode(h, n); }); }
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hAttribDC); }
COLORREF CDC::SetTextColor(COLORREF c) { return Both([&](HDC h) { return ::SetTextColor(h, c); }); }
int CDC::GetPolyFillMode() const { return ::GetPolyFillMode(m_hAttribDC); }
int CDC::SetPolyFillMode(int n) { return Both([&](HDC h) { return ::SetPolyFillMode(h, n); }); }
int CDC::GetROP2() const { return ::GetROP2(m_hAttribDC); }
int CDC::SetROP2(int n) { return Both([&](HDC h) { return ::SetROP2(h, n); }); }
int CDC::GetStretchBltMode() const { return ::GetStretchBltMode(m_hAttribDC); }
int CDC::SetStretchBltMode(int n) { return Both([&](HDC h) { return ::SetStretchBltMode(h, n); }); }
int CDC::GetGraphicsMode() const { return ::GetGraphicsMode(m_hAttribDC); }
int CDC::SetGraphicsMode(int n) { return Both([&](HDC h) { return ::SetGraphicsMode(h, n); }); }
UINT CDC::GetTextAlign() const { return ::GetTextAlign(m_hAttribDC); }
UINT CDC::SetTextAlign(UINT n) { return Both([&](HDC h) { return ::SetTextAlign(h, n); }); }
int CDC::GetTextCharacterExtra() const { return ::GetTextCharacterExtra(m_hAttribDC); }
int CDC::SetTextCharacterExtra(int n) { return Both([&](HDC h) { return ::SetTextCharacterExtra(h, n); }); }

/////////////////////////////////////////////////////////////////////////////
// CDC: mapping

int CDC::GetMapMode() const { return ::GetMapMode(m_hAttribDC); }
int CDC::SetMapMode(int n) { return Both([&](HDC h) { return ::SetMapMode(h, n); }); }

CPoint CDC::GetViewportOrg() const
{
    return PointFrom([&](POINT* p) { ::GetViewportOrgEx(m_hAttribDC, p); });
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    return PointFrom([&](POINT* p) { Both([&](HDC h) { return ::SetViewportOrgEx(h, x, y, p); }); });
}

CPoint CDC::SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    return PointFrom([&](POINT* p) { Both([&](HDC h) { return ::OffsetViewportOrgEx(h, nWidth, nHeight, p); }); });
}

CSize CDC::GetViewportExt() const
{
    return SizeFrom([&](SIZE* p) { ::GetViewportExtEx(m_hAttribDC, p); });
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    return SizeFrom([&](SIZE* p) { Both([&](HDC h) { return ::SetViewportExtEx(h, cx, cy, p); }); });
}

CSize CDC::SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    return SizeFrom([&](SIZE* p) { Both([&](HDC h) { return ::ScaleViewportExtEx(h, xNum, xDenom, yNum, yDenom, p); }); });
}

CPoint CDC::GetWindowOrg() const
{
    return PointFrom([&](POINT* p) { ::GetWindowOrgEx(m_hAttribDC, p); });
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    return PointFrom([&](POINT* p) { Both([&](HDC h) { return ::SetWindowOrgEx(h, x, y, p); }); });
}

CPoint CDC::SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    return PointFrom([&](POINT* p) { Both([&](HDC h) { return ::OffsetWindowOrgEx(h, nWidth, nHeight, p); }); });
}

CSize CDC::GetWindowExt() const
{
    return SizeFrom([&](SIZE* p) { ::GetWindowExtEx(m_hAttribDC, p); });
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    return SizeFrom([&](SIZE* p) { Both([&](HDC h) { return ::SetWindowExtEx(h, cx, cy, p); }); });
}

CSize CDC::SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    return SizeFrom([&](SIZE* p) { Both([&](HDC h) { return ::ScaleWindowExtEx(h, xNum, xDenom, yNum, yDenom, p); }); });
}

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const { ::DPtoLP(m_hAttribDC, lpPoints, nCount); }
void CDC::DPtoLP(LPRECT lpRect) const { ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2); }
void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const { ::LPtoDP(m_hAttribDC, lpPoints, nCount); }
void CDC::LPtoDP(LPRECT lpRect) const { ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2); }

// A size has no origin: it scales by the ratio of the extents only.
void CDC::DPtoLP(LPSIZE lpSize) const
{
    CSize winExt = GetWindowExt(), vpExt = GetViewportExt();
    if (vpExt.cx != 0)
        lpSize->cx = ::MulDiv(lpSize->cx, std::abs(winExt.cx), std::abs(vpExt.cx));
    if (vpExt.cy != 0)
        lpSize->cy = ::MulDiv(lpSize->cy, std::abs(winExt.cy), std::abs(vpExt.cy));
}

void CDC::LPtoDP(LPSIZE lpSize) const
{
    CSize winExt = GetWindowExt(), vpExt = GetViewportExt();
    if (winExt.cx != 0)
        lpSize->cx = ::MulDiv(lpSize->cx, std::abs(vpExt.cx), std::abs(winExt.cx));
    if (winExt.cy != 0)
        lpSize->cy = ::MulDiv(lpSize->cy, std::abs(vpExt.cy), std::abs(winExt.cy));
}

/////////////////////////////////////////////////////////////////////////////
// CDC: clipping

int CDC::GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
BOOL CDC::PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
BOOL CDC::PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
BOOL CDC::RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }

int CDC::SelectClipRgn(CRgn* pRgn)
{
    HRGN h = pRgn != nullptr ? static_cast<HRGN>(pRgn->m_hObject) : nullptr;
    return Both([&](HDC hdc) { return ::SelectClipRgn(hdc, h); });
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    HRGN h = pRgn != nullptr ? static_cast<HRGN>(pRgn->m_hObject) : nullptr;
    return Both([&](HDC hdc) { return ::ExtSelectClipRgn(hdc, h, nMode); });
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    return Both([&](HDC h) { return ::ExcludeClipRect(h, x1, y1, x2, y2); });
}

int CDC::ExcludeClipRect(LPCRECT r) { return ExcludeClipRect(r->left, r->top, r->right, r->bottom); }

int CDC::ExcludeUpdateRgn(CWnd* pWnd)
{
    return ::ExcludeUpdateRgn(m_hDC, HwndOf(pWnd));
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return Both([&](HDC h) { return ::IntersectClipRect(h, x1, y1, x2, y2); });
}

int CDC::IntersectClipRect(LPCRECT r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }

int CDC::OffsetClipRgn(int x, int y)
{
    return Both([&](HDC h) { return ::OffsetClipRgn(h, x, y); });
}

int CDC::OffsetClipRgn(SIZE size) { return OffsetClipRgn(size.cx, size.cy); }

/////////////////////////////////////////////////////////////////////////////
// CDC: lines and shapes

CPoint CDC::GetCurrentPosition() const
{
    return PointFrom([&](POINT* p) { ::GetCurrentPositionEx(m_hAttribDC, p); });
}

CPoint CDC::MoveTo(int x, int y)
{
    return PointFrom([&](POINT* p) { Both([&](HDC h) { return ::MoveToEx(h, x, y, p); }); });
}

CPoint CDC::MoveTo(POINT point) { return MoveTo(point.x, point.y); }

BOOL CDC::LineTo(int x, int y)
{
    // The attribute DC keeps the current position in step.
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, nullptr);
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::LineTo(POINT point) { return LineTo(point.x, point.y); }

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }

BOOL CDC::PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount)
{
    return ::PolyPolyline(m_hDC, lpPoints, lpPolyPoints, nCount);
}

BOOL CDC::PolyBezier(const POINT* lpPoints, int nCount) { return ::PolyBezier(m_hDC, lpPoints, nCount); }
BOOL CDC::Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }

BOOL CDC::PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount)
{
    return ::PolyPolygon(m_hDC, lpPoints, lpPolyCounts, nCount);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Rectangle(LPCRECT r) { return Rectangle(r->left, r->top, r->right, r->bottom); }

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}

BOOL CDC::RoundRect(LPCRECT r, POINT point)
{
    return RoundRect(r->left, r->top, r->right, r->bottom, point.x, point.y);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Ellipse(LPCRECT r) { return Ellipse(r->left, r->top, r->right, r->bottom); }

BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

/////////////////////////////////////////////////////////////////////////////
// CDC: fills and frames

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FrameRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}

void CDC::InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    return ::FillRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()),
                     static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    return ::FrameRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()),
                      static_cast<HBRUSH>(pBrush->GetSafeHandle()), nWidth, nHeight);
}

BOOL CDC::InvertRgn(CRgn* pRgn) { return ::InvertRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle())); }
BOOL CDC::PaintRgn(CRgn* pRgn) { return ::PaintRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle())); }

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT r = { x, y, x + cx, y + cy };
    FillSolidRect(&r, clr);
}

void CDC::Draw3dRect(LPCRECT r, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

void CDC::DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) { return ::DrawFrameControl(m_hDC, lpRect, nType, nState); }
BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
BOOL CDC::DrawIcon(POINT point, HICON hIcon) { return DrawIcon(point.x, point.y, hIcon); }

CBrush* CDC::GetHalftoneBrush()
{
    // Made once, shared by every DC of the process, never destroyed.
    static CBrush* brush = [] {
        WORD pattern[8];
        for (int i = 0; i < 8; ++i)
            pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
        CBrush* b = new CBrush;
        HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
        if (hBitmap != nullptr) {
            b->Attach(::CreatePatternBrush(hBitmap));
            ::DeleteObject(hBitmap);
        }
        return b;
    }();
    return brush;
}

namespace {

// The frame between a rectangle and the same rectangle shrunk by size.
void SetFrameRegion(CRgn& frame, LPCRECT lpRect, SIZE size)
{
    RECT inner = { lpRect->left + size.cx, lpRect->top + size.cy,
                   lpRect->right - size.cx, lpRect->bottom - size.cy };
    RECT clipped;
    if (!::IntersectRect(&clipped, &inner, lpRect))
        ::SetRectEmpty(&clipped);
    HRGN outer = ::CreateRectRgnIndirect(lpRect);
    HRGN hole = ::CreateRectRgnIndirect(&clipped);
    frame.CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(static_cast<HRGN>(frame.m_hObject), outer, hole, RGN_XOR);
    ::DeleteObject(outer);
    ::DeleteObject(hole);
}

} // namespace

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast,
                       CBrush* pBrush, CBrush* pBrushLast)
{
    if (pBrush == nullptr)
        pBrush = GetHalftoneBrush();
    if (pBrushLast == nullptr)
        pBrushLast = pBrush;

    CRgn rgnNew;
    SetFrameRegion(rgnNew, lpRect, size);

    int saved = SaveDC();
    auto invert = [this](CRgn& rgn, CBrush* brush) {
        SelectClipRgn(&rgn);
        RECT box;
        GetClipBox(&box);
        CBrush* old = SelectObject(brush);
        PatBlt(box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
        if (old != nullptr)
            SelectObject(old);
    };

    if (lpRectLast != nullptr) {
        CRgn rgnLast;
        SetFrameRegion(rgnLast, lpRectLast, sizeLast);
        if (pBrush->m_hObject == pBrushLast->m_hObject) {
            // Same pattern: inverting the difference of both frames undoes the
            // old one and draws the new one in one pass, without flicker.
            CRgn rgnUpdate;
            rgnUpdate.CreateRectRgn(0, 0, 0, 0);
            rgnUpdate.CombineRgn(&rgnLast, &rgnNew, RGN_XOR);
            invert(rgnUpdate, pBrush);
        } else {
            invert(rgnLast, pBrushLast);
            invert(rgnNew, pBrush);
        }
    } else {
        invert(rgnNew, pBrush);
    }
    RestoreDC(saved);
}

/////////////////////////////////////////////////////////////////////////////
// CDC: bitmaps and pixels

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr,
                    xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC,
                     int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr,
                        xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop);
}

BOOL CDC::MaskBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                  CBitmap& maskBitmap, int xMask, int yMask, DWORD dwRop)
{
    return ::MaskBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr,
                     xSrc, ySrc, static_cast<HBITMAP>(maskBitmap.m_hObject), xMask, yMask, dwRop);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC,
                         int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight,
                            pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr,
                            xSrc, ySrc, nSrcWidth, nSrcHeight, clrTransparent);
}

COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
COLORREF CDC::GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
COLORREF CDC::SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
COLORREF CDC::SetPixel(POINT point, COLORREF c) { return SetPixel(point.x, point.y, c); }
BOOL CDC::SetPixelV(int x, int y, COLORREF c) { return ::SetPixelV(m_hDC, x, y, c); }
BOOL CDC::FloodFill(int x, int y, COLORREF c) { return ::FloodFill(m_hDC, x, y, c); }
BOOL CDC::ExtFloodFill(int x, int y, COLORREF c, UINT nFillType) { return ::ExtFloodFill(m_hDC, x, y, c, nFillType); }

/////////////////////////////////////////////////////////////////////////////
// CDC: text

// The program's text is UTF-8. The narrow text functions of the platform read
// a text in the code page of the font's character set (1252 for most fonts),
// not in the program's, and would draw "m³/h" as "mÂ³/h"; so every text is
// drawn and measured as UTF-16 through the wide functions. Counts are bytes
// of the UTF-8 text, as in the narrow functions; a count of -1, where the
// narrow function takes it, means up to the terminating null.

namespace {

int ByteCount(LPCTSTR lpsz, int nCount)
{
    return lpsz == nullptr ? 0 : nCount < 0 ? (int)std::strlen(lpsz) : nCount;
}

// Per-character advances given one per byte of the UTF-8 text (two per byte
// with ETO_PDY), as the narrow function takes them, made one per UTF-16 unit:
// a character's bytes add up on its first unit.
std::vector<INT> WideAdvances(LPCTSTR lpsz, int nBytes, const std::wstring& wide, const INT* lpDx, bool bPairs)
{
    const size_t per = bPairs ? 2 : 1;
    std::vector<INT> dx(wide.size() * per, 0);
    const std::string_view text(lpsz, (size_t)nBytes);
    size_t unit = 0;
    for (size_t i = 0; i < text.size() && unit < wide.size();) {
        const size_t n = kvutf::CharLength(text, i);
        for (size_t k = 0; k < n; k++)
            for (size_t c = 0; c < per; c++)
                dx[unit * per + c] += lpDx[(i + k) * per + c];
        unit += (size_t)kvutf::UnitsOfChar(n);
        i += n;
    }
    return dx;
}

// DrawTextExW on UTF-8 text. With DT_MODIFYSTRING the text shown (shortened
// with an ellipsis) is written back into lpsz as UTF-8: the caller's buffer
// holds nCount bytes and four more, as the narrow function requires, and the
// text written ends on a whole character followed by a null. The count of
// characters drawn that lpDTParams receives is a count of bytes.
int DrawUtf8(HDC hDC, LPTSTR lpsz, int nCount, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    const int nBytes = ByteCount(lpsz, nCount);
    std::wstring wide = kvutf::Widen(lpsz, nBytes);
    const size_t nUnits = wide.size();
    const bool bModify = (nFormat & DT_MODIFYSTRING) != 0 && lpsz != nullptr;
    // Room for the four units the function may add; a value it never writes
    // marks the ones left unused.
    wide.append(4, (wchar_t)0xFFFE);
    wide.push_back(L'\0');
    const int result = ::DrawTextExW(hDC, wide.data(), (int)nUnits, lpRect, nFormat, lpDTParams);
    if (lpDTParams != nullptr)
        lpDTParams->uiLengthDrawn = (UINT)kvutf::ByteOffset(lpsz, nBytes, (int)lpDTParams->uiLengthDrawn);
    if (bModify) {
        size_t n = 0;
        while (n < nUnits + 4 && wide[n] != L'\0' && wide[n] != (wchar_t)0xFFFE)
            n++;
        const std::string text = kvutf::Narrow(wide.data(), (int)n);
        size_t nKeep = 0;
        while (nKeep < text.size() && nKeep + kvutf::CharLength(text, nKeep) <= (size_t)nBytes + 3)
            nKeep += kvutf::CharLength(text, nKeep);
        std::memcpy(lpsz, text.data(), nKeep);
        lpsz[nKeep] = '\0';
    }
    return result;
}

} // namespace

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    const std::wstring wide = kvutf::Widen(lpszString, ByteCount(lpszString, nCount));
    return ::TextOutW(m_hDC, x, y, wide.c_str(), (int)wide.size());
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, static_cast<LPCTSTR>(str), str.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString,
                     UINT nCount, LPINT lpDxWidths)
{
    // Glyph indexes are no text: they pass as they are.
    if (nOptions & ETO_GLYPH_INDEX)
        return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
    const int nBytes = ByteCount(lpszString, (int)nCount);
    const std::wstring wide = kvutf::Widen(lpszString, nBytes);
    std::vector<INT> dx;
    if (lpDxWidths != nullptr && !wide.empty())
        dx = WideAdvances(lpszString, nBytes, wide, lpDxWidths, (nOptions & ETO_PDY) != 0);
    return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, wide.empty() ? nullptr : wide.c_str(),
                         (UINT)wide.size(), dx.empty() ? nullptr : dx.data());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
{
    return ExtTextOut(x, y, nOptions, lpRect, static_cast<LPCTSTR>(str),
                      static_cast<UINT>(str.GetLength()), lpDxWidths);
}

namespace {
// A packed 16:16 extent as a size, each half signed.
CSize UnpackExtent(LONG packed)
{
    return CSize(static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed)));
}
} // namespace

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount,
                         int nTabPositions, LPINT lpnTabStopPositions, int nTabOrigin)
{
    const std::wstring wide = kvutf::Widen(lpszString, ByteCount(lpszString, nCount));
    return UnpackExtent(::TabbedTextOutW(m_hDC, x, y, wide.c_str(), (int)wide.size(), nTabPositions,
                                         lpnTabStopPositions, nTabOrigin));
}

CSize CDC::TabbedTextOut(int x, int y, const CString& str, int nTabPositions,
                         LPINT lpnTabStopPositions, int nTabOrigin)
{
    return TabbedTextOut(x, y, static_cast<LPCTSTR>(str), str.GetLength(), nTabPositions,
                         lpnTabStopPositions, nTabOrigin);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    // With DT_MODIFYSTRING the text is written into, as the narrow function does.
    return DrawUtf8(m_hDC, const_cast<LPTSTR>(lpszString), nCount, lpRect, nFormat, nullptr);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    // A string's own buffer is never written into.
    return DrawText(static_cast<LPCTSTR>(str), str.GetLength(), lpRect, nFormat & ~DT_MODIFYSTRING);
}

int CDC::DrawTextEx(LPTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    return DrawUtf8(m_hDC, lpszString, nCount, lpRect, nFormat, lpDTParams);
}

int CDC::DrawTextEx(const CString& str, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    return DrawTextEx(const_cast<LPTSTR>(static_cast<LPCTSTR>(str)), str.GetLength(), lpRect,
                      nFormat & ~DT_MODIFYSTRING, lpDTParams);
}

BOOL CDC::GrayString(CBrush* pBrush, BOOL (CALLBACK* lpfnOutput)(HDC, LPARAM, int),
                     LPARAM lpData, int nCount, int x, int y, int nWidth, int nHeight)
{
    const HBRUSH hBrush = static_cast<HBRUSH>(pBrush->GetSafeHandle());
    if (lpfnOutput != nullptr)
        return ::GrayStringA(m_hDC, hBrush, reinterpret_cast<GRAYSTRINGPROC>(lpfnOutput), lpData, nCount,
                             x, y, nWidth, nHeight);
    // Without an output function lpData is the text (nCount 0: up to its null).
    const LPCTSTR lpsz = reinterpret_cast<LPCTSTR>(lpData);
    const std::wstring wide = kvutf::Widen(lpsz, nCount == 0 ? -1 : ByteCount(lpsz, nCount));
    return ::GrayStringW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(wide.c_str()), (int)wide.size(),
                         x, y, nWidth, nHeight);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    const std::wstring wide = kvutf::Widen(lpszString, ByteCount(lpszString, nCount));
    return SizeFrom([&](SIZE* p) { ::GetTextExtentPoint32W(m_hAttribDC, wide.c_str(), (int)wide.size(), p); });
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent(static_cast<LPCTSTR>(str), str.GetLength());
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    const std::wstring wide = kvutf::Widen(lpszString, ByteCount(lpszString, nCount));
    return SizeFrom([&](SIZE* p) { ::GetTextExtentPoint32W(m_hDC, wide.c_str(), (int)wide.size(), p); });
}

CSize CDC::GetOutputTextExtent(const CString& str) const
{
    return GetOutputTextExtent(static_cast<LPCTSTR>(str), str.GetLength());
}

CSize CDC::GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const
{
    const std::wstring wide = kvutf::Widen(lpszString, ByteCount(lpszString, nCount));
    DWORD packed = ::GetTabbedTextExtentW(m_hAttribDC, wide.c_str(), (int)wide.size(), nTabPositions,
                                          lpnTabStopPositions);
    return CSize(LOWORD(packed), HIWORD(packed));
}

CSize CDC::GetTabbedTextExtent(const CString& str, int nTabPositions, LPINT lpnTabStopPositions) const
{
    return GetTabbedTextExtent(static_cast<LPCTSTR>(str), str.GetLength(), nTabPositions, lpnTabStopPositions);
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const { return ::GetTextMetrics(m_hAttribDC, lpMetrics); }
BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const { return ::GetTextMetrics(m_hDC, lpMetrics); }
int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const { return ::GetTextFace(m_hAttribDC, nCount, lpszFacename); }

int CDC::GetTextFace(CString& rString) const
{
    char face[LF_FACESIZE * 4] = {};
    int n = ::GetTextFace(m_hAttribDC, static_cast<int>(sizeof(face)), face);
    rString = face;
    return n;
}

BOOL CDC::GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const
{
    // The characters are code points (a byte above 127 is no character of
    // the program's text), which the wide function takes as they are.
    return ::GetCharWidth32W(m_hAttribDC, nFirstChar, nLastChar, lpBuffer);
}

BOOL CDC::ScrollDC(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* pRgnUpdate, LPRECT lpRectUpdate)
{
    return ::ScrollDC(m_hDC, dx, dy, lpRectScroll, lpRectClip,
                      pRgnUpdate != nullptr ? static_cast<HRGN>(pRgnUpdate->m_hObject) : nullptr,
                      lpRectUpdate);
}

/////////////////////////////////////////////////////////////////////////////
// CDC: printing

int CDC::Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData)
{
    return ::Escape(m_hDC, nEscape, nCount, lpszInData, lpOutData);
}

int CDC::Escape(int nEscape, int nInputSize, LPCSTR lpszInputData, int nOutputSize, LPSTR lpszOutputData)
{
    return ::ExtEscape(m_hDC, nEscape, nInputSize, lpszInputData, nOutputSize, lpszOutputData);
}

int CDC::StartDoc(LPDOCINFO lpDocInfo) { return ::StartDoc(m_hDC, lpDocInfo); }

int CDC::StartDoc(LPCTSTR lpszDocName)
{
    DOCINFO di = {};
    di.cbSize = sizeof(di);
    di.lpszDocName = lpszDocName;
    return StartDoc(&di);
}

int CDC::StartPage() { return ::StartPage(m_hDC); }
int CDC::EndPage() { return ::EndPage(m_hDC); }
int CDC::EndDoc() { return ::EndDoc(m_hDC); }
int CDC::AbortDoc() { return ::AbortDoc(m_hDC); }
int CDC::SetAbortProc(BOOL (CALLBACK* lpfn)(HDC, int)) { return ::SetAbortProc(m_hDC, lpfn); }

/////////////////////////////////////////////////////////////////////////////
// Window DCs

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(HwndOf(pWnd))
{
    if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
        AfxThrowResourceException();
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(HwndOf(pWnd))
{
    if (!Attach(::GetDC(m_hWnd)))
        AfxThrowResourceException();
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(HwndOf(pWnd))
{
    if (!Attach(::GetWindowDC(m_hWnd)))
        AfxThrowResourceException();
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
