#include "database/merge/DBPragmaScope.h"

DBPragmaScope::DBPragmaScope(CDatabase* pDatabase, const char* lpszName, long nValue)
{
    if (pDatabase == nullptr || !pDatabase->IsOpen() || !pDatabase->IsSQLite())
        return;
    try {
        // The value it has now, to be put back.
        CRecordset rs(pDatabase);
        rs.Open(CRecordset::forwardOnly, CString("SELECT * FROM pragma_") + lpszName, CRecordset::readOnly);
        CString before;
        if (!rs.IsEOF())
            rs.GetFieldValue((short)0, before);
        rs.Close();
        if (before.IsEmpty())
            return;
        CString sql;
        sql.Format("PRAGMA %s = %ld", lpszName, nValue);
        pDatabase->ExecuteSQL(sql);
        m_pDatabase = pDatabase;
        m_strName = lpszName;
        m_strBefore = before;
    } catch (CException* e) {
        // Slower, not wrong.
        e->Delete();
    }
}

DBPragmaScope::~DBPragmaScope()
{
    if (m_pDatabase == nullptr || !m_pDatabase->IsOpen())
        return;
    try {
        m_pDatabase->ExecuteSQL("PRAGMA " + m_strName + " = " + m_strBefore);
    } catch (CException* e) {
        e->Delete();
    }
}
