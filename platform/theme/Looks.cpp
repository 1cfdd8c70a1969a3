// The looks, the shared table and the looks' colours.
#include "platform/theme/ThemeLib.h"
#include "platform/theme/ColorSpace.h"
#include <algorithm>

namespace {

const int kPaletteSize = 32;

struct ThemeState
{
    OZW_AUX_DATA data {};
    COLORREF dotNet[kPaletteSize] {};
    COLORREF office2003[kPaletteSize] {};
    bool bReady = false;
};

ThemeState& State()
{
    static ThemeState state;
    return state;
}

// nWeight parts of 255 of a, the rest of b.
COLORREF Mix(COLORREF a, COLORREF b, int nWeight)
{
    auto ch = [nWeight](int x, int y) { return (BYTE)((x * nWeight + y * (255 - nWeight) + 127) / 255); };
    return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)),
               ch(GetBValue(a), GetBValue(b)));
}

int Clamp(int v, int lo, int hi)
{
    return std::min(std::max(v, lo), hi);
}

void BuildDotNetPalette(const OZW_AUX_DATA& d, COLORREF* p)
{
    const COLORREF face = d.clrBtnFace, window = d.clrWindow, hilite = d.clrHighlight;
    const COLORREF shadow = d.clrBtnShadow;
    for (int i = 0; i < kPaletteSize; ++i)
        p[i] = face;
    p[0] = Mix(face, window, 204);                 // bars: a lighter face
    p[1] = Mix(window, face, 217);                 // menus: nearly the window colour
    p[2] = d.clrBtnText;
    p[3] = face;
    p[4] = ::GetSysColor(COLOR_GRAYTEXT);
    p[5] = Mix(hilite, window, 77);                // hot: 30% of the highlight
    p[6] = hilite;
    p[7] = Mix(hilite, window, 128);               // pressed: half the highlight
    p[8] = hilite;
    p[9] = Mix(face, window, 128);
    p[10] = Mix(hilite, window, 128);
    p[11] = Mix(hilite, window, 51);               // checked: 20% of the highlight
    p[12] = hilite;
    p[13] = Mix(shadow, face, 179);
    p[14] = Mix(shadow, d.clrBtnText, 128);
    p[15] = p[1];
    p[16] = ::GetSysColor(COLOR_MENUTEXT);          // menu text
    p[17] = p[16];
    p[18] = ::GetSysColor(COLOR_GRAYTEXT);          // disabled menu text
    p[19] = p[5];                                   // selected menu item
    p[20] = hilite;                                 // its frame
    p[21] = p[16];                                  // its text
    p[29] = d.clrBtnText;                           // menu-bar button text
    p[25] = p[0];
    p[26] = shadow;
    p[27] = Mix(shadow, window, 179);
    p[30] = shadow;
    p[31] = Mix(shadow, face, 204);
}

void BuildOffice2003Palette(const OZW_AUX_DATA& d, COLORREF* p)
{
    // The hue and saturation come from the caption colour (the highlight
    // when the caption is grey). The shades' lightness is set from the
    // button face's, taken no lighter than a classic face, so that light
    // schemes keep the look's contrast and dark schemes give a dark look.
    WORD hue, lum, sat;
    RGBtoHLS(::GetSysColor(COLOR_ACTIVECAPTION), &hue, &lum, &sat);
    if (sat < 24)
        RGBtoHLS(d.clrHighlight, &hue, &lum, &sat);
    WORD faceHue, faceLum, faceSat;
    RGBtoHLS(d.clrBtnFace, &faceHue, &faceLum, &faceSat);
    const int base = Clamp(faceLum, 60, 193);
    auto shade = [&](int dLum, int satPercent) {
        return HLStoRGB(hue, (WORD)Clamp(base + dLum, 0, 240),
                        (WORD)Clamp(sat * satPercent / 100, 0, 240));
    };
    for (int i = 0; i < kPaletteSize; ++i)
        p[i] = d.clrBtnFace;
    p[0] = shade(31, 95);                          // gradient, light end
    p[1] = shade(-26, 65);                         // gradient, dark end
    p[2] = shade(-3, 85);                          // bar and dock background
    p[3] = Mix(d.clrHighlight, d.clrWindow, 77);   // hot
    p[4] = Mix(d.clrHighlight, d.clrWindow, 128);  // pressed
    p[5] = shade(-90, 100);                        // frame of hot items
}

