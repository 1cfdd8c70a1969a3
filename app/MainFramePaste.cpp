// CMainFrame: Copy Component and Paste Component. The keys of the selected
// components of one database are kept in the program's copied components;
// the paste goes to the database of the window activated last, whose view
// pastes them (CViewClipboard) with the progress on the status line.
#include "app/AppRes.h"
#include "app/KelvaronDoc.h"
#include "app/KelvaronView.h"
#include "app/MainFrm.h"
#include "app/QueriesAndPasteRes.h"
#include "grids/window/GridWindow.h"

#include <vector>

/////////////////////////////////////////////////////////////////////////////
// Finding the view of a database

CKelvaronView* CMainFrame::FindViewByPath(const CString& path)
{
    CWinApp* pApp = AfxGetApp();
    for (POSITION tpos = pApp != nullptr ? pApp->GetFirstDocTemplatePosition() : nullptr; tpos != nullptr;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(tpos);
        for (POSITION dpos = pTemplate->GetFirstDocPosition(); dpos != nullptr;) {
            CKelvaronDoc* pDoc = dynamic_cast<CKelvaronDoc*>(pTemplate->GetNextDoc(dpos));
            if (pDoc == nullptr || pDoc->GetDatabasePath() != path)
                continue;
            for (POSITION vpos = pDoc->GetFirstViewPosition(); vpos != nullptr;) {
                if (CKelvaronView* pView = dynamic_cast<CKelvaronView*>(pDoc->GetNextView(vpos)))
                    return pView;
            }
        }
    }
    return nullptr;
}

/////////////////////////////////////////////////////////////////////////////
// Copy Component

void CMainFrame::OnUpdateCopyComponent(CCmdUI* pCmdUI)
{
    const CViewState* pState = GetActiveViewState();
    pCmdUI->Enable(pState == nullptr || !pState->IsEditorOpen());
}

void CMainFrame::OnCopyComponent()
{
    CKelvaronView* pView = GetActiveDatabaseView();
    if (pView == nullptr || pView->IsEditorOpen() || pView->GetGrid() == nullptr ||
        pView->GetGrid()->GetSafeHwnd() == nullptr)
        return;
    std::vector<long> keys;
    if (!pView->GetClipboard().CollectComponentKeys(keys)) {
        // Rows without keys have nothing to copy; the source stays.
        m_copied.ClearKeys();
        return;
    }
    m_copied.Copy(pView->GetDocument() != nullptr ? pView->GetDocument()->GetDatabasePath() : CString(), keys);
}

/////////////////////////////////////////////////////////////////////////////
// Paste Component

void CMainFrame::ShowPasteProgress(size_t nDone, size_t nCount)
{
    ShowProgressText(IDS_PASTING_COMPONENTS, nDone, nCount);
}

void CMainFrame::ShowRowPasteProgress(size_t nDone, size_t nCount)
{
    ShowProgressText(IDS_PASTING_ROWS, nDone, nCount);
}

void CMainFrame::ShowProgressText(UINT nFormatID, size_t nDone, size_t nCount)
{
    if (nCount < 2)
        return;
    if (nDone >= nCount) {
        SetStatusText(LoadText(AFX_IDS_IDLEMESSAGE, "Ready"));
        return;
    }
    CString text;
    text.Format(nFormatID, (int)nDone + 1, (int)nCount);
    SetStatusText(text);
    // Shown now: the paste keeps the message loop waiting.
    if (m_wndStatusBar.m_hWnd != nullptr)
        m_wndStatusBar.UpdateWindow();
}

BOOL CMainFrame::IsPasteStopped()
{
    BOOL bStop = FALSE;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            bStop = TRUE;
    }
    return bStop;
}

void CMainFrame::OnUpdatePasteComponent(CCmdUI* pCmdUI)
{
    const CViewState* pState = GetActiveViewState();
    // Whatever way the source's window went, there is nothing to paste
    // from then on.
    pCmdUI->Enable(m_copied.CanPaste(FindViewByPath(m_copied.GetSourcePath()) != nullptr) &&
                   (pState == nullptr || !pState->IsEditorOpen()));
}

void CMainFrame::OnPasteComponent()
{
    if (m_copied.GetKeys().empty() || m_copied.GetSourcePath().IsEmpty())
        return;
    CWaitCursor wait;
    CKelvaronView* pTarget = FindViewByPath(m_copied.GetTargetPath());
    if (pTarget == nullptr || pTarget->IsEditorOpen())
        return;
    // The keys as they are now: a paste adds none to them.
    const std::vector<long> keys = m_copied.GetKeys();
    if (m_copied.IsWithinDatabase()) {
        pTarget->GetClipboard().PasteWithinDatabase(keys, this);
        return;
    }
    if (CKelvaronView* pSource = FindViewByPath(m_copied.GetSourcePath()))
        pTarget->GetClipboard().PasteFrom(pSource->GetDatabase(), keys, this);
}

long CMainFrame::PasteComponent(CKelvaronView* pSource, CKelvaronView* pTarget, long nKey)
{
    if (pSource == nullptr || pTarget == nullptr || pSource->GetDatabase() == nullptr ||
        pTarget->GetDatabase() == nullptr)
        return -1;
    return pTarget->GetClipboard().PasteFrom(pSource->GetDatabase(), { nKey }, this);
}
