#include "frame/filters/OZWCaptionFilters.h"

IMPLEMENT_DYNCREATE(OZWCaptionMsgFilter, OZWNcMsgFilter)
IMPLEMENT_DYNCREATE(OZWCaptionControlMsgFilter, OZWCaptionMsgFilter)
IMPLEMENT_DYNCREATE(OZWCaptionControlListMsgFilter, OZWCaptionMsgFilter)
IMPLEMENT_DYNCREATE(OZWCapConLstMDIMaxChildMsgFilter, OZWCaptionControlListMsgFilter)

namespace {

HWND WindowOf(const CWnd* pWnd)
{
    return pWnd != nullptr && ::IsWindow(pWnd->m_hWnd) ? pWnd->m_hWnd : nullptr;
}

} // namespace

// ---- OZWCaptionMsgFilter

ozwcaption::WindowFacts OZWCaptionMsgFilter::GetWindowFacts() const
{
    ozwcaption::WindowFacts facts;
    HWND hWnd = WindowOf(m_pWnd);
    if (hWnd == nullptr)
        return facts;
    facts.bWindow = TRUE;
    facts.dwStyle = (DWORD)::GetWindowLongPtr(hWnd, GWL_STYLE);
    facts.dwExStyle = (DWORD)::GetWindowLongPtr(hWnd, GWL_EXSTYLE);
    facts.bIconic = ::IsIconic(hWnd);
    facts.bZoomed = ::IsZoomed(hWnd);
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    facts.cxWindow = rect.right - rect.left;
    if (HMENU hSysMenu = ::GetSystemMenu(hWnd, FALSE)) {
        const UINT state = ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
        facts.bCloseDisabled = state != (UINT)-1 && (state & (MF_GRAYED | MF_DISABLED)) != 0;
    }
    return facts;
}

RECT OZWCaptionMsgFilter::GetCaptionRect()
{
    return ozwcaption::CaptionRect(GetWindowFacts(), ozwcaption::Metrics::FromSystem());
}

SIZE OZWCaptionMsgFilter::GetButtonSizeFromMetrics(int nCxMetric, int nCyMetric)
{
    return SIZE {::GetSystemMetrics(nCxMetric) - 2, ::GetSystemMetrics(nCyMetric) - 4};
}

