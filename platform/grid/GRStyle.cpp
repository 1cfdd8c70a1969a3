#include "platform/grid/GRStyle.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

/////////////////////////////////////////////////////////////////////////////
// CGRFont

CGRFont& CGRFont::SetFaceName(LPCTSTR lpszFaceName)
{
    m_strFaceName = lpszFaceName;
    m_nInclude |= incFace;
    return *this;
}

CGRFont& CGRFont::SetSize(double dPoints)
{
    m_dSize = dPoints;
    m_nInclude |= incSize;
    return *this;
}

CGRFont& CGRFont::SetWeight(LONG nWeight)
{
    m_nWeight = nWeight;
    m_nInclude |= incWeight;
    return *this;
}

CGRFont& CGRFont::SetItalic(BOOL bItalic)
{
    m_bItalic = bItalic;
    m_nInclude |= incItalic;
    return *this;
}

CGRFont& CGRFont::SetUnderline(BOOL bUnderline)
{
    m_bUnderline = bUnderline;
    m_nInclude |= incUnderline;
    return *this;
}

CGRFont& CGRFont::SetCharSet(BYTE nCharSet)
{
    m_nCharSet = nCharSet;
    m_nInclude |= incCharSet;
    return *this;
}

CGRFont& CGRFont::SetLogFont(const LOGFONT& lf)
{
    char face[LF_FACESIZE + 1] = {};
    memcpy(face, lf.lfFaceName, LF_FACESIZE);
    if (face[0])
        SetFaceName(face);
    if (lf.lfHeight != 0)
        SetSize(std::fabs((double)lf.lfHeight) * 72.0 / 96.0);
    SetWeight(lf.lfWeight == 0 ? FW_NORMAL : lf.lfWeight);
    SetItalic(lf.lfItalic != 0);
    SetUnderline(lf.lfUnderline != 0);
    SetCharSet(lf.lfCharSet);
    return *this;
}

void CGRFont::ChangeFont(const CGRFont& f, GRModifyType mt)
{
    if (mt == grCopy)
    {
        *this = f;
        return;
    }
    for (UINT bit = 1; bit <= incCharSet; bit <<= 1)
    {
        if (!(f.m_nInclude & bit))
            continue;
        if (mt == grExclude)
        {
            m_nInclude &= ~bit;
            continue;
        }
        if (mt == grApplyNew && (m_nInclude & bit))
            continue;
        switch (bit)
        {
        case incFace: m_strFaceName = f.m_strFaceName; break;
        case incSize: m_dSize = f.m_dSize; break;
        case incWeight: m_nWeight = f.m_nWeight; break;
        case incItalic: m_bItalic = f.m_bItalic; break;
        case incUnderline: m_bUnderline = f.m_bUnderline; break;
        case incCharSet: m_nCharSet = f.m_nCharSet; break;
        }
        m_nInclude |= bit;
    }
}

void CGRFont::GetLogFont(LOGFONT& lf, int nLogPixelsY) const
{
    memset(&lf, 0, sizeof(lf));
    LOGFONT def = {};
    HGDIOBJ hDefault = ::GetStockObject(DEFAULT_GUI_FONT);
    if (hDefault)
        ::GetObject(hDefault, sizeof(def), &def);
    const char* face = GetIncludeFaceName() ? m_strFaceName.GetString() : def.lfFaceName;
    if (!face[0])
        face = "MS Shell Dlg";
    memcpy(lf.lfFaceName, face, std::min<size_t>(strlen(face), LF_FACESIZE - 1));
    double size = GetIncludeSize() ? m_dSize : 8.0;
    lf.lfHeight = -(LONG)std::lround(size * nLogPixelsY / 72.0);
    lf.lfWeight = GetIncludeWeight() ? m_nWeight : FW_NORMAL;
    lf.lfItalic = (BYTE)(GetIncludeItalic() && m_bItalic);
    lf.lfUnderline = (BYTE)(GetIncludeUnderline() && m_bUnderline);
    lf.lfCharSet = GetIncludeCharSet() ? m_nCharSet : (BYTE)DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
}

BOOL CGRFont::operator==(const CGRFont& f) const
{
    if (m_nInclude != f.m_nInclude)
        return FALSE;
    return (!GetIncludeFaceName() || m_strFaceName == f.m_strFaceName) &&
           (!GetIncludeSize() || m_dSize == f.m_dSize) &&
           (!GetIncludeWeight() || m_nWeight == f.m_nWeight) &&
           (!GetIncludeItalic() || m_bItalic == f.m_bItalic) &&
           (!GetIncludeUnderline() || m_bUnderline == f.m_bUnderline) &&
           (!GetIncludeCharSet() || m_nCharSet == f.m_nCharSet);
}

