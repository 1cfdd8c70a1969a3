// A memory bitmap to paint into and read back pixel by pixel.
#pragma once
#include "platform/framework/base/Collections.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/File.h"
#include "platform/framework/base/Object.h"
#include "platform/framework/base/String.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Dialog.h"
#include "platform/framework/window/Gdi.h"
#include "platform/framework/window/Menu.h"
#include "platform/framework/window/RectTracker.h"
#include "platform/framework/window/WinApp.h"
#include "platform/framework/window/Wnd.h"
#include "platform/framework/drawing/Controls.h"
#include "platform/framework/drawing/ImageList.h"
#include <vector>

namespace kvdraw {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// A 32-bit memory DC of w x h pixels, cleared to white.
class Canvas
{
public:
    Canvas(int w, int h) : m_w(w), m_h(h)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(w, h, 1, 32, nullptr);
        m_hOld = dc.SelectObject(bitmap.m_hObject);
        Clear(kWhite);
    }
    ~Canvas()
    {
        dc.SelectObject(m_hOld);
    }
    void Clear(COLORREF c)
    {
        HBRUSH b = ::CreateSolidBrush(c);
        RECT r = { 0, 0, m_w, m_h };
        ::FillRect(dc.m_hDC, &r, b);
        ::DeleteObject(b);
    }
    // The pixel at bitmap position (x, y), whatever mapping the DC has.
    COLORREF At(int x, int y) const
    {
        HDC h = dc.m_hDC;
        int saved = ::SaveDC(h);
        ::SetMapMode(h, MM_TEXT);
        ::SetWindowOrgEx(h, 0, 0, nullptr);
        ::SetViewportOrgEx(h, 0, 0, nullptr);
        COLORREF c = ::GetPixel(h, x, y);
        ::RestoreDC(h, saved);
        return c;
    }
    // How many pixels of the rectangle have the colour.
    int Count(const RECT& r, COLORREF c) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += At(x, y) == c;
        return n;
    }
    // Every pixel of the canvas, row by row.
    std::vector<COLORREF> Pixels() const
    {
        std::vector<COLORREF> p;
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x)
                p.push_back(At(x, y));
        return p;
    }
    int Width() const { return m_w; }
    int Height() const { return m_h; }

    CDC dc;
    CBitmap bitmap;

private:
    int m_w, m_h;
    HGDIOBJ m_hOld = nullptr;  // a handle: temporary wrappers may be gone by then
};

} // namespace kvdraw
