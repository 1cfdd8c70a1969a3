#include "grids/CellText.h"
#include "grids/GridTables.h"
#include "resources/resource.h"

namespace kvgrid {

CString GetAllowedUsageLetters(int nTableType, bool bAssembly)
{
    if (nTableType == TABLE_PIPE)
        return " FLMSUZ";
    if (nTableType == TABLE_TAPE)
        return " L";
    if (nTableType == TABLE_WIRE)
        return " NY";
    if (bAssembly)
        return " ANXY";
    return " NY";
}

UsageCheck CheckUsageText(const CString& text, int nTableType, bool bAssembly, int nWidth)
{
    UsageCheck result;
    CString allowed = GetAllowedUsageLetters(nTableType, bAssembly);
    CString upper = text;
    upper.MakeUpper();
    CString kept, refused;
    for (int i = 0; i < upper.GetLength(); i++)
    {
        char ch = upper[i];
        if (allowed.Find(ch) < 0)
            refused += ch;
        else if (kept.Find(ch) >= 0)
            result.droppedRepeats = true;
        else
            kept += ch;
    }
    if (nWidth <= 0)
        nWidth = kept.GetLength();
    bool tooMany = kept.GetLength() > nWidth;
    if (!refused.IsEmpty())
    {
        result.message.Format(IDS_USAGE_REFUSED_LETTERS, (LPCTSTR)refused);
        if (tooMany)
        {
            CString more;
            more.LoadString(IDS_USAGE_ONLY_THREE);
            result.message += more;
        }
    }
    else if (tooMany)
    {
        result.message.LoadString(IDS_USAGE_TOO_MANY);
    }
    result.text = PadToLength(kept.Left(nWidth), nWidth);
    return result;
}

CString PadToLength(const CString& text, int nLength)
{
    if (nLength < 0)
        nLength = 0;
    if (text.GetLength() >= nLength)
        return text.Left(nLength);
    CString padded = text;
    padded += CString(' ', nLength - text.GetLength());
    return padded;
}

CString MakeUniqueDescription(const CString& text, int nWidth)
{
    CString s = text;
    s.Trim(' ');
    if (nWidth <= 0)
        return "~" + s;
    if (s.GetLength() >= nWidth)
    {
        for (int i = 0; i < nWidth; i++)
        {
            if (s[i] != '~')
            {
                s.SetAt(i, '~');
                break;
            }
        }
    }
    else
    {
        s = "~" + s;
    }
    if (s.GetLength() < nWidth)
        s = PadToLength(s, nWidth);
    return s;
}

void SplitLabel(const CString& text, int nHalfWidth, CString& major2, CString& minor2)
{
    if (nHalfWidth <= 0)
        nHalfWidth = 6;
    CString full = PadToLength(text, 2 * nHalfWidth);
    major2 = full.Left(nHalfWidth);
    minor2 = full.Mid(nHalfWidth, nHalfWidth);
}

} // namespace kvgrid
