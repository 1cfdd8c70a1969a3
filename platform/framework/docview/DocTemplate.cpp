// Document templates, the document manager, and the application's document
// commands (File New, File Open, recent files, save all, close all).
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

/////////////////////////////////////////////////////////////////////////////
// CDocTemplate

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    return AfxExtractSubString(rString, m_strDocStrings, (int)index, '\n');
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = nullptr;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = nullptr;
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr) {
        CDocument* pDoc = GetNextDoc(pos);
        if (kvdoc::SamePath(pDoc->GetPathName(), lpszPathName)) {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }

    // The template's own extensions (".a;.b"), compared without case.
    CString strFilterExt;
    if (GetDocString(strFilterExt, filterExt) && !strFilterExt.IsEmpty()) {
        CString strName = kvdoc::FileNameOf(lpszPathName);
        int iDot = strName.ReverseFind('.');
        CString strExt = iDot >= 0 ? strName.Mid(iDot) : CString();
        int iStart = 0;
        while (iStart >= 0) {
            CString strOne = strFilterExt.Tokenize(";", iStart);
            strOne.Trim();
            if (strOne.Left(1) == "*")
                strOne = strOne.Mid(1);
            if (!strOne.IsEmpty() && !strExt.IsEmpty() && strOne.CompareNoCase(strExt) == 0)
                return yesAttemptNative;
        }
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == nullptr)
        return nullptr;
    CObject* pObject = m_pDocClass->CreateObject();
    CDocument* pDocument = pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CDocument))
                               ? static_cast<CDocument*>(pObject)
                               : nullptr;
    if (pDocument == nullptr) {
        delete pObject;
        return nullptr;
    }
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;

    if (m_pFrameClass == nullptr)
        return nullptr;
    CObject* pObject = m_pFrameClass->CreateObject();
    CFrameWnd* pFrame = pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CFrameWnd))
                            ? static_cast<CFrameWnd*>(pObject)
                            : nullptr;
    if (pFrame == nullptr) {
        delete pObject;
        return nullptr;
    }
    // A frame that fails to load has deleted itself with its window.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr) {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    // The position moves on before a document closes (and leaves the list).
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr) {
        CDocument* pDoc = GetNextDoc(pos);
        pDoc->OnCloseDocument();
    }
}

BOOL CDocTemplate::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

/////////////////////////////////////////////////////////////////////////////
// CMultiDocTemplate

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // Documents still open lose their template.
    while (!m_docList.IsEmpty()) {
        CDocument* pDoc = static_cast<CDocument*>(m_docList.RemoveHead());
        CDocTemplate::RemoveDocument(pDoc);
    }
    if (m_hMenuShared != nullptr)
        ::DestroyMenu(m_hMenuShared);
    // Accelerator tables loaded from resources need no freeing.
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    LPCTSTR lpszName = MAKEINTRESOURCE(m_nIDResource);
    if (m_hMenuShared == nullptr && kvdoc::HasResource(lpszName, RT_MENU))
        m_hMenuShared = ::LoadMenuA(AfxFindResourceHandle(lpszName, RT_MENU), lpszName);
    if (m_hAccelTable == nullptr && kvdoc::HasResource(lpszName, RT_ACCELERATOR))
        m_hAccelTable = ::LoadAcceleratorsA(AfxFindResourceHandle(lpszName, RT_ACCELERATOR), lpszName);
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const
{
    return m_docList.GetHeadPosition();
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    return static_cast<CDocument*>(m_docList.GetNext(rPos));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    if (m_docList.Find(pDoc) == nullptr)
        m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (POSITION pos = m_docList.Find(pDoc))
        m_docList.RemoveAt(pos);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strDocName;
    if (GetDocString(strDocName, docName) && !strDocName.IsEmpty()) {
        CString strNumber;
        strNumber.Format("%u", m_nUntitledCount + 1);
        strDocName += strNumber;
    } else {
        strDocName = LoadText(AFX_IDS_UNTITLED, "Untitled");
    }
    pDocument->SetTitle(strDocName);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    return OpenDocumentFile(lpszPathName, TRUE, bMakeVisible);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bAddToMRU, BOOL bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == nullptr) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return nullptr;
    }

    // The document must survive a frame that fails half-way.
    const BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateNewFrame(pDocument, nullptr);
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == nullptr) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        delete pDocument;
        return nullptr;
    }

    if (lpszPathName == nullptr) {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible)
            pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument()) {
            // The user has been told; the frame takes the document with it.
            pFrame->DestroyWindow();
            return nullptr;
        }
        m_nUntitledCount++;
    } else {
        CWaitCursor wait;
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            pFrame->DestroyWindow();
            return nullptr;
        }
        pDocument->SetPathName(lpszPathName, bAddToMRU);
    }

    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

