// The looks, their colours and the drawing helpers of the theme services.
#include <gtest/gtest.h>
#include "platform/theme/ThemeLib.h"
#include "platform/theme/ColorSpace.h"
#include "tests/platform/framework/drawing/DrawingSupport.h"

using namespace kvdraw;

namespace {

// Sets a look for one test and puts the platform's own look back after it.
class Look
{
public:
    explicit Look(int nStyle) { UXSetVisualStyle(nStyle); }
    ~Look() { UXSetVisualStyle(UX_STYLE_PLATFORM); }
};

WORD Lightness(COLORREF c)
{
    WORD h, l, s;
    RGBtoHLS(c, &h, &l, &s);
    return l;
}

} // namespace

TEST(Theme, EachLookAnswersItsOwnQueriesOnly)
{
    const bool themed = UXIsAppThemed() && UXIsThemeActive();
    struct Case { int style; BOOL dotNet, office, vista, classic, flat; } cases[] = {
        { UX_STYLE_PLATFORM, FALSE, FALSE, FALSE, !themed, FALSE },
        { UX_STYLE_OFFICE2003, FALSE, TRUE, FALSE, FALSE, TRUE },
        { UX_STYLE_DOTNET, TRUE, FALSE, FALSE, FALSE, TRUE },
        { UX_STYLE_VISTACLASSIC, FALSE, FALSE, TRUE, FALSE, FALSE },
        { 7, FALSE, FALSE, FALSE, !themed, FALSE },    // unknown: the platform's look
        { -1, FALSE, FALSE, FALSE, !themed, FALSE },
    };
    for (const Case& c : cases) {
        Look look(c.style);
        SCOPED_TRACE(c.style);
        EXPECT_EQ(UXIsDotNetStyleEnabled(), c.dotNet);
        EXPECT_EQ(UXIsOfc2003StyleEnabled(), c.office);
        EXPECT_EQ(UXIsVistaClassicStyleEnabled(), c.vista);
        EXPECT_EQ(UXIsWindowsClassicStyleEnabled(), c.classic);
        const OZW_AUX_DATA* pData = UXGetSysData();
        EXPECT_EQ(pData->bFlatLook, c.flat);
        EXPECT_EQ(pData->bToolWindowFloat, c.flat);
    }
}

