// The main view of a component-database document: the main grid on the
// table of the selected tab, with the side grids below it. Here are the
// view's services the grids call (CGridView): the database, the nominal
// diameter conversion, the text widths of the Components columns, the state
// the view shares with its grids, and the commands and pickers a click or
// double click on the grid starts; and the kind of a new component of a tab.
#pragma once

#include "platform/framework/Framework.h"
#include "grids/window/GridView.h"
#include "platform/grid/GRGridWnd.h"

class CKelvaronDoc;
class CGridWindow;

class CKelvaronView : public CFormView, public CGridView
{
    DECLARE_DYNCREATE(CKelvaronView)
public:
    enum { IDD = 208 };

    CKelvaronView();
    ~CKelvaronView() override;

    CKelvaronDoc* GetDocument() const;
    // The document's open connection; null without one.
    CDatabase* GetDatabase() const override;

    // A diameter converted into a length unit through the document's
    // nominal-size table (the table's counterpart, else the plain
    // conversion); without a document the result is left as given, so a new
    // (not valid) value stays not valid.
    OZU_DiameterValue& ConvertNominal(OZU_DiameterValue& result, const OZU_DiameterValue& diameter,
                                      int nUnit) override;

    // The [Database Number] and [Flags] of a new component of a tab: Tape
    // gives 1 and 2; Outlet keeps a [Flags] value of 4 and clears any other;
    // Query and any other tab give 0 and 0; every other tab its number and 0.
    static void TabToComponentType(int nTab, BYTE& nDatabaseNumber, long& nFlags);

    // Reads the text widths of Components columns 6 to 13, 33 and 34 from
    // the database.
    void ReadFieldLengths();
    // The text width of a 1-based Components column; 0 for other columns.
    int GetFieldLength(int nColumn) const override;
    // TRUE while the application object is starting up.
    BOOL IsStartingUp() const override;
    // The application's option word (0 without the application object).
    DWORD GetOptions() const override;
    CGridState& GetGridState() override { return m_gridState; }

    CGridWindow* GetGrid() const { return m_pGrid; }
    // A grid made by somebody else, who keeps it (the view deletes only the
    // grid it makes itself).
    void SetGrid(CGridWindow* pGrid)
    {
        m_pGrid = pGrid;
        m_bOwnsGrid = FALSE;
    }

    // The main grid's part of a tab change: remembers the row of the table
    // left, shows the new table, opens its recordset, fits the columns and
    // returns to the row remembered for it (column 6).
    void SwitchGridTable(int nTab);

    // Commands the grid's double click starts.
    void OnAddComponent() override;
    void OnEditComponent() override;
    void OnAddToAssembly() override;
    void OnAddNozzle() override;
    // Adds a component (-1: the main grid's current row) to the assembly
    // being built.
    virtual void AddToAssembly(long nKey);
    // The pickers of a colour cell and of a line-type cell (screen rectangle
    // of the cell, its value, and its row).
    void ShowColourPopup(const CRect& rect, long nColour) override;
    void ShowLineTypePopup(const CRect& rect, long nLineType, long nRow) override;

    void OnDraw(CDC* pDC) override;
    // Once the document has its database: the main grid on the first table
    // (Pipes) in the record-information window that fills the view; the
    // database window is maximised or sized as the options say.
    void OnInitialUpdate() override;

    // After a change of display units: the grid's column titles name the new
    // units, and the current table is shown again in them.
    void OnUnitsChanged();

    int m_nCurrentTab = 0;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    // Deletes the main grid and its record-information window.
    void ReleaseGrids();

    CGridState m_gridState;
    CGridWindow* m_pGrid = nullptr;
    BOOL m_bOwnsGrid = FALSE;
    CGRRecordInfoWnd m_recordInfo;
    int m_nFieldLengths[10] = {};

    DECLARE_MESSAGE_MAP()
};
