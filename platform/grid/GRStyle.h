// Cell styles: what a cell shows (its value) and how (font, colours, borders,
// alignment, control, read-only...). A style holds only the attributes that
// were set on it; the look of a cell is composed from the cell's own style,
// its row's and column's, the header styles and the grid's standard style.
#pragma once

#include "platform/grid/GRDefs.h"

#include <map>

// A font description with any of its parts set.
class CGRFont
{
public:
    CGRFont() = default;
    // Every part taken from the LOGFONT; a height of 0 leaves the size unset.
    explicit CGRFont(const LOGFONT& lf) { SetLogFont(lf); }

    CGRFont& SetFaceName(LPCTSTR lpszFaceName);
    CGRFont& SetSize(double dPoints);
    CGRFont& SetBold(BOOL bBold = TRUE) { return SetWeight(bBold ? FW_BOLD : FW_NORMAL); }
    CGRFont& SetWeight(LONG nWeight);
    CGRFont& SetItalic(BOOL bItalic = TRUE);
    CGRFont& SetUnderline(BOOL bUnderline = TRUE);
    CGRFont& SetCharSet(BYTE nCharSet);
    CGRFont& SetLogFont(const LOGFONT& lf);

    double GetSize() const { return m_dSize; }
    BOOL GetBold() const { return m_nWeight >= FW_BOLD; }
    BYTE GetCharSet() const { return m_nCharSet; }

    BOOL GetIncludeFaceName() const { return (m_nInclude & incFace) != 0; }
    BOOL GetIncludeSize() const { return (m_nInclude & incSize) != 0; }
    BOOL GetIncludeWeight() const { return (m_nInclude & incWeight) != 0; }
    BOOL GetIncludeItalic() const { return (m_nInclude & incItalic) != 0; }
    BOOL GetIncludeUnderline() const { return (m_nInclude & incUnderline) != 0; }
    BOOL GetIncludeCharSet() const { return (m_nInclude & incCharSet) != 0; }
    BOOL IsEmpty() const { return m_nInclude == 0; }

    void ChangeFont(const CGRFont& font, GRModifyType mt);

    // A LOGFONT for a device with nLogPixelsY pixels per inch vertically; parts
    // not set are those of the default GUI font at 8 points.
    void GetLogFont(LOGFONT& lf, int nLogPixelsY = 96) const;

    BOOL operator==(const CGRFont& f) const;
    BOOL operator!=(const CGRFont& f) const { return !(*this == f); }

private:
    enum : UINT { incFace = 1, incSize = 2, incWeight = 4, incItalic = 8, incUnderline = 16,
                  incCharSet = 32 };
    UINT m_nInclude = 0;
    CString m_strFaceName;
    double m_dSize = 8.0;
    LONG m_nWeight = FW_NORMAL;
    BOOL m_bItalic = FALSE;
    BOOL m_bUnderline = FALSE;
    BYTE m_nCharSet = DEFAULT_CHARSET;
};

// A pen for cell borders. Style PS_NULL (5) draws nothing.
class CGRPen
{
public:
    CGRPen(UINT nStyle = PS_SOLID, int nWidth = 1, COLORREF color = RGB(0, 0, 0))
        : m_nStyle(nStyle), m_nWidth(nWidth), m_color(color) {}
    UINT GetStyle() const { return m_nStyle; }
    int GetWidth() const { return m_nWidth; }
    COLORREF GetColor() const { return m_color; }
    CGRPen& SetStyle(UINT n) { m_nStyle = n; return *this; }
    CGRPen& SetColor(COLORREF c) { m_color = c; return *this; }
    BOOL operator==(const CGRPen& p) const
    {
        return m_nStyle == p.m_nStyle && m_nWidth == p.m_nWidth && m_color == p.m_color;
    }
    BOOL operator!=(const CGRPen& p) const { return !(*this == p); }

private:
    UINT m_nStyle;
    int m_nWidth;
    COLORREF m_color;
};

class CGRStyle
{
public:
    CGRStyle() = default;

