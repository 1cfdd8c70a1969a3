#include "platform/grid/GRODBCGrid.h"
#include "platform/grid/GRApp.h"
#include "platform/grid/GRControl.h"

#include <algorithm>
#include <climits>

namespace {
// The message of a caught exception (its own text, else a general one).
CString ExceptionText(CException* e)
{
    char buf[1024] = {};
    if (e && e->GetErrorMessage(buf, sizeof(buf)) && buf[0])
        return CString(buf);
    CString s;
    if (!s.LoadString(GR_IDS_FLUSH_FAILED))
        s = "The record could not be stored.";
    return s;
}
} // namespace

CGRODBCGrid::CGRODBCGrid() = default;

CGRODBCGrid::~CGRODBCGrid() = default;

void CGRODBCGrid::SetRecordset(CRecordset* pRecordset)
{
    m_pRecordset = pRecordset;
    ResetRecordState();
}

CRecordset* CGRODBCGrid::OnGetRecordset()
{
    return m_pRecordset;
}

int CGRODBCGrid::GetFieldCount()
{
    CRecordset* prs = OnGetRecordset();
    if (!prs || !prs->IsOpen())
        return 0;
    return prs->GetBoundFieldCount();
}

CString CGRODBCGrid::GetFieldName(ROWCOL nCol)
{
    CRecordset* prs = OnGetRecordset();
    if (!prs || nCol < 1 || (int)nCol > GetFieldCount())
        return CString();
    CString name = prs->GetBoundFieldName((int)nCol - 1);
    // "C.[Description]" and "[Description]" both name Description.
    int dot = name.ReverseFind('.');
    int open = name.ReverseFind('[');
    if (open >= 0)
        name = name.Mid(open + 1);
    else if (dot >= 0)
        name = name.Mid(dot + 1);
    name.TrimRight("]");
    return name;
}

void CGRODBCGrid::ResetRecordState()
{
    CGRBrowserGrid::ResetRecordState();
    ForgetReadRows();
}

void CGRODBCGrid::ForgetReadRows()
{
    m_readRows.clear();
    m_readOrder.clear();
}

const std::vector<CString>* CGRODBCGrid::FindReadRow(ROWCOL nRow)
{
    auto it = m_readRows.find(nRow);
    return it == m_readRows.end() ? nullptr : &it->second;
}

void CGRODBCGrid::OpenRecordset()
{
    CRecordset* prs = OnGetRecordset();
    ResetCurrentCell(FALSE);
    ResetRecordState();
    SetSelection(nullptr);
    if (!prs)
        return;
    // A recordset with no statement to run (a query not given yet) is an
    // empty grid, not an error.
    if (!prs->IsOpen() && !prs->GetDefaultSQL().IsEmpty())
    {
        try
        {
            prs->Open();
        }
        catch (CException* e)
        {
            GridMessageBox(ExceptionText(e), MB_OK | MB_ICONEXCLAMATION);
            e->Delete();
        }
    }
    BOOL bLock = LockUpdate(TRUE);
    int nFields = prs->IsOpen() ? prs->GetBoundFieldCount() : 0;
    CGRGridCore::SetColCount((ROWCOL)nFields, 0);
    for (int i = 0; i < nFields; i++)
        StoreStyleRowCol(0, (ROWCOL)i + 1, &CGRStyle().SetValue(GetFieldName((ROWCOL)i + 1)), grOverride);
    CGRBrowseParam* bp = GetBrowseParam();
    if (prs->IsOpen())
    {
        if (prs->IsBOF() && prs->IsEOF())
        {
            bp->m_nRecordCount = 0;
            bp->m_bRecordCountFinal = TRUE;
        }
        else
        {
            bp->m_nRecordCount = 1;
            bp->m_bRecordCountFinal = FALSE;
            CGRDbParam* pDb = dynamic_cast<CGRDbParam*>(Param());
            if (pDb && pDb->GetRecordCountMode() == 0)
                CountAllRecords();
        }
    }
    else
    {
        bp->m_nRecordCount = 0;
        bp->m_bRecordCountFinal = TRUE;
    }
    m_nTopRow = FirstScrollRow();
    m_nLeftCol = FirstScrollCol();
    LockUpdate(bLock);
    UpdateScrollbars();
    Redraw(GR_INVALIDATE);
    UpdateRecordInfoWnd();
}

