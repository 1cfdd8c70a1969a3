// Documents, views and frames.
//
// A document (CDocument) holds the data of one open file; views (CView and
// its kinds) show it inside frame windows (CFrameWnd). A document template
// (CDocTemplate, CMultiDocTemplate) knows the run-time classes of the three
// and makes a document with its frame and view for File New and File Open.
// The application's document manager (CDocManager) keeps the templates and
// serves the application's File New, File Open, recent files, "save all"
// and "close all".
//
// In a multiple-document program the main window is a CMDIFrameWnd whose MDI
// client holds one CMDIChildWnd per open view; commands go to the active
// child first (its view, the view's document, the document's template), then
// to the main frame and the application.
//
// Closing: a frame's OnClose asks the document (CanCloseFrame, which asks
// SaveModified when no other frame shows it), and either closes the document
// (OnCloseDocument destroys every frame showing it, then DeleteContents) or
// just destroys itself. Closing the main frame first asks every document
// (SaveAllModified) and then closes them all (CloseAllDocuments). A FALSE
// answer anywhere leaves everything open.
//
// Control bars (CControlBar) are children of a frame that take their room in
// the frame's layout (RecalcLayout) before the view or the MDI client gets
// the rest; a frame lays itself out again on the next idle pass after
// DelayRecalcLayout. A frame with docking enabled has a dock bar on each
// side, which holds docked bars in rows; floating bars live in mini frames
// (ControlBar.h, DockBar.h, MiniFrame.h).
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/Object.h"
#include "platform/framework/base/String.h"
#include "platform/framework/base/Geometry.h"
#include "platform/framework/base/Collections.h"
#include "platform/framework/base/File.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Wnd.h"
#include "platform/framework/window/WinApp.h"
#include "platform/framework/docview/AfxDocViewRes.h"
#include "platform/framework/docview/ControlBar.h"
#include <vector>

class CDocument;
class CView;
class CFrameWnd;
class CMDIFrameWnd;
class CMDIChildWnd;
class CDocTemplate;
class CMultiDocTemplate;
class CControlBar;
class CDockBar;
class CDockContext;
class CDockState;
class CMiniDockFrameWnd;
class CMenu;
class CDC;

/////////////////////////////////////////////////////////////////////////////
// Frame window styles (in the low word of the window style)

#ifndef FWS_ADDTOTITLE
#define FWS_ADDTOTITLE   0x00008000L // the title shows the active document's name
#define FWS_PREFIXTITLE  0x00004000L // document name before the application name
#define FWS_SNAPTOBARS   0x00002000L // the frame takes the size of its bars
#endif

// Style of the views a frame creates.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

/////////////////////////////////////////////////////////////////////////////
// CCreateContext: what a frame needs to create its view

class CCreateContext
{
public:
    CRuntimeClass* m_pNewViewClass = nullptr; // the view to create (none: no view)
    CDocument* m_pCurrentDoc = nullptr;       // the document it shows
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;     // the frame being copied (Window New)
};

