#include "frame/doctemplate/OZWMultiDocTemplate.h"
#include "frame/doctemplate/OZWDocTemplateUtils.h"
#include "platform/theme/ThemeLib.h"
#include <functional>
#include <vector>

IMPLEMENT_DYNAMIC(OZWMultiDocTemplate, CMultiDocTemplate)

BEGIN_MESSAGE_MAP(OZWMultiDocTemplate, CMultiDocTemplate)
END_MESSAGE_MAP()

namespace {

const UINT kDockBarTop = AFX_IDW_DOCKBAR_TOP;        // 0xE81B
const UINT kDockBarLeft = AFX_IDW_DOCKBAR_TOP + 1;   // 0xE81C
const UINT kDockBarRight = AFX_IDW_DOCKBAR_TOP + 2;  // 0xE81D
const UINT kDockBarBottom = AFX_IDW_DOCKBAR_TOP + 3; // 0xE81E
const UINT kFirstBarID = 0x100;
// A child frame docked in a host bar: WS_CHILD | WS_CAPTION | WS_SYSMENU | FWS_ADDTOTITLE.
const DWORD kDockedFrameStyle = 0x40C88000;
// The host bar: WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | CBRS_TOP-style border bit.
const DWORD kHostBarStyle = 0x50000004;

bool IsSideDockBar(UINT nID)
{
    return nID >= kDockBarTop && nID <= kDockBarBottom;
}

// Bar alignment (CBRS_ALIGN_... with the border of the side) for a dock bar.
DWORD AlignmentFor(UINT nDockBarID)
{
    switch (nDockBarID) {
    case kDockBarTop: return 0x2800;
    case kDockBarLeft: return 0x1400;
    case kDockBarRight: return 0x4100;
    case kDockBarBottom: return 0x8200;
    default: return 0;
    }
}

CRuntimeClass* OrByName(CRuntimeClass* pClass, const char* lpszName, CRuntimeClass* pFallback)
{
    if (pClass != nullptr)
        return pClass;
    CRuntimeClass* pNamed = CRuntimeClass::FromName(lpszName);
    return pNamed != nullptr ? pNamed : pFallback;
}

DWORD CheckedFlags(DWORD dwFlags)
{
    return dwFlags == (DWORD)-1 ? 7 : dwFlags;
}

// The child windows of a window, top first.
std::vector<HWND> Children(HWND hWnd)
{
    std::vector<HWND> children;
    for (HWND h = ::GetWindow(hWnd, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
        children.push_back(h);
    return children;
}

} // namespace

OZWMultiDocTemplate::OZWMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                         CRuntimeClass* pViewClass, DWORD dwFlags)
    : OZWMultiDocTemplate(nIDResource, pDocClass, nullptr, pViewClass, 0, nullptr, nullptr, dwFlags)
{
}

OZWMultiDocTemplate::OZWMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                         CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass,
                                         UINT nDockMenuID, CRuntimeClass* pDockFrameClass,
                                         CRuntimeClass* pDockBarClass, DWORD dwFlags)
    : CMultiDocTemplate(nIDResource, pDocClass,
                        OrByName(pFrameClass, "OZWMDIChildWnd", RUNTIME_CLASS(CMDIChildWnd)), pViewClass)
{
    // The toolkit's frames lie in a higher layer: the defaults are found by name.
    m_pDockFrameClass = OrByName(pDockFrameClass, "OZWDockableFrame", nullptr);
    m_pDockBarClass = OrByName(pDockBarClass, "OZWFrameBar", nullptr);
    m_nDockMenuID = nDockMenuID != 0 ? nDockMenuID : nIDResource;
    m_dwMDIChildFlags = m_dwDockFrameFlags = CheckedFlags(dwFlags);
}

OZWMultiDocTemplate::~OZWMultiDocTemplate()
{
    if (m_hMenuDock != nullptr)
        ::DestroyMenu(m_hMenuDock);
    m_hMenuDock = nullptr;
    m_hAccelDock = nullptr;   // accelerator tables of a module need no freeing
    for (POSITION pos = m_listHiddenFrames.GetHeadPosition(); pos != nullptr;) {
        HWND hWnd = m_listHiddenFrames.GetNext(pos);
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
    }
    m_listHiddenFrames.RemoveAll();
}