BOOL CGRODBCGrid::Requery()
{
    CRecordset* prs = OnGetRecordset();
    if (!prs || !prs->IsOpen())
        return FALSE;
    CancelRecord();
    BOOL bOk = TRUE;
    try
    {
        bOk = prs->Requery();
    }
    catch (CException* e)
    {
        GridMessageBox(ExceptionText(e), MB_OK | MB_ICONEXCLAMATION);
        e->Delete();
        bOk = FALSE;
    }
    ResetRecordState();
    CGRBrowseParam* bp = GetBrowseParam();
    if (prs->IsOpen() && !(prs->IsBOF() && prs->IsEOF()))
    {
        bp->m_nRecordCount = 1;
        bp->m_bRecordCountFinal = FALSE;
    }
    else
    {
        bp->m_nRecordCount = 0;
        bp->m_bRecordCountFinal = TRUE;
    }
    ROWCOL row, col;
    if (GetCurrentCell(row, col))
    {
        OnTestGridDimension(row, 0);
        if (row > GetRowCount())
            ResetCurrentCell(FALSE);
    }
    if (m_nTopRow > std::max<ROWCOL>(GetRowCount(), 1))
        m_nTopRow = FirstScrollRow();
    UpdateScrollbars();
    Redraw(GR_INVALIDATE);
    UpdateRecordInfoWnd();
    return bOk;
}

void CGRODBCGrid::PreUpdateRecordset()
{
}

BOOL CGRODBCGrid::PositionRecordset(CRecordset* prs, long nRecord)
{
    m_nMoves++;
    if (prs->CanScroll())
    {
        prs->SetAbsolutePosition(nRecord);
    }
    else
    {
        // A forward-only recordset reads on from where it is, or from the
        // start again.
        long current = prs->GetAbsolutePosition();
        if (current < 0 || current + 1 > nRecord || prs->IsEOF())
        {
            prs->Requery();
            current = prs->IsEOF() ? -1 : 0;
            if (current < 0)
                return FALSE;
        }
        while (current + 1 < nRecord && !prs->IsEOF())
        {
            prs->MoveNext();
            current++;
        }
    }
    return !prs->IsEOF() && !prs->IsBOF();
}

BOOL CGRODBCGrid::MoveTo(ROWCOL nRow)
{
    CRecordset* prs = OnGetRecordset();
    if (!prs || !prs->IsOpen() || nRow < 1)
        return FALSE;
    CGRBrowseParam* bp = GetBrowseParam();
    long nRecord = RecordOfRow(nRow) + 1;
    if (bp->m_bRecordCountFinal && nRecord > bp->m_nRecordCount)
        return FALSE;
    if (!(prs->GetAbsolutePosition() == nRecord - 1 && !prs->IsEOF() && !prs->IsBOF() && !prs->IsDeleted()))
    {
        BOOL bThere = FALSE;
        try
        {
            bThere = PositionRecordset(prs, nRecord);
        }
        catch (CException* e)
        {
            e->Delete();
            bThere = FALSE;
        }
        if (!bThere)
        {
            if (!bp->m_bRecordCountFinal)
            {
                if (nRecord <= bp->m_nRecordCount + 1)
                {
                    bp->m_nRecordCount = std::min(bp->m_nRecordCount, nRecord - 1);
                    bp->m_bRecordCountFinal = TRUE;
                }
                else
                    CountAllRecords();
                UpdateScrollbars();
            }
            return FALSE;
        }
    }
    if (!bp->m_bRecordCountFinal && nRecord > bp->m_nRecordCount)
    {
        bp->m_nRecordCount = nRecord;
        UpdateScrollbars();
    }
    bp->m_nCurrentRow = nRow;
    return TRUE;
}

