#include "toolbars/customize/OZWToolBarsPage.h"

#include "toolbars/bar/OZWCustomToolBar.h"
#include "toolbars/bar/OZWToolBarManager.h"
#include "toolbars/model/ToolBarIds.h"

namespace {
const UINT s_nBarNotify = OZWGetBarNotifyMessage();
} // namespace

/////////////////////////////////////////////////////////////////////////////
// OZWToolBarsBase

void OZWToolBarsBase::SetManager(OZWToolBarManager* pManager)
{
    m_pManager = pManager;
    if (pManager == nullptr)
        return;
    m_bToolTips = m_bSavedToolTips = pManager->IsToolTipsEnabled();
    m_bCoolLook = m_bSavedCoolLook = pManager->IsCoolLookEnabled();
    m_bLargeButtons = m_bSavedLargeButtons = pManager->IsLargeBtnsEnabled();
}

void OZWToolBarsBase::Apply()
{
    if (m_pManager == nullptr)
        return;
    m_pManager->EnableToolTips(m_bToolTips);
    m_pManager->EnableCoolLook(m_bCoolLook, 0x300);
    m_pManager->EnableLargeBtns(m_bLargeButtons);
}

void OZWToolBarsBase::Restore()
{
    m_bToolTips = m_bSavedToolTips;
    m_bCoolLook = m_bSavedCoolLook;
    m_bLargeButtons = m_bSavedLargeButtons;
    Apply();
}

BOOL OZWToolBarsBase::IsUserBar(UINT nID)
{
    return ozwtb::IsUserBarId(nID);
}

void OZWToolBarsBase::InitBase(CWnd* pDialog)
{
    m_pDialog = pDialog;
    m_list.SubclassDlgItem(IDC_OZW_TB_LIST, pDialog);
    pDialog->SendDlgItemMessage(IDC_OZW_TB_NAME, EM_LIMITTEXT, 126, 0);
    FillList();
    if (m_list.GetCount() > 0)
        m_list.SetCurSel(0);
    UpdateNameField();
}

void OZWToolBarsBase::FillList()
{
    m_list.ResetContent();
    if (m_pManager == nullptr)
        return;
    for (OZWCustomToolBar* pBar : m_pManager->GetToolBars()) {
        if (pBar->GetSafeHwnd() == nullptr)
            continue;
        CString title;
        pBar->GetWindowText(title);
        const int nItem = m_list.AddString(title);
        m_list.SetItemData(nItem, (DWORD_PTR)pBar->GetDlgCtrlID());
        m_list.SetCheck(nItem, pBar->IsWindowVisible() ? 1 : 0);
    }
}

OZWCustomToolBar* OZWToolBarsBase::SelectedBar() const
{
    const int nItem = m_list.GetSafeHwnd() != nullptr ? m_list.GetCurSel() : LB_ERR;
    if (nItem == LB_ERR || m_pManager == nullptr)
        return nullptr;
    return m_pManager->ToolBarFromID((UINT)m_list.GetItemData(nItem));
}

int OZWToolBarsBase::FindItem(UINT nBarID) const
{
    for (int i = 0; i < m_list.GetCount(); ++i)
        if ((UINT)m_list.GetItemData(i) == nBarID)
            return i;
    return -1;
}

void OZWToolBarsBase::UpdateNameField()
{
    if (m_pDialog == nullptr)
        return;
    CEdit* pName = static_cast<CEdit*>(m_pDialog->GetDlgItem(IDC_OZW_TB_NAME));
    CWnd* pLabel = m_pDialog->GetDlgItem(IDC_OZW_TB_NAME_LABEL);
    CWnd* pReset = m_pDialog->GetDlgItem(IDC_OZW_TB_RESET);
    if (pName == nullptr)
        return;
    pName->SetWindowText("");
    OZWCustomToolBar* pBar = SelectedBar();
    const BOOL bUser = pBar != nullptr && IsUserBar((UINT)pBar->GetDlgCtrlID());
    if (pBar != nullptr) {
        CString title;
        pBar->GetWindowText(title);
        pName->SetWindowText(title);
    }
    pName->EnableWindow(bUser);
    if (pLabel != nullptr)
        pLabel->EnableWindow(bUser);
    if (pReset != nullptr) {
        CString text;
        text.LoadString(bUser ? IDS_OZW_TB_DELETE : IDS_OZW_TB_RESET);
        pReset->SetWindowText(text);
        pReset->EnableWindow(pBar != nullptr);
    }
    pName->SetModify(FALSE);
}

