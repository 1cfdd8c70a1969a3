// The saved query the Query tab's text belongs to, without the windows: its
// title, the name typed for it in the combo since, and whether the text or
// the name was changed since the query was loaded or saved.
#pragma once

#include "platform/framework/base/String.h"

class CQueryState
{
public:
    // The title of the saved query the text belongs to ("" none).
    const CString& GetTitle() const { return m_strTitle; }
    BOOL IsModified() const { return m_bModified; }
    // The user changed the query text.
    void SetModified() { m_bModified = TRUE; }
    // The user typed a name into the combo: the name the query is saved
    // under.
    void SetTypedName(const CString& name)
    {
        m_bModified = TRUE;
        m_strTypedName = name;
    }
    // The name the changes of the text are saved under before another query
    // is loaded: the name typed for it, else its own title.
    CString GetSaveName() const { return m_strTypedName.IsEmpty() ? m_strTitle : m_strTypedName; }
    // The query's title that the combo's text names: the combo shows the
    // title of a changed query marked with "*".
    CString NameInCombo(const CString& comboText) const;
    // A query of this title was loaded or saved ("" none: the text was
    // cleared): nothing is changed any more.
    void SetLoaded(const CString& title);
    // The queries' titles were read into the combo.
    BOOL AreTitlesRead() const { return m_bTitlesRead; }
    void SetTitlesRead() { m_bTitlesRead = TRUE; }

private:
    CString m_strTitle;
    CString m_strTypedName;
    BOOL m_bModified = FALSE;
    BOOL m_bTitlesRead = FALSE;
};
