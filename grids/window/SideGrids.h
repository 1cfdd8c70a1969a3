// The side grids of the main view, below the main grid: the items of an
// assembly (CAssemWnd), the nozzles of an outlet (CNozzleWnd), the outlets
// that use a nozzle (COutletWnd), and the query pane (CQueryWnd). The main
// grid refills them when its current row moves.
//
// Only what the main grid calls is here: each grid keeps the key of the
// component it shows and one empty row; their rows are not read yet.
#pragma once

#include "platform/grid/GridLib.h"

#include <vector>

class CGridView;

// The base of the read-only side grids: one key per data row.
class CHeadGridWnd : public CGRGridWnd
{
    DECLARE_DYNAMIC(CHeadGridWnd)
public:
    explicit CHeadGridWnd(CGridView* pView = nullptr);
    ~CHeadGridWnd() override;

    // Empties the grid: the one empty row and no keys.
    virtual void ClearGrid();
    // The key of the component the grid shows rows of; -1 none.
    long GetShownKey() const { return m_nShownKey; }

protected:
    CGridView* m_pView;
    std::vector<long> m_keys;
    long m_nShownKey = -1;

    DECLARE_MESSAGE_MAP()
};

// The items of the assembly of the main grid's current record.
class CAssemWnd : public CHeadGridWnd
{
    DECLARE_DYNAMIC(CAssemWnd)
public:
    explicit CAssemWnd(CGridView* pView = nullptr) : CHeadGridWnd(pView) {}
    // Shows the items of the record's component (the recordset's current
    // record); nothing for a record that is not a component.
    virtual void Refresh(CRecordset* pRecord);
    // Gives another key the Assemblies rows of an assembly (all or none);
    // FALSE when a failure stopped it.
    BOOL CopyAssemblyItems(long nFromKey, long nToKey);
};

// The nozzles an outlet can carry.
class CNozzleWnd : public CHeadGridWnd
{
    DECLARE_DYNAMIC(CNozzleWnd)
public:
    explicit CNozzleWnd(CGridView* pView = nullptr) : CHeadGridWnd(pView) {}
    virtual void FillNozzles(long nEmitterKey);
    // Gives another key the Nozzles rows of an outlet (all or none); FALSE
    // when a failure stopped it.
    BOOL CopyNozzles(long nFromKey, long nToKey);
};

// The outlets that use a nozzle.
class COutletWnd : public CHeadGridWnd
{
    DECLARE_DYNAMIC(COutletWnd)
public:
    explicit COutletWnd(CGridView* pView = nullptr) : CHeadGridWnd(pView) {}
    virtual void FillOutlets(long nNozzleKey);
};

// The query pane: the SQL text of the Query table.
class CQueryWnd : public CEdit
{
public:
    CQueryWnd() = default;
};

// The [Component Key] of a recordset's current record when it holds a
// component (the Components recordset or the tape join); -1 otherwise.
long ComponentKeyOf(CRecordset* pRecordset);
