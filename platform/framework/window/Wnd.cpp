// CWnd: handle maps, creation and subclassing, the window procedure and
// message dispatch through message maps, and the thin wrappers.
#include "platform/framework/base/Collections.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/File.h"
#include "platform/framework/window/CmdTarget.h"
#include "platform/framework/window/Dialog.h"
#include "platform/framework/window/Gdi.h"
#include "platform/framework/window/Menu.h"
#include "platform/framework/window/WinApp.h"
#include "platform/framework/window/Wnd.h"
#include "platform/framework/window/WndState.h"

#include <set>
#include <string>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace kvwnd {
ThreadState& State()
{
    thread_local ThreadState* pState = nullptr;
    if (pState == nullptr)
        pState = new ThreadState;
    return *pState;
}
} // namespace kvwnd

using kvwnd::State;

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

// CScrollBar and CListBox, the controls the scroll and list-box messages
// hand their handlers, are the drawing library's (above this one); each is
// a CWnd with nothing before its CWnd part, so a window is handed out as
// the control and read back as the window without their definitions.
template <class TControl>
TControl* AsControl(CWnd* pWnd)
{
    return reinterpret_cast<TControl*>(pWnd);
}

template <class TControl>
CWnd* AsWindow(TControl* pControl)
{
    return reinterpret_cast<CWnd*>(pControl);
}


// Signed coordinates packed in a message parameter.
inline int GET_X_LPARAM(LPARAM lParam) { return (int)(short)LOWORD(lParam); }
inline int GET_Y_LPARAM(LPARAM lParam) { return (int)(short)HIWORD(lParam); }

CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

bool IsImeWindow(HWND hWnd)
{
    char szClass[32] = {};
    ::GetClassNameA(hWnd, szClass, (int)sizeof(szClass));
    return lstrcmpiA(szClass, "IME") == 0 || lstrcmpiA(szClass, "MSCTFIME UI") == 0;
}

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    kvwnd::ThreadState& st = State();
    if (code == HCBT_CREATEWND && st.pWndInit != nullptr) {
        HWND hWnd = (HWND)wParam;
        if (!IsImeWindow(hWnd)) {
            CWnd* pWndInit = st.pWndInit;
            st.pWndInit = nullptr;
            pWndInit->Attach(hWnd);
            pWndInit->PreSubclassWindow();
            WNDPROC* ppfnSuper = pWndInit->GetSuperWndProcAddr();
            WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
            if (pfnOld != &AfxWndProc)
                *ppfnSuper = pfnOld;
        }
    }
    return ::CallNextHookEx(st.hHookCbt, code, wParam, lParam);
}

// The child of hWnd (direct, visible) at a client point of hWnd.
HWND ChildWindowAt(HWND hWnd, POINT pt)
{
    for (HWND hChild = ::GetTopWindow(hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(hChild) == 0xFFFF || !(::GetWindowLong(hChild, GWL_STYLE) & WS_VISIBLE))
            continue;
        RECT rc;
        ::GetWindowRect(hChild, &rc);
        ::MapWindowPoints(nullptr, hWnd, (LPPOINT)&rc, 2);
        if (::PtInRect(&rc, pt))
            return hChild;
    }
    return nullptr;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Construction, handle maps

CWnd::CWnd() = default;

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
        // The window outlives the object: destroy it now. Handlers of the
        // derived class no longer run (the object is already a CWnd).
        DestroyWindow();
    }
}

namespace {
void ClearWnd(CWnd* pWnd)
{
    pWnd->m_hWnd = nullptr;
}
// Windows belong to the thread that made them, and so do their objects.
kvafx::HandleMap<CWnd, HWND, ClearWnd, kvafx::HandleScope::Thread>& WndMap()
{
    static auto* map = new kvafx::HandleMap<CWnd, HWND, ClearWnd, kvafx::HandleScope::Thread>;
    return *map;
}
} // namespace

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd != nullptr ? WndMap().FindPermanent(hWnd) : nullptr;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return WndMap().Lookup(
        hWnd,
        [](HWND h) {
            CWnd* pWnd = new CWnd;
            pWnd->m_hWnd = h;
            return pWnd;
        },
        [hWnd](CWnd* pWnd) {
            pWnd->m_hWnd = hWnd; // a wrapper someone emptied wraps again
            return true;
        });
}

void PASCAL CWnd::DeleteTempMap()
{
    WndMap().DeleteTemporaries();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    return WndMap().Attach(this, m_hWnd, hWndNew);
}

HWND CWnd::Detach()
{
    return WndMap().Detach(this, m_hWnd);
}

void CWnd::PreSubclassWindow() {}

WNDPROC* CWnd::GetSuperWndProcAddr()
{
    return &m_pfnSuper;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return FALSE;
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
    if (pfnOld != &AfxWndProc && *ppfnSuper == nullptr)
        *ppfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (pParent == nullptr || pParent->m_hWnd == nullptr)
        return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, (int)nID);
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    if (m_hWnd != nullptr && *ppfnSuper != nullptr)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)*ppfnSuper);
    *ppfnSuper = nullptr;
    return Detach();
}

/////////////////////////////////////////////////////////////////////////////
// Creation

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    kvwnd::ThreadState& st = State();
    if (st.hHookCbt == nullptr)
        st.hHookCbt = ::SetWindowsHookEx(WH_CBT, &CbtFilterHook, nullptr, ::GetCurrentThreadId());
    st.pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    kvwnd::ThreadState& st = State();
    if (st.pWndInit != nullptr) {
        st.pWndInit = nullptr;
        return FALSE; // the window was never attached
    }
    return TRUE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        if (!AfxDeferRegisterClass(AFX_WND_REG))
            return FALSE;
        cs.lpszClass = AFX_WND;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;

    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                 cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy(); // never attached: the object is told the window is gone
    return hWnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, (LPVOID)pContext);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    const bool bPermanent = FromHandlePermanent(m_hWnd) == this;
    BOOL bResult = ::DestroyWindow(m_hWnd);
    // A permanent object was detached by OnNcDestroy (and may be deleted by
    // now); any other wrapper forgets the handle here.
    if (!bPermanent)
        m_hWnd = nullptr;
    return bResult;
}

