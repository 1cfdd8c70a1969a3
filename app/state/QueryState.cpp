#include "app/state/QueryState.h"

CString CQueryState::NameInCombo(const CString& comboText) const
{
    if (!m_strTitle.IsEmpty() && comboText == m_strTitle + "*")
        return m_strTitle;
    return comboText;
}

void CQueryState::SetLoaded(const CString& title)
{
    m_strTitle = title;
    m_strTypedName.Empty();
    m_bModified = FALSE;
}
