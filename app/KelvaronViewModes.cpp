// CKelvaronView: the component commands and their enabling, assembly
// building, nozzle editing, the context menus, the mouse and keys the view
// looks at first, and the colour and line-type pickers of the grid's cells.
#include "app/KelvaronView.h"
#include "app/AppRes.h"
#include "app/MainFrm.h"
#include "database/records/ComponentRecords.h"
#include "pickers/controls/ColourWells.h"
#include "pickers/controls/LineStylePickers.h"
#include "grids/core/ComponentStore.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"
#include "grids/window/SideGrids.h"
#include "grids/window/TabWnd.h"

using namespace kvgrid;

namespace {

// The colours of the line that names the assembly or the outlet.
const COLORREF kAssemblyColour = RGB(255, 0, 0);
const COLORREF kNozzleColour = RGB(0, 0, 255);

// The component commands whose enabling the view's state decides.
const UINT kComponentCommands[] = {
    ID_ADD_COMPONENT,   ID_ADD_NOZZLE,    ID_ADD_TO_ASSEMBLY, ID_NEW_ASSEMBLY,         ID_DELETE_COMPONENT,
    ID_EDIT_ASSEMBLY,   ID_EDIT_COMPONENT, ID_EDIT_NOZZLES,   ID_FINISH_ASSEMBLY,      ID_REMOVE_FROM_ASSEMBLY,
    ID_REMOVE_NOZZLE,
};

bool IsComponentCommand(UINT nID)
{
    for (UINT id : kComponentCommands)
        if (id == nID)
            return true;
    return false;
}

// The popup of a menu with that name; null when there is none.
CMenu* FindPopup(CMenu& menu, LPCTSTR lpszName)
{
    for (UINT i = 0; i < menu.GetMenuItemCount(); i++) {
        CString name;
        menu.GetMenuString(i, name, MF_BYPOSITION);
        if (name == lpszName)
            return menu.GetSubMenu((int)i);
    }
    return nullptr;
}

void SetItemText(CMenu& popup, UINT nID, UINT nTextId)
{
    UINT state = popup.GetMenuState(nID, MF_BYCOMMAND);
    popup.ModifyMenu(nID, MF_BYCOMMAND | MF_STRING | (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)), nID,
                     LoadText(nTextId));
}

void EnableItem(CMenu& popup, UINT nID, BOOL bEnable)
{
    popup.EnableMenuItem(nID, MF_BYCOMMAND | (bEnable ? MF_ENABLED : MF_GRAYED));
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Enabling

CViewCommandState CKelvaronView::GetCommandState()
{
    CViewCommandState state;
    state.bEditorOpen = IsEditorOpen();
    state.bAssemblyMode = m_gridState.bAssemblyMode;
    state.bNozzleMode = m_gridState.bNozzleMode;
    state.nTab = m_nCurrentTab;
    if (m_pGrid == nullptr || m_pGrid->GetSafeHwnd() == nullptr)
        return state;
    ROWCOL row = 0, col = 0;
    if (m_pGrid->GetCurrentCell(row, col) && row >= 1) {
        ROWCOL append = m_pGrid->GetAppendRow();
        state.bOnAppendRow = append != GR_INVALID && row >= append;
        if (!state.bOnAppendRow && m_pGrid->MoveTo(row)) {
            CRecordset* pRecordset = m_pGrid->OnGetRecordset();
            if (auto* pRecord = dynamic_cast<CRecords*>(pRecordset); pRecord && ComponentKeyOf(pRecord) >= 0) {
                state.bHasRecord = TRUE;
                state.nFlags = pRecord->m_nFlags;
                state.strItemType = pRecord->m_strItemType;
            }
            else if (auto* pTape = dynamic_cast<CTapeRecords*>(pRecordset); pTape && ComponentKeyOf(pTape) >= 0) {
                state.bHasRecord = TRUE;
                state.nFlags = pTape->m_nFlags;
                state.strItemType = pTape->m_strItemType;
            }
        }
    }
    else {
        // No current cell: the grid has no record to act on.
        state.bOnAppendRow = TRUE;
    }
    return state;
}

BOOL CKelvaronView::IsCommandEnabled(UINT nID)
{
    return IsViewCommandEnabled(GetCommandState(), nID);
}

void CKelvaronView::OnUpdateComponentCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsCommandEnabled(pCmdUI->m_nID));
    if (pCmdUI->m_nID == ID_EDIT_NOZZLES)
        pCmdUI->SetCheck(m_gridState.bNozzleMode ? 1 : 0);
}