void OZWToolBarsBase::OnNameKillFocus()
{
    if (m_pDialog == nullptr)
        return;
    CEdit* pName = static_cast<CEdit*>(m_pDialog->GetDlgItem(IDC_OZW_TB_NAME));
    OZWCustomToolBar* pBar = SelectedBar();
    if (pName == nullptr || pBar == nullptr || !pName->IsWindowEnabled() || !pName->GetModify())
        return;
    CString name;
    pName->GetWindowText(name);
    pBar->SetWindowText(name);
    // A floating toolbar's frame shows the name too.
    if (pBar->IsFloating())
        if (CFrameWnd* pFloatFrame = pBar->GetParentFrame())
            pFloatFrame->SetWindowText(name);
    const int nItem = m_list.GetCurSel();
    const int nCheck = m_list.GetCheck(nItem);
    const DWORD_PTR nData = m_list.GetItemData(nItem);
    m_list.DeleteString(nItem);
    m_list.InsertString(nItem, name);
    m_list.SetItemData(nItem, nData);
    m_list.SetCheck(nItem, nCheck);
    m_list.SetCurSel(nItem);
    pName->SetModify(FALSE);
}

void OZWToolBarsBase::OnCheckChange()
{
    if (m_pManager == nullptr)
        return;
    CFrameWnd* pFrame = m_pManager->GetFrameWnd();
    for (int i = 0; i < m_list.GetCount(); ++i) {
        const UINT nID = (UINT)m_list.GetItemData(i);
        OZWCustomToolBar* pBar = m_pManager->ToolBarFromID(nID);
        if (pBar == nullptr)
            continue;
        const BOOL bChecked = m_list.GetCheck(i) == 1;
        if (nID == ozwtb::kMenuBarId) {
            // The menu bar is always shown.
            if (!bChecked)
                m_list.SetCheck(i, 1);
            continue;
        }
        if ((pBar->IsWindowVisible() != FALSE) != (bChecked != FALSE) && pFrame != nullptr)
            pFrame->ShowControlBar(pBar, bChecked, FALSE);
    }
    if (pFrame != nullptr)
        pFrame->RecalcLayout();
}

void OZWToolBarsBase::OnResetOrDelete()
{
    OZWCustomToolBar* pBar = SelectedBar();
    if (pBar == nullptr || m_pManager == nullptr)
        return;
    const UINT nID = (UINT)pBar->GetDlgCtrlID();
    if (IsUserBar(nID)) {
        // Its item goes when the manager tells of it.
        pBar->DestroyWindow();
        return;
    }
    if (nID == ozwtb::kMenuBarId)
        return;
    int nCount = 0;
    UINT* pIDs = nullptr;
    if (!m_pManager->GetDefaultToolBarButtons(nID, &nCount, &pIDs))
        return;
    pBar->SetButtons(pIDs, nCount);
    if (CFrameWnd* pFrame = m_pManager->GetFrameWnd())
        pFrame->RecalcLayout();
    pBar->Invalidate();
}

BOOL OZWToolBarsBase::OnNewToolBar()
{
    if (m_pManager == nullptr)
        return FALSE;
    m_pManager->ExitCustomizeMode();
    OZWNewToolBar dialog(m_pDialog);
    const BOOL bMade = dialog.DoModal() == IDOK;
    OZWCustomToolBar* pBar = bMade ? m_pManager->CreateUserToolBar(dialog.m_strName) : nullptr;
    CFrameWnd* pFrame = m_pManager->GetFrameWnd();
    if (pBar != nullptr && pFrame != nullptr) {
        // Below the top dock bar's left end.
        CPoint point(5, 5);
        if (CWnd* pTop = pFrame->GetDlgItem(AFX_IDW_DOCKBAR_TOP)) {
            CRect rect;
            pTop->GetWindowRect(&rect);
            point = CPoint(rect.left + 5, rect.bottom + 5);
        }
        else {
            pFrame->ClientToScreen(&point);
        }
        pFrame->FloatControlBar(pBar, point, CBRS_ALIGN_TOP);
    }
    m_pManager->EnterCustomizeMode();
    return pBar != nullptr;
}

