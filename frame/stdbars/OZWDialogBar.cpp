#include "frame/stdbars/OZWDialogBar.h"

#include "frame/dockstate/OZWDockState.h"
#include "platform/theme/ThemeLib.h"

IMPLEMENT_DYNCREATE(OZWDialogBar, OZWControlBar)

BEGIN_MESSAGE_MAP(OZWDialogBar, OZWControlBar)
    ON_MESSAGE(WM_INITDIALOG, OnInitDialog)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

OZWDialogBar::OZWDialogBar() = default;

OZWDialogBar::~OZWDialogBar()
{
    DestroyWindow();
}

BOOL OZWDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, DWORD dwExStyle, UINT nID)
{
    return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, dwExStyle, nID);
}

BOOL OZWDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, DWORD dwExStyle, UINT nID)
{
    m_dwStyle = nStyle & 0x0040FFFF;
    m_dwExStyle = dwExStyle;

    CREATESTRUCT cs = {};
    cs.style = (LONG)(nStyle | WS_CHILD);
    cs.lpszClass = "AfxControlBar42";
    cs.hMenu = (HMENU)(UINT_PTR)nID;
    cs.hInstance = AfxGetInstanceHandle();
    cs.hwndParent = pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr;
    if (!PreCreateWindow(cs))
        return FALSE;

    m_lpszTemplateName = lpszTemplateName;
    m_lpszCreatingTemplate = lpszTemplateName;
    const BOOL bCreated = CreateDlg(lpszTemplateName, pParentWnd);
    m_lpszCreatingTemplate = nullptr;
    if (!bCreated)
        return FALSE;

    SetDlgCtrlID((int)nID);
    CRect rect;
    GetWindowRect(&rect);
    m_sizeTemplate = rect.Size();
    ModifyStyle(WS_CAPTION | WS_POPUP | WS_THICKFRAME, WS_CHILD | WS_CLIPSIBLINGS);
    if (!ExecuteDlgInit(lpszTemplateName)) {
        DestroyWindow();
        return FALSE;
    }
    RecordChildLayout();
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                     ((nStyle & WS_VISIBLE) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    m_szFloat = m_szHorzDock = m_szVertDock = m_sizeTemplate;
    m_pFrameWnd = dynamic_cast<CFrameWnd*>(pParentWnd);
    return TRUE;
}

BOOL OZWDialogBar::SetOccDialogInfo(_AFX_OCC_DIALOG_INFO* pOccDialogInfo)
{
    m_pOccDialogInfo = pOccDialogInfo;
    return TRUE;
}

void OZWDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL OZWDialogBar::GetBarInfo(OZWControlBarInfo* pInfo)
{
    pInfo->m_nResourceID = IS_INTRESOURCE(m_lpszTemplateName) ? (UINT)(UINT_PTR)m_lpszTemplateName : 0;
    return OZWControlBar::GetBarInfo(pInfo);
}

LRESULT OZWDialogBar::OnInitDialog(WPARAM, LPARAM)
{
    // The template holds no ActiveX controls in this program (the curve-fit
    // bar's chart is a window of our own), so there is nothing to make
    // beyond the default handling.
    Default();
    return TRUE;
}

BOOL OZWDialogBar::OnEraseBkgnd(CDC* pDC)
{
    if (!UXIsOfc2003StyleEnabled())
        return OZWControlBar::OnEraseBkgnd(pDC);
    CRect rect;
    GetClientRect(&rect);
    HBRUSH hFill = ::CreateSolidBrush(UXGetO2K3Color(2));
    ::FillRect(pDC->m_hDC, &rect, hFill);
    ::DeleteObject(hFill);
    HBRUSH hFrame = ::CreateSolidBrush(UXGetDNETColor(26));
    ::FrameRect(pDC->m_hDC, &rect, hFrame);
    ::DeleteObject(hFrame);
    return TRUE;
}
