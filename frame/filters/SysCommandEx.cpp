#include "frame/filters/SysCommandEx.h"

#include "frame/doctemplate/OZWMultiDocTemplate.h"
#include "frame/filters/FiltersRes.h"
#include "frame/mdi/OZWMDIChildWnd.h"
#include "frame/mdi/OZWMDIFrameWnd.h"

#include <algorithm>
#include <memory>

namespace nsSysCommandEx {

IMPLEMENT_DYNCREATE(ScxMsgFilter, OZWMsgFilter)
IMPLEMENT_DYNCREATE(ScxButtonMsgFilter, OZWCaptionControlMsgFilter)
IMPLEMENT_DYNCREATE(ScxButtonMDIChildMsgFilter, ScxButtonMsgFilter)
IMPLEMENT_DYNCREATE(ScxButtonMDIMaxChildMsgFilter, ScxButtonMsgFilter)
IMPLEMENT_DYNCREATE(ScxCaptionNCRDBLClkFilter, OZWCaptionMsgFilter)
IMPLEMENT_DYNCREATE(ScxNCRDBLClkMDIMaxChildMsgFilter, OZWNcMsgFilter)
IMPLEMENT_DYNCREATE(ScxContextMenuFilter, OZWMsgFilter)

namespace {

constexpr UINT kAllBits = OZWMsgFilter::Consumed | OZWMsgFilter::MouseTaken | OZWMsgFilter::StopSiblings;

CWnd* PermanentWnd(HWND hWnd)
{
    return hWnd != nullptr && ::IsWindow(hWnd) ? CWnd::FromHandlePermanent(hWnd) : nullptr;
}

BOOL IsDockableFrame(const CWnd* pWnd)
{
    static CRuntimeClass* s_pClass = CRuntimeClass::FromName("OZWDockableFrame");
    if (s_pClass == nullptr)
        s_pClass = CRuntimeClass::FromName("OZWDockableFrame");
    return pWnd != nullptr && s_pClass != nullptr && pWnd->IsKindOf(s_pClass);
}

CString LoadText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

// The zoomed active child of an MDI frame that is one of the toolkit's and
// has its filter of kind nKind on; null otherwise.
OZWMDIChildWnd* MaxChildWithFilter(CWnd* pFrame, int nKind)
{
    auto* pMDIFrame = dynamic_cast<CMDIFrameWnd*>(pFrame);
    if (pMDIFrame == nullptr || pMDIFrame->m_hWndMDIClient == nullptr)
        return nullptr;
    BOOL bMaximized = FALSE;
    auto* pChild = dynamic_cast<OZWMDIChildWnd*>(pMDIFrame->MDIGetActive(&bMaximized));
    if (pChild == nullptr || !bMaximized || pChild->m_pMsgFilter == nullptr)
        return nullptr;
    OZWMsgFilter* pFilter = pChild->m_pMsgFilter->FindFilter(nKind, nullptr, -1);
    return pFilter != nullptr && pFilter->IsEnabled() ? pChild : nullptr;
}

void MoveBySetWindowPos(CWnd* pWnd, const CommandRecord& record)
{
    if (pWnd == nullptr || (record.dwFlags & (kHasPosition | kHasSize)) == 0)
        return;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if ((record.dwFlags & kHasPosition) == 0)
        flags |= SWP_NOMOVE;
    if ((record.dwFlags & kHasSize) == 0)
        flags |= SWP_NOSIZE;
    ::SetWindowPos(pWnd->m_hWnd, nullptr, record.x, record.y, record.cx, record.cy, flags);
}

} // namespace

int GetStateGroup(int nState)
{
    if (nState >= kMDIChild && nState <= kMDIChildNormal)
        return kMDIChild;
    if (nState >= kDocked && nState <= kDockedBottom)
        return kDocked;
    if (nState == kFloating)
        return kFloating;
    return kNone;
}

BOOL IsScxCommand(UINT nCommand)
{
    return nCommand == kExecute || nCommand == kShowMenu;
}

UINT DockBarOfState(int nState)
{
    switch (nState) {
    case kDockedLeft: return AFX_IDW_DOCKBAR_LEFT;
    case kDockedTop: return AFX_IDW_DOCKBAR_TOP;
    case kDockedRight: return AFX_IDW_DOCKBAR_RIGHT;
    case kDockedBottom: return AFX_IDW_DOCKBAR_BOTTOM;
    default: return 0;
    }
}

BOOL IsStateItemChecked(int nItem, int nState)
{
    if (nItem == kDocked || nItem == kFloating || nItem == kMDIChild)
        return nState == nItem || GetStateGroup(nState) == nItem;
    return nState == nItem;
}

LRESULT SendCommand(HWND hWnd, UINT nCommand, CommandRecord& record)
{
    return ::SendMessage(hWnd, OZWGetSysCommandExMessage(), nCommand, (LPARAM)&record);
}

// ---- ScxMsgFilter

UINT ScxMsgFilter::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != OZWGetSysCommandExMessage())
        return 0;
    LRESULT lDummy = 0;
    if (pResult == nullptr)
        pResult = &lDummy;
    const UINT nCommand = (UINT)(wParam & 0xFFF0);
    if (!m_bNested && IsScxCommand(nCommand)) {
        // The command may destroy this window and its filters with it: it
        // runs on a copy that lives on this stack frame.
        std::unique_ptr<ScxMsgFilter> pCopy(static_cast<ScxMsgFilter*>(Clone()));
        pCopy->m_bNested = TRUE;
        UINT bits = pCopy->ProcessMessage(message, wParam, lParam, pResult);
        if (bits & Consumed)
            bits |= StopSiblings;
        return bits;
    }
    auto* pRecord = reinterpret_cast<CommandRecord*>(lParam);
    if (pRecord == nullptr || !::IsWindow(pRecord->hWnd))
        return 0;
    HWND hRepaint = nullptr;
    if (pRecord->dwFlags & kHasPosition) {
        hRepaint = pRecord->hWnd;
        if (::IsZoomed(hRepaint)) {
            if (auto* pMDIFrame = dynamic_cast<CMDIFrameWnd*>(PermanentWnd(hRepaint)))
                if (CMDIChildWnd* pActive = pMDIFrame->MDIGetActive())
                    hRepaint = pActive->m_hWnd;
        }
    }
    UINT bits = 0;
    switch (nCommand) {
    case kExecute: bits = OnExecute(*pRecord, pResult); break;
    case kGetMenu: bits = OnGetMenu(*pRecord, pResult); break;
    case kShowMenu: bits = OnShowMenu(*pRecord, pResult); break;
    default: break;
    }
    if (hRepaint != nullptr && ::IsWindow(hRepaint))
        ::SendMessage(hRepaint, WM_NCPAINT, 0, 0);
    return bits;
}

