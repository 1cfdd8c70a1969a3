#include "database/records/ComponentTexts.h"

namespace kvrecords {

namespace {

// The byte offset of the n-th character (the text's length past its end).
int ByteOffset(const CString& text, int nChars)
{
    const std::string& s = text.str();
    size_t i = 0;
    for (int n = 0; n < nChars && i < s.size(); n++) {
        i++;
        while (i < s.size() && ((unsigned char)s[i] & 0xC0) == 0x80)
            i++;
    }
    return (int)i;
}

// The place of a column in kFixedWidthColumns; -1 when it is not there.
int FixedWidthIndex(int nColumn)
{
    for (int i = 0; i < kFixedWidthColumnCount; i++)
        if (kFixedWidthColumns[i] == nColumn)
            return i;
    return -1;
}

// The record's member of each column of kFixedWidthColumns, in that order.
CString ComponentFields::*const kFixedWidthMembers[kFixedWidthColumnCount] = {
    &ComponentFields::m_strDescription, &ComponentFields::m_strWarehouseCode, &ComponentFields::m_strSupplierCode,
    &ComponentFields::m_strUsage,       &ComponentFields::m_strMajor1,        &ComponentFields::m_strMinor1,
    &ComponentFields::m_strMajor2,      &ComponentFields::m_strMinor2,        &ComponentFields::m_strDefaultNozzle,
    &ComponentFields::m_strItemType,
};

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

bool IsFixedWidthColumn(int nColumn)
{
    return FixedWidthIndex(nColumn) >= 0;
}

CString* FixedWidthText(ComponentFields& record, int nColumn)
{
    const int i = FixedWidthIndex(nColumn);
    return i >= 0 ? &(record.*kFixedWidthMembers[i]) : nullptr;
}

ComponentTextWidths::ComponentTextWidths()
{
    for (int& n : m_widths)
        n = 0;
}

ComponentTextWidths::ComponentTextWidths(CRecordset& rs) : ComponentTextWidths()
{
    const short nFields = rs.GetODBCFieldCount();
    for (int i = 0; i < kFixedWidthColumnCount; i++) {
        const short index = (short)(kFixedWidthColumns[i] - 1);
        if (index >= nFields)
            continue;
        CODBCFieldInfo info;
        rs.GetODBCFieldInfo(index, info);
        m_widths[i] = (int)info.m_nPrecision;
    }
}

int ComponentTextWidths::Of(int nColumn) const
{
    const int i = FixedWidthIndex(nColumn);
    return i >= 0 ? m_widths[i] : 0;
}

CString ComponentTextWidths::Padded(int nColumn, const CString& text) const
{
    const int nWidth = Of(nColumn);
    return TextLength(text) < nWidth ? PadToLength(text, nWidth) : text;
}

void ComponentTextWidths::Pad(ComponentFields& record) const
{
    for (int nColumn : kFixedWidthColumns) {
        CString* pText = FixedWidthText(record, nColumn);
        *pText = Padded(nColumn, *pText);
    }
}

} // namespace kvrecords
