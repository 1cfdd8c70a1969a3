// GDI object wrappers: ownership of handles, FromHandle, fonts, regions,
// bitmaps and palettes.
#include <gtest/gtest.h>
#include "tests/platform/framework/drawing/DrawingSupport.h"

using namespace kvdraw;

TEST(GdiObject, FromHandleFindsTheOwnerElseATemporaryOfTheRightClass)
{
    CPen pen(PS_SOLID, 1, kRed);
    EXPECT_EQ(CGdiObject::FromHandle(pen.m_hObject), &pen);
    EXPECT_EQ(CPen::FromHandle(static_cast<HPEN>(pen.m_hObject)), &pen);

    // Handles nobody wrapped get temporaries that know what they wrap.
    struct { HGDIOBJ handle; CRuntimeClass* cls; } cases[] = {
        { ::CreateSolidBrush(kBlue), RUNTIME_CLASS(CBrush) },
        { ::CreatePen(PS_DASH, 1, kGreen), RUNTIME_CLASS(CPen) },
        { ::CreateRectRgn(0, 0, 5, 5), RUNTIME_CLASS(CRgn) },
        { ::CreateBitmap(4, 4, 1, 32, nullptr), RUNTIME_CLASS(CBitmap) },
        { ::GetStockObject(DEFAULT_GUI_FONT), RUNTIME_CLASS(CFont) },
    };
    for (auto& t : cases) {
        CGdiObject* temp = CGdiObject::FromHandle(t.handle);
        ASSERT_NE(temp, nullptr);
        EXPECT_TRUE(temp->IsKindOf(t.cls)) << t.cls->m_lpszClassName;
        EXPECT_EQ(temp->m_hObject, t.handle);
        EXPECT_EQ(CGdiObject::FromHandle(t.handle), temp);   // the same temporary again
    }
    CGdiObject::DeleteTempMap();
    // Temporaries never destroy what they wrap.
    for (auto& t : cases) {
        EXPECT_NE(::GetObjectType(t.handle), 0u);
        ::DeleteObject(t.handle);
    }
    EXPECT_EQ(CGdiObject::FromHandle(nullptr), nullptr);
}

TEST(GdiObject, TheOwnerDeletesItsHandleUnlessDetached)
{
    HGDIOBJ owned = nullptr;
    HGDIOBJ detached = nullptr;
    {
        CBrush a(kRed);
        owned = a.m_hObject;
        CBrush b(kGreen);
        detached = b.Detach();
        EXPECT_EQ(b.m_hObject, nullptr);
        EXPECT_NE(CGdiObject::FromHandle(detached), &b);
    }
    EXPECT_EQ(::GetObjectType(owned), 0u);
    EXPECT_EQ(::GetObjectType(detached), static_cast<DWORD>(OBJ_BRUSH));
    CGdiObject::DeleteTempMap();

    // DeleteObject empties the wrapper, which can then hold a new object.
    CBrush c;
    ASSERT_TRUE(c.Attach(detached));
    ASSERT_TRUE(c.DeleteObject());
    EXPECT_EQ(c.m_hObject, nullptr);
    EXPECT_EQ(::GetObjectType(detached), 0u);
    EXPECT_FALSE(c.DeleteObject());
    ASSERT_TRUE(c.CreateSolidBrush(kBlue));
    LOGBRUSH lb = {};
    ASSERT_EQ(c.GetLogBrush(&lb), static_cast<int>(sizeof(lb)));
    EXPECT_EQ(lb.lbColor, kBlue);
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
}

TEST(GdiObject, PointFontsAreMeasuredOnTheGivenDC)
{
    CClientDC screen(nullptr);
    int dpi = screen.GetDeviceCaps(LOGPIXELSY);
    ASSERT_GT(dpi, 0);

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Arial"));
    LOGFONT lf = {};
    ASSERT_EQ(font.GetLogFont(&lf), static_cast<int>(sizeof(lf)));
    EXPECT_EQ(lf.lfHeight, -::MulDiv(dpi, 12, 72));
    EXPECT_STREQ(lf.lfFaceName, "Arial");

    // On a DC with a metric mapping the height is in its logical units
    // (tenths of a millimetre): about 254 / dpi times the pixel height.
    Canvas c(10, 10);
    c.dc.SetMapMode(MM_LOMETRIC);
    CFont metric;
    ASSERT_TRUE(metric.CreatePointFont(120, "Arial", &c.dc));
    LOGFONT lfm = {};
    metric.GetLogFont(&lfm);
    EXPECT_LT(lfm.lfHeight, 0);
    int devDpi = c.dc.GetDeviceCaps(LOGPIXELSY);
    double pixels = ::MulDiv(devDpi, 12, 72);
    EXPECT_NEAR(-lfm.lfHeight, pixels * 254.0 / devDpi, pixels * 254.0 / devDpi * 0.1);

    // CreateFontIndirect keeps what it was given.
    LOGFONT bold = lf;
    bold.lfWeight = FW_BOLD;
    CFont boldFont;
    ASSERT_TRUE(boldFont.CreateFontIndirect(&bold));
    LOGFONT back = {};
    boldFont.GetLogFont(&back);
    EXPECT_EQ(back.lfWeight, FW_BOLD);
    EXPECT_EQ(back.lfHeight, lf.lfHeight);
}

