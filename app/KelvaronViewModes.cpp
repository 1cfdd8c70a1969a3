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

// The component commands whose enabling the view's state decides, and
// their names there.
struct ComponentCommand
{
    UINT nID;
    ViewCommand command;
};
const ComponentCommand kComponentCommands[] = {
    { ID_ADD_COMPONENT, ViewCommand::addComponent },
    { ID_ADD_NOZZLE, ViewCommand::addNozzle },
    { ID_ADD_TO_ASSEMBLY, ViewCommand::addToAssembly },
    { ID_NEW_ASSEMBLY, ViewCommand::newAssembly },
    { ID_DELETE_COMPONENT, ViewCommand::deleteComponent },
    { ID_EDIT_ASSEMBLY, ViewCommand::editAssembly },
    { ID_EDIT_COMPONENT, ViewCommand::editComponent },
    { ID_EDIT_NOZZLES, ViewCommand::editNozzles },
    { ID_FINISH_ASSEMBLY, ViewCommand::finishAssembly },
    { ID_REMOVE_FROM_ASSEMBLY, ViewCommand::removeFromAssembly },
    { ID_REMOVE_NOZZLE, ViewCommand::removeNozzle },
};

// The state's name of a component command; null for other commands.
const ViewCommand* FindComponentCommand(UINT nID)
{
    for (const ComponentCommand& entry : kComponentCommands)
        if (entry.nID == nID)
            return &entry.command;
    return nullptr;
}

// The looks of each kind of line above the grid: its caption and the
// colour of its texts.
struct ModeLineLook
{
    UINT nCaptionId;
    COLORREF colour;
};

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

CGridRow CKelvaronView::CurrentGridRow()
{
    CGridRow gridRow;
    if (m_pGrid == nullptr || m_pGrid->GetSafeHwnd() == nullptr)
        return gridRow;
    ROWCOL row = 0, col = 0;
    if (m_pGrid->GetCurrentCell(row, col) && row >= 1) {
        ROWCOL append = m_pGrid->GetAppendRow();
        gridRow.bOnAppendRow = append != GR_INVALID && row >= append;
        if (!gridRow.bOnAppendRow && m_pGrid->MoveTo(row)) {
            CRecordset* pRecordset = m_pGrid->OnGetRecordset();
            if (auto* pRecord = dynamic_cast<CRecords*>(pRecordset); pRecord && ComponentKeyOf(pRecord) >= 0) {
                gridRow.bHasRecord = TRUE;
                gridRow.nFlags = pRecord->m_nFlags;
                gridRow.strItemType = pRecord->m_strItemType;
            }
            else if (auto* pTape = dynamic_cast<CTapeRecords*>(pRecordset); pTape && ComponentKeyOf(pTape) >= 0) {
                gridRow.bHasRecord = TRUE;
                gridRow.nFlags = pTape->m_nFlags;
                gridRow.strItemType = pTape->m_strItemType;
            }
        }
    }
    else {
        // No current cell: the grid has no record to act on.
        gridRow.bOnAppendRow = TRUE;
    }
    return gridRow;
}

BOOL CKelvaronView::IsCommandEnabled(UINT nID)
{
    const ViewCommand* pCommand = FindComponentCommand(nID);
    return pCommand != nullptr ? m_viewState.IsEnabled(*pCommand, CurrentGridRow()) : TRUE;
}

void CKelvaronView::OnUpdateComponentCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsCommandEnabled(pCmdUI->m_nID));
    if (pCmdUI->m_nID == ID_EDIT_NOZZLES)
        pCmdUI->SetCheck(m_viewState.IsNozzleMode() ? 1 : 0);
}