void CGRODBCGrid::CountAllRecords()
{
    CRecordset* prs = OnGetRecordset();
    CGRBrowseParam* bp = GetBrowseParam();
    if (bp->m_bRecordCountFinal)
        return;
    if (!prs || !prs->IsOpen())
    {
        bp->m_nRecordCount = 0;
        bp->m_bRecordCountFinal = TRUE;
        return;
    }
    try
    {
        // A set that keeps its own keys knows how many rows it has.
        long nKeyed = prs->GetKeyedRowCount();
        if (nKeyed >= 0)
        {
            bp->m_nRecordCount = nKeyed;
            bp->m_bRecordCountFinal = TRUE;
            return;
        }
        if (!prs->CanScroll())
        {
            // Forward-only: read on to the end.
            long n = 0;
            prs->Requery();
            while (!prs->IsEOF())
            {
                n++;
                prs->MoveNext();
                m_nMoves++;
            }
            bp->m_nRecordCount = n;
            bp->m_bRecordCountFinal = TRUE;
            return;
        }
        // Probing positions: doubling past the records known, then halving
        // between the last position found and the first one past the end.
        long lo = std::max(bp->m_nRecordCount, 0L);
        if (lo > 0 && !PositionRecordset(prs, lo))
            lo = 0;
        long hi = std::max(lo * 2, 1024L);
        while (PositionRecordset(prs, hi))
        {
            lo = hi;
            if (hi > LONG_MAX / 2)
                break;
            hi *= 2;
        }
        while (hi - lo > 1)
        {
            long mid = lo + (hi - lo) / 2;
            if (PositionRecordset(prs, mid))
                lo = mid;
            else
                hi = mid;
        }
        bp->m_nRecordCount = lo;
        bp->m_bRecordCountFinal = TRUE;
        // Back on the record the grid was on (or the first).
        long back = bp->m_nCurrentRow >= 1 ? RecordOfRow(bp->m_nCurrentRow) + 1 : 1;
        if (lo > 0)
            PositionRecordset(prs, std::min(back, lo));
    }
    catch (CException* e)
    {
        e->Delete();
        bp->m_bRecordCountFinal = TRUE;
    }
}

long CGRODBCGrid::OnGetRecordCount()
{
    CGRBrowseParam* bp = GetBrowseParam();
    if (!bp->m_bRecordCountFinal)
    {
        // A recordset that scrolls is counted by probing positions, which
        // reads no record into the grid; a forward-only one as it is read.
        CRecordset* prs = OnGetRecordset();
        if (prs && prs->IsOpen() && prs->CanScroll())
            CountAllRecords();
    }
    return bp->m_bRecordCountFinal ? bp->m_nRecordCount : LONG_MAX;
}

void CGRODBCGrid::OnTestGridDimension(ROWCOL nLastRow, ROWCOL)
{
    CGRBrowseParam* bp = GetBrowseParam();
    if (bp->m_bRecordCountFinal)
        return;
    if (nLastRow >= (ROWCOL)LONG_MAX || nLastRow == GR_MAXROWCOL)
    {
        CountAllRecords();
        UpdateScrollbars();
        return;
    }
    if ((long)nLastRow > bp->m_nRecordCount)
        MoveTo(nLastRow);
}

void CGRODBCGrid::ReadCurrentRecord(std::vector<CString>& values)
{
    CRecordset* prs = OnGetRecordset();
    int n = prs->GetBoundFieldCount();
    values.resize((size_t)n);
    if (prs->IsDeleted())
        return;
    for (int i = 0; i < n; i++)
        GRGetODBCValueString(values[(size_t)i], prs, prs->GetBoundFieldAddress(i), prs->GetBoundFieldKind(i), 16, 0);
    m_nRecordsRead++;
}

BOOL CGRODBCGrid::OnLoadCellStyle(ROWCOL nRow, ROWCOL nCol, CGRStyle& style, LPCTSTR pszExistingValue)
{
    if (pszExistingValue)
    {
        style.SetValue(pszExistingValue);
        return TRUE;
    }
    if (nCol < 1 || (int)nCol > GetFieldCount())
        return FALSE;
    const std::vector<CString>* pRow = FindReadRow(nRow);
    if (!pRow)
    {
        if (!MoveTo(nRow))
            return FALSE;
        std::vector<CString> values;
        ReadCurrentRecord(values);
        long nMax = 2000;
        if (CGRDbParam* pDb = dynamic_cast<CGRDbParam*>(Param()))
            nMax = std::max(1L, pDb->GetMaxCachedRows());
        while ((long)m_readOrder.size() >= nMax)
        {
            m_readRows.erase(m_readOrder.front());
            m_readOrder.pop_front();
        }
        m_readOrder.push_back(nRow);
        pRow = &(m_readRows[nRow] = std::move(values));
    }
    if ((size_t)nCol - 1 >= pRow->size())
        return FALSE;
    style.SetValue((*pRow)[nCol - 1]);
    // Records of a recordset that cannot be changed cannot be edited.
    if (!CanUpdate())
        style.SetReadOnly(TRUE);
    return TRUE;
}

