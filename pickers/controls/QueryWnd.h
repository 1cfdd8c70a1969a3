// CQueryWnd: the edit in which the user types the SQL of the Query tab. A
// change the user makes marks the saved query chosen in the view's combo as
// modified ("*" after its title), tells the view, and keeps the text in the
// program-wide g_QueryText, which the edit gives back when the Query tab is
// shown again.
#pragma once

#include "platform/framework/Framework.h"

// What the query edit needs of the view it sits in. The main view
// implements it.
class CQueryView
{
public:
    virtual ~CQueryView() = default;
    // The combo of the saved queries; null when there is none.
    virtual CComboBox* GetSavedQueryCombo() = 0;
    // The user changed the query text.
    virtual void SetQueryModified() = 0;
};

// The query text shared by the edit and the view.
extern CString g_QueryText;

class CQueryWnd : public CEdit
{
    DECLARE_DYNAMIC(CQueryWnd)
public:
    explicit CQueryWnd(CQueryView* pView = nullptr);
    ~CQueryWnd() override;

    void SetView(CQueryView* pView) { m_pView = pView; }
    // The edit's text into g_QueryText (when the window exists).
    void SaveText();
    // The edit's text from g_QueryText (when the window exists); setting it
    // is no change of the user's.
    void RestoreText();

protected:
    afx_msg void OnChange();

    CQueryView* m_pView;
    BOOL m_bRestoring = FALSE;

    DECLARE_MESSAGE_MAP()
};