OZWMultiDocTemplate* ScxMsgFilter::FindTemplate(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return nullptr;
    CDocument* pDoc = pFrame->GetActiveDocument();
    if (pDoc == nullptr)
        return nullptr;
    return dynamic_cast<OZWMultiDocTemplate*>(pDoc->GetDocTemplate());
}

HMENU ScxMsgFilter::BuildMenu(CommandRecord& record)
{
    auto* pFrame = dynamic_cast<CFrameWnd*>(PermanentWnd(record.hWnd));
    const int nState = pFrame != nullptr ? GetFrameState(pFrame, FindTemplate(pFrame)) : kNone;
    HMENU hMenu = ::CreatePopupMenu();
    HMENU hDocked = ::CreatePopupMenu();
    HMENU hChild = ::CreatePopupMenu();
    if (hMenu == nullptr || hDocked == nullptr || hChild == nullptr) {
        for (HMENU h : {hMenu, hDocked, hChild})
            if (h != nullptr)
                ::DestroyMenu(h);
        return nullptr;
    }
    auto add = [nState](HMENU h, int nItem, UINT nText) {
        const UINT flags = MF_STRING | (IsStateItemChecked(nItem, nState) ? MF_CHECKED : MF_UNCHECKED);
        ::AppendMenuA(h, flags, (UINT_PTR)nItem, LoadText(nText));
    };
    add(hMenu, kDocked, IDS_SCX_DOCKED);
    add(hMenu, kFloating, IDS_SCX_FLOATING);
    add(hMenu, kMDIChild, IDS_SCX_MDICHILD);
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
    add(hDocked, kDockedTop, IDS_SCX_DOCK_TOP);
    add(hDocked, kDockedLeft, IDS_SCX_DOCK_LEFT);
    add(hDocked, kDockedBottom, IDS_SCX_DOCK_BOTTOM);
    add(hDocked, kDockedRight, IDS_SCX_DOCK_RIGHT);
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hDocked, LoadText(IDS_SCX_DOCKED_TO));
    add(hChild, kMDIChildIconic, IDS_SCX_MINIMIZED);
    add(hChild, kMDIChildZoomed, IDS_SCX_MAXIMIZED);
    add(hChild, kMDIChildNormal, IDS_SCX_RESTORED);
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hChild, LoadText(IDS_SCX_MDICHILD_AS));
    return hMenu;
}

