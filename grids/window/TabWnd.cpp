#include "grids/window/TabWnd.h"

IMPLEMENT_DYNAMIC(CTabWnd, CGRTabWnd)

BEGIN_MESSAGE_MAP(CTabWnd, CGRTabWnd)
    ON_MESSAGE(GRM_TABSWITCH, OnTabSwitchMessage)
END_MESSAGE_MAP()

CTabWnd::CTabWnd(CGridView* pView) : CGRTabWnd(RUNTIME_CLASS(CGRTabBeam)), m_pView(pView)
{
}

int CTabWnd::FindTab(CWnd* pWnd) const
{
    for (int i = 0; i < GetTabCount(); i++)
        if (GetTabWnd(i) == pWnd)
            return i;
    return -1;
}

LRESULT CTabWnd::OnTabSwitchMessage(WPARAM wParam, LPARAM)
{
    return OnTabSwitch(wParam, 0);
}