SIZE OZWCaptionMsgFilter::GetButtonSize()
{
    HWND hWnd = WindowOf(m_pWnd);
    if (hWnd != nullptr && (::GetWindowLongPtr(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        return GetButtonSizeFromMetrics(SM_CXSMSIZE, SM_CYSMSIZE);
    return GetButtonSizeFromMetrics(SM_CXSIZE, SM_CYSIZE);
}

POINT OZWCaptionMsgFilter::GetFirstButtonPos(RECT rcCaption, SIZE size)
{
    return POINT {rcCaption.right - size.cx - 2, rcCaption.top + 2};
}

// ---- OZWCaptionControlMsgFilter

OZWCaptionControlMsgFilter::OZWCaptionControlMsgFilter(CWnd* pWnd, int nID, UINT nState, UINT nType)
    : OZWCaptionMsgFilter(pWnd, nID), m_nType(nType), m_nState(nState)
{
    if (IsStandard())
        m_nState |= (UINT)nID;
}

OZWCaptionControlMsgFilter::OZWCaptionControlMsgFilter(const OZWCaptionControlMsgFilter& other)
    : OZWCaptionMsgFilter(other), m_rect(other.m_rect), m_nType(other.m_nType), m_nState(other.m_nState),
      m_nHoldInterval(other.m_nHoldInterval)
{
}

OZWCaptionControlMsgFilter::~OZWCaptionControlMsgFilter()
{
    KillHoldTimer();
}

UINT OZWCaptionControlMsgFilter::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_SETTEXT:
    case WM_SETCURSOR:
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        Draw();
        return Consumed;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        if (!m_bTracking)
            break;
        HWND hWnd = WindowOf(m_pWnd);
        if (hWnd == nullptr || ::GetCapture() != hWnd) {
            // The capture went elsewhere (a dialog, another application):
            // the press is over, and this message is the window's own.
            EndTracking(TRUE, TRUE);
            break;
        }
        POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        ::ClientToScreen(hWnd, &pt);
        if (message == WM_LBUTTONUP)
            OnTrackButtonUp(pt.x, pt.y);
        else
            OnTrackMouseMove(pt.x, pt.y);
        return Consumed | MouseTaken;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: {
        if (wParam != HTCAPTION)
            break;
        const int x = (short)LOWORD(lParam), y = (short)HIWORD(lParam);
        if (!HitTest(x, y))
            break;
        if (m_nState & DFCS_INACTIVE)
            return Consumed | MouseTaken;
        if (message == WM_NCRBUTTONDOWN)
            Fire(kRightPress, x, y);
        else
            OnButtonDown(x, y);
        return Consumed | MouseTaken;
    }
    default:
        break;
    }
    return ProcessChildren(message, wParam, lParam, pResult);
}

void OZWCaptionControlMsgFilter::Draw()
{
    HWND hWnd = WindowOf(m_pWnd);
    if (!IsStandard() || hWnd == nullptr || ::IsRectEmpty(&m_rect))
        return;
    HDC hdc = ::GetWindowDC(hWnd);
    if (hdc == nullptr)
        return;
    RECT rect = m_rect;
    // The identifier is the caption glyph (the filters made from a table
    // get their identifier after construction).
    UINT nState = m_nState;
    if (m_nType == DFC_CAPTION && m_nID <= ozwcaption::kHelp)
        nState = (nState & ~0xFFu) | (UINT)m_nID;
    ::DrawFrameControl(hdc, &rect, m_nType, nState);
    ::ReleaseDC(hWnd, hdc);
}

BOOL OZWCaptionControlMsgFilter::HitTest(int x, int y)
{
    HWND hWnd = WindowOf(m_pWnd);
    if (hWnd == nullptr)
        return FALSE;
    POINT pt = {x, y};
    ::ScreenToClient(hWnd, &pt);
    // From client to window coordinates: the client area's origin less the
    // window's, both on the screen.
    POINT client = {0, 0};
    ::ClientToScreen(hWnd, &client);
    RECT window;
    ::GetWindowRect(hWnd, &window);
    pt.x += client.x - window.left;
    pt.y += client.y - window.top;
    return ::PtInRect(&m_rect, pt);
}

void OZWCaptionControlMsgFilter::OnButtonDown(int x, int y)
{
    BeginTracking(TRUE, TRUE);
    if (m_nHoldInterval != 0)
        StartHoldTimer(x, y);
    else
        OnHoldElapsed(x, y);
}

void OZWCaptionControlMsgFilter::OnTrackButtonUp(int x, int y)
{
    EndTracking(TRUE, TRUE);
    if (HitTest(x, y))
        Fire(kClick, x, y);
}

void OZWCaptionControlMsgFilter::OnHoldElapsed(int x, int y)
{
    EndTracking(TRUE, FALSE);
    Fire(kHoldElapsed, x, y);
}

void OZWCaptionControlMsgFilter::OnTrackMouseMove(int x, int y)
{
    if (!m_bTracking)
        return;
    const BOOL bInside = HitTest(x, y);
    const BOOL bPushed = (m_nState & DFCS_PUSHED) != 0;
    if (bInside == bPushed)
        return;
    if (bInside)
        StartHoldTimer(x, y);
    else
        KillHoldTimer();
    if (bInside)
        m_nState |= DFCS_PUSHED;
    else
        m_nState &= ~(UINT)DFCS_PUSHED;
    Draw();
}

void OZWCaptionControlMsgFilter::Fire(UINT nReason, int x, int y)
{
    HWND hWnd = nullptr;
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    if (GetCommandMessage(nReason, (short)x, (short)y, &hWnd, &msg, &wParam, &lParam))
        ::PostMessage(hWnd, msg, wParam, lParam);
}

BOOL OZWCaptionControlMsgFilter::GetCommandMessage(UINT nReason, short x, short y, HWND* pWnd, UINT* pMsg,
                                                   WPARAM* pWParam, LPARAM* pLParam)
{
    if (nReason != kClick || !IsStandard())
        return FALSE;
    const UINT nCommand = ozwcaption::SystemCommandOf(m_nID);
    if (nCommand == 0)
        return FALSE;
    *pWnd = m_pWnd != nullptr ? m_pWnd->m_hWnd : nullptr;
    *pMsg = WM_SYSCOMMAND;
    *pWParam = nCommand;
    *pLParam = MAKELONG(x, y);
    return TRUE;
}

void OZWCaptionControlMsgFilter::BeginTracking(BOOL bPush, BOOL bRedraw)
{
    m_bTracking = TRUE;
    if (bPush)
        m_nState |= DFCS_PUSHED;
    if (HWND hWnd = WindowOf(m_pWnd))
        ::SetCapture(hWnd);
    if (bRedraw)
        Draw();
}

void OZWCaptionControlMsgFilter::EndTracking(BOOL bUnpush, BOOL bRedraw)
{
    m_bTracking = FALSE;
    KillHoldTimer();
    if (bUnpush)
        m_nState &= ~(UINT)DFCS_PUSHED;
    HWND hWnd = WindowOf(m_pWnd);
    if (hWnd != nullptr && ::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (bRedraw)
        Draw();
}

void OZWCaptionControlMsgFilter::KillHoldTimer()
{
    OZWCaptionControlMsgFilterTimer* pTimer = m_pTimerWnd;
    m_pTimerWnd = nullptr;
    if (pTimer != nullptr)
        pTimer->Release();
}

void OZWCaptionControlMsgFilter::StartHoldTimer(int x, int y)
{
    KillHoldTimer();
    if (m_nHoldInterval < 1 || WindowOf(m_pWnd) == nullptr)
        return;
    auto* pTimer = new OZWCaptionControlMsgFilterTimer(this, m_nHoldInterval, x, y);
    if (!pTimer->CreateTimer(m_pWnd)) {
        delete pTimer;
        return;
    }
    m_pTimerWnd = pTimer;
}

BOOL OZWCaptionControlMsgFilter::GetVisibility(BOOL* pDisabled)
{
    return ozwcaption::StandardButtonVisibility(m_nID, GetWindowFacts(), pDisabled);
}

// ---- OZWCaptionControlMsgFilterTimer

BOOL OZWCaptionControlMsgFilterTimer::CreateTimer(CWnd* pParent)
{
    return CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 0, 0), pParent, 0);
}

