#include "platform/grid/GRParam.h"

#include <cstdlib>
#include <type_traits>

/////////////////////////////////////////////////////////////////////////////
// CGRData

CGRStyle* CGRData::FindCell(ROWCOL nRow, ROWCOL nCol)
{
    auto it = m_cells.find(Key(nRow, nCol));
    return it == m_cells.end() ? nullptr : &it->second;
}

const CGRStyle* CGRData::FindCell(ROWCOL nRow, ROWCOL nCol) const
{
    auto it = m_cells.find(Key(nRow, nCol));
    return it == m_cells.end() ? nullptr : &it->second;
}

namespace {
// A line number moved by an insertion (nCount > 0 at nAt) or a removal of
// -nCount lines from nAt; FALSE when the line itself was removed.
bool ShiftedLine(ROWCOL k, ROWCOL nAt, long nCount, ROWCOL& out)
{
    if (k < nAt)
        out = k;
    else if (nCount >= 0)
        out = k + (ROWCOL)nCount;
    else if (k >= nAt + (ROWCOL)(-nCount))
        out = k - (ROWCOL)(-nCount);
    else
        return false;
    return true;
}

// The keys of an ordered map or set, moved as ShiftedLine says.
template <class C> void ShiftKeys(C& c, ROWCOL nAt, long nCount)
{
    C out;
    for (auto it = c.begin(); it != c.end(); ++it)
    {
        ROWCOL k;
        if constexpr (std::is_same_v<typename C::key_type, typename C::value_type>)
        {
            if (ShiftedLine(*it, nAt, nCount, k))
                out.insert(k);
        }
        else if (ShiftedLine(it->first, nAt, nCount, k))
            out.emplace(k, std::move(it->second));
    }
    c.swap(out);
}

// The cells moved along rows (bRows) or columns.
void ShiftCells(std::unordered_map<unsigned long long, CGRStyle>& cells, bool bRows, ROWCOL nAt, long nCount)
{
    std::unordered_map<unsigned long long, CGRStyle> out;
    out.reserve(cells.size());
    for (auto& kv : cells)
    {
        ROWCOL r = (ROWCOL)(kv.first >> 32), c = (ROWCOL)kv.first;
        ROWCOL& line = bRows ? r : c;
        if (ShiftedLine(line, nAt, nCount, line))
            out.emplace(CGRData::Key(r, c), std::move(kv.second));
    }
    cells.swap(out);
}
} // namespace

void CGRData::ShiftRows(ROWCOL nRow, long nCount)
{
    ShiftCells(m_cells, true, nRow, nCount);
    ShiftKeys(m_rowStyles, nRow, nCount);
    ShiftKeys(m_rowHeights, nRow, nCount);
    ShiftKeys(m_hiddenRows, nRow, nCount);
}

void CGRData::ShiftCols(ROWCOL nCol, long nCount)
{
    ShiftCells(m_cells, false, nCol, nCount);
    ShiftKeys(m_colStyles, nCol, nCount);
    ShiftKeys(m_colWidths, nCol, nCount);
    ShiftKeys(m_hiddenCols, nCol, nCount);
}

void CGRData::PermuteRows(ROWCOL nFirst, const std::vector<ROWCOL>& aOrder)
{
    std::map<ROWCOL, ROWCOL> target;   // old row -> new row
    for (size_t i = 0; i < aOrder.size(); i++)
        target[aOrder[i]] = nFirst + (ROWCOL)i;
    std::unordered_map<unsigned long long, CGRStyle> cells;
    cells.reserve(m_cells.size());
    for (auto& kv : m_cells)
    {
        ROWCOL r = (ROWCOL)(kv.first >> 32), c = (ROWCOL)kv.first;
        auto it = target.find(r);
        cells.emplace(it == target.end() ? kv.first : Key(it->second, c), std::move(kv.second));
    }
    m_cells.swap(cells);
    std::map<ROWCOL, CGRStyle> rowStyles;
    for (auto& kv : m_rowStyles)
    {
        auto it = target.find(kv.first);
        rowStyles.emplace(it == target.end() ? kv.first : it->second, std::move(kv.second));
    }
    m_rowStyles.swap(rowStyles);
    std::map<ROWCOL, int> heights;
    for (auto& kv : m_rowHeights)
    {
        auto it = target.find(kv.first);
        heights.emplace(it == target.end() ? kv.first : it->second, kv.second);
    }
    m_rowHeights.swap(heights);
}