void OZWToolBarsBase::OnBarNotify(UINT nBarID, LPARAM nCode)
{
    if (m_list.GetSafeHwnd() == nullptr)
        return;
    const int nItem = FindItem(nBarID);
    switch (nCode) {
    case OZWBAR_SHOWN:
    case OZWBAR_HIDDEN:
        if (nItem >= 0)
            m_list.SetCheck(nItem, nCode == OZWBAR_SHOWN ? 1 : 0);
        break;
    case OZWBAR_CREATED: {
        // Only a toolbar of the frame (the Commands page's palettes are not).
        OZWCustomToolBar* pBar = m_pManager != nullptr ? m_pManager->ToolBarFromID(nBarID) : nullptr;
        if (pBar == nullptr || nItem >= 0)
            break;
        int nAt = 0;
        while (nAt < m_list.GetCount() && (UINT)m_list.GetItemData(nAt) < nBarID)
            ++nAt;
        CString title;
        pBar->GetWindowText(title);
        const int nNew = m_list.InsertString(nAt, title);
        m_list.SetItemData(nNew, nBarID);
        m_list.SetCheck(nNew, 1);
        break;
    }
    case OZWBAR_DESTROYED:
        if (nItem >= 0) {
            m_list.DeleteString(nItem);
            const int nCount = m_list.GetCount();
            m_list.SetCurSel(nCount == 0 ? -1 : std::min(nItem, nCount - 1));
            UpdateNameField();
        }
        break;
    default:
        break;
    }
}

void OZWToolBarsBase::OnActivateBase(UINT nState)
{
    CFrameWnd* pFrame = m_pManager != nullptr ? m_pManager->GetFrameWnd() : nullptr;
    if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr)
        pFrame->NotifyFloatingWindows(nState != WA_INACTIVE ? FS_ACTIVATE : FS_DEACTIVATE);
}

void OZWToolBarsBase::OnFloatStatusBase(WPARAM wParam)
{
    if (m_pDialog != nullptr && (wParam & (FS_ACTIVATE | FS_DEACTIVATE)))
        m_pDialog->SendMessage(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0);
}

/////////////////////////////////////////////////////////////////////////////
// OZWToolBarsWnd

BEGIN_TEMPLATE_MESSAGE_MAP(OZWToolBarsWnd, TWnd, TWnd)
    ON_LBN_SELCHANGE(IDC_OZW_TB_LIST, OnSelChange)
    ON_CLBN_CHKCHANGE(IDC_OZW_TB_LIST, OnCheckChangeMsg)
    ON_EN_KILLFOCUS(IDC_OZW_TB_NAME, OnNameKillFocusMsg)
    ON_BN_CLICKED(IDC_OZW_TB_RESET, OnResetOrDeleteMsg)
    ON_REGISTERED_MESSAGE(s_nBarNotify, OnBarNotifyMsg)
    ON_WM_ACTIVATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

template <class TWnd>
void OZWToolBarsWnd<TWnd>::DoDataExchange(CDataExchange* pDX)
{
    TWnd::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_OZW_TB_TOOLTIPS, m_bToolTips);
    DDX_Check(pDX, IDC_OZW_TB_COOLLOOK, m_bCoolLook);
    DDX_Check(pDX, IDC_OZW_TB_LARGE, m_bLargeButtons);
}

template <class TWnd>
void OZWToolBarsWnd<TWnd>::OnSelChange()
{
    UpdateNameField();
}

template <class TWnd>
void OZWToolBarsWnd<TWnd>::OnCheckChangeMsg()
{
    OnCheckChange();
}

template <class TWnd>
void OZWToolBarsWnd<TWnd>::OnNameKillFocusMsg()
{
    OnNameKillFocus();
}

template <class TWnd>
void OZWToolBarsWnd<TWnd>::OnResetOrDeleteMsg()
{
    OnResetOrDelete();
}