/////////////////////////////////////////////////////////////////////////////
// CDocManager

IMPLEMENT_DYNAMIC(CDocManager, CObject)

CDocManager::CDocManager() = default;

CDocManager::~CDocManager()
{
    while (!m_templateList.IsEmpty()) {
        CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.RemoveHead());
        if (pTemplate->m_bAutoDelete)
            delete pTemplate;
    }
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == nullptr || m_templateList.Find(pTemplate) != nullptr)
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const
{
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const
{
    return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

int CDocManager::GetDocumentCount()
{
    int nCount = 0;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        POSITION posDoc = pTemplate->GetFirstDocPosition();
        while (posDoc != nullptr) {
            pTemplate->GetNextDoc(posDoc);
            nCount++;
        }
    }
    return nCount;
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName, BOOL bAddToMRU)
{
    // A path given in quotes (as on a command line) loses them.
    CString strName = lpszFileName;
    strName.Trim();
    if (strName.GetLength() >= 2 && strName[0] == '"' && strName[strName.GetLength() - 1] == '"')
        strName = strName.Mid(1, strName.GetLength() - 2);
    if (strName.IsEmpty())
        return nullptr;
    CString strPath = kvdoc::FullPath(strName);

    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    CDocTemplate* pBestTemplate = nullptr;
    CDocument* pOpenDocument = nullptr;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pMatch = nullptr;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(strPath, pMatch);
        if (match > bestMatch) {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen) {
            pOpenDocument = pMatch;
            break;
        }
    }

    if (pOpenDocument != nullptr) {
        // Open already: its first frame comes to the front instead.
        POSITION posView = pOpenDocument->GetFirstViewPosition();
        if (posView != nullptr) {
            CView* pView = pOpenDocument->GetNextView(posView);
            if (CFrameWnd* pFrame = pView->GetParentFrame()) {
                pFrame->ActivateFrame();
                CWinApp* pApp = AfxGetApp();
                CWnd* pMainWnd = pApp != nullptr ? pApp->m_pMainWnd : nullptr;
                if (pFrame->GetParent() != nullptr && pMainWnd != nullptr && pMainWnd != pFrame &&
                    pMainWnd->IsFrameWnd())
                    static_cast<CFrameWnd*>(pMainWnd)->ActivateFrame();
            }
        }
        return pOpenDocument;
    }

    if (pBestTemplate == nullptr) {
        AfxMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
        return nullptr;
    }
    return pBestTemplate->OpenDocumentFile(strPath, bAddToMRU, TRUE);
}

BOOL CDocManager::SaveAllModified()
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        if (!pTemplate->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        pTemplate->CloseAllDocuments(bEndSession);
    }
}