BOOL CGRODBCGrid::OnFlushRecord(ROWCOL nRow, CString* pErrorText)
{
    CRecordset* prs = OnGetRecordset();
    CGRBrowseParam* bp = GetBrowseParam();
    if (!prs || !prs->IsOpen())
        return FALSE;
    BOOL bNew = bp->m_nEditMode == GR_EDITMODE_ADDNEW;
    BOOL bStarted = FALSE;
    try
    {
        if (bNew)
            prs->AddNew();
        else
        {
            if (!MoveTo(nRow))
            {
                if (pErrorText)
                    pErrorText->LoadString(GR_IDS_FLUSH_FAILED);
                return FALSE;
            }
            prs->Edit();
        }
        bStarted = TRUE;
        int nFields = prs->GetBoundFieldCount();
        for (const auto& kv : bp->m_mapEdited)
        {
            int i = (int)kv.first - 1;
            if (i < 0 || i >= nFields)
                continue;
            CString err;
            if (!GRWriteODBCValueString(kv.second, prs, prs->GetBoundFieldAddress(i), prs->GetBoundFieldKind(i), 16,
                                        &err, 0))
            {
                prs->CancelUpdate();
                if (pErrorText)
                {
                    CString name = GetFieldName(kv.first);
                    pErrorText->Format("%s: %s", (LPCTSTR)name, (LPCTSTR)err);
                }
                return FALSE;
            }
        }
        PreUpdateRecordset();
        prs->Update();
    }
    catch (CException* e)
    {
        if (pErrorText)
            *pErrorText = ExceptionText(e);
        e->Delete();
        if (bStarted)
        {
            try
            {
                prs->CancelUpdate();
            }
            catch (CException* e2)
            {
                e2->Delete();
            }
        }
        return FALSE;
    }
    // The record is read again when shown next.
    m_readRows.erase(nRow);
    m_readOrder.remove(nRow);
    return TRUE;
}

void CGRODBCGrid::OnAddedNewRecord()
{
    CRecordset* prs = OnGetRecordset();
    CGRBrowseParam* bp = GetBrowseParam();
    ForgetReadRows();
    // The recordset knows whether the new record joined its records.
    if (prs && prs->IsOpen() && prs->m_bEOFSeen)
        bp->m_nRecordCount = prs->GetRecordCount();
    else
    {
        bp->m_bRecordCountFinal = FALSE;
        long n = bp->m_nRecordCount;
        bp->m_nRecordCount = std::max(0L, n - 1);
        CountAllRecords();
    }
    CGRBrowserGrid::OnAddedNewRecord();
}

BOOL CGRODBCGrid::CanAppend()
{
    CRecordset* prs = OnGetRecordset();
    if (!prs || !prs->IsOpen())
        return FALSE;
    return prs->CanAppend() && CGRBrowserGrid::CanAppend();
}

BOOL CGRODBCGrid::CanUpdate()
{
    CRecordset* prs = OnGetRecordset();
    if (!prs || !prs->IsOpen())
        return FALSE;
    return prs->CanUpdate() && CGRBrowserGrid::CanUpdate();
}

void CGRODBCGrid::DeleteRows(const CRowColArray& awRowStart, const CRowColArray& awRowEnd)
{
    CGRBrowserGrid::DeleteRows(awRowStart, awRowEnd);
    CRecordset* prs = OnGetRecordset();
    if (!prs || !prs->IsOpen() || !CanUpdate())
        return;
    // Every record of the ranges once, the last first.
    std::vector<ROWCOL> rows;
    for (INT_PTR i = 0; i < awRowStart.GetSize() && i < awRowEnd.GetSize(); i++)
        for (ROWCOL r = std::min(awRowStart[i], awRowEnd[i]); r <= std::max(awRowStart[i], awRowEnd[i]); r++)
            rows.push_back(r);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    ROWCOL appendRow = GetAppendRow();
    BOOL bAny = FALSE;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
    {
        if (*it < 1 || *it == appendRow)
            continue;
        try
        {
            if (!MoveTo(*it))
                continue;
            prs->Delete();
            bAny = TRUE;
        }
        catch (CException* e)
        {
            GridMessageBox(ExceptionText(e), MB_OK | MB_ICONEXCLAMATION);
            e->Delete();
            break;
        }
    }
    if (!bAny)
        return;
    // The records after the deleted ones move up: show the recordset anew,
    // keeping the current cell's row where it can stay.
    ROWCOL row = 0, col = 0;
    BOOL bCur = GetCurrentCell(row, col);
    ROWCOL top = m_nTopRow;
    Requery();
    OnTestGridDimension(GR_MAXROWCOL, 0);
    if (bCur && row <= GetRowCount())
    {
        SetCurrentCellDirect(row, col);
        GetBrowseParam()->m_nCurrentRow = row;
        MoveTo(row);
    }
    else if (bCur && GetRowCount() >= 1)
    {
        SetCurrentCellDirect(GetRowCount(), col);
        GetBrowseParam()->m_nCurrentRow = GetRowCount();
    }
    m_nTopRow = std::min(top, std::max<ROWCOL>(GetRowCount(), FirstScrollRow()));
    UpdateScrollbars();
    Redraw(GR_INVALIDATE);
    UpdateRecordInfoWnd();
}

