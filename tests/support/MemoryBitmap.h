// A memory bitmap that a test draws into and then reads back at a few
// pixels (drawing works in memory under the null display driver).
#pragma once

#include "platform/framework/Framework.h"

namespace kvtest {

class MemoryBitmap
{
public:
    MemoryBitmap(int width, int height) : m_rect(0, 0, width, height)
    {
        HDC screen = ::GetDC(nullptr);
        m_hdc = ::CreateCompatibleDC(screen);
        m_hbm = ::CreateCompatibleBitmap(screen, width, height);
        ::ReleaseDC(nullptr, screen);
        m_old = ::SelectObject(m_hdc, m_hbm);
    }
    ~MemoryBitmap()
    {
        ::SelectObject(m_hdc, m_old);
        ::DeleteObject(m_hbm);
        ::DeleteDC(m_hdc);
    }
    MemoryBitmap(const MemoryBitmap&) = delete;
    MemoryBitmap& operator=(const MemoryBitmap&) = delete;

    HDC hdc() const { return m_hdc; }
    CDC* DC() const { return CDC::FromHandle(m_hdc); }
    const CRect& Rect() const { return m_rect; }

    // Paints the whole bitmap in one colour.
    void Fill(COLORREF colour)
    {
        HBRUSH brush = ::CreateSolidBrush(colour);
        ::FillRect(m_hdc, &m_rect, brush);
        ::DeleteObject(brush);
    }

    COLORREF At(int x, int y) const { return ::GetPixel(m_hdc, x, y); }
    COLORREF At(POINT p) const { return At(p.x, p.y); }
    // The number of pixels of a colour in a rectangle.
    int Count(const RECT& r, COLORREF colour) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; y++)
            for (int x = r.left; x < r.right; x++)
                if (At(x, y) == colour)
                    n++;
        return n;
    }

private:
    CRect m_rect;
    HDC m_hdc;
    HBITMAP m_hbm;
    HGDIOBJ m_old;
};

} // namespace kvtest
