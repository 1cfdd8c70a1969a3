// CGridWindow: in-place editing, the checks of typed and pasted text, and the
// checks of a record before it is written.
#include "grids/window/GridWindow.h"
#include "grids/core/CellConversion.h"
#include "database/records/ComponentTexts.h"
#include "grids/core/CellText.h"
#include "grids/core/ComponentStore.h"
#include "grids/core/GridClipboard.h"
#include "grids/window/GridsWindowRes.h"
#include "platform/framework/window/Clipboard.h"

#include <algorithm>

using namespace kvgrid;

int CGridWindow::GetTextColumnWidth(ROWCOL nCol)
{
    CRecordset* prs = OnGetRecordset();
    if (!prs || !prs->IsOpen() || nCol < 1 || (int)nCol > prs->GetODBCFieldCount())
        return 0;
    CODBCFieldInfo info;
    prs->GetODBCFieldInfo((short)(nCol - 1), info);
    return (int)info.m_nPrecision;
}

void CGridWindow::SetEditorText(ROWCOL nRow, ROWCOL nCol, const CString& text)
{
    CGRControl* pControl = GetControl(nRow, nCol);
    if (pControl && pControl->IsInit(nRow, nCol))
        pControl->SetCurrentText(text);
}

/////////////////////////////////////////////////////////////////////////////
// Edits

BOOL CGridWindow::OnStartEditing(ROWCOL nRow, ROWCOL nCol)
{
    if (m_bReadOnly)
        return FALSE;
    CGRControl* pControl = GetControl(nRow, nCol);
    CString text;
    if (pControl)
        pControl->GetCurrentText(text);
    if (nCol == COL_MAJOR2 && HasLabelColumn(m_nTableType))
    {
        int half = std::max(GetTextColumnWidth(COL_MAJOR2), 1);
        text = kvrecords::TextLeft(GetRowValue(nRow, COL_MAJOR2), half) + kvrecords::TextLeft(GetRowValue(nRow, COL_MINOR2), half);
    }
    text.Trim();
    if (pControl)
        pControl->SetCurrentText(text);
    if (nCol == COL_DESCRIPTION || nCol == COL_WAREHOUSE_CODE)
        m_strTextBeforeEdit = text;
    m_nEditState = editExisting;
    return TRUE;
}

BOOL CGridWindow::OnValidateCell(ROWCOL nRow, ROWCOL nCol)
{
    if (m_nTableType == TABLE_QUERY)
        return TRUE;
    CGRControl* pControl = GetControl(nRow, nCol);
    CString text;
    if (pControl)
        pControl->GetCurrentText(text);
    BOOL bValid = ValidateCellText(text, nRow, nCol, TRUE);
    if (bValid)
    {
        CString stored;
        if (ConvertCellValue(CONVERT_TO_STORED, nRow, nCol, text, stored))
            SetEditorText(nRow, nCol, stored);
    }
    return bValid;
}

BOOL CGridWindow::OnEndEditing(ROWCOL, ROWCOL)
{
    m_nEditState = editNone;
    return TRUE;
}

BOOL CGridWindow::OnCancelEditing(ROWCOL nRow, ROWCOL nCol)
{
    if ((nCol == COL_DESCRIPTION || nCol == COL_WAREHOUSE_CODE) && !m_strTextBeforeEdit.IsEmpty())
        SetEditorText(nRow, nCol, m_strTextBeforeEdit);
    m_nEditState = editNone;
    return TRUE;
}

