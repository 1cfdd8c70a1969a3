#include "database/records/ComponentIndexes.h"

#include <set>
#include <string>

namespace {

// Name and columns of each index.
struct IndexDefinition
{
    const char* name;
    const char* columns;
};

const IndexDefinition kIndexes[] = {
    {"Components in Pipe order",
     "[Database Number], [Order], [Major1], [Reals1], [Reals4], [Description], [Flags]"},
    {"Components in Tape order", "[Flags], [Order], [Description], [Reals1]"},
    {"Components in Valve order",
     "[Database Number], [Order], [Major1], [Minor1], [Reals1], [Reals2], [Description]"},
    {"Components in Elbow order",
     "[Database Number], [Order], [Major1], [Minor1], [Reals1], [Reals2], [Reals3], [Description]"},
    {"Components in Nozzle order", "[Database Number], [Order], [Description], [Reals3], [Reals4]"},
    {"Components in Outlet order", "[Database Number], [Order], [Description], [Major1], [Reals1]"},
    {"Components in Component order", "[Database Number], [Order], [Description], [Reals1], [Reals2]"},
    {"Components by Name", "[Database Number], RTRIM([Description]) COLLATE NOCASE, RTRIM([Warehouse Code]) COLLATE NOCASE"},
};

} // namespace

const std::vector<CString>& GetComponentIndexStatements()
{
    static const std::vector<CString> statements = [] {
        std::vector<CString> list;
        for (const IndexDefinition& index : kIndexes) {
            CString sql;
            sql.Format("CREATE INDEX [%s] ON [Components] (%s)", index.name, index.columns);
            list.push_back(sql);
        }
        return list;
    }();
    return statements;
}

BOOL EnsureComponentIndexes(CDatabase* pDatabase)
{
    if (pDatabase == nullptr || !pDatabase->IsOpen() || !pDatabase->IsSQLite() || !pDatabase->CanUpdate())
        return TRUE;
    BOOL bOk = TRUE;
    try {
        std::set<std::string> present;
        CRecordset rs(pDatabase);
        rs.Open(CRecordset::forwardOnly, "SELECT name FROM sqlite_master WHERE type = 'index'", CRecordset::readOnly);
        for (; !rs.IsEOF(); rs.MoveNext()) {
            CString name;
            rs.GetFieldValue((short)0, name);
            present.insert(name.str());
        }
        rs.Close();
        const std::vector<CString>& statements = GetComponentIndexStatements();
        for (size_t i = 0; i < statements.size(); ++i) {
            if (present.count(kIndexes[i].name))
                continue;
            CWaitCursor wait;
            try {
                pDatabase->ExecuteSQL(statements[i]);
            } catch (CException* e) {
                e->Delete();
                bOk = FALSE;
            }
        }
    } catch (CException* e) {
        e->Delete();
        bOk = FALSE;
    }
    return bOk;
}
