#include "frame/workbook/OZWDockableFrame.h"

#include "frame/framemodel/OZWFrameModel.h"
#include "frame/mdi/OZWMDIChildWnd.h"
#include "frame/mdi/OZWMDIFrameWnd.h"
#include "platform/theme/ThemeLib.h"

#include <windowsx.h>

IMPLEMENT_DYNCREATE(OZWDockableFrame, OZWFrameWnd)

BEGIN_MESSAGE_MAP(OZWDockableFrame, OZWFrameWnd)
    ON_WM_ACTIVATE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_PARENTNOTIFY()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// The hit codes of the caption and of the frame's borders, where a press
// drags the docked bar.
bool IsDragArea(UINT nHitTest)
{
    return nHitTest == HTCAPTION || nHitTest == HTBORDER || (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT);
}

} // namespace

OZWDockableFrame::OZWDockableFrame()
{
    m_pRootFilter = new OZWMsgFilter(this, -1);
    ozwframe::AddDocumentFrameFilters(m_filterDescriptors, "nsSysCommandEx::ScxButtonMsgFilter");
}

OZWDockableFrame::~OZWDockableFrame()
{
    delete m_pRootFilter;
    m_pRootFilter = nullptr;
}

void OZWDockableFrame::EnableSysCommandEx(DWORD dwFlags)
{
    ozwframe::EnableDocumentFrameFilters(m_pRootFilter, m_filterDescriptors, dwFlags);
}

CControlBar* OZWDockableFrame::GetHostBar() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    return dynamic_cast<CControlBar*>(GetParent());
}

BOOL OZWDockableFrame::IsFloating()
{
    CControlBar* pBar = GetHostBar();
    return pBar != nullptr && pBar->IsFloating();
}

OZWMDIFrameWnd* OZWDockableFrame::GetMainMDIFrame() const
{
    if (m_hWnd != nullptr) {
        if (auto* pFrame = dynamic_cast<OZWMDIFrameWnd*>(GetParentFrame()))
            return pFrame;
    }
    return dynamic_cast<OZWMDIFrameWnd*>(AfxGetMainWnd());
}

BOOL OZWDockableFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!OZWFrameWnd::PreCreateWindow(cs))
        return FALSE;
    if (OZW_AUX_DATA* pData = UXGetSysData(); pData != nullptr && pData->bToolWindowFloat)
        cs.dwExStyle |= WS_EX_TOOLWINDOW;
    cs.style &= ~FWS_PREFIXTITLE;
    return TRUE;
}

BOOL OZWDockableFrame::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewDocTemplate != nullptr) {
        if (auto* pTemplate = dynamic_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate)) {
            m_hMenuShared = pTemplate->m_hMenuShared;
            m_hAccelTable = pTemplate->m_hAccelTable;
        }
    }
    return OZWFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

BOOL OZWDockableFrame::DestroyWindow()
{
    if (CControlBar* pBar = GetHostBar(); pBar != nullptr && pBar->m_hWnd != nullptr)
        return pBar->DestroyWindow();
    return OZWFrameWnd::DestroyWindow();
}

LRESULT OZWDockableFrame::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == OZWGetSysCommandExMessage()) {
        LRESULT lResult = 0;
        if (m_pRootFilter != nullptr)
            m_pRootFilter->FilterMessage(message, wParam, lParam, &lResult);
        return lResult;
    }
    return OZWFrameWnd::DefWindowProc(message, wParam, lParam);
}

BOOL OZWDockableFrame::PreTranslateMessage(MSG* pMsg)
{
    if (PreTranslateForMenuBar(pMsg))
        return TRUE;
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // The frame's accelerators act for the main window, which has the menu.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        HACCEL hAccel = GetDefaultAccelerator();
        CWnd* pMain = AfxGetMainWnd();
        return hAccel != nullptr && pMain != nullptr && pMain->m_hWnd != nullptr &&
               ::TranslateAcceleratorA(pMain->m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

void OZWDockableFrame::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (OZWMDIFrameWnd* pMain = GetMainMDIFrame())
        pMain->OnUpdateFrameTitle(bAddToTitle);
    if ((GetStyle() & FWS_ADDTOTITLE) == 0 || !bAddToTitle)
        return;
    CDocument* pDoc = GetActiveDocument();
    if (pDoc == nullptr)
        return;
    CString strText = pDoc->GetTitle();
    if (m_nWindow > 0) {
        CString strNumber;
        strNumber.Format(":%d", m_nWindow);
        strText += strNumber;
    }
    AfxSetWindowText(m_hWnd, strText);
}

void OZWDockableFrame::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    OnUpdateFrameMenu(TRUE, this, hMenuAlt);
}