/////////////////////////////////////////////////////////////////////////////
// CDocument

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    // Title and path
    const CString& GetTitle() const { return m_strTitle; }
    // Sets the title and shows it in the captions of the frames.
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Stores the path made full, titles the document with the file's name,
    // and (bAddToMRU) puts the path first in the recent-file list.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    virtual void ClearPathName();
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // The modified flag: SaveModified asks about unsaved changes only when set.
    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);

    // Views
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);
    // Numbers the frames showing the document (":1", ":2" when there are
    // several) and updates their captions.
    virtual void UpdateFrameCounts();
    // The menu and accelerators the document's frames use instead of the
    // template's; none by default.
    virtual HMENU GetDefaultMenu();
    virtual HACCEL GetDefaultAccelerator();

    // Life of the document's data
    virtual void DeleteContents();
    // A new, empty document: DeleteContents, no path, not modified.
    virtual BOOL OnNewDocument();
    // Reads the file through Serialize. FALSE, after telling the user, when
    // the file cannot be read; the document is then empty.
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    // Writes the document through Serialize into a new file beside the
    // target, which replaces the target only when everything was written;
    // a failure leaves the existing file as it was.
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    // Destroys every frame that shows the document, then DeleteContents, and
    // deletes the document when m_bAutoDelete.
    virtual void OnCloseDocument();
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving,
                                         UINT nIDPDefault);
    virtual CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
    virtual void ReleaseFile(CFile* pFile, BOOL bAbort);

    // Closing
    // TRUE when pFrame may close: another frame still shows the document,
    // or SaveModified agrees.
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Asks whether to save a modified document: Yes saves (FALSE when that
    // fails), No drops the changes, Cancel answers FALSE.
    virtual BOOL SaveModified();
    // Called before a frame showing the document is destroyed.
    virtual void PreCloseFrame(CFrameWnd* pFrame);

    // Saving: DoSave asks for a name when lpszPathName is null (Save As);
    // DoFileSave saves under the current path (asking when there is none or
    // the file is read-only).
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Commands: File Close is in the document's message map; Save and Save
    // As are left for documents that save through the framework to map.
    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();

    // Sends the initial update to every view (used by templates that make
    // views themselves).
    void SendInitialUpdate();

    BOOL m_bAutoDelete = TRUE;   // delete the document when its last view goes
    BOOL m_bEmbedded = FALSE;

protected:
    // Called whenever a view is added or removed: with no views left an
    // auto-delete document closes itself.
    virtual void OnChangedViewList();
    void DisconnectViews();

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    CPtrList m_viewList;
    BOOL m_bModified = FALSE;

    friend class CDocTemplate;

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// Printing: what one print job of a view knows

struct CPrintInfo
{
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    PRINTDLGA m_pd = {};           // the print dialog's data (flags, page range)
    BOOL m_bDirect = FALSE;        // print without asking
    BOOL m_bPreview = FALSE;       // the job shows a print preview (PrintPreview.h)
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 0;
    CString m_strPageDesc;
    LPVOID m_lpUserData = nullptr;
    CRect m_rectDraw;              // printable area of the page, in logical units

    void SetMinPage(UINT nMinPage) { m_pd.nMinPage = (WORD)nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_pd.nMaxPage = (WORD)nMaxPage; }
    UINT GetMinPage() const { return m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pd.nMaxPage; }
    UINT GetFromPage() const { return m_pd.nFromPage; }
    UINT GetToPage() const { return m_pd.nToPage; }
    UINT GetOffsetPage() const { return 0; }
};

/////////////////////////////////////////////////////////////////////////////
// CView

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
protected:
    CView();
public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // The view's first update after its document is ready: OnUpdate with
    // no hint.
    virtual void OnInitialUpdate();
    // A change of the document (UpdateAllViews); repaints by default.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // The view becomes (or stops being) its frame's active view; the
    // active view takes the focus when its frame is active.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    // Its frame is activated or deactivated (nState as WM_ACTIVATE).
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    virtual BOOL IsSelected(const CObject* pDocItem) const;

    // Printing: OnFilePrint asks OnPreparePrinting (which usually calls
    // DoPreparePrinting for the print dialog), then prints page after page
    // with OnPrepareDC and OnPrint while m_bContinuePrinting.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    afx_msg void OnFilePrint();
    // Shows the pages in a print preview in place of the view (PrintPreview.h).
    afx_msg void OnFilePrintPreview();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;

    // The parent frame; a view always has one while it has a window.
    CFrameWnd* EnsureParentFrame() const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);

protected:
    CDocument* m_pDocument = nullptr;
    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CScrollView: a view larger than its window, scrolled (text mapping mode)

class CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
protected:
    CScrollView();
public:
    ~CScrollView() override;

    static const SIZE sizeDefault;

    // The size of the whole view in pixels; sizePage and sizeLine are the
    // steps of a page and a line (sizeDefault: a tenth and a hundredth).
    // Only MM_TEXT is supported.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CSize GetTotalSize() const { return m_totalLog; }
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const;
    void ScrollToPosition(POINT pt);
    // Resizes the parent frame so that the view's window just holds the
    // whole view; with bShrinkOnly the frame only gets smaller.
    void ResizeParentToFit(BOOL bShrinkOnly = TRUE);

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

