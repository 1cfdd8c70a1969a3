// CDocument: title, path, modified flag, views, reading and writing through
// Serialize, and the document's part of closing.
#include "platform/framework/base/Collections.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/File.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Dialog.h"
#include "platform/framework/window/Gdi.h"
#include "platform/framework/window/Menu.h"
#include "platform/framework/window/WinApp.h"
#include "platform/framework/window/Wnd.h"
#include "platform/framework/drawing/Controls.h"
#include "platform/framework/drawing/ImageList.h"
#include "platform/framework/docview/ControlBar.h"
#include "platform/framework/docview/DocView.h"
#include "platform/framework/docview/DocViewUtil.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
END_MESSAGE_MAP()

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    // Views outliving their document must not reach back into it.
    DisconnectViews();
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

/////////////////////////////////////////////////////////////////////////////
// Title and path

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = kvdoc::FullPath(lpszPathName);
    m_bEmbedded = FALSE;
    SetTitle(kvdoc::FileNameOf(m_strPathName));
    if (bAddToMRU) {
        if (CWinApp* pApp = AfxGetApp())
            pApp->AddToRecentFileList(m_strPathName);
    }
}

void CDocument::ClearPathName()
{
    m_strPathName.Empty();
}

BOOL CDocument::IsModified()
{
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
}

/////////////////////////////////////////////////////////////////////////////
// Views

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::AddView(CView* pView)
{
    if (pView == nullptr || m_viewList.Find(pView) != nullptr)
        return;
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == nullptr)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList(); // may delete this document
}

void CDocument::OnChangedViewList()
{
    if (m_bAutoDelete && m_viewList.IsEmpty()) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::DisconnectViews()
{
    while (!m_viewList.IsEmpty()) {
        CView* pView = static_cast<CView*>(m_viewList.RemoveHead());
        pView->m_pDocument = nullptr;
    }
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::UpdateFrameCounts()
{
    // The distinct frames that show a visible view, in view order.
    std::vector<CFrameWnd*> frames;
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CView* pView = GetNextView(pos);
        if (pView->m_hWnd == nullptr || !pView->IsWindowVisible())
            continue;
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr && std::find(frames.begin(), frames.end(), pFrame) == frames.end())
            frames.push_back(pFrame);
    }
    const int nFrames = (int)frames.size();
    for (int i = 0; i < nFrames; i++)
        frames[i]->m_nWindow = nFrames == 1 ? 0 : i + 1;
    for (CFrameWnd* pFrame : frames)
        pFrame->OnUpdateFrameTitle(TRUE);
}

HMENU CDocument::GetDefaultMenu()
{
    return nullptr;
}

HACCEL CDocument::GetDefaultAccelerator()
{
    return nullptr;
}