void OZWDockableFrame::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    OZWMDIFrameWnd* pMain = GetMainMDIFrame();
    if (pMain == nullptr || pMain->m_hWndMDIClient == nullptr)
        return;
    const HWND hClient = pMain->m_hWndMDIClient;
    HMENU hMenu = hMenuAlt;
    if (hMenu == nullptr && bActive) {
        if (CDocument* pDoc = GetActiveDocument())
            hMenu = pDoc->GetDefaultMenu();
        if (hMenu == nullptr && pMain->HasMenuBar()) {
            // The menu bar shows the template's menu in place of the window menu.
            ::SetMenu(pMain->m_hWnd, nullptr);
            ::DrawMenuBar(pMain->m_hWnd);
            UINT nMenuID = (UINT)-1;
            if (CDocument* pDoc = GetActiveDocument())
                if (auto* pTemplate = dynamic_cast<CMultiDocTemplate*>(pDoc->GetDocTemplate()))
                    nMenuID = pTemplate->m_nIDResource;
            pMain->SwitchMenuBarMenu(nMenuID);
            return;
        }
    }
    if (hMenu == nullptr || !bActive)
        hMenu = m_hMenuShared;
    if (hMenu == nullptr) {
        ::SendMessage(hClient, WM_MDIREFRESHMENU, 0, 0);
    } else if (bActive) {
        ::SendMessage(hClient, WM_MDISETMENU, (WPARAM)hMenu, (LPARAM)pMain->GetWindowMenuPopup(hMenu));
    } else if (pActivateWnd != nullptr) {
        ::SendMessage(hClient, WM_MDIREFRESHMENU, 0, 0);
    } else {
        ::SendMessage(hClient, WM_MDISETMENU, (WPARAM)pMain->m_hMenuDefault, 0);
    }
    ::DrawMenuBar(pMain->m_hWnd);
}

void OZWDockableFrame::ActivateInMainFrame()
{
    if (OZWMDIFrameWnd* pMain = GetMainMDIFrame())
        pMain->ActivateDockedFrame(this, FALSE);
}

void OZWDockableFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    OZWFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState != WA_INACTIVE)
        ActivateInMainFrame();
}

int OZWDockableFrame::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    const int nResult = OZWFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    ActivateInMainFrame();
    return nResult;
}

void OZWDockableFrame::OnParentNotify(UINT message, LPARAM lParam)
{
    OZWFrameWnd::OnParentNotify(message, lParam);
    const UINT event = LOWORD(message);
    if (event == WM_LBUTTONDOWN || event == WM_RBUTTONDOWN)
        ActivateInMainFrame();
}

void OZWDockableFrame::OnDestroy()
{
    OZWMDIFrameWnd* pMain = GetMainMDIFrame();
    if (pMain != nullptr && pMain->GetActiveDockedChild() == this) {
        if (ozwframe::HasOtherVisibleMDIChild(this) || !pMain->ActivateOtherDockedFrame(this))
            pMain->ActivateDockedFrame(nullptr, FALSE);
    }
    // The frame's bars and menu bar go with it.
    OZWFrameWnd::OnDestroy();
}

LRESULT OZWDockableFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The frame's plug-in and menu bar see every message first.
    if (LRESULT lResult = 0; OfferToMenuBar(message, wParam, lParam, &lResult))
        return lResult;
    switch (message) {
    case WM_NCLBUTTONDOWN: {
        ActivateInMainFrame();
        LRESULT lResult = 0;
        if (OZWFilterFirst(m_pRootFilter, message, wParam, lParam, &lResult))
            return lResult;
        CControlBar* pBar = GetHostBar();
        const UINT nHitTest = (UINT)wParam;
        const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (pBar != nullptr && !IsFloating()) {
            // The bar's docking context drags the bar; the frame itself
            // stays where it is in the bar.
            if (IsDragArea(nHitTest) && pBar->m_pDockContext != nullptr) {
                pBar->m_pDockContext->StartDrag(point);
                return 0;
            }
        } else if (pBar != nullptr && nHitTest != HTCLOSE) {
            if (CFrameWnd* pMiniFrame = pBar->GetParentFrame(); pMiniFrame != nullptr && pMiniFrame != GetMainMDIFrame()) {
                pMiniFrame->SendMessage(WM_NCLBUTTONDOWN, wParam, lParam);
                return 0;
            }
        }
        break;
    }
    case WM_NCLBUTTONDBLCLK: {
        CControlBar* pBar = GetHostBar();
        if (wParam != HTCAPTION || pBar == nullptr)
            break;
        if (!IsFloating()) {
            // The bar's double click away from its caption buttons toggles
            // docking.
            pBar->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(-1, -1));
            return 0;
        }
        if (CFrameWnd* pMiniFrame = pBar->GetParentFrame(); pMiniFrame != nullptr && pMiniFrame != GetMainMDIFrame()) {
            pMiniFrame->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, lParam);
            return 0;
        }
        break;
    }
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCRBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        LRESULT lResult = 0;
        if (OZWFilterFirst(m_pRootFilter, message, wParam, lParam, &lResult))
            return lResult;
        break;
    }
    case WM_SETTEXT:
        // The frame's caption (its own when custom), then the filters.
        return SetTextWithCaption(wParam, lParam);
    case WM_NCPAINT:
        return PaintNonClient(wParam, lParam);
    case WM_NCACTIVATE: {
        const LRESULT lResult =
            IsCustomCaption() ? NcActivateWithCaption(wParam, 0) : DefWindowProc(WM_NCACTIVATE, wParam, 0);
        OZWFilterInform(m_pRootFilter, message, wParam, 0);
        return lResult;
    }
    default:
        return FrameWindowProc(message, wParam, lParam);
    }
    // The messages above that went to the filters first go on to the
    // window's own handling only.
    return CFrameWnd::WindowProc(message, wParam, lParam);
}
