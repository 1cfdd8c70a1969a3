// CDialogBar: a control bar made from a dialog template.
#include "platform/framework/Framework.h"

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

BEGIN_MESSAGE_MAP(CDialogBar, CControlBar)
END_MESSAGE_MAP()

CDialogBar::CDialogBar()
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

CDialogBar::~CDialogBar() = default;

BOOL CDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID);
}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    m_lpszTemplateName = lpszTemplateName;
    m_dwStyle = nStyle & CBRS_ALL;
    if (!CreateDlg(lpszTemplateName, pParentWnd))
        return FALSE;

    // A child of its frame with the bar's id, without the template's
    // caption; shown only when the bar's style says so.
    SetDlgCtrlID((int)nID);
    ModifyStyle(WS_CAPTION | WS_POPUP | WS_THICKFRAME, WS_CHILD | WS_CLIPSIBLINGS);
    CRect rect;
    GetWindowRect(&rect);
    m_sizeDefault = rect.Size();
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                     ((nStyle & WS_VISIBLE) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));

    // The combo and list box strings of the template.
    if (!ExecuteDlgInit(lpszTemplateName)) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bStretch)
        return bHorz ? CSize(32767, m_sizeDefault.cy) : CSize(m_sizeDefault.cx, 32767);
    return m_sizeDefault;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}