template <class TWnd>
LRESULT OZWToolBarsWnd<TWnd>::OnBarNotifyMsg(WPARAM wParam, LPARAM lParam)
{
    OnBarNotify((UINT)wParam, lParam);
    return 0;
}

template <class TWnd>
void OZWToolBarsWnd<TWnd>::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    TWnd::OnActivate(nState, pWndOther, bMinimized);
    OnActivateBase(nState);
}

template <class TWnd>
LRESULT OZWToolBarsWnd<TWnd>::OnFloatStatus(WPARAM wParam, LPARAM)
{
    OnFloatStatusBase(wParam);
    return 0;
}

template class OZWToolBarsWnd<CPropertyPage>;
template class OZWToolBarsWnd<CDialog>;

/////////////////////////////////////////////////////////////////////////////
// OZWToolBarsPage

IMPLEMENT_DYNAMIC(OZWToolBarsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(OZWToolBarsPage, OZWToolBarsWnd<CPropertyPage>)
    ON_BN_CLICKED(IDC_OZW_TB_NEW, OnNewMsg)
    ON_BN_CLICKED(IDC_OZW_TB_TOOLTIPS, OnToolTips)
    ON_BN_CLICKED(IDC_OZW_TB_COOLLOOK, OnCoolLook)
    ON_BN_CLICKED(IDC_OZW_TB_LARGE, OnLargeButtons)
END_MESSAGE_MAP()

OZWToolBarsPage::OZWToolBarsPage() : OZWToolBarsWnd(IDD)
{
}

OZWToolBarsPage::~OZWToolBarsPage()
{
    if (m_pManager != nullptr) {
        m_pManager->RemoveNotifyWnd(this);
        m_pManager->SetCustomizeDlg(nullptr);
    }
}

BOOL OZWToolBarsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    InitBase(this);
    if (m_pManager != nullptr)
        m_pManager->AddNotifyWnd(this);
    return TRUE;
}

BOOL OZWToolBarsPage::OnSetActive()
{
    if (m_pManager != nullptr) {
        m_pManager->EnterCustomizeMode();
        m_pManager->EnableConfigMode(TRUE);
        m_pManager->SetCustomizeDlg(GetParentSheet());
    }
    return CPropertyPage::OnSetActive();
}

void OZWLeaveCustomizePage(OZWToolBarManager* pManager, CPropertySheet* pSheet)
{
    if (pManager != nullptr) {
        pManager->EnableConfigMode(FALSE);
        pManager->ExitCustomizeMode();
    }
    if (pSheet != nullptr)
        pSheet->EnableWindow(TRUE);
}

BOOL OZWToolBarsPage::OnKillActive()
{
    if (!CPropertyPage::OnKillActive())
        return FALSE;
    OZWLeaveCustomizePage(m_pManager, GetParentSheet());
    return TRUE;
}

void OZWToolBarsPage::OnReset()
{
    if (m_pManager != nullptr) {
        m_pManager->EnableConfigMode(FALSE);
        m_pManager->ExitCustomizeMode();
        m_pManager->SetCustomizeDlg(nullptr);
    }
    Restore();
    CPropertyPage::OnReset();
}

void OZWToolBarsPage::OnOK()
{
    Apply();
    CPropertyPage::OnOK();
}

void OZWToolBarsPage::TellSiblings(WPARAM nWhat)
{
    CWnd* pSheet = GetParent();
    if (pSheet == nullptr)
        return;
    for (CWnd* pChild = pSheet->GetWindow(GW_CHILD); pChild != nullptr; pChild = pChild->GetWindow(GW_HWNDNEXT)) {
        CWnd* pPage = CWnd::FromHandlePermanent(pChild->GetSafeHwnd());
        if (pPage != nullptr && pPage != this && pPage->IsKindOf(RUNTIME_CLASS(CPropertyPage)))
            pPage->SendMessage(OZWGetToolBarStyleChangingMessage(), nWhat, 0);
    }
}

void OZWToolBarsPage::OnNewMsg()
{
    OnNewToolBar();
}

void OZWToolBarsPage::OnToolTips()
{
    UpdateData(TRUE);
    Apply();
}

