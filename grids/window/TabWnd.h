// CTabWnd: the main view's side tab window, which holds the side grids as
// its pages: the items of an assembly always (tab 0), and by the table the
// main grid shows the nozzles of an outlet, the outlets of a nozzle or the
// query pane.
#pragma once

#include "platform/grid/GridLib.h"

class CGridView;

class CTabWnd : public CGRTabWnd
{
    DECLARE_DYNAMIC(CTabWnd)
public:
    explicit CTabWnd(CGridView* pView = nullptr);

    // The tab showing a window; -1 when none does.
    int FindTab(CWnd* pWnd) const;

protected:
    // A picked tab is shown (the message's second parameter is not passed on).
    afx_msg LRESULT OnTabSwitchMessage(WPARAM wParam, LPARAM lParam);

    CGridView* m_pView;

    DECLARE_MESSAGE_MAP()
};