CString CDocManager::BuildFilter(const CPtrList& templates, CDocTemplate* pTemplate, int* pnDefault)
{
    CString strFilter;
    int nEntries = 0;
    int nDefault = 1;
    auto append = [&](CDocTemplate* pOne) {
        CString strName, strExt;
        if (!pOne->GetDocString(strName, CDocTemplate::filterName) || strName.IsEmpty() ||
            !pOne->GetDocString(strExt, CDocTemplate::filterExt) || strExt.IsEmpty())
            return;
        // ".a;.b" -> "*.a;*.b"
        CString strPattern;
        int iStart = 0;
        while (iStart >= 0) {
            CString strOne = strExt.Tokenize(";", iStart);
            strOne.Trim();
            if (strOne.IsEmpty())
                continue;
            if (!strPattern.IsEmpty())
                strPattern += ";";
            strPattern += strOne[0] == '*' ? strOne : "*" + strOne;
        }
        strFilter += strName + "|" + strPattern + "|";
        nEntries++;
        if (pOne == pTemplate)
            nDefault = nEntries;
    };
    if (pTemplate != nullptr)
        append(pTemplate);
    POSITION pos = templates.GetHeadPosition();
    while (pos != nullptr) {
        CDocTemplate* pOne = static_cast<CDocTemplate*>(templates.GetNext(pos));
        if (pOne != pTemplate)
            append(pOne);
    }
    strFilter += LoadText(AFX_IDS_ALLFILTER, "All Files (*.*)") + "|*.*||";
    if (pnDefault != nullptr)
        *pnDefault = nDefault;
    return strFilter;
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate)
{
    int nDefault = 1;
    CString strFilter = BuildFilter(m_templateList, pTemplate, &nDefault);
    std::string filter(strFilter.GetString());
    for (char& ch : filter) {
        if (ch == '|')
            ch = '\0';
    }
    CString strTitle = LoadText(nIDSTitle, bOpenFileDialog ? "Open" : "Save As");
    CString strDefExt;
    if (pTemplate != nullptr && pTemplate->GetDocString(strDefExt, CDocTemplate::filterExt)) {
        int iSemi = strDefExt.Find(';');
        if (iSemi >= 0)
            strDefExt.Truncate(iSemi);
        strDefExt.TrimLeft("*.");
    }

    std::vector<char> buffer(MAX_PATH * 4, '\0');
    lstrcpynA(buffer.data(), fileName, (int)buffer.size());
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    CWnd* pOwner = CWnd::GetSafeOwner(nullptr, nullptr);
    ofn.hwndOwner = pOwner != nullptr ? pOwner->m_hWnd : nullptr;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = (DWORD)nDefault;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = (DWORD)buffer.size();
    ofn.lpstrTitle = strTitle;
    ofn.lpstrDefExt = strDefExt.IsEmpty() ? nullptr : (LPCSTR)strDefExt;
    ofn.Flags = lFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    BOOL bResult = bOpenFileDialog ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
    if (bResult)
        fileName = buffer.data();
    return bResult;
}

void CDocManager::OnFileNew()
{
    // The first template makes the new document (the program has one).
    if (m_templateList.IsEmpty()) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetHead());
    pTemplate->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen()
{
    CString strName;
    if (!DoPromptFileName(strName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
        return;
    if (CWinApp* pApp = AfxGetApp())
        pApp->OpenDocumentFile(strName);
}

/////////////////////////////////////////////////////////////////////////////
// CWinApp: documents and templates

namespace {
void DeleteDocManager(CDocManager* pManager)
{
    delete pManager;
}
} // namespace

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (m_pDocManager == nullptr) {
        m_pDocManager = new CDocManager;
        m_pfnDeleteDocManager = &DeleteDocManager;
    }
    m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_pDocManager != nullptr ? m_pDocManager->GetFirstDocTemplatePosition() : nullptr;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return m_pDocManager != nullptr ? m_pDocManager->GetNextDocTemplate(pos) : nullptr;
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    return OpenDocumentFile(lpszFileName, TRUE);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName, BOOL bAddToMRU)
{
    return m_pDocManager != nullptr ? m_pDocManager->OpenDocumentFile(lpszFileName, bAddToMRU) : nullptr;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    if (m_pDocManager != nullptr)
        m_pDocManager->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::SaveAllModified()
{
    return m_pDocManager == nullptr || m_pDocManager->SaveAllModified();
}

int CWinApp::GetOpenDocumentCount()
{
    return m_pDocManager != nullptr ? m_pDocManager->GetDocumentCount() : 0;
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    if (m_pDocManager == nullptr) {
        // No templates: a plain file dialog all the same.
        CDocManager manager;
        return manager.DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
    }
    return m_pDocManager->DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager != nullptr)
        m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen()
{
    if (m_pDocManager != nullptr)
        m_pDocManager->OnFileOpen();
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (m_pRecentFileList == nullptr)
        return FALSE;
    int nIndex = (int)nID - ID_FILE_MRU_FILE1;
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[nIndex].IsEmpty())
        return FALSE;
    // A file that no longer opens leaves the list.
    CString strPath = (*m_pRecentFileList)[nIndex];
    if (OpenDocumentFile(strPath) == nullptr)
        m_pRecentFileList->Remove(nIndex);
    return TRUE;
}