BOOL CGridWindow::SetControlTextRowCol(ROWCOL nRow, ROWCOL nCol, const CString& str, UINT flags,
                                       const CGRStyle* pOldStyle)
{
    // Text for a cell whose editor is open is checked and converted when the
    // editor's text is stored, once.
    CGRControl* pControl = GetControl(nRow, nCol);
    if (m_nTableType == TABLE_QUERY || (pControl && pControl->IsActive() && pControl->IsInit(nRow, nCol)))
        return CGRODBCGrid::SetControlTextRowCol(nRow, nCol, str, flags, pOldStyle);

    m_bStoringText = TRUE;
    CString text = str;
    BOOL bValid = ValidateCellText(text, nRow, nCol, FALSE);
    m_bStoringText = FALSE;
    if (!bValid)
        return FALSE;
    if (nCol == COL_MAJOR2 && HasLabelColumn(m_nTableType))
    {
        // The Label is two columns.
        CString major2, minor2;
        SplitLabel(text, std::max(GetTextColumnWidth(COL_MAJOR2), 1), major2, minor2);
        return CGRODBCGrid::SetControlTextRowCol(nRow, COL_MAJOR2, major2, flags, pOldStyle) &&
               CGRODBCGrid::SetControlTextRowCol(nRow, COL_MINOR2, minor2, flags, nullptr);
    }
    CString stored;
    if (ConvertCellValue(CONVERT_TO_STORED, nRow, nCol, text, stored))
        text = stored;
    return CGRODBCGrid::SetControlTextRowCol(nRow, nCol, text, flags, pOldStyle);
}

