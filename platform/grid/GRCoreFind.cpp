// CGRGridCore: find and replace, and the clipboard.
#include "platform/grid/GRCore.h"
#include "platform/grid/GRApp.h"
#include "platform/grid/GRControl.h"
#include "platform/framework/window/Clipboard.h"

#include <algorithm>

/////////////////////////////////////////////////////////////////////////////
// Find and replace

namespace {
// Position of the text in the cell text (ignoring case unless bCase); -1 when absent.
int FindIn(const CString& cell, const CString& find, const CString& findUpper, BOOL bCase)
{
    if (bCase)
        return cell.Find(find);
    CString up = cell;
    up.MakeUpper();
    return up.Find(findUpper);
}
} // namespace

BOOL CGRGridCore::FindText(BOOL bSetCell)
{
    CGRData& d = Param()->GetData();
    ROWCOL row = m_bCurCell ? m_nCurRow : d.m_nHeaderRows + 1;
    ROWCOL col = m_bCurCell ? m_nCurCol : d.m_nHeaderCols;
    GR_FR_STATE& fr = GRGetAppState()->m_findReplace;
    if (!m_bCurCell && !fr.bNext)
        col = GetColCount() + 1;
    return FindText(row, col, bSetCell);
}

BOOL CGRGridCore::CellHoldsFindText(ROWCOL nRow, ROWCOL nCol)
{
    GR_FR_STATE& fr = GRGetAppState()->m_findReplace;
    return FindIn(GetFindTextRowCol(nRow, nCol), fr.strFind, fr.strFindUpper, fr.bCase) >= 0;
}

CString CGRGridCore::GetFindTextRowCol(ROWCOL nRow, ROWCOL nCol)
{
    return GetValueRowCol(nRow, nCol);
}

int CGRGridCore::FindInSource(ROWCOL&, ROWCOL&, CGRLongOperation&)
{
    return -1;
}

BOOL CGRGridCore::FindText(ROWCOL& nRow, ROWCOL& nCol, BOOL bSetCell)
{
    GR_FR_STATE& fr = GRGetAppState()->m_findReplace;
    m_bFindCanceled = FALSE;
    fr.PrepareFindReplace();
    if (fr.strFind.IsEmpty())
        return FALSE;
    if (!TransferCurrentCell())
        return FALSE;
    CGRData& d = Param()->GetData();
    ROWCOL firstRow = d.m_nHeaderRows + 1, firstCol = d.m_nHeaderCols + 1;
    ROWCOL nCols = GetColCount();
    if (nCols < firstCol)
        return FALSE;
    CGRLongOperation op;
    ROWCOL r = nRow, c = nCol;
    auto found = [&](ROWCOL row, ROWCOL col) {
        nRow = row;
        nCol = col;
        if (bSetCell)
        {
            if (!SetCurrentCell(row, col))
                return FALSE;
            ScrollCellInView(row, col);
            MoveFindDialogOffCell(row, col);
        }
        return TRUE;
    };
    // A grid over a data source searches it there.
    int nSource = FindInSource(r, c, op);
    if (nSource >= 0 || op.IsCanceled())
    {
        m_bFindCanceled = op.IsCanceled();
        return nSource == 1 && !m_bFindCanceled ? found(r, c) : FALSE;
    }
    long nVisited = 0;
    while (true)
    {
        // The next cell in the search order.
        if (fr.bNext)
        {
            if (c >= nCols)
            {
                r++;
                c = firstCol;
                if (r > GetRowCount())
                {
                    OnTestGridDimension(r, 0);
                    if (r > GetRowCount())
                        return FALSE;
                }
            }
            else
                c++;
        }
        else
        {
            if (c <= firstCol)
            {
                if (r <= firstRow)
                    return FALSE;
                r--;
                c = nCols;
            }
            else
                c--;
        }
        if (r < firstRow)
            r = firstRow;
        if (IsRowHidden(r) || IsColHidden(c))
            continue;
        if (++nVisited % 4096 == 0 && op.NeedMessages() && !op.DoMessages())
        {
            m_bFindCanceled = TRUE;
            return FALSE;
        }
        if (CellHoldsFindText(r, c))
            return found(r, c);
    }
}

