#include "listtree/list/ctrl/ListEdit.h"

BEGIN_MESSAGE_MAP(OZWListEdit, CEdit)
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
END_MESSAGE_MAP()

UINT OZWListEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void OZWListEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_pClient != nullptr) {
        if (nChar == VK_ESCAPE) {
            m_pClient->EndLabelEdit(FALSE);
            return;
        }
        if (nChar == VK_RETURN && !m_pClient->IsLabelWrap()) {
            m_pClient->EndLabelEdit(TRUE);
            return;
        }
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void OZWListEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // The characters of the keys that ended the edit are not typed.
    if (nChar == 27 || (nChar == '\r' && m_pClient != nullptr && !m_pClient->IsLabelWrap()))
        return;
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}
