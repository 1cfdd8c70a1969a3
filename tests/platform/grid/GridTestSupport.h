// Shared pieces of the grid tests: a browser grid over records kept in
// memory (counting what it reads and stores) and a message box recorder.
#pragma once

#include "platform/grid/GRApp.h"
#include "platform/grid/GRBrowse.h"
#include "platform/grid/GRControl.h"
#include "platform/grid/GRGridWnd.h"
#include "tests/support/KeysDown.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace gridtest {

// A browser grid over rows of texts. With bLazyCount the record count is not
// known up front: records are counted as the grid moves to them, the way a
// forward-reading data source counts.
class CMemoryBrowser : public CGRBrowserGrid
{
public:
    std::vector<std::vector<CString>> records;
    BOOL bLazyCount = FALSE;
    std::set<ROWCOL> rowsRead;            // rows whose values were read
    ROWCOL nMaxRowMovedTo = 0;
    int nFlushes = 0;
    std::vector<std::map<ROWCOL, CString>> flushedValues;
    std::vector<ROWCOL> flushedRows;
    BOOL bRefuseFlush = FALSE;
    CString strRefusal;
    int nAddedNew = 0;

    CMemoryBrowser(int nRecords, int nCols)
    {
        for (int r = 0; r < nRecords; r++)
        {
            std::vector<CString> row;
            for (int c = 0; c < nCols; c++)
            {
                CString s;
                s.Format("r%dc%d", r + 1, c + 1);
                row.push_back(s);
            }
            records.push_back(row);
        }
        SetColCount((ROWCOL)nCols);
        RECT rc = { 0, 0, 400, 300 };
        SetGridRect(TRUE, &rc);
        OnGridInitialUpdate();
    }

    long OnGetRecordCount() override
    {
        if (!bLazyCount)
            return (long)records.size();
        return CGRBrowserGrid::OnGetRecordCount();
    }

    void OnTestGridDimension(ROWCOL nLastRow, ROWCOL) override
    {
        if (!bLazyCount)
            return;
        CGRBrowseParam* bp = GetBrowseParam();
        if (bp->m_bRecordCountFinal)
            return;
        long n = (long)records.size();
        long want = nLastRow >= (ROWCOL)LONG_MAX ? LONG_MAX : (long)nLastRow;
        bp->m_nRecordCount = std::max(bp->m_nRecordCount, std::min(want, n));
        if (want > n)
            bp->m_bRecordCountFinal = TRUE;
    }

    BOOL MoveTo(ROWCOL nRow) override
    {
        OnTestGridDimension(nRow, 0);
        if (!CGRBrowserGrid::MoveTo(nRow))
            return FALSE;
        if (nRow > (ROWCOL)records.size())
            return FALSE;
        nMaxRowMovedTo = std::max(nMaxRowMovedTo, nRow);
        return TRUE;
    }

    BOOL OnLoadCellStyle(ROWCOL nRow, ROWCOL nCol, CGRStyle& style, LPCTSTR pszExisting) override
    {
        if (pszExisting)
        {
            style.SetValue(pszExisting);
            return TRUE;
        }
        if (nCol == 0 || !MoveTo(nRow))
            return FALSE;
        rowsRead.insert(nRow);
        style.SetValue(records[nRow - 1][nCol - 1]);
        return TRUE;
    }

    BOOL OnFlushRecord(ROWCOL nRow, CString* pErrorText) override
    {
        if (bRefuseFlush)
        {
            if (pErrorText)
                *pErrorText = strRefusal;
            return FALSE;
        }
        CGRBrowseParam* bp = GetBrowseParam();
        nFlushes++;
        flushedValues.push_back(bp->m_mapEdited);
        flushedRows.push_back(nRow);
        if (bp->m_nEditMode == GR_EDITMODE_ADDNEW)
            records.push_back(std::vector<CString>(GetColCount()));
        std::vector<CString>& rec = bp->m_nEditMode == GR_EDITMODE_ADDNEW ? records.back() : records[nRow - 1];
        for (const auto& kv : bp->m_mapEdited)
            rec[kv.first - 1] = kv.second;
        return TRUE;
    }

    void OnAddedNewRecord() override
    {
        nAddedNew++;
    }
};

// Records every message box of the library instead of showing it.
class MessageBoxRecorder
{
public:
    std::vector<std::string> texts;
    int nAnswer = IDOK;

    MessageBoxRecorder()
    {
        GRGetAppState()->m_pfnMessageBox = [this](HWND, LPCTSTR text, UINT) {
            texts.push_back(text ? text : "");
            return nAnswer;
        };
    }
    ~MessageBoxRecorder()
    {
        GRGetAppState()->m_pfnMessageBox = nullptr;
    }
};

using kvtest::KeysDown;

// The counts and sizes of the small test grids: rows 20 high, columns 50
// wide, row headers 30 wide, the header row 20 high.
inline void SizeGrid(CGRGridCore& g, ROWCOL nRows, ROWCOL nCols)
{
    g.SetRowCount(nRows);
    g.SetColCount(nCols);
    g.SetDefaultRowHeight(20);
    g.SetDefaultColWidth(50);
    g.SetColWidth(0, 0, 30);
    g.SetRowHeight(0, 0, 20);
}

// A grid without a window, laid out in a width x height area.
inline void LayOut(CGRGridCore& g, ROWCOL nRows, ROWCOL nCols, int width = 400, int height = 300)
{
    RECT rc = { 0, 0, width, height };
    g.SetGridRect(TRUE, &rc);
    g.OnGridInitialUpdate();
    SizeGrid(g, nRows, nCols);
}

inline BOOL Key(CGRGridCore& grid, UINT vk)
{
    return grid.ProcessKeys(nullptr, WM_KEYDOWN, vk, 1, 0);
}

// Types text into the current cell as a user would without a window: the
// first character opens the cell's control, the rest goes into its text.
inline BOOL Type(CGRGridCore& grid, const char* text)
{
    if (!*text)
        return FALSE;
    if (!grid.ProcessKeys(nullptr, WM_CHAR, (unsigned char)text[0], 1, 0))
        return FALSE;
    CGRControl* pControl = grid.GetCurrentCellControl();
    if (!pControl || !pControl->IsActive())
        return FALSE;
    CString t;
    pControl->GetCurrentText(t);
    t += text + 1;
    pControl->SetCurrentText(t);
    return TRUE;
}

inline std::string Cur(CGRGridCore& grid)
{
    ROWCOL r, c;
    if (!grid.GetCurrentCell(r, c))
        return "none";
    return std::to_string(r) + "," + std::to_string(c);
}

} // namespace gridtest