void CGRODBCGrid::OnMovedCurrentCell(ROWCOL nRow, ROWCOL nCol)
{
    MoveTo(nRow);
    CGRBrowserGrid::OnMovedCurrentCell(nRow, nCol);
}

void CGRODBCGrid::OnReplaceAll(LPCTSTR lpszFind, LPCTSTR lpszReplace, BOOL bCase)
{
    CGRBrowserGrid::OnReplaceAll(lpszFind, lpszReplace, bCase);
    CString err;
    if (!Update(&err))
        ReportFlushError(err);
}

void CGRODBCGrid::SortRows(CGRRange, CGRSortInfoArray& sortInfo, UINT flags)
{
    CRecordset* prs = OnGetRecordset();
    if (!prs || !prs->IsOpen() || sortInfo.GetSize() == 0)
        return;
    if (!TransferCurrentCell())
        return;
    CString err;
    if (!Update(&err))
    {
        ReportFlushError(err);
        return;
    }
    CString sort;
    for (INT_PTR i = 0; i < sortInfo.GetSize(); i++)
    {
        int f = (int)sortInfo[i].nRC - 1;
        if (f < 0 || f >= prs->GetBoundFieldCount())
            continue;
        if (!sort.IsEmpty())
            sort += ",";
        sort += prs->GetBoundFieldName(f);
        if (!sortInfo[i].bAscending)
            sort += " DESC";
    }
    prs->m_strSort = sort;
    Requery();
    Param()->SetLastSort(sortInfo[0].nRC, sortInfo[0].bAscending);
    Redraw(flags);
}

CString CGRODBCGrid::GetRecordCellText(ROWCOL nCol, const std::function<CString(ROWCOL)>& valueOf)
{
    return valueOf(nCol);
}

void CGRODBCGrid::GetRecordCellColumns(ROWCOL nCol, std::vector<ROWCOL>& cols)
{
    cols.assign(1, nCol);
}

namespace {

// Whether a text holds the find text, as the grid compares cell texts.
bool HoldsText(const CString& text, const GR_FR_STATE& fr)
{
    if (fr.bCase)
        return text.Find(fr.strFind) >= 0;
    CString up = text;
    up.MakeUpper();
    return up.Find(fr.strFindUpper) >= 0;
}

} // namespace