void OZWCaptionControlMsgFilterTimer::Release()
{
    m_pButton = nullptr;
    if (m_bReleased)
        return;
    m_bReleased = TRUE;
    if (m_hWnd == nullptr) {
        delete this;
        return;
    }
    if (m_bInTimer) {
        // The window's own timer handler is on the stack: it goes once the
        // handler has returned (WindowProc), never from under it.
        return;
    }
    DestroyWindow(); // PostNcDestroy deletes the object
}

LRESULT OZWCaptionControlMsgFilterTimer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        if (lResult == -1)
            return -1;
        if (::SetTimer(m_hWnd, kTimerID, (UINT)m_nInterval, nullptr) == 0)
            return -1;
        m_bTimerSet = TRUE;
        return lResult;
    }
    case WM_TIMER:
        if (wParam != kTimerID)
            break;
        if (!m_bFired) {
            m_bFired = TRUE;
            ::KillTimer(m_hWnd, kTimerID);
            m_bTimerSet = FALSE;
            if (m_pButton != nullptr && m_pButton->IsTracking()) {
                m_bInTimer = TRUE;
                m_pButton->OnHoldElapsed(m_x, m_y);
                m_bInTimer = FALSE;
            }
        }
        if (m_bReleased)
            ::PostMessage(m_hWnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_CLOSE:
        if (m_bReleased) {
            DestroyWindow();
            return 0;
        }
        break;
    case WM_DESTROY:
        if (m_bTimerSet)
            ::KillTimer(m_hWnd, kTimerID);
        m_bTimerSet = FALSE;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void OZWCaptionControlMsgFilterTimer::PostNcDestroy()
{
    // A window whose button let go of it owns itself; one still held is
    // deleted by Release.
    if (m_bReleased)
        delete this;
    else
        m_pButton = nullptr;
}

// ---- OZWCaptionControlListMsgFilter

OZWCaptionControlListMsgFilter::OZWCaptionControlListMsgFilter(CWnd* pWnd, int nID) : OZWCaptionMsgFilter(pWnd, nID)
{
    using namespace ozwcaption;
    for (int id : {kClose, kMaximize, kRestore, kMinimize, kHelp})
        m_buttons.Add(Descriptor(id, -1, RUNTIME_CLASS(OZWCaptionControlMsgFilter), 0));
    OZWMsgFilter::ApplyDescriptorsAll(m_buttons, TRUE);
}

OZWCaptionControlListMsgFilter::OZWCaptionControlListMsgFilter(const OZWCaptionControlListMsgFilter& other)
    : OZWCaptionMsgFilter(other)
{
    for (int i = 0; i < other.m_buttons.GetSize(); ++i)
        if (other.m_buttons[i] != nullptr)
            m_buttons.Add(*other.m_buttons[i]);
}

UINT OZWCaptionControlListMsgFilter::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    RecalcLayout();
    return ProcessChildren(message, wParam, lParam, pResult);
}