/////////////////////////////////////////////////////////////////////////////
// The grid's commands

void CKelvaronView::OnDeleteComponent()
{
    if (!IsCommandEnabled(ID_DELETE_COMPONENT) || m_pGrid == nullptr)
        return;
    m_pGrid->DeleteSelected();
}

void CKelvaronView::OnAddToAssembly()
{
    AddToAssembly(-1);
}

void CKelvaronView::AddToAssembly(long nKey)
{
    if (m_pGrid != nullptr && IsCommandEnabled(ID_ADD_TO_ASSEMBLY))
        m_pGrid->AddToAssembly(nKey);
}

void CKelvaronView::OnAddNozzle()
{
    if (m_pGrid != nullptr && IsCommandEnabled(ID_ADD_NOZZLE))
        m_pGrid->AddNozzleToEmitter();
}

CRecords* CKelvaronView::CurrentComponent(ROWCOL* pRow)
{
    ROWCOL row = 0, col = 0;
    if (m_pGrid == nullptr || !m_pGrid->GetCurrentCell(row, col) || !m_pGrid->MoveTo(row))
        return nullptr;
    CRecords* pRecord = dynamic_cast<CRecords*>(m_pGrid->OnGetRecordset());
    if (pRecord == nullptr || ComponentKeyOf(pRecord) < 0)
        return nullptr;
    if (pRow != nullptr)
        *pRow = row;
    return pRecord;
}

BOOL CKelvaronView::SettleRecord(UINT nPromptId)
{
    if (m_pGrid == nullptr || m_pGrid->GetSafeHwnd() == nullptr)
        return TRUE;
    if (!m_pGrid->TransferCurrentCell())
        return FALSE;
    return m_pGrid->PromptSaveRecord(LoadText(nPromptId), TRUE);
}

/////////////////////////////////////////////////////////////////////////////
// The line above the grid

void CKelvaronView::SetModeLine(UINT nCaptionId, const CString& name, COLORREF colour)
{
    m_strCaption.LoadString(nCaptionId);
    m_strName = name;
    m_strName.TrimRight();
    UpdateData(FALSE);
    for (CColorStatic* pStatic : { &m_captionStatic, &m_nameStatic }) {
        pStatic->SetTextColor(colour);
        pStatic->EnableWindow(TRUE);
    }
}

void CKelvaronView::ClearModeLine()
{
    m_captionStatic.EnableWindow(FALSE);
    m_nameStatic.EnableWindow(FALSE);
}

/////////////////////////////////////////////////////////////////////////////
// Assemblies

void CKelvaronView::OnNewAssembly()
{
    if (m_pGrid == nullptr || !IsCommandEnabled(ID_NEW_ASSEMBLY) || !SettleRecord(IDS_SAVE_CURRENT_RECORD))
        return;
    m_gridState.nAssemblyTab = m_nCurrentTab;
    if (m_nCurrentTab == TABLE_OUTLET)
        m_pTabWnd->SwitchTab(0);
    m_pGrid->SetAssemblyMode(TRUE);
    m_pGrid->BeginDialogEdit(CGridWindow::editAdding);
    // The new assembly starts as a copy of the row it was started on.
    if (CRecords* pRecord = CurrentComponent())
        OpenComponentDialog(*pRecord, TRUE, FALSE);
    RemoveQueryTab();
}

void CKelvaronView::OnEditAssembly()
{
    if (m_pGrid == nullptr || !IsCommandEnabled(ID_EDIT_ASSEMBLY))
        return;
    // Changes typed into the row are settled first, not dropped.
    if (!SettleRecord(IDS_SAVE_CURRENT_RECORD))
        return;
    ROWCOL row = 0;
    CRecords* pRecord = CurrentComponent(&row);
    if (pRecord == nullptr)
        return;
    m_gridState.nAssemblyTab = m_nCurrentTab;
    if (m_nCurrentTab == TABLE_OUTLET)
        m_pTabWnd->SwitchTab(0);
    m_gridState.nAssemblyKey = pRecord->m_nComponentKey;
    m_gridState.nAssemblyRow = (long)row;
    CString name = pRecord->m_strDescription;
    m_pGrid->SetAssemblyMode(TRUE);
    SetModeLine(IDS_EDITING_ASSEMBLY, name, kAssemblyColour);
    RemoveQueryTab();
}

void CKelvaronView::EndAssembly()
{
    ClearModeLine();
    const long nKey = m_gridState.nAssemblyKey;
    const int nTab = m_gridState.nAssemblyTab;
    m_pGrid->SetAssemblyMode(FALSE);
    if (nTab >= 0 && nTab != m_nCurrentTab)
        SelectTab(nTab);
    m_gridState.nAssemblyTab = -1;
    if (nKey > 0)
        m_pGrid->FindKey(nKey);
}

