#include "platform/theme/ColorSpace.h"

namespace {
const int kHLSMax = 240;
const int kRGBMax = 255;
const int kUndefinedHue = kHLSMax * 2 / 3;   // the hue of a grey
} // namespace

void RGBtoHLS(COLORREF colour, WORD* hue, WORD* lightness, WORD* saturation)
{
    // Signed arithmetic throughout: the hue passes below zero on its way.
    const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    const int cMax = r > g ? (r > b ? r : b) : (g > b ? g : b);
    const int cMin = r < g ? (r < b ? r : b) : (g < b ? g : b);
    const int l = ((cMax + cMin) * kHLSMax + kRGBMax) / (2 * kRGBMax);
    int h, s;
    if (cMax == cMin) {
        s = 0;
        h = kUndefinedHue;
    } else {
        const int sum = cMax + cMin, diff = cMax - cMin;
        if (l <= kHLSMax / 2)
            s = (diff * kHLSMax + sum / 2) / sum;
        else
            s = (diff * kHLSMax + (2 * kRGBMax - sum) / 2) / (2 * kRGBMax - sum);
        const int dr = ((cMax - r) * (kHLSMax / 6) + diff / 2) / diff;
        const int dg = ((cMax - g) * (kHLSMax / 6) + diff / 2) / diff;
        const int db = ((cMax - b) * (kHLSMax / 6) + diff / 2) / diff;
        if (r == cMax)
            h = db - dg;
        else if (g == cMax)
            h = kHLSMax / 3 + dr - db;
        else
            h = 2 * kHLSMax / 3 + dg - dr;
        if (h < 0)
            h += kHLSMax;
        if (h > kHLSMax)
            h -= kHLSMax;
    }
    if (hue != nullptr)
        *hue = (WORD)h;
    if (lightness != nullptr)
        *lightness = (WORD)l;
    if (saturation != nullptr)
        *saturation = (WORD)s;
}

WORD HueToRGB(WORD m1, WORD m2, int hue)
{
    if (hue < 0)
        hue += kHLSMax;
    if (hue > kHLSMax)
        hue -= kHLSMax;
    const int lo = m1, hi = m2;
    if (hue < kHLSMax / 6)
        return (WORD)(lo + ((hi - lo) * hue + kHLSMax / 12) / (kHLSMax / 6));
    if (hue < kHLSMax / 2)
        return (WORD)hi;
    if (hue < kHLSMax * 2 / 3)
        return (WORD)(lo + ((hi - lo) * (kHLSMax * 2 / 3 - hue) + kHLSMax / 12) / (kHLSMax / 6));
    return (WORD)lo;
}

COLORREF HLStoRGB(WORD hue, WORD lightness, WORD saturation)
{
    const int h = hue, l = lightness, s = saturation;
    if (s == 0) {
        const BYTE v = (BYTE)(l * kRGBMax / kHLSMax);
        return RGB(v, v, v);
    }
    int m2;
    if (l <= kHLSMax / 2)
        m2 = (l * (kHLSMax + s) + kHLSMax / 2) / kHLSMax;
    else
        m2 = l + s - (l * s + kHLSMax / 2) / kHLSMax;
    const int m1 = 2 * l - m2;
    auto channel = [&](int channelHue) {
        return (BYTE)((HueToRGB((WORD)m1, (WORD)m2, channelHue) * kRGBMax + kHLSMax / 2) / kHLSMax);
    };
    const BYTE r = channel(h + kHLSMax / 3);
    const BYTE g = channel(h);
    const BYTE b = channel(h - kHLSMax / 3);
    return RGB(r, g, b);
}