void OZWCaptionControlListMsgFilter::ApplyDescriptorsAll(const DescriptorTable& table, BOOL bEnable)
{
    OZWMsgFilter::ApplyDescriptorsAll(table.GetSize() == 0 ? m_buttons : table, bEnable);
}

void OZWCaptionControlListMsgFilter::RecalcLayout()
{
    if (!m_bEnabled || WindowOf(m_pWnd) == nullptr)
        return;
    const SIZE size = GetButtonSize();
    POINT pos = GetFirstButtonPos(GetCaptionRect(), size);
    const BOOL bIconic = ::IsIconic(m_pWnd->m_hWnd);
    for (int i = 0; i < GetChildCount(); ++i) {
        OZWMsgFilter* pChild = GetChild(i);
        if (pChild == nullptr || !pChild->IsKindOf(RUNTIME_CLASS(OZWCaptionControlMsgFilter)))
            continue;
        auto* pButton = static_cast<OZWCaptionControlMsgFilter*>(pChild);
        BOOL bDisabled = FALSE;
        if (!pButton->GetVisibility(&bDisabled)) {
            ::SetRectEmpty(&pButton->m_rect);
            continue;
        }
        ::SetRect(&pButton->m_rect, pos.x, pos.y, pos.x + size.cx, pos.y + size.cy);
        if (bDisabled)
            pButton->m_nState |= DFCS_INACTIVE;
        else
            pButton->m_nState &= ~(UINT)DFCS_INACTIVE;
        pos.x -= size.cx + ozwcaption::GapAfter(pButton->GetID(), bIconic);
    }
}

// ---- OZWCapConLstMDIMaxChildMsgFilter

SIZE OZWCapConLstMDIMaxChildMsgFilter::GetButtonSize()
{
    return GetButtonSizeFromMetrics(SM_CXMENUSIZE, SM_CYMENUSIZE);
}

POINT OZWCapConLstMDIMaxChildMsgFilter::GetFirstButtonPos(RECT rcCaption, SIZE size)
{
    POINT pt = OZWCaptionControlListMsgFilter::GetFirstButtonPos(rcCaption, size);
    pt.y = rcCaption.top + ::GetSystemMetrics(SM_CYCAPTION) + 2;
    return pt;
}