void OZWMultiDocTemplate::LoadTemplate()
{
    CMultiDocTemplate::LoadTemplate();
    if (m_nDockMenuID != 0 && m_hMenuDock == nullptr) {
        HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(m_nDockMenuID), RT_MENU);
        m_hMenuDock = ::LoadMenu(hInst, MAKEINTRESOURCE(m_nDockMenuID));
        m_hAccelDock = ::LoadAccelerators(hInst, MAKEINTRESOURCE(m_nDockMenuID));
    }
}

IOZWDockingSite* OZWMultiDocTemplate::DockingSite() const
{
    return dynamic_cast<IOZWDockingSite*>(AfxGetMainWnd());
}

CFrameWnd* OZWMultiDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    return CreateNewFrameEx(pDoc, pOther, m_bOpenDocked, m_nDockBarID);
}

CFrameWnd* OZWMultiDocTemplate::CreateNewFrameEx(CDocument* pDoc, CFrameWnd* pOther, BOOL bDocked,
                                                 UINT nDockBarID)
{
    m_bOpenDocked = bDocked;
    // A dock bar's id names a side, not the host bar's own id.
    if (IsSideDockBar(m_nDockBarID))
        m_nDockBarID = 0;
    CFrameWnd* pFrame = nullptr;
    if (bDocked) {
        UINT nBar = kDockBarTop;
        CSize size(0, 150);
        float fShare = 1.0f;
        if (IOZWDockingSite* pSite = DockingSite())
            pSite->GetDefaultDockingInfo(nBar, size, fShare);
        if (IsSideDockBar(nDockBarID))
            nBar = nDockBarID;
        pFrame = CreateDockedFrame(pDoc, pOther, nBar, &size, &fShare);
    } else {
        pFrame = CMultiDocTemplate::CreateNewFrame(pDoc, pOther);
        if (pFrame != nullptr)
            ApplyFrameFlags(pFrame, m_dwMDIChildFlags);
    }
    m_bOpenDocked = FALSE;
    m_nDockBarID = 0;
    return pFrame;
}

CFrameWnd* OZWMultiDocTemplate::CreateDockedFrame(CDocument* pDoc, CFrameWnd* pOther, UINT nDockBarID,
                                                  const CSize* pSize, const float* pRowShare)
{
    IOZWDockingSite* pSite = DockingSite();
    CRuntimeClass* pBarClass = OrByName(m_pDockBarClass, "OZWControlBar", nullptr);
    if (pSite == nullptr || pBarClass == nullptr || m_pDockFrameClass == nullptr)
        return nullptr;

    // The frame is loaded with the docking menu's resources.
    const UINT nSavedResource = m_nIDResource;
    m_nIDResource = m_nDockMenuID;
    struct Restore
    {
        UINT& target;
        UINT value;
        ~Restore() { target = value; }
    } restore { m_nIDResource, nSavedResource };

    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewDocTemplate = this;
    context.m_pCurrentFrame = pOther;

    CObject* pObject = pBarClass->CreateObject();
    CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, pObject);
    if (pBar == nullptr) {
        delete pObject;
        return nullptr;
    }

    UINT nBar = kDockBarTop;
    CSize size(0, 150);
    float fShare = 1.0f;
    pSite->GetDefaultDockingInfo(nBar, size, fShare);
    if (pSize != nullptr)
        size = *pSize;
    if (pRowShare != nullptr)
        fShare = *pRowShare;
    if (nDockBarID == 0)
        nDockBarID = nBar;

    UINT nID = (m_nDockBarID > 0 && pSite->IsBarIDFree(m_nDockBarID)) ? m_nDockBarID
                                                                      : pSite->GetNextFreeBarID(kFirstBarID);
    m_nDockBarID = 0;

    CString title = pDoc != nullptr ? pDoc->GetTitle() : CString();
    if (!pSite->CreateAndDockHostBar(pBar, title, AlignmentFor(nDockBarID) | kHostBarStyle, nID,
                                     nDockBarID, size, fShare)) {
        if (::IsWindow(pBar->m_hWnd))
            pBar->DestroyWindow();
        delete pBar;
        return nullptr;
    }
    // From now on the bar goes with its window.
    pBar->m_bAutoDelete = TRUE;

    CObject* pFrameObject = m_pDockFrameClass->CreateObject();
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pFrameObject);
    if (pFrame == nullptr || !pFrame->LoadFrame(m_nDockMenuID, kDockedFrameStyle, pBar, &context)) {
        // A frame that could not be loaded has deleted itself with its window;
        // an object that never became a frame has not. The empty host bar goes.
        if (pFrame == nullptr)
            delete pFrameObject;
        pBar->DestroyWindow();
        pSite->RelayoutDockBars();
        return nullptr;
    }
    ApplyFrameFlags(pFrame, m_dwDockFrameFlags);
    pSite->RelayoutDockBars();
    return pFrame;
}