void CWnd::PostNcDestroy() {}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

/////////////////////////////////////////////////////////////////////////////
// Window procedure

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

WNDPROC AFXAPI AfxGetAfxWndProc()
{
    return &AfxWndProc;
}

namespace {

// A handler threw: the thread object decides the result and tells the user.
LRESULT HandleWndProcException(CException* e, const MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->ProcessWndProcException(e, pMsg);
    // No application object: the same safe results, without a message.
    if (pMsg->message == WM_CREATE)
        return -1;
    if (pMsg->message == WM_PAINT)
        ::ValidateRect(pMsg->hwnd, nullptr);
    return 0;
}

} // namespace

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    kvwnd::ThreadState& st = State();
    MSG msgOld = st.msgCur;
    st.msgCur.hwnd = hWnd;
    st.msgCur.message = nMsg;
    st.msgCur.wParam = wParam;
    st.msgCur.lParam = lParam;

    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        lResult = HandleWndProcException(e, &st.msgCur);
        e->Delete();
    } catch (const std::exception&) {
        CInvalidArgException e(FALSE);
        lResult = HandleWndProcException(&e, &st.msgCur);
    }

    // A derived WM_NCDESTROY handler that did not call the base still ends
    // the object's tie to the window.
    if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd) {
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }

    st.msgCur = msgOld;
    return lResult;
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    MSG& msg = State().msgCur;
    msg.time = ::GetMessageTime();
    DWORD dwPos = ::GetMessagePos();
    msg.pt.x = GET_X_LPARAM(dwPos);
    msg.pt.y = GET_Y_LPARAM(dwPos);
    return &msg;
}

LRESULT CWnd::Default()
{
    const MSG* pMsg = GetCurrentMessage();
    return DefWindowProc(pMsg->message, pMsg->wParam, pMsg->lParam);
}