    // Value. A number is kept as its text ("%ld", or the shortest text that
    // reads back as the same double).
    CGRStyle& SetValue(LPCTSTR lpsz);
    CGRStyle& SetValue(const CString& s) { return SetValue((LPCTSTR)s); }
    CGRStyle& SetValue(int n) { return SetValue((long)n); }
    CGRStyle& SetValue(long n);
    CGRStyle& SetValue(DWORD n);
    CGRStyle& SetValue(double d);
    CGRStyle& SetValue(float f) { return SetValue((double)f); }
    const CString& GetValue() const { return m_strValue; }
    double GetDoubleValue() const;
    long GetLongValue() const;
    BOOL GetIncludeValue() const { return Has(incValue); }

    // Alignment: DT_LEFT, DT_CENTER or DT_RIGHT; DT_TOP, DT_VCENTER or DT_BOTTOM.
    CGRStyle& SetHorizontalAlignment(UINT n) { m_nHorzAlign = n; return Include(incHorz, TRUE); }
    CGRStyle& SetVerticalAlignment(UINT n) { m_nVertAlign = n; return Include(incVert, TRUE); }
    UINT GetHorizontalAlignment() const { return Has(incHorz) ? m_nHorzAlign : DT_LEFT; }
    UINT GetVerticalAlignment() const { return Has(incVert) ? m_nVertAlign : DT_VCENTER; }

    CGRStyle& SetReadOnly(BOOL b) { m_bReadOnly = b; return Include(incReadOnly, TRUE); }
    BOOL GetReadOnly() const { return Has(incReadOnly) && m_bReadOnly; }
    BOOL GetIncludeReadOnly() const { return Has(incReadOnly); }

    // A disabled cell cannot become the current cell.
    CGRStyle& SetEnabled(BOOL b) { m_bEnabled = b; return Include(incEnabled, TRUE); }
    BOOL GetEnabled() const { return !Has(incEnabled) || m_bEnabled; }

    // The id of the cell's control (GR_IDS_CTRL_... or one registered by the
    // program).
    CGRStyle& SetControl(WORD nID) { m_nControl = nID; return Include(incControl, TRUE); }
    WORD GetControl() const { return Has(incControl) ? m_nControl : (WORD)GR_IDS_CTRL_EDIT; }

    CGRStyle& SetInterior(COLORREF c) { m_interior = c; return Include(incInterior, TRUE); }
    COLORREF GetInterior() const { return Has(incInterior) ? m_interior : RGB(255, 255, 255); }
    // A hatched interior (selection marks of highlighted ranges).
    CGRStyle& SetInteriorPattern(BOOL b) { m_bPattern = b; return *this; }
    BOOL GetInteriorPattern() const { return m_bPattern; }

    CGRStyle& SetTextColor(COLORREF c) { m_textColor = c; return Include(incTextColor, TRUE); }
    COLORREF GetTextColor() const { return Has(incTextColor) ? m_textColor : RGB(0, 0, 0); }
    // The text colour of a value below zero.
    COLORREF GetTextColorNA() const { return m_negColor; }
    BOOL GetIncludeTextColorNA() const { return Has(incNegColor); }

    CGRStyle& SetFont(const CGRFont& font, GRModifyType mt = grOverride);
    const CGRFont& GetFont() const { return m_font; }
    BOOL GetIncludeFont() const { return !m_font.IsEmpty(); }

    CGRStyle& SetBorders(GRBorderType nBorder, const CGRPen& pen);
    const CGRPen& GetBorders(GRBorderType nBorder) const { return m_borders[nBorder & 3]; }
    BOOL GetIncludeBorders(GRBorderType nBorder) const { return Has(incBorderLeft << (nBorder & 3)); }

    CGRStyle& SetWrapText(BOOL b) { m_bWrap = b; return Include(incWrap, TRUE); }
    BOOL GetWrapText() const { return Has(incWrap) && m_bWrap; }
    // The row height follows the text when the value changes.
    CGRStyle& SetAutoSize(BOOL b) { m_bAutoSize = b; return Include(incAutoSize, TRUE); }
    BOOL GetAutoSize() const { return Has(incAutoSize) && m_bAutoSize; }