CDocument* OZWMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible, BOOL bDocked,
                                                 UINT nDockBarID)
{
    m_bOpenDocked = bDocked;
    if (bDocked)
        m_nDockBarID = nDockBarID;
    CDocument* pDoc = CMultiDocTemplate::OpenDocumentFile(lpszPathName, TRUE, bMakeVisible);
    if (bDocked && pDoc != nullptr) {
        POSITION pos = pDoc->GetFirstViewPosition();
        CView* pView = pos != nullptr ? pDoc->GetNextView(pos) : nullptr;
        if (pView != nullptr)
            ActivateFrame(pView->GetParentFrame());
    }
    m_bOpenDocked = FALSE;
    m_nDockBarID = 0;
    return pDoc;
}

CFrameWnd* OZWMultiDocTemplate::ToggleDocking(CFrameWnd* pFrame)
{
    return IsDockedFrame(pFrame) ? FloatFrame(pFrame) : DockFrame(pFrame);
}

BOOL OZWMultiDocTemplate::IsDockedFrame(CWnd* pWnd)
{
    if (pWnd == nullptr)
        return FALSE;
    CRuntimeClass* pDockable = OZWDocTemplateUtils::DockableFrameClass();
    return (pDockable != nullptr && pWnd->IsKindOf(pDockable))
           || (m_pDockFrameClass != nullptr && pWnd->IsKindOf(m_pDockFrameClass));
}

int OZWMultiDocTemplate::GetDockSide(CFrameWnd* pFrame)
{
    if (!IsDockedFrame(pFrame))
        return -1;
    CWnd* pBar = pFrame->GetParent();
    CWnd* pDockBar = pBar != nullptr ? pBar->GetParent() : nullptr;
    switch (pDockBar != nullptr ? pDockBar->GetDlgCtrlID() : 0) {
    case kDockBarTop: return 0;
    case kDockBarLeft: return 1;
    case kDockBarRight: return 3;
    case kDockBarBottom: return 2;
    default: break;
    }
    CControlBar* pControlBar = DYNAMIC_DOWNCAST(CControlBar, pBar);
    return pControlBar != nullptr && pControlBar->IsFloating() ? 4 : -1;
}

CView* OZWMultiDocTemplate::ChooseActiveView(CFrameWnd* pFrame)
{
    if (pFrame == nullptr || pFrame->GetActiveView() != nullptr)
        return nullptr;
    for (HWND h : Children(pFrame->m_hWnd)) {
        CView* pView = DYNAMIC_DOWNCAST(CView, CWnd::FromHandlePermanent(h));
        if (pView != nullptr) {
            pFrame->SetActiveView(pView, FALSE);
            return pView;
        }
    }
    return nullptr;
}

CFrameWnd* OZWMultiDocTemplate::MoveViews(CFrameWnd* pFrame, BOOL bDocking,
                                          const std::function<CFrameWnd*(CDocument*)>& makeFrame)
{
    CDocument* pDoc = pFrame->GetActiveDocument();
    // The views move over; no new one is made.
    CRuntimeClass* pViewClass = m_pViewClass;
    m_pViewClass = nullptr;
    CFrameWnd* pNewFrame = makeFrame(pDoc);
    m_pViewClass = pViewClass;
    // Without a new frame the old one stays as it is, views and all.
    if (pNewFrame == nullptr)
        return nullptr;

    CView* pView = pFrame->GetActiveView();
    MoveChildren(pFrame, pNewFrame);
    // Only an item this move deactivates is activated again after it.
    m_pDeactivatedItem = nullptr;
    IOZWVwDockFeedBack* pFeedback = GetFeedback(pView);
    if (pFeedback != nullptr) {
        if (bDocking)
            pFeedback->OnBeforeDocking(pFrame, pNewFrame);
        else
            pFeedback->OnBeforeFloating(pFrame, pNewFrame);
    } else if (COleDocument* pOleDoc = pView != nullptr ? DYNAMIC_DOWNCAST(COleDocument, pView->GetDocument()) : nullptr) {
        // An item running in place in the view would be left in the old
        // frame's window: it is deactivated for the move.
        if (COleClientItem* pItem = pOleDoc->GetInPlaceActiveItem(pView)) {
            pItem->Deactivate();
            m_pDeactivatedItem = pItem;
        }
    }
    if (bDocking)
        CloseFrame(pFrame);
    CView* pChosenView = ChooseActiveView(pNewFrame);
    ActivateFrame(pNewFrame);
    if (!bDocking)
        CloseFrame(pFrame);
    if (pFeedback != nullptr) {
        if (bDocking)
            pFeedback->OnAfterDocking(pNewFrame);
        else
            pFeedback->OnAfterFloating(pNewFrame);
    } else if (m_pDeactivatedItem != nullptr && pChosenView != nullptr) {
        m_pDeactivatedItem->Activate(OLEIVERB_SHOW, pChosenView, nullptr);
    }
    m_pDeactivatedItem = nullptr;
    return pNewFrame;
}