LRESULT CWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnSuper = *GetSuperWndProcAddr();
    if (pfnSuper != nullptr)
        return ::CallWindowProc(pfnSuper, m_hWnd, nMsg, wParam, lParam);
    return ::DefWindowProc(m_hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;

    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
        if (pResult)
            *pResult = lResult;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
        if (pResult)
            *pResult = lResult;
        return TRUE;
    }

    // The colour messages of the control kinds are handled as one.
    UINT nLookup = message;
    UINT nCtlType = 0;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        nLookup = WM_CTLCOLOR;
        nCtlType = message - WM_CTLCOLORMSGBOX;
    }

    const AFX_MSGMAP_ENTRY* lpEntry = nullptr;
    if (message >= 0xC000 && message <= 0xFFFF) {
        // registered messages
        for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr && lpEntry == nullptr;
             pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
            for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p) {
                if (p->pnRegMsg != nullptr && *p->pnRegMsg == message) {
                    lpEntry = p;
                    break;
                }
            }
        }
    } else {
        lpEntry = FindMessageEntry(GetMessageMap(), nLookup);
    }
    if (lpEntry == nullptr)
        return FALSE;

    const AFX_PMSG pfn = lpEntry->pfn;
    switch (lpEntry->nSig) {
    case AfxSig_lwl:
        lResult = (this->*AfxHandlerAs<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    case AfxSig_vv:
        (this->*AfxHandlerAs<void (CWnd::*)()>(pfn))();
        break;
    case AfxSig_bv:
        lResult = (this->*AfxHandlerAs<BOOL (CWnd::*)()>(pfn))();
        break;
    case AfxSig_lv:
        lResult = (this->*AfxHandlerAs<LRESULT (CWnd::*)()>(pfn))();
        break;
    case AfxSig_Uv:
        lResult = (this->*AfxHandlerAs<UINT (CWnd::*)()>(pfn))();
        break;
    case AfxSig_vb:
        (this->*AfxHandlerAs<void (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
        break;
    case AfxSig_bb:
        lResult = (this->*AfxHandlerAs<BOOL (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
        break;
    case AfxSig_is:
        lResult = (this->*AfxHandlerAs<int (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_bs:
        lResult = (this->*AfxHandlerAs<BOOL (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_vUii:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, int, int)>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vii:
        (this->*AfxHandlerAs<void (CWnd::*)(int, int)>(pfn))(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case AfxSig_vUR:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, LPRECT)>(pfn))((UINT)wParam, (LPRECT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_bD:
        lResult = (this->*AfxHandlerAs<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle((HDC)wParam));
        break;
    case AfxSig_vTimer:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT_PTR)>(pfn))((UINT_PTR)wParam);
        break;
    case AfxSig_vUp:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, CPoint)>(pfn))((UINT)wParam, PointFromLParam(lParam));
        break;
    case AfxSig_bUsp:
        lResult = (this->*AfxHandlerAs<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
            LOWORD(wParam), (short)HIWORD(wParam), PointFromLParam(lParam));
        break;
    case AfxSig_iWUU:
        lResult = (this->*AfxHandlerAs<int (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_bWUU:
        lResult = (this->*AfxHandlerAs<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vUUU:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, UINT, UINT)>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vW:
        (this->*AfxHandlerAs<void (CWnd::*)(CWnd*)>(pfn))(CWnd::FromHandle(message == WM_CAPTURECHANGED
                                                                          ? (HWND)lParam : (HWND)wParam));
        break;
    case AfxSig_vUWb:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(
            LOWORD(wParam), CWnd::FromHandle((HWND)lParam), (BOOL)HIWORD(wParam));
        break;
    case AfxSig_vbh:
        (this->*AfxHandlerAs<void (CWnd::*)(BOOL, DWORD)>(pfn))((BOOL)wParam, (DWORD)lParam);
        break;
    case AfxSig_vbWW:
        (this->*AfxHandlerAs<void (CWnd::*)(BOOL, CWnd*, CWnd*)>(pfn))(
            (HWND)lParam == m_hWnd, CWnd::FromHandle((HWND)lParam), CWnd::FromHandle((HWND)wParam));
        break;
    case AfxSig_vMinMax:
        (this->*AfxHandlerAs<void (CWnd::*)(MINMAXINFO*)>(pfn))((MINMAXINFO*)lParam);
        break;
    case AfxSig_vUl:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, LPARAM)>(pfn))((UINT)wParam, lParam);
        break;
    case AfxSig_vbU:
        (this->*AfxHandlerAs<void (CWnd::*)(BOOL, UINT)>(pfn))((BOOL)wParam, (UINT)lParam);
        break;
    case AfxSig_vWp:
        (this->*AfxHandlerAs<void (CWnd::*)(CWnd*, CPoint)>(pfn))(CWnd::FromHandle((HWND)wParam),
                                                              PointFromLParam(lParam));
        break;
    case AfxSig_hDWU:
        lResult = (LRESULT)(this->*AfxHandlerAs<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
            CDC::FromHandle((HDC)wParam), CWnd::FromHandle((HWND)lParam), nCtlType);
        break;
    case AfxSig_hDU: {
        AFX_CTLCOLOR* pCtl = (AFX_CTLCOLOR*)lParam;
        lResult = (LRESULT)(this->*AfxHandlerAs<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(
            CDC::FromHandle(pCtl->hDC), pCtl->nCtlType);
        break;
    }
    case AfxSig_vDrawItem:
        (this->*AfxHandlerAs<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))((int)wParam, (LPDRAWITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vMeasureItem:
        (this->*AfxHandlerAs<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(pfn))((int)wParam, (LPMEASUREITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_iCompareItem:
        lResult = (this->*AfxHandlerAs<int (CWnd::*)(int, LPCOMPAREITEMSTRUCT)>(pfn))((int)wParam,
                                                                                   (LPCOMPAREITEMSTRUCT)lParam);
        break;
    case AfxSig_vDeleteItem:
        (this->*AfxHandlerAs<void (CWnd::*)(int, LPDELETEITEMSTRUCT)>(pfn))((int)wParam, (LPDELETEITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vDrawItemR:
        (this->*AfxHandlerAs<void (CWnd::*)(LPDRAWITEMSTRUCT)>(pfn))((LPDRAWITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vMeasureItemR:
        (this->*AfxHandlerAs<void (CWnd::*)(LPMEASUREITEMSTRUCT)>(pfn))((LPMEASUREITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_iCompareItemR:
        lResult = (this->*AfxHandlerAs<int (CWnd::*)(LPCOMPAREITEMSTRUCT)>(pfn))((LPCOMPAREITEMSTRUCT)lParam);
        break;
    case AfxSig_vDeleteItemR:
        (this->*AfxHandlerAs<void (CWnd::*)(LPDELETEITEMSTRUCT)>(pfn))((LPDELETEITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_lp:
        lResult = (this->*AfxHandlerAs<LRESULT (CWnd::*)(CPoint)>(pfn))(PointFromLParam(lParam));
        break;
    case AfxSig_vbNcCalc:
        (this->*AfxHandlerAs<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))((BOOL)wParam, (NCCALCSIZE_PARAMS*)lParam);
        break;
    case AfxSig_vPos:
        (this->*AfxHandlerAs<void (CWnd::*)(WINDOWPOS*)>(pfn))((WINDOWPOS*)lParam);
        break;
    case AfxSig_vScroll:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), AsControl<CScrollBar>(CWnd::FromHandle((HWND)lParam)));
        break;
    case AfxSig_vScrollR:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, UINT)>(pfn))(LOWORD(wParam), HIWORD(wParam));
        break;
    case AfxSig_vMenu:
        (this->*AfxHandlerAs<void (CWnd::*)(CMenu*)>(pfn))(CMenu::FromHandle((HMENU)wParam));
        break;
    case AfxSig_vMenuPopup:
        (this->*AfxHandlerAs<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(
            CMenu::FromHandle((HMENU)wParam), LOWORD(lParam), (BOOL)HIWORD(lParam));
        break;
    case AfxSig_lUUM:
        lResult = (this->*AfxHandlerAs<LRESULT (CWnd::*)(UINT, UINT, CMenu*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), CMenu::FromHandle((HMENU)lParam));
        break;
    case AfxSig_vMenuSelect:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam), (HMENU)lParam);
        break;
    case AfxSig_vUW:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, CWnd*)>(pfn))((UINT)wParam, CWnd::FromHandle((HWND)lParam));
        break;
    case AfxSig_bHelpInfo:
        lResult = (this->*AfxHandlerAs<BOOL (CWnd::*)(HELPINFO*)>(pfn))((HELPINFO*)lParam);
        break;
    case AfxSig_vUs:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, LPCTSTR)>(pfn))((UINT)wParam, (LPCTSTR)lParam);
        break;
    case AfxSig_viStyle:
        (this->*AfxHandlerAs<void (CWnd::*)(int, LPSTYLESTRUCT)>(pfn))((int)wParam, (LPSTYLESTRUCT)lParam);
        break;
    case AfxSig_vDrop:
        (this->*AfxHandlerAs<void (CWnd::*)(HDROP)>(pfn))((HDROP)wParam);
        break;
    case AfxSig_iUWU:
        lResult = (this->*AfxHandlerAs<int (CWnd::*)(UINT, CListBox*, UINT)>(pfn))(
            LOWORD(wParam), AsControl<CListBox>(CWnd::FromHandle((HWND)lParam)), HIWORD(wParam));
        break;
    default:
        return FALSE;
    }

    if (pResult)
        *pResult = lResult;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Commands, notifications, reflection

namespace {

// Answers the enable question of a menu or accelerator command before it runs.
class CTestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

} // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);

    if (hWndCtrl == nullptr) {
        // Menu item or accelerator: a command disabled in the meantime
        // (its update handler says so) does not run.
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        // Control notification: none while UpdateData fills or reads the
        // controls; the control itself gets it first.
        if (State().hLockoutNotifyWindow == m_hWnd)
            return TRUE;
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = (UINT)pNMHDR->idFrom;
    int nCode = (int)pNMHDR->code;

    // A tool tip's request for text names the tool in idFrom (a control's
    // handle, or a command id); the message map entry is found by the tool
    // tip control's own id, so that ON_NOTIFY_EX(TTN_NEEDTEXT, 0, ...) hears
    // of every tool. The handler reads the tool from the notification.
    if (nCode == (int)TTN_NEEDTEXTA || nCode == (int)TTN_NEEDTEXTW)
        nID = hWndCtrl != nullptr ? (UINT)::GetDlgCtrlID(hWndCtrl) : 0;

    if (State().hLockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;

    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, nullptr);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (pWnd == nullptr)
        return FALSE;
    const MSG& msg = State().msgCur;
    return pWnd->OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);

    case WM_COMMAND: {
        int nCode = HIWORD(wParam);
        if (CCmdTarget::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr)) {
            if (pResult)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        LRESULT lDummy = 0;
        AFX_NOTIFY notify;
        notify.pResult = pResult ? pResult : &lDummy;
        notify.pNMHDR = pNMHDR;
        return CCmdTarget::OnCmdMsg(0, MAKELONG((int)pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            AFX_CTLCOLOR ctl;
            ctl.hWnd = (HWND)lParam;
            ctl.hDC = (HDC)wParam;
            ctl.nCtlType = message - WM_CTLCOLORMSGBOX;
            LRESULT lBrush = 0;
            BOOL bHandled = CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&ctl, &lBrush);
            if (lBrush == 0)
                return FALSE; // no brush: the parent's default colours
            if (pResult)
                *pResult = lBrush;
            return bHandled;
        }
        return FALSE;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Message map of CWnd and the default handlers

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_CHARTOITEM()
    ON_WM_VKEYTOITEM()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_PARENTNOTIFY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnChildActivate() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
void CWnd::OnEnterSizeMove() { Default(); }
void CWnd::OnExitSizeMove() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return (BOOL)Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnInitMenu(CMenu*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }
LRESULT CWnd::OnThemeChanged() { return Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return (BOOL)Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseLeave() { Default(); }
void CWnd::OnNcPaint() { Default(); }
void CWnd::OnNcRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
void CWnd::OnMouseLeave() { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd != nullptr && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) && ReflectLastMsg((HWND)lParam))
        return;
    Default();
}

void CWnd::OnNcDestroy()
{
    if (CWinThread* pThread = AfxGetThread()) {
        if (pThread->m_pMainWnd == this) {
            // The main window is gone: the message loop ends.
            AfxPostQuitMessage(0);
            pThread->m_pMainWnd = nullptr;
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = nullptr;
    }
    kvwnd::ThreadState& st = State();
    if (st.hToolOwner == m_hWnd || st.hToolWnd == m_hWnd) {
        CancelToolTips();
        st.hToolOwner = st.hToolWnd = nullptr;
        st.nLastHit = -1;
    }

    LONG_PTR pfnWndProc = ::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC);
    Default();
    // Give the window back its own procedure for what is left of its life.
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    if (*ppfnSuper != nullptr && ::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == pfnWndProc)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)*ppfnSuper);
    Detach();
    PostNcDestroy();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(AsWindow(pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(AsWindow(pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU) {
        if (CMenu* pMenu = CMenu::FromHandlePermanent((HMENU)lpDrawItemStruct->hwndItem)) {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    } else if (ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType != ODT_MENU) {
        CWnd* pChild = GetDescendantWindow((int)lpMeasureItemStruct->CtlID, TRUE);
        if (pChild != nullptr && pChild->OnChildNotify(WM_MEASUREITEM, (WPARAM)lpMeasureItemStruct->CtlID,
                                                       (LPARAM)lpMeasureItemStruct, nullptr))
            return;
    }
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
        return (int)lResult;
    return (int)Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}

int CWnd::OnCharToItem(UINT, CListBox* pListBox, UINT)
{
    LRESULT lResult = 0;
    if (pListBox != nullptr && ReflectLastMsg(AsWindow(pListBox)->m_hWnd, &lResult))
        return (int)lResult;
    return (int)Default();
}

int CWnd::OnVKeyToItem(UINT, CListBox* pListBox, UINT)
{
    LRESULT lResult = 0;
    if (pListBox != nullptr && ReflectLastMsg(AsWindow(pListBox)->m_hWnd, &lResult))
        return (int)lResult;
    return (int)Default();
}

/////////////////////////////////////////////////////////////////////////////
// Pre-translation, descendants, idle updates of controls

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_nFlags & (WF_TOOLTIPS | WF_TRACKINGTOOLTIPS))
        FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = FromHandlePermanent(hWnd)) {
            if (pWnd->PreTranslateMessage(pMsg))
                return TRUE;
        }
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetTopWindow(hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            if (CWnd* pWnd = FromHandlePermanent(hChild))
                AfxCallWndProc(pWnd, hChild, message, wParam, lParam);
        } else {
            ::SendMessage(hChild, message, wParam, lParam);
        }
        if (bDeep && ::IsWindow(hChild) && ::GetTopWindow(hChild) != nullptr)
            SendMessageToDescendants(hChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        state.m_nID = (UINT)::GetDlgCtrlID(hChild);
        if (state.m_nID == 0 || LOWORD(state.m_nID) == 0xFFFF)
            continue;
        state.m_pOther = CWnd::FromHandle(hChild);
        // Automatic check boxes and radio buttons keep their own state.
        BOOL bDisable = bDisableIfNoHndler;
        if (::SendMessage(hChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) {
            UINT nStyle = (UINT)(::GetWindowLong(hChild, GWL_STYLE) & 0x0F);
            if (nStyle == BS_AUTOCHECKBOX || nStyle == BS_AUTO3STATE || nStyle == BS_GROUPBOX ||
                nStyle == BS_AUTORADIOBUTTON)
                bDisable = FALSE;
        }
        state.DoUpdate(pTarget, bDisable);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Layout of control bars

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    if (hWnd == nullptr || lpRect == nullptr)
        return;
    HWND hWndParent = ::GetParent(hWnd);
    RECT rcOld;
    ::GetWindowRect(hWnd, &rcOld);
    ::MapWindowPoints(nullptr, hWndParent, (LPPOINT)&rcOld, 2);
    if (::EqualRect(&rcOld, lpRect))
        return;
    const int cx = lpRect->right - lpRect->left, cy = lpRect->bottom - lpRect->top;
    if (lpLayout != nullptr && lpLayout->hDWP != nullptr)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top, cx, cy,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    else if (lpLayout == nullptr)
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != nullptr)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    const UINT nMode = nFlags & ~(UINT)reposNoPosLeftOver;
    const bool bQuery = nMode == reposQuery;
    layout.hDWP = bQuery ? nullptr : ::BeginDeferWindowPos(8);

    HWND hWndLeftOver = nullptr;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        UINT nIDC = (UINT)::GetDlgCtrlID(hChild);
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && FromHandlePermanent(hChild) != nullptr)
            ::SendMessage(hChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if (bQuery) {
        if (lpRectParam != nullptr) {
            if (bStretch)
                *lpRectParam = layout.rect;
            else
                ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        }
        return;
    }

    if (nIDLeftOver != 0 && hWndLeftOver != nullptr) {
        if ((nFlags & reposExtra) && lpRectParam != nullptr) {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        if (!(nFlags & reposNoPosLeftOver)) {
            if (CWnd* pLeftOver = FromHandlePermanent(hWndLeftOver))
                pLeftOver->CalcWindowRect(&layout.rect);
            AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
        }
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
}

/////////////////////////////////////////////////////////////////////////////
// Modal loop

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    CWinThread* pThread = AfxGetThread();
    MSG msgLocal = {};
    MSG* pMsg = pThread ? &pThread->m_msgCur : &msgLocal;
    const HWND hWndSelf = m_hWnd;

    for (;;) {
        // Idle: nothing in the queue.
        while (bIdle && !::PeekMessage(pMsg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != nullptr && lIdleCount == 0)
                ::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
            if ((dwFlags & MLF_NOKICKIDLE) || !::SendMessage(m_hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
        }

        // Pump until the queue is empty or the loop ends.
        do {
            if (!ContinueModal())
                goto ExitModal;
            if (!::GetMessage(pMsg, nullptr, 0, 0)) {
                // WM_QUIT: leave the loop and let the outer loop see it too.
                AfxPostQuitMessage((int)pMsg->wParam);
                m_nModalResult = -1;
                goto ExitModal;
            }
            if (pThread != nullptr) {
                if (!pThread->PreTranslateMessage(pMsg)) {
                    ::TranslateMessage(pMsg);
                    ::DispatchMessage(pMsg);
                }
            } else if (!WalkPreTranslateTree(nullptr, pMsg)) {
                ::TranslateMessage(pMsg);
                ::DispatchMessage(pMsg);
            }
            if (!::IsWindow(hWndSelf))
                goto ExitModal; // destroyed while running
            if (bShowIdle && (pMsg->message == 0x118 || pMsg->message == WM_SYSKEYDOWN)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal())
                goto ExitModal;
            if (pThread == nullptr || pThread->IsIdleMessage(pMsg)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(pMsg, nullptr, 0, 0, PM_NOREMOVE));
    }

ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Tool tips

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    BOOL bOld = (m_nFlags & WF_TOOLTIPS) != 0;
    if (bEnable)
        m_nFlags |= WF_TOOLTIPS;
    else {
        m_nFlags &= ~WF_TOOLTIPS;
        if (State().hToolOwner == m_hWnd)
            CancelToolTips();
    }
    return bOld;
}

BOOL CWnd::EnableTrackingToolTips(BOOL bEnable)
{
    BOOL bOld = (m_nFlags & WF_TRACKINGTOOLTIPS) != 0;
    if (bEnable)
        m_nFlags |= WF_TRACKINGTOOLTIPS;
    else
        m_nFlags &= ~WF_TRACKINGTOOLTIPS;
    return bOld;
}

void PASCAL CWnd::CancelToolTips(BOOL)
{
    kvwnd::ThreadState& st = State();
    if (st.hToolTip != nullptr && ::IsWindow(st.hToolTip))
        ::SendMessage(st.hToolTip, TTM_ACTIVATE, FALSE, 0);
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    HWND hChild = ChildWindowAt(m_hWnd, point);
    if (hChild == nullptr)
        return -1;
    int nID = ::GetDlgCtrlID(hChild);
    if (nID == 0)
        return -1;
    if (pTI != nullptr) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)hChild;
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
        pTI->uFlags |= TTF_CENTERTIP;
    }
    return nID;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    const UINT message = pMsg->message;
    const bool bMouse = message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE || message == WM_LBUTTONUP ||
                        message == WM_RBUTTONUP || message == WM_MBUTTONUP;
    kvwnd::ThreadState& st = State();
    if (!bMouse) {
        if ((message >= WM_KEYFIRST && message <= WM_KEYLAST) || message == WM_LBUTTONDOWN ||
            message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN)
            CancelToolTips(TRUE);
        return;
    }

    if (st.hToolTip == nullptr || !::IsWindow(st.hToolTip)) {
        st.hToolTip = ::CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                       m_hWnd, nullptr, AfxGetInstanceHandle(), nullptr);
        if (st.hToolTip == nullptr)
            return;
        ::SendMessage(st.hToolTip, TTM_SETMAXTIPWIDTH, 0, SHRT_MAX);
        st.nLastHit = -1;
    }

    POINT pt = pMsg->pt;
    ::ScreenToClient(m_hWnd, &pt);
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    INT_PTR nHit = OnToolHitTest(pt, &ti);
    if (ti.hwnd == nullptr)
        ti.hwnd = m_hWnd;

    if (nHit != st.nLastHit || st.hToolOwner != m_hWnd || st.hToolWnd != ti.hwnd) {
        if (st.nLastHit != -1) {
            TOOLINFO tiOld = {};
            tiOld.cbSize = sizeof(tiOld);
            tiOld.hwnd = st.hToolWnd;
            tiOld.uId = st.uToolId;
            ::SendMessage(st.hToolTip, TTM_DELTOOL, 0, (LPARAM)&tiOld);
        }
        st.nLastHit = nHit;
        st.hToolOwner = m_hWnd;
        st.hToolWnd = ti.hwnd;
        st.uToolId = ti.uId;
        if (nHit != -1) {
            if (ti.lpszText == nullptr)
                ti.lpszText = LPSTR_TEXTCALLBACK;
            if (!(ti.uFlags & TTF_IDISHWND) && ::IsRectEmpty(&ti.rect))
                ::GetClientRect(m_hWnd, &ti.rect);
            ::SendMessage(st.hToolTip, TTM_ADDTOOL, 0, (LPARAM)&ti);
            ::SendMessage(st.hToolTip, TTM_ACTIVATE, TRUE, 0);
        } else {
            ::SendMessage(st.hToolTip, TTM_ACTIVATE, FALSE, 0);
        }
    }
    if (nHit != -1) {
        MSG msg = *pMsg;
        if (ti.uFlags & TTF_IDISHWND)
            msg.hwnd = (HWND)ti.uId;
        ::SendMessage(st.hToolTip, TTM_RELAYEVENT, 0, (LPARAM)&msg);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Thin wrappers

DWORD CWnd::GetStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_STYLE); }
DWORD CWnd::GetExStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_EXSTYLE); }

namespace {
BOOL ModifyWindowLong(HWND hWnd, int nStyleOffset, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, nStyleOffset);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLong(hWnd, nStyleOffset, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}
} // namespace

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}
BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendNotifyMessage(m_hWnd, message, wParam, lParam);
}

void CWnd::SetWindowText(LPCTSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }
int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount);
}
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLength(m_hWnd);
    std::string buffer((size_t)nLen + 1, '\0');
    int nGot = ::GetWindowText(m_hWnd, buffer.data(), nLen + 1);
    // The length is an upper bound (text may shrink between the calls).
    rString = CString(buffer.data(), nGot > 0 ? nGot : 0);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessage(m_hWnd, WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), bRedraw);
}
CFont* CWnd::GetFont() const
{
    HFONT hFont = (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
    return hFont ? CFont::FromHandle(hFont) : nullptr;
}
HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return (HICON)::SendMessage(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, (LPARAM)hIcon);
}
HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    return (HICON)::SendMessage(m_hWnd, WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0);
}

