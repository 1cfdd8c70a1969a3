#include "tests/database/records/RecordsFixture.h"

#include "tests/support/TestSupport.h"

#include <cstdio>
#include <cstdlib>

namespace kvtest {

// ---------------------------------------------------------------------------
void SkeletonTest::SetUp()
{
    m_path = CopySkeleton(TestName());
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
