#include "tests/database/records/RecordsFixture.h"

#include "tests/support/TestSupport.h"

#include <cstdio>
#include <cstdlib>

namespace kvtest {

std::string CopySkeleton(const std::string& scratchName)
{
    std::string dir = ScratchDir(scratchName);
    std::string path = dir + "\\Test.sqlite";
    if (!CopyFileTo(BinaryPath("bin/Database/Skeleton.sqlite"), path))
        ADD_FAILURE() << "cannot copy the skeleton database to " << path;
    return path;
}

std::string QueryText(CDatabase& db, const std::string& sql)
{
    CRecordset rs(&db);
    rs.Open(CRecordset::forwardOnly, sql.c_str(), CRecordset::readOnly);
    CString value;
    if (!rs.IsEOF())
        rs.GetFieldValue((short)0, value);
    rs.Close();
    return value.str();
}

long QueryLong(CDatabase& db, const std::string& sql)
{
    return std::atol(QueryText(db, sql).c_str());
}

void InsertRow(CDatabase& db, const std::string& table,
               const std::vector<std::pair<std::string, std::string>>& columns)
{
    std::string names, values;
    for (const auto& c : columns) {
        if (!names.empty()) {
            names += ", ";
            values += ", ";
        }
        names += c.first;
        values += c.second;
    }
    db.ExecuteSQL(("INSERT INTO " + table + " (" + names + ") VALUES (" + values + ")").c_str());
}

// ---------------------------------------------------------------------------
void SkeletonTest::SetUp()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    m_path = CopySkeleton(name);
    ASSERT_TRUE(m_db.OpenEx(ConnectStringFor(m_path).c_str(), CDatabase::noOdbcDialog));
}

void SkeletonTest::TearDown()
{
    if (m_db.IsOpen())
        m_db.Close();
}

void SkeletonTest::AddComponent(long key, int databaseNumber, long flags, float cost, float price,
                                const char* description)
{
    char values[256];
    std::snprintf(values, sizeof(values), "%.9g", (double)cost);
    std::string costText = values;
    std::snprintf(values, sizeof(values), "%.9g", (double)price);
    InsertRow(m_db, "[Components]",
              {{"[Component Key]", std::to_string(key)},
               {"[Database Number]", std::to_string(databaseNumber)},
               {"[Description]", std::string("'") + description + "'"},
               {"[Flags]", std::to_string(flags)},
               {"[Reals7]", costText},
               {"[Reals8]", values}});
}

void SkeletonTest::AddAssemblyRow(long assemblyKey, long itemKey, float number)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%.9g", (double)number);
    InsertRow(m_db, "[Assemblies]",
              {{"[Assembly Key]", std::to_string(assemblyKey)},
               {"[Item Key]", std::to_string(itemKey)},
               {"[Number/Length]", text}});
}

} // namespace kvtest