CMenu* CWnd::GetMenu() const
{
    HMENU hMenu = ::GetMenu(m_hWnd);
    return hMenu ? CMenu::FromHandle(hMenu) : nullptr;
}
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu()); }
void CWnd::DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    HMENU hMenu = ::GetSystemMenu(m_hWnd, bRevert);
    return hMenu ? CMenu::FromHandle(hMenu) : nullptr;
}

BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}
void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                 bRepaint);
}
BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
}
BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
{
    WINDOWPLACEMENT wp = *lpwndpl;
    wp.length = sizeof(WINDOWPLACEMENT);
    return ::SetWindowPlacement(m_hWnd, &wp);
}
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
void CWnd::ClientToScreen(LPRECT lpRect) const { ::MapWindowPoints(m_hWnd, nullptr, (LPPOINT)lpRect, 2); }
void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
void CWnd::ScreenToClient(LPRECT lpRect) const { ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)lpRect, 2); }
void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount);
}
void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), (LPPOINT)lpRect, 2);
}
int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(m_hWnd, hRgn, bRedraw); }
int CWnd::GetWindowRgn(HRGN hRgn) const { return ::GetWindowRgn(m_hWnd, hRgn); }

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    const DWORD dwStyle = GetStyle();
    HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
    if (hWndCenter == nullptr)
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);

    RECT rcDlg, rcArea, rcCenter;
    ::GetWindowRect(m_hWnd, &rcDlg);
    if (!(dwStyle & WS_CHILD)) {
        if (hWndCenter != nullptr && (!::IsWindowVisible(hWndCenter) || ::IsIconic(hWndCenter)))
            hWndCenter = nullptr;
        MONITORINFO mi = {};
        mi.cbSize = sizeof(mi);
        HMONITOR hMonitor = ::MonitorFromWindow(hWndCenter ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
        if (!::GetMonitorInfo(hMonitor, &mi))
            ::SystemParametersInfo(SPI_GETWORKAREA, 0, &mi.rcWork, 0);
        rcArea = mi.rcWork;
        if (hWndCenter == nullptr)
            rcCenter = rcArea;
        else
            ::GetWindowRect(hWndCenter, &rcCenter);
    } else {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        if (hWndCenter == nullptr)
            hWndCenter = hWndParent;
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, (LPPOINT)&rcCenter, 2);
        ::MapWindowPoints(nullptr, hWndParent, (LPPOINT)&rcDlg, 2);
    }

    const int cx = rcDlg.right - rcDlg.left, cy = rcDlg.bottom - rcDlg.top;
    int xLeft = (rcCenter.left + rcCenter.right) / 2 - cx / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - cy / 2;
    if (xLeft + cx > rcArea.right)
        xLeft = rcArea.right - cx;
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + cy > rcArea.bottom)
        yTop = rcArea.bottom - cy;
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    ::SetWindowPos(m_hWnd, nullptr, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) { return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint)); }
void CWnd::EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }
CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
    return CDC::FromHandle(::GetDCEx(m_hWnd, (HRGN)prgnClip->GetSafeHandle(), flags));
}
int CWnd::ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::SetRedraw(BOOL bRedraw) { ::SendMessage(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle(), bErase);
}
void CWnd::ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
void CWnd::ValidateRgn(CRgn* pRgn) { ::ValidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle()); }
BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
void CWnd::ShowOwnedPopups(BOOL bShow) { ::ShowOwnedPopups(m_hWnd, bShow); }
BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, (HRGN)prgnUpdate->GetSafeHandle(), flags);
}
BOOL CWnd::LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }
void CWnd::UnlockWindowUpdate() { ::LockWindowUpdate(nullptr); }
BOOL CWnd::FlashWindow(BOOL bInvert) { return ::FlashWindow(m_hWnd, bInvert); }

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void (CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD))
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
CWnd* PASCAL CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* PASCAL CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
CWnd* PASCAL CWnd::GetCapture() { return FromHandle(::GetCapture()); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* PASCAL CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* PASCAL CWnd::GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
void CWnd::DragAcceptFiles(BOOL bAccept) { ::DragAcceptFiles(m_hWnd, bAccept); }

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}
int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; nID++) {
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    }
    return 0;
}
UINT CWnd::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
void CWnd::GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, nID); }
UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}
int CWnd::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const
{
    return (int)::GetDlgItemText(m_hWnd, nID, lpStr, nMaxCount);
}
int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    if (hItem == nullptr)
        return 0;
    CWnd(hItem).GetWindowText(rString);
    return rString.GetLength();
}
void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemText(m_hWnd, nID, lpszString); }
LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam);
}
CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}
CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtr(m_hWnd, GWLP_ID, nID); }