protected:
    void UpdateBars();
    void ScrollBy(int nBar, int nDelta);

    int m_nMapMode = 0;      // 0 until SetScrollSizes
    CSize m_totalLog;        // the whole view
    CSize m_pageDev;         // one page
    CSize m_lineDev;         // one line
    bool m_bInsideUpdate = false;

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CFormView: a view made from a dialog template

class CFormView : public CScrollView
{
    DECLARE_DYNAMIC(CFormView)
protected:
    explicit CFormView(LPCTSTR lpszTemplateName);
    explicit CFormView(UINT nIDTemplate);
public:
    ~CFormView() override;

    // Creates the form's window from the template (as a child whatever the
    // template says), with the requested border, id and rectangle; the
    // controls of the template are its children.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;

    // Fills the controls (UpdateData(FALSE)), then the scroll view's update.
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd) override;
    // Dialog keys (Tab, arrows, mnemonics) among the form's controls, after
    // the frames have had their accelerators.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    LPCTSTR m_lpszTemplateName = nullptr;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSetFocus(CWnd* pOldWnd);

protected:
    // Remembers the control that has the focus; TRUE when there is one.
    BOOL SaveFocusControl();

    CCreateContext* m_pCreateContext = nullptr;
    HWND m_hWndFocus = nullptr;

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CDocTemplate: the document, frame and view classes of one kind of document

class CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);
public:
    ~CDocTemplate() override;

    // The parts of the template's string (string nIDResource), separated
    // by '\n', in this order.
    enum DocStringIndex
    {
        windowTitle,      // title of a single-document main window
        docName,          // base of new documents' names ("Sheet" -> "Sheet1")
        fileNewName,      // name in the File New choice
        filterName,       // file dialog filter text, e.g. "Sheets (*.sht)"
        filterExt,        // its extension(s), e.g. ".sht" or ".a;.b"
        regFileTypeId,
        regFileTypeName,
    };
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;

    // How well a path suits this template (higher is better).
    enum Confidence
    {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen,
    };
    // yesAlreadyOpen (and the document) when a document of this template
    // has that path; yesAttemptNative when the extension is the template's.
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);

    // Loads the strings (and, for multiple documents, the shared menu and
    // accelerators) of the resource id; called when the template is added.
    virtual void LoadTemplate();

    // Documents of the template
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    // Parts of File New and File Open
    virtual CDocument* CreateNewDocument();
    // A frame (with its view) for pDoc; pOther is a frame to copy (Window New).
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    // A new document (null path) or the file; null when it failed (the user
    // has been told why).
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bAddToMRU, BOOL bMakeVisible) = 0;

    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    BOOL m_bAutoDelete = TRUE;   // deleted by the document manager
};

/////////////////////////////////////////////////////////////////////////////
// CMultiDocTemplate: any number of documents, each in MDI child frames

class CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    void LoadTemplate() override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    // docName followed by a number ("Kelvar1", "Kelvar2"...), or "Untitled".
    void SetDefaultTitle(CDocument* pDocument) override;
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bAddToMRU, BOOL bMakeVisible) override;

    HMENU m_hMenuShared = nullptr;  // the menu of the frames while one is active
    HACCEL m_hAccelTable = nullptr;

protected:
    CPtrList m_docList;
    UINT m_nUntitledCount = 0;      // new documents made so far
};

/////////////////////////////////////////////////////////////////////////////
// CDocManager: the application's templates (made by CWinApp::AddDocTemplate)

class CDocManager : public CObject
{
    DECLARE_DYNAMIC(CDocManager)
public:
    CDocManager();
    ~CDocManager() override;   // deletes the templates marked m_bAutoDelete

    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    virtual POSITION GetFirstDocTemplatePosition() const;
    virtual CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual int GetDocumentCount();

    // A file open already is activated and returned; otherwise the template
    // that suits it best opens it. Null when it could not be opened.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName, BOOL bAddToMRU = TRUE);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

    // The file dialog; TRUE with the chosen path in fileName.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    // File New with the first template; File Open through the file dialog.
    virtual void OnFileNew();
    virtual void OnFileOpen();

