// The theme services: which look the program's owner-drawn bars, buttons,
// menus, tabs and lists take, the colours of each look, themed drawing of
// parts through the platform's visual styles where they are active, and a
// few drawing helpers (gradients, transparent and shaded images).
//
// Looks (UXSetVisualStyle):
//   0  the platform's own look: themed drawing through the platform's visual
//      style where one is active for the program, classic drawing with the
//      system colours where none is (as under Wine by default);
//   1  the Office 2003 look: gradients and colours derived from the system
//      colours, flat bars;
//   2  the .NET look: flat bars in light shades of the system colours;
//   3  the Vista classic look: parts drawn through the platform's theme where
//      it answers, classic drawing where it does not.
// Callers ask for the look in the order .NET, Office 2003, Vista classic; when
// none holds they draw themed when UXIsAppThemed and UXIsThemeActive both
// answer TRUE and a theme handle opens, else in the classic way. Any failure
// of the themed calls (a null handle, a negative result) means classic drawing.
//
// All functions are plain functions used from the one user-interface thread.
#pragma once

#include <windows.h>
#include <uxtheme.h>

enum UXVisualStyle
{
    UX_STYLE_PLATFORM = 0,
    UX_STYLE_OFFICE2003 = 1,
    UX_STYLE_DOTNET = 2,
    UX_STYLE_VISTACLASSIC = 3,
};

// The shared table of system metrics, colours and cursors that the bars and
// frames draw with. The comments give each field's position in the table as
// the frame code counts them (32-bit positions from 0).
struct OZW_AUX_DATA
{
    int nStyle;                  // 0: the look in force (UXVisualStyle)
    int cxBorder;                // 1: SM_CXBORDER
    int cyBorder;                // 2: SM_CYBORDER
    COLORREF clrBtnFace;         // 3: face of splitters, plain border colour
    COLORREF clrBtnShadow;       // 4: 3D shadow
    COLORREF clrBtnHilite;       // 5: 3D highlight
    COLORREF clrBtnDkShadow;     // 6: dark edge, the outermost splitter line
    COLORREF clrBtnLight;        // 7: 3D light
    COLORREF clrBtnText;         // 8
    COLORREF clrWindow;          // 9
    COLORREF clrWindowText;      // 10
    COLORREF clrHighlight;       // 11
    COLORREF clrHighlightText;   // 12
    HCURSOR hcurArrow;           // 13: the default cursor
    HCURSOR hcurSizeWE;          // 14: west-east resize cursor (set by the dock bar, null before)
    HCURSOR hcurSizeNS;          // 15: north-south resize cursor (likewise)
    BOOL bToolWindowFloat;       // 16: floating frames take the tool-window style
    BOOL bFlatLook;              // 17: bars are drawn flat (the Office 2003 and .NET looks)

    // Reads the system colours and metrics again and derives the looks'
    // colours from them; frames call it at creation and on WM_SYSCOLORCHANGE.
    void UpdateSysColors();
};

// The look: one of UXVisualStyle; other values are taken as 0.
void UXSetVisualStyle(int nStyle);

BOOL UXIsDotNetStyleEnabled();
BOOL UXIsOfc2003StyleEnabled();
BOOL UXIsVistaClassicStyleEnabled();
// The platform's own look with no visual style active: classic drawing.
BOOL UXIsWindowsClassicStyleEnabled();

// The platform's visual styles: themes are applied to this program, and a
// theme is active.
BOOL UXIsAppThemed();
BOOL UXIsThemeActive();

// The window to open theme data with (the desktop window).
HWND UXGetSafeHwnd();
// Theme data of a theme class ("Button", "Toolbar", "Menu", "Rebar",
// "Window", "TASKBAND", "Tab", "scrollbar", "HEADER", "TREEVIEW"); null when
// themes are not in use or the class has no theme data.
HTHEME UXOpenThemeData(HWND hWnd, LPCSTR lpszClassList);
HRESULT UXCloseThemeData(HTHEME hTheme);
// Negative results: failure (null handle, undefined part, failed drawing).
HRESULT UXDrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                              const RECT* pRect, const RECT* pClipRect);
HRESULT UXIsThemePartDefined(HTHEME hTheme, int iPartId, int iStateId);
BOOL UXIsThemeBackgroundPartiallyTransparent(HTHEME hTheme, int iPartId, int iStateId);
HRESULT UXDrawThemeParentBackground(HWND hWnd, HDC hdc, const RECT* pRect);
HRESULT UXGetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor);

// Colours of the .NET and Office 2003 looks by palette index, derived from
// the system colours (out-of-range indexes give the button face). The
// indexes the drawing code uses:
//   .NET:  0 bar background, 1 menu background, 2 text, 3 auto-hide strip,
//          4 disabled text, 5 hot fill, 6 hot frame, 7 pressed fill,
//          8 pressed frame, 9 disabled or indeterminate fill,
//          10 hot checked fill, 11 checked fill, 12 checked frame,
//          13 separator, 14 menu border, 15 menu item background,
//          16 menu text, 18 disabled menu text, 19 selected menu item,
//          20 its frame, 21 its text,
//          25 menu image column, 26 bar frame and menu-button frame,
//          27 menu separator, 29 menu-bar button text,
//          30 tab lines and flat image shadow,
//          31 disabled image shadow
//   Office 2003: 0 gradient light end, 1 gradient dark end, 2 bar and dock
//          background, 3 hot fill, 4 pressed fill, 5 frame of hot items
COLORREF UXGetDNETColor(int nIndex);
COLORREF UXGetO2K3Color(int nIndex);

// The colour with its hue turned by fHue degrees and its saturation and
// lightness moved by fSaturation and fLightness (fractions of the full
// scale), kept within range.
COLORREF UXAdjustHSL(COLORREF colour, float fHue, float fSaturation, float fLightness);

// A linear fill from clrFirst to clrSecond across the rectangle: from top to
// bottom, or from left to right when bVertical (the bar is vertical). The
// first line has clrFirst, the last clrSecond.
void UXPaintGradientRect(HDC hdc, int x, int y, int cx, int cy, COLORREF clrFirst,
                         COLORREF clrSecond, BOOL bVertical);

// Copies (and stretches) the source rectangle, leaving out the pixels of the
// transparent colour.
BOOL UXTransparentBlt(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc,
                      int ySrc, int cxSrc, int cySrc, COLORREF clrTransparent);

// Images from an image strip, cx by cy from (xSrc, ySrc), drawn at (x, y);
// pixels of the transparent colour are left out:
// plain;
BOOL UXDrawDCImage(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcImage, int xSrc,
                   int ySrc, COLORREF clrTransparent);
// as a flat silhouette in clrShadow;
BOOL UXDrawDCFlatImageShadow(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcImage,
                             int xSrc, int ySrc, COLORREF clrTransparent, COLORREF clrShadow);
// faded: each pixel mixed with clrBlend, nWeight (0 to 255) parts of 255
// being the image's own colour;
BOOL UXDrawDCHighlightedImage(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcImage,
                              int xSrc, int ySrc, COLORREF clrTransparent, COLORREF clrBlend,
                              int nWeight);
// in shades of clrShadow: dark pixels take clrShadow, light ones a light
// shade of it (a disabled image).
BOOL UXDrawDCFullImageShadow(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcImage,
                             int xSrc, int ySrc, COLORREF clrTransparent, COLORREF clrShadow);

// The shared table, up to date with the system colours and the look.
OZW_AUX_DATA* UXGetSysData();
