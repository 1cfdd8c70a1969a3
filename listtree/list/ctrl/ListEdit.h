// OZWListEdit: the multi-line edit control laid over a list cell while its
// text is edited in place. Enter (with single-line labels) commits, Escape
// cancels; a dialog never takes Enter, Escape or Tab from it.
#pragma once

#include "listtree/list/model/ListClient.h"
#include "platform/framework/Framework.h"

class OZWListEdit : public CEdit
{
public:
    explicit OZWListEdit(OZWListClient* pClient) : m_pClient(pClient) {}

    OZWListClient* m_pClient = nullptr;

protected:
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);

    DECLARE_MESSAGE_MAP()
};
