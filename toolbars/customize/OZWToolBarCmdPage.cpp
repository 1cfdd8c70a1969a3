#include "toolbars/customize/OZWToolBarCmdPage.h"

#include "toolbars/bar/OZWToolBarManager.h"
#include "toolbars/customize/OZWToolBarsPage.h"
#include "toolbars/model/ToolBarIds.h"

namespace {
const UINT s_nBarNotify = OZWGetBarNotifyMessage();
const UINT s_nStyleChanging = OZWGetToolBarStyleChangingMessage();
// The first control id of the palettes (counting down, past the dock bars).
const UINT kFirstGroupID = 59646;
} // namespace

/////////////////////////////////////////////////////////////////////////////
// OZWCustomizeToolBar

IMPLEMENT_DYNCREATE(OZWCustomizeToolBar, OZWCustomToolBar)

OZWCustomizeToolBar::OZWCustomizeToolBar()
{
    m_bConfigMode = TRUE;
}

void OZWCustomizeToolBar::FitToRect(const RECT* pRect)
{
    if (pRect == nullptr)
        return;
    const CRect rect(pRect);
    m_nMRUWidth = rect.Width();
    CalcLayout(nullptr, -1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    if (GetSafeHwnd() != nullptr)
        SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

/////////////////////////////////////////////////////////////////////////////
// Groups

IMPLEMENT_DYNAMIC(OZWBtnGroup, CObject)

OZWBtnGroup::OZWBtnGroup(LPCTSTR lpszTitle, int nCount, UINT* pIDs) : m_strTitle(lpszTitle), m_nCount(nCount), m_pIDs(pIDs)
{
}

OZWBtnGroup::~OZWBtnGroup()
{
    if (m_pControl != nullptr && m_pControl->GetSafeHwnd() != nullptr)
        m_pControl->DestroyWindow();
    delete m_pControl;
}

IMPLEMENT_DYNAMIC(OZWTBBtnGroup, OZWBtnGroup)

BOOL OZWTBBtnGroup::Create(CWnd* pParent, OZWToolBarManager* pManager, UINT nID)
{
    if (pManager == nullptr)
        return FALSE;
    OZWCustomizeToolBar* pPalette = new OZWCustomizeToolBar;
    pPalette->SetManager(pManager);
    pPalette->SetBmpMgr(pManager->GetBmpMgr());
    if (CFrameWnd* pFrame = pManager->GetFrameWnd())
        pPalette->SetOwner(pFrame);
    const CSize size = pManager->GetImageSize();
    pPalette->UpdateButtonSize(size.cx, size.cy);
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BORDER_3D | CBRS_SIZE_DYNAMIC | CBRS_FLOATING;
    if (pManager->IsFlyByEnabled())
        dwStyle |= CBRS_FLYBY;
    if (pManager->IsToolTipsEnabled())
        dwStyle |= CBRS_TOOLTIPS;
    if (!pPalette->CreateEx(pManager->IsCoolLookEnabled() ? 0x300 : 0, pParent, dwStyle, nID)) {
        delete pPalette;
        return FALSE;
    }
    m_pControl = pPalette;
    pPalette->SetButtons(m_pIDs, m_nCount);
    return pPalette->GetButtonCount() > 0;
}

void OZWTBBtnGroup::FitToRect(const RECT* pRect)
{
    if (OZWCustomizeToolBar* pPalette = GetPalette())
        pPalette->FitToRect(pRect);
}

void OZWTBBtnGroup::EnableConfig(BOOL bEnable)
{
    if (OZWCustomizeToolBar* pPalette = GetPalette())
        pPalette->SetConfigMode(bEnable);
}

/////////////////////////////////////////////////////////////////////////////
// OZWToolBarCmdPage

IMPLEMENT_DYNAMIC(OZWToolBarCmdPage, CPropertyPage)

BEGIN_MESSAGE_MAP(OZWToolBarCmdPage, CPropertyPage)
    ON_LBN_SELCHANGE(IDC_OZW_TB_LIST, OnCategoryChange)
    ON_REGISTERED_MESSAGE(s_nBarNotify, OnBarNotify)
    ON_REGISTERED_MESSAGE(s_nStyleChanging, OnToolBarStyleChanging)
END_MESSAGE_MAP()

OZWToolBarCmdPage::OZWToolBarCmdPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage(nIDTemplate, nIDCaption)
{
}

OZWToolBarCmdPage::~OZWToolBarCmdPage()
{
    if (m_pManager != nullptr) {
        m_pManager->RemoveNotifyWnd(this);
        m_pManager->SetCustomizeDlg(nullptr);
        // A palette's button may be the selection: it goes now.
        for (INT_PTR i = 0; i < m_groups.GetSize(); ++i) {
            OZWCustomToolBar* pPalette = dynamic_cast<OZWCustomToolBar*>(GetGroup((int)i)->m_pControl);
            if (pPalette != nullptr && m_pManager->GetSelectionOwner() == pPalette)
                m_pManager->SetSelectionOwner(nullptr);
        }
    }
    for (INT_PTR i = 0; i < m_groups.GetSize(); ++i)
        delete m_groups.GetAt(i);
    m_groups.RemoveAll();
}

void OZWToolBarCmdPage::SetManager(OZWToolBarManager* pManager)
{
    m_pManager = pManager;
    if (pManager != nullptr)
        pManager->AddNotifyWnd(this);
}

void OZWToolBarCmdPage::DefineBtnGroup(LPCTSTR lpszTitle, int nCount, UINT* pIDs)
{
    m_groups.Add(new OZWTBBtnGroup(lpszTitle, nCount, pIDs));
}

void OZWToolBarCmdPage::ShowDescription(UINT nID)
{
    CString text;
    if (nID != (UINT)-1 && nID != 0 && text.LoadString(nID)) {
        const int nBreak = text.Find('\n');
        if (nBreak >= 0)
            text = text.Left(nBreak);
    }
    else {
        text.Empty();
    }
    if (GetSafeHwnd() != nullptr)
        SetDlgItemText(IDC_OZW_TB_DESCRIPTION, text);
}

CRect OZWToolBarCmdPage::GroupArea()
{
    CRect area;
    if (CWnd* pFrame = GetDlgItem(IDC_OZW_TB_BUTTONS)) {
        pFrame->GetWindowRect(&area);
        ScreenToClient(&area);
    }
    CRect margins(3, 8, 3, 8);
    MapDialogRect(&margins);
    area.DeflateRect(margins.left, margins.top, margins.right, margins.bottom);
    return area;
}

BOOL OZWToolBarCmdPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    const CRect area = GroupArea();
    CListBox* pCategories = static_cast<CListBox*>(GetDlgItem(IDC_OZW_TB_LIST));
    UINT nID = kFirstGroupID;
    for (INT_PTR i = 0; i < m_groups.GetSize(); ++i) {
        while (nID >= ozwtb::kFirstDockBarId && nID <= ozwtb::kLastDockBarId)
            --nID;
        OZWBtnGroup* pGroup = GetGroup((int)i);
        if (!pGroup->Create(this, m_pManager, nID--))
            return FALSE;
        pGroup->FitToRect(&area);
        if (pGroup->m_pControl != nullptr)
            pGroup->m_pControl->ShowWindow(i == 0 ? SW_SHOW : SW_HIDE);
        if (pCategories != nullptr)
            pCategories->AddString(pGroup->m_strTitle);
    }
    if (pCategories != nullptr && pCategories->GetCount() > 0) {
        pCategories->SetCurSel(0);
        m_nCurrent = 0;
    }
    return TRUE;
}

void OZWToolBarCmdPage::ShowGroup(int nIndex)
{
    if (nIndex == m_nCurrent || nIndex < 0 || nIndex >= GetGroupCount())
        return;
    if (m_nCurrent >= 0)
        GetGroup(m_nCurrent)->EnableConfig(FALSE);
    for (int i = 0; i < GetGroupCount(); ++i) {
        OZWBtnGroup* pGroup = GetGroup(i);
        if (pGroup->m_pControl == nullptr || pGroup->m_pControl->GetSafeHwnd() == nullptr)
            continue;
        if (i == nIndex) {
            pGroup->EnableConfig(TRUE);
            pGroup->m_pControl->ShowWindow(SW_SHOW);
        }
        else {
            pGroup->m_pControl->ShowWindow(SW_HIDE);
        }
    }
    m_nCurrent = nIndex;
    if (CListBox* pCategories = static_cast<CListBox*>(GetDlgItem(IDC_OZW_TB_LIST)))
        if (pCategories->GetCurSel() != nIndex)
            pCategories->SetCurSel(nIndex);
}

void OZWToolBarCmdPage::OnCategoryChange()
{
    if (CListBox* pCategories = static_cast<CListBox*>(GetDlgItem(IDC_OZW_TB_LIST)))
        ShowGroup(pCategories->GetCurSel());
}

BOOL OZWToolBarCmdPage::OnSetActive()
{
    if (m_pManager != nullptr) {
        m_pManager->EnableConfigMode(TRUE);
        m_pManager->EnterCustomizeMode();
        m_pManager->SetCustomizeDlg(GetParentSheet());
    }
    if (m_nCurrent >= 0)
        GetGroup(m_nCurrent)->EnableConfig(TRUE);
    return CPropertyPage::OnSetActive();
}

BOOL OZWToolBarCmdPage::OnKillActive()
{
    if (!CPropertyPage::OnKillActive())
        return FALSE;
    OZWLeaveCustomizePage(m_pManager, GetParentSheet());
    if (m_nCurrent >= 0)
        GetGroup(m_nCurrent)->EnableConfig(FALSE);
    return TRUE;
}

void OZWToolBarCmdPage::OnReset()
{
    if (m_pManager != nullptr) {
        m_pManager->EnableConfigMode(FALSE);
        m_pManager->ExitCustomizeMode();
        m_pManager->SetCustomizeDlg(nullptr);
    }
    CPropertyPage::OnReset();
}

LRESULT OZWToolBarCmdPage::OnBarNotify(WPARAM, LPARAM lParam)
{
    if (lParam != OZWBAR_SELCHANGED || m_pManager == nullptr)
        return 0;
    OZWCustomToolBar* pOwner = m_pManager->GetSelectionOwner();
    BOOL bOurs = pOwner != nullptr && m_pManager->ToolBarFromID((UINT)pOwner->GetDlgCtrlID()) == pOwner;
    for (int i = 0; i < GetGroupCount() && !bOurs; ++i)
        bOurs = GetGroup(i)->m_pControl == pOwner;
    if (pOwner == nullptr)
        ShowDescription((UINT)-1);
    else if (bOurs)
        ShowDescription(pOwner->GetButtonID(pOwner->GetSelectedIndex()));
    return 0;
}

LRESULT OZWToolBarCmdPage::OnToolBarStyleChanging(WPARAM wParam, LPARAM)
{
    if (m_pManager == nullptr)
        return 0;
    const CSize size = m_pManager->GetImageSize();
    for (int i = 0; i < GetGroupCount(); ++i) {
        OZWCustomizeToolBar* pPalette = dynamic_cast<OZWCustomizeToolBar*>(GetGroup(i)->m_pControl);
        if (pPalette == nullptr || pPalette->GetSafeHwnd() == nullptr)
            continue;
        if (wParam == 1)
            pPalette->UpdateButtonSize(size.cx, size.cy);
        else if (wParam == 2)
            pPalette->ModifyExBarStyle(m_pManager->IsCoolLookEnabled() ? 0 : 0x300,
                                       m_pManager->IsCoolLookEnabled() ? 0x300 : 0, FALSE);
        CRect rect;
        pPalette->GetWindowRect(&rect);
        ScreenToClient(&rect);
        pPalette->FitToRect(&rect);
        pPalette->Invalidate();
    }
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// OZWToolBarSheet

IMPLEMENT_DYNAMIC(OZWToolBarSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(OZWToolBarSheet, CPropertySheet)
    ON_WM_ACTIVATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

OZWToolBarSheet::OZWToolBarSheet(UINT nIDCaption, CWnd* pParent, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParent, iSelectPage)
{
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
}

void OZWToolBarSheet::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CPropertySheet::OnActivate(nState, pWndOther, bMinimized);
    CFrameWnd* pFrame = m_pManager != nullptr ? m_pManager->GetFrameWnd() : nullptr;
    if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr)
        pFrame->NotifyFloatingWindows(nState != WA_INACTIVE ? FS_ACTIVATE : FS_DEACTIVATE);
}

LRESULT OZWToolBarSheet::OnFloatStatus(WPARAM wParam, LPARAM)
{
    if (wParam & (FS_ACTIVATE | FS_DEACTIVATE))
        SendMessage(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0);
    return 0;
}