CWnd* PASCAL CWnd::GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    // A direct child first, then the children's descendants.
    if (HWND hChild = ::GetDlgItem(hWnd, nID)) {
        CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hChild) : FromHandle(hChild);
        if (pWnd != nullptr)
            return pWnd;
    }
    for (HWND hChild = ::GetTopWindow(hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (CWnd* pWnd = GetDescendantWindow(hChild, nID, bOnlyPerm))
            return pWnd;
    }
    return nullptr;
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    return GetDescendantWindow(m_hWnd, nID, bOnlyPerm);
}

int CWnd::GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
}
int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}
BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}
BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}
int CWnd::GetScrollLimit(int nBar) const
{
    SCROLLINFO info = {};
    if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE))
        return 0;
    int nLimit = info.nMax;
    if (info.nPage > 1)
        nLimit -= (int)info.nPage - 1;
    return nLimit < info.nMin ? info.nMin : nLimit;
}
void CWnd::ShowScrollBar(UINT nBar, BOOL bShow) { ::ShowScrollBar(m_hWnd, (int)nBar, bShow); }
void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable)
{
    if (nBar == SB_BOTH) {
        EnableScrollBarCtrl(SB_HORZ, bEnable);
        EnableScrollBarCtrl(SB_VERT, bEnable);
    } else {
        ::ShowScrollBar(m_hWnd, nBar, bEnable);
    }
}
BOOL CWnd::EnableScrollBar(int nSBFlags, UINT nArrowFlags) { return ::EnableScrollBar(m_hWnd, (UINT)nSBFlags, nArrowFlags); }
void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect)
{
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}
int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                         LPRECT lpRectUpdate, UINT flags)
{
    return ::ScrollWindowEx(m_hWnd, dx, dy, lpRectScroll, lpRectClip, (HRGN)prgnUpdate->GetSafeHandle(),
                            lpRectUpdate, flags);
}
CScrollBar* CWnd::GetScrollBarCtrl(int) const { return nullptr; }

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd())); }
CWnd* CWnd::GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    ::SetWindowLongPtr(m_hWnd, GWLP_HWNDPARENT, (LONG_PTR)pOwnerWnd->GetSafeHwnd());
}
CWnd* CWnd::GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
CWnd* CWnd::GetNextWindow(UINT nFlag) const { return FromHandle(::GetWindow(m_hWnd, nFlag)); }
CWnd* CWnd::GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
CWnd* CWnd::GetLastActivePopup() const { return FromHandle(::GetLastActivePopup(m_hWnd)); }
BOOL CWnd::IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }

namespace {
// The last window of the chain hWnd, next(hWnd), next(next(hWnd))...
HWND EndOfChain(HWND hWnd, HWND (*pfnNext)(HWND))
{
    for (HWND hNext; hWnd != nullptr && (hNext = pfnNext(hWnd)) != nullptr;)
        hWnd = hNext;
    return hWnd;
}
HWND OwnerOf(HWND hWnd) { return ::GetWindow(hWnd, GW_OWNER); }
} // namespace

CWnd* CWnd::GetTopLevelParent() const
{
    return FromHandle(EndOfChain(m_hWnd, &AfxGetParentOwner));
}

CWnd* CWnd::GetTopLevelOwner() const
{
    return FromHandle(EndOfChain(m_hWnd, &OwnerOf));
}

CWnd* CWnd::GetParentOwner() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hWnd = m_hWnd;
    while (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) {
        HWND hParent = ::GetParent(hWnd);
        if (hParent == nullptr)
            break;
        hWnd = hParent;
    }
    return FromHandle(hWnd);
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND hWnd = pParent->GetSafeHwnd();
    if (hWnd == nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        hWnd = pMain->GetSafeHwnd();
    }
    while (hWnd != nullptr && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    if (pWndTop != nullptr)
        *pWndTop = hWnd;
    if (hWnd != nullptr)
        hWnd = ::GetLastActivePopup(hWnd);
    return FromHandle(hWnd);
}