/////////////////////////////////////////////////////////////////////////////
// CGRGridParam

CGRGridParam::CGRGridParam()
{
    m_styleStandard.SetInterior(RGB(255, 255, 255))
        .SetTextColor(RGB(0, 0, 0))
        .SetHorizontalAlignment(DT_LEFT)
        .SetVerticalAlignment(DT_VCENTER)
        .SetControl(GR_IDS_CTRL_EDIT)
        .SetReadOnly(FALSE)
        .SetEnabled(TRUE)
        .SetWrapText(FALSE);
    m_styleStandard.SetFont(CGRFont().SetSize(8.0).SetWeight(FW_NORMAL));
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    m_styleColHeader.SetInterior(face)
        .SetHorizontalAlignment(DT_CENTER)
        .SetVerticalAlignment(DT_VCENTER)
        .SetControl(GR_IDS_CTRL_HEADER)
        .SetReadOnly(TRUE);
    m_styleRowHeader.SetInterior(face)
        .SetHorizontalAlignment(DT_CENTER)
        .SetVerticalAlignment(DT_VCENTER)
        .SetControl(GR_IDS_CTRL_HEADER)
        .SetReadOnly(TRUE);
    m_data.m_colWidths[0] = 30;
}

CGRGridParam::~CGRGridParam() = default;

CGRGridParam* CGRGridParam::CreateFromResource(LPCTSTR lpszResourceName)
{
    if (!lpszResourceName || !*lpszResourceName)
        return nullptr;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceA(hInst, lpszResourceName, "GRIDPARAM");
    if (!hRes)
        return nullptr;
    HGLOBAL hData = ::LoadResource(hInst, hRes);
    DWORD nSize = ::SizeofResource(hInst, hRes);
    const char* p = hData ? (const char*)::LockResource(hData) : nullptr;
    if (!p)
        return nullptr;
    CString text(p, (int)nSize);
    return CreateFromText(text);
}

CGRGridParam* CGRGridParam::CreateFromText(LPCTSTR lpszText)
{
    CGRGridParam* pParam = new CGRGridParam;
    CGRData& d = pParam->m_data;
    CString all(lpszText);
    int start = 0;
    while (start >= 0 && start < all.GetLength())
    {
        int end = all.Find('\n', start);
        CString line = end < 0 ? all.Mid(start) : all.Mid(start, end - start);
        start = end < 0 ? -1 : end + 1;
        line.Trim();
        int eq = line.Find('=');
        if (line.IsEmpty() || line[0] == ';' || eq <= 0)
            continue;
        CString key = line.Left(eq).Trim();
        CString value = line.Mid(eq + 1);
        unsigned a = 0, b = 0;
        if (key.CompareNoCase("Rows") == 0)
            d.m_nRows = (ROWCOL)atol(value);
        else if (key.CompareNoCase("Cols") == 0)
            d.m_nCols = (ROWCOL)atol(value);
        else if (key.CompareNoCase("DefaultRowHeight") == 0)
            d.m_nDefaultRowHeight = atoi(value);
        else if (key.CompareNoCase("DefaultColWidth") == 0)
            d.m_nDefaultColWidth = atoi(value);
        else if (key.CompareNoCase("FrozenRows") == 0)
            d.m_nFrozenRows = (ROWCOL)atol(value);
        else if (key.CompareNoCase("FrozenCols") == 0)
            d.m_nFrozenCols = (ROWCOL)atol(value);
        else if (key.CompareNoCase("ReadOnly") == 0)
            pParam->m_styleStandard.SetReadOnly(atoi(value) != 0);
        else if (sscanf(key, "Cell(%u,%u)", &a, &b) == 2 || sscanf(key, "cell(%u,%u)", &a, &b) == 2)
            d.Cell(a, b).SetValue(value);
        else if (sscanf(key, "ColWidth(%u)", &a) == 1 || sscanf(key, "colwidth(%u)", &a) == 1)
            d.m_colWidths[a] = atoi(value);
    }
    return pParam;
}

/////////////////////////////////////////////////////////////////////////////
// CGRDbParam

CGRDbParam::CGRDbParam()
{
    EnableUndo(TRUE);
}
