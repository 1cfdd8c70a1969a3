#include "grids/core/GridClipboard.h"
#include "grids/core/GridsCoreRes.h"

#include <algorithm>

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

int FindUnstorableText(const CString& text)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text.GetString());
    const int n = text.GetLength();
    for (int i = 0; i < n;) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            if (c < 0x20 && c != '\t' && c != '\r' && c != '\n')
                return i;
            if (c == 0x7F)
                return i;
            i++;
            continue;
        }
        // The length of the sequence and the smallest code point it may
        // carry (a smaller one is an overlong form).
        int length = 0;
        unsigned long value = 0, least = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            value = c & 0x1F;
            least = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            value = c & 0x0F;
            least = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            value = c & 0x07;
            least = 0x10000;
        } else {
            return i;
        }
        if (i + length > n)
            return i;
        for (int k = 1; k < length; k++) {
            if ((p[i + k] & 0xC0) != 0x80)
                return i;
            value = (value << 6) | (p[i + k] & 0x3F);
        }
        if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF) || (value >= 0x80 && value < 0xA0))
            return i;
        i += length;
    }
    return -1;
}

int LineOfOffset(const CString& text, int nOffset)
{
    const int n = std::min(nOffset, text.GetLength());
    int nLine = 1;
    for (int i = 0; i < n; i++) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.GetLength() || text[i + 1] != '\n')))
            nLine++;
    }
    return nLine;
}

CString RefuseUnstorableText(const CString& text)
{
    const int nAt = FindUnstorableText(text);
    CString message;
    if (nAt >= 0)
        message.Format(IDS_PASTE_NOT_TEXT, LineOfOffset(text, nAt));
    return message;
}

TextPastePlan PlanTextPaste(size_t nRows, size_t nFirstRow, size_t nStoredRows, bool bCanAdd)
{
    TextPastePlan plan;
    if (nFirstRow < 1)
        nFirstRow = 1;
    const size_t nStoredFromFirst = nFirstRow <= nStoredRows ? nStoredRows - nFirstRow + 1 : 0;
    plan.nReplaced = std::min(nRows, nStoredFromFirst);
    const size_t nRest = nRows - plan.nReplaced;
    // Below the stored rows the paste goes on in the grid's new row, which
    // moves down as each row is stored; a row after a gap has no row.
    const bool bReachesNewRow = nFirstRow <= nStoredRows + 1;
    if (bCanAdd && bReachesNewRow)
        plan.nAdded = nRest;
    else
        plan.nLeftOut = nRest;
    return plan;
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