void OZWToolBarsPage::OnCoolLook()
{
    UpdateData(TRUE);
    if (m_pManager != nullptr)
        m_pManager->EnableCoolLook(m_bCoolLook, 0x300);
    TellSiblings(2);
}

void OZWToolBarsPage::OnLargeButtons()
{
    UpdateData(TRUE);
    if (m_pManager != nullptr)
        m_pManager->EnableLargeBtns(m_bLargeButtons);
    TellSiblings(1);
}

/////////////////////////////////////////////////////////////////////////////
// OZWToolBarsDlg

IMPLEMENT_DYNAMIC(OZWToolBarsDlg, CDialog)

BEGIN_MESSAGE_MAP(OZWToolBarsDlg, OZWToolBarsWnd<CDialog>)
    ON_BN_CLICKED(IDC_OZW_TB_NEW, OnNewMsg)
    ON_BN_CLICKED(IDC_OZW_TB_CUSTOMIZE, OnCustomize)
    ON_BN_CLICKED(IDC_OZW_TB_TOOLTIPS, OnSetting)
    ON_BN_CLICKED(IDC_OZW_TB_COOLLOOK, OnSetting)
    ON_BN_CLICKED(IDC_OZW_TB_LARGE, OnSetting)
END_MESSAGE_MAP()

OZWToolBarsDlg::OZWToolBarsDlg(CWnd* pParent) : OZWToolBarsWnd(IDD, pParent)
{
}

OZWToolBarsDlg::~OZWToolBarsDlg()
{
    if (m_pManager != nullptr) {
        m_pManager->RemoveNotifyWnd(this);
        if (m_pManager->GetCustomizeDlg() == this)
            m_pManager->SetCustomizeDlg(nullptr);
    }
}

BOOL OZWToolBarsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    InitBase(this);
    CenterWindow();
    if (m_pManager != nullptr) {
        m_pManager->EnterCustomizeMode();
        m_pManager->EnableConfigMode(TRUE);
        m_pManager->SetCustomizeDlg(this);
        m_pManager->AddNotifyWnd(this);
    }
    return TRUE;
}

void OZWToolBarsDlg::Close(int nResult)
{
    if (m_pManager != nullptr) {
        m_pManager->ExitCustomizeMode();
        m_pManager->EnableConfigMode(FALSE);
        m_pManager->RemoveNotifyWnd(this);
        m_pManager->SetCustomizeDlg(nullptr);
    }
    // Escape puts back the settings the dialog started with.
    if (nResult == IDCANCEL)
        Restore();
    else
        Apply();
    EndDialog(nResult);
}

void OZWToolBarsDlg::OnOK()
{
    UpdateData(TRUE);
    Close(IDOK);
}

void OZWToolBarsDlg::OnCancel()
{
    Close(IDCANCEL);
}

void OZWToolBarsDlg::OnCustomize()
{
    UpdateData(TRUE);
    Close(IDC_OZW_TB_CUSTOMIZE);
}

void OZWToolBarsDlg::OnNewMsg()
{
    if (OnNewToolBar())
        Close(IDC_OZW_TB_CUSTOMIZE);
}

void OZWToolBarsDlg::OnSetting()
{
    UpdateData(TRUE);
    Apply();
}

/////////////////////////////////////////////////////////////////////////////
// OZWNewToolBar

IMPLEMENT_DYNAMIC(OZWNewToolBar, CDialog)

BEGIN_MESSAGE_MAP(OZWNewToolBar, CDialog)
    ON_EN_CHANGE(IDC_OZW_TB_NEW_NAME, OnNameChange)
END_MESSAGE_MAP()

OZWNewToolBar::OZWNewToolBar(CWnd* pParent) : CDialog(IDD, pParent)
{
}

void OZWNewToolBar::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_OZW_TB_NEW_NAME, m_strName);
}

BOOL OZWNewToolBar::OnInitDialog()
{
    CDialog::OnInitDialog();
    OnNameChange();
    return TRUE;
}

void OZWNewToolBar::OnNameChange()
{
    CString name;
    GetDlgItemText(IDC_OZW_TB_NEW_NAME, name);
    if (CWnd* pOK = GetDlgItem(IDOK))
        pOK->EnableWindow(!name.IsEmpty());
}
