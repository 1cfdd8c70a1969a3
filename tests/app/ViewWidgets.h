// The main view's windows as a test finds them: the controls of the form by
// their child ids, the side grids as the pages of the side tab window, the
// query edit through the view's query pane.
#pragma once

#include "app/AppRes.h"
#include "app/KelvaronView.h"
#include "pickers/controls/ColorStatic.h"
#include "pickers/controls/QueryWnd.h"
#include "grids/window/SideGrids.h"
#include "grids/window/TabWnd.h"

namespace viewwidgets {

// The object of a child window of this id; null when there is none.
template <class T>
T* Child(CWnd* pParent, UINT nID)
{
    HWND hChild = pParent != nullptr ? ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID) : nullptr;
    return dynamic_cast<T*>(CWnd::FromHandlePermanent(hChild));
}

inline CTabCtrl& Tabs(CKelvaronView* pView)
{
    return *Child<CTabCtrl>(pView, IDC_VIEW_TABS);
}

inline CColorStatic& CaptionStatic(CKelvaronView* pView)
{
    return *Child<CColorStatic>(pView, IDC_VIEW_CAPTION);
}

inline CColorStatic& NameStatic(CKelvaronView* pView)
{
    return *Child<CColorStatic>(pView, IDC_VIEW_NAME);
}

inline CComboBox& QueryCombo(CKelvaronView* pView)
{
    return *Child<CComboBox>(pView, IDC_VIEW_QUERIES);
}

inline CTabWnd* SideTabs(CKelvaronView* pView)
{
    return Child<CTabWnd>(pView, IDC_VIEW_SIDE_TABS);
}

// The page of the side tab window that is a grid of this kind; null while
// none is attached.
template <class T>
T* SidePane(CKelvaronView* pView)
{
    CTabWnd* pTabs = SideTabs(pView);
    for (int i = 0; pTabs != nullptr && i < pTabs->GetTabCount(); i++)
        if (T* pPane = dynamic_cast<T*>(pTabs->GetTabWnd(i)))
            return pPane;
    return nullptr;
}

inline CQueryWnd* QueryPane(CKelvaronView* pView)
{
    return pView->GetQueryPane().GetWindow();
}

} // namespace viewwidgets
