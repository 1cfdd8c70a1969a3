// CGridWindow: building assemblies from the components clicked, and giving
// an outlet the nozzles clicked.
#include "grids/window/GridWindow.h"
#include "database/records/DatabaseChangeNotice.h"
#include "pickers/controls/NumLenDialog.h"
#include "grids/core/ComponentStore.h"
#include "grids/window/GridsWindowRes.h"
#include "grids/window/SideGrids.h"
#include "units/OZU_DisplaySettings.h"

using namespace kvgrid;

void CGridWindow::SetAssemblyMode(BOOL bAssemblyMode)
{
    State().bAssemblyMode = bAssemblyMode;
    SetReadOnly(bAssemblyMode);
}

BOOL CGridWindow::AskItemQuantity(BOOL bLength, const CString& description, float& fQuantity)
{
    OZU_DisplaySettings* pSettings = OZU_DisplaySettings::Current();
    CNumLenDialog dialog(bLength, description, fQuantity, pSettings ? pSettings->GetUnitSettings() : nullptr,
                         GridWnd());
    if (dialog.DoModal() != IDOK)
        return FALSE;
    fQuantity = dialog.GetQuantity();
    return TRUE;
}

void CGridWindow::AddToAssembly(long nKey)
{
    CDatabase* pDb = Database();
    const long nAssemblyKey = State().nAssemblyKey;
    if (!pDb || nAssemblyKey <= 0)
        return;
    long nItemKey = nKey;
    if (nKey == -1)
    {
        // The current row's component; nothing on the append row.
        ROWCOL row = 0, col = 0;
        if (!GetCurrentCell(row, col) || !IsRecordRow(row))
            return;
        nItemKey = GetCurrentKey();
        if (nItemKey < 0)
            return;
    }
    // An assembly cannot hold itself.
    if (nItemKey == nAssemblyKey)
        return;
    try
    {
        ComponentFields item;
        if (!ReadComponent(pDb, nItemKey, item) || item.m_nDatabaseNumber == DBNUM_NOZZLE)
            return;
        CString description = item.m_strDescription;
        description.Trim();
        // Nor can it hold, through one of its items, an assembly that holds it.
        if (AssemblyContains(pDb, nItemKey, nAssemblyKey))
        {
            CString message;
            message.Format(IDS_ASSEMBLY_IN_ITSELF, (LPCTSTR)description);
            GridMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        // One kind of emitter per assembly: another emitter refuses this one
        // (an emitter already there may still have its quantity changed).
        if (item.m_nDatabaseNumber == DBNUM_OUTLET)
        {
            int nEmitters = CountAssemblyEmitters(pDb, nAssemblyKey, nItemKey);
            if (nEmitters != 0)
            {
                CString message;
                if (nEmitters == 1)
                    message.LoadString(IDS_ONE_EMITTER_PER_ASSEMBLY);
                else
                    message.Format(IDS_EMITTERS_IN_ASSEMBLY, nEmitters, nEmitters - 1);
                GridMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
                return;
            }
        }
        // Pipes, tapes and wires are taken by length, everything else by count.
        float fQuantity = 1.0f;
        FindAssemblyItem(pDb, nAssemblyKey, nItemKey, fQuantity);
        BOOL bLength = item.m_nDatabaseNumber == DBNUM_PIPE || item.m_nDatabaseNumber == DBNUM_WIRE;
        if (!AskItemQuantity(bLength, description, fQuantity))
            return;
        StoreAssemblyItem(pDb, nAssemblyKey, nItemKey, fQuantity);
    }
    catch (CException* e)
    {
        ReportDatabaseException(e);
        return;
    }
    AnnounceDatabaseChange();
    // The assembly takes what its items make it (an outlet assembly).
    CRecords assembly(pDb);
    assembly.MarkAssemblyFromItems(nAssemblyKey);
    if (m_pAssemWnd && assembly.OpenByKey(nAssemblyKey))
        m_pAssemWnd->Refresh(&assembly);
    assembly.CloseQuietly();
}

void CGridWindow::AddNozzleToEmitter()
{
    CDatabase* pDb = Database();
    const long nEmitterKey = State().nEmitterKey;
    ROWCOL row = 0, col = 0;
    if (!pDb || nEmitterKey <= 0 || !GetCurrentCell(row, col) || !IsRecordRow(row) || !MoveTo(row))
        return;
    CRecords* pRecord = dynamic_cast<CRecords*>(OnGetRecordset());
    if (!pRecord || pRecord->m_nDatabaseNumber != DBNUM_NOZZLE)
        return;
    try
    {
        if (!AddNozzleToOutlet(pDb, nEmitterKey, pRecord->m_nComponentKey))
            return;
    }
    catch (CException* e)
    {
        ReportDatabaseException(e);
        return;
    }
    AnnounceDatabaseChange();
    if (m_pNozzleWnd)
        m_pNozzleWnd->FillNozzles(nEmitterKey);
}
