// What the component grid and the side grids need of the view they sit in,
// and the state of the work on that view which the view, its grids, the
// editor dialogs and the main frame share.
//
// The main view implements CGridView and hands itself to the grids it
// creates; it owns the CGridState (one per view), which the others reach
// through it (GetGridState), so every flag has one place and one name.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/odbc/OZU_DB_RS.h"
#include "pickers/controls/PickerView.h"
#include "units/OZU_Value.h"

// The view's working state that its grids, the editor dialogs and the main
// frame read and set.
struct CGridState
{
    BOOL bAssemblyMode = FALSE;  // an assembly is being built or edited; the grid is read-only
    BOOL bNozzleMode = FALSE;    // the nozzles of an outlet are being edited
    int nAssemblyTab = -1;       // the tab the assembly was started on
    BOOL bColumnMenu = FALSE;    // the last right click was on the grid's header row

    long nAssemblyKey = 0;       // [Component Key] of the assembly being built; 0 none
    long nAssemblyRow = 0;       // its row in the main grid
    long nEmitterKey = 0;        // [Component Key] of the outlet whose nozzles are edited; 0 none

    int nEditorTableType = -1;   // table type of the open editor dialog; -1 none
    long nEditedKey = -1;        // key of the component an editor opened by key; -1 none
    // FALSE while an editor adds a component: the editor then tests for a
    // component of the same description and warehouse code before it stores.
    BOOL bSkipDuplicateTest = TRUE;

    // What the next store through the main grid's row takes along from the
    // component it was made from.
    BOOL bCopyAssemblyItems = FALSE;  // its Assemblies rows
    BOOL bCopyNozzles = FALSE;        // its Nozzles rows
    BOOL bTapeExtrasReady = FALSE;    // the grid's tape extras hold its Tapes values
};

// Bits of the application's option word.
enum : DWORD
{
    GRID_OPTION_STORE_WITHOUT_ASKING = 0x1,  // a pending grid row is stored without asking
    GRID_OPTION_DELETE_WITHOUT_ASKING = 0x2, // deletes go on without the confirmation question
    GRID_OPTION_QUIET_SIDE_GRIDS = 0x4,      // no messages about missing items and nozzles
};

// What the grids need of the main frame: the find list of the toolbar's
// find box, and the component the curve-fit bar shows. The main frame
// implements it; the view says where it is (GetGridFrame).
class CGridFrame
{
public:
    virtual ~CGridFrame() = default;
    // Puts a searched text at the top of the find list.
    virtual void AddFindText(LPCTSTR lpszText) = 0;
    // The component now current (the record a grid is on: a Components
    // record or the tape join); null: none.
    virtual void NotifyComponentChanged(CRecordset* pRecord) = 0;
};

// The database the view's pickers fill from (GetDatabase) comes with
// CPickerView.
class CGridView : public CPickerView
{
public:
    ~CGridView() override = default;

    // A diameter converted into a length unit through the document's
    // nominal-size table (the table's counterpart, else the plain
    // conversion); without a document the result is left as given.
    virtual OZU_DiameterValue& ConvertNominal(OZU_DiameterValue& result, const OZU_DiameterValue& diameter,
                                              int nUnit) = 0;
    // The text width of a 1-based Components column; 0 for other columns.
    virtual int GetFieldLength(int nColumn) const = 0;
    // TRUE while the application is starting up.
    virtual BOOL IsStartingUp() const = 0;
    // The state the view shares with its grids.
    virtual CGridState& GetGridState() = 0;
    // The application's option word (GRID_OPTION_...).
    virtual DWORD GetOptions() const { return 0; }

    // Commands the grid's double click starts.
    virtual void OnAddComponent() = 0;
    virtual void OnEditComponent() = 0;
    virtual void OnAddToAssembly() = 0;
    virtual void OnAddNozzle() = 0;
    // The pickers of a colour cell and of a line-type cell (screen rectangle
    // of the cell, its value, and its row).
    virtual void ShowColourPopup(const CRect& rect, long nColour) = 0;
    virtual void ShowLineTypePopup(const CRect& rect, long nLineType, long nRow) = 0;

    // What the side grids start: a component added to the assembly being
    // built (-1: the main grid's current row), a component's editor opened
    // by its key, a component shown in the curve-fit bar, and the Remove
    // Nozzle command.
    virtual void AddToAssembly(long nKey) = 0;
    virtual void EditComponentByKey(long nKey) = 0;
    virtual void ShowComponentInCurveFit(long nKey) = 0;
    virtual void OnRemoveNozzle() = 0;
    // The main grid's sort order of a table type (the side grids list their
    // components in the order of their table); empty without a main grid.
    virtual CString GetTableSortOrder(int nTableType) = 0;
    // The main frame; null when there is none.
    virtual CGridFrame* GetGridFrame() { return nullptr; }
};
