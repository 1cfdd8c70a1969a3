// The Components rows of a database in the order of their keys, read forward
// a range of keys at a time, so that a large table is never held whole (a
// driver may hold every row of a query in memory). The clean writes the rows
// back as it goes, and the merge reads its source's components by it.
#pragma once

#include "database/merge/DBTables.h"

class ComponentRowsInKeyOrder
{
public:
    explicit ComponentRowsInKeyOrder(DBDatabase* pDatabase);

    // To the first row whose key is above nAfterKey; FALSE when there is
    // none.
    BOOL Start(long nAfterKey);
    // To the next row; FALSE after the last.
    BOOL Next();
    // The current row, a forward-only recordset of the Components table.
    DBComponentTable& Table() { return m_rows; }
    const ComponentFields& Row() { return m_rows.Record(); }

private:
    static const long kKeysPerPage = 4095;

    BOOL SmallestKeyAbove(long nKey, long& nFirst);

    DBDatabase* m_pDatabase;
    DBComponentTable m_rows;
    long m_nPageEnd;
};
