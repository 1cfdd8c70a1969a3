#include "pickers/controls/QueryWnd.h"

CString g_QueryText;

IMPLEMENT_DYNAMIC(CQueryWnd, CEdit)

BEGIN_MESSAGE_MAP(CQueryWnd, CEdit)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

CQueryWnd::CQueryWnd(CQueryView* pView) : m_pView(pView)
{
}

CQueryWnd::~CQueryWnd() = default;

void CQueryWnd::SaveText()
{
    if (GetSafeHwnd() != nullptr)
        GetWindowText(g_QueryText);
}

void CQueryWnd::RestoreText()
{
    if (GetSafeHwnd() == nullptr)
        return;
    m_bRestoring = TRUE;
    SetWindowText(g_QueryText);
    m_bRestoring = FALSE;
}

void CQueryWnd::OnChange()
{
    if (m_bRestoring)
        return;
    if (m_pView != nullptr) {
        // The title stays the saved query's; "*" says its text has changed.
        CComboBox* pCombo = m_pView->GetSavedQueryCombo();
        int nSelected = pCombo != nullptr && pCombo->GetSafeHwnd() != nullptr ? pCombo->GetCurSel() : CB_ERR;
        if (nSelected >= 0) {
            CString title;
            pCombo->GetLBText(nSelected, title);
            if (!title.IsEmpty() && title.Right(1) != "*")
                pCombo->SetWindowText(title + "*");
        }
        m_pView->SetQueryModified();
    }
    GetWindowText(g_QueryText);
}
