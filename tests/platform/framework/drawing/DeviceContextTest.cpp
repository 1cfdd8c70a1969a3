// Drawing through CDC into memory bitmaps, checked pixel by pixel.
#include <gtest/gtest.h>
#include "tests/platform/framework/drawing/DrawingSupport.h"

using namespace kvdraw;

TEST(DeviceContext, FillSolidRectPaintsExactlyItsRectangle)
{
    Canvas c(20, 20);
    c.dc.FillSolidRect(CRect(3, 4, 8, 10), kRed);
    EXPECT_EQ(c.Count(CRect(3, 4, 8, 10), kRed), 5 * 6);
    EXPECT_EQ(c.Count(CRect(0, 0, 20, 20), kRed), 5 * 6);
    // The framework's fill leaves the background colour set to the fill colour.
    EXPECT_EQ(c.dc.GetBkColor(), kRed);

    c.dc.FillSolidRect(10, 10, 2, 3, kBlue);
    EXPECT_EQ(c.Count(CRect(0, 0, 20, 20), kBlue), 6);
    EXPECT_EQ(c.At(11, 12), kBlue);
    EXPECT_EQ(c.At(12, 12), kWhite);
}

TEST(DeviceContext, Draw3dRectGivesEachEdgeAndCornerItsColour)
{
    Canvas c(12, 12);
    c.dc.Draw3dRect(CRect(2, 2, 8, 7), kRed, kBlue);   // 6 wide, 5 high
    struct { int x, y; COLORREF expected; } cases[] = {
        { 2, 2, kRed },    // top-left corner
        { 6, 2, kRed },    // top edge, last pixel before the corner
        { 7, 2, kBlue },   // top-right corner belongs to the bottom-right colour
        { 2, 5, kRed },    // left edge
        { 2, 6, kBlue },   // bottom-left corner belongs to the bottom-right colour
        { 7, 6, kBlue },   // bottom-right corner
        { 7, 4, kBlue },   // right edge
        { 4, 6, kBlue },   // bottom edge
        { 4, 4, kWhite },  // inside untouched
        { 8, 4, kWhite },  // just outside
        { 4, 7, kWhite },
    };
    for (auto& t : cases)
        EXPECT_EQ(c.At(t.x, t.y), t.expected) << t.x << "," << t.y;
}

TEST(DeviceContext, PenLineAndBrushRectangleUseTheSelectedObjects)
{
    Canvas c(30, 30);
    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kBlue);

    CPen* pOldPen = c.dc.SelectObject(&pen);
    ASSERT_NE(pOldPen, nullptr);
    EXPECT_TRUE(pOldPen->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_EQ(pOldPen->m_hObject, ::GetStockObject(BLACK_PEN));

    c.dc.MoveTo(2, 3);
    c.dc.LineTo(12, 3);
    EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(12, 3));
    EXPECT_EQ(c.Count(CRect(2, 3, 12, 4), kRed), 10);
    EXPECT_EQ(c.At(12, 3), kWhite);   // the end point is not drawn
    EXPECT_EQ(c.At(5, 2), kWhite);

    CBrush* pOldBrush = c.dc.SelectObject(&brush);
    ASSERT_NE(pOldBrush, nullptr);
    EXPECT_TRUE(pOldBrush->IsKindOf(RUNTIME_CLASS(CBrush)));
    c.dc.Rectangle(CRect(5, 10, 15, 20));
    EXPECT_EQ(c.At(5, 10), kRed);     // outline in the pen
    EXPECT_EQ(c.At(14, 19), kRed);
    EXPECT_EQ(c.Count(CRect(6, 11, 14, 19), kBlue), 8 * 8);   // inside in the brush
    EXPECT_EQ(c.At(15, 15), kWhite);

    // Putting the old objects back frees ours from the DC.
    c.dc.SelectObject(pOldPen);
    c.dc.SelectObject(pOldBrush);
    EXPECT_EQ(::GetCurrentObject(c.dc.m_hDC, OBJ_PEN), ::GetStockObject(BLACK_PEN));
    EXPECT_EQ(c.dc.GetCurrentBrush()->m_hObject, ::GetStockObject(WHITE_BRUSH));

    // A closed polygon filled with the brush; a polyline in the pen.
    c.Clear(kWhite);
    c.dc.SelectObject(&brush);
    c.dc.SelectStockObject(NULL_PEN);
    POINT tri[] = { { 0, 0 }, { 20, 0 }, { 0, 20 } };
    c.dc.Polygon(tri, 3);
    EXPECT_EQ(c.At(3, 3), kBlue);
    EXPECT_EQ(c.At(18, 18), kWhite);
    c.dc.SelectObject(&pen);
    POINT path[] = { { 25, 0 }, { 25, 10 }, { 29, 10 } };
    c.dc.Polyline(path, 3);
    EXPECT_EQ(c.At(25, 5), kRed);
    EXPECT_EQ(c.At(27, 10), kRed);
    c.dc.SelectObject(pOldPen);
    c.dc.SelectObject(pOldBrush);
}