    // The filter of the file dialog: one entry per template with a filter,
    // then "All Files (*.*)", as "text|pattern|...|" (the template's entry
    // first when one is given). *pnDefault gets the 1-based index of the
    // template's entry (or 1).
    static CString BuildFilter(const CPtrList& templates, CDocTemplate* pTemplate, int* pnDefault);

protected:
    CPtrList m_templateList;
};

/////////////////////////////////////////////////////////////////////////////
// The command line

class CCommandLineInfo : public CObject
{
public:
    CCommandLineInfo();
    ~CCommandLineInfo() override;

    // One argument: bFlag when it began with '-' or '/' (which is removed);
    // bLast for the last one. Flags: "pt" printer driver port, "p" print,
    // "dde", "Embedding", "Automation", "Register"/"Regserver",
    // "Unregister"/"Unregserver", "nologo"; the first plain argument is the
    // file to open.
    virtual void ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast);

    enum
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        RestartByRestartManager,
        FileNothing = -1,
    } m_nShellCommand;

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const char* pszParam);
    void ParseParamNotFlag(const char* pszParam);
    void ParseLast(BOOL bLast);
};

// Splits a command line into arguments the way Windows programs do: spaces
// separate, double quotes group (and are removed), backslashes escape a quote
// only when they come right before one. The program's name is not expected.
std::vector<CString> AFXAPI AfxSplitCommandLine(LPCTSTR lpszCommandLine);

/////////////////////////////////////////////////////////////////////////////
// Command routing through the frame in charge

// While a frame routes a command, it is the thread's routing frame (for the
// handlers that want to know which frame asked).
class CPushRoutingFrame
{
public:
    explicit CPushRoutingFrame(CFrameWnd* pNewFrame);
    ~CPushRoutingFrame();
    CPushRoutingFrame(const CPushRoutingFrame&) = delete;
    CPushRoutingFrame& operator=(const CPushRoutingFrame&) = delete;

private:
    CFrameWnd* m_pOldRoutingFrame;
};
CFrameWnd* AFXAPI AfxGetRoutingFrame();

/////////////////////////////////////////////////////////////////////////////
// Help contexts made by the frame's help mode and command help: a command's
// context is its id above HID_BASE_COMMAND, a control's its dialog id above
// HID_BASE_CONTROL, a non-client area's its hit-test code above
// HID_BASE_NCAREAS.

#ifndef HID_BASE_COMMAND
#define HID_BASE_COMMAND   0x00010000UL
#define HID_BASE_RESOURCE  0x00020000UL
#define HID_BASE_NCAREAS   0x00040000UL
#define HID_BASE_CONTROL   0x00050000UL
#endif

/////////////////////////////////////////////////////////////////////////////
// What a frame hides while it shows a print preview, to give it back after

struct CPrintPreviewState
{
    BOOL m_bActive = FALSE;                // the frame is in preview mode
    HMENU hMenu = nullptr;                 // the menu taken off the frame
    HACCEL hAccelTable = nullptr;          // the accelerators set aside
    HWND hWndFocus = nullptr;              // where the focus was
    std::vector<CControlBar*> hiddenBars;  // bars that were visible
};