/////////////////////////////////////////////////////////////////////////////
// Number texts

CString GRFormatDouble(double d)
{
    if (std::isnan(d) || std::isinf(d))
        return CString(std::isnan(d) ? "NaN" : (d > 0 ? "Inf" : "-Inf"));
    char buf[64];
    for (int prec = 1; prec <= 17; prec++)
    {
        snprintf(buf, sizeof(buf), "%.*g", prec, d);
        if (strtod(buf, nullptr) == d)
            break;
    }
    return CString(buf);
}

CString GRFormatNumber(double d, int nFormat, int nPlaces)
{
    if (nPlaces < 0)
        nPlaces = 0;
    if (nPlaces > 30)
        nPlaces = 30;
    char buf[400];
    switch (nFormat)
    {
    case GR_FMT_FIXED:
        if (std::fabs(d) >= 1e100)
            snprintf(buf, sizeof(buf), "%.*e", nPlaces, d);
        else
            snprintf(buf, sizeof(buf), "%.*f", nPlaces, d);
        break;
    case GR_FMT_SIGNIFICANT:
        snprintf(buf, sizeof(buf), "%.*g", nPlaces == 0 ? 1 : nPlaces, d);
        break;
    case GR_FMT_SCIENTIFIC:
        snprintf(buf, sizeof(buf), "%.*e", nPlaces, d);
        break;
    default:
        return GRFormatDouble(d);
    }
    return CString(buf);
}