TEST(DeviceContext, BlitsCopyBetweenMemoryDCs)
{
    Canvas src(10, 10), dst(40, 40);
    src.dc.FillSolidRect(2, 2, 4, 4, kGreen);

    ASSERT_TRUE(dst.dc.BitBlt(10, 10, 4, 4, &src.dc, 2, 2, SRCCOPY));
    EXPECT_EQ(dst.Count(CRect(10, 10, 14, 14), kGreen), 16);
    EXPECT_EQ(dst.At(9, 10), kWhite);
    EXPECT_EQ(dst.At(14, 13), kWhite);

    ASSERT_TRUE(dst.dc.StretchBlt(20, 20, 8, 8, &src.dc, 2, 2, 4, 4, SRCCOPY));
    EXPECT_EQ(dst.Count(CRect(20, 20, 28, 28), kGreen), 64);
    EXPECT_EQ(dst.At(28, 28), kWhite);

    // A pattern blit with no source DC uses the selected brush.
    CBrush brush(kRed);
    CBrush* pOld = dst.dc.SelectObject(&brush);
    ASSERT_TRUE(dst.dc.PatBlt(0, 30, 5, 5, PATCOPY));
    dst.dc.SelectObject(pOld);
    EXPECT_EQ(dst.Count(CRect(0, 30, 5, 35), kRed), 25);
}

TEST(DeviceContext, WindowOriginAndExtentsMapLogicalDrawing)
{
    Canvas c(40, 40);
    CPoint oldOrg = c.dc.SetWindowOrg(-10, -5);
    EXPECT_EQ(oldOrg, CPoint(0, 0));
    c.dc.FillSolidRect(0, 0, 2, 2, kRed);          // lands at (10, 5) on the bitmap
    EXPECT_EQ(c.At(10, 5), kRed);
    EXPECT_EQ(c.At(11, 6), kRed);
    EXPECT_EQ(c.At(0, 0), kWhite);
    CPoint pt(10, 5);
    c.dc.DPtoLP(&pt);
    EXPECT_EQ(pt, CPoint(0, 0));

    // Two device pixels per logical unit: sizes scale, without any origin.
    c.dc.SetWindowOrg(0, 0);
    c.dc.SetMapMode(MM_ANISOTROPIC);
    c.dc.SetWindowExt(1, 1);
    c.dc.SetViewportExt(2, 2);
    CSize size(6, 8);
    c.dc.DPtoLP(&size);
    EXPECT_EQ(size, CSize(3, 4));
    c.dc.LPtoDP(&size);
    EXPECT_EQ(size, CSize(6, 8));
    CRect r(1, 1, 3, 3);
    c.dc.LPtoDP(&r);
    EXPECT_EQ(r, CRect(2, 2, 6, 6));
}