/////////////////////////////////////////////////////////////////////////////
// CFrameWnd

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // CW_USEDEFAULT position and size.
    static const CRect rectDefault;

    // Creates the window. rect may be rectDefault; lpszMenuName names a menu
    // resource given to the window; pContext (passed to OnCreate) describes
    // the view to make.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                        CCreateContext* pContext = nullptr);
    // Creates the frame from resource nIDResource: the title from its string
    // (first part), its icon, menu and accelerators when they exist.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);

    // Views and documents
    CView* GetActiveView() const { return m_pViewActive; }
    // Makes pViewNew the active view: the old one is told it lost the
    // activation, the new one (bNotify) that it got it.
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    // The frame whose view is active: this frame (the active MDI child for
    // an MDI frame).
    virtual CFrameWnd* GetActiveFrame();
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // Makes the first view active, sends the initial update to the views
    // and shows the frame (bMakeVisible), then updates the captions.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // Shows the frame (nCmdShow -1: normal or restored as it needs) and brings
    // it to the top.
    virtual void ActivateFrame(int nCmdShow = -1);

    // Title
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    // Menu for the current state (the active document's, else the frame's own).
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual HACCEL GetDefaultAccelerator();

    // Layout: places the control bars and gives the rest to the view (or
    // the MDI client); a frame with FWS_SNAPTOBARS (a floating frame) takes
    // the size its bars ask for. DelayRecalcLayout asks for it on the next
    // idle pass.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    virtual BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder);
    enum BorderCmd { borderGet = 1, borderRequest = 2, borderSet = 3 };

    // Control bars
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    CControlBar* GetControlBar(UINT nID);
    // Shows or hides the bar (bDelay: at the next layout) and lays out
    // again; the floating frame of a floating bar shows while it holds a
    // visible bar and hides with its last one.
    virtual void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);

    // Docking. EnableDocking gives the frame a dock bar on each side named
    // in dwDockStyle (CBRS_ALIGN_ bits), made in the order top, bottom,
    // left, right, so that the top and bottom rows span the whole width;
    // calling it again for a side that has one makes nothing new.
    virtual void EnableDocking(DWORD dwDockStyle);
    // Docks pBar on the dock bar nDockBarID (AFX_IDW_DOCKBAR_TOP...), or
    // with 0 on the dock bar under lpRect, else on the first of top, bottom,
    // left, right that the bar may dock on. lpRect (screen coordinates)
    // places the bar in the row under its centre; without it the bar gets a
    // new row at the end. The layout follows at the next idle pass.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Docks the bar back where it last was: the dock bar holding its place
    // (pDockBar, or with null the frame's dock bar that kept a place for it),
    // in the row it left; without a kept place as DockControlBar.
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Floats the bar in a floating frame whose top-left corner is at point
    // (screen), kept on the work area. dwStyle: CBRS_ALIGN_TOP for a
    // horizontal arrangement, CBRS_ALIGN_LEFT for a vertical one, with
    // CBRS_FLOAT_MULTI when other bars may join it.
    virtual void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    // The side (CBRS_ALIGN_ bit) of the frame's docked dock bar that rect
    // (screen) touches among those dwDockStyle allows, 0 when none; the dock
    // bar itself in *ppDockBar. An empty side answers along its edge.
    DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = nullptr);
    // A new floating frame (of m_pFloatingFrameClass) for bars of dwStyle;
    // a frame that cannot be made raises the resource exception.
    virtual CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    CRuntimeClass* m_pFloatingFrameClass;

    // The layout of the frame's bars in the profile (sections
    // "<name>-Summary" and "<name>-Bar<n>"). Loading applies what is sound
    // of the saved layout and leaves the rest as the frame built it.
    virtual void LoadBarState(LPCTSTR lpszProfileName);
    virtual void SaveBarState(LPCTSTR lpszProfileName) const;
    // The layout of every bar of the frame, and back.
    void GetDockState(CDockState& state) const;
    void SetDockState(const CDockState& state);

    // Print preview: entering (bPreview) hides the frame's visible control
    // bars and takes its menu and accelerators away, remembering them in
    // pState; leaving gives back what entering took. A second call with the
    // same bPreview does nothing.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);

    // Sends WM_FLOATSTATUS with dwFlags (FS_ bits) to every popup window
    // the frame (or its top-level frame) owns, such as floating tool
    // windows, so that they show the frame's state in their own captions.
    void NotifyFloatingWindows(DWORD dwFlags);

    // Context help. m_bHelpMode is one of these states.
    enum HelpModeState { HELP_INACTIVE = 0, HELP_ACTIVE = 1, HELP_ENTERING = 2 };
    // TRUE when the frame may start the help mode: it is not in it already,
    // it is enabled, and no window has the mouse captured.
    BOOL CanEnterHelpMode();
    // One message taken while in help mode (msg as peeked, still queued).
    // Returns TRUE while the mode goes on. Escape or WM_EXITHELPMODE end it
    // with no context; a left click ends it with the context of what was
    // clicked (*pContext): the first window from the one hit up to the frame
    // that answers WM_HELPHITTEST, else the control's id above
    // HID_BASE_CONTROL, or for a click outside a client area the hit-test
    // code above HID_BASE_NCAREAS. Other mouse input is swallowed; anything
    // else is dispatched as usual.
    BOOL ProcessHelpMsg(MSG& msg, DWORD* pContext);
    // WM_COMMANDHELP (lParam: a help context, 0 for none): with no context the
    // prompt being shown gives one (its id above HID_BASE_COMMAND); a context
    // opens the application's help for it and answers TRUE.
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);

    // Status line
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    // The status bar (the descendant with id AFX_IDW_STATUS_BAR), or null.
    virtual CWnd* GetMessageBar();
    // The prompt of a command: its string up to the first '\n'.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;

    BOOL IsFrameWnd() const override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;

    // Handlers with the framework's behaviour (public so that derived frames
    // can call them, e.g. a close routine ending in the frame's own close).
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    // The CAP, NUM, SCRL and KANA panes show while their key is toggled on.
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);

    // Idle work a frame asks for (m_nIdleFlags).
    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };

    int m_nShowDelay = -1;           // SW_ command a layout carries out (-1: none)
    BOOL m_bAutoMenuEnable = TRUE;   // items without a handler are disabled
    UINT m_nIDHelp = 0;              // the resource id the frame was loaded with
    UINT m_nIDTracking = 0;          // the prompt being shown or to show
    UINT m_nIDLastMessage = 0;       // the prompt shown last
    int m_nWindow = -1;              // number among the frames of its document (0: the only one)
    UINT m_nIdleFlags = 0;
    BOOL m_bHelpMode = FALSE;
    HMENU m_hMenuDefault = nullptr;  // the menu when no document asks for another
    HACCEL m_hAccelTable = nullptr;
    CPtrList m_listControlBars;      // the control bars of the frame
    CRect m_rectBorder;              // border space taken by in-place tools (none here)