CWnd* CWnd::ChildWindowFromPoint(POINT point, UINT nFlags) const
{
    return FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags));
}
CWnd* PASCAL CWnd::WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
CWnd* PASCAL CWnd::FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName)
{
    return FromHandle(::FindWindow(lpszClassName, lpszWindowName));
}
CWnd* PASCAL CWnd::FindWindowEx(HWND hwndParent, HWND hwndChildAfter, LPCTSTR lpszClass, LPCTSTR lpszWindow)
{
    return FromHandle(::FindWindowEx(hwndParent, hwndChildAfter, lpszClass, lpszWindow));
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (lpszCaption == nullptr)
        lpszCaption = AfxGetAppName();
    return ::MessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

void CWnd::CreateSolidCaret(int nWidth, int nHeight) { ::CreateCaret(m_hWnd, nullptr, nWidth, nHeight); }
void PASCAL CWnd::SetCaretPos(POINT point) { ::SetCaretPos(point.x, point.y); }
void CWnd::HideCaret() { ::HideCaret(m_hWnd); }
void CWnd::ShowCaret() { ::ShowCaret(m_hWnd); }

void CWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWinApp* pApp = AfxGetApp();
    LPCTSTR lpszHelp = pApp ? pApp->m_pszHelpFilePath : nullptr;
    if (lpszHelp != nullptr)
        ::WinHelp(m_hWnd, lpszHelp, nCmd, dwData);
}