UINT ScxMsgFilter::OnShowMenu(CommandRecord& record, LRESULT* pResult)
{
    if (HMENU hMenu = GetMenu(record)) {
        const int nChoice = TrackMenu(hMenu, record);
        ExecuteChoice(nChoice, record);
        ::DestroyMenu(hMenu);
    }
    *pResult = 0;
    return kAllBits;
}

UINT ScxMsgFilter::OnGetMenu(CommandRecord& record, LRESULT* pResult)
{
    record.hMenu = BuildMenu(record);
    *pResult = record.hMenu != nullptr;
    return kAllBits;
}

UINT ScxMsgFilter::OnExecute(CommandRecord& record, LRESULT* pResult)
{
    auto* pFrame = dynamic_cast<CFrameWnd*>(PermanentWnd(record.hWnd));
    OZWMultiDocTemplate* pTemplate = FindTemplate(pFrame);
    if (pFrame == nullptr || pTemplate == nullptr)
        return 0;
    const int nState = GetFrameState(pFrame, pTemplate);
    int nCommand = record.nCommand;
    if (nCommand == -1)
        nCommand = GetStateGroup(nState) == kMDIChild ? kDocked : kMDIChild;
    BOOL bDone = FALSE;
    switch (GetStateGroup(nCommand)) {
    case kMDIChild: bDone = ToMDIChild(pFrame, nState, nCommand, pTemplate, record); break;
    case kDocked: bDone = ToDocking(pFrame, nState, nCommand, pTemplate, record); break;
    case kFloating: bDone = ToFloating(pFrame, nState, nCommand, pTemplate, record); break;
    default: break;
    }
    *pResult = bDone;
    return kAllBits;
}

HMENU ScxMsgFilter::GetMenu(CommandRecord& record)
{
    if (record.hMenu != nullptr)
        return record.hMenu;
    CommandRecord copy = record;
    copy.dwFlags &= ~(DWORD)kHasPosition;
    if (SendCommand(record.hWnd, kGetMenu, copy) != 0)
        return copy.hMenu;
    return nullptr;
}

int ScxMsgFilter::TrackMenu(HMENU hMenu, CommandRecord& record)
{
    POINT pt = {record.x, record.y};
    if (pt.x < 0) {
        RECT client;
        ::GetClientRect(record.hWnd, &client);
        pt = {(client.left + client.right) / 2, (client.top + client.bottom) / 2};
        ::ClientToScreen(record.hWnd, &pt);
    }
    return (int)::TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, pt.x, pt.y, 0,
                                 record.hWnd, nullptr);
}

void ScxMsgFilter::ExecuteChoice(int nCommand, CommandRecord& record)
{
    if (nCommand == 0)
        return;
    CommandRecord copy = record;
    copy.nCommand = nCommand;
    copy.dwFlags &= ~(DWORD)kHasPosition;
    SendCommand(record.hWnd, kExecute, copy);
}

int ScxMsgFilter::GetFrameState(CFrameWnd* pFrame, OZWMultiDocTemplate* pTemplate)
{
    if (pFrame == nullptr)
        return kNone;
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) {
        if (::IsZoomed(pFrame->m_hWnd))
            return kMDIChildZoomed;
        if (::IsIconic(pFrame->m_hWnd))
            return kMDIChildIconic;
        return kMDIChildNormal;
    }
    if (IsDockableFrame(pFrame) && pTemplate != nullptr) {
        switch (pTemplate->GetDockSide(pFrame)) {
        case 0: return kDockedTop;
        case 1: return kDockedLeft;
        case 2: return kDockedBottom;
        case 3: return kDockedRight;
        case 4: return kFloating;
        default: return kNone;
        }
    }
    return kNone;
}

CFrameWnd* ScxMsgFilter::ToggleDocking(CFrameWnd* pFrame, OZWMultiDocTemplate* pTemplate, CommandRecord&)
{
    return pTemplate != nullptr ? pTemplate->ToggleDocking(pFrame) : nullptr;
}

