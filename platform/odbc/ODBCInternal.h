// Internals shared by the engine's source files (not for other code).
#pragma once

#include "platform/odbc/OZU_DB_RS.h"

#include <map>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace kvodbc {

// The global ODBC lock: guards the shared environment, its connection count
// and each connection's recordset list. Never held across a recordset's
// Close.
std::mutex& GlobalLock();

// Runs a statement with no result to keep; throws CDBException (with the
// statement's diagnostics) on failure.
void ExecStatement(OZUDatabase* pdb, HSTMT hstmt, const CString& strSQL);

// Reads the first column of the first row of a query as text; false when
// there is no row.
bool QueryText(OZUDatabase* pdb, const CString& strSQL, CString& value);

// Builds the exception for a failed call on a statement, frees the statement,
// and throws.
[[noreturn]] void ThrowAndFree(RETCODE nRetCode, OZUDatabase* pdb, HSTMT hstmt);

// A null's indicator as some drivers give it through the cursor library:
// -1 in 32 bits, not widened.
const SQLLEN kNullIndicator32 = (SQLLEN)0xFFFFFFFF;

// First word of a statement, upper case.
CString FirstWord(const CString& strSQL);

// A bound member's value as bytes, and back (field exchange).
std::string FieldRawValue(int kind, void* pv);
void SetFieldRawValue(int kind, void* pv, const std::string& raw);
void SetLongBinaryValue(CLongBinary& value, const std::string& data);

// Position of a keyword in SQL text, compared without case, outside single
// quotes and square brackets (nested; a doubled bracket stands for
// itself); -1 when absent.
int FindSQLToken(const CString& strSQL, LPCSTR lpszToken, int nStart = 0);

} // namespace kvodbc

// A table of a keyed set's result: its name, the name (or alias) the SQL
// uses for it, and its key column.
struct OZUKeyTable
{
    std::string name;
    std::string ref;       // alias or name token as written in the FROM clause
    std::string keyColumn;
    std::string keyExpr;   // ref.keyColumn
};

// A row of a keyed set's window: present (still in the database) and the
// bound buffers as fetched.
struct OZUCachedRow
{
    bool present = false;
    std::string raw;                 // bound buffers and indicators of every field
    std::vector<std::string> lb;     // long binary values, one per field (unused for others)
    std::vector<bool> lbNull;
};

// The keys and window of a keyed dynaset.
//
// On a SQLite database a set with an order reads its keys a page at a time:
// at open it counts its rows (COUNT(*) of its query) and reads the keys of
// the first page; the keys after them are read as the set moves to them, in
// pages that double, and all of them before anything is written through the
// connection, so that membership stays what it was when the set opened.
// Should another connection change the database before every key is read,
// the keys not read yet are taken as they stand then (see CompleteKeys).
struct OZUKeyset
{
    std::vector<OZUKeyTable> tables;
    std::vector<long long> keys;     // row-major: keys[row * tables.size() + table]; the rows read so far
    long long total = 0;             // rows of the set: those counted at open and those added since
    bool complete = true;            // the keys of every row are read
    long long pos = -1;              // -1 before the first row, rows() after the last
    std::string selectList;          // as written
    std::string fromClause;          // as written
    std::string fromWhere;           // "FROM ... [WHERE ...]" of the query, without its order
    std::string keySQL;              // the key query
    std::string pageSQL;             // the key query for a page (LIMIT ? OFFSET ?); "" when not paged
    std::string countSQL;            // the rows of the query; "" when not paged
    std::string fetchSQL;            // the row query by keys
    long long dataVersion = -1;      // the database's data version when the keys began to be read
    DWORD keysChange = 0;            // the connection's change count then
    std::vector<int> colTable;       // per result column: index into tables, -1 none
    std::vector<std::string> colBase;  // per result column: the base column name
    size_t batch = 100;              // rows per fetch
    std::vector<long long> params;   // IN-list values: batch per table
    std::vector<SQLLEN> paramInd;
    std::vector<long long> fetchedKeys;
    std::vector<SQLLEN> fetchedInd;
    long long cacheFirst = 0;        // first row of the window
    std::vector<OZUCachedRow> cache; // the window
    DWORD cacheChange = 0;           // connection change count when the window was read
    bool cacheValid = false;
    HSTMT hstmtValue = SQL_NULL_HSTMT;  // one row by key, for columns read with SQLGetData
    bool fetchPrepared = false;
    std::map<std::string, HSTMT> writes;  // the set's writes, prepared, by their SQL
    HSTMT hstmtLastKey = SQL_NULL_HSTMT;  // the key SQLite gave the row inserted last
    std::vector<long long> lastAdded;     // the keys of the row this set added last
    bool lastAddedKnown = false;
    void FreeWrites();

    long long rows() const { return total; }
    long long loaded() const { return tables.empty() ? 0 : (long long)(keys.size() / tables.size()); }
    const long long* keyOf(long long row) const { return &keys[(size_t)row * tables.size()]; }
};
