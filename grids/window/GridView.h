// What the component grid and the side grids need of the view they sit in,
// and the state of the work on that view which the view, its grids, the
// editor dialogs and the main frame share.
//
// The main view implements CGridView and hands itself to the grids it
// creates; it owns the CGridState (one per view), which the others reach
// through it (GetGridState), so every flag has one place and one name.
#pragma once

#include "platform/framework/Framework.h"
#include "database/odbc/OZU_DB_RS.h"
#include "editors/pickers/controls/PickerView.h"
#include "units/OZU_Value.h"

// The view's working state the grids read and set.
struct CGridState
{
    BOOL bAssemblyMode = FALSE;  // an assembly is being built or edited; the grid is read-only
    BOOL bNozzleMode = FALSE;    // the nozzles of an outlet are being edited
    int nAssemblyTab = -1;       // the tab the assembly was started on
    BOOL bColumnMenu = FALSE;    // the last right click was on the grid's header row
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

    // Commands the grid's double click starts.
    virtual void OnAddComponent() = 0;
    virtual void OnEditComponent() = 0;
    virtual void OnAddToAssembly() = 0;
    virtual void OnAddNozzle() = 0;
    // The pickers of a colour cell and of a line-type cell (screen rectangle
    // of the cell, its value, and its row).
    virtual void ShowColourPopup(const CRect& rect, long nColour) = 0;
    virtual void ShowLineTypePopup(const CRect& rect, long nLineType, long nRow) = 0;
};