void CKelvaronView::DeleteEmptyAssembly()
{
    const long nKey = m_gridState.nAssemblyKey;
    EndAssembly();
    m_gridState.nAssemblyKey = 0;
    m_gridState.nAssemblyRow = 0;
    if (nKey <= 0)
        return;
    // The assembly's own row (EndAssembly found it), and only that: asked
    // nothing but whether assemblies that hold it may lose it.
    if (m_pGrid->GetCurrentKey() == nKey) {
        ROWCOL row = 0, col = 0;
        m_pGrid->GetCurrentCell(row, col);
        m_pGrid->DeleteRow(row);
        return;
    }
    try {
        DeleteComponents(GetDatabase(), { nKey });
    }
    catch (CException* e) {
        ReportDatabaseException(e);
    }
    SwitchGridTable(m_nCurrentTab);
}

void CKelvaronView::OnRemoveFromAssembly()
{
    if (m_pAssemWnd == nullptr || !IsCommandEnabled(ID_REMOVE_FROM_ASSEMBLY))
        return;
    m_pAssemWnd->RemoveSelectedItems();
    if (m_pAssemWnd->GetKeyCount() > 0) {
        m_pAssemWnd->SetFocus();
        return;
    }
    m_pGrid->SetFocus();
    // Cancel goes back to choosing items for the same assembly.
    if (AfxMessageBox(IDS_ASSEMBLY_EMPTY, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    DeleteEmptyAssembly();
    AddQueryTab();
}

void CKelvaronView::OnFinishAssembly()
{
    if (m_pGrid == nullptr || !IsCommandEnabled(ID_FINISH_ASSEMBLY))
        return;
    const long nKey = m_gridState.nAssemblyKey;
    BOOL bEmpty = TRUE;
    try {
        CRecords records(GetDatabase());
        if (m_gridState.nAssemblyTab == TABLE_OUTLET && !records.MarkAssemblyFromItems(nKey)) {
            AfxMessageBox(IDS_OUTLET_ASSEMBLY_NEEDS_OUTLET, MB_ICONEXCLAMATION);
            return;
        }
        bEmpty = records.IsAssemblyEmpty(nKey);
    }
    catch (CException* e) {
        ReportDatabaseException(e);
        return;
    }
    if (bEmpty && AfxMessageBox(IDS_ASSEMBLY_EMPTY, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    if (bEmpty)
        DeleteEmptyAssembly();
    else
        EndAssembly();
    AddQueryTab();
}

/////////////////////////////////////////////////////////////////////////////
// Nozzles

void CKelvaronView::OnEditNozzles()
{
    if (m_pGrid == nullptr || !IsCommandEnabled(ID_EDIT_NOZZLES))
        return;
    if (m_gridState.bNozzleMode) {
        m_pGrid->SetNozzleMode(FALSE);
        ClearModeLine();
        SelectTab(TABLE_OUTLET);
    }
    else {
        if (!SettleRecord(IDS_SAVE_CURRENT_RECORD))
            return;
        CRecords* pOutlet = CurrentComponent();
        if (pOutlet == nullptr)
            return;
        m_gridState.nEmitterKey = pOutlet->m_nComponentKey;
        CString name = pOutlet->m_strDescription;
        m_pGrid->SetNozzleMode(TRUE);
        SetModeLine(IDS_ADDING_NOZZLES_TO, name, kNozzleColour);
        m_pTabWnd->SwitchTab(m_pTabWnd->FindTab(m_pNozzleWnd));
        SelectTab(TABLE_NOZZLE);
    }
    if (m_pGrid->GetSafeHwnd() != nullptr)
        m_pGrid->SetFocus();
}

void CKelvaronView::OnRemoveNozzle()
{
    if (m_pGrid == nullptr || m_pNozzleWnd == nullptr || !IsCommandEnabled(ID_REMOVE_NOZZLE))
        return;
    const long nEmitterKey = m_nCurrentTab == TABLE_NOZZLE ? m_gridState.nEmitterKey : m_pGrid->GetCurrentKey();
    m_pNozzleWnd->RemoveSelectedNozzles(nEmitterKey);
    if (m_pNozzleWnd->GetKeyCount() > 0) {
        m_pNozzleWnd->MoveCurrentCell(GR_UP, 1, FALSE);
        m_pNozzleWnd->SetFocus();
    }
    else {
        m_pGrid->SetFocus();
    }
}

/////////////////////////////////////////////////////////////////////////////
// The side grids' Edit Item

void CKelvaronView::OnEditItem()
{
    if (IsEditorOpen())
        return;
    CHeadGridWnd* pGrid = nullptr;
    if (m_pClickTarget != nullptr && (m_pClickTarget == m_pAssemWnd || m_pClickTarget == m_pNozzleWnd ||
                                      m_pClickTarget == m_pOutletWnd))
        pGrid = static_cast<CHeadGridWnd*>(m_pClickTarget);
    if (pGrid == nullptr)
        return;
    pGrid->EditItem(pGrid->GetCurrentKey());
}

/////////////////////////////////////////////////////////////////////////////
// Context menus

BOOL CKelvaronView::PrepareContextMenu(CWnd* pWnd, CMenu& menu, CMenu*& pPopup)
{
    pPopup = nullptr;
    if (pWnd == nullptr || m_pGrid == nullptr)
        return FALSE;
    LPCTSTR lpszName = nullptr;
    if (pWnd == m_pGrid) {
        if (m_gridState.bColumnMenu) {
            m_gridState.bColumnMenu = FALSE;
            lpszName = "Columns";
        }
        else if (m_gridState.bAssemblyMode) {
            lpszName = "Asm";
        }
        else if (m_gridState.bNozzleMode) {
            lpszName = "Nozz";
        }
        else {
            lpszName = "MainGrid";
        }
    }
    else if (pWnd == m_pAssemWnd) {
        lpszName = "AsmGrid";
    }
    else if (pWnd == m_pNozzleWnd) {
        lpszName = "NozzGrid";
    }
    else if (pWnd == m_pOutletWnd) {
        lpszName = "OutGrid";
    }
    if (lpszName == nullptr || !menu.LoadMenu(IDR_GRID_CONTEXT) || (pPopup = FindPopup(menu, lpszName)) == nullptr)
        return FALSE;

    const CString name(lpszName);
    if (name == "Columns") {
        const int nFit = m_pGrid->GetFitType();
        const UINT fits[3] = { ID_FIT_TO_CONTENT, ID_FIT_TO_WINDOW, ID_STRETCH_TO_FIT };
        for (int i = 0; i < 3; i++) {
            pPopup->CheckMenuItem(fits[i], MF_BYCOMMAND | (nFit == i + 1 ? MF_CHECKED : MF_UNCHECKED));
            EnableItem(*pPopup, fits[i], m_nCurrentTab != TABLE_QUERY);
        }
        AppendColumnEntries(*pPopup);
    }
    else if (name == "Nozz") {
        SetItemText(*pPopup, ID_EDIT_NOZZLES, IDS_FINISH_EDITING);
    }
    else if (name == "MainGrid") {
        SetItemText(*pPopup, ID_EDIT_NOZZLES, IDS_EDIT_NOZZLE);
    }
    else if (name == "AsmGrid") {
        SetItemText(*pPopup, ID_EDIT_ASSEMBLY_ITEM, m_gridState.bAssemblyMode ? IDS_EDIT_QUANTITY : IDS_TIP_EDIT_ITEM);
        EnableItem(*pPopup, ID_EDIT_ASSEMBLY_ITEM, !IsEditorOpen());
    }
    else if (name == "NozzGrid") {
        SetItemText(*pPopup, ID_EDIT_NOZZLES, m_gridState.bNozzleMode ? IDS_FINISH_EDITING : IDS_EDIT_NOZZLE);
        EnableItem(*pPopup, ID_EDIT_NOZZLE_ITEM, m_gridState.bNozzleMode && !IsEditorOpen());
    }
    else if (name == "OutGrid") {
        EnableItem(*pPopup, ID_EDIT_OUTLET_ITEM, !IsEditorOpen());
    }
    // The component commands as the view's state allows them.
    const CViewCommandState state = GetCommandState();
    for (UINT i = 0; i < pPopup->GetMenuItemCount(); i++) {
        UINT nID = pPopup->GetMenuItemID((int)i);
        if (IsComponentCommand(nID))
            EnableItem(*pPopup, nID, IsViewCommandEnabled(state, nID));
    }
    pPopup->SetDefaultItem(0, TRUE);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Mouse and keys

BOOL CKelvaronView::PreTranslateMessage(MSG* pMsg)
{
    if (m_pGrid == nullptr || m_bInitialising)
        return CFormView::PreTranslateMessage(pMsg);
    switch (pMsg->message) {
    case WM_KEYDOWN: {
        HWND hFocus = ::GetFocus();
        // Enter in a cell's editor belongs to the editor (not to the
        // accelerators or the form's default button).
        if (pMsg->wParam == VK_RETURN && hFocus != nullptr && GridOfWindow(::GetParent(hFocus)) != nullptr) {
            ::TranslateMessage(pMsg);
            ::DispatchMessageA(pMsg);
            return TRUE;
        }
        // Typing in the query pane never starts a command, but for Ctrl+Q
        // (Execute Query); Ctrl+A selects the whole text.
        if (m_pQueryWnd != nullptr && hFocus != nullptr && hFocus == m_pQueryWnd->GetSafeHwnd()) {
            const BOOL bControl = ::GetKeyState(VK_CONTROL) < 0;
            if (bControl && pMsg->wParam == 'A') {
                m_pQueryWnd->SetSel(0, -1);
                return TRUE;
            }
            if (bControl && pMsg->wParam == 'Q')
                return CFormView::PreTranslateMessage(pMsg);
            ::TranslateMessage(pMsg);
            ::DispatchMessageA(pMsg);
            return TRUE;
        }
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        const CPoint pt(pMsg->pt);
        // Leaving the main grid's row settles its changes (stored, or asked
        // about); a row that cannot be stored keeps the user in the grid.
        CRect rcMain;
        m_pGrid->GetWindowRect(&rcMain);
        if (!rcMain.PtInRect(pt) && !SettleRecord(IDS_SAVE_CURRENT_RECORD))
            return TRUE;
        CWnd* grids[] = { m_pGrid, m_pAssemWnd, m_pNozzleWnd, m_pOutletWnd };
        for (CWnd* pGrid : grids) {
            if (pGrid == nullptr || pGrid->GetSafeHwnd() == nullptr || !pGrid->IsWindowVisible())
                continue;
            CRect rc;
            pGrid->GetWindowRect(&rc);
            if (rc.PtInRect(pt)) {
                m_pClickTarget = pGrid;
                HWND hFocus = ::GetFocus();
                if (hFocus != pGrid->GetSafeHwnd() && !::IsChild(pGrid->GetSafeHwnd(), hFocus))
                    pGrid->SetFocus();
                break;
            }
        }
        break;
    }
    case WM_RBUTTONUP: {
        CWnd* pGrid = GridOfWindow(::GetFocus());
        if (pGrid == nullptr)
            break;
        // The grid sees the button go up first (the header click it ends).
        ::TranslateMessage(pMsg);
        ::DispatchMessageA(pMsg);
        CMenu menu;
        CMenu* pPopup = nullptr;
        if (PrepareContextMenu(pGrid, menu, pPopup))
            pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, pMsg->pt.x, pMsg->pt.y, this);
        return TRUE;
    }
    default:
        break;
    }
    return CFormView::PreTranslateMessage(pMsg);
}

/////////////////////////////////////////////////////////////////////////////
// Pickers of the grid's cells

void CKelvaronView::ShowColourPopup(const CRect& rect, long nColour)
{
    if (m_pColourPopup == nullptr || m_pColourPopup->GetSafeHwnd() != nullptr)
        return;
    m_pColourPopup->SetNotifyWnd(this);
    if (!m_pColourPopup->Create(WS_VISIBLE, &rect, this, FALSE))
        return;
    m_pColourPopup->SetColor((COLORREF)nColour);
    m_pColourPopup->SetPaletteMode(TRUE);
    // The popup is open while the cell stays pressed: the colour chosen
    // comes back (OnColourChosen) before the grid lets go of the cell.
    while (m_pColourPopup->GetSafeHwnd() != nullptr) {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            m_pColourPopup->Close();
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

LRESULT CKelvaronView::OnColourChosen(WPARAM, LPARAM lParam)
{
    if (m_pGrid != nullptr)
        m_pGrid->SetColourCell((long)lParam);
    return 0;
}

void CKelvaronView::ShowLineTypePopup(const CRect& rect, long nLineType, long)
{
    CLineStylePopup popup(rect.left, rect.top, rect.right, rect.bottom, this);
    popup.m_nChosen = (int)nLineType;
    m_bPopupOpen = TRUE;
    popup.DoModal();
    m_bPopupOpen = FALSE;
    if (popup.m_nChosen != nLineType && m_pGrid != nullptr)
        m_pGrid->SetLineTypeCell(popup.m_nChosen);
    if (CFrameWnd* pFrame = GetTopLevelFrame()) {
        pFrame->DrawMenuBar();
        pFrame->RedrawWindow(nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_FRAME);
    }
}