CFrameWnd* OZWMultiDocTemplate::DockFrame(CFrameWnd* pFrame, UINT nDockBarID, const CSize* pSize,
                                          const float* pRowShare)
{
    if (pFrame == nullptr || IsDockedFrame(pFrame))
        return nullptr;
    return MoveViews(pFrame, TRUE, [&](CDocument* pDoc) {
        return CreateDockedFrame(pDoc, nullptr, nDockBarID, pSize, pRowShare);
    });
}

CFrameWnd* OZWMultiDocTemplate::DockFrame(CFrameWnd* pFrame)
{
    return DockFrame(pFrame, 0, nullptr, nullptr);
}

CFrameWnd* OZWMultiDocTemplate::FloatFrame(CFrameWnd* pFrame)
{
    if (!IsDockedFrame(pFrame))
        return nullptr;
    CFrameWnd* pNewFrame = MoveViews(pFrame, FALSE, [this](CDocument* pDoc) {
        return CreateNewFrame(pDoc, nullptr);
    });
    if (pNewFrame != nullptr)
        pNewFrame->SendMessage(WM_SIZE, 0, 0);
    return pNewFrame;
}

void OZWMultiDocTemplate::MoveChildren(CFrameWnd* pFrom, CWnd* pTo)
{
    if (pFrom == nullptr || pTo == nullptr)
        return;
    for (HWND h : Children(pFrom->m_hWnd)) {
        CWnd* pChild = CWnd::FromHandlePermanent(h);
        if (pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(CView)) && UXGetSysData()->bToolWindowFloat
            && (pChild->GetExStyle() & WS_EX_CLIENTEDGE) != 0)
            pTo->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
        ::SetParent(h, pTo->m_hWnd);
    }
}

BOOL OZWMultiDocTemplate::ActivateFrame(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return FALSE;
    pFrame->SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);
    int nCmdShow = -1;
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == pFrame) {
        nCmdShow = pApp->m_nCmdShow;
        pApp->m_nCmdShow = -1;
    }
    pFrame->ActivateFrame(nCmdShow);
    pFrame->OnUpdateFrameTitle(TRUE);
    return TRUE;
}

void OZWMultiDocTemplate::ApplyFrameFlags(CFrameWnd* pFrame, DWORD dwFlags)
{
    if (IOZWSysCommandExFrame* pTarget = dynamic_cast<IOZWSysCommandExFrame*>(pFrame))
        pTarget->EnableSysCommandEx(dwFlags);
}

void OZWMultiDocTemplate::EnableOption(DWORD dwBit, DWORD dwAddOn, BOOL bOn, BOOL bApply)
{
    // An option is on while its bit is clear.
    const BOOL bIsOn = (m_dwMDIChildFlags & dwBit) == 0;
    if (bIsOn == (bOn != FALSE))
        return;
    if (bOn)
        ModifyFlags(dwBit, dwAddOn, bApply);
    else
        ModifyFlags(0, dwBit, bApply);
}

void OZWMultiDocTemplate::EnableOption1(BOOL bOn, BOOL bApply)
{
    EnableOption(2, 1, bOn, bApply);
}

void OZWMultiDocTemplate::EnableOption2(BOOL bOn, BOOL bApply)
{
    EnableOption(4, 1 | 8, bOn, bApply);   // switches option 3 off
}

void OZWMultiDocTemplate::EnableOption3(BOOL bOn, BOOL bApply)
{
    EnableOption(8, 1 | 4, bOn, bApply);   // switches option 2 off
}

BOOL OZWMultiDocTemplate::IsOption1Enabled()
{
    return (m_dwMDIChildFlags & 2) == 0;
}