BOOL CGridWindow::ValidateCellText(CString& text, ROWCOL nRow, ROWCOL nCol, BOOL bInEditor)
{
    if (m_nTableType == TABLE_QUERY)
        return TRUE;
    text.Trim();
    const BOOL bStoring = m_bStoringText;
    const BOOL bLabel = nCol == COL_MAJOR2 && HasLabelColumn(m_nTableType);
    int width = 0;
    if (nCol >= COL_DESCRIPTION && nCol <= COL_MINOR2)
    {
        width = GetTextColumnWidth(nCol);
        if (bLabel)
            width *= 2;
    }

    if (nCol == COL_USAGE)
    {
        BOOL bAssembly = (std::atol(GetRowValue(nRow, COL_FLAGS)) & 1) != 0;
        UsageCheck usage = CheckUsageText(text, m_nTableType, bAssembly != FALSE, width);
        text = usage.text;
        if (!usage.message.IsEmpty())
        {
            ScrollCellInView(nRow, nCol);
            if (bStoring)
            {
                GridMessageBox(usage.message, MB_OK | MB_ICONEXCLAMATION);
                return FALSE;
            }
        }
        if (bInEditor)
            SetEditorText(nRow, nCol, text);
        // The editor stays open on a corrected text for the user to confirm;
        // stored text (a paste) takes the correction.
        return bStoring || !usage.droppedRepeats;
    }

    if (width > 0)
    {
        BOOL bBlank = nCol == COL_DESCRIPTION && text.IsEmpty();
        if (kvrecords::TextLength(text) > width || bBlank)
        {
            CString message;
            if (bBlank)
                message = LoadText(IDS_DESCRIPTION_BLANK);
            else
                message.Format(IDS_TEXT_TOO_LONG, width);
            ScrollCellInView(nRow, nCol);
            if (bStoring)
            {
                GridMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
                text = kvrecords::TextLeft(text, width);
                return FALSE;
            }
            // An over-long text would be stored as typed: the editor keeps it
            // for the user to shorten. A blank description is refused when
            // the record is written.
            if (!bBlank)
            {
                GridMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
                return FALSE;
            }
        }
        else
        {
            text = kvrecords::PadToLength(text, width);
            if (bInEditor)
                SetEditorText(nRow, nCol, text);
        }
    }

    if (nCol == COL_SUPPLIER_CODE)
    {
        text.MakeUpper();
        if (bInEditor)
            SetEditorText(nRow, nCol, text);
        if (!CheckSupplierCode(text))
            return FALSE;
    }

    // A quantity must be a number: any other text would be stored as 0.
    if (nCol >= COL_REALS1 && !text.IsEmpty())
    {
        const OZU_UnitSet* pUnits = DisplayUnits();
        CString itemType = (m_nTableType == TABLE_OUTLET && nCol == 23) ? GetRowValue(nRow, COL_ITEM_TYPE) : CString();
        double value = 0;
        if (pUnits && ConversionApplies(FindConvertedCell(m_nTableType, (int)nCol, itemType), *pUnits) &&
            !ParseNumber(text, value))
        {
            ScrollCellInView(nRow, nCol);
            GridMessageBox(LoadText(IDS_GRID_NOT_A_NUMBER), MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
    }

    if (bLabel && bInEditor)
    {
        CString major2, minor2;
        SplitLabel(text, std::max(width / 2, 1), major2, minor2);
        CGRODBCGrid::SetControlTextRowCol(nRow, COL_MAJOR2, major2, GR_INVALIDATE);
        CGRODBCGrid::SetControlTextRowCol(nRow, COL_MINOR2, minor2, GR_INVALIDATE);
    }
    return CGRODBCGrid::OnValidateCell(nRow, nCol);
}

BOOL CGridWindow::CheckSupplierCode(CString& text)
{
    CString code = text;
    code.Trim();
    // No code: nothing to look up.
    if (code.IsEmpty())
        return TRUE;
    CDatabase* pDb = Database();
    if (!pDb)
        return TRUE;
    CSupplierRecs suppliers(pDb);
    BOOL bFound = FALSE;
    try
    {
        suppliers.Open(CRecordset::dynaset, "SELECT * FROM Suppliers", CRecordset::none);
        while (!suppliers.IsEOF())
        {
            CString stored = suppliers.m_strCode;
            stored.Trim();
            stored.MakeUpper();
            if (stored == code)
            {
                bFound = TRUE;
                break;
            }
            suppliers.MoveNext();
        }
    }
    catch (CException* e)
    {
        ReportDatabaseException(e);
        suppliers.CloseQuietly();
        return FALSE;
    }
    BOOL bValid = TRUE;
    if (!bFound)
    {
        if (GridMessageBox(LoadText(IDS_SUPPLIER_NOT_MATCHED), MB_YESNO | MB_ICONQUESTION) != IDYES)
        {
            bValid = FALSE;
        }
        else
        {
            try
            {
                suppliers.AddNew();
                suppliers.SetDefaultsFor(text);
                suppliers.Update();
            }
            catch (CException* e)
            {
                ReportDatabaseException(e);
            }
        }
    }
    suppliers.CloseQuietly();
    return bValid;
}

BOOL CGridWindow::OnStartAutoFillSelection(CGRRange& range, UINT& nFlags, CPoint& point)
{
    BOOL bTouches = range.IsRows() || range.IsTable() ||
                    (range.left <= (ROWCOL)COL_WAREHOUSE_CODE && range.right >= (ROWCOL)COL_DESCRIPTION);
    if (bTouches)
    {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return FALSE;
    }
    return CGRODBCGrid::OnStartAutoFillSelection(range, nFlags, point);
}

BOOL CGridWindow::Paste()
{
    // Text the program cannot store as text is refused before any of it is.
    const CString refusal = RefuseUnstorableText(AfxReadClipboardText(GetSafeHwnd()));
    if (!refusal.IsEmpty()) {
        GridMessageBox(refusal, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return CGRODBCGrid::Paste();
}

BOOL CGridWindow::CanPaste()
{
    return CGRODBCGrid::CanPaste();
}

/////////////////////////////////////////////////////////////////////////////
// Writing a record

int CGridWindow::TestDuplicate(long nExcludeKey, const CString& description, const CString& warehouseCode,
                               long nDatabaseNumber)
{
    CDatabase* pDb = Database();
    if (!pDb || !pDb->IsOpen())
        return -1;
    try
    {
        return FindDuplicateComponent(pDb, description, warehouseCode, nDatabaseNumber, nExcludeKey) == -1 ? 1 : 0;
    }
    catch (CException* e)
    {
        ReportDatabaseException(e);
        return -1;
    }
}

BOOL CGridWindow::CheckDuplicate(long nExcludeKey, LPCTSTR lpszDescription, LPCTSTR lpszWarehouseCode,
                                 long nDatabaseNumber)
{
    // A test that cannot be made lets nothing through.
    return TestDuplicate(nExcludeKey, lpszDescription, lpszWarehouseCode, nDatabaseNumber) == 1;
}

void CGridWindow::PadRowTexts(BOOL bNewRow)
{
    CRecordset* prs = OnGetRecordset();
    if (!prs || !prs->IsOpen())
        return;
    const kvrecords::ComponentTextWidths widths(*prs);
    CGRBrowseParam* bp = GetBrowseParam();
    for (int nColumn : kvrecords::kFixedWidthColumns)
    {
        auto edited = bp->m_mapEdited.find((ROWCOL)nColumn);
        if (edited != bp->m_mapEdited.end())
            edited->second = widths.Padded(nColumn, edited->second);
        else if (bNewRow && widths.Of(nColumn) > 0)
            bp->m_mapEdited[(ROWCOL)nColumn] = widths.Padded(nColumn, CString());
    }
}

BOOL CGridWindow::OnFlushRecord(ROWCOL nRow, CString* pErrorText)
{
    m_nNewTapeKey = 0;
    m_nStoredKey = 0;
    m_bNewTapeHeld = FALSE;
    if (m_nTableType == TABLE_QUERY)
        return CGRODBCGrid::OnFlushRecord(nRow, pErrorText);
    CGRBrowseParam* bp = GetBrowseParam();
    const BOOL bNew = bp->m_nEditMode == GR_EDITMODE_ADDNEW;
    CString description = GetRowValue(nRow, COL_DESCRIPTION);
    CString warehouseCode = GetRowValue(nRow, COL_WAREHOUSE_CODE);
    long nDatabaseNumber = std::atol(GetRowValue(nRow, COL_DATABASE_NUMBER));
    long nKey = bNew ? -1 : std::atol(GetRowValue(nRow, COL_COMPONENT_KEY));
    CString trimmed = description;
    trimmed.Trim();
    if (trimmed.IsEmpty())
    {
        if (pErrorText)
            pErrorText->LoadString(IDS_DESCRIPTION_BLANK);
        return FALSE;
    }
    BOOL bStartingUp = m_pView && m_pView->IsStartingUp();
    if (bNew || (bp->m_nEditMode == GR_EDITMODE_EDIT && !bStartingUp))
    {
        CString unique = description;
        BOOL bChanged = FALSE;
        for (;;)
        {
            int r = TestDuplicate(nKey, unique, warehouseCode, nDatabaseNumber);
            if (r < 0)
                return FALSE;
            if (r == 1)
                break;
            CString next = MakeUniqueDescription(unique);
            if (next == unique)
            {
                // Nothing is left to put "~" in place of.
                if (pErrorText)
                    pErrorText->Format(IDS_COMPONENT_EXISTS, (LPCTSTR)trimmed);
                return FALSE;
            }
            unique = next;
            bChanged = TRUE;
        }
        if (bChanged)
        {
            bp->m_mapEdited[COL_DESCRIPTION] = unique;
            bp->m_bModified = TRUE;
        }
    }
    PadRowTexts(bNew);
    BOOL bOk = CGRODBCGrid::OnFlushRecord(nRow, pErrorText);
    if (bOk)
    {
        // The key of the row written: a new row's is the one the database
        // gave it, as the set that added it knows it (asked of the
        // database when the set cannot say).
        long long nAddedKey = 0;
        CRecordset* prs = OnGetRecordset();
        if (!bNew)
            m_nStoredKey = nKey;
        else if (prs != nullptr && prs->GetLastAddedKey(nAddedKey))
            m_nStoredKey = (long)nAddedKey;
        else
            m_nStoredKey = ReadInsertedKey(Database());
        if (bNew && m_nTableType == TABLE_TAPE)
            m_nNewTapeKey = m_nStoredKey;
    }
    return bOk;
}