BOOL CWnd::SetOccDialogInfo(_AFX_OCC_DIALOG_INFO*) { return FALSE; }
BOOL CWnd::IsFrameWnd() const { return FALSE; }

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == nullptr)
        return TRUE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCE(240));
    HRSRC hRsrc = ::FindResource(hInst, lpszResourceName, MAKEINTRESOURCE(240));
    if (hRsrc == nullptr)
        return TRUE; // no initialisation data
    HGLOBAL hData = ::LoadResource(hInst, hRsrc);
    return hData == nullptr ? FALSE : ExecuteDlgInit(::LockResource(hData));
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    // Records of: control id (WORD), message (WORD), data length (DWORD),
    // data; a zero id ends them. The list and combo "add string" messages
    // are stored with their old 16-bit numbers.
    BOOL bSuccess = TRUE;
    const BYTE* p = static_cast<const BYTE*>(lpResource);
    while (p != nullptr) {
        WORD nIDC, nMsg;
        DWORD dwLen;
        memcpy(&nIDC, p, sizeof(WORD));
        if (nIDC == 0)
            break;
        memcpy(&nMsg, p + 2, sizeof(WORD));
        memcpy(&dwLen, p + 4, sizeof(DWORD));
        const char* pData = reinterpret_cast<const char*>(p + 8);
        if (nMsg == 0x0401)
            nMsg = LB_ADDSTRING;
        else if (nMsg == 0x0403)
            nMsg = CB_ADDSTRING;
        if (nMsg == LB_ADDSTRING || nMsg == CB_ADDSTRING) {
            if (::SendDlgItemMessage(m_hWnd, nIDC, nMsg, 0, (LPARAM)pData) == -1)
                bSuccess = FALSE;
        }
        p += 8 + dwLen;
    }
    return bSuccess;
}

/////////////////////////////////////////////////////////////////////////////
// Class registration and temporary maps

namespace {
std::set<std::string>& RegisteredClassNames()
{
    static std::set<std::string> names;
    return names;
}
} // namespace

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASS wndcls;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
        return TRUE; // registered already
    return ::RegisterClass(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    char szName[96];
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (hCursor == nullptr && hbrBackground == nullptr && hIcon == nullptr)
        wsprintfA(szName, "Afx:%p:%x", (void*)hInst, nClassStyle);
    else
        wsprintfA(szName, "Afx:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle, (void*)hCursor,
                  (void*)hbrBackground, (void*)hIcon);

    auto& names = RegisteredClassNames();
    auto it = names.find(szName);
    if (it == names.end())
        it = names.insert(szName).first;

    WNDCLASS wc = {};
    if (!::GetClassInfo(hInst, it->c_str(), &wc)) {
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = hInst;
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = it->c_str();
        if (!::RegisterClass(&wc))
            AfxThrowResourceException();
    }
    return it->c_str();
}

BOOL AFXAPI AfxDeferRegisterClass(LONG fToRegister)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASS wc = {};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = hInst;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    BOOL bResult = TRUE;

    if (fToRegister & AFX_WND_REG) {
        WNDCLASS w = wc;
        w.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        w.lpszClassName = AFX_WND;
        bResult &= AfxRegisterClass(&w);
    }
    if (fToRegister & AFX_WNDCONTROLBAR_REG) {
        WNDCLASS w = wc;
        w.style = CS_DBLCLKS;
        w.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        w.lpszClassName = AFX_WNDCONTROLBAR;
        bResult &= AfxRegisterClass(&w);
    }
    if (fToRegister & AFX_WNDMDIFRAME_REG) {
        WNDCLASS w = wc;
        w.style = CS_DBLCLKS;
        w.hIcon = ::LoadIcon(hInst, MAKEINTRESOURCE(AFX_IDI_STD_MDIFRAME));
        if (w.hIcon == nullptr)
            w.hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
        w.lpszClassName = AFX_WNDMDIFRAME;
        bResult &= AfxRegisterClass(&w);
    }
    if (fToRegister & AFX_WNDFRAMEORVIEW_REG) {
        WNDCLASS w = wc;
        w.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        w.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        w.hIcon = ::LoadIcon(hInst, MAKEINTRESOURCE(AFX_IDI_STD_FRAME));
        if (w.hIcon == nullptr)
            w.hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
        w.lpszClassName = AFX_WNDFRAMEORVIEW;
        bResult &= AfxRegisterClass(&w);
    }
    if (fToRegister & AFX_WNDCOMMCTLS_REG) {
        INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
        bResult &= ::InitCommonControlsEx(&icc);
    }
    return bResult;
}

void AFXAPI AfxLockTempMaps()
{
    ++State().nTempMapLock;
}

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    kvwnd::ThreadState& st = State();
    if (st.nTempMapLock > 0 && --st.nTempMapLock == 0 && bDeleteTemps) {
        CWnd::DeleteTempMap();
        CDC::DeleteTempMap();
        CGdiObject::DeleteTempMap();
        CMenu::DeleteTempMap();
        return TRUE;
    }
    return FALSE;
}

BOOL AFXAPI AfxIsDescendant(HWND hWndParent, HWND hWndChild)
{
    while (hWndChild != nullptr) {
        if (hWndChild == hWndParent)
            return TRUE;
        hWndChild = AfxGetParentOwner(hWndChild);
    }
    return FALSE;
}

HWND AFXAPI AfxGetParentOwner(HWND hWnd)
{
    // A child's parent, a popup's owner.
    if (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}
