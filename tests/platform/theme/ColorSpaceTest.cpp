// RGB to hue, lightness and saturation on the 0..240 scale and back.
#include <gtest/gtest.h>
#include "platform/theme/ColorSpace.h"
#include <cstdlib>

TEST(ColorSpace, KnownColoursConvertToTheirHLS)
{
    struct Case { COLORREF rgb; WORD h, l, s; } cases[] = {
        { RGB(0, 0, 0), 160, 0, 0 },
        { RGB(255, 255, 255), 160, 240, 0 },
        { RGB(128, 128, 128), 160, 120, 0 },
        { RGB(255, 0, 0), 0, 120, 240 },
        { RGB(0, 255, 0), 80, 120, 240 },
        { RGB(0, 0, 255), 160, 120, 240 },
        { RGB(255, 255, 0), 40, 120, 240 },
        { RGB(255, 0, 255), 200, 120, 240 },
        // Red largest with blue above green: the hue passes below zero and
        // comes back near the top of the scale.
        { RGB(255, 0, 100), 224, 120, 240 },
    };
    for (const Case& c : cases) {
        WORD h = 999, l = 999, s = 999;
        RGBtoHLS(c.rgb, &h, &l, &s);
        EXPECT_EQ(h, c.h) << std::hex << c.rgb;
        EXPECT_EQ(l, c.l) << std::hex << c.rgb;
        EXPECT_EQ(s, c.s) << std::hex << c.rgb;
    }
}

TEST(ColorSpace, HLSConvertsBackToRGB)
{
    EXPECT_EQ(HLStoRGB(0, 120, 240), RGB(255, 0, 0));
    EXPECT_EQ(HLStoRGB(80, 120, 240), RGB(0, 255, 0));
    EXPECT_EQ(HLStoRGB(160, 120, 240), RGB(0, 0, 255));
    EXPECT_EQ(HLStoRGB(160, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(HLStoRGB(160, 240, 0), RGB(255, 255, 255));
    // Without saturation the hue plays no part.
    EXPECT_EQ(HLStoRGB(0, 120, 0), RGB(127, 127, 127));
    EXPECT_EQ(HLStoRGB(233, 120, 0), RGB(127, 127, 127));
}

TEST(ColorSpace, RoundTripsStayWithinTheScalesRounding)
{
    int worst = 0;
    for (int r = 0; r < 256; r += 15) {
        for (int g = 0; g < 256; g += 15) {
            for (int b = 0; b < 256; b += 15) {
                WORD h, l, s;
                RGBtoHLS(RGB(r, g, b), &h, &l, &s);
                ASSERT_LE(h, 240);
                ASSERT_LE(l, 240);
                ASSERT_LE(s, 240);
                const COLORREF back = HLStoRGB(h, l, s);
                worst = std::max({ worst, std::abs(GetRValue(back) - r),
                                   std::abs(GetGValue(back) - g), std::abs(GetBValue(back) - b) });
            }
        }
    }
    EXPECT_LE(worst, 3);
}

TEST(ColorSpace, HueToRGBWrapsTheHueOnce)
{
    // A hue a turn below or above the scale is brought back before use.
    EXPECT_EQ(HueToRGB(10, 200, -40), HueToRGB(10, 200, 200));
    EXPECT_EQ(HueToRGB(10, 200, 280), HueToRGB(10, 200, 40));
    EXPECT_EQ(HueToRGB(10, 200, 20), 10 + (190 * 20 + 20) / 40);
    EXPECT_EQ(HueToRGB(10, 200, 100), 200);
    EXPECT_EQ(HueToRGB(10, 200, 150), 10 + (190 * 10 + 20) / 40);
    EXPECT_EQ(HueToRGB(10, 200, 170), 10);
    // A falling channel (m2 below m1) rounds toward zero.
    EXPECT_EQ(HueToRGB(200, 10, 20), 200 + (-190 * 20 + 20) / 40);
}
