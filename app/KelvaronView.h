// The main view of a component-database document: the main grid on the
// table of the selected tab, with the side grids below it. Here are the
// view's services the grids call: the database, the nominal diameter
// conversion, the kind of a new component of a tab, the text widths of the
// Components columns, the view's mode flags, and the commands and pickers a
// click or double click on the grid starts.
#pragma once

#include "platform/framework/Framework.h"
#include "database/odbc/OZU_DB_RS.h"
#include "units/OZU_Value.h"

class CKelvaronDoc;
class CGridWindow;

class CKelvaronView : public CFormView
{
    DECLARE_DYNCREATE(CKelvaronView)
public:
    enum { IDD = 208 };

    CKelvaronView();
    ~CKelvaronView() override;

    CKelvaronDoc* GetDocument() const;
    // The document's open connection; null without one.
    CDatabase* GetDatabase() const;

    // A diameter converted into a length unit through the document's
    // nominal-size table (the table's counterpart, else the plain
    // conversion); without a document the result is left as given, so a new
    // (not valid) value stays not valid.
    OZU_DiameterValue& ConvertNominal(OZU_DiameterValue& result, const OZU_DiameterValue& diameter, int nUnit);

    // The [Database Number] and [Flags] of a new component of a tab: Tape
    // gives 1 and 2; Outlet keeps a [Flags] value of 4 and clears any other;
    // Query and any other tab give 0 and 0; every other tab its number and 0.
    static void TabToComponentType(int nTab, BYTE& nDatabaseNumber, long& nFlags);

    // Reads the text widths of Components columns 6 to 13, 33 and 34 from
    // the database.
    void ReadFieldLengths();
    // The text width of a 1-based Components column; 0 for other columns.
    int GetFieldLength(int nColumn) const;

    CGridWindow* GetGrid() const { return m_pGrid; }
    void SetGrid(CGridWindow* pGrid) { m_pGrid = pGrid; }

    // The main grid's part of a tab change: remembers the row of the table
    // left, shows the new table, opens its recordset, fits the columns and
    // returns to the row remembered for it (column 6).
    void SwitchGridTable(int nTab);

    // Commands the grid's double click starts.
    virtual void OnAddComponent();
    virtual void OnEditComponent();
    virtual void OnAddToAssembly();
    virtual void OnAddNozzle();
    // Adds a component (-1: the main grid's current row) to the assembly
    // being built.
    virtual void AddToAssembly(long nKey);
    // The pickers of a colour cell and of a line-type cell (screen rectangle
    // of the cell, its value, and its row).
    virtual void ShowColourPopup(const CRect& rect, long nColour);
    virtual void ShowLineTypePopup(const CRect& rect, long nLineType, long nRow);

    void OnDraw(CDC* pDC) override;

    // Flags the grids read and set.
    BOOL m_bAssemblyMode = FALSE;    // an assembly is being built or edited
    BOOL m_bNozzleMode = FALSE;      // the nozzles of an outlet are being edited
    int m_nAssemblyTab = -1;         // the tab the assembly was started on
    BOOL m_bColumnMenu = FALSE;      // the last right click was on the grid's header row
    int m_nCurrentTab = 0;

protected:
    CGridWindow* m_pGrid = nullptr;
    int m_nFieldLengths[10] = {};

    DECLARE_MESSAGE_MAP()
};
