#include "grids/core/CellText.h"
#include "database/records/ComponentTexts.h"
#include "grids/core/GridTables.h"
#include "grids/core/GridsCoreRes.h"

#include <climits>

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
    result.text = kvrecords::PadToLength(kept, nWidth);
    return result;
}

CString MakeUniqueDescription(const CString& text, int nWidth)
{
    CString s = text;
    s.Trim(' ');
    if (nWidth <= 0)
        return "~" + s;
    if (kvrecords::TextLength(s) >= nWidth)
    {
        for (int i = 0; i < nWidth; i++)
        {
            CString ch = kvrecords::TextMid(s, i, 1);
            if (ch != "~")
            {
                s = kvrecords::TextLeft(s, i) + "~" + kvrecords::TextMid(s, i + 1, INT_MAX / 2);
                break;
            }
        }
    }
    else
    {
        s = "~" + s;
    }
    if (kvrecords::TextLength(s) < nWidth)
        s = kvrecords::PadToLength(s, nWidth);
    return s;
}

void SplitLabel(const CString& text, int nHalfWidth, CString& major2, CString& minor2)
{
    if (nHalfWidth <= 0)
        nHalfWidth = 6;
    CString full = kvrecords::PadToLength(text, 2 * nHalfWidth);
    major2 = kvrecords::TextLeft(full, nHalfWidth);
    minor2 = kvrecords::TextMid(full, nHalfWidth, nHalfWidth);
}

} // namespace kvgrid