namespace {
// TRUE when the whole text (blanks around it aside) reads as a number.
bool ParseNumber(const CString& s, double& d)
{
    const char* p = s.GetString();
    while (*p == ' ' || *p == '\t')
        p++;
    if (!*p)
        return false;
    char* end = nullptr;
    d = strtod(p, &end);
    if (end == p)
        return false;
    while (*end == ' ' || *end == '\t')
        end++;
    return *end == 0;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// CGRStyle

CGRStyle& CGRStyle::SetValue(LPCTSTR lpsz)
{
    m_strValue = lpsz ? lpsz : "";
    return Include(incValue, TRUE);
}

CGRStyle& CGRStyle::SetValue(long n)
{
    m_strValue.Format("%ld", n);
    return Include(incValue, TRUE);
}

CGRStyle& CGRStyle::SetValue(DWORD n)
{
    m_strValue.Format("%lu", (unsigned long)n);
    return Include(incValue, TRUE);
}

CGRStyle& CGRStyle::SetValue(double d)
{
    m_strValue = GRFormatDouble(d);
    return Include(incValue, TRUE);
}

double CGRStyle::GetDoubleValue() const
{
    return atof(m_strValue);
}

long CGRStyle::GetLongValue() const
{
    return atol(m_strValue);
}

CGRStyle& CGRStyle::SetFont(const CGRFont& font, GRModifyType mt)
{
    m_font.ChangeFont(font, mt);
    return *this;
}

CGRStyle& CGRStyle::SetBorders(GRBorderType nBorder, const CGRPen& pen)
{
    if (nBorder == grBorderAll)
    {
        for (int i = 0; i < 4; i++)
        {
            m_borders[i] = pen;
            Include(incBorderLeft << i, TRUE);
        }
    }
    else
    {
        m_borders[nBorder & 3] = pen;
        Include(incBorderLeft << (nBorder & 3), TRUE);
    }
    return *this;
}

CGRStyle& CGRStyle::SetUserAttribute(WORD nID, LPCTSTR lpsz)
{
    m_userAttr[nID] = lpsz ? lpsz : "";
    return *this;
}

CString CGRStyle::GetUserAttribute(WORD nID) const
{
    auto it = m_userAttr.find(nID);
    return it == m_userAttr.end() ? CString() : it->second;
}

CString CGRStyle::GetDisplayText() const
{
    if (GetFormat() == GR_FMT_GENERAL)
        return m_strValue;
    double d;
    if (!ParseNumber(m_strValue, d))
        return m_strValue;
    return GRFormatNumber(d, GetFormat(), GetPlaces());
}

BOOL CGRStyle::IsNegativeValue() const
{
    double d;
    return ParseNumber(m_strValue, d) && d < 0;
}

void CGRStyle::TakeAttribute(const CGRStyle& s, DWORD bit)
{
    switch (bit)
    {
    case incValue: m_strValue = s.m_strValue; break;
    case incHorz: m_nHorzAlign = s.m_nHorzAlign; break;
    case incVert: m_nVertAlign = s.m_nVertAlign; break;
    case incReadOnly: m_bReadOnly = s.m_bReadOnly; break;
    case incEnabled: m_bEnabled = s.m_bEnabled; break;
    case incControl: m_nControl = s.m_nControl; break;
    case incInterior: m_interior = s.m_interior; m_bPattern = s.m_bPattern; break;
    case incTextColor: m_textColor = s.m_textColor; break;
    case incNegColor: m_negColor = s.m_negColor; break;
    case incWrap: m_bWrap = s.m_bWrap; break;
    case incAutoSize: m_bAutoSize = s.m_bAutoSize; break;
    case incMaxLength: m_nMaxLength = s.m_nMaxLength; break;
    case incChoices: m_strChoices = s.m_strChoices; break;
    case incFormat: m_nFormat = s.m_nFormat; break;
    case incPlaces: m_nPlaces = s.m_nPlaces; break;
    case incBorderLeft: m_borders[0] = s.m_borders[0]; break;
    case incBorderTop: m_borders[1] = s.m_borders[1]; break;
    case incBorderRight: m_borders[2] = s.m_borders[2]; break;
    case incBorderBottom: m_borders[3] = s.m_borders[3]; break;
    }
    m_nInclude |= bit;
}

CGRStyle& CGRStyle::ChangeStyle(const CGRStyle& s, GRModifyType mt)
{
    if (&s == this)
        return *this;
    if (mt == grCopy)
    {
        *this = s;
        return *this;
    }
    for (DWORD bit = 1; bit <= incBorderBottom; bit <<= 1)
    {
        if (!(s.m_nInclude & bit))
            continue;
        if (mt == grExclude)
            m_nInclude &= ~bit;
        else if (mt == grOverride || !(m_nInclude & bit))
            TakeAttribute(s, bit);
    }
    if (s.m_bPattern && mt != grExclude && (mt == grOverride || !m_bPattern))
        m_bPattern = s.m_bPattern;
    m_font.ChangeFont(s.m_font, mt);
    for (const auto& ua : s.m_userAttr)
    {
        if (mt == grExclude)
            m_userAttr.erase(ua.first);
        else if (mt == grOverride || !m_userAttr.count(ua.first))
            m_userAttr[ua.first] = ua.second;
    }
    return *this;
}

BOOL CGRStyle::operator==(const CGRStyle& s) const
{
    if (m_nInclude != s.m_nInclude || m_font != s.m_font || m_userAttr != s.m_userAttr ||
        m_bPattern != s.m_bPattern)
        return FALSE;
    for (DWORD bit = 1; bit <= incBorderBottom; bit <<= 1)
    {
        if (!(m_nInclude & bit))
            continue;
        CGRStyle a, b;
        a.TakeAttribute(*this, bit);
        b.TakeAttribute(s, bit);
        bool same = true;
        switch (bit)
        {
        case incValue: same = a.m_strValue == b.m_strValue; break;
        case incHorz: same = a.m_nHorzAlign == b.m_nHorzAlign; break;
        case incVert: same = a.m_nVertAlign == b.m_nVertAlign; break;
        case incReadOnly: same = a.m_bReadOnly == b.m_bReadOnly; break;
        case incEnabled: same = a.m_bEnabled == b.m_bEnabled; break;
        case incControl: same = a.m_nControl == b.m_nControl; break;
        case incInterior: same = a.m_interior == b.m_interior; break;
        case incTextColor: same = a.m_textColor == b.m_textColor; break;
        case incNegColor: same = a.m_negColor == b.m_negColor; break;
        case incWrap: same = a.m_bWrap == b.m_bWrap; break;
        case incAutoSize: same = a.m_bAutoSize == b.m_bAutoSize; break;
        case incMaxLength: same = a.m_nMaxLength == b.m_nMaxLength; break;
        case incChoices: same = a.m_strChoices == b.m_strChoices; break;
        case incFormat: same = a.m_nFormat == b.m_nFormat; break;
        case incPlaces: same = a.m_nPlaces == b.m_nPlaces; break;
        case incBorderLeft: same = a.m_borders[0] == b.m_borders[0]; break;
        case incBorderTop: same = a.m_borders[1] == b.m_borders[1]; break;
        case incBorderRight: same = a.m_borders[2] == b.m_borders[2]; break;
        case incBorderBottom: same = a.m_borders[3] == b.m_borders[3]; break;
        }
        if (!same)
            return FALSE;
    }
    return TRUE;
}