CFrameWnd* ScxMsgFilter::DockFrame(CFrameWnd* pFrame, UINT nDockBarID, const DockPosition*, const DockSize* pSize,
                                   OZWMultiDocTemplate* pTemplate, CommandRecord&)
{
    if (pTemplate == nullptr)
        return nullptr;
    // The template takes the docked bar's size and its share of the row.
    CSize size;
    const CSize* pBarSize = nullptr;
    const float* pShare = nullptr;
    if (pSize != nullptr) {
        size = CSize(pSize->nHeight, pSize->nHeight);
        pBarSize = &size;
        pShare = &pSize->fRowShare;
    }
    return pTemplate->DockFrame(pFrame, nDockBarID, pBarSize, pShare);
}

BOOL ScxMsgFilter::ToMDIChild(CFrameWnd* pFrame, int, int nCommand, OZWMultiDocTemplate* pTemplate,
                              CommandRecord& record)
{
    if (pFrame->GetActiveView() == nullptr)
        return FALSE;
    CFrameWnd* pChild = pFrame;
    if (!pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) {
        pChild = ToggleDocking(pFrame, pTemplate, record);
        if (pChild == nullptr || GetStateGroup(GetFrameState(pChild, pTemplate)) != kMDIChild)
            return FALSE;
    }
    const int nNewState = GetFrameState(pChild, pTemplate);
    int nShow = -1;
    switch (nCommand) {
    case kMDIChildIconic: nShow = SW_SHOWMINIMIZED; break;
    case kMDIChildZoomed: nShow = SW_SHOWMAXIMIZED; break;
    case kMDIChildNormal: nShow = SW_SHOWNORMAL; break;
    default: break;
    }
    if (nShow != -1 && nNewState != nCommand)
        pChild->ShowWindow(nShow);
    if (nCommand != kMDIChildZoomed)
        MoveBySetWindowPos(pChild, record);
    if (::IsZoomed(pChild->m_hWnd)) {
        // A child that ends maximised: the MDI client lays out again.
        if (auto* pMain = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd()); pMain != nullptr && pMain->m_hWndMDIClient) {
            RECT client;
            ::GetClientRect(pMain->m_hWndMDIClient, &client);
            ::PostMessage(pMain->m_hWndMDIClient, WM_SIZE, 0, 0);
            ::PostMessage(pMain->m_hWndMDIClient, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
        }
    }
    return TRUE;
}

BOOL ScxMsgFilter::ToDocking(CFrameWnd* pFrame, int nState, int nCommand, OZWMultiDocTemplate* pTemplate,
                             CommandRecord& record)
{
    if (pFrame->GetActiveView() == nullptr)
        return FALSE;
    const BOOL bMDIChild = pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd));
    if ((nCommand == kDocked || nCommand == 0) && (record.dwFlags & (kHasPosition | kHasSize)) == 0) {
        if (bMDIChild)
            return ToggleDocking(pFrame, pTemplate, record) != nullptr;
        if (nState == kFloating)
            return ToggleDockState(pFrame, pTemplate, record);
        return TRUE; // docked already
    }
    const DockPosition* pPosition = (record.dwFlags & kHasPosition) ? record.pDockPosition : nullptr;
    const DockSize* pSize = (record.dwFlags & kHasSize) ? record.pDockSize : nullptr;
    const UINT nDockBarID = DockBarOfState(nCommand);
    if (bMDIChild)
        return DockFrame(pFrame, nDockBarID, pPosition, pSize, pTemplate, record) != nullptr;
    auto* pBar = dynamic_cast<CControlBar*>(pFrame->GetParent());
    auto* pMain = dynamic_cast<OZWMDIFrameWnd*>(AfxGetMainWnd());
    if (pBar == nullptr || pMain == nullptr)
        return FALSE;
    DWORD dwAlign = 0;
    switch (nCommand) {
    case kDockedLeft: dwAlign = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT; break;
    case kDockedTop: dwAlign = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM; break;
    case kDockedRight: dwAlign = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT; break;
    case kDockedBottom: dwAlign = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP; break;
    default: break;
    }
    pBar->SetBarStyle((pBar->GetBarStyle() & ~(DWORD)(CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | dwAlign);
    pMain->DockControlBar(pBar, nDockBarID);
    pMain->RecalcLayout();
    return TRUE;
}

BOOL ScxMsgFilter::ToFloating(CFrameWnd* pFrame, int nState, int nCommand, OZWMultiDocTemplate* pTemplate,
                              CommandRecord& record)
{
    if (nCommand != 0 && GetStateGroup(nCommand) != kFloating)
        return FALSE;
    if (pFrame->GetActiveView() == nullptr)
        return FALSE;
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) {
        if (::IsIconic(pFrame->m_hWnd))
            pFrame->ShowWindow(SW_RESTORE);
        RECT rect;
        ::GetWindowRect(pFrame->m_hWnd, &rect);
        CFrameWnd* pDocked = ToggleDocking(pFrame, pTemplate, record);
        if (pDocked == nullptr)
            return FALSE;
        const int nDockedState = GetFrameState(pDocked, pTemplate);
        if (GetStateGroup(nDockedState) != kDocked)
            return TRUE;
        CommandRecord next = record;
        if ((next.dwFlags & kHasPosition) == 0) {
            next.x = rect.left;
            next.y = rect.top;
            next.dwFlags |= kHasPosition;
        }
        if ((next.dwFlags & kHasSize) == 0) {
            next.cx = rect.right - rect.left;
            next.cy = rect.bottom - rect.top;
            next.dwFlags |= kHasSize;
        }
        return ToFloating(pDocked, nDockedState, kFloating, pTemplate, next);
    }
    if (GetStateGroup(nState) == kDocked)
        return ToggleDockState(pFrame, pTemplate, record);
    if (nState == kFloating)
        MoveBySetWindowPos(pFrame->GetParentFrame(), record);
    return TRUE;
}