void CDocument::SendInitialUpdate()
{
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CView* pView = GetNextView(pos);
        pView->OnInitialUpdate();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Routing: the document's own map, then its template's

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

/////////////////////////////////////////////////////////////////////////////
// Contents, reading and writing

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

CFile* CDocument::GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    CFile* pFile = new CFile;
    if (!pFile->Open(lpszFileName, nOpenFlags, pError)) {
        delete pFile;
        return nullptr;
    }
    return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort)
{
    if (pFile == nullptr)
        return;
    if (bAbort)
        pFile->Abort();
    else
        pFile->Close();
    delete pFile;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault)
{
    // User exceptions have been reported where they were raised.
    if (e != nullptr && e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return;

    CString strMessage;
    char szError[512] = {};
    if (e != nullptr && e->GetErrorMessage(szError, sizeof(szError)) && szError[0] != '\0') {
        strMessage = szError;
    } else {
        CString strName = lpszPathName != nullptr && *lpszPathName != '\0' ? CString(lpszPathName) : m_strTitle;
        if (nIDPDefault == 0)
            nIDPDefault = bSaving ? AFX_IDP_FAILED_TO_SAVE_DOC : AFX_IDP_FAILED_TO_OPEN_DOC;
        strMessage = LoadText(nIDPDefault, bSaving ? "Failed to save document." : "Failed to open document.");
        if (!strName.IsEmpty()) {
            strMessage += "\n\n";
            strMessage += strName;
        }
    }
    AfxMessageBox(strMessage, MB_ICONEXCLAMATION, nIDPDefault);
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
    if (pFile == nullptr) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }

    DeleteContents();
    SetModifiedFlag(); // dirty while it is being read
    try {
        CArchive loadArchive(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
        loadArchive.m_pDocument = this;
        CWaitCursor wait;
        if (pFile->GetLength() != 0)
            Serialize(loadArchive);
        loadArchive.Close();
        ReleaseFile(pFile, FALSE);
    } catch (CException* e) {
        ReleaseFile(pFile, TRUE);
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    // Written to a new file in the same folder first: the document's file
    // is replaced only once everything has been written, so that a failure
    // half-way leaves the old file whole.
    CString strTarget = kvdoc::FullPath(lpszPathName);
    CString strTemp = kvdoc::TempFileBeside(strTarget);
    if (strTemp.IsEmpty()) {
        CFileException fe(CFileException::OsErrorToException((LONG)::GetLastError()), (LONG)::GetLastError(),
                          strTarget);
        ReportSaveLoadException(strTarget, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }

    CFileException fe;
    CFile* pFile = GetFile(strTemp, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe);
    if (pFile == nullptr) {
        ::DeleteFileA(strTemp);
        ReportSaveLoadException(strTarget, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }

    try {
        CArchive saveArchive(pFile, CArchive::store | CArchive::bNoFlushOnDelete);
        saveArchive.m_pDocument = this;
        CWaitCursor wait;
        Serialize(saveArchive);
        saveArchive.Close();
        ReleaseFile(pFile, FALSE);
    } catch (CException* e) {
        ReleaseFile(pFile, TRUE);
        ::DeleteFileA(strTemp);
        ReportSaveLoadException(strTarget, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }

    if (!kvdoc::ReplaceWith(strTemp, strTarget)) {
        const LONG lError = (LONG)::GetLastError();
        ::DeleteFileA(strTemp);
        CFileException fe2(CFileException::OsErrorToException(lError), lError, strTarget);
        ReportSaveLoadException(strTarget, &fe2, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Closing

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg)
{
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CView* pView = GetNextView(pos);
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr && pFrame != pFrameArg)
            return TRUE; // another frame still shows the document
    }
    return SaveModified();
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;

    CString strName;
    if (m_strPathName.IsEmpty()) {
        strName = m_strTitle;
        if (strName.IsEmpty())
            strName = LoadText(AFX_IDS_UNTITLED, "Untitled");
    } else {
        strName = kvdoc::FileNameOf(m_strPathName);
    }

    CString strPrompt;
    AfxFormatString1(strPrompt, AFX_IDP_ASK_TO_SAVE, strName);
    if (strPrompt.IsEmpty())
        strPrompt = "Save changes to " + strName + "?";
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

void CDocument::OnCloseDocument()
{
    // The views must not close the document again while they go.
    const BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow(); // destroys the view with it
        } else if (pView->m_hWnd != nullptr) {
            pView->DestroyWindow();
        }
        // A view that is still listed (no window, or it survived its
        // frame) is let go here so that closing always ends.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;

    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

/////////////////////////////////////////////////////////////////////////////
// Saving

BOOL CDocument::DoFileSave()
{
    DWORD dwAttrib = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
    if (dwAttrib == INVALID_FILE_ATTRIBUTES || (dwAttrib & FILE_ATTRIBUTE_READONLY))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString strNewName = lpszPathName;
    if (strNewName.IsEmpty()) {
        CDocTemplate* pTemplate = GetDocTemplate();
        strNewName = m_strPathName;
        if (bReplace && strNewName.IsEmpty()) {
            // A name from the title, without characters a file name cannot hold.
            strNewName = m_strTitle;
            int iBad = strNewName.FindOneOf(":/\\*?\"<>|");
            if (iBad != -1)
                strNewName.Truncate(iBad);
            CString strExt;
            if (pTemplate != nullptr && pTemplate->GetDocString(strExt, CDocTemplate::filterExt) &&
                !strExt.IsEmpty()) {
                int iSemi = strExt.Find(';');
                if (iSemi != -1)
                    strExt.Truncate(iSemi);
                strNewName += strExt;
            }
        }
        CWinApp* pApp = AfxGetApp();
        if (pApp == nullptr ||
            !pApp->DoPromptFileName(strNewName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, pTemplate))
            return FALSE;
    }

    CWaitCursor wait;
    if (!OnSaveDocument(strNewName))
        return FALSE; // the file on disk is as it was
    if (bReplace)
        SetPathName(strNewName);
    return TRUE;
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}