int CGRODBCGrid::FindInSource(ROWCOL& nRow, ROWCOL& nCol, CGRLongOperation& op)
{
    CRecordset* prs = OnGetRecordset();
    if (!prs || !prs->IsOpen() || !prs->IsKeyed() || !Param()->GetData().m_hiddenRows.empty())
        return -1;
    GR_FR_STATE& fr = GRGetAppState()->m_findReplace;
    CGRData& d = Param()->GetData();
    const ROWCOL firstRow = d.m_nHeaderRows + 1, firstCol = d.m_nHeaderCols + 1;
    const int nFields = prs->GetBoundFieldCount();
    // The columns searched: those shown; at most 64 (one bit each).
    std::vector<ROWCOL> cols;
    for (ROWCOL c = firstCol; c <= GetColCount(); c++)
        if (!IsColHidden(c))
            cols.push_back(c);
    if (cols.empty() || cols.size() > 64)
        return -1;

    // The records holding the text, read unless known from the last search.
    OnTestGridDimension(GR_MAXROWCOL, 0);
    const long nRecords = prs->GetKeyedRowCount();
    const DWORD dwChange = prs->m_pDatabase->m_dwChangeCount;
    const long long nVersion = prs->m_pDatabase->GetDataVersion();
    if (m_found.strFind != fr.strFind || m_found.bCase != fr.bCase || m_found.cols != cols ||
        m_found.pRecordset != prs || m_found.nRecords != nRecords || m_found.dwChangeCount != dwChange ||
        m_found.nDataVersion != nVersion)
    {
        m_found = FoundRecords();
        std::vector<int> fields;
        std::vector<std::vector<ROWCOL>> sources(cols.size());
        for (size_t i = 0; i < cols.size(); i++)
        {
            GetRecordCellColumns(cols[i], sources[i]);
            for (ROWCOL c : sources[i])
                if (c >= 1 && (int)c <= nFields && std::find(fields.begin(), fields.end(), (int)c - 1) == fields.end())
                    fields.push_back((int)c - 1);
        }
        std::vector<unsigned long long> masks((size_t)std::max(nRecords, 0L), 0);
        std::vector<bool> read(masks.size(), false);
        long nRows = 0;
        BOOL bDone = FALSE;
        try
        {
            bDone = prs->ScanKeyedRows(fields, [&](long nPlace, const std::vector<CString>& values) {
                if (++nRows % 4096 == 0 && op.NeedMessages() && !op.DoMessages())
                    return false;
                if (nPlace < 0 || (size_t)nPlace >= masks.size())
                    return true;
                read[(size_t)nPlace] = true;
                auto valueOf = [&](ROWCOL c) {
                    return c >= 1 && (size_t)c <= values.size() ? values[c - 1] : CString();
                };
                unsigned long long mask = 0;
                for (size_t i = 0; i < cols.size(); i++)
                    if ((int)cols[i] <= nFields && HoldsText(GetRecordCellText(cols[i], valueOf), fr))
                        mask |= 1ull << i;
                masks[(size_t)nPlace] = mask;
                return true;
            });
        }
        catch (CException* e)
        {
            // The cells are searched one by one instead.
            e->Delete();
            return -1;
        }
        if (!bDone)
            return op.IsCanceled() ? 0 : -1;
        m_found.strFind = fr.strFind;
        m_found.bCase = fr.bCase;
        m_found.cols = cols;
        m_found.pRecordset = prs;
        m_found.nRecords = nRecords;
        m_found.dwChangeCount = dwChange;
        m_found.nDataVersion = nVersion;
        m_found.masks.swap(masks);
        m_found.read.swap(read);
    }

    // The cells of a row in the search's direction, after (or before) a
    // column; from the data where it tells, else from the cells.
    CGRBrowseParam* bp = GetBrowseParam();
    const ROWCOL editRow = bp->m_nEditMode != GR_EDITMODE_NONE ? bp->m_nEditRow : 0;
    auto searchRow = [&](ROWCOL r, ROWCOL after, BOOL bAll) -> BOOL {
        long nRecord = RecordOfRow(r);
        bool fromData = r != editRow && nRecord >= 0 && nRecord < nRecords && m_found.read[(size_t)nRecord];
        unsigned long long mask = fromData ? m_found.masks[(size_t)nRecord] : 0;
        if (fromData && mask == 0)
            return FALSE;
        for (size_t k = 0; k < cols.size(); k++)
        {
            size_t i = fr.bNext ? k : cols.size() - 1 - k;
            ROWCOL c = cols[i];
            if (!bAll && (fr.bNext ? c <= after : c >= after))
                continue;
            if (fromData ? (mask >> i) & 1 : CellHoldsFindText(r, c))
            {
                nCol = c;
                nRow = r;
                return TRUE;
            }
        }
        return FALSE;
    };
    const ROWCOL lastRow = GetRowCount();
    ROWCOL r = std::max(nRow, firstRow);
    if (nRow >= firstRow && searchRow(r, nCol, FALSE))
        return 1;
    if (fr.bNext)
    {
        for (r = nRow >= firstRow ? nRow + 1 : firstRow; r <= lastRow; r++)
            if (searchRow(r, 0, TRUE))
                return 1;
    }
    else
    {
        for (r = nRow - 1; r >= firstRow && r <= lastRow; r--)
            if (searchRow(r, 0, TRUE))
                return 1;
    }
    return 0;
}

void CGRODBCGrid::OnGridDraw(CDC* pDC)
{
    // Each paint reads the records it shows afresh.
    ForgetReadRows();
    CGRBrowserGrid::OnGridDraw(pDC);
}

/////////////////////////////////////////////////////////////////////////////
// CGRRecordWnd

IMPLEMENT_DYNAMIC(CGRRecordWnd, CGRGridWndBase)

BEGIN_MESSAGE_MAP(CGRRecordWnd, CGRGridWndBase)
END_MESSAGE_MAP()

CGRRecordWnd::CGRRecordWnd()
{
    m_pGridCore = this;
    SetGridWnd(this);
}

CGRRecordWnd::~CGRRecordWnd()
{
    m_pGridCore = nullptr;
    SetGridWnd(nullptr);
}