BOOL ScxMsgFilter::ToggleDockState(CFrameWnd* pFrame, OZWMultiDocTemplate*, CommandRecord& record)
{
    auto* pBar = dynamic_cast<CControlBar*>(pFrame->GetParent());
    if (pBar == nullptr || pBar->m_pDockContext == nullptr)
        return FALSE;
    CDockContext* pContext = pBar->m_pDockContext;
    const CPoint ptSaved = pContext->m_ptMRUFloatPos;
    if (record.dwFlags & kHasPosition)
        pContext->m_ptMRUFloatPos = CPoint(record.x, record.y);
    const HWND hBar = pBar->m_hWnd;
    pContext->ToggleDocking();
    if (!::IsWindow(hBar))
        return TRUE;
    if (record.dwFlags & kHasPosition)
        pContext->m_ptMRUFloatPos = ptSaved;
    if ((record.dwFlags & kHasSize) && pBar->IsFloating()) {
        CommandRecord sizeOnly = record;
        sizeOnly.dwFlags = kHasSize;
        MoveBySetWindowPos(pBar->GetParentFrame(), sizeOnly);
    }
    return TRUE;
}

// ---- ScxButtonMsgFilter

ScxButtonMsgFilter::ScxButtonMsgFilter(CWnd* pWnd, int nID) : OZWCaptionControlMsgFilter(pWnd, nID, 2, DFC_SCROLL)
{
    m_nHoldInterval = 400;
}

UINT ScxButtonMsgFilter::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    UINT bits = OZWCaptionControlMsgFilter::ProcessMessage(message, wParam, lParam, pResult);
    if ((message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN || message == WM_LBUTTONUP) && (bits & Consumed))
        bits |= StopSiblings;
    return bits;
}

BOOL ScxButtonMsgFilter::GetVisibility(BOOL* pDisabled)
{
    if (pDisabled != nullptr)
        *pDisabled = FALSE;
    return TRUE;
}

HWND ScxButtonMsgFilter::GetTargetWindow()
{
    return m_pWnd != nullptr ? m_pWnd->m_hWnd : nullptr;
}

