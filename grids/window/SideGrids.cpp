#include "grids/window/SideGrids.h"
#include "database/records/ComponentRecords.h"
#include "database/records/TapeRecords.h"
#include "grids/core/ComponentStore.h"
#include "grids/window/GridView.h"

IMPLEMENT_DYNAMIC(CHeadGridWnd, CGRGridWnd)
IMPLEMENT_DYNAMIC(CAssemWnd, CHeadGridWnd)
IMPLEMENT_DYNAMIC(CNozzleWnd, CHeadGridWnd)
IMPLEMENT_DYNAMIC(COutletWnd, CHeadGridWnd)

BEGIN_MESSAGE_MAP(CHeadGridWnd, CGRGridWnd)
END_MESSAGE_MAP()

CHeadGridWnd::CHeadGridWnd(CGridView* pView) : m_pView(pView)
{
}

CHeadGridWnd::~CHeadGridWnd() = default;

void CHeadGridWnd::ClearGrid()
{
    m_keys.clear();
    m_nShownKey = -1;
    SetRowCount(1, GR_INVALIDATE);
}

void CAssemWnd::Refresh(CRecordset* pRecord)
{
    ClearGrid();
    m_nShownKey = ComponentKeyOf(pRecord);
}

void CNozzleWnd::FillNozzles(long nEmitterKey)
{
    ClearGrid();
    m_nShownKey = nEmitterKey;
}

namespace {
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
} // namespace

BOOL CAssemWnd::CopyAssemblyItems(long nFromKey, long nToKey)
{
    return CopyRows(m_pView, kvgrid::CopyAssemblyRows, nFromKey, nToKey);
}

BOOL CNozzleWnd::CopyNozzles(long nFromKey, long nToKey)
{
    return CopyRows(m_pView, kvgrid::CopyNozzleRows, nFromKey, nToKey);
}

void COutletWnd::FillOutlets(long nNozzleKey)
{
    ClearGrid();
    m_nShownKey = nNozzleKey;
}

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