TEST(DeviceContext, ClippingLimitsDrawingAndSaveDCRestoresIt)
{
    Canvas c(20, 20);
    int saved = c.dc.SaveDC();
    ASSERT_NE(saved, 0);
    c.dc.IntersectClipRect(5, 5, 10, 10);
    c.dc.ExcludeClipRect(5, 5, 6, 6);
    CRect box;
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(5, 5, 10, 10));
    EXPECT_TRUE(c.dc.PtVisible(7, 7));
    EXPECT_FALSE(c.dc.PtVisible(5, 5));
    EXPECT_FALSE(c.dc.RectVisible(CRect(0, 0, 4, 4)));

    c.dc.FillSolidRect(0, 0, 20, 20, kRed);
    EXPECT_EQ(c.Count(CRect(0, 0, 20, 20), kRed), 25 - 1);
    EXPECT_EQ(c.At(5, 5), kWhite);

    ASSERT_TRUE(c.dc.RestoreDC(saved));
    c.dc.FillSolidRect(0, 0, 20, 20, kBlue);
    EXPECT_EQ(c.Count(CRect(0, 0, 20, 20), kBlue), 400);

    // A region selected as the clip region, then removed again.
    c.Clear(kWhite);
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 4, 4);
    EXPECT_EQ(c.dc.SelectClipRgn(&rgn), SIMPLEREGION);
    c.dc.FillSolidRect(0, 0, 20, 20, kRed);
    EXPECT_EQ(c.Count(CRect(0, 0, 20, 20), kRed), 16);
    c.dc.SelectClipRgn(nullptr);
    c.dc.FillSolidRect(0, 0, 20, 20, kGreen);
    EXPECT_EQ(c.Count(CRect(0, 0, 20, 20), kGreen), 400);
}

TEST(DeviceContext, DrawDragRectInvertsAFrameThatDrawingAgainErases)
{
    const CRect a(4, 4, 24, 20), b(8, 6, 30, 26);
    const CSize thick(3, 3);

    Canvas c(40, 40);
    const auto blank = c.Pixels();
    c.dc.DrawDragRect(a, thick, nullptr, CSize(0, 0));
    // The halftone pattern inverts every other pixel of the frame only.
    int frame = a.Width() * a.Height() - (a.Width() - 6) * (a.Height() - 6);
    EXPECT_NEAR(c.Count(a, kBlack), frame / 2, frame / 10);
    EXPECT_EQ(c.Count(CRect(7, 7, 21, 17), kBlack), 0);
    EXPECT_EQ(c.Count(CRect(0, 0, 40, 40), kBlack), c.Count(a, kBlack));

    // Moving it from a to b looks exactly like b drawn on a clean picture.
    c.dc.DrawDragRect(b, thick, a, thick);
    Canvas fresh(40, 40);
    fresh.dc.DrawDragRect(b, thick, nullptr, CSize(0, 0));
    EXPECT_EQ(c.Pixels(), fresh.Pixels());

    // Drawing b once more takes it away; the caller's clipping is left alone.
    c.dc.IntersectClipRect(0, 0, 35, 35);
    c.dc.DrawDragRect(b, thick, nullptr, CSize(0, 0));
    EXPECT_EQ(c.Pixels(), blank);
    CRect clip;
    c.dc.GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(0, 0, 35, 35));

    // With a solid brush of its own the whole frame is inverted.
    CBrush black(kBlack);
    c.dc.SelectClipRgn(nullptr);
    c.dc.DrawDragRect(a, thick, nullptr, CSize(0, 0), &black);
    EXPECT_EQ(c.Count(a, kBlack), 0);    // PATINVERT with black changes nothing
    CBrush white(kWhite);
    c.dc.DrawDragRect(a, thick, nullptr, CSize(0, 0), &white);
    EXPECT_EQ(c.Count(a, kBlack), frame);
}

