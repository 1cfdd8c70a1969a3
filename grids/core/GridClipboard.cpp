#include "grids/core/GridClipboard.h"

namespace kvgrid {

CString BuildClipboardText(const std::vector<std::vector<CString>>& rows)
{
    CString text;
    for (size_t r = 0; r < rows.size(); r++) {
        if (r > 0)
            text += "\r\n";
        for (size_t c = 0; c < rows[r].size(); c++) {
            if (c > 0)
                text += '\t';
            CString cell = rows[r][c];
            cell.Replace("\r\n", " ");
            cell.Replace('\r', ' ');
            cell.Replace('\n', ' ');
            cell.Replace('\t', ' ');
            text += cell;
        }
    }
    return text;
}

std::vector<std::vector<CString>> ParseClipboardText(const CString& textIn)
{
    CString text = textIn;
    text.Replace("\r\n", "\n");
    text.Replace('\r', '\n');
    std::vector<std::vector<CString>> rows;
    if (text.IsEmpty())
        return rows;
    if (text[text.GetLength() - 1] == '\n')
        text.Truncate(text.GetLength() - 1);
    int nLineStart = 0;
    for (;;) {
        int nLineEnd = text.Find('\n', nLineStart);
        CString line = nLineEnd < 0 ? text.Mid(nLineStart) : text.Mid(nLineStart, nLineEnd - nLineStart);
        std::vector<CString> cells;
        int nCellStart = 0;
        for (;;) {
            int nCellEnd = line.Find('\t', nCellStart);
            cells.push_back(nCellEnd < 0 ? line.Mid(nCellStart) : line.Mid(nCellStart, nCellEnd - nCellStart));
            if (nCellEnd < 0)
                break;
            nCellStart = nCellEnd + 1;
        }
        rows.push_back(cells);
        if (nLineEnd < 0)
            break;
        nLineStart = nLineEnd + 1;
    }
    return rows;
}

std::vector<int> PasteTargetColumns(int nStartColumn, size_t nCells, const std::function<bool(int)>& isShown,
                                    int nLastColumn)
{
    std::vector<int> columns(nCells, 0);
    int nColumn = nStartColumn;
    for (size_t i = 0; i < nCells; i++) {
        while (nColumn <= nLastColumn && !isShown(nColumn))
            nColumn++;
        if (nColumn > nLastColumn)
            break;
        columns[i] = nColumn++;
    }
    return columns;
}

} // namespace kvgrid
