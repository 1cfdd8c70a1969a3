#include "database/merge/DBComponentRows.h"
#include "database/merge/DBDatabase.h"

#include <climits>
#include <cstdlib>

ComponentRowsInKeyOrder::ComponentRowsInKeyOrder(DBDatabase* pDatabase)
    : m_pDatabase(pDatabase), m_rows(pDatabase), m_nPageEnd(LONG_MAX)
{
    m_rows.m_strSort = "[Component Key]";
}

BOOL ComponentRowsInKeyOrder::Start(long nAfterKey)
{
    long nFirst = 0;
    while (SmallestKeyAbove(nAfterKey, nFirst)) {
        // The page ends before the key kKeysPerPage on, or at the largest
        // key there can be.
        long nEnd = nFirst > LONG_MAX - kKeysPerPage ? LONG_MAX : nFirst + kKeysPerPage;
        m_rows.m_strFilter.Format("[Component Key] >= %ld AND [Component Key] <= %ld", nFirst, nEnd);
        if (m_rows.IsOpen())
            m_rows.Requery();
        else
            m_rows.Open(CRecordset::forwardOnly, nullptr, CRecordset::readOnly);
        m_nPageEnd = nEnd;
        if (!m_rows.IsEOF())
            return TRUE;
        // Its rows went before they were read: on from the page's end.
        if (nEnd == LONG_MAX)
            break;
        nAfterKey = nEnd;
    }
    m_nPageEnd = LONG_MAX;
    return FALSE;
}

BOOL ComponentRowsInKeyOrder::Next()
{
    m_rows.MoveNext();
    if (!m_rows.IsEOF())
        return TRUE;
    return m_nPageEnd != LONG_MAX && Start(m_nPageEnd);
}

BOOL ComponentRowsInKeyOrder::SmallestKeyAbove(long nKey, long& nFirst)
{
    CString sql;
    sql.Format("SELECT MIN([Component Key]) FROM [Components] WHERE [Component Key] > %ld", nKey);
    CRecordset smallest(m_pDatabase);
    smallest.Open(CRecordset::forwardOnly, sql, CRecordset::readOnly);
    CString value;
    if (!smallest.IsEOF())
        smallest.GetFieldValue((short)0, value);
    smallest.Close();
    if (value.IsEmpty())
        return FALSE;
    nFirst = std::atol(value);
    return TRUE;
}