    // The most characters the in-place control accepts (0: any number).
    CGRStyle& SetMaxLength(int n) { m_nMaxLength = n; return Include(incMaxLength, TRUE); }
    int GetMaxLength() const { return Has(incMaxLength) ? m_nMaxLength : 0; }

    // The entries of a combo box, one per line.
    CGRStyle& SetChoiceList(LPCTSTR lpsz) { m_strChoices = lpsz; return Include(incChoices, TRUE); }
    const CString& GetChoiceList() const { return m_strChoices; }

    // Number format (GR_FMT_...) and its places.
    CGRStyle& SetFormat(int nFormat) { m_nFormat = nFormat; return Include(incFormat, TRUE); }
    CGRStyle& SetPlaces(int nPlaces) { m_nPlaces = nPlaces; return Include(incPlaces, TRUE); }
    int GetFormat() const { return Has(incFormat) ? m_nFormat : GR_FMT_GENERAL; }
    int GetPlaces() const { return Has(incPlaces) ? m_nPlaces : 15; }

    // User attributes: texts under ids (GR_IDS_UA_... or the program's own).
    CGRStyle& SetUserAttribute(WORD nID, LPCTSTR lpsz);
    CString GetUserAttribute(WORD nID) const;

    // The text shown: the value, number-formatted when the format asks for it.
    CString GetDisplayText() const;
    // TRUE when the value reads as a number below zero.
    BOOL IsNegativeValue() const;

    CGRStyle& ChangeStyle(const CGRStyle& style, GRModifyType mt);
    BOOL IsEmpty() const { return m_nInclude == 0 && m_font.IsEmpty() && m_userAttr.empty(); }
    void Free() { *this = CGRStyle(); }

    BOOL operator==(const CGRStyle& s) const;
    BOOL operator!=(const CGRStyle& s) const { return !(*this == s); }

private:
    enum : DWORD
    {
        incValue = 1u << 0, incHorz = 1u << 1, incVert = 1u << 2, incReadOnly = 1u << 3,
        incEnabled = 1u << 4, incControl = 1u << 5, incInterior = 1u << 6, incTextColor = 1u << 7,
        incNegColor = 1u << 8, incWrap = 1u << 9, incAutoSize = 1u << 10, incMaxLength = 1u << 11,
        incChoices = 1u << 12, incFormat = 1u << 13, incPlaces = 1u << 14,
        incBorderLeft = 1u << 15, incBorderTop = 1u << 16, incBorderRight = 1u << 17,
        incBorderBottom = 1u << 18,
    };
    BOOL Has(DWORD bit) const { return (m_nInclude & bit) != 0; }
    CGRStyle& Include(DWORD bit, BOOL b)
    {
        m_nInclude = b ? (m_nInclude | bit) : (m_nInclude & ~bit);
        return *this;
    }
    void TakeAttribute(const CGRStyle& s, DWORD bit);

    DWORD m_nInclude = 0;
    CString m_strValue;
    UINT m_nHorzAlign = DT_LEFT;
    UINT m_nVertAlign = DT_VCENTER;
    BOOL m_bReadOnly = FALSE;
    BOOL m_bEnabled = TRUE;
    WORD m_nControl = GR_IDS_CTRL_EDIT;
    COLORREF m_interior = RGB(255, 255, 255);
    BOOL m_bPattern = FALSE;
    COLORREF m_textColor = RGB(0, 0, 0);
    COLORREF m_negColor = RGB(0, 0, 0);
    CGRFont m_font;
    CGRPen m_borders[4];
    BOOL m_bWrap = FALSE;
    BOOL m_bAutoSize = FALSE;
    int m_nMaxLength = 0;
    CString m_strChoices;
    int m_nFormat = GR_FMT_GENERAL;
    int m_nPlaces = 15;
    std::map<WORD, CString> m_userAttr;
};

// Formats a double as the shortest text that reads back as the same value.
CString GRFormatDouble(double d);
// Formats a number by a style's number format.
CString GRFormatNumber(double d, int nFormat, int nPlaces);
