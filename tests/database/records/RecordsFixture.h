// Shared pieces of the record-class tests: a scratch copy of the skeleton
// database opened on a connection, SQL helpers to seed and read it, and a
// watcher that answers the message boxes a failing operation shows.
#pragma once

#include "database/records/ComponentRecords.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kvtest {

// Copies the built skeleton into a fresh scratch folder and returns the copy's path.
std::string CopySkeleton(const std::string& scratchName);

// Runs a query and returns its first column of the first row as text ("" when
// there is no row).
std::string QueryText(CDatabase& db, const std::string& sql);
long QueryLong(CDatabase& db, const std::string& sql);

// Inserts a Components row with the columns given as "[Column] = value" SQL
// fragments' names and values, e.g. {{"[Component Key]", "7"}, {"[Flags]", "1"}}.
void InsertRow(CDatabase& db, const std::string& table,
               const std::vector<std::pair<std::string, std::string>>& columns);

// A test with the skeleton copied to a scratch folder and opened.
class SkeletonTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Adds a component with the given key, database number, flags and costs.
    void AddComponent(long key, int databaseNumber, long flags = 0, float cost = 0.0f,
                      float price = 0.0f, const char* description = "Item");
    void AddAssemblyRow(long assemblyKey, long itemKey, float number);

    std::string m_path;
    CDatabase m_db;
    MessageBoxWatcher m_boxes;
};

} // namespace kvtest
