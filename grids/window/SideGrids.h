// The side grids of the main view, below the main grid: the items of an
// assembly (CAssemWnd), the nozzles of an outlet (CNozzleWnd), the outlets
// that use a nozzle (COutletWnd), and the query pane (CQueryWnd, one of the
// pickers). The main grid refills them when its current row moves; the view
// shows them as the pages of its side tab window (CTabWnd).
//
// Every side grid is read-only and looks the same: a row header column 23
// pixels wide, four columns, data rows 1 .. N, each showing one component
// whose key the grid keeps, and one empty row after them (an empty grid has
// one row). A double click on a data row edits its component, or adds it to
// the assembly being built.
#pragma once

#include "platform/grid/GridLib.h"
#include "pickers/controls/QueryWnd.h"
#include "grids/core/ComponentStore.h"

#include <functional>
#include <vector>

class CGridView;
struct CGridState;

// What tells the side grids apart.
struct SideGridKind
{
    // The titles of columns 1 to 4.
    UINT titles[4];
    // The usage column's width; 0 hides the column.
    int nUsageWidth;
    // The view's mode (a flag of its grid state) in which Backspace and
    // Delete remove the selected rows (RemoveSelection); null when the keys
    // are always the grid's own.
    BOOL CGridState::*pRemoveMode;
};

// The base of the read-only side grids: one key per data row.
class CHeadGridWnd : public CGRGridWnd
{
    DECLARE_DYNAMIC(CHeadGridWnd)
public:
    CHeadGridWnd(CGridView* pView, const SideGridKind& kind);
    ~CHeadGridWnd() override;

    // Empties the grid: the one empty row and no keys.
    virtual void ClearGrid();
    // The standard style's font: the system's message font, 8 points, in
    // the character set given.
    virtual void SetCharSet(int nCharSet);
    // Column widths (once the grid is set up): the row headers 23 pixels,
    // the codes 200 each, the usage its own width (none when hidden), and
    // the name what is left of the grid's width.
    void SetColumnWidths();

    // The key of the current cell's row; -1 when there is no current cell
    // or it is not on a data row.
    long GetCurrentKey();
    // The key of a data row; -1 for any other row.
    long GetRowKey(ROWCOL nRow);
    // Rows 1 .. N of the N keys.
    BOOL IsDataRow(ROWCOL nRow);
    int GetKeyCount() const { return (int)m_keys.size(); }
    // The key of the component whose related rows the grid shows; -1 none.
    long GetShownKey() const { return m_nShownKey; }
    // While the view builds an assembly the component joins it; otherwise
    // its editor opens.
    void EditItem(long nKey);

    // Grid side. The initial update gives the grid its look, its titles,
    // its font's character set and its column widths.
    void OnGridInitialUpdate() override;
    BOOL OnGridKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnFindNext(LPCTSTR lpszFind, BOOL bNext, BOOL bCase) override;
    void OnMovedCurrentCell(ROWCOL nRow, ROWCOL nCol) override;
    BOOL OnLButtonClickedRowCol(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint pt) override;
    BOOL OnLButtonDblClkRowCol(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint pt) override;

    // The setting "AppSettings\Misc\CharSet" (0 when it is missing).
    static int ReadCharSetSetting();

protected:
    // Writes the titles of columns 1 to 4 into the header row.
    void SetTitles(const UINT (&ids)[4]);
    // What Backspace and Delete do in the kind's remove mode.
    virtual void RemoveSelection() {}
    // Reads the rows of the component of a key; without a database or a
    // key, or when the reading fails (the user has been told why), the grid
    // is emptied and the result is FALSE.
    BOOL ReadRows(long nKey, const std::function<std::vector<kvgrid::SideGridRow>(CDatabase*)>& read,
                  std::vector<kvgrid::SideGridRow>& rows);
    // Shows rows of components in place of the rows shown: a component that exists by its texts
    // (cellsOf), one that is gone by the text nDeletedId in column 1.
    // Returns the number of rows of components that are gone.
    int ShowRows(const std::vector<kvgrid::SideGridRow>& rows, UINT nDeletedId,
                 const std::function<void(const kvgrid::SideGridRow&, CString (&)[4])>& cellsOf);
    // Cells are written between an unlock and a lock of the read-only lock.
    void WriteCell(ROWCOL nRow, ROWCOL nCol, const CString& text);
    // A message for the user (OK); not shown with the option that keeps the
    // side grids quiet.
    void ShowMissingMessage(int nMissing, UINT nOneId, UINT nManyId);

    // The grid never opens a cell's control.
    afx_msg LRESULT IgnoreMessage(WPARAM wParam, LPARAM lParam);
    // The widths follow the grid's size.
    afx_msg void OnSize(UINT nType, int cx, int cy);

    CGridView* m_pView;
    const SideGridKind& m_kind;
    BOOL m_bInitialised = FALSE;
    std::vector<long> m_keys;
    long m_nShownKey = -1;
    // Set while the grid fills itself: its own moves are not the user's.
    BOOL m_bFilling = FALSE;

    DECLARE_MESSAGE_MAP()
};

// The items of the assembly of the main grid's current record: name,
// warehouse code, quantity (a length of a pipe, tape or wire in the user's
// length unit, a count otherwise) and usage.
class CAssemWnd : public CHeadGridWnd
{
    DECLARE_DYNAMIC(CAssemWnd)
public:
    explicit CAssemWnd(CGridView* pView = nullptr);

    // Shows the items of the record's component (the recordset's current
    // record); an empty grid for a record that is not a component.
    virtual void Refresh(CRecordset* pRecord);
    // Shows the items of an assembly.
    void FillGrid(long nAssemblyKey);
    // Removes the selected item rows from the assembly being built; the
    // grid shows it again afterwards.
    void RemoveSelectedItems();
    // Gives another key the Assemblies rows of an assembly (all or none);
    // FALSE when a failure stopped it.
    BOOL CopyAssemblyItems(long nFromKey, long nToKey);

    // The quantity an item row shows (stored in metres for a length).
    static CString QuantityText(const kvgrid::SideGridRow& row);

    void ClearGrid() override;

protected:
    // Removes the selected items while an assembly is built.
    void RemoveSelection() override;

    // The stored quantity of each data row, which tells apart two rows of
    // one item.
    std::vector<float> m_quantities;
};

// The nozzles an outlet can carry: name, warehouse code, supplier code (and
// the usage, hidden).
class CNozzleWnd : public CHeadGridWnd
{
    DECLARE_DYNAMIC(CNozzleWnd)
public:
    explicit CNozzleWnd(CGridView* pView = nullptr);

    virtual void FillNozzles(long nEmitterKey);
    // Removes the selected nozzles from an outlet; an outlet left with no
    // nozzle loses the has-nozzles bit of its [Flags].
    void RemoveSelectedNozzles(long nEmitterKey);
    // Gives another key the Nozzles rows of an outlet (all or none); FALSE
    // when a failure stopped it.
    BOOL CopyNozzles(long nFromKey, long nToKey);

protected:
    // The view's Remove Nozzle while nozzles are being assigned.
    void RemoveSelection() override;
};

// The outlets that use a nozzle: name, warehouse code, supplier code, usage.
class COutletWnd : public CHeadGridWnd
{
    DECLARE_DYNAMIC(COutletWnd)
public:
    explicit COutletWnd(CGridView* pView = nullptr);

    virtual void FillOutlets(long nNozzleKey);
};


// The [Component Key] of a recordset's current record when it holds a
// component (the Components recordset or the tape join); -1 otherwise.
long ComponentKeyOf(CRecordset* pRecordset);