protected:
    // OnCreate's work once the creation context is known.
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // Makes the view (or the MDI client) of the frame.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // The window class to use for nIDResource: one with the icon of that id
    // when the program has it, else the default.
    LPCTSTR GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource);
    void BringToTop(int nCmdShow);

    CView* m_pViewActive = nullptr;
    CString m_strTitle;
    BOOL m_bInRecalcLayout = FALSE;

    friend class CView;
    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CMDIFrameWnd: the main window of a multiple-document program

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    HWND m_hWndMDIClient = nullptr;

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    // Creates the MDI client (id AFX_IDW_PANE_FIRST) with pWindowMenu as the
    // menu that lists the child windows; the frame's scroll bar styles move
    // to the client.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // The popup of the menu bar that holds Window commands, or null.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);
    // The client sets its scroll bars in a message it posts to itself when
    // its children change; this handles the ones waiting now. A frame laid
    // out while hidden calls it before it first shows, so that a maximised
    // child is sized once, without the bars, instead of again (and drawn
    // again) when the message comes.
    void SettleClientScrollBars();

    // The active child frame (null when none); *pbMaximized tells whether
    // it is maximised.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDINext();
    void MDIPrev();
    void MDICascade();
    void MDITile(int nType = MDITILE_HORIZONTAL);
    void MDIIconArrange();
    // Puts pFrameMenu on the frame and pWindowMenu as the list of windows.
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);

    CFrameWnd* GetActiveFrame() override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnWindowNew();
    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CMDIChildWnd: the frame of one view inside the MDI client

class CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    // Created through the MDI client of pParentWnd (null: the main window).
    // Always made hidden; WS_VISIBLE in dwStyle shows and activates it.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CMDIFrameWnd* pParentWnd = nullptr,
                        CCreateContext* pContext = nullptr);
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL DestroyWindow() override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // Puts the shared menu (the document's, else the template's) on the
    // main frame when the child becomes active; the main frame's default
    // menu when the last child goes.
    virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    HACCEL GetDefaultAccelerator() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);

    HMENU m_hMenuShared = nullptr;   // the template's menu for this child

protected:
    DECLARE_MESSAGE_MAP()
};
