// Gradients and images in the looks' effects.
#include "platform/theme/ThemeLib.h"
#include <vector>

namespace {

BYTE Channel(int from, int to, int step, int steps)
{
    return (BYTE)(from + (to - from) * step / steps);
}

// The pixels of a rectangle of a DC, read into and written back from a
// 32-bit top-down DIB, as 0x00RRGGBB values.
class PixelBlock
{
public:
    PixelBlock(int cx, int cy) : m_cx(cx), m_cy(cy)
    {
        BITMAPINFO bmi {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        m_hdc = ::CreateCompatibleDC(nullptr);
        m_hBitmap = ::CreateDIBSection(m_hdc, &bmi, DIB_RGB_COLORS,
                                       reinterpret_cast<void**>(&m_pBits), nullptr, 0);
        if (m_hdc != nullptr && m_hBitmap != nullptr)
            m_hOld = ::SelectObject(m_hdc, m_hBitmap);
    }
    ~PixelBlock()
    {
        if (m_hOld != nullptr)
            ::SelectObject(m_hdc, m_hOld);
        if (m_hBitmap != nullptr)
            ::DeleteObject(m_hBitmap);
        if (m_hdc != nullptr)
            ::DeleteDC(m_hdc);
    }
    PixelBlock(const PixelBlock&) = delete;
    PixelBlock& operator=(const PixelBlock&) = delete;

    bool Ok() const { return m_hOld != nullptr && m_pBits != nullptr; }
    bool ReadFrom(HDC hdc, int x, int y)
    {
        const bool ok = ::BitBlt(m_hdc, 0, 0, m_cx, m_cy, hdc, x, y, SRCCOPY) != FALSE;
        ::GdiFlush();
        return ok;
    }
    bool WriteTo(HDC hdc, int x, int y)
    {
        ::GdiFlush();
        return ::BitBlt(hdc, x, y, m_cx, m_cy, m_hdc, 0, 0, SRCCOPY) != FALSE;
    }
    COLORREF Get(int x, int y) const
    {
        const DWORD v = m_pBits[(size_t)y * m_cx + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    void Set(int x, int y, COLORREF c)
    {
        m_pBits[(size_t)y * m_cx + x] = ((DWORD)GetRValue(c) << 16) | ((DWORD)GetGValue(c) << 8) | GetBValue(c);
    }

private:
    int m_cx, m_cy;
    HDC m_hdc = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    DWORD* m_pBits = nullptr;
};

// Draws the image pixel by pixel: each pixel that is not of the transparent
// colour becomes effect(pixel) on the target. The work is done in device
// pixels of both DCs (the image strips and the canvases are in MM_TEXT).
template<class Effect>
BOOL DrawImageEffect(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcImage, int xSrc, int ySrc,
                     COLORREF clrTransparent, Effect effect)
{
    if (hdcDest == nullptr || hdcImage == nullptr || cx <= 0 || cy <= 0)
        return FALSE;
    PixelBlock image(cx, cy), target(cx, cy);
    if (!image.Ok() || !target.Ok() || !image.ReadFrom(hdcImage, xSrc, ySrc)
        || !target.ReadFrom(hdcDest, x, y))
        return FALSE;
    const COLORREF transparent = clrTransparent & 0xFFFFFF;
    for (int j = 0; j < cy; ++j) {
        for (int i = 0; i < cx; ++i) {
            const COLORREF c = image.Get(i, j);
            if (c != transparent)
                target.Set(i, j, effect(c));
        }
    }
    return target.WriteTo(hdcDest, x, y);
}

int Luminance(COLORREF c)
{
    return (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
}

} // namespace

void UXPaintGradientRect(HDC hdc, int x, int y, int cx, int cy, COLORREF clrFirst,
                         COLORREF clrSecond, BOOL bVertical)
{
    if (hdc == nullptr || cx <= 0 || cy <= 0)
        return;
    const int lines = bVertical ? cx : cy;
    const int steps = lines > 1 ? lines - 1 : 1;
    const COLORREF oldBk = ::GetBkColor(hdc);
    for (int i = 0; i < lines; ++i) {
        const COLORREF c = RGB(Channel(GetRValue(clrFirst), GetRValue(clrSecond), i, steps),
                               Channel(GetGValue(clrFirst), GetGValue(clrSecond), i, steps),
                               Channel(GetBValue(clrFirst), GetBValue(clrSecond), i, steps));
        const RECT r = bVertical ? RECT { x + i, y, x + i + 1, y + cy } : RECT { x, y + i, x + cx, y + i + 1 };
        ::SetBkColor(hdc, c);
        ::ExtTextOut(hdc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    }
    ::SetBkColor(hdc, oldBk);
}

BOOL UXTransparentBlt(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc,
                      int ySrc, int cxSrc, int cySrc, COLORREF clrTransparent)
{
    if (hdcDest == nullptr || hdcSrc == nullptr)
        return FALSE;
    return ::TransparentBlt(hdcDest, x, y, cx, cy, hdcSrc, xSrc, ySrc, cxSrc, cySrc,
                            clrTransparent & 0xFFFFFF);
}

BOOL UXDrawDCImage(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcImage, int xSrc,
                   int ySrc, COLORREF clrTransparent)
{
    return UXTransparentBlt(hdcDest, x, y, cx, cy, hdcImage, xSrc, ySrc, cx, cy, clrTransparent);
}

BOOL UXDrawDCFlatImageShadow(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcImage,
                             int xSrc, int ySrc, COLORREF clrTransparent, COLORREF clrShadow)
{
    const COLORREF shadow = clrShadow & 0xFFFFFF;
    return DrawImageEffect(hdcDest, x, y, cx, cy, hdcImage, xSrc, ySrc, clrTransparent,
                           [shadow](COLORREF) { return shadow; });
}

BOOL UXDrawDCHighlightedImage(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcImage,
                              int xSrc, int ySrc, COLORREF clrTransparent, COLORREF clrBlend,
                              int nWeight)
{
    const int w = nWeight < 0 ? 0 : nWeight > 255 ? 255 : nWeight;
    auto mix = [w](int a, int b) { return (BYTE)((a * w + b * (255 - w) + 127) / 255); };
    return DrawImageEffect(hdcDest, x, y, cx, cy, hdcImage, xSrc, ySrc, clrTransparent,
                           [&](COLORREF c) {
                               return RGB(mix(GetRValue(c), GetRValue(clrBlend)),
                                          mix(GetGValue(c), GetGValue(clrBlend)),
                                          mix(GetBValue(c), GetBValue(clrBlend)));
                           });
}

BOOL UXDrawDCFullImageShadow(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcImage,
                             int xSrc, int ySrc, COLORREF clrTransparent, COLORREF clrShadow)
{
    // The lighter the pixel, the further its shade goes from the shadow
    // colour toward white (at most half the way).
    auto shade = [](int s, int lum) { return (BYTE)(s + (255 - s) * lum / 510); };
    return DrawImageEffect(hdcDest, x, y, cx, cy, hdcImage, xSrc, ySrc, clrTransparent,
                           [&](COLORREF c) {
                               const int lum = Luminance(c);
                               return RGB(shade(GetRValue(clrShadow), lum),
                                          shade(GetGValue(clrShadow), lum),
                                          shade(GetBValue(clrShadow), lum));
                           });
}