BOOL OZWMultiDocTemplate::IsOption2Enabled()
{
    return (m_dwMDIChildFlags & 4) == 0;
}

BOOL OZWMultiDocTemplate::IsOption3Enabled()
{
    return (m_dwMDIChildFlags & 8) == 0;
}

void OZWMultiDocTemplate::ModifyFlags(DWORD dwRemove, DWORD dwAdd, BOOL bApply)
{
    const DWORD dwChild = (m_dwMDIChildFlags & ~dwRemove) | dwAdd;
    const DWORD dwDock = (m_dwDockFrameFlags & ~dwRemove) | dwAdd;
    const BOOL bChanged = dwChild != m_dwMDIChildFlags || dwDock != m_dwDockFrameFlags;
    m_dwMDIChildFlags = dwChild;
    m_dwDockFrameFlags = dwDock;
    if (bChanged && bApply)
        RefreshFrames();
}

void OZWMultiDocTemplate::RefreshFrames()
{
    CFrameWnd* pLast = nullptr;
    BOOL bAnyMaximised = FALSE;
    for (POSITION posDoc = GetFirstDocPosition(); posDoc != nullptr;) {
        CDocument* pDoc = GetNextDoc(posDoc);
        for (POSITION posView = pDoc->GetFirstViewPosition(); posView != nullptr;) {
            CView* pView = pDoc->GetNextView(posView);
            CFrameWnd* pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
            if (pFrame == nullptr || pFrame == pLast)
                continue;
            pLast = pFrame;
            ApplyFrameFlags(pFrame, IsDockedFrame(pFrame) ? m_dwDockFrameFlags : m_dwMDIChildFlags);
            if (::IsWindow(pFrame->m_hWnd)) {
                pFrame->SetWindowPos(nullptr, 0, 0, 0, 0,
                                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
                if (pFrame->IsZoomed())
                    bAnyMaximised = TRUE;
            }
        }
    }
    CWnd* pMain = AfxGetMainWnd();
    if (bAnyMaximised && pMain != nullptr && ::IsWindow(pMain->m_hWnd))
        pMain->DrawMenuBar();
}

/////////////////////////////////////////////////////////////////////////////
// OZWVwDockFeedBackOleImp

void OZWVwDockFeedBackOleImp::OnBeforeDocking(CFrameWnd*, CFrameWnd*)
{
    CloseActiveItem();
}

void OZWVwDockFeedBackOleImp::OnAfterDocking(CFrameWnd*)
{
    ReactivateItem();
}

void OZWVwDockFeedBackOleImp::OnBeforeFloating(CFrameWnd*, CFrameWnd*)
{
    CloseActiveItem();
}

void OZWVwDockFeedBackOleImp::OnAfterFloating(CFrameWnd*)
{
    ReactivateItem();
}

void OZWVwDockFeedBackOleImp::CloseActiveItem()
{
    CView* pView = dynamic_cast<CView*>(this);
    COleDocument* pDoc = pView != nullptr ? DYNAMIC_DOWNCAST(COleDocument, pView->GetDocument()) : nullptr;
    if (pDoc == nullptr)
        return;
    POSITION pos = pDoc->GetStartPosition();
    while (COleClientItem* pItem = pDoc->GetNextClientItem(pos)) {
        const UINT nState = pItem->GetItemState();
        if (nState == COleClientItem::activeState || nState == COleClientItem::activeUIState) {
            pItem->Close(OLECLOSE_SAVEIFDIRTY);
            m_pClosedItem = pItem;
            return;
        }
    }
}

void OZWVwDockFeedBackOleImp::ReactivateItem()
{
    if (m_pClosedItem == nullptr)
        return;
    COleClientItem* pItem = m_pClosedItem;
    m_pClosedItem = nullptr;
    pItem->Activate(OLEIVERB_SHOW, dynamic_cast<CView*>(this), nullptr);
}

IOZWVwDockFeedBack* OZWMultiDocTemplate::GetFeedback(CView* pView)
{
    return dynamic_cast<IOZWVwDockFeedBack*>(pView);
}

void OZWMultiDocTemplate::CloseFrame(CFrameWnd* pFrame)
{
    if (pFrame == nullptr || !::IsWindow(pFrame->m_hWnd))
        return;
    if (m_bHideFrames && m_listHiddenFrames.Find(pFrame->m_hWnd) != nullptr) {
        pFrame->ShowWindow(SW_HIDE);
        pFrame->SetActiveView(nullptr, FALSE);
        return;
    }
    pFrame->DestroyWindow();
}