BOOL ScxButtonMsgFilter::GetCommandMessage(UINT nReason, short x, short y, HWND* pWnd, UINT* pMsg, WPARAM* pWParam,
                                           LPARAM* pLParam)
{
    auto* pRecord = reinterpret_cast<CommandRecord*>(*pLParam);
    if (pRecord == nullptr || m_pWnd == nullptr || !::IsWindow(m_pWnd->m_hWnd))
        return FALSE;
    *pRecord = CommandRecord();
    const HWND hTarget = GetTargetWindow();
    pRecord->hWnd = hTarget;
    // The button's rectangle is in the filter window's coordinates.
    RECT window;
    ::GetWindowRect(m_pWnd->m_hWnd, &window);
    pRecord->rcButton = m_rect;
    ::OffsetRect(&pRecord->rcButton, window.left, window.top);
    if (nReason == kClick) {
        *pWParam = kExecute;
        pRecord->x = x;
        pRecord->y = y;
        pRecord->nCommand = -1;
    } else {
        *pWParam = kShowMenu;
        pRecord->x = pRecord->rcButton.left;
        pRecord->y = pRecord->rcButton.bottom;
        if (nReason == kHoldElapsed)
            pRecord->dwFlags |= kHasPosition;
    }
    *pWnd = hTarget;
    *pMsg = OZWGetSysCommandExMessage();
    return TRUE;
}

void ScxButtonMsgFilter::Fire(UINT nReason, int x, int y)
{
    CommandRecord record;
    HWND hWnd = nullptr;
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = (LPARAM)&record;
    if (GetCommandMessage(nReason, (short)x, (short)y, &hWnd, &msg, &wParam, &lParam) && ::IsWindow(hWnd))
        ::SendMessage(hWnd, msg, wParam, lParam);
}

void ScxButtonMsgFilter::Draw()
{
    HWND hWnd = m_pWnd != nullptr && ::IsWindow(m_pWnd->m_hWnd) ? m_pWnd->m_hWnd : nullptr;
    if (hWnd == nullptr || ::IsRectEmpty(&m_rect))
        return;
    HDC hdc = ::GetWindowDC(hWnd);
    if (hdc == nullptr)
        return;
    DrawButton(hdc, m_rect, (m_nState & DFCS_PUSHED) != 0, IsDockableFrame(m_pWnd));
    ::ReleaseDC(hWnd, hdc);
}

void ScxButtonMsgFilter::DrawButton(HDC hdc, const RECT& rect, BOOL bPressed, BOOL bDockableFrame)
{
    auto edge = [hdc](RECT r, int topLeft, int bottomRight) {
        HBRUSH hTL = ::GetSysColorBrush(topLeft), hBR = ::GetSysColorBrush(bottomRight);
        RECT line = {r.left, r.top, r.right - 1, r.top + 1};
        ::FillRect(hdc, &line, hTL);
        line = {r.left, r.top, r.left + 1, r.bottom - 1};
        ::FillRect(hdc, &line, hTL);
        line = {r.left, r.bottom - 1, r.right, r.bottom};
        ::FillRect(hdc, &line, hBR);
        line = {r.right - 1, r.top, r.right, r.bottom};
        ::FillRect(hdc, &line, hBR);
    };
    RECT r = rect;
    if (bPressed)
        edge(r, COLOR_3DDKSHADOW, COLOR_3DHILIGHT);
    else
        edge(r, COLOR_3DHILIGHT, COLOR_3DDKSHADOW);
    ::InflateRect(&r, -1, -1);
    if (bPressed)
        edge(r, COLOR_3DSHADOW, COLOR_3DFACE);
    else
        edge(r, COLOR_3DLIGHT, COLOR_3DSHADOW);
    ::InflateRect(&r, -1, -1);
    ::FillRect(hdc, &r, ::GetSysColorBrush(COLOR_3DFACE));

    // The diamond: blocks of one stroke's size, the stroke a 9-unit square of
    // a 9800 by 9600 space laid over a hundred times the button.
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    const int sx = std::max(2, 9 * 100 * w / 9800);
    const int sy = std::max(1, 9 * 100 * h / 9600);
    int H = (int)(h * 0.6);
    if ((H - sy) % 2 == 0)
        H += 1;
    const int n = (H - sy + 1) / 2;
    const int W = sx - 2 + 2 * n;
    int x0 = rect.left + (w - W) / 2, y0 = rect.top + (h - H) / 2;
    if (sy == 1) {
        --x0;
        --y0;
    }
    if (bPressed) {
        ++x0;
        ++y0;
    }
    if (bDockableFrame)
        ++y0;
    HBRUSH hText = ::GetSysColorBrush(COLOR_BTNTEXT);
    auto block = [hdc, hText](int x, int y, int cx, int cy) {
        RECT b = {x, y, x + cx, y + cy};
        ::FillRect(hdc, &b, hText);
    };
    const int ax = x0 - 1 + n;
    const int topY = y0;
    const int bottomY = y0 + H - sy + (bDockableFrame ? 0 : 1);
    block(ax, topY, sx + 1, sy);
    block(ax, bottomY, sx + 1, sy);
    for (int k = 1; k < n; ++k) {
        block(ax - k, topY + k, sx, sy);
        block(ax + 1 + k, topY + k, sx, sy);
        block(ax - k, bottomY - k, sx, sy);
        block(ax + 1 + k, bottomY - k, sx, sy);
    }
    if (!bDockableFrame && n >= 1) {
        block(ax - n + 1, bottomY - n, sx - 1, sy);
        block(ax + 1 + n, bottomY - n, sx - 1, sy);
    }
}

