// A recordset whose columns are found at run time: it describes the result
// of whatever SELECT it is opened with, gives each column a value buffer of
// a kind suited to its SQL type, and binds them all through field exchange.
// The query tab of the component grid uses it for the user's own SQL; the
// program exports the class for other modules.
#pragma once

#include "platform/odbc/OZU_DB_RS.h"
#include "platform/grid/GRDefs.h"
#include "platform/grid/GRODBCValue.h"

class GR_PROGRAM_EXPORT CGRDynamicRecordsetEx : public OZURecordset
{
    DECLARE_DYNAMIC(CGRDynamicRecordsetEx)
public:
    explicit CGRDynamicRecordsetEx(OZUDatabase* pDatabase);
    ~CGRDynamicRecordsetEx() override;

    // The SQL the recordset opens by default, and the connect string (kept
    // out of line, so that other modules reach them in the program).
    void SetSqlQuery(LPCSTR lpszSQL);
    const CString& GetSqlQuery() const;
    void SetConnectString(LPCSTR lpszConnect);
    const CString& GetConnectString() const;

    CString GetDefaultSQL() override;
    CString GetDefaultConnect() override;

    // Description n (0-based) of the columns found by the last open. A
    // number outside the columns throws CDBException (field not found).
    CGRFieldDesc& GetField(UINT n);
    // Column n's value of the current row as text; 1 for a value, 0 for null.
    int GetFieldData(int n, CString& strText, int nFlag);
    // Column n's value from text, marked changed; 1 on success, 0 with a
    // message in *pstrError when the text is not a value of the column.
    int SetFieldData(int n, LPCSTR lpszValue, CString* pstrError, int nFlag);
    // The whole result as text: optional header line of column names (without
    // brackets), then one line per row, values separated by tabs, each line
    // ended by a line feed.
    void FillChoiceList(CString& strList, int bWithHeaders);

    // The value kind for an ODBC SQL type (0 for types without a buffer).
    static int ValueKindForSQLType(int nSQLType);

    int GetColumnCount() const;

    void PreBindFields() override;
    void DoFieldExchange(CFieldExchange* pFX) override;
    void Close() override;

    int m_nColumns;               // columns found by the last PreBindFields
    CGRFieldDesc* m_pFieldDescs;  // one per column; null while closed
    CString m_strSqlQuery;
    CString m_strConnectString;

private:
    void FreeDescriptions();
};
