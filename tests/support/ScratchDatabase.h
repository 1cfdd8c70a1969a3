// Scratch databases for the tests: small SQLite databases made in scratch
// folders through the ODBC layer itself, copies of the skeleton the build
// makes, a record class over a small "Parts" table, SQL helpers that seed
// and read them, and helpers to catch the layer's exceptions.
#pragma once

#include "platform/odbc/OZU_DB_RS.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kvtest {

// Copies the built skeleton into a fresh scratch folder and returns the copy's path.
std::string CopySkeleton(const std::string& scratchName);

// Splits SQL text into statements (a statement ends with ";" at the end of
// a line; a trigger's body is kept whole) and runs them.
void RunSql(CDatabase& db, const std::string& sql);
void RunSqlOn(const std::string& path, const std::string& sql);

// Inserts a row with the columns given as names and SQL values, e.g.
// {{"[Component Key]", "7"}, {"[Flags]", "1"}}.
void InsertRow(CDatabase& db, const std::string& table,
               const std::vector<std::pair<std::string, std::string>>& columns);

// Runs a query and returns its first column of the first row as text ("" when
// there is no row).
std::string QueryText(CDatabase& db, const std::string& sql);
long QueryLong(CDatabase& db, const std::string& sql);
// The rows of a query on a database file: columns joined by ",", rows by ";".
std::string QueryRows(const std::string& path, const std::string& sql);
// The plan SQLite makes for a query (translated as the connection translates
// the program's SQL): the detail of each step, each followed by ";".
std::string QueryPlan(CDatabase& db, const std::string& sql);

// The rows of a component database's Assemblies, Nozzles and Tapes tables
// that name a component that does not exist.
long CountDanglingComponentLinks(CDatabase& db);

} // namespace kvtest

namespace odbctest {

using kvtest::FileBytes;

// A new SQLite database file in scratch folder `folder`, made by running the
// statements; returns its (Windows) path.
std::string MakeDatabase(const std::string& folder, const std::vector<std::string>& statements,
                         const std::string& fileName = "test.sqlite");

// The statements of table Parts: 10 rows, [Part Key] 1..10,
// [Description] "Item n", [Count] n*10, [Size] n/4, [Code] n.
std::vector<std::string> PartsTable(int rows = 10);

// A CDBException caught from f: its code (m_nRetCode) and message; code 0
// when nothing was thrown.
struct DbError
{
    long code = 0;
    CString message;
    CString states;
};
template <class F>
DbError CatchDB(F&& f)
{
    DbError out;
    try {
        f();
    } catch (CDBException* e) {
        out.code = e->m_nRetCode;
        out.message = e->m_strError;
        out.states = e->m_strStateNativeOrigin;
        e->Delete();
    }
    return out;
}

// A query's first column of the first row, as text, through a fresh
// statement (not through the layer's recordsets).
CString Scalar(OZUDatabase& db, const char* sql);

// Runs a test body, turning a framework exception that escapes it into a
// test failure with the exception's message.
template <class F>
void Guarded(F&& body)
{
    try {
        body();
    } catch (CException* e) {
        char message[2048] = {};
        e->GetErrorMessage(message, sizeof(message));
        CDBException* db = dynamic_cast<CDBException*>(e);
        ADD_FAILURE() << "exception: " << message << (db ? " code " + std::to_string(db->m_nRetCode) : std::string());
        e->Delete();
    }
}

// Record class over table Parts.
class CPartRecords : public CRecordset
{
public:
    explicit CPartRecords(CDatabase* pdb) : CRecordset(pdb)
    {
        m_nFields = 5;
        m_nDefaultType = dynaset;
    }
    long m_nKey = 0;
    CString m_strDescription;
    long m_nCount = 0;
    float m_fSize = 0;
    BYTE m_nCode = 0;

    CString GetDefaultSQL() override { return "[Parts]"; }
    void DoFieldExchange(CFieldExchange* pFX) override
    {
        pFX->SetFieldType(CFieldExchange::outputColumn);
        RFX_Long(pFX, "[Part Key]", m_nKey);
        RFX_Text(pFX, "[Description]", m_strDescription);
        RFX_Long(pFX, "[Count]", m_nCount);
        RFX_Single(pFX, "[Size]", m_fSize);
        RFX_Byte(pFX, "[Code]", m_nCode);
    }
};

} // namespace odbctest