// ---- ScxButtonMDIChildMsgFilter

BOOL ScxButtonMDIChildMsgFilter::GetVisibility(BOOL* pDisabled)
{
    if (pDisabled != nullptr)
        *pDisabled = FALSE;
    return m_pWnd != nullptr && ::IsWindow(m_pWnd->m_hWnd) && !::IsZoomed(m_pWnd->m_hWnd);
}

// ---- ScxButtonMDIMaxChildMsgFilter

CMDIChildWnd* ScxButtonMDIMaxChildMsgFilter::GetTargetChild()
{
    auto* pFrame = dynamic_cast<CMDIFrameWnd*>(m_pWnd);
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr || pFrame->m_hWndMDIClient == nullptr)
        return nullptr;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pChild = pFrame->MDIGetActive(&bMaximized);
    return pChild != nullptr && bMaximized ? pChild : nullptr;
}

BOOL ScxButtonMDIMaxChildMsgFilter::TargetHasButton()
{
    return MaxChildWithFilter(m_pWnd, kKindChildButton) != nullptr;
}

HWND ScxButtonMDIMaxChildMsgFilter::GetTargetWindow()
{
    CMDIChildWnd* pChild = GetTargetChild();
    return pChild != nullptr ? pChild->m_hWnd : nullptr;
}

BOOL ScxButtonMDIMaxChildMsgFilter::GetVisibility(BOOL* pDisabled)
{
    if (pDisabled != nullptr)
        *pDisabled = FALSE;
    return TargetHasButton();
}

UINT ScxButtonMDIMaxChildMsgFilter::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (!TargetHasButton())
        return 0;
    if (message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN) {
        // In the menu row the press comes as a press on the menu.
        if (wParam != HTMENU)
            return 0;
        wParam = HTCAPTION;
    }
    return ScxButtonMsgFilter::ProcessMessage(message, wParam, lParam, pResult);
}

// ---- Caption filters that send the message

namespace {

// Sends a command for a window with a record of it whose point is the
// mouse message's (nCommand -1: the default state).
UINT SendForMouse(HWND hWnd, UINT nCommand, LPARAM lParam)
{
    CommandRecord record;
    record.hWnd = hWnd;
    record.x = (short)LOWORD(lParam);
    record.y = (short)HIWORD(lParam);
    SendCommand(hWnd, nCommand, record);
    return OZWMsgFilter::Consumed;
}

} // namespace

UINT ScxCaptionNCRDBLClkFilter::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_NCRBUTTONDBLCLK || wParam != HTCAPTION || m_pWnd == nullptr || !::IsWindow(m_pWnd->m_hWnd))
        return ProcessChildren(message, wParam, lParam, pResult);
    return SendForMouse(m_pWnd->m_hWnd, kExecute, lParam);
}

UINT ScxNCRDBLClkMDIMaxChildMsgFilter::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    OZWMDIChildWnd* pChild =
        message == WM_NCRBUTTONDBLCLK && wParam == HTMENU ? MaxChildWithFilter(m_pWnd, kKindChildNCRDblClk) : nullptr;
    if (pChild == nullptr)
        return ProcessChildren(message, wParam, lParam, pResult);
    return SendForMouse(pChild->m_hWnd, kExecute, lParam);
}

UINT ScxContextMenuFilter::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_NCRBUTTONUP || wParam != HTCAPTION || m_pWnd == nullptr || !::IsWindow(m_pWnd->m_hWnd))
        return ProcessChildren(message, wParam, lParam, pResult);
    return SendForMouse(m_pWnd->m_hWnd, kShowMenu, lParam);
}

} // namespace nsSysCommandEx