void CKelvaronView::ShowMode()
{
    // The grids read the mode from the state they share with the view; the
    // main grid is read-only in assembly mode.
    m_gridState.nAssemblyTab = m_viewState.GetAssemblyTab();
    const BOOL bAssembly = m_viewState.IsAssemblyMode();
    const BOOL bNozzles = m_viewState.IsNozzleMode();
    const BOOL bGrid = m_pGrid != nullptr && m_pGrid->GetSafeHwnd() != nullptr;
    if (m_gridState.bAssemblyMode != bAssembly) {
        if (bGrid)
            m_pGrid->SetAssemblyMode(bAssembly);
        m_gridState.bAssemblyMode = bAssembly;
    }
    if (m_gridState.bNozzleMode != bNozzles) {
        if (bGrid)
            m_pGrid->SetNozzleMode(bNozzles);
        m_gridState.bNozzleMode = bNozzles;
    }
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

void CKelvaronView::SetModeLine(ModeLine line, const CString& name)
{
    if (line == ModeLine::off) {
        // No mode, no line: a caption left from a mode that has ended would
        // tell the user of work that is no longer going on.
        m_strCaption.Empty();
        m_strName.Empty();
        UpdateData(FALSE);
        m_captionStatic.EnableWindow(FALSE);
        m_nameStatic.EnableWindow(FALSE);
        return;
    }
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), black = RGB(0, 0, 0);
    const ModeLineLook look = line == ModeLine::creatingAssembly  ? ModeLineLook{ IDS_CREATING_ASSEMBLY, red }
                              : line == ModeLine::editingAssembly ? ModeLineLook{ IDS_EDITING_ASSEMBLY, red }
                              : line == ModeLine::addingNozzles   ? ModeLineLook{ IDS_ADDING_NOZZLES_TO, blue }
                                                                  : ModeLineLook{ IDS_QUERY_NAME, black };
    m_strCaption.LoadString(look.nCaptionId);
    // The Query tab shows the combo of the saved queries in place of a name.
    if (line != ModeLine::query) {
        m_strName = name;
        m_strName.TrimRight();
    }
    UpdateData(FALSE);
    for (CColorStatic* pStatic : { &m_captionStatic, &m_nameStatic }) {
        pStatic->SetTextColor(look.colour);
        pStatic->EnableWindow(TRUE);
    }
    if (line == ModeLine::query) {
        m_queryCombo.EnableWindow(TRUE);
        m_nameStatic.ShowWindow(SW_HIDE);
        m_queryCombo.ShowWindow(SW_SHOW);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Assemblies

void CKelvaronView::OnNewAssembly()
{
    if (m_pGrid == nullptr || !IsCommandEnabled(ID_NEW_ASSEMBLY) || !SettleRecord(IDS_SAVE_CURRENT_RECORD))
        return;
    if (!m_viewState.Apply(ViewCommand::newAssembly, CurrentGridRow()))
        return;
    if (GetCurrentTab() == TABLE_OUTLET)
        m_pTabWnd->SwitchTab(0);
    ShowMode();
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
    CString name = pRecord->m_strDescription;
    const long nKey = pRecord->m_nComponentKey;
    if (!m_viewState.Apply(ViewCommand::editAssembly, CurrentGridRow()))
        return;
    if (GetCurrentTab() == TABLE_OUTLET)
        m_pTabWnd->SwitchTab(0);
    m_gridState.nAssemblyKey = nKey;
    m_gridState.nAssemblyRow = (long)row;
    ShowMode();
    SetModeLine(ModeLine::editingAssembly, name);
    RemoveQueryTab();
}

void CKelvaronView::EndAssembly()
{
    SetModeLine(ModeLine::off);
    const long nKey = m_gridState.nAssemblyKey;
    const int nTab = m_viewState.EndAssembly();
    ShowMode();
    if (nTab >= 0 && nTab != GetCurrentTab())
        SelectTab(nTab);
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
    SwitchGridTable(GetCurrentTab());
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
        if (m_viewState.GetAssemblyTab() == TABLE_OUTLET && !records.MarkAssemblyFromItems(nKey)) {
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
    if (m_viewState.IsNozzleMode()) {
        m_viewState.Apply(ViewCommand::editNozzles, CurrentGridRow());
        ShowMode();
        SetModeLine(ModeLine::off);
        SelectTab(TABLE_OUTLET);
    }
    else {
        if (!SettleRecord(IDS_SAVE_CURRENT_RECORD))
            return;
        CRecords* pOutlet = CurrentComponent();
        if (pOutlet == nullptr)
            return;
        const long nEmitterKey = pOutlet->m_nComponentKey;
        CString name = pOutlet->m_strDescription;
        if (!m_viewState.Apply(ViewCommand::editNozzles, CurrentGridRow()))
            return;
        m_gridState.nEmitterKey = nEmitterKey;
        ShowMode();
        SetModeLine(ModeLine::addingNozzles, name);
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
    const long nEmitterKey = GetCurrentTab() == TABLE_NOZZLE ? m_gridState.nEmitterKey : m_pGrid->GetCurrentKey();
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
        else if (m_viewState.IsAssemblyMode()) {
            lpszName = "Asm";
        }
        else if (m_viewState.IsNozzleMode()) {
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
            EnableItem(*pPopup, fits[i], GetCurrentTab() != TABLE_QUERY);
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
        SetItemText(*pPopup, ID_EDIT_ASSEMBLY_ITEM,
                    m_viewState.IsAssemblyMode() ? IDS_EDIT_QUANTITY : IDS_TIP_EDIT_ITEM);
        EnableItem(*pPopup, ID_EDIT_ASSEMBLY_ITEM, !IsEditorOpen());
    }
    else if (name == "NozzGrid") {
        SetItemText(*pPopup, ID_EDIT_NOZZLES, m_viewState.IsNozzleMode() ? IDS_FINISH_EDITING : IDS_EDIT_NOZZLE);
        EnableItem(*pPopup, ID_EDIT_NOZZLE_ITEM, m_viewState.IsNozzleMode() && !IsEditorOpen());
    }
    else if (name == "OutGrid") {
        EnableItem(*pPopup, ID_EDIT_OUTLET_ITEM, !IsEditorOpen());
    }
    // The component commands as the view's state allows them.
    const CGridRow row = CurrentGridRow();
    for (UINT i = 0; i < pPopup->GetMenuItemCount(); i++) {
        UINT nID = pPopup->GetMenuItemID((int)i);
        if (const ViewCommand* pCommand = FindComponentCommand(nID))
            EnableItem(*pPopup, nID, m_viewState.IsEnabled(*pCommand, row));
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
        CQueryWnd* pQueryWnd = m_queryPane.GetWindow();
        if (pQueryWnd != nullptr && hFocus != nullptr && hFocus == pQueryWnd->GetSafeHwnd()) {
            const BOOL bControl = ::GetKeyState(VK_CONTROL) < 0;
            if (bControl && pMsg->wParam == 'A') {
                pQueryWnd->SetSel(0, -1);
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
    m_viewState.SetPopupOpen(TRUE);
    popup.DoModal();
    m_viewState.SetPopupOpen(FALSE);
    if (popup.m_nChosen != nLineType && m_pGrid != nullptr)
        m_pGrid->SetLineTypeCell(popup.m_nChosen);
    if (CFrameWnd* pFrame = GetTopLevelFrame()) {
        pFrame->DrawMenuBar();
        pFrame->RedrawWindow(nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_FRAME);
    }
}