TEST(DeviceContext, TextLandsInsideItsMeasuredRectangle)
{
    Canvas c(200, 60);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Tahoma"));
    CFont* pOld = c.dc.SelectObject(&font);
    ASSERT_NE(pOld, nullptr);

    CString text("Kelvaron 42");
    CSize extent = c.dc.GetTextExtent(text);
    EXPECT_GT(extent.cx, 20);
    EXPECT_GT(extent.cy, 5);
    EXPECT_EQ(c.dc.GetTextExtent("Kelvaron 42 and more", 11), extent);

    CRect calc(10, 10, 10, 10);
    c.dc.DrawText(text, calc, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    EXPECT_EQ(calc.Width(), extent.cx);
    EXPECT_EQ(c.Count(CRect(0, 0, 200, 60), kWhite), 200 * 60);   // measuring draws nothing

    c.dc.SetTextColor(kBlack);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.DrawText(text, calc, DT_SINGLELINE | DT_NOPREFIX);
    int inside = calc.Width() * calc.Height() - c.Count(calc, kWhite);
    int total = 200 * 60 - c.Count(CRect(0, 0, 200, 60), kWhite);
    EXPECT_GT(inside, 20);
    EXPECT_EQ(total, inside);

    // Tabbed text reports its size as a signed pair.
    CSize tabbed = c.dc.TabbedTextOut(10, 35, "a\tb", 3, 0, nullptr, 10);
    EXPECT_GT(tabbed.cx, 0);
    EXPECT_EQ(tabbed.cy, extent.cy);
    c.dc.SelectObject(pOld);
}

TEST(DeviceContext, SettingsReachBothOutputAndAttributeDCs)
{
    Canvas output(10, 10), attrib(10, 10);
    CDC dc;
    dc.SetOutputDC(output.dc.m_hDC);
    dc.SetAttribDC(attrib.dc.m_hDC);

    dc.SetTextColor(kRed);
    dc.SetBkMode(TRANSPARENT);
    dc.SetMapMode(MM_TWIPS);
    EXPECT_EQ(::GetTextColor(output.dc.m_hDC), kRed);
    EXPECT_EQ(::GetTextColor(attrib.dc.m_hDC), kRed);
    EXPECT_EQ(::GetBkMode(output.dc.m_hDC), TRANSPARENT);
    EXPECT_EQ(::GetMapMode(output.dc.m_hDC), MM_TWIPS);

    // Questions are answered by the attribute DC, drawing goes to the output DC.
    ::SetBkColor(attrib.dc.m_hDC, kGreen);
    EXPECT_EQ(dc.GetBkColor(), kGreen);
    dc.SetMapMode(MM_TEXT);
    dc.FillSolidRect(0, 0, 10, 10, kBlue);
    EXPECT_EQ(output.Count(CRect(0, 0, 10, 10), kBlue), 100);
    EXPECT_EQ(attrib.Count(CRect(0, 0, 10, 10), kBlue), 0);

    // Neither handle belongs to this object: let go of them before it dies.
    dc.ReleaseOutputDC();
    dc.ReleaseAttribDC();
}

TEST(DeviceContext, FromHandleFindsTheAttachedObjectElseATemporary)
{
    HDC raw = ::CreateCompatibleDC(nullptr);
    CDC* temp = CDC::FromHandle(raw);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hDC, raw);
    EXPECT_EQ(CDC::FromHandle(raw), temp);
    CDC::DeleteTempMap();
    EXPECT_NE(::GetObjectType(raw), 0u);   // the temporary did not delete the DC

    {
        CDC owner;
        ASSERT_TRUE(owner.Attach(raw));
        EXPECT_EQ(CDC::FromHandle(raw), &owner);
        EXPECT_EQ(owner.Detach(), raw);
        EXPECT_NE(CDC::FromHandle(raw), &owner);
        CDC::DeleteTempMap();
        ASSERT_TRUE(owner.Attach(raw));
    }
    // The owner deleted the DC when it died.
    EXPECT_EQ(::GetObjectType(raw), 0u);
    EXPECT_EQ(CDC::FromHandle(nullptr), nullptr);
}