TEST(GdiObject, RegionsCombineAndFill)
{
    CRgn left, right, both;
    ASSERT_TRUE(left.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(right.CreateRectRgnIndirect(CRect(5, 5, 15, 15)));
    ASSERT_TRUE(both.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(both.CombineRgn(&left, &right, RGN_OR), COMPLEXREGION);
    CRect box;
    both.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 15, 15));
    EXPECT_TRUE(both.PtInRegion(2, 2));
    EXPECT_TRUE(both.PtInRegion(CPoint(14, 14)));
    EXPECT_FALSE(both.PtInRegion(12, 2));

    CRgn copy;
    copy.CreateRectRgn(0, 0, 0, 0);
    copy.CopyRgn(&both);
    EXPECT_TRUE(copy.EqualRgn(&both));
    copy.OffsetRgn(1, 0);
    EXPECT_FALSE(copy.EqualRgn(&both));

    Canvas c(20, 20);
    CBrush brush(kRed);
    ASSERT_TRUE(c.dc.FillRgn(&both, &brush));
    EXPECT_EQ(c.Count(CRect(0, 0, 20, 20), kRed), 100 + 100 - 25);

    CRgn round;
    ASSERT_TRUE(round.CreateRoundRectRgn(0, 0, 20, 20, 10, 10));
    EXPECT_FALSE(round.PtInRegion(0, 0));
    EXPECT_TRUE(round.PtInRegion(10, 10));
}

TEST(GdiObject, BitmapsDescribeThemselvesAndTakeBits)
{
    CBitmap bmp;
    Canvas screenLike(1, 1);
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&screenLike.dc, 7, 5));
    BITMAP info = {};
    ASSERT_EQ(bmp.GetBitmap(&info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.bmWidth, 7);
    EXPECT_EQ(info.bmHeight, 5);

    // A 2x2 monochrome bitmap set from bits and read back.
    CBitmap mono;
    WORD rows[2] = { 0x0080, 0x0040 };   // row 0: pixel 0 set; row 1: pixel 1 set
    ASSERT_TRUE(mono.CreateBitmap(2, 2, 1, 1, rows));
    WORD back[2] = {};
    EXPECT_EQ(mono.GetBitmapBits(sizeof(back), back), sizeof(back));
    EXPECT_EQ(back[0] & 0xC0, 0x80);
    EXPECT_EQ(back[1] & 0xC0, 0x40);

    // A pattern brush made from it paints its pattern.
    CBrush pattern;
    ASSERT_TRUE(pattern.CreatePatternBrush(&mono));
    Canvas c(4, 4);
    c.dc.SetTextColor(kBlack);
    c.dc.SetBkColor(kWhite);
    c.dc.FillRect(CRect(0, 0, 4, 4), &pattern);
    EXPECT_EQ(c.Count(CRect(0, 0, 4, 4), kWhite) + c.Count(CRect(0, 0, 4, 4), kBlack), 16);
    EXPECT_EQ(c.At(0, 0), c.At(2, 0));
    EXPECT_NE(c.At(0, 0), c.At(1, 0));
    EXPECT_FALSE(pattern.CreatePatternBrush(nullptr));
}

TEST(GdiObject, PaletteEntriesRoundTrip)
{
    struct { LOGPALETTE head; PALETTEENTRY more[1]; } lp = {};
    lp.head.palVersion = 0x300;
    lp.head.palNumEntries = 2;
    lp.head.palPalEntry[0] = { 255, 0, 0, 0 };
    lp.more[0] = { 0, 0, 255, 0 };
    CPalette pal;
    ASSERT_TRUE(pal.CreatePalette(&lp.head));
    EXPECT_EQ(pal.GetEntryCount(), 2);
    EXPECT_EQ(pal.GetNearestPaletteIndex(RGB(250, 10, 10)), 0u);
    EXPECT_EQ(pal.GetNearestPaletteIndex(RGB(0, 0, 200)), 1u);

    PALETTEENTRY green = { 0, 255, 0, 0 };
    EXPECT_EQ(pal.SetPaletteEntries(1, 1, &green), 1u);
    PALETTEENTRY back[2] = {};
    EXPECT_EQ(pal.GetPaletteEntries(0, 2, back), 2u);
    EXPECT_EQ(back[0].peRed, 255);
    EXPECT_EQ(back[1].peGreen, 255);
    EXPECT_EQ(back[1].peBlue, 0);

    Canvas c(2, 2);
    CPalette* pOld = c.dc.SelectPalette(&pal, FALSE);
    ASSERT_NE(pOld, nullptr);
    EXPECT_TRUE(pOld->IsKindOf(RUNTIME_CLASS(CPalette)));
    EXPECT_EQ(pOld->m_hObject, ::GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(c.dc.GetCurrentPalette(), &pal);
    c.dc.SelectPalette(pOld, FALSE);
}
