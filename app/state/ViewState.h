// The working state of a database's main view, without its windows: the tab
// shown, the mode the view is in (normal, an assembly being built or edited,
// the nozzles of an outlet being edited) with the editor that may be open in
// any of them, and the rule that says which component commands each state
// allows. The view, its child frame and the main frame ask this state; the
// view changes it only through the steps below, which refuse a switch the
// state does not allow.
#pragma once

#include "platform/framework/base/String.h"

// The component commands whose enabling the state decides.
enum class ViewCommand
{
    addComponent,
    editComponent,
    deleteComponent,
    newAssembly,
    editAssembly,
    addToAssembly,
    removeFromAssembly,
    finishAssembly,
    editNozzles,
    addNozzle,
    removeNozzle,
};
constexpr int ViewCommandCount = 11;

// What the main grid is on, as far as the commands ask.
struct CGridRow
{
    BOOL bHasRecord = FALSE;    // a component record
    BOOL bOnAppendRow = FALSE;  // the empty row for a new component (or no current cell)
    long nFlags = 0;            // [Flags] of the record
    CString strItemType;        // [Item Type] of the record
};

enum class ViewMode
{
    normal,
    assembly,  // an assembly is being built or edited
    nozzles,   // the nozzles of an outlet are being edited
};

class CViewState
{
public:
    /////////////////////////////////////////////////////////////////////////
    // Tabs

    int GetCurrentTab() const { return m_nCurrentTab; }
    void SetCurrentTab(int nTab) { m_nCurrentTab = nTab; }
    // FALSE while the nozzles of an outlet are edited on the Nozzles tab:
    // that tab cannot be left until the editing ends.
    BOOL CanLeaveTab() const;
    // Whether the Query tab shows: with its option, and not while an
    // assembly is being built.
    BOOL ShowsQueryTab(BOOL bOption) const { return bOption && m_mode != ViewMode::assembly; }
    // The tab an assembly was started on (-1 outside assembly mode).
    int GetAssemblyTab() const { return m_nAssemblyTab; }
    // The database lacks a table or column the program needs (the user's
    // query removed it): only the Query tab, where it may be put back, can
    // be shown; the component tabs would fail on every step.
    BOOL IsSchemaLost() const { return m_bSchemaLost; }
    void SetSchemaLost(BOOL bLost) { m_bSchemaLost = bLost; }
    BOOL CanShowTab(int nTab) const;

    /////////////////////////////////////////////////////////////////////////
    // Modes

    ViewMode GetMode() const { return m_mode; }
    BOOL IsAssemblyMode() const { return m_mode == ViewMode::assembly; }
    BOOL IsNozzleMode() const { return m_mode == ViewMode::nozzles; }
    // A component editor is open (in any mode); the tab of the component it
    // edits, -1 for one opened by key (from a side grid) or when none.
    BOOL IsEditorOpen() const { return m_bEditorOpen; }
    int GetEditedTab() const { return m_nEditedTab; }
    // The modal line-type popup of a grid cell is running: the frames keep
    // their captions active meanwhile.
    BOOL IsPopupOpen() const { return m_bPopupOpen; }
    void SetPopupOpen(BOOL bOpen) { m_bPopupOpen = bOpen; }

    /////////////////////////////////////////////////////////////////////////
    // Commands

    // Whether a command may run now, the main grid on that row. With an
    // editor open none may; while an assembly is built only Add To, Remove
    // From and Finish Assembly; while nozzles are edited Edit Nozzles (to
    // finish), and on the Nozzles tab Add and Remove Nozzle; otherwise what
    // the tab and the row allow.
    BOOL IsEnabled(ViewCommand command, const CGridRow& row) const;
    // The switch of mode a command makes when it goes through: New Assembly
    // and Edit Assembly start assembly mode on the current tab, Finish
    // Assembly ends it, Edit Nozzles starts or ends nozzle mode. FALSE, and
    // nothing changes, when the command is not enabled; TRUE for an enabled
    // command that switches nothing.
    BOOL Apply(ViewCommand command, const CGridRow& row);
    // Leaves assembly mode however it ends (finished, emptied, the new
    // assembly given up); returns the tab it was started on (-1 when the
    // view was not in assembly mode).
    int EndAssembly();

    // An editor opens on the component of a tab (-1: found by key); FALSE
    // when one is open already.
    BOOL OpenEditor(int nEditedTab);
    // The edit of the editor is over (stored, or given up): the editor may
    // stay open, but edits no row of a tab any more.
    void EndEditedTab() { m_nEditedTab = -1; }
    // The editor has gone.
    void CloseEditor();

    // The view lets go of its grids: back to normal mode (an open editor is
    // closed by the view before).
    void Reset();

private:
    int m_nCurrentTab = 0;
    ViewMode m_mode = ViewMode::normal;
    int m_nAssemblyTab = -1;
    BOOL m_bEditorOpen = FALSE;
    int m_nEditedTab = -1;
    BOOL m_bPopupOpen = FALSE;
    BOOL m_bSchemaLost = FALSE;
};

// The curve type the curve-fit bar offers for a tab (1 to 6); 0 for a tab
// that names none.
int CurveTypeOfTab(int nTab);
// The curve type the frames preset when a database window is activated or
// the curve-fit bar is shown: that of CurveTypeOfTab, but none for Outlets
// (whose curve only a change of tab presets).
int FrameCurveTypeOfTab(int nTab);
// Whether an assembly can be made on a tab (the hydraulic fittings, pumps,
// outlets and their connections, and the electric and miscellaneous items).
BOOL IsAssemblyTab(int nTab);