TEST(Theme, SharedTableHoldsTheSystemColoursAndMetrics)
{
    OZW_AUX_DATA* pData = UXGetSysData();
    ASSERT_NE(pData, nullptr);
    EXPECT_EQ(pData, UXGetSysData());
    pData->UpdateSysColors();
    EXPECT_EQ(pData->cxBorder, ::GetSystemMetrics(SM_CXBORDER));
    EXPECT_EQ(pData->cyBorder, ::GetSystemMetrics(SM_CYBORDER));
    EXPECT_EQ(pData->clrBtnFace, ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pData->clrBtnShadow, ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pData->clrBtnHilite, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(pData->clrBtnDkShadow, ::GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_NE(pData->hcurArrow, nullptr);
}

TEST(Theme, Office2003ColoursFollowTheSystemScheme)
{
    // Light and dark ends of the gradients and the background between them,
    // in the hue of the caption colour (or grey for a grey scheme).
    const COLORREF light = UXGetO2K3Color(0), dark = UXGetO2K3Color(1), back = UXGetO2K3Color(2);
    EXPECT_GT(Lightness(light), Lightness(back));
    EXPECT_GT(Lightness(back), Lightness(dark));
    WORD capHue, capLum, capSat;
    RGBtoHLS(::GetSysColor(COLOR_ACTIVECAPTION), &capHue, &capLum, &capSat);
    if (capSat >= 24) {
        WORD h, l, s;
        RGBtoHLS(light, &h, &l, &s);
        EXPECT_NEAR(h, capHue, 6);
    }
    // The .NET hot and pressed fills are shades of the highlight colour.
    const COLORREF hilite = ::GetSysColor(COLOR_HIGHLIGHT), window = ::GetSysColor(COLOR_WINDOW);
    EXPECT_NEAR(GetRValue(UXGetDNETColor(5)), (GetRValue(hilite) * 3 + GetRValue(window) * 7) / 10, 1);
    EXPECT_NEAR(GetBValue(UXGetDNETColor(7)), (GetBValue(hilite) + GetBValue(window)) / 2, 1);
    EXPECT_EQ(UXGetDNETColor(2), ::GetSysColor(COLOR_BTNTEXT));
    // Menu texts in the menu text colours, not the face colour they are drawn on.
    EXPECT_EQ(UXGetDNETColor(16), ::GetSysColor(COLOR_MENUTEXT));
    EXPECT_EQ(UXGetDNETColor(18), ::GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(UXGetDNETColor(21), ::GetSysColor(COLOR_MENUTEXT));
    // Indexes outside the palettes give the button face.
    EXPECT_EQ(UXGetDNETColor(-1), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(UXGetO2K3Color(400), ::GetSysColor(COLOR_BTNFACE));
}

TEST(Theme, AdjustHSLMovesSaturationAndLightnessWithinRange)
{
    const COLORREF c = RGB(200, 120, 40);
    WORD h0, l0, s0, h1, l1, s1;
    RGBtoHLS(c, &h0, &l0, &s0);
    EXPECT_EQ(UXAdjustHSL(c, 0, 0, 0), HLStoRGB(h0, l0, s0));
    RGBtoHLS(UXAdjustHSL(c, 0, 0.45f, -0.3f), &h1, &l1, &s1);
    EXPECT_NEAR(l1, l0 - 72, 2);
    EXPECT_NEAR(s1, 240, 2);     // saturation clamps at the top of the scale
    EXPECT_NEAR(h1, h0, 2);
    EXPECT_EQ(UXAdjustHSL(c, 0, 0, 2.0f), RGB(255, 255, 255));
    EXPECT_EQ(UXAdjustHSL(c, 0, 0, -2.0f), RGB(0, 0, 0));
    // Turning the hue by half a circle gives the complementary hue.
    RGBtoHLS(UXAdjustHSL(c, 180.0f, 0, 0), &h1, &l1, &s1);
    EXPECT_NEAR(h1, (h0 + 120) % 240, 2);
}

TEST(Theme, ThemedCallsWithoutAThemeHandleFailSoCallersDrawClassic)
{
    Canvas c(10, 10);
    RECT r = { 0, 0, 10, 10 };
    EXPECT_LT(UXDrawThemeBackground(nullptr, c.dc.m_hDC, 6, 0, &r, nullptr), 0);
    EXPECT_LT(UXIsThemePartDefined(nullptr, 6, 0), 0);
    EXPECT_FALSE(UXIsThemeBackgroundPartiallyTransparent(nullptr, 6, 0));
    COLORREF colour = 0;
    EXPECT_LT(UXGetThemeColor(nullptr, 1, 1, 3803, &colour), 0);
    EXPECT_LT(UXCloseThemeData(nullptr), 0);
    EXPECT_EQ(UXOpenThemeData(UXGetSafeHwnd(), nullptr), nullptr);
    EXPECT_EQ(UXOpenThemeData(UXGetSafeHwnd(), "NoSuchThemeClass"), nullptr);
    EXPECT_EQ(c.Count(r, kWhite), 100);   // nothing drawn
}

TEST(Theme, PartsAreDrawnThroughThePlatformsVisualStyleWhereItAnswers)
{
    if (!(UXIsAppThemed() && UXIsThemeActive())) {
        EXPECT_EQ(UXOpenThemeData(UXGetSafeHwnd(), "Tab"), nullptr);
        GTEST_SKIP() << "no visual style is active on this machine";
    }
    // In every look the themed calls reach the platform's theme.
    for (int style : { UX_STYLE_PLATFORM, UX_STYLE_OFFICE2003, UX_STYLE_DOTNET, UX_STYLE_VISTACLASSIC }) {
        Look look(style);
        HTHEME hTheme = UXOpenThemeData(UXGetSafeHwnd(), "Tab");
        ASSERT_NE(hTheme, nullptr);
        EXPECT_GE(UXIsThemePartDefined(hTheme, 1, 0), 0);
        Canvas c(30, 20);
        c.Clear(RGB(1, 2, 3));
        RECT r = { 0, 0, 30, 20 };
        EXPECT_GE(UXDrawThemeBackground(hTheme, c.dc.m_hDC, 1, 1, &r, nullptr), 0);
        EXPECT_LT(c.Count(r, RGB(1, 2, 3)), 30 * 20);
        EXPECT_GE(UXCloseThemeData(hTheme), 0);
    }
}

TEST(Theme, GradientRunsFromTheFirstColourToTheSecond)
{
    const COLORREF a = RGB(200, 100, 0), b = RGB(0, 100, 250);
    struct Case { BOOL vertical; } cases[] = { { FALSE }, { TRUE } };
    for (const Case& t : cases) {
        Canvas c(30, 30);
        UXPaintGradientRect(c.dc.m_hDC, 5, 10, 11, 6, a, b, t.vertical);
        // Across the lines the colour goes from a to b; along a line it stays.
        if (!t.vertical) {
            EXPECT_EQ(c.At(5, 10), a);
            EXPECT_EQ(c.At(15, 10), a);
            EXPECT_EQ(c.At(5, 15), b);
            EXPECT_EQ(c.At(9, 12), RGB(200 - 200 * 2 / 5, 100, 250 * 2 / 5));
        } else {
            EXPECT_EQ(c.At(5, 10), a);
            EXPECT_EQ(c.At(5, 15), a);
            EXPECT_EQ(c.At(15, 12), b);
            EXPECT_EQ(c.At(10, 11), RGB(200 - 200 * 5 / 10, 100, 250 * 5 / 10));
        }
        // Nothing outside the rectangle.
        EXPECT_EQ(c.At(4, 12), kWhite);
        EXPECT_EQ(c.At(16, 12), kWhite);
        EXPECT_EQ(c.At(8, 9), kWhite);
        EXPECT_EQ(c.At(8, 16), kWhite);
    }
}

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);

// A 4 x 2 image strip: black, white, red, then the transparent colour;
// the second row all transparent.
struct Strip
{
    Strip() : canvas(4, 2)
    {
        canvas.Clear(kMagenta);
        canvas.dc.SetPixel(0, 0, kBlack);
        canvas.dc.SetPixel(1, 0, kWhite);
        canvas.dc.SetPixel(2, 0, kRed);
    }
    Canvas canvas;
};

} // namespace

TEST(Theme, ImagesLeaveOutTheTransparentColourInEveryEffect)
{
    const COLORREF back = RGB(10, 20, 30);
    const COLORREF shadow = RGB(100, 60, 20);
    struct Case
    {
        const char* name;
        BOOL (*draw)(HDC, HDC, COLORREF);
        COLORREF black, white, red;
    } cases[] = {
        { "plain", [](HDC d, HDC s, COLORREF t) { return UXDrawDCImage(d, 1, 1, 4, 2, s, 0, 0, t); },
          kBlack, kWhite, kRed },
        { "transparent copy",
          [](HDC d, HDC s, COLORREF t) { return UXTransparentBlt(d, 1, 1, 4, 2, s, 0, 0, 4, 2, t); },
          kBlack, kWhite, kRed },
        { "flat shadow",
          [](HDC d, HDC s, COLORREF t) { return UXDrawDCFlatImageShadow(d, 1, 1, 4, 2, s, 0, 0, t, RGB(100, 60, 20)); },
          shadow, shadow, shadow },
        { "highlighted, all image",
          [](HDC d, HDC s, COLORREF t) { return UXDrawDCHighlightedImage(d, 1, 1, 4, 2, s, 0, 0, t, RGB(0, 0, 255), 255); },
          kBlack, kWhite, kRed },
        { "highlighted, half",
          [](HDC d, HDC s, COLORREF t) { return UXDrawDCHighlightedImage(d, 1, 1, 4, 2, s, 0, 0, t, RGB(0, 0, 255), 128); },
          RGB(0, 0, 127), RGB(128, 128, 255), RGB(128, 0, 127) },
        { "full shadow",
          [](HDC d, HDC s, COLORREF t) { return UXDrawDCFullImageShadow(d, 1, 1, 4, 2, s, 0, 0, t, RGB(100, 60, 20)); },
          shadow, RGB(177, 157, 137), RGB(100 + 155 * 76 / 510, 60 + 195 * 76 / 510, 20 + 235 * 76 / 510) },
    };
    Strip strip;
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        Canvas c(8, 5);
        c.Clear(back);
        EXPECT_TRUE(t.draw(c.dc.m_hDC, strip.canvas.dc.m_hDC, kMagenta));
        EXPECT_EQ(c.At(1, 1), t.black);
        EXPECT_EQ(c.At(2, 1), t.white);
        EXPECT_EQ(c.At(3, 1), t.red);
        EXPECT_EQ(c.At(4, 1), back);     // transparent pixel
        EXPECT_EQ(c.Count(CRect(1, 2, 5, 3), back), 4);
        EXPECT_EQ(c.At(0, 1), back);
        EXPECT_EQ(c.At(5, 1), back);
    }
}
