#include "grids/window/SideGrids.h"
#include "platform/odbc/ODBCValueText.h"
#include "database/records/ComponentRecords.h"
#include "database/records/TapeRecords.h"
#include "grids/core/GridTables.h"
#include "grids/core/GridsCoreRes.h"
#include "grids/window/GridView.h"
#include "grids/window/GridsWindowRes.h"
#include "units/OZU_DisplaySettings.h"
#include "units/RegistrySettings.h"

#include <algorithm>

using namespace kvgrid;

IMPLEMENT_DYNAMIC(CHeadGridWnd, CGRGridWnd)
IMPLEMENT_DYNAMIC(CAssemWnd, CHeadGridWnd)
IMPLEMENT_DYNAMIC(CNozzleWnd, CHeadGridWnd)
IMPLEMENT_DYNAMIC(COutletWnd, CHeadGridWnd)

namespace {

// Widths of the side grids' columns (pixels).
const int kRowHeaderWidth = 23;
const int kCodeWidth = 200;
// Column 1 never gets narrower than this, however narrow the grid.
const int kMinNameWidth = 60;

// The grey of the side grids' cells.
const COLORREF kSideGridInterior = RGB(208, 208, 208);

// The side grids, a row each: titles, usage width, remove mode.
const SideGridKind kAssemblyItems = {
    { IDS_SIDE_ASSEMBLY_ITEM_NAME, IDS_SIDE_WAREHOUSE_CODE, IDS_SIDE_NUMBER_LENGTH, IDS_SIDE_USAGE }, 65,
    &CGridState::bAssemblyMode
};
const SideGridKind kOutletNozzles = {
    { IDS_TABLE_NOZZLE, IDS_SIDE_WAREHOUSE_CODE, IDS_SIDE_SUPPLIER_CODE, IDS_SIDE_USAGE }, 0, &CGridState::bNozzleMode
};
const SideGridKind kNozzleOutlets = {
    { IDS_TABLE_OUTLET, IDS_SIDE_WAREHOUSE_CODE, IDS_SIDE_SUPPLIER_CODE, IDS_SIDE_USAGE }, 64, nullptr
};

// The item of an assembly is counted by length (stored in metres) for pipes,
// tapes and wires, by number otherwise.
bool IsLengthItem(int nDatabaseNumber)
{
    return nDatabaseNumber == DBNUM_PIPE || nDatabaseNumber == DBNUM_WIRE;
}

// The texts a nozzle or outlet row shows of its component.
void ComponentCells(const SideGridRow& row, CString (&cells)[4])
{
    cells[0] = row.strDescription;
    cells[1] = row.strWarehouseCode;
    cells[2] = row.strSupplierCode;
    cells[3] = row.strUsage;
}

CString FloatText(float f)
{
    return kvodbc::ValueToText(AFX_RFX_SINGLE, &f);
}

// Runs a database step of a side grid; a failure reports itself. FALSE when
// it failed.
template <class Step>
BOOL RunReported(Step step)
{
    try
    {
        step();
        return TRUE;
    }
    catch (CException* e)
    {
        ReportDatabaseException(e);
        return FALSE;
    }
}

// Runs a copy of rows; FALSE, without a message, when a failure stopped it.
template <class Copy>
BOOL CopyRows(CGridView* pView, Copy copy, long nFromKey, long nToKey)
{
    CDatabase* pDb = pView ? pView->GetDatabase() : nullptr;
    if (!pDb)
        return FALSE;
    try
    {
        copy(pDb, nFromKey, nToKey);
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
}

// The data rows of the selection (or the current cell's row), highest first.
std::vector<ROWCOL> SelectedDataRows(CHeadGridWnd& grid)
{
    CRowColArray selected;
    grid.GetSelectedRows(selected, FALSE, TRUE);
    std::vector<ROWCOL> rows;
    for (INT_PTR i = 0; i < selected.GetSize(); i++)
        if (grid.IsDataRow(selected[i]))
            rows.push_back(selected[i]);
    std::sort(rows.rbegin(), rows.rend());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CHeadGridWnd

BEGIN_MESSAGE_MAP(CHeadGridWnd, CGRGridWnd)
    ON_MESSAGE(GRM_ACTIVATECELL, IgnoreMessage)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CHeadGridWnd::CHeadGridWnd(CGridView* pView, const SideGridKind& kind) : m_pView(pView), m_kind(kind)
{
    m_keys.reserve(10);
}

CHeadGridWnd::~CHeadGridWnd()
{
    m_keys.clear();
}

LRESULT CHeadGridWnd::IgnoreMessage(WPARAM, LPARAM)
{
    return 0;
}

int CHeadGridWnd::ReadCharSetSetting()
{
    int nCharSet = 0;
    if (!CRegistrySettings().ReadSetting("AppSettings\\Misc\\CharSet", &nCharSet, CRegistrySettings::typeInt32,
                                         sizeof(nCharSet)))
        nCharSet = 0;
    return nCharSet;
}

void CHeadGridWnd::OnGridInitialUpdate()
{
    CGRGridWnd::OnGridInitialUpdate();
    CGRGridParam* pParam = Param();
    pParam->SetNewGridLineMode(TRUE);

    // Headers without border lines, not bold, not marked, and disabled.
    CGRStyle headers;
    headers.SetBorders(grBorderAll, CGRPen(PS_NULL));
    headers.SetEnabled(FALSE);
    ChangeRowHeaderStyle(headers, grOverride, GR_INVALIDATE);
    CGRStyle colHeaders(headers);
    CGRFont plain;
    plain.SetBold(FALSE);
    colHeaders.SetFont(plain);
    ChangeColHeaderStyle(colHeaders, grOverride, GR_INVALIDATE);
    pParam->SetMarkColHeader(FALSE);
    pParam->SetMarkRowHeader(FALSE);
    pParam->SetNumberedRowHeaders(FALSE);
    pParam->SetNumberedColHeaders(FALSE);
    pParam->SetSortRowsOnDblClk(FALSE);

    // Every cell static text on grey, read-only.
    CGRStyle standard;
    standard.SetControl(GR_IDS_CTRL_STATIC).SetReadOnly(TRUE).SetInterior(kSideGridInterior);
    ChangeStandardStyle(standard, grOverride, GR_INVALIDATE);

    SetRowCount(1, GR_INVALIDATE);
    SetColCount(4, GR_INVALIDATE);
    SetColWidth(0, 0, kRowHeaderWidth, nullptr, GR_INVALIDATE);

    // No moving or resizing of rows and columns; whole rows are selected.
    pParam->EnableTrackColWidth(0);
    pParam->EnableTrackRowHeight(0);
    pParam->EnableMoveCols(FALSE);
    pParam->EnableMoveRows(FALSE);
    pParam->EnableSelection(GR_SELROW | GR_SELMULTIPLE | GR_SELSHIFT);
    pParam->SetLockReadOnly(TRUE);
    // Only the grid writes its cells: nothing to undo.
    pParam->EnableUndo(FALSE);

    m_bFilling = TRUE;
    SetCurrentCell(1, 1, GR_NOSETFOCUS);
    m_bFilling = FALSE;

    SetTitles(m_kind.titles);
    if (m_kind.nUsageWidth == 0)
        HideCols(4, 4, TRUE, nullptr, GR_INVALIDATE);
    SetCharSet(ReadCharSetSetting());
    m_bInitialised = TRUE;
    SetColumnWidths();
}

BOOL CHeadGridWnd::OnGridKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if ((nChar == VK_BACK || nChar == VK_DELETE) && m_kind.pRemoveMode != nullptr && m_pView != nullptr &&
        m_pView->GetGridState().*m_kind.pRemoveMode)
    {
        RemoveSelection();
        return TRUE;
    }
    return CGRGridWnd::OnGridKeyDown(nChar, nRepCnt, nFlags);
}

void CHeadGridWnd::SetCharSet(int nCharSet)
{
    GRGetAppState()->m_bUseStyleCharSet = TRUE;
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    LOGFONT lf = {};
    lstrcpynA(lf.lfFaceName, metrics.lfMessageFont.lfFaceName, LF_FACESIZE);
    lf.lfCharSet = (BYTE)nCharSet;
    CGRFont font(lf);
    font.SetSize(8.0);
    CGRStyle style;
    style.SetFont(font);
    ChangeStandardStyle(style, grOverride, GR_INVALIDATE);
}

void CHeadGridWnd::SetTitles(const UINT (&ids)[4])
{
    for (ROWCOL c = 1; c <= 4; c++)
    {
        CString title;
        title.LoadString(ids[c - 1]);
        WriteCell(0, c, title);
    }
}

void CHeadGridWnd::WriteCell(ROWCOL nRow, ROWCOL nCol, const CString& text)
{
    CGRGridParam* pParam = Param();
    pParam->SetLockReadOnly(FALSE);
    SetValueRange(CGRRange(nRow, nCol), text, grOverride, grNoUndo, GR_INVALIDATE);
    pParam->SetLockReadOnly(TRUE);
}

void CHeadGridWnd::ClearGrid()
{
    m_bFilling = TRUE;
    CGRGridParam* pParam = Param();
    pParam->SetLockReadOnly(FALSE);
    ROWCOL nRows = GetRowCount();
    if (nRows >= 1)
        ClearCells(CGRRange(1, 1, nRows, GetColCount()), FALSE, 0);
    pParam->SetLockReadOnly(TRUE);
    SetRowCount(1, GR_INVALIDATE);
    m_keys.clear();
    m_nShownKey = -1;
    m_bFilling = FALSE;
}

BOOL CHeadGridWnd::ReadRows(long nKey, const std::function<std::vector<SideGridRow>(CDatabase*)>& read,
                            std::vector<SideGridRow>& rows)
{
    CDatabase* pDb = m_pView ? m_pView->GetDatabase() : nullptr;
    if (pDb != nullptr && nKey >= 0 && RunReported([&] { rows = read(pDb); }))
    {
        m_nShownKey = nKey;
        return TRUE;
    }
    ClearGrid();
    m_nShownKey = nKey;
    return FALSE;
}

int CHeadGridWnd::ShowRows(const std::vector<SideGridRow>& rows, UINT nDeletedId,
                           const std::function<void(const SideGridRow&, CString (&)[4])>& cellsOf)
{
    m_bFilling = TRUE;
    BOOL bLock = LockUpdate(TRUE);
    CGRGridParam* pParam = Param();
    pParam->SetLockReadOnly(FALSE);
    // The rows and the empty row after them, made at once.
    ROWCOL nOld = GetRowCount();
    if (nOld >= 1)
        ClearCells(CGRRange(1, 1, nOld, GetColCount()), FALSE, 0);
    SetRowCount((ROWCOL)rows.size() + 1, 0);
    m_keys.clear();
    CString deleted;
    deleted.LoadString(nDeletedId);
    int nMissing = 0;
    ROWCOL nRow = 1;
    for (const SideGridRow& row : rows)
    {
        CString cells[4];
        if (row.bExists)
        {
            cellsOf(row, cells);
        }
        else
        {
            cells[0] = deleted;
            nMissing++;
        }
        for (ROWCOL c = 1; c <= 4; c++)
            SetValueRange(CGRRange(nRow, c), cells[c - 1], grOverride, grNoUndo, 0);
        m_keys.push_back(row.nKey);
        nRow++;
    }
    pParam->SetLockReadOnly(TRUE);
    LockUpdate(bLock);
    Redraw(GR_INVALIDATE);
    m_bFilling = FALSE;
    return nMissing;
}

BOOL CHeadGridWnd::IsDataRow(ROWCOL nRow)
{
    return nRow >= 1 && nRow < GetRowCount() && nRow <= (ROWCOL)m_keys.size();
}

long CHeadGridWnd::GetRowKey(ROWCOL nRow)
{
    return IsDataRow(nRow) ? m_keys[nRow - 1] : -1;
}

long CHeadGridWnd::GetCurrentKey()
{
    ROWCOL row = 0, col = 0;
    if (!GetCurrentCell(row, col))
        return -1;
    return GetRowKey(row);
}

void CHeadGridWnd::EditItem(long nKey)
{
    if (!m_pView || nKey < 0)
        return;
    if (m_pView->GetGridState().bAssemblyMode)
        m_pView->AddToAssembly(nKey);
    else
        m_pView->EditComponentByKey(nKey);
}

void CHeadGridWnd::SetColumnWidths()
{
    if (!m_bInitialised)
        return;
    const int others = kRowHeaderWidth + 2 * kCodeWidth + m_kind.nUsageWidth + 1;
    SetColWidth(0, 0, kRowHeaderWidth, nullptr, GR_INVALIDATE);
    SetColWidth(1, 1, std::max(GetGridRect().Width() - others, kMinNameWidth), nullptr, GR_INVALIDATE);
    SetColWidth(2, 3, kCodeWidth, nullptr, GR_INVALIDATE);
    if (m_kind.nUsageWidth > 0)
        SetColWidth(4, 4, m_kind.nUsageWidth, nullptr, GR_INVALIDATE);
}

void CHeadGridWnd::OnSize(UINT nType, int cx, int cy)
{
    CGRGridWnd::OnSize(nType, cx, cy);
    SetColumnWidths();
}

void CHeadGridWnd::ShowMissingMessage(int nMissing, UINT nOneId, UINT nManyId)
{
    if (nMissing == 0 || (m_pView && (m_pView->GetOptions() & GRID_OPTION_QUIET_SIDE_GRIDS)))
        return;
    CString message;
    if (nMissing == 1)
        message.LoadString(nOneId);
    else
        message.Format(nManyId, nMissing);
    GridMessageBox(message, MB_OK);
}

void CHeadGridWnd::OnMovedCurrentCell(ROWCOL nRow, ROWCOL nCol)
{
    if (!IsSelectingCells())
        SetSelection(nullptr);
    CGRGridWnd::OnMovedCurrentCell(nRow, nCol);
    // The component the user moved to shows in the curve-fit bar.
    if (!m_bFilling && m_pView && IsDataRow(nRow))
        m_pView->ShowComponentInCurveFit(GetRowKey(nRow));
}

BOOL CHeadGridWnd::OnLButtonClickedRowCol(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint pt)
{
    if (nCol == 0 && nRow >= 1)
        SetCurrentCell(nRow, 1, GR_SCROLLINVIEW | GR_UPDATENOW);
    return CGRGridWnd::OnLButtonClickedRowCol(nRow, nCol, nFlags, pt);
}

BOOL CHeadGridWnd::OnLButtonDblClkRowCol(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint pt)
{
    if (IsDataRow(nRow))
        EditItem(GetRowKey(nRow));
    return CGRGridWnd::OnLButtonDblClkRowCol(nRow, nCol, nFlags, pt);
}

void CHeadGridWnd::OnFindNext(LPCTSTR lpszFind, BOOL bNext, BOOL bCase)
{
    CGRGridWnd::OnFindNext(lpszFind, bNext, bCase);
    if (CGridFrame* pFrame = m_pView ? m_pView->GetGridFrame() : nullptr)
        pFrame->AddFindText(lpszFind);
}

/////////////////////////////////////////////////////////////////////////////
// CAssemWnd

CAssemWnd::CAssemWnd(CGridView* pView) : CHeadGridWnd(pView, kAssemblyItems)
{
}

void CAssemWnd::ClearGrid()
{
    CHeadGridWnd::ClearGrid();
    m_quantities.clear();
}

void CAssemWnd::Refresh(CRecordset* pRecord)
{
    long nKey = ComponentKeyOf(pRecord);
    if (nKey < 0)
    {
        ClearGrid();
        return;
    }
    FillGrid(nKey);
}

CString CAssemWnd::QuantityText(const SideGridRow& row)
{
    float fQuantity = row.fQuantity;
    OZU_DisplaySettings* pSettings = OZU_DisplaySettings::Current();
    if (row.bExists && IsLengthItem(row.nDatabaseNumber) && pSettings && pSettings->GetUnitSettings())
    {
        OZU_LengthUnit unit;
        pSettings->GetUnitSettings()->GetLengthUnit(unit);
        OZU_LengthValue length;
        length.SetValue(row.fQuantity, LENGTH_M);
        fQuantity = (float)length.GetValueIn(unit.GetUnit());
    }
    return FloatText(fQuantity);
}

void CAssemWnd::FillGrid(long nAssemblyKey)
{
    std::vector<SideGridRow> rows;
    if (!ReadRows(nAssemblyKey, [nAssemblyKey](CDatabase* pDb) { return ReadAssemblyItems(pDb, nAssemblyKey); }, rows))
        return;
    m_quantities.clear();
    for (const SideGridRow& row : rows)
        m_quantities.push_back(row.fQuantity);
    int nMissing = ShowRows(rows, IDS_SIDE_ITEM_DELETED, [](const SideGridRow& row, CString(&cells)[4]) {
        cells[0] = row.strDescription;
        cells[1] = row.strWarehouseCode;
        cells[2] = QuantityText(row);
        cells[3] = row.strUsage;
    });
    ShowMissingMessage(nMissing, IDS_SIDE_ONE_MISSING_ITEM, IDS_SIDE_MISSING_ITEMS);
}

void CAssemWnd::RemoveSelectedItems()
{
    std::vector<ROWCOL> rows = SelectedDataRows(*this);
    CDatabase* pDb = m_pView ? m_pView->GetDatabase() : nullptr;
    if (rows.empty() || !pDb)
        return;
    const long nAssemblyKey = m_pView->GetGridState().nAssemblyKey;
    for (ROWCOL row : rows)
    {
        long nItemKey = GetRowKey(row);
        float fQuantity = m_quantities[row - 1];
        RunReported([&] { RemoveAssemblyItem(pDb, nAssemblyKey, nItemKey, fQuantity); });
    }
    FillGrid(nAssemblyKey);
}

void CAssemWnd::RemoveSelection()
{
    RemoveSelectedItems();
}

BOOL CAssemWnd::CopyAssemblyItems(long nFromKey, long nToKey)
{
    return CopyRows(m_pView, kvgrid::CopyAssemblyRows, nFromKey, nToKey);
}

/////////////////////////////////////////////////////////////////////////////
// CNozzleWnd

CNozzleWnd::CNozzleWnd(CGridView* pView) : CHeadGridWnd(pView, kOutletNozzles)
{
}

void CNozzleWnd::FillNozzles(long nEmitterKey)
{
    std::vector<SideGridRow> rows;
    if (!ReadRows(nEmitterKey, [nEmitterKey](CDatabase* pDb) { return ReadOutletNozzles(pDb, nEmitterKey); }, rows))
        return;
    int nMissing = ShowRows(rows, IDS_SIDE_NOZZLE_DELETED, ComponentCells);
    // While nozzles are being given to the outlet the user sees them go.
    if (!(m_pView && m_pView->GetGridState().bNozzleMode))
        ShowMissingMessage(nMissing, IDS_SIDE_ONE_MISSING_NOZZLE, IDS_SIDE_MISSING_NOZZLES);
}

void CNozzleWnd::RemoveSelectedNozzles(long nEmitterKey)
{
    std::vector<ROWCOL> rows = SelectedDataRows(*this);
    CDatabase* pDb = m_pView ? m_pView->GetDatabase() : nullptr;
    if (rows.empty() || !pDb || nEmitterKey < 0)
        return;
    for (ROWCOL row : rows)
    {
        long nNozzleKey = GetRowKey(row);
        RunReported([&] { RemoveNozzleLinks(pDb, nEmitterKey, nNozzleKey); });
    }
    FillNozzles(nEmitterKey);
    RunReported([&] { ClearNozzleFlagWhenNone(pDb, nEmitterKey); });
}

void CNozzleWnd::RemoveSelection()
{
    m_pView->OnRemoveNozzle();
}

BOOL CNozzleWnd::CopyNozzles(long nFromKey, long nToKey)
{
    return CopyRows(m_pView, kvgrid::CopyNozzleRows, nFromKey, nToKey);
}

/////////////////////////////////////////////////////////////////////////////
// COutletWnd

COutletWnd::COutletWnd(CGridView* pView) : CHeadGridWnd(pView, kNozzleOutlets)
{
}

void COutletWnd::FillOutlets(long nNozzleKey)
{
    std::vector<SideGridRow> rows;
    CString sort = m_pView ? m_pView->GetTableSortOrder(TABLE_NOZZLE) : CString();
    if (!ReadRows(nNozzleKey, [nNozzleKey, sort](CDatabase* pDb) { return ReadNozzleOutlets(pDb, nNozzleKey, sort); },
                  rows))
        return;
    ShowRows(rows, IDS_SIDE_NOZZLE_DELETED, ComponentCells);
}

/////////////////////////////////////////////////////////////////////////////

long ComponentKeyOf(CRecordset* pRecordset)
{
    if (!pRecordset || !pRecordset->IsOpen() || pRecordset->IsEOF() || pRecordset->IsBOF() ||
        pRecordset->IsDeleted())
        return -1;
    if (auto* p = dynamic_cast<CRecords*>(pRecordset))
        return p->m_nComponentKey;
    if (auto* p = dynamic_cast<CTapeRecords*>(pRecordset))
        return p->m_nComponentKey;
    return -1;
}