CRect GRPlaceOffRect(const CRect& window, const CRect& avoid, const CRect& workArea)
{
    CRect overlap;
    if (!overlap.IntersectRect(&window, &avoid))
        return window;
    const int cx = window.Width(), cy = window.Height();
    const int gap = 4;
    // The other coordinate kept, but inside the work area.
    auto clamp = [](int value, int size, int low, int high) {
        return std::max(low, std::min(value, high - size));
    };
    const int x = clamp(window.left, cx, workArea.left, workArea.right);
    const int y = clamp(window.top, cy, workArea.top, workArea.bottom);
    const CRect candidates[] = {
        CRect(CPoint(x, avoid.bottom + gap), CSize(cx, cy)),
        CRect(CPoint(x, avoid.top - gap - cy), CSize(cx, cy)),
        CRect(CPoint(avoid.right + gap, y), CSize(cx, cy)),
        CRect(CPoint(avoid.left - gap - cx, y), CSize(cx, cy)),
    };
    for (const CRect& candidate : candidates) {
        CRect inside;
        const BOOL bInWorkArea = inside.IntersectRect(&candidate, &workArea) && inside == candidate;
        if (bInWorkArea && !overlap.IntersectRect(&candidate, &avoid))
            return candidate;
    }
    return window;
}

void CGRGridCore::MoveFindDialogOffCell(ROWCOL nRow, ROWCOL nCol)
{
    GR_FR_STATE& fr = GRGetAppState()->m_findReplace;
    CWnd* pDialog = fr.m_pFindReplaceDlg;
    CWnd* pGridWnd = GridWnd();
    if (pDialog == nullptr || !::IsWindow(pDialog->GetSafeHwnd()) || pGridWnd == nullptr ||
        pGridWnd->GetSafeHwnd() == nullptr)
        return;
    CRect cell = CalcRectFromRowCol(nRow, nCol);
    pGridWnd->ClientToScreen(&cell);
    CRect window;
    pDialog->GetWindowRect(&window);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoA(::MonitorFromRect(&cell, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const CRect placed = GRPlaceOffRect(window, cell, CRect(monitor.rcWork));
    if (placed != window)
        pDialog->SetWindowPos(nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CGRGridCore::FindNextAndReport()
{
    if (FindText(TRUE))
        return TRUE;
    GR_FR_STATE& fr = GRGetAppState()->m_findReplace;
    if (!m_bFindCanceled && !fr.strFind.IsEmpty())
    {
        CString fmt, msg;
        if (!fmt.LoadString(GR_IDS_NOTFOUND))
            fmt = "Cannot find \"%s\".";
        msg.Format(fmt, (LPCTSTR)fr.strFind);
        GridMessageBox(msg, MB_OK | MB_ICONINFORMATION);
    }
    return FALSE;
}

void CGRGridCore::OnFindNext(LPCTSTR lpszFind, BOOL bNext, BOOL bCase)
{
    GR_FR_STATE& fr = GRGetAppState()->m_findReplace;
    fr.strFind = lpszFind ? lpszFind : "";
    fr.bNext = bNext;
    fr.bCase = bCase;
    fr.m_pActiveGrid = this;
    FindNextAndReport();
}

void CGRGridCore::OnReplaceSel(LPCTSTR lpszFind, BOOL bNext, BOOL bCase, LPCTSTR lpszReplace)
{
    GR_FR_STATE& fr = GRGetAppState()->m_findReplace;
    fr.strFind = lpszFind ? lpszFind : "";
    fr.strReplace = lpszReplace ? lpszReplace : "";
    fr.bNext = bNext;
    fr.bCase = bCase;
    fr.m_pActiveGrid = this;
    fr.PrepareFindReplace();
    if (fr.strFind.IsEmpty())
        return;
    if (m_bCurCell && TransferCurrentCell())
    {
        CString value = GetFindTextRowCol(m_nCurRow, m_nCurCol);
        int pos = FindIn(value, fr.strFind, fr.strFindUpper, fr.bCase);
        if (pos >= 0 && IsCellEditable(m_nCurRow, m_nCurCol))
        {
            CString replaced = value.Left(pos) + fr.strReplace + value.Mid(pos + fr.strFind.GetLength());
            SetControlTextRowCol(m_nCurRow, m_nCurCol, replaced);
        }
    }
    OnFindNext(fr.strFind, bNext, bCase);
}

void CGRGridCore::OnReplaceAll(LPCTSTR lpszFind, LPCTSTR lpszReplace, BOOL bCase)
{
    GR_FR_STATE& fr = GRGetAppState()->m_findReplace;
    fr.strFind = lpszFind ? lpszFind : "";
    fr.strReplace = lpszReplace ? lpszReplace : "";
    fr.bCase = bCase;
    fr.m_pActiveGrid = this;
    fr.PrepareFindReplace();
    if (fr.strFind.IsEmpty() || !TransferCurrentCell())
        return;
    CGRData& d = Param()->GetData();
    OnTestGridDimension(GR_MAXROWCOL, 0);
    ROWCOL nRows = GetRowCount(), nCols = GetColCount();
    int nReplaced = 0;
    BOOL bLock = LockUpdate(TRUE);
    for (ROWCOL r = d.m_nHeaderRows + 1; r <= nRows; r++)
    {
        if (IsRowHidden(r))
            continue;
        for (ROWCOL c = d.m_nHeaderCols + 1; c <= nCols; c++)
        {
            if (IsColHidden(c))
                continue;
            CString value = GetFindTextRowCol(r, c);
            if (FindIn(value, fr.strFind, fr.strFindUpper, fr.bCase) < 0 || !IsCellEditable(r, c))
                continue;
            // Every occurrence in the cell.
            CString out;
            int start = 0;
            int n = 0;
            while (true)
            {
                CString rest = value.Mid(start);
                int pos = FindIn(rest, fr.strFind, fr.strFindUpper, fr.bCase);
                if (pos < 0)
                {
                    out += rest;
                    break;
                }
                out += rest.Left(pos) + fr.strReplace;
                start += pos + fr.strFind.GetLength();
                n++;
            }
            if (SetControlTextRowCol(r, c, out, 0))
                nReplaced += n;
        }
    }
    LockUpdate(bLock);
    Redraw(GR_INVALIDATE);
    CString fmt, msg;
    if (!fmt.LoadString(GR_IDS_REPLACED))
        fmt = "%d occurrences replaced.";
    msg.Format(fmt, nReplaced);
    GridMessageBox(msg, MB_OK | MB_ICONINFORMATION);
}

void CGRGridCore::OnFindReplace(CFindReplaceDialog* pDialog)
{
    GR_FR_STATE& fr = GRGetAppState()->m_findReplace;
    if (!pDialog)
        return;
    if (pDialog->IsTerminating())
    {
        if (fr.m_pFindReplaceDlg == pDialog)
            fr.m_pFindReplaceDlg = nullptr;
        return;
    }
    fr.bNext = pDialog->SearchDown();
    fr.bCase = pDialog->MatchCase();
    if (pDialog->FindNext())
        OnFindNext(pDialog->GetFindString(), fr.bNext, fr.bCase);
    else if (pDialog->ReplaceCurrent())
        OnReplaceSel(pDialog->GetFindString(), fr.bNext, fr.bCase, pDialog->GetReplaceString());
    else if (pDialog->ReplaceAll())
        OnReplaceAll(pDialog->GetFindString(), pDialog->GetReplaceString(), fr.bCase);
}

void CGRGridCore::OnShowFindReplaceDialog(BOOL bFindOnly)
{
    GR_FR_STATE& fr = GRGetAppState()->m_findReplace;
    ROWCOL nRows = GetRowCount(), nCols = GetColCount();
    if (nRows == 0 || nCols == 0)
        return;
    fr.m_pActiveGrid = this;
    if (!m_bCurCell)
        SetCurrentCell(std::min(m_nTopRow, nRows), std::min(m_nLeftCol, nCols),
                       GR_UPDATENOW | GR_SCROLLINVIEW | GR_NOSETFOCUS);
    else
        ScrollCellInView(m_nCurRow, m_nCurCol);
    CString find;
    if (m_bCurCell)
    {
        find = GetValueRowCol(m_nCurRow, m_nCurCol);
        find.Trim();
    }
    if (find.IsEmpty())
        find = fr.strFind;
    CWnd* pGridWnd = GridWnd();
    if (fr.m_pFindReplaceDlg)
    {
        if (fr.bFindOnly == bFindOnly && ::IsWindow(fr.m_pFindReplaceDlg->GetSafeHwnd()))
        {
            fr.m_pFindReplaceDlg->SetActiveWindow();
            fr.m_pFindReplaceDlg->ShowWindow(SW_SHOW);
            return;
        }
        if (::IsWindow(fr.m_pFindReplaceDlg->GetSafeHwnd()))
            fr.m_pFindReplaceDlg->SendMessage(WM_CLOSE);
        fr.m_pFindReplaceDlg = nullptr;
    }
    else
        fr.m_pParentWnd = pGridWnd;
    if (!pGridWnd || !pGridWnd->GetSafeHwnd())
        return;
    DWORD flags = FR_HIDEWHOLEWORD;
    if (fr.bNext)
        flags |= FR_DOWN;
    if (fr.bCase)
        flags |= FR_MATCHCASE;
    CFindReplaceDialog* pDlg = new CFindReplaceDialog;
    if (pDlg->Create(bFindOnly, find, fr.strReplace, flags, pGridWnd))
    {
        fr.m_pFindReplaceDlg = pDlg;
        fr.bFindOnly = bFindOnly;
        if (m_bCurCell)
            MoveFindDialogOffCell(m_nCurRow, m_nCurCol);
    }
    else
    {
        delete pDlg;
        fr.m_pFindReplaceDlg = nullptr;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Clipboard

CString CGRGridCore::GetCopyTextRowCol(ROWCOL nRow, ROWCOL nCol)
{
    return LookupStyleRowCol(nRow, nCol).GetDisplayText();
}

BOOL CGRGridCore::CopyTextToString(CString& text, const CGRRangeList& selList)
{
    text.Empty();
    OnTestGridDimension(GR_MAXROWCOL, 0);
    CRowColArray awTop, awBottom, awLeft, awRight;
    selList.GetRowArray(GetRowCount(), awTop, awBottom);
    selList.GetColArray(GetColCount(), awLeft, awRight);
    CString sep = Param()->GetCopySeparator();
    if (sep.IsEmpty())
        sep = "\t";
    BOOL bEscape = (Param()->GetClipboardFlags() & GR_CLIP_ESCAPE) != 0;
    ROWCOL nRowsWritten = 0, nColsWritten = 0;
    for (INT_PTR i = 0; i < awTop.GetSize(); i++)
    {
        for (ROWCOL r = awTop[i]; r <= awBottom[i]; r++)
        {
            if (IsRowHidden(r))
                continue;
            if (nRowsWritten > 0)
                text += "\r\n";
            nRowsWritten++;
            ROWCOL nCols = 0;
            for (INT_PTR j = 0; j < awLeft.GetSize(); j++)
            {
                for (ROWCOL c = awLeft[j]; c <= awRight[j]; c++)
                {
                    if (IsColHidden(c))
                        continue;
                    if (nCols > 0)
                        text += sep;
                    nCols++;
                    CString cell = GetCopyTextRowCol(r, c);
                    CString out;
                    for (int k = 0; k < cell.GetLength(); k++)
                    {
                        char ch = cell[k];
                        if (ch == '\r' || ch == '\n')
                        {
                            if (bEscape)
                                out += ch == '\r' ? "\\r" : "\\n";
                            else
                            {
                                if (ch == '\r' && k + 1 < cell.GetLength() && cell[k + 1] == '\n')
                                    k++;
                                out += ' ';
                            }
                        }
                        else if (ch == '\t')
                            out += bEscape ? "\\t" : " ";
                        else
                            out += ch;
                    }
                    text += out;
                }
            }
            nColsWritten = std::max(nColsWritten, nCols);
        }
    }
    if (nRowsWritten > 1 || nColsWritten > 1)
        text += "\r\n";
    m_nClipRows = nRowsWritten;
    m_nClipCols = nColsWritten;
    return nRowsWritten > 0 && nColsWritten > 0;
}

BOOL CGRGridCore::CopyTextToFile(CFile& file, const CGRRangeList& selList)
{
    CString text;
    BOOL bAny = CopyTextToString(text, selList);
    if (!text.IsEmpty())
        file.Write(text.GetString(), (UINT)text.GetLength());
    return bAny;
}

BOOL CGRGridCore::CanCopy()
{
    return m_bCurCell || !Param()->GetRangeList()->IsEmpty();
}

BOOL CGRGridCore::CanCut()
{
    if (!CanCopy())
        return FALSE;
    return m_bCurCell && IsCellEditable(m_nCurRow, m_nCurCol);
}

BOOL CGRGridCore::CanPaste()
{
    if (!m_bCurCell || !IsCellEditable(m_nCurRow, m_nCurCol))
        return FALSE;
    return ::IsClipboardFormatAvailable(CF_TEXT);
}

BOOL CGRGridCore::Copy()
{
    if (!TransferCurrentCell())
        return FALSE;
    CGRRangeList list;
    if (!CopyRangeList(list, TRUE))
        return FALSE;
    CMemFile file;
    if (!CopyTextToFile(file, list))
        return FALSE;
    const UINT n = (UINT)file.GetLength();
    CString text;
    file.SeekToBegin();
    const UINT nRead = file.Read(text.GetBufferSetLength((int)n), n);
    text.ReleaseBuffer((int)nRead);
    return AfxWriteClipboardText(GetGridHwnd(), text);
}

BOOL CGRGridCore::Cut()
{
    if (!Copy())
        return FALSE;
    CGRRangeList list;
    if (!CopyRangeList(list, TRUE))
        return FALSE;
    BOOL bLock = LockUpdate(TRUE);
    for (const CGRRange& r : list.List())
        for (ROWCOL row = r.top; row <= r.bottom; row++)
            for (ROWCOL col = r.left; col <= r.right; col++)
                if (!IsRowHidden(row) && !IsColHidden(col) && IsCellEditable(row, col))
                    SetControlTextRowCol(row, col, CString(), 0);
    LockUpdate(bLock);
    Redraw(GR_INVALIDATE);
    return TRUE;
}

BOOL CGRGridCore::Paste()
{
    if (!m_bCurCell)
        return FALSE;
    const CString text = AfxReadClipboardText(GetGridHwnd());
    if (text.IsEmpty())
        return FALSE;
    if (!TransferCurrentCell())
        return FALSE;
    ROWCOL row = m_nCurRow, col = m_nCurCol;
    CGRRangeList* pSel = Param()->GetRangeList();
    if (!pSel->IsEmpty())
    {
        CGRRange r = pSel->GetTail();
        r.ExpandRange(1, 1, GetRowCount(), GetColCount());
        if (r.IsValid())
        {
            row = r.top;
            col = r.left;
        }
    }
    return PasteTextRowCol(row, col, text) > 0;
}

int CGRGridCore::PasteTextRowCol(ROWCOL nRow, ROWCOL nCol, const CString& textIn)
{
    CString text = textIn;
    text.Replace("\r\n", "\n");
    text.Replace('\r', '\n');
    if (!text.IsEmpty() && text[text.GetLength() - 1] == '\n')
        text.Truncate(text.GetLength() - 1);
    int nChanged = 0;
    BOOL bLock = LockUpdate(TRUE);
    ROWCOL r = nRow;
    int lineStart = 0;
    while (lineStart <= text.GetLength())
    {
        int lineEnd = text.Find('\n', lineStart);
        CString line = lineEnd < 0 ? text.Mid(lineStart) : text.Mid(lineStart, lineEnd - lineStart);
        while (IsRowHidden(r) && r <= GetRowCount())
            r++;
        OnTestGridDimension(r, 0);
        if (r > GetRowCount())
            break;
        ROWCOL c = nCol;
        int cellStart = 0;
        while (cellStart <= line.GetLength())
        {
            int cellEnd = line.Find('\t', cellStart);
            CString cell = cellEnd < 0 ? line.Mid(cellStart) : line.Mid(cellStart, cellEnd - cellStart);
            while (c <= GetColCount() && IsColHidden(c))
                c++;
            if (c > GetColCount())
                break;
            if (IsCellEditable(r, c) && SetControlTextRowCol(r, c, cell, 0))
                nChanged++;
            c++;
            if (cellEnd < 0)
                break;
            cellStart = cellEnd + 1;
        }
        r++;
        if (lineEnd < 0)
            break;
        lineStart = lineEnd + 1;
    }
    LockUpdate(bLock);
    Redraw(GR_INVALIDATE);
    return nChanged;
}