void Refresh(ThemeState& s)
{
    OZW_AUX_DATA& d = s.data;
    d.cxBorder = ::GetSystemMetrics(SM_CXBORDER);
    d.cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    d.clrBtnFace = ::GetSysColor(COLOR_BTNFACE);
    d.clrBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    d.clrBtnHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    d.clrBtnDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    d.clrBtnLight = ::GetSysColor(COLOR_3DLIGHT);
    d.clrBtnText = ::GetSysColor(COLOR_BTNTEXT);
    d.clrWindow = ::GetSysColor(COLOR_WINDOW);
    d.clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    d.clrHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    d.clrHighlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    if (d.hcurArrow == nullptr)
        d.hcurArrow = ::LoadCursor(nullptr, IDC_ARROW);
    d.bFlatLook = d.nStyle == UX_STYLE_OFFICE2003 || d.nStyle == UX_STYLE_DOTNET;
    d.bToolWindowFloat = d.bFlatLook;
    BuildDotNetPalette(d, s.dotNet);
    BuildOffice2003Palette(d, s.office2003);
    s.bReady = true;
}

ThemeState& ReadyState()
{
    ThemeState& s = State();
    if (!s.bReady)
        Refresh(s);
    return s;
}

int Style()
{
    return ReadyState().data.nStyle;
}

} // namespace

void OZW_AUX_DATA::UpdateSysColors()
{
    ThemeState& s = State();
    if (this == &s.data)
        Refresh(s);
}

OZW_AUX_DATA* UXGetSysData()
{
    return &ReadyState().data;
}

void UXSetVisualStyle(int nStyle)
{
    ThemeState& s = ReadyState();
    if (nStyle < UX_STYLE_PLATFORM || nStyle > UX_STYLE_VISTACLASSIC)
        nStyle = UX_STYLE_PLATFORM;
    s.data.nStyle = nStyle;
    Refresh(s);
}

BOOL UXIsDotNetStyleEnabled()
{
    return Style() == UX_STYLE_DOTNET;
}

BOOL UXIsOfc2003StyleEnabled()
{
    return Style() == UX_STYLE_OFFICE2003;
}

BOOL UXIsVistaClassicStyleEnabled()
{
    return Style() == UX_STYLE_VISTACLASSIC;
}

BOOL UXIsWindowsClassicStyleEnabled()
{
    return Style() == UX_STYLE_PLATFORM && !(UXIsAppThemed() && UXIsThemeActive());
}

COLORREF UXGetDNETColor(int nIndex)
{
    ThemeState& s = ReadyState();
    return nIndex >= 0 && nIndex < kPaletteSize ? s.dotNet[nIndex] : s.data.clrBtnFace;
}

COLORREF UXGetO2K3Color(int nIndex)
{
    ThemeState& s = ReadyState();
    return nIndex >= 0 && nIndex < kPaletteSize ? s.office2003[nIndex] : s.data.clrBtnFace;
}

COLORREF UXAdjustHSL(COLORREF colour, float fHue, float fSaturation, float fLightness)
{
    WORD h, l, s;
    RGBtoHLS(colour, &h, &l, &s);
    int hue = h + (int)(fHue * 240.0f / 360.0f);
    hue %= 240;
    if (hue < 0)
        hue += 240;
    const int sat = Clamp(s + (int)(fSaturation * 240.0f), 0, 240);
    const int lum = Clamp(l + (int)(fLightness * 240.0f), 0, 240);
    return HLStoRGB((WORD)hue, (WORD)lum, (WORD)sat);
}
