#include "grids/core/CellText.h"
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
    result.text = PadToLength(kept, nWidth);
    return result;
}

namespace {

// The byte offset of the n-th character (the text's length past its end).
int ByteOffset(const CString& text, int nChars)
{
    const std::string& s = text.str();
    size_t i = 0;
    for (int n = 0; n < nChars && i < s.size(); n++)
    {
        i++;
        while (i < s.size() && ((unsigned char)s[i] & 0xC0) == 0x80)
            i++;
    }
    return (int)i;
}

} // namespace

int TextLength(const CString& text)
{
    int n = 0;
    for (char ch : text.str())
        if (((unsigned char)ch & 0xC0) != 0x80)
            n++;
    return n;
}

CString TextLeft(const CString& text, int nCount)
{
    return text.Left(ByteOffset(text, nCount < 0 ? 0 : nCount));
}

CString TextMid(const CString& text, int nFirst, int nCount)
{
    int from = ByteOffset(text, nFirst < 0 ? 0 : nFirst);
    CString rest = text.Mid(from);
    return TextLeft(rest, nCount);
}

CString PadToLength(const CString& text, int nLength)
{
    if (nLength < 0)
        nLength = 0;
    int length = TextLength(text);
    if (length >= nLength)
        return TextLeft(text, nLength);
    CString padded = text;
    padded += CString(' ', nLength - length);
    return padded;
}

CString MakeUniqueDescription(const CString& text, int nWidth)
{
    CString s = text;
    s.Trim(' ');
    if (nWidth <= 0)
        return "~" + s;
    if (TextLength(s) >= nWidth)
    {
        for (int i = 0; i < nWidth; i++)
        {
            CString ch = TextMid(s, i, 1);
            if (ch != "~")
            {
                s = TextLeft(s, i) + "~" + TextMid(s, i + 1, INT_MAX / 2);
                break;
            }
        }
    }
    else
    {
        s = "~" + s;
    }
    if (TextLength(s) < nWidth)
        s = PadToLength(s, nWidth);
    return s;
}

void SplitLabel(const CString& text, int nHalfWidth, CString& major2, CString& minor2)
{
    if (nHalfWidth <= 0)
        nHalfWidth = 6;
    CString full = PadToLength(text, 2 * nHalfWidth);
    major2 = TextLeft(full, nHalfWidth);
    minor2 = TextMid(full, nHalfWidth, nHalfWidth);
}

} // namespace kvgrid
